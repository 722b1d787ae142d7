#include "USchlachtfeld.h"

#include <vector>

#include "UPieces.h"
#include "USpielstand.h"

bool IstAchse(TBesitzer besitzer) { return besitzer == bsDeutschland || besitzer == bsJapan; }

bool SchlachtAusSektor(std::uint8_t sektor, TBesitzer angreifer, TSchlacht& s) {
    SchlachtLeeren(s);
    if (sektor < 1 || sektor > SetzSektoren || angreifer < 1 || angreifer > BesitzerAnzahl) return false;
    s.See = Sektoren[sektor].Land == 0;
    std::uint32_t a[ArtenAnzahl + 1] = {}, d[ArtenAnzahl + 1] = {};
    for (int i = 1; i <= EinheitenAnzahl; ++i) {
        const TEinheit& e = Einheiten[i];
        if (e.Sektor != sektor || e.Art < 1 || e.Art > ArtenAnzahl || e.Besitzer < 1 || e.Besitzer > BesitzerAnzahl)
            continue;
        // The AA gun fires only in a land battle, and only the defender's.
        if (!KaempftMit(e.Art, s.See) && !(e.Art == eaFlak && !s.See)) continue;
        if (e.Besitzer == angreifer) a[e.Art] += e.Anzahl;
        else if (IstAchse(e.Besitzer) != IstAchse(angreifer)) d[e.Art] += e.Anzahl;
    }
    for (int k = 1; k <= ArtenAnzahl; ++k) {
        s.Angreifer[k] = static_cast<std::uint16_t>(a[k] > 65535 ? 65535 : a[k]);
        s.Verteidiger[k] = static_cast<std::uint16_t>(d[k] > 65535 ? 65535 : d[k]);
    }
    return true;
}

namespace {

enum TZustand : std::uint8_t { zuDa, zuGetroffen, zuWeg };  // hit units still fire in the round
enum TZiel { ziJede, ziSchiff, ziLuft };

struct TWurfSeite {
    std::vector<TEinheitArt> art;  // in order of loss
    std::vector<TZustand> zustand;
};

void Aufstellen(const TSchlacht& s, bool angreifer, TWurfSeite& z) {
    const std::uint16_t* anzahl = angreifer ? s.Angreifer : s.Verteidiger;
    const TEinheitArt* order = angreifer ? s.OrderAngreifer : s.OrderVerteidiger;
    std::vector<TEinheitArt> hinten;
    int land = 0;
    for (int i = 0; i < OrderLaenge; ++i)
        if (IstLandeinheit(order[i])) land += anzahl[order[i]];
    const int behalten = angreifer && !s.See ? s.KeepLand : 0;
    int gesehen = 0;
    for (int i = 0; i < OrderLaenge; ++i) {
        TEinheitArt k = order[i];
        if (!KaempftMit(k, s.See)) continue;
        for (int n = 0; n < anzahl[k]; ++n) {
            // The last land units wait behind every other unit.
            if (IstLandeinheit(k) && gesehen++ >= land - behalten) hinten.push_back(k);
            else z.art.push_back(k);
        }
    }
    z.art.insert(z.art.end(), hinten.begin(), hinten.end());
    z.zustand.assign(z.art.size(), zuDa);
}

int Wuerfe(std::mt19937_64& zufall, int n, int wert) {
    std::uniform_int_distribution<int> wuerfel(1, 6);
    int treffer = 0;
    for (int i = 0; i < n; ++i) treffer += wuerfel(zufall) <= wert;
    return treffer;
}

// The first unit there that may take the hit gets it; hits with no such unit are lost.
void Treffen(TWurfSeite& z, int treffer, TZiel ziel, TZustand neu) {
    for (std::size_t i = 0; i < z.art.size() && treffer > 0; ++i) {
        if (z.zustand[i] != zuDa) continue;
        if (ziel == ziSchiff && !IstSchiff(z.art[i])) continue;
        if (ziel == ziLuft && !IstLufteinheit(z.art[i])) continue;
        z.zustand[i] = neu;
        --treffer;
    }
}

int Uebrig(const TWurfSeite& z, bool nurLand = false) {
    int n = 0;
    for (std::size_t i = 0; i < z.art.size(); ++i) n += z.zustand[i] == zuDa && (!nurLand || IstLandeinheit(z.art[i]));
    return n;
}

void Verluste(const TSchlacht& s, const TWurfSeite& z, bool angreifer, std::uint16_t* verluste) {
    for (int k = 0; k <= ArtenAnzahl; ++k)
        verluste[k] = KaempftMit(k, s.See) ? (angreifer ? s.Angreifer[k] : s.Verteidiger[k]) : 0;
    for (std::size_t i = 0; i < z.art.size(); ++i)
        if (z.zustand[i] == zuDa) --verluste[z.art[i]];
}

}  // namespace

