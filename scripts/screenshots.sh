#!/usr/bin/env bash
# Makes the pictures of the editor that README.md shows: the main window on
# the example document, under Xvfb at 1280 x 800, once per panel listed
# below, into docs/images/. Rerun it after a change of the look and commit
# the pictures.
#   scripts/screenshots.sh [BUILD_DIR]   (default: build-release, built here)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build-release}
if [[ $# -eq 0 ]]; then
    scripts/install-deps.sh
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
    cmake --build "$build" --target plexion plexion-tool >"$build/build.log" 2>&1 ||
        { tail -n 40 "$build/build.log"; exit 1; }
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
example="$work/example.dat"
scripts/make-example.sh "$build/bin/plexion-tool" "$example"

mkdir -p docs/images
# Panel numbers as the View menu counts them from 0: bitmaps, animations,
# maps, texts, sounds, trajectories, binary files, colours.
for shot in 0:bitmaps 1:animations 2:maps 4:sounds 5:trajectories; do
    panel=${shot%%:*}
    name=${shot#*:}
    # A private settings folder, so the pictures never show the recent files
    # or window places of whoever runs this.
    XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb \
        xvfb-run -a -s "-screen 0 1280x800x24" \
        "$build/bin/plexion" --screenshot "docs/images/$name.png" --panel "$panel" "$example"
    echo "docs/images/$name.png"
done
