#!/usr/bin/env python3
"""Runs the real keyer on damaged pictures: each refusal is exactly one line on standard error
(the image libraries print nothing of their own) and leaves no file behind.

usage: damaged_inputs.py VELOKROM WORK_DIR"""
import os
import shutil
import struct
import subprocess
import sys
import zlib

velokrom, work = sys.argv[1], sys.argv[2]
shutil.rmtree(work, ignore_errors=True)
os.makedirs(work)
w = lambda name: os.path.join(work, name)


def png(width, height, rows):
    """An RGB PNG declaring width x height whose data holds only the first rows."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    data = zlib.compress(b"\0" * (rows * (3 * width + 1)))
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", data) + chunk(b"IEND", b"")


whole = png(64, 48, 48)
# Damaged inside its data rather than cut short: OpenImageIO 2.4 leaks a message string over a
# file that ends early, which the sanitizer build would report.
bad = whole[:45] + b"\xff" * 16 + whole[61:]
for name, content in {"whole.png": whole, "cut.png": png(64, 48, 20), "bad.png": bad}.items():
    with open(w(name), "wb") as f:
        f.write(content)
subprocess.run([velokrom, "key", w("whole.png"), "--auto", "1,1", "--save", w("k.vkp")], check=True,
               stdout=subprocess.DEVNULL)
before = sorted(os.listdir(work))
failures = []
for words in ([velokrom, "key", w("cut.png"), "--auto", "1,1", "--save", w("new.vkp")],
              [velokrom, "render", w("cut.png"), "--key", w("k.vkp"), "--gray", "--out", w("o.png")],
              [velokrom, "render", w("whole.png"), "--key", w("k.vkp"), "--background", w("bad.png"), "--out", w("o.png")]):
    result = subprocess.run(words, capture_output=True, text=True, timeout=60)
    lines = result.stderr.splitlines()
    if result.returncode != 2 or len(lines) != 1 or not lines[0].startswith("velokrom: cannot read"):
        failures.append(f"{' '.join(words[1:3])}: status {result.returncode}, standard error {result.stderr!r}")
    if sorted(os.listdir(work)) != before:
        failures.append(f"{' '.join(words[1:3])}: left {sorted(set(os.listdir(work)) - set(before))}")
for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
