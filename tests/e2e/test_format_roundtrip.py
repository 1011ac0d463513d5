"""End-to-end checks of plexion-tool against the independent reader/writer
in dat_format.py (written from docs/FORMAT.md).

The tool is given by the environment variable PLEXION_TOOL. Every tool run
must end with an ordinary exit code: a signal or a sanitizer report is a
failure whatever the code.
"""

from __future__ import annotations

import concurrent.futures
import hashlib
import json
import math
import os
import random
import re
import struct
import subprocess
import tempfile
import unittest
import zlib
from pathlib import Path

import dat_format as dat
import dat_dump_agreement
from dat_format import (Animation, BinaryFile, Bitmap, Color, Document, Map, Sound,
                        Text, Trajectory)

HERE = Path(__file__).resolve().parent
FORMAT_MD = HERE.parent.parent / "docs" / "FORMAT.md"
TOOL = os.environ.get("PLEXION_TOOL")
JOBS = max(2, min(16, os.cpu_count() or 2))

EXIT_OK, EXIT_USAGE, EXIT_DAMAGED, EXIT_PASSWORD, EXIT_NOT_FOUND = 0, 1, 2, 3, 4

NEW_DOC_DELAY_COMMENTS = (b"Delay between each game event.\r\n\r\n"
                          b"8 => 1000 / 8 = 125 fps (default)\r\n"
                          b"10 => 1000 / 10 = 100 fps")


# --------------------------------------------------------------------------
# Sample data

def png_bytes(width: int, height: int) -> bytes:
    """A small valid RGBA PNG, so the picture's decoded size matches the
    stored one whether or not a reader decodes it."""
    def chunk(tag: bytes, body: bytes) -> bytes:
        return (struct.pack(">I", len(body)) + tag + body
                + struct.pack(">I", zlib.crc32(tag + body) & 0xFFFFFFFF))
    raw = b"".join(b"\x00" + b"".join(bytes([(x * 40) % 256, (y * 60) % 256, 128, 200])
                                       for x in range(width)) for y in range(height))
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def canonical_document() -> Document:
    """Every kind, each item stored exactly as Plexion itself writes it, so a
    file the tool saves again must be identical byte for byte."""
    doc = Document(name=b"Canonical \xe9\xff", comments=b"line 1\r\nline 2")
    t = doc.group(0)
    t.append(Text(id=b"settings_one_game_step_delay", comments=b"clock", value=0, text=b"8"))
    t.append(Text(id=b"greeting", comments=b"", value=-12345, text=b"Hello [hero], welcome!"))
    t.append(Text(id=b"hero", comments=b"c", value=2**31 - 1, text=b"Ann"))
    t.append(Text(id=b"", comments=b"empty id", value=-2**31, text=b""))
    t.append(Text(id=b"hero", comments=b"duplicate id", value=1, text=b"Bob"))
    t.append(Text(id=b"high", comments=b"\x80\x81\xfe\xff", value=0, text=bytes(range(256))))
    b = doc.group(1)
    b.append(Bitmap(id=b"empty", comments=b"", kind=0, offset_x=-3.5, offset_y=7.25, source=b"C:\\a.png"))
    b.append(Bitmap(id=b"picture", comments=b"png", kind=9, width=3, height=2, offset_x=1.0,
                    offset_y=-2.0, source=b"/home/u/pic.png", data=png_bytes(3, 2)))
    b.append(Bitmap(id=b"region", comments=b"two bands", kind=6, width=30, height=25,
                    rects=[[0, 0, 10, 10], [20, 0, 30, 10], [5, 20, 15, 25]]))
    b.append(Bitmap(id=b"region-empty", kind=6, width=0, height=0, rects=[]))
    s = doc.group(2)
    s.append(Sound(id=b"pcm8", storage=0, frames=5, bits=8, channels=1, rate=11025,
                   data=bytes([128, 0, 255, 1, 127])))
    s.append(Sound(id=b"pcm16", storage=0, frames=3, bits=16, channels=2, rate=22050,
                   data=struct.pack("<6h", 0, -1, 32767, -32768, 5, -5)))
    s.append(Sound(id=b"pcm32", storage=0, frames=2, bits=32, channels=2, rate=44100,
                   data=struct.pack("<4f", 1.0, -1.0, 0.5, -0.25)))
    s.append(Sound(id=b"pcm-empty", storage=0, frames=0, bits=16, channels=2, rate=48000))
    s.append(Sound(id=b"ogg", storage=1, ogg=b"OggS\x00not really vorbis\xff" * 3))
    s.append(Sound(id=b"ogg-empty", storage=1, ogg=b""))
    a = doc.group(3)
    a.append(Animation(id=b"walk", type=1, frames=[[0, 1, 0, 0], [1, 3, -4, 5], [65535, -2, 2**31 - 1, -2**31]],
                       play_mode=3))
    a.append(Animation(id=b"none", type=7, frames=[], play_mode=0))
    tr = doc.group(4)
    tr.append(Trajectory(id=b"path", type=0, play_mode=1, offset_x=100, offset_y=-100, closed=0,
                         center_x=20 / 3, center_y=10 / 3, points=[[0, 0], [10, 0], [10, 10]]))
    tr.append(Trajectory(id=b"shape", type=2, play_mode=7, closed=1, center_x=1.0, center_y=2.0,
                         points=[[-0.0, 1e300], [float("inf"), -float("inf")], [5e-324, 0.1]]))
    tr.append(Trajectory(id=b"nopoints", type=1, play_mode=0, center_x=0.0, center_y=0.0))
    m = doc.group(5)
    m.append(Map(id=b"level", type=0, columns=3, lines=2, size_x=16, size_y=24,
                 cells=[[1, 2], [3, 4], [5, -1]]))
    m.append(Map(id=b"zero", type=0, columns=0, lines=0, size_x=32, size_y=32))
    m.append(Map(id=b"tall", type=5, columns=1, lines=4, size_x=1, size_y=1000,
                 cells=[[-32768, 32767, 0, 7]]))
    c = doc.group(6)
    c.append(Color(id=b"red", value=0, color=0x0000FF))
    c.append(Color(id=b"white", value=-7, color=0xFFFFFF))
    c.append(Color(id=b"mix", value=99, color=0x123456))
    f = doc.group(7)
    f.append(BinaryFile(id=b"all-bytes", plain=0, source=b"/tmp/all.bin", data=bytes(range(256)) * 3))
    f.append(BinaryFile(id=b"plain", plain=1, source=b"C:\\x\\plain.txt", data=b"kept as it is\x00\xff"))
    f.append(BinaryFile(id=b"plain-odd", plain=-5, source=b"", data=b"\x01\x02"))
    f.append(BinaryFile(id=b"empty", plain=0, source=b"nothing", data=b""))
    return doc


