#!/usr/bin/python3
"""Turns bench_frame's JSON output into the figures of bench/README.md.

Usage: bench/plot_frame.py RESULTS.json [OUT.png]

Reads the medians of the repeated runs (bench_frame run with
--benchmark_repetitions=5 --benchmark_out_format=json), prints a Markdown
table of the medians and the ratio SDL / Vantrel for every case, and draws
drawing time against sprite size and against sprite count (default output:
frame_curves.png beside RESULTS.json). Needs Debian's python3-matplotlib,
hence the system interpreter.
"""
import json
import os
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

SIDES = ("Vantrel", "SDL")
TO_MICROSECONDS = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}


def medians(path):
    """{(case, side, n): median CPU time in microseconds}; n is None for the frame."""
    with open(path) as f:
        data = json.load(f)
    found = {}
    for b in data["benchmarks"]:
        if b.get("aggregate_name") != "median":
            continue
        parts = b["run_name"].split("/")
        n = int(parts[2]) if len(parts) > 2 else None
        found[(parts[0], parts[1], n)] = b["cpu_time"] * TO_MICROSECONDS[b["time_unit"]]
    return found


def curve(found, case, side):
    points = sorted((n, t) for (c, s, n), t in found.items() if c == case and s == side)
    return [n for n, _ in points], [t for _, t in points]


def table(found):
    rows = ["| case | Vantrel (µs) | SDL (µs) | SDL / Vantrel |", "|---|---:|---:|---:|"]
    for case, label in (("frame", "game frame, 300 sprites"),
                        ("frame_plain", "the same, all plain"),
                        ("frame_translucent", "the same, all translucent"),
                        ("frame_additive", "the same, all additive"),
                        ("size", "100 sprites of {n}²"),
                        ("count", "{n} sprites")):
        ns = sorted({n for (c, _, n) in found if c == case}, key=lambda n: n or 0)
        for n in ns:
            v, s = found.get((case, "Vantrel", n)), found.get((case, "SDL", n))
            if v is None or s is None:
                continue
            rows.append(f"| {label.format(n=n)} | {v:.0f} | {s:.0f} | {s / v:.2f}× |")
    return "\n".join(rows)


def plot(found, out):
    fig, (by_size, by_count) = plt.subplots(1, 2, figsize=(10, 4.2))
    for axis, case, xlabel, title in (
            (by_size, "size", "sprite canvas side (pixels)", "100 sprites, by size"),
            (by_count, "count", "sprites per frame", "frame mix, by count")):
        for side, style in zip(SIDES, ("o-", "s--")):
            xs, ys = curve(found, case, side)
            axis.plot(xs, ys, style, label=side)
        axis.set_xscale("log")
        axis.set_yscale("log")
        axis.set_xticks(curve(found, case, "Vantrel")[0])
        axis.get_xaxis().set_major_formatter(matplotlib.ticker.ScalarFormatter())
        axis.set_xlabel(xlabel)
        axis.set_ylabel("CPU time per frame (µs, median of 5)")
        axis.set_title(title)
        axis.grid(True, which="both", alpha=0.3)
        axis.legend()
    fig.tight_layout()
    fig.savefig(out, dpi=100)


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    found = medians(sys.argv[1])
    out = sys.argv[2] if len(sys.argv) == 3 else os.path.join(
        os.path.dirname(sys.argv[1]) or ".", "frame_curves.png")
    print(table(found))
    plot(found, out)
    print(f"\nplot written to {out}")


if __name__ == "__main__":
    main()
