#include "UBearbeiten.h"

#include "UBildaufbau.h"
#include "UFenster.h"
#include "UInputs.h"
#include "UPieces.h"
#include "USchritte.h"
#include "USpielstand.h"

namespace {

// Characters that would start markup inside a forum post's line.
std::string Markdown(const std::string& s) {
    std::string r;
    for (char c : s) {
        if (std::string_view("\\`*_[]<>|#").find(c) != std::string_view::npos) r += '\\';
        r += c;
    }
    return r;
}

std::string Dateiteil(const std::string& pfad) {
    const std::size_t schraeg = pfad.find_last_of("/\\");
    return schraeg == std::string::npos ? pfad : pfad.substr(schraeg + 1);
}

std::string SektorWort(std::uint8_t s) {
    const TSektor* r = SektorRecord(s);
    const std::string n = r ? SektorName(*r) : std::string();
    return n.empty() ? "sector " + std::to_string(s) : n;
}

std::string Possessiv(const char* besitzer) {
    std::string s = besitzer;
    return s + (!s.empty() && s.back() == 's' ? "'" : "'s");
}

std::string Worte(int i, bool name, bool markdown) {
    const TSchrittAngaben a = SchrittAngaben(i);
    auto roh = [&](const std::string& s) { return markdown ? Markdown(s) : s; };
    auto sektor = [&](std::uint8_t s) { return roh(SektorWort(s)); };
    const std::string macht = std::string(BesitzerName(a.Besitzer)) + (name ? " " : ": ");
    const std::string art = ArtName(a.Einheit);
    switch (a.Art) {
    case saSetzen:
    case saBombe:
        return macht + (a.Anzahl > 0 ? "+" : "") + std::to_string(a.Anzahl) + " " + art + (name ? " in " : " ") +
               sektor(a.Von);
    case saTragen:
        return macht + std::to_string(a.Anzahl) + " " + art + " " + sektor(a.Von) + " -> " + sektor(a.Nach);
    case saFlagge: {
        std::string s = macht + "flag in " + sektor(a.Von);
        if (name || !a.Ersetzt) return s;
        std::string weg;
        int n = 0;
        for (int p = 1; p <= BesitzerAnzahl; ++p)
            if (a.Ersetzt & 1u << p) weg += (n++ ? " and " : "") + Possessiv(BesitzerName(p));
        return s + " (" + weg + (n > 1 ? " flags" : " flag") + " removed)";
    }
    case saZufall: return "random units";
    case saSektorEdit: return "edit sector " + sektor(a.Von);
    case saHotSpot: return "ICP hot spot of " + sektor(a.Von);
    case saMapLaden: return "load map " + roh(Dateiteil(a.Text));
    case saSektorenLaden: return "load sektorinfo " + roh(Dateiteil(a.Text));
    case saText: return roh(a.Text);
    case saAenderung: break;
    }
    return "change";
}

}  // namespace

std::string SchrittZeile(int i) { return Worte(i, false, false); }
std::string SchrittName(int i) { return Worte(i, true, false); }

bool EditRueckgaengigMoeglich() { return ToolMode == tmCarry || KannRueckgaengig(); }
bool EditWiederholenMoeglich() { return ToolMode != tmCarry && KannWiederholen(); }

std::string RueckgaengigText() {
    if (ToolMode == tmCarry)
        return "undo: put back " + std::string(BesitzerName(Selection.Besitzer)) + " " + std::to_string(Selection.Anzahl) +
               " " + ArtName(Selection.Art) + " in " + SektorWort(CarrySector);
    return SchritteGemacht() > 0 ? "undo: " + SchrittName(SchritteGemacht() - 1) : std::string("undo");
}

std::string WiederholenText() {
    if (ToolMode == tmCarry) return "redo";
    return SchritteGemacht() < SchritteAnzahl() ? "redo: " + SchrittName(SchritteGemacht()) : std::string("redo");
}

int EditLogMarke() { return SchritteGemacht() - 1; }

std::string EditLogText() {
    std::string t;
    for (int i = 0; i < SchritteGemacht(); ++i) t += SchrittZeile(i) + "\n";
    return t;
}

std::string EditLogMarkdown() {
    std::string t = "**Edits**\n\n";
    for (int i = 0; i < SchritteGemacht(); ++i) t += std::to_string(i + 1) + ". " + Worte(i, false, true) + "\n";
    return t;
}

void NachSchrittwechsel() {
    SpielstandAktualisieren();
    CursorEinheit = EinheitAnPunkt(CursorPoint);
    Fenster->TitelZeigen(MapTitel);
    ViewMarkieren();  // stacks anywhere, and the holders' colours with them
    if (DisplayReady) RenderFrame();
}

void EditRueckgaengig() {
    if (ToolMode == tmCarry) {
        GetrageneZuruecklegen();
        NachSchrittwechsel();
    } else if (Rueckgaengig()) {
        NachSchrittwechsel();
    }
}

void EditWiederholen() {
    if (ToolMode != tmCarry && Wiederholen()) NachSchrittwechsel();
}

void EditBis(int zeile) {
    if (ToolMode == tmCarry || zeile < 0 || zeile >= SchritteAnzahl()) return;
    bool geaendert = false;
    if (zeile < SchritteGemacht())
        while (SchritteGemacht() > zeile && Rueckgaengig()) geaendert = true;
    else
        while (SchritteGemacht() <= zeile && Wiederholen()) geaendert = true;
    if (geaendert) NachSchrittwechsel();
}
