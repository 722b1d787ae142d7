#include "UWiederherstellung.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

#include "UDatei.h"
#include "UDateien.h"
#include "UFehler.h"
#include "UVariablen.h"

const char* const WiederherstellungMap = "Wiederherstellung.map";
const char* const WiederherstellungSek = "Wiederherstellung.sek";

namespace fs = std::filesystem;

namespace {

// What the file commands last read or wrote; a table that differs has unsaved changes.
TEinheit GesicherteEinheiten[MaxEinheiten + 1];
std::int32_t GesicherteAnzahl = 0;
bool MapIstGesichert = false;
TSektor GesicherteSektoren[SektorenAnzahl + 1];
bool SektorenSindGesichert = false;
// This run wrote the file and it still stands for the run's unsaved changes.
bool MapGeschrieben = false, SekGeschrieben = false;

bool IstWiederherstellung(const std::string& datei, const char* name) {
    std::error_code f;
    return fs::equivalent(fs::path(datei), fs::current_path(f) / name, f);
}

bool MapGeaendert() {
    if (!MapIstGesichert || EinheitenAnzahl != GesicherteAnzahl) return true;
    const std::size_t n = EinheitenAnzahl > 0 ? static_cast<std::size_t>(EinheitenAnzahl) : 0;
    return std::memcmp(&Einheiten[1], &GesicherteEinheiten[1], n * sizeof(TEinheit)) != 0;
}

bool SektorenGeaendert() {
    return !SektorenSindGesichert || std::memcmp(&Sektoren[1], &GesicherteSektoren[1], SektorDateiGroesse) != 0;
}

void Entfernen(const char* name, bool& geschrieben) {
    if (!geschrieben) return;
    std::error_code f;
    fs::remove(name, f);
    if (f) throw EDateiFehler(name, "could not be removed: " + f.message());
    geschrieben = false;
}

}  // namespace

std::string AlteWiederherstellungenSichern() {
    MapGeschrieben = SekGeschrieben = false;
    std::string namen;
    for (const char* name : {WiederherstellungMap, WiederherstellungSek}) {
        std::error_code f;
        if (!fs::is_regular_file(name, f)) continue;
        // The date the earlier run last wrote it, in local time.
        const auto geaendert = fs::last_write_time(name, f);
        const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(geaendert));
        char datum[32] = "";
        if (!f) std::strftime(datum, sizeof datum, "%Y%m%d-%H%M%S", std::localtime(&t));
        const fs::path alt(name);
        std::string neu;
        bool umbenannt = false;
        // Never over a file of the same second: the kernel refuses the rename when the name
        // is taken, and the next number is tried.
        for (long i = 0; i < 1000000 && !umbenannt; ++i) {
            neu = alt.stem().string() + "-" + datum + (i ? "-" + std::to_string(i) : std::string()) +
                  alt.extension().string();
            if (renameat2(AT_FDCWD, name, AT_FDCWD, neu.c_str(), RENAME_NOREPLACE) == 0) {
                umbenannt = true;
            } else if (errno == EINVAL || errno == ENOSYS) {
                // A file system without the flag: a hard link cannot replace either.
                if (link(name, neu.c_str()) != 0) {
                    if (errno == EEXIST) continue;
                    break;
                }
                if (unlink(name) != 0) {
                    unlink(neu.c_str());
                    break;
                }
                umbenannt = true;
            } else if (errno != EEXIST) {
                break;
            }
        }
        namen += (umbenannt ? neu : std::string(name)) + "\n";
    }
    return namen;
}

void MapGesichert(const std::string& datei) {
    MapIstGesichert = !IstWiederherstellung(datei, WiederherstellungMap);
    GesicherteAnzahl = EinheitenAnzahl;
    std::memcpy(GesicherteEinheiten, Einheiten, sizeof Einheiten);
}

void SektorenGesichert(const std::string& datei) {
    SektorenSindGesichert = !IstWiederherstellung(datei, WiederherstellungSek);
    std::memcpy(GesicherteSektoren, Sektoren, sizeof Sektoren);
}

void WiederherstellungSchreiben() {
    if (MapGeaendert()) {
        MapSpeichern(WiederherstellungMap);
        MapGeschrieben = true;
    } else {
        Entfernen(WiederherstellungMap, MapGeschrieben);
    }
    if (SektorenGeaendert()) {
        SektorenSpeichern(WiederherstellungSek);
        SekGeschrieben = true;
    } else {
        Entfernen(WiederherstellungSek, SekGeschrieben);
    }
}
