#include "common/text_convert.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>

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

}  // namespace
}  // namespace ze
