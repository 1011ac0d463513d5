"""Drives the real editor the way a user would, on a private X server.

Opens a document in `plexion`, switches to the Texts and Parameters panel
with Ctrl+4, inserts a text, types a new value into its Text cell, saves
with Ctrl+S and quits from the File menu; then `plexion-tool dump` must show
the typed text in the saved file.

Recovery: the same edit with the autosave period set to one second, the
editor killed once its recovery copy holds the edit, a new start answered
with Recover, and Ctrl+S must write the edit to the document's own file.
"""

import glob

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

    def environment(self, display):
        """The display, and settings and data folders of the test's own."""
        env = dict(os.environ, DISPLAY=display,
                   XDG_CONFIG_HOME=os.path.join(self.folder, "config"),
                   XDG_DATA_HOME=os.path.join(self.folder, "data"))
        env.pop("QT_QPA_PLATFORM", None)
        return env

    def start_editor(self, env, *arguments):
        log = open(os.path.join(self.folder, "editor.log"), "a+")
        self.addCleanup(log.close)
        editor = subprocess.Popen([EDITOR, *arguments], env=env, stdout=log,
                                  stderr=subprocess.STDOUT, text=True)

        def stop():
            if editor.poll() is None:
                editor.kill()
                editor.wait()
        self.addCleanup(stop)
        return editor, log

    def insert_text(self, env, window):
        """In the Texts and Parameters panel, a new text whose Text is TYPED."""
        self.xdotool(env, "windowfocus", "--sync", window)
        time.sleep(1.0)
        main_windows = self.visible_windows(env)
        # Texts and Parameters, a new text, then its Text cell: the last
        # column is Comments, the one before it Text.
        self.keys(env, "ctrl+4", "Insert", "End", "Left")
        self.xdotool(env, "type", "--delay", "60", TYPED[0])
        self.wait_until(lambda: self.visible_windows(env) - main_windows, "the Edit Value dialog")
        self.xdotool(env, "type", "--delay", "60", TYPED[1:])
        time.sleep(0.5)
        # The Text cell is edited in a multi-line field: Tab leaves it for
        # the OK button.
        self.keys(env, "Tab", "Return")
        self.wait_until(lambda: not self.visible_windows(env) - main_windows,
                        "the dialog to close")
        # Without a window manager nobody gives the focus back to the main
        # window when a dialog closes.
        self.xdotool(env, "windowfocus", "--sync", window)
        time.sleep(0.5)

    def save_and_quit(self, env, editor, log, document):
        self.keys(env, "ctrl+s")
        self.wait_until(lambda: self.saved_texts(document).get("New ID") == TYPED,
                        "the saved text")
        self.keys(env, "alt+f")
        self.keys(env, "x")
        try:
            editor.wait(timeout=30)
        except subprocess.TimeoutExpired:
            log.seek(0)
            self.fail("the editor did not quit:\n" + log.read())
        log.seek(0)
        self.assertEqual(editor.returncode, 0, log.read())
        self.assertEqual(self.saved_texts(document).get("New ID"), TYPED)

    def test_insert_edit_save_and_quit(self):
        document = os.path.join(self.folder, "game.dat")
        run(TOOL, "new", document, "--name", "E2E")
        with CXServer() as server:
            env = self.environment(server.display)
            editor, log = self.start_editor(env, document)
            self.insert_text(env, self.wait_for_window(env, "game.dat"))
            self.save_and_quit(env, editor, log, document)

    def recovery_copies(self):
        return glob.glob(os.path.join(self.folder, "data", "*", "recovery", "*", "*.dat"))

    def test_recover_after_the_editor_was_killed(self):
        document = os.path.join(self.folder, "game.dat")
        run(TOOL, "new", document, "--name", "E2E")
        settings = os.path.join(self.folder, "config", "Local AppWizard-Generated Applications")
        os.makedirs(settings)
        with open(os.path.join(settings, "Plexion.conf"), "w") as conf:
            conf.write("[Recovery]\nAutosaveSeconds=1\n")
        with CXServer() as server:
            env = self.environment(server.display)
            editor, _ = self.start_editor(env, document)
            self.insert_text(env, self.wait_for_window(env, "game.dat"))
            self.wait_until(lambda: any(self.saved_texts(copy).get("New ID") == TYPED
                                        for copy in self.recovery_copies()),
                            "a recovery copy holding the edit")
            editor.kill()
            editor.wait()
            self.assertNotIn("New ID", self.saved_texts(document))

            editor, log = self.start_editor(env)
            question = self.wait_for_question(env)
            self.xdotool(env, "windowfocus", "--sync", question)
            self.keys(env, "alt+r")
            window = self.wait_for_window(env, r"game\.dat \*")
            # The main window takes keys only a while after the box closed.
            time.sleep(1.0)
            self.xdotool(env, "windowfocus", "--sync", window)
            time.sleep(1.0)
            self.save_and_quit(env, editor, log, document)
        self.assertEqual(self.recovery_copies(), [])

    def wait_for_question(self, env):
        """The message box the editor shows over its main window at start:
        the smaller of the two."""
        def width(window):
            geometry = self.xdotool(env, "getwindowgeometry", "--shell", window)
            return int(dict(line.split("=") for line in geometry.split())["WIDTH"])
        self.wait_until(lambda: len(self.visible_windows(env)) >= 2,
                        "the question about the recovery copy")
        return min(self.visible_windows(env), key=width)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
