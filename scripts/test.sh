#!/usr/bin/env bash
# Builds everything and runs the whole test suite (release preset, warnings as
# errors). Installs missing Debian packages first when run as root.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh build
cmake --preset release
cmake --build --preset release
ctest --preset release -j2
