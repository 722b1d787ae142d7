// html: the position as one web page. Everything the page shows is made by the code of the
// other commands: the map by render's, the tallies by tally's, the changes by diff's, the
// position by convert's; the page's own script only shows them.
#include "UWebSeite.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "UBefehle.h"
#include "UBerichte.h"
#include "UBitmaps.h"
#include "UDDrawInit.h"
#include "UDatei.h"
#include "UDateien.h"
#include "UFehler.h"
#include "URendern.h"
#include "USpielstand.h"
#include "UVariablen.h"
#include "UVergleich.h"
#include "UWebSkript.h"
#include "UWerkzeug.h"

namespace {

// The start tag of the embedded position, by which convert finds it again.
constexpr std::string_view PositionAnfang = "<script type=\"application/json\" id=\"qelmap-position\">";
constexpr std::string_view SkriptEnde = "</script>";

// What drawing the page borrows from the program: the viewport, the back surface, the piece
// list and the tallies, given back as they were however the page ends.
TEinheit GelieheneEinheiten[MaxEinheiten + 1];
TSpielstand GeliehenerStand;

struct TLeihe {
    TSurface* Back = SurfaceBack;
    std::int32_t Werte[9] = {ViewBreite, ViewHoehe, MaxViewBreite, MaxViewHoehe, Zoom, PiecesZoom, ScrollX, ScrollY,
                             EinheitenAnzahl};
    TLeihe() {
        std::memcpy(GelieheneEinheiten, Einheiten, sizeof Einheiten);
        GeliehenerStand = Spielstand;
    }
    ~TLeihe() {
        SurfaceBack = Back;
        std::int32_t* ziele[9] = {&ViewBreite, &ViewHoehe, &MaxViewBreite, &MaxViewHoehe, &Zoom, &PiecesZoom, &ScrollX,
                                  &ScrollY, &EinheitenAnzahl};
        for (int i = 0; i < 9; ++i) *ziele[i] = Werte[i];
        std::memcpy(Einheiten, GelieheneEinheiten, sizeof Einheiten);
        std::swap(Spielstand, GeliehenerStand);  // swapping strings cannot fail
    }
};

std::string Html(std::string_view s) {
    std::string t;
    t.reserve(s.size());
    for (char c : s) switch (c) {
            case '&': t += "&amp;"; break;
            case '<': t += "&lt;"; break;
            case '>': t += "&gt;"; break;
            case '"': t += "&quot;"; break;
            default: t += c;
        }
    return t;
}

// File names are bytes; the page is UTF-8, so bytes that are no UTF-8 become U+FFFD.
std::string Utf8(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())).toUtf8().toStdString();
}

// JSON inside a script element: a "<" could end the element ("</script>"), so it is escaped.
std::string JsonImSkript(const std::string& json) {
    std::string t;
    t.reserve(json.size());
    for (char c : json)
        if (c == '<') t += "\\u003c";
        else t += c;
    return t;
}

std::string Base64(const char* d, std::size_t n) {
    return QByteArray::fromRawData(d, static_cast<qsizetype>(n)).toBase64().toStdString();
}

// The whole map at zoom 1 as render draws it, composed in a surface of its own so that the
// program's view stays as it is.
TBild KartenBild(bool icps, bool markiert) {
    TSurface ganz;
    const TErgebnis e = SurfaceErzeugen(ganz, MapBreite + 2 * BackRand, MapHoehe + 2 * BackRand, AnzeigeBits);
    if (e != erOK) throw std::runtime_error(std::string("the map picture of the web page: ") + ErgebnisText(e));
    SurfaceBack = &ganz;
    ViewBreite = MaxViewBreite = MapBreite;
    ViewHoehe = MaxViewHoehe = MapHoehe;
    Zoom = PiecesZoom = 1;
    ScrollX = ScrollY = 0;
    AnsichtZeichnen(icps, false, markiert);
    TBild bild;
    bild.Breite = MapBreite;
    bild.Hoehe = MapHoehe;
    bild.BitsProPixel = 32;
    bild.Rgb.resize(static_cast<std::size_t>(MapBreite) * MapHoehe);
    for (std::int32_t y = 0; y < MapHoehe; ++y)
        for (std::int32_t x = 0; x < MapBreite; ++x)
            bild.Rgb[static_cast<std::size_t>(y) * MapBreite + x] = PixelLesen(ganz, x + BackRand, y + BackRand);
    return bild;
}

