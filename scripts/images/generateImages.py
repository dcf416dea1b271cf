#!/usr/bin/python3
"""Write the program's 17 images into images/ of the repository (or into the
folder given as the only argument)."""

import os
import sys

sys.dont_write_bytecode = True  # keep the source folder free of caches

import boardImage
import buttonImages
import layout
import logoImage
import paletteImage
import tokenShapes

repoImages = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "images")


def allImages():
    images = {name: tokenShapes.tokenImage(typeIndex, layout.tokenSize)
              for typeIndex, name in enumerate(layout.tokenFiles)}
    images["path5020"] = boardImage.boardImage()
    images["interface"] = paletteImage.paletteImage()
    images["zelquorLogo"] = logoImage.logoImage()
    images.update(buttonImages.buttonImages())
    return images


def main():
    target = os.path.normpath(sys.argv[1] if len(sys.argv) > 1 else repoImages)
    os.makedirs(target, exist_ok=True)
    for name, image in allImages().items():
        # No metadata and fixed compression, so the files only change when the design does.
        image.save(os.path.join(target, name + ".png"), format="PNG", optimize=False, compress_level=9)
        print(os.path.join(target, name + ".png"), "%dx%d" % image.size)


if __name__ == "__main__":
    main()
