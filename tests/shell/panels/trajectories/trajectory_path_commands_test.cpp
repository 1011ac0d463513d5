#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>

#include <memory>
#include <string>
#include <vector>

#include "bitmap_item.h"
#include "panel_user.h"
#include "simple_panel_fixture.h"
#include "trajectories_panel.h"
#include "trajectory_item.h"

namespace plexion {
namespace {

struct CPromptSeen {
    QString caption;
    QString label;
    QString value;
};

// Answers the next value prompt with `typed`, noting what it showed.
void AnswerPrompt(const QString& typed, CPromptSeen& seen) {
    test::WhenShown([typed, &seen] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) {
            return false;
        }
        seen.caption = dialog->windowTitle();
        const QList<QLabel*> labels = dialog->findChildren<QLabel*>();
        seen.label = labels.isEmpty() ? QString() : labels.first()->text();
        auto* field = dialog->findChild<QLineEdit*>();
        seen.value = field->text();
        field->setText(typed);
        dialog->accept();
        return true;
    });
}

class TrajectoryCommands : public test::CSimplePanelTest<CTrajectoriesPanel> {
protected:
    void SetUp() override {
        CSimplePanelTest::SetUp();
        edits_ = std::make_unique<QSignalSpy>(&document_, &CPlexionDoc::changed);
    }
    int Add(const std::string& id, const std::vector<CPathPoint>& points) {
        const int index = Resources().New<CVKT_Trajectory>(id);
        for (const CPathPoint& p : points) {
            Resources().GetAt<CVKT_Trajectory>(index)->AddPoint(p.x, p.y);
        }
        Panel().Refresh(true);
        return index;
    }
    const CVKT_Trajectory& Trajectory(int index) {
        return *Resources().GetAt<CVKT_Trajectory>(index);
    }
    void Run(int offset) {
        Panel().OnEditCommand(nullptr, CResourcePanel::kFirstEditCommand,
                              CResourcePanel::kFirstEditCommand + offset);
    }
    int Edits() const { return static_cast<int>(edits_->size()); }

    std::unique_ptr<QSignalSpy> edits_;
};

TEST_F(TrajectoryCommands, PromptsOfferTheLastValueClampedIntoItsRange) {
    const int path = Add("path", {{0, 0}, {0.05, 0}});
    Panel().SetCursorItem(path);
    const struct {
        int offset;
        const char* caption;
        const char* label;
        const char* first;
        const char* typed;
        const char* next;
    } cases[] = {
        {101, "Resample", "Distance Between Points (0.01 to 10000)", "3.00", "0", "0.01"},
        {101, "Resample", "Distance Between Points (0.01 to 10000)", "0.01", "20000", "10000.00"},
        {102, "Smooth", "Smooth Range in Nb of Values (2 to 10000)", "10", "1", "2"},
        {103, "Quantify", "Quantify Grid Size (0.001 to 10000)", "5.000", "0.0001", "0.001"},
        {104, "Add Noise", "Noise Level (0.0001 to 10000)", "2.0000", "0.00005", "0.0001"},
    };
    for (const auto& c : cases) {
        CPromptSeen seen;
        AnswerPrompt(QString::fromLatin1(c.typed), seen);
        Run(c.offset);
        EXPECT_EQ(seen.caption, c.caption);
        EXPECT_EQ(seen.label, c.label);
        EXPECT_EQ(seen.value, c.first) << c.caption;
        AnswerPrompt(QString::fromLatin1(c.typed), seen);
        Run(c.offset);
        EXPECT_EQ(seen.value, c.next) << c.caption;
        if (c.offset == 101 && std::string(c.typed) == "0") {
            // Resampled with 0.01 both times.
            EXPECT_EQ(Trajectory(path).Count(), 5);
        }
    }
}

TEST_F(TrajectoryCommands, ACommandOverSeveralTrajectoriesIsOneChange) {
    const int a = Add("a", {{0, 0}, {1, 1}});
    const int b = Add("b", {{2, 2}});
    const int c = Add("c", {{3, 3}});
    Panel().SetMarked(a, true, true, true);
    Panel().SetCursorItem(b);
    Run(100);
    EXPECT_EQ(Trajectory(a).Count(), 0);
    EXPECT_EQ(Trajectory(b).Count(), 0);
    EXPECT_EQ(Trajectory(c).Count(), 1);
    EXPECT_EQ(Edits(), 1);
    EXPECT_EQ(Shown(CTrajectoriesPanel::kSpecificationsColumn, 1), "0 Points, 0 Bytes");

    Panel().SetCursorItem(c);
    Run(500);
    EXPECT_EQ(Trajectory(c).CenterOfMass(), (CPathPoint{3, 3}));
    EXPECT_EQ(Edits(), 2);

    // Text that is no number is refused and changes nothing.
    test::WhenShown([] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return false;
        }
        EXPECT_EQ(box->text(), "\"many\" is not a number: nothing was changed.");
        box->accept();
        return true;
    });
    CPromptSeen seen;
    AnswerPrompt(QStringLiteral("many"), seen);
    Run(102);
    EXPECT_EQ(Edits(), 2);
}

TEST_F(TrajectoryCommands, ConvertingThreeTrajectoriesMakesOneRegionNamingThemAll) {
    const int a = Add("A", {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    const int b = Add("B", {{40, 40}, {60, 60}});
    const int c = Add("C", {{20, 0}, {30, 0}, {20, 10}});
    Panel().SetMarked(a, true, true, true);
    Panel().SetMarked(b, true, true, true);
    Panel().SetCursorItem(c);
    Run(400);
    ASSERT_EQ(Resources().Count<CVKT_Bitmap>(), 1);
    const CVKT_Bitmap& region = *Resources().GetAt<CVKT_Bitmap>(0);
    EXPECT_EQ(region.ID(), "New Region");
    EXPECT_EQ(region.Comments(), "Trajectories: A, B, C");
    EXPECT_TRUE(region.PointInRegion(5, 5));
    EXPECT_TRUE(region.PointInRegion(21, 2));
    EXPECT_FALSE(region.PointInRegion(50, 50));
    EXPECT_EQ(Edits(), 1);
}

}  // namespace
}  // namespace plexion
