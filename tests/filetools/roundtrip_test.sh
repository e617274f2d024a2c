#!/usr/bin/env bash
# rlsunpack end to end on the sample art: each file is unpacked and made
# again by the program that made it, from what rlsunpack wrote; the result
# must be the same bytes. Then: nothing is replaced without --force.
# Needs PAINTSAMPLES, QUARVIN, PLIMSOR, DESSAMOR and RLSUNPACK.
set -euo pipefail
for tool in "$PAINTSAMPLES" "$QUARVIN" "$PLIMSOR" "$DESSAMOR" "$RLSUNPACK"; do
  [ -x "$tool" ] || { echo "missing $tool"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
art=$work/art
mkdir -p "$art" "$work/made"
"$PAINTSAMPLES" "$art" >/dev/null
cp "$(dirname "$0")/../../samples/pictures.txt" "$art/"
printf ':Wasp pair\n:Escort\nwasp\nhornet\nwasp\n' > "$work/made/pair.txt"

# name | how it is made | how it is made again from the unpacked folder U
cases=(
  "pictures|$PLIMSOR -o \$OUT $art/pictures.txt|$PLIMSOR -o \$OUT U/pictures.txt"
  "plain|$QUARVIN --no-feather -o \$OUT $art/wasp00.tga|$QUARVIN --no-feather -o \$OUT U/plain00.tga"
  "plainhornet|$QUARVIN --no-feather --offset 1 -o \$OUT $art/hornet01.tga|$QUARVIN --no-feather -o \$OUT U/plainhornet00.tga"
  # Feathered with alpha images, feathered without, outlined: quarvin with
  # Feather reads the alpha pictures rlsunpack wrote.
  "wasp|$QUARVIN -o \$OUT $art/wasp00.tga|$QUARVIN -o \$OUT U/wasp00.tga"
  "hornet|$QUARVIN --offset 1 -o \$OUT $art/hornet01.tga|$QUARVIN -o \$OUT U/hornet00.tga"
  "outlined|$QUARVIN --border -o \$OUT $art/wasp00.tga|$QUARVIN -o \$OUT U/outlined00.tga"
)
for case in "${cases[@]}"; do
  IFS='|' read -r name make remake <<<"$case"
  original=$work/made/$name.sh
  again=$work/again-$name.sh
  OUT=$original eval "$make" >/dev/null
  "$RLSUNPACK" -o "$work/$name" "$original" >/dev/null 2>"$work/$name.err"
  remake=${remake//U\//$work/$name/}
  OUT=$again eval "$remake" >/dev/null
  cmp "$original" "$again" || { echo "$name: not the same bytes"; cat "$work/$name.err"; exit 1; }
  echo "$name: same bytes"
done

# A family with two texts.
"$DESSAMOR" -o "$work/made/pair.shp" "$work/made/pair.txt" >/dev/null
"$RLSUNPACK" -o "$work/pair" "$work/made/pair.shp" >/dev/null 2>&1
cmp "$work/pair/pair_r0.sh" "$work/made/wasp.sh"
cmp "$work/pair/pair_r1.sh" "$work/made/hornet.sh"
"$DESSAMOR" -o "$work/again-pair.shp" "$work/pair/pair.txt" >/dev/null
cmp "$work/made/pair.shp" "$work/again-pair.shp"
echo "family: same bytes"

# No --force: one file that exists stops the whole run, nothing is written.
echo changed > "$work/pictures/pictures.txt"
rm "$work/pictures/pictures00.tga"
set +e
"$RLSUNPACK" -o "$work/pictures" "$work/made/pictures.sh" >/dev/null 2>"$work/force.err"
code=$?
set -e
[ "$code" -eq 1 ] || { echo "existing files: exit $code"; exit 1; }
grep -q 'exists' "$work/force.err" || { echo "no word of the existing file"; exit 1; }
[ "$(cat "$work/pictures/pictures.txt")" = changed ] || { echo "replaced without --force"; exit 1; }
[ ! -e "$work/pictures/pictures00.tga" ] || { echo "written without --force"; exit 1; }
"$RLSUNPACK" --force -o "$work/pictures" "$work/made/pictures.sh" >/dev/null 2>&1
[ -e "$work/pictures/pictures00.tga" ] && grep -q '^pictures00.tga$' "$work/pictures/pictures.txt"
echo "nothing replaced without --force"
