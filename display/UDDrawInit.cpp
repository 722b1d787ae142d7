#include "UDDrawInit.h"

#include <algorithm>
#include <cstdlib>

namespace {
TSurface FrontSpeicher, BackSpeicher, MapSpeicher, PiecesSpeicher, OwnPiecesSpeicher;

// Creates one surface; a failure is reported under the step's name.
TSurface* Erzeugen(TSurface& s, std::int32_t breite, std::int32_t hoehe, const char* name) {
    DDErgebnis = SurfaceErzeugen(s, breite, hoehe, AnzeigeBits);
    if (DDErgebnis != erOK) DDFehler(std::string("DDrawInterface.CreateSurface (") + name + ")");
    return &s;
}
}  // namespace

TSurface* SurfaceFront = nullptr;
TSurface* SurfaceBack = nullptr;
TSurface* SurfaceMap = nullptr;
TSurface* SurfacePieces = nullptr;
TSurface* SurfaceOwnPieces = nullptr;

TAnzeigeModus AnzeigeModus;
std::int32_t AnzeigeBits = 0;
std::uint32_t Farbschluessel = 0;
TErgebnis DDErgebnis = erOK;

void ShowError(const std::string& text) { Fenster->FehlerZeigen(text); }

void FehlerUndEnde(const std::string& text) {
    ShowError(text);
    std::exit(1);
}

void DDFehler(const std::string& operation) {
    FehlerUndEnde("Error in " + operation + "\n" + ErgebnisText(DDErgebnis));
}

bool CreateObjects() {
    // The display exists only inside a graphical application.
    DDErgebnis = AnzeigePruefen();
    if (DDErgebnis != erOK) DDFehler("DirectDrawCreate (TEMP)");
    TAnzeigeModus modus;
    DDErgebnis = AnzeigeModusLesen(modus);
    if (DDErgebnis != erOK) DDFehler("GetDisplayMode");
    return CreateObjects(modus);
}

bool CreateObjects(const TAnzeigeModus& modus) {
    AnzeigeModus = modus;
    // Qt reports true-colour desktops as 24 or 32 bits deep; both are shown from 32-bit pixels.
    if (modus.BitsProPixel == 16)
        AnzeigeBits = 16;
    else if (modus.BitsProPixel == 24 || modus.BitsProPixel == 32)
        AnzeigeBits = 32;
    else
        FehlerUndEnde("Sorry, but this Prog needs 16 or 32bits colordepth!");

    MaxViewBreite = std::min(modus.Breite - 2 * BackRand, MapBreite);
    MaxViewHoehe = std::min(modus.Hoehe - 2 * BackRand, MapHoehe);

    SurfaceFront = Erzeugen(FrontSpeicher, MaxViewBreite, MaxViewHoehe, "SurfaceFront");
    SurfaceBack = Erzeugen(BackSpeicher, MaxViewBreite + 2 * BackRand, MaxViewHoehe + 2 * BackRand, "SurfaceBack");
    SurfaceMap = Erzeugen(MapSpeicher, MapBreite, MapHoehe, "SurfaceMap");
    Farbschluessel = AnzeigeBits == 16 ? 0xF81Fu : 0xFF00FFu;
    SurfacePieces = Erzeugen(PiecesSpeicher, PiecesBreite, PiecesHoehe, "SurfacePieces");
    SurfaceFarbschluesselSetzen(PiecesSpeicher, Farbschluessel);
    if (OwnPiecesVorhanden) {
        SurfaceOwnPieces = Erzeugen(OwnPiecesSpeicher, OwnPiecesBreite, OwnPiecesHoehe, "SurfaceOwnPieces");
        SurfaceFarbschluesselSetzen(OwnPiecesSpeicher, Farbschluessel);
    } else {
        SurfaceFreigeben(OwnPiecesSpeicher);
        SurfaceOwnPieces = nullptr;
    }
    // The window takes the place of a clipper: it shows the view only where it is visible.
    DDErgebnis = erOK;
    return true;
}

void ReleaseObjects() {
    SurfaceFreigeben(MapSpeicher);
    SurfaceMap = nullptr;
    SurfaceFreigeben(BackSpeicher);
    SurfaceBack = nullptr;
    SurfaceFreigeben(FrontSpeicher);
    SurfaceFront = nullptr;
}

void RestoreSurfaces() {
    // The surfaces keep their pixels in ordinary memory and are never lost, so none needs its
    // picture loaded again.
    for (TSurface* s : {SurfaceFront, SurfaceBack, SurfaceMap, SurfacePieces})
        if (s && s->IsLost()) s->Restore();
}
