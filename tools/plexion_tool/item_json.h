#pragma once

#include <string>

#include "json_writer.h"
#include "resource.h"

namespace plexion::tool {

// How an item's members are written. `dump` sums a payload (a picture's
// bytes, a sound, a file's bytes) up by its size and SHA-256. The folder form
// names instead the file beside the JSON that holds the payload, and leaves
// out what that file already says (a sound's format, when it is a WAV or Ogg
// file) and what no document stores (a color's alpha); it lists a map's
// cells as "rows", one line of the map per line of text.
struct CItemForm {
    bool folder = false;
    std::string file;              // empty: the item has no payload file
    bool fileHoldsFormat = false;  // a sound's file says its bits, channels and rate
};

// The members of one item after its "id" and "comments", by kind.
void WriteItemFields(CJsonWriter& json, int kind, const CVKT_Resource& item,
                     const CItemForm& form = {});

}  // namespace plexion::tool
