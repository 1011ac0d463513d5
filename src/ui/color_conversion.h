#pragma once

#include <QColor>

#include "interface_colors.h"

namespace plexion {

// Interface colours keep red in the low byte; Qt wants its own colour type.
inline QColor ToQColor(ColorRef color) {
    return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

inline ColorRef FromQColor(const QColor& color) {
    return MakeColor(color.red(), color.green(), color.blue());
}

// The current colour of an interface entry.
inline QColor InterfaceQColor(InterfaceColor entry) {
    return ToQColor(CInterfaceColors::Instance().Get(entry));
}

}  // namespace plexion
