#!/usr/bin/env python3
"""What `qztlevel lint --json` prints for a level with a finding of every rule a data
file can hold is valid under schema/lint.schema.json; findings in the wrong shape
are refused where they break.

Usage: lint_schema_test.py QZTLEVEL SCHEMA SAMPLE.bmp
"""

import copy
import json
import os
import shutil
import subprocess
import sys
import tempfile

import jsonschema

QZTLEVEL, SCHEMA, BITMAP = sys.argv[1:4]
with open(SCHEMA, encoding="utf-8") as f:
    schema = json.load(f)
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)

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
    shutil.copy(BITMAP, os.path.join(folder, "sample.bmp"))
    open(os.path.join(folder, "w.wav"), "wb").close()
    with open(os.path.join(folder, "level.dat"), "wb") as f:
        f.write("".join(line + "\r\n" for line in LEVEL).encode())
    run = subprocess.run([QZTLEVEL, "lint", "--json", f.name], capture_output=True)
findings = json.loads(run.stdout)

failures = [f"the level: {e.message}" for e in validator.iter_errors(findings)]
every_rule = set(schema["$defs"]["finding"]["properties"]["rule"]["enum"])
missing = every_rule - {"direction-unknown"} - {f["rule"] for f in findings}  # no data file holds an unknown direction
if run.returncode != 1 or missing:
    failures.append(f"exit {run.returncode}, no finding of {sorted(missing)}")

by_rule = {f["rule"]: f for f in findings}
unknown_direction = dict(by_rule["steps-not-positive"], rule="direction-unknown")
cases = [  # the finding, what to change in it (None: left out), whether the schema takes it
    (unknown_direction, {}, True),
    (by_rule["file-missing"], {"slot": 0}, False),
    (by_rule["enemy-outside-level"], {"slot": None}, False),
    (by_rule["enemy-outside-level"], {"movement": 0}, False),
    (by_rule["path-leaves-level"], {"frame": None}, False),
    (by_rule["steps-not-positive"], {"movement": None}, False),
    (by_rule["steps-not-positive"], {"severity": "error"}, False),
    (by_rule["enemy-program-missing"], {"line": 3}, False),
]
for finding, changes, valid in cases:
    changed = copy.deepcopy(finding)
    for key, value in changes.items():
        if value is None:
            changed.pop(key, None)
        else:
            changed[key] = value
    if validator.is_valid([changed]) != valid:
        failures.append(f"{finding['rule']} {changes}: {'refused' if valid else 'taken'}")
print("\n".join(failures) or "all passed")
sys.exit(1 if failures else 0)
