#include "common/text_convert.h"

#include <algorithm>
#include <cstring>

#include "common/code_lookup.h"

// Resource text reaches the device as UTF-8 and comes back from it; every conversion
// reproduces nkf 2.1.5 byte for byte because files written by earlier releases of the
// editor went through nkf, and a project must load and save back unchanged. nkf is a
// program, not a library, so its mapping lives in generated tables and the code below
// repeats how nkf walks the bytes: what a lead byte swallows, what it drops, and how a
// half-width katakana absorbs a following sound mark.
//
// Unlike the original use of nkf, the output is never cut at twice the input length:
// one byte of half-width katakana becomes three bytes of UTF-8.
namespace ze {
namespace {

using detail::IsHalfKana;
using detail::IsTrail;
using tables::kTrailCount;
using tables::LeadIndex;

constexpr unsigned char kEsc = 0x1B;
constexpr std::uint32_t kHalfKanaFirst = 0xFF61;
constexpr std::uint32_t kHalfKanaLast = 0xFF9F;

const unsigned char* Bytes(std::string_view s) {
    return reinterpret_cast<const unsigned char*>(s.data());
}

int PairIndex(unsigned char lead, unsigned char trail) {
    return LeadIndex(lead) * kTrailCount + (trail - 0x40);
}

// nkf widens a half-width katakana only once it sees the next character it writes, so a
// following sound mark merges into it even across bytes nkf drops in between.
template <typename Put>
class KanaWidener {
public:
    explicit KanaWidener(Put put) : put_(put) {}

    // Half-width katakana, as an index from 0xA1 (U+FF61).
    char* Kana(char* out, int kana) {
        if (pending_ >= 0) {
            const int form = kana == kVoicedIndex ? 1 : kana == kSemiVoicedIndex ? 2 : 0;
            if (form != 0 && tables::kNkfKanaToUcs[pending_][form] != 0) {
                out = put_(out, tables::kNkfKanaToUcs[pending_][form]);
                pending_ = -1;
                return out;
            }
            out = Flush(out);
        }
        pending_ = kana;
        return out;
    }

