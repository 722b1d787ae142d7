// The running program, offscreen on a 1680 x 1000 screen: the start-up from the start of Initialisieren to the first
// frame handed to the window, and one mouse move over the map with 1000 stacks (the
// reaction, the composition and the synchronous repaint). Each against a floor measured in
// the same run: reading the two large pictures the start-up must read, and repainting a
// plain widget of the view's size from an image.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QElapsedTimer>
#include <QTimer>
#include <QWindow>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Main.h"
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
        MapForm->Initialisieren();
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
