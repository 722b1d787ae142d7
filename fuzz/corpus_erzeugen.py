#!/usr/bin/env python3
"""Writes the crafted seed files of the fuzz corpora (deterministic; run from anywhere).

Each target gets small files that reach its interesting paths at once: the edges of the
map and sector formats, settings lines of every shape, and pictures in every pixel format
the bitmap reader knows. Seeds from the default board are added by corpus_vom_brett.sh.
"""
import hashlib
import json
import os
import struct
import zlib

HIER = os.path.dirname(os.path.abspath(__file__))


def schreiben(ziel, name, daten):
    ordner = os.path.join(HIER, "corpus", ziel)
    os.makedirs(ordner, exist_ok=True)
    with open(os.path.join(ordner, name), "wb") as f:
        f.write(daten)


# ---- map files -------------------------------------------------------------------------------

def stapel(x, y, art, besitzer, anzahl, sektor, padding=b"\0\0\0"):
    return struct.pack("<ddBBHB", x, y, art, besitzer, anzahl, sektor) + padding


def map_dateien():
    schreiben("mapdatei", "leer", struct.pack("<i", 0))
    drei = [stapel(100.5, 50.5, 2, 1, 12, 7), stapel(101.25, 60, 9, 4, 4400, 8, b"\xab\x01\xcd"),
            stapel(2.5, 3.5, 1, 2, 1, 127)]
    schreiben("mapdatei", "drei", struct.pack("<i", 3) + b"".join(drei))
    schreiben("mapdatei", "drei_mit_rest", struct.pack("<i", 3) + b"".join(drei) + b"rest")
    schreiben("mapdatei", "kurz", struct.pack("<i", 3) + b"".join(drei)[:30])
    schreiben("mapdatei", "zwei_bytes", b"\x02\x00")
    schreiben("mapdatei", "negativ", struct.pack("<i", -1) + stapel(0, 0, 1, 1, 1, 1))
    schreiben("mapdatei", "zu_viele", struct.pack("<i", 1001) + stapel(0, 0, 1, 1, 1, 1))
    seltsam = [stapel(float("nan"), 5, 2, 1, 3, 9), stapel(float("inf"), float("-inf"), 3, 2, 2, 10),
               stapel(1e300, -1e300, 4, 3, 65535, 255), stapel(-0.5, 912.5, 12, 0, 0, 0),
               stapel(2147483648.0, 5e-324, 11, 6, 100, 131), stapel(1586.5, 0.5, 255, 255, 1, 128)]
    schreiben("mapdatei", "seltsame_werte", struct.pack("<i", len(seltsam)) + b"".join(seltsam))
    voll = b"".join(stapel(i % 1587, i % 913, 1 + i % 11, 1 + i % 5, i, 1 + i % 127) for i in range(1000))
    schreiben("mapdatei", "tausend", struct.pack("<i", 1000) + voll)


# ---- sector files ----------------------------------------------------------------------------

def sektor(name, besitzer, icps, land, hx, hy, reserve=b"\0" * 24, laenge=None):
    n = len(name) if laenge is None else laenge
    return struct.pack("<B40sBBBii", n, name.ljust(40, b"\0")[:40], besitzer, icps, land, hx, hy) + reserve


def sektor_dateien():
    schreiben("sektordatei", "null", b"\0" * 9880)
    recs = [sektor(b"Sektor %d" % s, s % 6, s % 13, s % 3 != 0, 12 * s, 7 * s) for s in range(1, 131)]
    schreiben("sektordatei", "brett", b"".join(recs))
    odd = [sektor(b"X" * 40, 255, 255, 2, -2147483648, 2147483647, bytes(range(24)), laenge=255)] + recs[1:]
    odd[1] = sektor(b"\xe4\xf6\xfc=[]_", 6, 100, 0, -21, -20)
    schreiben("sektordatei", "randwerte", b"".join(odd) + b"danach")
    schreiben("sektordatei", "ein_satz", recs[0])
    schreiben("sektordatei", "fast", b"".join(recs)[:9879])