// The sector picture in runs of one value: the value, then the run's length less one.
std::string SektorBildRuns() {
    const std::size_t n = static_cast<std::size_t>(SektorBild.Breite) * SektorBild.Hoehe;
    std::string runs;
    for (std::size_t i = 0; i < n;) {
        const std::uint32_t wert = SektorBild.Rgb[i] & 0xFF0000;
        std::size_t k = 1;
        while (k < 256 && i + k < n && (SektorBild.Rgb[i + k] & 0xFF0000) == wert) ++k;
        runs += static_cast<char>(wert >> 16);
        runs += static_cast<char>(k - 1);
        i += k;
    }
    return Base64(runs.data(), runs.size());
}

Json Besitzer(unsigned b) { return b <= bsUSA ? Json(BesitzerName(b)) : Json(b); }

// What pointing at a sector shows besides its stacks; a sector beyond 127 has no holder.
std::string SektorenJson() {
    Json liste = Json::array();
    for (int s = 1; s <= SektorenAnzahl; ++s) {
        const TSektor& r = Sektoren[s];
        liste.push_back({{"name", Latin1ZuUtf8(SektorName(r))},
                         {"icps", r.ICPs},
                         {"land", r.Land != 0},
                         {"start", Besitzer(r.StartBesitzer)},
                         {"holder", s <= SetzSektoren ? Besitzer(Spielstand.Halter[s]) : Json(nullptr)}});
    }
    return JsonImSkript(liste.dump());
}

// tally's table, with the units behind each figure as the figure's hint.
std::string Tafel() {
    std::string t = "<table id=\"tallies\">\n<thead><tr><th></th><th>Income</th><th>Land Units</th><th>Sea Units</th>"
                    "<th>All Units</th></tr></thead>\n<tbody>\n";
    const std::vector<TZeile> zeilen = Zeilen();
    for (std::size_t i = 0; i < zeilen.size(); ++i) {
        const TZeile& z = zeilen[i];
        if (i == ZeileAllies + 1) t += "</tbody>\n<tbody>\n";
        t += std::string(i == ZeileAllies || i == ZeileAxis ? "<tr class=\"side\">" : "<tr>") + "<th>" + z.Name + "</th><td>" +
             std::to_string(z.Income) + "</td>";
        const std::uint32_t werte[3] = {z.Land, z.Sea, z.All};
        for (int k = 0; k < 3; ++k) {
            const std::string& hinweis = Spielstand.UnitHints[z.Hinweis + k];
            t += (hinweis.empty() ? std::string("<td>") : "<td title=\"" + Html(hinweis) + "\">") +
                 std::to_string(werte[k]) + "</td>";
        }
        t += "</tr>\n";
    }
    const int an = AxisAlertLevel(Spielstand.AxisIncome, true), aus = AxisAlertLevel(Spielstand.AxisIncome, false);
    t += "</tbody>\n</table>\n<p id=\"alert\" class=\"level-" + std::to_string(an) + (an != aus ? " blink" : "") +
         "\">Axis alert level: <span id=\"alert-level\">" + AlarmText(Spielstand.AxisIncome) + "</span></p>\n";
    return t;
}

// The file's name without its folders: the page is meant for mailing and tells nothing of the
// sender's folders.
std::string DateiName(const std::string& pfad) {
    const std::string n = std::filesystem::path(pfad).filename().string();
    return n.empty() ? "position" : n;
}

