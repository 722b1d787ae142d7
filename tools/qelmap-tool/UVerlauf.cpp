// trends: the figures of a game over its turns, as CSV, JSON or a chart.
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <string>
#include <vector>

#include "UBefehle.h"
#include "UBerichte.h"
#include "UDatei.h"
#include "UDateien.h"
#include "UFehler.h"
#include "UTrendDiagramm.h"
#include "UTrends.h"
#include "UWerkzeug.h"

namespace {

const char* const Spalten[4] = {"income", "land", "sea", "all"};

// A CSV field: quoted when it holds a comma, a quote or a line break (file names may).
std::string Feld(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string q = "\"";
    for (char c : s) q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

std::string Csv(const std::vector<TTrend>& trends) {
    std::string t = "file,round,power";
    for (const char* name : TrendNamen)
        for (const char* spalte : Spalten) t += std::string(",") + name + " " + spalte;
    t += ",alert at,alert level\n";
    for (const TTrend& z : trends) {
        t += Feld(z.Datei) + ",";
        if (z.IstZug) t += std::to_string(z.Zug.Runde) + "," + (z.Zug.Macht ? BesitzerName(z.Zug.Macht) : "");
        else t += ",";
        for (int r = 0; r < TrendZeilen; ++r)
            t += "," + std::to_string(z.Income[r]) + "," + std::to_string(z.Land[r]) + "," + std::to_string(z.Sea[r]) +
                 "," + std::to_string(z.All[r]);
        t += "," + std::to_string(AlarmSchwelle) + "," + (z.AlarmAn ? std::to_string(z.AlarmAn) : std::string()) + "\n";
    }
    return t;
}

Json Zahlen(const TTrend& z, int r) {
    return Json{{"income", z.Income[r]}, {"land", z.Land[r]}, {"sea", z.Sea[r]}, {"all", z.All[r]}};
}

Json AlsJson(const std::vector<TTrend>& trends) {
    Json liste = Json::array();
    for (const TTrend& z : trends) {
        Json powers = Json::object();
        for (int r = 0; r < TrendAllies; ++r) powers[TrendNamen[r]] = Zahlen(z, r);
        Json zug = z.IstZug ? Json{{"round", z.Zug.Runde}, {"power", z.Zug.Macht ? Json(BesitzerName(z.Zug.Macht)) : Json(nullptr)}}
                            : Json(nullptr);
        liste.push_back(Json{{"file", z.Datei},
                             {"turn", zug},
                             {"powers", powers},
                             {"sides", {{"Allies", Zahlen(z, TrendAllies)}, {"Axis", Zahlen(z, TrendAxis)}}},
                             {"alert", {{"at", AlarmSchwelle}, {"on", StufeJson(z.AlarmAn)}, {"off", StufeJson(z.AlarmAus)}}}});
    }
    // A file name that is no UTF-8 shows its odd bytes as U+FFFD.
    return liste;
}

}  // namespace

int BefehlTrends(const QStringList& argumente) {
    TBefehlParser p("trends [--json] [-o CHART.png [--size WxH]] [--sectors FILE] [--data DIR] FILES...",
                    "Prints the figures of a game over its turns: for each map file, in the order given, the income "
                    "and the value of land, sea and all units of every power and of both sides, as qelmap-tool tally "
                    "counts them, and the Axis income against the 84 ICPs from which the alert light blinks red. "
                    "CSV by default, a header row and then a row per file; round and power are filled for files "
                    "named as turns (\"Round 03 - 2 Germany.map\"). With -o the figures are drawn as a chart "
                    "instead: the incomes, the values of all units, and the Axis income with the alert's 84, one "
                    "point per file.",
                    true, true);
    QCommandLineOption json("json", "Print a JSON array, an object per file, instead of CSV.");
    QCommandLineOption aus({"o", "output"}, "Draw the chart into FILE (PNG) instead of printing the figures.", "FILE");
    QCommandLineOption groesse("size", "Size of the chart in pixels (default 1000x1200).", "WxH", "1000x1200");
    p.Parser.addOptions({json, aus, groesse});
    p.Argument("FILES...", "The map files (.map), one per turn, in the order of play.");
    if (!p.Lesen(argumente)) return StatusOk;
    const QStringList pos = p.Positionen(1, 1 << 20);
    if (p.Parser.isSet(json) && p.Parser.isSet(aus)) throw EAufrufFehler("--json and -o exclude each other");
    int breite = 0, hoehe = 0;
    const QStringList wh = p.Parser.value(groesse).split(u'x');
    bool ok1 = false, ok2 = false;
    if (wh.size() == 2) {
        breite = wh[0].toInt(&ok1);
        hoehe = wh[1].toInt(&ok2);
    }
    if (!ok1 || !ok2 || breite < 200 || hoehe < 300 || breite > 8000 || hoehe > 8000)
        throw EAufrufFehler("--size must be WxH from 200x300 to 8000x8000");

    std::vector<std::string> dateien;
    for (const QString& d : pos) dateien.push_back(ArgumentBytes(d));
    SektorenLaden(SektorDateiPfad(p));
    const std::vector<TTrend> trends = TrendsBerechnen(dateien);

    if (p.Parser.isSet(aus)) {
        const std::string ziel = ArgumentBytes(p.Parser.value(aus));
        const QImage bild = TrendBild(trends, -1, breite, hoehe);
        QByteArray png;
        QBuffer puffer(&png);
        puffer.open(QIODevice::WriteOnly);
        if (!bild.save(&puffer, "PNG")) throw EDateiFehler(ziel, "the chart could not be encoded as PNG");
        DateiSchreiben(ziel, png.constData(), static_cast<std::size_t>(png.size()));
    } else if (p.Parser.isSet(json)) {
        Ausgeben(AlsJson(trends).dump(2, ' ', false, Json::error_handler_t::replace) + "\n");
    } else {
        Ausgeben(Csv(trends));
    }
    return StatusOk;
}
