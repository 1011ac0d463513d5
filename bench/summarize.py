#!/usr/bin/env python3
"""Prints what one benchmark program measured, from the JSON it wrote, and
its ratios against the baselines measured in the same run.

    summarize.py PROGRAM JSON

Each run is one line: its time, and its throughput and counters where it has
them. Programs run with repetitions show their medians. Which time a
program's ratios use (wall or CPU) and which pairs it compares are in
PROGRAMS below.
"""
import json
import re
import sys

# A program's ratios: (slower, baseline, what was measured). "time" is the
# one the ratios use: CPU where a shared machine's waiting for a core would
# swamp the figure, or where Qt draws on threads of its own; "both" adds the
# other.
PROGRAMS = {
    "document_io_bench": dict(time="real_time", ratios=[
        ("Save", "PlainWrite", ""), ("Load", "PlainRead", ""),
        ("GameReaderLoad", "PlainRead", ""), ("GameReaderLoad", "Load", "")]),
    "text_folder_bench": dict(time="real_time", ratios=[
        ("Export", "PlainExport", ""), ("Build", "PlainBuild", "")]),
    "image_import_bench": dict(time="real_time", ratios=[
        ("DecodeImage", "PlainQImageDecode", "")]),
    "bitmap_bench": dict(time="real_time", ratios=[
        ("OpenStoredPictures", "DecodeOneAfterAnother", ""),
        ("CropToAlpha", "PlainPixelPass", ""), ("ChangeColor", "PlainPixelPass", "")]),
    "audio_bench": dict(time="real_time", ratios=[
        ("Mixer32Voices", "PlainSum32Voices", ""), ("OggDecoderStream", "Oggdec", "")]),
    "map_bench": dict(time="cpu_time", ratios=[
        ("MapDraw", "PlainQPainterTiles", "a 1920 x 1080 frame")]),
    "map_display_bench": dict(time="cpu_time", ratios=[
        ("DisplayCellRepaint", "PlainCellRepaint", "a painted cell"),
        ("DisplayQuarterFrame", "PlainQuarterFrame", "a view at 25 %")]),
    "cursor_bench": dict(time="cpu_time", ratios=[
        ("AdvanceCursors", "PlainCounters", "a game step of 10,000 cursors")]),
    "trajectory_bench": dict(time="cpu_time", ratios=[
        ("Smooth", "PlainMovingAverage", "a path of 1,000,000 points"),
        ("Resample", "PlainInterpolation", "a path of 1,000,000 points")]),
    "trajectory_preview_bench": dict(time="cpu_time", ratios=[
        (f"PreviewStepAndRepaint/{kind}", "PlainPolyline", f"type {kind}, an 800 x 600 frame")
        for kind in range(3)]),
    "grid_bench": dict(time="real_time", ratios=[
        ("GridFillAndFit", "TableViewFillAndFit", "100,000 rows"),
        ("GridPaintPage", "TableViewPaintPage", "")]),
    "editor_bench": dict(time="real_time", ratios=[
        ("OpenAndPaint", "ToolInfo", "10,000 items in every group")]),
    "replace_bench": dict(time="real_time", ratios=[
        ("ReplaceAllInPanel", "PlainReplaceLoop", "100,000 texts")]),
    # "sprites": 2,000 pictures of a few KB to ~30 KB, where reading the
    # bytes shows; "tiny": 2,000 pictures of a few hundred bytes, where what
    # shows is the cost per item.
    "tool_document_bench": dict(time="real_time", both=True, ratios=[
        (f"{slow}/{document}", f"{base}/{document}", "")
        for document in ("sprites", "tiny")
        for slow, base in (("Info", "PlainRead"), ("Info", "PlainReadReused"),
                           ("AddText", "PlainReadWrite"), ("AddText", "PlainRead"))]),
    "picture_area_bench": dict(time="cpu_time", both=True, ratios=[
        ("AreaManySmall", "PlainManySmall", "200 pictures of 64 x 64"),
        ("AreaLargeZoomed", "PlainLargeZoomed", "4096 x 4096 at 800 %")]),
    "frame_list_preview_bench": dict(time="cpu_time", both=True, ratios=[
        ("EditorStepAndRepaint", "PlainFrameDraw", "1,000 frames of 256 x 256")]),
    "sound_preview_bench": dict(time="cpu_time", ratios=[
        ("SoundPreview8Bands", "PlainMinMax8Bands", "8 ten-minute stereo sounds")]),
    "undo_bench": dict(time="real_time", ratios=[
        ("RecordedCommentsEdit/10000", "RecordedCommentsEdit/100", "a recorded cell edit"),
        ("RecordedCommentsEdit/100", "PlainCommentsEdit/100", ""),
        ("FirstSnapshot", "Save", "GUI-thread time of the snapshot against a save"),
        ("SnapshotAfterAnEdit", "Save", "")]),
    "video_bench": dict(time="real_time", both=True, ratios=[
        (f"{slow}/{codec}", f"{base}/{codec}", "250 frames of 720 x 576")
        for codec in ("rgb24", "ffv1")
        for slow, base in (("ImagesToAvi", "PlainEncode"), ("AviToImages", "PlainDecode"))]),
}