// A word a POSIX shell takes as it stands: bare where it can, else in single quotes, with a
// quote in it as '\''.
std::string ShellWort(const std::string& w) {
    const bool bar = !w.empty() && std::all_of(w.begin(), w.end(), [](unsigned char c) {
        return std::isalnum(c) || std::string_view("_-.,:/+=@%").find(static_cast<char>(c)) != std::string_view::npos;
    });
    if (bar) return w;
    std::string t = "'";
    for (char c : w) t += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return t + "'";
}

}  // namespace

std::string WebSeite(const TSeitenAuftrag& a) {
    static TMapDaten jetzt, vorher;
    MapParsen(a.Map.data(), a.Map.size(), a.Name, jetzt);
    if (a.MitVorher) MapParsen(a.VorherMap.data(), a.VorherMap.size(), a.VorherName, vorher);
    const std::string position = JsonImSkript(BinaerZuJson(a.Map, a.Name, true));

    TLeihe leihe;
    bool markiert = false;
    std::string woerter;
    if (a.MitVorher) {
        // The rings need the sector picture; without it the words still tell the changes.
        markiert = MarkierungenBerechnen(vorher, jetzt) && SektorBildGeladen && SektorBild.Breite > 0;
        DiffBericht(vorher, jetzt, DateiName(a.VorherName), DateiName(a.Name), daMarkdown, woerter);
    }
    MapUebernehmen(jetzt);
    SpielstandBerechnen();
    const QByteArray png = PngKodieren(KartenBild(a.Icps, markiert), a.Name);

    const std::string name = Html(Utf8(DateiName(a.Name)));
    const std::string json = Utf8(std::filesystem::path(DateiName(a.Name)).stem().string() + ".json");
    const std::string gespeichert = Html(json);
    std::string s;
    s.reserve(static_cast<std::size_t>(png.size()) * 4 / 3 + position.size() + (1 << 16));
    s += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
         // The page asks for nothing beyond itself, and the browser holds it to that.
         "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; img-src data:; "
         "style-src 'unsafe-inline'; script-src 'unsafe-inline'\">\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
         "<meta name=\"generator\" content=\"qelmap-tool html\">\n<title>QelMap: " +
         name + "</title>\n<script>" + SeitenWache + "</script>\n<style>" + SeitenStil + "</style>\n</head>\n<body>\n";
    s += "<header>\n<h1>" + name + "</h1>\n";
    if (a.MitVorher) s += "<p>with the changes since " + Html(Utf8(DateiName(a.VorherName))) + "</p>\n";
    s += "</header>\n<main>\n<div id=\"map-area\">\n<div id=\"view\" tabindex=\"0\" aria-label=\"the map\">"
         "<img id=\"map\" width=\"" + std::to_string(MapBreite) + "\" height=\"" + std::to_string(MapHoehe) +
         "\" alt=\"the map with the stacks of the position\" src=\"data:image/png;base64,";
    s += png.toBase64().toStdString();
    s += "\"></div>\n<div id=\"controls\"><button id=\"zoom-out\" title=\"zoom out (-)\">&minus;</button>"
         "<span>zoom <span id=\"zoom-level\">1</span></span><button id=\"zoom-in\" title=\"zoom in (+)\">+</button>"
         "<span>The wheel zooms, dragging moves the map.</span>";
    if (markiert)
        s += "<span><span class=\"ring\" style=\"border-color:#f0f\"></span> changed hands "
             "<span class=\"ring\" style=\"border-color:#0ff\"></span> units changed</span>";
    s += "</div>\n</div>\n<aside>\n"
         "<section id=\"sector\" aria-live=\"polite\"><p class=\"none\">Point at the map to see a sector.</p></section>\n"
         "<section>\n<h2>Tallies</h2>\n" +
         Tafel() + "</section>\n<p><a id=\"save\" href=\"#\" download=\"" + gespeichert + "\">Save the position</a> as " +
         gespeichert + "; <code>qelmap-tool convert " + Html(ShellWort(json)) +
         " NAME.map</code> makes a map file of it.</p>\n</aside>\n</main>\n";
    if (a.MitVorher)
        s += "<section id=\"changes\">\n<h2>Changes</h2>\n<div id=\"changes-words\"></div>\n<details open>"
             "<summary>as a forum post (Markdown)</summary>\n<pre id=\"changes-markdown\">" +
             Html(Utf8(woerter)) + "</pre>\n</details>\n</section>\n";
    s += std::string(PositionAnfang) + position + std::string(SkriptEnde) + "\n";
    s += "<script type=\"application/json\" id=\"qelmap-sectors\">" + SektorenJson() + "</script>\n";
    s += "<script type=\"text/plain\" id=\"qelmap-sector-picture\" data-width=\"" + std::to_string(SektorBild.Breite) +
         "\" data-height=\"" + std::to_string(SektorBild.Hoehe) + "\">" + SektorBildRuns() + "</script>\n";
    s += "<script>" + std::string(SeitenSkript) + "</script>\n</body>\n</html>\n";
    return s;
}

