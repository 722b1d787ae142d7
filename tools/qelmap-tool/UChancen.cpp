// odds: the exact odds of a battle, given as two unit lists or taken from a sector of a position.
#include <QString>
#include <cstdio>
#include <string>

#include "UBefehle.h"
#include "UBerichte.h"
#include "UDateien.h"
#include "UOdds.h"
#include "USchlachtfeld.h"
#include "UWerkzeug.h"

namespace {

// "3 Inf 2 Arm", the units of the battle (and a defending AA gun) in kind order.
std::string Liste(const std::uint16_t* anzahl, bool see, bool flak) {
    std::string t;
    for (int k = 1; k <= ArtenAnzahl; ++k)
        if (anzahl[k] && (KaempftMit(k, see) || (flak && k == eaFlak)))
            t += (t.empty() ? "" : " ") + std::to_string(anzahl[k]) + " " + ArtKurzname(k);
    return t.empty() ? "no units" : t;
}

TBesitzer MachtLesen(const std::string& name) {
    QString n = QString::fromLatin1(name.c_str()).trimmed();
    for (int b = 1; b <= BesitzerAnzahl; ++b)
        if (n.compare(QString::fromLatin1(BesitzerName(b)), Qt::CaseInsensitive) == 0 || n == QString::number(b))
            return static_cast<TBesitzer>(b);
    if (n.compare("UK", Qt::CaseInsensitive) == 0) return bsEngland;
    if (n.compare("US", Qt::CaseInsensitive) == 0 || n.compare("USA", Qt::CaseInsensitive) == 0) return bsUSA;
    throw EAufrufFehler("--attacker: unknown power \"" + name +
                        "\" (Russia, Germany, United Kingdom, Japan, United States or 1 to 5)");
}

int ZahlOption(const TBefehlParser& p, const QCommandLineOption& o, int min, int max) {
    const std::string name = "--" + o.names().first().toStdString();
    bool ok = false;
    const QString text = p.Parser.value(o);
    const long long v = text.toLongLong(&ok);
    if (!ok || v < min || v > max)
        throw EAufrufFehler(name + ": \"" + ArgumentBytes(text) + "\" is not a number from " + std::to_string(min) +
                            " to " + std::to_string(max));
    return static_cast<int>(v);
}

}  // namespace

