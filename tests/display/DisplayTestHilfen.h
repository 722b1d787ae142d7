#pragma once
// Synthetic map and pieces pictures whose every pixel tells where it came from, and a model
// of the back surface that the tests paint into the same way the drawing should.
#include <cstdint>
#include <vector>

#include "USurface.h"

constexpr std::uint32_t Magenta = 0xFF00FF;
constexpr std::uint32_t Rand = 0x123456;  // fills the back surface before a test draws

// Map pixel (x, y): unique, never magenta.
inline std::uint32_t MapFarbe(int x, int y) { return 0xC00000u | (std::uint32_t(y) << 11) | std::uint32_t(x); }
// Pieces pixel (x, y): magenta on every third diagonal, else its position.
inline std::uint32_t PiecesFarbe(int x, int y) {
    return (x + y) % 3 == 0 ? Magenta : (std::uint32_t(y) << 16) | std::uint32_t(x);
}

// Creates the display for a desktop of the given size and depth, fills the map and pieces
// surfaces with the patterns, sets the 15 x 10 geometry and a view of breite x hoehe.
void DisplayAufbauen(int bits, int breite, int hoehe, int desktopBreite = 1280, int desktopHoehe = 1024);
TBild MapMuster();
TBild PiecesMuster();

// The expected back surface.
struct TModell {
    int Breite, Hoehe;
    std::vector<std::uint32_t> Rgb;
    TModell();  // from the current back surface's size, all Rand
    std::uint32_t& At(int bx, int by) { return Rgb[std::size_t(by) * Breite + bx]; }
    void KarteLegen();  // the map under the view at the current scroll and zoom
    // Pieces rectangle q placed unscaled at view point (x, y); keyed leaves magenta out.
    void Legen(int x, int y, const TRect& q, bool keyed);
    void Zeichen(int x, int y, char ch);
    void Text(int x, int y, const char* s);
};
// Fills the back surface with Rand.
void BackLeeren();
// Index of the first pixel where the back surface differs from the model, -1 if none.
long Abweichung(const TModell& m);
