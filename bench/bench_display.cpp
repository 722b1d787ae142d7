// A map-view frame against the floor of copying the view's bytes once with memcpy, at 16 and
// 32 bits per pixel: its composition from scratch (BM_FrameNeu, at most twice the floor at
// zoom 1 and 2), a mouse move's frame as RenderFrame makes it, the pointer's texts, cursor
// and units drawn anew where they were and where they are (BM_Frame), and the whole view
// drawn and copied to the front surface after an edit, scroll or zoom (BM_FrameGanz). The map
// in the holders' colours rebuilt after a holding changed (BM_HalterKarte, at most 10 ms)
// against copying the map once.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "UBildaufbau.h"
#include "UBitmaps.h"
#include "UDDrawInit.h"
#include "UDateien.h"
#include "UHalterKarte.h"
#include "UMarken.h"
#include "USpielstand.h"
#include "UVariablen.h"

namespace {

constexpr int Breite = 1240, Hoehe = 913;

// The generated pictures and sectors, when they are there.
bool DatenLaden(int bits) {
    BilderOrdner = QELMAP_DATA_DIR;
    try {
        OwnPiecesPruefen();
        CreateObjects(TAnzeigeModus{1280, 1024, bits});
        MapBildLaden();
        PiecesBildLaden();
        SektorenLaden(BilderOrdner + "/Sektoren_neu.sek");
    } catch (...) {
        return false;
    }
    return true;
}

// Our own stand-ins when the generated data is not there: a textured map, a pieces sheet
// with magenta around every glyph and figure, 128 sectors with figures.
void MusterLaden() {
    std::mt19937 zufall(7);
    TBild map;
    map.Breite = MapBreite;
    map.Hoehe = MapHoehe;
    map.Rgb.resize(std::size_t(MapBreite) * MapHoehe);
    for (int y = 0; y < MapHoehe; ++y)
        for (int x = 0; x < MapBreite; ++x)
            map.Rgb[std::size_t(y) * MapBreite + x] = ((x * 7) & 0xFF) << 16 | ((y * 5) & 0xFF) << 8 | (zufall() & 0x3F);
    TBild pieces;
    pieces.Breite = 320;
    pieces.Hoehe = 200;
    pieces.Rgb.resize(320 * 200);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 320; ++x)
            pieces.Rgb[std::size_t(y) * 320 + x] = (x + y) % 3 == 0 ? 0xFF00FF : (std::uint32_t(y) << 16 | std::uint32_t(x));
    BildInSurface(*SurfaceMap, map, MapBreite, MapHoehe);
    BildInSurface(*SurfacePieces, pieces, 320, 200);
    PieceGeometrieSetzen(15, 10);
    for (int s = 1; s <= IcpSektoren; ++s) {
        SektorNameSetzen(Sektoren[s], "Sector " + std::to_string(s));
        Sektoren[s].ICPs = std::uint8_t(s % 13);
        Sektoren[s].HotSpotX = int(zufall() % 1560);
        Sektoren[s].HotSpotY = int(zufall() % 890);
    }
}

bool Aufbauen(int bits) {
    VariablenZuruecksetzen();
    const bool daten = DatenLaden(bits);
    if (!daten) {
        VariablenZuruecksetzen();
        CreateObjects(TAnzeigeModus{1280, 1024, bits});
        MusterLaden();
    }
    std::mt19937 zufall(11);
    for (int i = 1; i <= MaxEinheiten; ++i) {
        TEinheit& e = Einheiten[i];
        e.X = 10 + (zufall() % 15670) / 10.0;
        e.Y = 8 + (zufall() % 8970) / 10.0;
        e.Art = std::uint8_t(1 + zufall() % 11);
        e.Besitzer = std::uint8_t(1 + zufall() % 5);
        e.Anzahl = std::uint16_t(1 + zufall() % 12);
    }
    EinheitenAnzahl = MaxEinheiten;
    ICPsAnzeigen = LandnameAmCursor = EinheitartAmCursor = BesitzerAmCursor = true;
    ViewBreite = Breite;
    ViewHoehe = Hoehe;
    CursorPoint = {600, 400};
    AktuellerSektor = 12;
    CursorEinheit = 500;
    ToolMode = tmMove;
    ViewMarkieren();  // new surfaces show nothing yet
    return daten;
}

// The board at the zoom of the run, in the middle of the map.
std::string Vorbereiten(benchmark::State& state) {
    const int bits = int(state.range(0)), zoom = int(state.range(1));
    const bool daten = Aufbauen(bits);
    Zoom = zoom;
    ScrollX = (MapBreite - Breite / zoom) / 2;
    ScrollY = (MapHoehe - Hoehe / zoom) / 2;
    return daten ? "data pictures" : "synthetic pictures";
}

