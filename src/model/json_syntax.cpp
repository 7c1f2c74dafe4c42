#include "model/json_syntax.h"

#include <locale.h>
#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace ze {

namespace {

constexpr std::array<bool, 256> MakeTable(std::string_view members, bool controlBytes) {
    std::array<bool, 256> table{};
    for (char c : members) {
        table[static_cast<unsigned char>(c)] = true;
    }
    if (controlBytes) {
        for (int i = 0; i < 0x20; ++i) {
            table[static_cast<std::size_t>(i)] = true;
        }
    }
    return table;
}

constexpr auto kWhitespace = MakeTable("\t\n\r ", false);
constexpr auto kNumberByte = MakeTable("0123456789+-.eE", false);
// Bytes that end the plain run of a string: either quote, a backslash, and
// the control bytes that fail it.
constexpr auto kStringStop = MakeTable("'\"\\", true);

int HexDigit(unsigned char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// atoi on a run of number bytes, saturating instead of overflowing.
std::int32_t IntegerOf(const char* first, const char* last) {
    bool negative = false;
    if (first < last && (*first == '-' || *first == '+')) {
        negative = *first == '-';
        ++first;
    }
    constexpr std::int64_t kLimit = std::int64_t{1} << 31;
    std::int64_t magnitude = 0;
    for (; first < last && *first >= '0' && *first <= '9'; ++first) {
        magnitude = std::min(magnitude * 10 + (*first - '0'), kLimit);
    }
    if (negative) {
        return static_cast<std::int32_t>(-magnitude);
    }
    return static_cast<std::int32_t>(std::min(magnitude, kLimit - 1));
}

// Out-of-range reals go through strtod so that underflow gives what strtod
// gives (zero or a subnormal) whatever from_chars makes of it; the C locale
// keeps "." the decimal point under any locale the application set.
double RealOutOfRange(const char* first, const char* last) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    const std::string copy(first, last);
    return strtod_l(copy.c_str(), nullptr, cLocale);
}

class SyntaxReader {
public:
    explicit SyntaxReader(std::string_view text)
        : begin_(text.data()), p_(text.data()), end_(text.data() + text.size()) {}
    // Arrays under key in the root object are fed to feed element by element.
    void FeedArraysUnder(std::string_view key, JsonArrayFeed& feed) {
        feedKey_ = key;
        feed_ = &feed;
    }

    bool ReadValue(JsonValue& out, int depth);
    std::size_t ErrorOffset() const { return errorOffset_; }

private:
    // The byte at `at` (or the end, when at == end_) was the last one looked
    // at; everything before it has been read.
    bool Fail(const char* at) { return FailAfter(at < end_ ? at + 1 : end_); }
    bool FailAfter(const char* pastLastRead) {
        errorOffset_ = static_cast<std::size_t>(pastLastRead - begin_);
        return false;
    }
    void SkipWhitespace() {
        while (p_ < end_ && kWhitespace[static_cast<unsigned char>(*p_)]) {
            ++p_;
        }
    }

    bool ReadLiteral(std::string_view rest, JsonValue value, JsonValue& out);
    bool ReadString(char quote, JsonValue& out);
    bool ReadEscapedTail(char quote, const char* runStart);
    bool ReadHex4(std::uint32_t& value);
    bool ReadUnicodeEscape();
    bool ReadNumber(JsonValue& out);
    bool ReadArray(JsonValue& out, int depth, bool feeding);
    bool ReadObject(JsonValue& out, int depth);

