#include "UPieces.h"

#include <cstring>

#include "USpielstand.h"
#include "UStapelPlatz.h"

std::int32_t EinheitAnPunkt(TPunkt p) {
    const std::int64_t w = PieceGroesse.X, h = PieceGroesse.Y;
    const std::int64_t px = static_cast<std::int64_t>(p.X) + PieceHalbe.X;
    const std::int64_t py = static_cast<std::int64_t>(p.Y) + PieceHalbe.Y;
    for (std::int32_t i = EinheitenAnzahl; i >= 1; --i) {
        TPunkt s = MapZuView(TMapPunkt{Einheiten[i].X, Einheiten[i].Y});
        if (s.X <= px && px <= s.X + w && s.Y <= py && py <= s.Y + h) return i;
    }
    return 0;
}

void EinheitSuchen(std::uint8_t sektor, TEinheitArt art, TBesitzer besitzer, std::uint16_t& nummer,
                   std::uint16_t& anzahl) {
    nummer = 0;
    anzahl = 0;
    for (std::int32_t i = 1; i <= EinheitenAnzahl; ++i) {
        const TEinheit& e = Einheiten[i];
        if (e.Sektor == sektor && e.Art == art && e.Besitzer == besitzer) {
            nummer = static_cast<std::uint16_t>(i);
            anzahl = e.Anzahl;
            return;
        }
    }
}

void EinheitenSetzen(TMapPunkt m, TEinheitArt art, TBesitzer besitzer, std::uint16_t anzahl) {
    if (art < 1 || art > ArtenAnzahl || besitzer < 1 || besitzer > BesitzerAnzahl) return;
    std::uint8_t s = SektorAn(m);
    AktuellerSektor = s;
    if (s < 1 || s > SetzSektoren) return;
    if (art == eaFlagge) FremdeFlaggenEntfernen(s, besitzer);
    std::uint16_t nummer, vorher;
    EinheitSuchen(s, art, besitzer, nummer, vorher);
    if (vorher == 0) {
        const TMapPunkt p = FreierStapelPlatz(s, m);
        EinheitHinzufuegen(s, art, besitzer, p.X, p.Y, anzahl);
    } else {
        std::uint32_t summe = static_cast<std::uint32_t>(vorher) + anzahl;  // no 16-bit overflow
        Einheiten[nummer].Anzahl = static_cast<std::uint16_t>(summe > StapelGrenze ? StapelGrenze : summe);
    }
    SpielstandAktualisieren();
}

void FremdeFlaggenEntfernen(std::uint8_t sektor, TBesitzer besitzer) {
    for (std::int32_t i = EinheitenAnzahl; i >= 1; --i) {
        const TEinheit& e = Einheiten[i];
        if (e.Sektor == sektor && e.Art == eaFlagge && e.Besitzer != besitzer) EinheitLoeschen(static_cast<std::uint32_t>(i));
    }
}

void EinheitHinzufuegen(std::uint8_t sektor, TEinheitArt art, TBesitzer besitzer, double x, double y,
                        std::uint16_t anzahl) {
    if (EinheitenAnzahl >= MaxEinheiten) return;
    ++EinheitenAnzahl;
    TEinheit& e = Einheiten[EinheitenAnzahl];
    // The padding bytes are left as they are: files keep whatever the slot held.
    e.X = x;
    e.Y = y;
    e.Art = art;
    e.Besitzer = besitzer;
    e.Anzahl = anzahl;
    e.Sektor = sektor;
}

void EinheitLoeschen(std::uint32_t i) {
    if (i < 1 || EinheitenAnzahl < 1 || i > static_cast<std::uint32_t>(EinheitenAnzahl)) return;
    if (i < static_cast<std::uint32_t>(EinheitenAnzahl))
        std::memmove(&Einheiten[i], &Einheiten[i + 1], sizeof(TEinheit) * (EinheitenAnzahl - i));
    --EinheitenAnzahl;
}

void EinheitReduzieren(std::uint32_t i, std::uint16_t n) {
    if (i < 1 || EinheitenAnzahl < 1 || i > static_cast<std::uint32_t>(EinheitenAnzahl)) return;
    if (n < Einheiten[i].Anzahl)
        Einheiten[i].Anzahl = static_cast<std::uint16_t>(Einheiten[i].Anzahl - n);
    else
        EinheitLoeschen(i);
    SpielstandAktualisieren();
}
