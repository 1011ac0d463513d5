#pragma once

#include <QString>

#include <optional>

namespace plexion {

// The texts the editor tells about itself, by key ("contributors",
// "needed contributions"); nothing for a key it has no text for.
std::optional<QString> ApplicationInformationText(const QString& key);

}  // namespace plexion
