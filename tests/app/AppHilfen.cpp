#include "AppHilfen.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <algorithm>
#include <cstring>
#include <filesystem>

#include "Main.h"
#include "UStart.h"
#include "UDatei.h"
#include "USpielstand.h"
#include "UZufall.h"

namespace fs = std::filesystem;

namespace {

struct TFlaeche {
    std::uint8_t Sektor;
    int X0, Y0, X1, Y1;  // inclusive
};
const TFlaeche Flaechen[] = {
    {1, 100, 100, 299, 299}, {2, 301, 100, 500, 299}, {3, 100, 300, 500, 500},
    {4, 600, 100, 800, 300}, {128, 900, 100, 1000, 200},
};

void Speichern(const QImage& bild, const std::string& pfad) {
    if (!bild.save(QString::fromStdString(pfad), "BMP")) throw std::runtime_error("cannot write " + pfad);
}

}  // namespace

void KleinesBrett(const std::string& ordner) {
    QImage sektoren(MapBreite, MapHoehe, QImage::Format_Indexed8);
    QList<QRgb> grau;
    for (int i = 0; i < 256; ++i) grau << qRgb(i, i, i);
    sektoren.setColorTable(grau);
    sektoren.fill(255);
    QImage karte(MapBreite, MapHoehe, QImage::Format_RGB32);
    karte.fill(qRgb(40, 80, 160));
    for (const TFlaeche& f : Flaechen)
        for (int y = f.Y0; y <= f.Y1; ++y)
            for (int x = f.X0; x <= f.X1; ++x) {
                sektoren.setPixel(x, y, f.Sektor);
                karte.setPixel(x, y, qRgb(200, 190, 120 + f.Sektor % 100));
            }
    for (int y = 100; y <= 299; ++y) sektoren.setPixel(300, y, 0);
    Speichern(sektoren, ordner + "/Sektoreninfo(1587x913)[256Grau].BMP");
    Speichern(karte, ordner + "/Map(1587x913)[16].BMP");

    QImage pieces(320, 200, QImage::Format_RGB32);
    pieces.fill(qRgb(255, 0, 255));
    for (int k = 0; k < 11; ++k)
        for (int o = 0; o < 5; ++o)
            for (int y = 1; y < 9; ++y)
                for (int x = 1; x < 14; ++x) pieces.setPixel(k * 15 + x, o * 10 + y, qRgb(10 + 20 * k, 40 * o, 90));
    for (int y = 60; y < 86; ++y)
        for (int x = 0; x < 71; ++x)
            if ((x + y) % 3 == 0) pieces.setPixel(x, y, qRgb(0, 0, 0));
    for (int y = 170; y < 200; ++y)
        for (int x = 0; x < 319; ++x)
            if (x % 11 == 5) pieces.setPixel(x, y, qRgb(255, 255, 255));
    Speichern(pieces, ordner + "/PIECES.BMP");

    const char* lichter[4] = {"grueneslicht.BMP", "gelbeslicht.BMP", "roteslicht.BMP", "dunkelroteslicht.BMP"};
    const QRgb farben[4] = {qRgb(0, 200, 0), qRgb(240, 240, 0), qRgb(250, 0, 0), qRgb(120, 0, 0)};
    for (int i = 0; i < 4; ++i) {
        QImage l(30, 38, QImage::Format_RGB32);
        l.fill(qRgb(0, 128, 128));
        for (int y = 10; y < 28; ++y)
            for (int x = 6; x < 24; ++x) l.setPixel(x, y, farben[i]);
        Speichern(l, ordner + "/" + lichter[i]);
    }

    TSektor tabelle[SektorenAnzahl];
    std::memset(tabelle, 0, sizeof tabelle);
    for (int s = 1; s <= SektorenAnzahl; ++s) SektorNameSetzen(tabelle[s - 1], "Sektor " + std::to_string(s));
    auto setze = [&](int s, const char* name, int besitzer, int icps, int land) {
        TSektor& r = tabelle[s - 1];
        SektorNameSetzen(r, name);
        r.StartBesitzer = static_cast<std::uint8_t>(besitzer);
        r.ICPs = static_cast<std::uint8_t>(icps);
        r.Land = static_cast<std::uint8_t>(land);
    };
    setze(1, "Westland", bsDeutschland, 10, 1);
    setze(2, "Ostland", bsRussland, 20, 1);
    setze(3, "Meer", bsNeutral, 0, 0);
    setze(4, "Inselreich", bsJapan, 30, 1);
    setze(128, "Fernland", bsUSA, 5, 1);
    DateiSchreiben(ordner + "/Sektoren_neu.sek", tabelle, sizeof tabelle);

    std::vector<std::uint8_t> map(4 + 2 * sizeof(TEinheit), 0);
    std::int32_t n = 2;
    std::memcpy(map.data(), &n, 4);
    TEinheit e[2];
    std::memset(e, 0, sizeof e);
    e[0] = TEinheit{150, 150, eaInfanterie, bsDeutschland, 5, 1, {0, 0, 0}};
    e[1] = TEinheit{400, 200, eaPanzer, bsRussland, 3, 2, {0, 0, 0}};
    std::memcpy(map.data() + 4, e, sizeof e);
    DateiSchreiben(ordner + "/Start.map", map.data(), map.size());
}

