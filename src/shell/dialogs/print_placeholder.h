#pragma once

class QPainter;
class QPrinter;
class QRect;
class QWidget;

namespace plexion {

// The page the view prints: "Will be done..." centred on one line and a
// Lissajous figure spanning the page, drawn with the painter's font. The
// figure reaches from the page's left and top to left + width and
// top + height, the first column and row past it.
void DrawPlaceholderPage(QPainter& painter, const QRect& page);

// Prints the page on a printer chosen already; when the printer cannot be
// started the user is told so and the result is false.
bool PrintPlaceholderPageOn(QPrinter& printer, QWidget* parent);

// File Print, Print Preview and Print Setup. The printer and page layout
// chosen in any of them are kept for the rest of the session.
void PrintPlaceholderPage(QWidget* parent);
void PreviewPlaceholderPage(QWidget* parent);
void ShowPrintSetup(QWidget* parent);

}  // namespace plexion