def edge_document() -> Document:
    """Items the format allows but Plexion never writes itself."""
    doc = canonical_document()
    doc.name = b"\xc3"                    # truncated UTF-8 sequence
    doc.comments = b"\xc0\x80 overlong, \xed\xa0\x80 surrogate, \xf4\x90\x80\x80 too high"
    b = doc.group(1)
    b.append(Bitmap(id=b"old payload", comments=b"version 1: plain texts", version=1, kind=9,
                    width=3, height=2, source=b"old.png", data=png_bytes(3, 2)))
    b.append(Bitmap(id=b"arbitrary", comments=b"", kind=9, width=640, height=480,
                    source=b"\xff\xfe", data=bytes(random.Random(5).randrange(256) for _ in range(777))))
    b.append(Bitmap(id=b"nine-empty", kind=9, width=0, height=0, data=b""))
    b.append(Bitmap(id=b"region-dropped", kind=6, width=1, height=1,
                    rects=[[0, 0, 10, 10]],
                    region_raw=struct.pack("<4I4i", 32, 1, 3, 48, 0, 0, 10, 10)
                    + struct.pack("<4i", 0, 0, 10, 10)      # kept
                    + struct.pack("<4i", 5, 5, 5, 9)        # empty: width 0
                    + struct.pack("<4i", 3, 8, 9, 2)))      # empty: bottom above top
    b.append(Bitmap(id=b"region-negative-n", kind=6, width=5, height=5, rects=[], region_raw=b""))
    # Region headers whose other fields are wrong: only the count and the bytes matter.
    for raw in (struct.pack("<4I4i", 99, 7, 1, 16, 0, 0, 0, 0) + struct.pack("<4i", 1, 1, 4, 4),
                struct.pack("<4I4i", 32, 1, 1, 16, 0, 0, 4, 4) + struct.pack("<4i", 0, 0, 4, 4)
                + struct.pack("<4i", 9, 9, 12, 12)):          # bytes beyond the count
        b.append(Bitmap(id=b"odd-region", kind=6, rects=dat._parse_region(raw), region_raw=raw))
    s = doc.group(2)
    s.append(Sound(id=b"storage-7-is-pcm", storage=7, frames=1, bits=16, channels=1, rate=8000,
                   data=b"\x01\x02"))
    s.append(Sound(id=b"negative-frames", storage=0, frames=-5, bits=16, channels=2, rate=1))
    s.append(Sound(id=b"ogg-negative", storage=1, ogg=b"", ogg_len=-9))
    s.append(Sound(id=b"pcm12", storage=0, frames=3, bits=12, channels=1, rate=100,
                   data=b"\xaa\xbb\xcc\xdd"))     # 1 * 3 * 12 / 8 = 4 bytes
    a = doc.group(3)
    a.append(Animation(id=b"negative-count", type=1, frames=[], count_word=-3, play_mode=9))
    tr = doc.group(4)
    tr.append(Trajectory(id=b"v1", version=1, type=0, play_mode=4, offset_x=1, offset_y=2,
                         points=[[1.0, 2.0], [3.0, 5.0], [8.0, -1.0]]))
    tr.append(Trajectory(id=b"v1-empty", version=0, type=0, play_mode=0))
    tr.append(Trajectory(id=b"v1-negative", version=-4, type=1, count_word=-1))
    tr.append(Trajectory(id=b"v3", version=3, closed=1, center_x=-1.5, center_y=2.5,
                         points=[[float("nan"), 1.0]]))
    tr.append(Trajectory(id=b"negative-count", version=2, closed=1, center_x=4.0, center_y=4.0,
                         count_word=-100))
    m = doc.group(5)
    m.append(Map(id=b"no-lines", type=0, columns=5, lines=0, size_x=8, size_y=9))
    m.append(Map(id=b"negative", type=0, columns=-2, lines=3, size_x=0, size_y=-1))
    c = doc.group(6)
    c.append(Color(id=b"high-bits", value=0, color=0x7F000000 | 0x00A0B0))
    f = doc.group(7)
    f.append(BinaryFile(id=b"", plain=0, source=b"\xff" * 300, data=b"\x00"))
    # Long IDs and comments: every prefix form.
    t = doc.group(0)
    for n in (254, 255, 256, 65533, 65534, 65535, 70000):
        t.append(Text(id=b"len%d" % n, comments=b"c" * (n % 300), text=bytes((i * 7) % 256 for i in range(n))))
    return doc


# Texts written with a longer prefix than needed (they must read the same).
LONG_FORMS = {b"hero": 3, b"Ann": 7, b"greeting": 7, b"": 3, b"c": 7,
              bytes((i * 7) % 256 for i in range(65534)): 3}   # uint16 0xFFFE, never written by Plexion


# --------------------------------------------------------------------------
# The tool

class ToolResult:
    def __init__(self, args, proc):
        self.args = args
        self.rc = proc.returncode
        self.out = proc.stdout
        self.err = proc.stderr

    def __repr__(self):
        return (f"<{self.args!r} rc={self.rc} out={self.out[:300]!r} "
                f"err={self.err[:2000]!r}>")


def run_tool(*args, timeout=120) -> ToolResult:
    argv = [os.fsencode(TOOL)] + [a if isinstance(a, bytes) else os.fsencode(str(a)) for a in args]
    proc = subprocess.run(argv, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=timeout)
    return ToolResult(args, proc)


def sane(result: ToolResult) -> bool:
    return (result.rc >= 0 and b"AddressSanitizer" not in result.err
            and b"runtime error:" not in result.err and b"LeakSanitizer" not in result.err)


def jtext(value) -> bytes:
    if isinstance(value, str):
        return value.encode("utf-8")
    if isinstance(value, dict) and set(value) == {"hex"}:
        return bytes.fromhex(value["hex"])
    raise AssertionError(f"not a text in the dump: {value!r}")


def jreal(value):
    """Dump reals as comparable values: NaN compares by being NaN."""
    if isinstance(value, str):
        return {"NaN": math.nan, "Infinity": math.inf, "-Infinity": -math.inf}[value]
    if isinstance(value, (int, float)) and not isinstance(value, bool):
        return float(value)
    raise AssertionError(f"not a real in the dump: {value!r}")


def preal(v: float):
    return "nan" if math.isnan(v) else float(v)


def sha(b: bytes) -> str:
    return hashlib.sha256(b).hexdigest()


# --------------------------------------------------------------------------
# What the dump must show for a document, from the independent reader

