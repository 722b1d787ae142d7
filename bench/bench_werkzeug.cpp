// qelmap-tool diff of two 1000-stack positions, beside the floor of reading both files; and
// html's web page of the default board (at most 300 ms and 2 MB), beside render's picture of
// the same position.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>
#include <unistd.h>

#include "UBildaufbau.h"
#include "UBitmaps.h"
#include "UDDrawInit.h"
#include "UDatei.h"
#include "UDateien.h"
#include "URendern.h"
#include "UVariablen.h"
#include "UBerichte.h"
#include "UVergleich.h"
#include "UWebSeite.h"

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

// The default board as the tool loads it for render and html; false when it is not there.
bool BrettLaden() {
    static int geladen = -1;
    if (geladen >= 0) return geladen;
    BilderOrdner = QELMAP_DATA_DIR;
    try {
        OwnPiecesPruefen();
        CreateObjects(TAnzeigeModus{MapBreite + 2 * BackRand, MapHoehe + 2 * BackRand, 32});
        MapBildLaden();
        PiecesBildLaden();
        SektorBildLaden();
        SektorenLaden(BilderOrdner + "/Sektoren_neu.sek");
        geladen = 1;
    } catch (...) {
        geladen = 0;
    }
    return geladen;
}

std::string Ausgabe(const char* name) {
    Positionen();  // for its folder
    return (std::filesystem::path(Alt).parent_path() / name).string();
}

// The floor: render's picture of the start position, the whole map at zoom 1 with the ICP
// figures, composed, encoded and written.
void BM_Floor_RenderStart(benchmark::State& state) {
    if (!BrettLaden()) return state.SkipWithError("no default board in " QELMAP_DATA_DIR);
    const std::string ziel = Ausgabe("start.png");
    for (auto _ : state) {
        MapLaden(BilderOrdner + "/Start.map");
        ViewBreite = MapBreite;
        ViewHoehe = MapHoehe;
        Zoom = PiecesZoom = 1;
        ScrollX = ScrollY = 0;
        AnsichtZeichnen(true, false, false);
        TBild bild;
        ViewAlsBild(bild);
        const QByteArray png = PngKodieren(bild, ziel);
        DateiSchreiben(ziel, png.constData(), static_cast<std::size_t>(png.size()));
    }
}
BENCHMARK(BM_Floor_RenderStart)->Unit(benchmark::kMillisecond);

// The page of the start position (Arg 0) and of the German attack with its changes since the
// start (Arg 1), written to a file; "bytes" is the page's size.
void BM_WebSeite(benchmark::State& state) {
    if (!BrettLaden()) return state.SkipWithError("no default board in " QELMAP_DATA_DIR);
    TSeitenAuftrag a;
    a.Icps = true;
    a.Name = BilderOrdner + "/Start.map";
    if (state.range(0)) {
        a.MitVorher = true;
        a.VorherName = a.Name;
        a.VorherMap = DateiLesen(a.VorherName, MapDateiGrenze, "a map file");
        a.Name = BilderOrdner + "/../examples/German-attack.map";
    }
    a.Map = DateiLesen(a.Name, MapDateiGrenze, "a map file");
    const std::string ziel = Ausgabe("seite.html");
    std::size_t groesse = 0;
    for (auto _ : state) {
        const std::string seite = WebSeite(a);
        DateiSchreiben(ziel, seite.data(), seite.size());
        groesse = seite.size();
    }
    state.counters["bytes"] = static_cast<double>(groesse);
    state.SetLabel(state.range(0) ? "German attack, changes since the start" : "start");
}
BENCHMARK(BM_WebSeite)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
