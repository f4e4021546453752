#include "gfx/StretchRows.h"

#include <algorithm>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace gfx::stretch {

namespace {

// Each channel of a and b on its own: (a * wa + b * wb) >> 8.
std::uint32_t blendPixel(std::uint32_t a, std::uint32_t b, std::uint32_t wa, std::uint32_t wb) {
    const std::uint32_t rb = (((a & 0xff00ffu) * wa + (b & 0xff00ffu) * wb) >> 8) & 0xff00ffu;
    const std::uint32_t ag = ((a >> 8 & 0xff00ffu) * wa + (b >> 8 & 0xff00ffu) * wb) & 0xff00ff00u;
    return rb | ag;
}

constexpr std::uint32_t weightPair(int w) {
    return std::uint32_t(256 - w) | std::uint32_t(w) << 16;
}

// Pixels first + 0 .. first + count - 1, one at a time.
bool sampleEach(const std::uint32_t* row, const std::int32_t* left, const std::uint32_t* pairs,
                std::uint32_t* out, int first, int count) {
    std::uint32_t alpha = 0xff000000u;
    for (int i = first; i < first + count; ++i) {
        const std::uint32_t pair = pairs[4 * i];
        out[i] = blendPixel(row[left[i]], row[left[i] + 1], pair & 0xffffu, pair >> 16);
        alpha &= out[i];
    }
    return alpha == 0xff000000u;
}

// Each channel of x times a / 255, rounded as the painter rounds.
std::uint32_t byteMul(std::uint32_t x, std::uint32_t a) {
    std::uint32_t rb = (x & 0xff00ffu) * a;
    rb = ((rb + (rb >> 8 & 0xff00ffu) + 0x800080u) >> 8) & 0xff00ffu;
    std::uint32_t ag = (x >> 8 & 0xff00ffu) * a;
    ag = (ag + (ag >> 8 & 0xff00ffu) + 0x800080u) & 0xff00ff00u;
    return ag | rb;
}

} // namespace

void layOver(const std::uint32_t* pixels, std::uint32_t* onto, int count) {
    for (int i = 0; i < count; ++i) {
        const std::uint32_t s = pixels[i];
        if (s >= 0xff000000u)
            onto[i] = s;
        else if (s != 0)
            onto[i] = s + byteMul(onto[i], (~s) >> 24);
    }
}

RowSampling::RowSampling(std::span<const std::int32_t> left, std::span<const int> weights)
    : left_(left.begin(), left.end()), pairs_(left.size() * 4), groups_(left.size() / 8) {
    firstColumn_ = left.empty() ? 0 : *std::min_element(left.begin(), left.end());
    lastColumn_ = left.empty() ? 0 : *std::max_element(left.begin(), left.end()) + 1;
    for (std::size_t i = 0; i < left.size(); ++i)
        std::fill_n(pairs_.begin() + std::ptrdiff_t(4 * i), 4, weightPair(weights[i]));
    bool oneWindow = true;
    bool twoWindows = true;
    for (std::size_t g = 0; g < groups_.size(); ++g) {
        Group& group = groups_[g];
        for (int k = 0; k < 8; ++k) {
            const std::size_t i = 8 * g + std::size_t(k);
            group.offset[k] = left[i] - left[8 * g];
            group.halfOffset[k] = left[i] - left[8 * g + std::size_t(k / 4) * 4];
            oneWindow &= group.offset[k] >= 0 && group.offset[k] + 1 < 8;
            twoWindows &= group.halfOffset[k] >= 0 && group.halfOffset[k] + 1 < 8;
            // After widening, each lane holds pixels 0 1 | 4 5 low, 2 3 | 6 7 high.
            const int lane = k / 4;
            const bool high = (k % 4) >= 2;
            const int slot = lane * 8 + (k % 2) * 4;
            std::uint16_t* keep = high ? group.keepHigh : group.keepLow;
            std::uint16_t* take = high ? group.takeHigh : group.takeLow;
            std::fill_n(keep + slot, 4, std::uint16_t(256 - weights[i]));
            std::fill_n(take + slot, 4, std::uint16_t(weights[i]));
        }
    }
    kernel_ = oneWindow ? Kernel::oneWindow : twoWindows ? Kernel::twoWindows : Kernel::pairs;
}

#if defined(__x86_64__)

bool rowPassesAvailable() {
    static const bool avx2 = __builtin_cpu_supports("avx2");
    return avx2;
}

__attribute__((target("avx2"))) bool opaque(const std::uint32_t* pixels, int count) {
    __m256i alpha = _mm256_set1_epi32(-1);
    int i = 0;
    for (; i + 8 <= count; i += 8)
        alpha = _mm256_and_si256(alpha,
                                 _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pixels + i)));
    std::uint32_t tail = 0xff000000u;
    for (; i < count; ++i)
        tail &= pixels[i];
    return tail >= 0xff000000u && _mm256_testc_si256(alpha, _mm256_set1_epi32(int(0xff000000u)));
}

