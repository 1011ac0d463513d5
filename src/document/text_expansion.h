#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace plexion {

// The text an ID names, or null when no text has that ID.
using TextLookup = std::function<const std::string*(std::string_view id)>;

// Replaces references ("[ID]") by the texts they name, pass after pass, until
// none is left. Stored texts may name themselves, directly or through others,
// so the work is bounded by size rather than by a count of passes: a pass
// that would make the text larger than ExpansionSizeLimit, a pass that brings
// back a text seen before (a cycle that does not grow), or more copying than
// a few times the size limit ends the expansion, and the text is returned as
// it stands.
std::string ExpandTextReferences(std::string text, const TextLookup& lookup);

// The largest text an expansion of `source` may produce.
std::size_t ExpansionSizeLimit(const std::string& source);

}  // namespace plexion
