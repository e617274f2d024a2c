#!/usr/bin/env bash
# Cross-builds the Windows programs and tests (preset `windows`) and runs every
# test program as a Windows executable under wine, on the console (no X
# server). Each run uses a fresh wine prefix in a temporary folder; its
# wineserver is stopped and the prefix removed on exit.
# Usage: tests/windows/run-tests.sh [extra ctest arguments...]
set -euo pipefail
cd "$(dirname "$0")/../.."

cmake --preset windows >/dev/null
cmake --build --preset windows -j2

prefix=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-wine.XXXXXX")
cleanup() {
  WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX="$prefix" wineserver -w >/dev/null 2>&1 || true
  rm -rf "$prefix"
}
trap cleanup EXIT

export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all
# No .NET or browser engine: nothing here needs them, and without a network
# their installers would only stall the prefix creation.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

echo "-- creating wine prefix $prefix"
wineboot --init >/dev/null 2>&1
ctest --preset windows -j2 "$@"
