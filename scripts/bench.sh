#!/usr/bin/env bash
# Builds and runs the document I/O benchmark, then prints each throughput and
# how long saving and loading take compared with plain writes and reads of the
# same bytes, and the game-side reader's load against the plain read and the
# editor's load; then plexion-tool export and build of the same document
# (with the tool's peak memory) against plain reads and writes of the same
# files; then the image import benchmark and how long importing takes
# compared with Qt loading the same files; then opening stored pictures
# against decoding them one by one, and pixel edits against a plain pass; then
# the mixer's 32 voices against a plain sum, and Ogg decoding against oggdec;
# then a map frame against plain QPainter tile drawing, the map display's
# repaint of a painted cell and of a view at 25 % against the same, and a game step of
# 10,000 animation cursors against plain counters; then smoothing and
# resampling a path of 1,000,000 points against plain loops over an array;
# then a game step and repaint of the trajectory preview for 100,000 points
# of each type against a plain QPainter polyline;
# then filling, fitting and painting a grid of 100,000 rows against a
# QTableView over the same texts; then opening a document of 10,000 items
# in every group in the editor against plexion-tool info, and a panel switch;
# then replace all in 100,000 texts against a plain loop of the same
# replacements over the strings the panel searches (each text and its ID); then plexion-tool info and add-text on 2,000 stored pictures
# (of sprite sizes, and tiny) against a plain read of the file, and add-text
# also against a plain read and write of it; then repainting the Bitmaps panel's
# picture area with 200 marked pictures and with one large picture at 800 %
# against plain QPainter drawing; then a game step and repaint of the
# frame-list editor's preview on 1,000 frames of 256 x 256 pictures against
# plain QPainter drawing of the same frame; then the sound preview of 8 ten-minute
# stereo sounds against a plain min/max pass over their samples; then a cell
# edit recorded for undo in documents of 100 and 10,000 items per group, and
# the autosave snapshot of about 200 MiB taken in slices against a save; then
# Images To AVI of 250 pictures of 720 x 576 (uncompressed and FFV1) against
# a plain libavcodec encode loop, and AVI To Images of the movies against a
# plain decode loop writing the same BMP files; last, when Xvfb and xdotool
# are there, the share of a core the editor uses when left alone on still
# panels and with an animation playing.
set -euo pipefail

cd "$(dirname "$0")/.."
build=build-bench

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLEXION_BENCH=ON \
    -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target document_io_bench text_folder_bench image_import_bench bitmap_bench audio_bench map_bench cursor_bench trajectory_bench trajectory_preview_bench grid_bench editor_bench replace_bench map_display_bench tool_document_bench picture_area_bench frame_list_preview_bench sound_preview_bench undo_bench video_bench plexion plexion-tool >"$build/build.log" 2>&1 ||
    { tail -n 40 "$build/build.log"; exit 1; }

# Runs one benchmark program with any further options, then prints what it
# measured and its ratios against its baselines (bench/summarize.py); its
# results land in $build/NAME.json.
run_bench() {
    local name=$1
    shift
    "$build/bin/$name" "$@" --benchmark_out="$build/$name.json" --benchmark_out_format=json \
        >"$build/$name.log" 2>&1 || { cat "$build/$name.log"; exit 1; }
    python3 bench/summarize.py "$name" "$build/$name.json"
}

# Medians of interleaved repetitions, for the programs whose runs are short
# enough that a shared machine's noise would swamp a single one.
interleaved() {
    echo --benchmark_repetitions="$1" --benchmark_enable_random_interleaving=true \
        --benchmark_report_aggregates_only=true
}

# The grid benchmark paints widgets without a display.
export QT_QPA_PLATFORM=offscreen

run_bench document_io_bench
run_bench text_folder_bench
run_bench image_import_bench
run_bench bitmap_bench
run_bench audio_bench
run_bench map_bench $(interleaved 7)
run_bench map_display_bench $(interleaved 7)
run_bench cursor_bench $(interleaved 7)
run_bench trajectory_bench $(interleaved 5)
run_bench trajectory_preview_bench $(interleaved 7)
run_bench grid_bench
run_bench editor_bench
run_bench replace_bench
run_bench tool_document_bench $(interleaved 5)
run_bench picture_area_bench $(interleaved 7)
run_bench frame_list_preview_bench $(interleaved 7)
run_bench sound_preview_bench $(interleaved 5)
run_bench undo_bench
run_bench video_bench $(interleaved 5)

if command -v Xvfb >/dev/null && command -v xdotool >/dev/null; then
    python3 bench/idle_editor.py "$build/bin/plexion" "$build/bin/plexion-tool"
else
    echo "idle editor: skipped (needs Xvfb and xdotool)"
fi
