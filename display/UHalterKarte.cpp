#include "UHalterKarte.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "UDDrawInit.h"
#include "USpielstand.h"
#include "UVariablen.h"

std::uint32_t HalterKarteStand = 0;

namespace {

TSurface Getoent;

// What the tinted picture was built for: per sector the holder whose colour it shows (0 for
// none), and the map surface it was copied from.
std::uint8_t GebautFuer[SetzSektoren + 1];
const TSurface* GebautAus = nullptr;
std::int32_t GebautBits = 0;
bool Gebaut = false;
bool ZeigtGetoent = false;

// The powers' colours, learnt from the map and the sector picture for these start owners.
std::uint32_t Farben[BesitzerAnzahl + 1];
bool FarbeBekannt[BesitzerAnzahl + 1];
std::uint8_t GelerntFuer[SetzSektoren + 1];  // start owner + 1 of each land sector, 0 for sea
bool Gelernt = false;

// The bounding rectangle of each sector in the sector picture.
TRect Gebiet[SetzSektoren + 1];
bool GebieteGesetzt = false;

// Pixels counted by their 5-6-5 value, and the first full colour seen of each.
std::uint32_t Histogramm[BesitzerAnzahl + 1][65536];
std::uint32_t Beispiel[BesitzerAnzahl + 1][65536];

std::int32_t Breite() { return SurfaceMap ? std::min(SurfaceMap->Breite, SektorBild.Breite) : 0; }
std::int32_t Hoehe() { return SurfaceMap ? std::min(SurfaceMap->Hoehe, SektorBild.Hoehe) : 0; }

bool BilderDa() {
    return SurfaceMap && SektorBildGeladen && Breite() > 0 && Hoehe() > 0 &&
           SektorBild.Rgb.size() >= static_cast<std::size_t>(SektorBild.Breite) * SektorBild.Hoehe;
}

std::uint8_t IndexAn(std::int32_t x, std::int32_t y) { return BildRot(SektorBild, x, y); }

std::uint32_t Lesen(const TSurface& s, const std::uint8_t* zeile, std::int32_t x) {
    if (s.BitsProPixel == 16) return Rgb565Zurueck(reinterpret_cast<const std::uint16_t*>(zeile)[x]);
    return reinterpret_cast<const std::uint32_t*>(zeile)[x] & 0xFFFFFFu;
}

void GebieteSetzen() {
    if (GebieteGesetzt) return;
    for (int s = 1; s <= SetzSektoren; ++s) Gebiet[s] = TRect{Breite(), Hoehe(), 0, 0};
    for (std::int32_t y = 0; y < Hoehe(); ++y)
        for (std::int32_t x = 0; x < Breite(); ++x) {
            const std::uint8_t s = IndexAn(x, y);
            if (s < 1 || s > SetzSektoren) continue;
            TRect& r = Gebiet[s];
            r.Left = std::min(r.Left, x);
            r.Top = std::min(r.Top, y);
            r.Right = std::max(r.Right, x + 1);
            r.Bottom = std::max(r.Bottom, y + 1);
        }
    GebieteGesetzt = true;
}

std::uint8_t StartCode(int s) {
    const TSektor& r = Sektoren[s];
    return r.Land && r.StartBesitzer <= BesitzerAnzahl ? static_cast<std::uint8_t>(r.StartBesitzer + 1) : 0;
}

// The commonest colour of each owner's land.
void FarbenLernen() {
    std::uint8_t codes[SetzSektoren + 1] = {};
    for (int s = 1; s <= SetzSektoren; ++s) codes[s] = StartCode(s);
    if (Gelernt && std::memcmp(codes, GelerntFuer, sizeof codes) == 0) return;
    std::memcpy(GelerntFuer, codes, sizeof codes);
    Gelernt = true;
    std::memset(Histogramm, 0, sizeof Histogramm);
    for (std::int32_t y = 0; y < Hoehe(); ++y) {
        const std::uint8_t* zeile = SurfaceMap->Zeile(y);
        for (std::int32_t x = 0; x < Breite(); ++x) {
            const std::uint8_t s = IndexAn(x, y);
            if (s < 1 || s > SetzSektoren || !codes[s]) continue;
            const std::uint32_t rgb = Lesen(*SurfaceMap, zeile, x);
            const std::uint16_t k = Rgb565(rgb);
            if (Histogramm[codes[s] - 1][k]++ == 0) Beispiel[codes[s] - 1][k] = rgb;
        }
    }
    for (int o = 0; o <= BesitzerAnzahl; ++o) {
        const std::uint32_t* h = Histogramm[o];
        const std::uint32_t* m = std::max_element(h, h + 65536);
        FarbeBekannt[o] = *m > 0;
        Farben[o] = Beispiel[o][m - h];
    }
}

// A few colours make up nearly all of a sector (its colour, two shades, the name's ink and
// halo); each is worked out once and kept, tagged with the pair of owners.
constexpr int CacheBits = 12;
std::uint32_t CacheSchluessel[1 << CacheBits];
std::uint32_t CacheWert[1 << CacheBits];

std::uint32_t Getoent1(std::uint32_t rgb, int paar, std::uint32_t von, std::uint32_t nach, std::int32_t bits) {
    const std::uint32_t schluessel = (static_cast<std::uint32_t>(paar) << 24 | rgb) + 1;
    const std::uint32_t k = ((rgb ^ static_cast<std::uint32_t>(paar) * 0x9E3779B9u) * 2654435761u) >> (32 - CacheBits);
    if (CacheSchluessel[k] != schluessel) {
        CacheSchluessel[k] = schluessel;
        CacheWert[k] = PixelWert(bits, HalterFarbe(rgb, von, nach));
    }
    return CacheWert[k];
}

void SektorToenen(int s, int von, int halter) {
    const int paar = von * 8 + halter;
    const TRect& r = Gebiet[s];
    const std::int32_t bits = Getoent.BitsProPixel;
    for (std::int32_t y = r.Top; y < r.Bottom; ++y) {
        std::uint8_t* zeile = Getoent.Zeile(y);
        const std::uint32_t* index = SektorBild.Rgb.data() + static_cast<std::size_t>(y) * SektorBild.Breite;
        for (std::int32_t x = r.Left; x < r.Right; ++x) {
            if (static_cast<std::uint8_t>(index[x] >> 16) != s) continue;
            const std::uint32_t p = Getoent1(Lesen(Getoent, zeile, x), paar, Farben[von], Farben[halter], bits);
            if (bits == 16)
                reinterpret_cast<std::uint16_t*>(zeile)[x] = static_cast<std::uint16_t>(p);
            else
                reinterpret_cast<std::uint32_t*>(zeile)[x] = p;
        }
    }
}

// Per sector the holder whose colour it is to show (low four bits) and the start owner whose
// colour it replaces (high four), 0 where it shows the map as it is.
void Wunsch(std::uint8_t* wunsch) {
    std::memset(wunsch, 0, SetzSektoren + 1);
    if (!HalterAnzeigen || !BilderDa()) return;
    for (int s = 1; s <= SetzSektoren; ++s) {
        const TSektor& r = Sektoren[s];
        const std::uint8_t h = Spielstand.Halter[s];
        if (!r.Land || h < 1 || h > BesitzerAnzahl || h == r.StartBesitzer || r.StartBesitzer > BesitzerAnzahl) continue;
        wunsch[s] = static_cast<std::uint8_t>(r.StartBesitzer << 4 | h);
    }
}

}  // namespace