# Fields every run has; any other number a run carries is a counter of its
# program's own.
STANDARD = {"name", "family_index", "per_family_instance_index", "run_name", "run_type",
            "repetitions", "repetition_index", "threads", "iterations", "real_time",
            "cpu_time", "time_unit", "aggregate_name", "aggregate_unit", "error_occurred",
            "error_message", "label", "bytes_per_second", "items_per_second"}

OTHER_TIME = {"real_time": "cpu_time", "cpu_time": "real_time"}
TIME_NAME = {"real_time": "wall", "cpu_time": "CPU"}


def short_name(name):
    """BM_Info/sprites/real_time -> Info/sprites: the name and its arguments."""
    name = re.sub(r"/(real_time|process_time|iterations:\d+|min_time:[\d.]+)", "", name)
    return name.removeprefix("BM_")


def runs_of(path):
    benchmarks = json.load(open(path))["benchmarks"]
    failed = [run for run in benchmarks if run.get("error_occurred")]
    if failed:
        sys.exit(f"{path}: {failed[0]['name']}: {failed[0]['error_message']}")
    # In the order the program registers them, whatever order they ran in.
    benchmarks.sort(key=lambda run: (run.get("family_index", 0),
                                     run.get("per_family_instance_index", 0)))
    if any("aggregate_name" in run for run in benchmarks):
        benchmarks = [run for run in benchmarks if run.get("aggregate_name") == "median"]
        return {short_name(run["run_name"]): run for run in benchmarks}
    return {short_name(run["name"]): run for run in benchmarks}


def describe(run, time, both):
    unit = run["time_unit"]
    text = f"{run[time]:10.3f} {unit} {TIME_NAME[time]}"
    if both:
        other = OTHER_TIME[time]
        text += f", {run[other]:10.3f} {unit} {TIME_NAME[other]}"
    if "bytes_per_second" in run:
        text += f", {run['bytes_per_second'] / 2**20:.1f} MiB/s"
    if "items_per_second" in run:
        text += f", {run['items_per_second']:.1f} items/s"
    counters = [f"{key} {value:g}" for key, value in run.items()
                if key not in STANDARD and isinstance(value, (int, float))]
    return text + ("; " + ", ".join(counters) if counters else "")


def main():
    program, path = sys.argv[1], sys.argv[2]
    settings = PROGRAMS[program]
    time, both = settings["time"], settings.get("both", False)
    runs = runs_of(path)
    width = max(len(name) for name in runs)
    print(f"{program}:")
    for name, run in runs.items():
        print(f"  {name:>{width}}: {describe(run, time, both)}")
    for slow, base, what in settings["ratios"]:
        ratio = f"{runs[slow][time] / runs[base][time]:.2f}x {TIME_NAME[time]}"
        if both:
            other = OTHER_TIME[time]
            ratio += f", {runs[slow][other] / runs[base][other]:.2f}x {TIME_NAME[other]}"
        print(f"  {slow}/{base}: {ratio}" + (f" ({what})" if what else ""))


if __name__ == "__main__":
    main()
