#pragma once
// Small helpers shared by the tests: a scratch folder that is removed again, and file bytes.
#include <cstdint>
#include <string>
#include <vector>

class TempOrdner {
public:
    TempOrdner();
    ~TempOrdner();
    TempOrdner(const TempOrdner&) = delete;
    TempOrdner& operator=(const TempOrdner&) = delete;
    const std::string& Pfad() const { return pfad_; }
    std::string Datei(const std::string& name) const { return pfad_ + "/" + name; }

private:
    std::string pfad_;
};

std::vector<std::uint8_t> Bytes(const std::string& pfad);
void BytesSchreiben(const std::string& pfad, const std::vector<std::uint8_t>& daten);
// Runs the given command in the current directory for a while; restores it on destruction.
class ImOrdner {
public:
    explicit ImOrdner(const std::string& pfad);
    ~ImOrdner();

private:
    std::string alt_;
};
