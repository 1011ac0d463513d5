#include "video_run.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>

#include "message_box_presenter.h"

namespace plexion {

CVideoRun::CVideoRun(QMainWindow& frame) : frame_(frame) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    qApp->installEventFilter(this);
}

CVideoRun::~CVideoRun() {
    qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
}

void CVideoRun::Pause() {
    paused_ = true;
    QApplication::setOverrideCursor(Qt::ArrowCursor);
}

void CVideoRun::Resume() {
    QApplication::restoreOverrideCursor();
    paused_ = false;
}

bool CVideoRun::eventFilter(QObject* watched, QEvent* event) {
    if (paused_) {
        return QObject::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            escapePressed_ = true;
        }
        return true;
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TabletPress:
    // Files dropped on the frame would open documents beside the conversion.
    case QEvent::DragEnter:
    case QEvent::Drop:
    case QEvent::Close:
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

SConversionHooks CVideoRun::Hooks() {
    return {[this](const std::string& status) {
                frame_.statusBar()->showMessage(QString::fromStdString(status).trimmed());
                QCoreApplication::processEvents();
            },
            [this](const std::string& message) {
                WithInput([&] {
                    return QMessageBox::critical(&frame_, MessageBoxTitle(),
                                                 QString::fromStdString(message));
                });
            },
            [this] {
                QCoreApplication::processEvents();
                return escapePressed_;
            }};
}

}  // namespace plexion
