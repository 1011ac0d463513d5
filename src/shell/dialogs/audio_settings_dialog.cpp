#include "audio_settings_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

#include "audio_settings.h"
#include "audio_system.h"
#include "color_conversion.h"

namespace plexion {
namespace {

namespace rules = audio_settings_rules;

constexpr int kNumberFieldWidth = 70;

// Typing goes through every intermediate text ("501" passes "50"), and each
// one that is in range is taken. When the user leaves the field it shows the
// value taken, so a refused text never stays on screen as if it were used.
QLineEdit* MakeNumberField(const int& value, const char* name) {
    auto* field = new QLineEdit(QString::number(value));
    field->setObjectName(QString::fromLatin1(name));
    field->setFixedWidth(kNumberFieldWidth);
    QObject::connect(field, &QLineEdit::editingFinished, field,
                     [field, &value] { field->setText(QString::number(value)); });
    return field;
}

QLabel* MakeLabel(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

CAudioSettingsDialog::CAudioSettingsDialog(const CAudioDialogValues& start,
                                           std::vector<std::pair<int, std::string>> devices,
                                           QWidget* parent)
    : QDialog(parent), values_(start), devices_(std::move(devices)) {
    setWindowTitle(QStringLiteral("Audio Settings"));
    QPalette colors = palette();
    colors.setColor(QPalette::Window, InterfaceQColor(InterfaceColor::DialogFace));
    colors.setColor(QPalette::WindowText, InterfaceQColor(InterfaceColor::DialogText));
    setPalette(colors);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeDeviceList(), 1);
    layout->addWidget(MakeRateButtons());
    layout->addWidget(MakeBufferCountField());
    layout->addWidget(MakeLatencyBox());
    layout->addWidget(buttons);
    ShowLatency();
}

// Closing the dialog takes the focus from a number field, and the edit it
// then reports must not reach a dialog that is half destroyed.
CAudioSettingsDialog::~CAudioSettingsDialog() {
    bufferCountField_->blockSignals(true);
    bufferLengthField_->blockSignals(true);
}

QWidget* CAudioSettingsDialog::MakeDeviceList() {
    auto* list = new QListWidget;
    list->setObjectName(QStringLiteral("deviceList"));
    for (const auto& device : devices_) {
        list->addItem(QString::fromStdString(device.second));
    }
    list->setCurrentRow(SelectedDeviceEntry(devices_, values_.deviceId));
    list->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    list->setMinimumHeight(list->fontMetrics().lineSpacing() * 5);
    connect(list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < static_cast<int>(devices_.size())) {
            values_.deviceId = devices_[static_cast<std::size_t>(row)].first;
        }
    });

    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(MakeLabel(QStringLiteral("Audio &Device:"), list));
    layout->addWidget(list, 1);
    return box;
}

QWidget* CAudioSettingsDialog::MakeRateButtons() {
    auto* box = new QGroupBox(QStringLiteral("Output Frequency:"));
    auto* layout = new QHBoxLayout(box);
    auto* group = new QButtonGroup(box);
    for (std::size_t i = 0; i < rules::kRates.size(); ++i) {
        auto* button = new QRadioButton(QString::fromLatin1(rules::kRateLabels[i]));
        group->addButton(button, static_cast<int>(i));
        layout->addWidget(button);
    }
    const int current = rules::RateButton(values_.rate);
    if (current >= 0) {
        group->button(current)->setChecked(true);
    }
    connect(group, &QButtonGroup::idClicked, this,
            [this](int id) { values_.rate = rules::kRates[static_cast<std::size_t>(id)]; });
    return box;
}

QWidget* CAudioSettingsDialog::MakeBufferCountField() {
    QLineEdit* field = MakeNumberField(values_.bufferCount, "bufferCountEdit");
    bufferCountField_ = field;
    connect(field, &QLineEdit::textChanged, this, [this](const QString& text) {
        values_.bufferCount = rules::BufferCountFromText(text.toStdString(), values_.bufferCount);
        ShowLatency();
    });

    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(MakeLabel(QStringLiteral("&Number of Audio Buffers:"), field), 1);
    layout->addWidget(field);
    layout->addWidget(new QLabel(QStringLiteral("Default is 4.")));
    return row;
}

QWidget* CAudioSettingsDialog::MakeLatencyBox() {
    QLineEdit* field = MakeNumberField(values_.bufferLengthMs, "bufferLengthEdit");
    bufferLengthField_ = field;
    connect(field, &QLineEdit::textChanged, this, [this](const QString& text) {
        values_.bufferLengthMs =
            rules::BufferLengthFromText(text.toStdString(), values_.bufferLengthMs);
        ShowLatency();
    });
    latency_ = new QLabel;
    latency_->setObjectName(QStringLiteral("latencyText"));
    latency_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* box = new QGroupBox(QStringLiteral("Audio Latency:"));
    auto* layout = new QGridLayout(box);
    layout->addWidget(MakeLabel(QStringLiteral("&Buffer Size:"), field), 0, 0);
    layout->addWidget(field, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("Default is 30.")), 0, 2);
    layout->addWidget(new QLabel(QStringLiteral("Output Latency:")), 1, 0);
    layout->addWidget(latency_, 1, 1, 1, 2);
    layout->setColumnStretch(2, 1);
    return box;
}

void CAudioSettingsDialog::ShowLatency() {
    latency_->setText(
        QString::fromStdString(rules::LatencyText(values_.bufferCount, values_.bufferLengthMs)));
}

bool RunAudioSettingsCommand(QWidget* parent, CAudioSystem& audio) {
    CAudioSettings& settings = audio.Settings();
    CAudioSettingsDialog dialog(
        {settings.deviceId, settings.bufferCount, settings.bufferLengthMs, settings.rate},
        EnumerateAudioDevices(audio.Device()), parent);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    audio.ShutDownAudio();
    const CAudioDialogValues& chosen = dialog.Values();
    settings.deviceId = chosen.deviceId;
    settings.bufferCount = chosen.bufferCount;
    settings.bufferLengthMs = chosen.bufferLengthMs;
    settings.rate = chosen.rate;
    audio.ApplyAudioSettings();
    return true;
}

}  // namespace plexion
