#!/usr/bin/env python3
"""Start-up benchmark: the program on the large data disc beside a bare Qt window.

Usage: bench/startup_time.py PROGRAM BARE_WINDOW LARGE_DISC [RUNS]

Both start on one Xvfb display with a PulseAudio null sink (the program wants a
sound output), alternating, RUNS times each (20 by default) after one run each
to warm the file cache. A run lasts from the start of the process to its first
painted window, which both report through PEMMARO_REPORT_FIRST_PAINT with their
resident memory at that moment. Prints the medians and their ratios.
"""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

TIME_GOAL = 2.0
MEMORY_GOAL = 2.0


def start_display(env):
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
        pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
    os.close(write_end)
    with os.fdopen(read_end) as numbers:
        number = numbers.readline().strip()
    if not number:
        sys.exit("Xvfb did not start")
    return server, ":" + number


def start_sound_server(env):
    subprocess.run(["pulseaudio", "-D", "-n", "--exit-idle-time=-1", "--disallow-exit",
                    "--load=module-native-protocol-unix",
                    "--load=module-null-sink sink_name=nullout"], env=env, check=True,
                   stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + 10
    while subprocess.run(["pactl", "info"], env=env, stdout=subprocess.DEVNULL,
                         stderr=subprocess.DEVNULL).returncode != 0:
        if time.monotonic() > deadline:
            sys.exit("the sound server did not answer")
        time.sleep(0.1)
    subprocess.run(["pactl", "set-default-sink", "nullout"], env=env, check=True)


# A private copy of the program, whose settings file beside it names the disc.
def program_copy(program, disc, folder):
    folder.mkdir()
    copy = folder / "pemmaro"
    shutil.copy2(program, copy)
    (folder / "Pemmaro.ini").write_bytes(
        b"[GENERAL]\r\nBase Directory=" + os.fsencode(str(disc)) + b"/\r\nJust Installed=No\r\n")
    return copy


def timed_start(command, cwd, env):
    started = time.perf_counter()
    process = subprocess.Popen([str(command)], cwd=cwd, env=env, stdout=subprocess.PIPE,
                               stderr=subprocess.PIPE, text=True)
    for line in process.stdout:
        if line.startswith("first-paint "):
            elapsed = time.perf_counter() - started
            resident_kb, peak_kb = (int(value) for value in line.split()[1:3])
            break
    else:
        process.wait()
        sys.exit(f"{command} ended without painting:\n{process.stderr.read()}")
    try:
        process.communicate(timeout=30)
    except subprocess.TimeoutExpired:
        process.kill()
        sys.exit(f"{command} did not end after painting")
    return elapsed * 1000, resident_kb / 1024, peak_kb / 1024


def main():
    if len(sys.argv) not in (4, 5):
        sys.exit(__doc__)
    program, bare_window, disc = (Path(argument).resolve() for argument in sys.argv[1:4])
    runs = int(sys.argv[4]) if len(sys.argv) == 5 else 20
    with tempfile.TemporaryDirectory() as scratch_name:
        scratch = Path(scratch_name)
        runtime = scratch / "runtime"
        runtime.mkdir(mode=0o700)
        env = dict(os.environ, XDG_RUNTIME_DIR=str(runtime),
                   XDG_CONFIG_HOME=str(scratch / "config"), QT_QPA_PLATFORM="xcb",
                   PEMMARO_REPORT_FIRST_PAINT="quit")
        env.pop("WAYLAND_DISPLAY", None)
        server, display = start_display(env)
        env["DISPLAY"] = display
        try:
            start_sound_server(env)
            candidates = {
                "pemmaro": (program_copy(program, disc, scratch / "program"), disc),
                "bare Qt window": (bare_window, scratch),
            }
            samples = {name: [] for name in candidates}
            for run in range(runs + 1):
                for name, (command, cwd) in candidates.items():
                    sample = timed_start(command, cwd, env)
                    if run > 0:
                        samples[name].append(sample)
        finally:
            subprocess.run(["pulseaudio", "-k"], env=env, stderr=subprocess.DEVNULL)
            server.terminate()
            server.wait()
    report(samples, runs, disc)


def report(samples, runs, disc):
    medians = {name: [statistics.median(values) for values in zip(*rows)]
               for name, rows in samples.items()}
    program, bare = medians["pemmaro"], medians["bare Qt window"]
    print(f"Start-up to the first painted window ({runs} alternating runs each, Xvfb,"
          f" disc {disc})")
    print(f"{'':16}{'median ms':>12}{'resident MB':>14}{'peak MB':>10}")
    for name, (ms, resident, peak) in medians.items():
        print(f"{name:16}{ms:12.1f}{resident:14.1f}{peak:10.1f}")
    time_ratio = program[0] / bare[0]
    memory_ratio = program[1] / bare[1]
    print(f"{'ratio':16}{time_ratio:12.2f}{memory_ratio:14.2f}{program[2] / bare[2]:10.2f}")
    print(f"goals: time ratio <= {TIME_GOAL} {'met' if time_ratio <= TIME_GOAL else 'NOT met'},"
          f" resident memory ratio <= {MEMORY_GOAL}"
          f" {'met' if memory_ratio <= MEMORY_GOAL else 'NOT met'}")


if __name__ == "__main__":
    main()
