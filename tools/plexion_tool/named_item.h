#pragma once

#include <string>

#include "resource_container.h"
#include "text_escape.h"
#include "tool_failure.h"

namespace plexion::tool {

// The index of the first item of class T with the ID `id`; exit 4 when
// there is none. `what` names the kind in the message ("bitmap", "map").
template <typename T>
int NamedItem(const CVKT_ResourceContainer& resources, const std::string& id, const char* what) {
    const int index = resources.Find<T>(id);
    if (index < 0) {
        throw CToolFailure(kExitNoSuchItem,
                           std::string("no ") + what + " with the ID \"" + EscapeField(id) + "\"");
    }
    return index;
}

}  // namespace plexion::tool
