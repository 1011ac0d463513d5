#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <cstdlib>
#include <optional>

#include "color_conversion.h"
#include "custom_scroll_bar.h"

namespace plexion {
namespace {

constexpr int kLength = 200;  // track 128 pixels, inner part 124 from pixel 38

// A bar on screen, `kLength` pixels long, with a spy on its notification.
class ScrollBarTest : public ::testing::Test {
protected:
    void Show(Qt::Orientation orientation) {
        bar_.emplace(orientation);
        bar_->resize(orientation == Qt::Vertical ? QSize(18, kLength) : QSize(kLength, 18));
        bar_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&*bar_));
        spy_.emplace(&*bar_, &CCustomScrollBar::scrollChanged);
    }
    void Click(ScrollBarButton which) {
        QAbstractButton* button = bar_->Button(which);
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    }
    // A point on the bar's centre line, `along` pixels from its start.
    QPoint At(int along) const { return bar_->IsVertical() ? QPoint(9, along) : QPoint(along, 9); }
    double LastNotified() const { return spy_->constLast().at(0).toDouble(); }

    // The first pixel of the thumb along the centre line, found by its
    // colour in a picture of the bar.
    std::optional<int> ThumbStart(const QColor& thumb) {
        const QImage image = bar_->grab().toImage();
        for (int along = 38; along < kLength - 38; ++along) {
            const QPoint p = At(along);
            if (Near(image.pixelColor(p), thumb)) {
                return along;
            }
        }
        return std::nullopt;
    }
    static bool Near(const QColor& a, const QColor& b) {
        return std::abs(a.red() - b.red()) <= 12 && std::abs(a.green() - b.green()) <= 12 &&
               std::abs(a.blue() - b.blue()) <= 12;
    }

    std::optional<CCustomScrollBar> bar_;
    std::optional<QSignalSpy> spy_;
};

TEST_F(ScrollBarTest, StartsFreeOverMinusOneToOneWithItsDefaults) {
    Show(Qt::Vertical);
    EXPECT_TRUE(bar_->IsFree());
    EXPECT_FALSE(bar_->IsDragging());
    EXPECT_EQ(bar_->Position(), 0.0);
    EXPECT_EQ(bar_->RangeStart(), -1.0);
    EXPECT_EQ(bar_->RangeEnd(), 1.0);
    EXPECT_EQ(bar_->Page(), 0.2);
    EXPECT_EQ(bar_->Step(), 5.0);
    EXPECT_EQ(CCustomScrollBar::ButtonSize(), 18);
}

TEST_F(ScrollBarTest, SettersStoreAndPageAndStepAreKeptAsAbsoluteValues) {
    Show(Qt::Vertical);
    EXPECT_EQ(bar_->Orientation(), Qt::Vertical);
    bar_->SetRangeStart(40.0);
    bar_->SetRangeEnd(-60.0);  // reversed ranges are stored as they come
    EXPECT_EQ(bar_->RangeStart(), 40.0);
    EXPECT_EQ(bar_->RangeEnd(), -60.0);
    bar_->SetPage(-3.0);
    bar_->SetStep(-0.5);
    EXPECT_EQ(bar_->Page(), 3.0);
    EXPECT_EQ(bar_->Step(), 0.5);
    bar_->SetPosition(1e6);  // a plain store, no clamping, no notification
    EXPECT_EQ(bar_->Position(), 1e6);
    EXPECT_EQ(spy_->count(), 0);
}

