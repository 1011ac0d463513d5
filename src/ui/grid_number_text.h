#pragma once

#include <QString>

#include <cstdint>

namespace plexion {

// Grid cells read numbers out of typed text as far as the text forms one, the
// way a user expects "12 apples" to mean 12. Text that starts with no number
// reads as 0. Both readers ignore the user's locale: a cell shows and reads
// "+0.5" the same everywhere.

// Leading white space, an optional sign and decimal digits; values beyond the
// 32-bit range saturate instead of wrapping.
std::int32_t DecimalPrefixInt(const QString& text);

// Leading white space, an optional sign, digits with an optional decimal
// point and an optional exponent. Values beyond the range of a double
// saturate at the largest finite one.
double DecimalPrefixReal(const QString& text);

// Whether the readers above find a number at all: after leading white space
// and an optional sign, a digit, or a decimal point followed by one. Text
// for which this is false reads as 0 without saying anything about 0.
bool StartsWithDecimalNumber(const QString& text);

// Truncates toward zero; values outside the 32-bit range saturate and NaN
// gives 0, so no double can make a conversion undefined.
std::int32_t TruncateToInt(double value);

}  // namespace plexion
