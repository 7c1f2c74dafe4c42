#include "common/cp932.h"

#include <algorithm>
#include <cstdio>

#include "common/code_lookup.h"

namespace ze {
namespace {

bool IsContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 multi-byte character at text[i]
// (no overlong forms, no surrogates, nothing above U+10FFFF); 0 when there
// is none.
std::size_t Utf8CharacterLength(std::string_view text, std::size_t i) {
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t left = text.size() - i;
    const unsigned char b = s[i];
    if (b >= 0xC2 && b <= 0xDF) {
        return left >= 2 && IsContinuation(s[i + 1]) ? 2 : 0;
    }
    if (b >= 0xE0 && b <= 0xEF) {
        if (left < 3 || !IsContinuation(s[i + 1]) || !IsContinuation(s[i + 2])) {
            return 0;
        }
        if ((b == 0xE0 && s[i + 1] < 0xA0) || (b == 0xED && s[i + 1] >= 0xA0)) {
            return 0;
        }
        return 3;
    }
    if (b >= 0xF0 && b <= 0xF4) {
        if (left < 4 || !IsContinuation(s[i + 1]) || !IsContinuation(s[i + 2]) ||
            !IsContinuation(s[i + 3])) {
            return 0;
        }
        if ((b == 0xF0 && s[i + 1] < 0x90) || (b == 0xF4 && s[i + 1] >= 0x90)) {
            return 0;
        }
        return 4;
    }
    return 0;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view sjis) {
    const auto* s = reinterpret_cast<const unsigned char*>(sjis.data());
    const std::size_t n = sjis.size();
    const std::size_t high = detail::CountHighBytes(s, n);
    if (high == 0) {
        return std::string(sjis);
    }
    const auto& pairs = detail::Cp932PairsToUtf8();
    const auto& kana = detail::HalfKanaToUtf8();
    const detail::Utf8Code replacement{{'\xEF', '\xBF', '\xBD'}, 3};  // U+FFFD
    std::string result;
    // Three bytes of UTF-8 at most per byte (a katakana byte, or U+FFFD for a bad byte).
    detail::StagedOut<3> stage(result, detail::Utf8SizeOfSjis(n, high));
    char* out = stage.Begin();
    for (std::size_t i = 0; i < n;) {
        out = stage.Ready(out);
        const std::size_t end = std::min(n, i + stage.kStep);
        if (s[i] < 0x80) {
            i = detail::CopyAscii(s, i, end, out);
            continue;
        }
        // Runs of double-byte codes, the bulk of Japanese text, in a loop of their own.
        // A well-shaped pair is one character even when CP932 leaves it unassigned, so
        // the trail byte is not read again as a character of its own.
        bool pair = false;
        while (i + 1 < n && i < end) {
            const int lead = tables::LeadIndex(s[i]);
            if (lead < 0 || !detail::IsTrail(s[i + 1])) {
                break;
            }
            out = detail::PutCode(
                out,
                pairs[static_cast<std::size_t>(lead * tables::kTrailCount + (s[i + 1] - 0x40))]);
            i += 2;
            pair = true;
        }
        if (pair) {
            continue;
        }
        const unsigned char b = s[i];
        out = detail::PutCode(out, detail::IsHalfKana(b) ? kana[b - 0xA1u] : replacement);
        ++i;
    }
    stage.Finish(out);
    return result;
}

std::string Utf8ToCp932(std::string_view utf8) {
    const auto& map = detail::UcsToCp932();
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t n = utf8.size();
    if (detail::IsAscii(s, n)) {
        return std::string(utf8);
    }
    std::string result;
    // One byte of CP932 at most per byte: a character of two bytes is written as one
    // or two, one of three as two; a bad byte becomes one '?'.
    detail::StagedOut<1> stage(result, n);
    char* out = stage.Begin();
    for (std::size_t i = 0; i < n;) {
        out = stage.Ready(out);
        const std::size_t end = std::min(n, i + stage.kStep);
        if (s[i] < 0x80) {
            i = detail::CopyAscii(s, i, end, out);
            continue;
        }
        // Runs of three-byte characters, which is all of Japanese, decoded here; overlong
        // forms and surrogates take the general path.
        bool decoded = false;
        while (i < end) {
            const std::uint32_t c = detail::ThreeByteCharAt(s, n, i);
            if (c == 0) {
                break;
            }
            const std::uint16_t code = map[c];
            if (code == 0) {
                *out++ = '?';
            } else {
                out = detail::PutSjis(out, code);
            }
            i += 3;
            decoded = true;
        }
        if (decoded) {
            continue;
        }
        const int len = detail::Utf8SequenceLength(s, n, i);
        if (len == 0) {
            *out++ = '?';
            ++i;
            continue;
        }
        const std::uint32_t c = detail::DecodeUtf8(s + i, len);
        i += static_cast<std::size_t>(len);
        const std::uint16_t code = c < 0x10000 ? map[c] : 0;
        if (code == 0) {
            *out++ = '?';
        } else {
            out = detail::PutSjis(out, code);
        }
    }
    stage.Finish(out);
    return result;
}

std::string ResourceTextToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t run = 0;  // start of the Shift_JIS bytes not yet converted
    for (std::size_t i = 0; i < text.size();) {
        if (const std::size_t length = Utf8CharacterLength(text, i); length > 0) {
            out += Cp932ToUtf8(text.substr(run, i - run));
            out.append(text.substr(i, length));
            i += length;
            run = i;
        } else {
            // A Shift_JIS pair is skipped whole, so its trail byte never
            // starts a UTF-8 character.
            const auto b = static_cast<unsigned char>(text[i]);
            const bool pair = tables::LeadIndex(b) >= 0 && i + 1 < text.size() &&
                              detail::IsTrail(static_cast<unsigned char>(text[i + 1]));
            i += pair ? 2 : 1;
        }
    }
    out += Cp932ToUtf8(text.substr(run));
    return out;
}

std::string BytesToReadableUtf8(std::string_view text) {
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    std::string out;
    out.reserve(text.size());
    const auto hex = [&out](unsigned char b) {
        char code[8];
        std::snprintf(code, sizeof code, "(%x)", static_cast<unsigned>(b));
        out += code;
    };
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char b = s[i];
        if (const std::size_t length = Utf8CharacterLength(text, i); length > 0) {
            out.append(text.substr(i, length));
            i += length;
        } else if (b == '\n' || b == '\t' || (b >= 0x20 && b < 0x7F)) {
            out += static_cast<char>(b);
            ++i;
        } else if (detail::IsHalfKana(b)) {
            out += Cp932ToUtf8(text.substr(i, 1));
            ++i;
        } else if (tables::LeadIndex(b) >= 0 && i + 1 < text.size() && detail::IsTrail(s[i + 1]) &&
                   tables::kCp932ToUcs[tables::LeadIndex(b) * tables::kTrailCount +
                                       (s[i + 1] - 0x40)] != 0) {
            out += Cp932ToUtf8(text.substr(i, 2));
            i += 2;
        } else if (tables::LeadIndex(b) >= 0 && i + 2 < text.size() && text[i + 1] == '!' &&
                   detail::IsTrail(s[i + 2])) {
            // The report's "!" marker between the two bytes of a pair: the
            // trail byte alone would read as another character.
            hex(b);
            out += '!';
            hex(s[i + 2]);
            i += 3;
        } else {
            hex(b);
            ++i;
        }
    }
    return out;
}

}  // namespace ze
