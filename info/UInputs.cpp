#include "UInputs.h"

#include <cstring>

#include "UBildaufbau.h"
#include "UFenster.h"
#include "UMap.h"
#include "UPieces.h"
#include "USchritte.h"
#include "USpielstand.h"

namespace {

int ToolBar() { return Fenster->ToolBarHoehe(); }

void Status(int panel, const std::string& text) { Fenster->StatusText(panel, text); }

std::string PieceText(std::int32_t i) {
    const TEinheit& e = Einheiten[i];
    const TSektor* s = SektorRecord(e.Sektor);
    return "Piece: " + std::to_string(i) + " // " + BesitzerName(e.Besitzer) + " // " + ArtName(e.Art) + " // " +
           (s ? SektorName(*s) : std::string()) + " // " + std::to_string(Runden(e.X)) + " / " +
           std::to_string(Runden(e.Y));
}

// Units of a power and kind in sector s, over all its stacks there.
std::uint32_t Bestand(std::uint8_t s, TEinheitArt art, TBesitzer besitzer) {
    std::uint32_t n = 0;
    for (std::int32_t i = 1; i <= EinheitenAnzahl; ++i)
        if (Einheiten[i].Sektor == s && Einheiten[i].Art == art && Einheiten[i].Besitzer == besitzer)
            n += Einheiten[i].Anzahl;
    return n;
}

// Bit p set: power p has a flag in sector s.
std::uint8_t Flaggen(std::uint8_t s) {
    std::uint8_t b = 0;
    for (std::int32_t i = 1; i <= EinheitenAnzahl; ++i)
        if (Einheiten[i].Sektor == s && Einheiten[i].Art == eaFlagge && Einheiten[i].Besitzer <= BesitzerAnzahl)
            b = static_cast<std::uint8_t>(b | 1u << Einheiten[i].Besitzer);
    return b;
}

// A carry is one step from pick-up to drop. The piece list right after the pick-up tells
// whether nothing else changed meanwhile, so that putting the units back can restore the
// list exactly (a stack taken whole returns to its own place in the list, not to the end).
bool TrageSchritt = false;
TEinheit NachAufnahme[MaxEinheiten + 1];
std::int32_t NachAufnahmeAnzahl = 0;
// The right button put carried units back: its release opens no popup.
bool RechtsZurueckgelegt = false;

// Nothing in hand any more: the tool picks up again, and undo no longer puts units back.
void TragenAufgeben() {
    ToolMode = tmMove;
    Selection = {0, 0, 0};
    CarrySector = 0;
    Fenster->SchritteGeaendert();
}

void TragenBeenden(std::uint8_t nach) {
    if (!TrageSchritt) return;
    TrageSchritt = false;
    TSchrittAngaben a;
    a.Art = saTragen;
    a.Einheit = Selection.Art;
    a.Besitzer = Selection.Besitzer;
    a.Von = CarrySector;
    a.Nach = nach;
    a.Anzahl = Selection.Anzahl;
    SchrittBeenden(a);
}

// A new stack in sector s for kind and owner would be refused by a full piece list.
bool HatPlatz(std::uint8_t s, TEinheitArt art, TBesitzer besitzer) {
    std::uint16_t nummer, anzahl;
    EinheitSuchen(s, art, besitzer, nummer, anzahl);
    return anzahl != 0 || EinheitenAnzahl < MaxEinheiten;
}

// Puts the carried units back where they were picked up. Returns false when even that
// needs a stack the full list cannot take; the units then stay in hand.
bool ZurueckZumUrsprung() {
    if (TrageSchritt && NurEinheitenGeaendert() && EinheitenAnzahl == NachAufnahmeAnzahl &&
        std::memcmp(&Einheiten[1], &NachAufnahme[1], sizeof(TEinheit) * MaxEinheiten) == 0) {
        SchrittVerwerfen();
        TrageSchritt = false;
        SpielstandAktualisieren();
        return true;
    }
    const TEinheitArt art = Selection.Art;
    const TBesitzer besitzer = Selection.Besitzer;
    std::uint8_t s = SektorAn(CarryOrigin);
    if (s >= 1 && s <= SetzSektoren && s == CarrySector && HatPlatz(s, art, besitzer)) {
        EinheitenSetzen(CarryOrigin, art, besitzer, Selection.Anzahl);
        TragenBeenden(CarrySector);
        return true;
    }
    // The origin point does not lie in the stack's own sector (a stack read from a file on
    // a border): it goes back into that sector directly rather than vanishing.
    if (!HatPlatz(CarrySector, art, besitzer)) return false;
    std::uint16_t nummer, anzahl;
    EinheitSuchen(CarrySector, art, besitzer, nummer, anzahl);
    if (anzahl != 0) {
        std::uint32_t summe = static_cast<std::uint32_t>(anzahl) + Selection.Anzahl;
        Einheiten[nummer].Anzahl = static_cast<std::uint16_t>(summe > StapelGrenze ? StapelGrenze : summe);
    } else {
        EinheitHinzufuegen(CarrySector, art, besitzer, CarryOrigin.X, CarryOrigin.Y, Selection.Anzahl);
    }
    SpielstandAktualisieren();
    TragenBeenden(CarrySector);
    return true;
}

void Ablegen(int x, int y) {
    const TMapPunkt m = ViewZuMap(TPunkt{x, y - ToolBar()});
    const std::uint8_t s = SektorAn(m);
    AktuellerSektor = s;
    bool abgelegt;
    // Let go where they were taken: back, as if never picked up.
    const bool amUrsprung = s == CarrySector && m.X == CarryOrigin.X && m.Y == CarryOrigin.Y;
    if (!amUrsprung && s >= 1 && s <= SetzSektoren && HatPlatz(s, Selection.Art, Selection.Besitzer)) {
        // What was left of the stack moves to the release point; a stack made anew is placed
        // by EinheitenSetzen, which keeps it off the pieces already there.
        std::uint16_t nummer, rest;
        EinheitSuchen(s, Selection.Art, Selection.Besitzer, nummer, rest);
        EinheitenSetzen(m, Selection.Art, Selection.Besitzer, Selection.Anzahl);
        if (s == CarrySector && rest != 0) {
            std::uint16_t anzahl;
            EinheitSuchen(s, Selection.Art, Selection.Besitzer, nummer, anzahl);
            if (nummer) {
                Einheiten[nummer].X = m.X;
                Einheiten[nummer].Y = m.Y;
            }
        }
        TragenBeenden(s);
        abgelegt = true;
    } else {
        abgelegt = ZurueckZumUrsprung();
    }
    ViewMarkieren();  // the drop edits the stacks and names another sector under the pointer
    if (abgelegt) TragenAufgeben();
}

}  // namespace

