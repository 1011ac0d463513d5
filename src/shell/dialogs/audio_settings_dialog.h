#pragma once

#include <QDialog>

#include <string>
#include <utility>
#include <vector>

class QLabel;
class QLineEdit;

namespace plexion {

class CAudioSystem;

// The four audio settings the user can change; bits per sample and the
// channel count are not among them.
struct CAudioDialogValues {
    int deviceId = -1;
    int bufferCount = 4;
    int bufferLengthMs = 30;
    int rate = 44100;
};

// The Audio Settings dialog over plain values and a device list of (device
// id, name) pairs. Its fields follow the audio settings rules as they are
// typed or clicked; Values() holds what OK would take.
class CAudioSettingsDialog : public QDialog {
    Q_OBJECT
public:
    CAudioSettingsDialog(const CAudioDialogValues& start,
                         std::vector<std::pair<int, std::string>> devices,
                         QWidget* parent = nullptr);
    ~CAudioSettingsDialog() override;

    const CAudioDialogValues& Values() const { return values_; }

private:
    QWidget* MakeDeviceList();
    QWidget* MakeRateButtons();
    QWidget* MakeBufferCountField();
    QWidget* MakeLatencyBox();
    void ShowLatency();

    CAudioDialogValues values_;
    std::vector<std::pair<int, std::string>> devices_;
    QLineEdit* bufferCountField_ = nullptr;
    QLineEdit* bufferLengthField_ = nullptr;
    QLabel* latency_ = nullptr;
};

// The Audio Settings command: the dialog seeded with the engine's settings;
// on OK all sound stops, the four values are stored and the engine takes
// them. Returns whether OK was pressed.
bool RunAudioSettingsCommand(QWidget* parent, CAudioSystem& audio);

}  // namespace plexion
