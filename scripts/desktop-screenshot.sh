#!/usr/bin/env bash
# Takes the README's picture of a tool window: a private virtual X server with
# a window manager (for the title bar), the program started without arguments,
# and its window saved with its frame.
# Usage: scripts/desktop-screenshot.sh PROGRAM OUT.png
# Needs the desktop packages (scripts/deps.sh desktop).
set -euo pipefail
program=$(realpath "${1:?usage: desktop-screenshot.sh PROGRAM OUT.png}")
out=$(realpath -m "${2:?usage: desktop-screenshot.sh PROGRAM OUT.png}")
mkdir -p "$(dirname "$out")"

work=$(mktemp -d "${TMPDIR:-/tmp}/desktop-shot-XXXXXX")
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# poll SECONDS COMMAND...: runs the command until it succeeds or time is up.
poll() {
  local end=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.05
  done
}

Xvfb -displayfd 3 -screen 0 800x200x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
poll 20 test -s "$work/display"
DISPLAY=:$(tr -d '\n' <"$work/display")
export DISPLAY
export HOME=$work XDG_RUNTIME_DIR=$work GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
# A title bar with room for the whole title: label, minimise and close, a
# plain 8-point font.
cat >"$work/openbox.xml" <<'XML'
<?xml version="1.0"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <theme>
    <titleLayout>LIC</titleLayout>
    <font place="ActiveWindow"><name>sans</name><size>8</size><weight>normal</weight></font>
    <font place="InactiveWindow"><name>sans</name><size>8</size><weight>normal</weight></font>
  </theme>
</openbox_config>
XML
openbox --sm-disable --config-file "$work/openbox.xml" >/dev/null 2>&1 &
pids+=($!)
poll 20 xprop -root _NET_SUPPORTING_WM_CHECK >/dev/null 2>&1

cp "$program" "$work/"
DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus" "$work/$(basename "$program")" >/dev/null 2>&1 &
pids+=($!)
window=""
find_window() { window=$(xdotool search --onlyvisible --pid "${pids[2]}" 2>/dev/null | head -n 1); [ -n "$window" ]; }
poll 20 find_window
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
import -frame -window "$window" "$out"
echo "$out: $(xdotool getwindowname "$window")"
