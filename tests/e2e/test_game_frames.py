"""The example game renders game steps of the example document without a
display, and the animated object is seen at successive points of its
trajectory. PLEXION_GAME names the game, PLEXION_TOOL the tool that makes
the document and reads its trajectory independently of the game."""

from __future__ import annotations

import json
import os
import struct
import subprocess
import tempfile
import unittest
import zlib
from pathlib import Path

HERE = Path(__file__).resolve().parent
MAKE_EXAMPLE = HERE.parent.parent / "scripts" / "make-example.sh"
GAME = os.environ.get("PLEXION_GAME")
TOOL = os.environ.get("PLEXION_TOOL")

# The hero's body in scripts/make-example.sh: this colour, pixels 10-22 by
# 14-24 of each 32 x 32 pose, so its middle is 16, 19 from the corner.
BODY = (0x30, 0x50, 0xC0)
BODY_MIDDLE = (16.0, 19.0)


def read_png(data: bytes):
    """Width, height and rows of RGB(A) pixel tuples of an 8-bit PNG."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    at, idat = 8, b""
    while at < len(data):
        length, kind = struct.unpack_from(">I4s", data, at)
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert depth == 8 and colour in (2, 6) and interlace == 0, "unexpected PNG layout"
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    step = 4 if colour == 6 else 3
    raw, rows, previous = zlib.decompress(idat), [], bytearray(width * step)
    stride = width * step
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - step] if i >= step else 0
            b, c = previous[i], previous[i - step] if i >= step else 0
            if kind == 1:
                line[i] = (line[i] + a) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + b) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
        rows.append([tuple(line[x * step:x * step + 3]) for x in range(width)])
        previous = line
    return width, height, rows


def middle_of(rows, colour):
    found = [(x, y) for y, row in enumerate(rows) for x, pixel in enumerate(row) if pixel == colour]
    if not found:
        return None
    return (sum(x for x, _ in found) / len(found), sum(y for _, y in found) / len(found))


@unittest.skipIf(not (GAME and TOOL), "PLEXION_GAME or PLEXION_TOOL is not set")
class GameFramesTest(unittest.TestCase):
    def setUp(self):
        self._tmp = tempfile.TemporaryDirectory(prefix="plexion-game-")
        self.tmp = Path(self._tmp.name)
        self.document = self.tmp / "example.dat"
        subprocess.run([str(MAKE_EXAMPLE), TOOL, str(self.document)], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)

    def tearDown(self):
        self._tmp.cleanup()

    def test_object_moves_along_its_trajectory(self):
        frames = 9
        out = self.tmp / "frames"
        out.mkdir()
        game = subprocess.run([GAME, str(self.document), "--frames", str(frames), "--out", str(out)],
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=120)
        self.assertEqual(game.returncode, 0, game.stderr)
        dump = json.loads(subprocess.run([TOOL, "dump", str(self.document)], check=True,
                                         stdout=subprocess.PIPE).stdout)
        path = dump["trajectories"][0]
        points = path["points"]
        self.assertGreater(len(points), 2)
        seen = []
        for step in range(frames):
            width, height, rows = read_png((out / f"frame_{step:04d}.png").read_bytes())
            self.assertEqual((width, height), (160, 96), "the map's size: the path lies inside it")
            # At one point per game step the object stands on point `step`.
            x, y = points[step % len(points)]
            want = (path["offset"][0] + x + BODY_MIDDLE[0], path["offset"][1] + y + BODY_MIDDLE[1])
            got = middle_of(rows, BODY)
            self.assertIsNotNone(got, f"no hero in frame {step}")
            self.assertLessEqual(abs(got[0] - want[0]), 1.0, f"frame {step}: {got} against {want}")
            self.assertLessEqual(abs(got[1] - want[1]), 1.0, f"frame {step}: {got} against {want}")
            seen.append(got)
        self.assertEqual(len(set(seen)), len(points), "every point of the path is visited")

    def test_missing_item_is_refused(self):
        game = subprocess.run([GAME, str(self.document), "--animation", "nope", "--frames", "1",
                               "--out", str(self.tmp)], stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        self.assertEqual(game.returncode, 1)
        self.assertIn(b'the document has no animation "nope"', game.stderr)
        self.assertEqual(list(self.tmp.glob("*.png")), [])


if __name__ == "__main__":
    unittest.main()
