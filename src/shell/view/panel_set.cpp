#include "panel_set.h"

#include "animations_panel.h"
#include "binary_files_panel.h"
#include "bitmaps_panel.h"
#include "colors_panel.h"
#include "maps_panel.h"
#include "sounds_panel.h"
#include "texts_panel.h"
#include "trajectories_panel.h"

namespace plexion {

PanelSet MakePanelSet() {
    return {std::make_unique<CBitmapsPanel>(),      std::make_unique<CAnimationsPanel>(),
            std::make_unique<CMapsPanel>(),         std::make_unique<CTextsPanel>(),
            std::make_unique<CSoundsPanel>(),       std::make_unique<CTrajectoriesPanel>(),
            std::make_unique<CBinaryFilesPanel>(),  std::make_unique<CColorsPanel>()};
}

}  // namespace plexion
