#pragma once
// Undo and redo. Every change of the piece list, the sector table, the map name or the
// caption's name is kept as a step: the records that changed, before and after, in a ring of
// fixed size that never allocates; when it is full the oldest steps go. A step is what lies
// between SchrittBeginnen and SchrittBeenden; brackets nest, and only the outermost one
// records, so a composite edit is one step. A change made outside any bracket is found at
// the next bracket, undo or redo and kept as a step of its own: the history always matches
// the board, whatever changed it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "UVariablen.h"

enum TSchrittArt : std::uint8_t {
    saAenderung,      // a change no bracket named
    saSetzen,         // a placing click
    saTragen,         // a carry from pick-up to drop
    saBombe,          // a click with the bomb
    saFlagge,         // a flag placed, with what it replaced
    saZufall,         // "random units"
    saSektorEdit,     // the sector edit dialog
    saHotSpot,        // an ICP hot spot set
    saMapLaden,       // "load map"
    saSektorenLaden,  // "load sektorinfo"
    saText,           // a composite edit that names itself in Text
};

// What a step did, for its words.
struct TSchrittAngaben {
    TSchrittArt Art = saAenderung;
    TEinheitArt Einheit = 0;
    TBesitzer Besitzer = 0;
    std::uint8_t Von = 0, Nach = 0;  // sectors: from and to, or the one sector in both
    std::int32_t Anzahl = 0;         // units placed (+), removed (-) or carried
    std::uint8_t Ersetzt = 0;        // bit p set: power p's flag was removed
    std::string Text;                // the file loaded, or the words of saText
};

// The name the caption shows after "QelMap for Windows // "; the window keeps it whenever
// it sets the caption, and undo and redo put it back with the rest.
extern std::string MapTitel;

void SchrittBeginnen();
// Ends a bracket. The words of the last bracket to name its step (Art not saAenderung) are
// kept; a step that changed nothing is not recorded.
void SchrittBeenden(const TSchrittAngaben& angaben);
// Ends the outermost open bracket with the board, the table and both names put back byte
// for byte as they were at its beginning; nothing is recorded.
void SchrittVerwerfen();
bool SchrittOffen();
// MapName or MapTitel changed by a command that is no step ("save map as...", the map list's
// buttons): the history takes them as they are now.
void NamenUebernehmen();
// The open step has changed nothing but the piece list.
bool NurEinheitenGeaendert();

// A bracket around a block that may end by an exception: the step ends with the block.
struct TSchrittKlammer {
    TSchrittAngaben Angaben;
    TSchrittKlammer() { SchrittBeginnen(); }
    ~TSchrittKlammer() { SchrittBeenden(Angaben); }
    TSchrittKlammer(const TSchrittKlammer&) = delete;
    TSchrittKlammer& operator=(const TSchrittKlammer&) = delete;
};

bool KannRueckgaengig();
bool KannWiederholen();
// Undo takes the last step done back, redo applies the first undone one again; both put
// piece list, count, table, MapName and MapTitel exactly as they were and return false
// when there is nothing to do or a step is open. They refresh nothing else.
bool Rueckgaengig();
bool Wiederholen();

// The steps kept, oldest first: 0..SchritteAnzahl()-1, of which the first SchritteGemacht()
// are done (undo takes SchritteGemacht()-1) and the rest can be redone. A new step drops them.
int SchritteAnzahl();
int SchritteGemacht();
TSchrittAngaben SchrittAngaben(int i);

// Forgets every step; the board as it is now is where the history starts.
void SchritteLeeren();
// Bytes the kept steps take, and the store's whole fixed storage.
std::size_t SchritteBelegt();
extern const std::size_t SchritteSpeicher;
