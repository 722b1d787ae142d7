#include "UDatei.h"
#include "UFehler.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::string Grund(int fehler) { return std::strerror(fehler); }
}

std::vector<std::uint8_t> DateiLesen(const std::string& pfad, std::size_t hoechstens) {
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
    std::vector<std::uint8_t> daten;
    daten.reserve(std::min(static_cast<std::size_t>(st.st_size), hoechstens));
    std::uint8_t puffer[65536];
    while (daten.size() < hoechstens) {
        ssize_t n = ::read(fd, puffer, std::min(sizeof puffer, hoechstens - daten.size()));
        if (n < 0) {
            if (errno == EINTR) continue;
            int e = errno;
            ::close(fd);
            throw EDateiFehler(pfad, "cannot read the file (" + Grund(e) + ")");
        }
        if (n == 0) break;
        daten.insert(daten.end(), puffer, puffer + n);
    }
    ::close(fd);
    return daten;
}

void DateiSchreiben(const std::string& pfad, const void* daten, std::size_t laenge) {
    // Through a link the linked file is written, so that the link stays a link.
    std::string ziel = pfad;
    struct stat lst{};
    if (::lstat(pfad.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode)) {
        if (char* echt = ::realpath(pfad.c_str(), nullptr)) {
            ziel = echt;
            std::free(echt);
        }
    }
    // Only a regular file is replaced: the rename would put a file in the place of a folder's
    // name, a device (/dev/full) or a pipe and report success.
    struct stat vorher{};
    if (::stat(ziel.c_str(), &vorher) == 0 && !S_ISREG(vorher.st_mode))
        throw EDateiFehler(pfad, S_ISDIR(vorher.st_mode) ? std::string("a folder stands where the file should be")
                                                         : "is no regular file (a device, pipe or socket); it is left as it is");
    // The temporary file lives in the target's folder so that the rename stays on one file
    // system and replaces the target in one step. Its name is short and of its own, so that a
    // target whose name is as long as a name may be still leaves room for it.
    const std::size_t schraeg = ziel.find_last_of('/');
    std::string temp = (schraeg == std::string::npos ? std::string() : ziel.substr(0, schraeg + 1)) + ".qelmap-XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) throw EDateiFehler(pfad, "cannot write the file (" + Grund(errno) + ")");
    auto scheitern = [&](int e) {
        ::close(fd);
        ::unlink(name.data());
        throw EDateiFehler(pfad, "cannot write the file (" + Grund(e) + ")");
    };
    const char* p = static_cast<const char*>(daten);
    std::size_t rest = laenge;
    while (rest > 0) {
        ssize_t n = ::write(fd, p, rest);
        if (n < 0) {
            if (errno == EINTR) continue;
            scheitern(errno);
        }
        if (n == 0) scheitern(ENOSPC);  // no progress: the loop would never end
        p += n;
        rest -= static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) scheitern(errno);
    // Keep the permissions an existing file had; a new file gets the usual 0666 less umask.
    struct stat st{};
    mode_t modus;
    if (::stat(ziel.c_str(), &st) == 0) {
        modus = st.st_mode & 07777;
    } else {
        mode_t maske = ::umask(0);
        ::umask(maske);
        modus = 0666 & ~maske;
    }
    ::fchmod(fd, modus);
    if (::close(fd) != 0) {
        int e = errno;
        ::unlink(name.data());
        throw EDateiFehler(pfad, "cannot write the file (" + Grund(e) + ")");
    }
    if (::rename(name.data(), ziel.c_str()) != 0) {
        int e = errno;
        ::unlink(name.data());
        throw EDateiFehler(pfad, e == EISDIR ? std::string("a folder stands where the file should be")
                                             : "cannot write the file (" + Grund(e) + ")");
    }
}

bool DateiExistiert(const std::string& pfad) {
    struct stat st{};
    return ::stat(pfad.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}
