"""plexion-dat-dump against plexion-tool dump on the example document (with
and without a password) and on the fuzz seeds. The documents of the format
tests are compared by their own harness (test_format_roundtrip.py)."""

from __future__ import annotations

import os
import subprocess
import tempfile
import unittest
from pathlib import Path

import dat_dump_agreement as agreement

HERE = Path(__file__).resolve().parent
MAKE_EXAMPLE = HERE.parent.parent / "scripts" / "make-example.sh"
MAKE_SEEDS = os.environ.get("PLEXION_MAKE_SEEDS")


@unittest.skipIf(not (agreement.TOOL and agreement.DAT_DUMP), "PLEXION_TOOL or PLEXION_DAT_DUMP is not set")
class DatDumpAgreementTest(unittest.TestCase):
    def setUp(self):
        self._tmp = tempfile.TemporaryDirectory(prefix="plexion-dat-dump-")
        self.tmp = Path(self._tmp.name)

    def tearDown(self):
        self._tmp.cleanup()

    def tool(self, *args):
        subprocess.run([agreement.TOOL, *map(str, args)], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)

    def example(self) -> Path:
        path = self.tmp / "example.dat"
        subprocess.run([str(MAKE_EXAMPLE), agreement.TOOL, str(path)], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        return path

    def test_example_document(self):
        path = self.example()
        self.assertEqual(agreement.disagreement(path), "")
        self.assertEqual(agreement.disagreement(path, ("--pretty",)), "")
        # The real Ogg Vorbis stream is read the same way by both.
        out = subprocess.run([agreement.DAT_DUMP, str(path)], check=True,
                             stdout=subprocess.PIPE).stdout
        self.assertIn(b'"stream":{"version":0,"channels":2,"rate":44100', out)

    def test_password(self):
        path = self.example()
        self.tool("add-text", path, "settings_password", "open sesame")
        for options in ((), ("--password", "open sesame"), ("--password=wrong",)):
            with self.subTest(options=options):
                self.assertEqual(agreement.disagreement(path, options), "")

    def test_files_that_cannot_be_read(self):
        for path in (self.tmp / "missing.dat", self.tmp):
            with self.subTest(path=path):
                self.assertEqual(agreement.disagreement(path), "")

    def test_document_on_standard_input(self):
        data = self.example().read_bytes()
        tool = subprocess.run([agreement.TOOL, "dump", "/dev/stdin"], input=data,
                              stdout=subprocess.PIPE, check=True)
        game = subprocess.run([agreement.DAT_DUMP, "/dev/stdin"], input=data,
                              stdout=subprocess.PIPE, check=True)
        self.assertEqual(game.stdout, tool.stdout)

    @unittest.skipIf(not MAKE_SEEDS, "PLEXION_MAKE_SEEDS is not set")
    def test_fuzz_seeds(self):
        seeds = self.tmp / "seeds"
        subprocess.run([MAKE_SEEDS, str(seeds)], check=True)
        # A seed's first byte answers the older-version question; the rest is
        # the document.
        plain, accepted = [], []
        for seed in sorted(seeds.iterdir()):
            data = seed.read_bytes()
            (accepted if data and data[0] & 1 else plain).append(data[1:])
        self.assertGreater(len(plain) + len(accepted), 10)
        problems = (agreement.disagreements(plain)
                    + agreement.disagreements(accepted, ("--accept-old-version",)))
        self.assertEqual(problems, [], "\n".join(problems[:20]))


if __name__ == "__main__":
    unittest.main()
