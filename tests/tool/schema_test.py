#!/usr/bin/env python3
"""What `qztlevel info` prints for the sample is valid under schema/level.schema.json,
and so is a level at its limits; broken documents are refused where they break.

Usage: schema_test.py QZTLEVEL SCHEMA SAMPLE.dat
"""

import copy
import json
import subprocess
import sys

import jsonschema

QZTLEVEL, SCHEMA, SAMPLE = sys.argv[1:4]
with open(SCHEMA, encoding="utf-8") as f:
    schema = json.load(f)
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)
info = json.loads(subprocess.run([QZTLEVEL, "info", SAMPLE], capture_output=True, check=True).stdout)
movement = info["programs"][0]["movements"][0]  # RIGHT
every_byte = "".join(chr(c) for c in range(1, 256) if c != 0x0A)
cases = [  # where to change, the new value (None: left out), where the schema objects (None: nowhere)
    (["subtitle"], every_byte + "x" * 245, None),
    (["timeBonus"], -2**31, None),
    (["enemies", 0, "speed"], 2**31 - 1, None),
    (["programs", 0, "movements"], [movement] * 75, None),
    (["imageSets", 0, "slot"], 15, ["imageSets", 0, "slot"]),
    (["imageSets", 0, "colour"], 1, ["imageSets", 0]),
    (["enemies", 0, "x"], None, ["enemies", 0]),
    (["enemies", 0, "speed"], 2**31, ["enemies", 0, "speed"]),
    (["timeBonus"], 1.5, ["timeBonus"]),
    (["title"], "x" * 500, ["title"]),
    (["title"], "\u0100", ["title"]),
    (["title"], "a\nb", ["title"]),
    (["programs", 0, "movements", 0, "keyword"], "UP", ["programs", 0, "movements", 0]),
    (["programs", 0, "movements", 0, "direction"], 10, ["programs", 0, "movements", 0, "direction"]),
    (["programs", 0, "movements"], [movement] * 76, ["programs", 0, "movements"]),
    (["bitmap", "bitCount"], 2, ["bitmap", "bitCount"]),
]
failures = [f"the sample: {e.message}" for e in validator.iter_errors(info)]
for where, value, objection in cases:
    broken = copy.deepcopy(info)
    parent = broken
    for key in where[:-1]:
        parent = parent[key]
    if value is None:
        del parent[where[-1]]
    else:
        parent[where[-1]] = value
    places = [list(e.absolute_path) for e in validator.iter_errors(broken)]
    if objection in places if objection else not places:
        continue
    failures.append(f"{where} = {str(value)[:20]}: objections at {places}")
print("\n".join(failures) or "all passed")
sys.exit(1 if failures else 0)
