#pragma once

#include <cstdint>
#include <string>

namespace plexion::tool {

// An item index typed by the user; a usage error unless it is a whole decimal
// number that fits an int (a negative number is left to the range check).
int ParseIndex(const std::string& text, const char* what);

// A whole decimal number for a value the command clamps into its range:
// numbers beyond the int (or double) range saturate instead of being
// refused, so "99999999999" is simply more than any maximum. Anything that
// is not a decimal number (NaN and infinity spelt out included) is a usage
// error naming `what`. Reals are read the same whatever the locale.
int ParseSaturatingInt(const std::string& text, const char* what);
double ParseSaturatingReal(const std::string& text, const char* what);

// A number of seconds from 0 to 3600 (decimals allowed) in milliseconds; a
// usage error otherwise.
std::int64_t ParseSecondsAsMilliseconds(const std::string& text, const char* what);

// "RRGGBB" (case-insensitive hex, exactly six digits) as a stored color:
// red in bits 0-7, green in 8-15, blue in 16-23. A usage error otherwise.
std::uint32_t ParseColor(const std::string& text);

}  // namespace plexion::tool
