// The candidate scan of the word search: one forward pass over a range of memory that finds,
// one after another, the places where a byte equals either of two values (a query's first
// byte in its two letter cases) and, when asked, the byte after it either of two more (the
// query's second byte in the forms that fold to it). The range is read in blocks of 64 places,
// each turned into a mask with one bit per place, so that candidates close together cost one
// look at memory between them.
//
// On x86-64 the blocks are tested 16 bytes at a time with SSE2, which every such processor has;
// on every other target (32-bit x86 included) 8 bytes at a time in portable code. Wider vectors
// bring little here: one SSE2 pass already reads about as fast as memory delivers.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__) || defined(_M_X64)
#include <emmintrin.h>
#define GDICT_CANDIDATE_SCAN_SSE2 1
#endif

namespace candidatescan {

constexpr std::ptrdiff_t kBlock = 64;

// What a candidate is: a place whose byte is first[0] or first[1] and, when pair is set, whose
// next byte is second[0] or second[1].
struct Pattern {
    unsigned char first[2];
    bool pair = false;
    unsigned char second[2] = {};
};

// Block masks in portable code, 8 bytes at a time.
class PortableBlocks {
public:
    explicit PortableBlocks(const Pattern& pattern)
        : m_pattern(pattern),
          m_first{pattern.first[0] * kEveryByte, pattern.first[1] * kEveryByte},
          m_second{pattern.second[0] * kEveryByte, pattern.second[1] * kEveryByte} {}

    // Bit i set when place p + i is a candidate, for the places of [p, min(p + kBlock, end));
    // the bits past end are clear. Reads the bytes of those places and, for a pair pattern,
    // the byte after each. REQUIRES: p <= end.
    std::uint64_t Marks(const char* p, const char* end) const {
        const std::ptrdiff_t n = std::min(end - p, kBlock);
        std::uint64_t marks = 0;
        std::ptrdiff_t i = 0;
        for (; i + 8 <= n; i += 8) {
            std::uint64_t found = EitherBytes(LoadLittleEndian(p + i), m_first);
            if (found != 0 && m_pattern.pair) {
                found &= EitherBytes(LoadLittleEndian(p + i + 1), m_second);
            }
            marks |= GatherHighBits(found) << i;
        }
        for (; i < n; ++i) {
            if (Either(p[i], m_pattern.first) &&
                (!m_pattern.pair || Either(p[i + 1], m_pattern.second))) {
                marks |= std::uint64_t{1} << i;
            }
        }
        return marks;
    }

    // The number of bytes of [from, to) equal to value. REQUIRES: from <= to.
    static std::size_t Count(const char* from, const char* to, unsigned char value) {
        const std::uint64_t every = value * kEveryByte;
        std::size_t count = 0;
        const char* p = from;
        for (; to - p >= 8; p += 8) {
            // One bit in each byte that equals value, added up across the word by the multiply.
            const std::uint64_t ones = ZeroBytes(LoadLittleEndian(p) ^ every) >> 7;
            count += static_cast<std::size_t>(ones * kEveryByte >> 56);
        }
        for (; p != to; ++p) count += static_cast<unsigned char>(*p) == value;
        return count;
    }

private:
    static constexpr std::uint64_t kEveryByte = 0x0101010101010101;
    static constexpr std::uint64_t kLowBits = 0x7F7F7F7F7F7F7F7F;

    static bool Either(char byte, const unsigned char (&values)[2]) {
        const auto b = static_cast<unsigned char>(byte);
        return b == values[0] || b == values[1];
    }
    // The 8 bytes at p, the first in the lowest bits.
    static std::uint64_t LoadLittleEndian(const char* p) {
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        if constexpr (std::endian::native == std::endian::big) {
            std::uint64_t swapped = 0;
            for (int i = 0; i < 8; ++i) swapped |= (word >> (8 * i) & 0xFF) << (56 - 8 * i);
            word = swapped;
        }
        return word;
    }
    // The high bit set in exactly the bytes of word that are zero (no carry crosses a byte).
    static constexpr std::uint64_t ZeroBytes(std::uint64_t word) {
        return ~(((word & kLowBits) + kLowBits) | word | kLowBits);
    }
    // The high bit set in the bytes of word equal to the byte repeated in either of every.
    static constexpr std::uint64_t EitherBytes(std::uint64_t word,
                                               const std::uint64_t (&every)[2]) {
        return ZeroBytes(word ^ every[0]) | ZeroBytes(word ^ every[1]);
    }
    // Bit i of the result is the high bit of byte i of highBits, which has no other bits set.
    static constexpr std::uint64_t GatherHighBits(std::uint64_t highBits) {
        return (highBits >> 7) * 0x0102040810204080 >> 56;
    }

