// qelmap-tool: tallies, reports, checks, conversion and pictures of a position from the
// command line, computed by the same code as the program.
#include <QApplication>
#include <QCoreApplication>
#include <QStringList>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>

#include "UBefehle.h"
#include "UFehler.h"
#include "UWerkzeug.h"

namespace {

struct TBefehl {
    const char* Name;
    int (*Ausfuehren)(const QStringList&);
    const char* Kurz;
};

const TBefehl Befehle[] = {
    {"tally", BefehlTally, "income and unit values per power and side, and the Axis alert level"},
    {"units", BefehlUnits, "the unit list, sector by sector"},
    {"sectors", BefehlSectors, "the sector list"},
    {"check", BefehlCheck, "problems in map and sector files"},
    {"convert", BefehlConvert, "map and sector files to JSON and back"},
    {"render", BefehlRender, "a PNG picture of the map view"},
    {"diff", BefehlDiff, "what changed from one position to another"},
    {"html", BefehlHtml, "the position as one web page"},
    {"odds", BefehlOdds, "the exact odds of a battle"},
    {"trends", BefehlTrends, "the figures of a game over its turns, as CSV, JSON or a chart"},
};

void Uebersicht(std::FILE* ziel) {
    std::fprintf(ziel,
                 "Usage: qelmap-tool COMMAND [options] ARGUMENTS\n\n"
                 "Shows, checks and converts the positions of QelMap without opening its window.\n\n"
                 "Commands:\n");
    for (const TBefehl& b : Befehle) std::fprintf(ziel, "  %-9s %s\n", b.Name, b.Kurz);
    std::fprintf(ziel,
                 "\n\"qelmap-tool COMMAND --help\" describes a command. The sector file Sektoren_neu.sek and the "
                 "pictures\nare read from the current directory unless --sectors FILE or --data DIR name others.\n");
}

// What was printed is incomplete: that is a failure whatever the command found. A reader that
// went away early (the output piped into head) wants no more: the tool ends without a word, as
// the signal would have ended it where it was not ignored.
int AusgabeMelden(const char* befehl) {
    if (AusgabeFehler == EPIPE) return StatusLeserFort;
    std::fprintf(stderr, "qelmap-tool %s: writing to standard output failed (%s)\n", befehl, std::strerror(AusgabeFehler));
    return StatusFehler;
}

}  // namespace

int main(int argc, char** argv) {
    // Beyond a file size limit a write fails with EFBIG, reported like any other failed write,
    // instead of the signal ending the tool in the middle.
    std::signal(SIGXFSZ, SIG_IGN);
    // The chart of trends is drawn with widgets, which need a QApplication, on no screen.
    const bool grafik = argc > 1 && !std::strcmp(argv[1], "trends");
    if (grafik) qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app(grafik ? new QApplication(argc, argv) : new QCoreApplication(argc, argv));
    if (argc < 2) {
        Uebersicht(stderr);
        return StatusFehler;
    }
    if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h") || !std::strcmp(argv[1], "help")) {
        Uebersicht(stdout);
        return AusgabeGelungen() ? StatusOk : AusgabeMelden("--help");
    }
    const TBefehl* befehl = nullptr;
    for (const TBefehl& b : Befehle)
        if (!std::strcmp(argv[1], b.Name)) befehl = &b;
    if (!befehl) {
        std::fprintf(stderr, "qelmap-tool: unknown command \"%s\"; see qelmap-tool --help\n", argv[1]);
        return StatusFehler;
    }
    // The command's parser sees the program name and the arguments after the command.
    QStringList argumente = Argumente(argc, argv);
    argumente.removeAt(1);
    int status = StatusFehler;
    try {
        status = befehl->Ausfuehren(argumente);
    } catch (const EAufrufFehler& e) {
        std::fprintf(stderr, "qelmap-tool %s: %s\n", befehl->Name, e.what());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qelmap-tool %s: %s\n", befehl->Name, FehlerText(e).c_str());
    }
    if (!AusgabeGelungen()) return AusgabeMelden(befehl->Name);
    return status;
}
