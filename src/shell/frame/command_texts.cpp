#include "command_texts.h"

#include <array>

#include "command_ids.h"

namespace plexion {

namespace {

using namespace command;

constexpr std::array kCommandTexts = {
    CCommandText{kFileNew, "&New\tCtrl+N", "Create a new document", "New"},
    CCommandText{kFileOpen, "&Open...\tCtrl+O", "Open an existing document", "Open"},
    CCommandText{kFileClose, "&Close", "Close the active document", "Close"},
    CCommandText{kFileSave, "&Save\tCtrl+S", "Save the active document", "Save"},
    CCommandText{kFileSaveAs, "Save &As...", "Save the active document with a new name",
                 "Save As"},
    CCommandText{kFilePrint, "&Print...\tCtrl+P", "Print the active document", "Print"},
    CCommandText{kFilePrintPreview, "Print Pre&view", "Display full pages", "Print Preview"},
    CCommandText{kFilePrintSetup, "P&rint Setup...", "Change the printer and printing options",
                 "Print Setup"},
    CCommandText{kFileRecentFile, "Recent File", "Open this document", "Recent File"},
    CCommandText{kFileProperties, "Properties...", "Displays the properties of this document",
                 "Properties"},
    CCommandText{kAppExit, "E&xit", "Quit the application; prompts to save documents", "Exit"},
    CCommandText{kViewToolbar, "&Toolbar", "Show or hide the toolbar", "Toggle ToolBar"},
    CCommandText{kViewStatusBar, "&Status Bar", "Show or hide the status bar",
                 "Toggle StatusBar"},
    CCommandText{kAviToImages, "Convert AVI Video to &Image Files...",
                 "Convert an AVI video file to separate images files", "AVI To Images"},
    CCommandText{kImagesToAvi, "Convert Image Files to &AVI Video...",
                 "Convert separate images files to an AVI video file", "Images To AVI"},
    CCommandText{kAudioSettings, "&Audio Settings...", "Configure the audio output",
                 "Audio Out Settings"},
    CCommandText{kGuiSettings, "&Graphical User Interface Settings...",
                 "Configure the layout of the graphical user interface", "GUI Settings"},
    CCommandText{kWindowCascade, "&Cascade", "Arrange windows so they overlap",
                 "Cascade Windows"},
    CCommandText{kWindowTileHorizontally, "&Tile", "Arrange windows as non-overlapping tiles",
                 "Tile Windows"},
    CCommandText{kWindowTileVertically, "Tile Windows",
                 "Arrange windows as non-overlapping tiles", "Tile Windows"},
    CCommandText{kWindowArrangeIcons, "&Arrange Icons",
                 "Arrange icons at the bottom of the window", "Arrange Icons"},
    CCommandText{kViewContributors, "View &Contributors...",
                 "View the contributors of this software", "View Contributors"},
    CCommandText{kAppAbout, "&About Plexion...",
                 "Display program information, version number and copyright", "About"},
    CCommandText{kEditUndo, "&Undo\tCtrl+Z", "Undo the last action", "Undo"},
    CCommandText{kEditRedo, "&Redo\tCtrl+Y", "Redo the previously undone action", "Redo"},
    CCommandText{kEditCut, "Cut", "Cut the selection and put it on the Clipboard", "Cut"},
    CCommandText{kEditCopy, "Copy", "Copy the selection and put it on the Clipboard", "Copy"},
    CCommandText{kEditPaste, "Paste", "Insert Clipboard contents", "Paste"},
    CCommandText{kMaintainRelationships, "Maintain Relationships",
                 "Maintain relationships between panels", "Maintain Relationships"},
    CCommandText{kCheckIntegrity, "Check Integrity", "Check integrity and search duplicates IDs",
                 "Check Integrity"},
    CCommandText{kPanelCommands[0], "Bitmaps (Ctrl 1)", "View bitmaps", "Bitmaps (Ctrl 1)"},
    CCommandText{kPanelCommands[1], "Animations (Ctrl 2)", "View animations",
                 "Animations (Ctrl 2)"},
    CCommandText{kPanelCommands[2], "Maps (Ctrl 3)", "View maps", "Maps (Ctrl 3)"},
    CCommandText{kPanelCommands[3], "Texts and Parameters (Ctrl 4)", "View texts and parameters",
                 "Texts and Parameters (Ctrl 4)"},
    CCommandText{kPanelCommands[4], "Music and Sounds (Ctrl 5)", "View music and sounds",
                 "Music and Sounds (Ctrl 5)"},
    CCommandText{kPanelCommands[5], "Trajectories and Shapes (Ctrl 6)",
                 "View trajectories and shapes", "Trajectories and Shapes (Ctrl 6)"},
    CCommandText{kPanelCommands[6], "Binary Files (Ctrl 7)", "View binary files",
                 "Binary Files (Ctrl 7)"},
    CCommandText{kPanelCommands[7], "Colors (Ctrl 8)", "View colors", "Colors (Ctrl 8)"},
};

}  // namespace

const CCommandText* CommandText(int commandId) {
    for (const CCommandText& text : kCommandTexts) {
        if (text.id == commandId) {
            return &text;
        }
    }
    return nullptr;
}

}  // namespace plexion
