#!/usr/bin/env python3
"""How much of a core the editor uses while nobody touches it.

Starts the editor on the example document under its own Xvfb, sizes its
window to 1280 x 800 and gives it the keyboard (there is no window manager to
do either), then shows one panel after another with its Ctrl key and reads
the editor's CPU time (user + system, from /proc/PID/stat) over an interval
with no input. The still panels should cost next to nothing, because the game
clock sleeps while nothing moves; the Animations panel plays the example's
first animation.

    bench/idle_editor.py PLEXION PLEXION_TOOL [--seconds 10] [--settle 2]
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Panel, its key, whether its preview moves on the example, and the aim in
# percent of one core.
PANELS = (
    ("Bitmaps", "ctrl+1", False, 0.3),
    ("Texts and Parameters", "ctrl+4", False, 0.3),
    ("Maps", "ctrl+3", False, 0.3),
    ("Animations", "ctrl+2", True, 3.0),
    # The example's trajectory is shown with its object going round it.
    ("Trajectories and Shapes", "ctrl+6", True, None),
)


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        text = stat.read()
    # The command name may hold spaces; the fields after it start with the
    # state (field 3), so utime and stime (fields 14 and 15) are 11 and 12.
    fields = text[text.rindex(")") + 2:].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def core_percent(pid, seconds):
    start_cpu, start = cpu_seconds(pid), time.monotonic()
    time.sleep(seconds)
    return 100.0 * (cpu_seconds(pid) - start_cpu) / (time.monotonic() - start)


def load_average():
    with open("/proc/loadavg") as load:
        return " ".join(load.read().split()[:3])


def start_xvfb():
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        display = pipe.readline().strip()
    if not display:
        server.kill()
        sys.exit("Xvfb did not start")
    return server, f":{display}"


def xdotool(env, *arguments):
    return subprocess.run(["xdotool", *arguments], env=env, check=True, timeout=30,
                          capture_output=True, text=True).stdout.split()


def stop(process):
    process.terminate()
    try:
        process.wait(timeout=10)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("plexion")
    parser.add_argument("tool")
    parser.add_argument("--seconds", type=float, default=10.0)
    parser.add_argument("--settle", type=float, default=2.0)
    args = parser.parse_args()

    work = tempfile.mkdtemp()
    server = editor = None
    try:
        example = os.path.join(work, "example.dat")
        subprocess.run([os.path.join(ROOT, "scripts/make-example.sh"), args.tool, example],
                       check=True, stdout=subprocess.DEVNULL)
        server, display = start_xvfb()
        # A private settings folder: no recent files or window places of
        # whoever runs this, and none left behind.
        env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb",
                   XDG_CONFIG_HOME=os.path.join(work, "config"))
        editor = subprocess.Popen([args.plexion, example], env=env,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        window = xdotool(env, "search", "--sync", "--onlyvisible", "--pid", str(editor.pid))[0]
        xdotool(env, "windowmove", "--sync", window, "0", "0")
        xdotool(env, "windowsize", "--sync", window, "1280", "800")
        xdotool(env, "windowfocus", "--sync", window)
        time.sleep(args.settle)

        print(f"idle editor, 1280 x 800 under Xvfb, {args.seconds:g} s per panel "
              f"(load average before: {load_average()})")
        for name, key, moves, aim in PANELS:
            xdotool(env, "key", "--clearmodifiers", key)
            time.sleep(args.settle)
            percent = core_percent(editor.pid, args.seconds)
            what = "playing" if moves else "still"
            target = f" (aim <= {aim:g} %)" if aim is not None else ""
            print(f"{name:>24}, {what:>7}: {percent:6.2f} % of a core{target}")
        print(f"load average after: {load_average()}")
        if editor.poll() is not None:
            sys.exit("the editor ended during the measurement")
    finally:
        for process in (editor, server):
            if process is not None:
                stop(process)
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