    // Call before writing anything other than half-width katakana, and at the end.
    char* Flush(char* out) {
        if (pending_ >= 0) {
            out = put_(out, tables::kNkfKanaToUcs[pending_][0]);
            pending_ = -1;
        }
        return out;
    }

private:
    static constexpr int kVoicedIndex = 0xDE - 0xA1;
    static constexpr int kSemiVoicedIndex = 0xDF - 0xA1;
    Put put_;
    int pending_ = -1;
};

// How many bytes nkf's UTF-8 reader takes from `i` (at least one). A two-byte lead, a
// stray continuation byte or 0xF5-0xFF takes the next byte whatever it is; a three- or
// four-byte lead takes continuation bytes up to and including the first byte that is not
// one.
std::size_t NkfUtf8Span(const unsigned char* s, std::size_t n, std::size_t i) {
    const unsigned char b = s[i];
    if (b < 0x80) {
        return 1;
    }
    std::size_t want = 1;
    if (b >= 0xE0 && b <= 0xEF) {
        want = 2;
    } else if (b >= 0xF0 && b <= 0xF4) {
        want = 3;
    } else {
        return i + 1 < n ? 2 : 1;
    }
    std::size_t k = 1;
    while (k <= want && i + k < n) {
        const bool continuation = (s[i + k] & 0xC0) == 0x80;
        ++k;
        if (!continuation) {
            break;
        }
    }
    return k;
}

// --- nkf -xs: the paths behind the input guess ---------------------------------------

enum class Utf8Reading { kNone, kPartial, kWhole };

// Whether the text is well-formed UTF-8 and, if so, whether nkf can write every
// character of it in Shift_JIS.
Utf8Reading ReadAsUtf8(std::string_view text) {
    const auto& map = detail::NkfUcsToSjis();
    const unsigned char* s = Bytes(text);
    const std::size_t n = text.size();
    bool whole = true;
    for (std::size_t i = 0; i < n;) {
        if (s[i] < 0x80) {
            ++i;
            continue;
        }
        const int len = detail::Utf8SequenceLength(s, n, i);
        if (len == 0) {
            return Utf8Reading::kNone;
        }
        const std::uint32_t c = detail::DecodeUtf8(s + i, len);
        whole = whole && c < 0x10000 && map[c] != 0;
        i += static_cast<std::size_t>(len);
    }
    return whole ? Utf8Reading::kWhole : Utf8Reading::kPartial;
}

// ReadAsUtf8 and Utf8ToSjisKeepKana in one pass for the usual case: text that is
// well-formed UTF-8 whose every character Shift_JIS holds. Returns nullptr, with `out`
// partly written, at the first byte that is not such a character. The two- and
// three-byte forms (all of Japanese) are decoded here; anything else takes the
// general check, and no four-byte character has a Shift_JIS code.
char* WholeUtf8ToSjis(std::string_view text, char* out) {
    const auto& map = detail::NkfUcsToSjis();
    const unsigned char* s = Bytes(text);
    const std::size_t n = text.size();
    const auto isCont = [](unsigned char b) { return (b & 0xC0) == 0x80; };
    for (std::size_t i = 0; i < n;) {
        const unsigned char b = s[i];
        if (b < 0x80) {
            i = detail::CopyAscii(s, i, n, out);
            continue;
        }
        std::uint32_t c = 0;
        if (b >= 0xE1 && b <= 0xEC && i + 2 < n && isCont(s[i + 1]) && isCont(s[i + 2])) {
            c = (b & 0x0Fu) << 12 | (s[i + 1] & 0x3Fu) << 6 | (s[i + 2] & 0x3Fu);
            i += 3;
        } else if (b >= 0xC2 && b <= 0xDF && i + 1 < n && isCont(s[i + 1])) {
            c = (b & 0x1Fu) << 6 | (s[i + 1] & 0x3Fu);
            i += 2;
        } else {
            const int len = detail::Utf8SequenceLength(s, n, i);
            if (len == 0 || len == 4) {
                return nullptr;
            }
            c = detail::DecodeUtf8(s + i, len);
            i += static_cast<std::size_t>(len);
        }
        if (map[c] == 0) {
            return nullptr;
        }
        out = detail::PutSjis(out, map[c]);
    }
    return out;
}

// Well-formed UTF-8 in, Shift_JIS out, half-width katakana kept.
char* Utf8ToSjisKeepKana(std::string_view text, char* out) {
    const auto& map = detail::NkfUcsToSjis();
    const unsigned char* s = Bytes(text);
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n;) {
        if (s[i] < 0x80) {
            i = detail::CopyAscii(s, i, n, out);
            continue;
        }
        const int len = detail::Utf8SequenceLength(s, n, i);
        const std::uint32_t c = detail::DecodeUtf8(s + i, len);
        if (c < 0x10000) {
            out = detail::PutSjis(out, map[c]);
        }
        i += static_cast<std::size_t>(len);
    }
    return out;
}

// A double-byte code through nkf: the NEC-selected IBM rows become the IBM rows.
char* KeepSjisPair(unsigned char lead, unsigned char trail, char* out) {
    return detail::PutSjis(out, detail::NkfSjisKeep()[PairIndex(lead, trail)]);
}

// Shift_JIS through nkf, when CP932 reads the whole text without error (every
// double-byte code assigned); nullptr otherwise, with `out` partly written.
char* ValidSjisToSjis(std::string_view text, char* out) {
    const auto& keep = detail::NkfSjisKeep();
    const unsigned char* s = Bytes(text);
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char b = s[i];
        if (b < 0x80) {
            i = detail::CopyAscii(s, i, n, out) - 1;
            continue;
        }
        if (IsHalfKana(b)) {
            *out++ = static_cast<char>(b);
            continue;
        }
        if (LeadIndex(b) < 0 || i + 1 >= n || !IsTrail(s[i + 1])) {
            return nullptr;
        }
        const std::uint16_t code = keep[PairIndex(b, s[i + 1])];
        if (code == 0) {
            return nullptr;
        }
        out = detail::PutSjis(out, code);
        ++i;
    }
    return out;
}

