#!/usr/bin/env bash
# The preview end to end: the sample ship converted by quarvin and drawn in
# all four modes must match the golden picture pixel for pixel; a family is
# drawn and its texts printed; broken input ends with the loader's fatal text
# and exit code 1.
# Needs PAINTSAMPLES, QUARVIN, DESSAMOR, RLSPREVIEW, PNGSAME and GOLDEN.
# After a deliberate change of the sample art, the new golden picture is
#   rlspreview --holes --translucent --additive -o GOLDEN wasp.sh
set -euo pipefail
for tool in "$PAINTSAMPLES" "$QUARVIN" "$DESSAMOR" "$RLSPREVIEW" "$PNGSAME"; do
  [ -x "$tool" ] || { echo "missing $tool"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$PAINTSAMPLES" "$work" >/dev/null
"$QUARVIN" -o "$work/wasp.sh" "$work/wasp00.tga" >/dev/null
"$QUARVIN" --offset 1 -o "$work/hornet.sh" "$work/hornet01.tga" >/dev/null

"$RLSPREVIEW" --holes --translucent --additive -o "$work/wasp.png" "$work/wasp.sh" >/dev/null
"$PNGSAME" "$GOLDEN" "$work/wasp.png"
echo "sample ship matches the golden picture"

printf ':Two ships\nwasp\nhornet\n' > "$work/pair.txt"
"$DESSAMOR" -o "$work/pair.shp" "$work/pair.txt" >/dev/null
out=$("$RLSPREVIEW" -o "$work/pair.png" "$work/pair.shp")
grep -qx 'Two ships' <<<"$out" || { echo "family text not printed: $out"; exit 1; }
[ -s "$work/pair.png" ] || { echo "no family picture"; exit 1; }
echo "family drawn, texts printed"

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