void SchlachtWuerfeln(const TSchlacht& s, std::mt19937_64& zufall, TWurf& w, std::vector<TWurfRunde>* runden) {
    TWurfSeite a, d;
    if (runden) runden->clear();
    TWurfRunde bisher{};
    Aufstellen(s, true, a);
    Aufstellen(s, false, d);
    const bool rueckzug = s.See || s.Bombard == 0;
    w = TWurf{};
    for (int runde = 1;; ++runde) {
        if (runde == 1 && !s.See) {
            if (s.Verteidiger[eaFlak] > 0)
                Treffen(a, Wuerfe(zufall, s.Angreifer[eaJaeger] + s.Angreifer[eaBomber], 1), ziLuft, zuWeg);
            Treffen(d, Wuerfe(zufall, s.Bombard, 4), ziJede, zuGetroffen);
        }
        int x3 = 0, x4 = 0;
        for (std::size_t i = 0; i < a.art.size(); ++i) {
            if (a.zustand[i] != zuDa) continue;
            TEinheitArt k = a.art[i];
            if (k == eaUBoot) x3 += Wuerfe(zufall, 1, Angriffswert(k, s));
            else x4 += Wuerfe(zufall, k == eaBomber && s.HeavyBombers ? 3 : 1, Angriffswert(k, s));
        }
        Treffen(d, x3, ziSchiff, zuWeg);
        Treffen(d, x4, ziJede, zuGetroffen);
        int ys = 0, yo = 0;
        for (std::size_t i = 0; i < d.art.size(); ++i) {
            if (d.zustand[i] == zuWeg) continue;
            (d.art[i] == eaUBoot ? ys : yo) += Wuerfe(zufall, 1, Verteidigungswert(d.art[i], s));
        }
        Treffen(a, ys, ziSchiff, zuGetroffen);
        Treffen(a, yo, ziJede, zuGetroffen);
        for (TWurfSeite* z : {&a, &d})
            for (TZustand& zu : z->zustand)
                if (zu == zuGetroffen) zu = zuWeg;
        if (runden) {
            // A round's losses are what is lost so far less what was lost before it.
            TWurfRunde jetzt;
            Verluste(s, a, true, jetzt.AngreiferVerluste);
            Verluste(s, d, false, jetzt.VerteidigerVerluste);
            TWurfRunde r;
            for (int k = 0; k <= ArtenAnzahl; ++k) {
                r.AngreiferVerluste[k] = static_cast<std::uint16_t>(jetzt.AngreiferVerluste[k] - bisher.AngreiferVerluste[k]);
                r.VerteidigerVerluste[k] = static_cast<std::uint16_t>(jetzt.VerteidigerVerluste[k] - bisher.VerteidigerVerluste[k]);
            }
            runden->push_back(r);
            bisher = jetzt;
        }
        const int la = Uebrig(a), ld = Uebrig(d);
        w.Runden = runde;
        if (ld == 0) {
            w.Ausgang = la > 0 ? agAngreifer : agUnentschieden;
            w.Eingenommen = la > 0 && !s.See && Uebrig(a, true) > 0;
        } else if (la == 0) {
            w.Ausgang = agVerteidiger;
        } else if (rueckzug && ((s.RetreatAfter >= 1 && runde >= s.RetreatAfter) || (s.RetreatAt >= 0 && la <= s.RetreatAt))) {
            w.Ausgang = agRueckzug;
        } else {
            continue;
        }
        break;
    }
    Verluste(s, a, true, w.AngreiferVerluste);
    Verluste(s, d, false, w.VerteidigerVerluste);
}

