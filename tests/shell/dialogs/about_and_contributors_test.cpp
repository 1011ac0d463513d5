#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "about_dialog.h"
#include "application_information.h"
#include "contributors_dialog.h"
#include "form_dialog.h"
#include "modal_answer.h"

namespace plexion {
namespace {

using test::AnswerModal;

QStringList LabelTexts(QWidget* window) {
    QStringList texts;
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->text().isEmpty()) {
            texts << label->text();
        }
    }
    return texts;
}

void Press(QWidget* window, QDialogButtonBox::StandardButton which) {
    QPushButton* button = window->findChild<QDialogButtonBox*>()->button(which);
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

TEST(AboutBox, ShowsThePictureTheProductAndItsVersionWithOk) {
    QString caption;
    QStringList texts;
    bool hasPicture = false;
    QList<QAbstractButton*> buttons;
    AnswerModal<QDialog>([&](QDialog* dialog) {
        caption = dialog->windowTitle();
        texts = LabelTexts(dialog);
        for (QLabel* label : dialog->findChildren<QLabel*>()) {
            hasPicture = hasPicture || !label->pixmap().isNull();
        }
        buttons = dialog->findChild<QDialogButtonBox*>()->buttons();
        Press(dialog, QDialogButtonBox::Ok);
    });
    ShowAboutBox(nullptr);

    EXPECT_EQ(caption, "About Plexion");
    EXPECT_EQ(texts, QStringList{"Plexion Version 3.4"});
    EXPECT_TRUE(hasPicture);
    EXPECT_EQ(buttons.size(), 1);
}

TEST(AboutBox, TheApplicationIconComesInTheUsualSizes) {
    const QIcon icon = ApplicationIcon();
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    for (int size : {16, 32, 48, 256}) {
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    }
    // Drawn, not blank: the corner is transparent, the middle is not.
    const QImage picture = icon.pixmap(QSize(64, 64)).toImage();
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(picture.pixel(32, 32)), 255);
}

QStringList ContributorsTexts(const InformationLookup* lookup, QString* caption = nullptr) {
    QStringList texts;
    AnswerModal<CFormDialog>([&](CFormDialog* dialog) {
        if (caption != nullptr) {
            *caption = dialog->windowTitle();
        }
        texts = LabelTexts(dialog);
        Press(dialog, QDialogButtonBox::Cancel);
    });
    if (lookup != nullptr) {
        ShowContributorsDialog(nullptr, *lookup);
    } else {
        ShowContributorsDialog(nullptr);
    }
    return texts;
}

TEST(ContributorsDialog, ShowsTheTwoInformationTextsUnderTheirTitles) {
    QString caption;
    const QStringList texts = ContributorsTexts(nullptr, &caption);
    EXPECT_EQ(caption, "Contributors List");
    const auto contributors = ApplicationInformationText(QStringLiteral("contributors"));
    const auto needed = ApplicationInformationText(QStringLiteral("needed contributions"));
    ASSERT_TRUE(contributors.has_value());
    ASSERT_TRUE(needed.has_value());
    EXPECT_FALSE(contributors->isEmpty());
    EXPECT_FALSE(needed->isEmpty());
    EXPECT_EQ(texts,
              (QStringList{"Contributors List", *contributors, "Needed Contributions", *needed}));
    EXPECT_FALSE(ApplicationInformationText(QStringLiteral("Contributors")).has_value());
}

TEST(ContributorsDialog, MissingTextsShowNone) {
    const InformationLookup nothing = [](const QString&) { return std::optional<QString>(); };
    EXPECT_EQ(ContributorsTexts(&nothing),
              (QStringList{"Contributors List", "None", "Needed Contributions", "None"}));

    const InformationLookup onlyContributors = [](const QString& key) {
        return key == "contributors" ? std::optional<QString>(QStringLiteral("Ann and Bo"))
                                     : std::nullopt;
    };
    EXPECT_EQ(ContributorsTexts(&onlyContributors),
              (QStringList{"Contributors List", "Ann and Bo", "Needed Contributions", "None"}));
}

TEST(ContributorsDialog, OkClosesItToo) {
    bool answered = false;
    AnswerModal<CFormDialog>([&answered](CFormDialog* dialog) {
        answered = true;
        Press(dialog, QDialogButtonBox::Ok);
    });
    ShowContributorsDialog(nullptr);
    EXPECT_TRUE(answered);
}

}  // namespace
}  // namespace plexion
