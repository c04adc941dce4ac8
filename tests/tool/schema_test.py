#!/usr/bin/env python3
"""What `qztlevel info` prints for the sample is valid under schema/level.schema.json,
and what `qztlevel lint --json` prints for a level with a finding of every rule a
data file can hold is valid under schema/lint.schema.json.

Usage: schema_test.py QZTLEVEL SCHEMA_FOLDER SAMPLE_FOLDER
"""

import json
import os
import shutil
import subprocess
import sys
import tempfile

import jsonschema

QZTLEVEL, SCHEMAS, SAMPLES = sys.argv[1:4]


def validator(name):
    with open(os.path.join(SCHEMAS, name), encoding="utf-8") as f:
        schema = json.load(f)
    jsonschema.Draft202012Validator.check_schema(schema)
    return jsonschema.Draft202012Validator(schema)


def printed(*arguments):
    run = subprocess.run([QZTLEVEL, *arguments], capture_output=True)
    return json.loads(run.stdout), run.returncode


info, _ = printed("info", os.path.join(SAMPLES, "sample.dat"))
failures = [f"the sample: {e.message}" for e in validator("level.schema.json").iter_errors(info)]

# The sample's 640 x 1200 bitmap; the comments name each line's findings.
LEVEL = [
    "Sub", "Title", "sample.bmp", "gone.mid", "w.wav", "w.wav", "w.wav", "w.wav", "500", "Y N N N", "",  # file-missing
    "BEP 0", "RIGHT 10 0 9",  # frame-outside-image-set: image set 0 has 4
    "LEFT 0 0 0", "EEP",  # steps-not-positive
    "BEP 1", "UP 5 0 0", "EEP",  # program-unused
    "BEP 2", "RIGHT 400 0 0", "EEP",
    "ENEMY 0 2 5 1 100 100 0",
    "ENEMY 7 2 5 1 200 100 9",  # enemy-image-set-missing, enemy-program-missing
    "ENEMY 0 0 0 1 100 100 0",  # enemies-stacked, speed-not-positive, animation-rate-not-positive
    "ENEMY 2 2 5 1 -50 100 0",  # enemy-outside-level
    "ENEMY 2 1 5 1 300 300 0",  # path-leaves-level
    "CIS 10 20 32 28 4 0",
    "CIS 630 20 32 28 4 1",  # image-set-outside-bitmap, image-set-unused
    "END",
]
with tempfile.TemporaryDirectory() as folder:
    shutil.copy(os.path.join(SAMPLES, "sample.bmp"), os.path.join(folder, "sample.bmp"))
    open(os.path.join(folder, "w.wav"), "wb").close()
    with open(os.path.join(folder, "level.dat"), "wb") as f:
        f.write("".join(line + "\r\n" for line in LEVEL).encode())
    findings, status = printed("lint", "--json", f.name)
lint = validator("lint.schema.json")
failures += [f"the findings: {e.message}" for e in lint.iter_errors(findings)]
every_rule = set(lint.schema["$defs"]["finding"]["properties"]["rule"]["enum"])
missing = every_rule - {"direction-unknown"} - {f["rule"] for f in findings}  # no data file holds an unknown direction
if status != 1 or missing:
    failures.append(f"lint: exit {status}, no finding of {sorted(missing)}")
print("\n".join(failures) or "all passed")
sys.exit(1 if failures else 0)
