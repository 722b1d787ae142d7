// The real program in a real window: started under a virtual X server with a window
// manager, driven with xdotool, photographed with import, closed with its close button.
#include <QImage>
#include <algorithm>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

#include "AppHilfen.h"
#include "UBild.h"
#include "UDateien.h"
#include "UPieces.h"

namespace fs = std::filesystem;

namespace {

// A program of the test, ended when the test ends.
struct Prozess {
    QProcess P;
    ~Prozess() {
        if (P.state() != QProcess::NotRunning) {
            P.kill();
            P.waitForFinished(3000);
        }
    }
};

class XSitzung {
public:
    QProcessEnvironment Umgebung;

    bool Starten() {
        x_.P.setProgram(QStringLiteral("Xvfb"));
        x_.P.setArguments({"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        x_.P.start();
        if (!x_.P.waitForStarted(5000)) return false;
        QByteArray nummer;
        for (int i = 0; i < 100 && !nummer.contains('\n'); ++i) {
            x_.P.waitForReadyRead(100);
            nummer += x_.P.readAllStandardOutput();
        }
        if (!nummer.contains('\n')) return false;
        Umgebung = QProcessEnvironment::systemEnvironment();
        Umgebung.insert(QStringLiteral("DISPLAY"), QStringLiteral(":") + QString::fromLatin1(nummer.trimmed()));
        Umgebung.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        wm_.P.setProcessEnvironment(Umgebung);
        wm_.P.start(QStringLiteral("openbox"), {});
        if (!wm_.P.waitForStarted(5000)) return false;
        QThread::msleep(500);
        return true;
    }

    // Runs xdotool (or another X client) and gives its output.
    QString Aufruf(const QString& programm, const QStringList& args, int ms = 15000) {
        QProcess p;
        p.setProcessEnvironment(Umgebung);
        p.start(programm, args);
        p.waitForFinished(ms);
        return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    }
    QString Xdo(const QStringList& args) { return Aufruf(QStringLiteral("xdotool"), args); }

    QImage Bild(const std::string& pfad) {
        Aufruf(QStringLiteral("import"), {"-window", "root", QString::fromStdString(pfad)});
        return QImage(QString::fromStdString(pfad)).convertToFormat(QImage::Format_RGB32);
    }

private:
    Prozess x_, wm_;
};

// Screen position of a window's client area, as xwininfo gives it.
QPoint Position(XSitzung& x, const QString& fenster) {
    const QString info = x.Aufruf(QStringLiteral("xwininfo"), {"-id", fenster});
    auto wert = [&](const QString& name) {
        const int a = info.indexOf(name);
        return a < 0 ? -1 : info.mid(a + name.size()).section('\n', 0, 0).trimmed().toInt();
    };
    return QPoint(wert(QStringLiteral("Absolute upper-left X:")), wert(QStringLiteral("Absolute upper-left Y:")));
}

// The file's text with plain line ends.
std::string Text(const std::string& pfad) {
    std::ifstream f(pfad);
    std::stringstream s;
    s << f.rdbuf();
    std::string t = s.str();
    t.erase(std::remove(t.begin(), t.end(), '\r'), t.end());
    return t;
}

}  // namespace

TEST(EndeZuEnde, PlaceAPieceInTheRealWindowAndCloseIt) {
    for (const char* p : {"Xvfb", "xdotool", "import", "openbox", "xwininfo", "xprop"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(p)).isEmpty())
            GTEST_SKIP() << p << " is not installed";
    if (!StandardBrettVorhanden()) GTEST_SKIP() << "the default board is not there";

    TempOrdner ordner;
    BrettKopieren(ordner.Pfad());
    const std::string ini = "[MapForm]\nTop=0\nLeft=0\nHeight=700\nWidth=1000\n[GameInfoForm]\nTop=120\nLeft=1010\n"
                            "[ToolsForm]\nTop=20\nLeft=1010\n";
    std::ofstream(ordner.Datei("QelWin.INI")) << ini;

    XSitzung x;
    ASSERT_TRUE(x.Starten());
    Prozess programm;
    programm.P.setProcessEnvironment(x.Umgebung);
    programm.P.setWorkingDirectory(QString::fromStdString(ordner.Pfad()));
    programm.P.start(QStringLiteral(QELMAP_EXE), {});
    ASSERT_TRUE(programm.P.waitForStarted(5000));
    auto suchen = [&](const char* name) {
        QString w;
        for (int i = 0; i < 50 && w.isEmpty(); ++i, QThread::msleep(200))
            w = x.Xdo({"search", "--onlyvisible", "--name", QString::fromLatin1(name)}).split('\n').value(0);
        return w;
    };
    const QString haupt = suchen("^QelMap for Windows");
    const QString tools = suchen("^tools$");
    ASSERT_FALSE(haupt.isEmpty()) << programm.P.readAllStandardError().toStdString();
    ASSERT_FALSE(tools.isEmpty());
    // The window manager frames the windows, then the program places them: wait until the
    // main window stays where it is.
    QPoint client = Position(x, haupt);
    for (int i = 0; i < 20; ++i) {
        QThread::msleep(300);
        const QPoint jetzt = Position(x, haupt);
        if (jetzt == client && client.y() > 0) break;
        client = jetzt;
    }

    // Where the map view lies on the screen: the rows below the client's top that show the
    // map picture unchanged (scroll 0, zoom 1).
    ASSERT_GE(client.x(), 0);
    TBild karte;
    BildLaden(karte, ordner.Datei("Map(1587x913)[16].BMP"));
    QImage vorher = x.Bild(ordner.Datei("vorher.png"));
    int viewOben = -1, besteTreffer = 0;
    for (int dy = 20; dy < 90; ++dy) {
        int treffer = 0;
        for (int my = 200; my < 400; my += 7)
            for (int mx = 10; mx < 900; mx += 13)
                if ((vorher.pixel(client.x() + mx, client.y() + dy + my) & 0xF8FCF8u) ==
                    (karte.Rgb[static_cast<std::size_t>(my) * karte.Breite + mx] & 0xF8FCF8u))
                    ++treffer;
        if (treffer > besteTreffer) besteTreffer = treffer, viewOben = dy;
    }
    ASSERT_GT(besteTreffer, 1000) << "the map view is not on the screen";

    // A point deep inside a land sector of the shown part of the map.
    BildLaden(SektorBild, ordner.Datei("Sektoreninfo(1587x913)[256Grau].BMP"));
    SektorBildGeladen = true;
    SektorenLaden(ordner.Datei("Sektoren_neu.sek"));
    ScrollX = ScrollY = 0;
    Zoom = 1;
    ViewBreite = 900;
    ViewHoehe = 500;
    TMapPunkt m{};
    bool gefunden = false;
    MapLaden(ordner.Datei("Start.map"));
    for (int s = 1; s <= 127 && !gefunden; ++s) {
        // A sector without a German infantry stack, so that the new one shows where it is put.
        std::uint16_t nummer, anzahl;
        EinheitSuchen(static_cast<std::uint8_t>(s), eaInfanterie, bsDeutschland, nummer, anzahl);
        if (Sektoren[s].Land && nummer == 0 && PunktIn(static_cast<std::uint8_t>(s), m, 15)) gefunden = true;
    }
    ASSERT_TRUE(gefunden);

    // German infantry from the palette, a click on the land, the pointer moved away.
    x.Xdo({"mousemove", "--window", tools, "22", "15", "sleep", "0.2", "click", "1"});
    const int sx = client.x() + static_cast<int>(m.X), sy = client.y() + viewOben + static_cast<int>(m.Y);
    x.Xdo({"mousemove", QString::number(sx), QString::number(sy), "sleep", "0.2", "click", "1"});
    QThread::msleep(200);
    x.Xdo({"mousemove", QString::number(client.x() + 40), QString::number(client.y() + viewOben + 40)});
    QThread::msleep(400);
    const QImage nachher = x.Bild(ordner.Datei("nachher.png"));

    // The piece's picture (its magenta pixels show the map) centred on the click.
    TBild pieces;
    BildLaden(pieces, ordner.Datei("PIECES.BMP"));
    auto passt = [&](const QImage& bild, int ox, int oy) {
        int gleich = 0, gezaehlt = 0;
        for (int y = 0; y < 10; ++y)
            for (int x2 = 0; x2 < 15; ++x2) {
                const std::uint32_t p = pieces.Rgb[static_cast<std::size_t>(10 + y) * pieces.Breite + 15 + x2];
                if (p == 0xFF00FFu) continue;
                ++gezaehlt;
                if ((bild.pixel(ox + x2, oy + y) & 0xFFFFFFu) == p) ++gleich;
            }
        return gleich * 10 >= gezaehlt * 9;
    };
    EXPECT_TRUE(passt(nachher, sx - 7, sy - 5)) << "no infantry at " << sx << "," << sy;
    EXPECT_FALSE(passt(vorher, sx - 7, sy - 5));

    // The close button at the right end of the title bar.
    client = Position(x, haupt);
    const QString rand = x.Aufruf(QStringLiteral("xprop"), {"-id", haupt, "_NET_FRAME_EXTENTS"});
    const QStringList r = rand.mid(rand.indexOf('=') + 1).split(',');
    ASSERT_EQ(r.size(), 4) << rand.toStdString();
    const int rechts = client.x() + 998 + r[1].trimmed().toInt(), oben = client.y() - r[2].trimmed().toInt();
    x.Xdo({"mousemove", QString::number(rechts - 10), QString::number(oben + r[2].trimmed().toInt() / 2), "sleep",
           "0.5", "click", "1"});
    const bool geendet = programm.P.waitForFinished(10000);
    ASSERT_TRUE(geendet) << "the close button did not end the program";
    EXPECT_EQ(programm.P.exitCode(), 0);
    // The places come back as they were read, and the flags at their defaults.
    const std::string geschrieben = Text(ordner.Datei("QelWin.INI"));
    EXPECT_NE(geschrieben.find("[MapForm]\nTop=0\nLeft=0\nHeight=700\nWidth=1000\n"), std::string::npos) << geschrieben;
    EXPECT_NE(geschrieben.find("[ToolsForm]\nTop=20\nLeft=1010\n"), std::string::npos) << geschrieben;
    EXPECT_NE(geschrieben.find("GameInfo=1"), std::string::npos);
    VariablenZuruecksetzen();
}

// Under a file size limit the program died of SIGXFSZ in the middle of a save. The settings
// written at closing are a save like the others: refused with a message naming the file, the
// old file kept, no temporary file left, and the program ends with the error's status.
TEST(EndeZuEnde, ASaveBeyondTheFileSizeLimitIsReportedAndKeepsTheOldFile) {
    for (const char* p : {"Xvfb", "xdotool", "openbox", "bash"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(p)).isEmpty())
            GTEST_SKIP() << p << " is not installed";
    if (!StandardBrettVorhanden()) GTEST_SKIP() << "the default board is not there";

    TempOrdner ordner;
    BrettKopieren(ordner.Pfad());
    // Larger than the limit of 2 KiB below, so that writing it again meets the limit.
    std::string ini = "[MapForm]\nTop=0\nLeft=0\nHeight=500\nWidth=700\n";
    for (int i = 0; i < 60; ++i) ini += "; a line the program keeps as it is, " + std::to_string(i) + "\n";
    std::ofstream(ordner.Datei("QelWin.INI")) << ini;
    const std::vector<std::uint8_t> vorher = Bytes(ordner.Datei("QelWin.INI"));
    ASSERT_GT(vorher.size(), 2048u);
    const auto eintraege = [&] {
        std::set<std::string> namen;
        for (const auto& e : fs::directory_iterator(ordner.Pfad())) namen.insert(e.path().filename().string());
        return namen;
    };
    const std::set<std::string> dateien = eintraege();

    XSitzung x;
    ASSERT_TRUE(x.Starten());
    Prozess programm;
    programm.P.setProcessEnvironment(x.Umgebung);
    programm.P.setWorkingDirectory(QString::fromStdString(ordner.Pfad()));
    programm.P.start(QStringLiteral("bash"), {"-c", "ulimit -f 2; exec \"$0\"", QStringLiteral(QELMAP_EXE)});
    ASSERT_TRUE(programm.P.waitForStarted(5000));
    auto suchen = [&](const char* name) {
        QString w;
        for (int i = 0; i < 50 && w.isEmpty(); ++i, QThread::msleep(200))
            w = x.Xdo({"search", "--onlyvisible", "--name", QString::fromLatin1(name)}).split('\n').value(0);
        return w;
    };
    const QString haupt = suchen("^QelMap for Windows");
    ASSERT_FALSE(haupt.isEmpty()) << programm.P.readAllStandardError().toStdString();
    x.Xdo({"windowactivate", "--sync", haupt, "key", "ctrl+x"});
    const QString meldung = suchen("^QelMap$");
    ASSERT_FALSE(meldung.isEmpty()) << "no message box";
    x.Xdo({"windowactivate", "--sync", meldung, "key", "Return"});
    ASSERT_TRUE(programm.P.waitForFinished(10000));
    EXPECT_EQ(programm.P.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(programm.P.exitCode(), 1);
    const std::string fehler = programm.P.readAllStandardError().toStdString();
    EXPECT_NE(fehler.find("QelWin.INI: cannot write the file (File too large)"), std::string::npos) << fehler;
    EXPECT_EQ(Bytes(ordner.Datei("QelWin.INI")), vorher);
    EXPECT_EQ(eintraege(), dateien);
    VariablenZuruecksetzen();
}