std::string SeitenPosition(const TBytes& seite, const std::string& datei) {
    const std::string_view text(reinterpret_cast<const char*>(seite.data()), seite.size());
    const std::size_t anfang = text.find(PositionAnfang);
    if (anfang == std::string_view::npos)
        throw EDateiFehler(datei, "holds no position: it is no page written by qelmap-tool html");
    const std::size_t von = anfang + PositionAnfang.size();
    const std::size_t bis = text.find(SkriptEnde, von);
    if (bis == std::string_view::npos) throw EDateiFehler(datei, "is cut short inside the position it holds");
    return std::string(text.substr(von, bis - von));
}

int BefehlHtml(const QStringList& argumente) {
    TBefehlParser p("html MAP -o OUT.html [--changes OLD.map] [--icps] [--data DIR] [--sectors FILE]",
                    "Writes the position in MAP as one web page that a current browser opens from the disk and that "
                    "asks for nothing more: the map with every stack and its count as render draws it, zoomed with "
                    "the wheel or the buttons and moved by dragging; pointing at a sector shows its number, name, "
                    "ICPs, start owner, holder and stacks; the tallies as tally prints them. The page holds the "
                    "position itself: a link on it saves the JSON of convert, and \"qelmap-tool convert OUT.html "
                    "NEW.map\" gives back the map file byte for byte.",
                    true, true);
    QCommandLineOption aus({"o", "output"}, "Write the page to FILE.", "FILE");
    QCommandLineOption aenderungen("changes",
                                   "Show what changed since the position in OLD.map: marked on the map as render "
                                   "--changes marks it, and in words as diff --markdown words it.",
                                   "OLD.map");
    QCommandLineOption icps("icps", "Show the ICP figures of the sectors on the map.");
    p.Parser.addOptions({aus, aenderungen, icps});
    p.Argument("MAP", "The map file (.map) of the position.");
    if (!p.Lesen(argumente)) return StatusOk;
    TSeitenAuftrag a;
    a.Name = ArgumentBytes(p.Positionen(1, 1).at(0));
    if (!p.Parser.isSet(aus)) throw EAufrufFehler("-o OUT.html is missing");
    const std::string ziel = ArgumentBytes(p.Parser.value(aus));
    a.Icps = p.Parser.isSet(icps);
    a.Map = DateiLesen(a.Name, MapDateiGrenze, "a map file");
    if ((a.MitVorher = p.Parser.isSet(aenderungen))) {
        a.VorherName = ArgumentBytes(p.Parser.value(aenderungen));
        a.VorherMap = DateiLesen(a.VorherName, MapDateiGrenze, "a map file");
    }
    SektorenLaden(SektorDateiPfad(p));
    AnzeigeEinrichten(p, 1, 1);  // the page composes the whole map in a surface of its own
    SektorBildLaden();
    const std::string seite = WebSeite(a);
    DateiSchreiben(ziel, seite.data(), seite.size());
    return StatusOk;
}
