#!/usr/bin/env bash
# The tools' desktop windows on a private virtual X server: geometry and
# titles, keys acting on release, the file choosers driven through their typed
# location, output matching the batch front end's byte for byte, the "Fatal
# Error" box with exit code 1, one copy per tool, and the ways to quit.
#
# Usage: smoke.sh SHOT_FOLDER
# The programs come from the environment: DESSAMOR (needed), QUARVIN and
# PLIMSOR (tested when set), CLOSE_WINDOW (the helper that asks a window to
# close as a window manager would). A screenshot of each program's window goes
# to SHOT_FOLDER. Every wait polls with a deadline.
set -u

. "$(dirname "${BASH_SOURCE[0]}")/../support/run_lib.sh"
SHOTS=$(mkdir -p "${1:?usage: smoke.sh SHOT_FOLDER}" && cd "$1" && pwd)
: "${DESSAMOR:?DESSAMOR must name the dessamor program}"
: "${CLOSE_WINDOW:?CLOSE_WINDOW must name the close_window helper}"
DEADLINE=${SMOKE_DEADLINE:-20}  # seconds for any one wait
RUN_DEADLINE=$DEADLINE

# ---- The session: a virtual X server on a free display, a session bus ----
if [ -z "${SMOKE_IN_SESSION:-}" ]; then
  session=$(mktemp -d "${TMPDIR:-/tmp}/desktop-smoke-XXXXXX")
  # -noreset: the server would otherwise restart whenever its last client
  # leaves, refusing the next program that connects meanwhile.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$session/display" \
    >"$session/xvfb.log" 2>&1 &
  xvfb=$!
  end=$((SECONDS + DEADLINE))
  until [ -s "$session/display" ] || [ $SECONDS -ge $end ] || ! kill -0 $xvfb 2>/dev/null; do
    sleep 0.05
  done
  if [ ! -s "$session/display" ]; then
    echo "Xvfb did not start:"; cat "$session/xvfb.log"
    kill $xvfb 2>/dev/null; rm -rf "$session"; exit 1
  fi
  DISPLAY=:$(tr -d '\n' <"$session/display") SMOKE_IN_SESSION=1 \
    dbus-run-session -- bash "$0" "$@"
  rc=$?
  kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null
  rm -rf "$session"
  exit $rc
fi

# ---- Inside the session ----
make_work_folder desktop-smoke
started=()
stop_started() {
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done
}
on_exit stop_started

# The programs see a home of their own: the file chooser's recent files and
# settings stay here, the one-copy lock too.
export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/home/.config XDG_DATA_HOME=$WORK/home/.local/share
export XDG_CACHE_HOME=$WORK/home/.cache XDG_RUNTIME_DIR=$WORK/run
export GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1 GTK_A11Y=none LC_ALL=C.UTF-8
# The toolkit keeps some blocks for the whole run; a sanitizer build should
# report only the tools' own leaks, which the other tests cover.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
SCREEN_W=1024
SCREEN_H=768

xdo() { timeout 10 xdotool "$@"; }

# start_program VAR FOLDER [ENV...]: runs a copy of the program (it keeps
# indir.txt and outdir.txt beside itself) without arguments; sets $pid.
start_program() {
  local var=$1 folder=$2
  shift 2
  mkdir -p "$folder"
  cp "${!var}" "$folder/"
  program_copy="$folder/$(basename "${!var}")"
  program_folder=$folder
  env "$@" "$program_copy" >"$folder/stdout.txt" 2>"$folder/stderr.txt" &
  pid=$!
  started+=("$pid")
}

# The program's own words when its window did not come.
no_window() {
  fail "no window"
  sed 's/^/    stderr: /' "$program_folder/stderr.txt"
}

# wait_window PID TITLE_REGEX: prints the id of the program's visible window
# whose title matches.
wait_window() {
  local end=$((SECONDS + DEADLINE)) id
  while [ $SECONDS -lt $end ]; do
    id=$(xdotool search --all --onlyvisible --pid "$1" --name "$2" 2>/dev/null | head -n 1)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    kill -0 "$1" 2>/dev/null || return 1
    sleep 0.05
  done
  return 1
}

# wait_title WINDOW EXPECTED: polls until the title is EXPECTED; prints the last one seen.
wait_title() {
  local end=$((SECONDS + DEADLINE)) title=""
  while [ $SECONDS -lt $end ]; do
    title=$(xdotool getwindowname "$1" 2>/dev/null)
    [ "$title" == "$2" ] && break
    sleep 0.05
  done
  echo "$title"
}

