#include "USchritte.h"

#include <cstring>

#include "UFenster.h"

std::string MapTitel = "Start.map";

namespace {

// A step's bytes lie whole in the ring, one after the other, oldest first from where the
// next one is written; a step that does not fit before the end starts again at 0.
constexpr std::size_t RingGroesse = 1792 * 1024;
constexpr int MaxSchritte = 2000;

struct TKopf {
    std::uint32_t Ort, Laenge;
    std::int32_t Anzahl;
    std::uint8_t Art, Einheit, Besitzer, Von, Nach, Ersetzt;
};

std::uint8_t Ring[RingGroesse];
TKopf Koepfe[MaxSchritte];
int Aeltester = 0, Anzahl = 0, Gemacht = 0;

TKopf& Kopf(int i) { return Koepfe[(Aeltester + i) % MaxSchritte]; }

// The board as the history has it: after the last step done, or at the open bracket's start.
struct TStand {
    TEinheit Einheiten[MaxEinheiten + 1];
    std::int32_t Anzahl;
    TSektor Sektoren[SektorenAnzahl + 1];
};
TStand Basis;
std::string BasisName, BasisTitel;
bool BasisGueltig = false;
int Tiefe = 0;
TSchrittAngaben Offen;

// A run of records replaced: BAnz records at B position PosB become AAnz records. Runs of
// equal length keep only bytes Off..Off+Len of each record. B and A point at the first kept
// byte of each side, records Schritt bytes apart.
struct TStueck {
    std::uint16_t PosB, BAnz, AAnz;
    std::uint8_t Off, Len;
    const std::uint8_t* B;
    const std::uint8_t* A;
    std::uint32_t Schritt;
};
TStueck Stuecke[MaxEinheiten + 2];  // each run but the last is followed by an equal record
int StueckeAnzahl = 0;
TEinheit Arbeit[MaxEinheiten + 1];  // where a run list is merged
TEinheit Probe[MaxEinheiten + 1];   // where undo and redo are tried before a step is kept
// Slots that the run list alone would leave otherwise (they lie beyond the count, and a new
// stack takes its padding bytes from its slot): undone, redone.
std::uint16_t FixRueck[MaxEinheiten], FixVor[MaxEinheiten];
int FixRueckAnzahl = 0, FixVorAnzahl = 0;

std::uint8_t* Bytes(TEinheit* e) { return reinterpret_cast<std::uint8_t*>(e); }
const std::uint8_t* Bytes(const TEinheit* e) { return reinterpret_cast<const std::uint8_t*>(e); }
bool Gleich(const TEinheit& a, const TEinheit& b) { return std::memcmp(&a, &b, sizeof(TEinheit)) == 0; }

// Turns records 1..n of e into the other side of the runs (rueck: A into B); returns the new count.
std::int32_t Anwenden(TEinheit* e, std::int32_t n, bool rueck) {
    bool gleichLang = true;
    for (int k = 0; k < StueckeAnzahl; ++k) gleichLang = gleichLang && Stuecke[k].BAnz == Stuecke[k].AAnz;
    if (gleichLang) {
        for (int k = 0; k < StueckeAnzahl; ++k) {
            const TStueck& s = Stuecke[k];
            for (int r = 0; r < s.BAnz; ++r)
                std::memcpy(Bytes(&e[s.PosB + r]) + s.Off, (rueck ? s.B : s.A) + r * s.Schritt, s.Len);
        }
        return n;
    }
    std::int32_t q = 1, z = 1, versatz = 0;
    for (int k = 0; k < StueckeAnzahl; ++k) {
        const TStueck& s = Stuecke[k];
        const std::int32_t pos = rueck ? s.PosB + versatz : s.PosB;
        std::memcpy(&Arbeit[z], &e[q], sizeof(TEinheit) * static_cast<std::size_t>(pos - q));
        z += pos - q;
        q = pos;
        const std::uint8_t* d = rueck ? s.B : s.A;
        const int weg = rueck ? s.AAnz : s.BAnz, neu = rueck ? s.BAnz : s.AAnz;
        if (s.BAnz == s.AAnz) std::memcpy(&Arbeit[z], &e[q], sizeof(TEinheit) * static_cast<std::size_t>(neu));
        for (int r = 0; r < neu; ++r) std::memcpy(Bytes(&Arbeit[z + r]) + s.Off, d + r * s.Schritt, s.Len);
        q += weg;
        z += neu;
        versatz += s.AAnz - s.BAnz;
    }
    std::memcpy(&Arbeit[z], &e[q], sizeof(TEinheit) * static_cast<std::size_t>(n + 1 - q));
    z += n + 1 - q;
    std::memcpy(&e[1], &Arbeit[1], sizeof(TEinheit) * static_cast<std::size_t>(z - 1));
    return z - 1;
}

// The run list from the base to the piece list: equal records are passed over, and where
// they differ the nearest record pair that agrees again ends the run.
void Vergleichen() {
    const TEinheit* b = Basis.Einheiten;
    const TEinheit* a = Einheiten;
    const int nb = Basis.Anzahl, na = EinheitenAnzahl;
    constexpr int Weite = 8;
    StueckeAnzahl = 0;
    auto dazu = [](int i, int bAnz, int aAnz) {
        TStueck* l = StueckeAnzahl ? &Stuecke[StueckeAnzahl - 1] : nullptr;
        if (l && l->PosB + l->BAnz == i) {
            l->BAnz = static_cast<std::uint16_t>(l->BAnz + bAnz);
            l->AAnz = static_cast<std::uint16_t>(l->AAnz + aAnz);
        } else {
            Stuecke[StueckeAnzahl++] = TStueck{static_cast<std::uint16_t>(i), static_cast<std::uint16_t>(bAnz),
                                               static_cast<std::uint16_t>(aAnz), 0, 0, nullptr, nullptr, 0};
        }
    };
    int i = 1, j = 1;
    while (i <= nb && j <= na) {
        if (Gleich(b[i], a[j])) {
            ++i, ++j;
            continue;
        }
        // Fewest records dropped and added first; with no pair in reach, one record changed.
        int di = 1, dj = 1;
        bool gefunden = false;
        for (int s = 1; s <= Weite && !gefunden; ++s)
            for (int d = 0; d <= s && !gefunden; ++d)
                if (i + d <= nb && j + s - d <= na && Gleich(b[i + d], a[j + s - d])) {
                    di = d, dj = s - d;
                    gefunden = true;
                }
        dazu(i, di, dj);
        i += di, j += dj;
    }
    if (i <= nb || j <= na) dazu(i, nb + 1 - i, na + 1 - j);
    int versatz = 0;
    for (int k = 0; k < StueckeAnzahl; ++k) {
        TStueck& s = Stuecke[k];
        int lo = 0, hi = sizeof(TEinheit);
        if (s.BAnz == s.AAnz) {
            lo = sizeof(TEinheit), hi = 0;
            for (int r = 0; r < s.BAnz; ++r)
                for (int x = 0; x < static_cast<int>(sizeof(TEinheit)); ++x)
                    if (Bytes(&b[s.PosB + r])[x] != Bytes(&a[s.PosB + r])[x]) lo = lo < x ? lo : x, hi = hi > x + 1 ? hi : x + 1;
        }
        s.Off = static_cast<std::uint8_t>(lo);
        s.Len = static_cast<std::uint8_t>(hi - lo);
        s.B = Bytes(&b[s.PosB]) + lo;
        s.A = Bytes(&a[s.PosB + versatz]) + lo;
        s.Schritt = sizeof(TEinheit);
        versatz += s.AAnz - s.BAnz;
    }
}

// Slots of 'soll' that the run list, applied to a copy of 'von', leaves different.
int Fixe(const TEinheit* von, std::int32_t n, const TEinheit* soll, bool rueck, std::uint16_t* fix) {
    std::memcpy(Probe, von, sizeof Probe);
    Anwenden(Probe, n, rueck);
    int k = 0;
    for (int s = 1; s <= MaxEinheiten; ++s)
        if (!Gleich(Probe[s], soll[s])) fix[k++] = static_cast<std::uint16_t>(s);
    return k;
}

bool Sektorgleich(int s) { return std::memcmp(&Basis.Sektoren[s], &Sektoren[s], sizeof(TSektor)) == 0; }

bool StandGleich() {
    return Basis.Anzahl == EinheitenAnzahl &&
           std::memcmp(&Basis.Einheiten[1], &Einheiten[1], sizeof(TEinheit) * MaxEinheiten) == 0 &&
           std::memcmp(&Basis.Sektoren[1], &Sektoren[1], sizeof(TSektor) * SektorenAnzahl) == 0 &&
           BasisName == MapName && BasisTitel == MapTitel;
}

void BasisNehmen() {
    std::memcpy(&Basis.Einheiten[1], &Einheiten[1], sizeof(TEinheit) * MaxEinheiten);
    Basis.Anzahl = EinheitenAnzahl;
    std::memcpy(&Basis.Sektoren[1], &Sektoren[1], sizeof(TSektor) * SektorenAnzahl);
    BasisName = MapName;
    BasisTitel = MapTitel;
    BasisGueltig = true;
}

// ---- Bytes of a step -----------------------------------------------------------------------
// Counts and flags, the text, the runs, the sectors, the fixed slots both ways, the names.

#pragma pack(push, 1)
struct TPrefix {
    std::uint16_t Stuecke, Sektoren, FixRueck, FixVor;
    std::int32_t AnzahlB, AnzahlA;
    std::uint8_t Namen;  // bit 0 MapName, bit 1 MapTitel changed
};
#pragma pack(pop)

struct TSchreiber {
    std::uint8_t* p;
    void Roh(const void* d, std::size_t n) {
        if (p) std::memcpy(p, d, n), p += n;
    }
    std::size_t n = 0;
    void Teil(const void* d, std::size_t k) { Roh(d, k), n += k; }
    template <class T> void Wert(const T& v) { Teil(&v, sizeof v); }
    void Text(const std::string& s) {
        Wert(static_cast<std::uint32_t>(s.size()));
        Teil(s.data(), s.size());
    }
};

struct TLeser {
    const std::uint8_t* p;
    template <class T> T Wert() {
        T v;
        std::memcpy(&v, p, sizeof v);
        p += sizeof v;
        return v;
    }
    const std::uint8_t* Teil(std::size_t n) { return (p += n) - n; }
    std::string Text() {
        const std::uint32_t n = Wert<std::uint32_t>();
        return std::string(reinterpret_cast<const char*>(Teil(n)), n);
    }
};

// Writes the step (or, with w.p null, only counts its bytes).
void Schreiben(TSchreiber& w, const TSchrittAngaben& angaben) {
    int sektoren = 0;
    for (int s = 1; s <= SektorenAnzahl; ++s) sektoren += !Sektorgleich(s);
    const std::uint8_t namen = (BasisName != MapName ? 1 : 0) | (BasisTitel != MapTitel ? 2 : 0);
    w.Wert(TPrefix{static_cast<std::uint16_t>(StueckeAnzahl), static_cast<std::uint16_t>(sektoren),
                   static_cast<std::uint16_t>(FixRueckAnzahl), static_cast<std::uint16_t>(FixVorAnzahl), Basis.Anzahl,
                   EinheitenAnzahl, namen});
    w.Text(angaben.Text);
    for (int k = 0; k < StueckeAnzahl; ++k) {
        const TStueck& s = Stuecke[k];
        w.Wert(s.PosB), w.Wert(s.BAnz), w.Wert(s.AAnz), w.Wert(s.Off), w.Wert(s.Len);
        for (int r = 0; r < s.BAnz; ++r) w.Teil(s.B + r * s.Schritt, s.Len);
        for (int r = 0; r < s.AAnz; ++r) w.Teil(s.A + r * s.Schritt, s.Len);
    }
    for (int s = 1; s <= SektorenAnzahl; ++s) {
        if (Sektorgleich(s)) continue;
        const std::uint8_t* b = reinterpret_cast<const std::uint8_t*>(&Basis.Sektoren[s]);
        const std::uint8_t* a = reinterpret_cast<const std::uint8_t*>(&Sektoren[s]);
        std::uint8_t lo = 0, hi = sizeof(TSektor);
        while (b[lo] == a[lo]) ++lo;
        while (b[hi - 1] == a[hi - 1]) --hi;
        w.Wert(static_cast<std::uint8_t>(s)), w.Wert(lo), w.Wert(static_cast<std::uint8_t>(hi - lo));
        w.Teil(b + lo, hi - lo), w.Teil(a + lo, hi - lo);
    }
    for (int k = 0; k < FixRueckAnzahl; ++k) w.Wert(FixRueck[k]), w.Wert(Basis.Einheiten[FixRueck[k]]);
    for (int k = 0; k < FixVorAnzahl; ++k) w.Wert(FixVor[k]), w.Wert(Einheiten[FixVor[k]]);
    if (namen & 1) w.Text(BasisName), w.Text(MapName);
    if (namen & 2) w.Text(BasisTitel), w.Text(MapTitel);
}

// Puts the step's other side onto the board (rueck: the side before it).
void Ausfuehren(const TKopf& kopf, bool rueck) {
    TLeser l{Ring + kopf.Ort};
    const TPrefix p = l.Wert<TPrefix>();
    l.Text();
    StueckeAnzahl = p.Stuecke;
    for (int k = 0; k < StueckeAnzahl; ++k) {
        TStueck& s = Stuecke[k];
        s.PosB = l.Wert<std::uint16_t>(), s.BAnz = l.Wert<std::uint16_t>(), s.AAnz = l.Wert<std::uint16_t>();
        s.Off = l.Wert<std::uint8_t>(), s.Len = l.Wert<std::uint8_t>();
        s.Schritt = s.Len;
        s.B = l.Teil(std::size_t{s.BAnz} * s.Len);
        s.A = l.Teil(std::size_t{s.AAnz} * s.Len);
    }
    EinheitenAnzahl = Anwenden(Einheiten, rueck ? p.AnzahlA : p.AnzahlB, rueck);
    for (int k = 0; k < p.Sektoren; ++k) {
        const std::uint8_t s = l.Wert<std::uint8_t>(), lo = l.Wert<std::uint8_t>(), n = l.Wert<std::uint8_t>();
        const std::uint8_t* b = l.Teil(n);
        const std::uint8_t* a = l.Teil(n);
        std::memcpy(reinterpret_cast<std::uint8_t*>(&Sektoren[s]) + lo, rueck ? b : a, n);
    }
    for (int seite = 0; seite < 2; ++seite)
        for (int k = 0; k < (seite ? p.FixVor : p.FixRueck); ++k) {
            const std::uint16_t s = l.Wert<std::uint16_t>();
            const TEinheit e = l.Wert<TEinheit>();
            if ((seite == 0) == rueck) Einheiten[s] = e;
        }
    for (int bit = 1; bit <= 2; bit <<= 1)
        if (p.Namen & bit) {
            std::string vorher = l.Text(), nachher = l.Text();
            (bit == 1 ? MapName : MapTitel) = rueck ? vorher : nachher;
        }
}

void Vergessen() {
    Aeltester = (Aeltester + 1) % MaxSchritte;
    --Anzahl;
    --Gemacht;
}

// Room for n bytes after the last step done; older steps give way. Null if n never fits.
std::uint8_t* Platz(std::size_t n) {
    Anzahl = Gemacht;
    if (n > RingGroesse) return nullptr;
    std::size_t ort = Anzahl ? Kopf(Anzahl - 1).Ort + Kopf(Anzahl - 1).Laenge : 0;
    if (ort + n > RingGroesse) {
        while (Anzahl && Kopf(0).Ort >= ort) Vergessen();
        ort = 0;
    }
    while (Anzahl && (Anzahl == MaxSchritte || (Kopf(0).Ort >= ort && Kopf(0).Ort < ort + n))) Vergessen();
    if (Anzahl == 0) Aeltester = 0;
    Kopf(Anzahl).Ort = static_cast<std::uint32_t>(ort);
    Kopf(Anzahl).Laenge = static_cast<std::uint32_t>(n);
    return Ring + ort;
}

// Keeps the difference between the base and the board as a step; the board becomes the base.
void Aufzeichnen(const TSchrittAngaben& angaben) {
    if (StandGleich()) return;
    Vergleichen();
    FixRueckAnzahl = Fixe(Einheiten, EinheitenAnzahl, Basis.Einheiten, true, FixRueck);
    FixVorAnzahl = Fixe(Basis.Einheiten, Basis.Anzahl, Einheiten, false, FixVor);
    TSchreiber zaehler{nullptr};
    Schreiben(zaehler, angaben);
    TSchreiber w{Platz(zaehler.n)};
    if (w.p) {
        Schreiben(w, angaben);
        TKopf& k = Kopf(Anzahl);
        k.Anzahl = angaben.Anzahl;
        k.Art = angaben.Art, k.Einheit = angaben.Einheit, k.Besitzer = angaben.Besitzer;
        k.Von = angaben.Von, k.Nach = angaben.Nach, k.Ersetzt = angaben.Ersetzt;
        Gemacht = ++Anzahl;
    } else {
        // Larger than the whole ring: what came before can no longer be reached.
        Aeltester = Anzahl = Gemacht = 0;
    }
    BasisNehmen();
    Fenster->SchritteGeaendert();
}

// A change made outside any bracket becomes a step before the history is used.
void Abgleichen() {
    if (!BasisGueltig)
        BasisNehmen();
    else
        Aufzeichnen(TSchrittAngaben{});
}

}  // namespace

