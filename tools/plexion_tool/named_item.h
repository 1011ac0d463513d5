#pragma once

#include <string>

#include "resource_container.h"
#include "text_escape.h"
#include "tool_failure.h"

namespace plexion::tool {

// The first item of class T with the ID `id`; exit 4 when there is none.
// `what` names the kind in the message ("bitmap", "map").
template <typename T>
T& NamedItem(CVKT_ResourceContainer& resources, const std::string& id, const char* what) {
    T* item = resources.GetAt<T>(resources.Find<T>(id));
    if (!item) {
        throw CToolFailure(kExitNoSuchItem,
                           std::string("no ") + what + " with the ID \"" + EscapeField(id) + "\"");
    }
    return *item;
}

}  // namespace plexion::tool
