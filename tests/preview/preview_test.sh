#!/usr/bin/env bash
# The preview end to end: the sample ship converted by quarvin and drawn in
# all four modes with both overlays, and a family of two ships with its
# caption and row labels, must match the golden pictures pixel for pixel;
# the ship's animation, decoded again, must show each sprite as the sheet
# does; broken input ends with the loader's fatal text and exit code 1.
# Needs PAINTSAMPLES, QUARVIN, DESSAMOR, RLSPREVIEW, PNGSAME, WEBPFRAMES and
# GOLDEN (the folder). After a deliberate change of the sample art or of the
# sheet, the new golden pictures are
#   rlspreview --holes --translucent --additive --hotspot --bounds -o GOLDEN/wasp.png wasp.sh
#   rlspreview -o GOLDEN/pair.png pair.shp
set -euo pipefail
for tool in "$PAINTSAMPLES" "$QUARVIN" "$DESSAMOR" "$RLSPREVIEW" "$PNGSAME" "$WEBPFRAMES"; do
  [ -x "$tool" ] || { echo "missing $tool"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$PAINTSAMPLES" "$work" >/dev/null
"$QUARVIN" -o "$work/wasp.sh" "$work/wasp00.tga" >/dev/null
"$QUARVIN" --offset 1 -o "$work/hornet.sh" "$work/hornet01.tga" >/dev/null

"$RLSPREVIEW" --holes --translucent --additive --hotspot --bounds -o "$work/wasp.png" \
  "$work/wasp.sh" >/dev/null
"$PNGSAME" "$GOLDEN/wasp.png" "$work/wasp.png"
echo "sample ship matches the golden picture"

# The animation against the sheet of the same run, enlarged, at 10 frames a
# second; and the same frames at the default rate of 12.
"$RLSPREVIEW" --background 203040 --scale 2 --fps 10 --animate "$work/wasp.webp" \
  -o "$work/wasp2.png" "$work/wasp.sh" >/dev/null
"$WEBPFRAMES" "$work/wasp.sh" "$work/wasp2.png" "$work/wasp.webp" 2 10
"$RLSPREVIEW" --background 203040 --animate "$work/wasp.webp" -o "$work/wasp1.png" \
  "$work/wasp.sh" >/dev/null
"$WEBPFRAMES" "$work/wasp.sh" "$work/wasp1.png" "$work/wasp.webp" 1 12
echo "animation frames match the sheet"

printf ':Two ships\nwasp\nhornet\n' > "$work/pair.txt"
"$DESSAMOR" -o "$work/pair.shp" "$work/pair.txt" >/dev/null
out=$("$RLSPREVIEW" -o "$work/pair.png" "$work/pair.shp")
grep -qx 'Two ships' <<<"$out" || { echo "family text not printed: $out"; exit 1; }
"$PNGSAME" "$GOLDEN/pair.png" "$work/pair.png"
echo "family drawn as the golden picture, texts printed"

for usage in "--scale 9 $work/wasp.sh" "--scale 0 $work/wasp.sh" "--fps 0 $work/wasp.sh" \
             "--animate $work/pair.webp $work/pair.shp"; do
  set +e
  # shellcheck disable=SC2086
  "$RLSPREVIEW" -o "$work/usage.png" $usage >/dev/null 2>&1
  code=$?
  set -e
  [ "$code" -eq 2 ] || { echo "$usage: exit $code, not a usage error"; exit 1; }
done
echo "usage errors refused"

head -c 100 "$work/wasp.sh" > "$work/short.sh"
for bad in "$work/short.sh:LoadRlsRay: Unable to read file" \
           "$work/pair.txt:LoadRlsRay: Not a RlsRay file" \
           "$work/none.sh:LoadRlsRay: Unable to open file" \
           "$work/wasp.sh.shp:RlsFamily: Unable to open file"; do
  file=${bad%%:*}
  text=${bad#*:}
  set +e
  err=$("$RLSPREVIEW" -o "$work/bad.png" "$file" 2>&1 >/dev/null)
  code=$?
  set -e
  [ "$code" -eq 1 ] || { echo "$file: exit $code"; exit 1; }
  [ "$err" = "Fatal Error: $text" ] || { echo "$file: '$err'"; exit 1; }
  [ ! -e "$work/bad.png" ] || { echo "$file: a picture was written"; exit 1; }
done
echo "broken input reported"
