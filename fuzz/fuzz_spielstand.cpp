// The tallies, the unit list and the piece-list operations on any board: sectors with any
// owners, incomes and names, stacks with any kind, owner, count, sector and position (NaN
// and infinities included), then any sequence of hit tests, placings, reductions and
// deletions. Nothing may read or write outside the tables, the list stays within 0..1000
// stacks, and the texts keep their shape.
#include <cmath>
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>
#include <regex>
#include <vector>

#include "FuzzHilfen.h"
#include "UListen.h"
#include "UPieces.h"
#include "USpielstand.h"
#include "UVariablen.h"

namespace {

// A sector picture of the map's size whose blocks run through every grey level, borders,
// "no sector" and the numbers without a record included.
void SektorBildAnlegen() {
    SektorBild.Breite = MapBreite;
    SektorBild.Hoehe = MapHoehe;
    SektorBild.BitsProPixel = 8;
    SektorBild.Rgb.resize(static_cast<std::size_t>(MapBreite) * MapHoehe);
    for (int y = 0; y < MapHoehe; ++y)
        for (int x = 0; x < MapBreite; ++x) {
            std::uint32_t s = static_cast<std::uint32_t>((x / 25 + (y / 25) * 64) % 256);
            SektorBild.Rgb[static_cast<std::size_t>(y) * MapBreite + x] = s << 16 | s << 8 | s;
        }
    SektorBildGeladen = true;
}

double Koordinate(FuzzedDataProvider& fdp) {
    switch (fdp.ConsumeIntegralInRange<int>(0, 3)) {
        case 0: return fdp.ConsumeIntegralInRange<int>(-50, MapBreite + 50);
        case 1: return fdp.ConsumeFloatingPoint<double>();  // any value, NaN and infinities included
        case 2: return fdp.ConsumeIntegralInRange<int>(0, MapBreite * 4) / 4.0;  // ties of the rounding
        default: {
            double d;
            std::uint64_t bits = fdp.ConsumeIntegral<std::uint64_t>();
            std::memcpy(&d, &bits, 8);
            return d;
        }
    }
}

void BrettLesen(FuzzedDataProvider& fdp) {
    for (int s = 1; s <= SektorenAnzahl; ++s) {
        std::memset(&Sektoren[s], 0, sizeof(TSektor));
        SektorNameSetzen(Sektoren[s], "S" + std::to_string(s));
        Sektoren[s].StartBesitzer = static_cast<std::uint8_t>(s % 6);
        Sektoren[s].ICPs = static_cast<std::uint8_t>(s % 13);
    }
    for (int k = fdp.ConsumeIntegral<std::uint8_t>(); k > 0 && fdp.remaining_bytes() > 0; --k) {
        TSektor& r = Sektoren[1 + fdp.ConsumeIntegral<std::uint8_t>() % SektorenAnzahl];
        r.StartBesitzer = fdp.ConsumeIntegral<std::uint8_t>();
        r.ICPs = fdp.ConsumeIntegral<std::uint8_t>();
        r.Land = fdp.ConsumeIntegral<std::uint8_t>();
        r.NameLaenge = fdp.ConsumeIntegral<std::uint8_t>();
        std::vector<std::uint8_t> name = fdp.ConsumeBytes<std::uint8_t>(std::min<std::size_t>(r.NameLaenge, 40));
        if (!name.empty()) std::memcpy(r.NameZeichen, name.data(), name.size());
    }
    // Stacks as raw records as long as the input lasts, then a pattern, so that short inputs
    // still make full boards.
    // Mostly small boards, which run fast; now and then a full one.
    EinheitenAnzahl = fdp.ConsumeBool() ? fdp.ConsumeIntegralInRange<std::int32_t>(0, MaxEinheiten)
                                        : fdp.ConsumeIntegralInRange<std::int32_t>(0, 40);
    for (std::int32_t i = 1; i <= EinheitenAnzahl; ++i) {
        TEinheit& e = Einheiten[i];
        e = TEinheit{double(i % MapBreite), double(i % MapHoehe), static_cast<std::uint8_t>(i % 13),
                     static_cast<std::uint8_t>(i % 7), static_cast<std::uint16_t>(i * 37), static_cast<std::uint8_t>(i),
                     {0, 0, 0}};
        std::vector<std::uint8_t> roh = fdp.ConsumeBytes<std::uint8_t>(sizeof(TEinheit));
        if (!roh.empty()) std::memcpy(&e, roh.data(), roh.size());
    }
}

void Operationen(FuzzedDataProvider& fdp) {
    Zoom = fdp.ConsumeIntegralInRange<std::int32_t>(1, 6);
    ScrollX = fdp.ConsumeIntegralInRange<std::int32_t>(0, MapBreite);
    ScrollY = fdp.ConsumeIntegralInRange<std::int32_t>(0, MapHoehe);
    for (int n = 0; n < 64 && fdp.remaining_bytes() > 0; ++n) {
        switch (fdp.ConsumeIntegralInRange<int>(0, 5)) {
            case 0: {
                TPunkt p{fdp.ConsumeIntegral<std::int32_t>(), fdp.ConsumeIntegral<std::int32_t>()};
                std::int32_t i = EinheitAnPunkt(p);
                FUZZ_PRUEFEN(i >= 0 && i <= EinheitenAnzahl, "hit test outside the list");
                break;
            }
            case 1: {
                std::uint16_t nummer, anzahl;
                EinheitSuchen(fdp.ConsumeIntegral<std::uint8_t>(), fdp.ConsumeIntegral<std::uint8_t>(),
                              fdp.ConsumeIntegral<std::uint8_t>(), nummer, anzahl);
                FUZZ_PRUEFEN(nummer <= EinheitenAnzahl && (nummer != 0 || anzahl == 0), "search result outside the list");
                break;
            }
            case 2: {
                const double x = Koordinate(fdp), y = Koordinate(fdp);
                EinheitenSetzen(MapPunkt(x, y), fdp.ConsumeIntegral<std::uint8_t>(), fdp.ConsumeIntegral<std::uint8_t>(),
                                fdp.ConsumeIntegral<std::uint16_t>());
                break;
            }
            case 3:
                EinheitReduzieren(fdp.ConsumeIntegralInRange<std::uint32_t>(0, MaxEinheiten + 2),
                                  fdp.ConsumeIntegral<std::uint16_t>());
                break;
            case 4:
                EinheitLoeschen(fdp.ConsumeIntegral<std::uint32_t>() % (MaxEinheiten + 3));
                break;
            default:
                EinheitHinzufuegen(fdp.ConsumeIntegral<std::uint8_t>(), fdp.ConsumeIntegral<std::uint8_t>(),
                                   fdp.ConsumeIntegral<std::uint8_t>(), Koordinate(fdp), Koordinate(fdp),
                                   fdp.ConsumeIntegral<std::uint16_t>());
                break;
        }
        FUZZ_PRUEFEN(EinheitenAnzahl >= 0 && EinheitenAnzahl <= MaxEinheiten, "stack count outside 0..1000");
    }
}

void TextePruefen() {
    static const std::regex land("((\\d+)(Inf|Arm|Ftr|Bom) ?)*");
    static const std::regex see("((\\d+)(Trn|Sub|AC|BB) ?)*");
    static const std::regex alle("((\\d+)(Inf|Arm|Ftr|Bom|Trn|Sub|AC|BB) ?)*");
    for (int i = 0; i < 21; ++i) {
        const std::string& t = Spielstand.UnitHints[i];
        const std::regex& muster = i % 3 == hwLand ? land : i % 3 == hwSea ? see : alle;
        FUZZ_PRUEFEN(std::regex_match(t, muster), "hint text " + std::to_string(i) + " is \"" + t + "\"");
    }
    for (int p = 1; p <= 5; ++p) FUZZ_PRUEFEN(Spielstand.Income[p] <= 127u * 255u, "income beyond every sector");
}

// The unit list searches the board per power, sector and kind: two of its eight option sets
// per run keep the runs short.
void UnitListePruefen(int optionenA, int optionenB) {
    for (int optionen : {optionenA, optionenB}) {
        const std::vector<std::string> z = UnitListeZeilen(optionen & 1, optionen & 2, optionen & 4);
        int power = 0;
        for (const std::string& zeile : z)
            if (zeile.rfind("***** ", 0) == 0) {
                ++power;
                FUZZ_PRUEFEN(zeile == std::string("***** ") + BesitzerName(power) + " *****", zeile);
            }
        FUZZ_PRUEFEN(power == 5, "the unit list has not five powers");
        FUZZ_PRUEFEN(z.size() <= 5u * (3 + SetzSektoren * 14), "the unit list is longer than the board allows");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t laenge) {
    static const bool bild = (SektorBildAnlegen(), true);
    (void)bild;
    FuzzedDataProvider fdp(daten, laenge);
    PieceGeometrieSetzen(15, 10);
    BrettLesen(fdp);
    SpielstandBerechnen();
    TextePruefen();
    const int optionen = fdp.ConsumeIntegralInRange<int>(0, 7);
    Operationen(fdp);
    SpielstandBerechnen();
    TextePruefen();
    UnitListePruefen(7, optionen);
    return 0;
}
