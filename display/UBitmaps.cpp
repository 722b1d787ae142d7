#include "UBitmaps.h"

#include "UDDrawInit.h"
#include "UDatei.h"
#include "UHalterKarte.h"
#include "UVariablen.h"

const char* const MapBildDatei = "Map(1587x913)[16].BMP";
const char* const PiecesBildDatei = "PIECES.BMP";
const char* const OwnPiecesBildDatei = "OwnPieces.BMP";
const char* const SektorBildDatei = "Sektoreninfo(1587x913)[256Grau].BMP";

std::string BilderOrdner;

TBild GruenesLicht, GelbesLicht, DunkelrotesLicht, RotesLicht;

namespace {
// In the current directory the plain name, so that messages name the file as the user knows it.
std::string Pfad(const char* datei) { return BilderOrdner.empty() ? std::string(datei) : BilderOrdner + "/" + datei; }

// Loads a picture and copies its top-left breite x hoehe pixels into the surface. The
// picture itself is not kept. Without the surface (display not set up) it is only read.
void InSurfaceLaden(TSurface* ziel, const char* datei, std::int32_t breite, std::int32_t hoehe) {
    TBild bild;
    BildLaden(bild, Pfad(datei));
    if (ziel) BildInSurface(*ziel, bild, breite, hoehe);
}
}  // namespace

void OwnPiecesPruefen() {
    if (DateiExistiert(Pfad(OwnPiecesBildDatei))) {
        TBild bild;
        BildLaden(bild, Pfad(OwnPiecesBildDatei));
        OwnPiecesBreite = bild.Breite;
        OwnPiecesHoehe = bild.Hoehe;
        OwnPiecesVorhanden = true;
    } else {
        OwnPiecesVorhanden = false;
    }
}

void MapBildLaden() {
    InSurfaceLaden(SurfaceMap, MapBildDatei, MapBreite, MapHoehe);
    HalterKarteVerwerfen();
}

void PiecesBildLaden() {
    InSurfaceLaden(SurfacePieces, PiecesBildDatei, PiecesBreite, PiecesHoehe);
    if (OwnPiecesVorhanden) {
        InSurfaceLaden(SurfaceOwnPieces, OwnPiecesBildDatei, OwnPiecesBreite, OwnPiecesHoehe);
        PieceGeometrieSetzen(OwnPiecesBreite / ArtenAnzahl, OwnPiecesHoehe / BesitzerAnzahl);
    } else {
        PieceGeometrieSetzen(ZellBreite, ZellHoehe);
    }
}

void SektorBildLaden() {
    SektorBildGeladen = false;
    BildLaden(SektorBild, Pfad(SektorBildDatei));
    SektorBildGeladen = true;
    HalterKarteVerwerfen();
}

void LichterLaden() {
    BildLaden(GruenesLicht, Pfad("grueneslicht.BMP"));
    BildLaden(GelbesLicht, Pfad("gelbeslicht.BMP"));
    BildLaden(DunkelrotesLicht, Pfad("dunkelroteslicht.BMP"));
    BildLaden(RotesLicht, Pfad("roteslicht.BMP"));
}

void BitmapsLaden() {
    MapBildLaden();
    PiecesBildLaden();
    SektorBildLaden();
    LichterLaden();
}