bool StandardBrettVorhanden() {
    return fs::exists(fs::path(QELMAP_DATA_DIR) / "Sektoren_neu.sek") &&
           fs::exists(fs::path(QELMAP_DATA_DIR) / "Start.map") && fs::exists(fs::path(QELMAP_DATA_DIR) / "PIECES.BMP");
}

void BrettKopieren(const std::string& ordner) {
    if (!StandardBrettVorhanden()) {
        KleinesBrett(ordner);
        return;
    }
    for (const auto& e : fs::directory_iterator(QELMAP_DATA_DIR))
        if (e.is_regular_file()) fs::copy_file(e.path(), fs::path(ordner) / e.path().filename());
}

bool PunktIn(std::uint8_t s, TMapPunkt& m, int rand) {
    if (!SektorBildGeladen) return false;
    const int r = rand;
    // The middle point of the sector's pixels that are surrounded by it, in reading order.
    std::vector<QPoint> gut;
    const int x1 = std::min(SektorBild.Breite - r, ScrollX + ViewBreite / Zoom - 16);
    const int y1 = std::min(SektorBild.Hoehe - r, ScrollY + ViewHoehe / Zoom - 16);
    for (int y = std::max(r, ScrollY + 16); y < y1; y += 3)
        for (int x = std::max(r, ScrollX + 16); x < x1; x += 3) {
            if (BildRot(SektorBild, x, y) != s) continue;
            bool rein = true;
            for (int dy = -r; dy <= r && rein; dy += 2)
                for (int dx = -r; dx <= r && rein; dx += 2)
                    if (BildRot(SektorBild, x + dx, y + dy) != s) rein = false;
            if (rein) gut.push_back(QPoint(x, y));
        }
    if (gut.empty()) return false;
    m = MapPunkt(gut[gut.size() / 2].x(), gut[gut.size() / 2].y());
    return true;
}

bool GrenzPunkt(TMapPunkt& m) {
    if (!SektorBildGeladen) return false;
    for (int y = ScrollY + 20; y < ScrollY + ViewHoehe / Zoom - 20 && y < SektorBild.Hoehe; ++y)
        for (int x = ScrollX + 20; x < ScrollX + ViewBreite / Zoom - 20 && x < SektorBild.Breite; ++x) {
            const std::uint8_t v = BildRot(SektorBild, x, y);
            if (v == 0 || v == 255) {
                m = MapPunkt(x, y);
                return true;
            }
        }
    return false;
}

std::uint8_t LandSektor(std::uint8_t ausser1, std::uint8_t ausser2) {
    for (int s = 1; s <= 127; ++s) {
        if (s == ausser1 || s == ausser2 || !Sektoren[s].Land) continue;
        TMapPunkt m;
        if (PunktIn(static_cast<std::uint8_t>(s), m)) return static_cast<std::uint8_t>(s);
    }
    return 0;
}

Lauf::Lauf(bool starten, bool zeigen) : zeigen_(zeigen) {
    BrettKopieren(ordner_.Pfad());
    im_ = new ImOrdner(ordner_.Pfad());
    if (starten) Starten();
}

bool Lauf::Starten() {
    VariablenZuruecksetzen();
    ZufallSeed = 0;
    Spielstand = TSpielstand{};
    gestartet_ = ::Starten();
    if (gestartet_ && zeigen_) {
        HauptfensterZeigen();
        if (!QTest::qWaitForWindowExposed(MapForm)) gestartet_ = false;
    }
    return gestartet_;
}

void Lauf::Schliessen() {
    if (MapForm) MapForm->close();
}

Lauf::~Lauf() {
    if (MapForm) {
        // Modal leftovers of a failed test must not outlive it.
        while (QWidget* m = QApplication::activeModalWidget()) m->close();
        FensterFreigeben();
    }
    QApplication::processEvents();
    delete im_;
}

QPoint ClientPunkt(TMapPunkt m) {
    TPunkt v = MapZuView(m);
    return QPoint(v.X, v.Y + MapForm->ToolBarHoehe());
}
