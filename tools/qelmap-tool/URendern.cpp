// render: a picture of the map view as the program composes it, without the pointer.
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QRegularExpression>
#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "UBefehle.h"
#include "UBildaufbau.h"
#include "UBitmaps.h"
#include "UDDrawInit.h"
#include "UDatei.h"
#include "UDateien.h"
#include "UFehler.h"
#include "UGrafik.h"
#include "UMap.h"
#include "UMarken.h"
#include "URendern.h"
#include "USpielstand.h"
#include "UVariablen.h"
#include "UVergleich.h"
#include "UWerkzeug.h"

namespace {

// Two whole numbers joined by a separator ("100,50", "640x480").
void ZahlenPaar(const QString& text, const char* trenner, const char* option, std::int32_t& a, std::int32_t& b) {
    QRegularExpression muster(QString("^(-?\\d{1,9})%1(-?\\d{1,9})$").arg(QRegularExpression::escape(trenner)));
    QRegularExpressionMatch m = muster.match(text.trimmed());
    if (!m.hasMatch())
        throw EAufrufFehler(std::string("--") + option + " \"" + ArgumentBytes(text) + "\" must be two whole numbers as A" +
                            trenner + "B");
    a = m.captured(1).toInt();
    b = m.captured(2).toInt();
}

// A display failure ends the command with its text instead of the process.
struct TWerkzeugFenster : TOhneFenster {
    void FehlerZeigen(const std::string& text) override { throw std::runtime_error("display: " + text); }
} WerkzeugFenster;

void NamenZeichnen() {
    // Under the ICP figure (14 pixels high) of each sector that can have one.
    for (int s = 1; s <= IcpSektoren; ++s) {
        const std::string name = SektorName(Sektoren[s]);
        if (name.empty()) continue;
        // A hot spot from a file may lie anywhere in 32 bits: place the name in 64 bits and
        // leave out one that cannot touch the view.
        const std::int64_t x = (std::int64_t{Sektoren[s].HotSpotX} - ScrollX) * Zoom;
        const std::int64_t y = (std::int64_t{Sektoren[s].HotSpotY} - ScrollY) * Zoom + 15;
        if (x + std::int64_t{FontBreite} * static_cast<std::int64_t>(name.size()) < 0 || x > ViewBreite ||
            y + FontHoehe < 0 || y > ViewHoehe)
            continue;
        BlitText(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), name);
    }
}

TStellung Vorher, Jetzt;

}  // namespace

void AnzeigeEinrichten(const TBefehlParser& p, int breite, int hoehe) {
    Fenster = &WerkzeugFenster;
    // The display sizes its surfaces from the screen; a screen just larger than the view by the
    // margin makes the largest view exactly the one asked for.
    BilderOrdner = p.Parser.isSet(p.Daten) ? DatenOrdner(p) : std::string();
    OwnPiecesPruefen();
    CreateObjects(TAnzeigeModus{breite + 2 * BackRand, hoehe + 2 * BackRand, 32});
    MapBildLaden();
    PiecesBildLaden();
}

// Which sectors changed from alt to neu; the piece list then holds neu.
bool MarkierungenBerechnen(const TMapDaten& alt, const TMapDaten& neu) {
    Vorher.Map = alt;
    Jetzt.Map = neu;
    Vergleichen(Vorher, Jetzt);
    MapUebernehmen(Jetzt.Map);
    return MarkierungenSetzen(Vorher, Jetzt);
}

void AnsichtZeichnen(bool icps, bool namen, bool markiert) {
    BlitMap();
    if (markiert) RingeZeichnen();
    if (icps) BlitAllICPs();
    BlitPieces();
    if (namen) NamenZeichnen();
    if (markiert) LegendeZeichnen();
}

QByteArray PngKodieren(const TBild& bild, const std::string& datei) {
    QImage img(bild.Breite, bild.Hoehe, QImage::Format_RGB32);
    for (int y = 0; y < bild.Hoehe; ++y) {
        QRgb* zeile = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < bild.Breite; ++x) zeile[x] = 0xFF000000u | bild.Rgb[static_cast<std::size_t>(y) * bild.Breite + x];
    }
    // 96 pixels an inch, a browser's: whoever runs the code, the same bytes.
    img.setDotsPerMeterX(3780);
    img.setDotsPerMeterY(3780);
    QByteArray png;
    QBuffer puffer(&png);
    puffer.open(QIODevice::WriteOnly);
    if (!img.save(&puffer, "PNG")) throw EDateiFehler(datei, "the picture could not be encoded as PNG");
    return png;
}

