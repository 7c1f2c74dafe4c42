#include "common/cp932.h"

#include <gtest/gtest.h>

#include <random>

#include "common/oracle.h"

namespace ze {
namespace {

// Every code glibc's CP932 assigns decodes as glibc decodes it, and the character encodes
// back as glibc encodes it (the NEC-selected duplicates go to the IBM rows).
TEST(Cp932, EveryCodeRoundTripsLikeIconv) {
    int compared = 0;
    for (int lead = 0x00; lead <= 0xFC; ++lead) {
        const bool single = lead < 0x80 || (lead >= 0xA1 && lead <= 0xDF);
        const bool dbcs = (lead >= 0x81 && lead <= 0x9F) || lead >= 0xE0;
        for (int trail = single ? -1 : 0x40; trail <= (single ? -1 : 0xFC) && (single || dbcs);
             ++trail) {
            std::string code(1, static_cast<char>(lead));
            if (trail >= 0) {
                code += static_cast<char>(trail);
            }
            const auto utf8 = test::Iconv("CP932", "UTF-8", code);
            if (!utf8) {
                EXPECT_EQ(Cp932ToUtf8(code).substr(0, 3), "\xEF\xBF\xBD")
                    << std::hex << lead << " " << trail;
                continue;
            }
            ++compared;
            ASSERT_EQ(Cp932ToUtf8(code), *utf8) << std::hex << lead << " " << trail;
            ASSERT_EQ(Utf8ToCp932(*utf8), *test::Iconv("UTF-8", "CP932", *utf8))
                << std::hex << lead << " " << trail;
        }
    }
    EXPECT_GT(compared, 9000);
}

// The whole corpus as one text, each line after ASCII of another length so that every
// character lands at every offset of the eight-byte copies, converts as iconv does.
TEST(Cp932, LongTextConvertsLikeIconv) {
    std::string utf8;
    std::size_t k = 0;
    for (const std::string& line : test::CorpusLines()) {
        utf8 += std::string(k++ % 19, ' ') + line + "\n";
    }
    const auto sjis = test::Iconv("UTF-8", "CP932", utf8);
    ASSERT_TRUE(sjis);
    EXPECT_EQ(Cp932ToUtf8(*sjis), *test::Iconv("CP932", "UTF-8", *sjis));
    EXPECT_EQ(Utf8ToCp932(utf8), *sjis);
}

// A long text of pieces in random order converts as its pieces do one by one, broken
// bytes included: each becomes one replacement and never takes the next piece's bytes
// (a stray continuation byte comes after ASCII, or it would complete a cut character).
TEST(Cp932, LongTextConvertsAsItsPiecesDo) {
    const struct {
        const char* name;
        std::vector<std::string> pieces;
        std::string (*convert)(std::string_view);
    } sets[] = {
        {"decode",
         {"\x82\xA0", "\x83\x5C", "\x88\x9F", "\x85\x40", "\xB6", "\xDE", "\x80", "\xA0", "\xFD",
          "\x82 ", "a", "bc", "defghijkl", "mnopqrstuvwxyz0123"},
         Cp932ToUtf8},
        {"encode",
         {"\xE3\x81\x82", "\xE8\xA1\xA8", "\xEF\xBD\xB6", "\xC2\xA7", "\xC3\xA9",
          "\xF0\x9F\x98\x80", "\xED\xA0\x80", "\xE3\x81", "\xC3", "\xFF", "a\x80", "a", "bc",
          "defghijkl", "mnopqrstuvwxyz0123"},
         Utf8ToCp932},
    };
    for (const auto& set : sets) {
        std::mt19937 random(7);
        std::uniform_int_distribution<std::size_t> pick(0, set.pieces.size() - 1);
        std::string text;
        std::string expected;
        while (text.size() < 40000) {
            const std::string& piece = set.pieces[pick(random)];
            text += piece;
            expected += set.convert(piece);
        }
        EXPECT_EQ(set.convert(text), expected) << set.name;
    }
}

struct Bad {
    const char* name;
    std::string input;
    std::string expected;
};

class Cp932Bad : public ::testing::TestWithParam<Bad> {};

TEST_P(Cp932Bad, ReplacesOnlyTheBadPart) {
    const auto& p = GetParam();
    if (p.name[0] == 'D') {
        EXPECT_EQ(Cp932ToUtf8(p.input), p.expected);
    } else {
        EXPECT_EQ(Utf8ToCp932(p.input), p.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, Cp932Bad,
                         ::testing::Values(Bad{"DecodeLoneLeadAtEnd", "a\x82", "a\xEF\xBF\xBD"},
                                           Bad{"DecodeLeadBeforeSpace", "\x82 ", "\xEF\xBF\xBD "},
                                           Bad{"DecodeUnassignedPairIsOneCharacter",
                                               "\x85\x40"
                                               "b",
                                               "\xEF\xBF\xBD"
                                               "b"},
                                           Bad{"DecodeBytesNeverLeading", "\x80\xA0\xFD",
                                               "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
                                           Bad{"DecodeHalfWidthKanaStaysHalfWidth", "\xB6\xDE",
                                               "\xEF\xBD\xB6\xEF\xBE\x9E"},
                                           Bad{"EncodeUnmappable",
                                               "a\xF0\x9F\x98\x80"
                                               "b",
                                               "a?b"},
                                           Bad{"EncodeEachBrokenByte",
                                               "\xE3\x81"
                                               "a\xFF",
                                               "??a?"},
                                           Bad{"EncodeNulKept", std::string("a\0b", 3),
                                               std::string("a\0b", 3)}),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace ze

namespace ze {
namespace {

// What the writer produces: a kind-2 text in UTF-8 beside a name kept in
// Shift_JIS, plus half-width katakana and ASCII.
TEST(ResourceTextToUtf8, EachValueIsDecodedInItsOwnCoding) {
    const std::string name = Utf8ToCp932("ボタン表示");  // 表 ends in 0x5C
    const std::string kana = Utf8ToCp932("ｶﾞ");
    const std::string mixed = "{'Name':'" + name + "','Text':'ようこそ','Alias':'" + kana + "'}";
    EXPECT_EQ(ResourceTextToUtf8(mixed), "{'Name':'ボタン表示','Text':'ようこそ','Alias':'ｶﾞ'}");
    // Back to the editor's coding, every value is Shift_JIS.
    EXPECT_EQ(
        Utf8ToCp932(ResourceTextToUtf8(mixed)),
        "{'Name':'" + name + "','Text':'" + Utf8ToCp932("ようこそ") + "','Alias':'" + kana + "'}");
}

TEST(ResourceTextToUtf8, BrokenOrAmbiguousBytes) {
    // A Shift_JIS pair whose trail byte could start a UTF-8 character is one
    // character; a lone lead byte and malformed UTF-8 become U+FFFD.
    EXPECT_EQ(ResourceTextToUtf8(Utf8ToCp932("ソ")), "ソ");
    EXPECT_EQ(ResourceTextToUtf8("a\x82"), "a\xEF\xBF\xBD");
    EXPECT_EQ(ResourceTextToUtf8("\xE3\x81"), Cp932ToUtf8("\xE3\x81"));
    EXPECT_EQ(ResourceTextToUtf8("\xED\xA0\x80"), Cp932ToUtf8("\xED\xA0\x80"));  // a surrogate
    EXPECT_EQ(ResourceTextToUtf8("x\xF0\x9F\x98\x80y"), "x\xF0\x9F\x98\x80y");
    EXPECT_EQ(ResourceTextToUtf8(""), "");
}

// A report of a file that did not parse shows its bytes: characters where
// they are characters in either coding, "(hex)" for every other byte, never
// a replacement character.
TEST(BytesToReadableUtf8, ShowsEveryByteAsACharacterOrItsCode) {
    const struct {
        std::string bytes;
        std::string shown;
    } cases[] = {
        {"line:1 !{'a'}\n\tnext", "line:1 !{'a'}\n\tnext"},
        {Utf8ToCp932("表示ｶﾅ"), "表示ｶﾅ"},                // Shift_JIS, 0x5C trail included
        {"\xE8\xA1\xA8", "表"},                           // UTF-8
        {"a\x82", "a(82)"},                               // a lead byte at the end
        {"\x80\xFD\xFF\x7F\x01", "(80)(fd)(ff)(7f)(1)"},  // no character at all
        {"\x8E!\xA6", "(8e)!(a6)"},                       // a pair cut by the marker
        {"\x85\x40", "(85)@"},                            // a pair CP932 leaves unassigned
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BytesToReadableUtf8(c.bytes), c.shown) << c.shown;
        EXPECT_EQ(BytesToReadableUtf8(c.bytes).find("\xEF\xBF\xBD"), std::string::npos);
    }
}

}  // namespace
}  // namespace ze
