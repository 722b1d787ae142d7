#include "UBitmaps.h"

#include "UDDrawInit.h"
#include "UDatei.h"
#include "UVariablen.h"

const char* const MapBildDatei = "Map(1587x913)[16].BMP";
const char* const PiecesBildDatei = "PIECES.BMP";
const char* const OwnPiecesBildDatei = "OwnPieces.BMP";
const char* const SektorBildDatei = "Sektoreninfo(1587x913)[256Grau].BMP";

TBild GruenesLicht, GelbesLicht, DunkelrotesLicht, RotesLicht;

namespace {
// Loads a picture and copies its top-left breite x hoehe pixels into the surface. The
// picture itself is not kept. Without the surface (display not set up) it is only read.
void InSurfaceLaden(TSurface* ziel, const char* datei, std::int32_t breite, std::int32_t hoehe) {
    TBild bild;
    BildLaden(bild, datei);
    if (ziel) BildInSurface(*ziel, bild, breite, hoehe);
}
}  // namespace

void OwnPiecesPruefen() {
    if (DateiExistiert(OwnPiecesBildDatei)) {
        TBild bild;
        BildLaden(bild, OwnPiecesBildDatei);
        OwnPiecesBreite = bild.Breite;
        OwnPiecesHoehe = bild.Hoehe;
        OwnPiecesVorhanden = true;
    } else {
        OwnPiecesVorhanden = false;
    }
}

void MapBildLaden() { InSurfaceLaden(SurfaceMap, MapBildDatei, MapBreite, MapHoehe); }

void PiecesBildLaden() {
    InSurfaceLaden(SurfacePieces, PiecesBildDatei, PiecesBreite, PiecesHoehe);
    if (OwnPiecesVorhanden) {
        InSurfaceLaden(SurfaceOwnPieces, OwnPiecesBildDatei, OwnPiecesBreite, OwnPiecesHoehe);
        PieceGeometrieSetzen(OwnPiecesBreite / 11, OwnPiecesHoehe / 5);
    } else {
        PieceGeometrieSetzen(15, 10);
    }
}

void SektorBildLaden() {
    SektorBildGeladen = false;
    BildLaden(SektorBild, SektorBildDatei);
    SektorBildGeladen = true;
}

void LichterLaden() {
    BildLaden(GruenesLicht, "grueneslicht.BMP");
    BildLaden(GelbesLicht, "gelbeslicht.BMP");
    BildLaden(DunkelrotesLicht, "dunkelroteslicht.BMP");
    BildLaden(RotesLicht, "roteslicht.BMP");
}

void BitmapsLaden() {
    MapBildLaden();
    PiecesBildLaden();
    SektorBildLaden();
    LichterLaden();
}
