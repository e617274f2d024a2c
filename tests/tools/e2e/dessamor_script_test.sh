# Dessamor through its script and batch front ends: titles, dialogs, cancels,
# the family file byte for byte, exit codes, remembered folders, and the
# previous output surviving a fatal error.
. "$RUN_LIB"
make_work_folder e2e
need_program DESSAMOR

TITLE="Create ship family (.shp) from a text list of .sh files"
RAY_A=01ae0000                # two small rays: none and one empty sprite
RAY_B=01ae0100$(printf '00%.0s' $(seq 48))

art=$WORK/art
mkdir -p "$art" "$WORK/out"
printf '\x01\xae\x00\x00' > "$art/raider_a.sh"
{ printf '\x01\xae\x01\x00'; head -c 48 /dev/zero; } > "$art/raider_b.sh"
printf '// pirate family\n:Raider\nraider_a\nraider_b.sh\nraider_a\n' > "$art/pirates.txt"
FAMILY=02ae06000100000100000000${RAY_A}${RAY_B}390a020f0e1900

begin_case "title at start, quit at the end of the script"
prog=$(install_program DESSAMOR "$WORK/p1")
out=$(printf 'quit\n' | "$prog" --script -); rc=$?
check_eq "exit code" 0 "$rc"
check_eq "transcript" "title $TITLE" "$out"

begin_case "Q quits; no other key acts after it"
out=$(printf 'key q\nkey I\n' | "$prog" --script -); rc=$?
check_eq "exit code" 0 "$rc"
check_eq "transcript" "title $TITLE" "$out"

