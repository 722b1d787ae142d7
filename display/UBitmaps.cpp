#include "UBitmaps.h"

#include <cstdio>

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

// A picture of another size still loads (what it lacks stays black, what is beyond is cut),
// but a black map or an empty palette without a word would leave the player guessing.
void GroesseMelden(const TBild& bild, const std::string& pfad, std::int32_t breite, std::int32_t hoehe) {
    if (bild.Breite == breite && bild.Hoehe == hoehe) return;
    std::fprintf(stderr, "QelMap: %s is %dx%d pixels, but the board needs %dx%d; it is used as it is\n", pfad.c_str(),
                 static_cast<int>(bild.Breite), static_cast<int>(bild.Hoehe), static_cast<int>(breite),
                 static_cast<int>(hoehe));
}

// Loads a picture and copies its top-left breite x hoehe pixels into the surface. The
// picture itself is not kept. Without the surface (display not set up) it is only read.
void InSurfaceLaden(TSurface* ziel, const char* datei, std::int32_t breite, std::int32_t hoehe) {
    TBild bild;
    BildLaden(bild, Pfad(datei));
    GroesseMelden(bild, Pfad(datei), breite, hoehe);
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
    GroesseMelden(SektorBild, Pfad(SektorBildDatei), MapBreite, MapHoehe);
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
