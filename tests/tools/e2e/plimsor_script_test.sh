# Plimsor through its script and batch front ends, on the painted sample
# pictures: title and keys, cancels at either dialog, the list rules, exit
# codes, remembered folders, and the previous output surviving a fatal error.
. "$RUN_LIB"
make_work_folder e2e
need_program PLIMSOR
need_program PAINTSAMPLES

TITLE="Orlavine (press I to input a .txt file)"
art=$WORK/art
mkdir -p "$WORK/out"
"$PAINTSAMPLES" "$art" >/dev/null || { echo "painting the samples failed"; exit 1; }
printf '// sample pictures\nrock\ncrate.tga\n\nstar\n' > "$art/pictures.txt"

begin_case "title; only I acts"
prog=$(install_program PLIMSOR "$WORK/p1")
out=$(printf 'key B\nkey F\nkey 1\nkey q\nkey I\n' | "$prog" --script -); rc=$?
check_eq "exit code" 0 "$rc"
check_eq "transcript" "title Orlavine
title $TITLE" "$out"

begin_case "cancel at the list choice"
out=$(printf 'key i\ncancel\n' | "$prog" --script -); rc=$?
check_eq "exit code" 0 "$rc"
check_eq "transcript" "title Orlavine
title $TITLE
dialog File To Read
proposed $WORK/p1/*.txt
filter Text containing list of .TGA Files|*.txt
cancelled" "$out"
check_missing "$WORK/p1/indir.txt"

begin_case "cancel at the save dialog: no file; the list's folder is remembered"
out=$(printf 'key I\nfile %s\ncancel\n' "$art/pictures.txt" | "$prog" --script -); rc=$?
check_eq "exit code" 0 "$rc"
check_eq "transcript" "title Orlavine
title $TITLE
dialog File To Read
proposed $WORK/p1/*.txt
filter Text containing list of .TGA Files|*.txt
chosen $art/pictures.txt
dialog File To Write
proposed $WORK/p1/pictures.sh
filter Individual Ship Files|*.sh
cancelled" "$out"
check_eq "indir.txt" "$art" "$(cat "$WORK/p1/indir.txt")"
check_missing "$WORK/p1/outdir.txt"
check_missing "$WORK/p1/pictures.sh"

begin_case "a list of three pictures"
out=$(printf 'key I\nfile %s\nfile %s\n' "$art/pictures.txt" "$WORK/out/pictures.sh" |
      "$prog" --script -); rc=$?
check_eq "exit code" 0 "$rc"
check_eq "transcript end" "chosen $WORK/out/pictures.sh
written $WORK/out/pictures.sh" "$(echo "$out" | tail -n 2)"
check_eq "ray header" 01ae0300 "$(ray_header "$WORK/out/pictures.sh")"
check_eq "outdir.txt" "$WORK/out" "$(cat "$WORK/p1/outdir.txt")"
check_no_temporaries "$WORK/out"

begin_case "a list with no names: no save dialog, no file"
printf '// nothing here\n\n//\n' > "$art/empty.txt"
out=$(printf 'key I\nfile %s\n' "$art/empty.txt" | "$prog" --script - 2>"$WORK/err"); rc=$?
check_eq "exit code" 0 "$rc"
check_eq "transcript end" "chosen $art/empty.txt" "$(echo "$out" | tail -n 1)"
check_eq "warning" "Warning: $art/empty.txt names no image; nothing is written" "$(cat "$WORK/err")"
check_missing "$WORK/out/empty.sh"

begin_case "at most 64 names; short names get .tga"
cp "$art/star.tga" "$art/ab.tga"
for i in $(seq 70); do echo ab; done > "$art/many.txt"
out=$("$prog" -o "$WORK/out/many.sh" "$art/many.txt" 2>"$WORK/err"); rc=$?
check_eq "exit code" 0 "$rc"
check_eq "stdout" "$WORK/out/many.sh" "$out"
check_eq "ray header" 01ae4000 "$(ray_header "$WORK/out/many.sh")"
check_eq "warnings" "$(for i in $(seq 65 70); do echo "Warning: $art/many.txt line $i: ab is left out; a list converts at most 64 images"; done)" "$(cat "$WORK/err")"

begin_case "an output that names a listed image is refused"
cp "$art/rock.tga" "$WORK/rock-copy.tga"
"$prog" -o "$art/rock.tga" "$art/pictures.txt" >/dev/null 2>"$WORK/err"; rc=$?
check_eq "exit code" 2 "$rc"
check_eq "stderr" "plimsor: $art/rock.tga: this run reads that file; choose another name for what it writes" "$(cat "$WORK/err")"
cmp -s "$art/rock.tga" "$WORK/rock-copy.tga" || fail "the image was changed"

begin_case "an image beyond the run data of one sprite is named, with what helps"
{ printf '\x00\x00\x02\x00\x00\x00\x00\x00\x00\x00\x00\x00\x58\x02\xae\x01\x18\x20'
  head -c $((600 * 430 * 3)) /dev/zero | tr '\0' '\377'; } > "$art/hull.tga"
printf 'hull\n' > "$art/hull.txt"
"$prog" -o "$WORK/out/hull.sh" "$art/hull.txt" >/dev/null 2>"$WORK/err"; rc=$?
check_eq "exit code" 1 "$rc"
check_eq "stderr" "Fatal Error: List too long 256000: image $art/hull.tga is 600 x 430 pixels with 258000 opaque pixels, more than the run data of one sprite holds (256000 units of 16 bits: one for every opaque pixel and about five for every run); crop the artwork or split it into smaller images" "$(cat "$WORK/err")"
check_missing "$WORK/out/hull.sh"

begin_case "names with a folder are used as written"
mkdir -p "$WORK/elsewhere"
printf '%s\n' "$art/rock" "$art/planet.tga" > "$WORK/elsewhere/absolute.txt"
"$prog" -o "$WORK/out/absolute.sh" "$WORK/elsewhere/absolute.txt" >/dev/null; rc=$?
check_eq "exit code" 0 "$rc"
check_eq "ray header" 01ae0200 "$(ray_header "$WORK/out/absolute.sh")"

begin_case "batch without -o: the proposed name in the remembered output folder"
out=$("$prog" "$art/pictures.txt"); rc=$?
check_eq "exit code" 0 "$rc"
check_eq "stdout" "$WORK/out/pictures.sh" "$out"

begin_case "a fatal error leaves the previous file untouched"
printf 'rock\nstar\nmissing\nplanet\n' > "$art/broken.txt"
printf 'OLD PICTURES' > "$WORK/out/broken.sh"
"$prog" -o "$WORK/out/broken.sh" "$art/broken.txt" >/dev/null 2>"$WORK/err"; rc=$?
check_eq "exit code" 1 "$rc"
check_eq "stderr" "Fatal Error: Can't load $art/missing.tga: there is no such file; check its name and folder" "$(cat "$WORK/err")"
check_eq "old file" "OLD PICTURES" "$(cat "$WORK/out/broken.sh")"
check_no_temporaries "$WORK/out"

begin_case "images that cannot be converted are named"
head -c 100 "$art/rock.tga" > "$art/short.tga"
printf 'short\n' > "$art/short.txt"
"$prog" -o "$WORK/out/short.sh" "$art/short.txt" >/dev/null 2>"$WORK/err"; rc=$?
check_eq "exit code, short" 1 "$rc"
check_eq "stderr, short" "Fatal Error: Can't load $art/short.tga: its pixel data ends at byte 100 of 4098; the file was cut off; save or copy it again" "$(cat "$WORK/err")"
printf '\0\0\2\0\0\0\0\0\0\0\0\0\2\0\2\0\30\40\0\0\0\0\0\0\0\0\0\0\0\0' > "$art/black.tga"
printf 'black\n' > "$art/black.txt"
"$prog" -o "$WORK/out/black.sh" "$art/black.txt" >/dev/null 2>"$WORK/err"; rc=$?
check_eq "exit code, black" 1 "$rc"
check_eq "stderr, black" "Fatal Error: Image $art/black.tga has no visible pixel: it is all black" "$(cat "$WORK/err")"
check_missing "$WORK/out/short.sh"
check_missing "$WORK/out/black.sh"

begin_case "batch exit codes"
"$prog" >/dev/null 2>&1 </dev/null; check_eq "no arguments, no terminal" 2 "$?"
"$prog" --border "$art/pictures.txt" >/dev/null 2>&1; check_eq "unknown option" 2 "$?"
"$prog" "$art/nothing.txt" >/dev/null 2>&1; check_eq "missing list" 2 "$?"
"$prog" --help >"$WORK/help"; check_eq "--help" 0 "$?"
grep -q 'Usage: plimsor \[-o OUT.sh\] LIST.txt' "$WORK/help" || fail "--help shows the usage"

finish