namespace {

// Sixteen bytes of the two rows side by side in each 16-bit lane, bottom
// low, top high, so that one signed byte multiply-add weighs both: with
// weights of at most 127 a side the products fit in 16 bits. Below half way
// the blend is top * 256 + (bottom - top) * w, past it bottom * 256 +
// (top - bottom) * (256 - w), and half way (top + bottom) * 128.
enum class Side { nearTop, half, nearBottom };

template <Side side>
__attribute__((target("avx2"))) inline __m256i weigh(__m256i pairs, __m256i weights) {
    const __m256i products = _mm256_maddubs_epi16(pairs, weights);
    if constexpr (side == Side::nearTop)
        return _mm256_srli_epi16(
            _mm256_add_epi16(_mm256_and_si256(pairs, _mm256_set1_epi16(short(0xff00))), products),
            8);
    else if constexpr (side == Side::nearBottom)
        return _mm256_srli_epi16(_mm256_add_epi16(_mm256_slli_epi16(pairs, 8), products), 8);
    else
        return _mm256_srli_epi16(products, 7);
}

template <Side side>
__attribute__((target("avx2"))) bool blendRowsFrom(const std::uint32_t* top,
                                                   const std::uint32_t* bottom, int weight,
                                                   std::uint32_t* out, int count) {
    const int w = side == Side::nearTop ? weight : side == Side::half ? 64 : 256 - weight;
    // Byte pairs (bottom, top) times (w, -w), or (-w, w) past half way.
    const short signedPair = side == Side::nearTop      ? short((w & 0xff) | (-w & 0xff) << 8)
                             : side == Side::nearBottom ? short((-w & 0xff) | (w & 0xff) << 8)
                                                        : short(w | w << 8);
    const __m256i weights = _mm256_set1_epi16(signedPair);
    __m256i alpha = _mm256_set1_epi32(-1);
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i t = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(top + i));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bottom + i));
        const __m256i pixels =
            _mm256_packus_epi16(weigh<side>(_mm256_unpacklo_epi8(b, t), weights),
                                weigh<side>(_mm256_unpackhi_epi8(b, t), weights));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), pixels);
        alpha = _mm256_and_si256(alpha, pixels);
    }
    std::uint32_t tail = 0xff000000u;
    for (; i < count; ++i) {
        out[i] = blendPixel(top[i], bottom[i], std::uint32_t(256 - weight), std::uint32_t(weight));
        tail &= out[i];
    }
    return tail >= 0xff000000u && _mm256_testc_si256(alpha, _mm256_set1_epi32(int(0xff000000u)));
}

} // namespace

bool blendRows(const std::uint32_t* top, const std::uint32_t* bottom, int weight,
               std::uint32_t* out, int count) {
    if (weight < 128)
        return blendRowsFrom<Side::nearTop>(top, bottom, weight, out, count);
    if (weight > 128)
        return blendRowsFrom<Side::nearBottom>(top, bottom, weight, out, count);
    return blendRowsFrom<Side::half>(top, bottom, weight, out, count);
}

namespace {

// Eight pixels' left and right columns blended channel by channel in 16
// bits, with the weights of their group.
__attribute__((target("avx2"))) inline __m256i blendGroup(__m256i l, __m256i r,
                                                          const __m256i* weights) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i low =
        _mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpacklo_epi8(l, zero), weights[0]),
                         _mm256_mullo_epi16(_mm256_unpacklo_epi8(r, zero), weights[1]));
    const __m256i high =
        _mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpackhi_epi8(l, zero), weights[2]),
                         _mm256_mullo_epi16(_mm256_unpackhi_epi8(r, zero), weights[3]));
    return _mm256_packus_epi16(_mm256_srli_epi16(low, 8), _mm256_srli_epi16(high, 8));
}

// Eight pixels whose columns all lie within the 8 from `from`, as on an
// enlarged row: each one's left and right picked out of one load.
__attribute__((target("avx2"))) inline __m256i
sampleOneWindow(const std::uint32_t* from, const std::int32_t* offset, const __m256i* weights) {
    const __m256i offsets = _mm256_load_si256(reinterpret_cast<const __m256i*>(offset));
    const __m256i columns = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from));
    return blendGroup(
        _mm256_permutevar8x32_epi32(columns, offsets),
        _mm256_permutevar8x32_epi32(columns, _mm256_add_epi32(offsets, _mm256_set1_epi32(1))),
        weights);
}

// Eight pixels whose first and last four each lie within the 8 columns from
// `first` and `second`, as on a row shrunk to no less than half: each half
// picked out of its own load.
__attribute__((target("avx2"))) inline __m256i sampleTwoWindows(const std::uint32_t* first,
                                                                const std::uint32_t* second,
                                                                const std::int32_t* offset,
                                                                const __m256i* weights) {
    const __m256i offsets = _mm256_load_si256(reinterpret_cast<const __m256i*>(offset));
    const __m256i rightOffsets = _mm256_add_epi32(offsets, _mm256_set1_epi32(1));
    const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(first));
    const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(second));
    const __m256i l = _mm256_blend_epi32(_mm256_permutevar8x32_epi32(a, offsets),
                                         _mm256_permutevar8x32_epi32(b, offsets), 0xf0);
    const __m256i r = _mm256_blend_epi32(_mm256_permutevar8x32_epi32(a, rightOffsets),
                                         _mm256_permutevar8x32_epi32(b, rightOffsets), 0xf0);
    return blendGroup(l, r, weights);
}