# wait_focus WINDOW: polls until the window has the keyboard focus.
wait_focus() {
  local end=$((SECONDS + DEADLINE))
  until [ "$(xdotool getwindowfocus 2>/dev/null)" == "$1" ]; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.05
  done
}

# key WINDOW KEYS...: focuses the window, then presses and releases the keys.
key() {
  xdo windowfocus --sync "$1" && xdo key "${@:2}"
}

# press_until_gone WINDOW KEY: sends KEY to this window alone (it takes keys
# while it has the focus), again and again, until the window is gone.
press_until_gone() {
  local end=$((SECONDS + DEADLINE))
  while xdotool getwindowname "$1" >/dev/null 2>&1; do
    [ $SECONDS -lt $end ] || return 1
    xdo windowfocus --sync "$1" 2>/dev/null
    xdo key --window "$1" "$2"
    for _ in $(seq 20); do
      xdotool getwindowname "$1" >/dev/null 2>&1 || return 0
      sleep 0.05
    done
  done
}

# choose_file PID TITLE PATH [SHOT]: waits for the program's chooser and
# answers it by typing PATH into its location field (after a screenshot).
choose_file() {
  local dialog
  if ! dialog=$(wait_window "$1" "^$2\$"); then fail "no '$2' dialog"; return 1; fi
  xdo windowfocus --sync "$dialog" || return 1
  [ -z "${4:-}" ] || shot "$4"
  if [ "$2" == "File To Read" ]; then xdo key ctrl+l; else xdo key ctrl+a; fi
  xdo type --delay 4 "$3" || return 1
  # The chooser reads the typed folder in the background and takes Return
  # only once it has.
  press_until_gone "$dialog" Return || { fail "'$2' did not take $3"; return 1; }
}

shot() {
  if command -v import >/dev/null; then
    import -window root "$SHOTS/$1.png" && echo "screenshot: $SHOTS/$1.png"
  fi
}

# check_window WINDOW WIDTH HEIGHT: the client area's size, centred on the
# screen, all white.
check_window() {
  local geometry x y w h
  geometry=$(xwininfo -id "$1")
  x=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$geometry")
  y=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$geometry")
  w=$(awk '/Width:/ {print $NF}' <<<"$geometry")
  h=$(awk '/Height:/ {print $NF}' <<<"$geometry")
  check_eq "client size" "$2x$3" "${w}x$h"
  check_eq "position" "$(((SCREEN_W - $2) / 2)),$(((SCREEN_H - $3) / 2))" "$x,$y"
  if command -v import >/dev/null; then
    import -window "$1" "$WORK/client.png" &&
      check_eq "client area's mean brightness (white)" 1 \
        "$(identify -format '%[fx:mean]' "$WORK/client.png")"
  fi
}

# ---- Dessamor ----
DESSAMOR_TITLE="Create ship family (.shp) from a text list of .sh files"
DESSAMOR_PATTERN="^Create ship family"
art=$WORK/art
mkdir -p "$art" "$WORK/out"
printf '\x01\xae\x00\x00' >"$art/raider_a.sh"
{ printf '\x01\xae\x01\x00'; head -c 48 /dev/zero; } >"$art/raider_b.sh"
printf ':Raider\nraider_a\nraider_b.sh\n' >"$art/pirates.txt"
printf ':Ghost\nraider_a\nnot_there\n' >"$art/ghosts.txt"

begin_case "dessamor: window, title, one copy"
start_program DESSAMOR "$WORK/d1"
first=$pid
if window=$(wait_window "$first" "$DESSAMOR_PATTERN"); then
  check_eq "title" "$DESSAMOR_TITLE" "$(xdotool getwindowname "$window")"
  check_window "$window" 370 20
  shot dessamor-window
  # Nothing has the focus yet; a second start brings the first window forward.
  "$program_copy" >/dev/null 2>&1
  check_eq "second start's exit code" 0 "$?"
  wait_focus "$window" || fail "the first window was not brought to the front"
  check_eq "windows of the first copy" 1 \
    "$(xdotool search --onlyvisible --name "$DESSAMOR_PATTERN" | wc -l)"

  begin_case "dessamor: a family through the choosers matches the batch output"
  key "$window" i
  choose_file "$first" "File To Read" "$art/pirates.txt" &&
    choose_file "$first" "File To Write" "$WORK/out/window.shp"
  if wait_file "$WORK/out/window.shp"; then
    "$DESSAMOR" -o "$WORK/out/batch.shp" "$art/pirates.txt" >/dev/null
    cmp "$WORK/out/batch.shp" "$WORK/out/window.shp" || fail "the two families differ"
    check_eq "indir.txt" "$art" "$(cat "$WORK/d1/indir.txt")"
  else
    fail "no family written"
  fi
  # Q right away: the Enter that closed the save dialog started nothing.
  key "$window" q
  wait_exit "$first"
  check_eq "exit code after Q" 0 "$?"
