#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QSize>
#include <QString>

namespace plexion {

// Measures cell texts in one font and remembers every answer: the panels
// fill many cells with the same texts ("Yes", "No", small numbers), and
// shaping a text is what makes fitting a large sheet slow.
class CGridTextMeasurer {
public:
    explicit CGridTextMeasurer(const QFont& font);

    // The width and height of `text` as drawn without mnemonic processing,
    // over several lines when it holds line feeds.
    QSize TextSize(const QString& text);

    const QFont& Font() const { return font_; }

private:
    QFont font_;
    QFontMetrics metrics_;
    QHash<QString, QSize> sizes_;
};

}  // namespace plexion
