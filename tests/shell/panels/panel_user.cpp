#include "panel_user.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <memory>

#include "resource_grid.h"
#include "resource_panel.h"

namespace plexion::test {

void WhenShown(std::function<bool()> answer) {
    // A bound on the polls: a window that never opens fails the test
    // instead of hanging it.
    constexpr int kMaxPolls = 2000;
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    auto polls = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, polls, answer = std::move(answer)] {
        const bool answered = answer();
        if (answered || ++*polls > kMaxPolls) {
            if (!answered) {
                ADD_FAILURE() << "the expected window did not open";
            }
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

void ChooseMenuEntry(int index) {
    WhenShown([index] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr || !menu->isVisible()) {
            return false;
        }
        menu->setActiveAction(menu->actions().at(index));
        QTest::keyClick(menu, Qt::Key_Return);
        return true;
    });
}

void AnswerEditValue(const QString& text) {
    WhenShown([text] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) {
            return false;
        }
        EXPECT_EQ(dialog->windowTitle(), "Edit Value");
        auto* field = dialog->findChild<QLineEdit*>();
        EXPECT_NE(field, nullptr);
        if (field != nullptr) {
            field->setText(text);
        }
        dialog->accept();
        return true;
    });
}

bool FocusGrid(CResourcePanel& panel) {
    QWidget* window = panel.window();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window)) {
        return false;
    }
    panel.Grid()->setFocus();
    return panel.Grid()->hasFocus();
}

void PressOnGrid(CResourcePanel& panel, int key, int modifiers) {
    QTest::keyClick(panel.Grid(), static_cast<Qt::Key>(key),
                    static_cast<Qt::KeyboardModifiers>(modifiers));
}

void EditWithReturn(CResourcePanel& panel, int kindColumn, int row) {
    panel.Grid()->MoveCursorTo(kindColumn + panel.FixedColumnCount(), row);
    PressOnGrid(panel, Qt::Key_Return);
}

QMenu* EditSubmenu(CResourcePanel& panel, std::unique_ptr<QMenu>& owner) {
    owner.reset(panel.BuildContextMenu());
    for (QAction* action : owner->actions()) {
        if (action->menu() != nullptr && action->text() == QStringLiteral("Edi&t")) {
            return action->menu();
        }
    }
    return nullptr;
}

}  // namespace plexion::test
