#pragma once

#include <cstddef>
#include <cstdint>

// Mapping tables captured from nkf 2.1.5 and glibc's CP932 by scripts/gen-code-tables.py.
// Double-byte tables are indexed by LeadIndex() * kTrailCount + (trail - 0x40).
namespace ze::tables {

inline constexpr int kLeadCount = 60;    // 0x81-0x9F and 0xE0-0xFC
inline constexpr int kTrailCount = 189;  // 0x40-0xFC, 0x7F included
inline constexpr int kKanaCount = 63;    // 0xA1-0xDF

struct CodePair {
    std::uint16_t from;
    std::uint16_t to;
};

// -1 when `lead` does not start a double-byte code.
constexpr int LeadIndex(unsigned char lead) {
    if (lead >= 0x81 && lead <= 0x9F)
        return lead - 0x81;
    if (lead >= 0xE0 && lead <= 0xFC)
        return lead - 0xE0 + 31;
    return -1;
}

// nkf -Sw: double-byte code to BMP scalar, 0 where nkf drops the code.
extern const std::uint16_t kNkfSjisToUcs[kLeadCount * kTrailCount];
// nkf -Sw: half-width katakana 0xA1+i widened alone, with a following 0xDE and with a
// following 0xDF; 0 where the mark does not combine with that kana.
extern const std::uint16_t kNkfKanaToUcs[kKanaCount][3];
// nkf -Wxs: non-ASCII BMP scalar to Shift_JIS (one byte for half-width katakana), sorted.
extern const CodePair kNkfUcsToSjis[];
extern const std::size_t kNkfUcsToSjisCount;
// nkf -Sxs: CP932 codes that nkf rewrites (NEC-selected IBM rows to the IBM rows), sorted.
extern const CodePair kNkfSjisRemap[];
extern const std::size_t kNkfSjisRemapCount;
// glibc CP932: double-byte code to BMP scalar, 0 where unassigned.
extern const std::uint16_t kCp932ToUcs[kLeadCount * kTrailCount];
// glibc CP932: non-ASCII BMP scalar to CP932 (one byte for half-width katakana), sorted.
extern const CodePair kUcsToCp932[];
extern const std::size_t kUcsToCp932Count;

}  // namespace ze::tables
