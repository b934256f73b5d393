#!/usr/bin/env python3
"""Kills the real programs at many moments while they replace a file and checks that the file
under its final name is always whole: the previous content or the new one, never a part. The
runs cover the keyer's composite (render), its settings file (key --save), the emulated host's
background file and its parameter block. A temporary left by a killed run never blocks the
next run, which clears it.

usage: interrupted_writes.py BUILD_DIR WORK_DIR [KILLS]"""
import os
import shutil
import signal
import subprocess
import sys
import time

build, work = sys.argv[1], sys.argv[2]
kills = int(sys.argv[3]) if len(sys.argv) > 3 else 16
velokrom = os.path.join(build, "cli", "velokrom")
vkhost = os.path.join(build, "tools", "vkhost", "vkhost")
failures = []


def run(args):
    subprocess.run(args, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def content(path):
    with open(path, "rb") as f:
        return f.read()


def temporaries(folder, name):
    return [f for f in os.listdir(folder) if f.startswith("." + name + ".vktmp-")]


def timed(args):
    start = time.monotonic()
    run(args)
    return time.monotonic() - start


def interrupt(what, target, old, args):
    """Runs args, which replace target's old content, again and again, killed after growing
    delays that reach past a whole run; target must always hold old or what a whole run writes."""
    with open(target, "wb") as f:
        f.write(old)
    duration = timed(args)
    new = content(target)
    outcomes = {"old": 0, "new": 0}
    midway = 0
    for k in range(kills):
        with open(target, "wb") as f:
            f.write(old)
        process = subprocess.Popen(args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(duration * 1.5 * k / kills)
        process.send_signal(signal.SIGKILL)
        process.wait()
        now = content(target)
        midway += 1 if temporaries(os.path.dirname(target), os.path.basename(target)) else 0
        if now == old:
            outcomes["old"] += 1
        elif now == new:
            outcomes["new"] += 1
        else:
            failures.append(f"{what}: killed after {k}/{kills} of a run, {target} holds {len(now)} other bytes")
    # The next run is not blocked by what the killed ones left, and clears it.
    run(args)
    if content(target) != new:
        failures.append(f"{what}: the run after the kills did not write {target}")
    if temporaries(os.path.dirname(target), os.path.basename(target)):
        failures.append(f"{what}: temporaries of killed runs remain after the next run")
    print(f"{what}: {kills} kills, {outcomes['old']} left the previous file, {outcomes['new']} the new one, "
          f"{midway} killed while writing (their temporaries cleared by the next run)")
    if outcomes["old"] == 0:
        failures.append(f"{what}: no kill came before the file was replaced; the test proves nothing")


shutil.rmtree(work, ignore_errors=True)
os.makedirs(work)
w = lambda name: os.path.join(work, name)
run([os.path.join(build, "samples", "velokrom-make-sample"), work, "900", "700"])
fg, bg = w("foreground.png"), w("background.png")

# The composite: the old one over grey, the new one over the background.
run([velokrom, "key", fg, "--background", bg, "--auto", "20,20:59,44", "--save", w("k.vkp")])
render = [velokrom, "render", fg, "--key", w("k.vkp"), "--out", w("out.png"), "--blend", "direct"]
run(render + ["--gray"])
old_composite = content(w("out.png"))
interrupt("render", w("out.png"), old_composite, render + ["--background", bg])

# The settings file: a long drag list makes the run long enough to be killed at many moments.
drags = ["--select-background", ";".join(f"{x},{y}" for y in range(500, 540) for x in range(800, 825))] * 6
key = [velokrom, "key", fg, "--background", bg, "--auto", "20,20:59,44"] + drags + ["--save", w("new.vkp")]
interrupt("key --save", w("new.vkp"), content(w("k.vkp")), key)

# The emulated host's background file and parameter block.
drive = w("drive")
os.makedirs(drive)
store = os.path.join(drive, "ZELVARN", "VELOKROM.BKG")
host = [vkhost, "run", "builtin", "--out", w("h.png"), "--choice", "save", "--overwrite", "yes", "--drive-root", drive,
        "--params", w("p.bin")]
subprocess.run(host + ["--image", bg], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
old_store = content(store)
# The host answers 1 (nothing to apply) after saving the background.
run = lambda args: subprocess.run(args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
interrupt("background store", store, old_store, host + ["--image", fg])
# A block of another filter is replaced by this one's.
interrupt("parameter block", w("p.bin"), bytes(1528), host + ["--image", fg])

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
