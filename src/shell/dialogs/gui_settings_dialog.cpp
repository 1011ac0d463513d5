#include "gui_settings_dialog.h"

#include <QColor>

#include <array>

#include "color_conversion.h"
#include "form_dialog.h"
#include "interface_colors.h"

namespace plexion {
namespace {

struct CColorSection {
    const char* title;
    InterfaceColor first;
    int count;
};

constexpr std::array<CColorSection, 4> kSections = {{
    {"Focus Colors", InterfaceColor::FocusedArea, 2},
    {"Dialogs Colors", InterfaceColor::DialogFace, 4},
    {"Windows Colors", InterfaceColor::WindowFace, 4},
    {"Scroll Bars Colors", InterfaceColor::ScrollBarBackground, 4},
}};

// A day: anything longer is as good as off.
constexpr int kMostAutosaveMinutes = 24 * 60;

}  // namespace

bool ShowGuiSettingsDialog(QWidget* parent, int& autosaveMinutes) {
    CInterfaceColors& colors = CInterfaceColors::Instance();
    std::array<QColor, kInterfaceColorCount> values;
    for (int i = 0; i < kInterfaceColorCount; ++i) {
        values[static_cast<std::size_t>(i)] = ToQColor(colors.Get(static_cast<InterfaceColor>(i)));
    }

    CFormDialog dialog(QStringLiteral("Graphical User Interface Colors"), parent);
    for (const CColorSection& section : kSections) {
        dialog.AddTitle(QString::fromLatin1(section.title));
        const int first = static_cast<int>(section.first);
        for (int i = first; i < first + section.count; ++i) {
            dialog.AddColor(
                QString::fromStdString(InterfaceColorName(static_cast<InterfaceColor>(i))),
                values[static_cast<std::size_t>(i)]);
        }
    }
    dialog.AddTitle(QStringLiteral("Recovery Copies"));
    dialog.AddInteger(QStringLiteral("&Autosave Every (Minutes, 0 = Off)"), autosaveMinutes,
                      0, kMostAutosaveMinutes);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    for (int i = 0; i < kInterfaceColorCount; ++i) {
        colors.Set(static_cast<InterfaceColor>(i), FromQColor(values[static_cast<std::size_t>(i)]));
    }
    return true;
}

}  // namespace plexion
