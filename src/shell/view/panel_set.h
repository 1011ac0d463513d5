#pragma once

#include <array>
#include <memory>

namespace plexion {

class CResourcePanel;

// The panels of a document view, one per resource group, in the order of
// the panel commands: Bitmaps, Animations, Maps, Texts and Parameters,
// Music and Sounds, Trajectories and Shapes, Binary Files, Colors.
inline constexpr int kPanelCount = 8;
using PanelSet = std::array<std::unique_ptr<CResourcePanel>, kPanelCount>;

// New panels without a window; the view gives them the document and
// creates them.
PanelSet MakePanelSet();

}  // namespace plexion
