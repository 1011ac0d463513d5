#!/usr/bin/env bash
# Builds the document fuzz target with clang and runs it for SECONDS seconds
# (default 60) on a fresh seed corpus. Exits non-zero when it finds a crash.
set -euo pipefail

seconds="${1:-60}"
cd "$(dirname "$0")/.."
build=build-fuzz

CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -G Ninja -DPLEXION_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS="-fsanitize=undefined -fno-sanitize-recover=undefined" >/dev/null
cmake --build "$build" --target document_fuzzer make_seeds >"$build/build.log" 2>&1 ||
    { tail -n 40 "$build/build.log"; exit 1; }

corpus="$build/corpus"
seeds="$build/seeds"
artifacts="$build/artifacts"
rm -rf "$corpus" "$seeds"
mkdir -p "$corpus" "$artifacts"
"$build/bin/make_seeds" "$seeds"

# The target saves every cleanly read input; a memory file system keeps the
# save's fsync cheap.
scratch="$(mktemp -d -p "$([ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")")"
trap 'rm -rf "$scratch"' EXIT

log="$build/fuzz.log"
status=0
TMPDIR="$scratch" "$build/bin/document_fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 \
    -max_len=65536 -artifact_prefix="$artifacts/" "$corpus" "$seeds" >"$log" 2>&1 || status=$?

if [ "$status" -ne 0 ]; then
    tail -n 60 "$log"
    echo "fuzz: FAILED (exit $status); inputs in $artifacts, log in $log" >&2
    exit 1
fi
echo "fuzz: ${seconds}s, no crash; $(grep -E '^#[0-9]+' "$log" | tail -n 1 | sed 's/  */ /g')"
