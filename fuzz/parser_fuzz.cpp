// Parses arbitrary bytes; a parsed tree is read through every query and
// written back. The parser is checked against a plain one that follows the
// byte reader step by step (reads, give-backs and all), and its fast scan
// against its portable one: all must agree on the tree, and on a refused text
// the report must be the same byte for byte. A parse that feeds the elements
// of the root's "Commands" arrays must build the same tree whether the feed
// keeps the elements, leaves them or puts others in their place.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/json_byte_reader.h"
#include "model/json_error_report.h"
#include "model/json_parser.h"
#include "model/json_syntax.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Text that the serializer writes without escaping reads back the same only
// when no string holds a quote, a backslash or a control byte.
bool SurvivesWriting(std::string_view bytes) {
    for (unsigned char c : bytes) {
        if (c == '\'' || c == '\\' || c < 0x20) {
            return false;
        }
    }
    return true;
}

bool SurvivesWriting(const ze::JsonValue& value) {
    if (value.Type() == ze::JsonType::String) {
        return SurvivesWriting(value.AsString());
    }
    for (const ze::JsonValue& element : value.Elements()) {
        if (!SurvivesWriting(element)) {
            return false;
        }
    }
    for (const ze::JsonMember& member : value.Members()) {
        if (!SurvivesWriting(member.Key()) || !SurvivesWriting(member.Value())) {
            return false;
        }
    }
    return true;
}

class PlainParser {
public:
    explicit PlainParser(std::string_view text) : reader_(text) {}

    bool Value(ze::JsonValue& out, int depth) {
        SkipWhitespace();
        const int c = reader_.Read();
        if (c == '"' || c == '\'') {
            std::string bytes;
            if (!String(c, bytes)) {
                return false;
            }
            out = ze::JsonValue(std::string_view(bytes));
            return true;
        }
        if (c == '-' || (c >= '0' && c <= '9')) {
            reader_.GiveBack();
            return Number(out);
        }
        if (c == '[' || c == '{') {
            if (depth >= ze::kJsonMaxDepth) {
                return false;
            }
            return c == '[' ? Array(out, depth + 1) : Object(out, depth + 1);
        }
        if (c == 't') {
            return Literal("rue", ze::JsonValue(true), out);
        }
        if (c == 'f') {
            return Literal("alse", ze::JsonValue(false), out);
        }
        if (c == 'n') {
            return Literal("ull", ze::JsonValue(), out);
        }
        reader_.GiveBack();
        return false;
    }

    std::size_t Position() const { return reader_.Position(); }

private:
    void SkipWhitespace() {
        int c = 0;
        do {
            c = reader_.Read();
        } while (c == '\t' || c == '\n' || c == '\r' || c == ' ');
        reader_.GiveBack();
    }

    bool Expect(int wanted) {
        SkipWhitespace();
        if (reader_.Read() == wanted) {
            return true;
        }
        reader_.GiveBack();
        return false;
    }

    bool Literal(std::string_view rest, ze::JsonValue value, ze::JsonValue& out) {
        for (char wanted : rest) {
            if (reader_.Read() != wanted) {
                reader_.GiveBack();
                return false;
            }
        }
        out = std::move(value);
        return true;
    }

    bool Hex4(std::uint32_t& value) {
        value = 0;
        for (int i = 0; i < 4; ++i) {
            const int c = reader_.Read();
            int digit = -1;
            if (c >= '0' && c <= '9') {
                digit = c - '0';
            } else if (c >= 'a' && c <= 'f') {
                digit = c - 'a' + 10;
            } else if (c >= 'A' && c <= 'F') {
                digit = c - 'A' + 10;
            }
            if (digit < 0) {
                reader_.GiveBack();
                return false;
            }
            value = value * 16 + static_cast<std::uint32_t>(digit);
        }
        return true;
    }