    Pattern m_pattern;
    std::uint64_t m_first[2];
    std::uint64_t m_second[2];
};

#ifdef GDICT_CANDIDATE_SCAN_SSE2

// Block masks with SSE2, 16 bytes at a time; the same contract as PortableBlocks.
class Sse2Blocks {
public:
    explicit Sse2Blocks(const Pattern& pattern)
        : m_first{Every(pattern.first[0]), Every(pattern.first[1])},
          m_second{Every(pattern.second[0]), Every(pattern.second[1])},
          m_pair(pattern.pair),
          m_rest(pattern) {}

    std::uint64_t Marks(const char* p, const char* end) const {
        if (end - p < kBlock) return LastMarks(p, end);
        // The second byte only where the first one is found: most blocks have no candidate.
        const std::uint64_t first = Marks64(p, m_first);
        return first == 0 || !m_pair ? first : first & Marks64(p + 1, m_second);
    }

    static std::size_t Count(const char* from, const char* to, unsigned char value) {
        const __m128i every = Every(value);
        std::size_t count = 0;
        const char* p = from;
        while (to - p >= 16) {
            // Each byte of sums counts up to 255 matches before the sums are added up.
            const char* const stop = p + 16 * std::min<std::ptrdiff_t>((to - p) / 16, 255);
            __m128i sums = _mm_setzero_si128();
            for (; p != stop; p += 16) {
                const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
                sums = _mm_sub_epi8(sums, _mm_cmpeq_epi8(bytes, every));
            }
            const __m128i halves = _mm_sad_epu8(sums, _mm_setzero_si128());
            count += static_cast<std::size_t>(_mm_cvtsi128_si32(halves)) +
                     static_cast<std::size_t>(_mm_extract_epi16(halves, 4));
        }
        return count + PortableBlocks::Count(p, to, value);
    }

private:
    // The marks of a block cut short by the end of the range.
    std::uint64_t LastMarks(const char* p, const char* end) const {
        std::uint64_t marks = 0;
        std::ptrdiff_t i = 0;
        for (; end - (p + i) >= 16; i += 16) {
            unsigned found = Marks16(p + i, m_first);
            if (m_pair) found &= Marks16(p + i + 1, m_second);
            marks |= std::uint64_t{found} << i;
        }
        return marks | m_rest.Marks(p + i, end) << i;
    }

    static __m128i Every(unsigned char byte) { return _mm_set1_epi8(static_cast<char>(byte)); }
    // Bit i set when p[i] is either byte of every, for the 16 bytes at p.
    static unsigned Marks16(const char* p, const __m128i (&every)[2]) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        return static_cast<unsigned>(_mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi8(bytes, every[0]), _mm_cmpeq_epi8(bytes, every[1]))));
    }
    static std::uint64_t Marks64(const char* p, const __m128i (&every)[2]) {
        return Marks16(p, every) | std::uint64_t{Marks16(p + 16, every)} << 16 |
               std::uint64_t{Marks16(p + 32, every)} << 32 |
               std::uint64_t{Marks16(p + 48, every)} << 48;
    }

    __m128i m_first[2];
    __m128i m_second[2];
    bool m_pair;
    // The last places of a range, fewer than 16.
    PortableBlocks m_rest;
};

using Blocks = Sse2Blocks;
#else
using Blocks = PortableBlocks;
#endif

// The candidates of the places [from, end), in memory order. Reads no byte outside the range
// but, for a pair pattern, the one at end.
template <class AnyBlocks>
class BasicScan {
public:
    // REQUIRES: from <= end.
    BasicScan(const char* from, const char* end, const Pattern& pattern)
        : m_blocks(pattern), m_block(from), m_end(end), m_marks(m_blocks.Marks(from, end)) {}

    // The next candidate, or end when there is none left.
    const char* Next() {
        while (m_marks == 0) {
            if (m_end - m_block <= kBlock) return m_end;
            m_block += kBlock;
            m_marks = m_blocks.Marks(m_block, m_end);
        }
        const char* const found = m_block + std::countr_zero(m_marks);
        m_marks &= m_marks - 1;
        return found;
    }

    // Leaves out the places before p. REQUIRES: p beyond the place Next returned last, p <= end.
    void SkipTo(const char* p) {
        if (p - m_block < kBlock) {
            m_marks &= ~std::uint64_t{0} << (p - m_block);
        } else {
            m_block = p;
            m_marks = m_blocks.Marks(p, m_end);
        }
    }

private:
    AnyBlocks m_blocks;
    const char* m_block;  // the first place of m_marks
    const char* m_end;
    std::uint64_t m_marks;  // the candidates of the block not returned yet
};

using Scan = BasicScan<Blocks>;

// The number of bytes of [from, to) equal to value. REQUIRES: from <= to.
inline std::size_t Count(const char* from, const char* to, unsigned char value) {
    return Blocks::Count(from, to, value);
}

}  // namespace candidatescan
