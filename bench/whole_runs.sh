#!/usr/bin/env bash
# Whole-process timings of the programs, as a build that converts many images
# sees them, measured with hyperfine (Debian package hyperfine) pinned to one
# core, each against `cat` of the same inputs in the same run:
#   - quarvin --version (start-up and exit only);
#   - a 16-frame 512 x 512 ship with default options (Feather on, alpha
#     images), compared with `cat` of the 32 files it reads.
# Prints hyperfine's table and the ratios of the medians.
# Usage: bench/whole_runs.sh [build folder] [runs]   (default build/release, 30)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
runs=${2:-30}
quarvin=$build/UTILS/QUARVIN/quarvin
painter=$build/bench/paint_big_ship
for tool in hyperfine taskset python3; do
  command -v "$tool" >/dev/null || { echo "whole_runs: $tool is missing (scripts/deps.sh bench)" >&2; exit 1; }
done
for program in "$quarvin" "$painter"; do
  [ -x "$program" ] || { echo "whole_runs: $program is not built" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/whole-runs-XXXXXX")
trap 'rm -rf "$work"' EXIT
"$painter" "$work/art"
mkdir -p "$work/prog"
cp "$quarvin" "$work/prog/"
inputs=("$work"/art/*big??.tga)

# No display: the run takes the batch front end the way a build server does.
pin=(taskset -c 0)
env -u DISPLAY -u WAYLAND_DISPLAY "${pin[@]}" hyperfine --shell=none --warmup 5 --runs "$runs" \
  --export-json "$work/start.json" \
  -n 'quarvin --version' "$work/prog/quarvin --version" \
  -n 'cat (nothing)' "cat /dev/null"
env -u DISPLAY -u WAYLAND_DISPLAY "${pin[@]}" hyperfine --shell=none --warmup 3 --runs "$runs" \
  --export-json "$work/ship.json" \
  -n 'quarvin 512x512 ship' "$work/prog/quarvin --no-remember -o $work/big.sh $work/art/big00.tga" \
  -n "cat of its ${#inputs[@]} inputs" "cat ${inputs[*]}"

python3 - "$work/start.json" "$work/ship.json" <<'PY'
import json, sys
start = json.load(open(sys.argv[1]))["results"]
ship = json.load(open(sys.argv[2]))["results"]
version_ms = start[0]["median"] * 1000
cat_ms = start[1]["median"] * 1000
print(f"quarvin --version: median {version_ms:.2f} ms, cat /dev/null {cat_ms:.2f} ms, "
      f"ratio {version_ms / cat_ms:.2f}x (goal: under 3 ms)")
ratio = ship[0]["median"] / ship[1]["median"]
print(f"512x512 ship: median {ship[0]['median'] * 1000:.1f} ms, "
      f"cat {ship[1]['median'] * 1000:.1f} ms, ratio {ratio:.2f}x cat (goal: within 3x)")
PY