int BefehlRender(const QStringList& argumente) {
    TBefehlParser p("render MAP -o OUT.png [--zoom N] [--scroll X,Y] [--view WxH] [--icps] [--names] [--no-holders] [--data DIR] "
                    "[--changes OLD.map] [--sectors FILE]",
                    "Draws the map view of the position in MAP into a PNG picture, as the program composes it: the "
                    "map at the zoom factor, the stacks and their counts, and with --icps the ICP figures. The "
                    "scroll position is clamped as in the program. Land sectors held by a power other than their "
                    "start owner are drawn in that power's colour. The pictures come from the data folder; the "
                    "sector file is read for the holders, --icps and --names.",
                    true, true);
    QCommandLineOption aus({"o", "output"}, "Write the picture to FILE (PNG).", "FILE");
    QCommandLineOption zoom("zoom", "Zoom factor 1..6 (default 1).", "N", "1");
    QCommandLineOption scroll("scroll", "Map pixel at the view's top-left corner (default 0,0).", "X,Y", "0,0");
    QCommandLineOption view("view", "Size of the view in pixels, at most 1587x913 (default: the whole map, 1587x913).",
                            "WxH", "1587x913");
    QCommandLineOption icps("icps", "Show the ICP figures of the sectors.");
    QCommandLineOption namen("names", "Write each sector's name under its ICP figure.");
    QCommandLineOption ohneHalter("no-holders", "Draw every sector in its start owner's colour, whoever holds it.");
    QCommandLineOption aenderungen("changes",
                                   "Mark what changed since the position in OLD.map: a magenta ring inside every sector "
                                   "that changed hands, a cyan one inside every sector where units changed, with a "
                                   "legend in the lower right corner (none when nothing changed).",
                                   "OLD.map");
    p.Parser.addOptions({aus, zoom, scroll, view, icps, namen, ohneHalter, aenderungen});
    p.Argument("MAP", "The map file (.map) of the position.");
    if (!p.Lesen(argumente)) return StatusOk;
    const std::string map = ArgumentBytes(p.Positionen(1, 1).at(0));
    if (!p.Parser.isSet(aus)) throw EAufrufFehler("-o OUT.png is missing");
    const std::string ziel = ArgumentBytes(p.Parser.value(aus));

    bool ok;
    const int z = p.Parser.value(zoom).toInt(&ok);
    if (!ok || z < ZoomMin || z > ZoomMax) throw EAufrufFehler("--zoom must be a whole number from 1 to 6");
    std::int32_t sx, sy, vb, vh;
    ZahlenPaar(p.Parser.value(scroll), ",", "scroll", sx, sy);
    ZahlenPaar(p.Parser.value(view), "x", "view", vb, vh);
    // The program's view never outgrows the map (its largest view fits the map at zoom 1).
    if (vb < 1 || vb > MapBreite || vh < 1 || vh > MapHoehe)
        throw EAufrufFehler("--view must lie within 1x1 and 1587x913");

    const bool mitIcps = p.Parser.isSet(icps), mitNamen = p.Parser.isSet(namen), mitAenderungen = p.Parser.isSet(aenderungen);
    // Holders are drawn where the data folder has the sector picture that says where sectors lie.
    const std::string sektorBild = DatenDatei(p, SektorBildDatei);
    const bool mitHaltern = !p.Parser.isSet(ohneHalter) && DateiExistiert(sektorBild);
    bool markiert = false;
    if (mitIcps || mitNamen || mitAenderungen || mitHaltern) SektorenLaden(SektorDateiPfad(p));
    if (mitAenderungen) {
        static TMapDaten alt, neu;
        MapDateiLesen(ArgumentBytes(p.Parser.value(aenderungen)), alt);
        MapDateiLesen(map, neu);
        markiert = MarkierungenBerechnen(alt, neu);
    } else {
        MapLaden(map);
    }
    if (markiert || mitHaltern) {
        BildLaden(SektorBild, sektorBild);
        SektorBildGeladen = true;
    }
    SpielstandBerechnen();
    HalterAnzeigen = mitHaltern;

    AnzeigeEinrichten(p, vb, vh);

    WerkzeugFenster.Breite = vb;
    WerkzeugFenster.Hoehe = vh;
    ViewBerechnen();
    Zoom = z;
    PiecesZoom = 1;  // pieces keep their natural size at every zoom, as in the program
    ScrollX = sx;
    ScrollY = sy;
    ScrollUntenBegrenzen();
    ScrollObenBegrenzen();
    ICPsAnzeigen = mitIcps;

    AnsichtZeichnen(mitIcps, mitNamen, markiert);
    TBild bild;
    ViewAlsBild(bild);
    const QByteArray png = PngKodieren(bild, ziel);
    DateiSchreiben(ziel, png.constData(), static_cast<std::size_t>(png.size()));
    return StatusOk;
}
