#include "common/text_convert.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>
#include <random>

#include "common/oracle.h"

namespace ze {
namespace {

using Convert = std::function<std::string(std::string_view)>;

// nkf is the oracle: without it these tests would prove nothing, so they fail.
#define REQUIRE_NKF()                                                                       \
    if (!test::NkfAvailable()) {                                                            \
        GTEST_FAIL() << "missing program nkf: install the Debian package nkf (the oracle)"; \
    }

std::string Hex(std::string_view s) {
    std::string h;
    for (const char c : s) {
        char buf[4];
        std::snprintf(buf, sizeof buf, "%02X ", static_cast<unsigned char>(c));
        h += buf;
    }
    return h;
}

bool IsLead(int b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// A character CP932 holds, in both codings.
struct Cp932Char {
    std::string sjis;
    std::string utf8;
};

// Every character CP932 decodes to, one code each: ASCII, half-width katakana and the
// assigned double-byte codes (NEC-selected duplicates of the IBM rows skipped).
const std::vector<Cp932Char>& Cp932Chars() {
    static const std::vector<Cp932Char> chars = [] {
        std::vector<Cp932Char> all;
        std::map<std::string, bool> seen;
        auto add = [&](const std::string& code) {
            const auto utf8 = test::Iconv("CP932", "UTF-8", code);
            if (utf8 && !seen[*utf8]) {
                seen[*utf8] = true;
                all.push_back({*test::Iconv("UTF-8", "CP932", *utf8), *utf8});
            }
        };
        for (int b = 0x01; b <= 0xDF; ++b) {
            if (b < 0x80 || b >= 0xA1) {
                add(std::string(1, static_cast<char>(b)));
            }
        }
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            for (int trail = 0x40; trail <= 0xFC && IsLead(lead); ++trail) {
                add({static_cast<char>(lead), static_cast<char>(trail)});
            }
        }
        return all;
    }();
    return chars;
}

// Half-width katakana followed by each sound mark, in Shift_JIS, where nkf may merge them.
std::vector<std::string> KanaWithMarks() {
    std::vector<std::string> out;
    for (int kana = 0xA1; kana <= 0xDF; ++kana) {
        for (const int mark : {0xDE, 0xDF}) {
            out.push_back({static_cast<char>(kana), static_cast<char>(mark)});
        }
    }
    return out;
}

std::string ToUtf8(const std::string& sjis) {
    return *test::Iconv("CP932", "UTF-8", sjis);
}

void ExpectSameAsNkf(const std::string& option, const std::vector<std::string>& inputs,
                     const Convert& convert) {
    const auto expected = test::NkfEach(option, inputs);
    int differences = 0;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const std::string actual = convert(inputs[i]);
        if (actual != expected[i] && ++differences <= 10) {
            ADD_FAILURE() << option << " of " << Hex(inputs[i]) << ": nkf " << Hex(expected[i])
                          << ", ours " << Hex(actual);
        }
    }
    EXPECT_EQ(differences, 0) << "of " << inputs.size() << " inputs";
}

TEST(SjisToUtf8, MatchesNkfForEveryCodeAlone) {
    REQUIRE_NKF();
    std::vector<std::string> inputs;
    for (int b = 0; b <= 0xFF; ++b) {
        inputs.emplace_back(1, static_cast<char>(b));
    }
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            inputs.push_back({static_cast<char>(lead), static_cast<char>(trail)});
        }
    }
    for (auto& s : KanaWithMarks()) {
        inputs.push_back(std::move(s));
    }
    ExpectSameAsNkf("-Sw", inputs, ConvertSjisToUtf8);
}

TEST(Utf8ToSjis, MatchesNkfForEveryCp932Character) {
    REQUIRE_NKF();
    std::vector<std::string> inputs;
    for (const auto& c : Cp932Chars()) {
        inputs.push_back(c.utf8);
    }
    for (const auto& s : KanaWithMarks()) {
        inputs.push_back(ToUtf8(s));
    }
    ExpectSameAsNkf("-Ws", inputs, ConvertUtf8ToSjis);
}

