"""End-to-end: plexion-tool play-sound through a real sound server.

scripts/test.sh starts a private PulseAudio daemon with one null sink and
exports PULSE_SERVER and PLEXION_PULSE_SINK. This test puts a 440 Hz tone in
a document, records the sink's monitor with parec while plexion-tool plays
the tone, and checks that the recording holds that tone at the level the
engine gives it (voice volume 0.6), not silence.

Without a server it is skipped (exit 77), unless PLEXION_PULSE_REQUIRED is
set, as test.sh does: then a missing server is a failure.
"""
import math
import os
import signal
import struct
import subprocess
import sys
import tempfile
import time
import wave

RATE = 44100
FREQUENCY = 440.0
AMPLITUDE = 0.5
SECONDS = 1.0
VOICE_VOLUME = 0.6


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def write_tone(path):
    with wave.open(path, "wb") as w:
        w.setnchannels(2)
        w.setsampwidth(2)
        w.setframerate(RATE)
        frames = bytearray()
        for i in range(int(RATE * SECONDS)):
            v = int(AMPLITUDE * 32767 * math.sin(2 * math.pi * FREQUENCY * i / RATE))
            frames += struct.pack("<hh", v, v)
        w.writeframes(bytes(frames))


def run_tool(tool, *args, timeout=60):
    run = subprocess.run([tool, *args], capture_output=True, text=True, timeout=timeout)
    if run.returncode != 0:
        fail("plexion-tool %s exited %d: %s" % (" ".join(args), run.returncode, run.stderr.strip()))
    return run


def analyse(samples):
    """The sounding stretch of the left channel: its length in seconds, its
    RMS and peak, and its frequency from zero crossings."""
    loud = [i for i, v in enumerate(samples) if abs(v) > 1000]
    if not loud:
        return None
    start, end = loud[0], loud[-1]
    part = samples[start:end + 1]
    rms = math.sqrt(sum(v * v for v in part) / len(part))
    peak = max(abs(v) for v in part)
    crossings = sum(1 for a, b in zip(part, part[1:]) if (a < 0) != (b < 0))
    seconds = len(part) / RATE
    return seconds, rms, peak, crossings / 2 / seconds


def main():
    tool = os.environ.get("PLEXION_TOOL")
    if not tool:
        fail("PLEXION_TOOL is not set")
    if not os.environ.get("PULSE_SERVER"):
        if os.environ.get("PLEXION_PULSE_REQUIRED"):
            fail("no private PulseAudio server (PULSE_SERVER is not set); scripts/test.sh starts one")
        print("skipped: no PulseAudio server; run through scripts/test.sh")
        sys.exit(77)
    sink = os.environ.get("PLEXION_PULSE_SINK", "plexion_null")
    with tempfile.TemporaryDirectory(prefix="plexion-pulse-test-") as scratch:
        tone = os.path.join(scratch, "tone.wav")
        doc = os.path.join(scratch, "game.dat")
        recording = os.path.join(scratch, "recording.raw")
        write_tone(tone)
        run_tool(tool, "new", doc)
        run_tool(tool, "add-sound", doc, tone)
        devices = run_tool(tool, "devices").stdout.splitlines()
        if len(devices) < 2 or devices[0] != "-1\tWindows Wave Mapper":
            fail("the sound server's sink is not listed: %r" % devices)
        with open(recording, "wb") as out:
            recorder = subprocess.Popen(
                ["parec", "--latency-msec=20", "-d", sink + ".monitor", "--format=s16le",
                 "--rate=%d" % RATE, "--channels=2", "--raw"],
                stdout=out, stderr=subprocess.PIPE)
            try:
                time.sleep(0.5)
                if recorder.poll() is not None:
                    fail("parec ended at once: " + recorder.stderr.read().decode(errors="replace"))
                began = time.monotonic()
                run_tool(tool, "play-sound", doc, "tone", timeout=60)
                played = time.monotonic() - began
                time.sleep(0.5)
            finally:
                recorder.send_signal(signal.SIGINT)
                try:
                    recorder.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    recorder.kill()
                    recorder.wait()
        if played < SECONDS:
            fail("play-sound returned after %.2f s, before the %.1f s tone could be heard" % (played, SECONDS))
        data = open(recording, "rb").read()
        left = [v for v, in struct.iter_unpack("<h", data[: len(data) // 4 * 4])][0::2]
        result = analyse(left)
        if result is None:
            fail("the recording of %.2f s is silence" % (len(left) / RATE))
        seconds, rms, peak, frequency = result
        expected_peak = AMPLITUDE * VOICE_VOLUME * 32767
        expected_rms = expected_peak / math.sqrt(2)
        print("recorded %.3f s of sound: %.1f Hz, RMS %.0f (expected %.0f), peak %d (expected %.0f)"
              % (seconds, frequency, rms, expected_rms, peak, expected_peak))
        if abs(frequency - FREQUENCY) > 5:
            fail("the recording's frequency is %.1f Hz, not %.0f Hz" % (frequency, FREQUENCY))
        if not 0.85 * expected_rms < rms < 1.15 * expected_rms:
            fail("the recording's level (RMS %.0f) is not the tone's (%.0f)" % (rms, expected_rms))
        if abs(peak - expected_peak) > 0.05 * expected_peak:
            fail("the recording's peak %d is not the tone's %.0f" % (peak, expected_peak))
        if not 0.9 * SECONDS < seconds < 1.2 * SECONDS:
            fail("the recording holds %.3f s of the tone, not %.1f s" % (seconds, SECONDS))
    print("OK")


if __name__ == "__main__":
    main()
