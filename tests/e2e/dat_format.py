"""Independent reader and writer of the Plexion ".dat" resource document.

Written from docs/FORMAT.md alone, so that the end-to-end tests can check
that the documentation and plexion-tool agree. Standard library only.

The model keeps every text as bytes (the format has no character set), and
keeps the few "how it was stored" details a test may want to vary (payload
versions, stored sizes that readers ignore) next to the values.
"""

from __future__ import annotations

import dataclasses
import struct
from dataclasses import dataclass, field
from typing import Optional

MAGIC = b"VKR_RES"
MIN_ITEM_SIZE = 14      # three int32 and two empty strings: the smallest item header
VERSION = 3

K1, K2 = 0x5C, 0x21          # text scramble
K3, K4 = 0x37, 0xA9          # block scramble of binary-file data
COLOR_MASK = 0x9E3779B9

TAGS = [b"VKRTXT", b"VKRBMPG", b"VKRWVMR", b"VKRIXLS",
        b"VKRTRAJ", b"VKRMAP", b"VKRCOL", b"VKRFIL"]
KIND_NAMES = ["texts", "bitmaps", "sounds", "animations",
              "trajectories", "maps", "colors", "files"]

_SCRAMBLE = bytes((((b ^ K1) - K2) & 0xFF) for b in range(256))
_UNSCRAMBLE = bytes((((s + K2) & 0xFF) ^ K1) for s in range(256))
_BLOCK_SCRAMBLE = bytes((((b - K3) & 0xFF) ^ K4) for b in range(256))
_BLOCK_UNSCRAMBLE = bytes((((s ^ K4) + K3) & 0xFF) for s in range(256))


def scramble(text: bytes) -> bytes:
    return bytes(text).translate(_SCRAMBLE)


def unscramble(stored: bytes) -> bytes:
    return bytes(stored).translate(_UNSCRAMBLE)


def block_scramble(data: bytes) -> bytes:
    return bytes(data).translate(_BLOCK_SCRAMBLE)


def block_unscramble(data: bytes) -> bytes:
    return bytes(data).translate(_BLOCK_UNSCRAMBLE)


# --------------------------------------------------------------------------
# Errors

class DatError(Exception):
    """A file the format says cannot be (fully) loaded. `kind` is one of
    TRUNCATED, OVERSIZE, UNKNOWN_CHUNK, WRONG_TYPE, OLD_VERSION."""

    TRUNCATED = "Error: the file ends inside a record, file broken."
    OVERSIZE = "Error: a record claims more data than the file holds, file broken."
    UNKNOWN_CHUNK = "Error: an unknown data type has been found, file broken."
    WRONG_TYPE = "Wrong file type !"
    OLD_VERSION = "Older or wrong file version !\n\nDo you still want to load this file ?"

    def __init__(self, kind: str, document: "Document", offset: int):
        super().__init__(f"{kind} (at offset {offset})")
        self.kind = kind
        self.document = document    # what was read before the failure
        self.offset = offset


class _Stop(Exception):
    def __init__(self, kind: str):
        super().__init__(kind)
        self.kind = kind


# --------------------------------------------------------------------------
# Model

@dataclass
class Item:
    id: bytes = b""
    comments: bytes = b""


@dataclass
class Text(Item):
    value: int = 0
    text: bytes = b""


@dataclass
class Bitmap(Item):
    kind: int = 0
    source: bytes = b""
    width: float = 0.0
    height: float = 0.0
    offset_x: float = 0.0
    offset_y: float = 0.0
    data: bytes = b""                       # kind 9: encoded image file
    rects: list = field(default_factory=list)   # kind 6: [l, t, r, b] as read (empty ones dropped)
    # How it is stored; readers only need these to reproduce a file.
    version: int = 2
    bpp: Optional[int] = None               # None: 1 for kind 6, else 32
    frames_word: int = 1
    region_raw: Optional[bytes] = None      # kind 6: exact region bytes to write instead of the canonical ones
    header_id: Optional[bytes] = None       # common header ID/comments when they differ from the payload's
    header_comments: Optional[bytes] = None