TEST_F(ScrollBarTest, ButtonsAreLaidOutAlongTheAxisInCreationOrder) {
    Show(Qt::Vertical);
    EXPECT_EQ(bar_->Button(ScrollBarButton::PageBack)->geometry(), QRect(0, 0, 18, 18));
    EXPECT_EQ(bar_->Button(ScrollBarButton::StepBack)->geometry(), QRect(0, 18, 18, 18));
    EXPECT_EQ(bar_->Button(ScrollBarButton::StepForward)->geometry(), QRect(0, 164, 18, 18));
    EXPECT_EQ(bar_->Button(ScrollBarButton::PageForward)->geometry(), QRect(0, 182, 18, 18));
    EXPECT_EQ(bar_->TrackRect(), QRect(0, 36, 18, 128));

    Show(Qt::Horizontal);
    EXPECT_EQ(bar_->Button(ScrollBarButton::PageBack)->geometry(), QRect(0, 0, 18, 18));
    EXPECT_EQ(bar_->Button(ScrollBarButton::StepBack)->geometry(), QRect(18, 0, 18, 18));
    EXPECT_EQ(bar_->Button(ScrollBarButton::StepForward)->geometry(), QRect(164, 0, 18, 18));
    EXPECT_EQ(bar_->Button(ScrollBarButton::PageForward)->geometry(), QRect(182, 0, 18, 18));
    EXPECT_EQ(bar_->TrackRect(), QRect(36, 0, 128, 18));
}

TEST_F(ScrollBarTest, FreeStepForwardLeavesTheRangeAndTheThumbSitsAtTheEnd) {
    Show(Qt::Vertical);
    Click(ScrollBarButton::StepForward);
    EXPECT_EQ(bar_->Position(), 5.0);
    ASSERT_EQ(spy_->count(), 1);
    EXPECT_EQ(LastNotified(), 5.0);
    // 124 × 0.2 / 2 = 12.4 pixels: the thumb's last pixel is the track's.
    EXPECT_EQ(ThumbStart(InterfaceQColor(InterfaceColor::ScrollBar)), 38 + 124 - 12);
}

TEST_F(ScrollBarTest, ClampedButtonsStopAtTheEndLessAPageAndAtTheStart) {
    Show(Qt::Vertical);
    bar_->SetFree(false);
    bar_->SetRange(0.0, 100.0);
    bar_->SetPage(10.0);
    bar_->SetStep(1.0);
    bar_->SetPosition(85.0);
    Click(ScrollBarButton::PageForward);
    EXPECT_EQ(bar_->Position(), 90.0);
    Click(ScrollBarButton::StepForward);
    EXPECT_EQ(bar_->Position(), 90.0);
    bar_->SetPosition(0.0);
    Click(ScrollBarButton::StepBack);
    EXPECT_EQ(bar_->Position(), 0.0);
    Click(ScrollBarButton::PageBack);
    EXPECT_EQ(bar_->Position(), 0.0);
    bar_->SetPosition(50.0);
    Click(ScrollBarButton::StepForward);
    EXPECT_EQ(bar_->Position(), 51.0);
    // Every click notifies, even one that could not move.
    EXPECT_EQ(spy_->count(), 5);
    EXPECT_EQ(LastNotified(), 51.0);
}

TEST_F(ScrollBarTest, RangeShorterThanThePageCentresOnEveryClickAndPressAndIgnoresDrags) {
    Show(Qt::Vertical);
    bar_->SetFree(false);
    bar_->SetRange(0.0, 5.0);
    bar_->SetPage(10.0);
    bar_->SetPosition(1.0);
    Click(ScrollBarButton::StepForward);
    EXPECT_EQ(bar_->Position(), -2.5);
    bar_->SetPosition(4.0);
    Click(ScrollBarButton::PageBack);
    EXPECT_EQ(bar_->Position(), -2.5);

    bar_->SetPosition(3.0);
    QTest::mousePress(&*bar_, Qt::LeftButton, {}, At(100));
    EXPECT_EQ(bar_->Position(), -2.5);
    EXPECT_TRUE(bar_->IsDragging());
    const int before = spy_->count();
    QTest::mouseMove(&*bar_, At(140));
    EXPECT_EQ(bar_->Position(), -2.5);
    EXPECT_EQ(spy_->count(), before);
    QTest::mouseRelease(&*bar_, Qt::LeftButton, {}, At(140));
    EXPECT_FALSE(bar_->IsDragging());
}

