#include "UOddsSeite.h"

#include <algorithm>

constexpr int Kinds = OddsArten;

void SeiteAufstellen(TSeite& z, const TSchlacht& b, bool angreifer, int aaTreffer) {
    const std::uint16_t* anzahl = angreifer ? b.Angreifer : b.Verteidiger;
    const TEinheitArt* order = angreifer ? b.OrderAngreifer : b.OrderVerteidiger;
    z.schiff.clear();
    z.andere.clear();
    for (int i = 0; i < OrderLaenge; ++i) {
        TEinheitArt art = order[i];
        if (!KaempftMit(art, b.See)) continue;
        std::vector<TEinheitArt>& spur = IstSchiff(art) ? z.schiff : z.andere;
        spur.insert(spur.end(), anzahl[art], art);
    }
    if (angreifer && !b.See && b.KeepLand) {
        // The last KeepLand land units go after every other unit.
        std::vector<TEinheitArt> vorne, hinten;
        int landGesamt = 0;
        for (TEinheitArt art : z.andere) landGesamt += IstLandeinheit(art);
        int land = 0;
        for (TEinheitArt art : z.andere) {
            bool behalten = IstLandeinheit(art) && land++ >= landGesamt - b.KeepLand;
            (behalten ? hinten : vorne).push_back(art);
        }
        vorne.insert(vorne.end(), hinten.begin(), hinten.end());
        z.andere = vorne;
    }
    for (int j = 0; j < aaTreffer; ++j)
        for (std::size_t i = 0; i < z.andere.size(); ++i)
            if (IstLufteinheit(z.andere[i])) {
                z.andere.erase(z.andere.begin() + static_cast<std::ptrdiff_t>(i));
                break;
            }
    z.S = static_cast<int>(z.schiff.size());
    z.G = static_cast<int>(z.andere.size());
    z.n = (z.S + 1) * (z.G + 1);
}

namespace {

// The hits of the units of one track from each place to its end, counted up to kappe.
void TrackFeuer(const std::vector<TEinheitArt>& spur, const TSchlacht& b, bool angreifer, int kappe,
                std::vector<double>& tab, std::vector<int>& laenge) {
    const int L = static_cast<int>(spur.size()), w = kappe + 1;
    tab.assign(static_cast<std::size_t>(L + 1) * w, 0.0);
    laenge.assign(L + 1, 1);
    tab[static_cast<std::size_t>(L) * w] = 1.0;
    for (int k = L - 1; k >= 0; --k) {
        double* neu = &tab[static_cast<std::size_t>(k) * w];
        int l = laenge[k + 1];
        std::copy(neu + w, neu + w + l, neu);
        TEinheitArt art = spur[k];
        int wert = angreifer ? Angriffswert(art, b) : Verteidigungswert(art, b);
        int wuerfel = art == eaUBoot ? 0 : angreifer && b.HeavyBombers && art == eaBomber ? 3 : 1;
        if (wert == 0) wuerfel = 0;
        const double p = wert / 6.0;
        for (int x = 0; x < wuerfel; ++x) {
            const bool voll = l == w;
            const int nl = voll ? l : l + 1;
            for (int i = nl - 1; i >= 0; --i) {
                double bleibt = i < l ? neu[i] : 0.0, davor = i > 0 ? neu[i - 1] : 0.0;
                neu[i] = voll && i == w - 1 ? bleibt + davor * p : bleibt * (1 - p) + davor * p;
            }
            l = nl;
        }
        laenge[k] = l;
    }
}

}  // namespace

void Binomial(std::vector<double>& tab, int maxN, double p) {
    tab.assign(static_cast<std::size_t>(maxN + 1) * (maxN + 2) / 2, 0.0);
    tab[0] = 1.0;
    for (int k = 1; k <= maxN; ++k) {
        const double* alt = &tab[static_cast<std::size_t>(k - 1) * k / 2];
        double* neu = &tab[static_cast<std::size_t>(k) * (k + 1) / 2];
        for (int i = 0; i <= k; ++i) neu[i] = (i < k ? alt[i] * (1 - p) : 0.0) + (i > 0 ? alt[i - 1] * p : 0.0);
    }
}

// Everything of a side that depends on its tracks and the other side's size.
void SeiteTabellen(TSeite& z, const TSchlacht& b, bool angreifer, int kappe) {
    z.kappe = kappe;
    const int w = kappe + 1;
    int rang[Kinds] = {};
    const TEinheitArt* order = angreifer ? b.OrderAngreifer : b.OrderVerteidiger;
    for (int i = 0; i < OrderLaenge; ++i) rang[order[i]] = i;
    z.weiter.resize(z.n);
    z.uebrig.resize(z.n);
    for (int s = 0; s <= z.S; ++s)
        for (int g = 0; g <= z.G; ++g) {
            int i = z.Index(s, g);
            z.uebrig[i] = (z.S - s) + (z.G - g);
            if (s < z.S && (g == z.G || rang[z.schiff[s]] < rang[z.andere[g]])) z.weiter[i] = z.Index(s + 1, g);
            else if (g < z.G) z.weiter[i] = z.Index(s, g + 1);
            else z.weiter[i] = i;
        }
    z.uboote.assign(z.S + 1, 0);
    z.zahlSchiff.assign(static_cast<std::size_t>(z.S + 1) * Kinds, 0);
    for (int s = z.S - 1; s >= 0; --s) {
        z.uboote[s] = z.uboote[s + 1] + (z.schiff[s] == eaUBoot);
        std::copy_n(&z.zahlSchiff[(s + 1) * Kinds], Kinds, &z.zahlSchiff[s * Kinds]);
        ++z.zahlSchiff[s * Kinds + z.schiff[s]];
    }
    z.land.assign(z.G + 1, 0);
    z.zahlAndere.assign(static_cast<std::size_t>(z.G + 1) * Kinds, 0);
    for (int g = z.G - 1; g >= 0; --g) {
        z.land[g] = z.land[g + 1] + IstLandeinheit(z.andere[g]);
        std::copy_n(&z.zahlAndere[(g + 1) * Kinds], Kinds, &z.zahlAndere[g * Kinds]);
        ++z.zahlAndere[g * Kinds + z.andere[g]];
    }
    std::vector<double> ts, ta;
    std::vector<int> ls, la;
    TrackFeuer(z.schiff, b, angreifer, kappe, ts, ls);
    TrackFeuer(z.andere, b, angreifer, kappe, ta, la);
    z.feuer.assign(static_cast<std::size_t>(z.n) * w, 0.0);
    z.feuerLaenge.assign(z.n, 1);
    for (int s = 0; s <= z.S; ++s)
        for (int g = 0; g <= z.G; ++g) {
            double* aus = &z.feuer[static_cast<std::size_t>(z.Index(s, g)) * w];
            const double* x = &ts[static_cast<std::size_t>(s) * w];
            const double* y = &ta[static_cast<std::size_t>(g) * w];
            for (int i = 0; i < ls[s]; ++i)
                for (int j = 0; j < la[g]; ++j) aus[std::min(i + j, kappe)] += x[i] * y[j];
            z.feuerLaenge[z.Index(s, g)] = std::min(ls[s] + la[g] - 1, w);
        }
    Binomial(z.binom, z.uboote[0], (angreifer ? Angriffswert(eaUBoot, b) : Verteidigungswert(eaUBoot, b)) / 6.0);
}
