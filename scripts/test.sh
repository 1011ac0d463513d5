#!/usr/bin/env bash
# Builds Plexion with AddressSanitizer and UndefinedBehaviorSanitizer (in
# build/), runs every test through CTest, then a short fuzz run.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPLEXION_SANITIZE=ON >/dev/null
cmake --build build
# A private PulseAudio daemon with a null sink for the real-audio test; it
# is stopped by its PID however the run ends.
source scripts/private-pulse.sh
pulse_dir=$(mktemp -d "${TMPDIR:-/tmp}/plexion-pulse-XXXXXX")
trap 'private_pulse_stop; rm -rf "$pulse_dir"' EXIT
trap 'exit 130' INT TERM
private_pulse_start "$pulse_dir" ||
    { echo "test.sh: the private PulseAudio daemon did not start; the real-audio test cannot run" >&2; exit 1; }
export PLEXION_PULSE_REQUIRED=1
(cd build && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$PWD/../tests/lsan-suppressions.txt print_suppressions=0" ctest --output-on-failure -j2)
scripts/fuzz.sh "${PLEXION_FUZZ_SECONDS:-60}"
