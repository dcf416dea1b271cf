#!/usr/bin/python3
"""Writes valid PNG files of every colour type and bit depth, with palettes
and transparent colours, some interlaced, into the given folder, each with
the 8-bit RGBA that an independent decoder (the Python imaging library)
makes of it beside it (NAME.rgba: 16-bit samples cut to their high byte,
as the program's loader does). ImageMagick writes the variants that the
imaging library cannot. Checks that every file has the header it was made
for, and prints one line per variant: NAME WIDTH HEIGHT."""
import subprocess
import sys
from pathlib import Path

from PIL import Image

WIDTH, HEIGHT = 37, 23
SEED = "7"
# name: (bit depth, colour type, interlaced)
EXPECTED = {
    "grey1": (1, 0, 0), "grey2": (2, 0, 0), "grey4": (4, 0, 0), "grey8": (8, 0, 0), "grey16": (16, 0, 0),
    "grey8Key": (8, 0, 0), "greyAlpha8": (8, 4, 0), "greyAlpha16": (16, 4, 0),
    "rgb8": (8, 2, 0), "rgb16": (16, 2, 0), "rgb8Key": (8, 2, 0), "rgba8": (8, 6, 0), "rgba16": (16, 6, 0),
    "palette1": (1, 3, 0), "palette2": (2, 3, 0), "palette4Alpha": (4, 3, 0), "palette8Alpha": (8, 3, 0),
    "grey2Interlaced": (2, 0, 1), "grey16Interlaced": (16, 0, 1), "rgba8Interlaced": (8, 6, 1),
    "rgb16Interlaced": (16, 2, 1),
}


def magick(path, *options):
    source = ["-size", f"{WIDTH}x{HEIGHT}", "-seed", SEED, "plasma:fractal"]
    # Some ImageMagick versions print words of their own ("list") on
    # standard output, which must hold only the list of variants.
    subprocess.run(["convert", *source, *options, str(path)], check=True, stdout=sys.stderr)


def grey(depth, *more):
    return ["-colorspace", "gray", "-define", "png:color-type=0", "-define", f"png:bit-depth={depth}", *more]


def colour(kind, depth, *more):
    alpha = ["-alpha", "set", "-channel", "A", "-fx", "j/h", "+channel"] if kind in (4, 6) else []
    space = ["-colorspace", "gray"] if kind == 4 else []
    return [*space, *alpha, "-define", f"png:color-type={kind}", "-define", f"png:bit-depth={depth}", *more]


INTERLACE = ["-interlace", "PNG"]
MAGICK_VARIANTS = {
    "grey1": grey(1), "grey2": grey(2), "grey4": grey(4), "grey8": grey(8), "grey16": grey(16),
    "greyAlpha8": colour(4, 8), "greyAlpha16": colour(4, 16), "rgb8": colour(2, 8), "rgb16": colour(2, 16),
    "rgba8": colour(6, 8), "rgba16": colour(6, 16), "grey2Interlaced": grey(2, *INTERLACE),
    "grey16Interlaced": grey(16, *INTERLACE), "rgba8Interlaced": colour(6, 8, *INTERLACE),
    "rgb16Interlaced": colour(2, 16, *INTERLACE),
}


def imaging_variants(folder):
    base = Image.open(folder / "rgb8.png").convert("RGB")
    grey8 = base.convert("L")
    grey8.save(folder / "grey8Key.png", transparency=grey8.getpixel((0, 0)))
    base.save(folder / "rgb8Key.png", transparency=base.getpixel((3, 2)))
    for name, colours, bits, transparent in (("palette1", 2, 1, 0), ("palette2", 4, 2, 0),
                                             ("palette4Alpha", 16, 4, 5), ("palette8Alpha", 200, 8, 60)):
        palette = base.quantize(colours)
        transparency = bytes(range(0, 256, 256 // transparent))[:transparent] if transparent else None
        options = {"bits": bits} if transparency is None else {"bits": bits, "transparency": transparency}
        palette.save(folder / f"{name}.png", **options)


def reference_rgba(path):
    image = Image.open(path)
    image.load()
    if image.mode.startswith("I"):  # 16-bit grey, kept whole by the imaging library
        key = image.info.get("transparency")
        out = bytearray()
        for value in image.getdata():
            high = value >> 8
            out += bytes((high, high, high, 0 if value == key else 255))
        return bytes(out)
    return image.convert("RGBA").tobytes()


def header(path):
    data = path.read_bytes()
    return data[24], data[25], data[28]


def main():
    folder = Path(sys.argv[1])
    for name, options in MAGICK_VARIANTS.items():
        magick(folder / f"{name}.png", *options)
    imaging_variants(folder)
    for name, expected in EXPECTED.items():
        path = folder / f"{name}.png"
        if header(path) != expected:
            sys.exit(f"{name}: header {header(path)}, made for {expected}")
        (folder / f"{name}.rgba").write_bytes(reference_rgba(path))
        print(name, WIDTH, HEIGHT)


main()
