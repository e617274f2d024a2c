#!/usr/bin/env bash
# Checks that every C++ file of the project is formatted by .clang-format
# (clang-format 14). With --fix, formats them in place instead.
# Usage: scripts/check-format.sh [--fix]
set -euo pipefail
cd "$(dirname "$0")/.."

command -v clang-format >/dev/null ||
  { echo "check-format: clang-format is missing (apt-get install -y clang-format)" >&2; exit 1; }
mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.cc' '*.hpp')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
if ! clang-format --dry-run -Werror "${files[@]}"; then
  echo "check-format: the files above are not formatted; scripts/check-format.sh --fix formats them" >&2
  exit 1
fi
echo "check-format: ${#files[@]} files formatted"