void BM_FrameNeu(benchmark::State& state) {
    state.SetLabel(Vorbereiten(state));
    for (auto _ : state) {
        FrameKomponieren();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(Breite) * Hoehe * state.range(0) / 8);
}

void BM_Frame(benchmark::State& state) {
    state.SetLabel(Vorbereiten(state));
    RenderFrame();
    std::int32_t schritt = 0;
    for (auto _ : state) {
        // The pointer moves over the map, the text under it changes with it.
        schritt = (schritt + 1) & 63;
        CursorPoint = {400 + 5 * schritt, 300 + 3 * schritt};
        AktuellerSektor = std::uint8_t(1 + schritt);
        CursorEinheit = 1 + schritt;
        ZeigerMarkieren();
        RenderFrame();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(Breite) * Hoehe * state.range(0) / 8);
}

void BM_FrameGanz(benchmark::State& state) {
    state.SetLabel(Vorbereiten(state));
    std::int32_t schritt = 0;
    for (auto _ : state) {
        // A step of a drag: the map moves by a pixel, every row of the view changes.
        schritt ^= 1;
        ScrollX += schritt ? 1 : -1;
        ViewMarkieren();
        RenderFrame();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(Breite) * Hoehe * state.range(0) / 8);
}

void BM_Memcpy(benchmark::State& state) {
    const std::size_t n = std::size_t(Breite) * Hoehe * std::size_t(state.range(0)) / 8;
    std::vector<std::uint8_t> a(n, 1), b(n, 2);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), n);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(n));
}

// The map with the holders' colours, rebuilt after a holding changed (at most 10 ms on the
// default board), beside the floor of copying the map picture once. Every land sector is held
// by another power than its start owner, the most there is to tint; each round gives one
// sector back and takes it again, so that every round rebuilds.
void BM_HalterKarte(benchmark::State& state) {
    const int bits = int(state.range(0));
    VariablenZuruecksetzen();
    if (!DatenLaden(bits)) {
        state.SkipWithError("the default board's pictures are needed");
        return;
    }
    SektorBildLaden();
    for (int s = 1; s <= SetzSektoren; ++s) Spielstand.Halter[s] = std::uint8_t(Sektoren[s].StartBesitzer % 5 + 1);
    HalterKarteAktualisieren();  // the powers' colours are learnt once
    for (auto _ : state) {
        Spielstand.Halter[1] = Spielstand.Halter[1] == Sektoren[1].StartBesitzer ? 2 : Sektoren[1].StartBesitzer;
        HalterKarteAktualisieren();
        benchmark::ClobberMemory();
    }
}

void BM_Floor_MapKopieren(benchmark::State& state) {
    VariablenZuruecksetzen();
    CreateObjects(TAnzeigeModus{1280, 1024, int(state.range(0))});
    std::vector<std::uint8_t> ziel(SurfaceMap->Pixel.size());
    for (auto _ : state) {
        std::memcpy(ziel.data(), SurfaceMap->Pixel.data(), ziel.size());
        benchmark::ClobberMemory();
    }
}

// The marks of a turn's changes over a frame at zoom 1: the rings of 20 sectors (one in
// three changed hands) and the legend, against the same floor as a frame.
void BM_Markierungen(benchmark::State& state) {
    Aufbauen(32);
    Zoom = 1;
    ScrollX = ScrollY = 0;
    SektorBild.Breite = MapBreite;
    SektorBild.Hoehe = MapHoehe;
    SektorBild.Rgb.resize(std::size_t(MapBreite) * MapHoehe);
    for (int y = 0; y < MapHoehe; ++y)
        for (int x = 0; x < MapBreite; ++x) {
            const std::uint32_t s = 1 + (x / 60 + 27 * (y / 70)) % 127;
            SektorBild.Rgb[std::size_t(y) * MapBreite + x] = s << 16 | s << 8 | s;
        }
    MarkierungenLoeschen();
    for (int s = 5; s < 105; s += 5) Markierung[s] = s % 3 ? FarbeEinheiten : FarbeBesitz;
    Markiert = true;
    RingeZeichnen();  // the distances to the edges, once per picture
    for (auto _ : state) {
        RingeZeichnen();
        LegendeZeichnen();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(Breite) * Hoehe * 4);
    MarkierungenLoeschen();  // the frames measured after this one draw no marks
}
BENCHMARK(BM_Markierungen)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK(BM_Floor_MapKopieren)->Arg(16)->Arg(32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HalterKarte)->Arg(16)->Arg(32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memcpy)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameNeu)->ArgsProduct({{16, 32}, {1, 2, 6}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Frame)->ArgsProduct({{16, 32}, {1, 2, 6}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameGanz)->ArgsProduct({{16, 32}, {1, 2, 6}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Memcpy)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
