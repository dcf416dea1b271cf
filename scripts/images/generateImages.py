#!/usr/bin/python3
"""Write the program's 17 images into images/ of the repository, and its
desktop icon (PNG at each size, and SVG) into data/icons/ (or both into the
folder given as the only argument)."""

import os
import sys

sys.dont_write_bytecode = True  # keep the source folder free of caches

import boardImage
import buttonImages
import iconImage
import layout
import logoImage
import paletteImage
import tokenShapes

repoRoot = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
repoImages = os.path.join(repoRoot, "images")
repoIcons = os.path.join(repoRoot, "data", "icons")


def allImages():
    images = {name: tokenShapes.tokenImage(typeIndex, layout.tokenSize)
              for typeIndex, name in enumerate(layout.tokenFiles)}
    images["path5020"] = boardImage.boardImage()
    images["interface"] = paletteImage.paletteImage()
    images["zelquorLogo"] = logoImage.logoImage()
    images.update(buttonImages.buttonImages())
    return images


def save(image, path):
    # No metadata and fixed compression, so the files only change when the design does.
    image.save(path, format="PNG", optimize=False, compress_level=9)
    print(path, "%dx%d" % image.size)


def writeIcons(target):
    os.makedirs(target, exist_ok=True)
    for size in iconImage.pngSizes:
        save(iconImage.iconImage(size), os.path.join(target, "zelquor-%d.png" % size))
    path = os.path.join(target, "zelquor.svg")
    with open(path, "w", encoding="utf-8") as svg:
        svg.write(iconImage.iconSvg())
    print(path)


def main():
    target = os.path.normpath(sys.argv[1] if len(sys.argv) > 1 else repoImages)
    os.makedirs(target, exist_ok=True)
    for name, image in allImages().items():
        save(image, os.path.join(target, name + ".png"))
    writeIcons(os.path.normpath(target if len(sys.argv) > 1 else repoIcons))


if __name__ == "__main__":
    main()
