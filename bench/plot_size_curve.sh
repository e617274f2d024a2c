#!/usr/bin/env bash
# Draws bench/size_curve.png: microseconds per batch of plain wasps against the
# number of sprites, one line per sprite size, ours and SDL2's, from one run of
# bench_frame's size curve (medians of 5).
# Usage: bench/plot_size_curve.sh [build folder]   (default build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT

"$build/bench/bench_frame" --benchmark_filter=SizeCurve --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
  awk -F, -v out="$data" '
    $1 ~ /_median"$/ {
      split($1, part, "/");               # "BM_<who>_SizeCurve/<size>/<count>_median"
      who = part[1]; sub(/^"BM_/, "", who); sub(/_SizeCurve$/, "", who);
      size = part[2] == 0 ? 32 : part[2] == 1 ? 128 : 512;
      count = part[3]; sub(/_median"$/, "", count);
      print count, $4 / 1000 > (out "/" who "_" size ".dat");   # cpu_time ns -> us
    }'

gnuplot <<PLOT
set terminal png size 800,500 noenhanced
set output "bench/size_curve.png"
set title "Drawing time against sprite count and size (plain, 640 x 480 RGB565)"
set xlabel "sprites per batch"
set ylabel "microseconds per batch (CPU, median of 5)"
set logscale xy
set key left top
plot for [s in "32 128 512"] "$data/Vantrel_".s.".dat" using 1:2 with linespoints lw 2 title "Vantrel ".s."x".s, \
     for [s in "32 128 512"] "$data/SDL_".s.".dat" using 1:2 with linespoints dt 2 title "SDL2 ".s."x".s
PLOT
echo "bench/size_curve.png"
