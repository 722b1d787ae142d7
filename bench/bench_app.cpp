// The running program, offscreen on a 1680 x 1000 screen: the start-up from the start of
// Initialisieren to the first frame handed to the window, and one mouse move over the map with
// 1000 stacks (the reaction, the composition and the paint). Each against a floor measured in
// the same run: reading the two large pictures the start-up must read, and repainting a
// plain widget of the view's size from an image. And the real program under a virtual X
// server with a window manager, as the end-to-end test runs it: its processor time per
// pointer move at two sizes of the view, beside a memcpy of the largest view's bytes.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QElapsedTimer>
#include <QTimer>
#include <QWindow>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <spawn.h>
#include <sys/wait.h>
#include <cstring>
#include <unistd.h>

#include "Main.h"
#include "UDateien.h"
#include "UStart.h"
#include "UBild.h"
#include "UPieces.h"
#include "USpielstand.h"
#include "UVariablen.h"
#include "UZufall.h"

namespace fs = std::filesystem;

namespace {

// The program finds its files in the current directory, so the benchmarks run as a process of
// their own started in a scratch copy of the default board; this variable tells that process
// whether the copy is there ("1") or the board is missing ("0").
constexpr const char* BrettVariable = "QELMAP_BENCH_BRETT";

int InKopieStarten(char** argv) {
    const fs::path daten = QELMAP_DATA_DIR;
    const bool da = fs::exists(daten / "Start.map");
    const fs::path ordner = fs::temp_directory_path() / ("qelmap-bench-" + std::to_string(::getpid()));
    posix_spawn_file_actions_t aktionen;
    posix_spawn_file_actions_init(&aktionen);
    if (da) {
        fs::create_directories(ordner);
        for (const auto& e : fs::directory_iterator(daten))
            if (e.is_regular_file()) fs::copy_file(e.path(), ordner / e.path().filename(), fs::copy_options::overwrite_existing);
        posix_spawn_file_actions_addchdir_np(&aktionen, ordner.c_str());
    }
    ::setenv(BrettVariable, da ? "1" : "0", 1);
    pid_t kind;
    int status = 1;
    if (posix_spawn(&kind, "/proc/self/exe", &aktionen, nullptr, argv, environ) == 0 && ::waitpid(kind, &status, 0) == kind)
        status = WIFEXITED(status) ? WEXITSTATUS(status) : 1;
    posix_spawn_file_actions_destroy(&aktionen);
    std::error_code ec;
    if (da) fs::remove_all(ordner, ec);
    return status;
}

struct Brett {
    bool Da = qgetenv(BrettVariable) == "1";
};

Brett* brett = nullptr;

bool Gezeigt(QWidget* w) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 5000) {
        QApplication::processEvents();
        if (w->windowHandle() && w->windowHandle()->isExposed()) return true;
    }
    return false;
}

void Frisch() {
    VariablenZuruecksetzen();
    Spielstand = TSpielstand{};
    ZufallSeed = 0;
}

void BM_Start_BisZumErstenFrame(benchmark::State& state) {
    if (!brett->Da) return state.SkipWithError("no default board in data/");
    for (auto _ : state) {
        state.PauseTiming();
        Frisch();
        FensterErzeugen();
        state.ResumeTiming();
        Initialisieren();
        state.PauseTiming();
        FensterFreigeben();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Start_BisZumErstenFrame)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_Boden_BilderLesen(benchmark::State& state) {
    if (!brett->Da) return state.SkipWithError("no default board in data/");
    for (auto _ : state) {
        TBild karte, sektoren;
        BildLaden(karte, "Map(1587x913)[16].BMP");
        BildLaden(sektoren, "Sektoreninfo(1587x913)[256Grau].BMP");
        benchmark::DoNotOptimize(karte.Rgb.data());
    }
}
BENCHMARK(BM_Boden_BilderLesen)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_Mausbewegung_1000Stapel(benchmark::State& state) {
    if (!brett->Da) return state.SkipWithError("no default board in data/");
    Frisch();
    if (!Starten()) return state.SkipWithError("start-up failed");
    MapForm->show();
    MapForm->resize(2000, 1200);  // the paint limits it to the largest view
    if (!Gezeigt(MapForm)) return state.SkipWithError("window not shown");
    MapForm->Timer->stop();
    QApplication::processEvents();
    MapForm->Client->repaint();
    // 1000 stacks over the land and sea of the shown part of the map.
    EinheitenAnzahl = 0;
    std::mt19937 zufall(7);
    while (EinheitenAnzahl < MaxEinheiten) {
        const double x = zufall() % static_cast<unsigned>(ViewBreite), y = zufall() % static_cast<unsigned>(ViewHoehe);
        const std::uint8_t s = SektorAn(ViewZuMap(TPunkt{static_cast<int>(x), static_cast<int>(y)}));
        if (s >= 1 && s <= SetzSektoren)
            EinheitHinzufuegen(s, static_cast<TEinheitArt>(1 + zufall() % 11), static_cast<TBesitzer>(1 + zufall() % 5),
                               x, y, static_cast<std::uint16_t>(1 + zufall() % 20));
    }
    SpielstandAktualisieren();
    int i = 0;
    for (auto _ : state) {
        const QPointF p(100 + (i % 600), 100 + (i % 300));
        ++i;
        QMouseEvent e(QEvent::MouseMove, p, MapForm->Client->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(MapForm->Client, &e);
        QApplication::processEvents();  // the paint of what the frame changed
    }
    state.counters["view_w"] = ViewBreite;
    state.counters["view_h"] = ViewHoehe;
    FensterFreigeben();
}
BENCHMARK(BM_Mausbewegung_1000Stapel)->Unit(benchmark::kMicrosecond);

// The floor: a widget of the view's size that paints one image, repainted synchronously.
class Flaeche : public QWidget {
public:
    QImage Bild;
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, Bild);
    }
};

