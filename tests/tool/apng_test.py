#!/usr/bin/env python3
"""What `qztlevel animate` writes, read back by Pillow's own APNG decoder: the
frame count, each frame's delay, looping forever, and every composed frame the
picture `qztlevel render --frame` draws of its game frame.

Usage: apng_test.py QZTLEVEL SAMPLE.dat
"""

import os
import subprocess
import sys
import tempfile

from PIL import Image, ImageChops

QZTLEVEL, SAMPLE = sys.argv[1:3]
cases = [  # the options render shares, animate's own, frames a second, frames, every how many to compare
    (["--view", "0,0"], [], 30, 300, 10),
    (["--whole-bitmap", "--scale", "2", "--no-outlines"], ["--fps", "4", "--seconds", "2"], 4, 8, 1),
    (["--view", "40,300", "--no-enemies"], ["--fps", "60", "--seconds", "1"], 60, 60, 1),  # nothing changes
]

failures = []
with tempfile.TemporaryDirectory() as folder:
    animation, still = os.path.join(folder, "motion.png"), os.path.join(folder, "still.png")
    for options, timing, fps, frames, stride in cases:
        subprocess.run([QZTLEVEL, "animate", *options, *timing, SAMPLE, animation], check=True)
        with Image.open(animation) as apng:
            facts = (apng.format, getattr(apng, "n_frames", 1), apng.info.get("loop"))
            if facts != ("PNG", frames, 0):
                failures.append(f"{options}: format, frames and loop {facts}")
                continue
            for k in range(frames):
                apng.seek(k)
                if abs(apng.info["duration"] - 1000 / fps) > 1e-9:
                    failures.append(f"{options}: frame {k} lasts {apng.info['duration']} ms")
                if k % stride:
                    continue
                game_frame = str(k * 60 // fps)
                subprocess.run([QZTLEVEL, "render", *options, "--frame", game_frame, SAMPLE, still], check=True)
                with Image.open(still) as expected:
                    wrong = ImageChops.difference(apng.convert("RGB"), expected.convert("RGB")).getbbox()
                if wrong:
                    failures.append(f"{options}: frame {k} differs from game frame {game_frame} within {wrong}")
print("\n".join(failures) or "all passed")
sys.exit(1 if failures else 0)
