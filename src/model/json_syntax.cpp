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
#include <memory>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "model/json_tree_builder.h"

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

using Node = JsonTreeBuilder::Node;
using MemberNode = JsonTreeBuilder::MemberNode;

// The two ways of finding where whitespace and the plain run of a string
// end. Everything else the reader does is shared, so the two give the same
// tree and the same error offset whatever the text.
struct PortableScan {
    static const char* SkipWhitespace(const char* p, const char* end) {
        while (p < end && kWhitespace[static_cast<unsigned char>(*p)]) {
            ++p;
        }
        return p;
    }
    // The first byte that ends a string's plain run, or end.
    static const char* StringRun(const char* p, const char* end) {
        while (p < end && !kStringStop[static_cast<unsigned char>(*p)]) {
            ++p;
        }
        return p;
    }
};

#if defined(__SSE2__)
// Sixteen bytes a compare: a text written with one member a line and a tab a
// level has runs of whitespace and strings longer than a few bytes, and
// Japanese texts of dozens. The last 15 bytes go byte by byte, so nothing is
// read past the end of the text.
struct Sse2Scan {
    static __m128i Bytes(char c) { return _mm_set1_epi8(c); }

    static const char* SkipWhitespace(const char* p, const char* end) {
        // A value mostly follows its ':' at once.
        if (p < end && !kWhitespace[static_cast<unsigned char>(*p)]) {
            return p;
        }
        while (end - p >= 16) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i blank = _mm_or_si128(
                _mm_or_si128(_mm_cmpeq_epi8(chunk, Bytes(' ')), _mm_cmpeq_epi8(chunk, Bytes('\t'))),
                _mm_or_si128(_mm_cmpeq_epi8(chunk, Bytes('\n')),
                             _mm_cmpeq_epi8(chunk, Bytes('\r'))));
            const unsigned other = ~static_cast<unsigned>(_mm_movemask_epi8(blank)) & 0xFFFFu;
            if (other != 0) {
                return p + __builtin_ctz(other);
            }
            p += 16;
        }
        return PortableScan::SkipWhitespace(p, end);
    }

    static const char* StringRun(const char* p, const char* end) {
        while (end - p >= 16) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            // Unsigned c <= 0x1F exactly when max(c, 0x1F) == 0x1F.
            const __m128i control = _mm_cmpeq_epi8(_mm_max_epu8(chunk, Bytes(0x1F)), Bytes(0x1F));
            const __m128i quotes =
                _mm_or_si128(_mm_cmpeq_epi8(chunk, Bytes('\'')), _mm_cmpeq_epi8(chunk, Bytes('"')));
            const __m128i stop =
                _mm_or_si128(_mm_or_si128(quotes, _mm_cmpeq_epi8(chunk, Bytes('\\'))), control);
            const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(stop));
            if (mask != 0) {
                return p + __builtin_ctz(mask);
            }
            p += 16;
        }
        return PortableScan::StringRun(p, end);
    }
};
using FastScan = Sse2Scan;
#else
using FastScan = PortableScan;
#endif

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

// What a reader reuses from one text to the next: the staging of the
// containers being read and the shapes of objects seen. A parse borrows the
// thread's; one begun while another runs on the thread (from a feed) makes
// its own.
struct ReaderScratch {
    std::vector<Node> elements;
    std::vector<MemberNode> members;
    JsonTreeBuilder::ObjectScratch objects;
    std::string escaped;
};

thread_local std::unique_ptr<ReaderScratch> spareScratch;

class ScratchLease {
public:
    ScratchLease()
        : scratch_(spareScratch ? std::move(spareScratch) : std::make_unique<ReaderScratch>()) {}
    ~ScratchLease() {
        // A failed parse leaves its staging behind; a huge escaped string
        // would keep its memory.
        scratch_->elements.clear();
        scratch_->members.clear();
        if (scratch_->escaped.capacity() > (1u << 20)) {
            scratch_->escaped = std::string();
        }
        spareScratch = std::move(scratch_);
    }
    ScratchLease(const ScratchLease&) = delete;
    ScratchLease& operator=(const ScratchLease&) = delete;
    ReaderScratch& Get() { return *scratch_; }

private:
    std::unique_ptr<ReaderScratch> scratch_;
};

