#include "WerkzeugHilfen.h"

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>

#include "TestHilfen.h"

namespace {
TLauf Warten(QProcess& p) {
    TLauf l;
    if (!p.waitForFinished(60000)) {
        ADD_FAILURE() << "qelmap-tool did not finish: " << p.errorString().toStdString();
        p.kill();
        p.waitForFinished();
        return l;
    }
    l.Status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    l.Aus = p.readAllStandardOutput().toStdString();
    l.Fehler = p.readAllStandardError().toStdString();
    return l;
}
}  // namespace

TLauf Werkzeug(const std::string& ordner, const QStringList& argumente) {
    QProcess p;
    p.setWorkingDirectory(QString::fromStdString(ordner));
    p.start(QStringLiteral(QELMAP_TOOL), argumente);
    return Warten(p);
}

TLauf Shell(const std::string& ordner, const std::string& befehl) {
    QProcess p;
    p.setWorkingDirectory(QString::fromStdString(ordner));
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert(QStringLiteral("TOOL"), QStringLiteral(QELMAP_TOOL));
    p.setProcessEnvironment(umgebung);
    p.start(QStringLiteral("/bin/bash"), {QStringLiteral("-c"), QString::fromStdString(befehl)});
    return Warten(p);
}

std::vector<std::string> Zeilen(const std::string& text) {
    std::vector<std::string> z;
    std::size_t anfang = 0;
    while (anfang < text.size()) {
        std::size_t ende = text.find('\n', anfang);
        if (ende == std::string::npos) ende = text.size();
        z.push_back(text.substr(anfang, ende - anfang));
        anfang = ende + 1;
    }
    return z;
}

TSektor SektorRecord(const char* name, TBesitzer start, std::uint8_t icps, bool land, std::int32_t hx, std::int32_t hy) {
    TSektor s;
    std::memset(&s, 0, sizeof s);
    SektorNameSetzen(s, name);
    s.StartBesitzer = start;
    s.ICPs = icps;
    s.Land = land ? 1 : 0;
    s.HotSpotX = hx;
    s.HotSpotY = hy;
    return s;
}

void SektorDateiSchreiben(const std::string& pfad, std::vector<TSektor> sektoren) {
    for (std::size_t n = sektoren.size() + 1; n <= SektorenAnzahl; ++n)
        sektoren.push_back(SektorRecord(("S" + std::to_string(n)).c_str(), bsNeutral, 0, true, 1, 1));
    std::vector<std::uint8_t> d(sizeof(TSektor) * SektorenAnzahl);
    std::memcpy(d.data(), sektoren.data(), d.size());
    BytesSchreiben(pfad, d);
}

TEinheit Stack(double x, double y, TEinheitArt art, TBesitzer besitzer, std::uint16_t anzahl, std::uint8_t sektor) {
    return TEinheit{x, y, art, besitzer, anzahl, sektor, {0, 0, 0}};
}

void MapDateiSchreiben(const std::string& pfad, const std::vector<TEinheit>& stapel) {
    std::vector<std::uint8_t> d(4 + sizeof(TEinheit) * stapel.size());
    std::int32_t n = static_cast<std::int32_t>(stapel.size());
    std::memcpy(d.data(), &n, 4);
    if (n) std::memcpy(d.data() + 4, stapel.data(), sizeof(TEinheit) * stapel.size());
    BytesSchreiben(pfad, d);
}

std::uint8_t TestSektorAn(int x, int y) { return y == 0 ? 0 : static_cast<std::uint8_t>(1 + x / 100); }

void SektorBildSchreiben(const std::string& pfad) {
    QImage img(MapBreite, MapHoehe, QImage::Format_Indexed8);
    QList<QRgb> grau;
    for (int i = 0; i < 256; ++i) grau.push_back(qRgb(i, i, i));
    img.setColorTable(grau);
    for (int y = 0; y < MapHoehe; ++y)
        for (int x = 0; x < MapBreite; ++x) img.setPixel(x, y, TestSektorAn(x, y));
    ASSERT_TRUE(img.save(QString::fromStdString(pfad), "BMP"));
}
