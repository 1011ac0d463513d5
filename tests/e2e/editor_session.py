"""Drives the real editor the way a user would, on a private X server.

Opens a document in `plexion`, switches to the Texts and Parameters panel
with Ctrl+4, inserts a text, types a new value into its Text cell, saves
with Ctrl+S and quits from the File menu; then `plexion-tool dump` must show
the typed text in the saved file.
"""

import json
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

EDITOR = os.environ.get("PLEXION_EDITOR", "")
TOOL = os.environ.get("PLEXION_TOOL", "")
TYPED = "Typed by xdotool"


def run(*args, **kwargs):
    return subprocess.run(args, check=True, capture_output=True, text=True, **kwargs)


class CXServer:
    """An Xvfb server on a free display, stopped when the test ends."""

    def __enter__(self):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
            pass_fds=(write_end,), stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            self.display = ":" + pipe.readline().strip()
        return self

    def __exit__(self, *exc):
        self.process.terminate()
        self.process.wait(timeout=10)


class EditorSessionTest(unittest.TestCase):
    def setUp(self):
        if not EDITOR or not TOOL:
            self.skipTest("PLEXION_EDITOR and PLEXION_TOOL name the programs under test")
        for program in ("Xvfb", "xdotool"):
            if shutil.which(program) is None:
                self.fail(program + " is missing: scripts/install-deps.sh installs it")
        self.folder = tempfile.mkdtemp(prefix="plexion-e2e-")
        self.addCleanup(shutil.rmtree, self.folder)

    def xdotool(self, env, *args):
        return run("xdotool", *args, env=env).stdout.strip()

    def wait_for_window(self, env, name, timeout=60):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name],
                                   capture_output=True, text=True, env=env)
            if found.returncode == 0 and found.stdout.strip():
                return found.stdout.split()[0]
            time.sleep(0.2)
        self.fail("no window named %r appeared" % name)

    def visible_windows(self, env):
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--class", "plexion"],
                               capture_output=True, text=True, env=env)
        return set(found.stdout.split())

    def wait_until(self, condition, what, timeout=60):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if condition():
                return
            time.sleep(0.2)
        self.fail("timed out waiting for " + what)

    def saved_texts(self, document):
        dump = subprocess.run([TOOL, "dump", document], capture_output=True, text=True)
        if dump.returncode != 0:
            return {}
        return {item["id"]: item["text"] for item in json.loads(dump.stdout)["texts"]}

    def keys(self, env, *keys):
        for key in keys:
            self.xdotool(env, "key", "--clearmodifiers", key)
            time.sleep(0.3)

    def test_insert_edit_save_and_quit(self):
        document = os.path.join(self.folder, "game.dat")
        run(TOOL, "new", document, "--name", "E2E")
        with CXServer() as server:
            env = dict(os.environ, DISPLAY=server.display)
            env.pop("QT_QPA_PLATFORM", None)
            log = open(os.path.join(self.folder, "editor.log"), "w+")
            self.addCleanup(log.close)
            editor = subprocess.Popen([EDITOR, document], env=env, stdout=log,
                                      stderr=subprocess.STDOUT, text=True)
            try:
                window = self.wait_for_window(env, "game.dat")
                self.xdotool(env, "windowfocus", "--sync", window)
                time.sleep(1.0)
                main_windows = self.visible_windows(env)
                # Texts and Parameters, a new text, then its Text cell: the
                # last column is Comments, the one before it Text.
                self.keys(env, "ctrl+4", "Insert", "End", "Left")
                self.xdotool(env, "type", "--delay", "60", TYPED[0])
                self.wait_until(lambda: self.visible_windows(env) - main_windows,
                                "the Edit Value dialog")
                self.xdotool(env, "type", "--delay", "60", TYPED[1:])
                time.sleep(0.5)
                # The Text cell is edited in a multi-line field: Tab leaves it
                # for the OK button.
                self.keys(env, "Tab", "Return")
                self.wait_until(lambda: not self.visible_windows(env) - main_windows,
                                "the dialog to close")
                # Without a window manager nobody gives the focus back to
                # the main window when a dialog closes.
                self.xdotool(env, "windowfocus", "--sync", window)
                time.sleep(0.5)
                self.keys(env, "ctrl+s")
                self.wait_until(lambda: self.saved_texts(document).get("New ID") == TYPED,
                                "the saved text")
                self.keys(env, "alt+f")
                self.keys(env, "x")
                editor.wait(timeout=30)
            finally:
                if editor.poll() is None:
                    editor.kill()
                    editor.wait()
                    log.seek(0)
                    self.fail("the editor did not quit:\n" + log.read())
        log.seek(0)
        self.assertEqual(editor.returncode, 0, log.read())
        self.assertEqual(self.saved_texts(document).get("New ID"), TYPED)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