// Row and cell of JIS X 0208 (0x21-0x7E each) to a Shift_JIS code.
std::uint16_t JisToSjis(unsigned char row, unsigned char cell) {
    const unsigned lead = ((row + 1u) >> 1) + (row <= 0x5E ? 0x70u : 0xB0u);
    unsigned trail = 0;
    if (row & 1u) {
        trail = cell + 0x1Fu + (cell >= 0x60 ? 1u : 0u);
    } else {
        trail = cell + 0x7Eu;
    }
    return static_cast<std::uint16_t>(lead << 8 | trail);
}

char* PutJis(unsigned char row, unsigned char cell, char* out) {
    const std::uint16_t code = JisToSjis(row, cell);
    const int idx =
        PairIndex(static_cast<unsigned char>(code >> 8), static_cast<unsigned char>(code & 0xFF));
    const std::uint16_t kept = detail::NkfSjisKeep()[idx];
    // Codes CP932 leaves unassigned pass as the plain arithmetic gives them.
    return detail::PutSjis(out, kept != 0 ? kept : code);
}

bool IsJisByte(unsigned char b) {
    return b >= 0x21 && b <= 0x7E;
}
bool IsEucByte(unsigned char b) {
    return b >= 0xA1 && b <= 0xFE;
}

// EUC-JP: two bytes 0xA1-0xFE for JIS X 0208, 0x8E and a katakana byte, 0x8F and two
// bytes for JIS X 0212, which Shift_JIS cannot hold and nkf drops. Bytes outside that
// shape are dropped.
char* EucToSjis(std::string_view text, char* out) {
    const unsigned char* s = Bytes(text);
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned char b = s[i];
        if (b < 0x80) {
            *out++ = static_cast<char>(b);
            ++i;
        } else if (b == 0x8E && i + 1 < n && IsHalfKana(s[i + 1])) {
            *out++ = static_cast<char>(s[i + 1]);
            i += 2;
        } else if (b == 0x8F) {
            i += 3;
        } else if (IsEucByte(b) && i + 1 < n && IsEucByte(s[i + 1])) {
            out = PutJis(b & 0x7F, s[i + 1] & 0x7F, out);
            i += 2;
        } else {
            ++i;
        }
    }
    return out;
}

// ISO-2022-JP and its relatives as nkf reads them. Escape sequences nkf does not know
// pass through as text; eight-bit bytes between them are taken as Shift_JIS.
char* JisToSjisText(std::string_view text, char* out) {
    enum class Mode { kAscii, kKanji, kSupplement, kKana };
    const unsigned char* s = Bytes(text);
    const std::size_t n = text.size();
    Mode mode = Mode::kAscii;
    bool shiftOut = false;
    auto starts = [&](std::size_t i, const char* seq) {
        const std::size_t len = std::strlen(seq);
        return i + len <= n && std::memcmp(s + i, seq, len) == 0;
    };
    for (std::size_t i = 0; i < n;) {
        const unsigned char b = s[i];
        if (b == kEsc) {
            static constexpr struct {
                const char* seq;
                Mode mode;
            } kDesignations[] = {
                {"\x1b$B", Mode::kKanji},       {"\x1b$@", Mode::kKanji},
                {"\x1b$(B", Mode::kKanji},      {"\x1b$(@", Mode::kKanji},
                {"\x1b$(Q", Mode::kKanji},      {"\x1b$(O", Mode::kKanji},
                {"\x1b$(D", Mode::kSupplement}, {"\x1b(B", Mode::kAscii},
                {"\x1b(J", Mode::kAscii},       {"\x1b(I", Mode::kKana},
            };
            bool known = false;
            for (const auto& d : kDesignations) {
                if (starts(i, d.seq)) {
                    mode = d.mode;
                    i += std::strlen(d.seq);
                    known = true;
                    break;
                }
            }
            if (!known) {
                *out++ = static_cast<char>(b);
                ++i;
            }
            continue;
        }
        if (b == 0x0E || b == 0x0F) {
            shiftOut = b == 0x0E;
            ++i;
            continue;
        }
        if (b >= 0x80) {
            if (IsHalfKana(b)) {
                *out++ = static_cast<char>(b);
            } else if (LeadIndex(b) >= 0 && i + 1 < n && IsTrail(s[i + 1])) {
                out = KeepSjisPair(b, s[i + 1], out);
                ++i;
            }
            ++i;
            continue;
        }
        if ((shiftOut || mode == Mode::kKana) && b >= 0x21 && b <= 0x5F) {
            *out++ = static_cast<char>(b | 0x80);
            ++i;
        } else if ((mode == Mode::kKanji || mode == Mode::kSupplement) && IsJisByte(b)) {
            if (i + 1 < n && IsJisByte(s[i + 1]) && mode == Mode::kKanji) {
                out = PutJis(b, s[i + 1], out);
            }
            i += 2;
        } else {
            *out++ = static_cast<char>(b);
            ++i;
        }
    }
    return out;
}

