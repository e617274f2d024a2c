# PNG artwork through the real programs: the sample art saved as PNG by
# Pillow converts to the same bytes as the same art in TGA (a ship with alpha
# images, a ship with offset 1 and the border, an image list); a PNG under a
# .tga name and a broken PNG end with a fatal text that names the file and
# says why, and nothing else reaches the console.
. "$RUN_LIB"
make_work_folder e2e
need_program QUARVIN
need_program PLIMSOR
need_program PAINTSAMPLES
/usr/bin/python3 -c 'import PIL' 2>/dev/null || { echo "skipped: python3-pil is missing"; exit 77; }

tga=$WORK/tga
png=$WORK/png
"$PAINTSAMPLES" "$tga" >/dev/null || { echo "painting the samples failed"; exit 1; }
mkdir -p "$png" "$WORK/out"
# The same pixels as PNG: colour frames as RGB (the TGA reader ignores the
# fourth byte), grey alpha images as grey.
/usr/bin/python3 - "$tga" "$png" <<'PY' || { echo "converting the samples failed"; exit 1; }
import os, sys
from PIL import Image
src, dst = sys.argv[1], sys.argv[2]
for name in os.listdir(src):
    if name.endswith(".tga"):
        im = Image.open(os.path.join(src, name))
        if im.mode not in ("L", "RGB"):
            im = im.convert("RGB")
        im.save(os.path.join(dst, name[:-4] + ".png"))
PY
quarvin=$(install_program QUARVIN "$WORK/q")
plimsor=$(install_program PLIMSOR "$WORK/p")

begin_case "a ship with alpha images: PNG and TGA give the same bytes"
"$quarvin" -o "$WORK/out/wasp-tga.sh" "$tga/wasp00.tga" >/dev/null; rc=$?
check_eq "exit code (TGA)" 0 "$rc"
"$quarvin" -o "$WORK/out/wasp-png.sh" "$png/wasp00.png" >/dev/null; rc=$?
check_eq "exit code (PNG)" 0 "$rc"
cmp -s "$WORK/out/wasp-tga.sh" "$WORK/out/wasp-png.sh" || fail "the PNG ship differs"

begin_case "offset 1 with the border, names in capitals"
for f in "$png"/hornet*.png; do mv "$f" "${f%.png}.PNG"; done
"$quarvin" --border --offset 1 -o "$WORK/out/hornet-tga.sh" "$tga/hornet01.tga" >/dev/null
"$quarvin" --border --offset 1 -o "$WORK/out/hornet-png.sh" "$png/hornet01.PNG" >/dev/null; rc=$?
check_eq "exit code (PNG)" 0 "$rc"
cmp -s "$WORK/out/hornet-tga.sh" "$WORK/out/hornet-png.sh" || fail "the PNG ship differs"

begin_case "an image list naming PNG files"
printf 'rock.tga\ncrate.tga\nstar.tga\nplanet.tga\n' > "$tga/list.txt"
printf 'rock.png\ncrate.png\nstar.png\nplanet.png\n' > "$png/list.txt"
"$plimsor" -o "$WORK/out/list-tga.sh" "$tga/list.txt" >/dev/null
"$plimsor" -o "$WORK/out/list-png.sh" "$png/list.txt" >/dev/null; rc=$?
check_eq "exit code (PNG)" 0 "$rc"
cmp -s "$WORK/out/list-tga.sh" "$WORK/out/list-png.sh" || fail "the PNG list differs"

begin_case "a PNG under a .tga name"
mkdir -p "$WORK/named"
cp "$png/rock.png" "$WORK/named/rock.tga"
printf 'rock.tga\n' > "$WORK/named/list.txt"
"$plimsor" -o "$WORK/out/named.sh" "$WORK/named/list.txt" >/dev/null 2>"$WORK/err"; rc=$?
check_eq "exit code" 1 "$rc"
check_eq "stderr" "Fatal Error: Can't load $WORK/named/rock.tga: it is a PNG image, not a TGA file; name it rock.png and the tools convert it as PNG" "$(cat "$WORK/err")"
check_missing "$WORK/out/named.sh"

begin_case "a PNG cut short"
mkdir -p "$WORK/cut"
head -c 200 "$png/rock.png" > "$WORK/cut/rock.png"
printf 'rock.png\n' > "$WORK/cut/list.txt"
"$plimsor" -o "$WORK/out/cut.sh" "$WORK/cut/list.txt" >/dev/null 2>"$WORK/err"; rc=$?
check_eq "exit code" 1 "$rc"
check_eq "stderr lines" 1 "$(wc -l < "$WORK/err")"
case "$(cat "$WORK/err")" in
  "Fatal Error: Can't load $WORK/cut/rock.png: libpng stops reading it: "*) ;;
  *) fail "stderr: $(cat "$WORK/err")" ;;
esac
check_missing "$WORK/out/cut.sh"

finish