# ---- settings files --------------------------------------------------------------------------

def einstellungen():
    voll = ("[MapForm]\r\nTop=10\r\nLeft=20\r\nHeight=600\r\nWidth=800\r\n[GameInfoForm]\r\nTop=1\r\nLeft=2\r\n"
            "[ToolsForm]\r\nTop=3\r\nLeft=4\r\n[SektorInfoForm]\r\nTop=5\r\nLeft=6\r\n[Options]\r\nICPsAnzeigen=1\r\n"
            "LandnameAmCursor=0\r\nEinheitartAmCursor=1\r\nBesitzerAmCursor=1\r\nMausStehtBeimScrollen=0\r\n"
            "[FensterAnzeigen]\r\nSektorInfo=1\r\nGameInfo=0\r\nGameCenter=1\r\n")
    schreiben("einstellungen", "voll", voll.encode())
    schreiben("einstellungen", "leer", b"")
    schreiben("einstellungen", "zahlen",
              b"[mapform]\nTOP=$7fffffff\nLeft=-2147483648\nHeight=0x10\nWidth=abc\n[options]\n"
              b"ICPsAnzeigen=2\nLandnameAmCursor=-0\nEinheitartAmCursor=$\nBesitzerAmCursor=0X\n"
              b"MausStehtBeimScrollen=99999999999\n")
    schreiben("einstellungen", "seltsam",
              b"; comment\n[Options\nICPsAnzeigen=1\n  [ Options ]  \n =1\n;ICPsAnzeigen=1\nICPsAnzeigen = \"1\" \n"
              b"[Options]\nICPsAnzeigen=0\n[FensterAnzeigen]\r\r\nGameInfo='0'\n\n\n[FensterAnzeigen]\nGameInfo=1\n"
              b"Top=1=2\n[]\n[x]]\n\x00\xff=\x01\n" + b"A" * 3000 + b"=1\n[MapForm]\nWidth=" + b"9" * 2100)
    schreiben("einstellungen", "ohne_zeilenende", b"[MapForm]\r\nTop=5\r")


# ---- pictures --------------------------------------------------------------------------------

