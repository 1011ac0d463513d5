#include "utf8.h"

#include <cstdint>

namespace plexion::tool {
namespace {

// How many continuation bytes follow `lead`, and the range the second byte
// must lie in so that the sequence is neither overlong nor out of range.
struct CLeadRule {
    int continuations;
    std::uint8_t secondMin;
    std::uint8_t secondMax;
};

bool RuleFor(std::uint8_t lead, CLeadRule& rule) {
    if (lead >= 0xC2 && lead <= 0xDF) {
        rule = {1, 0x80, 0xBF};
    } else if (lead == 0xE0) {
        rule = {2, 0xA0, 0xBF};
    } else if (lead == 0xED) {
        rule = {2, 0x80, 0x9F};  // excludes the surrogates
    } else if (lead >= 0xE1 && lead <= 0xEF) {
        rule = {2, 0x80, 0xBF};
    } else if (lead == 0xF0) {
        rule = {3, 0x90, 0xBF};
    } else if (lead >= 0xF1 && lead <= 0xF3) {
        rule = {3, 0x80, 0xBF};
    } else if (lead == 0xF4) {
        rule = {3, 0x80, 0x8F};
    } else {
        return false;
    }
    return true;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<std::uint8_t>(bytes[i++]);
        if (lead < 0x80) {
            continue;
        }
        CLeadRule rule{};
        if (!RuleFor(lead, rule) ||
            bytes.size() - i < static_cast<std::size_t>(rule.continuations)) {
            return false;
        }
        const auto second = static_cast<std::uint8_t>(bytes[i]);
        if (second < rule.secondMin || second > rule.secondMax) {
            return false;
        }
        for (int k = 1; k < rule.continuations; ++k) {
            const auto next = static_cast<std::uint8_t>(bytes[i + k]);
            if (next < 0x80 || next > 0xBF) {
                return false;
            }
        }
        i += static_cast<std::size_t>(rule.continuations);
    }
    return true;
}

}  // namespace plexion::tool
