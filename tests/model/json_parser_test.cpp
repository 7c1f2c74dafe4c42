#include "model/json_parser.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace ze {
namespace {

struct ParseCase {
    const char* name;
    std::string text;
    std::string serialized;  // the root written back with quoteStrings set
};

class ParseAccepts : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseAccepts, GivesTree) {
    JsonParser parser;
    ASSERT_TRUE(parser.Parse(GetParam().text)) << parser.GetErrorText();
    EXPECT_EQ(parser.GetRoot().Serialize(true), GetParam().serialized);
    EXPECT_EQ(parser.GetCurrent(), &parser.GetRoot());
}

INSTANTIATE_TEST_SUITE_P(
    Text, ParseAccepts,
    testing::Values(
        ParseCase{"BothQuotes", "{'Name':'A',\"Type\":\"TEXT\"}", "{'Name':'A','Type':'TEXT'}"},
        ParseCase{"LastDuplicateWins", "{'a':1,'b':0,'a':2}", "{'a':2,'b':0}"},
        ParseCase{"KeysByUnsignedBytes", "{'\x80':0,'ab':1,'a':2,'B':3}",
                  "{'B':3,'a':2,'ab':1,'\x80':0}"},
        ParseCase{"ExponentIsReal", "1e3", "1000.000000"}, ParseCase{"Integer", "12", "12"},
        ParseCase{"MinusAloneIsZero", "-", "0"}, ParseCase{"AtoiStopsAtSign", "1+2", "1"},
        ParseCase{"IntegerSaturatesHigh", "2147483648", "2147483647"},
        ParseCase{"IntegerSaturatesLow", "-2147483649", "-2147483648"},
        ParseCase{"IntegerSaturatesLongRun", "99999999999999999999999", "2147483647"},
        ParseCase{"RealUnderflowIsZero", "1e-400", "0.000000"},
        ParseCase{"RealSaturatesHigh", "[1e999,-1e999]",
                  "[" + std::to_string(std::numeric_limits<double>::max()) + ",-" +
                      std::to_string(std::numeric_limits<double>::max()) + "]"},
        ParseCase{"EscapedDoubleQuotesInSingle", "'say \\\"hi\\\"'", "'say \"hi\"'"},
        ParseCase{"OtherQuoteIsPlain", "\"it's\"", "'it's'"},
        ParseCase{"Escapes", "'\\/\\\\\\b\\f\\n\\r\\t'", "'/\\\b\f\n\r\t'"},
        ParseCase{"EscapeAfterLongRun", "'abcdefghijklmnop\\tq'", "'abcdefghijklmnop\tq'"},
        ParseCase{"UnicodeTwoBytes", "'\\u00e9'", "'\xC3\xA9'"},
        ParseCase{"UnicodeThreeBytes", "'\\u3042'", "'\xE3\x81\x82'"},
        ParseCase{"SurrogatePair", "'\\ud83d\\uDE00'", "'\xF0\x9F\x98\x80'"},
        ParseCase{"HighBytesKept", "'\x93\xfa\x96\x7b'", "'\x93\xfa\x96\x7b'"},
        ParseCase{"EmptyContainers", "[{},[],'']", "[{},[],'']"},
        ParseCase{"RestIgnored", "{} garbage", "{}"},
        ParseCase{"LiteralTailNotExamined", "truex", "true"},
        ParseCase{"Whitespace", " \t\r\n[ null ,false\n]", "[null,false]"},
        ParseCase{"EndsAtZeroByte", std::string("[1]\0[", 5), "[1]"}),
    [](const auto& row) { return std::string(row.param.name); });

struct FailCase {
    const char* name;
    std::string text;
    int line;
    int byte;  // bytes read when the fault was found
};

class ParseRefuses : public testing::TestWithParam<FailCase> {};

