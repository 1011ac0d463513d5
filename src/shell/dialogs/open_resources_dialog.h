#pragma once

#include <QString>

class QWidget;

namespace plexion {

// The File Open command's dialog, "Load Game Resources".
inline constexpr const char* kOpenDialogTitle = "Load Game Resources";
inline constexpr const char* kDatFilterLabel = "Velkarion Game Resources Files (*.dat)";
inline constexpr const char* kAllFilesFilterLabel = "All Files (*.*)";
inline constexpr const char* kSelectFilenamePrompt = "Please Select a Filename";

// With the first filter, a file name without an extension gets ".dat".
QString WithResourceExtension(const QString& path, int filterIndex);

// The name the dialog starts with: the current resource path when it names
// a file, otherwise its folder followed by "Please Select a Filename".
QString InitialOpenName(const QString& currentResourcePath);

// Shows the dialog starting on `filterIndex` and the current resource path.
// On OK returns the chosen path with the extension rule applied, updates
// `filterIndex` and makes the choice the current resource path; an empty
// text when cancelled.
QString AskResourceFileToOpen(QWidget* parent, int& filterIndex);

}  // namespace plexion
