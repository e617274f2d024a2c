# The shared helpers of the shell-script tests: the end-to-end runs of the
# programs (tests/tools/e2e), the desktop and Windows window smoke tests and
# the preview test. A script sources this file, runs its cases and ends with
# `finish`:
#
#     . "$RUN_LIB"                  # or: source tests/support/run_lib.sh
#     need_program DESSAMOR         # skips (exit 77) when it is not built
#     make_work_folder e2e          # $WORK, removed at the end
#     begin_case "what the case shows"
#     check_eq "exit code" 0 "$rc"
#     finish
#
# Checks never stop the script: each failure is counted and named with its
# case, and `finish` exits 1 when any failed. Every wait polls with a deadline;
# nothing depends on a fixed delay.

set -u
failures=0
# Seconds any one wait may take unless the call says otherwise.
RUN_DEADLINE=${RUN_DEADLINE:-20}
case_name=""
exit_hooks=()

# ---- Skips, work folder, clean-up ----

# skip TEXT: the test cannot run here (CTest counts exit 77 as skipped).
skip() {
  echo "skipped: $*"
  exit 77
}

# need_program VAR: skips the whole script when the program VAR names is not built.
need_program() {
  if [ -z "${!1:-}" ] || [ ! -x "${!1}" ]; then skip "$1 is not built"; fi
}

# need_commands COMMAND...: skips when one of the commands is not installed.
need_commands() {
  local command
  for command in "$@"; do
    command -v "$command" >/dev/null || skip "$command is not installed"
  done
}

# on_exit COMMAND: runs COMMAND (a string for eval) when the script ends, the
# hooks last added first.
on_exit() {
  exit_hooks=("$1" "${exit_hooks[@]}")
}
run_exit_hooks() {
  local hook
  for hook in "${exit_hooks[@]}"; do eval "$hook" >/dev/null 2>&1 || true; done
}
trap run_exit_hooks EXIT

# make_work_folder [NAME]: a temporary folder of this run, $WORK, removed at the end.
make_work_folder() {
  WORK=$(mktemp -d "${TMPDIR:-/tmp}/${1:-run}-XXXXXX")
  on_exit 'rm -rf "$WORK"'
}

# install_program VAR FOLDER: copies the program into FOLDER (made if needed)
# and prints the copy's path. A program keeps indir.txt and outdir.txt beside
# itself, so each case that remembers folders runs a copy of its own.
install_program() {
  mkdir -p "$2"
  cp "${!1}" "$2/"
  echo "$2/$(basename "${!1}")"
}

# ---- Cases and checks ----

begin_case() {
  case_name=$1
  echo "-- $case_name"
}

fail() {
  echo "FAIL [$case_name]: $*"
  failures=$((failures + 1))
}

pass() {
  echo "  ok    $*"
}

# check DESCRIPTION COMMAND...: the command succeeds.
check() {
  local what=$1
  shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}

# check_eq WHAT EXPECTED ACTUAL
check_eq() {
  if [ "$2" != "$3" ]; then
    fail "$1"
    diff <(printf '%s\n' "$2") <(printf '%s\n' "$3") | sed 's/^/    /'
  fi
  return 0
}

# hex_of STRING: the hex bytes of a string.
hex_of() {
  printf '%s' "$1" | od -An -v -tx1 | tr -d ' \n'
}

# hex_of_file FILE: the hex bytes of a file.
hex_of_file() {
  od -An -v -tx1 "$1" | tr -d ' \n'
}

# ray_header FILE: the first four bytes of a file (a ray's magic and sprite
# count), in hex.
ray_header() {
  od -An -v -tx1 -N4 "$1" | tr -d ' \n'
}

# check_file_hex FILE HEX: the file holds exactly these bytes (hex, no spaces).
check_file_hex() {
  if [ ! -f "$1" ]; then
    fail "$1 is missing"
    return 0
  fi
  check_eq "bytes of $1" "$2" "$(hex_of_file "$1")"
}

# check_same_files WHAT EXPECTED ACTUAL: two files hold the same bytes.
check_same_files() {
  if [ ! -f "$3" ]; then
    fail "$1: $3 is missing"
  elif ! cmp -s "$2" "$3"; then
    fail "$1: $3 differs from $2"
  fi
  return 0
}