std::uint32_t HalterFarbe(std::uint32_t rgb, std::uint32_t von, std::uint32_t nach) {
    const double c[3] = {double(rgb >> 16 & 255), double(rgb >> 8 & 255), double(rgb & 255)};
    const double b[3] = {double(von >> 16 & 255), double(von >> 8 & 255), double(von & 255)};
    // Is the pixel the land colour darkened (shade, ink) or mixed with white (halo)? That is,
    // close to a * colour + w * white with a, w >= 0.
    const double bb = b[0] * b[0] + b[1] * b[1] + b[2] * b[2], ww = 3.0 * 255 * 255;
    const double bw = 255.0 * (b[0] + b[1] + b[2]);
    const double cb = c[0] * b[0] + c[1] * b[1] + c[2] * b[2], cw = 255.0 * (c[0] + c[1] + c[2]);
    auto rest = [&](double a, double w) {
        double m = 0;
        for (int k = 0; k < 3; ++k) m = std::max(m, std::fabs(c[k] - a * b[k] - w * 255.0));
        return m;
    };
    double beste = 1e9;
    const double det = bb * ww - bw * bw;
    if (det > 1e-3 * bb * ww) {
        const double a = (cb * ww - cw * bw) / det, w = (cw * bb - cb * bw) / det;
        if (a >= 0 && w >= 0) beste = rest(a, w);
    }
    if (bb > 0) beste = std::min(beste, rest(std::max(0.0, cb / bb), 0));
    beste = std::min(beste, rest(0, std::max(0.0, cw / ww)));
    constexpr double Toleranz = 20;
    if (beste > Toleranz) return rgb;
    // Each channel on its own: 0 stays 0, 255 stays 255, the old colour becomes the new one,
    // and what lies between follows in proportion.
    std::uint32_t aus = 0;
    for (int k = 0; k < 3; ++k) {
        const double alt = b[k], neu = double(nach >> (16 - 8 * k) & 255);
        double v;
        if (c[k] <= alt)
            v = alt > 0 ? c[k] * neu / alt : neu;
        else
            v = alt < 255 ? neu + (c[k] - alt) * (255 - neu) / (255 - alt) : neu;
        aus = aus << 8 | static_cast<std::uint32_t>(std::clamp(std::lround(v), 0L, 255L));
    }
    return aus;
}

