#pragma once
// The position as one web page: the map with its stacks, what lies under the pointer, the
// tallies, the changes since an earlier position and the position itself, in one HTML file
// that asks for nothing more when it is opened.
#include <string>

#include "UKonvertieren.h"

struct TSeitenAuftrag {
    std::string Name;         // the position's file; its name heads the page and names the saved position
    TBytes Map;               // the position as a map file holds it
    bool MitVorher = false;   // show the changes since an earlier position
    std::string VorherName;
    TBytes VorherMap;
    bool Icps = false;        // the ICP figures on the map
};

// The page of a position, counted with the sector table. Needs the sector picture (SektorBild)
// and the display with the map and pieces pictures loaded; the viewport, the surfaces, the
// piece list and the tallies are as they were afterwards. A map the program would refuse
// raises EDateiFehler naming it.
std::string WebSeite(const TSeitenAuftrag& auftrag);

// The JSON of the position in a page that WebSeite wrote; EDateiFehler naming datei when the
// bytes hold none.
std::string SeitenPosition(const TBytes& seite, const std::string& datei);
// How large a page the tool reads back.
constexpr std::size_t SeitenDateiGrenze = std::size_t{64} << 20;