std::string KeinePiecesText(std::uint8_t s) {
    if (s >= 1 && s <= SetzSektoren) return std::string();
    const TSektor* r = SektorRecord(s);
    const std::string wo = s == 0 ? std::string("a border") : r ? SektorName(*r) : std::string("no sector");
    return " // no pieces here: " + wo;
}

void GetrageneZuruecklegen() {
    ZeigerMarkieren();  // another tool follows: another cursor
    if (ToolMode != tmCarry || Selection.Art == 0) return;
    if (ZurueckZumUrsprung()) {
        ViewMarkieren();
        TragenAufgeben();
        CursorEinheit = EinheitAnPunkt(CursorPoint);
    }
}

// The count rule: Shift 5, Ctrl 10, neither 1; both together what the caller names.
std::uint16_t ModifierAnzahl(TShiftState shift, std::uint16_t beide) {
    if (shift.Shift && shift.Ctrl) return beide;
    if (shift.Shift) return 5;
    if (shift.Ctrl) return 10;
    return 1;
}

std::uint16_t AufnahmeAnzahl(TShiftState shift, std::uint16_t stapel) {
    const std::uint16_t n = ModifierAnzahl(shift, stapel);
    return n < stapel ? n : stapel;
}

void MouseMoved(TShiftState shift, int x, int y) {
    ZeigerMarkieren();
    Fenster->FokusGeben();
    const int tb = ToolBar();
    int cx = x < 0 ? 0 : (x > ViewBreite ? ViewBreite : x);
    int cy = y < tb ? tb : (y > tb + ViewHoehe ? tb + ViewHoehe : y);
    if (cx != x || cy != y) Fenster->ZeigerSetzen(TPunkt{cx, cy});
    // Where the pointer is now follows from the event and from where it was put: asking the
    // window system would cost a round trip to it on every move.
    TPunkt zeiger{cx, cy};

    if (shift.Rechts && !SuppressDrag) {
        DragScrolled = true;
        const TPunkt anker = LastMousePoint;
        MapScrollen(cx, cy);
        ViewBerechnen();
        // Where the pointer cannot be put back, every step is measured from where it is.
        if (MausStehtBeimScrollen) {
            if (Fenster->ZeigerSetzen(anker))
                zeiger = anker;
            else
                LastMousePoint = TPunkt{cx, cy};
        }
    } else {
        LastMousePoint = TPunkt{cx, cy};
    }

    SuppressDrag = false;
    CursorPoint = TPunkt{zeiger.X, zeiger.Y - tb};

    ZeigerAuswerten();
    if (DisplayReady) RenderFrame();
}

