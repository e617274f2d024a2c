# Quarvin through its script and batch front ends, on the painted sample
# ships: titles and option keys, cancels at either dialog, the missing-frame
# messages of both numberings, alpha images, exit codes, remembered folders,
# and the previous output surviving a fatal error.
. "$RUN_LIB"
make_work_folder e2e
need_program QUARVIN
need_program PAINTSAMPLES

T0="Keys: Input  Border(off)  Feather(on)  Offset(0)"
art=$WORK/art
mkdir -p "$WORK/out"
"$PAINTSAMPLES" "$art" >/dev/null || { echo "painting the samples failed"; exit 1; }

begin_case "titles: the start title, then one per option key"
prog=$(install_program QUARVIN "$WORK/p1")
out=$(printf 'key F\nkey B\nkey F\nkey O\nkey b\nkey o\nkey X\nkey 7\nkey Q\nkey F\n' |
      "$prog" --script -); rc=$?
check_eq "exit code" 0 "$rc"
check_eq "transcript" "title Quarvin
title $T0
title Keys: Input  Border(off)  Feather(off)  Offset(0)
title Keys: Input  Border(on)  Feather(off)  Offset(0)
title Keys: Input  Border(off)  Feather(on)  Offset(0)
title Keys: Input  Border(off)  Feather(on)  Offset(1)
title Keys: Input  Border(on)  Feather(off)  Offset(1)
title Keys: Input  Border(on)  Feather(off)  Offset(0)" "$out"

begin_case "batch flags set the start state"
out=$(printf 'quit\n' | "$prog" --border --offset 1 --script -)
check_eq "border, offset 1" "title Quarvin
title Keys: Input  Border(on)  Feather(off)  Offset(1)" "$out"
out=$(printf 'quit\n' | "$prog" --no-feather --script -)
check_eq "no feather" "title Quarvin
title Keys: Input  Border(off)  Feather(off)  Offset(0)" "$out"

