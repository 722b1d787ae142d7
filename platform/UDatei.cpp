#include "UDatei.h"
#include "UFehler.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Grund(int fehler) { return std::strerror(fehler); }

// A file size limit (ulimit -f) would end the process with SIGXFSZ in the middle of a save,
// leaving the temporary file and losing what was not saved; ignored, the write fails with
// EFBIG and the save is refused like any other.
void GroessenSignalAbschalten() {
    static const bool abgeschaltet = [] {
        std::signal(SIGXFSZ, SIG_IGN);
        return true;
    }();
    (void)abgeschaltet;
}

// Follows links to the file that is meant, which need not exist yet. Relative links count
// from the folder of the link.
std::string LinkZiel(const std::string& pfad) {
    std::string ziel = pfad;
    for (int schritte = 0; schritte < 40; ++schritte) {
        struct stat st{};
        if (::lstat(ziel.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return ziel;
        std::vector<char> puffer(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t n = ::readlink(ziel.c_str(), puffer.data(), puffer.size());
        if (n < 0 || static_cast<std::size_t>(n) >= puffer.size())
            throw EDateiFehler(pfad, "is a link that cannot be read (" + Grund(n < 0 ? errno : ENAMETOOLONG) + ")");
        std::string weiter(puffer.data(), static_cast<std::size_t>(n));
        const std::size_t schraeg = ziel.find_last_of('/');
        if (weiter.empty() || weiter[0] != '/')
            weiter = (schraeg == std::string::npos ? std::string() : ziel.substr(0, schraeg + 1)) + weiter;
        ziel = weiter;
    }
    throw EDateiFehler(pfad, "is a link that leads round in a loop of links; nothing is written");
}

std::string OrdnerVon(const std::string& ziel) {
    const std::size_t schraeg = ziel.find_last_of('/');
    if (schraeg == std::string::npos) return ".";
    if (schraeg == 0) return "/";
    return ziel.substr(0, schraeg);
}

constexpr std::size_t ZufallsZeichen = 6;

// Creates the temporary file with the mode it is to have (the umask applies, as to any new file).
int TempAnlegen(const std::string& ordner, const std::string& praefix, mode_t modus, std::string& name) {
    static const char zeichen[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::mt19937 zufall(std::random_device{}());
    for (int versuch = 0; versuch < 100; ++versuch) {
        std::string rest;
        for (std::size_t i = 0; i < ZufallsZeichen; ++i) rest += zeichen[zufall() % (sizeof zeichen - 1)];
        name = ordner + "/" + praefix + rest;
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, modus);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

// A save in progress holds a lock on its temporary file; one that nobody holds was left by a
// save that did not finish. (A save that has created its file but not yet locked it may lose
// it here; its rename then fails and it reports the error, the target untouched.)
void VerwaisteTempsEntfernen(const std::string& ordner, const std::string& praefix) {
    DIR* d = ::opendir(ordner.c_str());
    if (!d) return;
    while (const dirent* e = ::readdir(d)) {
        const std::string name = e->d_name;
        if (name.size() != praefix.size() + ZufallsZeichen || name.compare(0, praefix.size(), praefix) != 0) continue;
        const std::string pfad = ordner + "/" + name;
        const int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
        if (fd < 0) continue;
        struct stat st{};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) ::unlink(pfad.c_str());
        ::close(fd);
    }
    ::closedir(d);
}

// Why no file can be created in the folder, in words that name it.
std::string OrdnerGrund(const std::string& ordner, int fehler) {
    const std::string o = "the folder \"" + ordner + "\"";
    switch (fehler) {
        case EACCES:
        case EPERM: return "cannot be saved: " + o + " may not be written by this user (" + Grund(fehler) + ")";
        case EROFS: return "cannot be saved: " + o + " is on a read-only file system";
        case ENOENT: return "cannot be saved: " + o + " does not exist";
        default: return "cannot write the file (" + Grund(fehler) + ")";
    }
}

}  // namespace

std::vector<std::uint8_t> DateiLesen(const std::string& pfad, std::size_t grenze, const char* art) {
    // Without O_NONBLOCK, opening a pipe would wait for a writer for ever; files ignore it.
    int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) throw EDateiFehler(pfad, "cannot open the file (" + Grund(errno) + ")");
    struct stat st{};
    if (::fstat(fd, &st) != 0) {
        int e = errno;
        ::close(fd);
        throw EDateiFehler(pfad, "cannot read the file (" + Grund(e) + ")");
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        throw EDateiFehler(pfad, S_ISDIR(st.st_mode) ? std::string("is a folder, not a file")
                                                     : "is no regular file (a device, pipe or socket)");
    }
    auto zuGross = [&](std::uint64_t bytes) {
        ::close(fd);
        return EDateiFehler(pfad, "is too large for " + std::string(art) + ": it has " + std::to_string(bytes) +
                                      " bytes, at most " + std::to_string(grenze) + " are read");
    };
    if (static_cast<std::uint64_t>(st.st_size) > grenze) throw zuGross(static_cast<std::uint64_t>(st.st_size));
    std::vector<std::uint8_t> daten;
    daten.reserve(static_cast<std::size_t>(st.st_size));
    std::uint8_t puffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, puffer, sizeof puffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            int e = errno;
            ::close(fd);
            throw EDateiFehler(pfad, "cannot read the file (" + Grund(e) + ")");
        }
        if (n == 0) break;
        // A file that grows while it is read is held to the same limit.
        if (daten.size() + static_cast<std::size_t>(n) > grenze) throw zuGross(daten.size() + static_cast<std::size_t>(n));
        daten.insert(daten.end(), puffer, puffer + n);
    }
    ::close(fd);
    return daten;
}

