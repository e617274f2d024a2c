# The library's side of the installed package, sourced by check.sh once the
# prefix is installed, the sample sprites converted ($assets/sprites) and
# PKG_CONFIG_PATH set; uses its $work, $prefix, $build, $source_dir and fail.
#   - vantrel(3): renders without a warning, names every call of the safe
#     face's headers, and every file it points to is installed;
#   - the guide's first program, copied out of the installed library.md,
#     builds with pkg-config and prints what the guide says it prints;
#   - examples/robust-loading, built against the prefix, on the sample
#     sprites and broken ones: each broken asset is listed with its reason
#     and offset and drawn as a placeholder, and both views come out the same
#     drawn on two threads or one, loaded from memory or through reader
#     callbacks, packed in memory or read back from a pack file.

echo "== vantrel(3) =="
page=$prefix/share/man/man3/vantrel.3
warnings=$(groff -ww -man -Tutf8 -P-cbou "$page" 2>&1 >"$work/vantrel.3.txt") ||
  fail "groff cannot show vantrel(3)"

[ -z "$warnings" ] || fail "vantrel(3) has roff warnings: $warnings"
grep -q '^NAME' "$work/vantrel.3.txt" || fail "vantrel(3) has no NAME section"
# Every function of the safe face's headers, as declared there.
calls=$(sed -n '/^namespace vantrel/,/^}  \/\/ namespace vantrel/p' "$prefix"/include/Vantrel/{TryLoad,Canvas}.h |
  grep -oE '^[A-Za-z][^(=/]* [*&]*([A-Z][A-Za-z0-9]*)\(' | grep -oE '[A-Z][A-Za-z0-9]*\($' |
  tr -d '(' | sort -u)
[ "$(wc -w <<<"$calls")" -ge 7 ] || fail "the safe face's calls were not found: $calls"
for call in $calls; do
  grep -q "vantrel::$call\b" "$work/vantrel.3.txt" || fail "vantrel(3) does not name vantrel::$call"
done
for file in $(sed -n 's/^\.I \(share\/[^ ]*\|include\/[^ ]*\)$/\1/p' "$page"); do
  [ -e "$prefix/$file" ] || fail "vantrel(3) points to $file, which is not installed"
done
echo "vantrel(3) names $(wc -w <<<"$calls") calls; the files it points to are installed"

echo "== the guide's first program =="
guide=$prefix/share/doc/vantrel/docs/library.md
first=$work/first-game
mkdir -p "$first"
sed -n '/^## A first program/,/^## /p' "$guide" | sed -n '/^```cpp$/,/^```$/p' | sed '1d;$d' \
  >"$first/first-game.cpp"
[ -s "$first/first-game.cpp" ] || fail "no first program in the installed library.md"
g++ -std=c++20 -Wall -Wextra -Wpedantic -Werror "$first/first-game.cpp" \
  $(pkg-config --cflags --libs vantrel) -o "$first/first-game" >"$work/log" 2>&1 ||
  { cat "$work/log"; fail "the guide's first program does not build"; }
cp "$assets/sprites/wasp.sh" "$first/wasp.sh"
head -c 3000 "$first/wasp.sh" >"$first/cut.sh"
for file in wasp.sh cut.sh; do
  said=$(sed -n "s|^    \./first-game $file *# ||p" "$guide")
  got=$(cd "$first" && ./first-game "$file") || fail "the first program failed on $file"
  [ "$got" = "$said" ] || fail "the first program prints '$got' for $file; the guide says '$said'"
done
echo "builds with pkg-config and prints what the guide says"

echo "== robust-loading against the prefix =="
cmake -S "$source_dir/examples/robust-loading" -B "$work/robust-loading" -G Ninja \
  -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS="-Wall -Wextra -Wpedantic -Werror" >"$work/log" 2>&1 ||
  { cat "$work/log"; fail "robust-loading does not configure"; }
cmake --build "$work/robust-loading" >"$work/log" 2>&1 ||
  { cat "$work/log"; fail "robust-loading does not build"; }
game=$work/robust-loading/robust-loading
broken=$work/broken
mkdir -p "$broken"
# Cut inside the third record's data: refused at that record, whose offset
# the installed rlsinfo tells.
third=$("$prefix/bin/rlsinfo" --json "$assets/sprites/wasp.sh" |
  /usr/bin/python3 -c 'import json, sys; print(json.load(sys.stdin)["ray"]["sprites"][2]["offset"])')
