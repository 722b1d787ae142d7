#include "UInputs.h"

#include "UFenster.h"
#include "UGrafik.h"
#include "UMap.h"
#include "UPieces.h"
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

// A new stack in sector s for kind and owner would be refused by a full piece list.
bool HatPlatz(std::uint8_t s, TEinheitArt art, TBesitzer besitzer) {
    std::uint16_t nummer, anzahl;
    EinheitSuchen(s, art, besitzer, nummer, anzahl);
    return anzahl != 0 || EinheitenAnzahl < MaxEinheiten;
}

// Puts the carried units back where they were picked up. Returns false when even that
// needs a stack the full list cannot take; the units then stay in hand.
bool ZurueckZumUrsprung() {
    const TEinheitArt art = Selection.Art;
    const TBesitzer besitzer = Selection.Besitzer;
    std::uint8_t s = SektorAn(CarryOrigin);
    if (s >= 1 && s <= SetzSektoren && s == CarrySector && HatPlatz(s, art, besitzer)) {
        EinheitenSetzen(CarryOrigin, art, besitzer, Selection.Anzahl);
        return true;
    }
    // The origin point does not lie in the stack's own sector (a stack read from a file on
    // a border): it goes back into that sector directly rather than vanishing.
    if (!HatPlatz(CarrySector, art, besitzer)) return false;
    std::uint16_t nummer, anzahl;
    EinheitSuchen(CarrySector, art, besitzer, nummer, anzahl);
    if (anzahl != 0) {
        std::uint32_t summe = static_cast<std::uint32_t>(anzahl) + Selection.Anzahl;
        Einheiten[nummer].Anzahl = static_cast<std::uint16_t>(summe > 100 ? 100 : summe);
    } else {
        EinheitHinzufuegen(CarrySector, art, besitzer, CarryOrigin.X, CarryOrigin.Y, Selection.Anzahl);
    }
    SpielstandAktualisieren();
    return true;
}

void Ablegen(int x, int y) {
    const TMapPunkt m = ViewZuMap(TPunkt{x, y - ToolBar()});
    const std::uint8_t s = SektorAn(m);
    AktuellerSektor = s;
    bool abgelegt;
    if (s >= 1 && s <= SetzSektoren && HatPlatz(s, Selection.Art, Selection.Besitzer)) {
        EinheitenSetzen(m, Selection.Art, Selection.Besitzer, Selection.Anzahl);
        if (s == CarrySector) {
            std::uint16_t nummer, anzahl;
            EinheitSuchen(s, Selection.Art, Selection.Besitzer, nummer, anzahl);
            if (nummer) {
                Einheiten[nummer].X = m.X;
                Einheiten[nummer].Y = m.Y;
            }
        }
        abgelegt = true;
    } else {
        abgelegt = ZurueckZumUrsprung();
    }
    ViewMarkieren();  // the drop edits the stacks and names another sector under the pointer
    if (!abgelegt) return;
    ToolMode = tmMove;
    Selection = {0, 0, 0};
    CarrySector = 0;
}

}  // namespace

void GetrageneZuruecklegen() {
    ZeigerMarkieren();  // another tool follows: another cursor
    if (ToolMode != tmCarry || Selection.Art == 0) return;
    if (ZurueckZumUrsprung()) {
        ViewMarkieren();
        ToolMode = tmMove;
        Selection = {0, 0, 0};
        CarrySector = 0;
    }
}

std::uint16_t AufnahmeAnzahl(TShiftState shift, std::uint16_t stapel) {
    std::uint16_t n;
    if (shift.Shift && shift.Ctrl)
        n = stapel;
    else if (shift.Shift)
        n = 5;
    else if (shift.Ctrl)
        n = 10;
    else
        n = 1;
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

    const TMapPunkt m = ViewZuMap(CursorPoint);
    Status(2, "MouseX: " + std::to_string(CursorPoint.X) + " // MouseY: " + std::to_string(CursorPoint.Y) +
                  "MapX: " + std::to_string(Runden(m.X)) + " // MapY: " + std::to_string(Runden(m.Y)));

    CursorEinheit = EinheitAnPunkt(CursorPoint);
    Status(0, CursorEinheit > 0 ? PieceText(CursorEinheit) : std::string("Piece: "));

    if (!DisplayReady) return;
    AktuellerSektor = SektorAn(m);
    if (AktuellerSektor != 0 && AktuellerSektor != 255) Fenster->SektorInfoZeigen(AktuellerSektor);
    RenderFrame();
}

void KeyPressed(char key) {
    if (key == '+' && Zoom < 6) MapZoomen(+1);
    if (key == '-' && Zoom > 1) MapZoomen(-1);
    ViewBerechnen();
    CursorEinheit = EinheitAnPunkt(CursorPoint);
    ZeigerMarkieren();
    RenderFrame();
}

void TasteGeaendert(TShiftState shift) {
    if (ToolMode != tmKill && ToolMode != tmPlace) return;
    std::uint16_t n = 1;
    if (shift.Shift && shift.Ctrl)
        n = ToolMode == tmPlace ? 10 : 65000;
    else if (shift.Shift)
        n = 5;
    else if (shift.Ctrl)
        n = 10;
    Selection.Anzahl = n;
    ViewAnpassen();  // the window is repainted
}

void MausGedrueckt(TMausKnopf knopf, TShiftState shift, int x, int y) {
    if (knopf != mkLinks) {
        RenderFrame();
        return;
    }
    const TPunkt view{x, y - ToolBar()};
    ZeigerMarkieren();  // picking up names the stack under the press
    switch (ToolMode) {
    case tmPlace:
        if (Selection.Art != 0) {
            // The placed units show with the next mouse move.
            EinheitenSetzen(ViewZuMap(view), Selection.Art, Selection.Besitzer, Selection.Anzahl);
            ViewMarkieren();
            return;
        }
        break;
    case tmKill:
        if (CursorEinheit > 0) {
            EinheitReduzieren(static_cast<std::uint32_t>(CursorEinheit), Selection.Anzahl);
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
            EinheitReduzieren(static_cast<std::uint32_t>(CursorEinheit), Selection.Anzahl);
            ViewMarkieren();
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
        if (EditModus && !DragScrolled) {
            SuppressDrag = true;
            Fenster->PopupOeffnen(TPunkt{x, y});
        }
        DragScrolled = false;
    } else if (knopf == mkLinks && ToolMode == tmCarry && CarrySector != 0 && Selection.Art != 0) {
        Ablegen(x, y);
    }
    RenderFrame();
}
