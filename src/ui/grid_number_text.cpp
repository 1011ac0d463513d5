#include "grid_number_text.h"

#include <QByteArray>

#include <charconv>
#include <cmath>
#include <limits>

namespace plexion {
namespace {

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Skips white space and an optional sign; returns whether the sign was minus.
bool SkipSpaceAndSign(const QString& text, qsizetype& at) {
    while (at < text.size() && text[at].isSpace()) {
        ++at;
    }
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) {
        return text[at++] == u'-';
    }
    return false;
}

// Appends the digits starting at `at` to `out`; returns how many there were.
qsizetype TakeDigits(const QString& text, qsizetype& at, QByteArray& out) {
    const qsizetype start = at;
    while (at < text.size() && IsDigit(text[at])) {
        out.append(static_cast<char>(text[at].unicode()));
        ++at;
    }
    return at - start;
}

}  // namespace

bool StartsWithDecimalNumber(const QString& text) {
    qsizetype at = 0;
    SkipSpaceAndSign(text, at);
    if (at < text.size() && text[at] == u'.') {
        ++at;
    }
    return at < text.size() && IsDigit(text[at]);
}

std::int32_t DecimalPrefixInt(const QString& text) {
    qsizetype at = 0;
    const bool negative = SkipSpaceAndSign(text, at);
    // One past the largest magnitude keeps the accumulator small and still
    // tells a saturated value from an exact one.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    while (at < text.size() && IsDigit(text[at])) {
        magnitude = std::min(kLimit, magnitude * 10 + (text[at].unicode() - u'0'));
        ++at;
    }
    const std::int64_t value = negative ? -magnitude : std::min(magnitude, kLimit - 1);
    return static_cast<std::int32_t>(value);
}

double DecimalPrefixReal(const QString& text) {
    qsizetype at = 0;
    const bool negative = SkipSpaceAndSign(text, at);
    QByteArray whole;
    QByteArray fraction;
    TakeDigits(text, at, whole);
    if (at < text.size() && text[at] == u'.') {
        ++at;
        TakeDigits(text, at, fraction);
    }
    if (whole.isEmpty() && fraction.isEmpty()) {
        return 0.0;
    }
    std::int32_t exponent = 0;
    if (at + 1 < text.size() && (text[at] == u'e' || text[at] == u'E')) {
        const QString rest = text.mid(at + 1);
        // Only a sign followed by a digit, or a digit, makes an exponent; the
        // space DecimalPrefixInt would skip does not.
        const qsizetype digitAt = rest.startsWith(u'+') || rest.startsWith(u'-') ? 1 : 0;
        if (digitAt < rest.size() && IsDigit(rest[digitAt])) {
            exponent = DecimalPrefixInt(rest);
        }
    }
    const QByteArray number = whole + '.' + fraction + 'e' + QByteArray::number(exponent);
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(number.constData(), number.constData() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        // The power of ten of the first significant digit tells an overflow
        // (saturate) from an underflow (zero).
        const QByteArray digits = whole + fraction;
        qsizetype first = 0;
        while (first < digits.size() && digits[first] == '0') {
            ++first;
        }
        const std::int64_t power = std::int64_t{whole.size()} - 1 - first + exponent;
        value = power >= 0 ? std::numeric_limits<double>::max() : 0.0;
    }
    return negative ? -value : value;
}

std::int32_t TruncateToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    if (value >= kMax) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (value <= kMin) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace plexion
