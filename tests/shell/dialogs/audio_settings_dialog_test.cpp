#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "audio_device.h"
#include "audio_settings_dialog.h"
#include "audio_system.h"
#include "modal_answer.h"
#include "wav_memory.h"

namespace plexion {
namespace {

using test::AnswerModal;

const std::vector<std::pair<int, std::string>> kDevices = {
    {-1, "Windows Wave Mapper"}, {0, "Speakers (Version 1.2)"}, {1, "Headphones"}};

QLineEdit* BufferCountField(QDialog* dialog) {
    return dialog->findChild<QLineEdit*>(QStringLiteral("bufferCountEdit"));
}
QLineEdit* BufferLengthField(QDialog* dialog) {
    return dialog->findChild<QLineEdit*>(QStringLiteral("bufferLengthEdit"));
}
QString Latency(QDialog* dialog) {
    return dialog->findChild<QLabel*>(QStringLiteral("latencyText"))->text();
}
QListWidget* DeviceList(QDialog* dialog) {
    return dialog->findChild<QListWidget*>(QStringLiteral("deviceList"));
}
QRadioButton* RateButton(QDialog* dialog, const QString& label) {
    for (QRadioButton* button : dialog->findChildren<QRadioButton*>()) {
        if (button->text() == label) {
            return button;
        }
    }
    return nullptr;
}
QStringList CheckedRates(QDialog* dialog) {
    QStringList checked;
    for (QRadioButton* button : dialog->findChildren<QRadioButton*>()) {
        if (button->isChecked()) {
            checked << button->text();
        }
    }
    return checked;
}

void Type(QLineEdit* field, const QString& text) {
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

void Click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

void Press(QDialog* dialog, QDialogButtonBox::StandardButton which) {
    Click(dialog->findChild<QDialogButtonBox*>()->button(which));
}

QStringList Labels(QDialog* dialog) {
    QStringList texts;
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        texts << label->text().remove(QLatin1Char('&'));
    }
    return texts;
}

TEST(AudioSettingsDialog, ShowsItsStartValues) {
    CAudioSettingsDialog dialog({1, 8, 45, 22050}, kDevices);
    EXPECT_EQ(dialog.windowTitle(), "Audio Settings");
    EXPECT_EQ(BufferCountField(&dialog)->text(), "8");
    EXPECT_EQ(BufferLengthField(&dialog)->text(), "45");
    EXPECT_EQ(Latency(&dialog), "360 [ms] = 8 * 45 [ms]");
    EXPECT_EQ(CheckedRates(&dialog), QStringList{"22050 Hz"});
    ASSERT_EQ(DeviceList(&dialog)->count(), 3);
    EXPECT_EQ(DeviceList(&dialog)->item(0)->text(), "Windows Wave Mapper");
    EXPECT_EQ(DeviceList(&dialog)->item(1)->text(), "Speakers (Version 1.2)");
    EXPECT_EQ(DeviceList(&dialog)->currentRow(), 2);

    const QStringList labels = Labels(&dialog);
    for (const char* label : {"Audio Device:", "Number of Audio Buffers:", "Default is 4.",
                              "Buffer Size:", "Default is 30.", "Output Latency:"}) {
        EXPECT_TRUE(labels.contains(QString::fromLatin1(label))) << label;
    }
    QStringList rates;
    for (QRadioButton* button : dialog.findChildren<QRadioButton*>()) {
        rates << button->text();
    }
    EXPECT_EQ(rates, (QStringList{"22050 Hz", "44100 Hz", "48000 Hz"}));
}

TEST(AudioSettingsDialog, AnUnlistedRateOrDeviceChecksNothing) {
    CAudioSettingsDialog dialog({7, 4, 30, 32000}, kDevices);
    EXPECT_TRUE(CheckedRates(&dialog).isEmpty());
    EXPECT_EQ(DeviceList(&dialog)->currentRow(), -1);
    EXPECT_EQ(dialog.Values().rate, 32000);
    EXPECT_EQ(dialog.Values().deviceId, 7);
}

// Shows the dialog as the active window, so that focus moves as for a user.
void ShowActive(QDialog& dialog) {
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

TEST(AudioSettingsDialog, NumberFieldsTakeOnlyValuesInTheirRanges) {
    CAudioSettingsDialog dialog({-1, 4, 30, 44100}, kDevices);
    ShowActive(dialog);
    EXPECT_EQ(Latency(&dialog), "120 [ms] = 4 * 30 [ms]");

    // Whole texts at once, as pasted.
    for (const char* refused : {"0", "33", "-4", "abc", ""}) {
        BufferCountField(&dialog)->setText(QString::fromLatin1(refused));
        EXPECT_EQ(dialog.Values().bufferCount, 4) << refused;
        EXPECT_EQ(Latency(&dialog), "120 [ms] = 4 * 30 [ms]") << refused;
    }
    for (const char* refused : {"0", "501", "x"}) {
        BufferLengthField(&dialog)->setText(QString::fromLatin1(refused));
        EXPECT_EQ(dialog.Values().bufferLengthMs, 30) << refused;
    }
    Type(BufferCountField(&dialog), QStringLiteral("32"));
    EXPECT_EQ(dialog.Values().bufferCount, 32);
    Type(BufferCountField(&dialog), QStringLiteral("1"));
    EXPECT_EQ(dialog.Values().bufferCount, 1);
    Type(BufferCountField(&dialog), QStringLiteral("6"));
    EXPECT_EQ(Latency(&dialog), "180 [ms] = 6 * 30 [ms]");
    Type(BufferLengthField(&dialog), QStringLiteral("500"));
    EXPECT_EQ(dialog.Values().bufferLengthMs, 500);
    Type(BufferLengthField(&dialog), QStringLiteral("45"));
    EXPECT_EQ(Latency(&dialog), "270 [ms] = 6 * 45 [ms]");
}

TEST(AudioSettingsDialog, ALeftFieldShowsTheValueTaken) {
    CAudioSettingsDialog dialog({-1, 4, 30, 44100}, kDevices);
    ShowActive(dialog);
    // Typed key by key, "33" passes "3", which is taken; the second "3" is
    // refused.
    Type(BufferCountField(&dialog), QStringLiteral("33"));
    EXPECT_EQ(dialog.Values().bufferCount, 3);
    EXPECT_EQ(Latency(&dialog), "90 [ms] = 3 * 30 [ms]");
    EXPECT_EQ(BufferCountField(&dialog)->text(), "33");
    QTest::keyClick(BufferCountField(&dialog), Qt::Key_Tab);
    EXPECT_EQ(BufferCountField(&dialog)->text(), "3");

    Type(BufferLengthField(&dialog), QStringLiteral("0"));
    QTest::keyClick(BufferLengthField(&dialog), Qt::Key_Tab);
    EXPECT_EQ(BufferLengthField(&dialog)->text(), "30");
    EXPECT_EQ(dialog.Values().bufferLengthMs, 30);
}

TEST(AudioSettingsDialog, RateButtonsAndDeviceListSetTheirValues) {
    CAudioSettingsDialog dialog({-1, 4, 30, 44100}, kDevices);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    Click(RateButton(&dialog, QStringLiteral("48000 Hz")));
    EXPECT_EQ(dialog.Values().rate, 48000);
    EXPECT_EQ(CheckedRates(&dialog), QStringList{"48000 Hz"});
    Click(RateButton(&dialog, QStringLiteral("22050 Hz")));
    EXPECT_EQ(dialog.Values().rate, 22050);

    QListWidget* list = DeviceList(&dialog);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(dialog.Values().deviceId, 0);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(dialog.Values().deviceId, 1);
    QTest::keyClick(list, Qt::Key_Home);
    EXPECT_EQ(dialog.Values().deviceId, -1);
}

class AudioSettingsCommand : public ::testing::Test {
protected:
    void SetUp() override {
        audio_.SetWaiter([](int) {});
        audio_.ApplyAudioSettings();
        // A sound on a voice, so that the command can be seen to stop it.
        ASSERT_NE(audio_.PlaySound(&sound_), nullptr);
        opensBefore_ = device_.OpenCount();
    }

    CNullAudioDevice device_;
    CVKT_WavMemory sound_;
    CAudioSystem audio_{device_};
    int opensBefore_ = 0;
};

TEST_F(AudioSettingsCommand, OkStopsAllSoundAndAppliesTheFourValues) {
    QStringList seeded;
    AnswerModal<CAudioSettingsDialog>([&seeded](CAudioSettingsDialog* dialog) {
        seeded << BufferCountField(dialog)->text() << BufferLengthField(dialog)->text()
               << CheckedRates(dialog) << DeviceList(dialog)->currentItem()->text()
               << DeviceList(dialog)->item(1)->text();
        DeviceList(dialog)->setCurrentRow(1);
        Type(BufferCountField(dialog), QStringLiteral("6"));
        Type(BufferLengthField(dialog), QStringLiteral("20"));
        Click(RateButton(dialog, QStringLiteral("48000 Hz")));
        Press(dialog, QDialogButtonBox::Ok);
    });
    EXPECT_TRUE(RunAudioSettingsCommand(nullptr, audio_));

    EXPECT_EQ(seeded, (QStringList{"4", "30", "44100 Hz", "Windows Wave Mapper",
                                   "Null Output (Version 1.2)"}));
    const CAudioSettings& settings = audio_.Settings();
    EXPECT_EQ(settings.deviceId, 0);
    EXPECT_EQ(settings.bufferCount, 6);
    EXPECT_EQ(settings.bufferLengthMs, 20);
    EXPECT_EQ(settings.rate, 48000);
    EXPECT_EQ(settings.bitsPerSample, 16);
    EXPECT_EQ(settings.channels, 2);

    EXPECT_EQ(audio_.FindSoundVoice(&sound_), nullptr);
    // The engine was opened once with the new settings, then closed again.
    EXPECT_EQ(device_.OpenCount(), opensBefore_ + 1);
    EXPECT_EQ(device_.DeviceId(), 0);
    EXPECT_EQ(device_.Format().rate, 48000);
    EXPECT_EQ(device_.Format().bitsPerSample, 16);
    EXPECT_EQ(device_.Format().channels, 2);
    EXPECT_FALSE(audio_.Output().IsOpen());
    EXPECT_EQ(audio_.Mixer().Count(), CAudioSystem::kVoiceCount);
}

TEST_F(AudioSettingsCommand, CancelChangesNothing) {
    AnswerModal<CAudioSettingsDialog>([](CAudioSettingsDialog* dialog) {
        Type(BufferCountField(dialog), QStringLiteral("9"));
        Click(RateButton(dialog, QStringLiteral("22050 Hz")));
        Press(dialog, QDialogButtonBox::Cancel);
    });
    EXPECT_FALSE(RunAudioSettingsCommand(nullptr, audio_));

    const CAudioSettings& settings = audio_.Settings();
    EXPECT_EQ(settings.deviceId, -1);
    EXPECT_EQ(settings.bufferCount, 4);
    EXPECT_EQ(settings.bufferLengthMs, 30);
    EXPECT_EQ(settings.rate, 44100);
    EXPECT_EQ(device_.OpenCount(), opensBefore_);
    EXPECT_NE(audio_.FindSoundVoice(&sound_), nullptr);
    EXPECT_TRUE(audio_.Output().IsOpen());
}

}  // namespace
}  // namespace plexion