    bool String(int quote, std::string& bytes) {
        for (;;) {
            const int c = reader_.Read();
            if (c == quote) {
                return true;
            }
            if (c < 0x20) {
                return false;
            }
            if (c != '\\') {
                bytes += static_cast<char>(c);
                continue;
            }
            const int e = reader_.Read();
            const std::string_view from = "\"\\/bfnrt";
            const std::string_view to = "\"\\/\b\f\n\r\t";
            if (e >= 0 && from.find(static_cast<char>(e)) != std::string_view::npos) {
                bytes += to[from.find(static_cast<char>(e))];
                continue;
            }
            if (e != 'u') {
                return false;
            }
            std::uint32_t cp = 0;
            if (!Hex4(cp) || (cp >= 0xDC00 && cp <= 0xDFFF)) {
                return false;
            }
            if (cp >= 0xD800 && cp <= 0xDBFF) {
                std::uint32_t low = 0;
                if (reader_.Read() != '\\' || reader_.Read() != 'u' || !Hex4(low) || low < 0xDC00 ||
                    low > 0xDFFF) {
                    return false;
                }
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
            }
            // The UTF-8 encoder is the parser's own; only the reading is checked.
            ze::JsonValue encoded;
            const std::string escape = "\"\\u" + Hex(cp) + "\"";
            if (cp >= 0x10000) {
                const std::uint32_t v = cp - 0x10000;
                const std::string pair =
                    "\"\\u" + Hex(0xD800 + (v >> 10)) + "\\u" + Hex(0xDC00 + (v & 0x3FF)) + "\"";
                ze::ReadJsonText(pair, encoded);
            } else {
                ze::ReadJsonText(escape, encoded);
            }
            bytes += encoded.AsString();
        }
    }

    static std::string Hex(std::uint32_t value) {
        static const char kDigits[] = "0123456789abcdef";
        std::string text(4, '0');
        for (int i = 3; i >= 0; --i, value >>= 4) {
            text[static_cast<std::size_t>(i)] = kDigits[value & 15];
        }
        return text;
    }

    bool Number(ze::JsonValue& out) {
        std::string run;
        for (int c = reader_.Read();
             c >= 0 && std::string_view("0123456789+-.eE").find(static_cast<char>(c)) !=
                           std::string_view::npos;
             c = reader_.Read()) {
            run += static_cast<char>(c);
        }
        reader_.GiveBack();
        // Conversion rules (atoi, strtod and their limits) are the parser's
        // own; hand the run over unchanged.
        return ze::ReadJsonText(run, out).ok || run.find_first_of(".eE") == std::string::npos;
    }

    bool Array(ze::JsonValue& out, int depth) {
        std::vector<ze::JsonValue> elements;
        if (!Expect(']')) {
            for (;;) {
                ze::JsonValue element;
                if (!Value(element, depth)) {
                    return false;
                }
                elements.push_back(std::move(element));
                SkipWhitespace();
                if (reader_.Read() != ',') {
                    reader_.GiveBack();
                    break;
                }
            }
            if (!Expect(']')) {
                return false;
            }
        }
        out = ze::JsonValue::Array(elements);
        return true;
    }

    bool Object(ze::JsonValue& out, int depth) {
        std::vector<ze::JsonMember> members;
        if (!Expect('}')) {
            for (;;) {
                SkipWhitespace();
                const int quote = reader_.Read();
                std::string key;
                ze::JsonValue value;
                if ((quote != '\'' && quote != '"') || !String(quote, key) || !Expect(':') ||
                    !Value(value, depth)) {
                    return false;
                }
                members.emplace_back(key, std::move(value));
                SkipWhitespace();
                if (reader_.Read() != ',') {
                    reader_.GiveBack();
                    break;
                }
            }
            if (!Expect('}')) {
                return false;
            }
        }
        out = ze::JsonValue::Object(members);
        return true;
    }

    ze::JsonByteReader reader_;
};

// Keeps every third element, replaces every third with a string that owns
// memory and leaves the rest. Has the elements from about every fifth offset
// read as runs, as a load reads parts of its array elsewhere; a run counts
// only where the parser finds an element to begin.
class ShufflingFeed final : public ze::JsonArrayFeed {
public:
    void ArrayBegins(const ze::JsonArrayPlace& place) override {
        arrays.emplace_back();
        place_ = place;
        next_ = Guess(place.offset + 1);
    }
    std::size_t NextHandOver() const override { return next_; }
    bool HandOver(std::size_t offset, ze::JsonElementRun& run) override {
        next_ = Guess(offset + 1);
        if (Guess(offset) != offset) {
            return false;
        }
        const std::size_t fed = arrays.back().size();
        const std::size_t keptBefore = kept.size();
        run = ze::ReadJsonElements(place_, offset, *this, next_);
        if (!run.ok) {
            arrays.back().resize(fed);  // the parser reads them again
            kept.resize(keptBefore);
        }
        return run.ok;
    }
    void TakeElement(ze::JsonValue& element) override {
        arrays.back().push_back(element);
        switch (arrays.back().size() % 3) {
            case 0:
                kept.push_back(std::move(element));
                break;
            case 1:
                element = ze::JsonValue("a replacement longer than the inline part");
                break;
            default:
                break;
        }
    }
    std::vector<std::vector<ze::JsonValue>> arrays;  // copies of what was fed
    std::vector<ze::JsonValue> kept;

private:
    // The first guessed offset from from on.
    std::size_t Guess(std::size_t from) const {
        for (std::size_t at = from; at <= place_.text.size(); ++at) {
            if ((at * 2654435761u) % 5 == 0) {
                return at;
            }
        }
        return kNoHandOver;
    }

