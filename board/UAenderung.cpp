#include "UAenderung.h"

#include <cstring>

namespace {

const TStand* Vor = nullptr;  // the side before of the change worked out last

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
TEinheit Probe[MaxEinheiten + 1];   // where both directions are tried before the change is written
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

// The run list from the side before to the piece list: equal records are passed over, and where
// they differ the nearest record pair that agrees again ends the run.
void Vergleichen() {
    const TEinheit* b = Vor->Einheiten;
    const TEinheit* a = Einheiten;
    const int nb = Vor->Anzahl, na = EinheitenAnzahl;
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

bool Sektorgleich(int s) { return std::memcmp(&Vor->Sektoren[s], &Sektoren[s], sizeof(TSektor)) == 0; }

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

// Writes the change (or, with w.p null, only counts its bytes).
void Schreiben(TSchreiber& w, const std::string& text) {
    int sektoren = 0;
    for (int s = 1; s <= SektorenAnzahl; ++s) sektoren += !Sektorgleich(s);
    const std::uint8_t namen = (Vor->Name != MapName ? 1 : 0) | (Vor->Titel != MapTitel ? 2 : 0);
    w.Wert(TPrefix{static_cast<std::uint16_t>(StueckeAnzahl), static_cast<std::uint16_t>(sektoren),
                   static_cast<std::uint16_t>(FixRueckAnzahl), static_cast<std::uint16_t>(FixVorAnzahl), Vor->Anzahl,
                   EinheitenAnzahl, namen});
    w.Text(text);
    for (int k = 0; k < StueckeAnzahl; ++k) {
        const TStueck& s = Stuecke[k];
        w.Wert(s.PosB), w.Wert(s.BAnz), w.Wert(s.AAnz), w.Wert(s.Off), w.Wert(s.Len);
        for (int r = 0; r < s.BAnz; ++r) w.Teil(s.B + r * s.Schritt, s.Len);
        for (int r = 0; r < s.AAnz; ++r) w.Teil(s.A + r * s.Schritt, s.Len);
    }
    for (int s = 1; s <= SektorenAnzahl; ++s) {
        if (Sektorgleich(s)) continue;
        const std::uint8_t* b = reinterpret_cast<const std::uint8_t*>(&Vor->Sektoren[s]);
        const std::uint8_t* a = reinterpret_cast<const std::uint8_t*>(&Sektoren[s]);
        std::uint8_t lo = 0, hi = sizeof(TSektor);
        while (b[lo] == a[lo]) ++lo;
        while (b[hi - 1] == a[hi - 1]) --hi;
        w.Wert(static_cast<std::uint8_t>(s)), w.Wert(lo), w.Wert(static_cast<std::uint8_t>(hi - lo));
        w.Teil(b + lo, hi - lo), w.Teil(a + lo, hi - lo);
    }
    for (int k = 0; k < FixRueckAnzahl; ++k) w.Wert(FixRueck[k]), w.Wert(Vor->Einheiten[FixRueck[k]]);
    for (int k = 0; k < FixVorAnzahl; ++k) w.Wert(FixVor[k]), w.Wert(Einheiten[FixVor[k]]);
    if (namen & 1) w.Text(Vor->Name), w.Text(MapName);
    if (namen & 2) w.Text(Vor->Titel), w.Text(MapTitel);
}

}  // namespace

void AenderungAnwenden(const std::uint8_t* daten, bool rueck) {
    TLeser l{daten};
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

void StandNehmen(TStand& s) {
    std::memcpy(&s.Einheiten[1], &Einheiten[1], sizeof(TEinheit) * MaxEinheiten);
    s.Anzahl = EinheitenAnzahl;
    std::memcpy(&s.Sektoren[1], &Sektoren[1], sizeof(TSektor) * SektorenAnzahl);
    s.Name = MapName;
    s.Titel = MapTitel;
}

void StandSetzen(const TStand& s) {
    std::memcpy(&Einheiten[1], &s.Einheiten[1], sizeof(TEinheit) * MaxEinheiten);
    EinheitenAnzahl = s.Anzahl;
    std::memcpy(&Sektoren[1], &s.Sektoren[1], sizeof(TSektor) * SektorenAnzahl);
    MapName = s.Name;
    MapTitel = s.Titel;
}

bool StandGleich(const TStand& s) {
    // The slots beyond the count are no part of the position (counting other files may use
    // them as room): a difference there alone is no step.
    return s.Anzahl == EinheitenAnzahl &&
           std::memcmp(&s.Einheiten[1], &Einheiten[1], sizeof(TEinheit) * static_cast<std::size_t>(EinheitenAnzahl)) == 0 &&
           NurEinheitenAnders(s);
}

bool NurEinheitenAnders(const TStand& s) {
    return std::memcmp(&s.Sektoren[1], &Sektoren[1], sizeof(TSektor) * SektorenAnzahl) == 0 && s.Name == MapName &&
           s.Titel == MapTitel;
}

std::size_t AenderungErmitteln(const TStand& vorher, const std::string& text) {
    Vor = &vorher;
    Vergleichen();
    FixRueckAnzahl = Fixe(Einheiten, EinheitenAnzahl, Vor->Einheiten, true, FixRueck);
    FixVorAnzahl = Fixe(Vor->Einheiten, Vor->Anzahl, Einheiten, false, FixVor);
    TSchreiber zaehler{nullptr};
    Schreiben(zaehler, text);
    return zaehler.n;
}

void AenderungSchreiben(const std::string& text, std::uint8_t* ziel) {
    TSchreiber w{ziel};
    Schreiben(w, text);
}

std::string AenderungText(const std::uint8_t* daten) {
    TLeser l{daten};
    l.Wert<TPrefix>();
    return l.Text();
}

const std::size_t AenderungSpeicher = sizeof Stuecke + sizeof Arbeit + sizeof Probe + sizeof FixRueck + sizeof FixVor;
