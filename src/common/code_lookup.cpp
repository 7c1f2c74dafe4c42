#include "common/code_lookup.h"

#include <memory>

namespace ze::detail {
namespace {

std::unique_ptr<UcsMap> Expand(const tables::CodePair* pairs, std::size_t count) {
    auto map = std::make_unique<UcsMap>();
    map->fill(0);
    for (std::uint16_t c = 0; c < 0x80; ++c) {
        (*map)[c] = c;
    }
    for (std::size_t i = 0; i < count; ++i) {
        (*map)[pairs[i].from] = pairs[i].to;
    }
    return map;
}

Utf8Code CodeOf(std::uint32_t c) {
    Utf8Code code{};
    code.size = static_cast<std::uint8_t>(PutUtf8(code.bytes, c) - code.bytes);
    return code;
}

std::unique_ptr<PairUtf8Map> PairsToUtf8(const std::uint16_t* ucs, std::uint32_t unassigned) {
    auto map = std::make_unique<PairUtf8Map>();
    for (std::size_t i = 0; i < map->size(); ++i) {
        if (ucs[i] != 0) {
            (*map)[i] = CodeOf(ucs[i]);
        } else if (unassigned != 0) {
            (*map)[i] = CodeOf(unassigned);
        } else {
            (*map)[i] = Utf8Code{};
        }
    }
    return map;
}

}  // namespace

const PairUtf8Map& NkfPairsToUtf8() {
    static const std::unique_ptr<PairUtf8Map> map = PairsToUtf8(tables::kNkfSjisToUcs, 0);
    return *map;
}

const PairUtf8Map& Cp932PairsToUtf8() {
    static const std::unique_ptr<PairUtf8Map> map = PairsToUtf8(tables::kCp932ToUcs, 0xFFFD);
    return *map;
}

const std::array<Utf8Code, tables::kKanaCount>& HalfKanaToUtf8() {
    static const std::array<Utf8Code, tables::kKanaCount> kana = [] {
        std::array<Utf8Code, tables::kKanaCount> k{};
        for (int i = 0; i < tables::kKanaCount; ++i) {
            k[static_cast<std::size_t>(i)] = CodeOf(0xFF61u + static_cast<std::uint32_t>(i));
        }
        return k;
    }();
    return kana;
}

const UcsMap& NkfUcsToSjis() {
    static const std::unique_ptr<UcsMap> map =
        Expand(tables::kNkfUcsToSjis, tables::kNkfUcsToSjisCount);
    return *map;
}

const UcsMap& UcsToCp932() {
    static const std::unique_ptr<UcsMap> map =
        Expand(tables::kUcsToCp932, tables::kUcsToCp932Count);
    return *map;
}

const std::array<std::uint16_t, tables::kLeadCount * tables::kTrailCount>& NkfSjisKeep() {
    using Keep = std::array<std::uint16_t, tables::kLeadCount * tables::kTrailCount>;
    static const Keep keep = [] {
        Keep k{};
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            const int li = tables::LeadIndex(static_cast<unsigned char>(lead));
            if (li < 0) {
                continue;
            }
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                const int idx = li * tables::kTrailCount + (trail - 0x40);
                if (tables::kCp932ToUcs[idx] != 0) {
                    k[idx] = static_cast<std::uint16_t>(lead << 8 | trail);
                }
            }
        }
        for (std::size_t i = 0; i < tables::kNkfSjisRemapCount; ++i) {
            const auto& r = tables::kNkfSjisRemap[i];
            const int idx =
                tables::LeadIndex(static_cast<unsigned char>(r.from >> 8)) * tables::kTrailCount +
                ((r.from & 0xFF) - 0x40);
            k[idx] = r.to;
        }
        return k;
    }();
    return keep;
}

int Utf8SequenceLength(const unsigned char* s, std::size_t n, std::size_t i) {
    const unsigned char b = s[i];
    if (b < 0x80) {
        return 1;
    }
    auto cont = [&](std::size_t k) { return i + k < n && (s[i + k] & 0xC0) == 0x80; };
    if (b >= 0xC2 && b <= 0xDF) {
        return cont(1) ? 2 : 0;
    }
    if (b >= 0xE0 && b <= 0xEF) {
        if (!cont(1) || !cont(2)) {
            return 0;
        }
        const unsigned char c = s[i + 1];
        if ((b == 0xE0 && c < 0xA0) || (b == 0xED && c >= 0xA0)) {
            return 0;
        }
        return 3;
    }
    if (b >= 0xF0 && b <= 0xF4) {
        if (!cont(1) || !cont(2) || !cont(3)) {
            return 0;
        }
        const unsigned char c = s[i + 1];
        if ((b == 0xF0 && c < 0x90) || (b == 0xF4 && c >= 0x90)) {
            return 0;
        }
        return 4;
    }
    return 0;
}

std::uint32_t DecodeUtf8(const unsigned char* s, int len) {
    switch (len) {
        case 1:
            return s[0];
        case 2:
            return (s[0] & 0x1Fu) << 6 | (s[1] & 0x3Fu);
        case 3:
            return (s[0] & 0x0Fu) << 12 | (s[1] & 0x3Fu) << 6 | (s[2] & 0x3Fu);
        default:
            return (s[0] & 0x07u) << 18 | (s[1] & 0x3Fu) << 12 | (s[2] & 0x3Fu) << 6 |
                   (s[3] & 0x3Fu);
    }
}

}  // namespace ze::detail