// ConvertToSjis into a buffer of at least text.size() bytes; returns the end of
// what it wrote.
char* ConvertToSjisAt(std::string_view text, char* out) {
    if (std::memchr(text.data(), kEsc, text.size()) != nullptr) {
        return JisToSjisText(text, out);
    }
    // Each reading writes from the start of the buffer, so a failed one leaves
    // nothing behind for the next one.
    if (char* end = WholeUtf8ToSjis(text, out)) {
        return end;  // plain ASCII too
    }
    // nkf's guess reads some Shift_JIS (runs of half-width katakana above all) as
    // EUC-JP and some UTF-8 as Shift_JIS. Text that is well-formed UTF-8 or valid
    // Shift_JIS is taken for what it is; the editor writes nothing else. Short runs of
    // half-width katakana can be well-formed UTF-8 too (Latin, Greek or Cyrillic
    // letters); Shift_JIS wins unless every such letter has a Shift_JIS code.
    const Utf8Reading utf8 = ReadAsUtf8(text);
    if (utf8 == Utf8Reading::kWhole) {
        return Utf8ToSjisKeepKana(text, out);
    }
    if (char* end = ValidSjisToSjis(text, out)) {
        return end;
    }
    if (utf8 == Utf8Reading::kPartial) {
        return Utf8ToSjisKeepKana(text, out);
    }
    return EucToSjis(text, out);
}

}  // namespace

std::string ConvertToSjis(std::string_view text) {
    std::string out;
    ConvertToSjisInto(text, out);
    return out;
}

void ConvertToSjisInto(std::string_view text, std::string& out) {
    // Every path writes at most one byte per input byte.
    out.resize(text.size());
    out.resize(static_cast<std::size_t>(ConvertToSjisAt(text, out.data()) - out.data()));
}

std::string ConvertUtf8ToSjis(std::string_view utf8) {
    const auto& map = detail::NkfUcsToSjis();
    const unsigned char* s = Bytes(utf8);
    const std::size_t n = utf8.size();
    if (detail::IsAscii(s, n)) {
        return std::string(utf8);
    }
    std::string result;
    // Two bytes of Shift_JIS at most for two or more bytes of UTF-8.
    detail::StagedOut<1> stage(result, n);
    char* out = stage.Begin();
    KanaWidener widen([&map](char* o, std::uint16_t c) { return detail::PutSjis(o, map[c]); });
    for (std::size_t i = 0; i < n;) {
        out = stage.Ready(out);
        const std::size_t end = std::min(n, i + stage.kStep);
        if (s[i] < 0x80) {
            out = widen.Flush(out);
            i = detail::CopyAscii(s, i, end, out);
            continue;
        }
        // Runs of well-formed three-byte characters, which is all of Japanese, in a loop
        // of their own; nkf's reader takes exactly the three bytes of each.
        bool decoded = false;
        while (i < end) {
            const std::uint32_t c = detail::ThreeByteCharAt(s, n, i);
            if (c == 0) {
                break;
            }
            i += 3;
            decoded = true;
            if (c >= kHalfKanaFirst && c <= kHalfKanaLast) {
                out = widen.Kana(out, static_cast<int>(c - kHalfKanaFirst));
            } else {
                out = widen.Flush(out);
                out = detail::PutSjis(out, map[c]);
            }
        }
        if (decoded) {
            continue;
        }
        const std::size_t span = NkfUtf8Span(s, n, i);
        const int len = detail::Utf8SequenceLength(s, n, i);
        const bool whole = len > 0 && static_cast<std::size_t>(len) == span;
        const std::uint32_t c = whole ? detail::DecodeUtf8(s + i, len) : 0;
        i += span;
        if (c >= kHalfKanaFirst && c <= kHalfKanaLast) {
            out = widen.Kana(out, static_cast<int>(c - kHalfKanaFirst));
        } else if (whole) {
            // A character nkf cannot write still ends a pending katakana; bytes that
            // do not form a character do not.
            out = widen.Flush(out);
            out = detail::PutSjis(out, c < 0x10000 ? map[c] : 0);
        }
    }
    stage.Finish(widen.Flush(out));
    return result;
}

