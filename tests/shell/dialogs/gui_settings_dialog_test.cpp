#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <vector>

#include "color_conversion.h"
#include "color_field.h"
#include "form_dialog.h"
#include "gui_settings_dialog.h"
#include "interface_colors.h"
#include "modal_answer.h"

namespace plexion {
namespace {

using test::AnswerModal;

class GuiSettingsDialog : public ::testing::Test {
protected:
    void SetUp() override { CInterfaceColors::Instance().ResetToDefaults(); }
    void TearDown() override { CInterfaceColors::Instance().ResetToDefaults(); }
};

QStringList LabelTexts(CFormDialog* dialog) {
    QStringList texts;
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        texts << label->text();
    }
    return texts;
}

// A colour for entry i that no default has.
QColor TestColor(int i) {
    return QColor(10 + i, 100 + 3 * i, 200 - 5 * i);
}

void SetEveryField(CFormDialog* dialog) {
    const QList<CColorField*> fields = dialog->findChildren<CColorField*>();
    for (int i = 0; i < fields.size(); ++i) {
        fields[i]->SetColor(TestColor(i));
    }
}

void Press(CFormDialog* dialog, QDialogButtonBox::StandardButton which) {
    QPushButton* button = dialog->findChild<QDialogButtonBox*>()->button(which);
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

TEST_F(GuiSettingsDialog, ShowsTheFourteenColoursUnderTheirSections) {
    CInterfaceColors::Instance().Set(InterfaceColor::WindowText, MakeColor(1, 2, 3));
    QString caption;
    QStringList labels;
    std::vector<QColor> shown;
    AnswerModal<CFormDialog>([&](CFormDialog* dialog) {
        caption = dialog->windowTitle();
        labels = LabelTexts(dialog);
        for (CColorField* field : dialog->findChildren<CColorField*>()) {
            shown.push_back(field->Color());
        }
        dialog->reject();
    });
    int minutes = 2;
    EXPECT_FALSE(ShowGuiSettingsDialog(nullptr, minutes));

    EXPECT_EQ(caption, "Graphical User Interface Colors");
    const QStringList expected = {
        "Focus Colors",        "Focused Area",       "Unfocused Area",        "Dialogs Colors",
        "Dialog Face",         "Dialog Text",        "Dialog Spotted Face",   "Dialog Spotted Text",
        "Windows Colors",      "Window Face",        "Window Text",           "Window Spotted Face",
        "Window Spotted Text", "Scroll Bars Colors", "Scroll Bar Background", "Scroll Bar Border",
        "Scroll Bar",          "Scroll Bar Moving",  "Recovery Copies",
        "&Autosave Every (Minutes, 0 = Off)",
    };
    EXPECT_EQ(labels, expected);
    ASSERT_EQ(shown.size(), 14u);
    for (int i = 0; i < kInterfaceColorCount; ++i) {
        EXPECT_EQ(shown[static_cast<std::size_t>(i)],
                  InterfaceQColor(static_cast<InterfaceColor>(i)))
            << "entry " << i;
    }
    EXPECT_EQ(shown[7], QColor(1, 2, 3));
}

TEST_F(GuiSettingsDialog, OkStoresEveryColourAndTheAutosaveMinutes) {
    int shownMinutes = -1;
    AnswerModal<CFormDialog>([&](CFormDialog* dialog) {
        SetEveryField(dialog);
        QSpinBox* minutes = dialog->findChild<QSpinBox*>();
        shownMinutes = minutes->value();
        minutes->setValue(0);
        Press(dialog, QDialogButtonBox::Ok);
    });
    int minutes = 7;
    EXPECT_TRUE(ShowGuiSettingsDialog(nullptr, minutes));
    EXPECT_EQ(shownMinutes, 7);
    EXPECT_EQ(minutes, 0);
    for (int i = 0; i < kInterfaceColorCount; ++i) {
        EXPECT_EQ(InterfaceQColor(static_cast<InterfaceColor>(i)), TestColor(i)) << "entry " << i;
    }
}

TEST_F(GuiSettingsDialog, CancelAndEscapeKeepEveryColour) {
    for (const bool escape : {false, true}) {
        AnswerModal<CFormDialog>([escape](CFormDialog* dialog) {
            SetEveryField(dialog);
            dialog->findChild<QSpinBox*>()->setValue(30);
            if (escape) {
                QTest::keyClick(dialog, Qt::Key_Escape);
            } else {
                Press(dialog, QDialogButtonBox::Cancel);
            }
        });
        int minutes = 2;
        EXPECT_FALSE(ShowGuiSettingsDialog(nullptr, minutes));
        EXPECT_EQ(minutes, 2);
        for (int i = 0; i < kInterfaceColorCount; ++i) {
            const auto entry = static_cast<InterfaceColor>(i);
            EXPECT_EQ(CInterfaceColors::Instance().Get(entry), CInterfaceColors::Default(entry))
                << "entry " << i << (escape ? " after Escape" : " after Cancel");
        }
    }
}

}  // namespace
}  // namespace plexion
