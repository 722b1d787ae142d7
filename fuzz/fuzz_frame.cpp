// A whole frame composed from any board: sectors with any names, ICPs and hot spots, stacks
// with any kind, owner, count and position (NaN and infinities included), any pointer state
// and tool, own piece sets of any size, at every zoom, pieces zoom, scroll and view size, on
// 16- and 32-bit desktops, after any dragging and zooming. Then a sequence of the input
// reactions, tool choices, commands, undo and redo, resizes and paint requests, each of which
// draws only
// what it marked: after every one the shown view must be the frame composed whole. Drawing
// must stay inside the surfaces, and no display failure may end the process (libFuzzer
// reports that as a finding).
#include <algorithm>
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>
#include <vector>

#include "FuzzHilfen.h"
#include "UBearbeiten.h"
#include "UBildaufbau.h"
#include "UDDrawInit.h"
#include "UInputs.h"
#include "UMap.h"
#include "USchritte.h"
#include "USurface.h"
#include "UVariablen.h"

namespace {

struct TModus {
    std::int32_t Breite, Hoehe, Bits;
};
constexpr TModus Modi[] = {{1024, 768, 32}, {800, 600, 16}, {1280, 1024, 16}, {1920, 1200, 24}};

int aktiverModus = -1;
TSurface eigeneStuecke;

void MusterFuellen(TSurface& s, std::uint32_t basis) {
    for (std::int32_t y = 0; y < s.Hoehe; ++y)
        for (std::int32_t x = 0; x < s.Breite; ++x)
            PixelSetzen(s, x, y, (x + y) % 3 == 0 ? 0xFF00FFu : (basis ^ (std::uint32_t(y) << 12) ^ std::uint32_t(x)) & 0xFFFFFF);
}

void DisplayFuer(int modus) {
    if (modus == aktiverModus) return;
    const TModus& m = Modi[modus];
    OwnPiecesVorhanden = false;
    CreateObjects(TAnzeigeModus{m.Breite, m.Hoehe, m.Bits});
    // The map stays black: its pixels are only ever copied, and filling it on every change of
    // mode would cost more than the frames.
    MusterFuellen(*SurfacePieces, 0x008000);
    aktiverModus = modus;
}

void SektorenLesen(FuzzedDataProvider& fdp) {
    for (int s = 1; s <= SektorenAnzahl; ++s) {
        std::memset(&Sektoren[s], 0, sizeof(TSektor));
        SektorNameSetzen(Sektoren[s], "Sektor " + std::to_string(s) + " ab=[]_");
        Sektoren[s].ICPs = static_cast<std::uint8_t>(s * 2);
        Sektoren[s].HotSpotX = 12 * s;
        Sektoren[s].HotSpotY = 7 * s;
    }
    for (int k = fdp.ConsumeIntegral<std::uint8_t>() % 32; k > 0 && fdp.remaining_bytes() > 0; --k) {
        TSektor& r = Sektoren[1 + fdp.ConsumeIntegral<std::uint8_t>() % SektorenAnzahl];
        std::vector<std::uint8_t> roh = fdp.ConsumeBytes<std::uint8_t>(sizeof(TSektor));
        if (!roh.empty()) std::memcpy(&r, roh.data(), roh.size());
    }
}

void StapelLesen(FuzzedDataProvider& fdp) {
    // Mostly small boards, which run fast; now and then a full one.
    EinheitenAnzahl = fdp.ConsumeBool() ? fdp.ConsumeIntegralInRange<std::int32_t>(0, MaxEinheiten)
                                        : fdp.ConsumeIntegralInRange<std::int32_t>(0, 40);
    for (std::int32_t i = 1; i <= EinheitenAnzahl; ++i) {
        Einheiten[i] = TEinheit{double((i * 37) % MapBreite), double((i * 11) % MapHoehe), static_cast<std::uint8_t>(i % 13),
                                static_cast<std::uint8_t>(i % 7), static_cast<std::uint16_t>(i * 131),
                                static_cast<std::uint8_t>(i), {0, 0, 0}};
        std::vector<std::uint8_t> roh = fdp.ConsumeBytes<std::uint8_t>(sizeof(TEinheit));
        if (!roh.empty()) std::memcpy(&Einheiten[i], roh.data(), roh.size());
    }
}

void ZustandLesen(FuzzedDataProvider& fdp) {
    Zoom = fdp.ConsumeIntegralInRange<std::int32_t>(1, 6);
    PiecesZoom = fdp.ConsumeIntegralInRange<std::int32_t>(1, 6);
    ViewBreite = fdp.ConsumeIntegralInRange<std::int32_t>(0, MaxViewBreite);
    ViewHoehe = fdp.ConsumeIntegralInRange<std::int32_t>(0, MaxViewHoehe);
    ScrollX = fdp.ConsumeIntegralInRange<std::int32_t>(-MapBreite, 2 * MapBreite);
    ScrollY = fdp.ConsumeIntegralInRange<std::int32_t>(-MapHoehe, 2 * MapHoehe);
    ICPsAnzeigen = fdp.ConsumeBool();
    LandnameAmCursor = fdp.ConsumeBool();
    EinheitartAmCursor = fdp.ConsumeBool();
    BesitzerAmCursor = fdp.ConsumeBool();
    ToolMode = static_cast<TToolMode>(fdp.ConsumeIntegral<std::uint8_t>());
    Selection = {fdp.ConsumeIntegral<std::uint8_t>(), fdp.ConsumeIntegral<std::uint8_t>(),
                 fdp.ConsumeIntegral<std::uint16_t>()};
    CursorPoint = {fdp.ConsumeIntegral<std::int16_t>(), fdp.ConsumeIntegral<std::int16_t>()};
    AktuellerSektor = fdp.ConsumeIntegral<std::uint8_t>();
    CursorEinheit = fdp.ConsumeIntegralInRange<std::int32_t>(-2, MaxEinheiten + 2);

    // An own piece set of any size, as the start-up probe would find it.
    OwnPiecesVorhanden = fdp.ConsumeBool();
    if (OwnPiecesVorhanden) {
        const std::int32_t w = fdp.ConsumeIntegralInRange<std::int32_t>(0, 400);
        const std::int32_t h = fdp.ConsumeIntegralInRange<std::int32_t>(0, 200);
        OwnPiecesBreite = w;
        OwnPiecesHoehe = h;
        if (SurfaceErzeugen(eigeneStuecke, w, h, AnzeigeBits) == erOK) {
            SurfaceFarbschluesselSetzen(eigeneStuecke, Farbschluessel);
            MusterFuellen(eigeneStuecke, 0x000040);
            SurfaceOwnPieces = &eigeneStuecke;
        } else {
            SurfaceOwnPieces = nullptr;
        }
        PieceGeometrieSetzen(w / 11, h / 5);
    } else {
        SurfaceOwnPieces = nullptr;
        PieceGeometrieSetzen(15, 10);
    }
}

// Sectors in a grid of 70 x 60 map pixels with borders of value 0 between them.
void SektorBildSetzen() {
    if (SektorBildGeladen) return;
    SektorBild.Breite = MapBreite;
    SektorBild.Hoehe = MapHoehe;
    SektorBild.Rgb.resize(std::size_t(MapBreite) * MapHoehe);
    for (int y = 0; y < MapHoehe; ++y)
        for (int x = 0; x < MapBreite; ++x)
            SektorBild.Rgb[std::size_t(y) * MapBreite + x] =
                x % 70 == 0 || y % 60 == 0 ? 0u : std::uint32_t(1 + (x / 70 + 23 * (y / 60)) % 127) << 16;
    SektorBildGeladen = true;
}

// Whether the front surface shows the frame composed whole, as far as it holds the view.
bool ZeigtGanzenFrame() {
    static std::vector<std::uint8_t> gezeigt;
    gezeigt = SurfaceFront->Pixel;
    FrameKomponieren();
    const std::size_t px = static_cast<std::size_t>(SurfaceFront->BitsProPixel / 8);
    const std::int32_t w = std::clamp(ViewBreite, 0, SurfaceFront->Breite), h = std::clamp(ViewHoehe, 0, SurfaceFront->Hoehe);
    for (std::int32_t y = 0; y < h; ++y)
        if (std::memcmp(gezeigt.data() + static_cast<std::size_t>(y) * SurfaceFront->Abstand,
                        SurfaceBack->Zeile(y + BackRand) + BackRand * px, static_cast<std::size_t>(w) * px) != 0)
            return false;
    return true;
}

void Schritte(FuzzedDataProvider& fdp) {
    SektorBildSetzen();
    DisplayReady = true;
    OhneFenster.Breite = ViewBreite;
    OhneFenster.Hoehe = ViewHoehe;
    for (int n = fdp.ConsumeIntegralInRange<int>(0, 12); n > 0 && fdp.remaining_bytes() > 0; --n) {
        TShiftState s;
        s.Shift = fdp.ConsumeBool();
        s.Ctrl = fdp.ConsumeBool();
        s.Rechts = fdp.ConsumeIntegralInRange<int>(0, 3) == 0;
        const TMausKnopf knopf = static_cast<TMausKnopf>(fdp.ConsumeIntegralInRange<int>(0, 3));
        const int x = fdp.ConsumeIntegral<std::int16_t>(), y = fdp.ConsumeIntegral<std::int16_t>();
        bool zeigt = true;
        switch (fdp.ConsumeIntegralInRange<int>(0, 11)) {
        case 0: MouseMoved(s, x, y); break;
        case 1:
            // A placing press shows with the next move.
            zeigt = !(knopf == mkLinks && ToolMode == tmPlace && Selection.Art != 0);
            MausGedrueckt(knopf, s, x, y);
            break;
        case 2: MausLosgelassen(knopf, s, x, y); break;
        case 3: KeyPressed(static_cast<char>(fdp.ConsumeIntegral<std::uint8_t>())); break;
        case 4:
            zeigt = ToolMode == tmKill || ToolMode == tmPlace;
            TasteGeaendert(s);
            break;
        case 5:  // a tool from the palette, shown with the next move
            GetrageneZuruecklegen();
            ToolMode = static_cast<TToolMode>(fdp.ConsumeIntegralInRange<int>(1, 4));
            Selection = {fdp.ConsumeIntegral<std::uint8_t>(), fdp.ConsumeIntegral<std::uint8_t>(), 1};
            zeigt = false;
            break;
        case 6: {  // a command: a load, an option or the zoom list; the view then shows it all
            const int was = fdp.ConsumeIntegralInRange<int>(0, 3);
            if (was == 0) StapelLesen(fdp);
            if (was == 1) ICPsAnzeigen = !ICPsAnzeigen;
            if (was == 2) LandnameAmCursor = !LandnameAmCursor;
            if (was == 3) Zoom = PiecesZoom = fdp.ConsumeIntegralInRange<std::int32_t>(1, 6);
            ViewMarkieren();
            RenderFrame();
            break;
        }
        case 7:  // a resize
            OhneFenster.Breite = fdp.ConsumeIntegralInRange<std::int32_t>(0, MaxViewBreite + 50);
            OhneFenster.Hoehe = fdp.ConsumeIntegralInRange<std::int32_t>(0, MaxViewHoehe + 50);
            ViewAnpassen();
            break;
        case 8:  // undo and redo draw what they changed; with nothing to do they draw nothing
            zeigt = EditRueckgaengigMoeglich();
            EditRueckgaengig();
            break;
        case 9:
            zeigt = EditWiederholenMoeglich();
            EditWiederholen();
            break;
        default: ViewAnpassen(); break;  // a paint request
        }
        FUZZ_PRUEFEN(!zeigt || ZeigtGanzenFrame(), "the shown view is not the frame composed whole");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t laenge) {
    FuzzedDataProvider fdp(daten, laenge);
    DisplayFuer(fdp.ConsumeIntegralInRange<int>(0, sizeof Modi / sizeof Modi[0] - 1));
    ZustandLesen(fdp);
    SektorenLesen(fdp);
    StapelLesen(fdp);
    SchritteLeeren();  // undo reaches no board of an earlier input

    // Then the user drags and zooms for a while.
    LastMousePoint = {fdp.ConsumeIntegral<std::int16_t>(), fdp.ConsumeIntegral<std::int16_t>()};
    MausStehtBeimScrollen = fdp.ConsumeBool();
    for (int n = fdp.ConsumeIntegralInRange<int>(0, 8); n > 0; --n) {
        if (fdp.ConsumeBool())
            MapZoomen(fdp.ConsumeBool() ? 1 : -1);
        else
            MapScrollen(fdp.ConsumeIntegral<std::int16_t>(), fdp.ConsumeIntegral<std::int16_t>());
        FUZZ_PRUEFEN(Zoom >= 1 && Zoom <= 6, "zoom outside 1..6");
    }

    const bool alsBild = fdp.ConsumeIntegralInRange<int>(0, 15) == 0;
    ViewMarkieren();  // a board from nowhere
    RenderFrame();
    FUZZ_PRUEFEN(FrameRate >= 0, "negative frame rate");
    Schritte(fdp);
    if (alsBild) {  // reads every pixel of the view one by one: only now and then
        TBild bild;
        ViewAlsBild(bild);
        FUZZ_PRUEFEN(bild.Rgb.size() == static_cast<std::size_t>(bild.Breite) * bild.Hoehe, "view picture size");
    }
    return 0;
}
