#include <gtest/gtest.h>

#include <QPixmap>
#include <QSignalSpy>
#include <QTest>

#include <vector>

#include "tool_button.h"

namespace plexion {
namespace {

QPixmap Picture() {
    QPixmap picture(16, 15);
    picture.fill(Qt::red);
    return picture;
}

std::vector<QPoint> Deltas(const QSignalSpy& spy) {
    std::vector<QPoint> deltas;
    for (const QList<QVariant>& call : spy) {
        deltas.push_back(call.at(0).toPoint());
    }
    return deltas;
}

TEST(ToolButton, PushButtonsClickAndToggleButtonsStayPressedWhileChecked) {
    CToolButton push(CToolButton::Kind::Push, Picture());
    CToolButton toggle(CToolButton::Kind::Toggle, Picture());
    QSignalSpy clicks(&push, &QAbstractButton::clicked);
    QTest::mouseClick(&push, Qt::LeftButton);
    EXPECT_EQ(clicks.size(), 1);
    EXPECT_FALSE(push.isChecked());
    QTest::mouseClick(&toggle, Qt::LeftButton);
    EXPECT_TRUE(toggle.isChecked());
    QTest::keyClick(&toggle, Qt::Key_Space);
    EXPECT_FALSE(toggle.isChecked());
    EXPECT_EQ(push.focusPolicy(), Qt::TabFocus);
}

TEST(ToolButton, DragButtonsReportEveryMovementFromWhereThePointerWentBack) {
    CToolButton drag(CToolButton::Kind::Drag, Picture());
    drag.resize(40, 24);
    drag.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&drag));
    QSignalSpy moves(&drag, &CToolButton::dragged);
    QSignalSpy clicks(&drag, &QAbstractButton::clicked);
    const QPoint press(20, 12);
    QTest::mousePress(&drag, Qt::LeftButton, {}, press);
    // The pointer is put back at the press after every movement.
    QTest::mouseMove(&drag, press + QPoint(0, -10));
    QTest::mouseMove(&drag, press + QPoint(3, -10));
    QTest::mouseMove(&drag, press);
    QTest::mouseRelease(&drag, Qt::LeftButton, {}, press);
    QTest::mouseMove(&drag, press + QPoint(5, 5));
    EXPECT_EQ(Deltas(moves), (std::vector<QPoint>{{0, -10}, {3, -10}}));
    EXPECT_EQ(clicks.size(), 0);

    moves.clear();
    QTest::keyClick(&drag, Qt::Key_Up);
    QTest::keyClick(&drag, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&drag, Qt::Key_Left);
    EXPECT_EQ(Deltas(moves), (std::vector<QPoint>{{0, -1}, {0, 10}, {-1, 0}}));
}

TEST(ToolButton, KeepsItsMinimumWidthAndGrowsWithItsText) {
    CToolButton button(CToolButton::Kind::Drag, Picture());
    button.SetMinimumButtonWidth(38);
    EXPECT_EQ(button.sizeHint().width(), 38);
    button.setText(QStringLiteral("10000.00 %  "));
    EXPECT_GT(button.sizeHint().width(), 38);
}

}  // namespace
}  // namespace plexion
