#!/usr/bin/env bash
# Builds Plexion (Release, in build-release/) and runs its main job: until
# the editor exists, a small example document made and read back with
# plexion-tool.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-release >build-release/build.log 2>&1 ||
    { tail -n 40 build-release/build.log; exit 1; }

tool=build-release/bin/plexion-tool
example=build-release/example.dat
readme="$PWD/README.md"

"$tool" new "$example" --name "Example Game" --comments "Made by scripts/run.sh"
"$tool" add-text "$example" title "The Example Game" --comments "Shown on the title screen"
"$tool" add-text "$example" hero "Ann"
"$tool" add-text "$example" greeting "Hello [hero], welcome to [title]!"
"$tool" add-color "$example" sky 87CEEB --comments "Background of level 1"
"$tool" add-color "$example" grass 3CB043
"$tool" add-file "$example" "$readme"

echo "== plexion-tool info $example"
"$tool" info "$example"
echo
echo "== plexion-tool list $example"
"$tool" list "$example"
echo
echo "== plexion-tool expand $example greeting"
"$tool" expand "$example" greeting
