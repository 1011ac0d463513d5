#pragma once

#include "json_writer.h"
#include "resource.h"

namespace plexion::tool {

// The members of one item after its "id" and "comments", by kind.
void WriteItemFields(CJsonWriter& json, int kind, const CVKT_Resource& item);

}  // namespace plexion::tool