template <typename Scan>
class SyntaxReader {
public:
    SyntaxReader(std::string_view text, JsonScan scan, JsonArena& arena, ReaderScratch& scratch)
        : scan_(scan),
          begin_(text.data()),
          p_(text.data()),
          end_(text.data() + text.size()),
          arena_(&arena),
          elements_(scratch.elements),
          members_(scratch.members),
          objects_(scratch.objects),
          escaped_(scratch.escaped) {}
    // Arrays under key in the root object are fed to feed element by element.
    void FeedArraysUnder(std::string_view key, JsonArrayFeed& feed) {
        feedKey_ = key;
        feed_ = &feed;
    }

    bool ReadValue(Node& out, int depth);
    // ReadJsonElements from the reader's position.
    bool ReadElementRun(std::size_t stopAt, JsonArrayFeed& feed, int depth, JsonElementRun& run);
    std::size_t ErrorOffset() const { return errorOffset_; }
    void SetOffset(std::size_t offset) { p_ = begin_ + offset; }

private:
    // The byte at `at` (or the end, when at == end_) was the last one looked
    // at; everything before it has been read.
    bool Fail(const char* at) { return FailAfter(at < end_ ? at + 1 : end_); }
    bool FailAfter(const char* pastLastRead) {
        errorOffset_ = static_cast<std::size_t>(pastLastRead - begin_);
        return false;
    }
    void SkipWhitespace() { p_ = Scan::SkipWhitespace(p_, end_); }

    bool ReadLiteral(std::string_view rest, Node value, Node& out);
    bool ReadString(char quote, Node& out);
    bool ReadEscapedTail(char quote, const char* runStart);
    bool ReadHex4(std::uint32_t& value);
    bool ReadUnicodeEscape();
    bool ReadNumber(Node& out);
    bool ReadArray(Node& out, int depth, bool feeding);
    bool ReadFedElement(Node& out, int depth);
    // Reads one element into an arena of its own and gives it to the feed;
    // left is what the feed leaves of it.
    bool ReadElementForFeed(int depth, JsonValue& left);
    bool ReadObject(Node& out, int depth);
    std::size_t Offset() const { return static_cast<std::size_t>(p_ - begin_); }

    JsonScan scan_;
    const char* begin_;
    const char* p_;
    const char* end_;
    // Where the blocks of the value being read go.
    JsonArena* arena_;
    std::size_t errorOffset_ = 0;
    // Elements and members of the containers being read, innermost last; a
    // container copies its own range into one exactly sized block when it
    // ends.
    std::vector<Node>& elements_;
    std::vector<MemberNode>& members_;
    JsonTreeBuilder::ObjectScratch& objects_;
    std::string& escaped_;
    std::string_view feedKey_;
    JsonArrayFeed* feed_ = nullptr;
    // The value about to be read is the feed key's in the root object.
    bool feedNext_ = false;
};

template <typename Scan>
bool SyntaxReader<Scan>::ReadValue(Node& out, int depth) {
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
            return ReadLiteral("rue", JsonTreeBuilder::Boolean(true), out);
        case 'f':
            ++p_;
            return ReadLiteral("alse", JsonTreeBuilder::Boolean(false), out);
        case 'n':
            ++p_;
            return ReadLiteral("ull", JsonTreeBuilder::Null(), out);
        default:
            return Fail(p_);
    }
}

template <typename Scan>
bool SyntaxReader<Scan>::ReadLiteral(std::string_view rest, Node value, Node& out) {
    for (char expected : rest) {
        if (p_ == end_ || *p_ != expected) {
            return Fail(p_);
        }
        ++p_;
    }
    out = value;
    return true;
}

