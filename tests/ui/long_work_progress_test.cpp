#include <gtest/gtest.h>

#include <QProgressDialog>
#include <QWidget>

#include "long_work_progress.h"
#include "modal_answer.h"

namespace plexion {
namespace {

using test::AnswerModal;

// Short work shows nothing; work past the delay shows the dialog, and its
// Cancel is seen by the next steps.
TEST(LongWorkProgress, ShowsOnlyLongWorkAndReportsCancel) {
    QWidget window;
    window.show();
    constexpr qint64 kSteps = 1 << 22;
    {
        CLongWorkProgress quick(&window, QStringLiteral("Replacing..."), kSteps, 60'000);
        for (qint64 step = 0; step < kSteps; step += 1024) {
            ASSERT_FALSE(quick.Cancelled(step));
        }
        EXPECT_FALSE(quick.Shown());
    }
    QString label;
    AnswerModal<QProgressDialog>([&label](QProgressDialog* dialog) {
        label = dialog->labelText();
        dialog->cancel();
    });
    CLongWorkProgress slow(&window, QStringLiteral("Replacing..."), kSteps, 0);
    qint64 cancelledAt = -1;
    for (qint64 step = 0; step < kSteps && cancelledAt < 0; ++step) {
        if (slow.Cancelled(step)) {
            cancelledAt = step;
        }
    }
    EXPECT_TRUE(slow.Shown());
    EXPECT_GE(cancelledAt, 0);
    EXPECT_EQ(label, "Replacing...");
}

}  // namespace
}  // namespace plexion
