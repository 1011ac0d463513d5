#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "color_ref.h"

namespace plexion {

// The colour helpers every custom-drawn surface derives its shades with.
ColorRef MixColor(ColorRef c, ColorRef target, double f);
ColorRef LightenColor(ColorRef c, double f);
ColorRef DarkenColor(ColorRef c, double f);
bool IsBrightColor(ColorRef c);
ColorRef ContrastColor(ColorRef c, double f);
ColorRef GrayColor(ColorRef c);

enum class InterfaceColor : int {
    FocusedArea,
    UnfocusedArea,
    DialogFace,
    DialogText,
    DialogSpottedFace,
    DialogSpottedText,
    WindowFace,
    WindowText,
    WindowSpottedFace,
    WindowSpottedText,
    ScrollBarBackground,
    ScrollBarBorder,
    ScrollBar,
    ScrollBarMoving,
};
inline constexpr int kInterfaceColorCount = 14;

// The label of an entry in the settings dialog ("Focused Area", ...).
std::string InterfaceColorName(InterfaceColor entry);

// The process-wide set of fourteen interface colours. It starts with the
// defaults and is never saved. Drawing reads it on the user-interface
// thread only.
class CInterfaceColors {
public:
    static CInterfaceColors& Instance();

    ColorRef Get(InterfaceColor entry) const;
    void Set(InterfaceColor entry, ColorRef color);
    std::uint8_t Alpha(InterfaceColor entry) const;
    bool ResetToDefaults();
    static ColorRef Default(InterfaceColor entry);

    // Called after a reset so that the main window repaints; the shell sets it.
    void SetRepaintHook(std::function<void()> hook) { repaint_ = std::move(hook); }

private:
    CInterfaceColors();

    struct CEntry {
        ColorRef color = 0;
        std::uint8_t alpha = 255;
    };
    std::array<CEntry, kInterfaceColorCount> entries_;
    std::function<void()> repaint_;
};

}  // namespace plexion