@dataclass
class Sound(Item):
    storage: int = 0                        # exactly 1 = Ogg Vorbis, anything else = PCM
    frames: int = 0
    bits: int = 32
    channels: int = 2
    rate: int = 44100
    data: bytes = b""                       # PCM samples
    ogg: bytes = b""                        # Ogg Vorbis file
    ogg_len: Optional[int] = None           # stored N when it should differ from len(ogg) (N <= 0)

    @property
    def is_ogg(self) -> bool:
        return self.storage == 1


@dataclass
class Animation(Item):
    type: int = 1
    frames: list = field(default_factory=list)  # [bitmap, delay, ox, oy]
    play_mode: int = 1
    count_word: Optional[int] = None            # stored frame count when no frames (n <= 0)


@dataclass
class Trajectory(Item):
    version: int = 2
    type: int = 0
    play_mode: int = 0
    offset_x: int = 0
    offset_y: int = 0
    closed: int = 0
    center_x: float = 0.0
    center_y: float = 0.0
    points: list = field(default_factory=list)  # [x, y]
    count_word: Optional[int] = None


@dataclass
class Map(Item):
    type: int = 0
    columns: int = 0
    lines: int = 0
    size_x: int = 32
    size_y: int = 32
    cells: list = field(default_factory=list)   # one list of int16 per column


@dataclass
class Color(Item):
    value: int = 0
    color: int = 0                               # 0x00BBGGRR


@dataclass
class BinaryFile(Item):
    plain: int = 0
    source: bytes = b""
    data: bytes = b""


KIND_CLASSES = [Text, Bitmap, Sound, Animation, Trajectory, Map, Color, BinaryFile]


@dataclass
class Document:
    name: bytes = b"No Name"
    comments: bytes = b"No Comments"
    groups: list = field(default_factory=lambda: [[] for _ in range(8)])

    def group(self, kind: int) -> list:
        return self.groups[kind]


# --------------------------------------------------------------------------
# Reading

class _Reader:
    def __init__(self, data: bytes):
        self.data = data
        self.pos = 0

    def left(self) -> int:
        return len(self.data) - self.pos

    def take(self, n: int) -> bytes:
        if n < 0:
            raise _Stop(DatError.OVERSIZE)
        if n > self.left():
            raise _Stop(DatError.TRUNCATED)
        out = self.data[self.pos:self.pos + n]
        self.pos += n
        return out

    def block(self, n: int) -> bytes:
        """A raw block whose size came from an earlier field."""
        if n < 0 or n > self.left():
            raise _Stop(DatError.OVERSIZE)
        return self.take(n)

    def i32(self) -> int:
        return struct.unpack("<i", self.take(4))[0]

    def u32(self) -> int:
        return struct.unpack("<I", self.take(4))[0]

    def u16(self) -> int:
        return struct.unpack("<H", self.take(2))[0]

    def i16(self) -> int:
        return struct.unpack("<h", self.take(2))[0]

    def f64(self) -> float:
        return struct.unpack("<d", self.take(8))[0]

    def string(self) -> bytes:
        n = self.take(1)[0]
        if n == 0xFF:
            n = self.u16()
            if n == 0xFFFF:
                n = self.u32()
        return self.block(n)

    def sstring(self) -> bytes:
        return unscramble(self.string())


def _read_header(r: _Reader, item: Item) -> None:
    r.i32(); r.i32(); r.i32()
    item.id = r.sstring()
    item.comments = r.sstring()


def _read_text(r: _Reader, it: Text) -> None:
    r.i32(); r.i32()
    it.value = r.i32()
    it.text = r.sstring()


