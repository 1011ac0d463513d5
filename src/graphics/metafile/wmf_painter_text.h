#pragma once

#include "wmf_library.h"

#include <QString>

#include "wmf_painter_canvas.h"

namespace plexion {

// Fonts come from Qt's font database, which exists only under a
// QGuiApplication; without one, text is measured roughly and not drawn.
bool WmfFontsAvailable();

// Metafile text is in the Windows Western code page.
QString DecodeWmfText(const char* text);

// The width of the text in a font one unit high, which the player uses to
// lay out and bound text.
double WmfTextWidthPerUnit(const wmfFont& font, const char* text);

// Draws a line of text at its baseline start point with the context's font,
// text colour and background mode.
void DrawWmfText(CWmfCanvas& canvas, const wmfDrawText_t& text);

}  // namespace plexion
