#pragma once

#include <QString>

namespace plexion {

// Stored texts break their lines with "\r\n", "\n" or a lone "\r"; a text
// field knows only "\n" (and would show a "\r" as a glyph). These move a
// text between the two without losing the breaks it came with.

// `text` with every line break as "\n".
QString ShownLineBreaks(const QString& text);

// The line break the first break of `text` uses; "\n" when it has none.
QString LineBreakOf(const QString& text);

// `shown` (breaks as "\n") with every break as `lineBreak`.
QString WithLineBreak(const QString& shown, const QString& lineBreak);

}  // namespace plexion
