// The real program in a real window: started under a virtual X server with a window
// manager, driven with xdotool, photographed with import, closed with its close button.
#include <QDeadlineTimer>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <csignal>
#include <cstdio>
#include <unistd.h>
#include <algorithm>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

#include "AppHilfen.h"
#include "UBild.h"
#include "UDateien.h"
#include "UPieces.h"

namespace fs = std::filesystem;

namespace {

// Polls a state until it holds or the deadline has passed: true when it holds.
bool Bis(const std::function<bool()>& zustand, int ms = 20000) {
    for (QDeadlineTimer frist(ms);; QThread::msleep(50)) {
        if (zustand()) return true;
        if (frist.hasExpired()) return false;
    }
}

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

    ~XSitzung() {
        // The accessibility bus launcher runs its own bus daemon: both end with their group.
        if (a11y_.P.processId() > 0) {
            ::kill(-static_cast<pid_t>(a11y_.P.processId()), SIGTERM);
            a11y_.P.waitForFinished(3000);
        }
        if (dbusPid_ > 0) ::kill(dbusPid_, SIGTERM);
    }

    bool Starten(const char* bildschirm = "1280x1024x24") {
        x_.P.setProgram(QStringLiteral("Xvfb"));
        x_.P.setArguments({"-displayfd", "1", "-screen", "0", QString::fromLatin1(bildschirm), "-nolisten", "tcp"});
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
        // The window manager has started once it has told the area it leaves to windows, which
        // it does after it has taken the screen; windows shown before would be placed without it.
        if (Bis([&] { return Aufruf(QStringLiteral("xprop"), {"-root", "_NET_WORKAREA"}).contains(QStringLiteral(" = ")); }, 60000))
            return true;
        // Said, so that a failed start on a busy machine shows which part did not come up.
        std::fprintf(stderr, "openbox on %s: %s, its output: %s\n", qPrintable(Umgebung.value("DISPLAY")),
                     wm_.P.state() == QProcess::NotRunning ? "ended" : "running, no work area after 60 s",
                     (wm_.P.readAllStandardError() + wm_.P.readAllStandardOutput()).constData());
        return false;
    }

    // Waits until the window manager has handled what was asked of it before: it handles
    // requests in order, and one more desktop, which nothing here depends on, shows when it
    // has come to this one.
    bool WmFertig() {
        const QString n = QString::number(Xdo({"get_num_desktops"}).toInt() + 1);
        Xdo({"set_num_desktops", n});
        return Bis([&] { return Xdo({"get_num_desktops"}) == n; });
    }

    // A private session bus with the accessibility bus on it: programs started afterwards with
    // this environment publish their windows, which Baum then reads.
    bool Barrierefrei() {
        const QString aus = Aufruf(QStringLiteral("dbus-launch"), {"--sh-syntax"});
        for (const QString& z : aus.split('\n')) {
            const QString wert = z.section('\'', 1, 1);
            if (z.startsWith(QStringLiteral("DBUS_SESSION_BUS_ADDRESS="))) Umgebung.insert("DBUS_SESSION_BUS_ADDRESS", wert);
            if (z.startsWith(QStringLiteral("DBUS_SESSION_BUS_PID="))) dbusPid_ = z.section('=', 1).remove(';').toInt();
        }
        if (dbusPid_ <= 0) return false;
        a11y_.P.setProcessEnvironment(Umgebung);
        a11y_.P.setChildProcessModifier([] { ::setpgid(0, 0); });
        a11y_.P.start(QStringLiteral("/usr/libexec/at-spi-bus-launcher"), {"--launch-immediately"});
        if (!a11y_.P.waitForStarted(5000)) return false;
        Umgebung.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
        // Asked whether the launcher owns its name, not for its address: a call to the name
        // would start another launcher through the session bus.
        return Bis([&] {
            return Aufruf(QStringLiteral("dbus-send"), {"--session", "--print-reply", "--dest=org.freedesktop.DBus",
                                                        "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner",
                                                        "string:org.a11y.Bus"})
                .endsWith(QStringLiteral("boolean true"));
        });
    }