void BM_Boden_Repaint(benchmark::State& state) {
    Flaeche f;
    f.Bild = QImage(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), QImage::Format_RGB32);
    f.Bild.fill(Qt::darkCyan);
    f.setAttribute(Qt::WA_OpaquePaintEvent);
    f.resize(f.Bild.size());
    f.show();
    if (!Gezeigt(&f)) return state.SkipWithError("window not shown");
    for (auto _ : state) f.repaint();
}
BENCHMARK(BM_Boden_Repaint)->Args({760, 760})->Args({1587, 913})->Unit(benchmark::kMicrosecond);

// Processor time (user and system) a process has used, in seconds.
double Prozesszeit(qint64 pid) {
    std::ifstream f("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    std::istringstream rest(text.substr(text.rfind(')') + 2));
    std::string feld;
    double utime = 0, stime = 0;
    for (int i = 3; i <= 15 && rest >> feld; ++i) {
        if (i == 14) utime = std::stod(feld);
        if (i == 15) stime = std::stod(feld);
    }
    return (utime + stime) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

struct Programm {
    QProcess P;
    ~Programm() {
        if (P.state() == QProcess::NotRunning) return;
        P.kill();
        P.waitForFinished(3000);
    }
};

// The program on a 1280 x 1024 screen of Xvfb under openbox, with a window of the given outer
// size, 1000 stacks, ICP figures and the three pointer texts on. The pointer moves over the map one
// step every 8 ms (xdotool), slower than a frame, so that every move is a frame; the
// program's processor time of an equally long idle stretch (its alert timer) is taken off.
void BM_XServer_Mausbewegung(benchmark::State& state) {
    if (!brett->Da) return state.SkipWithError("no default board in data/");
    for (const char* p : {"Xvfb", "openbox", "xdotool"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(p)).isEmpty())
            return state.SkipWithError((std::string(p) + " is not installed").c_str());
    const fs::path ordner = fs::temp_directory_path() / ("qelmap-bench-x-" + std::to_string(::getpid()));
    fs::create_directories(ordner);
    for (const auto& e : fs::directory_iterator(fs::current_path()))
        if (e.is_regular_file()) fs::copy_file(e.path(), ordner / e.path().filename(), fs::copy_options::overwrite_existing);
    std::ofstream(ordner / "QelWin.INI") << "[MapForm]\nTop=0\nLeft=0\nHeight=" << state.range(1) << "\nWidth=" << state.range(0)
                                         << "\n[ToolsForm]\nTop=0\nLeft=1100\n"
                                            "[GameInfoForm]\nTop=700\nLeft=1100\n[Options]\nICPsAnzeigen=1\n"
                                            "LandnameAmCursor=1\nEinheitartAmCursor=1\nBesitzerAmCursor=1\n";
    // 1000 stacks on the land and sea of the map.
    Frisch();
    BildLaden(SektorBild, (ordner / "Sektoreninfo(1587x913)[256Grau].BMP").string());
    SektorBildGeladen = true;
    std::mt19937 zufall(7);
    while (EinheitenAnzahl < MaxEinheiten) {
        const double x = zufall() % 1240u, y = zufall() % 913u;
        const std::uint8_t s = SektorAn(TMapPunkt{x, y});
        if (s >= 1 && s <= 127)
            EinheitHinzufuegen(s, static_cast<TEinheitArt>(1 + zufall() % 11), static_cast<TBesitzer>(1 + zufall() % 5),
                               x, y, static_cast<std::uint16_t>(1 + zufall() % 20));
    }
    MapSpeichern((ordner / "Start.map").string());

    Programm x, wm, programm;
    x.P.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    QByteArray nummer;
    for (int i = 0; i < 100 && !nummer.contains('\n'); ++i) {
        x.P.waitForReadyRead(100);
        nummer += x.P.readAllStandardOutput();
    }
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert(QStringLiteral("DISPLAY"), QStringLiteral(":") + QString::fromLatin1(nummer.trimmed()));
    umgebung.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    wm.P.setProcessEnvironment(umgebung);
    wm.P.start(QStringLiteral("openbox"), {});
    QThread::msleep(500);
    programm.P.setProcessEnvironment(umgebung);
    programm.P.setWorkingDirectory(QString::fromStdString(ordner.string()));
    programm.P.start(QStringLiteral(QELMAP_EXE), {});
    auto xdo = [&](const QStringList& args) {
        QProcess p;
        p.setProcessEnvironment(umgebung);
        p.start(QStringLiteral("xdotool"), args);
        p.waitForFinished(120000);
        return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    };
    QString fenster;
    for (int i = 0; i < 50 && fenster.isEmpty(); ++i, QThread::msleep(200))
        fenster = xdo({"search", "--onlyvisible", "--name", "^QelMap for Windows"});
    if (fenster.isEmpty()) return state.SkipWithError("the program's window did not appear");
    QThread::msleep(1500);
    // The window's client area on the screen: the moves stay inside its map view (below the
    // menu and tool bar, above the status bar).
    int fx = 0, fy = 0, fw = 0, fh = 0;
    for (const QString& z : xdo({"getwindowgeometry", "--shell", fenster.split('\n').first()}).split('\n')) {
        if (z.startsWith("X=")) fx = z.mid(2).toInt();
        if (z.startsWith("Y=")) fy = z.mid(2).toInt();
        if (z.startsWith("WIDTH=")) fw = z.mid(6).toInt();
        if (z.startsWith("HEIGHT=")) fh = z.mid(7).toInt();
    }
    if (fw < 200 || fh < 200) return state.SkipWithError("the program's window is too small");

    constexpr int Schritte = 600;
    QStringList bewegung;
    for (int i = 0; i < Schritte; ++i)
        bewegung << "mousemove" << QString::number(fx + 20 + (i * 7) % (fw - 40))
                 << QString::number(fy + 70 + (i * 3) % (fh - 110)) << "sleep" << "0.008";
    QStringList ruhe = {"sleep", QString::number(Schritte * 0.008 + 0.5)};
    xdo({"mousemove", QString::number(fx + 20), QString::number(fy + 70), "sleep", "0.5"});
    const qint64 pid = programm.P.processId(), xpid = x.P.processId();
    double bewegt = 0, still = 0, xBewegt = 0, xStill = 0;
    for (auto _ : state) {
        const double a = Prozesszeit(pid), xa = Prozesszeit(xpid);
        xdo(bewegung);
        const double b = Prozesszeit(pid), xb = Prozesszeit(xpid);
        xdo(ruhe);
        const double c = Prozesszeit(pid), xc = Prozesszeit(xpid);
        bewegt += b - a, still += c - b, xBewegt += xb - xa, xStill += xc - xb;
    }
    const double n = static_cast<double>(state.iterations()) * Schritte;
    // The floor in the same run: one memcpy of the view's bytes (1240 x 913 at 32 bits).
    std::vector<char> von(1240 * 913 * 4, 1), nach(von.size());
    QElapsedTimer uhr;
    double boden = 1e9;
    for (int r = 0; r < 20; ++r) {
        uhr.start();
        for (int i = 0; i < 50; ++i) {
            std::memcpy(nach.data(), von.data(), von.size());
            benchmark::ClobberMemory();
        }
        boden = std::min(boden, static_cast<double>(uhr.nsecsElapsed()) / 50 / 1000);
    }
    // The same copy as a pointer move meets it: from and to memory not in the cache (the
    // window system and the other processes run between two moves), over buffers together
    // larger than the processor's caches.
    std::vector<std::vector<char>> kalt(24, std::vector<char>(von.size(), 1));
    double kaltBoden = 0;
    uhr.start();
    for (std::size_t i = 0; i + 1 < kalt.size(); i += 2) {
        std::memcpy(kalt[i + 1].data(), kalt[i].data(), von.size());
        benchmark::ClobberMemory();
    }
    kaltBoden = static_cast<double>(uhr.nsecsElapsed()) / (kalt.size() / 2) / 1000;
    const double proBewegung = (bewegt - still) / n * 1e6;
    state.counters["client_w"] = fw;
    state.counters["client_h"] = fh;
    state.counters["cpu_per_move_us"] = proBewegung;
    state.counters["xvfb_cpu_per_move_us"] = (xBewegt - xStill) / n * 1e6;
    state.counters["memcpy_view_us"] = boden;
    state.counters["memcpy_view_uncached_us"] = kaltBoden;
    state.counters["ratio"] = proBewegung / boden;
    state.counters["ratio_uncached"] = proBewegung / kaltBoden;
    std::error_code ec;
    fs::remove_all(ordner, ec);
}
// Outer window sizes under openbox: a 1240 x 913 view (the largest on this screen) and a
// 640 x 400 one; what a move costs should not grow with the view.
BENCHMARK(BM_XServer_Mausbewegung)->Args({1260, 1010})->Args({642, 490})->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet(BrettVariable)) return InKopieStarten(argv);
    // An offscreen screen large enough for the whole map as the view (1587 x 913).
    const fs::path schirm = fs::temp_directory_path() / ("qelmap-bench-screen-" + std::to_string(::getpid()) + ".json");
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        std::ofstream(schirm) << R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": 1680, "height": 1000,)"
                                 R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + QByteArray::fromStdString(schirm.string()));
    }
    QApplication app(argc, argv);
    Brett b;
    brett = &b;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove(schirm, ec);
    return 0;
}