const std::size_t SchritteSpeicher = sizeof Ring + sizeof Koepfe + sizeof Basis + sizeof Stuecke + sizeof Arbeit +
                                     sizeof Probe + sizeof FixRueck + sizeof FixVor;

void SchrittBeginnen() {
    if (Tiefe++ == 0) {
        Abgleichen();
        Offen = TSchrittAngaben{};
    }
}

void SchrittBeenden(const TSchrittAngaben& angaben) {
    if (Tiefe == 0) return;
    if (angaben.Art != saAenderung) Offen = angaben;
    if (--Tiefe == 0) Aufzeichnen(Offen);
}

void SchrittVerwerfen() {
    if (Tiefe == 0) return;
    Tiefe = 0;
    std::memcpy(&Einheiten[1], &Basis.Einheiten[1], sizeof(TEinheit) * MaxEinheiten);
    EinheitenAnzahl = Basis.Anzahl;
    std::memcpy(&Sektoren[1], &Basis.Sektoren[1], sizeof(TSektor) * SektorenAnzahl);
    MapName = BasisName;
    MapTitel = BasisTitel;
}

bool SchrittOffen() { return Tiefe > 0; }

void NamenUebernehmen() {
    if (Tiefe > 0 || !BasisGueltig) return;
    BasisName = MapName;
    BasisTitel = MapTitel;
    Fenster->SchritteGeaendert();
}

