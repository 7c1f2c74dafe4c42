#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

#include "common/code_tables.h"

// Dense lookups built once from the compact generated tables, and the small byte
// helpers the codecs share.
namespace ze::detail {

using UcsMap = std::array<std::uint16_t, 0x10000>;

// nkf -Wxs: BMP scalar to Shift_JIS, 0 where nkf drops the character. ASCII maps to itself.
const UcsMap& NkfUcsToSjis();
// glibc CP932: BMP scalar to CP932, 0 where CP932 has no code. ASCII maps to itself.
const UcsMap& UcsToCp932();
// A character's UTF-8 bytes and how many there are, written with one four-byte store
// (the writer keeps a spare byte after its end) instead of a branch per length.
struct Utf8Code {
    char bytes[3];
    std::uint8_t size;
};
static_assert(sizeof(Utf8Code) == 4);
using PairUtf8Map = std::array<Utf8Code, tables::kLeadCount * tables::kTrailCount>;

// nkf -Sw: double-byte code to its UTF-8, indexed like the double-byte tables; size 0
// where nkf drops the code.
const PairUtf8Map& NkfPairsToUtf8();
// glibc CP932: double-byte code to its UTF-8, U+FFFD where CP932 assigns nothing.
const PairUtf8Map& Cp932PairsToUtf8();
// Half-width katakana 0xA1+i as UTF-8 (U+FF61+i).
const std::array<Utf8Code, tables::kKanaCount>& HalfKanaToUtf8();

// Writes `code` at `p`, clobbering the byte after it; returns the position after it.
inline char* PutCode(char* p, Utf8Code code) {
    std::memcpy(p, &code, sizeof code);
    return p + code.size;
}

// nkf -Sxs over the CP932 codes, indexed like the double-byte tables: the code nkf
// writes, or 0 for a code CP932 does not assign.
const std::array<std::uint16_t, tables::kLeadCount * tables::kTrailCount>& NkfSjisKeep();

inline bool IsTrail(unsigned char b) {
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}
inline bool IsHalfKana(unsigned char b) {
    return b >= 0xA1 && b <= 0xDF;
}

// Writes a BMP scalar as UTF-8 at `p`; returns the position after it.
inline char* PutUtf8(char* p, std::uint32_t c) {
    if (c < 0x80) {
        *p++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *p++ = static_cast<char>(0xC0 | (c >> 6));
        *p++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *p++ = static_cast<char>(0xE0 | (c >> 12));
        *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *p++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return p;
}

// Writes a Shift_JIS code of one byte (below 0x100) or two bytes; 0 writes nothing.
inline char* PutSjis(char* p, std::uint16_t code) {
    if (code > 0xFF) {
        *p++ = static_cast<char>(code >> 8);
    }
    if (code != 0) {
        *p++ = static_cast<char>(code & 0xFF);
    }
    return p;
}

// Copies the bytes below 0x80 from s[i] on, up to the first other byte or `end`, to
// `out`; returns where it stopped and moves `out` past what it wrote. Text is mostly
// ASCII, so eight bytes are tested and moved at once. May write up to eight bytes
// past the new `out`, never more than the bytes it looked at.
inline std::size_t CopyAscii(const unsigned char* s, std::size_t i, std::size_t end, char*& out) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    while (i + 8 <= end) {
        std::uint64_t word = 0;
        std::memcpy(&word, s + i, 8);
        std::memcpy(out, &word, 8);
        if (const std::uint64_t high = word & kHighBits; high != 0) {
            if constexpr (std::endian::native == std::endian::little) {
                const auto ascii = static_cast<std::size_t>(std::countr_zero(high) / 8);
                out += ascii;
                return i + ascii;
            }
            break;
        }
        out += 8;
        i += 8;
    }
    while (i < end && s[i] < 0x80) {
        *out++ = static_cast<char>(s[i++]);
    }
    return i;
}

// Whether every byte of s[0, n) is below 0x80, tested eight at a time.
inline bool IsAscii(const unsigned char* s, std::size_t n) {
    std::uint64_t any = 0;
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, s + i, 8);
        any |= word;
    }
    for (; i < n; ++i) {
        any |= s[i];
    }
    return (any & 0x8080808080808080u) == 0;
}