std::string ConvertSjisToUtf8(std::string_view sjis) {
    std::string out;
    AppendSjisAsUtf8(sjis, out);
    return out;
}

void AppendSjisAsUtf8(std::string_view sjis, std::string& to) {
    const unsigned char* s = Bytes(sjis);
    const std::size_t n = sjis.size();
    // ASCII (most values) is the same in both codings, but for an ESC '$' at the end,
    // which nkf swallows (see below).
    const std::size_t high = detail::CountHighBytes(s, n);
    if (high == 0 && !sjis.ends_with("\x1B$")) {
        to += sjis;
        return;
    }
    const auto& pairs = detail::NkfPairsToUtf8();
    // Three bytes of UTF-8 at most for each byte: a half-width katakana widens to three.
    detail::StagedOut<3> stage(to, detail::Utf8SizeOfSjis(n, high));
    char* out = stage.Begin();
    KanaWidener widen(detail::PutUtf8);
    // The stretch of ASCII copied last, s[asciiFrom, asciiEnd), which may span steps.
    std::size_t asciiFrom = 0;
    std::size_t asciiEnd = 0;
    bool swallowEscDollar = false;
    for (std::size_t i = 0; i < n;) {
        out = stage.Ready(out);
        const std::size_t end = std::min(n, i + stage.kStep);
        const unsigned char b = s[i];
        if (b < 0x80) {
            out = widen.Flush(out);
            if (i != asciiEnd) {
                asciiFrom = i;
            }
            i = detail::CopyAscii(s, i, end, out);
            asciiEnd = i;
            // nkf swallows ESC '$' at the end and passes it on with an eight-bit byte
            // after it untouched. Within ASCII the pair is plain text.
            if (i - asciiFrom >= 2 && s[i - 2] == kEsc && s[i - 1] == '$') {
                if (i == n) {
                    swallowEscDollar = true;
                } else if (s[i] >= 0x80) {
                    *out++ = static_cast<char>(s[i++]);
                }
            }
        } else if (IsHalfKana(b)) {
            for (; i < end && IsHalfKana(s[i]); ++i) {
                out = widen.Kana(out, s[i] - 0xA1);
            }
        } else if (b == 0xA0) {
            ++i;
        } else {
            // Any other byte leads a pair and takes the next byte with it, whatever it is.
            // A pair with a trail byte in range ends a pending katakana even when nkf
            // has nothing to write for it; one with a trail out of range vanishes.
            const bool inRange = i + 1 < n && s[i + 1] >= 0x40 && s[i + 1] <= 0xFC;
            if (inRange) {
                out = widen.Flush(out);
            }
            if (!inRange || LeadIndex(b) < 0) {
                i += 2;
                continue;
            }
            // Runs of double-byte codes, the bulk of Japanese text, in a loop of their own.
            while (i + 1 < n && i < end) {
                const int lead = LeadIndex(s[i]);
                const unsigned char trail = s[i + 1];
                if (lead < 0 || trail < 0x40 || trail > 0xFC) {
                    break;
                }
                out = detail::PutCode(
                    out, pairs[static_cast<std::size_t>(lead * kTrailCount + (trail - 0x40))]);
                i += 2;
            }
        }
    }
    stage.Finish(widen.Flush(out));
    if (swallowEscDollar) {
        to.resize(to.size() - 2);
    }
}

}  // namespace ze
