#!/usr/bin/env bash
# Builds Plexion (Release, in build-release/) and starts the editor on an
# example document made with plexion-tool from generated pictures, sounds,
# animations, maps, trajectories, colours, texts and a file.
#
# With a display the editor opens on it. Without one (or with
# --screenshot) the editor runs under Xvfb, saves a picture of its main
# window and exits; the script prints where the picture is.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-release >build-release/build.log 2>&1 ||
    { tail -n 40 build-release/build.log; exit 1; }

tool=build-release/bin/plexion-tool
editor=build-release/bin/plexion
example=build-release/example.dat

rm -f "$example"
scripts/make-example.sh "$tool" "$example"
echo "== plexion-tool info $example"
"$tool" info "$example"
echo

if [[ -n "${DISPLAY:-}" && "${1:-}" != "--screenshot" ]]; then
    echo "== plexion $example"
    exec "$editor" "$example"
fi

screenshot="$PWD/build-release/plexion-example.png"
rm -f "$screenshot"
xvfb-run -a -s "-screen 0 1280x800x24" "$editor" --screenshot "$screenshot" "$example"
echo "== the editor ran under Xvfb on $example; its main window: $screenshot"