TEST_F(ScrollBarTest, PressGrabsTheThumbWhereItIsAndClampsIt) {
    Show(Qt::Vertical);
    bar_->SetPosition(5.0);  // outside −1 … 0.8
    QTest::mousePress(&*bar_, Qt::LeftButton, {}, At(60));
    EXPECT_DOUBLE_EQ(bar_->Position(), 0.8);
    ASSERT_EQ(spy_->count(), 1);
    EXPECT_DOUBLE_EQ(LastNotified(), 0.8);
    EXPECT_TRUE(bar_->IsDragging());
    // While dragged the thumb takes the moving colour.
    EXPECT_TRUE(ThumbStart(InterfaceQColor(InterfaceColor::ScrollBarMoving)).has_value());
    QTest::mouseRelease(&*bar_, Qt::LeftButton, {}, At(60));
    EXPECT_FALSE(bar_->IsDragging());
    EXPECT_FALSE(ThumbStart(InterfaceQColor(InterfaceColor::ScrollBarMoving)).has_value());
}

TEST_F(ScrollBarTest, PressAwayFromTheThumbDoesNotJumpByAPage) {
    Show(Qt::Vertical);
    bar_->SetFree(false);
    bar_->SetRange(0.0, 100.0);
    bar_->SetPage(10.0);
    bar_->SetPosition(20.0);
    QTest::mousePress(&*bar_, Qt::LeftButton, {}, At(150));
    EXPECT_EQ(bar_->Position(), 20.0);
    QTest::mouseRelease(&*bar_, Qt::LeftButton, {}, At(150));
}

TEST_F(ScrollBarTest, DragMovesByTheDistanceOverTheTrackAndClamps) {
    Show(Qt::Vertical);
    bar_->SetRange(0.0, 100.0);
    bar_->SetPage(10.0);
    bar_->SetPosition(20.0);
    QTest::mousePress(&*bar_, Qt::LeftButton, {}, At(60));
    QTest::mouseMove(&*bar_, At(60 + 63));  // half of 128 − 2 pixels
    EXPECT_DOUBLE_EQ(bar_->Position(), 70.0);
    EXPECT_DOUBLE_EQ(LastNotified(), 70.0);
    QTest::mouseMove(&*bar_, At(60 - 25));
    EXPECT_DOUBLE_EQ(bar_->Position(), 20.0 - 25.0 / 126.0 * 100.0);
    QTest::mouseMove(&*bar_, At(kLength + 300));  // far outside: still captured
    EXPECT_DOUBLE_EQ(bar_->Position(), 90.0);
    QTest::mouseRelease(&*bar_, Qt::LeftButton, {}, At(kLength + 300));
    EXPECT_FALSE(bar_->IsDragging());
    const int count = spy_->count();
    QTest::mouseMove(&*bar_, At(50));
    EXPECT_DOUBLE_EQ(bar_->Position(), 90.0);
    EXPECT_EQ(spy_->count(), count);
}

TEST_F(ScrollBarTest, HorizontalBarDragsAlongX) {
    Show(Qt::Horizontal);
    bar_->SetRange(0.0, 100.0);
    bar_->SetPage(10.0);
    bar_->SetPosition(0.0);
    QTest::mousePress(&*bar_, Qt::LeftButton, {}, At(50));
    QTest::mouseMove(&*bar_, QPoint(50 + 63, 2));
    EXPECT_DOUBLE_EQ(bar_->Position(), 50.0);
    QTest::mouseRelease(&*bar_, Qt::LeftButton, {}, QPoint(50 + 63, 2));
}

