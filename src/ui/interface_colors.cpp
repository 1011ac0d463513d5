#include "interface_colors.h"

#include <algorithm>
#include <cmath>

namespace plexion {
namespace {

constexpr ColorRef kWhite = MakeColor(255, 255, 255);
constexpr ColorRef kBlack = MakeColor(0, 0, 0);
constexpr ColorRef kDialogFaceDefault = MakeColor(58, 110, 165);

constexpr std::array<const char*, kInterfaceColorCount> kNames = {
    "Focused Area",        "Unfocused Area",      "Dialog Face",           "Dialog Text",
    "Dialog Spotted Face", "Dialog Spotted Text", "Window Face",           "Window Text",
    "Window Spotted Face", "Window Spotted Text", "Scroll Bar Background", "Scroll Bar Border",
    "Scroll Bar",          "Scroll Bar Moving",
};

int MixChannel(int from, int to, double f) {
    return static_cast<int>(std::floor((1.0 - f) * from + f * to + 0.5));
}

}  // namespace

ColorRef MixColor(ColorRef c, ColorRef target, double f) {
    f = std::clamp(f, 0.0, 1.0);
    return MakeColor(MixChannel(RedOf(c), RedOf(target), f),
                     MixChannel(GreenOf(c), GreenOf(target), f),
                     MixChannel(BlueOf(c), BlueOf(target), f));
}

ColorRef LightenColor(ColorRef c, double f) {
    return MixColor(c, kWhite, f);
}

ColorRef DarkenColor(ColorRef c, double f) {
    return MixColor(c, kBlack, f);
}

bool IsBrightColor(ColorRef c) {
    return (RedOf(c) + GreenOf(c) + BlueOf(c)) / 3 > 128;
}

ColorRef ContrastColor(ColorRef c, double f) {
    return IsBrightColor(c) ? DarkenColor(c, f) : LightenColor(c, f);
}

ColorRef GrayColor(ColorRef c) {
    const int gray = (RedOf(c) + GreenOf(c) + BlueOf(c)) / 3;
    return MakeColor(gray, gray, gray);
}

std::string InterfaceColorName(InterfaceColor entry) {
    return kNames[static_cast<std::size_t>(entry)];
}

ColorRef CInterfaceColors::Default(InterfaceColor entry) {
    switch (entry) {
        case InterfaceColor::FocusedArea:
            return MakeColor(128, 255, 0);
        case InterfaceColor::UnfocusedArea:
            return MakeColor(0, 64, 0);
        case InterfaceColor::DialogFace:
            return kDialogFaceDefault;
        case InterfaceColor::DialogText:
            return kWhite;
        case InterfaceColor::DialogSpottedFace:
            return MakeColor(255, 200, 98);
        case InterfaceColor::DialogSpottedText:
            return MakeColor(128, 0, 0);
        case InterfaceColor::WindowFace:
            return MakeColor(213, 233, 242);
        case InterfaceColor::WindowText:
            return kBlack;
        case InterfaceColor::WindowSpottedFace:
            return MakeColor(255, 217, 0);
        case InterfaceColor::WindowSpottedText:
            return MakeColor(183, 137, 0);
        case InterfaceColor::ScrollBarBackground:
            return LightenColor(kDialogFaceDefault, 0.5);
        case InterfaceColor::ScrollBarBorder:
        case InterfaceColor::ScrollBar:
            return kDialogFaceDefault;
        case InterfaceColor::ScrollBarMoving:
            return kBlack;
    }
    return kBlack;
}

CInterfaceColors& CInterfaceColors::Instance() {
    static CInterfaceColors colors;
    return colors;
}

CInterfaceColors::CInterfaceColors() {
    for (int i = 0; i < kInterfaceColorCount; ++i) {
        entries_[i].color = Default(static_cast<InterfaceColor>(i));
    }
}

ColorRef CInterfaceColors::Get(InterfaceColor entry) const {
    return entries_[static_cast<std::size_t>(entry)].color;
}

void CInterfaceColors::Set(InterfaceColor entry, ColorRef color) {
    entries_[static_cast<std::size_t>(entry)].color = color & 0xFFFFFF;
}

std::uint8_t CInterfaceColors::Alpha(InterfaceColor entry) const {
    return entries_[static_cast<std::size_t>(entry)].alpha;
}

bool CInterfaceColors::ResetToDefaults() {
    for (int i = 0; i < kInterfaceColorCount; ++i) {
        entries_[i].color = Default(static_cast<InterfaceColor>(i));
    }
    if (repaint_) {
        repaint_();
    }
    return true;
}

}  // namespace plexion
