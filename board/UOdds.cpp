#include "UOdds.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "UOddsSeite.h"

namespace {

constexpr int Kinds = OddsArten;

TSeite A, D;
std::vector<double> M, Naechste, U, PaDichte;
std::vector<int> PaListe;
std::vector<std::pair<int, double>> PdListe;
double BombardVerteilung[SchlachtMaxAnzahl + 1];
int BombardAnzahl;

void LandSchieben(int a, int dFeuer, int dStart, double w, double* ziel);

// One round's fire from attacker state iA and defender state iDfeuer (the defender's units that
// fire); the defender's casualties are taken from iDstart on. Adds w times the outcome to ziel.
void Schieben(int iA, int iDfeuer, int iDstart, double w, double* ziel) {
    if (A.S == 0 && D.S == 0) return LandSchieben(iA, iDfeuer, iDstart, w, ziel);
    const int wA = A.kappe + 1, wD = D.kappe + 1;
    const int uD = D.uboote[D.Verloren(iDfeuer)];
    const bool aSchiffe = A.Schiffe(iA) > 0;
    const int lys = aSchiffe ? uD + 1 : 1;
    const double* by = &D.binom[static_cast<std::size_t>(uD) * (uD + 1) / 2];
    const double* fy = &D.feuer[static_cast<std::size_t>(iDfeuer) * wD];
    const int lyo = D.feuerLaenge[iDfeuer];
    const int sa = A.Verloren(iA), ga = iA % (A.G + 1);
    PaListe.clear();
    for (int ys = 0; ys < lys; ++ys) {
        // Submarine hits beyond the ships are lost; with no ship all of them are.
        double p = aSchiffe ? by[ys] : 1.0;
        if (p == 0) continue;
        int st = A.Index(std::min(sa + ys, A.S), ga);
        for (int yo = 0; yo < lyo; ++yo) {
            double q = p * fy[yo];
            if (q != 0) {
                if (PaDichte[st] == 0) PaListe.push_back(st);
                PaDichte[st] += q;
            }
            st = A.weiter[st];
        }
    }
    const double* fx = &A.feuer[static_cast<std::size_t>(iA) * wA];
    PdListe.clear();
    int st = iDstart;
    for (int x = 0; x < A.feuerLaenge[iA]; ++x) {
        if (!PdListe.empty() && PdListe.back().first == st) PdListe.back().second += fx[x];
        else PdListe.emplace_back(st, fx[x]);
        st = D.weiter[st];
    }
    const std::size_t nD = static_cast<std::size_t>(D.n);
    for (int a : PaListe) {
        double wa = w * PaDichte[a];
        PaDichte[a] = 0;
        double* zeile = ziel + a * nD;
        for (const auto& [d, q] : PdListe) zeile[d] += wa * q;
    }
}

// A whole round from (iA, iD): at sea the attacker's submarines first, in the first round of a
// land battle the bombardment.
void Runde(const TSchlacht& b, int iA, int iD, double w, double* ziel, bool erste) {
    if (!b.See) {
        if (!erste || BombardAnzahl == 0) return Schieben(iA, iD, iD, w, ziel);
        int start = iD;
        for (int h = 0; h <= BombardAnzahl; ++h) {
            Schieben(iA, iD, start, w * BombardVerteilung[h], ziel);
            start = D.weiter[start];
        }
        return;
    }
    const int uA = A.uboote[A.Verloren(iA)];
    if (uA == 0 || D.Schiffe(iD) == 0) return Schieben(iA, iD, iD, w, ziel);
    const double* bx = &A.binom[static_cast<std::size_t>(uA) * (uA + 1) / 2];
    const int sd = D.Verloren(iD), gd = iD % (D.G + 1);
    for (int x = 0; x <= uA; ++x) {
        int d3 = D.Index(std::min(sd + x, D.S), gd);
        Schieben(iA, d3, d3, w * bx[x], ziel);
    }
}

struct TEnde {
    bool RetreatAt;
    int K;
};

bool Rueckzug(const TEnde& e, int iA) { return e.RetreatAt && A.uebrig[iA] <= e.K; }

// With no ship on either side every hit takes the next unit of one track, and a round's outcome
// is the product of two distributions along the rows and the columns of the states: rows of
// contiguous additions. The defender's fire comes from dFeuer, its casualties from dStart on.
void LandSchieben(int a, int dFeuer, int dStart, double w, double* ziel) {
    const int GA = A.G, GD = D.G, nD = D.n;
    const double* px = &A.feuer[static_cast<std::size_t>(a) * (A.kappe + 1)];
    const double* py = &D.feuer[static_cast<std::size_t>(dFeuer) * (D.kappe + 1)];
    const int lx = A.feuerLaenge[a], ly = D.feuerLaenge[dFeuer], remA = GA - a, remD = GD - dStart;
    // Hits beyond a side's units are lost: they join the last entry.
    const int ix = std::min(lx, remD), jy = std::min(ly, remA);
    double tx = 0, ty = 0;
    for (int i = ix; i < lx; ++i) tx += px[i];
    for (int j = jy; j < ly; ++j) ty += py[j];
    for (int j = 0; j <= jy; ++j) {
        const double wj = w * (j < jy ? py[j] : ty);
        if (wj == 0) continue;
        double* zeile = ziel + static_cast<std::size_t>(j < jy ? a + j : GA) * nD + dStart;
        for (int i = 0; i < ix; ++i) zeile[i] += wj * px[i];
        zeile[remD] += wj * tx;
    }
}

double LandKette(const TEnde& ende) {
    double runden = 0;
    const int nD = D.n, wA = A.kappe + 1, wD = D.kappe + 1;
    for (int a = 0; a < A.G; ++a) {
        if (Rueckzug(ende, a)) continue;
        const double px0 = A.feuer[static_cast<std::size_t>(a) * wA];
        for (int d = 0; d < D.G; ++d) {
            const double m = M[static_cast<std::size_t>(a) * nD + d];
            if (m == 0) continue;
            // The rounds in which nothing happens, summed: m / (1 - c).
            const double v = m / (1 - px0 * D.feuer[static_cast<std::size_t>(d) * wD]);
            runden += v;
            LandSchieben(a, d, d, v, M.data());
        }
    }
    return runden;
}

// Any battle: per attacker state the defender states in order, the mass after the attacker's
// submarines fired (U) kept apart from the mass at the start of a round (M).
double SeeKette(const TEnde& ende) {
    double runden = 0;
    const int nA = A.n, nD = D.n, wA = A.kappe + 1, wD = D.kappe + 1;
    U.resize(nD);
    for (int iA = 0; iA < nA; ++iA) {
        if (A.uebrig[iA] == 0 || Rueckzug(ende, iA)) continue;
        std::fill(U.begin(), U.end(), 0.0);
        const int uA = A.uboote[A.Verloren(iA)];
        const double* bx = &A.binom[static_cast<std::size_t>(uA) * (uA + 1) / 2];
        const double pdSelbst = A.feuer[static_cast<std::size_t>(iA) * wA];
        const bool aSchiffe = A.Schiffe(iA) > 0;
        double* zeile = &M[static_cast<std::size_t>(iA) * nD];
        for (int iD = 0; iD < nD; ++iD) {
            if (D.uebrig[iD] == 0) continue;
            const double m = zeile[iD], uu = U[iD];
            if (m == 0 && uu == 0) continue;
            const int sd = D.Verloren(iD), gd = iD % (D.G + 1);
            const bool subs = uA > 0 && sd < D.S;
            const double e = subs ? bx[0] : 1.0;
            const int uD = D.uboote[sd];
            const double paSelbst = D.feuer[static_cast<std::size_t>(iD) * wD] * (aSchiffe && uD ? D.binom[static_cast<std::size_t>(uD) * (uD + 1) / 2] : 1.0);
            const double c = paSelbst * pdSelbst;
            const double v = (m + c * uu) / (1 - c * e);
            runden += v;
            if (subs)
                for (int x = 1; x <= uA; ++x) {
                    int d3 = D.Index(std::min(sd + x, D.S), gd);
                    (D.uebrig[d3] == 0 ? zeile[d3] : U[d3]) += v * bx[x];
                }
            Schieben(iA, iD, iD, uu + e * v, M.data());
        }
    }
    return runden;
}

// The steps of a chain or of that many rounds: on land the additions of every state's rows,
// at sea roughly the attacker's outcomes gathered and each spread over the defender's.
double Arbeit(int runden) {
    const double lx = A.feuerLaenge[0], ly = D.feuerLaenge[0];
    if (A.S == 0 && D.S == 0) {
        double zeilen = 0, spalten = 0;
        for (int a = 0; a < A.G; ++a) zeilen += std::min<double>(ly, A.G - a) + 1;
        for (int d = 0; d < D.G; ++d) spalten += std::min<double>(lx, D.G - d) + 1;
        return zeilen * spalten * runden;
    }
    const double nA = A.n, nD = D.n, ys = D.uboote[0] + 1, xs = A.uboote[0] + 1;
    const double schritt = ys * ly / 4 + std::min(nA, ys * ly / 4 + 1) * (lx / 2 + 1) + xs;
    return nA * nD * schritt * runden;
}

}  // namespace

