#include "USchritte.h"

#include "UAenderung.h"
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
TStand Basis;
bool BasisGueltig = false;
int Tiefe = 0;
TSchrittAngaben Offen;

void BasisNehmen() {
    StandNehmen(Basis);
    BasisGueltig = true;
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
    if (StandGleich(Basis)) return;
    std::uint8_t* ziel = Platz(AenderungErmitteln(Basis, angaben.Text));
    if (ziel) {
        AenderungSchreiben(angaben.Text, ziel);
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

const std::size_t SchritteSpeicher = sizeof Ring + sizeof Koepfe + sizeof Basis + AenderungSpeicher;

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
    StandSetzen(Basis);
}

bool SchrittOffen() { return Tiefe > 0; }

void NamenUebernehmen() {
    if (Tiefe > 0 || !BasisGueltig) return;
    Basis.Name = MapName;
    Basis.Titel = MapTitel;
    Fenster->SchritteGeaendert();
}

bool NurEinheitenGeaendert() { return NurEinheitenAnders(Basis); }

bool KannRueckgaengig() { return Gemacht > 0 || (BasisGueltig && Tiefe == 0 && !StandGleich(Basis)); }
bool KannWiederholen() { return Gemacht < Anzahl && (!BasisGueltig || StandGleich(Basis)); }

bool Rueckgaengig() {
    if (Tiefe > 0) return false;
    Abgleichen();
    if (Gemacht == 0) return false;
    AenderungAnwenden(Ring + Kopf(--Gemacht).Ort, true);
    BasisNehmen();
    Fenster->SchritteGeaendert();
    return true;
}

bool Wiederholen() {
    if (Tiefe > 0) return false;
    Abgleichen();
    if (Gemacht == Anzahl) return false;
    AenderungAnwenden(Ring + Kopf(Gemacht++).Ort, false);
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
    a.Text = AenderungText(Ring + k.Ort);
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