def expected_items(doc: Document) -> dict:
    out = {}
    out["texts"] = [dict(id=i.id, comments=i.comments, value=i.value, text=i.text)
                    for i in doc.group(0)]
    bitmaps = []
    for i in doc.group(1):
        e = dict(id=i.id, comments=i.comments, offset_x=preal(i.offset_x), offset_y=preal(i.offset_y))
        if i.kind == 9:
            width, height = dat.picture_size(i.data)
            e.update(kind=9, width=preal(width), height=preal(height), source=i.source,
                     source_size=len(i.data), source_sha256=sha(i.data))
        elif i.kind == 6:
            w, h = dat.region_box(i.rects)
            e.update(kind=6, width=float(w), height=float(h), source=b"", source_size=0,
                     rects=[list(r) for r in i.rects])
        elif 1 <= i.kind <= 4:
            # An empty in-memory picture of that kind; making it drops the source name.
            e.update(kind=i.kind, width=0.0, height=0.0, source=b"", source_size=0)
        else:
            e.update(kind=0, width=0.0, height=0.0, source=i.source, source_size=0)
        bitmaps.append(e)
    out["bitmaps"] = bitmaps
    sounds = []
    for i in doc.group(2):
        e = dict(id=i.id, comments=i.comments)
        if i.storage == 1:
            e.update(storage="ogg", bits=32, channels=2, rate=44100, frames=0, data_size=0,
                     ogg_size=len(i.ogg), ogg_sha256=sha(i.ogg),
                     stream=dict(version=0, channels=0, rate=0, bitrate_upper=0,
                                 bitrate_nominal=0, bitrate_lower=0, bitrate_window=0))
        else:
            data = i.data if i.frames > 0 else b""
            e.update(storage="pcm", bits=i.bits, channels=i.channels, rate=i.rate, frames=i.frames,
                     data_size=len(data), data_sha256=sha(data))
        sounds.append(e)
    out["sounds"] = sounds
    out["animations"] = [dict(id=i.id, comments=i.comments, type=i.type, play_mode=i.play_mode,
                              frames=[list(f) for f in i.frames]) for i in doc.group(3)]
    out["trajectories"] = [dict(id=i.id, comments=i.comments, type=i.type, play_mode=i.play_mode,
                                closed=i.closed, offset=[i.offset_x, i.offset_y],
                                center=[preal(i.center_x), preal(i.center_y)],
                                points=[[preal(x), preal(y)] for x, y in i.points])
                           for i in doc.group(4)]
    out["maps"] = [dict(id=i.id, comments=i.comments, type=i.type, columns=i.columns, lines=i.lines,
                        size_x=i.size_x, size_y=i.size_y, cells=[list(c) for c in i.cells])
                   for i in doc.group(5)]
    out["colors"] = [dict(id=i.id, comments=i.comments, value=i.value, alpha=255,
                          color="%02X%02X%02X" % (i.color & 0xFF, (i.color >> 8) & 0xFF,
                                                  (i.color >> 16) & 0xFF))
                     for i in doc.group(6)]
    out["files"] = [dict(id=i.id, comments=i.comments, plain=i.plain, source=i.source,
                         size=len(i.data), sha256=sha(i.data)) for i in doc.group(7)]
    return out


TEXT_FIELDS = {"id", "comments", "text", "source"}
REAL_FIELDS = {"width", "height", "offset_x", "offset_y"}


def normalise_dump_item(group: str, item: dict, keys) -> dict:
    out = {}
    for k in keys:
        if k not in item:
            out[k] = "<missing>"
            continue
        v = item[k]
        if k in TEXT_FIELDS:
            v = jtext(v)
        elif k in REAL_FIELDS:
            v = preal(jreal(v))
        elif group == "trajectories" and k == "center":
            v = [preal(jreal(x)) for x in v]
        elif group == "trajectories" and k == "points":
            v = [[preal(jreal(x)), preal(jreal(y))] for x, y in v]
        elif group == "colors" and k == "color":
            v = str(v).upper()
        out[k] = v
    return out


class DumpMismatch(AssertionError):
    pass


def compare_dump(dump: dict, doc: Document) -> list:
    """Differences between the tool's dump and the independent reader's
    view, as readable lines (empty when they agree)."""
    problems = []
    if jtext(dump.get("name")) != doc.name:
        problems.append(f"name: dump {dump.get('name')!r} reader {doc.name!r}")
    if jtext(dump.get("comments")) != doc.comments:
        problems.append(f"comments: dump {dump.get('comments')!r} reader {doc.comments!r}")
    expected = expected_items(doc)
    for group, items in expected.items():
        got = dump.get(group)
        if not isinstance(got, list):
            problems.append(f"{group}: missing from dump")
            continue
        if len(got) != len(items):
            problems.append(f"{group}: dump has {len(got)} items, reader {len(items)}")
            continue
        for index, (g, e) in enumerate(zip(got, items)):
            n = normalise_dump_item(group, g, e.keys())
            for k in e:
                if n[k] != e[k]:
                    problems.append(f"{group}[{index}] ({e['id']!r}).{k}: dump {n[k]!r} reader {e[k]!r}")
    return problems


# --------------------------------------------------------------------------

@unittest.skipIf(not TOOL, "PLEXION_TOOL is not set")
class ToolTestCase(unittest.TestCase):
    def setUp(self):
        self._tmp = tempfile.TemporaryDirectory(prefix="plexion-e2e-")
        self.tmp = Path(self._tmp.name)
        self._counter = 0
        self._documents = []

    def tearDown(self):
        try:
            # Every document a test made is also read by the game-side reader,
            # which must see it exactly as the tool does.
            # The files the tool wrote or changed count as well.
            documents = dict.fromkeys(self._documents + [p.read_bytes() for p in sorted(self.tmp.glob("*.dat"))])
            if dat_dump_agreement.DAT_DUMP and documents:
                problems = dat_dump_agreement.disagreements(list(documents))
                self.assertEqual(problems, [], "plexion-dat-dump disagrees with the tool:\n  "
                                 + "\n  ".join(problems[:20]))
        finally:
            self._tmp.cleanup()

    def path(self, suffix=".dat") -> Path:
        self._counter += 1
        return self.tmp / f"f{self._counter}{suffix}"

    def put(self, data: bytes) -> Path:
        p = self.path()
        p.write_bytes(data)
        self._documents.append(data)
        return p

    def tool(self, *args, expect=None) -> ToolResult:
        r = run_tool(*args)
        self.assertTrue(sane(r), f"tool crashed or reported a sanitizer error: {r!r}")
        if expect is not None:
            self.assertEqual(r.rc, expect, repr(r))
        return r

    def dump(self, path, *options) -> dict:
        r = self.tool("dump", path, *options, expect=EXIT_OK)
        try:
            return json.loads(r.out)
        except ValueError as e:
            self.fail(f"dump is not JSON ({e}): {r.out[:500]!r}")

    def assertDumpMatches(self, path, doc: Document, *options):
        problems = compare_dump(self.dump(path, *options), doc)
        self.assertEqual(problems, [], "dump disagrees with the independent reader:\n  "
                         + "\n  ".join(problems[:40]))

    def assertSameItems(self, got: Document, want: Document):
        g, w = dat.document_view(got), dat.document_view(want)
        self.assertEqual(g[:2], w[:2], "name/comments differ")
        for kind in range(8):
            for index, (gi, wi) in enumerate(zip(g[2][kind], w[2][kind])):
                self.assertEqual(gi, wi, f"{dat.KIND_NAMES[kind]}[{index}] differs")
            self.assertEqual(len(g[2][kind]), len(w[2][kind]), f"{dat.KIND_NAMES[kind]}: item count")

    def check_many(self, blobs: list, extra=()) -> list:
        """Runs `check` on many files in parallel; returns the results."""
        paths = [self.put(b) for b in blobs]

        def one(p):
            return run_tool("check", p, *extra)

        with concurrent.futures.ThreadPoolExecutor(JOBS) as pool:
            return list(pool.map(one, paths))


