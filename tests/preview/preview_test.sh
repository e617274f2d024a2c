#!/usr/bin/env bash
# The preview end to end: the sample ship converted by quarvin and drawn in
# all four modes with both overlays, and a family of two ships with its
# caption and row labels, must match the golden pictures pixel for pixel;
# the ship's animation, decoded again, must show each sprite as the sheet
# does; broken input ends with the loader's fatal text and exit code 1.
# Needs RUN_LIB, PAINTSAMPLES, QUARVIN, DESSAMOR, RLSPREVIEW, PNGSAME,
# WEBPFRAMES and GOLDEN (the folder). After a deliberate change of the sample
# art or of the sheet, the new golden pictures are
#   rlspreview --holes --translucent --additive --hotspot --bounds -o GOLDEN/wasp.png wasp.sh
#   rlspreview -o GOLDEN/pair.png pair.shp
. "$RUN_LIB"
for program in PAINTSAMPLES QUARVIN DESSAMOR RLSPREVIEW PNGSAME WEBPFRAMES; do
  need_program "$program"
done
make_work_folder preview
work=$WORK

# run_ok WHAT COMMAND...: the command ends with exit code 0.
run_ok() {
  local what=$1
  shift
  run_captured "$@"
  check_eq "$what: exit code" 0 "$rc"
  [ "$rc" -eq 0 ] || printf '%s\n' "$err" | sed 's/^/    /'
}

begin_case "the sample ship matches the golden picture"
"$PAINTSAMPLES" "$work" >/dev/null || { fail "painting the samples failed"; finish; }
run_ok "quarvin (wasp)" "$QUARVIN" -o "$work/wasp.sh" "$work/wasp00.tga"
run_ok "quarvin (hornet)" "$QUARVIN" --offset 1 -o "$work/hornet.sh" "$work/hornet01.tga"
run_ok "rlspreview" "$RLSPREVIEW" --holes --translucent --additive --hotspot --bounds \
  -o "$work/wasp.png" "$work/wasp.sh"
check "the sheet matches $GOLDEN/wasp.png" "$PNGSAME" "$GOLDEN/wasp.png" "$work/wasp.png"

# The animation against the sheet of the same run, enlarged, at 10 frames a
# second; and the same frames at the default rate of 12.
begin_case "the animation's frames match the sheet"
run_ok "rlspreview --scale 2 --fps 10" "$RLSPREVIEW" --background 203040 --scale 2 --fps 10 \
  --animate "$work/wasp.webp" -o "$work/wasp2.png" "$work/wasp.sh"
check "frames at scale 2, 10 a second" \
  "$WEBPFRAMES" "$work/wasp.sh" "$work/wasp2.png" "$work/wasp.webp" 2 10
run_ok "rlspreview --animate" "$RLSPREVIEW" --background 203040 --animate "$work/wasp.webp" \
  -o "$work/wasp1.png" "$work/wasp.sh"
check "frames at scale 1, 12 a second" \
  "$WEBPFRAMES" "$work/wasp.sh" "$work/wasp1.png" "$work/wasp.webp" 1 12

begin_case "a family is drawn as the golden picture and its texts printed"
printf ':Two ships\nwasp\nhornet\n' > "$work/pair.txt"
run_ok "dessamor" "$DESSAMOR" -o "$work/pair.shp" "$work/pair.txt"
run_ok "rlspreview" "$RLSPREVIEW" -o "$work/pair.png" "$work/pair.shp"
grep -qx 'Two ships' <<<"$out" || fail "family text not printed: $out"
check "the sheet matches $GOLDEN/pair.png" "$PNGSAME" "$GOLDEN/pair.png" "$work/pair.png"

begin_case "usage errors are refused"
for usage in "--scale 9 $work/wasp.sh" "--scale 0 $work/wasp.sh" "--fps 0 $work/wasp.sh" \
             "--animate $work/pair.webp $work/pair.shp"; do
  # shellcheck disable=SC2086
  run_captured "$RLSPREVIEW" -o "$work/usage.png" $usage
  check_eq "$usage: exit code" 2 "$rc"
done
run_captured "$RLSPREVIEW" --bogus
check_eq "one line, then where help is" "rlspreview: unknown option --bogus
Try 'rlspreview --help' for more information." "$err"

head -c 100 "$work/wasp.sh" > "$work/short.sh"
for bad in "$work/short.sh:LoadRlsRay: Unable to read file" \
           "$work/pair.txt:LoadRlsRay: Not a RlsRay file"; do
  file=${bad%%:*}
  text=${bad#*:}
  begin_case "broken input $(basename "$file") is reported"
  run_captured "$RLSPREVIEW" -o "$work/bad.png" "$file"
  check_eq "exit code" 1 "$rc"
  check_eq "standard error" "Fatal Error: $text (reading $file)" "$err"
  check_missing "$work/bad.png"
done

begin_case "rays and families are told apart by their magic, not their names"
cp "$work/pair.shp" "$work/family-named.sh"
cp "$work/wasp.sh" "$work/ray-named.shp"
out=$("$RLSPREVIEW" -o "$work/renamed-family.png" "$work/family-named.sh")
grep -qx 'Two ships' <<<"$out" || fail "family under a .sh name not drawn as a family: $out"
"$RLSPREVIEW" --holes --translucent --additive --hotspot --bounds -o "$work/renamed-ray.png" \
  "$work/ray-named.shp" >/dev/null
"$PNGSAME" "$GOLDEN/wasp.png" "$work/renamed-ray.png" || fail "ray under a .shp name"

for missing in "$work/none.sh" "$work/wasp.sh.shp"; do
  begin_case "a missing input $(basename "$missing") is a usage error"
  run_captured "$RLSPREVIEW" -o "$work/bad.png" "$missing"
  check_eq "exit code" 2 "$rc"
  check_eq "standard error" "rlspreview: $missing: no such file
Try 'rlspreview --help' for more information." "$err"
done

finish
