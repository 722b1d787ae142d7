#include "USpielstand.h"

#include <cstring>

#include "UFenster.h"
#include "UVariablen.h"

TSpielstand Spielstand;

namespace {

constexpr int Allies[3] = {bsRussland, bsEngland, bsUSA};
constexpr int Axis[2] = {bsDeutschland, bsJapan};

// Piece counts by power and kind, wide enough that no sum wraps.
std::uint32_t PieceCounts[6][12];

void Eintrag(std::string& text, std::uint32_t anzahl, int art, bool landText) {
    text += std::to_string(anzahl);
    text += ArtKurzname(art);
    // The last kind of a text closes it without a space.
    bool letzte = landText ? art == eaBomber : art == eaSchlachtschiff;
    if (!letzte) text += ' ';
}

void Hinweise(TSpielstand& st, int basis, const std::uint32_t* counts) {
    std::string& land = st.UnitHints[basis + hwLand];
    std::string& see = st.UnitHints[basis + hwSea];
    std::string& alle = st.UnitHints[basis + hwAll];
    for (int k = eaInfanterie; k <= eaSchlachtschiff; ++k) {
        if (counts[k] == 0) continue;
        if (k <= eaBomber)
            Eintrag(land, counts[k], k, true);
        else
            Eintrag(see, counts[k], k, false);
        Eintrag(alle, counts[k], k, false);
    }
}

}  // namespace

void SpielstandBerechnen(TSpielstand& st, const TEinheit* einheiten, std::int32_t anzahl, const TSektor* sektoren) {
    for (std::string& s : st.UnitHints) s.clear();
    std::memset(st.Income, 0, sizeof st.Income);
    std::memset(st.LandUnits, 0, sizeof st.LandUnits);
    std::memset(st.SeaUnits, 0, sizeof st.SeaUnits);
    std::memset(st.AllUnits, 0, sizeof st.AllUnits);
    std::memset(PieceCounts, 0, sizeof PieceCounts);

    // Flags seen per sector and power, so the income pass needs no search per sector.
    bool flagge[SetzSektoren + 1][BesitzerAnzahl + 1] = {};
    bool gesehen[SetzSektoren + 1][BesitzerAnzahl + 1] = {};
    for (std::int32_t i = 1; i <= anzahl; ++i) {
        const TEinheit& e = einheiten[i];
        if (e.Besitzer < 1 || e.Besitzer > 5 || e.Art < 1 || e.Art > 11) continue;
        PieceCounts[e.Besitzer][e.Art] += e.Anzahl;
        std::uint32_t wert = static_cast<std::uint32_t>(EinheitKosten[e.Art - 1]) * e.Anzahl;
        if (e.Art <= eaBomber)
            st.LandUnits[e.Besitzer] += wert;
        else if (e.Art <= eaSchlachtschiff)
            st.SeaUnits[e.Besitzer] += wert;
        // Only the first flag stack of a power in a sector counts: one of 0 pieces captures nothing.
        if (e.Art == eaFlagge && e.Sektor >= 1 && e.Sektor <= SetzSektoren && !gesehen[e.Sektor][e.Besitzer]) {
            gesehen[e.Sektor][e.Besitzer] = true;
            flagge[e.Sektor][e.Besitzer] = e.Anzahl != 0;
        }
    }

    for (int s = 1; s <= SetzSektoren; ++s) {
        int halter = sektoren[s].StartBesitzer;
        for (int p = 1; p <= 5; ++p)
            if (flagge[s][p]) {
                halter = p;
                break;
            }
        st.Halter[s] = static_cast<std::uint8_t>(halter);
        if (halter >= 1 && halter <= 5) st.Income[halter] += sektoren[s].ICPs;
    }

    for (int p = 1; p <= 5; ++p) st.AllUnits[p] = st.LandUnits[p] + st.SeaUnits[p];
    st.AlliesIncome = st.AlliesLandUnits = st.AlliesSeaUnits = st.AlliesAllUnits = 0;
    st.AxisIncome = st.AxisLandUnits = st.AxisSeaUnits = st.AxisAllUnits = 0;
    std::uint32_t seite[2][12] = {};
    for (int p : Allies) {
        st.AlliesIncome += st.Income[p];
        st.AlliesLandUnits += st.LandUnits[p];
        st.AlliesSeaUnits += st.SeaUnits[p];
        st.AlliesAllUnits += st.AllUnits[p];
        for (int k = 1; k <= 11; ++k) seite[0][k] += PieceCounts[p][k];
    }
    for (int p : Axis) {
        st.AxisIncome += st.Income[p];
        st.AxisLandUnits += st.LandUnits[p];
        st.AxisSeaUnits += st.SeaUnits[p];
        st.AxisAllUnits += st.AllUnits[p];
        for (int k = 1; k <= 11; ++k) seite[1][k] += PieceCounts[p][k];
    }

    for (int p = 1; p <= 5; ++p) Hinweise(st, HinweisIndex(p, hwLand), PieceCounts[p]);
    Hinweise(st, HinweisAllies, seite[0]);
    Hinweise(st, HinweisAxis, seite[1]);
}

void SpielstandBerechnen() { SpielstandBerechnen(Spielstand, Einheiten, EinheitenAnzahl, Sektoren); }

void SpielstandAktualisieren() {
    SpielstandBerechnen();
    Fenster->SpielstandGeaendert();
}

int AxisAlertLevel(std::uint32_t axisIncome, bool blinkPhase) {
    if (axisIncome <= 60) return 1;
    if (axisIncome <= 70) return 2;
    if (axisIncome <= 83) return 3;
    if (axisIncome <= 150) return blinkPhase ? 4 : 5;
    return 0;
}
