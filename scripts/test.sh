#!/usr/bin/env bash
# Builds Plexion with AddressSanitizer and UndefinedBehaviorSanitizer (in
# build/), runs every test through CTest, then a short fuzz run.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPLEXION_SANITIZE=ON >/dev/null
cmake --build build
(cd build && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j2)
scripts/fuzz.sh "${PLEXION_FUZZ_SECONDS:-60}"