begin_case "cancel at the open dialog"
out=$(printf 'key I\ncancel\n' | "$prog" --script -); rc=$?
check_eq "exit code" 0 "$rc"
check_eq "transcript" "title Quarvin
title $T0
dialog File To Read
proposed $WORK/p1/*.tga
filter Uncompressed Targa Files|*.tga
cancelled" "$out"
check_missing "$WORK/p1/indir.txt"

begin_case "cancel at the save dialog: no file, outdir.txt untouched"
out=$(printf 'key I\nfile %s\ncancel\n' "$art/wasp07.tga" | "$prog" --script -); rc=$?
check_eq "exit code" 0 "$rc"
check_eq "transcript" "title Quarvin
title $T0
dialog File To Read
proposed $WORK/p1/*.tga
filter Uncompressed Targa Files|*.tga
chosen $art/wasp07.tga
dialog File To Write
proposed $WORK/p1/wasp.sh
filter Individual Ship Files|*.sh
cancelled" "$out"
check_eq "indir.txt" "$art" "$(cat "$WORK/p1/indir.txt")"
check_missing "$WORK/p1/outdir.txt"
check_missing "$WORK/p1/wasp.sh"

begin_case "a ship with alpha images, then again after a cancel"
out=$(printf 'key I\nfile %s\ncancel\nkey I\nfile %s\nfile %s\n' "$art/wasp00.tga" \
      "$art/wasp00.tga" "$WORK/out/wasp.sh" | "$prog" --script -); rc=$?
check_eq "exit code" 0 "$rc"
check_eq "second batch" "dialog File To Read
proposed $art/*.tga
filter Uncompressed Targa Files|*.tga
chosen $art/wasp00.tga
dialog File To Write
proposed $WORK/p1/wasp.sh
filter Individual Ship Files|*.sh
chosen $WORK/out/wasp.sh
written $WORK/out/wasp.sh" "$(echo "$out" | tail -n 9)"
check_eq "ray header" 01ae1000 "$(ray_header "$WORK/out/wasp.sh")"
check_eq "outdir.txt" "$WORK/out" "$(cat "$WORK/p1/outdir.txt")"
check_no_temporaries "$WORK/out"

begin_case "batch: the same ship, chosen by another frame, gives the same file"
prog2=$(install_program QUARVIN "$WORK/p2")
out=$("$prog2" -o "$WORK/out/wasp-batch.sh" "$art/wasp11.tga"); rc=$?
check_eq "exit code" 0 "$rc"
check_eq "stdout" "$WORK/out/wasp-batch.sh" "$out"
cmp -s "$WORK/out/wasp.sh" "$WORK/out/wasp-batch.sh" || fail "script and batch files differ"
check_eq "indir.txt" "$art" "$(cat "$WORK/p2/indir.txt")"

begin_case "the alpha images and the options change the sprites"
"$prog2" --no-feather -o "$WORK/out/plain.sh" "$art/wasp00.tga" >/dev/null
"$prog2" --border -o "$WORK/out/outlined.sh" "$art/wasp00.tga" >/dev/null
mkdir -p "$WORK/noalpha"
cp "$art"/wasp*.tga "$WORK/noalpha/"
"$prog2" -o "$WORK/out/feathered.sh" "$WORK/noalpha/wasp00.tga" >/dev/null
for f in plain outlined feathered; do
  check_eq "$f header" 01ae1000 "$(ray_header "$WORK/out/$f.sh")"
done
cmp -s "$WORK/out/wasp.sh" "$WORK/out/feathered.sh" && fail "alpha images made no difference"
cmp -s "$WORK/out/wasp.sh" "$WORK/out/plain.sh" && fail "--no-feather made no difference"
cmp -s "$WORK/out/plain.sh" "$WORK/out/outlined.sh" && fail "--border made no difference"

begin_case "frames numbered from 01"
out=$("$prog2" --offset 1 -o "$WORK/out/hornet.sh" "$art/hornet16.tga"); rc=$?
check_eq "exit code" 0 "$rc"
check_eq "ray header" 01ae1000 "$(ray_header "$WORK/out/hornet.sh")"
# Numbered from 00, the hornet misses its frame 00.
"$prog2" -o "$WORK/out/hornet0.sh" "$art/hornet01.tga" >/dev/null 2>"$WORK/err"; rc=$?
check_eq "exit code from 00" 1 "$rc"
check_eq "stderr" "Fatal Error: File $art/hornet00.tga is missing, need to have from 00 to 15 .tga files per ship" "$(cat "$WORK/err")"
check_missing "$WORK/out/hornet0.sh"

begin_case "a missing frame is named before anything is converted"
mkdir -p "$WORK/part"
for n in 00 01 02 03 04 05 06 07 08 09 10 11 12 13 14; do cp "$art/wasp$n.tga" "$WORK/part/"; done
prog3=$(install_program QUARVIN "$WORK/p3")
out=$(printf 'key I\nfile %s\nkey I\n' "$WORK/part/wasp00.tga" | "$prog3" --script - 2>"$WORK/err"); rc=$?
check_eq "exit code" 1 "$rc"
text="File $WORK/part/wasp15.tga is missing, need to have from 00 to 15 .tga files per ship"
check_eq "transcript end" "chosen $WORK/part/wasp00.tga
fatal $text" "$(echo "$out" | tail -n 2)"
check_eq "stderr" "Fatal Error: $text" "$(cat "$WORK/err")"
check_eq "indir.txt already written" "$WORK/part" "$(cat "$WORK/p3/indir.txt")"
out=$(printf 'key O\nkey I\nfile %s\n' "$WORK/part/wasp01.tga" | "$prog3" --script - 2>"$WORK/err"); rc=$?
check_eq "exit code from 01" 1 "$rc"
check_eq "stderr from 01" "Fatal Error: File $WORK/part/wasp15.tga is missing, need to have from 01 to 16 .tga files per ship" "$(cat "$WORK/err")"

begin_case "a fatal error leaves the previous file untouched"
mkdir -p "$WORK/spoilt"
cp "$art"/wasp*.tga "$art"/a_wasp*.tga "$WORK/spoilt/"
head -c 300 "$art/wasp09.tga" > "$WORK/spoilt/wasp09.tga"
printf 'OLD SHIP' > "$WORK/out/spoilt.sh"
"$prog2" -o "$WORK/out/spoilt.sh" "$WORK/spoilt/wasp00.tga" >/dev/null 2>"$WORK/err"; rc=$?
check_eq "exit code" 1 "$rc"
check_eq "stderr" "Fatal Error: Can't load $WORK/spoilt/wasp09.tga: its pixel data ends at byte 300 of 16402; the file was cut off; save or copy it again" "$(cat "$WORK/err")"
check_eq "old file" "OLD SHIP" "$(cat "$WORK/out/spoilt.sh")"
check_no_temporaries "$WORK/out"

begin_case "alpha images are read only while Feather is on"
cp "$art/wasp09.tga" "$WORK/spoilt/"
printf 'garbage' > "$WORK/spoilt/a_wasp04.tga"
"$prog2" -o "$WORK/out/spoilt.sh" "$WORK/spoilt/wasp00.tga" >/dev/null 2>"$WORK/err"; rc=$?
check_eq "exit code with Feather" 1 "$rc"
check_eq "stderr" "Fatal Error: Can't load $WORK/spoilt/a_wasp04.tga: it is only 7 bytes long, too short for a TGA header; export the artwork as PNG, or as an uncompressed 24-bit TGA" "$(cat "$WORK/err")"
"$prog2" --border -o "$WORK/out/spoilt.sh" "$WORK/spoilt/wasp00.tga" >/dev/null 2>&1; rc=$?
check_eq "exit code with Border" 0 "$rc"
check_eq "replaced" 01ae1000 "$(ray_header "$WORK/out/spoilt.sh")"

begin_case "an alpha image of another size is refused by name"
cp "$art/hornet05.tga" "$WORK/spoilt/a_wasp04.tga"
"$prog2" -o "$WORK/out/spoilt.sh" "$WORK/spoilt/wasp00.tga" >/dev/null 2>"$WORK/err"; rc=$?
check_eq "exit code" 1 "$rc"
check_eq "stderr" "Fatal Error: Alpha image $WORK/spoilt/a_wasp04.tga is 48 x 48 pixels but its frame $WORK/spoilt/wasp04.tga is 64 x 64; they must be the same size" "$(cat "$WORK/err")"

begin_case "a chosen name too short for a frame"
cp "$art/star.tga" "$WORK/spoilt/a.tga"
"$prog2" "$WORK/spoilt/a.tga" >/dev/null 2>"$WORK/err"; rc=$?
check_eq "exit code" 1 "$rc"
check_eq "stderr" "Fatal Error: File name $WORK/spoilt/a.tga is too short: a ship's frame is named by the ship's name, two frame digits and .tga" "$(cat "$WORK/err")"

begin_case "an output that names a frame or an alpha image is refused"
for target in "$art/wasp05.tga" "$art/a_wasp11.tga"; do
  cp "$target" "$WORK/before.tga"
  "$prog" -o "$target" "$art/wasp00.tga" >/dev/null 2>"$WORK/err"; rc=$?
  check_eq "exit code" 2 "$rc"
  check_eq "stderr" "quarvin: $target: this run reads that file; choose another name for what it writes" "$(cat "$WORK/err")"
  cmp -s "$target" "$WORK/before.tga" || fail "$target was changed"
done

begin_case "batch exit codes"
"$prog2" --offset 2 "$art/wasp00.tga" >/dev/null 2>&1; check_eq "--offset 2" 2 "$?"
"$prog2" --offset "$art/wasp00.tga" >/dev/null 2>&1; check_eq "--offset without a value" 2 "$?"
"$prog2" --feather "$art/wasp00.tga" >/dev/null 2>&1; check_eq "unknown option" 2 "$?"
"$prog2" "$art/nothing00.tga" >/dev/null 2>&1; check_eq "missing frame file" 2 "$?"
"$prog2" --help >"$WORK/help"; check_eq "--help" 0 "$?"
grep -q 'Usage: quarvin \[--border\] \[--no-feather\] \[--offset 0|1\] \[-o OUT.sh\] FRAME.tga' "$WORK/help" ||
  fail "--help shows the usage"

finish
