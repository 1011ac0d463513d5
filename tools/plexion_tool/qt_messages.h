#pragma once

namespace plexion::tool {

// Qt's own warnings (a codec's complaint about a file, say) are printed as
// the tool's one-line messages, each distinct one once; its debug and
// information messages are dropped.
void RouteQtMessagesToToolLines();

}  // namespace plexion::tool