TEST_P(ParseRefuses, ReportsWhereItStopped) {
    JsonParser parser;
    ASSERT_FALSE(parser.Parse(GetParam().text));
    const std::string heading = "Parse error\n line:" + std::to_string(GetParam().line) +
                                "  byte:" + std::to_string(GetParam().byte) + "\n";
    EXPECT_EQ(parser.GetErrorText().substr(0, heading.size()), heading);
    EXPECT_EQ(parser.GetCurrent(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Text, ParseRefuses,
    testing::Values(
        FailCase{"TrailingCommaInArray", "[1,2,]", 1, 6},
        FailCase{"TrailingCommaInObject", "{'a':1,}", 1, 8},
        FailCase{"TwoDecimalPoints", "1.2.3", 1, 5},
        FailCase{"ExponentWithoutDigits", "[1e]", 1, 4},
        FailCase{"NoSingleQuoteEscape", "'a\\'b'", 1, 4},
        FailCase{"LoneLowSurrogate", "'\\udc00'", 1, 7},
        FailCase{"HighSurrogateAlone", "'\\ud83dx'", 1, 8},
        FailCase{"HighSurrogateBadPartner", "'\\ud83d\\u0041'", 1, 13},
        FailCase{"BadHexDigit", "'\\u12g4'", 1, 6}, FailCase{"RawTabInString", "'a\tb'", 1, 3},
        FailCase{"UnclosedString", "'abc", 1, 4}, FailCase{"MissingSeparator", "[1 2]", 1, 4},
        FailCase{"MissingColon", "{'a' 1}", 1, 6}, FailCase{"BareKey", "{a:1}", 1, 2},
        FailCase{"PlusStartsNothing", "+1", 1, 1}, FailCase{"UpperCaseLiteral", "True", 1, 1},
        FailCase{"ShortLiteral", "tru", 1, 3}, FailCase{"WrongLiteral", "nul1", 1, 4},
        FailCase{"UnclosedArrayAtEnd", "[\n1,\n", 2, 5},
        FailCase{"LineFeedEndingTheFaultyByte", "[\n'a\n", 2, 5},
        FailCase{"TooDeep", std::string(100000, '['), 1, 513}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ParseNesting, AcceptsDepthLimit) {
    JsonParser parser;
    EXPECT_TRUE(parser.Parse(std::string(512, '[') + std::string(512, ']')));
    // Objects count towards the bound too: the 513th container is refused.
    const std::string text = std::string(256, '[') + "{'a':" + std::string(300, '[');
    ASSERT_FALSE(parser.Parse(text));
    EXPECT_NE(parser.GetErrorText().find("byte:517\n"), std::string::npos);
}

struct ReportCase {
    const char* name;
    std::string text;
    std::string report;
};

class ErrorReport : public testing::TestWithParam<ReportCase> {};

TEST_P(ErrorReport, IsExact) {
    JsonParser parser;
    ASSERT_FALSE(parser.Parse(GetParam().text));
    EXPECT_EQ(parser.GetErrorText(), GetParam().report);
}

const std::string kReportEnd = "\n\nput '!' at error pos. under 0x20, (Hex).\n";

INSTANTIATE_TEST_SUITE_P(
    Text, ErrorReport,
    testing::Values(
        ReportCase{"EmptyText", "",
                   "Parse error\n line:1  byte:0\n show from 0 byte\n\n!" + kReportEnd},
        ReportCase{
            "ThirdLineWithCarriageReturns", "{\r\n'a':1,\r\n'b':?}",
            "Parse error\n line:3  byte:16\n show from 3 byte\n\n'a':1,(d)'b':?!}" + kReportEnd},
        ReportCase{"DumpStopsAtSecondLineFeed", "[1,\n2,\n+3,\n4]",
                   "Parse error\n line:3  byte:8\n show from 4 byte\n\n2,+!3," + kReportEnd},
        ReportCase{"ControlBytes", "'\x0e\x01'",
                   "Parse error\n line:1  byte:2\n show from 0 byte\n\n'\x0e!(1)'" + kReportEnd}),
    [](const auto& row) { return std::string(row.param.name); });

class Queries : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(parser.Parse(
            "{'w':320,'s':0.5,'b':true,'l':[1,'x'],'n':null,'t':'TEXT','o':{'k':'v'}}"));
    }
    JsonParser parser;
};

TEST_F(Queries, GetStringGivesTextForms) {
    const std::vector<std::pair<const char*, const char*>> expected = {
        {"w", "320"},     {"s", "0.500000"}, {"b", "true"},
        {"l", "[1,'x']"}, {"t", "TEXT"},     {"o", "{'k':'v'}"}};
    for (const auto& [key, text] : expected) {
        std::string out;
        EXPECT_TRUE(parser.GetString(key, out)) << key;
        EXPECT_EQ(out, text) << key;
    }
    std::string untouched = "keep";
    EXPECT_FALSE(parser.GetString("n", untouched));
    EXPECT_FALSE(parser.GetString("absent", untouched));
    EXPECT_EQ(untouched, "keep");
}

TEST_F(Queries, GetIntTakesIntegersOnly) {
    std::int32_t value = 7;
    EXPECT_TRUE(parser.GetInt("w", value));
    EXPECT_EQ(value, 320);
    EXPECT_FALSE(parser.GetInt("s", value));
    EXPECT_FALSE(parser.GetInt("t", value));
    EXPECT_FALSE(parser.GetInt("absent", value));
    EXPECT_EQ(value, 320);
}

TEST_F(Queries, KeysAppendInByteOrder) {
    std::vector<std::string> keys = {"already"};
    EXPECT_EQ(parser.GetKeys(keys), 7);
    EXPECT_EQ(keys, (std::vector<std::string>{"already", "b", "l", "n", "o", "s", "t", "w"}));
}

TEST_F(Queries, NullAndArrayChecks) {
    EXPECT_TRUE(parser.IsNull("n"));
    EXPECT_TRUE(parser.IsNull("absent"));
    EXPECT_FALSE(parser.IsNull("w"));
    EXPECT_TRUE(parser.IsArray("l"));
    EXPECT_FALSE(parser.IsArray("o"));
    EXPECT_EQ(parser.GetArray("l").Elements().size(), 2u);
    EXPECT_TRUE(parser.GetArray("o").IsArray());
    EXPECT_TRUE(parser.GetArray("o").Elements().empty());
}

TEST_F(Queries, EnterObjectAndComeBack) {
    const JsonValue* root = parser.GetCurrent();
    EXPECT_FALSE(parser.EnterObject("l"));
    EXPECT_EQ(parser.GetCurrent(), root);
    parser.SetSavedCurrent(parser.GetCurrent());
    ASSERT_TRUE(parser.EnterObject("o"));
    std::string out;
    EXPECT_TRUE(parser.GetString("k", out));
    EXPECT_EQ(out, "v");
    parser.SetCurrent(parser.GetSavedCurrent());
    EXPECT_TRUE(parser.GetString("t", out));
}

TEST_F(Queries, WalkVisitsElementsAndStaysOnLast) {
    JsonArrayWalk walk(parser.GetArray("l"));
    std::vector<std::string> seen;
    while (parser.NextElement(walk)) {
        seen.push_back(parser.GetCurrent()->Serialize(true));
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"1", "'x'"}));
    EXPECT_EQ(parser.GetCurrent()->AsString(), "x");
    EXPECT_FALSE(parser.NextElement(walk));
}