def pixels(rects) -> set:
    return {(x, y) for l, t, r, b in rects for x in range(l, r) for y in range(t, b)}


def reader_rc(data: bytes, accept_old=False) -> int:
    try:
        doc = dat.read(data, accept_old)
    except dat.DatError:
        return EXIT_DAMAGED
    mended = any(dat.region_damage(b.region_raw) for b in doc.group(1) if b.kind == 6)
    return EXIT_DAMAGED if mended else EXIT_OK


# --------------------------------------------------------------------------
# Format documentation and the independent reader/writer, without the tool

class FormatDocumentationTest(unittest.TestCase):
    def listing(self, heading: str, start: int = 0) -> bytes:
        text = FORMAT_MD.read_text(encoding="utf-8")
        section = text[text.index(heading):]
        block = section[section.index("```") + 3:]
        block = block[:block.index("```")]
        out = bytearray()
        for line in block.splitlines():
            m = re.match(r"^([0-9A-F]{4}) {4}((?:[0-9A-F]{2} ?)+?)(?:\s{2,}|$)", line)
            if m:
                self.assertEqual(int(m.group(1), 16), start + len(out), f"offset column of {line!r}")
                out += bytes.fromhex(m.group(2))
        return bytes(out)

    def test_worked_example_empty_document(self):
        self.assertEqual(self.listing("### 9.1"), dat.write(Document()))

    def test_worked_example_text_and_color(self):
        doc = Document()
        doc.group(0).append(Text(id=b"hi", value=7, text=b"Hey"))
        doc.group(6).append(Color(id=b"red", color=0x0000FF))
        data = dat.write(doc)
        self.assertEqual(self.listing("### 9.1") + self.listing("### 9.2", 40), data)
        self.assertEqual(dat.document_view(dat.read(data)), dat.document_view(doc))

    def test_constants_in_the_document(self):
        text = FORMAT_MD.read_text(encoding="utf-8")
        for constant in ("K1 = 0x5C, K2 = 0x21", "K3 = 0x37, K4 = 0xA9", "M = 0x9E3779B9"):
            self.assertIn(constant, text)
        self.assertEqual((dat.K1, dat.K2, dat.K3, dat.K4, dat.COLOR_MASK),
                         (0x5C, 0x21, 0x37, 0xA9, 0x9E3779B9))

    def test_scrambles_are_bijections(self):
        every = bytes(range(256))
        self.assertEqual(sorted(dat.scramble(every)), list(every))
        self.assertEqual(dat.unscramble(dat.scramble(every)), every)
        self.assertEqual(dat.block_unscramble(dat.block_scramble(every)), every)
        self.assertEqual(dat.scramble(b"VKRTXT"), bytes.fromhex("E9F6EDE7E3E7"))

    def test_prefix_forms(self):
        self.assertEqual(dat.string_prefix(254), b"\xfe")
        self.assertEqual(dat.string_prefix(255), b"\xff\xff\x00")
        self.assertEqual(dat.string_prefix(65533), b"\xff\xfd\xff")
        self.assertEqual(dat.string_prefix(65534), b"\xff\xff\xff\xfe\xff\x00\x00")
        r = dat._Reader(b"\xff\x03\x00abc\xff\xff\xff\x03\x00\x00\x00abc\xff\xfe\xff")
        self.assertEqual(r.string(), b"abc")
        self.assertEqual(r.string(), b"abc")
        with self.assertRaises(dat._Stop):
            r.string()              # claims 65534 bytes

    def test_own_round_trip(self):
        for doc in (canonical_document(), edge_document()):
            once = dat.read(dat.write(doc, forms=LONG_FORMS))
            twice = dat.read(dat.write(once))
            self.assertEqual(dat.document_view(once), dat.document_view(twice))
        self.assertEqual(dat.write(dat.read(dat.write(canonical_document()))),
                         dat.write(canonical_document()))


# --------------------------------------------------------------------------
# The tool reads what the independent writer writes

