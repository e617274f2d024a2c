# Helpers of the end-to-end tests. A test script sources this file
# (. "$E2E_LIB"), runs its cases and ends with `finish`.
#
# Every test works in its own temporary folder ($WORK), removed at the end.
# A program writes indir.txt and outdir.txt beside itself, so each case runs
# its own copy of the program (install_program) in a folder of its own.
set -u

WORK=$(mktemp -d "${TMPDIR:-/tmp}/e2e-XXXXXX")
trap 'rm -rf "$WORK"' EXIT
failures=0
case_name=""

# need_program VAR: skip the whole script when the program is not built.
need_program() {
  if [ -z "${!1:-}" ] || [ ! -x "${!1}" ]; then
    echo "skipped: $1 is not built"
    exit 77
  fi
}

# install_program VAR FOLDER: copies the program into FOLDER (made if needed)
# and prints the copy's path.
install_program() {
  mkdir -p "$2"
  cp "${!1}" "$2/"
  echo "$2/$(basename "${!1}")"
}

begin_case() {
  case_name=$1
  echo "-- $case_name"
}

fail() {
  echo "FAIL [$case_name]: $*"
  failures=$((failures + 1))
}

# check_eq WHAT EXPECTED ACTUAL
check_eq() {
  if [ "$2" != "$3" ]; then
    fail "$1"
    diff <(printf '%s\n' "$2") <(printf '%s\n' "$3") | sed 's/^/    /'
  fi
}

# check_file_hex FILE HEX: the file holds exactly these bytes (hex, no spaces).
check_file_hex() {
  if [ ! -f "$1" ]; then
    fail "$1 is missing"
    return
  fi
  check_eq "bytes of $1" "$2" "$(od -An -v -tx1 "$1" | tr -d ' \n')"
}

check_missing() {
  [ ! -e "$1" ] || fail "$1 should not exist"
}

# check_no_temporaries FOLDER: no temporary output file was left behind.
check_no_temporaries() {
  local left
  left=$(find "$1" -name '*.tmp-*' | head -n 5)
  [ -z "$left" ] || fail "temporary files left: $left"
}

# hex_of STRING: the hex bytes of a string.
hex_of() {
  printf '%s' "$1" | od -An -v -tx1 | tr -d ' \n'
}

finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
  fi
  echo "all checks passed"
  exit 0
}
