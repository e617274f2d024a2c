#!/usr/bin/env bash
# End-to-end test of the Windows programs' real windows: the cross-built
# programs run under wine on a private Xvfb display and are driven with
# xdotool (key releases, the open and save dialogs, the overwrite question,
# the "Fatal Error" box, single instance, exit codes). quarvin.exe's part is
# skipped, with a note, while it is not built.
#
# Every run uses a fresh wine prefix and work folder in a temporary folder;
# its wineserver and display are stopped and both folders removed on exit.
# Usage: tests/windows/smoke.sh [build folder]     (default build/windows)
set -euo pipefail
cd "$(dirname "$0")/../.."
build="${1:-build/windows}"
source tests/support/run_lib.sh
source tests/windows/smoke_lib.sh

for program in wine wineserver Xvfb xdotool; do
  command -v "$program" >/dev/null ||
    { echo "smoke: $program is missing (scripts/deps.sh windows)" >&2; exit 1; }
done
quarvin_exe="$build/UTILS/QUARVIN/quarvin.exe"
dessamor_exe="$build/UTILS/DESSAMOR/dessamor.exe"
plimsor_exe="$build/UTILS/PLIMSOR/plimsor.exe"
painter_exe="$build/samples/paintsamples.exe"
window_tests_exe="$build/tests/tools/tool_tests.exe"
for file in "$dessamor_exe" "$plimsor_exe" "$painter_exe"; do
  [ -f "$file" ] || { echo "smoke: $file is not built (cmake --build --preset windows)" >&2; exit 1; }
done
have_quarvin=false
[ -f "$quarvin_exe" ] && have_quarvin=true

scratch=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-smoke.XXXXXX")
export WINEPREFIX="$scratch/prefix" WINEARCH=win64 WINEDEBUG=-all
# No .NET or browser engine: nothing here needs them, and without a network
# their installers would only stall the prefix creation.
export WINEDLLOVERRIDES="mscoree,mshtml="
xvfb_pid=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$scratch"
}
on_exit cleanup

# The programs' own messages and wine's go to a log, shown when a check fails.
log="$scratch/wine.log"
start() { wine "$@" 2>>"$log" & }

# ---------------------------------------------------------------------------
# Headless phase: the prefix, the sample art, the reference output.
# ---------------------------------------------------------------------------
begin_case "wine prefix and sample art (headless)"
(
  unset DISPLAY WAYLAND_DISPLAY
  wineboot --init >/dev/null 2>&1
  # Without a window manager, managed windows make every close wait 2 s.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  mkdir -p "$scratch/bin" "$scratch/reference" "$scratch/out" "$scratch/broken" "$scratch/lists"
  wine "$painter_exe" "$(winpath "$scratch/art")" >/dev/null 2>>"$log"
  cp "$dessamor_exe" "$plimsor_exe" "$scratch/bin/"
  # A list that names no .sh file.
  printf ':No ships here\n' >"$scratch/lists/empty.txt"
  if $have_quarvin; then
    cp "$quarvin_exe" "$scratch/bin/"
    cp "$quarvin_exe" "$scratch/reference/"
    # What the window must write: the same job through the batch front end.
    wine "$scratch/reference/quarvin.exe" -o "$(winpath "$scratch/reference/wasp.sh")" \
      "$(winpath "$scratch/art/wasp00.tga")" >/dev/null 2>>"$log"
    # A ship with one frame missing.
    cp "$scratch"/art/wasp*.tga "$scratch/broken/"
    rm "$scratch/broken/wasp07.tga"
    echo "old" >"$scratch/out/wasp.sh"
  fi
  # Windows reach the display only from a wineserver started with it.
  wineserver -k
  wineserver -w
)
if $have_quarvin && [ ! -s "$scratch/reference/wasp.sh" ]; then
  echo "smoke: the batch run wrote no reference file" >&2
  cat "$log" >&2
  exit 1
fi

# ---------------------------------------------------------------------------
# Display phase.
# ---------------------------------------------------------------------------
mkfifo "$scratch/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 20 display_number <"$scratch/display" || { echo "smoke: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$display_number"
begin_case "windows on display $DISPLAY"