bool OddsBerechnen(const TSchlacht& b, TOdds& o, std::string& fehler) {
    o = TOdds{};
    for (int k = 1; k <= ArtenAnzahl; ++k)
        if (b.Angreifer[k] > SchlachtMaxAnzahl || b.Verteidiger[k] > SchlachtMaxAnzahl) {
            fehler = std::string("the battle is too large to compute: more than ") +
                     std::to_string(SchlachtMaxAnzahl) + " " + ArtKurzname(k) + " on one side";
            return false;
        }
    const bool rueckzugErlaubt = b.See || b.Bombard == 0;
    const TEnde ende{rueckzugErlaubt && b.RetreatAt >= 0, b.RetreatAt};
    const int nachRunde = rueckzugErlaubt ? b.RetreatAfter : 0;

    // The AA fire: one die per attacking air unit, whatever the number of guns.
    int luft = 0;
    if (!b.See && b.Verteidiger[eaFlak] > 0) luft = b.Angreifer[eaJaeger] + b.Angreifer[eaBomber];
    std::vector<double> aa;
    Binomial(aa, luft, 1.0 / 6);
    const double* aaZeile = &aa[static_cast<std::size_t>(luft) * (luft + 1) / 2];

    BombardAnzahl = b.See ? 0 : b.Bombard;
    if (BombardAnzahl > SchlachtMaxAnzahl) {
        fehler = "the battle is too large to compute: more than " + std::to_string(SchlachtMaxAnzahl) +
                 " bombarding battleships";
        return false;
    }
    {
        std::vector<double> bb;
        Binomial(bb, BombardAnzahl, 4.0 / 6);
        std::copy_n(&bb[static_cast<std::size_t>(BombardAnzahl) * (BombardAnzahl + 1) / 2], BombardAnzahl + 1,
                    BombardVerteilung);
    }

    for (int k = 1; k <= ArtenAnzahl; ++k) {
        if (KaempftMit(k, b.See)) {
            o.AngreiferStart += b.Angreifer[k] * EinheitKosten[k - 1];
            o.VerteidigerStart += b.Verteidiger[k] * EinheitKosten[k - 1];
        }
    }

    for (int j = 0; j <= luft; ++j) {
        const double gewicht = aaZeile[j];
        if (gewicht == 0) continue;
        SeiteAufstellen(A, b, true, j);
        SeiteAufstellen(D, b, false, 0);
        const double zustaende = static_cast<double>(A.n) * D.n;
        const double tabellen = std::max(static_cast<double>(A.n) * (D.S + D.G + 1), static_cast<double>(D.n) * (A.S + A.G + 1));
        if (zustaende > OddsZustandsGrenze || tabellen > OddsZustandsGrenze) {
            fehler = "the battle is too large to compute: " + std::to_string(static_cast<long long>(zustaende)) +
                     " states";
            return false;
        }
        SeiteTabellen(A, b, true, D.S + D.G);
        SeiteTabellen(D, b, false, A.S + A.G);
        const double arbeit = Arbeit(std::max(1, nachRunde)) * (luft + 1);
        if (arbeit > OddsArbeitsGrenze) {
            fehler = "the battle is too large to compute: about " + std::to_string(static_cast<long long>(arbeit / 1e6)) +
                     " million steps";
            return false;
        }
        const std::size_t n = static_cast<std::size_t>(A.n) * D.n;
        M.assign(n, 0.0);
        PaDichte.assign(A.n, 0.0);

        Runde(b, 0, 0, gewicht, M.data(), true);
        double runden = gewicht;
        if (nachRunde >= 1) {
            Naechste.resize(n);
            for (int r = 2; r <= nachRunde; ++r) {
                std::fill(Naechste.begin(), Naechste.end(), 0.0);
                for (int iA = 0; iA < A.n; ++iA)
                    for (int iD = 0; iD < D.n; ++iD) {
                        double m = M[static_cast<std::size_t>(iA) * D.n + iD];
                        if (m == 0) continue;
                        if (A.uebrig[iA] == 0 || D.uebrig[iD] == 0 || Rueckzug(ende, iA)) {
                            Naechste[static_cast<std::size_t>(iA) * D.n + iD] += m;
                            continue;
                        }
                        runden += m;
                        Runde(b, iA, iD, m, Naechste.data(), false);
                    }
                M.swap(Naechste);
            }
        } else {
            runden += A.S == 0 && D.S == 0 ? LandKette(ende) : SeeKette(ende);
        }
        o.Runden += runden;

        // The end of the battle in each state; in a chain the states where it goes on hold
        // what passed through them, after R rounds what retreats.
        std::vector<double> randA(A.n, 0.0), randD(D.n, 0.0);
        for (int iA = 0; iA < A.n; ++iA)
            for (int iD = 0; iD < D.n; ++iD) {
                const double m = M[static_cast<std::size_t>(iA) * D.n + iD];
                if (m == 0) continue;
                const int ua = A.uebrig[iA], ud = D.uebrig[iD];
                if (ud == 0) {
                    if (ua == 0) {
                        o.Unentschieden += m;
                    } else {
                        o.AngreiferGewinnt += m;
                        if (!b.See && A.land[iA % (A.G + 1)] > 0) o.Eingenommen += m;
                    }
                } else if (ua == 0) {
                    o.VerteidigerGewinnt += m;
                } else if (Rueckzug(ende, iA) || nachRunde >= 1) {
                    o.Rueckzug += m;
                } else {
                    continue;
                }
                randA[iA] += m;
                randD[iD] += m;
            }
        for (int iA = 0; iA < A.n; ++iA) {
            const int* zs = &A.zahlSchiff[A.Verloren(iA) * Kinds];
            const int* za = &A.zahlAndere[(iA % (A.G + 1)) * Kinds];
            for (int k = 1; k <= ArtenAnzahl; ++k) o.AngreiferUebrig[k] += randA[iA] * (zs[k] + za[k]);
        }
        for (int iD = 0; iD < D.n; ++iD) {
            const int* zs = &D.zahlSchiff[D.Verloren(iD) * Kinds];
            const int* za = &D.zahlAndere[(iD % (D.G + 1)) * Kinds];
            for (int k = 1; k <= ArtenAnzahl; ++k) o.VerteidigerUebrig[k] += randD[iD] * (zs[k] + za[k]);
        }
    }
    o.AngreiferVerlust = o.AngreiferStart;
    o.VerteidigerVerlust = o.VerteidigerStart;
    for (int k = 1; k <= ArtenAnzahl; ++k) {
        o.AngreiferVerlust -= o.AngreiferUebrig[k] * EinheitKosten[k - 1];
        o.VerteidigerVerlust -= o.VerteidigerUebrig[k] * EinheitKosten[k - 1];
    }
    return true;
}

std::string OddsZahl(double v, const char* format) {
    char puffer[64];
    std::snprintf(puffer, sizeof puffer, format, v);
    return puffer;
}

std::string OddsProzent(double p) { return OddsZahl(100 * p, "%.2f %%"); }