TEST(SjisUtf8, CorpusMatchesNkfBothWays) {
    REQUIRE_NKF();
    std::vector<std::string> utf8 = test::CorpusLines();
    std::vector<std::string> sjis;
    for (const auto& line : utf8) {
        sjis.push_back(*test::Iconv("UTF-8", "CP932", line));
    }
    // One long text as well: half-width katakana triple in size and must not be cut.
    std::string all;
    for (const auto& line : sjis) {
        all += line + "\r\n";
    }
    sjis.push_back(all);
    utf8.push_back(ToUtf8(all));
    ExpectSameAsNkf("-Sw", sjis, ConvertSjisToUtf8);
    ExpectSameAsNkf("-Ws", utf8, ConvertUtf8ToSjis);
}

// ConvertToSjis: nkf guesses the input coding and sometimes guesses wrong on text the
// editor writes. Each case carries the right Shift_JIS, computed with iconv. Where our
// result differs from nkf, nkf must not have the right text and ours must; the number of
// such cases is fixed per data set so that a change shows. For EUC-JP these are the texts
// that are valid Shift_JIS as well, which we read as Shift_JIS and nkf as EUC-JP.
struct GuessCase {
    std::string input;
    std::string right;
};

struct GuessSet {
    const char* name;
    std::function<std::vector<GuessCase>()> make;
    int differing;
};

// The Shift_JIS the editor would hold for a text: CP932, with duplicate codes unified.
std::string RightSjisOfUtf8(const std::string& utf8) {
    return *test::Iconv("UTF-8", "CP932", utf8);
}

std::vector<GuessCase> CorpusAs(const char* coding) {
    std::vector<GuessCase> cases;
    for (const auto& line : test::CorpusLines()) {
        auto encoded = test::Iconv("UTF-8", coding, line);
        if (!encoded && std::string_view(coding) == "ISO-2022-JP") {
            // Half-width katakana and the NEC row 13 symbols need the JIS X 0213 designations.
            encoded = test::Iconv("UTF-8", "ISO-2022-JP-3", line);
        }
        if (!encoded) {
            ADD_FAILURE() << coding << " cannot hold " << line;
            continue;
        }
        std::string right = RightSjisOfUtf8(line);
        // EUC-JP that is also valid Shift_JIS is taken for Shift_JIS, the editor's coding.
        if (std::string_view(coding) == "EUC-JP-MS") {
            if (const auto asSjis = test::Iconv("CP932", "UTF-8", *encoded)) {
                right = RightSjisOfUtf8(*asSjis);
            }
        }
        cases.push_back({*encoded, right});
    }
    return cases;
}

class ToSjisGuess : public ::testing::TestWithParam<GuessSet> {};

