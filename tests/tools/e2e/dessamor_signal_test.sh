# An interrupted Dessamor leaves no partial family file: the listed .sh file
# is a named pipe that gives an empty ray once, for the check before the
# output begins, and then nothing, so the program waits in the middle of the
# output; a TERM signal then ends it.
. "$RUN_LIB"
make_work_folder e2e
need_program DESSAMOR

prog=$(install_program DESSAMOR "$WORK/prog")
mkdir -p "$WORK/art" "$WORK/out"
mkfifo "$WORK/art/pipe.sh"
printf 'pipe\n' > "$WORK/art/fam.txt"
printf 'OLD' > "$WORK/out/fam.shp"

begin_case "TERM while the family is being written"
printf '\x01\xae\x00\x00' > "$WORK/art/pipe.sh" &
writer=$!
"$prog" -o "$WORK/out/fam.shp" "$WORK/art/fam.txt" >/dev/null 2>&1 &
pid=$!
for _ in $(seq 100); do
  [ -n "$(find "$WORK/out" -name '*.tmp-*')" ] && break
  sleep 0.05
done
[ -n "$(find "$WORK/out" -name '*.tmp-*')" ] || fail "the output was never begun"
kill -TERM "$pid"
wait "$pid"; rc=$?
wait "$writer"
check_eq "ended by the signal" 143 "$rc"
check_eq "old file" "OLD" "$(cat "$WORK/out/fam.shp")"
check_no_temporaries "$WORK/out"

finish
