#include "find_options.h"

namespace plexion {

CFindOptions& RememberedFindOptions() {
    static CFindOptions options;
    return options;
}

}  // namespace plexion