class ReadTest(ToolTestCase):
    def test_canonical_document(self):
        doc = canonical_document()
        p = self.put(dat.write(doc))
        r = self.tool("check", p, expect=EXIT_OK)
        self.assertIn(b"OK", r.out)
        self.assertDumpMatches(p, dat.read_file(p))

    def test_edge_values_and_long_prefixes(self):
        p = self.put(dat.write(edge_document(), forms=LONG_FORMS))
        self.tool("check", p, expect=EXIT_OK)
        self.assertDumpMatches(p, dat.read_file(p))

    def test_info_counts(self):
        doc = canonical_document()
        p = self.put(dat.write(doc))
        r = self.tool("info", p, expect=EXIT_OK)
        counts = re.findall(rb"(?m)^[^\n]*: (-?\d+)$", r.out)[-8:]
        self.assertEqual([int(c) for c in counts], [len(doc.group(k)) for k in range(8)], r.out)

    def test_list_rows(self):
        doc = canonical_document()
        p = self.put(dat.write(doc))
        r = self.tool("list", p, "--kind", "maps", expect=EXIT_OK)
        rows = [line.split(b"\t") for line in r.out.splitlines()]
        self.assertEqual([row[1] for row in rows], [b"0", b"1", b"2"])
        self.assertEqual([row[2] for row in rows], [m.id for m in doc.group(5)])

    def test_payload_ids_win_over_common_header(self):
        doc = Document()
        doc.group(1).append(Bitmap(id=b"payload id", comments=b"payload comments", kind=0,
                                   header_id=b"header id", header_comments=b"header comments"))
        p = self.put(dat.write(doc))
        self.tool("check", p, expect=EXIT_OK)
        bm = self.dump(p)["bitmaps"][0]
        self.assertEqual((jtext(bm["id"]), jtext(bm["comments"])), (b"payload id", b"payload comments"))

    def test_other_bitmap_kinds_have_no_tail(self):
        doc = Document()
        for kind in (0, 1, 2, 3, 4, 5, 7, 8, 10, 23, 24, -1):
            doc.group(1).append(Bitmap(id=b"k%d" % kind, kind=kind, width=4, height=4, offset_x=kind,
                                       source=b"from %d" % kind))
        doc.group(0).append(Text(id=b"after", text=b"still read"))
        p = self.put(dat.write(doc))
        self.tool("check", p, expect=EXIT_OK)
        self.assertDumpMatches(p, dat.read_file(p))
        d = self.dump(p)
        self.assertEqual([jtext(b["id"]) for b in d["bitmaps"]], [b.id for b in doc.group(1)])
        self.assertEqual([jreal(b["offset_x"]) for b in d["bitmaps"]],
                         [float(b.offset_x) for b in doc.group(1)])
        self.assertEqual(jtext(d["texts"][0]["text"]), b"still read")
        # Saved again, they are empty bitmaps.
        self.tool("add-text", p, "x", "y", expect=EXIT_OK)
        again = dat.read_file(p)
        self.assertEqual([(b.kind, b.width, b.height) for b in again.group(1)],
                         [(0, 0.0, 0.0)] * len(doc.group(1)))
        self.assertEqual([b.offset_x for b in again.group(1)], [float(b.offset_x) for b in doc.group(1)])

    def test_chunks_in_any_order(self):
        doc = canonical_document()
        p = self.put(dat.write(doc, chunk_order=[7, 6, 5, 4, 3, 2, 1, 0]))
        self.tool("check", p, expect=EXIT_OK)
        self.assertDumpMatches(p, doc_view_of(p))

    def test_separator_of_any_form_and_content(self):
        doc = canonical_document()
        w = dat.Writer()
        dat.write_header(w, doc)
        for kind, sep in zip(range(8), [b"", b"x", b"y" * 300, b"\xff" * 70000, b"", b"z", b"", b"a"]):
            dat.write_chunk(w, kind, doc.group(kind), separator=sep)
        p = self.put(w.bytes())
        self.tool("check", p, expect=EXIT_OK)
        self.assertDumpMatches(p, doc)

    def test_repeated_chunks_later_wins(self):
        first = [Text(id=b"old%d" % i, text=b"old") for i in range(3)]
        second = [Text(id=b"new", text=b"new")]
        colors = [Color(id=b"c", color=0xABCDEF)]
        w = dat.Writer()
        dat.write_header(w, Document())
        dat.write_chunk(w, 0, first)
        dat.write_chunk(w, 6, colors)
        dat.write_chunk(w, 0, second)
        dat.write_chunk(w, 6, [], count=0)          # a later empty chunk empties the group
        p = self.put(w.bytes())
        self.tool("check", p, expect=EXIT_OK)
        want = Document()
        want.group(0).extend(second)
        self.assertSameItems(dat.read_file(p), want)
        self.assertDumpMatches(p, want)

    def test_negative_item_count(self):
        w = dat.Writer()
        dat.write_header(w, Document())
        dat.write_chunk(w, 3, [], count=-7)
        dat.write_chunk(w, 0, [Text(id=b"t")])
        p = self.put(w.bytes())
        self.tool("check", p, expect=EXIT_OK)
        self.assertDumpMatches(p, dat.read_file(p))

    def test_unknown_chunk(self):
        for tag in (b"VKRXXX", b"vkrtxt", b"VKRTXT ", b"", b"VKTNOTYPE"):
            w = dat.Writer()
            dat.write_header(w, Document())
            dat.write_chunk(w, 0, [Text(id=b"before")])
            dat.write_chunk(w, 0, [Text(id=b"after")], tag=tag)
            p = self.put(w.bytes())
            with self.subTest(tag=tag):
                self.assertEqual(reader_rc(w.bytes()), EXIT_DAMAGED)
                self.tool("check", p, expect=EXIT_DAMAGED)

    def test_wrong_magic(self):
        good = dat.write(canonical_document())
        for bad in (b"\x07VKR_REZ" + good[8:], b"\x06VKR_RE" + good[7:], b"\x07vkr_res" + good[8:],
                    b"not a resource file at all", b"\x00" * 64):
            with self.subTest(start=bad[:8]):
                self.assertEqual(reader_rc(bad), EXIT_DAMAGED)
                self.tool("check", self.put(bad), expect=EXIT_DAMAGED)

    def test_old_version(self):
        doc = canonical_document()
        for version in (2, 1, 0, 4, -1):
            data = dat.write(doc, version=version)
            p = self.put(data)
            with self.subTest(version=version):
                self.tool("check", p, expect=EXIT_DAMAGED)
                self.tool("check", p, "--accept-old-version", expect=EXIT_OK)
                old = dat.read(data, accept_old_version=True)
                self.assertEqual((old.name, old.comments), (b"No Name", b"No Comments"))
                self.assertDumpMatches(p, old, "--accept-old-version")

    def test_old_version_magic_with_long_prefix(self):
        doc = canonical_document()
        data = dat.write(doc, version=2, forms={b"VKR_RES": 7})
        self.assertEqual(data[:8], b"\xff\xff\xff\x07\x00\x00\x00V")
        p = self.put(data)
        self.tool("check", p, "--accept-old-version", expect=EXIT_OK)
        self.assertDumpMatches(p, dat.read(data, True), "--accept-old-version")

    def test_password_is_only_a_gate(self):
        doc = canonical_document()
        doc.group(0).append(Text(id=b"settings_password", text=b"S3cret"))
        p = self.put(dat.write(doc))
        self.tool("dump", p, expect=EXIT_PASSWORD)
        self.tool("dump", p, "--password", "s3cret", expect=EXIT_PASSWORD)
        self.assertDumpMatches(p, doc_view_of(p), "--password", "S3cret")
        # Anyone with the format reads everything, the password included.
        self.assertEqual(dat.read_file(p).group(0)[-1].text, b"S3cret")

    def test_empty_password_needs_none(self):
        doc = Document()
        doc.group(0).append(Text(id=b"settings_password", text=b""))
        doc.group(0).append(Text(id=b"settings_password", text=b"second one is not checked"))
        p = self.put(dat.write(doc))
        self.assertDumpMatches(p, doc)