def _parse_region(raw: bytes) -> list:
    rects = []
    if len(raw) < 12:
        return rects
    count = struct.unpack_from("<I", raw, 8)[0]
    avail = max(0, (len(raw) - 32) // 16)
    for i in range(min(count, avail)):
        l, t, rr, b = struct.unpack_from("<4i", raw, 32 + 16 * i)
        if rr > l and b > t:
            rects.append([l, t, rr, b])
    return rects


def region_damage(raw: bytes) -> bool:
    """Whether region data disagrees with its header: too short for the
    header, or a rectangle count beyond the rectangles present or whose byte
    size does not fit 32 bits. The rectangles present are read all the same."""
    if not raw:
        return False
    if len(raw) < 32:
        return True
    count = struct.unpack_from("<I", raw, 8)[0]
    return 16 * count > 0xFFFFFFFF or count > (len(raw) - 32) // 16


def _read_bitmap(r: _Reader, it: Bitmap) -> None:
    header_id, header_comments = it.id, it.comments
    r.i32()
    it.version = r.i32()
    it.kind = r.i32()
    get = r.sstring if it.version >= 2 else r.string
    it.id = get()
    it.source = get()
    it.comments = get()
    if (header_id, header_comments) != (it.id, it.comments):
        it.header_id, it.header_comments = header_id, header_comments
    it.width = r.f64()
    it.height = r.f64()
    it.bpp = r.i32()
    it.frames_word = r.i32()
    it.offset_x = r.f64()
    it.offset_y = r.f64()
    if it.kind == 6:
        n = r.i32()
        raw = r.block(n) if n > 0 else b""
        it.region_raw = raw
        it.rects = _parse_region(raw)
    elif it.kind == 9:
        n = r.i32()
        it.data = r.block(n)


def _read_sound(r: _Reader, it: Sound) -> None:
    r.i32(); r.i32()
    it.storage = r.i32()
    if it.storage == 1:
        n = r.i32()
        it.ogg_len = n
        it.ogg = r.block(n) if n > 0 else b""
    else:
        it.frames = r.i32()
        it.bits = r.i32()
        it.channels = r.i32()
        it.rate = r.i32()
        if it.frames > 0:
            it.data = r.block(pcm_size(it.channels, it.frames, it.bits))


def pcm_size(channels: int, frames: int, bits: int) -> int:
    product = channels * frames * bits
    # Integer division after the product, truncating toward zero.
    return -((-product) // 8) if product < 0 else product // 8


def _check_array(r: _Reader, n: int, size: int) -> None:
    if n > 0 and n * size > r.left():
        raise _Stop(DatError.OVERSIZE)


def _read_animation(r: _Reader, it: Animation) -> None:
    r.i32(); r.i32()
    it.type = r.i32()
    n = r.i32()
    it.count_word = n if n <= 0 else None
    _check_array(r, n, 16)
    it.frames = [[r.i32(), r.i32(), r.i32(), r.i32()] for _ in range(max(0, n))]
    it.play_mode = r.i32()


def _read_trajectory(r: _Reader, it: Trajectory) -> None:
    r.i32()
    it.version = r.i32()
    it.type = r.i32()
    it.play_mode = r.i32()
    it.offset_x = r.i32()
    it.offset_y = r.i32()
    if it.version >= 2:
        it.closed = r.i32()
        it.center_x = r.f64()
        it.center_y = r.f64()
    n = r.i32()
    it.count_word = n if n <= 0 else None
    _check_array(r, n, 16)
    it.points = [[r.f64(), r.f64()] for _ in range(max(0, n))]
    if it.version < 2:
        it.closed = 0
        it.center_x, it.center_y = vertex_mean(it.points)


def vertex_mean(points: list) -> tuple:
    if not points:
        return 0.0, 0.0
    sx = 0.0
    sy = 0.0
    for x, y in points:
        sx += x
        sy += y
    return sx / len(points), sy / len(points)


def _read_map(r: _Reader, it: Map) -> None:
    r.i32(); r.i32()
    it.type = r.i32()
    c = r.i32()
    l = r.i32()
    sy = r.i32()
    sx = r.i32()
    if c > 0 and l > 0:
        _check_array(r, c * l, 2)
        it.columns, it.lines, it.size_x, it.size_y = c, l, sx, sy
        it.cells = [[r.i16() for _ in range(l)] for _ in range(c)]
    else:
        it.columns, it.lines, it.size_x, it.size_y, it.cells = 0, 0, 32, 32, []


def _read_color(r: _Reader, it: Color) -> None:
    r.i32(); r.i32()
    it.value = r.i32()
    it.color = (r.i32() & 0xFFFFFFFF) ^ COLOR_MASK


def _read_binary(r: _Reader, it: BinaryFile) -> None:
    r.i32(); r.i32()
    it.plain = r.i32()
    it.source = r.sstring()
    size = r.i32()
    raw = r.block(size)
    it.data = block_unscramble(raw) if it.plain == 0 else raw


_PAYLOAD_READERS = [_read_text, _read_bitmap, _read_sound, _read_animation,
                    _read_trajectory, _read_map, _read_color, _read_binary]


def read(data: bytes, accept_old_version: bool = False) -> Document:
    """Reads a whole file. Raises DatError (with the part read so far) when
    the file is damaged, is not a resource document, or is an older version
    and accept_old_version is false."""
    doc = Document()
    r = _Reader(bytes(data))
    try:
        magic = r.string()
    except _Stop:
        # Not even the magic is there: this is no resource document.
        raise DatError(DatError.WRONG_TYPE, doc, r.pos) from None
    try:
        r.i32()
        version = r.i32()
        if version == VERSION:
            r.i32()
            doc.name = r.sstring()
            doc.comments = r.sstring()
    except _Stop as stop:
        raise DatError(stop.kind, doc, r.pos) from None
    if magic != MAGIC:
        raise DatError(DatError.WRONG_TYPE, doc, r.pos)
    if version != VERSION and not accept_old_version:
        raise DatError(DatError.OLD_VERSION, doc, r.pos)
    try:
        while r.pos < len(r.data):
            r.string()                      # separator, ignored
            tag = r.sstring()
            if tag not in TAGS:
                raise _Stop(DatError.UNKNOWN_CHUNK)
            kind = TAGS.index(tag)
            group = doc.groups[kind]
            group.clear()
            r.i32(); r.i32(); r.i32()
            count = r.i32()
            _check_array(r, count, MIN_ITEM_SIZE)
            for _ in range(max(0, count)):
                item = KIND_CLASSES[kind]()
                _read_header(r, item)
                _PAYLOAD_READERS[kind](r, item)
                group.append(item)
    except _Stop as stop:
        raise DatError(stop.kind, doc, r.pos) from None
    return doc


def read_file(path, accept_old_version: bool = False) -> Document:
    with open(path, "rb") as f:
        return read(f.read(), accept_old_version)


# --------------------------------------------------------------------------
# Writing

def string_prefix(n: int, form: Optional[int] = None) -> bytes:
    """Length prefix; form 1, 3 or 7 forces a prefix size, None picks the
    shortest one."""
    if form is None:
        form = 1 if n < 255 else 3 if n < 65534 else 7
    if form == 1:
        if n >= 255:
            raise ValueError("length does not fit a one-byte prefix")
        return bytes([n])
    if form == 3:
        if n >= 0xFFFF:
            raise ValueError("length does not fit a three-byte prefix")
        return b"\xff" + struct.pack("<H", n)
    if form == 7:
        return b"\xff\xff\xff" + struct.pack("<I", n)
    raise ValueError(form)


class Writer:
    """Byte builder. `forms` maps a text (before scrambling) to the prefix
    form its archive strings are written with, so tests can store a short
    text with a long prefix."""

    def __init__(self, forms: Optional[dict] = None):
        self.out = bytearray()
        self.forms = forms or {}

    def i32(self, v: int) -> "Writer":
        self.out += struct.pack("<i", v)
        return self

    def u32(self, v: int) -> "Writer":
        self.out += struct.pack("<I", v)
        return self

    def i16(self, v: int) -> "Writer":
        self.out += struct.pack("<h", v)
        return self

    def f64(self, v: float) -> "Writer":
        self.out += struct.pack("<d", v)
        return self

    def raw(self, b: bytes) -> "Writer":
        self.out += b
        return self

    def string(self, text: bytes) -> "Writer":
        self.out += string_prefix(len(text), self.forms.get(bytes(text))) + text
        return self

    def sstring(self, text: bytes) -> "Writer":
        self.out += string_prefix(len(text), self.forms.get(bytes(text))) + scramble(text)
        return self

    def bytes(self) -> bytes:
        return bytes(self.out)


def region_bytes(rects: list) -> bytes:
    """Region data as Plexion writes it: header, bounding box, rectangles."""
    if rects:
        left = min(r[0] for r in rects)
        top = min(r[1] for r in rects)
        right = max(r[2] for r in rects)
        bottom = max(r[3] for r in rects)
    else:
        left = top = right = bottom = 0
    out = struct.pack("<4I4i", 32, 1, len(rects), 16 * len(rects), left, top, right, bottom)
    for rect in rects:
        out += struct.pack("<4i", *rect)
    return out


def region_box(rects: list) -> tuple:
    if not rects:
        return 0, 0
    return (max(r[2] for r in rects) - min(r[0] for r in rects),
            max(r[3] for r in rects) - min(r[1] for r in rects))


def picture_size(data: bytes) -> tuple:
    """The size a reader finds in a stored picture's bytes: a complete PNG's
    header size, (0, 0) for bytes that are no picture. The width and height
    stored beside the bytes are only what the writer saw."""
    if (len(data) >= 33 and data[:8] == b"\x89PNG\r\n\x1a\n" and data[12:16] == b"IHDR"
            and data.endswith(b"IEND\xaeB`\x82")):
        width, height = struct.unpack(">II", data[16:24])
        return float(width), float(height)
    return 0.0, 0.0


def _write_header(w: Writer, item: Item, header_id=None, header_comments=None) -> None:
    w.i32(0).i32(1).i32(0)
    w.sstring(item.id if header_id is None else header_id)
    w.sstring(item.comments if header_comments is None else header_comments)


def _write_text(w: Writer, it: Text) -> None:
    w.i32(0).i32(1).i32(it.value).sstring(it.text)


def _write_bitmap(w: Writer, it: Bitmap) -> None:
    w.i32(0).i32(it.version).i32(it.kind)
    put = w.sstring if it.version >= 2 else w.string
    put(it.id)
    put(it.source)
    put(it.comments)
    w.f64(it.width).f64(it.height)
    w.i32(it.bpp if it.bpp is not None else (1 if it.kind == 6 else 32))
    w.i32(it.frames_word)
    w.f64(it.offset_x).f64(it.offset_y)
    if it.kind == 6:
        raw = it.region_raw if it.region_raw is not None else region_bytes(it.rects)
        w.i32(len(raw)).raw(raw)
    elif it.kind == 9:
        w.i32(len(it.data)).raw(it.data)


def _write_sound(w: Writer, it: Sound) -> None:
    w.i32(0).i32(1).i32(it.storage)
    if it.storage == 1:
        if it.ogg:
            w.i32(len(it.ogg)).raw(it.ogg)
        else:
            w.i32(it.ogg_len if it.ogg_len is not None else 0)
    else:
        w.i32(it.frames).i32(it.bits).i32(it.channels).i32(it.rate)
        if it.frames > 0:
            w.raw(it.data)


def _write_animation(w: Writer, it: Animation) -> None:
    w.i32(0).i32(1).i32(it.type)
    w.i32(len(it.frames) if it.frames or it.count_word is None else it.count_word)
    for fr in it.frames:
        for v in fr:
            w.i32(v)
    w.i32(it.play_mode)


def _write_trajectory(w: Writer, it: Trajectory) -> None:
    w.i32(0).i32(it.version).i32(it.type).i32(it.play_mode).i32(it.offset_x).i32(it.offset_y)
    if it.version >= 2:
        w.i32(it.closed).f64(it.center_x).f64(it.center_y)
    w.i32(len(it.points) if it.points or it.count_word is None else it.count_word)
    for x, y in it.points:
        w.f64(x).f64(y)


def _write_map(w: Writer, it: Map) -> None:
    w.i32(0).i32(1).i32(it.type).i32(it.columns).i32(it.lines).i32(it.size_y).i32(it.size_x)
    if it.columns > 0 and it.lines > 0:
        for column in it.cells:
            for v in column:
                w.i16(v)


def _write_color(w: Writer, it: Color) -> None:
    w.i32(0).i32(1).i32(it.value)
    w.i32(struct.unpack("<i", struct.pack("<I", (it.color ^ COLOR_MASK) & 0xFFFFFFFF))[0])


def _write_binary(w: Writer, it: BinaryFile) -> None:
    w.i32(0).i32(1).i32(it.plain).sstring(it.source)
    w.i32(len(it.data)).raw(block_scramble(it.data) if it.plain == 0 else it.data)


_PAYLOAD_WRITERS = [_write_text, _write_bitmap, _write_sound, _write_animation,
                    _write_trajectory, _write_map, _write_color, _write_binary]


def write_item(w: Writer, kind: int, item: Item) -> None:
    if kind == 1:
        _write_header(w, item, item.header_id, item.header_comments)
    else:
        _write_header(w, item)
    _PAYLOAD_WRITERS[kind](w, item)


def write_chunk(w: Writer, kind: int, items: list, separator: bytes = b"",
                count: Optional[int] = None, tag: Optional[bytes] = None) -> None:
    w.string(separator)
    w.sstring(TAGS[kind] if tag is None else tag)
    w.i32(0).i32(1).i32(0).i32(len(items) if count is None else count)
    for item in items:
        write_item(w, kind, item)


def write_header(w: Writer, doc: Document, version: int = VERSION, magic: bytes = MAGIC) -> None:
    w.string(magic).i32(0).i32(version)
    if version == VERSION:
        w.i32(3).sstring(doc.name).sstring(doc.comments)


def write(doc: Document, forms: Optional[dict] = None, version: int = VERSION,
          chunk_order: Optional[list] = None) -> bytes:
    """The whole document as Plexion writes it (non-empty groups in kind
    order, empty separators), unless the arguments ask otherwise."""
    w = Writer(forms)
    write_header(w, doc, version)
    for kind in (chunk_order if chunk_order is not None else range(8)):
        if doc.groups[kind]:
            write_chunk(w, kind, doc.groups[kind])
    return w.bytes()


def write_file(path, doc: Document, **kw) -> None:
    with open(path, "wb") as f:
        f.write(write(doc, **kw))


# --------------------------------------------------------------------------
# What an item means once read, independent of how it was stored. Two files
# that a reader cannot tell apart have equal views.

def _f(v: float) -> bytes:
    """Floats compare by bit pattern, so NaN payloads and -0.0 count."""
    return struct.pack("<d", v)


def item_view(kind: int, it: Item) -> tuple:
    base = (it.id, it.comments)
    if kind == 0:
        return base + (it.value, it.text)
    if kind == 1:
        if it.kind == 9:
            width, height = picture_size(it.data)
            return base + (9, it.source, _f(width), _f(height),
                           _f(it.offset_x), _f(it.offset_y), it.data)
        if it.kind == 6:
            return base + (6, b"", _f(it.offset_x), _f(it.offset_y),
                           tuple(tuple(r) for r in it.rects))
        # Every other storage kind reads as an empty picture.
        return base + ("empty", _f(it.offset_x), _f(it.offset_y))
    if kind == 2:
        if it.storage == 1:
            return base + ("ogg", it.ogg)
        return base + ("pcm", it.frames, it.bits, it.channels, it.rate,
                       it.data if it.frames > 0 else b"")
    if kind == 3:
        return base + (it.type, tuple(tuple(f) for f in it.frames), it.play_mode)
    if kind == 4:
        return base + (it.type, it.play_mode, it.offset_x, it.offset_y, it.closed,
                       _f(it.center_x), _f(it.center_y),
                       tuple((_f(x), _f(y)) for x, y in it.points))
    if kind == 5:
        return base + (it.type, it.columns, it.lines, it.size_x, it.size_y,
                       tuple(tuple(c) for c in it.cells))
    if kind == 6:
        return base + (it.value, it.color & 0xFFFFFF)
    if kind == 7:
        return base + (it.plain, it.source, it.data)
    raise ValueError(kind)


def document_view(doc: Document) -> tuple:
    return (doc.name, doc.comments,
            tuple(tuple(item_view(k, it) for it in doc.groups[k]) for k in range(8)))


def copy_document(doc: Document) -> Document:
    return Document(doc.name, doc.comments,
                    [[dataclasses.replace(it) for it in g] for g in doc.groups])

