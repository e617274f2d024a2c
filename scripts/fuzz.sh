#!/usr/bin/env bash
# Builds the libFuzzer targets (clang) and runs each for a bounded time over a
# scratch copy of its seed corpus, with its dictionary fuzz/dict/<target>.dict. A crash stops the script with the fuzzer's
# report; the crashing input is kept in build/fuzz/findings/<target>/ (copy it
# into fuzz/corpus/<target>/ once fixed, so CTest replays it from then on).
# Usage: scripts/fuzz.sh [seconds per target] [target name...]
# FUZZ_RUNS=N also ends each target after N executions, whichever comes first.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2 --target fuzzers

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  shopt -s nullglob
  for target in build/fuzz/fuzz/fuzz_*; do
    [ -x "$target" ] && targets+=("$(basename "$target")")
  done
fi

status=0
for name in "${targets[@]}"; do
  target="build/fuzz/fuzz/$name"
  work=$(mktemp -d)
  findings="build/fuzz/findings/$name"
  mkdir -p "$findings"
  cp -r "fuzz/corpus/$name/." "$work/" 2>/dev/null || true
  log="build/fuzz/findings/$name.log"
  echo "-- $name (${seconds}s${FUZZ_RUNS:+ or $FUZZ_RUNS runs})"
  runs=()
  [ -n "${FUZZ_RUNS:-}" ] && runs=(-runs="$FUZZ_RUNS")
  dict=()
  [ -f "fuzz/dict/$name.dict" ] && dict=(-dict="fuzz/dict/$name.dict")
  if "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      "${dict[@]}" "${runs[@]}" -artifact_prefix="$findings/" "$work" >"$log" 2>&1; then
    grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss_mb)' "$log" || tail -n 5 "$log"
  else
    echo "!! $name failed; report follows (full log: $log)"
    grep -v -E '^#[0-9]+ +(NEW|REDUCE|pulse)' "$log" | tail -n 60
    status=1
  fi
  rm -rf "$work"
done
exit $status
