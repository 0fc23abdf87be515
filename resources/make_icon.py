#!/usr/bin/env python3
"""Draws app.ico: a playing card with a small network sign, 32x32, 16 colours.

The .ico's directory entry carries the colour count and bit depth, which the
resource compiler copies into the group icon, so they are filled in here.
"""
import struct
import sys

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, GREY, RED, DARK_BLUE, WHITE = 0, 8, 9, 4, 15
TRANSPARENT = None

ART = [
    "................................",
    "......kkkkkkkkkkkkkkkkkkk.......",
    ".....kwwwwwwwwwwwwwwwwwwwk......",
    ".....kwrwwwwwwwwwwwwwwwwwkg.....",
    ".....kwrrwwwwwwwwwwwwwwwwkg.....",
    ".....kwrwwwwwwwwwwwwwwwwwkg.....",
    ".....kwwwwwwwwwwwwwwwwwwwkg.....",
    ".....kwwwwwwwwrwrwwwwwwwwkg.....",
    ".....kwwwwwwwrrrrrwwwwwwwkg.....",
    ".....kwwwwwwwrrrrrwwwwwwwkg.....",
    ".....kwwwwwwwwrrrwwwwwwwwkg.....",
    ".....kwwwwwwwwwrwwwwwwwwwkg.....",
    ".....kwwwwwwwwwwwwwwwwwwwkg.....",
    ".....kwwwwwwwwwwwwwwwwwwwkg.....",
    ".....kwwwwwwwwwwbbbwwwwwwkg.....",
    ".....kwwwwwwwwwwbwbwwwwwwkg.....",
    ".....kwwwwwwwwwwbbbwwwwwwkg.....",
    ".....kwwwwwwwwwwwbwwwwwwwkg.....",
    ".....kwwwwwwwwwwwbwwwwwwwkg.....",
    ".....kwwwwwbbbbbbbbbbbwwwkg.....",
    ".....kwwwwwbwwwwbwwwwbwwwkg.....",
    ".....kwwwwwbwwwwbwwwwbwwwkg.....",
    ".....kwwwwbbbwwbbbwwbbbwwkg.....",
    ".....kwwwwbwbwwbwbwwbwbwwkg.....",
    ".....kwwwwbbbwwbbbwwbbbwwkg.....",
    ".....kwwwwwwwwwwwwwwwwwrwkg.....",
    ".....kwwwwwwwwwwwwwwwwrrwkg.....",
    ".....kwwwwwwwwwwwwwwwwwrwkg.....",
    ".....kwwwwwwwwwwwwwwwwwwwkg.....",
    "......kkkkkkkkkkkkkkkkkkkgg.....",
    ".......ggggggggggggggggggg......",
    "................................",
]
COLOURS = {"k": BLACK, "w": WHITE, "r": RED, "b": DARK_BLUE, "g": GREY, ".": TRANSPARENT}


def icon_image():
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 4, 0, 512 + 128, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    xor, mask = bytearray(), bytearray()
    for row in reversed(ART):  # bitmaps are stored bottom-up
        pixels = [COLOURS[c] for c in row]
        for x in range(0, 32, 2):
            left, right = (p if p is not None else 0 for p in pixels[x:x + 2])
            xor.append(left << 4 | right)
        bits = 0
        for x, p in enumerate(pixels):
            if p is None:
                bits |= 1 << (31 - x)
        mask += bits.to_bytes(4, "big")
    image = header + palette + bytes(xor) + bytes(mask)
    assert len(image) == 744
    return image


def main(path):
    image = icon_image()
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4, len(image), 6 + 16)
    with open(path, "wb") as out:
        out.write(directory + entry + image)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "app.ico")