else
  no_window
fi

begin_case "dessamor: a missing .sh file shows the Fatal Error box, exit code 1"
start_program DESSAMOR "$WORK/d2"
if window=$(wait_window "$pid" "$DESSAMOR_PATTERN"); then
  key "$window" Return
  # The listed rays are checked before the output is asked for.
  choose_file "$pid" "File To Read" "$art/ghosts.txt"
  if box=$(wait_window "$pid" "^Fatal Error\$"); then
    shot dessamor-fatal-error
    key "$box" Return
  else
    fail "no Fatal Error box"
  fi
  wait_exit "$pid"
  check_eq "exit code" 1 "$?"
  [ ! -e "$WORK/out/ghosts.shp" ] || fail "a partial family was left"
else
  no_window
fi

begin_case "dessamor: a missing list is refused, the chooser stays; Cancel ends the job quietly"
start_program DESSAMOR "$WORK/d6"
if window=$(wait_window "$pid" "$DESSAMOR_PATTERN"); then
  key "$window" i
  if dialog=$(wait_window "$pid" "^File To Read\$"); then
    xdo windowfocus --sync "$dialog" && xdo key ctrl+l && xdo type --delay 4 "$art/missing.txt"
    # Return until the refusal appears: a second box of the same title.
    box=""
    end=$((SECONDS + DEADLINE))
    while [ -z "$box" ] && [ $SECONDS -lt $end ]; do
      xdo key --window "$dialog" Return
      for _ in $(seq 20); do
        box=$(xdotool search --all --onlyvisible --pid "$pid" --name "^File To Read\$" |
              grep -vx "$dialog" | head -n 1)
        [ -n "$box" ] && break
        sleep 0.05
      done
    done
    if [ -n "$box" ]; then
      shot dessamor-refused
      press_until_gone "$box" Return || fail "the refusal did not close"
      # Escape first leaves the location field, then cancels.
      press_until_gone "$dialog" Escape || fail "the chooser was not cancelled"
      key "$window" q
    else
      fail "no refusal"
    fi
  else
    fail "no 'File To Read' dialog"
  fi
  wait_exit "$pid"
  check_eq "exit code" 0 "$?"
  [ ! -e "$WORK/d6/indir.txt" ] || fail "a refused choice was remembered"
else
  no_window
fi

begin_case "dessamor: Alt+Q quits on its press"
start_program DESSAMOR "$WORK/d3"
if window=$(wait_window "$pid" "$DESSAMOR_PATTERN"); then
  xdo windowfocus --sync "$window" && xdo keydown alt+q
  wait_exit "$pid"
  check_eq "exit code" 0 "$?"
  xdo keyup alt+q
else
  no_window
fi

begin_case "dessamor: closing the window quits with 0"
start_program DESSAMOR "$WORK/d4"
if window=$(wait_window "$pid" "$DESSAMOR_PATTERN"); then
  "$CLOSE_WINDOW" "$window"
  wait_exit "$pid"
  check_eq "exit code" 0 "$?"
else
  no_window
fi

begin_case "dessamor: without a session bus the window still opens"
start_program DESSAMOR "$WORK/d5" DBUS_SESSION_BUS_ADDRESS="unix:path=$WORK/no-bus"
if window=$(wait_window "$pid" "$DESSAMOR_PATTERN"); then
  key "$window" q
  wait_exit "$pid"
  check_eq "exit code" 0 "$?"
else
  no_window
fi

