#pragma once
// Software surfaces in the desktop's pixel format: 16 bits per pixel (5-6-5) or 32 bits
// (x8r8g8b8, the unused byte kept at 0xFF so that the pixels are a valid QImage RGB32).
// The map view is composed in these off screen and handed to the window as plain pixels.
#include <cstdint>
#include <vector>

#include "UBild.h"

// Result of a surface operation; 0 is success.
using TErgebnis = std::int32_t;
constexpr TErgebnis erOK = 0;
constexpr TErgebnis erKeineSurface = 1;      // a surface of the call does not exist
constexpr TErgebnis erFormat = 2;            // the two surfaces differ in pixel format
constexpr TErgebnis erGroesse = 3;           // a width or height below 1
constexpr TErgebnis erKeinSpeicher = 4;      // the pixels could not be allocated
constexpr TErgebnis erFarbtiefe = 5;         // a bits-per-pixel value other than 16 or 32
constexpr TErgebnis erKeineAnwendung = 6;    // no graphical application object exists
constexpr TErgebnis erKeinBildschirm = 7;    // the application has no primary screen

// Our own description of a result code, for the error messages.
const char* ErgebnisText(TErgebnis e);

// Rectangle: right and bottom exclusive.
struct TRect {
    std::int32_t Left, Top, Right, Bottom;
};
// A clip rectangle that cuts nothing.
constexpr TRect Ueberall = {-(1 << 30), -(1 << 30), 1 << 30, 1 << 30};

struct TSurface {
    std::int32_t Breite = 0;
    std::int32_t Hoehe = 0;
    std::int32_t BitsProPixel = 0;   // 16 or 32
    std::int32_t Abstand = 0;        // bytes from one row to the next
    bool HatFarbschluessel = false;
    std::uint32_t Farbschluessel = 0;  // in the surface's own format (0xF81F, 0xFF00FF)
    std::vector<std::uint8_t> Pixel;

    std::uint8_t* Zeile(std::int32_t y) { return Pixel.data() + static_cast<std::size_t>(y) * Abstand; }
    const std::uint8_t* Zeile(std::int32_t y) const {
        return Pixel.data() + static_cast<std::size_t>(y) * Abstand;
    }

    // The copies (UKopieren).
    // Copies the source rectangle q of quelle into the rectangle z of this surface, scaling
    // it nearest-neighbour (at a whole-number ratio each source pixel becomes an exact
    // block). No colour key. The copy is clipped to both surfaces and to klipp, each pixel
    // written exactly as without the cut; an empty rectangle copies nothing and succeeds.
    TErgebnis Blt(const TRect& z, const TSurface* quelle, const TRect& q, const TRect& klipp = Ueberall);
    // Copies the source rectangle q unscaled to (x, y), leaving out the source pixels equal
    // to the source's colour key (all pixels are copied when it has none). Clipped likewise.
    TErgebnis BltFast(std::int32_t x, std::int32_t y, const TSurface* quelle, const TRect& q,
                      const TRect& klipp = Ueberall);
    // This layer keeps its pixels in ordinary memory, so they are never taken away.
    bool IsLost() const { return false; }
    TErgebnis Restore() { return erOK; }
};

// Allocates a surface of the given size and format, filled with black, without colour key.
TErgebnis SurfaceErzeugen(TSurface& s, std::int32_t breite, std::int32_t hoehe, std::int32_t bitsProPixel);
void SurfaceFreigeben(TSurface& s);
// The key is given in the surface's own format.
void SurfaceFarbschluesselSetzen(TSurface& s, std::uint32_t schluessel);

// Pixel conversion between 0x00RRGGBB and the surface formats. 5-6-5 keeps the top bits
// of each channel and widens back exactly (31 becomes 255).
inline std::uint16_t Rgb565(std::uint32_t rgb) {
    return static_cast<std::uint16_t>(((rgb >> 8) & 0xF800) | ((rgb >> 5) & 0x07E0) | ((rgb >> 3) & 0x001F));
}
inline std::uint32_t Rgb565Zurueck(std::uint16_t p) {
    std::uint32_t r = (p >> 11) & 31, g = (p >> 5) & 63, b = p & 31;
    return ((r << 3 | r >> 2) << 16) | ((g << 2 | g >> 4) << 8) | (b << 3 | b >> 2);
}
// The pixel value of an RGB colour in the given format.
std::uint32_t PixelWert(std::int32_t bitsProPixel, std::uint32_t rgb);

// Single pixels as 0x00RRGGBB; callers test the bounds.
std::uint32_t PixelLesen(const TSurface& s, std::int32_t x, std::int32_t y);
void PixelSetzen(TSurface& s, std::int32_t x, std::int32_t y, std::uint32_t rgb);
void SurfaceFuellen(TSurface& s, std::uint32_t rgb);

// Copies the top-left breite x hoehe pixels of a loaded picture into the surface at (0, 0),
// converting them to its format. Pixels outside the picture or the surface are left alone.
TErgebnis BildInSurface(TSurface& ziel, const TBild& bild, std::int32_t breite, std::int32_t hoehe);

// ---- Display mode ---------------------------------------------------------------------------
struct TAnzeigeModus {
    std::int32_t Breite = 0;
    std::int32_t Hoehe = 0;
    std::int32_t BitsProPixel = 0;  // the screen's depth as reported
};
// Needs a QGuiApplication: erKeineAnwendung without one.
TErgebnis AnzeigePruefen();
// Size and depth of the primary screen.
TErgebnis AnzeigeModusLesen(TAnzeigeModus& modus);
