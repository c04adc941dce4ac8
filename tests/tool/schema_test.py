#!/usr/bin/env python3
"""What `qztlevel info` prints for the sample and for a maximal level is valid
under schema/level.schema.json, broken documents are not, and info piped into
`import -` writes the bytes resave writes.

Usage: schema_test.py QZTLEVEL SCHEMA SAMPLE.dat
"""

import copy
import json
import os
import struct
import subprocess
import sys
import tempfile
import unittest

import jsonschema

QZTLEVEL, SCHEMA, SAMPLE = sys.argv[1:4]
KEYWORDS = ["DOWNLEFT", "DOWN", "DOWNRIGHT", "LEFT", "STOP", "RIGHT", "UPLEFT", "UP", "UPRIGHT"]
INT32_MIN, INT32_MAX = -2**31, 2**31 - 1


def qztlevel(*args, stdin=b""):
    return subprocess.run([QZTLEVEL, *args], input=stdin, capture_output=True, check=True).stdout


def write_maximal_level(folder):
    """Every slot used, 75 movements a program, texts of 499 bytes of every code
    a line holds, numbers at both ends of 32 bits; a 1 x 1 bitmap."""
    bmp = struct.pack("<2sIHHI", b"BM", 58, 0, 0, 54) + struct.pack("<IiiHHIIiiII", 40, 1, 1, 1, 24, 0, 4, 0, 0, 0, 0)
    with open(os.path.join(folder, "max.bmp"), "wb") as f:
        f.write(bmp + bytes(4))
    codes = [c for c in range(1, 256) if c != 0x0A]
    texts = [bytes(codes[(i * 31 + k) % len(codes)] for k in range(499)) for i in range(8)]
    texts[2] = b"max.bmp"
    lines = texts + [str(INT32_MIN).encode(), b"Y N N N", b""]
    for slot in range(15):
        lines.append(b"BEP %d" % slot)
        lines += [b" %s %d %d %d" % (KEYWORDS[(slot + i) % 9].encode(), INT32_MAX - i, i, INT32_MIN + i)
                  for i in range(75)]
        lines.append(b"EEP")
    lines += [b"ENEMY %d %d 5 100 %d %d %d" % (INT32_MIN + s, s, 40 * s, INT32_MAX - s, -s) for s in range(15)]
    lines += [b"CIS %d 198 40 50 %d %d" % (42 * s, INT32_MAX, s) for s in range(15)]
    path = os.path.join(folder, "max.dat")
    with open(path, "wb") as f:
        f.write(b"".join(line + b"\r\n" for line in lines + [b"END"]))
    return path


class SchemaAndRoundTrip(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with open(SCHEMA, encoding="utf-8") as f:
            schema = json.load(f)
        jsonschema.Draft202012Validator.check_schema(schema)
        cls.validator = jsonschema.Draft202012Validator(schema)
        cls.folder = tempfile.TemporaryDirectory()
        cls.levels = {"sample": SAMPLE, "maximal": write_maximal_level(cls.folder.name)}

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def test_info_is_valid_and_imports_to_the_bytes_resave_writes(self):
        for name, level in self.levels.items():
            with self.subTest(name):
                info = qztlevel("info", level)
                errors = [e.message for e in self.validator.iter_errors(json.loads(info))]
                self.assertEqual(errors, [])
                resaved, imported = (os.path.join(self.folder.name, n) for n in ("resaved.dat", "imported.dat"))
                qztlevel("resave", level, resaved)
                qztlevel("import", "-", imported, stdin=info)
                with open(resaved, "rb") as a, open(imported, "rb") as b:
                    self.assertEqual(a.read(), b.read())

    def test_broken_documents_are_refused_where_they_break(self):
        info = json.loads(qztlevel("info", SAMPLE))
        movement = info["programs"][0]["movements"][0]  # RIGHT
        cases = [  # where to change, the new value (None: left out), where the schema objects
            (["imageSets", 0, "slot"], 15, ["imageSets", 0, "slot"]),
            (["imageSets", 0, "colour"], 1, ["imageSets", 0]),
            (["enemies", 0, "x"], None, ["enemies", 0]),
            (["enemies", 0, "speed"], INT32_MAX + 1, ["enemies", 0, "speed"]),
            (["timeBonus"], 1.5, ["timeBonus"]),
            (["title"], "x" * 500, ["title"]),
            (["title"], "\u0100", ["title"]),
            (["title"], "a\nb", ["title"]),
            (["programs", 0, "movements", 0, "keyword"], "UP", ["programs", 0, "movements", 0]),
            (["programs", 0, "movements", 0, "direction"], 10, ["programs", 0, "movements", 0, "direction"]),
            (["programs", 0, "movements"], [movement] * 76, ["programs", 0, "movements"]),
            (["bitmap", "bitCount"], 2, ["bitmap", "bitCount"]),
        ]
        for where, value, objection in cases:
            with self.subTest(where=where, value=str(value)[:20]):
                broken = copy.deepcopy(info)
                parent = broken
                for key in where[:-1]:
                    parent = parent[key]
                if value is None:
                    del parent[where[-1]]
                else:
                    parent[where[-1]] = value
                places = [list(e.absolute_path) for e in self.validator.iter_errors(broken)]
                self.assertIn(objection, places)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
