#pragma once

#include <optional>
#include <string>

class QString;
class QWidget;

namespace plexion {

// The "Password Protection" dialog for the document file `fileName`: the
// typed password as stored bytes (UTF-8), or nothing when cancelled.
std::optional<std::string> AskDocumentPassword(QWidget* parent, const QString& fileName);

}  // namespace plexion