void SchlachtWuerfeln(const TSchlacht& s, TWurf& w) {
    std::random_device quelle;
    std::mt19937_64 zufall((static_cast<std::uint64_t>(quelle()) << 32) ^ quelle());
    SchlachtWuerfeln(s, zufall, w);
}

void VerlusteAnwenden(std::uint8_t sektor, TBesitzer angreifer, const std::uint16_t angreiferVerluste[ArtenAnzahl + 1],
                      const std::uint16_t verteidigerVerluste[ArtenAnzahl + 1], bool eingenommen) {
    if (sektor < 1 || sektor > SetzSektoren || angreifer < 1 || angreifer > BesitzerAnzahl) return;
    std::uint32_t offen[2][ArtenAnzahl + 1];
    for (int k = 0; k <= ArtenAnzahl; ++k) {
        offen[0][k] = k >= 1 ? angreiferVerluste[k] : 0;
        offen[1][k] = k >= 1 ? verteidigerVerluste[k] : 0;
    }
    TMapPunkt flagge{0, 0};
    bool flaggeOrt = false;
    for (int i = 1; i <= EinheitenAnzahl;) {
        TEinheit& e = Einheiten[i];
        const bool hier = e.Sektor == sektor && e.Art >= 1 && e.Art <= ArtenAnzahl;
        const int seite = e.Besitzer == angreifer ? 0 : IstAchse(e.Besitzer) != IstAchse(angreifer) ? 1 : -1;
        if (hier && eingenommen && e.Art == eaFlagge && e.Besitzer != angreifer) {
            if (!flaggeOrt) flagge = {e.X, e.Y};
            flaggeOrt = true;
            EinheitLoeschen(static_cast<std::uint32_t>(i));
            continue;
        }
        if (hier && seite >= 0 && offen[seite][e.Art] > 0) {
            std::uint32_t n = offen[seite][e.Art] < e.Anzahl ? offen[seite][e.Art] : e.Anzahl;
            offen[seite][e.Art] -= n;
            if (n == e.Anzahl) {
                EinheitLoeschen(static_cast<std::uint32_t>(i));
                continue;
            }
            e.Anzahl = static_cast<std::uint16_t>(e.Anzahl - n);
        }
        ++i;
    }
    if (eingenommen) {
        std::uint16_t nummer = 0, anzahl = 0;
        EinheitSuchen(sektor, eaFlagge, angreifer, nummer, anzahl);
        if (nummer) {
            if (Einheiten[nummer].Anzahl == 0) Einheiten[nummer].Anzahl = 1;
        } else {
            // Where a flag stood, else beside the attacker's first stack there.
            for (int i = 1; i <= EinheitenAnzahl && !flaggeOrt; ++i)
                if (Einheiten[i].Sektor == sektor && Einheiten[i].Besitzer == angreifer) {
                    flagge = {Einheiten[i].X + PieceGroesse.X, Einheiten[i].Y};
                    flaggeOrt = true;
                }
            if (!flaggeOrt) flagge = {static_cast<double>(Sektoren[sektor].HotSpotX), static_cast<double>(Sektoren[sektor].HotSpotY)};
            EinheitHinzufuegen(sektor, eaFlagge, angreifer, flagge.X, flagge.Y, 1);
        }
    }
    SpielstandAktualisieren();
}
