#!/usr/bin/env bash
# Builds the Debian package of Plexion from a clean Release build (in
# build-package/) and leaves plexion_<version>_<arch>.deb in the project
# folder. Install it with: sudo apt-get install ./plexion_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
build=build-package
rm -rf "$build"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" >"$build/build.log" 2>&1 || { tail -n 40 "$build/build.log"; exit 1; }
(cd "$build" && cpack -G DEB >cpack.log 2>&1) || { tail -n 40 "$build/cpack.log"; exit 1; }
rm -f plexion_*.deb
mv "$build"/plexion_*.deb .
package=$(ls plexion_*.deb)
echo "== $package"
dpkg-deb --field "$package" Package Version Architecture Depends