template <typename Scan>
bool SyntaxReader<Scan>::ReadString(char quote, Node& out) {
    const char* const runStart = p_;
    for (;;) {
        p_ = Scan::StringRun(p_, end_);
        if (p_ == end_) {
            return Fail(p_);
        }
        const char c = *p_;
        if (c == quote) {
            out = JsonTreeBuilder::String(
                *arena_, std::string_view(runStart, static_cast<std::size_t>(p_ - runStart)));
            ++p_;
            return true;
        }
        if (c == '\\') {
            if (!ReadEscapedTail(quote, runStart)) {
                return false;
            }
            out = JsonTreeBuilder::String(*arena_, escaped_);
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
template <typename Scan>
bool SyntaxReader<Scan>::ReadEscapedTail(char quote, const char* runStart) {
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
            p_ = Scan::StringRun(p_, end_);
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

template <typename Scan>
bool SyntaxReader<Scan>::ReadHex4(std::uint32_t& value) {
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
template <typename Scan>
bool SyntaxReader<Scan>::ReadUnicodeEscape() {
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

template <typename Scan>
bool SyntaxReader<Scan>::ReadNumber(Node& out) {
    const char* const first = p_;
    bool real = false;
    while (p_ < end_ && kNumberByte[static_cast<unsigned char>(*p_)]) {
        real = real || *p_ == '.' || *p_ == 'e' || *p_ == 'E';
        ++p_;
    }
    if (!real) {
        out = JsonTreeBuilder::Integer(IntegerOf(first, p_));
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
    out = JsonTreeBuilder::Real(value);
    return true;
}

// An element the feed gets is read into an arena of its own and handed over
// as a value owning it, so the feed frees it whole when it is done with it;
// what the feed leaves behind joins the tree.
template <typename Scan>
bool SyntaxReader<Scan>::ReadElementForFeed(int depth, JsonValue& left) {
    auto arena = std::make_unique<JsonArena>();
    JsonArena* const outer = std::exchange(arena_, arena.get());
    Node node{};
    const bool read = ReadValue(node, depth);
    arena_ = outer;
    if (!read) {
        return false;
    }
    left = JsonTreeBuilder::Finish(std::move(arena), node);
    feed_->TakeElement(left);
    return true;
}

template <typename Scan>
bool SyntaxReader<Scan>::ReadFedElement(Node& out, int depth) {
    JsonValue element;
    if (!ReadElementForFeed(depth, element)) {
        return false;
    }
    out = JsonTreeBuilder::Adopt(*arena_, std::move(element));
    return true;
}

template <typename Scan>
bool SyntaxReader<Scan>::ReadArray(Node& out, int depth, bool feeding) {
    if (feeding) {
        feed_->ArrayBegins({std::string_view(begin_, static_cast<std::size_t>(end_ - begin_)),
                            Offset(), depth, scan_});
    }
    SkipWhitespace();
    if (p_ < end_ && *p_ == ']') {
        ++p_;
        out = JsonTreeBuilder::Array(*arena_, {});
        return true;
    }
    const std::size_t base = elements_.size();
    std::size_t handOver = feeding ? feed_->NextHandOver() : JsonArrayFeed::kNoHandOver;
    for (;;) {
        if (handOver != JsonArrayFeed::kNoHandOver) {
            SkipWhitespace();
            if (Offset() >= handOver) {
                JsonElementRun run;
                const bool handed = feed_->HandOver(Offset(), run);
                handOver = feed_->NextHandOver();
                if (handed) {
                    for (JsonValue& left : run.left) {
                        elements_.push_back(JsonTreeBuilder::Adopt(*arena_, std::move(left)));
                    }
                    p_ = begin_ + run.end;
                    if (run.closesArray) {
                        out = JsonTreeBuilder::Array(*arena_, std::span(elements_).subspan(base));
                        elements_.resize(base);
                        return true;
                    }
                    continue;
                }
            }
        }
        Node element{};
        if (!(feeding ? ReadFedElement(element, depth) : ReadValue(element, depth))) {
            return false;
        }
        elements_.push_back(element);
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
    out = JsonTreeBuilder::Array(*arena_, std::span(elements_).subspan(base));
    elements_.resize(base);
    return true;
}

template <typename Scan>
bool SyntaxReader<Scan>::ReadElementRun(std::size_t stopAt, JsonArrayFeed& feed, int depth,
                                        JsonElementRun& run) {
    feed_ = &feed;
    for (;;) {
        if (feed.Stopped()) {
            run.end = Offset();  // an element's start
            return true;
        }
        JsonValue left;
        if (!ReadElementForFeed(depth, left)) {
            return false;
        }
        run.left.push_back(std::move(left));
        SkipWhitespace();
        if (p_ < end_ && *p_ == ']') {
            ++p_;
            run.end = Offset();
            run.closesArray = true;
            return true;
        }
        if (p_ == end_ || *p_ != ',') {
            return false;
        }
        ++p_;
        SkipWhitespace();
        if (Offset() >= stopAt) {
            run.end = Offset();
            return true;
        }
    }
}

template <typename Scan>
bool SyntaxReader<Scan>::ReadObject(Node& out, int depth) {
    SkipWhitespace();
    if (p_ < end_ && *p_ == '}') {
        ++p_;
        out = JsonTreeBuilder::Object(*arena_, {}, objects_);
        return true;
    }
    const std::size_t base = members_.size();
    for (;;) {
        SkipWhitespace();
        if (p_ == end_ || (*p_ != '\'' && *p_ != '"')) {
            return Fail(p_);
        }
        const char quote = *p_++;
        MemberNode member{};
        if (!ReadString(quote, member.key)) {
            return false;
        }
        SkipWhitespace();
        if (p_ == end_ || *p_ != ':') {
            return Fail(p_);
        }
        ++p_;
        // The root object is read at depth 1.
        feedNext_ =
            feed_ != nullptr && depth == 1 && JsonTreeBuilder::StringOf(member.key) == feedKey_;
        if (!ReadValue(member.value, depth)) {
            return false;
        }
        members_.push_back(member);
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
    out = JsonTreeBuilder::Object(*arena_, std::span(members_).subspan(base), objects_);
    members_.resize(base);
    return true;
}

template <typename Scan>
JsonSyntaxResult ReadText(JsonScan scan, std::string_view text, JsonValue& root,
                          std::string_view key, JsonArrayFeed* feed) {
    auto arena = std::make_unique<JsonArena>();
    ScratchLease scratch;
    SyntaxReader<Scan> reader(text, scan, *arena, scratch.Get());
    if (feed != nullptr) {
        reader.FeedArraysUnder(key, *feed);
    }
    Node value{};
    if (!reader.ReadValue(value, 0)) {
        return {false, reader.ErrorOffset()};
    }
    root = JsonTreeBuilder::Finish(std::move(arena), value);
    return {true, 0};
}

JsonSyntaxResult ReadWith(JsonScan scan, std::string_view text, JsonValue& root,
                          std::string_view key, JsonArrayFeed* feed) {
    return scan == JsonScan::Portable ? ReadText<PortableScan>(scan, text, root, key, feed)
                                      : ReadText<FastScan>(scan, text, root, key, feed);
}

template <typename Scan>
JsonElementRun ReadElements(const JsonArrayPlace& place, std::size_t offset, JsonArrayFeed& feed,
                            std::size_t stopAt) {
    JsonElementRun run;
    if (offset >= place.text.size()) {
        return run;
    }
    // The elements own their arenas; this one only gets what a failed
    // element had read.
    JsonArena arena;
    ScratchLease scratch;
    SyntaxReader<Scan> reader(place.text, place.scan, arena, scratch.Get());
    reader.SetOffset(offset);
    run.ok = reader.ReadElementRun(stopAt, feed, place.depth, run);
    if (!run.ok) {
        run.left.clear();
    }
    return run;
}

}  // namespace

JsonSyntaxResult ReadJsonText(std::string_view text, JsonValue& root, JsonScan scan) {
    return ReadWith(scan, text, root, {}, nullptr);
}

JsonSyntaxResult ReadJsonText(std::string_view text, JsonValue& root, std::string_view key,
                              JsonArrayFeed& feed, JsonScan scan) {
    return ReadWith(scan, text, root, key, &feed);
}

JsonElementRun ReadJsonElements(const JsonArrayPlace& place, std::size_t offset,
                                JsonArrayFeed& feed, std::size_t stopAt) {
    return place.scan == JsonScan::Portable
               ? ReadElements<PortableScan>(place, offset, feed, stopAt)
               : ReadElements<FastScan>(place, offset, feed, stopAt);
}

}  // namespace ze
