"""plexion-dat-dump (the game-side reader) held against plexion-tool dump
(the editor's reader) on the same files: the same exit code, the same JSON
apart from the sizes of pictures (the tool decodes them, the game-side reader
keeps the stored sizes), and the same message on failure.

PLEXION_TOOL and PLEXION_DAT_DUMP name the two programs.
"""

from __future__ import annotations

import concurrent.futures
import hashlib
import json
import os
import struct
import subprocess
import tempfile
from pathlib import Path

TOOL = os.environ.get("PLEXION_TOOL")
DAT_DUMP = os.environ.get("PLEXION_DAT_DUMP")
JOBS = max(2, min(16, os.cpu_count() or 2))
PROGRAM_PREFIXES = (b"plexion-tool: ", b"plexion-dat-dump: ")
# Documents (by digest) and options already compared in this run: many tests
# make the same documents.
_compared = set()


def _run(program: str, path: Path, options) -> subprocess.CompletedProcess:
    return subprocess.run([program, "dump", str(path), *options] if program == TOOL
                          else [program, str(path), *options],
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=120)


def _without_picture_sizes(dump: dict) -> dict:
    for bitmap in dump.get("bitmaps", []):
        if bitmap.get("kind") == 9:
            bitmap.pop("width", None)
            bitmap.pop("height", None)
    return dump


def _has_picture(dump: dict) -> bool:
    return any(b.get("kind") == 9 for b in dump.get("bitmaps", []))


def _messages(err: bytes) -> list:
    lines = []
    for line in err.splitlines():
        for prefix in PROGRAM_PREFIXES:
            if line.startswith(prefix):
                line = b"<program>: " + line[len(prefix):]
        lines.append(line)
    return lines


def _is_older_version(data: bytes) -> bool:
    return (len(data) >= 16 and data[:8] == b"\x07VKR_RES"
            and struct.unpack_from("<i", data, 12)[0] != 3)


def _first_difference(a: bytes, b: bytes) -> str:
    at = next((i for i, (x, y) in enumerate(zip(a, b)) if x != y), min(len(a), len(b)))
    return f"from byte {at}:\n  {a[max(0, at - 60):at + 140]!r}\n  {b[max(0, at - 60):at + 140]!r}"


def disagreement(path: Path, options=()) -> str:
    """How the two programs disagree on one file, or an empty text."""
    tool, game = _run(TOOL, path, options), _run(DAT_DUMP, path, options)
    where = f"{path.name} {' '.join(options)}".strip()
    if game.returncode < 0 or b"Sanitizer" in game.stderr or b"runtime error:" in game.stderr:
        return f"{where}: plexion-dat-dump crashed: {game.stderr[-2000:]!r}"
    if tool.returncode != game.returncode:
        return (f"{where}: exit {tool.returncode} (tool) vs {game.returncode}: "
                f"{tool.stderr[:300]!r} / {game.stderr[:300]!r}")
    if tool.returncode != 0:
        if _messages(tool.stderr) != _messages(game.stderr):
            return f"{where}: messages {tool.stderr[:400]!r} vs {game.stderr[:400]!r}"
        return ""
    want, got = json.loads(tool.stdout), json.loads(game.stdout)
    if ((not _has_picture(want) and tool.stdout != game.stdout)
            or _without_picture_sizes(want) != _without_picture_sizes(got)):
        return f"{where}: output differs {_first_difference(tool.stdout, game.stdout)}"
    return ""


def disagreements(blobs, options=()) -> list:
    """Every disagreement over documents given as bytes; a document of an
    older version is also read with --accept-old-version."""
    with tempfile.TemporaryDirectory(prefix="plexion-dat-dump-") as folder:
        jobs = []
        for index, data in enumerate(blobs):
            path = Path(folder) / f"d{index}.dat"
            variants = [tuple(options)]
            if _is_older_version(data) and "--accept-old-version" not in options:
                variants.append((*options, "--accept-old-version"))
            digest = hashlib.sha256(data).digest()
            for variant in variants:
                if (digest, variant) not in _compared:
                    _compared.add((digest, variant))
                    path.write_bytes(data)
                    jobs.append((path, variant))
        with concurrent.futures.ThreadPoolExecutor(JOBS) as pool:
            found = pool.map(lambda job: disagreement(*job), jobs)
            return [problem for problem in found if problem]