TEST_F(Queries, NonObjectCurrentReadsAsEmptyObject) {
    JsonArrayWalk walk(parser.GetArray("l"));
    ASSERT_TRUE(parser.NextElement(walk));  // the integer 1
    std::vector<std::string> keys;
    std::string out;
    std::int32_t value = 0;
    EXPECT_EQ(parser.GetKeys(keys), 0);
    EXPECT_TRUE(keys.empty());
    EXPECT_TRUE(parser.IsNull("w"));
    EXPECT_FALSE(parser.GetString("w", out));
    EXPECT_FALSE(parser.GetInt("w", value));
    EXPECT_FALSE(parser.IsArray("l"));
    EXPECT_FALSE(parser.EnterObject("o"));
    JsonArrayWalk overScalar(*parser.GetCurrent());
    const JsonValue* before = parser.GetCurrent();
    EXPECT_FALSE(parser.NextElement(overScalar));
    EXPECT_EQ(parser.GetCurrent(), before);
}

TEST(ParserState, QueriesBeforeParseFindNothing) {
    JsonParser parser;
    std::vector<std::string> keys;
    std::string out;
    EXPECT_TRUE(parser.IsNull("a"));
    EXPECT_FALSE(parser.GetString("a", out));
    EXPECT_EQ(parser.GetKeys(keys), 0);
    EXPECT_FALSE(parser.EnterObject("a"));
}

