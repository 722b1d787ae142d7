#pragma once
// The map picture as the position stands: every land sector that a power other than its start
// owner holds is drawn in that power's colour, the colour the map gives the power's own
// sectors. Borders, names, lakes and everything else not of the land's colour are kept.
//
// The tinted picture is a surface of its own, rebuilt only when a holding, the option
// HalterAnzeigen, the sector table's start owners or the pictures change; frames copy from it
// as they would from SurfaceMap.
#include <cstdint>

#include "USurface.h"

// The map picture for the frames: SurfaceMap, or the tinted one when some sector is shown in
// its holder's colour. Brings the tinted picture up to date first (HalterKarteAktualisieren).
const TSurface* KarteFuerFrame();

// Rebuilds the tinted picture when what it shows changed. True when the map picture of the
// frames changed since the last call: the whole view is then to be drawn anew.
bool HalterKarteAktualisieren();

// Counts the changes of the frames' map picture, for a frame that wants to know whether its
// map part is still the one it drew last.
extern std::uint32_t HalterKarteStand;

// The map picture or the sector picture was loaded anew: the colours of the powers are
// learnt again and the tinted picture rebuilt on next use.
void HalterKarteVerwerfen();

// The colour (0x00RRGGBB) the map gives the land of owner 0..5: the commonest colour of the
// land sectors 1..127 that the owner starts with. False when the owner starts with none.
bool BesitzerFarbe(int besitzer, std::uint32_t& rgb);

// The colour a pixel of owner von's land takes in owner nach's: the land colour and its
// shades, darker or lighter, follow the owner's colour; other colours (lakes, coasts, sea ice
// of other hue) are kept.
std::uint32_t HalterFarbe(std::uint32_t rgb, std::uint32_t von, std::uint32_t nach);