quarvin_checks() {
  local title_00="Keys: Input  Border(off)  Feather(on)  Offset(0)"
  local title_b0="Keys: Input  Border(on)  Feather(off)  Offset(0)"
  local title_01="Keys: Input  Border(off)  Feather(on)  Offset(1)"
  local quarvin second window

  begin_case "quarvin: window, keys on release, single instance"
  start "$scratch/bin/quarvin.exe"
  quarvin=$!
  window=$(find_window "^Quarvin$|^Keys: Input") || { fail "Quarvin opens its window"; return; }
  check "the title shows the options" title_is "$window" "$title_00"
  check "356 x 45 at 337,374 on 1024 x 768" geometry_is "$window" "337,374" "356x45"
  on_window "$window" keydown b
  sleep 0.5
  check "a key held down does nothing" title_now_is "$window" "$title_00"
  on_window "$window" keyup b
  check "B acts on release: Border on, Feather off" title_is "$window" "$title_b0"
  on_window "$window" key f
  check "F: Feather on, Border off" title_is "$window" "$title_00"
  on_window "$window" key o
  check "O: Offset 1" title_is "$window" "$title_01"
  on_window "$window" key o
  check "O again: Offset 0" title_is "$window" "$title_00"
  start "$scratch/bin/quarvin.exe"
  second=$!
  check "a second start ends with 0" exits_with "$second" 0
  check "the second start opened no window" window_count_is '^Keys: Input' 1

  begin_case "quarvin: open dialog, save dialog, overwrite question"
  on_window "$window" key i
  if find_window "^File To Read$" >/dev/null; then
    pass "I opens \"File To Read\""
    answer_dialog "$(winpath "$scratch/art/wasp00.tga")"
    if find_window "^File To Write$" >/dev/null; then
      pass "the save dialog \"File To Write\" follows"
      answer_dialog "$(winpath "$scratch/out/wasp.sh")"
      # The overwrite question is a second window with the dialog's title.
      if eventually 10 window_count_is '^File To Write$' 2; then
        pass "an existing file is not replaced without a question"
        check "nothing is written before the answer" file_holds "$scratch/out/wasp.sh" "old"
        xdotool key y
      else
        fail "an existing file is not replaced without a question"
      fi
      check "the save dialog closes" eventually 20 window_count_is '^File To Write$' 0
      check "the window writes what the batch front end writes" \
        eventually 20 cmp -s "$scratch/out/wasp.sh" "$scratch/reference/wasp.sh"
    else
      fail "the save dialog \"File To Write\" follows"
    fi
  else
    fail "I opens \"File To Read\""
  fi
  check "indir.txt holds the chosen folder" file_holds "$scratch/bin/indir.txt" "$(winpath "$scratch/art")"
  check "indir.txt has no line end" has_no_line_end "$scratch/bin/indir.txt"
  check "outdir.txt holds the chosen folder" file_holds "$scratch/bin/outdir.txt" "$(winpath "$scratch/out")"
  check "no temporary file is left" has_no_leftovers "$scratch/out"
  check "the window keeps its title" title_is "$window" "$title_00"

  begin_case "quarvin: a cancel, then a missing frame"
  on_window "$window" key i
  if find_window "^File To Read$" >/dev/null; then
    xdotool key Escape
    check "Escape cancels the open dialog" eventually 10 window_count_is '^File To Read$' 0
    check "the window stays after a cancel" kill -0 "$quarvin"
  else
    fail "I opens \"File To Read\" again"
    show_windows
  fi
  on_window "$window" key i
  if find_window "^File To Read$" >/dev/null; then
    answer_dialog "$(winpath "$scratch/broken/wasp00.tga")"
    if find_window "^Fatal Error$" >/dev/null; then
      pass "a missing frame shows \"Fatal Error\""
      check "the program waits for the box" kill -0 "$quarvin"
      xdotool key Return
    else
      fail "a missing frame shows \"Fatal Error\""
    fi
  else
    fail "I opens \"File To Read\" once more"
    show_windows
  fi
  check "after the box the program ends with 1" exits_with "$quarvin" 1
  check "the broken ship's folder was remembered" \
    file_holds "$scratch/bin/indir.txt" "$(winpath "$scratch/broken")"
  check "the earlier output is untouched" cmp -s "$scratch/out/wasp.sh" "$scratch/reference/wasp.sh"

  begin_case "quarvin: Q and Alt+Q"
  start "$scratch/bin/quarvin.exe"
  quarvin=$!
  if window=$(find_window "^Keys: Input"); then
    on_window "$window" key q
    check "Q ends the program with 0" exits_with "$quarvin" 0
  else
    fail "Quarvin starts again"
  fi
  start "$scratch/bin/quarvin.exe"
  quarvin=$!
  if window=$(find_window "^Keys: Input"); then
    on_window "$window" keydown alt+q
    check "Alt+Q ends the program with 0 on the key press" exits_with "$quarvin" 0
    xdotool keyup alt+q
  else
    fail "Quarvin starts once more"
  fi
}

