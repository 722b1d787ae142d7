#include "FuzzHilfen.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ordner;

void Aufraeumen() {
    std::error_code ec;
    if (!ordner.empty()) std::filesystem::remove_all(ordner, ec);
}

}  // namespace

const std::string& FuzzOrdner() {
    if (ordner.empty()) {
        struct stat st{};
        std::string basis = ::stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode) && ::access("/dev/shm", W_OK) == 0
                                ? "/dev/shm"
                                : std::filesystem::temp_directory_path().string();
        std::string muster = basis + "/qelmap-fuzz-XXXXXX";
        if (!::mkdtemp(muster.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        ordner = muster;
        std::atexit(Aufraeumen);
    }
    return ordner;
}

std::string FuzzDatei(const char* name) { return FuzzOrdner() + "/" + name; }

void FuzzDateiSchreiben(const std::string& pfad, const std::uint8_t* daten, std::size_t laenge) {
    int fd = ::open(pfad.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        std::perror(pfad.c_str());
        std::abort();
    }
    while (laenge > 0) {
        ssize_t n = ::write(fd, daten, laenge);
        if (n <= 0) {
            std::perror(pfad.c_str());
            std::abort();
        }
        daten += n;
        laenge -= static_cast<std::size_t>(n);
    }
    ::close(fd);
}

std::string FuzzDateiLesen(const std::string& pfad) {
    std::string text;
    std::FILE* f = std::fopen(pfad.c_str(), "rb");
    if (!f) return text;
    char puffer[8192];
    std::size_t n;
    while ((n = std::fread(puffer, 1, sizeof puffer, f)) > 0) text.append(puffer, n);
    std::fclose(f);
    return text;
}

void FuzzFehler(const char* datei, int zeile, const char* bedingung, const std::string& text) {
    std::fprintf(stderr, "\n%s:%d: expectation failed: %s\n  %s\n", datei, zeile, bedingung, text.c_str());
    std::fflush(stderr);
    std::abort();
}
