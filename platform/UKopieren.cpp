#include "UKopieren.h"

#include <algorithm>
#include <cstring>

#include "UFarbschluessel.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// A destination pixel at offset i from the destination rectangle's left edge takes the
// source pixel at offset i * ws / wd (rounded down) from the source rectangle's left edge;
// rows likewise. Klippen works out, once per copy, the offsets whose destination pixel lies
// on the destination surface inside the clip rectangle and whose source pixel lies on the
// source surface; the copy
// loops then run without bounds tests.

namespace {

// The rows of pieces and characters are a few dozen bytes: copied inline, the copy costs
// less than the call to memcpy.
inline void RowCopy(void* ziel, const void* quelle, std::size_t n) {
#if defined(__SSE2__)
    if (n >= 16 && n <= 128) {
        auto* d = static_cast<std::uint8_t*>(ziel);
        const auto* s = static_cast<const std::uint8_t*>(quelle);
        std::size_t i = 0;
        for (; i + 16 <= n; i += 16)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i)));
        if (i < n)  // the last 16 bytes again, overlapping: source and destination are apart
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d + n - 16),
                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + n - 16)));
        return;
    }
#endif
    std::memcpy(ziel, quelle, n);
}

// A rectangle's extent (up to 2^32) times an offset or another extent needs more than 64 bits.
using TBreit = __int128;

TBreit AufDiv(TBreit a, std::int64_t b) {  // b > 0, rounds toward +infinity
    TBreit q = a / b;
    return (a % b != 0 && a > 0) ? q + 1 : q;
}

bool AchseKlippen(std::int64_t z0, std::int64_t z1, std::int64_t zMin, std::int64_t zMax, std::int64_t q0,
                  std::int64_t q1, std::int64_t qMax, TAchse& a) {
    a.Z0 = z0;
    a.Q0 = q0;
    a.Zn = z1 - z0;
    a.Qn = q1 - q0;
    if (a.Zn <= 0 || a.Qn <= 0) return false;
    a.Lo = std::max<std::int64_t>(0, zMin - z0);
    a.Hi = std::min(a.Zn, zMax - z0);
    if (a.Zn == a.Qn) {
        // Unscaled, the common case of every piece and character: no divisions needed.
        a.Lo = std::max(a.Lo, -q0);
        a.Hi = std::min(a.Hi, qMax - q0);
        return a.Lo < a.Hi;
    }
    // source q0 + floor(i * Qn / Zn) >= 0  <=>  i >= ceil(-q0 * Zn / Qn)
    if (q0 < 0) a.Lo = static_cast<std::int64_t>(std::max<TBreit>(a.Lo, AufDiv(TBreit{-q0} * a.Zn, a.Qn)));
    // source q0 + floor(i * Qn / Zn) < qMax  <=>  i < ceil((qMax - q0) * Zn / Qn)
    a.Hi = static_cast<std::int64_t>(std::min<TBreit>(a.Hi, AufDiv(TBreit{qMax - q0} * a.Zn, a.Qn)));
    return a.Lo < a.Hi;
}

// AchseKlippen for a copy at equal size, n pixels from z0 and q0.
inline bool UngeschnittenKlippen(std::int64_t z0, std::int64_t n, std::int64_t zMin, std::int64_t zMax,
                                 std::int64_t q0, std::int64_t qMax, TAchse& a) {
    a.Z0 = z0;
    a.Q0 = q0;
    a.Zn = a.Qn = n;
    a.Lo = std::max({std::int64_t{0}, zMin - z0, -q0});
    a.Hi = std::min({n, zMax - z0, qMax - q0});
    return a.Lo < a.Hi;
}

// The destination pixels a copy may write: the surface cut to the clip rectangle.
TRect Schreibbar(const TSurface& s, const TRect& klipp) {
    return TRect{std::max(0, klipp.Left), std::max(0, klipp.Top), std::min(s.Breite, klipp.Right),
                 std::min(s.Hoehe, klipp.Bottom)};
}

bool Klippen(const TRect& w, const TRect& z, const TSurface& quelle, const TRect& q, TKlippung& k) {
    return AchseKlippen(z.Left, z.Right, w.Left, w.Right, q.Left, q.Right, quelle.Breite, k.X) &&
           AchseKlippen(z.Top, z.Bottom, w.Top, w.Bottom, q.Top, q.Bottom, quelle.Hoehe, k.Y);
}