dessamor_checks() {
  local title="Create ship family (.shp) from a text list of .sh files"
  local dessamor second window

  begin_case "dessamor: window, single instance, a fatal list, Q"
  start "$scratch/bin/dessamor.exe"
  dessamor=$!
  window=$(find_window "^Create ship family") || { fail "Dessamor opens its window"; return; }
  check "the title stays the class name" title_is "$window" "$title"
  check "376 x 45 at 327,374" geometry_is "$window" "327,374" "376x45"
  start "$scratch/bin/dessamor.exe"
  second=$!
  check "a second start ends with 0" exits_with "$second" 0
  check "the second start opened no window" window_count_is '^Create ship family' 1
  # Any key but Q builds a family.
  on_window "$window" key space
  if find_window "^File To Read$" >/dev/null; then
    pass "Space opens \"File To Read\""
    answer_dialog "$(winpath "$scratch/lists/empty.txt")"
    if find_window "^Fatal Error$" >/dev/null; then
      pass "a list naming no .sh file shows \"Fatal Error\""
      # The release of the Return that closed the dialog must not start
      # another build under the box.
      sleep 1
      check "no new build starts under the box" window_count_is '^File To Read$' 0
      xdotool key Return
      check "after the box Dessamor ends with 1" exits_with "$dessamor" 1
    else
      fail "a list naming no .sh file shows \"Fatal Error\""
    fi
  else
    fail "Space opens \"File To Read\""
  fi
  kill "$dessamor" 2>/dev/null || true

  start "$scratch/bin/dessamor.exe"
  dessamor=$!
  if window=$(find_window "^Create ship family"); then
    on_window "$window" key q
    check "Q ends Dessamor with 0" exits_with "$dessamor" 0
  else
    fail "Dessamor starts again"
  fi
}

# The in-process window tests skip themselves without a display.
window_tests() {
  [ -f "$window_tests_exe" ] || { echo "        ($window_tests_exe is not built)" >&2; return 1; }
  if ! wine "$window_tests_exe" --gtest_filter='ToolWindow.*' >"$scratch/window_tests.log" 2>&1 ||
    grep -q "SKIPPED" "$scratch/window_tests.log"; then
    grep -E "Failure|FAILED|SKIPPED|Expected|Which is" "$scratch/window_tests.log" >&2
    return 1
  fi
}
begin_case "the tool window in process"
check "tool_tests' window tests pass on the display" window_tests

plimsor_checks() {
  local plimsor window
  begin_case "plimsor: its title and size, Q"
  start "$scratch/bin/plimsor.exe"
  plimsor=$!
  window=$(find_window "^Orlavine") || { fail "Plimsor opens its window"; return; }
  check "the title tells the key" title_is "$window" "Orlavine (press I to input a .txt file)"
  check "446 x 45 at 292,374" geometry_is "$window" "292,374" "446x45"
  on_window "$window" key q
  check "Q ends Plimsor with 0" exits_with "$plimsor" 0
}

if $have_quarvin; then
  quarvin_checks
else
  begin_case "quarvin: not built, its checks are skipped"
fi
plimsor_checks
dessamor_checks

if [ "$failures" -ne 0 ]; then
  echo "smoke: wine's messages:" >&2
  grep -v "FS volume label" "$log" >&2 || true
fi
finish
