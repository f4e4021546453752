#include "gfx/StretchRows.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace gfx::stretch {

namespace {

// One channel pair of the portable form, used for the last few pixels.
std::uint32_t blendPixel(std::uint32_t a, std::uint32_t b, std::uint32_t wa, std::uint32_t wb) {
    const std::uint32_t rb = (((a & 0xff00ffu) * wa + (b & 0xff00ffu) * wb) >> 8) & 0xff00ffu;
    const std::uint32_t ag = ((a >> 8 & 0xff00ffu) * wa + (b >> 8 & 0xff00ffu) * wb) & 0xff00ff00u;
    return rb | ag;
}

} // namespace

#if defined(__x86_64__)

bool rowPassesAvailable() {
    static const bool avx2 = __builtin_cpu_supports("avx2");
    return avx2;
}

__attribute__((target("avx2"))) void blendRows(const std::uint32_t* top,
                                               const std::uint32_t* bottom, int weight,
                                               std::uint32_t* out, int count) {
    const __m256i lower = _mm256_set1_epi16(short(weight));
    const __m256i upper = _mm256_set1_epi16(short(256 - weight));
    const __m256i zero = _mm256_setzero_si256();
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i t = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(top + i));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bottom + i));
        const __m256i low =
            _mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpacklo_epi8(t, zero), upper),
                             _mm256_mullo_epi16(_mm256_unpacklo_epi8(b, zero), lower));
        const __m256i high =
            _mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpackhi_epi8(t, zero), upper),
                             _mm256_mullo_epi16(_mm256_unpackhi_epi8(b, zero), lower));
        _mm256_storeu_si256(
            reinterpret_cast<__m256i*>(out + i),
            _mm256_packus_epi16(_mm256_srli_epi16(low, 8), _mm256_srli_epi16(high, 8)));
    }
    for (; i < count; ++i)
        out[i] = blendPixel(top[i], bottom[i], std::uint32_t(256 - weight), std::uint32_t(weight));
}

namespace {

// Two pixels: each one's left and right columns, widened and interleaved
// channel by channel, times its weight pair, shifted back to 8 bits.
__attribute__((target("avx2"))) inline __m256i samplePair(const std::uint32_t* row,
                                                          const std::int32_t* left,
                                                          const std::uint32_t* pairs,
                                                          __m256i interleave) {
    const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + left[0]));
    const __m256i columns = _mm256_inserti128_si256(
        _mm256_castsi128_si256(first),
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + left[1])), 1);
    const __m256i weights = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pairs));
    return _mm256_srli_epi32(_mm256_madd_epi16(_mm256_shuffle_epi8(columns, interleave), weights),
                             8);
}

} // namespace

__attribute__((target("avx2"))) bool sampleRow(const std::uint32_t* row, const std::int32_t* left,
                                               const std::uint32_t* pairs, std::uint32_t* out,
                                               int count) {
    // Bytes l r of each channel side by side, widened to 16 bits, so that one
    // multiply-add gives l * (256 - w) + r * w per channel.
    const __m256i interleave =
        _mm256_setr_epi8(0, -1, 4, -1, 1, -1, 5, -1, 2, -1, 6, -1, 3, -1, 7, -1, //
                         0, -1, 4, -1, 1, -1, 5, -1, 2, -1, 6, -1, 3, -1, 7, -1);
    const __m256i order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
    __m256i alpha = _mm256_set1_epi32(-1);
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i s0 = samplePair(row, left + i, pairs + 4 * i, interleave);
        const __m256i s1 = samplePair(row, left + i + 2, pairs + 4 * i + 8, interleave);
        const __m256i s2 = samplePair(row, left + i + 4, pairs + 4 * i + 16, interleave);
        const __m256i s3 = samplePair(row, left + i + 6, pairs + 4 * i + 24, interleave);
        // Lanes hold pixels 0 2 4 6 | 1 3 5 7 after packing; put them in order.
        const __m256i pixels = _mm256_permutevar8x32_epi32(
            _mm256_packus_epi16(_mm256_packs_epi32(s0, s1), _mm256_packs_epi32(s2, s3)), order);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), pixels);
        alpha = _mm256_and_si256(alpha, pixels);
    }
    std::uint32_t tailAlpha = 0xff000000u;
    for (; i < count; ++i) {
        const std::uint32_t pair = pairs[4 * i];
        out[i] = blendPixel(row[left[i]], row[left[i] + 1], pair & 0xffffu, pair >> 16);
        tailAlpha &= out[i];
    }
    const __m256i opaque = _mm256_set1_epi32(int(0xff000000u));
    return (tailAlpha & 0xff000000u) == 0xff000000u && _mm256_testc_si256(alpha, opaque);
}

#else

bool rowPassesAvailable() {
    return false;
}

void blendRows(const std::uint32_t* top, const std::uint32_t* bottom, int weight,
               std::uint32_t* out, int count) {
    for (int i = 0; i < count; ++i)
        out[i] = blendPixel(top[i], bottom[i], std::uint32_t(256 - weight), std::uint32_t(weight));
}

bool sampleRow(const std::uint32_t* row, const std::int32_t* left, const std::uint32_t* pairs,
               std::uint32_t* out, int count) {
    std::uint32_t alpha = 0xff000000u;
    for (int i = 0; i < count; ++i) {
        const std::uint32_t pair = pairs[4 * i];
        out[i] = blendPixel(row[left[i]], row[left[i] + 1], pair & 0xffffu, pair >> 16);
        alpha &= out[i];
    }
    return alpha == 0xff000000u;
}

#endif

} // namespace gfx::stretch
