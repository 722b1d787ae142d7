#include "UKeinePieces.h"

#include <string_view>

#include "UGrafik.h"
#include "UVariablen.h"

bool KeinePiecesAmCursor() {
    if ((ToolMode != tmPlace && ToolMode != tmCarry) || Selection.Art == 0 || !SektorBildGeladen) return false;
    return AktuellerSektor < 1 || AktuellerSektor > SetzSektoren;
}

void BlitKeinePieces() {
    if (!KeinePiecesAmCursor()) return;
    constexpr std::string_view Text = "NO PIECES HERE";
    const std::int32_t breite = FontBreite * static_cast<std::int32_t>(Text.size());
    // Above the pointer, where neither the carried piece nor the texts below it are; to the
    // left of it near the view's right edge.
    const std::int32_t x = CursorPoint.X + breite < ViewBreite ? CursorPoint.X : CursorPoint.X - breite;
    BlitText(x, CursorPoint.Y - 12 - FontHoehe, Text);
}