void ZeigerAuswerten() {
    const TMapPunkt m = ViewZuMap(CursorPoint);
    Status(2, "MouseX: " + std::to_string(CursorPoint.X) + " // MouseY: " + std::to_string(CursorPoint.Y) +
                  "MapX: " + std::to_string(Runden(m.X)) + " // MapY: " + std::to_string(Runden(m.Y)));

    CursorEinheit = EinheitAnPunkt(CursorPoint);
    Status(0, (CursorEinheit > 0 ? PieceText(CursorEinheit) : std::string("Piece: ")) +
                  (SektorBildGeladen ? KeinePiecesText(SektorAn(m)) : std::string()));

    if (!DisplayReady) return;
    AktuellerSektor = SektorAn(m);
    if (AktuellerSektor >= 1 && AktuellerSektor <= SetzSektoren) LetzterSektor = AktuellerSektor;
    if (AktuellerSektor != 0 && AktuellerSektor != 255) Fenster->SektorInfoZeigen(AktuellerSektor);
}

void KeyPressed(char key) {
    // Escape, and Ctrl+Z when the undo command itself is not enabled.
    if (key == '\x1b' || key == '\x1a') GetrageneZuruecklegen();
    const std::int32_t vorher = Zoom;
    // "=" is the "+" key without Shift.
    if ((key == '+' || key == '=') && Zoom < ZoomMax) MapZoomen(+1);
    if (key == '-' && Zoom > ZoomMin) MapZoomen(-1);
    ViewBerechnen();
    CursorEinheit = EinheitAnPunkt(CursorPoint);
    // Another map point now lies under the pointer.
    if (Zoom != vorher) ZeigerAuswerten();
    ZeigerMarkieren();
    RenderFrame();
}

void MausRad(int raster, int x, int y) {
    const std::int32_t vorher = Zoom;
    CursorPoint = TPunkt{x, y - ToolBar()};
    for (; raster > 0; --raster) MapZoomenAn(+1, CursorPoint);
    for (; raster < 0; ++raster) MapZoomenAn(-1, CursorPoint);
    if (Zoom == vorher) return;
    ZeigerAuswerten();
    RenderFrame();
}

void PfeilGedrueckt(int rx, int ry) {
    if (!MapViertelScrollen(rx, ry)) return;
    ZeigerAuswerten();
    RenderFrame();
}

void TasteGeaendert(TShiftState shift) {
    if (ToolMode != tmKill && ToolMode != tmPlace) return;
    Selection.Anzahl = ModifierAnzahl(shift, ToolMode == tmPlace ? 10 : 65000);
    ViewAnpassen();  // the window is repainted
}

