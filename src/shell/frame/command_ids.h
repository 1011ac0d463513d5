#pragma once

namespace plexion::command {

// The editor's command ids; each QAction carries its id in data(), so the
// ids stay the names status prompts and tests know the commands by.
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 32784;
inline constexpr int kFileClose = 57602;
inline constexpr int kFileSave = 32785;
inline constexpr int kFileSaveAs = 32786;
inline constexpr int kFilePrint = 57607;
inline constexpr int kFilePrintPreview = 57609;
inline constexpr int kFilePrintSetup = 57606;
inline constexpr int kFileRecentFile = 57616;
inline constexpr int kFileProperties = 32814;
inline constexpr int kAppExit = 57665;
inline constexpr int kViewToolbar = 59392;
inline constexpr int kViewStatusBar = 59393;
inline constexpr int kAviToImages = 32809;
inline constexpr int kImagesToAvi = 32810;
inline constexpr int kAudioSettings = 32792;
inline constexpr int kGuiSettings = 32806;
inline constexpr int kWindowCascade = 57650;
inline constexpr int kWindowTileHorizontally = 57651;
inline constexpr int kWindowTileVertically = 57652;
inline constexpr int kWindowArrangeIcons = 57649;
inline constexpr int kViewContributors = 32813;
inline constexpr int kAppAbout = 57664;
inline constexpr int kEditUndo = 57643;
inline constexpr int kEditRedo = 57644;
inline constexpr int kEditCut = 57635;
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditPaste = 57637;
inline constexpr int kMaintainRelationships = 32802;
inline constexpr int kCheckIntegrity = 32787;

// The panel commands in panel order: Bitmaps, Animations, Maps, Texts and
// Parameters, Music and Sounds, Trajectories and Shapes, Binary Files,
// Colors.
inline constexpr int kPanelCommands[8] = {32805, 32773, 32777, 32781, 32782, 32794, 32799, 32807};

}  // namespace plexion::command
