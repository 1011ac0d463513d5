#pragma once

#include <QString>

#include <vector>

#include "broken_references.h"
#include "stored_text.h"

namespace plexion {

// What a panel's integrity check reports of the references the model found
// broken: the first item, -1 when there is none, with `message` saying why.
inline int FirstBrokenReference(const std::vector<SBrokenReference>& broken, QString& message) {
    if (broken.empty()) {
        return -1;
    }
    message = FromStored(broken.front().message);
    return broken.front().item;
}

}  // namespace plexion