int BefehlOdds(const QStringList& argumente) {
    TBefehlParser p(
        "odds [--json] [options] --attacker UNITS --defender UNITS\n"
        "       qelmap-tool odds [--json] [options] [--data DIR] [--sectors FILE] MAP --sector N --attacker POWER",
        "Prints the exact odds of a battle: the chances that the attacker wins, takes the sector, that the "
        "defender wins, of a draw and of a retreat, the units of each kind expected to be left, the ICPs each "
        "side is expected to lose and the expected number of rounds.\n"
        "Unit lists are counts followed by short kind names (Inf Arm Ftr Bom Trn Sub AC BB AA), in any case, "
        "with or without a space, separated by spaces or commas: \"8 inf, 3arm 1 AA\". Given as lists, a battle "
        "is a sea battle when either side has a ship. Given a MAP, the units of POWER in sector N attack and "
        "every unit of the other side there defends; the sector table says land or sea.",
        true, true);
    QCommandLineOption json("json", "Print one JSON object instead of a table.");
    QCommandLineOption angreifer("attacker", "The attacking units, or with a MAP the attacking power.", "UNITS|POWER");
    QCommandLineOption verteidiger("defender", "The defending units.", "UNITS");
    QCommandLineOption sektor("sector", "With a MAP: the sector of the battle.", "N");
    QCommandLineOption bombard("bombard", "N battleships bombard before a land battle (an amphibious assault: "
                               "no retreat).", "N");
    QCommandLineOption jets("jets", "The defender's fighters defend at 5.");
    QCommandLineOption superSubs("super-subs", "The attacker's submarines attack at 3.");
    QCommandLineOption heavy("heavy-bombers", "Each attacking bomber rolls three dice.");
    QCommandLineOption nach("retreat-after", "The attacker withdraws when the battle is still on after round R.",
                            "R");
    QCommandLineOption bei("retreat-at", "The attacker withdraws when it has K or fewer units left.", "K");
    QCommandLineOption keep("keep-land", "The attacker loses its last N land units only after all its others.",
                            "N");
    QCommandLineOption orderA("order-attacker", "The attacker's order of loss, e.g. \"Inf,Arm,Ftr\"; kinds left "
                              "out follow in the default order (Inf Arm Trn Sub Ftr Bom AC BB).", "KINDS");
    QCommandLineOption orderD("order-defender", "The defender's order of loss.", "KINDS");
    QCommandLineOption see("sea", "With unit lists: a sea battle.");
    QCommandLineOption land("land", "With unit lists: a land battle.");
    p.Parser.addOptions({json, angreifer, verteidiger, sektor, bombard, jets, superSubs, heavy, nach, bei, keep, orderA,
                         orderD, see, land});
    p.Argument("MAP", "The map file (.map) of the position, for a battle in one of its sectors.");
    if (!p.Lesen(argumente)) return StatusOk;
    const QStringList pos = p.Positionen(0, 1);
    if (!p.Parser.isSet(angreifer)) throw EAufrufFehler("--attacker is missing; see --help");

    TSchlacht s;
    std::string fehler;
    std::string titel;
    if (pos.isEmpty()) {
        if (!p.Parser.isSet(verteidiger)) throw EAufrufFehler("--defender is missing; see --help");
        if (p.Parser.isSet(sektor)) throw EAufrufFehler("--sector needs a MAP");
        if (p.Parser.isSet(see) && p.Parser.isSet(land)) throw EAufrufFehler("--sea and --land exclude each other");
        SchlachtLeeren(s);
        if (!EinheitenLesen(ArgumentBytes(p.Parser.value(angreifer)), s.Angreifer, fehler))
            throw EAufrufFehler("--attacker: " + fehler);
        if (!EinheitenLesen(ArgumentBytes(p.Parser.value(verteidiger)), s.Verteidiger, fehler))
            throw EAufrufFehler("--defender: " + fehler);
        s.See = p.Parser.isSet(see) || (!p.Parser.isSet(land) && (HatSchiffe(s.Angreifer) || HatSchiffe(s.Verteidiger)));
        titel = std::string(s.See ? "Sea" : "Land") + " battle: " + Liste(s.Angreifer, s.See, false) + " against " +
                Liste(s.Verteidiger, s.See, !s.See);
    } else {
        if (p.Parser.isSet(verteidiger)) throw EAufrufFehler("--defender is taken from the MAP; leave it out");
        if (p.Parser.isSet(see) || p.Parser.isSet(land))
            throw EAufrufFehler("--sea and --land are for unit lists; the sector table says land or sea");
        if (!p.Parser.isSet(sektor)) throw EAufrufFehler("--sector is missing; see --help");
        const int n = ZahlOption(p, sektor, 1, SetzSektoren);
        const TBesitzer macht = MachtLesen(ArgumentBytes(p.Parser.value(angreifer)));
        SektorenLaden(SektorDateiPfad(p));
        MapLaden(ArgumentBytes(pos.at(0)));
        SchlachtAusSektor(static_cast<std::uint8_t>(n), macht, s);
        titel = "Sector " + std::to_string(n) + " " + Latin1ZuUtf8(SektorName(Sektoren[n])) + " (" +
                (s.See ? "sea" : "land") + "): " + BesitzerName(macht) + " attacks with " +
                Liste(s.Angreifer, s.See, false) + "; " + Liste(s.Verteidiger, s.See, !s.See) + " defend";
    }
    if (p.Parser.isSet(bombard)) s.Bombard = static_cast<std::uint16_t>(ZahlOption(p, bombard, 0, SchlachtMaxAnzahl));
    s.Jets = p.Parser.isSet(jets);
    s.SuperSubs = p.Parser.isSet(superSubs);
    s.HeavyBombers = p.Parser.isSet(heavy);
    if (p.Parser.isSet(nach)) s.RetreatAfter = static_cast<std::uint16_t>(ZahlOption(p, nach, 1, 65535));
    if (p.Parser.isSet(bei)) s.RetreatAt = ZahlOption(p, bei, 0, 65535);
    if (p.Parser.isSet(keep)) s.KeepLand = static_cast<std::uint16_t>(ZahlOption(p, keep, 0, 65535));
    if (p.Parser.isSet(orderA) && !OrderLesen(ArgumentBytes(p.Parser.value(orderA)), s.OrderAngreifer, fehler))
        throw EAufrufFehler("--order-attacker: " + fehler);
    if (p.Parser.isSet(orderD) && !OrderLesen(ArgumentBytes(p.Parser.value(orderD)), s.OrderVerteidiger, fehler))
        throw EAufrufFehler("--order-defender: " + fehler);

    TOdds o;
    if (!OddsBerechnen(s, o, fehler)) throw EAufrufFehler(fehler);

    if (p.Parser.isSet(json)) {
        Json links[2] = {Json::object(), Json::object()};
        for (int k = 1; k <= ArtenAnzahl; ++k) {
            if (!KaempftMit(k, s.See)) continue;
            if (s.Angreifer[k]) links[0][ArtKurzname(k)] = o.AngreiferUebrig[k];
            if (s.Verteidiger[k]) links[1][ArtKurzname(k)] = o.VerteidigerUebrig[k];
        }
        Json j{{"attacker_wins", o.AngreiferGewinnt},
               {"defender_wins", o.VerteidigerGewinnt},
               {"draw", o.Unentschieden},
               {"retreat", o.Rueckzug},
               {"taken", o.Eingenommen},
               {"attacker_left", links[0]},
               {"defender_left", links[1]},
               {"attacker_lost_icps", o.AngreiferVerlust},
               {"defender_lost_icps", o.VerteidigerVerlust},
               {"expected_rounds", o.Runden},
               {"sea", s.See}};
        Ausgeben(j.dump(2) + "\n");
        return StatusOk;
    }

    std::string t = titel + "\n\n";
    auto zeile = [&](const std::string& name, const std::string& a, const std::string& d) {
        std::string z = name + std::string(name.size() < 18 ? 18 - name.size() : 1, ' ') + Rechts(a, 10) + Rechts(d, 11);
        t += z.substr(0, z.find_last_not_of(' ') + 1) + "\n";
    };
    zeile("", "Attacker", "Defender");
    zeile("wins", OddsProzent(o.AngreiferGewinnt), OddsProzent(o.VerteidigerGewinnt));
    if (!s.See) zeile("takes the sector", OddsProzent(o.Eingenommen), "");
    zeile("draw", OddsProzent(o.Unentschieden), "");
    zeile("retreats", OddsProzent(o.Rueckzug), "");
    t += "\n";
    zeile("expected left", "", "");
    for (int k = 1; k <= ArtenAnzahl; ++k)
        if (KaempftMit(k, s.See) && (s.Angreifer[k] || s.Verteidiger[k]))
            zeile(std::string("  ") + ArtKurzname(k), s.Angreifer[k] ? OddsZahl(o.AngreiferUebrig[k], "%.2f") : "",
                  s.Verteidiger[k] ? OddsZahl(o.VerteidigerUebrig[k], "%.2f") : "");
    zeile("ICPs lost", OddsZahl(o.AngreiferVerlust, "%.1f"), OddsZahl(o.VerteidigerVerlust, "%.1f"));
    t += "\nexpected rounds: " + OddsZahl(o.Runden, "%.2f") + "\n";
    Ausgeben(t);
    return StatusOk;
}
