#pragma once

#include <functional>
#include <string>

#include "item_json.h"
#include "json_writer.h"
#include "resource_container.h"
#include "tool_options.h"

namespace plexion::tool {

// How each item is written, asked item by item in document order; dump's
// own form when not given.
using ItemFormFor = std::function<CItemForm(int kind, int index, const CVKT_Resource& item)>;

// The whole document as one JSON object: "name", "comments" and one array
// per group, named as on the command line, in kind order.
std::string DocumentJson(const CVKT_ResourceContainer& resources,
                         CJsonWriter::Layout layout = CJsonWriter::Layout::Compact);

// The same into `json`, calling `afterItem` after each item so that a long
// text can be written out as it grows.
void WriteDocumentJson(CJsonWriter& json, const CVKT_ResourceContainer& resources,
                       const ItemFormFor& formFor, const std::function<void()>& afterItem);

// dump: DocumentJson of FILE on standard output, on one line or, with
// --pretty, laid out for people and line-based tools.
int RunDump(const CToolOptions& options);

}  // namespace plexion::tool
