#include "UBild.h"
#include "UDatei.h"
#include "UFehler.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

namespace {

// Bits per pixel from the bitmap header, or 0 when the bytes are no bitmap. The old 12-byte
// header has the field at 24 (its sizes are 16-bit); at 28 it has palette or pixels.
int BmpBitsProPixel(const std::uint8_t* d, std::size_t n) {
    if (n < 30 || d[0] != 'B' || d[1] != 'M') return 0;
    const std::uint32_t kopf = d[14] | (d[15] << 8) | (d[16] << 16) | (static_cast<std::uint32_t>(d[17]) << 24);
    if (kopf == 12) return d[24] | (d[25] << 8);
    return d[28] | (d[29] << 8);
}

// A 16-bit bitmap has 6 bits of green only with explicit 5-6-5 bit fields; plain ones are 5-5-5.
bool GruenSechsBit(const std::uint8_t* d, std::size_t n) {
    if (n < 66) return false;
    std::uint32_t kompression = d[30] | (d[31] << 8) | (d[32] << 16) | (static_cast<std::uint32_t>(d[33]) << 24);
    std::uint32_t gruen = d[58] | (d[59] << 8) | (d[60] << 16) | (static_cast<std::uint32_t>(d[61]) << 24);
    return kompression == 3 && gruen == 0x07E0;
}

std::uint32_t Wort(const std::uint8_t* d) {
    return d[0] | (d[1] << 8) | (d[2] << 16) | (static_cast<std::uint32_t>(d[3]) << 24);
}

// The bytes an uncompressed bitmap needs for the pixels its header announces, or 0 when the
// bytes are no such bitmap (run-length coded ones end where their codes say).
std::uint64_t BmpNoetigeBytes(const std::uint8_t* d, std::size_t n) {
    if (n < 26 || d[0] != 'B' || d[1] != 'M') return 0;
    const std::uint32_t kopf = Wort(d + 14);
    std::int64_t breite, hoehe;
    std::uint32_t bits, kompression = 0;
    if (kopf == 12) {
        breite = d[18] | (d[19] << 8);
        hoehe = d[20] | (d[21] << 8);
        bits = d[24] | (d[25] << 8);
    } else {
        if (n < 34) return 0;
        breite = static_cast<std::int32_t>(Wort(d + 18));
        hoehe = static_cast<std::int32_t>(Wort(d + 22));
        bits = d[28] | (d[29] << 8);
        kompression = Wort(d + 30);
    }
    if (kompression != 0 && kompression != 3) return 0;
    if (breite <= 0 || bits == 0 || bits > 32) return 0;
    if (hoehe < 0) hoehe = -hoehe;
    if (hoehe == 0) return 0;
    // Rows are padded to four bytes; the padding of the last row is not asked for.
    const std::uint64_t zeile = (static_cast<std::uint64_t>(breite) * bits + 31) / 32 * 4;
    return Wort(d + 10) + zeile * static_cast<std::uint64_t>(hoehe - 1) + (static_cast<std::uint64_t>(breite) * bits + 7) / 8;
}

// Far beyond every picture of the board (the map has 1587 x 913 pixels).
constexpr std::int64_t MaxBildPixel = std::int64_t{4096} * 4096;

bool ZuGross(int breite, int hoehe) { return std::int64_t{breite} * hoehe > MaxBildPixel; }

std::string ZuGrossText(int breite, int hoehe) {
    return "is too large a picture (" + std::to_string(breite) + " x " + std::to_string(hoehe) +
           " pixels; at most " + std::to_string(MaxBildPixel) + " are read)";
}

}  // namespace

void BildAusBytes(TBild& bild, const std::uint8_t* daten, std::size_t laenge, const std::string& name) {
    if (laenge > 0x7fffffff) throw EDateiFehler(name, "cannot be read as a picture");
    QByteArray roh = QByteArray::fromRawData(reinterpret_cast<const char*>(daten), static_cast<qsizetype>(laenge));
    QBuffer puffer(&roh);
    puffer.open(QIODevice::ReadOnly);
    QImageReader leser(&puffer);
    // A few bytes can announce a picture of gigabytes, which the copies below would then
    // take three times over: the size is checked before anything is decoded.
    const QSize angekuendigt = leser.size();
    if (angekuendigt.isValid() && ZuGross(angekuendigt.width(), angekuendigt.height()))
        throw EDateiFehler(name, ZuGrossText(angekuendigt.width(), angekuendigt.height()));
    // The reader would take a picture cut short and leave its missing rows black.
    const std::uint64_t noetig = BmpNoetigeBytes(daten, laenge);
    if (noetig > laenge)
        throw EDateiFehler(name, "is cut short: its header announces " + std::to_string(noetig) +
                                     " bytes of picture, but the file has only " + std::to_string(laenge));
    QImage img = leser.read();
    if (img.isNull()) throw EDateiFehler(name, "cannot be read as a picture");
    if (ZuGross(img.width(), img.height())) throw EDateiFehler(name, ZuGrossText(img.width(), img.height()));
    int bpp = BmpBitsProPixel(daten, laenge);
    QImage rgb = img.convertToFormat(QImage::Format_RGB32);
    bild.Breite = rgb.width();
    bild.Hoehe = rgb.height();
    bild.BitsProPixel = bpp ? bpp : img.depth();
    bild.Rgb.resize(static_cast<std::size_t>(bild.Breite) * bild.Hoehe);
    // QImage widens 5-6-5 fields by shifting alone (31 becomes 248); widen them exactly so
    // that pure colours such as the magenta colour key survive.
    const bool sechzehn = bpp == 16;
    const int gruen_rest = GruenSechsBit(daten, laenge) ? 6 : 5;
    for (int y = 0; y < bild.Hoehe; ++y) {
        const QRgb* zeile = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        std::uint32_t* ziel = bild.Rgb.data() + static_cast<std::size_t>(y) * bild.Breite;
        for (int x = 0; x < bild.Breite; ++x) {
            std::uint32_t c = zeile[x] & 0xFFFFFFu;
            if (sechzehn) {
                std::uint32_t r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
                r |= r >> 5;
                g |= g >> gruen_rest;
                b |= b >> 5;
                c = (r << 16) | (g << 8) | b;
            }
            ziel[x] = c;
        }
    }
}

void BildLaden(TBild& bild, const std::string& pfad) {
    if (!DateiExistiert(pfad)) throw EDateiFehler(pfad, "the picture file is missing");
    std::vector<std::uint8_t> daten = DateiLesen(pfad, BildDateiGrenze, "a picture");
    BildAusBytes(bild, daten.data(), daten.size(), pfad);
}