# ---- Quarvin ----
# tga FILE: a 24-bit uncompressed 8x8 frame, a coloured 4x4 square on black.
tga() {
  local row_black='\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00'
  local row_square="\\x00\\x00\\x00\\x00\\x00\\x00\\x$2\\x40\\xf0\\x$2\\x40\\xf0\\x$2\\x40\\xf0\\x$2\\x40\\xf0\\x00\\x00\\x00\\x00\\x00\\x00"
  {
    printf '\x00\x00\x02\x00\x00\x00\x00\x00\x00\x00\x00\x00\x08\x00\x08\x00\x18\x00'
    for _ in 1 2; do printf "$row_black$row_black"; done
    for _ in 1 2 3 4; do printf "$row_square"; done
    for _ in 1 2; do printf "$row_black$row_black"; done
  } >"$1"
}

# The titles the script front end shows after the given keys (one per line).
script_titles() {
  local commands=""
  for k in "$@"; do commands+="key $k"$'\n'; done
  printf '%squit\n' "$commands" | "$QUARVIN" --script - | sed -n 's/^title //p'
}

if [ -n "${QUARVIN:-}" ]; then
  ships=$WORK/ships
  mkdir -p "$ships/few"
  for n in $(seq 0 15); do
    tga "$ships/wasp$(printf %02d "$n").tga" "$(printf %02x $((n * 15)))"
  done
  for n in 0 1 2; do cp "$ships/wasp0$n.tga" "$ships/few/"; done

  begin_case "quarvin: window, title, one copy"
  start_program QUARVIN "$WORK/q1"
  first=$pid
  if window=$(wait_window "$first" "."); then
    check_window "$window" 350 20
    expected=$(script_titles | tail -n 1)
    check_eq "title" "$expected" "$(wait_title "$window" "$expected")"
    shot quarvin-window
    "$program_copy" >/dev/null 2>&1
    check_eq "second start's exit code" 0 "$?"
    wait_focus "$window" || fail "the first window was not brought to the front"

    begin_case "quarvin: I opens the chooser; a ship matches the batch output"
    key "$window" i
    choose_file "$first" "File To Read" "$ships/wasp00.tga" quarvin-file-to-read &&
      choose_file "$first" "File To Write" "$WORK/out/window.sh"
    if wait_file "$WORK/out/window.sh"; then
      "$QUARVIN" -o "$WORK/out/batch.sh" "$ships/wasp00.tga" >/dev/null
      cmp "$WORK/out/batch.sh" "$WORK/out/window.sh" || fail "the two ships differ"
    else
      fail "no ship written"
    fi

    begin_case "quarvin: key releases change the title as in every front end"
    # B held down does nothing; O pressed and released meanwhile acts, and
    # once its title shows, B's press has been seen too. B acts on release.
    xdo windowfocus --sync "$window" && xdo keydown b && xdo key o
    expected=$(script_titles O | tail -n 1)
    check_eq "title while B is held" "$expected" "$(wait_title "$window" "$expected")"
    xdo keyup b
    expected=$(script_titles O B | tail -n 1)
    check_eq "title after B's release" "$expected" "$(wait_title "$window" "$expected")"
    keys=(O B)
    for k in B F O B; do
      keys+=("$k")
      expected=$(script_titles "${keys[@]}" | tail -n 1)
      key "$window" "${k,,}"
      check_eq "title after ${keys[*]}" "$expected" "$(wait_title "$window" "$expected")"
    done
    key "$window" q
    wait_exit "$first"
    check_eq "exit code after Q" 0 "$?"
  else
    no_window
  fi

  begin_case "quarvin: a missing frame shows the Fatal Error box, exit code 1"
  start_program QUARVIN "$WORK/q2"
  if window=$(wait_window "$pid" "."); then
    key "$window" i
    choose_file "$pid" "File To Read" "$ships/few/wasp00.tga"
    if box=$(wait_window "$pid" "^Fatal Error\$"); then
      shot quarvin-fatal-error
      key "$box" Return
    else
      fail "no Fatal Error box"
    fi
    wait_exit "$pid"
    check_eq "exit code" 1 "$?"
  else
    no_window
  fi
fi

# ---- Plimsor ----
if [ -n "${PLIMSOR:-}" ]; then
  begin_case "plimsor: window and title"
  start_program PLIMSOR "$WORK/p1"
  if window=$(wait_window "$pid" "^Orlavine"); then
    check_window "$window" 440 20
    check_eq "title" "Orlavine (press I to input a .txt file)" \
      "$(wait_title "$window" "Orlavine (press I to input a .txt file)")"
    shot plimsor-window
    key "$window" q
    wait_exit "$pid"
    check_eq "exit code" 0 "$?"
  else
    no_window
  fi
fi

finish