TEST_P(ToSjisGuess, MatchesNkfWhereNkfIsRight) {
    REQUIRE_NKF();
    const auto cases = GetParam().make();
    std::vector<std::string> inputs;
    for (const auto& c : cases) {
        inputs.push_back(c.input);
    }
    const auto nkf = test::NkfEach("-xs", inputs);
    int differing = 0;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const std::string actual = ConvertToSjis(cases[i].input);
        if (actual == nkf[i]) {
            continue;
        }
        ++differing;
        EXPECT_EQ(Hex(actual), Hex(cases[i].right)) << "input " << Hex(cases[i].input);
        EXPECT_NE(Hex(nkf[i]), Hex(cases[i].right)) << "input " << Hex(cases[i].input);
    }
    EXPECT_EQ(differing, GetParam().differing) << "of " << cases.size();
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, ToSjisGuess,
    ::testing::Values(GuessSet{"CorpusUtf8", [] { return CorpusAs("UTF-8"); }, 3},
                      GuessSet{"CorpusSjis", [] { return CorpusAs("CP932"); }, 90},
                      GuessSet{"CorpusEucJp", [] { return CorpusAs("EUC-JP-MS"); }, 629},
                      GuessSet{"CorpusIso2022Jp", [] { return CorpusAs("ISO-2022-JP"); }, 0},
                      GuessSet{"EachCharUtf8",
                               [] {
                                   std::vector<GuessCase> cases;
                                   for (const auto& c : Cp932Chars()) {
                                       cases.push_back({c.utf8, c.sjis});
                                   }
                                   return cases;
                               },
                               982},
                      GuessSet{"EachCharSjis",
                               [] {
                                   std::vector<GuessCase> cases;
                                   for (const auto& c : Cp932Chars()) {
                                       cases.push_back({c.sjis, c.sjis});
                                   }
                                   return cases;
                               },
                               2093}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(ToSjis, KeepsAsciiAndLineEndsAsNkfDoes) {
    REQUIRE_NKF();
    ExpectSameAsNkf("-xs", {"", "plain text", "a\r\nb\rc\n", "\\~", "tab\there\x7f"},
                    ConvertToSjis);
}

// One string reused for every value of a load must give what a fresh one gives,
// whichever reading the text takes, after longer and shorter texts alike.
TEST(ToSjis, IntoAReusedStringGivesTheSameText) {
    const std::vector<std::string> inputs = {
        "a longer plain value first",
        "\xE3\x81\x82\xE3\x81\x84",  // UTF-8 あい
        "\x82\xA0\x82\xA2",          // Shift_JIS あい
        "\xB1\xB2",                  // half-width katakana
        "\x1B$B$\"\x1B(B",           // ISO-2022-JP あ
        "\xA4\xA2\xA4\xA4",          // EUC-JP あい
        "x\xF0\x9F\x98\x80y",        // a character beyond the BMP
        "\xE0\x80\x80",              // overlong
        "\xED\xA0\x80",              // a surrogate
        "\xE3\x81",                  // cut short
        "\xC3\xA9t\xC3\xA9",         // Latin letters Shift_JIS lacks
        "",
    };
    std::string reused;
    for (const std::string& input : inputs) {
        ConvertToSjisInto(input, reused);
        EXPECT_EQ(Hex(reused), Hex(ConvertToSjis(input))) << "input " << Hex(input);
    }
}

TEST(SjisUtf8, AppendingKeepsWhatWasThere) {
    // Plain ASCII, Shift_JIS, half-width katakana pending at the end, ESC
    // alone and ESC '$' at the end and before an eight-bit byte.
    const std::vector<std::string> inputs = {
        "plain", "\x82\xA0\x82\xA2", "a\xB1\xB2", "\x1B(B", "x\x1B$", "\x1B$\x82\xA0", ""};
    std::string out = "{";
    std::string expected = "{";
    for (const std::string& input : inputs) {
        AppendSjisAsUtf8(input, out);
        out += ',';
        expected += ConvertSjisToUtf8(input) + ",";
    }
    EXPECT_EQ(Hex(out), Hex(expected));
    EXPECT_EQ(ConvertSjisToUtf8("a\xB1\xB2"), "a\xE3\x82\xA2\xE3\x82\xA4");  // widened
}

// The converters move ASCII eight bytes at a time, take runs of one kind of character in
// loops of their own and write a long text in blocks, so faults hide where one path hands
// over to the next. These texts put an eight-bit character or an escape after ASCII of
// every length from 0 to 20, and once across the first block (1024 bytes in).
std::vector<std::string> AtEveryOffset(const std::vector<std::string>& middles) {
    std::vector<std::string> inputs;
    for (const std::string& middle : middles) {
        for (std::size_t k = 0; k <= 20; ++k) {
            inputs.push_back(std::string(k, 'a') + middle + std::string(k, 'b'));
        }
        for (std::size_t k = 1018; k <= 1026; ++k) {
            inputs.push_back(std::string(k, 'a') + middle + "z");
        }
    }
    return inputs;
}

TEST(SjisToUtf8, MatchesNkfAtEveryOffsetAfterAscii) {
    REQUIRE_NKF();
    ExpectSameAsNkf("-Sw",
                    AtEveryOffset({"\x82\xA0\x83\x5C", "\x1B$\x82\xA0", "\x1B$", "\xB6", "\xB6\xDE",
                                   "\xB6z\xDE", "\x82\x1B$\x82", "\xA0\x80\x40"}),
                    ConvertSjisToUtf8);
}

TEST(Utf8ToSjis, MatchesNkfAtEveryOffsetAfterAscii) {
    REQUIRE_NKF();
    ExpectSameAsNkf(
        "-Ws",
        AtEveryOffset({"\xE3\x81\x82\xE3\x82\xBD", "\xEF\xBD\xB6\xEF\xBE\x9E",
                       "\xEF\xBD\xB6z\xEF\xBE\x9E", "\xC3\xA9", "\xE3\x81", "\xF0\x9F\x98\x80"}),
        ConvertUtf8ToSjis);
}

// A long text made of pieces in random order converts as its pieces do one by one
// (each piece is checked against nkf or iconv alone above). The pieces never reach into
// the next one: no lone lead byte, no piece that starts with a sound mark, nothing that
// changes how ConvertToSjis guesses the coding.
struct PieceSet {
    const char* name;
    std::vector<std::string> pieces;
    std::function<std::string(std::string_view)> convert;
};

std::vector<std::string> WithAsciiRuns(std::vector<std::string> pieces) {
    for (std::size_t k = 1; k <= 17; ++k) {
        pieces.emplace_back(k, static_cast<char>('a' + k));
    }
    return pieces;
}

class LongText : public ::testing::TestWithParam<PieceSet> {};

TEST_P(LongText, ConvertsAsItsPiecesDo) {
    const auto& set = GetParam();
    std::mt19937 random(42);
    std::uniform_int_distribution<std::size_t> pick(0, set.pieces.size() - 1);
    std::string text;
    std::string expected;
    while (text.size() < 40000) {
        const std::string& piece = set.pieces[pick(random)];
        text += piece;
        expected += set.convert(piece);
    }
    EXPECT_EQ(set.convert(text), expected);
}

const std::vector<std::string> kSjisPieces =
    WithAsciiRuns({"\x82\xA0", "\x83\x5C", "\x88\x9F\x88\xA0", "\x81\x7F", "\x85\x40", "\xFA\x40",
                   "\xED\x40", "\xB6", "\xB6\xDE", "\xCA\xDF", "\xB1\xDE", "\xA0", "\x80\x40",
                   "\x82\x0A", "\x1B$\x82", "\x1B(B"});

const std::vector<std::string> kUtf8Pieces = WithAsciiRuns(
    {"\xE3\x81\x82", "\xE3\x82\xBD", "\xE8\xA1\xA8\xE7\xA4\xBA", "\xEF\xBC\xA1", "\xEF\xBD\xB6",
     "\xEF\xBD\xB6\xEF\xBE\x9E", "\xEF\xBE\x8A\xEF\xBE\x9F", "\xC2\xA7", "\xC3\xA9",
     "\xF0\x9F\x98\x80", "\xED\xA0\x80", "\xE0\x80\x80", "\xE2\x88\x9A"});

INSTANTIATE_TEST_SUITE_P(
    Pieces, LongText,
    ::testing::Values(
        PieceSet{"SjisToUtf8", kSjisPieces, ConvertSjisToUtf8},
        PieceSet{"SjisToUtf8KanaOnly", {"\xB6", "\xB6\xDE", "\xCA\xDF", "\xDD"}, ConvertSjisToUtf8},
        PieceSet{"Utf8ToSjis", kUtf8Pieces, ConvertUtf8ToSjis},
        PieceSet{"ToSjisFromUtf8",
                 WithAsciiRuns({"\xE3\x81\x82", "\xE3\x82\xBD", "\xEF\xBD\xB6", "\xEF\xBC\xA1",
                                "\xC2\xA7"}),
                 ConvertToSjis},
        PieceSet{"ToSjisFromSjis",
                 WithAsciiRuns({"\x82\xA0", "\x83\x5C", "\xB6", "\xED\x40", "\x88\x9F"}),
                 ConvertToSjis}),
    [](const auto& param) { return std::string(param.param.name); });

// Appending a long text keeps what the string held and adds what a fresh string gets.
TEST(SjisUtf8, AppendingALongTextKeepsWhatWasThere) {
    std::string text;
    for (int i = 0; i < 3000; ++i) {
        text += "value \x82\xA0\xB6\xDE ";
    }
    std::string out = "head";
    AppendSjisAsUtf8(text, out);
    EXPECT_EQ(out, "head" + ConvertSjisToUtf8(text));
    EXPECT_EQ(ConvertSjisToUtf8(text).size(), 3000u * (6 + 3 + 3 + 1));
}

}  // namespace
}  // namespace ze
