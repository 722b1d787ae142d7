// Board operations with a full piece list, each beside the floor it is judged against.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "UDatei.h"
#include "UDateien.h"
#include "UOdds.h"
#include "UPieces.h"
#include "USchritte.h"
#include "USpielstand.h"
#include "UTrends.h"
#include "UVariablen.h"
#include "UVergleich.h"
#include "UZuege.h"

namespace {

// 130 sectors in 10-pixel columns over the whole map and 1000 stacks spread over them.
void Brett() {
    VariablenZuruecksetzen();
    PieceGeometrieSetzen(15, 10);
    SektorBild.Breite = MapBreite;
    SektorBild.Hoehe = MapHoehe;
    SektorBild.Rgb.resize(static_cast<std::size_t>(MapBreite) * MapHoehe);
    for (int y = 0; y < MapHoehe; ++y)
        for (int x = 0; x < MapBreite; ++x) {
            std::uint32_t s = 1 + (x / 13) % 127;
            SektorBild.Rgb[static_cast<std::size_t>(y) * MapBreite + x] = s << 16 | s << 8 | s;
        }
    SektorBildGeladen = true;
    for (int s = 1; s <= 130; ++s) {
        SektorNameSetzen(Sektoren[s], "Sector " + std::to_string(s));
        Sektoren[s].StartBesitzer = static_cast<std::uint8_t>(s % 6);
        Sektoren[s].ICPs = static_cast<std::uint8_t>(s % 12);
    }
    for (int i = 0; i < MaxEinheiten; ++i) {
        double x = (i * 37) % MapBreite, y = (i * 53) % MapHoehe;
        EinheitHinzufuegen(SektorAn(MapPunkt(x, y)), static_cast<std::uint8_t>(1 + i % 11),
                           static_cast<std::uint8_t>(1 + i % 5), x, y, static_cast<std::uint16_t>(1 + i % 20));
    }
}

// The floor: one plain pass over the 1000 records that reads every field the tallies read.
void BM_Floor_PlainPass(benchmark::State& state) {
    Brett();
    for (auto _ : state) {
        std::uint32_t summe = 0;
        for (int i = 1; i <= EinheitenAnzahl; ++i)
            summe += Einheiten[i].Anzahl * Einheiten[i].Art + Einheiten[i].Besitzer + Einheiten[i].Sektor;
        benchmark::DoNotOptimize(summe);
    }
}
BENCHMARK(BM_Floor_PlainPass);

void BM_SpielstandBerechnen(benchmark::State& state) {
    Brett();
    for (auto _ : state) {
        SpielstandBerechnen();
        benchmark::DoNotOptimize(Spielstand.AxisIncome);
    }
}
BENCHMARK(BM_SpielstandBerechnen);

void BM_EinheitAnPunkt(benchmark::State& state) {
    Brett();
    std::int32_t x = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(EinheitAnPunkt(TPunkt{x, 400}));
        x = (x + 7) % 1240;
    }
}
BENCHMARK(BM_EinheitAnPunkt);

// Placing into an existing stack of a full list: search, merge and the tallies.
void BM_EinheitenSetzen(benchmark::State& state) {
    Brett();
    for (auto _ : state) EinheitenSetzen(MapPunkt(Einheiten[500].X, Einheiten[500].Y), Einheiten[500].Art,
                                         Einheiten[500].Besitzer, 1);
}
BENCHMARK(BM_EinheitenSetzen);

std::string TempDatei() {
    std::string ordner = std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path().string();
    return ordner + "/qelmap-bench-" + std::to_string(getpid()) + ".map";
}

void BM_Floor_MemcpyFile(benchmark::State& state) {
    Brett();
    std::vector<std::uint8_t> quelle(4 + 24 * MaxEinheiten, 1), ziel(quelle.size());
    for (auto _ : state) {
        std::memcpy(ziel.data(), quelle.data(), quelle.size());
        benchmark::DoNotOptimize(ziel.data());
    }
}
BENCHMARK(BM_Floor_MemcpyFile);

void BM_MapLaden(benchmark::State& state) {
    Brett();
    std::string datei = TempDatei();
    MapSpeichern(datei);
    for (auto _ : state) MapLaden(datei);
    std::filesystem::remove(datei);
}
BENCHMARK(BM_MapLaden);