bool NurEinheitenGeaendert() {
    return std::memcmp(&Basis.Sektoren[1], &Sektoren[1], sizeof(TSektor) * SektorenAnzahl) == 0 &&
           BasisName == MapName && BasisTitel == MapTitel;
}

bool KannRueckgaengig() { return Gemacht > 0 || (BasisGueltig && Tiefe == 0 && !StandGleich()); }
bool KannWiederholen() { return Gemacht < Anzahl && (!BasisGueltig || StandGleich()); }

bool Rueckgaengig() {
    if (Tiefe > 0) return false;
    Abgleichen();
    if (Gemacht == 0) return false;
    Ausfuehren(Kopf(--Gemacht), true);
    BasisNehmen();
    Fenster->SchritteGeaendert();
    return true;
}

bool Wiederholen() {
    if (Tiefe > 0) return false;
    Abgleichen();
    if (Gemacht == Anzahl) return false;
    Ausfuehren(Kopf(Gemacht++), false);
    BasisNehmen();
    Fenster->SchritteGeaendert();
    return true;
}

int SchritteAnzahl() { return Anzahl; }
int SchritteGemacht() { return Gemacht; }

TSchrittAngaben SchrittAngaben(int i) {
    TSchrittAngaben a;
    if (i < 0 || i >= Anzahl) return a;
    const TKopf& k = Kopf(i);
    a.Art = static_cast<TSchrittArt>(k.Art);
    a.Einheit = k.Einheit, a.Besitzer = k.Besitzer, a.Von = k.Von, a.Nach = k.Nach, a.Ersetzt = k.Ersetzt;
    a.Anzahl = k.Anzahl;
    TLeser l{Ring + k.Ort};
    l.Wert<TPrefix>();
    a.Text = l.Text();
    return a;
}

void SchritteLeeren() {
    Aeltester = Anzahl = Gemacht = 0;
    Tiefe = 0;
    BasisNehmen();
    Fenster->SchritteGeaendert();
}

std::size_t SchritteBelegt() {
    std::size_t n = sizeof(TKopf) * static_cast<std::size_t>(Anzahl);
    for (int i = 0; i < Anzahl; ++i) n += Kopf(i).Laenge;
    return n;
}
