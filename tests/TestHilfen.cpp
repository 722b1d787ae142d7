#include "TestHilfen.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

TempOrdner::TempOrdner() {
    std::string muster = (fs::temp_directory_path() / "qelmap-test-XXXXXX").string();
    if (!mkdtemp(muster.data())) throw std::runtime_error("mkdtemp failed");
    pfad_ = muster;
}

TempOrdner::~TempOrdner() {
    std::error_code ec;
    // Tests may leave folders read-only; give them back their write bit before removing.
    for (auto it = fs::recursive_directory_iterator(pfad_, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::permissions(pfad_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(pfad_, ec);
}

std::vector<std::uint8_t> Bytes(const std::string& pfad) {
    std::ifstream f(pfad, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(f), {});
}

void BytesSchreiben(const std::string& pfad, const std::vector<std::uint8_t>& daten) {
    std::ofstream f(pfad, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(daten.data()), static_cast<std::streamsize>(daten.size()));
}

ImOrdner::ImOrdner(const std::string& pfad) : alt_(fs::current_path().string()) { fs::current_path(pfad); }
ImOrdner::~ImOrdner() {
    std::error_code ec;
    fs::current_path(alt_, ec);
}