void DateiSchreiben(const std::string& pfad, const void* daten, std::size_t laenge) {
    GroessenSignalAbschalten();
    // Through a link the linked file is written, so that the link stays a link.
    const std::string ziel = LinkZiel(pfad);
    // Only a regular file is replaced: the rename would put a file in the place of a folder's
    // name, a device (/dev/full) or a pipe and report success.
    struct stat vorher{};
    const bool vorhanden = ::stat(ziel.c_str(), &vorher) == 0;
    if (vorhanden && !S_ISREG(vorher.st_mode))
        throw EDateiFehler(pfad, S_ISDIR(vorher.st_mode) ? std::string("a folder stands where the file should be")
                                                         : "is no regular file (a device, pipe or socket); it is left as it is");
    // The rename would replace a file that the user may not write, where writing it would be refused.
    if (vorhanden && ::access(ziel.c_str(), W_OK) != 0 && errno == EACCES)
        throw EDateiFehler(pfad, "is read-only; it is left as it is");
    // The permissions of the file replaced; for a new file the usual 0666 less umask.
    mode_t modus;
    if (vorhanden) {
        modus = vorher.st_mode & 07777;
    } else {
        const mode_t maske = ::umask(0);
        ::umask(maske);
        modus = 0666 & ~maske;
    }
    // The temporary file lives in the target's folder so that the rename stays on one file
    // system and replaces the target in one step.
    const std::string ordner = OrdnerVon(ziel);
    const std::string praefix = TempDateiPraefix(ziel);
    std::string temp;
    const int fd = TempAnlegen(ordner, praefix, modus, temp);
    if (fd < 0) throw EDateiFehler(pfad, OrdnerGrund(ordner, errno));
    ::flock(fd, LOCK_EX);  // held until the save is over, so that no other save takes it for left over
    auto scheitern = [&](const std::string& was) {
        ::close(fd);
        ::unlink(temp.c_str());
        throw EDateiFehler(pfad, was);
    };
    const char* p = static_cast<const char*>(daten);
    std::size_t rest = laenge;
    while (rest > 0) {
        ssize_t n = ::write(fd, p, rest);
        if (n < 0) {
            if (errno == EINTR) continue;
            scheitern("cannot write the file (" + Grund(errno) + ")");
        }
        if (n == 0) scheitern("cannot write the file (" + Grund(ENOSPC) + ")");  // no progress: the loop would never end
        p += n;
        rest -= static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) scheitern("cannot write the file (" + Grund(errno) + ")");
    // The umask may have taken bits that the replaced file had.
    struct stat neu{};
    if (::fstat(fd, &neu) != 0 || (neu.st_mode & 07777) != modus) {
        if (::fchmod(fd, modus) != 0)
            scheitern("cannot give the new file the permissions of the file it replaces (" + Grund(errno) + ")");
    }
    if (::rename(temp.c_str(), ziel.c_str()) != 0) {
        const int e = errno;
        scheitern(e == EISDIR ? std::string("a folder stands where the file should be")
                              : "cannot write the file (" + Grund(e) + ")");
    }
    VerwaisteTempsEntfernen(ordner, praefix);
    // The data reached the disk with fsync; closing cannot lose it any more.
    ::close(fd);
}

// Short, so that a target whose name is as long as a name may be still leaves room for it;
// of the target, so that a save clears only what saves of it left.
std::string TempDateiPraefix(const std::string& ziel) {
    const std::size_t schraeg = ziel.find_last_of('/');
    const std::string name = schraeg == std::string::npos ? ziel : ziel.substr(schraeg + 1);
    std::uint32_t h = 2166136261u;
    for (unsigned char c : name) h = (h ^ c) * 16777619u;
    char kennung[9];
    std::snprintf(kennung, sizeof kennung, "%08x", h);
    return std::string(".qelmap-") + kennung + "-";
}
bool DateiExistiert(const std::string& pfad) {
    struct stat st{};
    return ::stat(pfad.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}