def doc_view_of(path) -> Document:
    return dat.read_file(path)


# --------------------------------------------------------------------------
# What the tool writes, read by the independent reader

class WriteTest(ToolTestCase):
    def test_new_document_is_byte_exact(self):
        for name, comments in ((None, None), (b"Level 1", b"two\nlines"),
                               (b"n" * 255, b"c" * 70000), (b"\xe9t\xe9", b"")):
            p = self.path()
            args = ["new", p]
            if name is not None:
                args += ["--name", name, "--comments", comments]
            self.tool(*args, expect=EXIT_OK)
            want = Document()
            if name is not None:
                want.name, want.comments = name, comments
            want.group(0).append(Text(id=b"settings_one_game_step_delay",
                                      comments=NEW_DOC_DELAY_COMMENTS, value=0, text=b"8"))
            with self.subTest(name=name):
                self.assertEqual(p.read_bytes(), dat.write(want))

    def test_resave_canonical_is_byte_exact(self):
        doc = canonical_document()
        p = self.put(dat.write(doc))
        self.tool("add-text", p, b"new \xff id", b"new text\n", "--comments", "made by the tool",
                  expect=EXIT_OK)
        doc.group(0).append(Text(id=b"new \xff id", comments=b"made by the tool", text=b"new text\n"))
        got = p.read_bytes()
        self.assertSameItems(dat.read(got), doc)
        self.assertEqual(got, dat.write(doc), "the tool's file differs from the documented layout")

    def test_every_item_survives_a_save(self):
        original = edge_document()
        p = self.put(dat.write(original, forms=LONG_FORMS))
        before = dat.read_file(p)
        self.tool("add-text", p, "added", "text", expect=EXIT_OK)
        after = dat.read_file(p)
        self.tool("check", p, expect=EXIT_OK)
        added = after.group(0).pop()
        self.assertEqual((added.id, added.comments, added.value, added.text),
                         (b"added", b"", 0, b"text"))
        self.assertSameItems(after, before)
        # Plexion's own forms: payload versions 2, shortest prefixes, ignored words as documented.
        self.assertTrue(all(b.version == 2 for b in after.group(1)))
        self.assertTrue(all(t.version == 2 for t in after.group(4)))

    def test_add_color(self):
        p = self.path()
        self.tool("new", p, expect=EXIT_OK)
        self.tool("add-color", p, "sky", "87CEEB", expect=EXIT_OK)
        self.tool("add-color", p, "sky", "000000", expect=EXIT_OK)
        doc = dat.read_file(p)
        self.assertEqual([(c.id, c.color, c.value) for c in doc.group(6)],
                         [(b"sky", 0xEBCE87, 0), (b"sky", 0, 0)])
        raw = p.read_bytes()
        self.assertIn(struct.pack("<I", 0xEBCE87 ^ 0x9E3779B9), raw)

    def test_add_and_extract_file(self):
        payload = bytes(range(256)) * 5 + b"end"
        src = self.path(".bin")
        src.write_bytes(payload)
        empty = self.path(".empty")
        empty.write_bytes(b"")
        p = self.path()
        self.tool("new", p, expect=EXIT_OK)
        self.tool("add-file", p, src, empty, expect=EXIT_OK)
        doc = dat.read_file(p)
        files = doc.group(7)
        self.assertEqual([(f.plain, f.data) for f in files], [(0, payload), (0, b"")])
        self.assertTrue(files[0].source.endswith(os.fsencode(src.name)), files[0].source)
        # Stored block-scrambled, so the plain bytes are not in the file.
        self.assertIn(dat.block_scramble(payload), p.read_bytes())
        self.assertNotIn(payload, p.read_bytes())
        out = self.path(".out")
        self.tool("extract", p, "files", files[0].id, "-o", out, expect=EXIT_OK)
        self.assertEqual(out.read_bytes(), payload)

    def test_extract_plain_file_and_bitmap_source(self):
        doc = canonical_document()
        p = self.put(dat.write(doc))
        out = self.path(".out")
        self.tool("extract", p, "files", "plain", "-o", out, expect=EXIT_OK)
        self.assertEqual(out.read_bytes(), b"kept as it is\x00\xff")
        self.tool("extract", p, "bitmaps", "picture", "-o", out, expect=EXIT_OK)
        self.assertEqual(out.read_bytes(), png_bytes(3, 2))
        self.tool("extract", p, "files", "no such id", "-o", out, expect=EXIT_NOT_FOUND)

    def test_delete_and_move(self):
        doc = canonical_document()
        p = self.put(dat.write(doc))
        self.tool("delete", p, "sounds", "1", expect=EXIT_OK)
        del doc.group(2)[1]
        self.tool("move", p, "texts", "4", "0", expect=EXIT_OK)
        doc.group(0).insert(0, doc.group(0).pop(4))
        self.tool("delete", p, "maps", "3", expect=EXIT_NOT_FOUND)
        self.assertSameItems(dat.read_file(p), doc)
        self.assertEqual(p.read_bytes(), dat.write(doc))

    def test_deleting_the_last_item_drops_the_chunk(self):
        doc = Document()
        doc.group(5).append(Map(id=b"only", columns=1, lines=1, cells=[[3]]))
        doc.group(6).append(Color(id=b"c", color=1))
        p = self.put(dat.write(doc))
        self.tool("delete", p, "maps", "0", expect=EXIT_OK)
        doc.group(5).clear()
        self.assertEqual(p.read_bytes(), dat.write(doc))

    def test_overlapping_region_keeps_its_union(self):
        rects = [[0, 0, 10, 10], [5, 5, 15, 15], [-3, 2, 1, 4], [20, 20, 20, 30]]
        doc = Document()
        doc.group(1).append(Bitmap(id=b"g", kind=6, width=0, height=0, rects=rects))
        p = self.put(dat.write(doc))
        want = pixels(rects)
        d = self.dump(p)["bitmaps"][0]
        self.assertEqual(pixels(d["rects"]), want)
        self.assertEqual((jreal(d["width"]), jreal(d["height"])), (18.0, 15.0))
        self.tool("add-text", p, "x", "y", expect=EXIT_OK)
        bm = dat.read_file(p).group(1)[0]
        self.assertEqual(pixels(bm.rects), want)
        self.assertEqual((bm.width, bm.height, bm.bpp, bm.frames_word), (18.0, 15.0, 1, 1))
        raw = bm.region_raw
        c = len(bm.rects)
        self.assertEqual(raw[:32], struct.pack("<4I4i", 32, 1, c, 16 * c, -3, 0, 15, 15))
        self.assertEqual(len(raw), 32 + 16 * c)

    def test_old_version_saved_as_current(self):
        doc = canonical_document()
        p = self.put(dat.write(doc, version=2))
        self.tool("add-text", p, "x", "y", expect=EXIT_DAMAGED)
        self.tool("add-text", p, "x", "y", "--accept-old-version", expect=EXIT_OK)
        doc.name, doc.comments = b"No Name", b"No Comments"
        doc.group(0).append(Text(id=b"x", text=b"y"))
        self.assertEqual(p.read_bytes(), dat.write(doc))

    def test_password_guards_edits(self):
        doc = Document()
        doc.group(0).append(Text(id=b"settings_password", text=b"pw"))
        data = dat.write(doc)
        p = self.put(data)
        self.tool("add-text", p, "x", "y", expect=EXIT_PASSWORD)
        self.assertEqual(p.read_bytes(), data)
        self.tool("add-text", p, "x", "y", "--password", "pw", expect=EXIT_OK)
        self.assertEqual(len(dat.read_file(p).group(0)), 2)

    def test_save_leaves_no_temporary_files(self):
        p = self.put(dat.write(canonical_document()))
        before = sorted(os.listdir(self.tmp))
        for i in range(3):
            self.tool("add-text", p, f"t{i}", "v", expect=EXIT_OK)
        self.assertEqual(sorted(os.listdir(self.tmp)), before)

    def test_list_escapes(self):
        doc = Document()
        doc.group(0).append(Text(id=b"a\tb\nc\\d", text=b"x"))
        p = self.put(dat.write(doc))
        r = self.tool("list", p, "--kind", "texts", expect=EXIT_OK)
        self.assertEqual(r.out.split(b"\t")[2], b"a\\tb\\nc\\\\d")

    def test_v1_trajectory_mean_is_summed_in_order(self):
        doc = Document()
        pts = [[0.1, 1e16], [0.2, 1.0], [0.7, -1e16], [1e-3, 3.0]]
        doc.group(4).append(Trajectory(id=b"v1", version=1, points=pts))
        p = self.put(dat.write(doc))
        view = dat.read_file(p)
        self.assertDumpMatches(p, view)
        self.tool("add-text", p, "x", "y", expect=EXIT_OK)
        t = dat.read_file(p).group(4)[0]
        self.assertEqual((t.version, t.closed, t.center_x, t.center_y),
                         (2, 0, view.group(4)[0].center_x, view.group(4)[0].center_y))

    def test_expand(self):
        p = self.put(dat.write(canonical_document()))
        r = self.tool("expand", p, "greeting", expect=EXIT_OK)
        self.assertEqual(r.out.rstrip(b"\n"), b"Hello Ann, welcome!")

    def test_modifying_a_damaged_file_is_refused(self):
        good = dat.write(canonical_document())
        p = self.put(good[:-3])
        self.tool("add-text", p, "x", "y", expect=EXIT_DAMAGED)
        self.assertEqual(p.read_bytes(), good[:-3], "a refused edit must not touch the file")


