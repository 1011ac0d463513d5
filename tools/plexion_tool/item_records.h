#pragma once

#include "archive.h"
#include "folder_payloads.h"
#include "json_fields.h"

namespace plexion::tool {

// Writes one item's record exactly as a document stores it (common header
// and payload), from the item's object in document.json and its payload
// file. The kind's own reader then makes the item of it, so an item built
// from a folder is whatever the same record read from a document gives.
// Refuses (through `fields`) values out of range, members that are missing
// or unknown, and payload files that do not fit the item.
void WriteItemRecord(int kind, CJsonFields& fields, const CFolderPayloads& payloads,
                     CArchive& record);

}  // namespace plexion::tool
