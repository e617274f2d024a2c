# The console front ends need no desktop toolkit: no program names GTK among
# the libraries it needs, a batch or script run loads none even where a
# display is set, and with the desktop module missing a start on a display
# still runs its console front ends.
. "$RUN_LIB"
make_work_folder e2e
need_program DESSAMOR
need_commands readelf

toolkit='libgtk|libgdk|libglib|libgobject|libgio|libcairo|libpango'

begin_case "no program needs a toolkit library to start"
for var in QUARVIN PLIMSOR DESSAMOR; do
  [ -x "${!var:-}" ] || continue
  needed=$(readelf -d "${!var}" | grep NEEDED)
  [ -n "$needed" ] || fail "$var: readelf listed no library at all"
  ! grep -Eq "$toolkit" <<<"$needed" || fail "$var needs: $(grep -E "$toolkit" <<<"$needed")"
done

art=$WORK/art
mkdir -p "$art"
printf '\x01\xae\x00\x00' > "$art/hull.sh"
printf 'hull\n' > "$art/fam.txt"
prog=$(install_program DESSAMOR "$WORK/prog")

begin_case "a script and a batch run on a display load no toolkit"
run_captured env DISPLAY=:0 WAYLAND_DISPLAY=wayland-0 LD_DEBUG=files "$prog" --script - <<<"quit"
check_eq "script exit code" 0 "$rc"
grep -q "libc.so" <<<"$err" || fail "the loader's log names no library (LD_DEBUG not honoured)"
! grep -Eq "$toolkit" <<<"$err" || fail "a toolkit library was loaded: $(grep -Eo "[^ ]*($toolkit)[^ ]*" <<<"$err" | head -n 1)"
run_captured env DISPLAY=:0 LD_DEBUG=files "$prog" -o "$WORK/fam.shp" "$art/fam.txt"
check_eq "batch exit code" 0 "$rc"
! grep -Eq "$toolkit" <<<"$err" || fail "a toolkit library was loaded by the batch run"
check_eq "--version" "dessamor" "$("$prog" --version | cut -d' ' -f1)"

begin_case "without the desktop module a start on a display falls back to the console"
# (the batch run above remembered the art folder)
run_captured env DISPLAY=:0 VANTREL_DESKTOP_MODULE="$WORK/missing.so" "$prog" </dev/null
check_eq "exit code (no terminal either: usage error)" 2 "$rc"
grep -q "no terminal to run on interactively" <<<"$err" || fail "unexpected message: $err"
run_captured env DISPLAY=:0 VANTREL_DESKTOP_MODULE="$WORK/missing.so" "$prog" --script - <<<"key X
cancel"
check_eq "script exit code" 0 "$rc"
check_eq "script transcript" "title Create ship family (.shp) from a text list of .sh files
dialog File To Read
proposed $art/*.txt
filter Text containing list of .SH Files|*.txt
cancelled" "$out"

finish
