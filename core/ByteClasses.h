#pragma once

// Byte classes tested sixteen bytes at a time, for the line scanners of numbers and text.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

// The classes of 16 bytes that line scanners test, one bit per byte from the lowest. Held in 32
// bits, so that a carry running off the last byte stays visible.
namespace kiv {

struct ByteClasses {
  std::uint32_t digits = 0;    // '0' to '9'
  std::uint32_t blanks = 0;    // code 32 or less, the line feed excepted
  std::uint32_t lineFeeds = 0; // '\n'

  bool operator==(const ByteClasses&) const = default;
};

inline constexpr int kClassifiedBytes = 16;

// What separates the words of a model file: any character of code 32 or less.
inline constexpr bool IsSeparator(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

// Byte by byte: the reference, and the way on processors without the vector instructions below.
inline ByteClasses ClassifyBytesOneByOne(const char* bytes) {
  ByteClasses classes;
  for (int i = 0; i < kClassifiedBytes; ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    const std::uint32_t bit = std::uint32_t{1} << i;
    if (c >= '0' && c <= '9')
      classes.digits |= bit;
    else if (c == '\n')
      classes.lineFeeds |= bit;
    else if (IsSeparator(bytes[i]))
      classes.blanks |= bit;
  }
  return classes;
}

#if defined(__SSE2__) || defined(_M_X64)
namespace detail {
inline std::uint32_t ByteMarks(__m128i marks) {
  return static_cast<std::uint32_t>(_mm_movemask_epi8(marks));
}
// Unsigned "at most": the bytes that the unsigned minimum leaves unchanged.
inline __m128i AtMost(__m128i bytes, char limit) {
  return _mm_cmpeq_epi8(_mm_min_epu8(bytes, _mm_set1_epi8(limit)), bytes);
}
} // namespace detail

// Inlined where only some classes are used, it computes only those.
inline ByteClasses ClassifyBytes(const char* bytes) {
  using namespace detail;
  const __m128i loaded = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
  ByteClasses classes;
  classes.lineFeeds = ByteMarks(_mm_cmpeq_epi8(loaded, _mm_set1_epi8('\n')));
  classes.digits = ByteMarks(AtMost(_mm_sub_epi8(loaded, _mm_set1_epi8('0')), 9));
  classes.blanks = ByteMarks(AtMost(loaded, 32)) & ~classes.lineFeeds;
  return classes;
}
#else
inline ByteClasses ClassifyBytes(const char* bytes) {
  return ClassifyBytesOneByOne(bytes);
}
#endif

// The line feeds from begin to end: sixteen bytes at a time, counted in byte-wide sums of up to
// 255 blocks, which cannot overflow, where the vector instructions are there.
inline std::uint64_t CountLineFeeds(const char* begin, const char* end) {
  std::uint64_t count = 0;
#if defined(__SSE2__) || defined(_M_X64)
  const __m128i lineFeed = _mm_set1_epi8('\n');
  while (end - begin >= kClassifiedBytes) {
    const std::ptrdiff_t blocks = std::min<std::ptrdiff_t>((end - begin) / kClassifiedBytes, 255);
    __m128i sums = _mm_setzero_si128();
    for (std::ptrdiff_t i = 0; i < blocks; ++i, begin += kClassifiedBytes)
      sums = _mm_sub_epi8(
          sums, _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(begin)), lineFeed));
    const __m128i halves = _mm_sad_epu8(sums, _mm_setzero_si128());
    count += static_cast<std::uint64_t>(_mm_cvtsi128_si32(halves)) +
             static_cast<std::uint64_t>(_mm_extract_epi16(halves, 4));
  }
#endif
  return count + static_cast<std::uint64_t>(std::count(begin, end, '\n'));
}

} // namespace kiv