bool BesitzerFarbe(int besitzer, std::uint32_t& rgb) {
    if (besitzer < 0 || besitzer > BesitzerAnzahl || !BilderDa()) return false;
    GebieteSetzen();
    FarbenLernen();
    rgb = Farben[besitzer];
    return FarbeBekannt[besitzer];
}

void HalterKarteVerwerfen() {
    Gebaut = Gelernt = GebieteGesetzt = false;
    std::memset(CacheSchluessel, 0, sizeof CacheSchluessel);
}

bool HalterKarteAktualisieren() {
    std::uint8_t wunsch[SetzSektoren + 1];
    Wunsch(wunsch);
    const bool gleicheKarte = SurfaceMap == GebautAus && (SurfaceMap ? SurfaceMap->BitsProPixel : 0) == GebautBits;
    if (Gebaut && gleicheKarte && std::memcmp(wunsch, GebautFuer, sizeof wunsch) == 0) return false;
    const bool vorher = ZeigtGetoent;
    const bool warGebaut = Gebaut;
    std::memcpy(GebautFuer, wunsch, sizeof wunsch);
    GebautAus = SurfaceMap;
    GebautBits = SurfaceMap ? SurfaceMap->BitsProPixel : 0;
    Gebaut = true;
    ZeigtGetoent = false;
    if (BilderDa()) {
        GebieteSetzen();
        FarbenLernen();
        for (int s = 1; s <= SetzSektoren; ++s)
            if (wunsch[s] && (!FarbeBekannt[wunsch[s] >> 4] || !FarbeBekannt[wunsch[s] & 15])) wunsch[s] = 0;
        ZeigtGetoent = std::any_of(wunsch + 1, wunsch + SetzSektoren + 1, [](std::uint8_t h) { return h != 0; });
    }
    if (ZeigtGetoent) {
        if (Getoent.Breite != SurfaceMap->Breite || Getoent.Hoehe != SurfaceMap->Hoehe ||
            Getoent.BitsProPixel != SurfaceMap->BitsProPixel || Getoent.Pixel.empty())
            if (SurfaceErzeugen(Getoent, SurfaceMap->Breite, SurfaceMap->Hoehe, SurfaceMap->BitsProPixel) != erOK) {
                // Without room for a second picture the map is shown as it is.
                SurfaceFreigeben(Getoent);
                ZeigtGetoent = false;
            }
    }
    if (ZeigtGetoent) {
        std::memcpy(Getoent.Pixel.data(), SurfaceMap->Pixel.data(), std::min(Getoent.Pixel.size(), SurfaceMap->Pixel.size()));
        for (int s = 1; s <= SetzSektoren; ++s)
            if (wunsch[s]) SektorToenen(s, wunsch[s] >> 4, wunsch[s] & 15);
    }
    // A picture with no sector tinted is the map itself: nothing changed on the view.
    const bool geaendert = ZeigtGetoent || vorher || !warGebaut;
    if (geaendert) ++HalterKarteStand;
    return geaendert;
}

const TSurface* KarteFuerFrame() {
    HalterKarteAktualisieren();
    return ZeigtGetoent ? &Getoent : SurfaceMap;
}
