#!/usr/bin/env bash
# The installed package as its users meet it. Installs a built tree into a
# temporary prefix and checks:
#   - the installed files (programs, library, public headers only, CMake
#     package, pkg-config file, man pages, documents, the API reference where
#     the build made it) and every --version;
#   - examples/asset-pipeline, built against the prefix alone: converts the
#     sample art, a second build converts nothing, a touched frame, alpha
#     image or picture reconverts only what reads it;
#   - the asset functions depend on what the programs read (lists read as
#     the programs read them, a ship's PNG frames and alpha images, an alpha
#     image that appears later);
#   - the README's three vantrel_add_* lines, pasted as they stand into a new
#     project, convert its art, and a build prints nothing but its progress;
#   - a build leaves the remembered folders alone; a program installed in a
#     read-only prefix, run by an ordinary user, keeps them in the state folder;
#   - examples/draw-ship, built against the prefix, drawn headless: its last
#     frame matches golden/draw-ship.png pixel for pixel; the same program built
#     with `pkg-config --cflags --libs vantrel` draws the same picture;
#   - vantrel(3), the library guide's first program and
#     examples/robust-loading (tests/install/library.sh);

#   - `cpack -G DEB` and `cpack -G TGZ`: the .deb holds the programs, man
#     pages, library and package files and depends on libpng but not GTK;
#     the desktop window module is in vantrel-desktop, which depends on GTK 3
#     and which vantrel recommends; unpacked, the .deb builds draw-ship; the
#     unpacked .tar.gz is found through pkg-config.
# Usage: tests/install/check.sh [BUILD_DIR]   (default build/release, built)
# After a deliberate change of the sample art or the drawing, the golden is
#   draw-ship --frames 20 --png tests/install/golden/draw-ship.png wasp.sh
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$source_dir/build/release}" && pwd)
golden=$source_dir/tests/install/golden/draw-ship.png
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "install check: $*" >&2; exit 1; }

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || fail "no project version in $build/CMakeCache.txt"

echo "== installing into a temporary prefix =="
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
programs=(quarvin plimsor dessamor rlspreview rlsinfo rlsunpack)
expected=(lib/libVantrel.a include/Vantrel/Rls.h include/Vantrel/RLSpriteDraw.h
          include/Vantrel/Version.h lib/cmake/Vantrel/VantrelConfig.cmake
          lib/cmake/Vantrel/VantrelConfigVersion.cmake lib/cmake/Vantrel/VantrelTargets.cmake
          lib/cmake/Vantrel/VantrelAssets.cmake lib/pkgconfig/vantrel.pc
          share/doc/vantrel/README.md share/doc/vantrel/LICENSE
          share/doc/vantrel/docs/artists-guide.md share/doc/vantrel/docs/file-formats.md
          share/doc/vantrel/docs/library.md share/doc/vantrel/docs/wasp.webp
          share/man/man3/vantrel.3)
# The API reference, where the build made it (doxygen installed; CI has it).
if [ -f "$build/api/complete.stamp" ]; then
  expected+=(share/doc/vantrel/api/index.html share/doc/vantrel/api/Canvas_8h.html)
fi
for program in "${programs[@]}"; do
  expected+=("bin/$program" "share/man/man1/$program.1")
done
for file in "${expected[@]}"; do
  [ -f "$prefix/$file" ] || fail "not installed: $file"
done
# Every file the installed README links to or shows is installed beside it.
for link in $(grep -o '](docs/[^)#]*' "$prefix/share/doc/vantrel/README.md" | cut -c3- | sort -u); do
  [ -f "$prefix/share/doc/vantrel/$link" ] || fail "the installed README links to $link, not installed"