# --------------------------------------------------------------------------
# Damaged and hostile files

def small_document() -> Document:
    doc = Document(name=b"n", comments=b"")
    doc.group(0).append(Text(id=b"t", comments=b"c", value=1, text=b"ab"))
    doc.group(1).append(Bitmap(id=b"r", kind=6, width=2, height=1, rects=[[0, 0, 2, 1]]))
    doc.group(1).append(Bitmap(id=b"p", kind=9, width=1, height=1, data=b"\x89PNG"))
    doc.group(2).append(Sound(id=b"s", frames=1, bits=16, channels=1, rate=8000, data=b"\x01\x02"))
    doc.group(2).append(Sound(id=b"o", storage=1, ogg=b"Og"))
    doc.group(3).append(Animation(id=b"a", frames=[[0, 1, 0, 0]]))
    doc.group(4).append(Trajectory(id=b"j", points=[[1.0, 2.0]]))
    doc.group(5).append(Map(id=b"m", columns=1, lines=1, cells=[[9]]))
    doc.group(6).append(Color(id=b"c", color=5))
    doc.group(7).append(BinaryFile(id=b"f", source=b"s", data=b"xyz"))
    return doc


def patched(doc: Document, kind: int, item, offset_from_end: int, value: bytes) -> bytes:
    """A one-chunk file whose single item has `value` written over its
    payload, `offset_from_end` bytes before the item's end."""
    w = dat.Writer()
    dat.write_header(w, doc)
    dat.write_chunk(w, kind, [item])
    data = bytearray(w.bytes())
    at = len(data) - offset_from_end
    data[at:at + len(value)] = value
    return bytes(data)