    const char* begin_;
    const char* p_;
    const char* end_;
    std::size_t errorOffset_ = 0;
    // Elements and members of the containers being read, innermost last; a
    // container moves its own range into one exactly sized block when it ends.
    std::vector<JsonValue> elements_;
    std::vector<JsonMember> members_;
    std::string escaped_;
    std::string_view feedKey_;
    JsonArrayFeed* feed_ = nullptr;
    // The value about to be read is the feed key's in the root object.
    bool feedNext_ = false;
};

bool SyntaxReader::ReadValue(JsonValue& out, int depth) {
    const bool feeding = std::exchange(feedNext_, false);
    SkipWhitespace();
    if (p_ == end_) {
        return Fail(p_);
    }
    switch (*p_) {
        case '"':
        case '\'': {
            const char quote = *p_++;
            return ReadString(quote, out);
        }
        case '-':
        case '0':
        case '1':
        case '2':
        case '3':
        case '4':
        case '5':
        case '6':
        case '7':
        case '8':
        case '9':
            return ReadNumber(out);
        case '[':
            if (depth >= kJsonMaxDepth) {
                return Fail(p_);
            }
            ++p_;
            return ReadArray(out, depth + 1, feeding);
        case '{':
            if (depth >= kJsonMaxDepth) {
                return Fail(p_);
            }
            ++p_;
            return ReadObject(out, depth + 1);
        case 't':
            ++p_;
            return ReadLiteral("rue", JsonValue(true), out);
        case 'f':
            ++p_;
            return ReadLiteral("alse", JsonValue(false), out);
        case 'n':
            ++p_;
            return ReadLiteral("ull", JsonValue(), out);
        default:
            return Fail(p_);
    }
}

bool SyntaxReader::ReadLiteral(std::string_view rest, JsonValue value, JsonValue& out) {
    for (char expected : rest) {
        if (p_ == end_ || *p_ != expected) {
            return Fail(p_);
        }
        ++p_;
    }
    out = std::move(value);
    return true;
}

bool SyntaxReader::ReadString(char quote, JsonValue& out) {
    const char* const runStart = p_;
    for (;;) {
        while (p_ < end_ && !kStringStop[static_cast<unsigned char>(*p_)]) {
            ++p_;
        }
        if (p_ == end_) {
            return Fail(p_);
        }
        const char c = *p_;
        if (c == quote) {
            out = JsonValue(std::string_view(runStart, static_cast<std::size_t>(p_ - runStart)));
            ++p_;
            return true;
        }
        if (c == '\\') {
            if (!ReadEscapedTail(quote, runStart)) {
                return false;
            }
            out = JsonValue(std::string_view(escaped_));
            return true;
        }
        if (static_cast<unsigned char>(c) < 0x20) {
            return Fail(p_);
        }
        ++p_;  // the other quote character
    }
}

// Continues a string at its first backslash, collecting into escaped_; on
// success p_ is past the closing quote.
bool SyntaxReader::ReadEscapedTail(char quote, const char* runStart) {
    escaped_.assign(runStart, p_);
    for (;;) {
        if (p_ == end_) {
            return Fail(p_);
        }
        const unsigned char c = static_cast<unsigned char>(*p_);
        if (c == static_cast<unsigned char>(quote)) {
            ++p_;
            return true;
        }
        if (c < 0x20) {
            return Fail(p_);
        }
        if (c != '\\') {
            const char* const run = p_;
            while (p_ < end_ && !kStringStop[static_cast<unsigned char>(*p_)]) {
                ++p_;
            }
            if (p_ == run) {
                ++p_;  // the other quote character
            }
            escaped_.append(run, p_);
            continue;
        }
        ++p_;
        if (p_ == end_) {
            return Fail(p_);
        }
        switch (*p_) {
            case '"':
                escaped_ += '"';
                break;
            case '\\':
                escaped_ += '\\';
                break;
            case '/':
                escaped_ += '/';
                break;
            case 'b':
                escaped_ += '\b';
                break;
            case 'f':
                escaped_ += '\f';
                break;
            case 'n':
                escaped_ += '\n';
                break;
            case 'r':
                escaped_ += '\r';
                break;
            case 't':
                escaped_ += '\t';
                break;
            case 'u':
                ++p_;
                if (!ReadUnicodeEscape()) {
                    return false;
                }
                continue;
            default:
                return Fail(p_);
        }
        ++p_;
    }
}

bool SyntaxReader::ReadHex4(std::uint32_t& value) {
    value = 0;
    for (int i = 0; i < 4; ++i) {
        if (p_ == end_) {
            return Fail(p_);
        }
        const int digit = HexDigit(static_cast<unsigned char>(*p_));
        if (digit < 0) {
            return Fail(p_);
        }
        value = value * 16 + static_cast<std::uint32_t>(digit);
        ++p_;
    }
    return true;
}

// p_ is just past "\u".
bool SyntaxReader::ReadUnicodeEscape() {
    std::uint32_t cp = 0;
    if (!ReadHex4(cp)) {
        return false;
    }
    if (cp >= 0xDC00 && cp <= 0xDFFF) {
        return FailAfter(p_);
    }
    if (cp >= 0xD800 && cp <= 0xDBFF) {
        for (char expected : {'\\', 'u'}) {
            if (p_ == end_ || *p_ != expected) {
                return Fail(p_);
            }
            ++p_;
        }
        std::uint32_t low = 0;
        if (!ReadHex4(low)) {
            return false;
        }
        if (low < 0xDC00 || low > 0xDFFF) {
            return FailAfter(p_);
        }
        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
    }
    AppendUtf8(escaped_, cp);
    return true;
}

bool SyntaxReader::ReadNumber(JsonValue& out) {
    const char* const first = p_;
    bool real = false;
    while (p_ < end_ && kNumberByte[static_cast<unsigned char>(*p_)]) {
        real = real || *p_ == '.' || *p_ == 'e' || *p_ == 'E';
        ++p_;
    }
    if (!real) {
        out = JsonValue(IntegerOf(first, p_));
        return true;
    }
    // The byte after the run was looked at, so a failure counts it as read.
    double value = 0.0;
    const auto result = std::from_chars(first, p_, value);
    if (result.ptr != p_) {
        return Fail(p_);
    }
    if (result.ec == std::errc::result_out_of_range) {
        value = RealOutOfRange(first, p_);
    } else if (result.ec != std::errc()) {
        return Fail(p_);
    }
    // A real beyond the double range saturates to the largest finite value, as
    // integers do: "inf" could not be read back once the value is written out,
    // and refusing the number would refuse the whole file.
    if (std::isinf(value)) {
        value = std::copysign(std::numeric_limits<double>::max(), value);
    }
    out = JsonValue(value);
    return true;
}

bool SyntaxReader::ReadArray(JsonValue& out, int depth, bool feeding) {
    if (feeding) {
        feed_->ArrayBegins();
    }
    SkipWhitespace();
    if (p_ < end_ && *p_ == ']') {
        ++p_;
        out = JsonValue::Array({});
        return true;
    }
    const std::size_t base = elements_.size();
    for (;;) {
        JsonValue element;
        if (!ReadValue(element, depth)) {
            return false;
        }
        if (feeding) {
            feed_->TakeElement(element);
        }
        elements_.push_back(std::move(element));
        SkipWhitespace();
        if (p_ < end_ && *p_ == ',') {
            ++p_;
            continue;
        }
        break;
    }
    if (p_ == end_ || *p_ != ']') {
        return Fail(p_);
    }
    ++p_;
    out = JsonValue::Array(std::span(elements_).subspan(base));
    elements_.resize(base);
    return true;
}

bool SyntaxReader::ReadObject(JsonValue& out, int depth) {
    SkipWhitespace();
    if (p_ < end_ && *p_ == '}') {
        ++p_;
        out = JsonValue::Object({});
        return true;
    }
    const std::size_t base = members_.size();
    for (;;) {
        SkipWhitespace();
        if (p_ == end_ || (*p_ != '\'' && *p_ != '"')) {
            return Fail(p_);
        }
        const char quote = *p_++;
        JsonValue key;
        if (!ReadString(quote, key)) {
            return false;
        }
        SkipWhitespace();
        if (p_ == end_ || *p_ != ':') {
            return Fail(p_);
        }
        ++p_;
        // The root object is read at depth 1.
        feedNext_ = feed_ != nullptr && depth == 1 && key.AsString() == feedKey_;
        JsonValue value;
        if (!ReadValue(value, depth)) {
            return false;
        }
        members_.emplace_back(std::move(key), std::move(value));
        SkipWhitespace();
        if (p_ < end_ && *p_ == ',') {
            ++p_;
            continue;
        }
        break;
    }
    if (p_ == end_ || *p_ != '}') {
        return Fail(p_);
    }
    ++p_;
    out = JsonValue::Object(std::span(members_).subspan(base));
    members_.erase(members_.begin() + static_cast<std::ptrdiff_t>(base), members_.end());
    return true;
}

JsonSyntaxResult ReadText(std::string_view text, JsonValue& root, std::string_view key,
                          JsonArrayFeed* feed) {
    SyntaxReader reader(text);
    if (feed != nullptr) {
        reader.FeedArraysUnder(key, *feed);
    }
    JsonValue value;
    if (!reader.ReadValue(value, 0)) {
        return {false, reader.ErrorOffset()};
    }
    root = std::move(value);
    return {true, 0};
}

}  // namespace

JsonSyntaxResult ReadJsonText(std::string_view text, JsonValue& root) {
    return ReadText(text, root, {}, nullptr);
}

JsonSyntaxResult ReadJsonText(std::string_view text, JsonValue& root, std::string_view key,
                              JsonArrayFeed& feed) {
    return ReadText(text, root, key, &feed);
}

}  // namespace ze
