#include "toolbar_icons.h"

#include "toolbar_icon_art.h"

namespace plexion {

QIcon CommandIcon(int commandId) {
    const ToolbarIconRows* rows = ToolbarIconArt(commandId);
    if (rows == nullptr) {
        return {};
    }
    return ToolbarArtIcon(*rows);
}

}  // namespace plexion