// Converted text written to a buffer on the stack and appended to a string a few
// kilobytes at a time. A string grows only by filling its new bytes first (before
// C++23), and filling a worst-case bound before converting (three bytes out per
// byte in) cost more than the conversion itself.
//
// A converter works in steps of at most kStep input bytes, calling Ready() before
// each: a step may write kMaxOut bytes per input byte, plus one character past the
// step's end and the stores that clobber a few bytes beyond.
template <std::size_t kMaxOut>
class StagedOut {
public:
    static constexpr std::size_t kStep = 1024;

    // `expected` is the size the result usually reaches, reserved when it will not fit
    // in one append so that a long text is not copied as the string grows; a longer
    // result only grows the string. Not the worst case: memory reserved far beyond
    // what is written is a fresh mapping each time, whose every written page faults,
    // where a block of the usual size is reused from the heap.
    StagedOut(std::string& to, std::size_t expected) : to_(to) {
        if (expected > kFlushAt) {
            to_.reserve(to_.size() + expected);
        }
    }
    StagedOut(const StagedOut&) = delete;
    StagedOut& operator=(const StagedOut&) = delete;

    char* Begin() { return buffer_; }

    // Where the next step writes: `out`, or the start of the buffer once what came
    // before has been appended.
    char* Ready(char* out) {
        if (out - buffer_ > static_cast<std::ptrdiff_t>(kFlushAt)) {
            to_.append(buffer_, static_cast<std::size_t>(out - buffer_));
            return buffer_;
        }
        return out;
    }

    void Finish(char* out) { to_.append(buffer_, static_cast<std::size_t>(out - buffer_)); }

private:
    static constexpr std::size_t kFlushAt = 8192;
    static constexpr std::size_t kSlack = 64;
    std::string& to_;
    char buffer_[kFlushAt + kStep * kMaxOut + kSlack];
};

// How many bytes of s[0, n) are 0x80 or above, counted eight at a time.
inline std::size_t CountHighBytes(const unsigned char* s, std::size_t n) {
    constexpr std::uint64_t kLowBits = 0x0101010101010101u;
    constexpr std::uint64_t kEvenBytes = 0x00FF00FF00FF00FFu;
    std::size_t count = 0;
    std::size_t i = 0;
    while (i + 8 <= n) {
        // Eight counters of a byte each, folded before any can pass 255.
        std::uint64_t lanes = 0;
        for (int k = 0; k < 255 && i + 8 <= n; ++k, i += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, s + i, 8);
            lanes += (word >> 7) & kLowBits;
        }
        const std::uint64_t pairs = (lanes & kEvenBytes) + ((lanes >> 8) & kEvenBytes);
        count += static_cast<std::size_t>((pairs * 0x0001000100010001u) >> 48);
    }
    for (; i < n; ++i) {
        count += s[i] >> 7;
    }
    return count;
}

// What Shift_JIS text of n bytes, `high` of them 0x80 or above, usually takes in UTF-8:
// a double-byte code becomes three bytes and ASCII stays as it is, so one more byte
// for each high byte is exact for a code with an ASCII trail byte and generous for
// one with two high bytes. Only half-width katakana, one byte to three, take more.
inline std::size_t Utf8SizeOfSjis(std::size_t n, std::size_t high) {
    return n + high + 16;
}

// Length of the well-formed UTF-8 sequence at s[i] (1-4), or 0 when it is not one:
// overlong forms, surrogates and scalars above U+10FFFF are not well formed.
// The character of the well-formed three-byte UTF-8 sequence at s[i] (all
// of Japanese), or 0 where there is none: fewer than three bytes left, no
// lead byte of three, a missing continuation byte, an overlong form or a
// surrogate; those take the general path.
inline std::uint32_t ThreeByteCharAt(const unsigned char* s, std::size_t n, std::size_t i) {
    const auto isCont = [](unsigned char b) { return (b & 0xC0) == 0x80; };
    if (i + 2 >= n) {
        return 0;
    }
    const unsigned char b = s[i];
    if (b < 0xE0 || b > 0xEF || !isCont(s[i + 1]) || !isCont(s[i + 2])) {
        return 0;
    }
    const std::uint32_t c = (b & 0x0Fu) << 12 | (s[i + 1] & 0x3Fu) << 6 | (s[i + 2] & 0x3Fu);
    return c < 0x800 || (c >= 0xD800 && c < 0xE000) ? 0 : c;
}

int Utf8SequenceLength(const unsigned char* s, std::size_t n, std::size_t i);
// The scalar of a well-formed sequence of length `len` at `s`.
std::uint32_t DecodeUtf8(const unsigned char* s, int len);

}  // namespace ze::detail
