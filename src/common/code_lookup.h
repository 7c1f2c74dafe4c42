#pragma once

#include <array>
#include <cstdint>
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

// Length of the well-formed UTF-8 sequence at s[i] (1-4), or 0 when it is not one:
// overlong forms, surrogates and scalars above U+10FFFF are not well formed.
int Utf8SequenceLength(const unsigned char* s, std::size_t n, std::size_t i);
// The scalar of a well-formed sequence of length `len` at `s`.
std::uint32_t DecodeUtf8(const unsigned char* s, int len);

// Grows `out` by `bound` bytes, lets `fill` write from its old end, then cuts it to
// what was written.
template <typename Fill>
void AppendBounded(std::string& out, std::size_t bound, Fill fill) {
    const std::size_t start = out.size();
    out.resize(start + bound);
    char* const first = out.data() + start;
    const char* const end = fill(first);
    out.resize(start + static_cast<std::size_t>(end - first));
}

// AppendBounded into a new string.
template <typename Fill>
std::string WriteBounded(std::size_t bound, Fill fill) {
    std::string out;
    AppendBounded(out, bound, fill);
    return out;
}

}  // namespace ze::detail
