#!/usr/bin/env python3
"""Writes the seed corpora of the TGA fuzz targets: small files of every kind
the readers meet (accepted depths and templates, both row orders, refused
headers, short pixel data, a size claim far beyond the file)."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def tga(width, height, depth, image_type=2, descriptor=0, id_length=0, x_origin=0,
        pixels=None, cut=None):
    header = bytes([id_length, 0, image_type, 0, 0, 0, 0, 0])
    header += struct.pack("<HHHHBB", x_origin, 0, width, height, depth, descriptor)
    if pixels is None:
        count = width * height * max(depth // 8, 1)
        pixels = bytes((i * 37 + 11) & 0xFF for i in range(count))
    data = header + pixels
    return data if cut is None else data[:cut]


SEEDS = {
    "one_pixel_24": tga(1, 1, 24),
    "bottom_up_2x3_24": tga(2, 3, 24),
    "top_down_3x2_24": tga(3, 2, 24, descriptor=0x20),
    "odd_5x5_32": tga(5, 5, 32),
    "top_down_4x3_32": tga(4, 3, 32, descriptor=0x28),
    "grey_4x4_8": tga(4, 4, 8, image_type=3),
    "grey_type2_3x3_8": tga(3, 3, 8),
    "colour_type3_2x2_24": tga(2, 2, 24, image_type=3),
    "short_pixels_32": tga(3, 3, 32, cut=18 + 3 * 3 * 4 - 1),
    "short_header": tga(2, 2, 24, cut=15),
    "huge_claim_24": tga(65535, 65535, 24, pixels=b""),
    "huge_claim_8": tga(65535, 65535, 8, image_type=3, pixels=b"\x01" * 64),
    "run_length_10": tga(2, 2, 24, image_type=10),
    "identification_field": tga(2, 2, 24, id_length=3),
    "x_origin": tga(2, 2, 24, x_origin=1),
    "width_zero": tga(0, 2, 24, pixels=b"\x00" * 12),
    "depth_16": tga(2, 2, 16),
}


def main():
    for target in ("fuzz_tga_library", "fuzz_tga_tool"):
        folder = os.path.join(HERE, "corpus", target)
        os.makedirs(folder, exist_ok=True)
        for name, data in SEEDS.items():
            with open(os.path.join(folder, name + ".tga"), "wb") as out:
                out.write(data)


if __name__ == "__main__":
    main()
