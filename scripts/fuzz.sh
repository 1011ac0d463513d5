#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs them for SECONDS seconds in all
# (default 60) on a fresh seed corpus: the editor's document reader for half
# the time, the game-side reader against it for the other half. Exits
# non-zero when either finds a crash.
set -euo pipefail

seconds="${1:-60}"
cd "$(dirname "$0")/.."
build=build-fuzz

CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -G Ninja -DPLEXION_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS="-fsanitize=undefined -fno-sanitize-recover=undefined" >/dev/null
cmake --build "$build" --target document_fuzzer dat_reader_fuzzer make_seeds >"$build/build.log" 2>&1 ||
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

# Runs one target for the given seconds on a corpus of its own grown from the seeds.
run_target() {
    local target=$1 time=$2
    local log="$build/$target.log"
    mkdir -p "$corpus/$target"
    local status=0
    TMPDIR="$scratch" "$build/bin/$target" -max_total_time="$time" -rss_limit_mb=2048 \
        -max_len=65536 -artifact_prefix="$artifacts/" "$corpus/$target" "$seeds" >"$log" 2>&1 ||
        status=$?
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$log"
        echo "fuzz: $target FAILED (exit $status); inputs in $artifacts, log in $log" >&2
        return 1
    fi
    echo "fuzz: $target ${time}s, no crash; $(grep -E '^#[0-9]+' "$log" | tail -n 1 | sed 's/  */ /g')"
}

first=$((seconds / 2))
run_target document_fuzzer "$((first > 0 ? first : 1))"
run_target dat_reader_fuzzer "$((seconds - first > 0 ? seconds - first : 1))"