TEST(ParserState, FailedParseKeepsEarlierTree) {
    JsonParser parser;
    ASSERT_TRUE(parser.Parse("{'o':{'k':'v'}}"));
    ASSERT_TRUE(parser.EnterObject("o"));
    const JsonValue* inner = parser.GetCurrent();
    EXPECT_FALSE(parser.Parse("{'o':{'k':"));
    EXPECT_FALSE(parser.GetErrorText().empty());
    EXPECT_EQ(parser.GetCurrent(), inner);
    std::string out;
    EXPECT_TRUE(parser.GetString("k", out));
    EXPECT_EQ(out, "v");
    EXPECT_TRUE(parser.Parse("[]"));
    EXPECT_TRUE(parser.GetErrorText().empty());
}

// A reader done with one element of a large array frees it; the others and
// the walk over them stay as they were.
// Takes every element it is fed, leaving a marker in its place, and notes
// what it was given.
class RecordingFeed final : public JsonArrayFeed {
public:
    void ArrayBegins(const JsonArrayPlace&) override { fed.push_back("begins"); }
    void TakeElement(JsonValue& element) override {
        fed.push_back(element.Serialize(true));
        element = JsonValue("taken");
    }
    std::vector<std::string> fed;
};

TEST(ParserFeed, HandsOverTheElementsOfTheRootArraysUnderTheKey) {
    struct Case {
        const char* text;
        std::vector<std::string> fed;
        const char* rootAfter;  // serialized
    };
    const Case cases[] = {
        {"{'Name':'P','Commands':[{'A':1},'x',[2]],'Tail':true}",
         {"begins", "{'A':1}", "'x'", "[2]"},
         "{'Commands':['taken','taken','taken'],'Name':'P','Tail':true}"},
        {"{'Commands':[]}", {"begins"}, "{'Commands':[]}"},
        // Only the root object's own key: deeper ones and other keys stay.
        {"{'Object':{'Commands':[1]},'Other':[2]}", {}, "{'Object':{'Commands':[1]},'Other':[2]}"},
        {"[{'Commands':[1]}]", {}, "[{'Commands':[1]}]"},
        // A key given twice: both arrays are fed, each announced; the value
        // that stands is the last one, whatever it is.
        {"{'Commands':[1],'Commands':[2,3]}",
         {"begins", "1", "begins", "2", "3"},
         "{'Commands':['taken','taken']}"},
        {"{'Commands':[1],'Commands':5}", {"begins", "1"}, "{'Commands':5}"},
        {"{'Commands':'text'}", {}, "{'Commands':'text'}"},
        // An escaped key is the same key.
        {"{'Comm\\u0061nds':[7]}", {"begins", "7"}, "{'Commands':['taken']}"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        RecordingFeed feed;
        JsonParser parser;
        ASSERT_TRUE(parser.Parse(c.text, "Commands", feed));
        EXPECT_EQ(feed.fed, c.fed);
        EXPECT_EQ(parser.GetRoot().Serialize(true), c.rootAfter);
    }
}

TEST(ParserFeed, AFailedParseReportsAsWithoutAFeed) {
    const std::string text = "{'Commands':[{'A':1},{'B':2}, oops]}";
    RecordingFeed feed;
    JsonParser fed;
    JsonParser plain;
    EXPECT_FALSE(fed.Parse(text, "Commands", feed));
    EXPECT_FALSE(plain.Parse(text));
    EXPECT_EQ(fed.GetErrorText(), plain.GetErrorText());
    // What came before the fault was handed over; the caller drops it.
    EXPECT_EQ(feed.fed, (std::vector<std::string>{"begins", "{'A':1}", "{'B':2}"}));
}

// RecordingFeed that also has the elements from the given offsets on read as
// runs (ReadJsonElements), the way a feed would on another thread: the
// offsets are guesses, and only where the parser finds an element to begin
// does a run count.
class SplittingFeed final : public JsonArrayFeed {
public:
    // A run stops after stopAfter elements, as when the parser cuts it.
    SplittingFeed(std::vector<std::size_t> guesses, std::size_t stopAfter)
        : guesses_(std::move(guesses)), stopAfter_(stopAfter) {}
    void ArrayBegins(const JsonArrayPlace& place) override {
        inner.ArrayBegins(place);
        place_ = place;
        next_ = 0;
    }
    void TakeElement(JsonValue& element) override {
        inner.TakeElement(element);
        ++runFed_;
    }
    bool Stopped() const override { return runFed_ >= stopAfter_; }
    std::size_t NextHandOver() const override {
        return next_ < guesses_.size() ? guesses_[next_] : kNoHandOver;
    }
    bool HandOver(std::size_t offset, JsonElementRun& run) override {
        while (next_ < guesses_.size() && guesses_[next_] < offset) {
            ++next_;
        }
        if (next_ == guesses_.size() || guesses_[next_] != offset) {
            return false;
        }
        ++next_;
        const std::size_t before = inner.fed.size();
        runFed_ = 0;
        run = ReadJsonElements(place_, offset, *this, NextHandOver());
        if (!run.ok) {
            inner.fed.resize(before);  // the parser reads them itself
        }
        handed += run.ok ? 1 : 0;
        return run.ok;
    }
    RecordingFeed inner;
    int handed = 0;

private:
    std::vector<std::size_t> guesses_;
    std::size_t stopAfter_;
    std::size_t runFed_ = 0;
    JsonArrayPlace place_;
    std::size_t next_ = 0;
};

TEST(ParserFeed, RunsReadElsewhereGiveWhatTheParserWouldHaveRead) {
    // Guesses fall into strings, nested arrays and whitespace, before and
    // after the array, and into a fault.
    const char* const texts[] = {
        "{'Name':'P','Commands':[{'A':1},'x, {',[2,{'B':[]}], {'C':'}]'} ,\"\\\"]\",3],'T':1}",
        "{'Commands':[1,2],'Commands':[[3],{'D':{'E':[4,5]}},6]}",
        "{'Commands':[{'A':1},{'B':2}, oops]}",
        "{'Commands':[{'A':1},{'B':[2}]}",
        "{'Commands':[{'A':1},{'B':2},]}",
    };
    for (const JsonScan scan : {JsonScan::Fast, JsonScan::Portable}) {
        for (const std::string text : texts) {
            RecordingFeed whole;
            JsonParser plain;
            plain.SetScan(scan);
            const bool ok = plain.Parse(text, "Commands", whole);
            int handed = 0;
            // Every offset alone, and every pair; runs whole or cut short.
            for (std::size_t first = 0; first <= text.size(); ++first) {
                for (std::size_t second = first; second <= text.size(); ++second) {
                    std::vector<std::size_t> guesses{first};
                    if (second != first) {
                        guesses.push_back(second);
                    }
                    const std::size_t stops[] = {JsonArrayFeed::kNoHandOver, 0, 1, 2};
                    SplittingFeed feed(guesses, stops[second % 4]);
                    JsonParser split;
                    split.SetScan(scan);
                    ASSERT_EQ(split.Parse(text, "Commands", feed), ok) << text << " " << first;
                    ASSERT_EQ(split.GetErrorText(), plain.GetErrorText()) << text << " " << first;
                    ASSERT_EQ(feed.inner.fed, whole.fed) << text << " " << first << " " << second;
                    ASSERT_EQ(split.GetRoot(), plain.GetRoot()) << text << " " << first;
                    handed += feed.handed;
                }
            }
            EXPECT_GT(handed, 0) << text;
        }
    }
}

}  // namespace
}  // namespace ze
