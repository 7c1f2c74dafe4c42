#include "common/cp932.h"

#include "common/code_lookup.h"

namespace ze {
namespace {

constexpr std::uint32_t kReplacement = 0xFFFD;

}  // namespace

std::string Cp932ToUtf8(std::string_view sjis) {
    const auto* s = reinterpret_cast<const unsigned char*>(sjis.data());
    const std::size_t n = sjis.size();
    // Three bytes of UTF-8 at most per byte (a katakana byte, or U+FFFD for a bad byte).
    return detail::WriteBounded(n * 3, [&](char* out) {
        for (std::size_t i = 0; i < n;) {
            const unsigned char b = s[i];
            if (b < 0x80) {
                *out++ = static_cast<char>(b);
                ++i;
            } else if (detail::IsHalfKana(b)) {
                out = detail::PutUtf8(out, 0xFF61u + (b - 0xA1u));
                ++i;
            } else if (tables::LeadIndex(b) >= 0 && i + 1 < n && detail::IsTrail(s[i + 1])) {
                // A well-shaped pair is one character even when CP932 leaves it unassigned,
                // so the trail byte is not read again as a character of its own.
                const std::uint16_t c =
                    tables::kCp932ToUcs[tables::LeadIndex(b) * tables::kTrailCount +
                                        (s[i + 1] - 0x40)];
                out = detail::PutUtf8(out, c != 0 ? c : kReplacement);
                i += 2;
            } else {
                out = detail::PutUtf8(out, kReplacement);
                ++i;
            }
        }
        return out;
    });
}

std::string Utf8ToCp932(std::string_view utf8) {
    const auto& map = detail::UcsToCp932();
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t n = utf8.size();
    return detail::WriteBounded(n, [&](char* out) {
        for (std::size_t i = 0; i < n;) {
            const int len = detail::Utf8SequenceLength(s, n, i);
            if (len == 0) {
                *out++ = '?';
                ++i;
                continue;
            }
            const std::uint32_t c = detail::DecodeUtf8(s + i, len);
            i += static_cast<std::size_t>(len);
            const std::uint16_t code = c < 0x10000 ? map[c] : 0;
            if (code == 0 && c != 0) {
                *out++ = '?';
            } else if (c == 0) {
                *out++ = '\0';
            } else {
                out = detail::PutSjis(out, code);
            }
        }
        return out;
    });
}

}  // namespace ze
