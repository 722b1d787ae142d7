#pragma once
// A picture loaded from a bitmap file, held in memory for single-pixel reads and for
// copies into surfaces.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct TBild {
    int Breite = 0;
    int Hoehe = 0;
    int BitsProPixel = 0;             // as stored in the file: 1, 4, 8, 16, 24 or 32
    std::vector<std::uint32_t> Rgb;   // 0x00RRGGBB per pixel, row by row; 5-6-5 pixels expanded exactly
};

// Room for the largest picture read (4096 x 4096 pixels of 32 bits) and its headers.
constexpr std::size_t BildDateiGrenze = std::size_t{4096} * 4096 * 4 + (1 << 16);

// Loads a picture file (any format QImage reads; BMP above all). Raises EDateiFehler naming
// the file when it is missing, cannot be read as a picture or has more than 4096 x 4096 pixels.
void BildLaden(TBild& bild, const std::string& pfad);

// Loads a picture from bytes in memory; name is only used in the error message.
void BildAusBytes(TBild& bild, const std::uint8_t* daten, std::size_t laenge, const std::string& name);

// The red component of the pixel at (x, y); for a grey-palette picture this is the palette
// index. Callers test the bounds.
inline std::uint8_t BildRot(const TBild& bild, int x, int y) {
    return static_cast<std::uint8_t>(bild.Rgb[static_cast<std::size_t>(y) * bild.Breite + x] >> 16);
}
