#include "drivers/gdi/blend_rows_x86.h"

#if defined(__x86_64__)

#include <immintrin.h>

#include "drivers/gdi/blend_pixel.h"

// The SSE2 loops are built for the baseline every x86-64 processor runs. The AVX2 ones are built
// for AVX2 function by function, so that the file needs no flags of its own and nothing built for
// AVX2 is shared with code that runs without it; they run only where BestBlendLevel found AVX2.
#define QUILLET_AVX2 __attribute__((target("avx2")))

namespace {

// Each 16-bit lane of `x` (at most 255 * 255) divided by 255, rounded to nearest, as ByteMul.
inline __m128i Div255(__m128i x) {
  x = _mm_add_epi16(x, _mm_set1_epi16(0x80));
  return _mm_srli_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 8)), 8);
}

// BlendPixel for four pixels at once. Sprites are mostly runs of opaque and of transparent
// pixels, so a group that is all one or all the other is copied or skipped whole.
inline void BlendFour(uint32_t* target, __m128i source, __m128i opaque_key) {
  // The alpha bytes are the top byte of each lane: bits 3, 7, 11 and 15 of a byte mask.
  constexpr int kAlphaBytes = 0x8888;
  const __m128i is_key = _mm_cmpeq_epi32(source, opaque_key);
  if (_mm_movemask_epi8(is_key) == 0 &&
      (_mm_movemask_epi8(_mm_cmpeq_epi8(source, _mm_set1_epi8(-1))) & kAlphaBytes) == kAlphaBytes) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(target), source);
    return;
  }
  if ((_mm_movemask_epi8(_mm_cmpeq_epi8(source, _mm_setzero_si128())) & kAlphaBytes) ==
      kAlphaBytes) {
    return;
  }
  const __m128i old = _mm_loadu_si128(reinterpret_cast<const __m128i*>(target));
  // 255 - alpha of each pixel, in both 16-bit halves of its lane.
  __m128i inverse = _mm_sub_epi32(_mm_set1_epi32(255), _mm_srli_epi32(source, 24));
  inverse = _mm_or_si128(inverse, _mm_slli_epi32(inverse, 16));
  const __m128i zero = _mm_setzero_si128();
  const __m128i low =
      Div255(_mm_mullo_epi16(_mm_unpacklo_epi8(old, zero), _mm_unpacklo_epi32(inverse, inverse)));
  const __m128i high =
      Div255(_mm_mullo_epi16(_mm_unpackhi_epi8(old, zero), _mm_unpackhi_epi32(inverse, inverse)));
  // A premultiplied channel never exceeds its alpha, so the byte sums cannot carry.
  const __m128i blended = _mm_add_epi8(source, _mm_packus_epi16(low, high));
  const __m128i kept = _mm_or_si128(_mm_and_si128(is_key, old), _mm_andnot_si128(is_key, blended));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(target), kept);
}

// Source pixels i to i + 3 of a row, in destination order.
template <EColumnOrder kOrder>
inline __m128i LoadFour(const uint32_t* source, const int32_t* columns, size_t i) {
  if constexpr (kOrder == EColumnOrder::kForward) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
  } else if constexpr (kOrder == EColumnOrder::kBackward) {
    const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source - i - 3));
    return _mm_shuffle_epi32(four, _MM_SHUFFLE(0, 1, 2, 3));
  } else {
    return _mm_setr_epi32(
        static_cast<int>(source[columns[i]]), static_cast<int>(source[columns[i + 1]]),
        static_cast<int>(source[columns[i + 2]]), static_cast<int>(source[columns[i + 3]]));
  }
}

template <EColumnOrder kOrder>
void BlendRowSse2(uint32_t* target, const uint32_t* source, const int32_t* columns, size_t count,
                  uint32_t opaque_key) {
  const __m128i key = _mm_set1_epi32(static_cast<int>(opaque_key));
  size_t i = 0;
  for (; i + 4 <= count; i += 4) {
    BlendFour(target + i, LoadFour<kOrder>(source, columns, i), key);
  }
  BlendPixels<kOrder>(target, source, columns, i, count, opaque_key);
}

