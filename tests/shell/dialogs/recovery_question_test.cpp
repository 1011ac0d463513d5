#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLocale>
#include <QMessageBox>
#include <QTest>

#include <functional>

#include "modal_answer.h"
#include "recovery_question.h"

namespace plexion {
namespace {

using test::AnswerModal;

QAbstractButton* ButtonNamed(QMessageBox* box, const QString& text) {
    for (QAbstractButton* button : box->buttons()) {
        if (button->text() == text) {
            return button;
        }
    }
    return nullptr;
}

TEST(RecoveryQuestion, NamesTheDocumentAndTheTimeAndEachButtonGivesItsAnswer) {
    const QDateTime written(QDate(2026, 12, 7), QTime(21, 5));
    struct CCase {
        std::function<void(QMessageBox*)> press;
        RecoveryAnswer expected;
    };
    const auto click = [](const char* text) {
        return [text](QMessageBox* box) {
            QAbstractButton* button = ButtonNamed(box, QString::fromLatin1(text));
            ASSERT_NE(button, nullptr) << text;
            QTest::mouseClick(button, Qt::LeftButton);
        };
    };
    const CCase cases[] = {
        {click("&Recover"), RecoveryAnswer::Recover},
        {click("&Discard"), RecoveryAnswer::Discard},
        {click("&Later"), RecoveryAnswer::Later},
        {[](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }, RecoveryAnswer::Later},
        {[](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); }, RecoveryAnswer::Recover},
    };
    for (const CCase& test : cases) {
        QString text;
        int buttons = 0;
        AnswerModal<QMessageBox>([&](QMessageBox* box) {
            text = box->text();
            buttons = static_cast<int>(box->buttons().size());
            test.press(box);
        });
        EXPECT_EQ(AskToRecover(nullptr, QStringLiteral("/games/level.dat"), written),
                  test.expected);
        EXPECT_EQ(text, QStringLiteral("Recover unsaved changes to /games/level.dat from %1?")
                            .arg(QLocale().toString(written, QLocale::ShortFormat)));
        EXPECT_EQ(buttons, 3);
    }
}

}  // namespace
}  // namespace plexion