def bmp(breite, hoehe, bits, pixel, palette=b"", kompression=0, masken=b"", kopf=40, oben_nach_unten=False):
    h = -hoehe if oben_nach_unten else hoehe
    if kopf == 12:
        info = struct.pack("<IHHHH", 12, breite, hoehe, 1, bits)
    else:
        info = struct.pack("<IiiHHIIiiII", kopf, breite, h, 1, bits, kompression, len(pixel), 2835, 2835,
                           len(palette) // 4, 0)
        if kopf > 40:
            # v4/v5 header: masks, colour space and the rest, zero-filled to the header size
            rest = (masken + b"\0" * (kopf - 40))[: kopf - 40]
            info += rest
            masken = b""
    start = 14 + len(info) + len(masken) + len(palette)
    datei = struct.pack("<2sIHHI", b"BM", start + len(pixel), 0, 0, start)
    return datei + info + masken + palette + pixel


def zeilen(roh_zeilen):
    out = b""
    for z in roh_zeilen:
        out += z + b"\0" * (-len(z) % 4)
    return out


def grau_palette(n):
    return b"".join(bytes((i, i, i, 0)) for i in range(n))


def bilder():
    w, h = 13, 7
    sektoren = [[(x // 3 + y * 5) % 256 for x in range(w)] for y in range(h)]
    sektoren[0][0], sektoren[1][1] = 0, 255
    # 8 bits, grey palette: the sector picture's own format
    schreiben("bild", "grau8.bmp", bmp(w, h, 8, zeilen(bytes(r) for r in reversed(sektoren)), grau_palette(256)))
    schreiben("bild", "grau8_oben.bmp",
              bmp(w, h, 8, zeilen(bytes(r) for r in sektoren), grau_palette(256), oben_nach_unten=True))
    # a short palette: indices beyond it
    schreiben("bild", "palette_kurz.bmp", bmp(w, h, 8, zeilen(bytes(r) for r in sektoren), grau_palette(16)))
    # 1 and 4 bits
    eins = [bytes([0b10110010, 0b01000000]) for _ in range(h)]
    schreiben("bild", "bits1.bmp", bmp(w, h, 1, zeilen(eins), b"\0\0\0\0\xff\xff\xff\0"))
    vier = [bytes(((x * 2) % 16) << 4 | ((x * 2 + 1) % 16) for x in range(7)) for _ in range(h)]
    schreiben("bild", "bits4.bmp", bmp(w, h, 4, zeilen(vier), grau_palette(16)))
    # run-length encoded 8 and 4 bits: runs, an absolute run, a delta, end of line and of picture
    rle8 = b"\x05\x10\x00\x03\x01\x02\x03\x00\x03\x20" + b"\x00\x00" + b"\x00\x02\x02\x01" + b"\x04\x30\x00\x00" + b"\x00\x01"
    schreiben("bild", "rle8.bmp", bmp(w, h, 8, rle8, grau_palette(256), kompression=1))
    rle4 = b"\x06\x12\x00\x04\x34\x56\x00\x00" + b"\x00\x02\x01\x01" + b"\x03\x78\x00\x00\x00\x01"
    schreiben("bild", "rle4.bmp", bmp(w, h, 4, rle4, grau_palette(16), kompression=2))
    # 16 bits: plain 5-5-5 and 5-6-5 bit fields (the map's format); magenta as the colour key
    p555 = [b"".join(struct.pack("<H", (x * 2 % 32) << 10 | (y * 4 % 32) << 5 | 31) for x in range(w)) for y in range(h)]
    schreiben("bild", "rgb555.bmp", bmp(w, h, 16, zeilen(p555)))
    p565 = [b"".join(struct.pack("<H", 0xF81F if (x + y) % 3 == 0 else (x * 2 % 32) << 11 | (y * 9 % 64) << 5 | 7)
                     for x in range(w)) for y in range(h)]
    masken565 = struct.pack("<III", 0xF800, 0x07E0, 0x001F)
    schreiben("bild", "rgb565.bmp", bmp(w, h, 16, zeilen(p565), kompression=3, masken=masken565))
    schreiben("bild", "rgb565_v5.bmp", bmp(w, h, 16, zeilen(p565), kompression=3, masken=masken565 + b"\0" * 4, kopf=124))
    # 24 and 32 bits
    p24 = [b"".join(bytes((x * 19 % 256, y * 37 % 256, (x + y) * 11 % 256)) for x in range(w)) for y in range(h)]
    schreiben("bild", "rgb24.bmp", bmp(w, h, 24, zeilen(p24)))
    schreiben("bild", "os2_rgb24.bmp", bmp(w, h, 24, zeilen(p24), kopf=12))
    p32 = [b"".join(bytes((x * 19 % 256, y * 37 % 256, 200, 255)) for x in range(w)) for y in range(h)]
    schreiben("bild", "rgb32.bmp", bmp(w, h, 32, zeilen(p32)))
    masken32 = struct.pack("<IIII", 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
    schreiben("bild", "argb32_v5.bmp", bmp(w, h, 32, zeilen(p32), kompression=3, masken=masken32, kopf=124))
    # one pixel, and a header that promises more than the file holds
    schreiben("bild", "ein_pixel.bmp", bmp(1, 1, 24, b"\x00\x00\xff\x00"))
    schreiben("bild", "zu_kurz.bmp", bmp(600, 400, 8, b"\x01\x02", grau_palette(256)))
    schreiben("bild", "riesig_rle8.bmp", bmp(20000, 20000, 8, b"\x00\x01", grau_palette(2), kompression=1))
    # the other formats the picture reader takes
    schreiben("bild", "grau.pgm", b"P5\n13 7\n255\n" + bytes(v for r in sektoren for v in r))
    schreiben("bild", "farbe.ppm", b"P6\n3 2\n255\n" + bytes(range(18)))
    roh = b"".join(b"\0" + bytes(r) for r in sektoren)
    png = b"\x89PNG\r\n\x1a\n"

    def block(art, inhalt):
        return struct.pack(">I", len(inhalt)) + art + inhalt + struct.pack(">I", zlib.crc32(art + inhalt))
    png += block(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 0, 0, 0, 0)) + block(b"IDAT", zlib.compress(roh)) + block(b"IEND", b"")
    schreiben("bild", "grau.png", png)


# ---- whole boards for the tallies ------------------------------------------------------------

def spielstand():
    # Sector edits, raw stacks and operations as the target's reader takes them; whatever a
    # seed lacks, the reader fills with a pattern.
    kopf = bytes([2, 5, 2, 7, 1, 4]) + b"Ural" + bytes([6, 9, 40, 0, 44]) + b"Z" * 40
    schreiben("spielstand", "klein", kopf + struct.pack("<i", 3) + stapel(100.5, 50.5, 1, 1, 1, 5) +
              stapel(10, 10, 9, 4, 4400, 7) + stapel(float("nan"), 1, 2, 3, 7, 200) + bytes(range(256)))
    schreiben("spielstand", "voll", bytes([0]) + struct.pack("<i", 1000) + bytes(range(256)) * 4)


# ---- the tool's JSON form of both ------------------------------------------------------------

def konvertieren():
    arten = ["Flag", "Infantry", "Armor", "Fighter", "Bomber", "Transport", "Submarine", "Aircraftcarrier",
             "Battleship", "Industrial Complex", "AnitAirCannon"]
    besitzer = ["neutral", "Russia", "Germany", "United Kingdom", "Japan", "United States"]
    stacks = [{"x": 100.5, "y": 50.5, "kind": "Infantry", "owner": "Russia", "count": 12, "sector": 7},
              {"x": "0x7ff8000000000000", "y": -1e300, "kind": 12, "owner": 0, "count": 65535, "sector": 255,
               "padding": "ab01cd"},
              {"x": 3, "y": 4, "kind": "Battleship", "owner": "Japan", "count": 0, "sector": 128}]
    schreiben("konvertieren", "map.json", json.dumps({"format": "qelmap map", "stacks": stacks,
                                                      "trailing": "00ff"}, indent=1).encode())
    sectors = []
    for s in range(1, 131):
        e = {"number": s, "name": "Sektor %d" % s, "owner": besitzer[s % 6], "icps": s % 13, "land": s % 3 != 0,
             "hotspot": [12 * s, 7 * s]}
        if s == 1:
            e.update({"name": "X" * 40, "name_length": 200, "reserve": "01" * 24, "land": 2,
                      "hotspot": [-2147483648, 2147483647]})
        if s == 2:
            e.update({"name": "\u00e4\u00f6=[]_", "name_rest": "00" * 34, "owner": 6})
        sectors.append(e)
    schreiben("konvertieren", "sectors.json", json.dumps({"format": "qelmap sectors", "sectors": sectors}).encode())
    schreiben("konvertieren", "falsch.json", b'{"format": "qelmap map", "stacks": [{"x": 1}], "extra": [[[[]]]]}')


# ---- byte streams for the targets that take their values one by one ---------------------------

def strom(samen, laenge):
    out = b""
    block = samen.encode()
    while len(out) < laenge:
        block = hashlib.sha256(block).digest()
        out += block
    return out[:laenge]


def stroeme():
    for ziel_, laengen in (("surface", (16, 40, 64)), ("frame", (64, 600, 3000)), ("spielstand", (100, 2000))):
        for n in laengen:
            schreiben(ziel_, "strom_%d" % n, strom(ziel_ + str(n), n))


if __name__ == "__main__":
    map_dateien()
    sektor_dateien()
    einstellungen()
    bilder()
    spielstand()
    konvertieren()
    stroeme()
