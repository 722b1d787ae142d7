#include "UTrends.h"

#include "UDateien.h"
#include "UFehler.h"
#include "USpielstand.h"

const char* const TrendNamen[TrendZeilen] = {"Russia", "Germany", "United Kingdom", "Japan", "United States",
                                             "Allies", "Axis"};

namespace {
// One file at a time; too large for the stack.
TMapDaten Gelesen;
TSpielstand Stand;

// One file's figures; a file refused raises EDateiFehler.
TTrend TrendLesen(const std::string& datei) {
    MapDateiLesen(datei, Gelesen);
    // Counted from the file's records: the position shown and its tallies stay untouched.
    SpielstandBerechnen(Stand, Gelesen.Einheiten, Gelesen.Anzahl, Sektoren);
    const TSpielstand& s = Stand;
    TTrend t{};
    t.Datei = datei;
    t.IstZug = ZugAusName(datei, t.Zug);
    for (int p = 1; p <= BesitzerAnzahl; ++p) {
        t.Income[p - 1] = s.Income[p];
        t.Land[p - 1] = s.LandUnits[p];
        t.Sea[p - 1] = s.SeaUnits[p];
        t.All[p - 1] = s.AllUnits[p];
    }
    const std::uint32_t seiten[2][4] = {{s.AlliesIncome, s.AlliesLandUnits, s.AlliesSeaUnits, s.AlliesAllUnits},
                                        {s.AxisIncome, s.AxisLandUnits, s.AxisSeaUnits, s.AxisAllUnits}};
    for (int i = 0; i < 2; ++i) {
        t.Income[TrendAllies + i] = seiten[i][0];
        t.Land[TrendAllies + i] = seiten[i][1];
        t.Sea[TrendAllies + i] = seiten[i][2];
        t.All[TrendAllies + i] = seiten[i][3];
    }
    t.AxisIncome = s.AxisIncome;
    t.AlarmAn = AxisAlertLevel(s.AxisIncome, true);
    t.AlarmAus = AxisAlertLevel(s.AxisIncome, false);
    return t;
}

}  // namespace

std::vector<TTrend> TrendsBerechnen(const std::vector<std::string>& dateien) {
    std::vector<TTrend> trends;
    trends.reserve(dateien.size());
    for (const std::string& datei : dateien) trends.push_back(TrendLesen(datei));
    return trends;
}

std::vector<TTrend> TrendsBerechnen(const std::vector<std::string>& dateien, std::vector<std::string>& abgelehnt) {
    std::vector<TTrend> trends;
    trends.reserve(dateien.size());
    for (const std::string& datei : dateien) {
        try {
            trends.push_back(TrendLesen(datei));
        } catch (const EDateiFehler& f) {
            abgelehnt.push_back(f.what());
        }
    }
    return trends;
}
