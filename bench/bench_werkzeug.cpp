// qelmap-tool diff of two 1000-stack positions, beside the floor of reading both files.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>
#include <unistd.h>

#include "UDatei.h"
#include "UDateien.h"
#include "UVariablen.h"
#include "UBerichte.h"
#include "UVergleich.h"

namespace {

std::string Alt, Neu;

// Two full positions a turn apart: every tenth stack has another count, every fiftieth a
// flag of another power, in a table of 130 named sectors.
void Positionen() {
    if (!Alt.empty()) return;
    for (int s = 1; s <= SektorenAnzahl; ++s) {
        SektorNameSetzen(Sektoren[s], "Sector " + std::to_string(s));
        Sektoren[s].StartBesitzer = static_cast<std::uint8_t>(s % 6);
        Sektoren[s].ICPs = static_cast<std::uint8_t>(s % 12);
    }
    std::vector<TEinheit> alt(MaxEinheiten + 1), neu(MaxEinheiten + 1);
    for (int i = 1; i <= MaxEinheiten; ++i) {
        TEinheit e{};
        e.X = (i * 37) % MapBreite;
        e.Y = (i * 53) % MapHoehe;
        e.Art = static_cast<std::uint8_t>(1 + i % ArtenAnzahl);
        e.Besitzer = static_cast<std::uint8_t>(1 + i % BesitzerAnzahl);
        e.Anzahl = static_cast<std::uint16_t>(1 + i % 20);
        e.Sektor = static_cast<std::uint8_t>(1 + i % SetzSektoren);
        alt[i] = neu[i] = e;
        if (i % 10 == 0) neu[i].Anzahl += 1;
        if (i % 50 == 0) neu[i] = TEinheit{e.X, e.Y, eaFlagge, static_cast<std::uint8_t>(1 + (i / 50) % 5), 1, e.Sektor};
    }
    const std::filesystem::path ordner = std::filesystem::temp_directory_path() / ("qelmap-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(ordner);
    Alt = (ordner / "alt.map").string();
    Neu = (ordner / "neu.map").string();
    const std::vector<std::uint8_t> a = MapBytes(MaxEinheiten, alt.data()), n = MapBytes(MaxEinheiten, neu.data());
    DateiSchreiben(Alt, a.data(), a.size());
    DateiSchreiben(Neu, n.data(), n.size());
    std::atexit([] { std::filesystem::remove_all(std::filesystem::path(Alt).parent_path()); });
}

// The floor: reading and parsing both files, which diff cannot do without.
void BM_Floor_ReadBothFiles(benchmark::State& state) {
    Positionen();
    static TMapDaten a, n;
    for (auto _ : state) {
        MapDateiLesen(Alt, a);
        MapDateiLesen(Neu, n);
        benchmark::DoNotOptimize(a.Anzahl + n.Anzahl);
    }
}
BENCHMARK(BM_Floor_ReadBothFiles)->Unit(benchmark::kMicrosecond);

void BM_Diff(benchmark::State& state) {
    Positionen();
    const TDiffArt art = static_cast<TDiffArt>(state.range(0));
    std::string bericht;
    for (auto _ : state) {
        benchmark::DoNotOptimize(DiffBericht(Alt, Neu, art, bericht));
        benchmark::DoNotOptimize(bericht.data());
    }
    state.SetLabel(art == daJson ? "json" : art == daMarkdown ? "markdown" : "text");
}
BENCHMARK(BM_Diff)->Arg(daText)->Arg(daMarkdown)->Arg(daJson)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