class DamagedFileTest(ToolTestCase):
    def assertAllRefused(self, blobs, expected=None, extra=()):
        results = self.check_many(blobs, extra)
        bad = []
        for i, (blob, r) in enumerate(zip(blobs, results)):
            want = expected[i] if expected is not None else reader_rc(blob)
            if not sane(r) or r.rc != want:
                bad.append(f"case {i} (len {len(blob)}): want exit {want}, got {r!r}")
        self.assertEqual(bad, [], "\n".join(bad[:20]))

    def test_every_truncation(self):
        data = dat.write(small_document())
        blobs = [data[:n] for n in range(len(data))]
        # A cut exactly between chunks leaves a shorter, valid file.
        expected = [reader_rc(b) for b in blobs]
        self.assertEqual(reader_rc(data), EXIT_OK)
        self.assertGreater(expected.count(EXIT_DAMAGED), len(blobs) - 10)
        self.assertAllRefused(blobs, expected)

    def test_every_truncation_of_an_old_version_file(self):
        data = dat.write(small_document(), version=2)
        blobs = [data[:n] for n in range(0, len(data), 3)]
        self.assertAllRefused(blobs, [reader_rc(b, True) for b in blobs], ("--accept-old-version",))

    def test_trailing_bytes(self):
        data = dat.write(small_document())
        blobs = [data + tail for tail in (b"\x00", b"\x00\x00", b"\x07", b"\x00\x06" + dat.scramble(b"VKRTXT"),
                                          b"\xff", b"\x00" * 40)]
        self.assertAllRefused(blobs, [EXIT_DAMAGED] * len(blobs))

    def test_huge_and_negative_sizes(self):
        doc = Document()
        cases = []
        big, neg = struct.pack("<i", 0x7FFFFFFF), struct.pack("<i", -1)
        huge_u = struct.pack("<I", 0xFFFFFFFF)
        # Binary file size (last field before the data).
        f = BinaryFile(id=b"f", data=b"abcd")
        for v in (big, neg, struct.pack("<i", -2**31), struct.pack("<i", 5)):
            cases.append(patched(doc, 7, f, 8, v))
        # Kind-9 picture size.
        p = Bitmap(id=b"p", kind=9, data=b"1234")
        for v in (big, neg, struct.pack("<i", 100)):
            cases.append(patched(doc, 1, p, 8, v))
        # Region size.
        g = Bitmap(id=b"g", kind=6, rects=[[0, 0, 1, 1]])
        cases.append(patched(doc, 1, g, 52, big))
        # Ogg size.
        o = Sound(id=b"o", storage=1, ogg=b"ab")
        cases.append(patched(doc, 2, o, 6, big))
        # PCM: frames, bits, channels that overflow 32 and 64 bits.
        for frames, bits, channels in ((0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF), (0x40000000, 16, 2),
                                       (2, 16, 0x7FFFFFFF), (1, -8, 2), (3, 16, -1),
                                       (-(2**31), 32, 2), (0x7FFFFFFF, 32, 0)):
            s = Sound(id=b"s", frames=1, bits=8, channels=1, data=b"\x80")
            cases.append(patched(doc, 2, s, 17, struct.pack("<3i", frames, bits, channels)))
        # Counts of frames, points, cells.
        a = Animation(id=b"a", frames=[[1, 2, 3, 4]])
        cases.append(patched(doc, 3, a, 24, big))
        cases.append(patched(doc, 3, a, 24, struct.pack("<i", 0x10000000)))
        t = Trajectory(id=b"t", points=[[1.0, 1.0]])
        cases.append(patched(doc, 4, t, 20, big))
        cases.append(patched(doc, 4, t, 20, struct.pack("<i", 0x10000001)))
        m = Map(id=b"m", columns=1, lines=1, cells=[[1]])
        cases.append(patched(doc, 5, m, 18, struct.pack("<ii", 0x7FFFFFFF, 0x7FFFFFFF)))
        cases.append(patched(doc, 5, m, 18, struct.pack("<ii", 0x10000, 0x10000)))
        cases.append(patched(doc, 5, m, 18, struct.pack("<ii", 0x40000000, 4)))
        # Item count.
        w = dat.Writer()
        dat.write_header(w, doc)
        dat.write_chunk(w, 0, [Text(id=b"x")], count=0x7FFFFFFF)
        cases.append(w.bytes())
        # String lengths: 7-byte prefix with 4 GiB, 3-byte prefix past the end.
        cases.append(b"\x07VKR_RES" + struct.pack("<3i", 0, 3, 3) + b"\xff\xff\xff" + huge_u)
        cases.append(b"\xff\xff\xff" + huge_u + b"VKR_RES")
        cases.append(b"\x07VKR_RES" + struct.pack("<3i", 0, 3, 3) + b"\xff\x00\x10abc")
        w = dat.Writer()
        dat.write_header(w, doc)
        cases.append(w.bytes() + b"\xff\xff\xff" + huge_u)                  # separator
        cases.append(w.bytes() + b"\x00\xff\xff\xff" + struct.pack("<I", 0x7FFFFFF0))  # tag
        self.assertEqual([reader_rc(c) for c in cases], [EXIT_DAMAGED] * len(cases))
        self.assertAllRefused(cases, [EXIT_DAMAGED] * len(cases))

    def test_messages(self):
        """The tool names the same failure as the documented reading rules."""
        data = dat.write(small_document())
        header = dat.write(Document())
        blobs = [data[:n] for n in range(len(data))]
        blobs += [
            header + b"\x00\xc8" + b"abcdefghij",          # tag longer than the rest of the file
            header + b"\xc8" + b"abcdefghij",              # separator longer than the rest
            header + b"\x00\xff\x01",                      # cut inside a tag's prefix
            header + b"\x00\x06" + dat.scramble(b"VKRTXT") + b"\x00" * 10,   # cut inside the chunk words
            b"\x07VKR_REZ" + data[8:],
        ]
        results = self.check_many(blobs)
        bad = []
        for i, (blob, r) in enumerate(zip(blobs, results)):
            try:
                dat.read(blob)
                continue
            except dat.DatError as e:
                want = e.kind.split("\n")[0].encode()
            if r.rc != EXIT_DAMAGED or want not in r.out + r.err:
                bad.append(f"case {i} (len {len(blob)}, tail {blob[-12:].hex()}): "
                           f"want {want!r}, got rc {r.rc} {(r.out + r.err)[:200]!r}")
        self.assertEqual(bad, [], "\n".join(bad[:20]))

    def test_region_counts_beyond_the_data(self):
        """Damaged region data: check names each bitmap and fails, dump shows
        the rectangles present, and the document is not saved over."""
        cases = [
            (b"g", struct.pack("<4I4i", 32, 1, 0xFFFFFFFF, 0xFFFFFFF0, 0, 0, 9, 9)
             + struct.pack("<4i", 0, 0, 9, 9), "its count of 4294967295 rectangles needs more bytes"),
            (b"beyond", struct.pack("<4I4i", 32, 1, 2, 999, 0, 0, 4, 4) + struct.pack("<4i", 0, 0, 4, 4)
             + bytes([1, 2, 3]), "it claims 2 rectangles but holds 1"),
            (b"short", b"\x20\x00\x00\x00\x01", "5 bytes cannot hold its 32-byte header"),
        ]
        for name, raw, problem in cases:
            with self.subTest(name):
                doc = Document()
                doc.group(1).append(Bitmap(id=name, kind=6, rects=dat._parse_region(raw), region_raw=raw))
                p = self.put(dat.write(doc))
                r = self.tool("check", p, expect=EXIT_DAMAGED)
                self.assertIn(f'bitmap "{name.decode()}" has damaged region data: {problem}'.encode(), r.err)
                self.assertDumpMatches(p, dat.read_file(p))
                before = p.read_bytes()
                self.tool("add-text", p, "x", "y", expect=EXIT_DAMAGED)
                self.assertEqual(p.read_bytes(), before)

    def test_random_bytes(self):
        rng = random.Random(1234)
        blobs = [bytes(rng.randrange(256) for _ in range(rng.randrange(0, 200))) for _ in range(40)]
        header = dat.write(Document())
        blobs += [header + bytes(rng.randrange(256) for _ in range(rng.randrange(1, 120))) for _ in range(60)]
        self.assertAllRefused(blobs)

    def test_mutated_files(self):
        rng = random.Random(99)
        base = dat.write(small_document())
        blobs = []
        for _ in range(250):
            data = bytearray(base)
            for _ in range(rng.randrange(1, 4)):
                at = rng.randrange(len(data))
                data[at] = rng.choice([0x00, 0xFF, 0x7F, 0x80, rng.randrange(256)])
            blobs.append(bytes(data))
        self.assertAllRefused(blobs)


if __name__ == "__main__":
    unittest.main()
