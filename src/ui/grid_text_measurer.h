#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QHash>
#include <QSize>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace plexion {

// Measures cell texts in one font, fast enough to fit a sheet of a million
// cells. Shaping a text is what makes measuring slow, so single-line
// printable ASCII (names, numbers, colour texts) is measured from the width
// of each character plus the adjustment the font makes between each pair of
// neighbours, both learnt once from the font itself; any other text is
// shaped and its size remembered.
class CGridTextMeasurer {
public:
    explicit CGridTextMeasurer(const QFont& font);

    // The width and height of `text` as drawn without mnemonic processing,
    // over several lines when it holds line feeds.
    QSize TextSize(QStringView text);

    const QFont& Font() const { return font_; }

private:
    static constexpr int kFirst = 32;
    static constexpr int kCount = 127 - kFirst;

    // The width of `text` in whole pixels from the learnt widths, or none
    // when it is not single-line printable ASCII.
    std::optional<int> SimpleWidth(QStringView text);
    // The learnt advance, or none when it is too wide to be kept.
    std::optional<std::int16_t> LearnPair(int left, int right);

    QFont font_;
    QFontMetrics metrics_;
    QFontMetricsF metricsF_;
    // Asked once: the font metrics look the height up under a lock.
    int height_ = 0;
    // Widths in 64ths of a pixel, which is how the font gives them: summed
    // as whole numbers they come out exactly as the real ones, and a whole
    // number is added in a fraction of the time a real one takes.
    std::array<std::int32_t, kCount> advances_{};
    // The advance of the right character after the left one, kerning
    // included; kUnknownPair until the pair was first met. In 16 bits, so
    // the table stays in the fastest cache while a long column is measured.
    std::array<std::array<std::int16_t, kCount>, kCount> pairs_{};
    QHash<QString, QSize> sizes_;
};

}  // namespace plexion
