#!/usr/bin/env python3
"""Adds seeds taken from the default board in data/ to the fuzz corpora.

The map and sector files go in whole. The pictures are far larger than a fuzz input should
be, so small pieces of them are cut out, keeping each file's own header and pixel format:
the part of the sector picture with the most sectors, a corner of the map picture, the
first cells of the pieces sheet. The light and tool pictures are small and go in whole.
"""
import os
import shutil
import struct

HIER = os.path.dirname(os.path.abspath(__file__))
DATEN = os.path.join(HIER, "..", "data")


def ziel(target, name):
    ordner = os.path.join(HIER, "corpus", target)
    os.makedirs(ordner, exist_ok=True)
    return os.path.join(ordner, name)


def ausschnitt(quelle, x0, y0, w, h):
    """Cuts w x h pixels at (x0, y0) out of an uncompressed bitmap of 8 bits or more."""
    d = open(quelle, "rb").read()
    start = struct.unpack_from("<I", d, 10)[0]
    breite, hoehe = struct.unpack_from("<ii", d, 18)
    bits = struct.unpack_from("<H", d, 28)[0]
    bpp = bits // 8
    zeile = (breite * bits + 31) // 32 * 4
    neu_zeile = (w * bits + 31) // 32 * 4
    pixel = b""
    # bottom-up rows: file row r holds picture row hoehe - 1 - r
    for r in range(h):
        y = y0 + h - 1 - r
        q = start + (hoehe - 1 - y) * zeile + x0 * bpp
        pixel += d[q:q + w * bpp] + b"\0" * (neu_zeile - w * bpp)
    kopf = bytearray(d[:start])
    struct.pack_into("<I", kopf, 2, start + len(pixel))
    struct.pack_into("<ii", kopf, 18, w, h)
    struct.pack_into("<I", kopf, 34, len(pixel))
    return bytes(kopf) + pixel


def meiste_sektoren(quelle, w, h):
    d = open(quelle, "rb").read()
    start = struct.unpack_from("<I", d, 10)[0]
    breite, hoehe = struct.unpack_from("<ii", d, 18)
    zeile = (breite + 3) // 4 * 4
    best = (0, 0, 0)
    for y0 in range(0, hoehe - h, 16):
        for x0 in range(0, breite - w, 16):
            werte = set()
            for y in range(y0, y0 + h, 4):
                q = start + (hoehe - 1 - y) * zeile
                werte.update(d[q + x0:q + x0 + w:4])
            if len(werte) > best[0]:
                best = (len(werte), x0, y0)
    return best[1], best[2]


def main():
    shutil.copyfile(os.path.join(DATEN, "Start.map"), ziel("mapdatei", "brett_start.map"))
    shutil.copyfile(os.path.join(DATEN, "Sektoren_neu.sek"), ziel("sektordatei", "brett_sektoren.sek"))
    sektorbild = os.path.join(DATEN, "Sektoreninfo(1587x913)[256Grau].BMP")
    x0, y0 = meiste_sektoren(sektorbild, 64, 40)
    with open(ziel("bild", "brett_sektoren.bmp"), "wb") as f:
        f.write(ausschnitt(sektorbild, x0, y0, 64, 40))
    with open(ziel("bild", "brett_karte.bmp"), "wb") as f:
        f.write(ausschnitt(os.path.join(DATEN, "Map(1587x913)[16].BMP"), 700, 300, 48, 32))
    with open(ziel("bild", "brett_pieces.bmp"), "wb") as f:
        f.write(ausschnitt(os.path.join(DATEN, "PIECES.BMP"), 0, 0, 60, 30))
    for name in ("roteslicht.BMP", "ToolsKill.BMP"):
        shutil.copyfile(os.path.join(DATEN, name), ziel("bild", "brett_" + name.lower()))


if __name__ == "__main__":
    main()