void MausGedrueckt(TMausKnopf knopf, TShiftState shift, int x, int y) {
    if (knopf != mkLinks) {
        if (knopf == mkRechts && ToolMode == tmCarry) {
            GetrageneZuruecklegen();
            RechtsZurueckgelegt = true;
        }
        RenderFrame();
        return;
    }
    const TPunkt view{x, y - ToolBar()};
    ZeigerMarkieren();  // picking up names the stack under the press
    switch (ToolMode) {
    case tmPlace:
        if (Selection.Art != 0) {
            const TMapPunkt m = ViewZuMap(view);
            const std::uint8_t s = SektorAn(m);
            TSchrittAngaben a;
            a.Art = Selection.Art == eaFlagge ? saFlagge : saSetzen;
            a.Einheit = Selection.Art;
            a.Besitzer = Selection.Besitzer;
            a.Von = a.Nach = s;
            const std::uint32_t vorher = Bestand(s, Selection.Art, Selection.Besitzer);
            const std::uint8_t flaggen = Flaggen(s);
            SchrittBeginnen();
            EinheitenSetzen(m, Selection.Art, Selection.Besitzer, Selection.Anzahl);
            a.Anzahl = static_cast<std::int32_t>(Bestand(s, Selection.Art, Selection.Besitzer) - vorher);
            a.Ersetzt = static_cast<std::uint8_t>(flaggen & ~Flaggen(s) & ~(1u << Selection.Besitzer));
            SchrittBeenden(a);
            // The placed units show with the next mouse move.
            ViewMarkieren();
            return;
        }
        break;
    case tmKill:
        if (CursorEinheit > 0) {
            const TEinheit e = Einheiten[CursorEinheit];
            TSchrittAngaben a;
            a.Art = saBombe;
            a.Einheit = e.Art;
            a.Besitzer = e.Besitzer;
            a.Von = a.Nach = e.Sektor;
            const std::uint32_t vorher = Bestand(e.Sektor, e.Art, e.Besitzer);
            SchrittBeginnen();
            EinheitReduzieren(static_cast<std::uint32_t>(CursorEinheit), Selection.Anzahl);
            a.Anzahl = -static_cast<std::int32_t>(vorher - Bestand(e.Sektor, e.Art, e.Besitzer));
            SchrittBeenden(a);
            CursorEinheit = EinheitAnPunkt(CursorPoint);
            ViewMarkieren();
        }
        break;
    case tmMove: {
        CursorEinheit = EinheitAnPunkt(view);
        if (CursorEinheit > 0) {
            const TEinheit& e = Einheiten[CursorEinheit];
            ToolMode = tmCarry;
            Selection.Art = e.Art;
            Selection.Besitzer = e.Besitzer;
            CarrySector = e.Sektor;
            CarryOrigin = TMapPunkt{e.X, e.Y};
            Selection.Anzahl = AufnahmeAnzahl(shift, e.Anzahl);
            if (!TrageSchritt || !SchrittOffen()) SchrittBeginnen();
            TrageSchritt = true;
            EinheitReduzieren(static_cast<std::uint32_t>(CursorEinheit), Selection.Anzahl);
            std::memcpy(&NachAufnahme[1], &Einheiten[1], sizeof(TEinheit) * MaxEinheiten);
            NachAufnahmeAnzahl = EinheitenAnzahl;
            ViewMarkieren();
            Fenster->SchritteGeaendert();  // undo now puts the units back
        }
        break;
    }
    case tmCarry:
        break;
    }
    RenderFrame();
}

void MausLosgelassen(TMausKnopf knopf, TShiftState, int x, int y) {
    if (knopf == mkRechts) {
        const bool zurueckgelegt = RechtsZurueckgelegt;
        RechtsZurueckgelegt = false;
        if (EditModus && !DragScrolled && !zurueckgelegt) {
            SuppressDrag = true;
            Fenster->PopupOeffnen(TPunkt{x, y});
        }
        DragScrolled = false;
    } else if (knopf == mkLinks && ToolMode == tmCarry && CarrySector != 0 && Selection.Art != 0) {
        Ablegen(x, y);
    }
    RenderFrame();
}