TEST_F(ScrollBarTest, ReversedRangeButtonsLowerThePositionAndTheThumbStillMovesForward) {
    Show(Qt::Vertical);
    bar_->SetFree(false);
    bar_->SetRange(100.0, 0.0);
    bar_->SetPage(10.0);
    bar_->SetStep(1.0);
    bar_->SetPosition(90.0);
    const QColor thumb = InterfaceQColor(InterfaceColor::ScrollBar);
    EXPECT_EQ(ThumbStart(thumb), 38);
    Click(ScrollBarButton::PageForward);
    EXPECT_EQ(bar_->Position(), 80.0);
    EXPECT_EQ(ThumbStart(thumb), 38 + 12);  // 12.4 pixels further down
    Click(ScrollBarButton::StepBack);
    EXPECT_EQ(bar_->Position(), 81.0);
    bar_->SetPosition(5.0);
    Click(ScrollBarButton::PageForward);
    EXPECT_EQ(bar_->Position(), 0.0);
    EXPECT_EQ(ThumbStart(thumb), 38 + 124 - 12);

    // Dragging down lowers the position, so the thumb follows the mouse.
    bar_->SetPosition(60.0);
    QTest::mousePress(&*bar_, Qt::LeftButton, {}, At(80));
    QTest::mouseMove(&*bar_, At(80 + 63));
    EXPECT_DOUBLE_EQ(bar_->Position(), 10.0);
    QTest::mouseRelease(&*bar_, Qt::LeftButton, {}, At(80 + 63));
}

TEST_F(ScrollBarTest, OnlyTheLeftButtonPresses) {
    Show(Qt::Vertical);
    bar_->SetPosition(5.0);
    QTest::mousePress(&*bar_, Qt::RightButton, {}, At(60));
    EXPECT_FALSE(bar_->IsDragging());
    EXPECT_EQ(bar_->Position(), 5.0);
    EXPECT_EQ(spy_->count(), 0);
    QTest::mouseRelease(&*bar_, Qt::RightButton, {}, At(60));
}

TEST_F(ScrollBarTest, HidingTheBarEndsADrag) {
    Show(Qt::Vertical);
    QTest::mousePress(&*bar_, Qt::LeftButton, {}, At(60));
    ASSERT_TRUE(bar_->IsDragging());
    bar_->hide();
    EXPECT_FALSE(bar_->IsDragging());
}

TEST_F(ScrollBarTest, ToolTipsOnlyWhenAttachedAndFollowingTheOrientation) {
    Show(Qt::Vertical);
    EXPECT_TRUE(bar_->Button(ScrollBarButton::PageBack)->toolTip().isEmpty());
    bar_->AttachToolTips(QStringLiteral("Rows"));
    EXPECT_EQ(bar_->BarToolTip(), QStringLiteral("Rows"));
    EXPECT_EQ(bar_->Button(ScrollBarButton::PageBack)->toolTip(), "Scroll one page up");
    EXPECT_EQ(bar_->Button(ScrollBarButton::StepBack)->toolTip(), "Scroll one step up");
    EXPECT_EQ(bar_->Button(ScrollBarButton::StepForward)->toolTip(), "Scroll one step down");
    EXPECT_EQ(bar_->Button(ScrollBarButton::PageForward)->toolTip(), "Scroll one page down");
    bar_->SetOrientation(Qt::Horizontal);
    EXPECT_EQ(bar_->Button(ScrollBarButton::PageBack)->toolTip(), "Scroll one page left");
    EXPECT_EQ(bar_->Button(ScrollBarButton::StepBack)->toolTip(), "Scroll one step left");
    EXPECT_EQ(bar_->Button(ScrollBarButton::StepForward)->toolTip(), "Scroll one step right");
    EXPECT_EQ(bar_->Button(ScrollBarButton::PageForward)->toolTip(), "Scroll one page right");
}

