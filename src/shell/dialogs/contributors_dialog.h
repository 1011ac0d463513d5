#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace plexion {

// Where the dialog finds the application information texts.
using InformationLookup = std::function<std::optional<QString>(const QString& key)>;

// The "Contributors List" dialog: the texts "contributors" and "needed
// contributions" read-only under their section titles, "None" for a text
// that is missing. OK and Cancel both just close it.
void ShowContributorsDialog(QWidget* parent);
void ShowContributorsDialog(QWidget* parent, const InformationLookup& lookup);

}  // namespace plexion
