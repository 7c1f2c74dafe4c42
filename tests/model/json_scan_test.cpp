// The fast scan against the portable one: on every text both give the same
// tree, or the same report. And the arena a parsed tree lives in: the values
// a feed takes, keeps or leaves behind stay whole, whoever frees them.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "model/json_parser.h"

namespace ze {
namespace {

namespace fs = std::filesystem;

void ExpectSameResult(const std::string& text) {
    JsonParser fast;
    JsonParser portable;
    portable.SetScan(JsonScan::Portable);
    const bool fastParsed = fast.Parse(text);
    ASSERT_EQ(fastParsed, portable.Parse(text)) << text;
    EXPECT_EQ(fast.GetErrorText(), portable.GetErrorText()) << text;
    if (fastParsed) {
        EXPECT_EQ(fast.GetRoot(), portable.GetRoot()) << text;
    }
}

std::vector<std::string> CorpusTexts() {
    std::vector<std::string> texts;
    const fs::path data(ZE_TEST_DATA_DIR);
    const fs::path folders[] = {data / "golden", data / ".." / ".." / "fuzz" / "corpus" / "parser",
                                data / ".." / ".." / "examples"};
    for (const fs::path& folder : folders) {
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            const std::string extension = entry.path().extension().string();
            if (entry.is_regular_file() && (extension == ".json" || extension == ".moxspro")) {
                std::ifstream in(entry.path(), std::ios::binary);
                texts.emplace_back(std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>());
            }
        }
    }
    return texts;
}

TEST(JsonScan, CorpusAndItsMutationsReadAlike) {
    const std::vector<std::string> texts = CorpusTexts();
    ASSERT_GT(texts.size(), 20u);
    // Bytes that change what the scans look for: both quotes, the escape,
    // whitespace, control and high bytes, structure.
    const std::string alphabet = std::string("'\"\\ \t\n\r\x01\x1f\x20\x7f\x80\xff{}[]:,0e.-u", 23);
    std::mt19937 random(34);
    for (const std::string& text : texts) {
        ExpectSameResult(text);
        for (int round = 0; round < 200 && !text.empty(); ++round) {
            std::string mutated = text;
            for (int edits = 1 + static_cast<int>(random() % 3); edits > 0; --edits) {
                const std::size_t at = random() % mutated.size();
                const char byte = alphabet[random() % alphabet.size()];
                switch (random() % 3) {
                    case 0:
                        mutated[at] = byte;
                        break;
                    case 1:
                        mutated.insert(at, 1, byte);
                        break;
                    default:
                        mutated.erase(at, 1);
                        break;
                }
                if (mutated.empty()) {
                    break;
                }
            }
            ExpectSameResult(mutated);
        }
    }
}

// A byte that ends a plain run, or the end of the text, at every position
// of a run longer than one step of the fast scan, and whitespace runs of
// every length before a value.
TEST(JsonScan, EveryStopAtEveryPositionReadsAlike) {
    const std::string stops[] = {"'",  "\"",   "\\n",  "\\u3042", "\\",
                                 "\t", "\x1f", "\x7f", "\xff",    ""};
    for (char quote : {'\'', '"'}) {
        for (std::size_t position = 0; position < 40; ++position) {
            for (const std::string& stop : stops) {
                const std::string run = std::string(position, 'a') + stop + std::string(20, 'b');
                ExpectSameResult(std::string(1, quote) + run + quote);
                ExpectSameResult("[" + std::string(1, quote) + run);
            }
        }
    }
    for (std::size_t blanks = 0; blanks < 40; ++blanks) {
        const std::string space = std::string(blanks, '\t') + "\r\n ";
        ExpectSameResult("{" + space + "'a'" + space + ":" + space + "[1," + space + "2]" + space +
                         "}");
        ExpectSameResult("[" + space);
        ExpectSameResult(space + "x");
    }
}

// Keeps the first element it is given, leaves the second as it is and puts
// a long string in place of the others.
class KeepingFeed final : public JsonArrayFeed {
public:
    void ArrayBegins(const JsonArrayPlace&) override {}
    void TakeElement(JsonValue& element) override {
        if (++count == 1) {
            kept = std::move(element);
        } else if (count > 2) {
            element = JsonValue("a string too long to be held inside the value");
        }
    }
    int count = 0;
    JsonValue kept;
};

TEST(JsonArenaTree, FedValuesOutliveTheParserAndLeftOnesStayInTheTree) {
    const std::string text =
        "{'Commands':[{'Name':'a name longer than fourteen bytes','List':[1,2]},"
        "['second, left as it is read'],3,{}],'Tail':'another long string value'}";
    KeepingFeed feed;
    auto parser = std::make_unique<JsonParser>();
    ASSERT_TRUE(parser->Parse(text, "Commands", feed));
    const JsonValue copy = parser->GetRoot();
    EXPECT_EQ(copy.Serialize(true),
              "{'Commands':[null,['second, left as it is read'],"
              "'a string too long to be held inside the value',"
              "'a string too long to be held inside the value'],"
              "'Tail':'another long string value'}");
    parser.reset();
    // The copy and the kept element own their memory apart from the parser.
    EXPECT_EQ(copy.Find("Tail")->AsString(), "another long string value");
    EXPECT_EQ(feed.kept.Serialize(true),
              "{'List':[1,2],'Name':'a name longer than fourteen bytes'}");
    JsonValue moved = std::move(feed.kept);
    EXPECT_TRUE(feed.kept.IsNull());
    EXPECT_EQ(moved.Find("Name")->AsString(), "a name longer than fourteen bytes");
    moved = JsonValue(moved);  // assigned a copy of itself: the arena goes, the copy stays
    EXPECT_EQ(moved.Find("List")->Elements().size(), 2u);
}

// Each text is written as it reads, so the tree must write it back.
TEST(JsonArenaTree, RootsOfEveryKindOwnTheirMemory) {
    const char* const texts[] = {"'a root string longer than fourteen bytes'",
                                 "'short'",
                                 "[]",
                                 "{}",
                                 "7",
                                 "[['nested string of some length']]",
                                 "{'k':{'k':'value long enough to leave the value'}}"};
    for (const char* text : texts) {
        JsonValue root;
        ASSERT_TRUE(ReadJsonText(text, root).ok) << text;
        JsonValue moved = std::move(root);
        EXPECT_TRUE(root.IsNull());
        const JsonValue copy = moved;
        moved = JsonValue();
        EXPECT_EQ(copy.Serialize(true), text);
        // A failed read leaves the root as it was.
        JsonValue kept = copy;
        EXPECT_FALSE(ReadJsonText("[1,", kept).ok);
        EXPECT_EQ(kept, copy);
    }
}

}  // namespace
}  // namespace ze
