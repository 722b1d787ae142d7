#include "USchlacht.h"

#include <cctype>
#include <cstring>

const TEinheitArt StandardOrder[OrderLaenge] = {eaInfanterie, eaPanzer, eaTransporter, eaUBoot,
                                                eaJaeger, eaBomber, eaTraeger, eaSchlachtschiff};

void SchlachtLeeren(TSchlacht& s) {
    std::memset(&s, 0, sizeof s);
    s.RetreatAt = -1;
    std::memcpy(s.OrderAngreifer, StandardOrder, sizeof StandardOrder);
    std::memcpy(s.OrderVerteidiger, StandardOrder, sizeof StandardOrder);
}

int Angriffswert(unsigned art, const TSchlacht& s) {
    switch (art) {
        case eaInfanterie: return 1;
        case eaPanzer: return 3;
        case eaJaeger: return 3;
        case eaBomber: return 4;
        case eaUBoot: return s.SuperSubs ? 3 : 2;
        case eaTraeger: return 1;
        case eaSchlachtschiff: return 4;
        default: return 0;
    }
}

int Verteidigungswert(unsigned art, const TSchlacht& s) {
    switch (art) {
        case eaInfanterie: return 2;
        case eaPanzer: return 2;
        case eaJaeger: return s.Jets ? 5 : 4;
        case eaBomber: return 1;
        case eaTransporter: return 1;
        case eaUBoot: return 2;
        case eaTraeger: return 3;
        case eaSchlachtschiff: return 4;
        default: return 0;
    }
}

namespace {

// The kind with this short name (any case), 0 for none.
TEinheitArt ArtZuName(const std::string& name) {
    for (unsigned k = 1; k <= ArtenAnzahl; ++k) {
        const char* kurz = ArtKurzname(k);
        if (name.size() != std::strlen(kurz)) continue;
        bool gleich = true;
        for (std::size_t i = 0; i < name.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(name[i])) != std::tolower(static_cast<unsigned char>(kurz[i])))
                gleich = false;
        if (gleich) return static_cast<TEinheitArt>(k);
    }
    return 0;
}

bool Trenner(char c) { return c == ',' || std::isspace(static_cast<unsigned char>(c)); }

}  // namespace

bool EinheitenLesen(const std::string& text, std::uint16_t anzahl[ArtenAnzahl + 1], std::string& fehler) {
    for (int k = 0; k <= ArtenAnzahl; ++k) anzahl[k] = 0;
    std::size_t i = 0;
    while (true) {
        while (i < text.size() && Trenner(text[i])) ++i;
        if (i == text.size()) return true;
        std::size_t anfang = i;
        unsigned long zahl = 0;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            if (zahl < 100000) zahl = zahl * 10 + static_cast<unsigned>(text[i] - '0');
            ++i;
        }
        if (i == anfang) {
            std::size_t ende = anfang;
            while (ende < text.size() && !Trenner(text[ende])) ++ende;
            fehler = "\"" + text.substr(anfang, ende - anfang) + "\": a count must come before the kind";
            return false;
        }
        while (i < text.size() && text[i] == ' ') ++i;
        std::size_t nameAnfang = i;
        while (i < text.size() && std::isalpha(static_cast<unsigned char>(text[i]))) ++i;
        std::string name = text.substr(nameAnfang, i - nameAnfang);
        if (name.empty()) {
            fehler = "\"" + text.substr(anfang, i - anfang) + "\": a kind must follow the count";
            return false;
        }
        TEinheitArt art = ArtZuName(name);
        if (!art) {
            fehler = "unknown kind \"" + name + "\"";
            return false;
        }
        if (i < text.size() && !Trenner(text[i])) {
            std::size_t ende = i;
            while (ende < text.size() && !Trenner(text[ende])) ++ende;
            fehler = "\"" + text.substr(anfang, ende - anfang) + "\" is no count and kind";
            return false;
        }
        zahl += anzahl[art];
        if (zahl > SchlachtMaxAnzahl) {
            fehler = "more than " + std::to_string(SchlachtMaxAnzahl) + " " + ArtKurzname(art);
            return false;
        }
        anzahl[art] = static_cast<std::uint16_t>(zahl);
    }
}

bool OrderLesen(const std::string& text, TEinheitArt order[OrderLaenge], std::string& fehler) {
    int n = 0;
    bool dabei[ArtenAnzahl + 1] = {};
    std::size_t i = 0;
    while (true) {
        while (i < text.size() && Trenner(text[i])) ++i;
        if (i == text.size()) break;
        std::size_t anfang = i;
        while (i < text.size() && !Trenner(text[i])) ++i;
        std::string name = text.substr(anfang, i - anfang);
        TEinheitArt art = ArtZuName(name);
        if (!art) {
            fehler = "unknown kind \"" + name + "\" in the order of loss";
            return false;
        }
        if (art == eaFlagge || art == eaIndustrie || art == eaFlak || dabei[art]) continue;
        dabei[art] = true;
        order[n++] = art;
    }
    for (TEinheitArt art : StandardOrder)
        if (!dabei[art]) order[n++] = art;
    return true;
}

bool HatSchiffe(const std::uint16_t anzahl[ArtenAnzahl + 1]) {
    for (unsigned k = eaTransporter; k <= eaSchlachtschiff; ++k)
        if (anzahl[k]) return true;
    return false;
}