// BlendPixel for eight pixels at once, with the same shortcuts as BlendFour.
QUILLET_AVX2 inline void BlendEight(uint32_t* target, __m256i source, __m256i opaque_key) {
  const __m256i alpha_bits = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
  if (_mm256_testz_si256(source, alpha_bits)) {
    return;  // all transparent
  }
  const __m256i is_key = _mm256_cmpeq_epi32(source, opaque_key);
  if (_mm256_testc_si256(source, alpha_bits) && _mm256_testz_si256(is_key, is_key)) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(target), source);  // all opaque, none keyed
    return;
  }
  const __m256i old = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(target));
  // 255 - alpha of each pixel in both 16-bit halves of its lane: the alpha byte spread by a
  // shuffle, then flipped.
  const __m256i spread_alpha =
      _mm256_setr_epi8(3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1,  //
                       3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1);
  const __m256i low_bytes = _mm256_set1_epi16(0x00FF);
  const __m256i inverse = _mm256_xor_si256(_mm256_shuffle_epi8(source, spread_alpha), low_bytes);
  // Blue and red in the low bytes of the 16-bit halves, green and alpha in the high bytes; each
  // times the inverse alpha, divided by 255 rounded to nearest, as ByteMul.
  const __m256i half = _mm256_set1_epi16(0x80);
  __m256i even =
      _mm256_add_epi16(_mm256_mullo_epi16(_mm256_and_si256(old, low_bytes), inverse), half);
  even = _mm256_srli_epi16(_mm256_add_epi16(even, _mm256_srli_epi16(even, 8)), 8);
  __m256i odd = _mm256_add_epi16(_mm256_mullo_epi16(_mm256_srli_epi16(old, 8), inverse), half);
  odd = _mm256_andnot_si256(low_bytes, _mm256_add_epi16(odd, _mm256_srli_epi16(odd, 8)));
  // A premultiplied channel never exceeds its alpha, so the byte sums cannot carry, and a
  // transparent pixel is zero, so adding it leaves the destination as it was.
  const __m256i blended = _mm256_add_epi8(source, _mm256_or_si256(even, odd));
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(target), _mm256_blendv_epi8(blended, old, is_key));
}

// Source pixels i to i + 7 of a row, in destination order.
template <EColumnOrder kOrder>
QUILLET_AVX2 inline __m256i LoadEight(const uint32_t* source, const int32_t* columns, size_t i) {
  if constexpr (kOrder == EColumnOrder::kForward) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + i));
  } else if constexpr (kOrder == EColumnOrder::kBackward) {
    const __m256i eight = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source - i - 7));
    return _mm256_permutevar8x32_epi32(eight, _mm256_setr_epi32(7, 6, 5, 4, 3, 2, 1, 0));
  } else {
    // A gather is slower than plain loads on many processors.
    return _mm256_setr_epi32(
        static_cast<int>(source[columns[i]]), static_cast<int>(source[columns[i + 1]]),
        static_cast<int>(source[columns[i + 2]]), static_cast<int>(source[columns[i + 3]]),
        static_cast<int>(source[columns[i + 4]]), static_cast<int>(source[columns[i + 5]]),
        static_cast<int>(source[columns[i + 6]]), static_cast<int>(source[columns[i + 7]]));
  }
}

template <EColumnOrder kOrder>
QUILLET_AVX2 void BlendRowAvx2(uint32_t* target, const uint32_t* source, const int32_t* columns,
                               size_t count, uint32_t opaque_key) {
  const __m256i key = _mm256_set1_epi32(static_cast<int>(opaque_key));
  size_t i = 0;
  for (; i + 8 <= count; i += 8) {
    BlendEight(target + i, LoadEight<kOrder>(source, columns, i), key);
  }
  if (i + 4 <= count) {
    BlendFour(target + i, LoadFour<kOrder>(source, columns, i), _mm256_castsi256_si128(key));
    i += 4;
  }
  BlendPixels<kOrder>(target, source, columns, i, count, opaque_key);
}

}  // namespace

const TBlendRows kSse2BlendRows = {
    BlendRowSse2<EColumnOrder::kForward>,
    BlendRowSse2<EColumnOrder::kBackward>,
    BlendRowSse2<EColumnOrder::kTable>,
};

const TBlendRows kAvx2BlendRows = {
    BlendRowAvx2<EColumnOrder::kForward>,
    BlendRowAvx2<EColumnOrder::kBackward>,
    BlendRowAvx2<EColumnOrder::kTable>,
};

#endif
