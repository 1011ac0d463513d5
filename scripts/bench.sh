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
# replacements; then plexion-tool info and add-text on 2,000 stored pictures
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

# Runs one benchmark program with any further options; its results land in
# $build/NAME.json.
run_bench() {
    local name=$1
    shift
    "$build/bin/$name" "$@" --benchmark_out="$build/$name.json" --benchmark_out_format=json \
        >"$build/$name.log" 2>&1 || { cat "$build/$name.log"; exit 1; }
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
python3 - "$build/document_io_bench.json" <<'PY'
import json, sys

runs = {b["name"].split("/")[0]: b for b in json.load(open(sys.argv[1]))["benchmarks"]}
mib = runs["BM_Save"]["MiB"]
print(f"document: {mib:.1f} MiB")
for name in ("BM_PlainWrite", "BM_Save", "BM_PlainRead", "BM_Load", "BM_GameReaderLoad"):
    run = runs[name]
    print(f"{name[3:]:>14}: {run['bytes_per_second'] / 2**20:8.1f} MiB/s"
          f"  ({run['real_time']:.0f} {run['time_unit']})")
for slow, base in (("BM_Save", "BM_PlainWrite"), ("BM_Load", "BM_PlainRead"),
                   ("BM_GameReaderLoad", "BM_PlainRead"), ("BM_GameReaderLoad", "BM_Load")):
    ratio = runs[slow]["real_time"] / runs[base]["real_time"]
    print(f"{slow[3:]}/{base[3:]}: {ratio:.2f}x")
PY

run_bench text_folder_bench
python3 - "$build/text_folder_bench.json" <<'PY'
import json, sys

runs = {b["name"].split("/")[0]: b for b in json.load(open(sys.argv[1]))["benchmarks"]}
export = runs["BM_Export"]
print(f"document: {export['document_MiB']:.1f} MiB, its folder: {export['folder_MiB']:.1f} MiB")
for name in ("BM_PlainExport", "BM_Export", "BM_PlainBuild", "BM_Build"):
    run = runs[name]
    peak = f", peak memory {run['peak_MiB']:.0f} MiB" if "peak_MiB" in run else ""
    print(f"{name[3:]:>12}: {run['real_time']:8.0f} {run['time_unit']}{peak}")
for slow, base in (("BM_Export", "BM_PlainExport"), ("BM_Build", "BM_PlainBuild")):
    ratio = runs[slow]["real_time"] / runs[base]["real_time"]
    print(f"{slow[3:]}/{base[3:]}: {ratio:.2f}x")
PY

run_bench image_import_bench
python3 - "$build/image_import_bench.json" <<'PY'
import json, sys

runs = {b["name"].split("/")[0]: b for b in json.load(open(sys.argv[1]))["benchmarks"]}
for name in ("BM_PlainQImageDecode", "BM_DecodeImage"):
    run = runs[name]
    print(f"{name[3:]:>18}: {run['items_per_second']:8.1f} files/s"
          f"  ({run['real_time']:.0f} {run['time_unit']})")
ratio = runs["BM_DecodeImage"]["real_time"] / runs["BM_PlainQImageDecode"]["real_time"]
print(f"DecodeImage/PlainQImageDecode: {ratio:.2f}x")
PY

run_bench bitmap_bench
python3 - "$build/bitmap_bench.json" <<'PY'
import json, sys

runs = {b["name"].split("/")[0]: b for b in json.load(open(sys.argv[1]))["benchmarks"]}
for name in ("BM_DecodeOneAfterAnother", "BM_OpenStoredPictures", "BM_PlainPixelPass",
             "BM_CropToAlpha", "BM_ChangeColor"):
    run = runs[name]
    print(f"{name[3:]:>22}: {run['real_time']:8.1f} {run['time_unit']}")
for slow, base in (("BM_OpenStoredPictures", "BM_DecodeOneAfterAnother"),
                   ("BM_CropToAlpha", "BM_PlainPixelPass"), ("BM_ChangeColor", "BM_PlainPixelPass")):
    print(f"{slow[3:]}/{base[3:]}: {runs[slow]['real_time'] / runs[base]['real_time']:.2f}x")
PY

run_bench audio_bench
python3 - "$build/audio_bench.json" <<'PY'
import json, sys

runs = {b["name"].split("/")[0]: b for b in json.load(open(sys.argv[1]))["benchmarks"]}
for name in ("BM_PlainSum32Voices", "BM_Mixer32Voices", "BM_Oggdec", "BM_OggDecoderStream"):
    run = runs[name]
    print(f"{name[3:]:>19}: {run['x_realtime']:8.0f}x real time  ({run['real_time']:.2f} {run['time_unit']})")
for slow, base in (("BM_Mixer32Voices", "BM_PlainSum32Voices"), ("BM_OggDecoderStream", "BM_Oggdec")):
    print(f"{slow[3:]}/{base[3:]}: {runs[slow]['real_time'] / runs[base]['real_time']:.2f}x")
PY

run_bench map_bench $(interleaved 7)
python3 - "$build/map_bench.json" <<'PY'
import json, sys

# Medians of interleaved repetitions, in CPU time: on a shared machine the
# wall clock also counts time spent waiting for a core.
runs = {b["run_name"]: b for b in json.load(open(sys.argv[1]))["benchmarks"]
        if b.get("aggregate_name") == "median"}
for name in ("BM_PlainQPainterTiles", "BM_MapDraw"):
    run = runs[name]
    print(f"{name[3:]:>18}: {run['cpu_time']:8.2f} {run['time_unit']} per 1920x1080 frame")
ratio = runs["BM_MapDraw"]["cpu_time"] / runs["BM_PlainQPainterTiles"]["cpu_time"]
print(f"MapDraw/PlainQPainterTiles: {ratio:.2f}x")
PY

run_bench map_display_bench $(interleaved 7)
python3 - "$build/map_display_bench.json" <<'PY'
import json, sys

# Medians of interleaved repetitions, in CPU time, as above.
runs = {b["run_name"]: b for b in json.load(open(sys.argv[1]))["benchmarks"]
        if b.get("aggregate_name") == "median"}
for name in ("BM_PlainCellRepaint", "BM_DisplayCellRepaint", "BM_PlainQuarterFrame",
             "BM_DisplayQuarterFrame"):
    run = runs[name]
    print(f"{name[3:]:>19}: {run['cpu_time']:8.2f} {run['time_unit']}")
for slow, base in (("BM_DisplayCellRepaint", "BM_PlainCellRepaint"),
                   ("BM_DisplayQuarterFrame", "BM_PlainQuarterFrame")):
    print(f"{slow[3:]}/{base[3:]}: {runs[slow]['cpu_time'] / runs[base]['cpu_time']:.2f}x")
PY

run_bench cursor_bench $(interleaved 7)
python3 - "$build/cursor_bench.json" <<'PY'
import json, sys

# Medians of interleaved repetitions, in CPU time: on a shared machine the
# wall clock also counts time spent waiting for a core.
runs = {b["run_name"]: b for b in json.load(open(sys.argv[1]))["benchmarks"]
        if b.get("aggregate_name") == "median"}
for name in ("BM_PlainCounters", "BM_AdvanceCursors"):
    run = runs[name]
    print(f"{name[3:]:>16}: {run['cpu_time']:8.1f} {run['time_unit']} per game step of 10000")
ratio = runs["BM_AdvanceCursors"]["cpu_time"] / runs["BM_PlainCounters"]["cpu_time"]
print(f"AdvanceCursors/PlainCounters: {ratio:.2f}x")
PY

run_bench trajectory_bench $(interleaved 5)
python3 - "$build/trajectory_bench.json" <<'PY'
import json, sys

# Medians of interleaved repetitions, in CPU time, as above.
runs = {b["run_name"]: b for b in json.load(open(sys.argv[1]))["benchmarks"]
        if b.get("aggregate_name") == "median"}
for name in ("BM_PlainMovingAverage", "BM_Smooth", "BM_PlainInterpolation", "BM_Resample"):
    run = runs[name]
    print(f"{name[3:]:>19}: {run['cpu_time']:8.1f} {run['time_unit']} per path of 1000000 points")
for slow, base in (("BM_Smooth", "BM_PlainMovingAverage"), ("BM_Resample", "BM_PlainInterpolation")):
    print(f"{slow[3:]}/{base[3:]}: {runs[slow]['cpu_time'] / runs[base]['cpu_time']:.2f}x")
PY

run_bench trajectory_preview_bench $(interleaved 7)
python3 - "$build/trajectory_preview_bench.json" <<'PY'
import json, sys

# Medians of interleaved repetitions, in CPU time, as above.
runs = {b["run_name"]: b for b in json.load(open(sys.argv[1]))["benchmarks"]
        if b.get("aggregate_name") == "median"}
base = runs["BM_PlainPolyline"]
print(f"      PlainPolyline: {base['cpu_time']:8.2f} {base['time_unit']} per 800x600 frame")
for kind in range(3):
    run = runs[f"BM_PreviewStepAndRepaint/{kind}"]
    ratio = run["cpu_time"] / base["cpu_time"]
    print(f"   Preview, type {kind}: {run['cpu_time']:8.2f} {run['time_unit']} ({ratio:.2f}x)")
PY

run_bench grid_bench
python3 - "$build/grid_bench.json" <<'PY'
import json, sys

runs = {b["name"].split("/")[0]: b for b in json.load(open(sys.argv[1]))["benchmarks"]}
for name in ("BM_TableViewFillAndFit", "BM_GridFillAndFit", "BM_TableViewPaintPage", "BM_GridPaintPage"):
    run = runs[name]
    print(f"{name[3:]:>19}: {run['real_time']:8.2f} {run['time_unit']}")
for slow, base in (("BM_GridFillAndFit", "BM_TableViewFillAndFit"),
                   ("BM_GridPaintPage", "BM_TableViewPaintPage")):
    print(f"{slow[3:]}/{base[3:]}: {runs[slow]['real_time'] / runs[base]['real_time']:.2f}x")
PY

run_bench editor_bench
python3 - "$build/editor_bench.json" <<'PY'
import json, sys

runs = {b["name"].split("/")[0]: b for b in json.load(open(sys.argv[1]))["benchmarks"]}
for name in ("BM_ToolInfo", "BM_OpenDocument", "BM_OpenAndPaint", "BM_PanelSwitch"):
    run = runs[name]
    print(f"{name[3:]:>13}: {run['real_time']:8.1f} {run['time_unit']}")
ratio = runs["BM_OpenAndPaint"]["real_time"] / runs["BM_ToolInfo"]["real_time"]
print(f"OpenAndPaint/ToolInfo: {ratio:.2f}x (10,000 items in every group)")
PY

run_bench replace_bench
python3 - "$build/replace_bench.json" <<'PY'
import json, sys

runs = {b["name"].split("/")[0]: b for b in json.load(open(sys.argv[1]))["benchmarks"]}
for name in ("BM_PlainReplaceLoop", "BM_ReplaceAllInPanel"):
    run = runs[name]
    print(f"{name[3:]:>18}: {run['real_time']:8.1f} {run['time_unit']}")
ratio = runs["BM_ReplaceAllInPanel"]["real_time"] / runs["BM_PlainReplaceLoop"]["real_time"]
print(f"ReplaceAllInPanel/PlainReplaceLoop: {ratio:.2f}x (100,000 texts)")
PY

run_bench tool_document_bench $(interleaved 5)
python3 - "$build/tool_document_bench.json" <<'PY'
import json, sys

# Medians of interleaved repetitions. "sprites": 2,000 pictures of a few KB
# to ~30 KB, where reading the bytes shows; "tiny": 2,000 pictures of a few
# hundred bytes, where what shows is the cost per item.
runs = {b["run_name"]: b for b in json.load(open(sys.argv[1]))["benchmarks"]
        if b.get("aggregate_name") == "median"}
for document in ("sprites", "tiny"):
    named = {name: runs[f"BM_{name}/{document}/real_time"] for name in
             ("PlainRead", "PlainReadReused", "Info", "PlainReadWrite", "AddText")}
    print(f"{document}: {named['Info']['MiB']:.1f} MiB, 2,000 stored pictures")
    for name, run in named.items():
        print(f"{name:>16}: {run['real_time']:8.2f} {run['time_unit']} wall,"
              f" {run['cpu_time']:8.2f} {run['time_unit']} CPU")
    for slow, base in (("Info", "PlainRead"), ("Info", "PlainReadReused"),
                       ("AddText", "PlainReadWrite"), ("AddText", "PlainRead")):
        s, b = named[slow], named[base]
        print(f"{slow}/{base}: {s['real_time'] / b['real_time']:.2f}x wall,"
              f" {s['cpu_time'] / b['cpu_time']:.2f}x CPU ({document})")
PY

run_bench picture_area_bench $(interleaved 7)
python3 - "$build/picture_area_bench.json" <<'PY'
import json, sys

# Medians of interleaved repetitions, in the CPU time of all the process's
# threads (Qt draws some pictures on threads of its own), with wall time.
runs = {b["run_name"].split("/")[0]: b for b in json.load(open(sys.argv[1]))["benchmarks"]
        if b.get("aggregate_name") == "median"}
for name in ("BM_PlainManySmall", "BM_AreaManySmall", "BM_PlainLargeZoomed", "BM_AreaLargeZoomed"):
    run = runs[name]
    print(f"{name[3:]:>17}: {run['cpu_time']:8.2f} {run['time_unit']} CPU,"
          f" {run['real_time']:8.2f} {run['time_unit']} wall per 800x600 frame")
for slow, base, what in (("BM_AreaManySmall", "BM_PlainManySmall", "200 pictures of 64 x 64"),
                         ("BM_AreaLargeZoomed", "BM_PlainLargeZoomed", "4096 x 4096 at 800 %")):
    print(f"{slow[3:]}/{base[3:]}: {runs[slow]['cpu_time'] / runs[base]['cpu_time']:.2f}x ({what})")
PY

run_bench frame_list_preview_bench $(interleaved 7)
python3 - "$build/frame_list_preview_bench.json" <<'PY'
import json, sys

# Medians of interleaved repetitions, in CPU time of all threads, as above.
runs = {b["run_name"].split("/")[0]: b for b in json.load(open(sys.argv[1]))["benchmarks"]
        if b.get("aggregate_name") == "median"}
for name in ("BM_PlainFrameDraw", "BM_EditorStepAndRepaint"):
    run = runs[name]
    print(f"{name[3:]:>20}: {run['cpu_time']:8.2f} {run['time_unit']} CPU,"
          f" {run['real_time']:8.2f} {run['time_unit']} wall per 800x600 frame")
ratio = runs["BM_EditorStepAndRepaint"]["cpu_time"] / runs["BM_PlainFrameDraw"]["cpu_time"]
print(f"EditorStepAndRepaint/PlainFrameDraw: {ratio:.2f}x (1,000 frames of 256 x 256)")
PY

run_bench sound_preview_bench $(interleaved 5)
python3 - "$build/sound_preview_bench.json" <<'PY'
import json, sys

# Medians in CPU time, as the map benchmark takes them.
runs = {b["run_name"].split("/")[0]: b for b in json.load(open(sys.argv[1]))["benchmarks"]
        if b.get("aggregate_name") == "median"}
for name in ("BM_PlainMinMax8Bands", "BM_SoundPreview8Bands"):
    run = runs[name]
    print(f"{name[3:]:>18}: {run['cpu_time']:8.2f} {run['time_unit']}")
ratio = runs["BM_SoundPreview8Bands"]["cpu_time"] / runs["BM_PlainMinMax8Bands"]["cpu_time"]
print(f"SoundPreview8Bands/PlainMinMax8Bands: {ratio:.2f}x (8 ten-minute stereo sounds)")
PY

run_bench undo_bench
python3 - "$build/undo_bench.json" <<'PY'
import json, sys

runs = {b["name"]: b for b in json.load(open(sys.argv[1]))["benchmarks"]}
for size in ("100", "10000"):
    plain = runs[f"BM_PlainCommentsEdit/{size}"]
    recorded = runs[f"BM_RecordedCommentsEdit/{size}"]
    print(f"cell edit, {size:>5} items per group: {recorded['real_time']:8.2f} {recorded['time_unit']}"
          f" recorded, {plain['real_time']:.2f} {plain['time_unit']} plain")
ratio = runs["BM_RecordedCommentsEdit/10000"]["real_time"] / runs["BM_RecordedCommentsEdit/100"]["real_time"]
print(f"RecordedCommentsEdit/10000 / RecordedCommentsEdit/100: {ratio:.2f}x")
save = runs["BM_Save"]
for name in ("BM_FirstSnapshot", "BM_SnapshotAfterAnEdit"):
    run = runs[name]
    print(f"{name[3:]:>20}: {run['real_time']:8.1f} {run['time_unit']} of the editing thread, longest slice"
          f" {run['longest_slice_ms']:.1f} ms; /Save {run['real_time'] / save['real_time']:.2f}x")
PY

run_bench video_bench $(interleaved 5)
python3 - "$build/video_bench.json" <<'PY'
import json, re, sys

# Medians of interleaved repetitions; the wall clock counts the file system's
# work too, the CPU time is the steadier on a shared machine.
data = json.load(open(sys.argv[1]))
runs = {re.sub(r"/iterations:\d+", "", b["run_name"]): b for b in data["benchmarks"]
        if b.get("aggregate_name") == "median"}
if any(b.get("error_occurred") for b in data["benchmarks"]):
    sys.exit("video_bench: " + next(b["error_message"] for b in data["benchmarks"]
                                    if b.get("error_occurred")))
for codec in ("rgb24", "ffv1"):
    for slow, base in (("ImagesToAvi", "PlainEncode"), ("AviToImages", "PlainDecode")):
        s, b = runs[f"BM_{slow}/{codec}"], runs[f"BM_{base}/{codec}"]
        print(f"{slow:>11} {codec:>5}: {s['real_time']:7.0f} ms (plain {b['real_time']:6.0f}),"
              f" {s['real_time'] / b['real_time']:.2f}x wall, {s['cpu_time'] / b['cpu_time']:.2f}x CPU"
              " (250 frames of 720 x 576)")
PY

if command -v Xvfb >/dev/null && command -v xdotool >/dev/null; then
    python3 bench/idle_editor.py "$build/bin/plexion" "$build/bin/plexion-tool"
else
    echo "idle editor: skipped (needs Xvfb and xdotool)"
fi
