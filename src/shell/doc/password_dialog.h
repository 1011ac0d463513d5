#pragma once

#include <optional>
#include <string>

class QWidget;

namespace plexion {

// The "Password Protection" dialog: the typed password as stored bytes
// (UTF-8), or nothing when cancelled.
std::optional<std::string> AskDocumentPassword(QWidget* parent);

}  // namespace plexion
