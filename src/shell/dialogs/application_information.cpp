#include "application_information.h"

#include <array>

namespace plexion {
namespace {

struct CInformation {
    const char* key;
    const char* text;
};

constexpr std::array<CInformation, 2> kInformation = {{
    {"contributors",
     "The Plexion developers: the resource document and its file format, the "
     "bitmap, animation and map tools, the sound engine, the trajectory tools "
     "and the editor itself.\n"
     "Everyone who reported a fault or sent a test document."},
    {"needed contributions",
     "Translations of the editor's menus and messages.\n"
     "A user's guide with examples of complete game resources.\n"
     "Testing on more desktops, sound servers and printers."},
}};

}  // namespace

std::optional<QString> ApplicationInformationText(const QString& key) {
    for (const CInformation& information : kInformation) {
        if (key == QLatin1String(information.key)) {
            return QString::fromUtf8(information.text);
        }
    }
    return std::nullopt;
}

}  // namespace plexion