// Two pixels anywhere: each one's left and right columns, widened and
// interleaved channel by channel, times its weight pair, back to 8 bits.
__attribute__((target("avx2"))) inline __m256i
samplePair(const std::uint32_t* row, const std::int32_t* left, const std::uint32_t* pairs) {
    // Bytes l r of each channel side by side, widened to 16 bits, so that one
    // multiply-add gives l * (256 - w) + r * w per channel.
    const __m256i interleave =
        _mm256_setr_epi8(0, -1, 4, -1, 1, -1, 5, -1, 2, -1, 6, -1, 3, -1, 7, -1, //
                         0, -1, 4, -1, 1, -1, 5, -1, 2, -1, 6, -1, 3, -1, 7, -1);
    const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + left[0]));
    const __m256i columns = _mm256_inserti128_si256(
        _mm256_castsi128_si256(first),
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + left[1])), 1);
    const __m256i weights = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pairs));
    return _mm256_srli_epi32(_mm256_madd_epi16(_mm256_shuffle_epi8(columns, interleave), weights),
                             8);
}

// Eight pixels, two at a time; after packing the lanes hold pixels
// 0 2 4 6 | 1 3 5 7, put back in order.
__attribute__((target("avx2"))) inline __m256i
sampleApart(const std::uint32_t* row, const std::int32_t* left, const std::uint32_t* pairs) {
    const __m256i s0 = samplePair(row, left, pairs);
    const __m256i s1 = samplePair(row, left + 2, pairs + 8);
    const __m256i s2 = samplePair(row, left + 4, pairs + 16);
    const __m256i s3 = samplePair(row, left + 6, pairs + 24);
    return _mm256_permutevar8x32_epi32(
        _mm256_packus_epi16(_mm256_packs_epi32(s0, s1), _mm256_packs_epi32(s2, s3)),
        _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7));
}

} // namespace

__attribute__((target("avx2"))) bool RowSampling::sample(const std::uint32_t* row,
                                                         std::uint32_t* out) const {
    const std::int32_t* left = left_.data();
    const std::uint32_t* pairs = pairs_.data();
    const int groupCount = int(groups_.size());
    __m256i alpha = _mm256_set1_epi32(-1);
    // One loop for the whole row: a choice per group costs more than it saves.
    const Group* groups = groups_.data();
    const auto weightsOf = [&](int g) {
        return reinterpret_cast<const __m256i*>(groups[g].keepLow);
    };
    switch (kernel_) {
    case Kernel::oneWindow:
        for (int g = 0; g < groupCount; ++g) {
            const __m256i pixels =
                sampleOneWindow(row + left[8 * g], groups[g].offset, weightsOf(g));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 8 * g), pixels);
            alpha = _mm256_and_si256(alpha, pixels);
        }
        break;
    case Kernel::twoWindows:
        for (int g = 0; g < groupCount; ++g) {
            const __m256i pixels = sampleTwoWindows(row + left[8 * g], row + left[8 * g + 4],
                                                    groups[g].halfOffset, weightsOf(g));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 8 * g), pixels);
            alpha = _mm256_and_si256(alpha, pixels);
        }
        break;
    case Kernel::pairs:
        for (int i = 0; i < 8 * groupCount; i += 8) {
            const __m256i pixels = sampleApart(row, left + i, pairs + 4 * i);
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), pixels);
            alpha = _mm256_and_si256(alpha, pixels);
        }
        break;
    }
    const int done = 8 * groupCount;
    const bool tailOpaque = sampleEach(row, left, pairs, out, done, size() - done);
    return tailOpaque && _mm256_testc_si256(alpha, _mm256_set1_epi32(int(0xff000000u)));
}

#else

bool rowPassesAvailable() {
    return false;
}

bool opaque(const std::uint32_t* pixels, int count) {
    std::uint32_t alpha = 0xff000000u;
    for (int i = 0; i < count; ++i)
        alpha &= pixels[i];
    return alpha >= 0xff000000u;
}

bool blendRows(const std::uint32_t* top, const std::uint32_t* bottom, int weight,
               std::uint32_t* out, int count) {
    for (int i = 0; i < count; ++i)
        out[i] = blendPixel(top[i], bottom[i], std::uint32_t(256 - weight), std::uint32_t(weight));
    return opaque(out, count);
}

bool RowSampling::sample(const std::uint32_t* row, std::uint32_t* out) const {
    return sampleEach(row, left_.data(), pairs_.data(), out, 0, size());
}

#endif

} // namespace gfx::stretch
