// render: a picture of the map view as the program composes it.
#include "UBefehle.h"
#include "UWerkzeug.h"

int BefehlRender(const QStringList& argumente) {
    TBefehlParser p("render MAP -o OUT.png [--zoom N] [--scroll X,Y] [--view WxH] [--icps] [--names]",
                    "Draws the map view of the position in MAP into a PNG picture.", true, true);
    if (!p.Lesen(argumente)) return StatusOk;
    throw EAufrufFehler("render is not available in this build");
}
