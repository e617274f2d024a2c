# Helpers of the window smoke test (sourced by smoke.sh after
# tests/support/run_lib.sh, which has the checks and the waits): windows found
# by polling with deadlines (never xdotool's --sync, which can die when a
# window closes while it searches), and the Windows names of paths below /.

# The Windows name of a folder or file below /: Z:\...
winpath() { printf 'Z:%s' "${1//\//\\}"; }

window_count() { xdotool search --name "$1" 2>/dev/null | wc -l; }
window_count_is() { [ "$(window_count "$1")" -eq "$2" ]; }
first_window() { xdotool search --name "$1" 2>/dev/null | head -n 1; }
# Prints the id of a window whose name matches the pattern, polling up to the
# seconds given (20 by default).
has_window() { [ -n "$(first_window "$1")" ]; }
find_window() { # find_window PATTERN [SECONDS]
  eventually "${2:-20}" has_window "$1" || return 1
  first_window "$1"
}
title_now_is() { [ "$(xdotool getwindowname "$1" 2>/dev/null)" = "$2" ]; }
title_is() { eventually "${3:-10}" title_now_is "$1" "$2"; } # title_is ID TEXT [SECONDS]
geometry_is() { # geometry_is ID "X,Y" "WxH"
  local text
  text=$(xdotool getwindowgeometry "$1" | tr -s ' \n' ' ')
  [[ "$text" == *"Position: $2 "* && "$text" == *"Geometry: $3"* ]] ||
    { echo "        ($text)" >&2; return 1; }
}

# Types a path over the focused dialog's file name and accepts it.
answer_dialog() { # answer_dialog PATH
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 15 "$1"
  xdotool key Return
}

# Sends xdotool key commands to a window after giving it the keyboard focus.
# Without a window manager, a dialog that closed can leave the X focus on the
# window but no Windows focus in it (keys then reach no window procedure); a
# click into the client area activates the window the way Windows does.
focus_is() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
on_window() { # on_window ID key|keydown|keyup KEYS...
  local id="$1"
  shift
  xdotool windowfocus "$id" 2>/dev/null || true
  eventually 5 focus_is "$id" || echo "        (window $id did not get the focus)" >&2
  xdotool mousemove --window "$id" 20 35 click 1 2>/dev/null || true
  sleep 0.1
  xdotool "$@"
}

# What is on the display, for a failed check.
show_windows() {
  local id
  for id in $(xdotool search --name . 2>/dev/null); do
    echo "        window $id '$(xdotool getwindowname "$id" 2>/dev/null)'" >&2
  done
  echo "        focus $(xdotool getwindowfocus 2>/dev/null)" >&2
}