// Includes writing a temporary file, flushing it to disk and renaming it over the target.
void BM_MapSpeichern(benchmark::State& state) {
    Brett();
    std::string datei = TempDatei();
    for (auto _ : state) MapSpeichern(datei);
    std::filesystem::remove(datei);
}
BENCHMARK(BM_MapSpeichern);

// The floor of undo and redo: one copy of the whole piece list and sector table each way.
void BM_Floor_StandKopieren(benchmark::State& state) {
    Brett();
    static TEinheit e[MaxEinheiten + 1];
    static TSektor t[SektorenAnzahl + 1];
    for (auto _ : state) {
        std::memcpy(e, Einheiten, sizeof e), std::memcpy(t, Sektoren, sizeof t);
        benchmark::DoNotOptimize(e);
        std::memcpy(Einheiten, e, sizeof e), std::memcpy(Sektoren, t, sizeof t);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Floor_StandKopieren);

// Undo and redo of one step with the tallies after each, without the frame (goal: 1 ms).
// The bomb takes the first of 1000 stacks, so 999 records move; the whole position is a
// "load map" of another 1000 stacks.
void RueckgaengigWiederholen(benchmark::State& state, bool ganz) {
    Brett();
    SchritteLeeren();
    SchrittBeginnen();
    if (ganz)
        for (int i = 1; i <= MaxEinheiten; ++i) Einheiten[i].X += 1, Einheiten[i].Anzahl ^= 3;
    else
        EinheitReduzieren(1, 65000);
    SchrittBeenden(TSchrittAngaben{});
    for (auto _ : state) {
        Rueckgaengig();
        SpielstandBerechnen();
        Wiederholen();
        SpielstandBerechnen();
    }
}
void BM_RueckgaengigWiederholen_Bombe(benchmark::State& state) { RueckgaengigWiederholen(state, false); }
BENCHMARK(BM_RueckgaengigWiederholen_Bombe);
void BM_RueckgaengigWiederholen_MapLaden(benchmark::State& state) { RueckgaengigWiederholen(state, true); }
BENCHMARK(BM_RueckgaengigWiederholen_MapLaden);

// ---- A game across turns ----------------------------------------------------------------------

// A folder of turn files of 1000 stacks each, every turn moving every seventh stack's count
// and planting a few flags of the next power; removed at exit.
std::string ZugOrdner(int anzahl) {
    static std::string ordner;
    static int geschrieben = 0;
    if (geschrieben >= anzahl) return ordner;
    Brett();
    if (ordner.empty()) {
        ordner = TempDatei() + ".d";
        std::filesystem::create_directories(ordner);
        std::atexit([] { std::filesystem::remove_all(ordner); });
    }
    TZug zug{1, bsRussland};
    for (int t = 0; t < anzahl; ++t, zug = NaechsterZug(zug)) {
        for (int i = 1 + t % 7; i <= EinheitenAnzahl; i += 7)
            Einheiten[i].Anzahl = static_cast<std::uint16_t>(1 + (Einheiten[i].Anzahl + t) % 20);
        for (int i = 1 + t % 50; i <= EinheitenAnzahl; i += 50)
            Einheiten[i] = TEinheit{Einheiten[i].X, Einheiten[i].Y, eaFlagge, zug.Macht, 1, Einheiten[i].Sektor, {0, 0, 0}};
        if (t >= geschrieben) MapSpeichern(ordner + "/" + ZugName(zug));
    }
    geschrieben = anzahl;
    return ordner;
}

// The floor of a step: reading the turn stepped to and the turn before it.
void BM_Floor_ReadTwoTurns(benchmark::State& state) {
    const std::string ordner = ZugOrdner(10);
    const std::vector<std::string> dateien = ZugDateien(ordner);
    static TMapDaten a, b;
    for (auto _ : state) {
        MapDateiLesen(dateien[1], a);
        MapDateiLesen(dateien[2], b);
        benchmark::DoNotOptimize(a.Anzahl + b.Anzahl);
    }
}
BENCHMARK(BM_Floor_ReadTwoTurns)->Unit(benchmark::kMicrosecond);

// A step to the next or previous turn as the window takes it, without the frame: the turn
// loaded with its tallies, compared with the turn before, the changes in words. Goal: 30 ms.
void BM_ZugSchritt(benchmark::State& state) {
    MapName = ZugOrdner(10) + "/Round 01 - 2 Germany.map";
    MapLaden(MapName);
    MapListeFuellen();
    bool vor = true;
    for (auto _ : state) {
        if (vor) NaechsteMap(); else VorherigeMap();
        vor = !vor;
        ZugVergleichen();
        const std::string text = ZugVergleichText();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetLabel(std::to_string(EinheitenAnzahl) + " stacks");
}
BENCHMARK(BM_ZugSchritt)->Unit(benchmark::kMicrosecond);

// After every edit the shown turn is compared anew with the turn before, which is read once
// per shown turn: the count of both positions and the changes in words, beside the tallies
// (BM_SpielstandBerechnen) that every edit computes anyway. Goal: 1 ms.
void BM_ZugNachEdit(benchmark::State& state) {
    MapName = ZugOrdner(10) + "/Round 01 - 3 United Kingdom.map";
    MapLaden(MapName);
    MapListeFuellen();
    ZugVergleichen(true);
    for (auto _ : state) {
        Einheiten[1].Anzahl ^= 1;
        ZugVergleichen();
        const std::string text = ZugVergleichText();
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_ZugNachEdit)->Unit(benchmark::kMicrosecond);

// The floor of trends: reading the 200 files.
void BM_Floor_Read200Turns(benchmark::State& state) {
    const std::vector<std::string> dateien = ZugDateien(ZugOrdner(200));
    static TMapDaten a;
    for (auto _ : state)
        for (const std::string& d : dateien) {
            MapDateiLesen(d, a);
            benchmark::DoNotOptimize(a.Anzahl);
        }
}
BENCHMARK(BM_Floor_Read200Turns)->Unit(benchmark::kMillisecond);

// The figures of 200 turns of 1000 stacks, the folder listed in order first. Goal: 200 ms.
void BM_Trends200(benchmark::State& state) {
    const std::string ordner = ZugOrdner(200);
    for (auto _ : state) {
        const std::vector<TTrend> t = TrendsBerechnen(ZugDateien(ordner));
        benchmark::DoNotOptimize(t.back().AxisIncome);
    }
    state.SetLabel("200 files of 1000 stacks");
}
BENCHMARK(BM_Trends200)->Unit(benchmark::kMillisecond);

}  // namespace

// Battle odds. The floor is one pass over as many states as the battle's chain has.
TSchlacht BenchSchlacht(const char* angreifer, const char* verteidiger, bool see) {
    TSchlacht s;
    SchlachtLeeren(s);
    std::string fehler;
    EinheitenLesen(angreifer, s.Angreifer, fehler);
    EinheitenLesen(verteidiger, s.Verteidiger, fehler);
    s.See = see;
    return s;
}

void OddsMessen(benchmark::State& state, const TSchlacht& s) {
    TOdds o;
    std::string fehler;
    for (auto _ : state) {
        if (!OddsBerechnen(s, o, fehler)) state.SkipWithError(fehler.c_str());
        benchmark::DoNotOptimize(o);
    }
}

void BM_Odds_Land30gegen30(benchmark::State& state) {
    OddsMessen(state, BenchSchlacht("15 Inf 9 Arm 4 Ftr 2 Bom", "22 Inf 5 Arm 3 Ftr", false));
}
BENCHMARK(BM_Odds_Land30gegen30)->Unit(benchmark::kMicrosecond);

void BM_Odds_Land100gegen100(benchmark::State& state) {
    OddsMessen(state, BenchSchlacht("60 Inf 30 Arm 10 Ftr", "70 Inf 20 Arm 10 Ftr", false));
}
BENCHMARK(BM_Odds_Land100gegen100)->Unit(benchmark::kMicrosecond);

void BM_Odds_See(benchmark::State& state) {
    OddsMessen(state, BenchSchlacht("10 Sub 10 Ftr 4 BB 2 AC 4 Bom", "8 Sub 10 Ftr 5 AC 4 BB 3 Trn", true));
}
BENCHMARK(BM_Odds_See)->Unit(benchmark::kMicrosecond);

// States: 31 x 31, 101 x 101, and at sea (17 x 15) x (21 x 11) ships and air lost per side.
void BM_Floor_OddsZustaende(benchmark::State& state) {
    std::vector<double> m(static_cast<std::size_t>(state.range(0)), 0.5);
    for (auto _ : state) {
        for (double& x : m) x = x * 0.5 + 0.25;
        benchmark::DoNotOptimize(m.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Floor_OddsZustaende)->Arg(31 * 31)->Arg(101 * 101)->Arg(17 * 15 * 21 * 11)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