check_missing() {
  [ ! -e "$1" ] || fail "$1 should not exist"
}

# file_holds FILE TEXT: the file's text (without a final line end) is TEXT.
file_holds() { [ "$(cat "$1" 2>/dev/null)" = "$2" ]; }
# has_no_line_end FILE: the file does not end with a line feed or carriage return.
has_no_line_end() { case "$(tail -c 1 "$1" | od -An -tx1 | tr -d ' ')" in 0a | 0d) return 1 ;; esac; }
# has_no_leftovers FOLDER: no temporary output file was left behind in it.
has_no_leftovers() { [ -z "$(find "$1" -name '*.tmp-*' | head -n 1)" ]; }

# check_no_temporaries FOLDER: no temporary output file was left behind.
check_no_temporaries() {
  local left
  left=$(find "$1" -name '*.tmp-*' | head -n 5)
  [ -z "$left" ] || fail "temporary files left: $left"
}

# ---- Running programs ----

# run_captured COMMAND...: runs the command; its standard output goes to $out,
# its standard error to $err, its exit code to $rc.
run_captured() {
  local err_file
  err_file=$(mktemp "${TMPDIR:-/tmp}/run-err-XXXXXX")
  rc=0
  out=$("$@" 2>"$err_file") || rc=$?
  err=$(cat "$err_file")
  rm -f "$err_file"
}

# eventually SECONDS COMMAND...: repeats the command until it succeeds or the
# seconds have passed (at least once).
eventually() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.05
  done
}

# wait_exit PID [SECONDS]: waits for the process to end and returns its exit
# code (124 when it had to be killed at the deadline, RUN_DEADLINE by default).
wait_exit() {
  local end=$((SECONDS + ${2:-$RUN_DEADLINE}))
  while kill -0 "$1" 2>/dev/null; do
    if [ $SECONDS -ge $end ]; then
      kill "$1" 2>/dev/null
      wait "$1" 2>/dev/null
      return 124
    fi
    sleep 0.05
  done
  wait "$1"
}

# exits_with PID CODE [SECONDS]: the process ends with CODE in time.
exits_with() {
  local code=0
  wait_exit "$1" "${3:-$RUN_DEADLINE}" || code=$?
  [ "$code" -eq "$2" ] || { echo "        (exit code $code, expected $2)"; return 1; }
}

# wait_file FILE [SECONDS]: until the file exists.
wait_file() { eventually "${2:-$RUN_DEADLINE}" test -f "$1"; }

# ---- A terminal program driven through tmux ----
#
# Each script gets a tmux server of its own (killed at the end); a program runs
# in a window of the session "run" and leaves its exit code in $WORK/NAME.rc.

tmux_() { tmux -L "run-$$" -f /dev/null "$@"; }

# term_start NAME COMMAND: runs COMMAND (a shell string) in a new 120 x 40 window.
term_start() {
  rm -f "$WORK/$1.rc"
  local command="cd '$WORK' && $2; echo \$? > '$WORK/$1.rc'; sleep 600"
  if tmux_ has-session -t run 2>/dev/null; then
    tmux_ new-window -d -t run -n "$1" "$command"
  else
    on_exit 'tmux_ kill-server'
    tmux_ new-session -d -s run -n "$1" -x 120 -y 40 "$command"
  fi
}
term_screen() { tmux_ capture-pane -p -t "run:$1"; }
term_keys() {
  local window=$1
  shift
  tmux_ send-keys -t "run:$window" "$@"
}
screen_shows() { term_screen "$1" | grep -qF -- "$2"; }
# term_wait_for NAME TEXT: until the screen shows TEXT (10 s at most).
term_wait_for() {
  eventually 10 screen_shows "$1" "$2" && return 0
  fail "the screen never showed: $2"
  term_screen "$1" | sed 's/^/    | /'
  return 1
}
# term_exit_code NAME: waits for the program to end and prints its exit code.
term_exit_code() {
  if eventually 10 test -s "$WORK/$1.rc"; then cat "$WORK/$1.rc"; else echo "still running"; fi
}

# ---- The end ----

# finish: exit 1 when a check failed, else 0.
finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
  fi
  echo "all checks passed"
  exit 0
}