done
# The private headers stay with the sources.
for private in "$source_dir"/Vantrel/src/*.h; do
  [ ! -e "$prefix/include/Vantrel/$(basename "$private")" ] || fail "private header installed: $private"
done
for program in "$prefix"/bin/*; do
  name=$(basename "$program")
  [ "$("$program" --version)" = "$name $version" ] || fail "$name --version: $("$program" --version)"
  # The man page is made from --help, which must tell the exit codes.
  "$program" --help | grep -q '^Exit codes: ' || fail "$name --help does not tell its exit codes"
  # Every usage form of --help is in the page's SYNOPSIS, none in its text.
  forms=$("$program" --help | grep -cE "^(Usage: |       )$name( |\$)")
  synopsis=$(sed -n '/^\.SH SYNOPSIS/,/^\.SH DESCRIPTION/p' "$prefix/share/man/man1/$name.1")
  [ "$(grep -cx "\.B $name" <<<"$synopsis")" = "$forms" ] ||
    fail "$name.1: the SYNOPSIS does not hold the $forms usage forms of --help"
done
echo "installed files, versions and exit codes in --help as expected ($version)"

echo "== asset-pipeline against the prefix =="
cp -r "$source_dir/examples/asset-pipeline" "$work/asset-pipeline"
art=$work/asset-pipeline/art
"$build/samples/paintsamples" "$art" >/dev/null
assets=$work/assets
cmake -S "$work/asset-pipeline" -B "$assets" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_BUILD_TYPE=Release >"$work/log" 2>&1 ||
  { cat "$work/log"; fail "asset-pipeline does not configure"; }
cmake --build "$assets" >"$work/log" 2>&1 || { cat "$work/log"; fail "asset-pipeline does not build"; }
# The outputs a build converted, by file name, sorted, comma-separated.
conversions() {
  grep -E '^\[[0-9]+/[0-9]+\] (Converting|Building family)' "$1" | sed -E 's/.* into (.*)$/\1/' |
    xargs -r -n1 basename | sort | tr '\n' ','
}
[ "$(conversions "$work/log")" = "fleet.shp,hornet.sh,pictures.sh,wasp-outlined.sh,wasp.sh," ] ||
  { cat "$work/log"; fail "the first build did not convert all five"; }
"$assets/fleet-info" "$assets/sprites/fleet.shp" >"$work/fleet" || fail "fleet-info cannot read the family"
grep -qx 'Sample fleet' "$work/fleet" || fail "family text missing: $(cat "$work/fleet")"
cmake --build "$assets" >"$work/log" 2>&1
[ -z "$(conversions "$work/log")" ] || { cat "$work/log"; fail "the second build converted again"; }
# A touched input reconverts what reads it, and the family that holds it.
touch_and_expect() {  # BUILD FILE EXPECTED
  touch "$2"
  cmake --build "$1" >"$work/log" 2>&1 || { cat "$work/log"; fail "rebuild after touching $2"; }
  [ "$(conversions "$work/log")" = "$3" ] ||
    { cat "$work/log"; fail "touching $2 converted '$(conversions "$work/log")', not '$3'"; }
}
touch_and_expect "$assets" "$art/a_wasp07.tga" "fleet.shp,wasp.sh,"
touch_and_expect "$assets" "$art/wasp15.tga" "fleet.shp,wasp-outlined.sh,wasp.sh,"
touch_and_expect "$assets" "$art/hornet16.tga" "fleet.shp,hornet.sh,"
touch_and_expect "$assets" "$art/crate.tga" "fleet.shp,pictures.sh,"
echo "converted once, nothing the second time, only what reads a touched file"

echo "== what the asset functions depend on: lists, alpha images =="
# Every rule of the list reader at once: the build succeeds only if no name
# the programs drop became a dependency, and a touched file reconverts only
# what reads it.
mkdir -p "$art/sub"
cp "$art/star.tga" "$art/sub/star.tga"
{
  printf '// pictures: CRLF line ends, a blank line\r\nrock\r\n\r\n'
  # 255 bytes of comment; the rest of the line is the next line: asteroid
  printf '//%s%s\n' "$(printf 'x%.0s' $(seq 253))" asteroid
  printf 'sub/star\ncrate.tga\n'
  for _ in $(seq 60); do printf 'rock\n'; done
  printf 'no-such-picture\n'  # the 65th name: dropped
} >"$art/odd-pictures.txt"
printf ':Odd family\r\nwasp\r\n//hornet\nhornet.sh\n:Second text\nwasp\npictures\nhornet\nwasp\nno-such-ray\n' \
  >"$assets/sprites/odd-family.txt"  # the seventh name is dropped
late=$work/late-art  # a ship without alpha images, for now
mkdir "$late"
for n in $(seq -w 0 15); do cp "$art/wasp$n.tga" "$late/late$n.tga"; done
# The wasp saved as PNG by Pillow, names ending in .PNG: frames and alpha
# images are looked for with the extension as written, as quarvin does.
png_art=$work/png-art
mkdir "$png_art"
/usr/bin/python3 - "$art" "$png_art" <<'PY' || fail "no PNG art (python3-pil; scripts/deps.sh installs it)"
import glob, os, sys
from PIL import Image
for path in glob.glob(os.path.join(sys.argv[1], "*wasp[0-9][0-9].tga")):
    picture = Image.open(path)
    picture = picture if picture.mode in ("L", "RGB") else picture.convert("RGB")
    picture.save(os.path.join(sys.argv[2], os.path.basename(path)[:-4] + ".PNG"))
PY
lists=$work/lists
cmake -S "$source_dir/tests/install/lists" -B "$lists" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
  -DART_DIR="$art" -DSPRITES_DIR="$assets/sprites" -DLATE_DIR="$late" -DPNG_DIR="$png_art" \
  >"$work/log" 2>&1 ||
  { cat "$work/log"; fail "the list project does not configure"; }
cmake --build "$lists" >"$work/log" 2>&1 || { cat "$work/log"; fail "the list project does not build"; }
[ "$(conversions "$work/log")" = "late.sh,odd-family.shp,odd-pictures.sh,plain-wasp.sh,png-wasp.sh," ] ||
  { cat "$work/log"; fail "the list project converted '$(conversions "$work/log")'"; }
cmp -s "$lists/png-wasp.sh" "$assets/sprites/wasp.sh" || fail "the PNG wasp differs from the TGA one"
[ "$(od -An -tu2 -j2 -N2 "$lists/odd-pictures.sh" | tr -d ' ')" = 64 ] ||
  fail "odd-pictures.sh does not hold 64 sprites"
"$assets/fleet-info" "$lists/odd-family.shp" >"$work/odd"
[ "$(head -2 "$work/odd" | tr '\n' ',')" = "Odd family,Second text," ] ||
  fail "odd family texts: $(cat "$work/odd")"
touch_and_expect "$lists" "$art/asteroid.tga" "odd-pictures.sh,"
touch_and_expect "$lists" "$art/sub/star.tga" "odd-pictures.sh,"
touch_and_expect "$lists" "$assets/sprites/pictures.sh" "odd-family.shp,"
touch_and_expect "$lists" "$art/planet.tga" ""
touch_and_expect "$lists" "$art/a_wasp03.tga" ""
touch_and_expect "$lists" "$art/wasp03.tga" "plain-wasp.sh,"
touch_and_expect "$lists" "$png_art/wasp09.PNG" "png-wasp.sh,"
touch_and_expect "$lists" "$png_art/a_wasp09.PNG" "png-wasp.sh,"
cp "$lists/late.sh" "$work/late-before.sh"
cp "$art/a_wasp05.tga" "$late/a_late05.tga"
touch_and_expect "$lists" "$late/a_late05.tga" "late.sh,"
! cmp -s "$work/late-before.sh" "$lists/late.sh" || fail "the new alpha image changed nothing"
echo "lists read as the programs read them; alpha images only while feathering, new ones found; PNG ships"

echo "== the README's asset lines in a new project =="
fresh=$work/fresh
mkdir -p "$fresh"
"$build/samples/paintsamples" "$fresh/art" >/dev/null
cp "$source_dir/examples/asset-pipeline/art/pictures.txt" "$fresh/art/"
printf 'wasp\npictures\n' >"$fresh/art/fleet.txt"
{
  printf 'cmake_minimum_required(VERSION 3.20)\nproject(fresh LANGUAGES NONE)\n'
  printf 'find_package(Vantrel CONFIG REQUIRED)\n'
  grep -E '^    vantrel_add_' "$source_dir/README.md" | sed 's/^    //'
} >"$fresh/CMakeLists.txt"
[ "$(grep -c '^vantrel_add_' "$fresh/CMakeLists.txt")" = 3 ] || fail "the README has not its three asset lines"
cmake -S "$fresh" -B "$work/fresh-build" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >"$work/log" 2>&1 ||
  { cat "$work/log"; fail "the README's lines do not configure"; }
cmake --build "$work/fresh-build" -j4 >"$work/log" 2>&1 || { cat "$work/log"; fail "the README's lines do not build"; }
[ "$(conversions "$work/log")" = "fleet.shp,pictures.sh,wasp.sh," ] ||
  { cat "$work/log"; fail "the README's lines converted '$(conversions "$work/log")'"; }
! grep -vE '^\[[0-9]+/[0-9]+\] ' "$work/log" | grep -q . ||
  { cat "$work/log"; fail "a conversion printed more than the build's progress"; }
"$prefix/bin/rlsinfo" "$work/fresh-build/sprites/fleet.shp" >"$work/fresh-info" ||
  { cat "$work/fresh-info"; fail "the new project's family is not valid"; }
cmake --build "$work/fresh-build" >"$work/log" 2>&1
[ -z "$(conversions "$work/log")" ] || { cat "$work/log"; fail "the new project converted again"; }
touch_and_expect "$work/fresh-build" "$fresh/art/wasp04.tga" "fleet.shp,wasp.sh,"
echo "the README's lines work in a new project, silently"

echo "== remembered folders of an installed program =="
# The builds above ran every program with --no-remember.
for file in indir.txt outdir.txt; do
  [ ! -e "$prefix/bin/$file" ] || fail "a build wrote $file beside the installed programs"
done
# A read-only prefix, run by an ordinary user (nobody, when this runs as root).
readonly_prefix=$work/readonly-prefix
cp -a "$prefix" "$readonly_prefix"
chmod -R a-w,a+rX "$readonly_prefix"
home=$work/home
mkdir -p "$home" "$work/user-out"
chmod 755 "$work"
chmod -R a+rX "$art"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown 65534:65534 "$home" "$work/user-out"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
run_as_user() { env -u XDG_STATE_HOME HOME="$home" "${as_user[@]}" "$@" >/dev/null; }
run_as_user "$readonly_prefix/bin/quarvin" -o "$work/user-out/wasp.sh" "$art/wasp00.tga" ||
  fail "quarvin in a read-only prefix failed"
state=$home/.local/state/vantrel/quarvin
[ "$(cat "$state/indir.txt" 2>/dev/null)" = "$art" ] || fail "no $state/indir.txt naming $art"
[ "$(cat "$state/outdir.txt" 2>/dev/null)" = "$work/user-out" ] || fail "no $state/outdir.txt"
run_as_user "$readonly_prefix/bin/plimsor" --no-remember -o "$work/user-out/pictures.sh" \
  "$art/pictures.txt" || fail "plimsor --no-remember in a read-only prefix failed"
[ ! -e "$home/.local/state/vantrel/plimsor" ] || fail "plimsor --no-remember remembered"
echo "the state folder keeps the folders; --no-remember leaves them alone"

echo "== draw-ship against the prefix =="
ship=$assets/sprites/wasp.sh
cmake -S "$source_dir/examples/draw-ship" -B "$work/draw-ship" -G Ninja \
  -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS="-Wall -Wextra -Wpedantic -Werror" >"$work/log" 2>&1 ||
  { cat "$work/log"; fail "draw-ship does not configure"; }
cmake --build "$work/draw-ship" >"$work/log" 2>&1 || { cat "$work/log"; fail "draw-ship does not build"; }
"$work/draw-ship/draw-ship" --frames 20 --png "$work/draw-ship.png" "$ship"
if ! "$build/tests/preview/pngsame" "$golden" "$work/draw-ship.png"; then
  cp "$work/draw-ship.png" "$build/draw-ship.png"
  fail "draw-ship's picture differs from $golden (it is kept as $build/draw-ship.png)"
fi
echo "headless picture matches the golden one"

echo "== the same program with pkg-config =="
export PKG_CONFIG_PATH=$prefix/lib/pkgconfig
g++ -Wall -Wextra -Werror -o "$work/draw-ship-pc" "$source_dir"/examples/draw-ship/*.cpp \
  $(pkg-config --cflags --libs vantrel sdl2 libpng)
"$work/draw-ship-pc" --frames 20 --png "$work/draw-ship-pc.png" "$ship"
"$build/tests/preview/pngsame" "$golden" "$work/draw-ship-pc.png" || fail "pkg-config build draws differently"
echo "pkg-config build draws the same picture"

# vantrel(3), the guide's first program and examples/robust-loading.
source "$source_dir/tests/install/library.sh"


echo "== packages =="
(cd "$build" && cpack -G "DEB;TGZ" -B "$work/packages" >"$work/log" 2>&1) ||
  { cat "$work/log"; fail "cpack failed"; }
arch=$(dpkg --print-architecture)
deb=$work/packages/vantrel_${version}_${arch}.deb
[ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$work/packages")"
ls "$work/packages"/*.tar.gz >/dev/null || fail "no .tar.gz"
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/contents"
for file in "${expected[@]}"; do
  grep -qx "/usr/$file" "$work/contents" || fail "$(basename "$deb") lacks /usr/$file"
done
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libpng' <<<"$depends" || fail "the package does not depend on libpng: $depends"
# The programs run without GTK: only the desktop window module links it, and
# it comes in a package of its own that vantrel recommends.
! grep -q 'libgtk' <<<"$depends" || fail "vantrel depends on GTK: $depends"
module=$(find "$prefix/lib" -name 'vantrel-desktop.so')
if [ -n "$module" ]; then
  desktop_deb=$work/packages/vantrel-desktop_${version}_${arch}.deb
  [ -f "$desktop_deb" ] || fail "no $(basename "$desktop_deb"): $(ls "$work/packages")"
  dpkg-deb -c "$desktop_deb" | grep -q 'vantrel-desktop.so$' || fail "$(basename "$desktop_deb") lacks the module"
  desktop_depends=$(dpkg-deb -f "$desktop_deb" Depends)
  grep -q 'libgtk-3' <<<"$desktop_depends" || fail "vantrel-desktop does not depend on GTK 3: $desktop_depends"
  grep -q "vantrel (= $version)" <<<"$desktop_depends" || fail "vantrel-desktop does not depend on vantrel: $desktop_depends"
  grep -q 'vantrel-desktop' <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "vantrel does not recommend vantrel-desktop"
  ! grep -q 'vantrel-desktop.so$' "$work/contents" || fail "the module is in vantrel as well"
  echo "$(basename "$desktop_deb"): Depends: $desktop_depends"
fi
for elf in "$prefix"/bin/*; do
  ! ldd "$elf" 2>/dev/null | grep -q 'libgtk-3' || fail "$(basename "$elf") links GTK 3 itself"
done
echo "$(basename "$deb"): $(wc -l <"$work/contents") entries; Depends: $depends"
# Unpacked, the .deb's CMake package builds draw-ship; the moved .tar.gz tree
# still finds itself through pkg-config.
dpkg-deb -x "$deb" "$work/deb-root"
cmake -S "$source_dir/examples/draw-ship" -B "$work/draw-ship-deb" -G Ninja \
  -DCMAKE_PREFIX_PATH="$work/deb-root/usr" -DCMAKE_BUILD_TYPE=Release >"$work/log" 2>&1 &&
  cmake --build "$work/draw-ship-deb" >>"$work/log" 2>&1 || { cat "$work/log"; fail "draw-ship does not build against the .deb"; }
"$work/draw-ship-deb/draw-ship" --frames 20 --png "$work/draw-ship-deb.png" "$ship"
"$build/tests/preview/pngsame" "$golden" "$work/draw-ship-deb.png" || fail "the .deb's library draws differently"
mkdir "$work/tgz-root"
tar -xzf "$work"/packages/*.tar.gz -C "$work/tgz-root"
tgz_includes=$(PKG_CONFIG_PATH=$(echo "$work"/tgz-root/*/lib/pkgconfig) pkg-config --variable=includedir vantrel)
[ -f "$tgz_includes/Vantrel/Rls.h" ] || fail "the .tar.gz's vantrel.pc points at $tgz_includes"
echo "the unpacked .deb builds draw-ship; the unpacked .tar.gz finds itself"
echo "install check passed"