begin_case "first run proposes the program folder; cancel at the list choice"
out=$(printf 'key X\ncancel\n' | "$prog" --script -); rc=$?
check_eq "exit code" 0 "$rc"
check_eq "transcript" "title $TITLE
dialog File To Read
proposed $WORK/p1/*.txt
filter Text containing list of .SH Files|*.txt
cancelled" "$out"
check_missing "$WORK/p1/indir.txt"
check_missing "$WORK/p1/outdir.txt"

begin_case "worked example, byte for byte"
out=$(printf 'key 7\nfile %s\nfile %s\nkey Q\n' "$art/pirates.txt" "$WORK/out/pirates.shp" |
      "$prog" --script -); rc=$?
check_eq "exit code" 0 "$rc"
check_eq "transcript" "title $TITLE
dialog File To Read
proposed $WORK/p1/*.txt
filter Text containing list of .SH Files|*.txt
chosen $art/pirates.txt
dialog File To Write
proposed $WORK/p1/pirates.shp
filter Ship Family Files|*.shp
chosen $WORK/out/pirates.shp
written $WORK/out/pirates.shp" "$out"
check_file_hex "$WORK/out/pirates.shp" "$FAMILY"
check_eq "indir.txt" "$art" "$(cat "$WORK/p1/indir.txt")"
check_eq "outdir.txt" "$WORK/out" "$(cat "$WORK/p1/outdir.txt")"
check_eq "indir.txt has no line end" "$(hex_of "$art")" "$(od -An -v -tx1 "$WORK/p1/indir.txt" | tr -d ' \n')"
check_no_temporaries "$WORK/out"
check_no_temporaries "$WORK/p1"

begin_case "the next run starts in the remembered folders; the same folder is not written again"
inode_before=$(stat -c %i "$WORK/p1/indir.txt")
out=$(printf 'key I\nfile %s\ncancel\n' "$art/pirates.txt" | "$prog" --script - 2>"$WORK/err"); rc=$?
check_eq "exit code" 1 "$rc"
check_eq "transcript" "title $TITLE
dialog File To Read
proposed $art/*.txt
filter Text containing list of .SH Files|*.txt
chosen $art/pirates.txt
dialog File To Write
proposed $WORK/out/pirates.shp
filter Ship Family Files|*.shp
cancelled
fatal You must provide a file to output to!" "$out"
check_eq "stderr" "Fatal Error: You must provide a file to output to!" "$(cat "$WORK/err")"
check_eq "indir.txt not rewritten" "$inode_before" "$(stat -c %i "$WORK/p1/indir.txt")"
check_file_hex "$WORK/out/pirates.shp" "$FAMILY"

begin_case "a folder differing only in case is written"
mkdir -p "$WORK/ART"
cp "$art"/* "$WORK/ART/"
out=$(printf 'key I\nfile %s\nfile %s\n' "$WORK/ART/pirates.txt" "$WORK/out/upper.shp" | "$prog" --script -); rc=$?
check_eq "exit code" 0 "$rc"
check_eq "indir.txt" "$WORK/ART" "$(cat "$WORK/p1/indir.txt")"
check_file_hex "$WORK/out/upper.shp" "$FAMILY"

begin_case "a refused answer keeps the dialog open"
out=$(printf 'key I\nfile %s\nfile %s\ncancel\n' "$art/nothing.txt" "$art/pirates.txt" |
      "$prog" --script - 2>/dev/null); rc=$?
check_eq "exit code" 1 "$rc"
check_eq "refusal" "refused $art/nothing.txt: no such file" "$(echo "$out" | grep '^refused')"
check_eq "then chosen" "chosen $art/pirates.txt" "$(echo "$out" | grep '^chosen')"

begin_case "a fatal error leaves the previous family file untouched"
printf 'OLD FAMILY' > "$WORK/out/broken.shp"
printf 'raider_a\nmissing_ray\n' > "$art/broken.txt"
out=$(printf 'key I\nfile %s\nfile %s\n' "$art/broken.txt" "$WORK/out/broken.shp" | "$prog" --script - 2>"$WORK/err"); rc=$?
check_eq "exit code" 1 "$rc"
check_eq "stderr" "Fatal Error: File $art/missing_ray.sh listed in $art/broken.txt cannot be opened" "$(cat "$WORK/err")"
check_eq "old file" "OLD FAMILY" "$(cat "$WORK/out/broken.shp")"
check_no_temporaries "$WORK/out"

begin_case "a listed file that is not a ray is refused before anything is written"
cp "$art/pirates.txt" "$art/copy.txt"
"$prog" -o "$WORK/out/pirates.shp" "$art/pirates.txt" >/dev/null
"$prog" -o "$art/family.sh" "$art/copy.txt" >/dev/null
printf 'OLD FAMILY' > "$WORK/out/broken.shp"
head -c 40 "$art/raider_b.sh" > "$art/short.sh"
for bad in "family.sh:LoadRlsRay: Not a RlsRay file" \
           "short.sh:LoadRlsRay: Unable to read file"; do
  file=$art/${bad%%:*}
  text=${bad#*:}
  printf 'raider_a\n%s\n' "${bad%%:*}" > "$art/bad.txt"
  "$prog" -o "$WORK/out/broken.shp" "$art/bad.txt" >/dev/null 2>"$WORK/err"; rc=$?
  check_eq "exit code" 1 "$rc"
  check_eq "stderr" "Fatal Error: $text: $file, listed on $art/bad.txt line 2, is not a ray file (.sh) a family can hold; list the .sh files Quarvin or Plimsor wrote" "$(cat "$WORK/err")"
  check_eq "old file" "OLD FAMILY" "$(cat "$WORK/out/broken.shp")"
done
check_no_temporaries "$WORK/out"

begin_case "a family text holding a lower-case k is refused"
printf ':Hawk\nraider_a\n' > "$art/hawk.txt"
"$prog" -o "$WORK/out/broken.shp" "$art/hawk.txt" >/dev/null 2>"$WORK/err"; rc=$?
check_eq "exit code" 1 "$rc"
check_eq "stderr" "Fatal Error: Family text \"Hawk\" on $art/hawk.txt line 1 holds a lower-case k, the byte a family file masks its texts with: it would be stored as a zero byte, which ends the text there and shifts every later text; write the text without a lower-case k (K is fine)" "$(cat "$WORK/err")"
check_eq "old file" "OLD FAMILY" "$(cat "$WORK/out/broken.shp")"

begin_case "an output that names an input is refused"
"$prog" -o "$art/raider_a.sh" "$art/pirates.txt" >/dev/null 2>"$WORK/err"; rc=$?
check_eq "batch exit code" 2 "$rc"
check_eq "batch stderr" "dessamor: $art/raider_a.sh: this run reads that file; choose another name for what it writes" "$(cat "$WORK/err")"
check_file_hex "$art/raider_a.sh" "$RAY_A"
out=$(printf 'key I\nfile %s\nfile %s\nfile %s\n' "$art/pirates.txt" "$art/pirates.txt" "$WORK/out/pirates.shp" |
      "$prog" --script -); rc=$?
check_eq "script exit code" 0 "$rc"
check_eq "script refusal" "refused $art/pirates.txt: this run reads that file; choose another name for what it writes" "$(echo "$out" | grep '^refused')"
check_eq "then written" "written $WORK/out/pirates.shp" "$(echo "$out" | grep '^written')"

begin_case "what the list leaves out is said on standard error"
{ for i in 1 2 3 4 5 6 7 8 9 10 11; do printf ':T%s\n' "$i"; done
  printf 'raider_a\nraider_b\nraider_a\nraider_a\nraider_a\nraider_a\nextra\n'; } > "$art/long.txt"
"$prog" -o "$WORK/out/long.shp" "$art/long.txt" >/dev/null 2>"$WORK/err"; rc=$?
check_eq "exit code" 0 "$rc"
check_eq "stderr" "Warning: $art/long.txt line 11: the text \"T11\" is left out; a family holds at most 10 texts
Warning: $art/long.txt line 18: extra is left out; a family holds at most 6 .sh files" "$(cat "$WORK/err")"

begin_case "a list without file names is refused by name"
printf '// only texts\n:Raider\n\n' > "$art/empty.txt"
"$prog" --script - >/dev/null 2>"$WORK/err" <<<"key I
file $art/empty.txt"; rc=$?
check_eq "exit code" 1 "$rc"
check_eq "stderr" "Fatal Error: The list $art/empty.txt names no .sh file" "$(cat "$WORK/err")"

begin_case "a script file with comments, blank lines and CR LF line ends"
printf '# build the pirates\r\n\r\nkey 13\r\n  file %s\r\nfile %s\r\nquit\r\nkey I\r\n' \
  "$art/pirates.txt" "$WORK/out/from-file.shp" > "$WORK/session.txt"
out=$("$prog" --script "$WORK/session.txt"); rc=$?
check_eq "exit code" 0 "$rc"
check_eq "written" "written $WORK/out/from-file.shp" "$(echo "$out" | grep '^written')"
check_file_hex "$WORK/out/from-file.shp" "$FAMILY"

begin_case "script errors are usage errors"
printf 'key I\nkey I\n' | "$prog" --script - >/dev/null 2>"$WORK/err"; rc=$?
check_eq "exit code" 2 "$rc"
check_eq "stderr" 'dessamor: script line 2: a dialog is open: expected "file PATH" or "cancel"' "$(cat "$WORK/err")"
printf 'press I\n' | "$prog" --script - >/dev/null 2>"$WORK/err"; rc=$?
check_eq "unknown command" 2 "$rc"
"$prog" --script "$WORK/no-such-script" >/dev/null 2>&1; rc=$?
check_eq "missing script" 2 "$rc"

begin_case "a hand-edited indir.txt ending in a line end shows in the proposed path"
prog=$(install_program DESSAMOR "$WORK/p3")
printf '%s\n' "$art" > "$WORK/p3/indir.txt"
out=$(printf 'key I\ncancel\n' | "$prog" --script -); rc=$?
check_eq "exit code" 0 "$rc"
check_eq "proposed" "proposed $art\\n/*.txt" "$(echo "$out" | grep '^proposed')"

begin_case "a program folder whose files cannot be written: the folders are kept for the run"
prog=$(install_program DESSAMOR "$WORK/p4")
mkdir "$WORK/p4/indir.txt" "$WORK/p4/outdir.txt"
out=$(printf 'key I\nfile %s\nfile %s\nkey I\nfile %s\ncancel\n' "$art/pirates.txt" "$WORK/out/p4.shp" \
      "$art/pirates.txt" | "$prog" --script - 2>/dev/null); rc=$?
check_eq "exit code" 1 "$rc"
check_file_hex "$WORK/out/p4.shp" "$FAMILY"
check_eq "second list choice starts in the list's folder" "proposed $art/*.txt" \
  "$(echo "$out" | grep '^proposed' | sed -n 3p)"
check_eq "second output choice starts in the output folder" "proposed $WORK/out/pirates.shp" \
  "$(echo "$out" | grep '^proposed' | sed -n 4p)"
check_no_temporaries "$WORK/p4"

begin_case "a program path longer than 255 characters is refused by name"
deep=$WORK/$(printf 'd%.0s' $(seq 150))/$(printf 'e%.0s' $(seq 100))
prog=$(install_program DESSAMOR "$deep")
"$prog" --script - </dev/null >/dev/null 2>"$WORK/err"; rc=$?
check_eq "exit code" 1 "$rc"
check_eq "stderr" "Fatal Error: Path longer than 255 characters: $prog" "$(cat "$WORK/err")"

begin_case "batch: positional list, -o, the written path on stdout"
prog=$(install_program DESSAMOR "$WORK/p2")
(cd "$WORK" && "$prog" -o out/batch.shp art/pirates.txt) > "$WORK/stdout"; rc=$?
check_eq "exit code" 0 "$rc"
check_eq "stdout" "$WORK/out/batch.shp" "$(cat "$WORK/stdout")"
check_file_hex "$WORK/out/batch.shp" "$FAMILY"
check_eq "indir.txt" "$art" "$(cat "$WORK/p2/indir.txt")"
check_eq "outdir.txt" "$WORK/out" "$(cat "$WORK/p2/outdir.txt")"

begin_case "batch without -o accepts the proposed path and replaces it"
printf 'OLD' > "$WORK/out/pirates.shp"
out=$("$prog" "$art/pirates.txt"); rc=$?
check_eq "exit code" 0 "$rc"
check_eq "stdout" "$WORK/out/pirates.shp" "$out"
check_file_hex "$WORK/out/pirates.shp" "$FAMILY"

begin_case "batch exit codes"
"$prog" >/dev/null 2>&1 </dev/null; check_eq "no arguments, no terminal" 2 "$?"
"$prog" --frobnicate "$art/pirates.txt" >/dev/null 2>&1; check_eq "unknown option" 2 "$?"
"$prog" -o "$WORK/out/x.shp" >/dev/null 2>&1; check_eq "-o without a list" 2 "$?"
"$prog" "$art/a.txt" "$art/b.txt" >/dev/null 2>&1; check_eq "two lists" 2 "$?"
"$prog" "$art/nothing.txt" >/dev/null 2>"$WORK/err"; check_eq "missing list" 2 "$?"
check_eq "missing list text" "dessamor: $art/nothing.txt: no such file" "$(cat "$WORK/err")"
"$prog" -o "$WORK/nowhere/x.shp" "$art/pirates.txt" >/dev/null 2>&1; check_eq "missing output folder" 2 "$?"
"$prog" "$art/broken.txt" >/dev/null 2>&1; check_eq "fatal" 1 "$?"
"$prog" --help >"$WORK/help"; check_eq "--help" 0 "$?"
grep -q 'Usage: dessamor \[-o OUT.shp\] LIST.txt' "$WORK/help" || fail "--help shows the usage"
check_eq "--version" "dessamor" "$("$prog" --version | cut -d' ' -f1)"

finish