head -c $((third + 60)) "$assets/sprites/wasp.sh" >"$broken/cut.sh"
printf 'not a sprite file\n' >"$broken/notes.sh"
cp "$assets/sprites/fleet.shp" "$broken/fleet-as-ray.sh"
: >"$broken/empty.shp"
printf 'hello\n' >"$broken/readme.txt"
inputs=("$assets/sprites" "$broken/cut.sh" "$broken/notes.sh" "$broken/fleet-as-ray.sh"
        "$broken/empty.shp" "$broken/readme.txt")
run_game() {  # NAME ARGS...: output in $work/NAME.out, views in $work/NAME1.ppm, NAME2.ppm
  local name=$1
  shift
  "$game" --ppm "$work/$name" "$@" >"$work/$name.out" 2>&1 ||
    { cat "$work/$name.out"; fail "robust-loading $name ended with $?"; }
}
run_game threads --write-pack "$work/game.pak" "${inputs[@]}"
expected_lines=(
  "cut.sh: placeholder: LoadRLSprite: Unable to read file (pack entry cut.sh, byte $third)"
  "notes.sh: placeholder: LoadRlsRay: Not a RlsRay file (pack entry notes.sh, byte 0)"
  "fleet-as-ray.sh: placeholder: LoadRlsRay: Not a RlsRay file (pack entry fleet-as-ray.sh, byte 0)"
  "empty.shp: placeholder: RlsFamilyLoad: Unable to read file (pack entry empty.shp, byte 0)"
  "readme.txt: placeholder: not a .sh or .shp file (pack entry readme.txt)"
  "wasp.sh: ray of 16 sprites"
  'fleet.shp: family of 6 slots, 6 filled; "Sample fleet", "Wasp escorts, hornet leader"')
for line in "${expected_lines[@]}"; do
  grep -qxF "$line" "$work/threads.out" || { cat "$work/threads.out"; fail "robust-loading did not say: $line"; }
done
# The placeholders are in the pictures: in the first view, asset k's cell is
# column k mod 4, row k div 4, 64 pixels square; a placeholder is the
# checkered 32 x 32 square at its centre, magenta and black only.
/usr/bin/python3 - "$work/threads.out" "$work/threads1.ppm" <<'PY' || fail "robust-loading's placeholders are not drawn as listed"
import sys
from PIL import Image
listed = [l for l in open(sys.argv[1]).read().splitlines()
          if ": " in l and not l.startswith(("pack:", "view "))]
view = Image.open(sys.argv[2]).convert("RGB")
checked = 0
for k, line in enumerate(listed):
    cx, cy = (k % 4) * 64 + 32, (k // 4) * 64 + 32
    if cy + 16 > view.height:
        continue
    square = {view.getpixel((x, y)) for x in range(cx - 16, cx + 16) for y in range(cy - 16, cy + 16)}
    placeholder = square == {(248, 0, 248), (0, 0, 0)}
    if placeholder != (": placeholder: " in line):
        sys.exit(f"cell {k} ({line}): placeholder drawn: {placeholder}")
    checked += 1
if checked < 8:
    sys.exit(f"only {checked} cells checked")
PY
# The same pixels and the same list whichever way the views are drawn and
# the bytes arrive.
run_game one-thread --one-thread "${inputs[@]}"
run_game reader --reader "${inputs[@]}"
run_game pack-file "$work/game.pak"
for other in one-thread reader pack-file; do
  cmp -s "$work/threads.out" "$work/$other.out" ||
    { diff "$work/threads.out" "$work/$other.out"; fail "robust-loading $other lists otherwise"; }
  for v in 1 2; do
    cmp -s "$work/threads$v.ppm" "$work/$other$v.ppm" || fail "robust-loading $other draws view $v otherwise"
  done
done
# A damaged pack: what comes before the damage loads, the rest is a placeholder.
head -c $(($(stat -c %s "$work/game.pak") - 3)) "$work/game.pak" >"$work/cut.pak"
run_game cut-pack "$work/cut.pak"
grep -qx 'fleet.shp: family of 6 slots.*' "$work/cut-pack.out" || fail "the cut pack's first entry did not load"
grep -q '^(the rest of the pack): placeholder: entry 10 of 10 (readme.txt): the pack ends inside its data (pack, byte [0-9]*)$' \
  "$work/cut-pack.out" || { cat "$work/cut-pack.out"; fail "the cut pack's damage is not listed"; }
echo "placeholders listed with their reasons and drawn; two threads, one thread, reader and pack file agree"
