#include "UFarbschluessel.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__)
#include <immintrin.h>
#endif

std::int32_t SurfaceVektorBits = 512;

namespace {

#if defined(__x86_64__)
// Eight 32-bit pixels: the source's where it is not the key, else the destination's.
__attribute__((target("avx2"))) inline __m256i Waehlen8(const std::uint32_t* s, const std::uint32_t* d,
                                                         __m256i maske, __m256i schluessel) {
    const __m256i sv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s));
    const __m256i dv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d));
    return _mm256_blendv_epi8(sv, dv, _mm256_cmpeq_epi32(_mm256_and_si256(sv, maske), schluessel));
}

// The keyed copy of 32-bit rows of at least eight pixels, eight at a time. A glyph row of
// eleven takes two steps instead of three.
__attribute__((target("avx2"))) void MitSchluesselAvx2(std::uint8_t* zz, const std::uint8_t* qz, std::int64_t zeilen,
                                                       std::int64_t n, std::int32_t zAbstand, std::int32_t qAbstand,
                                                       std::uint32_t schluessel) {
    const __m256i m = _mm256_set1_epi32(0xFFFFFF), key = _mm256_set1_epi32(static_cast<int>(schluessel));
    for (std::int64_t j = 0; j < zeilen; ++j, zz += zAbstand, qz += qAbstand) {
        auto* d = reinterpret_cast<std::uint32_t*>(zz);
        const auto* s = reinterpret_cast<const std::uint32_t*>(qz);
        // As below: the overlapping last step is worked out before anything is stored.
        const __m256i letzte = Waehlen8(s + n - 8, d + n - 8, m, key);
        std::int64_t i = 0;
        for (; i + 8 <= n; i += 8) _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i), Waehlen8(s + i, d + i, m, key));
        if (i < n) _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + n - 8), letzte);
    }
}

// The keyed copy with AVX-512: each step loads up to a vector of source pixels and stores
// only those that are not the key, under a mask. The destination is never read, so a
// glyph's rows do not wait on memory that the map copy before them left out of the cache.
template <typename T>
__attribute__((target("avx512f,avx512bw,avx512vl"))) void MitSchluesselAvx512(
    std::uint8_t* zz, const std::uint8_t* qz, std::int64_t zeilen, std::int64_t n, std::int32_t zAbstand,
    std::int32_t qAbstand, std::uint32_t schluessel) {
    constexpr std::int64_t proVektor = 64 / sizeof(T);
    const __m512i m = sizeof(T) == 4 ? _mm512_set1_epi32(0xFFFFFF) : _mm512_set1_epi16(-1);
    const __m512i key = sizeof(T) == 4 ? _mm512_set1_epi32(static_cast<int>(schluessel))
                                       : _mm512_set1_epi16(static_cast<short>(schluessel));
    for (std::int64_t j = 0; j < zeilen; ++j, zz += zAbstand, qz += qAbstand)
        for (std::int64_t i = 0; i < n; i += proVektor) {
            const std::int64_t rest = std::min(n - i, proVektor);
            const std::uint64_t k = rest == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << rest) - 1;
            if constexpr (sizeof(T) == 4) {
                const __m512i sv = _mm512_maskz_loadu_epi32(static_cast<__mmask16>(k), qz + 4 * i);
                const __mmask16 w = _mm512_mask_cmpneq_epi32_mask(static_cast<__mmask16>(k), _mm512_and_si512(sv, m), key);
                _mm512_mask_storeu_epi32(zz + 4 * i, w, sv);
            } else {
                const __m512i sv = _mm512_maskz_loadu_epi16(static_cast<__mmask32>(k), qz + 2 * i);
                const __mmask32 w = _mm512_mask_cmpneq_epi16_mask(static_cast<__mmask32>(k), sv, key);
                _mm512_mask_storeu_epi16(zz + 2 * i, w, sv);
            }
        }
}

bool Avx2Nutzen() {
    static const bool vorhanden = __builtin_cpu_supports("avx2");
    return SurfaceVektorBits >= 256 && vorhanden;
}

bool Avx512Nutzen() {
    static const bool vorhanden = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
                                  __builtin_cpu_supports("avx512vl");
    return SurfaceVektorBits >= 512 && vorhanden;
}
#endif

}  // namespace

template <typename T>
void MitSchluesselKopieren(TSurface& ziel, const TSurface& quelle, const TKlippung& k) {
    const std::int64_t n = k.X.Hi - k.X.Lo;
    const std::uint32_t maske = sizeof(T) == 2 ? 0xFFFFu : 0xFFFFFFu;
    const std::uint32_t schluessel = quelle.Farbschluessel & maske;
    std::uint8_t* zz = ziel.Zeile(static_cast<std::int32_t>(k.Y.Z0 + k.Y.Lo)) + (k.X.Z0 + k.X.Lo) * sizeof(T);
    const std::uint8_t* qz = quelle.Zeile(static_cast<std::int32_t>(k.Y.Q0 + k.Y.Lo)) + (k.X.Q0 + k.X.Lo) * sizeof(T);
#if defined(__x86_64__)
    if (Avx512Nutzen()) {
        MitSchluesselAvx512<T>(zz, qz, k.Y.Hi - k.Y.Lo, n, ziel.Abstand, quelle.Abstand, schluessel);
        return;
    }
    if (sizeof(T) == 4 && n >= 8 && Avx2Nutzen()) {
        MitSchluesselAvx2(zz, qz, k.Y.Hi - k.Y.Lo, n, ziel.Abstand, quelle.Abstand, schluessel);
        return;
    }
#endif
    for (std::int64_t j = k.Y.Lo; j < k.Y.Hi; ++j, zz += ziel.Abstand, qz += quelle.Abstand) {
        T* __restrict d = reinterpret_cast<T*>(zz);
        const T* __restrict s = reinterpret_cast<const T*>(qz);
        std::int64_t i = 0;
#if defined(__SSE2__)
        // Glyph edges make the key unpredictable: select with masks instead of branching.
        constexpr std::int64_t proVektor = 16 / sizeof(T);
        if (n >= proVektor) {
            const __m128i m = sizeof(T) == 4 ? _mm_set1_epi32(int(maske)) : _mm_set1_epi16(short(maske));
            const __m128i key = sizeof(T) == 4 ? _mm_set1_epi32(int(schluessel)) : _mm_set1_epi16(short(schluessel));
            auto waehlen = [&](std::int64_t at) {
                const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + at));
                const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + at));
                const __m128i gleich = sizeof(T) == 4 ? _mm_cmpeq_epi32(_mm_and_si128(sv, m), key)
                                                      : _mm_cmpeq_epi16(_mm_and_si128(sv, m), key);
                return _mm_or_si128(_mm_and_si128(gleich, dv), _mm_andnot_si128(gleich, sv));
            };
            // The rest is one more vector over the last pixels, worked out before anything is
            // stored: reading it back after an overlapping store would stall the processor.
            const __m128i letzte = waehlen(n - proVektor);
            for (; i + proVektor <= n; i += proVektor)
                _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), waehlen(i));
            if (i < n) _mm_storeu_si128(reinterpret_cast<__m128i*>(d + n - proVektor), letzte);
            continue;
        }
#endif
        for (; i < n; ++i) d[i] = (s[i] & maske) != schluessel ? s[i] : d[i];
    }
}

template void MitSchluesselKopieren<std::uint16_t>(TSurface&, const TSurface&, const TKlippung&);
template void MitSchluesselKopieren<std::uint32_t>(TSurface&, const TSurface&, const TKlippung&);
