#!/usr/bin/env python3
"""Writes the hostile corpus: small crafted .sh, .shp and .rec (one sprite
record) files, and expected.txt, which says what loading each must give.

expected.txt has one line per file: name|pitch|message|offset, where message
is the loader's text (empty: the file loads) and offset the byte the fault is
tied to (-1: none). The loader tests read it; run this script again after
changing a case (python3 make_hostile.py, in this folder).
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
MASK = 0x6B


def xy(x, y):
    return (x & 0xFFFF) | ((y & 0xFFFF) << 16)


def record(runs, edges, hot=(1, 0), bounds=(-1, 0, 1, 1), counts=None, points=()):
    """A sprite record; counts overrides (R, E, P) in the header only."""
    r, e, p = counts if counts is not None else (len(runs), len(edges), len(points))
    header = struct.pack("<iii8xhh8xiiii", r, e, p, hot[0], hot[1], *bounds)
    data = struct.pack("<%dI" % len(runs), *runs) + struct.pack("<%dI" % len(edges), *edges)
    data += b"".join(struct.pack("<H", v) for v, _ in points)
    data += b"".join(struct.pack("<I", pos) for _, pos in points)
    return header + data


# A 3 x 2 sprite, hot spot (1, 0): a run of two pixels on each row and one
# edge record right of the first run. 80 bytes.
RUNS = [xy(0, 0), 2, 0x07E0F800, xy(1, 1), 2, 0xFFFF001F]
EDGES = [xy(2, 0), 2 | (0x1234 << 16)]
GOOD = record(RUNS, EDGES)


def runs_with(index, value):
    runs = list(RUNS)
    runs[index] = value
    return runs


def ray(*records, count=None):
    n = len(records) if count is None else count
    return struct.pack("<HH", 0xAE01, n) + b"".join(records)


def text(t, end=b"\0"):
    return bytes(ord(c) ^ MASK for c in t) + end


def family(table, rays, texts=b"", text_count=0, slots=None):
    s = len(table) if slots is None else slots
    return struct.pack("<HHH", 0xAE02, s, text_count) + bytes(table) + b"".join(rays) + texts


R = "LoadRLSprite: "
READ = R + "Unable to read file"
RAY_READ = "LoadRlsRay: Unable to read file"
FAM_READ = "RlsFamily: Unable to read file"

GOOD_RAY = ray(GOOD)  # 84 bytes
EMPTY_RAY = ray()

# name, bytes, pitch, message, offset
CASES = [
    ("empty.sh", b"", 0, RAY_READ, 0),
    ("half-magic.sh", b"\x01", 0, RAY_READ, 0),
    ("family-magic.sh", b"\x02\xae\x00\x00", 0, "LoadRlsRay: Not a RlsRay file", 0),
    ("no-count.sh", b"\x01\xae\x01", 0, RAY_READ, 2),
    ("count-past-the-end.sh", ray(GOOD, count=0xFFFF), 0, RAY_READ, 2),
    ("second-header-cut.sh", ray(GOOD, GOOD[:20]), 320, READ, 84),
    ("run-words-past-the-end.sh", ray(record(RUNS, EDGES, counts=(0x7FFFFFFF, 2, 0))), 0,
     READ, 4),
    ("points-past-the-end.sh", ray(record(RUNS, EDGES, counts=(6, 2, 0x10000000))), 0, READ, 4),
    ("negative-run-words.sh", ray(record(RUNS, EDGES, counts=(-1, 2, 0))), 0,
     R + "Negative count", 4),
    ("negative-edge-words.sh", ray(record(RUNS, EDGES, counts=(6, -2, 0))), 0,
     R + "Negative count", 8),
    ("negative-points.sh", ray(record(RUNS, EDGES, counts=(6, 2, -0x80000000))), 0,
     R + "Negative count", 12),
    ("odd-edge-words.sh", ray(record(RUNS, EDGES + [0], counts=(6, 3, 0))), 0,
     R + "Odd edge word count", 8),
    ("run-of-no-pixels.sh", ray(record(runs_with(1, 0), EDGES)), 0, R + "Run of no pixels", 4),
    ("run-past-the-run-data.sh", ray(record(runs_with(4, 5), EDGES)), 0,
     R + "Run past the end of the run data", 4),
    ("runs-out-of-order.sh", ray(record(runs_with(3, xy(1, -1)), EDGES)), 0,
     R + "Runs out of order", 4),
    ("run-outside.sh", ray(record(RUNS, EDGES, bounds=(-1, 0, 0, 1))), 0,
     R + "Run outside the sprite", 4),
    ("edge-level-5.sh", ray(record(RUNS, [xy(2, 0), 5])), 0, R + "Bad edge level", 4),
    ("two-edges-one-pixel.sh", ray(record(RUNS, EDGES + EDGES)), 0,
     R + "Edge records out of order", 4),
    ("edge-outside.sh", ray(record(RUNS, [xy(3, 0), 2])), 0, R + "Edge outside the sprite", 4),
    ("bounds-out-of-range.sh", ray(record(RUNS, EDGES, bounds=(-70000, 0, 1, 1))), 0,
     R + "Bounds out of range", 4),
    ("too-large-for-the-pitch.sh", ray(GOOD), 0x7FFFFFFF, R + "Sprite too large for pitch", 4),
    ("negative-pitch.sh", ray(GOOD, GOOD), -1, "BindRLSprite: Bad pitch", -1),
    ("bad-second-sprite.sh", ray(GOOD, record(RUNS, [xy(2, 0), 0])), 320,
     R + "Bad edge level", 84),
    ("good.sh", ray(GOOD, GOOD), 320, "", -1),
    ("no-sprites.sh", EMPTY_RAY, 320, "", -1),
    ("bytes-after-the-ray.sh", GOOD_RAY + b"junk", 0, "", -1),
    ("empty.shp", b"", 0, "RlsFamilyLoad: Unable to read file", 0),
    ("ray-magic.shp", EMPTY_RAY + b"\0\0", 0, "RlsFamilyLoad: Not a RlsFamily file", 0),
    ("no-slot-count.shp", b"\x02\xae\x01", 0, FAM_READ, 2),
    ("no-text-count.shp", b"\x02\xae\x01\x00\x00", 0, FAM_READ, 4),
    ("fifty-three-slots.shp", family([0] * 53, [EMPTY_RAY]), 0, "RlsFamily: Too many slots", 2),
    ("table-cut.shp", family([0, 0], [], slots=3), 0, FAM_READ, 6),
    ("missing-ray.shp", family([0, 1], [EMPTY_RAY], text("text"), 1), 0,
     "LoadRlsRay: Not a RlsRay file", 12),
    ("second-ray-cut.shp", family([0, 1], [GOOD_RAY, GOOD_RAY[:60]]), 320, READ, 96),
    ("broken-sprite-in-the-second-ray.shp",
     family([0, 0, 1], [GOOD_RAY, ray(record(runs_with(1, 0), EDGES))], text("x"), 1), 320,
     R + "Run of no pixels", 97),
    ("text-too-long.shp", family([0], [EMPTY_RAY], text("a" * 1024), 1), 0,
     "RlsFamily: Text too long", 11),
    ("more-texts-than-bytes.shp", family([0], [EMPTY_RAY], b"", 0xFFFF), 0, FAM_READ, 11),
    ("longest-text.shp", family([0], [EMPTY_RAY], text("a" * 1023), 1), 0, "", -1),
    ("last-text-at-the-end.shp", family([0], [GOOD_RAY], text("first") + text("last", b""), 2),
     320, "", -1),
    ("shared-and-empty-slots.shp", family([0, 123, 1, 0, 1, 123], [GOOD_RAY, EMPTY_RAY]), 320,
     "", -1),
    ("header-cut.rec", GOOD[:47], 0, READ, 0),
    ("negative-run-words.rec", record(RUNS, EDGES, counts=(-6, 2, 0)), 0, R + "Negative count", 0),
    ("with-points.rec", record(RUNS, EDGES, points=[(7, xy(1, 1)), (9, xy(-4, 9))]), 320, "",
     -1),
]


def main():
    for name in os.listdir(HERE):
        if name.endswith((".sh", ".shp", ".rec")):
            os.remove(os.path.join(HERE, name))
    lines = []
    for name, data, pitch, message, offset in CASES:
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(data)
        lines.append("%s|%d|%s|%d\n" % (name, pitch, message, offset))
    with open(os.path.join(HERE, "expected.txt"), "w") as f:
        f.write("# name|pitch|message (empty: it loads)|offset (-1: none); "
                "written by make_hostile.py\n")
        f.writelines(lines)


if __name__ == "__main__":
    main()
