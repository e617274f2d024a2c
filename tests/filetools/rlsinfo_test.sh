#!/usr/bin/env bash
# rlsinfo end to end: on the sample files it says valid, in text and in
# --json; broken files give exit 1 with the reason and the byte offset.
# Needs PAINTSAMPLES, QUARVIN, PLIMSOR, DESSAMOR and RLSINFO.
set -euo pipefail
for tool in "$PAINTSAMPLES" "$QUARVIN" "$PLIMSOR" "$DESSAMOR" "$RLSINFO"; do
  [ -x "$tool" ] || { echo "missing $tool"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$PAINTSAMPLES" "$work" >/dev/null
cp "$(dirname "$0")/../../samples/pictures.txt" "$work/"
"$QUARVIN" -o "$work/wasp.sh" "$work/wasp00.tga" >/dev/null
"$QUARVIN" --offset 1 -o "$work/hornet.sh" "$work/hornet01.tga" >/dev/null
"$PLIMSOR" -o "$work/pictures.sh" "$work/pictures.txt" >/dev/null
printf ':Sample fleet\n:Lurching\nwasp\nhornet.sh\nwasp\npictures\n' > "$work/fleet.txt"
"$DESSAMOR" -o "$work/fleet.shp" "$work/fleet.txt" >/dev/null

for file in wasp.sh hornet.sh pictures.sh fleet.shp; do
  "$RLSINFO" "$work/$file" > "$work/out.txt"
  [ "$(tail -n 1 "$work/out.txt")" = "$work/$file: valid" ] || { cat "$work/out.txt"; exit 1; }
  "$RLSINFO" --json "$work/$file" > "$work/out.json"
  grep -q '"valid":true' "$work/out.json" || { cat "$work/out.json"; exit 1; }
  echo "$file: valid"
done
# A text cut short by a zero byte (as a family text holding a k once was
# written): the rest follows the last text and is noted. dessamor refuses
# such a text now, so the file is made by hand.
{ cat "$work/fleet.shp"; printf 'X\0'; } > "$work/cut.shp"
grep -q 'note: .* follow the last text' <(
  "$RLSINFO" "$work/cut.shp") || { echo "no note of the cut text"; exit 1; }

# Broken files, made from good ones.
head -c 100 "$work/wasp.sh" > "$work/short.sh"
cp "$work/wasp.sh" "$work/tail.sh" && printf 'xy' >> "$work/tail.sh"
cp "$work/fleet.shp" "$work/table.shp"
printf '\002' | dd of="$work/table.shp" bs=1 seek=7 conv=notrunc status=none
# The first edge record of sprite 0 gets level 7.
cp "$work/wasp.sh" "$work/level.sh"
runs=$(od -An -tu4 -j4 -N4 "$work/level.sh" | tr -d ' ')
printf '\007\000' | dd of="$work/level.sh" bs=1 seek=$((4 + 48 + 4 * runs + 4)) conv=notrunc status=none
size=$(wc -c < "$work/wasp.sh")

# file | reason | byte offset ("-" when none is named)
broken=(
  "short.sh|Unable to read file (sprite 0: the record needs 3660 bytes, the file holds 96 more)|4"
  "tail.sh|2 bytes follow the last record|$size"
  "table.shp|slot 1 names ray 2 before ray 1 appears|7"
  "level.sh|Bad edge level (sprite 0)|4"
  "fleet.txt|unknown magic 0x533A|0"
  "none.sh|cannot read the file|-"
)
for case in "${broken[@]}"; do
  IFS='|' read -r file reason offset <<<"$case"
  set +e
  "$RLSINFO" "$work/$file" > "$work/out.txt"
  code=$?
  "$RLSINFO" --json "$work/$file" > "$work/out.json"
  jcode=$?
  set -e
  [ "$code" -eq 1 ] && [ "$jcode" -eq 1 ] || { echo "$file: exit $code / $jcode"; exit 1; }
  line=$(tail -n 1 "$work/out.txt")
  case "$line" in
    "$work/$file: invalid: "*"$reason"*) ;;
    *) echo "$file: '$line'"; exit 1 ;;
  esac
  if [ "$offset" = - ]; then
    grep -q '"offset":null' "$work/out.json" || { echo "$file: an offset"; exit 1; }
  else
    [[ "$line" == *" at byte $offset" ]] || { echo "$file: '$line'"; exit 1; }
    grep -q "\"offset\":$offset,\"reason\"" "$work/out.json" || { cat "$work/out.json"; exit 1; }
  fi
  grep -q '"valid":false' "$work/out.json"
  echo "$file: invalid, $reason at byte $offset"
done

# Several files: each reported, exit 1 when one is invalid.
set +e
"$RLSINFO" "$work/wasp.sh" "$work/short.sh" "$work/fleet.shp" > "$work/out.txt"
code=$?
set -e
[ "$code" -eq 1 ] && [ "$(grep -c ': valid$' "$work/out.txt")" -eq 2 ] || { echo "several: exit $code"; exit 1; }
echo "several files reported"
