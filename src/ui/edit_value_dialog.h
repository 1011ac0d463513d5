#pragma once

#include <QString>
#include <QWidget>

#include <optional>

namespace plexion {

// What the Edit Value dialog shows besides its caption and the previous
// value.
struct CEditValueOptions {
    QString sectionTitle = QStringLiteral("Edit Cell(s) Value");
    // The text the "&Value" field starts with; the previous value when unset
    // (an edit begun with a typed character starts from that character).
    std::optional<QString> start;
    bool multiLine = false;
};

// A form dialog titled `caption` with a section title, a "&Value" field and
// below it the read-only "Previous Value:\n" followed by `previous`. OK
// gives the field's text; Cancel gives nothing. A grid cell's edit begun
// with a typed character:
//
//     EditValueDialog(grid, "Edit Value", displayText, {.start = typed});
std::optional<QString> EditValueDialog(QWidget* parent, const QString& caption,
                                       const QString& previous,
                                       const CEditValueOptions& options = {});

}  // namespace plexion
