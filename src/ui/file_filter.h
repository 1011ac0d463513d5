#pragma once

#include <QString>

namespace plexion {

// The editor writes file-dialog filters as label and pattern pairs, each
// ended by a line feed: "Windows AVI Video File (*.avi)\n*.avi\nAll Files
// (*.*)\n*.*\n\n" ("|" separators are read as well). Qt wants
// "Windows AVI Video File (*.avi);;All Files (*)": patterns apart by spaces
// inside the label's parentheses, and "*" for every file, since Qt's "*.*"
// would leave out names without a dot. A label given without its patterns
// keeps the patterns written in its own parentheses.
QString QtFileFilter(const QString& filter);

}  // namespace plexion
