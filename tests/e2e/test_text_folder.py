"""plexion-tool export, build, diff and dump --pretty on documents written
by the independent writer in dat_format.py: a document survives the trip
through its text folder, and the folder and the differences are what a
reviewer in version control needs to see."""

from __future__ import annotations

import json
import struct
import wave
from pathlib import Path

import dat_format as dat
import test_format_roundtrip as rt

EXIT_OK, EXIT_DIFFER, EXIT_DAMAGED = 0, 1, 2


def tree(root: Path) -> dict:
    return {str(p.relative_to(root)): p.read_bytes() for p in sorted(root.rglob("*")) if p.is_file()}


def wav_24_bit(frames: int) -> bytes:
    data = b"".join(struct.pack("<i", v << 8)[1:] for v in range(frames))
    fmt = struct.pack("<HHIIHH", 1, 1, 8000, 8000 * 3, 3, 24)
    return (b"RIFF" + struct.pack("<I", 4 + 8 + len(fmt) + 8 + len(data)) + b"WAVE"
            + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data)


class TextFolderTest(rt.ToolTestCase):
    def exported(self, doc: dat.Document, name="doc") -> tuple:
        source = self.tmp / f"{name}.dat"
        dat.write_file(source, doc)
        folder = self.tmp / f"{name}.dir"
        self.tool("export", source, folder, expect=EXIT_OK)
        return source, folder

    def test_documents_survive_export_and_build(self):
        for name, doc in (("canonical", rt.canonical_document()), ("edge", rt.edge_document())):
            with self.subTest(name):
                source, folder = self.exported(doc, name)
                built = self.tmp / f"{name}-built.dat"
                self.tool("build", folder, built, expect=EXIT_OK)
                self.assertEqual(self.dump(built), self.dump(source))
                again = self.tmp / f"{name}-again.dir"
                self.tool("export", built, again, expect=EXIT_OK)
                self.assertEqual(tree(again), tree(folder), "a second export differs")
                if name == "canonical":
                    self.assertEqual(built.read_bytes(), source.read_bytes())

    def test_folder_layout(self):
        doc = rt.canonical_document()
        _, folder = self.exported(doc)
        files = tree(folder)
        self.assertEqual(files["bitmaps/001-picture.png"], doc.group(1)[1].data)
        self.assertEqual(files["files/000-all-bytes.bin"], bytes(range(256)) * 3)
        self.assertEqual(files["files/001-plain.txt"], b"kept as it is\x00\xff")
        self.assertEqual(files["sounds/004-ogg.ogg"], doc.group(2)[4].ogg)
        for name, sound in (("000-pcm8", doc.group(2)[0]), ("001-pcm16", doc.group(2)[1])):
            with wave.open(str(folder / "sounds" / f"{name}.wav")) as w:
                self.assertEqual((w.getnchannels(), w.getsampwidth() * 8, w.getframerate()),
                                 (sound.channels, sound.bits, sound.rate))
                self.assertEqual(w.readframes(sound.frames), sound.data)
        text = files["document.json"].decode()
        self.assertIn('\n        [1, 3, 5],\n        [2, 4, -1]\n', text, "map rows, one line each")
        self.assertIn('"comments": {"hex": "8081feff"}', text)
        self.assertIn('"file": "sounds/001-pcm16.wav"', text)
        self.assertNotIn("sha256", text)

    def test_raw_samples_where_no_wav_file_fits(self):
        _, folder = self.exported(rt.edge_document())
        document = json.loads((folder / "document.json").read_text())
        pcm12 = next(s for s in document["sounds"] if s["id"] == "pcm12")
        self.assertEqual(pcm12, dict(id="pcm12", comments="", storage="pcm", bits=12, channels=1,
                                     rate=100, frames=3, file="sounds/009-pcm12.pcm"))
        self.assertEqual((folder / pcm12["file"]).read_bytes(), b"\xaa\xbb\xcc\xdd")

    def test_exporting_again_replaces_the_earlier_export(self):
        source, folder = self.exported(rt.canonical_document())
        (folder / "README").write_text("kept")
        self.tool("delete", source, "sounds", 0, expect=EXIT_OK)
        self.tool("export", source, folder, expect=EXIT_OK)
        self.assertFalse((folder / "sounds" / "005-ogg-empty.ogg").exists())
        self.assertTrue((folder / "sounds" / "004-ogg-empty.ogg").exists())
        self.assertEqual((folder / "README").read_text(), "kept")
        other = self.tmp / "other"
        other.mkdir()
        (other / "notes.txt").write_text("mine")
        r = self.tool("export", source, other, expect=EXIT_DAMAGED)
        self.assertIn(b"not empty", r.err)
        self.assertEqual(sorted(p.name for p in other.iterdir()), ["notes.txt"])

    def test_damaged_folders_are_refused(self):
        def replace(old, new):
            return lambda folder: (folder / "document.json").write_text(
                (folder / "document.json").read_text().replace(old, new, 1))

        def remove(name):
            return lambda folder: (folder / name).unlink()

        def put(name, data):
            return lambda folder: (folder / name).write_bytes(data)

        cases = [
            (remove("bitmaps/001-picture.png"), [b'bitmaps item 1 ("picture")', b"001-picture.png"]),
            (replace('"value": 7', '"value" 7'), [b"document.json:", b"not valid JSON"]),
            (replace('"text": "Ann"', '"text": "Ann",'), [b"document.json:22:5: not valid JSON"]),
            (replace('"kind": 6', '"kind": 5'), [b'bitmaps item 2 ("region")', b'"kind"']),
            (replace('"value": 2147483647', '"value": 2147483648'),
             [b'texts item 2 ("hero")', b"out of range"]),
            (replace('"size_x": 16', '"size_x": 16, "depth": 2'), [b'maps item 0 ("level")', b'"depth"']),
            (replace("[1, 3, 5]", "[1, 3]"), [b'maps item 0 ("level")', b"rows"]),
            (replace('"storage": "ogg"', '"storage": "mp3"'), [b'sounds item 4 ("ogg")']),
            (replace('"files/000-all-bytes.bin"', '"../doc.dat"'), [b'files item 0 ("all-bytes")']),
            (replace('"color": "FF0000"', '"color": "red"'), [b'colors item 0 ("red")']),
            (put("sounds/001-pcm16.wav", b"not a sound"), [b'sounds item 1 ("pcm16")']),
            (replace('"texts"', '"textz"'), [b'unknown member "textz"']),
        ]
        doc = rt.canonical_document()
        doc.group(0)[0].value = 7
        source, folder = self.exported(doc)
        pristine = tree(folder)
        target = self.tmp / "target.dat"
        target.write_bytes(b"the previous file")
        for index, (damage, words) in enumerate(cases):
            with self.subTest(index):
                for name, data in pristine.items():
                    (folder / name).write_bytes(data)
                damage(folder)
                r = self.tool("build", folder, target, expect=EXIT_DAMAGED)
                for word in words:
                    self.assertIn(word, r.err)
                self.assertEqual(target.read_bytes(), b"the previous file")
                self.assertEqual(sorted(p.name for p in self.tmp.iterdir() if p.name.startswith(".")), [])

    def test_a_wav_file_of_another_coding_is_converted(self):
        source, folder = self.exported(rt.canonical_document())
        (folder / "sounds" / "001-pcm16.wav").write_bytes(wav_24_bit(4))
        built = self.tmp / "built.dat"
        self.tool("build", folder, built, expect=EXIT_OK)
        sound = self.dump(built)["sounds"][1]
        self.assertEqual((sound["storage"], sound["bits"], sound["channels"], sound["rate"], sound["frames"]),
                         ("pcm", 32, 1, 8000, 4))

    def test_diff_names_exactly_what_changed(self):
        source = self.tmp / "a.dat"
        dat.write_file(source, rt.canonical_document())
        changed = self.tmp / "b.dat"

        def diff_after(*edits):
            changed.write_bytes(source.read_bytes())
            for edit in edits:
                self.tool(*edit, expect=EXIT_OK)
            return self.tool("diff", source, changed)

        same = diff_after()
        self.assertEqual((same.rc, same.out), (EXIT_OK, b""))
        cases = [
            ([("add-text", changed, "new", "Hello")], [b'texts: added 6 "new"']),
            ([("set-cells", changed, "level", "2,1=9")], [b'maps: changed 0 "level": cells[2][1]: -1 -> 9']),
            ([("delete", changed, "colors", 1)], [b'colors: removed 1 "white"']),
            ([("move", changed, "maps", 2, 0)], [b'maps: moved "tall" from 2 to 0']),
            ([("add-color", changed, "red", "00FF00")], [b'colors: added 3 "red"']),
        ]
        for edits, lines in cases:
            with self.subTest(edits[0][0]):
                r = diff_after(*edits)
                self.assertEqual(r.rc, EXIT_DIFFER, repr(r))
                self.assertEqual(r.out.splitlines(), lines)

    def test_diff_shows_payloads_by_size_and_hash(self):
        doc = rt.canonical_document()
        a = self.tmp / "a.dat"
        dat.write_file(a, doc)
        doc.group(7)[0].data = b"other"
        b = self.tmp / "b.dat"
        dat.write_file(b, doc)
        r = self.tool("diff", a, b, expect=EXIT_DIFFER)
        self.assertEqual(r.out.splitlines(), [
            b'files: changed 0 "all-bytes": size: 768 -> 5',
            b'files: changed 0 "all-bytes": sha256: "' + rt.sha(bytes(range(256)) * 3).encode()
            + b'" -> "' + rt.sha(b"other").encode() + b'"'])

    def test_pretty_dump_is_the_same_json_one_member_per_line(self):
        source = self.tmp / "a.dat"
        dat.write_file(source, rt.canonical_document())
        pretty = self.tool("dump", "--pretty", source, expect=EXIT_OK).out
        self.assertEqual(json.loads(pretty), self.dump(source))
        self.assertIn(b'\n      "text": "Ann"\n', pretty)
        self.assertIn(b"\n        [5, -1]\n", pretty)