// One destination row from one source row: d points at the first pixel to write (offset
// lo), s at the source rectangle's left edge.
template <typename T>
void ZeileSkalieren(T* d, const T* s, const TAchse& a) {
    const std::int64_t n = a.Hi - a.Lo;
    if (a.Qn == a.Zn) {
        RowCopy(d, s + a.Lo, static_cast<std::size_t>(n) * sizeof(T));
        return;
    }
    if (a.Zn % a.Qn == 0) {
        // Whole ratio: every source pixel becomes a run of f destination pixels.
        const std::int64_t f = a.Zn / a.Qn;
        std::int64_t i = a.Lo, e = a.Hi;
        const T* sp = s + i / f;
        std::int64_t phase = i % f;
        if (phase != 0) {
            for (; phase < f && i < e; ++phase, ++i) *d++ = *sp;
            ++sp;
        }
        const std::int64_t bloecke = (e - i) / f;
        if (f == 2) {
            std::int64_t b = 0;
#if defined(__SSE2__)
            // Four (eight) source pixels at a time, each interleaved with itself.
            constexpr std::int64_t proVektor = 16 / sizeof(T);
            for (; b + proVektor <= bloecke; b += proVektor) {
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sp + b));
                const __m128i lo = sizeof(T) == 4 ? _mm_unpacklo_epi32(v, v) : _mm_unpacklo_epi16(v, v);
                const __m128i hi = sizeof(T) == 4 ? _mm_unpackhi_epi32(v, v) : _mm_unpackhi_epi16(v, v);
                _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 2 * b), lo);
                _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 2 * b + proVektor), hi);
            }
#endif
            for (; b < bloecke; ++b) {
                const T v = sp[b];
                d[2 * b] = v;
                d[2 * b + 1] = v;
            }
        } else {
            T* dp = d;
            for (std::int64_t b = 0; b < bloecke; ++b) {
                const T v = sp[b];
                for (std::int64_t r = 0; r < f; ++r) *dp++ = v;
            }
        }
        d += bloecke * f;
        sp += bloecke;
        i += bloecke * f;
        for (; i < e; ++i) *d++ = *sp;
        return;
    }
    // Any other ratio: step through the source with an exact remainder.
    const std::int64_t schritt = a.Qn / a.Zn, rest = a.Qn % a.Zn;
    std::int64_t sx = static_cast<std::int64_t>(TBreit{a.Lo} * a.Qn / a.Zn);
    std::int64_t r = static_cast<std::int64_t>(TBreit{a.Lo} * a.Qn % a.Zn);
    for (std::int64_t i = 0; i < n; ++i) {
        d[i] = s[sx];
        sx += schritt;
        r += rest;
        if (r >= a.Zn) {
            r -= a.Zn;
            ++sx;
        }
    }
}

template <typename T>
void SkaliertKopieren(TSurface& ziel, const TSurface& quelle, const TKlippung& k) {
    const std::size_t zeilenBytes = static_cast<std::size_t>(k.X.Hi - k.X.Lo) * sizeof(T);
    std::uint8_t* d = ziel.Zeile(static_cast<std::int32_t>(k.Y.Z0 + k.Y.Lo)) + (k.X.Z0 + k.X.Lo) * sizeof(T);
    if (k.Y.Qn == k.Y.Zn) {
        const std::uint8_t* s = quelle.Zeile(static_cast<std::int32_t>(k.Y.Q0 + k.Y.Lo));
        if (k.X.Qn == k.X.Zn) {  // unscaled: row after row
            s += (k.X.Q0 + k.X.Lo) * sizeof(T);
            for (std::int64_t j = k.Y.Lo; j < k.Y.Hi; ++j, d += ziel.Abstand, s += quelle.Abstand)
                RowCopy(d, s, zeilenBytes);
            return;
        }
        for (std::int64_t j = k.Y.Lo; j < k.Y.Hi; ++j, d += ziel.Abstand, s += quelle.Abstand)
            ZeileSkalieren(reinterpret_cast<T*>(d), reinterpret_cast<const T*>(s) + k.X.Q0, k.X);
        return;
    }
    // Source row of destination row j: Q0 + floor(j * Qn / Zn), stepped with an exact remainder.
    const std::int64_t schritt = k.Y.Qn / k.Y.Zn, rest = k.Y.Qn % k.Y.Zn;
    std::int64_t qy = k.Y.Q0 + static_cast<std::int64_t>(TBreit{k.Y.Lo} * k.Y.Qn / k.Y.Zn);
    std::int64_t r = static_cast<std::int64_t>(TBreit{k.Y.Lo} * k.Y.Qn % k.Y.Zn);
    std::int64_t vorigeQy = -1;
    const std::uint8_t* vorige = nullptr;
    for (std::int64_t j = k.Y.Lo; j < k.Y.Hi; ++j, d += ziel.Abstand) {
        if (qy == vorigeQy) {
            // The row repeats the one above: copy the finished row instead of scaling again.
            RowCopy(d, vorige, zeilenBytes);
        } else {
            const T* s = reinterpret_cast<const T*>(quelle.Zeile(static_cast<std::int32_t>(qy))) + k.X.Q0;
            ZeileSkalieren(reinterpret_cast<T*>(d), s, k.X);
            vorige = d;
            vorigeQy = qy;
        }
        qy += schritt;
        r += rest;
        if (r >= k.Y.Zn) {
            r -= k.Y.Zn;
            ++qy;
        }
    }
}

