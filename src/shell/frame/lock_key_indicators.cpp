#include "lock_key_indicators.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>

namespace plexion {

namespace {

constexpr quint32 kCapsLockBit = 1u << 1;
constexpr quint32 kNumLockBit = 1u << 4;

QLabel* AddPane(QStatusBar& statusBar, const QString& text) {
    auto* pane = new QLabel(text, &statusBar);
    pane->setFrameShape(QFrame::Panel);
    pane->setFrameShadow(QFrame::Sunken);
    pane->setAlignment(Qt::AlignCenter);
    pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
    pane->setEnabled(false);
    statusBar.addPermanentWidget(pane);
    return pane;
}

}  // namespace

CLockKeyIndicators::CLockKeyIndicators(QStatusBar& statusBar)
    : QObject(&statusBar),
      caps_(AddPane(statusBar, QStringLiteral("CAP"))),
      num_(AddPane(statusBar, QStringLiteral("NUM"))),
      scroll_(AddPane(statusBar, QStringLiteral("SCRL"))) {
    qApp->installEventFilter(this);
}

CLockKeyIndicators::~CLockKeyIndicators() { qApp->removeEventFilter(this); }

bool CLockKeyIndicators::eventFilter(QObject* watched, QEvent* event) {
    // A key event reaches its window once, then each widget it passes
    // through; counting it at the window counts it once.
    const bool keyEvent = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (keyEvent && watched->isWindowType()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const quint32 state = key->nativeModifiers();
        caps_->setEnabled((state & kCapsLockBit) != 0);
        num_->setEnabled((state & kNumLockBit) != 0);
        if (event->type() == QEvent::KeyPress && key->key() == Qt::Key_ScrollLock &&
            !key->isAutoRepeat()) {
            scroll_->setEnabled(!scroll_->isEnabled());
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace plexion