    ze::JsonArrayPlace place_;
    std::size_t next_ = kNoHandOver;
};

void CheckFedParse(std::string_view text, const ze::JsonParser& whole) {
    ShufflingFeed feed;
    ze::JsonParser fed;
    const bool parsed = fed.Parse(text, "Commands", feed);
    Check(parsed == whole.GetErrorText().empty());
    if (!parsed) {
        Check(fed.GetErrorText() == whole.GetErrorText());
        return;
    }
    std::size_t keptIndex = 0;
    for (const std::vector<ze::JsonValue>& array : feed.arrays) {
        for (std::size_t i = 0; i < array.size(); ++i) {
            if ((i + 1) % 3 == 0) {
                Check(feed.kept[keptIndex++] == array[i]);
            }
        }
    }
    Check(keptIndex == feed.kept.size());
    // The value that stands under the key is the last array fed, with the
    // feed's changes; the rest of the tree is as without a feed.
    const ze::JsonValue* commands = whole.GetRoot().Find("Commands");
    if (commands != nullptr && commands->IsArray() && !feed.arrays.empty()) {
        const std::span<const ze::JsonValue> elements = fed.GetRoot().Find("Commands")->Elements();
        const std::vector<ze::JsonValue>& last = feed.arrays.back();
        Check(elements.size() == last.size());
        for (std::size_t i = 0; i < last.size(); ++i) {
            Check(last[i] == commands->Elements()[i]);
            switch ((i + 1) % 3) {
                case 0:
                    Check(elements[i].IsNull());
                    break;
                case 1:
                    Check(elements[i].AsString() == "a replacement longer than the inline part");
                    break;
                default:
                    Check(elements[i] == last[i]);
                    break;
            }
        }
    } else {
        Check(fed.GetRoot() == whole.GetRoot());
    }
}

void Visit(ze::JsonParser& parser) {
    std::vector<std::string> keys;
    const int count = parser.GetKeys(keys);
    Check(count == static_cast<int>(keys.size()));
    for (std::size_t i = 1; i < keys.size(); ++i) {
        Check(keys[i - 1] < keys[i]);
    }
    for (const std::string& key : keys) {
        std::string text;
        std::int32_t number = 0;
        Check(parser.GetString(key, text) != parser.IsNull(key));
        parser.GetInt(key, number);
        const ze::JsonValue* here = parser.GetCurrent();
        if (parser.IsArray(key)) {
            ze::JsonArrayWalk walk(parser.GetArray(key));
            while (parser.NextElement(walk)) {
                Visit(parser);
            }
            parser.SetCurrent(here);
        } else if (parser.EnterObject(key)) {
            Visit(parser);
            parser.SetCurrent(here);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ze::JsonParser parser;
    const bool parsed = parser.Parse(text);

    const std::string_view beforeZero = text.substr(0, text.find('\0'));
    PlainParser plain(beforeZero);
    ze::JsonValue plainTree;
    const bool plainParsed = plain.Value(plainTree, 0);
    Check(parsed == plainParsed);

    ze::JsonParser portable;
    portable.SetScan(ze::JsonScan::Portable);
    Check(portable.Parse(text) == parsed);
    Check(portable.GetErrorText() == parser.GetErrorText());
    if (parsed) {
        Check(portable.GetRoot() == parser.GetRoot());
    }
    CheckFedParse(text, parser);

    if (!parsed) {
        Check(parser.GetErrorText() == ze::BuildJsonErrorReport(beforeZero, plain.Position()));
    } else {
        Check(parser.GetRoot() == plainTree);
    }

    if (!parsed) {
        const std::string& report = parser.GetErrorText();
        Check(report.rfind("Parse error\n line:", 0) == 0);
        const std::string_view tail = "\n\nput '!' at error pos. under 0x20, (Hex).\n";
        Check(report.size() > tail.size() &&
              report.compare(report.size() - tail.size(), tail.size(), tail) == 0);
        return 0;
    }
    Check(parser.GetErrorText().empty());
    Visit(parser);

    const ze::JsonValue copy = parser.GetRoot();
    Check(copy == parser.GetRoot());
    const std::string written = copy.Serialize(true);
    ze::JsonParser again;
    const bool reread = again.Parse(written);
    if (SurvivesWriting(copy)) {
        Check(reread);
        Check(again.GetRoot().Serialize(true) == written);
    }
    return 0;
}
