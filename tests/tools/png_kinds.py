#!/usr/bin/python3
"""Writes PNG files of every kind with programs this project did not write.

Usage: png_kinds.py OUTDIR

For each kind it writes OUTDIR/KIND.png and OUTDIR/KIND.rgb, the picture as
the tools must read it: 8-bit R, G, B per pixel, top row first, with every
pixel of alpha 0 pure black. The source pictures hold only values each kind
stores exactly, so the expected bytes do not depend on how a writer rounds.
Pillow (python3-pil) writes the kinds it can; ImageMagick (/usr/bin/convert)
writes 16-bit colour, 2 and 4-bit grey and interlaced files. OUTDIR/kinds.txt
lists the kinds written; a writer that is missing adds none (exit 0), and the
script exits 77 when neither is there.
"""
import os
import random
import shutil
import subprocess
import sys

try:
    from PIL import Image
except ImportError:
    Image = None

W, H = 13, 7
CONVERT = "/usr/bin/convert"


def rgba_source(seed, alpha_kinds=True):
    rnd = random.Random(seed)
    pixels = []
    for i in range(W * H):
        r, g, b = rnd.randrange(256), rnd.randrange(256), rnd.randrange(256)
        a = 255
        if alpha_kinds:
            a = (0, 255, 128, 1, 255)[i % 5]
        if i % 7 == 3:
            r = g = b = 0  # black inside the art
        pixels.append((r, g, b, a))
    return pixels


def expected(pixels):
    out = bytearray()
    for r, g, b, a in pixels:
        out += bytes((0, 0, 0)) if a == 0 else bytes((r, g, b))
    return bytes(out)


def grey_source(seed, bits):
    rnd = random.Random(seed)
    top = (1 << bits) - 1
    return [rnd.randrange(top + 1) * 255 // top for _ in range(W * H)]


def save(outdir, kinds, kind, write, pixels):
    write(os.path.join(outdir, kind + ".png"))
    with open(os.path.join(outdir, kind + ".rgb"), "wb") as f:
        f.write(expected(pixels))
    kinds.append(kind)


def pillow_kinds(outdir, kinds):
    rgba = rgba_source(1)
    opaque = [(r, g, b, 255) for r, g, b, _ in rgba_source(2, False)]
    im = Image.new("RGBA", (W, H))
    im.putdata(rgba)
    save(outdir, kinds, "pillow-rgba8", lambda p: im.save(p), rgba)
    rgb = Image.new("RGB", (W, H))
    rgb.putdata([p[:3] for p in opaque])
    save(outdir, kinds, "pillow-rgb8", lambda p: rgb.save(p), opaque)

    grey = grey_source(3, 8)
    g = Image.new("L", (W, H))
    g.putdata(grey)
    save(outdir, kinds, "pillow-grey8", lambda p: g.save(p), [(v, v, v, 255) for v in grey])
    # Grey with a transparent grey value (a tRNS entry).
    key = grey[5]
    save(outdir, kinds, "pillow-grey8-trns", lambda p: g.save(p, transparency=key),
         [(v, v, v, 0 if v == key else 255) for v in grey])

    la = Image.new("LA", (W, H))
    la_pixels = [(v, a) for v, (_, _, _, a) in zip(grey, rgba)]
    la.putdata(la_pixels)
    save(outdir, kinds, "pillow-grey-alpha8", lambda p: la.save(p),
         [(v, v, v, a) for v, a in la_pixels])

    bw = grey_source(4, 1)
    one = Image.new("1", (W, H))
    one.putdata(bw)
    save(outdir, kinds, "pillow-grey1", lambda p: one.save(p), [(v, v, v, 255) for v in bw])

    wide = [v * 257 for v in grey]
    g16 = Image.new("I;16", (W, H))
    g16.putdata(wide)
    save(outdir, kinds, "pillow-grey16", lambda p: g16.save(p), [(v, v, v, 255) for v in grey])

    for bits in (1, 2, 4, 8):
        colours = 1 << bits
        rnd = random.Random(10 + bits)
        palette = [tuple(rnd.randrange(256) for _ in range(3)) for _ in range(colours)]
        index = [rnd.randrange(colours) for _ in range(W * H)]
        pal = Image.new("P", (W, H))
        pal.putpalette([c for rgb in palette for c in rgb])
        pal.putdata(index)
        see = [palette[i] + (255,) for i in index]
        save(outdir, kinds, "pillow-palette%d" % bits, lambda p: pal.save(p, bits=bits), see)
        # Palette entry 0 transparent (a tRNS table).
        hidden = [palette[i] + (0 if i == 0 else 255,) for i in index]
        save(outdir, kinds, "pillow-palette%d-trns" % bits,
             lambda p: pal.save(p, bits=bits, transparency=0), hidden)


def magick(args):
    subprocess.run([CONVERT] + args, check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)


def magick_kinds(outdir, kinds):
    # ImageMagick reads the sources as plain PAM files written here.
    def pam(path, pixels, alpha):
        depth = 4 if alpha else 3
        header = "P7\nWIDTH %d\nHEIGHT %d\nDEPTH %d\nMAXVAL 255\nTUPLTYPE %s\nENDHDR\n" % (
            W, H, depth, "RGB_ALPHA" if alpha else "RGB")
        with open(path, "wb") as f:
            f.write(header.encode())
            for p in pixels:
                f.write(bytes(p[:depth]))

    rgba = rgba_source(5)
    opaque = [(r, g, b, 255) for r, g, b, _ in rgba_source(6, False)]
    src_rgba = os.path.join(outdir, "src-rgba.pam")
    src_rgb = os.path.join(outdir, "src-rgb.pam")
    pam(src_rgba, rgba, True)
    pam(src_rgb, opaque, False)
    save(outdir, kinds, "magick-rgb16", lambda p: magick([src_rgb, "-depth", "16", "PNG48:" + p]),
         opaque)
    save(outdir, kinds, "magick-rgba16",
         lambda p: magick([src_rgba, "-depth", "16", "PNG64:" + p]), rgba)
    save(outdir, kinds, "magick-rgb8-interlaced",
         lambda p: magick([src_rgb, "-interlace", "PNG", "PNG24:" + p]), opaque)
    save(outdir, kinds, "magick-rgba16-interlaced",
         lambda p: magick([src_rgba, "-interlace", "PNG", "-depth", "16", "PNG64:" + p]), rgba)
    for bits in (2, 4):
        grey = grey_source(20 + bits, bits)
        src = os.path.join(outdir, "src-grey%d.pam" % bits)
        pam(src, [(v, v, v) for v in grey], False)
        save(outdir, kinds, "magick-grey%d" % bits,
             lambda p: magick([src, "-colorspace", "Gray", "-depth", str(bits),
                               "-define", "png:bit-depth=%d" % bits,
                               "-define", "png:color-type=0", p]),
             [(v, v, v, 255) for v in grey])


def main():
    outdir = sys.argv[1]
    kinds = []
    if Image is not None:
        pillow_kinds(outdir, kinds)
    if os.path.exists(CONVERT) and shutil.which(CONVERT):
        magick_kinds(outdir, kinds)
    with open(os.path.join(outdir, "kinds.txt"), "w") as f:
        f.write("\n".join(kinds) + ("\n" if kinds else ""))
    return 0 if kinds else 77


if __name__ == "__main__":
    sys.exit(main())
