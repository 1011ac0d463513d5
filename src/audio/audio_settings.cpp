#include "audio_settings.h"

#include <cstdio>
#include <limits>

namespace plexion {
namespace audio_settings_rules {

bool ReadInteger(const std::string& text, std::int32_t& value) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t number = 0;
    bool digits = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        number = number * 10 + (text[i] - '0');
        digits = true;
        if (number > std::numeric_limits<std::int32_t>::max()) {
            return false;
        }
    }
    if (!digits) {
        return false;
    }
    value = static_cast<std::int32_t>(negative ? -number : number);
    return true;
}

std::int32_t BufferCountFromText(const std::string& text, std::int32_t previous) {
    std::int32_t value = 0;
    return ReadInteger(text, value) && value >= kMinBuffers && value <= kMaxBuffers ? value
                                                                                    : previous;
}

std::int32_t BufferLengthFromText(const std::string& text, std::int32_t previous) {
    std::int32_t value = 0;
    return ReadInteger(text, value) && value >= kMinBufferMs && value <= kMaxBufferMs ? value
                                                                                      : previous;
}

std::string LatencyText(std::int32_t bufferCount, std::int32_t bufferLengthMs) {
    char text[96];
    std::snprintf(text, sizeof text, "%d [ms] = %d * %d [ms]", bufferCount * bufferLengthMs,
                  bufferCount, bufferLengthMs);
    return text;
}

int RateButton(std::int32_t rate) {
    for (std::size_t i = 0; i < kRates.size(); ++i) {
        if (kRates[i] == rate) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace audio_settings_rules

std::vector<std::pair<int, std::string>> EnumerateAudioDevices(IAudioDevice& device) {
    std::vector<std::pair<int, std::string>> list = {{-1, "Windows Wave Mapper"}};
    const std::vector<CAudioDeviceCaps> devices = device.Devices();
    for (std::size_t i = 0; i < devices.size(); ++i) {
        const CAudioDeviceCaps& caps = devices[i];
        std::string name = caps.name;
        if (caps.hasDriverVersion) {
            char version[64];
            std::snprintf(version, sizeof version, " (Version %u.%u)",
                          (caps.driverVersion >> 8) & 0xFFu, caps.driverVersion & 0xFFu);
            name += version;
        }
        list.emplace_back(static_cast<int>(i), std::move(name));
    }
    return list;
}

int SelectedDeviceEntry(const std::vector<std::pair<int, std::string>>& list, int deviceId) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].first == deviceId) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace plexion
