#pragma once

namespace plexion {
class CVKT_ResourceContainer;
}  // namespace plexion

namespace plexion_bench {

// Fills `document` with about 200 MiB of every kind, shaped like a large
// game's resources: many short texts and a few very long ones, thousands of
// files (mostly scrambled), long paths, big maps, colors, animations, sounds.
// The same content every time.
void FillSyntheticDocument(plexion::CVKT_ResourceContainer& document);

}  // namespace plexion_bench