int InkBetween(const QImage& image, int firstRow, int endRow) {
    const QColor background = InterfaceQColor(InterfaceColor::ScrollBarBackground);
    int ink = 0;
    for (int y = firstRow; y < endRow; ++y) {
        for (int x = 1; x < image.width() - 1; ++x) {
            ink += image.pixelColor(x, y) != background ? 1 : 0;
        }
    }
    return ink;
}
int InkAboveMiddle(const QImage& image) {
    return InkBetween(image, 1, image.height() / 2);
}
int InkBelowMiddle(const QImage& image) {
    return InkBetween(image, image.height() / 2, image.height() - 1);
}

TEST_F(ScrollBarTest, TheBarShowsItsOwnToolTipExceptWhileDragging) {
    Show(Qt::Vertical);
    const auto askForToolTip = [this] {
        QHelpEvent help(QEvent::ToolTip, At(100), bar_->mapToGlobal(At(100)));
        QApplication::sendEvent(&*bar_, &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    EXPECT_EQ(askForToolTip(), "");
    bar_->AttachToolTips(QStringLiteral("Rows"));
    EXPECT_EQ(askForToolTip(), "Rows");
    QTest::mousePress(&*bar_, Qt::LeftButton, {}, At(100));
    EXPECT_EQ(askForToolTip(), "");
    QTest::mouseRelease(&*bar_, Qt::LeftButton, {}, At(100));
}

TEST(ScrollBarImages, NamesToolTipsAndPictures) {
    EXPECT_EQ(ScrollBarImageName(ScrollBarImage::PageUp), "ScrollBarPageUp");
    EXPECT_EQ(ScrollBarImageName(ScrollBarImage::StepUp), "ScrollBarStepUp");
    EXPECT_EQ(ScrollBarImageName(ScrollBarImage::StepDown), "ScrollBarStepDown");
    EXPECT_EQ(ScrollBarImageName(ScrollBarImage::PageDown), "ScrollBarPageDown");
    EXPECT_EQ(ScrollBarImageName(ScrollBarImage::PageLeft), "ScrollBarPageLeft");
    EXPECT_EQ(ScrollBarImageName(ScrollBarImage::StepLeft), "ScrollBarStepLeft");
    EXPECT_EQ(ScrollBarImageName(ScrollBarImage::StepRight), "ScrollBarStepRight");
    EXPECT_EQ(ScrollBarImageName(ScrollBarImage::PageRight), "ScrollBarPageRight");
    EXPECT_EQ(ScrollBarButtonImage(ScrollBarButton::PageForward, false), ScrollBarImage::PageRight);
    EXPECT_EQ(ScrollBarButtonImage(ScrollBarButton::StepBack, true), ScrollBarImage::StepUp);

    const QImage up = ScrollBarPixmap(ScrollBarImage::StepUp, false).toImage();
    const QImage down = ScrollBarPixmap(ScrollBarImage::StepDown, false).toImage();
    const QImage pressed = ScrollBarPixmap(ScrollBarImage::StepUp, true).toImage();
    EXPECT_EQ(up.size(), QSize(18, 18));
    EXPECT_NE(up, down);
    EXPECT_NE(up, pressed);
    // An arrow is wide at its base: pointing up, most of its ink is below
    // the middle; pointing down, above it.
    EXPECT_GT(InkBelowMiddle(up), InkAboveMiddle(up));
    EXPECT_GT(InkAboveMiddle(down), InkBelowMiddle(down));
    EXPECT_FALSE(ScrollBarIcon(ScrollBarImage::PageLeft).isNull());
}

TEST(ScrollBarImages, FollowTheInterfaceColours) {
    CInterfaceColors& colors = CInterfaceColors::Instance();
    const QImage before = ScrollBarPixmap(ScrollBarImage::PageDown, false).toImage();
    colors.Set(InterfaceColor::ScrollBarBackground, MakeColor(200, 10, 10));
    const QImage after = ScrollBarPixmap(ScrollBarImage::PageDown, false).toImage();
    colors.ResetToDefaults();
    EXPECT_NE(before, after);
    EXPECT_EQ(after.pixelColor(3, 15), QColor(200, 10, 10));
}

}  // namespace
}  // namespace plexion
