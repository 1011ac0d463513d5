#include "main_frame_fixture.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTest>

#include "resource_container.h"
#include "text_item.h"

namespace plexion::test {

void MainFrameTest::SetUp() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString(folder_.File("settings")));
    audio_ = std::make_unique<CAudioSystem>(device_);
    recent_ = std::make_unique<CRecentFiles>(QStringLiteral("Main Frame Test"),
                                             QStringLiteral("Editor"));
    frame_ = std::make_unique<CMainFrame>(*recent_, *audio_);
    frame_->resize(1000, 700);
    frame_->show();
    frame_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame_.get()));
}

void MainFrameTest::TearDown() {
    frame_->CloseAllDocuments();
    Settle();
    frame_.reset();
    Settle();
}

QString MainFrameTest::MakeDocument(const std::string& name) const {
    CVKT_ResourceContainer resources;
    const int index = resources.New<CVKT_Text>("greeting");
    resources.GetAt<CVKT_Text>(index)->SetText("Hello");
    const std::string path = folder_.File(name);
    EXPECT_EQ(resources.Save(path), 1);
    return QString::fromStdString(path);
}

QStringList MainFrameTest::MenuLabels(const QMenu* menu) {
    QStringList labels;
    for (const QAction* action : menu->actions()) {
        if (action->isVisible()) {
            labels.append(action->isSeparator() ? QStringLiteral("-") : action->text());
        }
    }
    return labels;
}

QStringList MainFrameTest::MenuBarTitles() const {
    QStringList titles;
    for (const QAction* action : frame_->menuBar()->actions()) {
        if (action->isVisible() && action->menu() != nullptr) {
            titles.append(action->text());
        }
    }
    return titles;
}

QMenu* MainFrameTest::MenuNamed(const QString& title) const {
    for (QAction* action : frame_->menuBar()->actions()) {
        if (action->text() == title) {
            return action->menu();
        }
    }
    return nullptr;
}

void MainFrameTest::Settle() {
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

}  // namespace plexion::test
