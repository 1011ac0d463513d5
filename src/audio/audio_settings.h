#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "audio_device.h"

namespace plexion {

// The six audio settings of the application, with their start values.
struct CAudioSettings {
    std::int32_t deviceId = -1;
    std::int32_t bufferCount = 4;
    std::int32_t bufferLengthMs = 30;
    std::int32_t bitsPerSample = 16;
    std::int32_t rate = 44100;
    std::int32_t channels = 2;
};

// The value rules of the Audio Settings dialog; the dialog's widget calls
// them.
namespace audio_settings_rules {

inline constexpr std::int32_t kMinBuffers = 1;
inline constexpr std::int32_t kMaxBuffers = 32;
inline constexpr std::int32_t kMinBufferMs = 1;
inline constexpr std::int32_t kMaxBufferMs = 500;
inline constexpr std::array<std::int32_t, 3> kRates = {22050, 44100, 48000};
inline constexpr const char* kRateLabels[3] = {"22050 Hz", "44100 Hz", "48000 Hz"};

// The text of a number field read as an integer (leading blanks, an optional
// sign, then digits up to the first other character); nothing when it holds
// no digits or the number does not fit.
bool ReadInteger(const std::string& text, std::int32_t& value);
// "Number of Audio Buffers:": 1 to 32 becomes the count; anything else
// keeps `previous`.
std::int32_t BufferCountFromText(const std::string& text, std::int32_t previous);
// "Buffer Size:": 1 to 500 ms becomes the length; anything else keeps
// `previous`.
std::int32_t BufferLengthFromText(const std::string& text, std::int32_t previous);
// "%d [ms] = %d * %d [ms]".
std::string LatencyText(std::int32_t bufferCount, std::int32_t bufferLengthMs);
// The radio button of a rate, or -1 when none shows it.
int RateButton(std::int32_t rate);

}  // namespace audio_settings_rules

// The device enumeration list: (-1, "Windows Wave Mapper"), then one entry
// per device: "%s (Version %d.%d)" when the device has a driver version, its
// name alone where the platform has none.
std::vector<std::pair<int, std::string>> EnumerateAudioDevices(IAudioDevice& device);
// The list entry whose id is `deviceId`, or -1.
int SelectedDeviceEntry(const std::vector<std::pair<int, std::string>>& list, int deviceId);

}  // namespace plexion