    // The accessibility tree of the program, one node a line (see atspi_lesen.py).
    std::vector<QJsonObject> Baum() {
        std::vector<QJsonObject> knoten;
        const QString aus = Aufruf(QStringLiteral("/usr/bin/python3"),
                                   {QStringLiteral(ATSPI_SKRIPT), "dump", "Vantor Map for Windows"});
        for (const QString& z : aus.split('\n'))
            if (!z.isEmpty()) knoten.push_back(QJsonDocument::fromJson(z.toUtf8()).object());
        return knoten;
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

    // The first visible window whose title matches, once it has come up.
    QString Suchen(const char* name) {
        QString w;
        Bis([&] { return !(w = Sichtbar(name)).isEmpty(); });
        return w;
    }
    // The first visible window whose title matches now, "" when none.
    QString Sichtbar(const char* name) {
        return Xdo({"search", "--onlyvisible", "--name", QString::fromLatin1(name)}).split('\n').value(0);
    }

    QImage Bild(const std::string& pfad) {
        Aufruf(QStringLiteral("import"), {"-window", "root", QString::fromStdString(pfad)});
        return QImage(QString::fromStdString(pfad)).convertToFormat(QImage::Format_RGB32);
    }

private:
    Prozess x_, wm_, a11y_;
    int dbusPid_ = 0;
};

// A node's screen rectangle.
QRect Rechteck(const QJsonObject& k) {
    const QJsonArray a = k.value(QStringLiteral("extents")).toArray();
    return a.size() == 4 ? QRect(a[0].toInt(), a[1].toInt(), a[2].toInt(), a[3].toInt()) : QRect();
}
bool Hat(const QJsonObject& k, const char* zustand) {
    return k.value(QStringLiteral("states")).toArray().contains(QString::fromLatin1(zustand));
}
// The first node of that role whose name starts with the text, a null object when none.
QJsonObject Knoten(const std::vector<QJsonObject>& baum, const char* rolle, const QString& name) {
    for (const QJsonObject& k : baum)
        if (k.value(QStringLiteral("role")).toString() == QLatin1String(rolle) &&
            k.value(QStringLiteral("name")).toString().startsWith(name))
            return k;
    return QJsonObject();
}

// A window's client area on the screen, as xwininfo gives it.
QRect Client(XSitzung& x, const QString& fenster) {
    const QString info = x.Aufruf(QStringLiteral("xwininfo"), {"-id", fenster});
    auto wert = [&](const QString& name) {
        const int a = info.indexOf(name);
        return a < 0 ? -1 : info.mid(a + name.size()).section('\n', 0, 0).trimmed().toInt();
    };
    return QRect(wert(QStringLiteral("Absolute upper-left X:")), wert(QStringLiteral("Absolute upper-left Y:")),
                 wert(QStringLiteral("Width:")), wert(QStringLiteral("Height:")));
}
QPoint Position(XSitzung& x, const QString& fenster) { return Client(x, fenster).topLeft(); }

// The window's frame on the screen: its client area with the margins the window manager reports.
QRect Rahmen(XSitzung& x, const QString& fenster) {
    const QRect client = Client(x, fenster);
    const QString r = x.Aufruf(QStringLiteral("xprop"), {"-id", fenster, "_NET_FRAME_EXTENTS"});
    const QStringList m = r.mid(r.indexOf('=') + 1).split(',');
    if (m.size() != 4) return client;
    return client.adjusted(-m[0].trimmed().toInt(), -m[2].trimmed().toInt(), m[1].trimmed().toInt(),
                           m[3].trimmed().toInt());
}

// xdotool's steps that move the pointer to a screen point and wait until it is there.
QStringList Hin(QPoint p) { return {"mousemove", "--sync", QString::number(p.x()), QString::number(p.y())}; }

// Whether a popup of the program is open: a window of it that the window manager leaves unframed.
bool Aufgeklappt(XSitzung& x, qint64 pid) {
    for (const QString& w : x.Xdo({"search", "--onlyvisible", "--pid", QString::number(pid)}).split('\n'))
        if (!w.isEmpty() &&
            x.Aufruf(QStringLiteral("xwininfo"), {"-id", w}).contains(QStringLiteral("Override Redirect State: yes")))
            return true;
    return false;
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

// What a real-window test needs and this machine lacks ("" when nothing): the programs, the
// accessibility reader where it reads the window from outside, and the default board.
std::string Fehlt(std::initializer_list<const char*> programme, bool barrierefrei = false) {
    for (const char* p : programme)
        if (QStandardPaths::findExecutable(QString::fromLatin1(p)).isEmpty() && !fs::exists(p))
            return std::string(p) + " is not installed";
    if (barrierefrei && !fs::exists("/usr/lib/python3/dist-packages/pyatspi")) return "python3-pyatspi is not installed";
    if (!StandardBrettVorhanden()) return "the default board is not there";
    return {};
}

// A point deep inside a land sector of the board's top-left view of the given size, in a
// sector without a German infantry stack, so that a new one shows where it is put.
bool FreierLandpunkt(TempOrdner& ordner, int breite, int hoehe, TMapPunkt& m) {
    BildLaden(SektorBild, ordner.Datei("Sektoreninfo(1587x913)[256Grau].BMP"));
    SektorBildGeladen = true;
    SektorenLaden(ordner.Datei("Sektoren_neu.sek"));
    MapLaden(ordner.Datei("Start.map"));
    ScrollX = ScrollY = 0;
    Zoom = 1;
    ViewBreite = breite;
    ViewHoehe = hoehe;
    for (int s = 1; s <= 127; ++s) {
        std::uint16_t nummer, anzahl;
        EinheitSuchen(static_cast<std::uint8_t>(s), eaInfanterie, bsDeutschland, nummer, anzahl);
        if (Sektoren[s].Land && nummer == 0 && PunktIn(static_cast<std::uint8_t>(s), m, 15)) return true;
    }
    return false;
}

}  // namespace

TEST(EndeZuEnde, PlaceAPieceInTheRealWindowAndCloseIt) {
    if (const std::string f = Fehlt({"Xvfb", "xdotool", "import", "openbox", "xwininfo", "xprop", "dbus-launch",
                                     "dbus-send", "/usr/libexec/at-spi-bus-launcher"},
                                    true);
        !f.empty())
        GTEST_SKIP() << f;

    TempOrdner ordner;
    BrettKopieren(ordner.Pfad());
    const std::string ini = "[MapForm]\nTop=0\nLeft=0\nHeight=700\nWidth=1000\n[GameInfoForm]\nTop=120\nLeft=1010\n"
                            "[ToolsForm]\nTop=20\nLeft=1010\n"
                            "[ZugForm]\nTop=780\nLeft=20\nWidth=400\nHeight=200\nShown=1\n";
    std::ofstream(ordner.Datei("QelWin.INI")) << ini;

    XSitzung x;
    ASSERT_TRUE(x.Starten());
    ASSERT_TRUE(x.Barrierefrei());
    Prozess programm;
    programm.P.setProcessEnvironment(x.Umgebung);
    programm.P.setWorkingDirectory(QString::fromStdString(ordner.Pfad()));
    programm.P.start(QStringLiteral(QELMAP_EXE), {});
    ASSERT_TRUE(programm.P.waitForStarted(5000));
    const QString haupt = x.Suchen("^QelMap for Windows");
    const QString tools = x.Suchen("^tools$");
    ASSERT_FALSE(haupt.isEmpty()) << programm.P.readAllStandardError().toStdString();
    ASSERT_FALSE(tools.isEmpty());
    const QString zug = x.Suchen("^turn$");
    ASSERT_FALSE(zug.isEmpty());
    // The window manager frames the windows, then the program puts the frames at their places,
    // the turn window's too (shown at the start, on the screen below the main window).
    Bis([&] {
        return Rahmen(x, haupt) == QRect(0, 0, 1000, 700) && Rahmen(x, tools).topLeft() == QPoint(1010, 20) &&
               Rahmen(x, zug).topLeft() == QPoint(20, 780);
    });
    EXPECT_EQ(Rahmen(x, zug).topLeft(), QPoint(20, 780));
    // Reopened in front of the main window, and kept there when the main window is raised.
    x.Xdo({"windowactivate", "--sync", haupt});
    x.WmFertig();
    // The window manager's list runs from the bottom to the top.
    const QString stapel = x.Aufruf(QStringLiteral("xprop"), {"-root", "_NET_CLIENT_LIST_STACKING"}) + ',';
    const auto stelle = [&](const QString& w) { return stapel.indexOf(QStringLiteral("0x%1,").arg(w.toULongLong(), 0, 16)); };
    EXPECT_TRUE(stelle(haupt) >= 0 && stelle(zug) > stelle(haupt)) << stapel.toStdString();
    QPoint client = Position(x, haupt);

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
    TMapPunkt m{};
    ASSERT_TRUE(FreierLandpunkt(ordner, 900, 500, m));

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

    // German infantry from the palette, a click on the land, the pointer moved away.
    const int sx = client.x() + static_cast<int>(m.X), sy = client.y() + viewOben + static_cast<int>(m.Y);
    const QPoint weg(client.x() + 40, client.y() + viewOben + 40);
    x.Xdo(QStringList{"mousemove", "--window", tools, "--sync", "22", "15", "click", "1"} + Hin({sx, sy}) +
          QStringList{"click", "1"} + Hin(weg));
    QImage nachher;
    Bis([&] { return passt(nachher = x.Bild(ordner.Datei("nachher.png")), sx - 7, sy - 5); });
    EXPECT_TRUE(passt(nachher, sx - 7, sy - 5)) << "no infantry at " << sx << "," << sy;
    EXPECT_FALSE(passt(vorher, sx - 7, sy - 5));

    // The placed piece is not saved: a recovery file holds it a moment later, and Start.map
    // is left alone.
    const std::int32_t vorherAnzahl = EinheitenAnzahl;
    const std::string wieder = ordner.Datei("Wiederherstellung.map");
    Bis([&] { return fs::exists(wieder); });
    ASSERT_TRUE(fs::exists(wieder));
    MapLaden(wieder);
    EXPECT_EQ(EinheitenAnzahl, vorherAnzahl + 1);
    MapLaden(ordner.Datei("Start.map"));
    EXPECT_EQ(EinheitenAnzahl, vorherAnzahl);

    // "load map" of Start.map, the name typed and Enter pressed while the completion list is
    // open: the view follows the pointer at once and shows the loaded position, without the piece.
    x.Xdo({"windowactivate", "--sync", haupt, "key", "ctrl+l"});
    x.Xdo({"windowactivate", "--sync", x.Suchen("^Open$"), "type", "--delay", "60", "Start.map"});
    // Enter once the program has taken every typed key and the list shows the file: the list
    // opens at the first letter and is refilled as the folder is read.
    auto sieht = [&] {
        bool name = false, eintrag = false;
        for (const QJsonObject& k : x.Baum()) {
            const QString rolle = k.value(QStringLiteral("role")).toString();
            name = name || (rolle == QLatin1String("text") && k.value(QStringLiteral("text")).toString() == "Start.map");
            eintrag = eintrag || (rolle == QLatin1String("list item") && Hat(k, "showing") &&
                                  k.value(QStringLiteral("name")).toString() == "Start.map");
        }
        return name && eintrag && Aufgeklappt(x, programm.P.processId());
    };
    Bis(sieht);
    ASSERT_TRUE(sieht()) << "the typed name or the completion list is not there";
    x.Xdo({"key", "Return"});
    Bis([&] { return x.Sichtbar("^Open$").isEmpty(); });
    ASSERT_TRUE(x.Sichtbar("^Open$").isEmpty()) << "Enter in the completion list left the dialog open";
    x.Xdo(Hin({sx, sy + 30}) + Hin(weg));
    // Loaded once the view shows there what it showed before the piece was put.
    QImage geladen;
    Bis([&] {
        geladen = x.Bild(ordner.Datei("geladen.png"));
        for (int y = sy - 5; y < sy + 5; ++y)
            for (int x2 = sx - 7; x2 < sx + 8; ++x2)
                if (geladen.pixel(x2, y) != vorher.pixel(x2, y)) return false;
        return true;
    });
    EXPECT_FALSE(passt(geladen, sx - 7, sy - 5)) << "after load map the view still shows the position before it";

    // The close button at the right end of the title bar.
    client = Position(x, haupt);
    const QString rand = x.Aufruf(QStringLiteral("xprop"), {"-id", haupt, "_NET_FRAME_EXTENTS"});
    const QStringList r = rand.mid(rand.indexOf('=') + 1).split(',');
    ASSERT_EQ(r.size(), 4) << rand.toStdString();
    const int rechts = client.x() + 998 + r[1].trimmed().toInt(), oben = client.y() - r[2].trimmed().toInt();
    x.Xdo(Hin({rechts - 10, oben + r[2].trimmed().toInt() / 2}) + QStringList{"click", "1"});
    const bool geendet = programm.P.waitForFinished(10000);
    ASSERT_TRUE(geendet) << "the close button did not end the program";
    EXPECT_EQ(programm.P.exitCode(), 0);
    // The places come back as they were read, and the flags at their defaults.
    const std::string geschrieben = Text(ordner.Datei("QelWin.INI"));
    EXPECT_NE(geschrieben.find("[MapForm]\nTop=0\nLeft=0\nHeight=700\nWidth=1000\n"), std::string::npos) << geschrieben;
    EXPECT_NE(geschrieben.find("[ToolsForm]\nTop=20\nLeft=1010\n"), std::string::npos) << geschrieben;
    EXPECT_NE(geschrieben.find("[ZugForm]\nTop=780\nLeft=20\n"), std::string::npos) << geschrieben;
    EXPECT_NE(geschrieben.find("GameInfo=1"), std::string::npos);
    VariablenZuruecksetzen();
}

// A first start without a settings file, on the smallest screen the program is made for, read
// from outside through the accessibility tree and the window manager's properties.
TEST(EndeZuEnde, AFirstStartSeenFromOutside) {
    if (const std::string f = Fehlt({"Xvfb", "xdotool", "import", "openbox", "xwininfo", "xprop", "dbus-launch",
                                     "dbus-send", "/usr/libexec/at-spi-bus-launcher"},
                                    true);
        !f.empty())
        GTEST_SKIP() << f;

    TempOrdner ordner;
    BrettKopieren(ordner.Pfad());
    // Changes an earlier run could not save.
    fs::copy_file(ordner.Datei("Start.map"), ordner.Datei("Wiederherstellung.map"));
    const std::string start = Text(ordner.Datei("Start.map"));
    XSitzung x;
    ASSERT_TRUE(x.Starten("1024x768x24"));
    ASSERT_TRUE(x.Barrierefrei());
    Prozess programm;
    programm.P.setProcessEnvironment(x.Umgebung);
    programm.P.setWorkingDirectory(QString::fromStdString(ordner.Pfad()));
    programm.P.start(QStringLiteral(QELMAP_EXE), {});
    ASSERT_TRUE(programm.P.waitForStarted(5000));
    const QString haupt = x.Suchen("^QelMap for Windows");
    const QString tools = x.Suchen("^tools$"), spiel = x.Suchen("^gameinfo$");
    ASSERT_FALSE(haupt.isEmpty()) << programm.P.readAllStandardError().toStdString();
    ASSERT_FALSE(tools.isEmpty());
    ASSERT_FALSE(spiel.isEmpty());
    // The notice names the kept file without blocking the start. Read once the program has it
    // on the accessibility bus and knows where its main window lies.
    std::vector<QJsonObject> baum;
    Bis([&] {
        baum = x.Baum();
        return !Knoten(baum, "label", QStringLiteral("The changes of an earlier run")).isEmpty() &&
               Rechteck(Knoten(baum, "filler", QStringLiteral("QelMap for Windows //"))) == Client(x, haupt);
    });
    ASSERT_FALSE(baum.empty()) << "the program is not on the accessibility bus";
    const QJsonObject hinweis = Knoten(baum, "label", QStringLiteral("The changes of an earlier run"));
    ASSERT_FALSE(hinweis.isEmpty());
    EXPECT_TRUE(hinweis.value(QStringLiteral("name")).toString().contains(QStringLiteral("Wiederherstellung-")));
    EXPECT_FALSE(fs::exists(ordner.Datei("Wiederherstellung.map")));
    const QString box = x.Suchen("unsaved changes kept");
    ASSERT_FALSE(box.isEmpty());
    x.Xdo({"windowactivate", "--sync", box, "key", "Return"});

    // "random units" is disabled.
    const QJsonObject zufall = Knoten(baum, "menu item", QStringLiteral("random units"));
    ASSERT_FALSE(zufall.isEmpty());
    EXPECT_FALSE(Hat(zufall, "enabled"));
    EXPECT_TRUE(Hat(Knoten(baum, "menu item", QStringLiteral("list units")), "enabled"));

    // The sector information too, opened from the windows menu.
    const QRect fenster = Rechteck(Knoten(baum, "menu item", QStringLiteral("Windows")));
    x.Xdo(Hin(fenster.center()) + QStringList{"click", "1"});
    QJsonObject eintrag;
    Bis([&] { return Hat(eintrag = Knoten(x.Baum(), "menu item", QStringLiteral("sectorninfo")), "showing"); });
    x.Xdo(Hin(Rechteck(eintrag).center()) + QStringList{"click", "1"});
    const QString sektor = x.Suchen("^Sektorinfo$");
    ASSERT_FALSE(sektor.isEmpty());
    // Every window wholly on the screen and none over another (so none over the main window's
    // menu and tool bar either), once the program has placed the new one.
    const QRect schirm(0, 0, 1024, 768);
    std::vector<QRect> rahmen;
    Bis([&] {
        rahmen = {Rahmen(x, haupt), Rahmen(x, tools), Rahmen(x, spiel), Rahmen(x, sektor)};
        for (std::size_t i = 0; i < rahmen.size(); ++i) {
            if (!schirm.contains(rahmen[i])) return false;
            for (std::size_t j = i + 1; j < rahmen.size(); ++j)
                if (rahmen[i].intersects(rahmen[j])) return false;
        }
        return true;
    });
    auto zeigen = [](QRect r) {
        return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
               std::to_string(r.height());
    };
    for (std::size_t i = 0; i < rahmen.size(); ++i) {
        EXPECT_TRUE(schirm.contains(rahmen[i])) << zeigen(rahmen[i]);
        for (std::size_t j = i + 1; j < rahmen.size(); ++j)
            EXPECT_FALSE(rahmen[i].intersects(rahmen[j])) << zeigen(rahmen[i]) << " and " << zeigen(rahmen[j]);
    }

    // The tool windows offer no minimise or maximise, and the palette cannot stay minimised.
    for (const QString& w : {tools, spiel, sektor}) {
        const QString aktionen = x.Aufruf(QStringLiteral("xprop"), {"-id", w, "_NET_WM_ALLOWED_ACTIONS"});
        EXPECT_FALSE(aktionen.contains(QStringLiteral("MINIMIZE"))) << aktionen.toStdString();
        EXPECT_FALSE(aktionen.contains(QStringLiteral("MAXIMIZE"))) << aktionen.toStdString();
    }
    // Once the window manager has handled the request the program shows the palette again.
    x.Xdo({"windowminimize", tools});
    x.WmFertig();
    Bis([&] { return x.Aufruf(QStringLiteral("xwininfo"), {"-id", tools}).contains(QStringLiteral("IsViewable")); });
    EXPECT_TRUE(x.Aufruf(QStringLiteral("xwininfo"), {"-id", tools}).contains(QStringLiteral("IsViewable")));

    // The pointer at the bottom right of the view: the whole pointer text lies in the window.
    const QRect client = Rechteck(Knoten(baum, "filler", QStringLiteral("QelMap for Windows //")));
    x.Xdo(Hin({client.right() - 3, client.bottom() - 30}));
    // Read once it gives the pointer's place in the view, which begins at the client's left.
    const QString da = QStringLiteral("MouseX: %1 ").arg(client.right() - 3 - client.x());
    QJsonObject zeiger;
    Bis([&] { return !(zeiger = Knoten(baum = x.Baum(), "label", da)).isEmpty(); });
    ASSERT_FALSE(zeiger.isEmpty()) << zeigen(client);
    EXPECT_TRUE(client.contains(Rechteck(zeiger))) << zeiger.value(QStringLiteral("name")).toString().toStdString();

    // The about box: every line wholly inside the box.
    const QRect ueber = Rechteck(Knoten(baum, "menu item", QStringLiteral("About")));
    x.Xdo(Hin(ueber.center()) + QStringList{"click", "1"});
    ASSERT_FALSE(x.Suchen("^QelMap for Windows$").isEmpty());
    QRect dialog;
    Bis([&] {
        for (const QJsonObject& k : baum = x.Baum())
            if (k.value(QStringLiteral("role")).toString() == QLatin1String("dialog") && Hat(k, "showing") &&
                k.value(QStringLiteral("name")).toString() == QLatin1String("QelMap for Windows"))
                dialog = Rechteck(k);
        return !dialog.isEmpty();
    });
    ASSERT_FALSE(dialog.isEmpty());
    int zeilen = 0;
    for (const QJsonObject& k : baum) {
        const QJsonArray pfad = k.value(QStringLiteral("path")).toArray();
        if (k.value(QStringLiteral("role")).toString() != QLatin1String("label") || pfad.size() != 2 ||
            pfad[0].toString() != QLatin1String("QelMap for Windows"))
            continue;
        ++zeilen;
        EXPECT_TRUE(dialog.contains(Rechteck(k))) << k.value(QStringLiteral("name")).toString().toStdString();
    }
    EXPECT_EQ(zeilen, 4);
    x.Xdo({"key", "Return"});
    Bis([&] { return x.Sichtbar("^QelMap for Windows$").isEmpty(); });

    // The end of the desktop session closes the program as the close box does: settings
    // written, exit status 0, and Start.map untouched.
    programm.P.terminate();
    ASSERT_TRUE(programm.P.waitForFinished(10000));
    EXPECT_EQ(programm.P.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(programm.P.exitCode(), 0);
    EXPECT_TRUE(fs::exists(ordner.Datei("QelWin.INI")));
    EXPECT_EQ(Text(ordner.Datei("Start.map")), start);
    VariablenZuruecksetzen();
}

// Under a file size limit the program died of SIGXFSZ in the middle of a save. The settings
// written at closing are a save like the others: refused with a message naming the file, the
// old file kept, no temporary file left, and the program ends with the error's status.
TEST(EndeZuEnde, ASaveBeyondTheFileSizeLimitIsReportedAndKeepsTheOldFile) {
    if (const std::string f = Fehlt({"Xvfb", "xdotool", "openbox", "bash"}); !f.empty()) GTEST_SKIP() << f;

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
    const QString haupt = x.Suchen("^QelMap for Windows");
    ASSERT_FALSE(haupt.isEmpty()) << programm.P.readAllStandardError().toStdString();
    x.Xdo({"windowactivate", "--sync", haupt, "key", "ctrl+x"});
    const QString meldung = x.Suchen("^QelMap$");
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

// Places saved on a larger screen come onto a smaller one, and a signal ends the program
// whatever dialog waits: Ctrl+C with the settings written, the end of the session with a
// settings file it cannot write said on standard error.
TEST(EndeZuEnde, PlacesComeOntoASmallScreenAndSignalsEndWhateverWaits) {
    if (const std::string f = Fehlt({"Xvfb", "xdotool", "openbox", "xwininfo", "xprop"}); !f.empty()) GTEST_SKIP() << f;
    XSitzung x;
    ASSERT_TRUE(x.Starten("1024x768x24"));
    for (int lauf = 0; lauf < 2; ++lauf) {
        TempOrdner ordner;
        BrettKopieren(ordner.Pfad());
        const std::string ini = ordner.Datei("QelWin.INI");
        if (lauf == 0)
            std::ofstream(ini) << "[MapForm]\nTop=100\nLeft=300\nHeight=1100\nWidth=1600\n[ToolsForm]\nTop=900\nLeft=1700\n";
        else
            fs::create_directory(ini);
        Prozess p;
        p.P.setProcessEnvironment(x.Umgebung);
        p.P.setWorkingDirectory(QString::fromStdString(ordner.Pfad()));
        p.P.start(QStringLiteral(QELMAP_EXE), {});
        const QString haupt = x.Suchen("^QelMap for Windows"), tools = x.Suchen("^tools$");
        ASSERT_FALSE(haupt.isEmpty() || tools.isEmpty()) << p.P.readAllStandardError().toStdString();
        // Until both are on the screen, where the program puts them once their frames are known.
        QRect r, h;
        auto drauf = [&] {
            r = Rahmen(x, tools);
            return QRect(0, 0, 1024, 768).contains(r) && QRect(0, 0, 1024, 768).contains(h = Rahmen(x, haupt));
        };
        Bis(drauf);
        EXPECT_TRUE(drauf()) << "run " << lauf << ": palette " << r.x() << "," << r.y() << " " << r.width() << "x"
                             << r.height() << ", main window " << h.x() << "," << h.y() << " " << h.width() << "x"
                             << h.height();
        x.Xdo({"windowactivate", "--sync", haupt, "key", "ctrl+l"});
        x.Suchen("^Open$");
        ::kill(static_cast<pid_t>(p.P.processId()), lauf == 0 ? SIGINT : SIGTERM);
        ASSERT_TRUE(p.P.waitForFinished(10000)) << "the signal did not end the program while the file dialog was open";
        EXPECT_EQ(p.P.exitCode(), lauf);
        if (lauf == 0)
            EXPECT_NE(Text(ini).find("[ToolsForm]\nTop=" + std::to_string(r.y()) + "\nLeft=" + std::to_string(r.x())),
                      std::string::npos);
        else
            EXPECT_NE(p.P.readAllStandardError().indexOf("QelWin.INI"), -1);
    }
    VariablenZuruecksetzen();
}

// At 150 % the program rounds to a whole scale of 2: every map pixel is an exact block of
// 2 x 2 screen pixels, the drawn cursor sits on the pointer, a click places at the map point
// under it, and the status bar gives that point's coordinates. The 150 % comes from the
// screen's factor as KDE Plasma sets it; a global 125 % beside it must round to 100 %.
TEST(EndeZuEnde, AScaledScreenShowsWholeBlocksWhereThePointerIs) {
    if (const std::string f = Fehlt({"Xvfb", "xdotool", "import", "openbox", "xwininfo", "dbus-launch", "dbus-send",
                                     "/usr/libexec/at-spi-bus-launcher"},
                                    true);
        !f.empty())
        GTEST_SKIP() << f;
    TempOrdner ordner;
    BrettKopieren(ordner.Pfad());
    std::ofstream(ordner.Datei("QelWin.INI")) << "[MapForm]\nTop=0\nLeft=0\nHeight=380\nWidth=460\n[ToolsForm]\n"
                                                 "Top=400\nLeft=470\n[FensterAnzeigen]\nGameInfo=0\n";
    XSitzung x;
    ASSERT_TRUE(x.Starten());
    ASSERT_TRUE(x.Barrierefrei());
    Prozess programm;
    QProcessEnvironment umgebung = x.Umgebung;
    umgebung.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("1.25"));
    umgebung.insert(QStringLiteral("QT_SCREEN_SCALE_FACTORS"), QStringLiteral("1.5"));
    programm.P.setProcessEnvironment(umgebung);
    programm.P.setWorkingDirectory(QString::fromStdString(ordner.Pfad()));
    programm.P.start(QStringLiteral(QELMAP_EXE), {});
    const QString haupt = x.Suchen("^QelMap for Windows"), tools = x.Suchen("^tools$");
    ASSERT_FALSE(haupt.isEmpty() || tools.isEmpty()) << programm.P.readAllStandardError().toStdString();

    // The rows below the client's top where the map begins, each map pixel doubled: looked for
    // until the map is drawn in a window that stands still.
    TBild karte;
    BildLaden(karte, ordner.Datei("Map(1587x913)[16].BMP"));
    auto kartenPixel = [&](int mx, int my) { return karte.Rgb[std::size_t(my) * karte.Breite + mx] & 0xF8FCF8u; };
    QPoint client;
    QImage bild;
    int viewOben = -1;
    Bis([&] {
        client = Position(x, haupt);
        bild = x.Bild(ordner.Datei("skaliert.png"));
        viewOben = -1;
        for (int dy = 40; dy < 200 && viewOben < 0; ++dy) {
            int treffer = 0;
            for (int my = 40; my < 100; my += 5)
                for (int mx = 10; mx < 200; mx += 7)
                    if ((bild.pixel(client.x() + 2 * mx, client.y() + dy + 2 * my) & 0xF8FCF8u) == kartenPixel(mx, my))
                        ++treffer;
            if (treffer > 300) viewOben = dy;
        }
        return viewOben >= 0 && Position(x, haupt) == client;
    });
    ASSERT_GE(viewOben, 0) << "no map at scale 2";
    int bloecke = 0, ganz = 0, gleich = 0;
    for (int my = 30; my < 120; ++my)
        for (int mx = 5; mx < 200; ++mx) {
            const QPoint o(client.x() + 2 * mx, client.y() + viewOben + 2 * my);
            const QRgb p = bild.pixel(o);
            ++bloecke;
            if (bild.pixel(o + QPoint(1, 0)) == p && bild.pixel(o + QPoint(0, 1)) == p && bild.pixel(o + QPoint(1, 1)) == p) ++ganz;
            if ((p & 0xF8FCF8u) == kartenPixel(mx, my)) ++gleich;
        }
    EXPECT_EQ(ganz, bloecke) << "map pixels smoothed or cut";
    EXPECT_GT(gleich * 10, bloecke * 9);

    // German infantry from the palette, placed at a land point of the shown map.
    TMapPunkt m{};
    ASSERT_TRUE(FreierLandpunkt(ordner, 200, 130, m));
    const QPoint klick(client.x() + 2 * int(m.X), client.y() + viewOben + 2 * int(m.Y));
    const QPoint weg = klick + QPoint(60, 40);
    x.Xdo(QStringList{"mousemove", "--window", tools, "--sync", "44", "30", "click", "1"} + Hin(klick) +
          QStringList{"click", "1"} + Hin(weg));
    QImage nachher;
    TBild pieces;
    BildLaden(pieces, ordner.Datei("PIECES.BMP"));
    // A picture of the pieces sheet doubled at a screen point, magenta left out: its share found.
    auto anteil = [&](int qx, int qy, int w, int h, QPoint oben) {
        int gezaehlt = 0, da = 0;
        for (int y = 0; y < h; ++y)
            for (int x2 = 0; x2 < w; ++x2) {
                const std::uint32_t p = pieces.Rgb[std::size_t(qy + y) * pieces.Breite + qx + x2];
                if (p == 0xFF00FFu) continue;
                ++gezaehlt;
                for (int b = 0; b < 4; ++b)
                    if ((nachher.pixel(oben + QPoint(2 * x2 + b % 2, 2 * y + b / 2)) & 0xFFFFFFu) == p) da += b == 3;
            }
        return gezaehlt ? double(da) / gezaehlt : 0.0;
    };
    Bis([&] {
        nachher = x.Bild(ordner.Datei("platziert.png"));
        return anteil(15, 10, 15, 10, klick - QPoint(14, 10)) > 0.9 &&
               anteil(40, 60, 31, 7, weg - QPoint(32, 26)) > 0.9;
    });
    EXPECT_GT(anteil(15, 10, 15, 10, klick - QPoint(14, 10)), 0.9) << "no infantry under the click";
    // The place cursor (hot spot 16, 13) on the pointer; its middle lies under the carried piece.
    EXPECT_GT(anteil(40, 60, 31, 7, weg - QPoint(32, 26)), 0.9) << "the cursor is not on the pointer";

    // The status bar gives the map point under the pointer.
    const int vx = int(m.X) + 30, vy = int(m.Y) + 20;
    const std::string text = "MouseX: " + std::to_string(vx) + " // MouseY: " + std::to_string(vy) +
                             "MapX: " + std::to_string(vx) + " // MapY: " + std::to_string(vy);
    std::string zeiger;
    Bis([&] {
        const QJsonObject k = Knoten(x.Baum(), "label", QStringLiteral("MouseX: "));
        return (zeiger = k.value(QStringLiteral("name")).toString().toStdString()) == text;
    });
    EXPECT_EQ(zeiger, text);
    VariablenZuruecksetzen();
}