TErgebnis Pruefen(const TSurface& ziel, const TSurface* quelle) {
    if (!quelle || ziel.Pixel.empty() || quelle->Pixel.empty()) return erKeineSurface;
    if (ziel.BitsProPixel != quelle->BitsProPixel) return erFormat;
    return erOK;
}

}  // namespace

TErgebnis TSurface::Blt(const TRect& z, const TSurface* quelle, const TRect& q, const TRect& klipp) {
    if (TErgebnis e = Pruefen(*this, quelle)) return e;
    TKlippung k;
    if (!Klippen(Schreibbar(*this, klipp), z, *quelle, q, k)) return erOK;
    if (BitsProPixel == 16)
        SkaliertKopieren<std::uint16_t>(*this, *quelle, k);
    else
        SkaliertKopieren<std::uint32_t>(*this, *quelle, k);
    return erOK;
}

TErgebnis TSurface::BltFast(std::int32_t x, std::int32_t y, const TSurface* quelle, const TRect& q,
                            const TRect& klipp) {
    if (TErgebnis e = Pruefen(*this, quelle)) return e;
    const std::int64_t w = static_cast<std::int64_t>(q.Right) - q.Left, h = static_cast<std::int64_t>(q.Bottom) - q.Top;
    if (w <= 0 || h <= 0) return erOK;
    TKlippung k;
    // Unscaled: the destination rectangle has the source's size. Work in 64 bits so that a
    // point near the end of the integer range cannot wrap round.
    const TRect s = Schreibbar(*this, klipp);
    if (!UngeschnittenKlippen(x, w, s.Left, s.Right, q.Left, quelle->Breite, k.X) ||
        !UngeschnittenKlippen(y, h, s.Top, s.Bottom, q.Top, quelle->Hoehe, k.Y))
        return erOK;
    if (!quelle->HatFarbschluessel) {
        if (BitsProPixel == 16)
            SkaliertKopieren<std::uint16_t>(*this, *quelle, k);
        else
            SkaliertKopieren<std::uint32_t>(*this, *quelle, k);
    } else if (BitsProPixel == 16) {
        MitSchluesselKopieren<std::uint16_t>(*this, *quelle, k);
    } else {
        MitSchluesselKopieren<std::uint32_t>(*this, *quelle, k);
    }
    return erOK;
}

TErgebnis BltReferenz(TSurface& ziel, const TRect& z, const TSurface& quelle, const TRect& q, bool mitSchluessel) {
    if (TErgebnis e = Pruefen(ziel, &quelle)) return e;
    const std::int64_t zw = std::int64_t{z.Right} - z.Left, zh = std::int64_t{z.Bottom} - z.Top;
    const std::int64_t qw = std::int64_t{q.Right} - q.Left, qh = std::int64_t{q.Bottom} - q.Top;
    if (zw <= 0 || zh <= 0 || qw <= 0 || qh <= 0) return erOK;
    const std::uint32_t maske = ziel.BitsProPixel == 16 ? 0xFFFFu : 0xFFFFFFu;
    for (std::int64_t j = 0; j < zh; ++j)
        for (std::int64_t i = 0; i < zw; ++i) {
            const std::int64_t dx = z.Left + i, dy = z.Top + j;
            const std::int64_t sx = q.Left + (i * qw) / zw, sy = q.Top + (j * qh) / zh;
            if (dx < 0 || dy < 0 || dx >= ziel.Breite || dy >= ziel.Hoehe) continue;
            if (sx < 0 || sy < 0 || sx >= quelle.Breite || sy >= quelle.Hoehe) continue;
            std::uint32_t p;
            if (ziel.BitsProPixel == 16)
                p = reinterpret_cast<const std::uint16_t*>(quelle.Zeile(static_cast<std::int32_t>(sy)))[sx];
            else
                p = reinterpret_cast<const std::uint32_t*>(quelle.Zeile(static_cast<std::int32_t>(sy)))[sx];
            if (mitSchluessel && quelle.HatFarbschluessel && (p & maske) == (quelle.Farbschluessel & maske)) continue;
            if (ziel.BitsProPixel == 16)
                reinterpret_cast<std::uint16_t*>(ziel.Zeile(static_cast<std::int32_t>(dy)))[dx] =
                    static_cast<std::uint16_t>(p);
            else
                reinterpret_cast<std::uint32_t*>(ziel.Zeile(static_cast<std::int32_t>(dy)))[dx] = p;
        }
    return erOK;
}
