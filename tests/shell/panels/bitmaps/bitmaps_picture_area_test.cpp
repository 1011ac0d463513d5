#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <QWheelEvent>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bitmaps_panel.h"
#include "color_conversion.h"
#include "graphics_panel_fixture.h"
#include "picture_area.h"

namespace plexion {
namespace {

using Column = CBitmapsPanel::Column;
using Drag = std::function<void(CPictureArea&)>;

constexpr QPoint kOrigin(CPictureViewport::kOrigin, CPictureViewport::kOrigin);

// `color` laid over `under` at alpha 64, as the outlines are painted.
QRgb Blended(InterfaceColor under, InterfaceColor color) {
    QImage pixel(1, 1, QImage::Format_RGB32);
    pixel.fill(InterfaceQColor(under));
    QColor over = InterfaceQColor(color);
    over.setAlpha(64);
    QPainter(&pixel).fillRect(pixel.rect(), over);
    return pixel.pixel(0, 0);
}

QRgb Face() {
    return InterfaceQColor(InterfaceColor::DialogFace).rgb();
}

class BitmapsPictureArea : public test::CGraphicsPanelTest<CBitmapsPanel> {
protected:
    CPictureArea& Area() { return *Panel().PictureArea(); }
    // The area as it shows; `plane` is a point of the picture plane.
    QImage Shot() { return Area().grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QRgb At(const QImage& shot, QPoint plane) { return shot.pixel(kOrigin + plane); }

    // A drag with the left button from `from` by `by` (area points), in
    // `steps` moves, with `modifiers` held throughout.
    void DragBy(QPoint from, QPoint by, Qt::KeyboardModifiers modifiers, int steps = 2,
                const std::function<void()>& midway = {}) {
        QTest::mousePress(&Area(), Qt::LeftButton, modifiers, from);
        for (int step = 1; step <= steps; ++step) {
            const QPoint at = from + by * step / steps;
            QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(Area().mapToGlobal(at)),
                             Qt::NoButton, Qt::LeftButton, modifiers);
            QApplication::sendEvent(&Area(), &move);
            if (step == 1 && midway) {
                midway();
            }
        }
        QTest::mouseRelease(&Area(), Qt::LeftButton, modifiers, from + by);
    }
    void Wheel(QPoint at, int notches, Qt::KeyboardModifiers modifiers) {
        QWheelEvent wheel(QPointF(at), QPointF(Area().mapToGlobal(at)), QPoint(),
                          QPoint(0, 120 * notches), Qt::NoButton, modifiers, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(&Area(), &wheel);
    }
    QPointF Offsets(int index) { return {Picture(index).OffsetX(), Picture(index).OffsetY()}; }
};

TEST_F(BitmapsPictureArea, DrawsTheMarkedBitmapsThenTheCurrentOneEachWithItsOutline) {
    AddPicture("red", 20, 10, qRgb(255, 0, 0));
    AddPicture("green", 20, 10, qRgb(0, 255, 0));
    AddPicture("blue", 6, 6, qRgb(0, 0, 255));
    Picture(1).SetOffsetX(10);
    Picture(1).SetOffsetY(5);
    Picture(2).SetOffsetX(40);
    Panel().Refresh(true);
    Mark({0, 1});
    Panel().SetCursorItem(0);
    QImage shot = Shot();
    // The current bitmap lies over the marked ones; an unmarked one is not shown.
    EXPECT_EQ(At(shot, {12, 7}), qRgb(255, 0, 0));
    EXPECT_EQ(At(shot, {25, 7}), qRgb(0, 255, 0));
    EXPECT_EQ(At(shot, {42, 2}), Face());
    // One pixel outside each picture, at alpha 64.
    EXPECT_EQ(At(shot, {5, 10}),
              Blended(InterfaceColor::DialogFace, InterfaceColor::DialogSpottedFace));
    EXPECT_EQ(At(shot, {20, 15}), Blended(InterfaceColor::DialogFace, InterfaceColor::DialogText));
    EXPECT_EQ(At(shot, {30, 8}), Blended(InterfaceColor::DialogFace, InterfaceColor::DialogText));
    EXPECT_EQ(At(shot, {25, 4}), Blended(InterfaceColor::DialogFace, InterfaceColor::DialogText));
    // The origin's lines pass through the pixels before it.
    EXPECT_EQ(At(shot, {-1, -40}), InterfaceQColor(InterfaceColor::DialogText).rgb());
    EXPECT_EQ(At(shot, {-40, -1}), InterfaceQColor(InterfaceColor::DialogText).rgb());

    Panel().SetCursorItem(1);
    shot = Shot();
    EXPECT_EQ(At(shot, {12, 7}), qRgb(0, 255, 0));
    EXPECT_EQ(At(shot, {20, 15}),
              Blended(InterfaceColor::DialogFace, InterfaceColor::DialogSpottedFace));
}

TEST_F(BitmapsPictureArea, OutlineEdgesAreEvenAlongTheirWholeLength) {
    // Edges around the length filled in one piece, and longer than the area.
    constexpr int kLeft = 200;
    constexpr int kWidth = 10;
    for (const int height : {63, 64, 65, 129, 2000}) {
        const int index = AddPicture("tall" + std::to_string(height), kWidth, height);
        Picture(index).SetOffsetX(kLeft);
        Panel().Refresh(true);
        // Nothing marked: the current bitmap alone is shown.
        Panel().SetCursorItem(index);
        const QImage shot = Shot();
        ASSERT_GT(shot.width(), kOrigin.x() + kLeft + kWidth + 2);
        // Down to the row above the focus frame.
        const int rows = std::min(height, shot.height() - 2 - kOrigin.y());
        const QRgb edge = Blended(InterfaceColor::DialogFace, InterfaceColor::DialogSpottedFace);
        int even = 0;
        for (int y = 0; y < rows; ++y) {
            even += At(shot, {kLeft - 1, y}) == edge && At(shot, {kLeft + kWidth, y}) == edge;
        }
        EXPECT_EQ(even, rows) << height;
    }
}

TEST_F(BitmapsPictureArea, ShiftDragsEveryAffectedOffsetAndAltOnlyTheCurrentOne) {
    for (int i = 0; i < 4; ++i) {
        AddPicture("b" + std::to_string(i), 8, 8);
    }
    Panel().Refresh(true);
    Mark({0, 2});
    Panel().SetCursorItem(1);
    const QPoint start = kOrigin + QPoint(100, 100);

    QString shownWhileDragging;
    DragBy(start, {7, 3}, Qt::ShiftModifier, 2,
           [&] { shownWhileDragging = Shown(Column::kOffsetX, 1); });
    // The first move went half the way, (4, 2) once rounded.
    EXPECT_EQ(shownWhileDragging, "+4");
    for (int i : {0, 1, 2}) {
        EXPECT_EQ(Offsets(i), QPointF(7, 3)) << i;
    }
    EXPECT_EQ(Offsets(3), QPointF(0, 0));
    EXPECT_EQ(Shown(Column::kOffsetY, 3), "+3");

    DragBy(start, {-2, 5}, Qt::AltModifier);
    EXPECT_EQ(Offsets(1), QPointF(5, 8));
    EXPECT_EQ(Offsets(0), QPointF(7, 3));
    EXPECT_EQ(Offsets(2), QPointF(7, 3));

    // Without Shift or Alt the drag moves nothing.
    DragBy(start, {9, 9}, Qt::NoModifier);
    EXPECT_EQ(Offsets(1), QPointF(5, 8));
    EXPECT_TRUE(document_.IsModified());

    // The arrow keys with the same modifiers move by one pixel a press,
    // each press a change of its own; alone they scroll the view.
    const QPoint originBefore = Area().Viewport().Origin(QPoint());
    QTest::keyClick(&Area(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&Area(), Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(&Area(), Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(Offsets(0), QPointF(8, 3));
    EXPECT_EQ(Offsets(1), QPointF(6, 10));
    EXPECT_EQ(Shown(Column::kOffsetY, 2), "+10");
    document_.Undo();
    EXPECT_EQ(Offsets(1), QPointF(6, 9));
    QTest::keyClick(&Area(), Qt::Key_Left);
    EXPECT_EQ(Offsets(1), QPointF(6, 9));
    EXPECT_EQ(Area().Viewport().Origin(QPoint()), originBefore + QPoint(16, 0));
}

TEST_F(BitmapsPictureArea, ZoomedDragsMoveByPicturePixelsAndEscapePutsTheDragBack) {
    AddPicture("p", 8, 8);
    Panel().Refresh(true);
    Panel().SetCursorItem(0);
    Area().ZoomAbout(kOrigin, 2);
    ASSERT_EQ(Area().Viewport().Zoom(), 2.0);
    DragBy(kOrigin, {10, -6}, Qt::AltModifier, 5);
    EXPECT_EQ(Offsets(0), QPointF(5, -3));

    QTest::mousePress(&Area(), Qt::LeftButton, Qt::AltModifier, kOrigin);
    QMouseEvent move(QEvent::MouseMove, QPointF(kOrigin + QPoint(20, 20)), QPointF(), Qt::NoButton,
                     Qt::LeftButton, Qt::AltModifier);
    QApplication::sendEvent(&Area(), &move);
    EXPECT_EQ(Shown(Column::kOffsetX, 1), "+15");
    EXPECT_EQ(Shown(Column::kOffsetY, 1), "+7");
    QTest::keyClick(&Area(), Qt::Key_Escape);
    QTest::mouseRelease(&Area(), Qt::LeftButton, Qt::AltModifier, kOrigin + QPoint(20, 20));
    EXPECT_EQ(Offsets(0), QPointF(5, -3));
    EXPECT_EQ(Shown(Column::kOffsetX, 1), "+5");
}

TEST_F(BitmapsPictureArea, ZoomKeepsThePixelUnderTheMouseAndCtrlZeroResets) {
    // Every pixel of the picture has a colour of its own.
    QImage pattern(16, 16, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            pattern.setPixel(x, y, qRgb(x * 16, y * 16, 128));
        }
    }
    AddPicture("pattern", 1, 1);
    Picture(0).TakeImage(pattern);
    Panel().Refresh(true);
    Panel().SetCursorItem(0);
    const QPoint mouse = kOrigin + QPoint(5, 7);
    const QRgb under = qRgb(5 * 16, 7 * 16, 128);
    ASSERT_EQ(Shot().pixel(mouse), under);
    const struct {
        int notches;
        int percent;
    } steps[] = {{1, 150},  {2, 300},  {5, 1600}, {1, 1600},
                 {-4, 400}, {-4, 100}, {-3, 25},  {-1, 25}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.notches);
        Wheel(mouse, step.notches, Qt::ControlModifier);
        EXPECT_EQ(Area().Viewport().ZoomPercent(), step.percent);
        // Below 100 % a screen pixel shows several picture pixels.
        if (step.percent >= 100) {
            EXPECT_EQ(Shot().pixel(mouse), under);
        }
    }
    Wheel(mouse, 3, Qt::ControlModifier);
    Wheel(mouse, -2, Qt::NoModifier);
    EXPECT_NE(Area().Viewport().Origin(), kOrigin);
    Area().setFocus();
    QTest::keyClick(&Area(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(Area().Viewport().Zoom(), 1.0);
    EXPECT_EQ(Area().Viewport().Origin(), kOrigin);
}

TEST_F(BitmapsPictureArea, TheAlphaViewsShowThePictureOpaqueOrItsAlphaAsGrey) {
    AddPicture("half", 4, 4, qRgba(0, 100, 0, 128));
    Panel().Refresh(true);
    Panel().SetCursorItem(0);
    const auto entry = [this](int command) {
        for (QAction* action : EditEntries()) {
            if (action->data().toInt() == CResourcePanel::kFirstEditCommand + command) {
                return action;
            }
        }
        return static_cast<QAction*>(nullptr);
    };
    const auto run = [this](int command) {
        Panel().OnEditCommand(nullptr, CResourcePanel::kFirstEditCommand,
                              CResourcePanel::kFirstEditCommand + command);
    };
    const QRgb normal = At(Shot(), {1, 1});
    EXPECT_NE(normal, qRgb(0, 199, 0));

    run(CBitmapsPanel::kViewWithoutAlphaCommand);
    EXPECT_EQ(At(Shot(), {1, 1}), qRgb(0, 199, 0));
    EXPECT_TRUE(entry(CBitmapsPanel::kViewWithoutAlphaCommand)->isChecked());

    run(CBitmapsPanel::kViewOnlyAlphaCommand);
    EXPECT_EQ(At(Shot(), {1, 1}), qRgb(128, 128, 128));
    EXPECT_FALSE(entry(CBitmapsPanel::kViewWithoutAlphaCommand)->isChecked());
    EXPECT_TRUE(entry(CBitmapsPanel::kViewOnlyAlphaCommand)->isChecked());

    run(CBitmapsPanel::kViewOnlyAlphaCommand);
    EXPECT_EQ(At(Shot(), {1, 1}), normal);
    EXPECT_FALSE(entry(CBitmapsPanel::kViewOnlyAlphaCommand)->isChecked());
}

TEST_F(BitmapsPictureArea, CtrlCOnTheGridCropsTheSelectedPictures) {
    AddPicture("p", 1, 1);
    QImage sprite(8, 8, QImage::Format_ARGB32_Premultiplied);
    sprite.fill(Qt::transparent);
    sprite.setPixel(2, 3, qRgb(1, 2, 3));
    Picture(0).TakeImage(sprite);
    Panel().Refresh(true);
    Panel().SetCursorItem(0);
    ASSERT_TRUE(test::FocusGrid(Panel()));
    test::PressOnGrid(Panel(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Picture(0).DisplayWidth(), 1.0);
    EXPECT_EQ(Offsets(0), QPointF(2, 3));
}

}  // namespace
}  // namespace plexion
