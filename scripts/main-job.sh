#!/usr/bin/env bash
# The main job on the bundled sample art: builds everything (release preset),
# paints the sample art into build/sample-run/art, converts it with the three
# programs in batch mode into build/sample-run/out, and prints what was
# written. Installs missing Debian packages first when run as root.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh build
cmake --preset release >/dev/null
cmake --build --preset release

bin=build/release
run=build/sample-run
art=$run/art
out=$run/out
rm -rf "$run"
mkdir -p "$art" "$out"

echo "== painting the sample art into $art =="
painted=$("$bin/samples/paintsamples" "$art" | wc -l)
cp samples/pictures.txt "$art/"
cp samples/fleet.txt "$out/"
echo "$painted images, and the lists pictures.txt and fleet.txt"

echo "== converting =="
# The wasp's frames are numbered 00 to 15 and have alpha images (a_wasp00.tga
# ...); the hornet's are numbered 01 to 16 and have none.
"$bin/UTILS/QUARVIN/quarvin" -o "$out/wasp.sh" "$art/wasp00.tga"
"$bin/UTILS/QUARVIN/quarvin" --offset 1 -o "$out/hornet.sh" "$art/hornet01.tga"
"$bin/UTILS/QUARVIN/quarvin" --border -o "$out/wasp-outlined.sh" "$art/wasp00.tga"
"$bin/UTILS/PLIMSOR/plimsor" -o "$out/pictures.sh" "$art/pictures.txt"
# The family's list names the .sh files just written beside it.
"$bin/UTILS/DESSAMOR/dessamor" -o "$out/fleet.shp" "$out/fleet.txt"

echo "== preview =="
# A picture of the sample ship's 16 frames, as the library draws them, and
# the ship turning, as an animated WebP.
"$bin/UTILS/rlspreview/rlspreview" --scale 2 --animate "$out/wasp.webp" -o "$out/wasp.png" \
  "$out/wasp.sh"

echo "== inside the family =="
"$bin/UTILS/rlsinfo/rlsinfo" "$out/fleet.shp" > "$out/fleet-info.txt"
head -n 4 "$out/fleet-info.txt"

echo "== written =="
ls -l "$out"
