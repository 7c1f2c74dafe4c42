#include "model/json_value.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "model/json_parser.h"

namespace ze {
namespace {

JsonValue Parsed(std::string_view text) {
    JsonParser parser;
    EXPECT_TRUE(parser.Parse(text)) << parser.GetErrorText();
    return parser.GetRoot();
}

TEST(JsonValueSerialize, ScalarsAndQuoting) {
    EXPECT_EQ(JsonValue().Serialize(true), "null");
    EXPECT_EQ(JsonValue(false).Serialize(true), "false");
    EXPECT_EQ(JsonValue(std::int32_t{-42}).Serialize(true), "-42");
    EXPECT_EQ(JsonValue(0.5).Serialize(true), "0.500000");
    EXPECT_EQ(JsonValue(-0.0000004).Serialize(true), "-0.000000");
    EXPECT_EQ(JsonValue("a'b\\").Serialize(true), "'a'b\\'");
    EXPECT_EQ(JsonValue("a'b\\").Serialize(false), "a'b\\");
}

TEST(JsonValueSerialize, NestedStringsAlwaysQuoted) {
    std::vector<JsonMember> members;
    members.emplace_back("b", JsonValue("x"));
    members.emplace_back("a", JsonValue(std::int32_t{1}));
    const JsonValue object = JsonValue::Object(members);
    EXPECT_EQ(object.Serialize(false), "{'a':1,'b':'x'}");
    std::vector<JsonValue> elements{JsonValue("s"), JsonValue()};
    EXPECT_EQ(JsonValue::Array(elements).Serialize(false), "['s',null]");
}

TEST(JsonValueSerialize, HugeRealWrittenWhole) {
    for (double value : {1e300, -1.7976931348623157e308, 123456789012345678901234567890.0}) {
        const std::string text = JsonValue(value).Serialize(true);
        ASSERT_GT(text.size(), 30u);
        EXPECT_EQ(text.substr(text.size() - 7), ".000000");
        EXPECT_EQ(Parsed(text).AsReal(), value) << text;
    }
}

TEST(JsonValueCopy, IsDeepAndIndependent) {
    JsonValue original =
        Parsed("{'long':'a string longer than the inline part','l':[[1],{'k':2}]}");
    JsonValue copy = original;
    EXPECT_EQ(copy, original);
    original = JsonValue(std::int32_t{3});
    EXPECT_EQ(copy.Serialize(true),
              "{'l':[[1],{'k':2}],'long':'a string longer than the inline part'}");
    JsonValue moved = std::move(copy);
    EXPECT_TRUE(copy.IsNull());
    EXPECT_EQ(moved.Find("long")->AsString(), "a string longer than the inline part");
}

TEST(JsonValueFind, OnlyInObjects) {
    const JsonValue object = Parsed("{'a':1,'ab':2,'b':3}");
    ASSERT_NE(object.Find("ab"), nullptr);
    EXPECT_EQ(object.Find("ab")->AsInt(), 2);
    EXPECT_EQ(object.Find("aa"), nullptr);
    EXPECT_EQ(object.Find(""), nullptr);
    EXPECT_EQ(Parsed("[1]").Find("a"), nullptr);
}

TEST(JsonValueObject, ManyMembersKeepLastDuplicateInKeyOrder) {
    std::string text = "{";
    for (int i = 0; i < 300; ++i) {
        // Keys sharing their first eight bytes make the order rest on the tail.
        text += (i ? ",'" : "'") + std::string("longprefix") + std::to_string(i % 37) +
                "':" + std::to_string(i);
    }
    const JsonValue object = Parsed(text + "}");
    ASSERT_EQ(object.Members().size(), 37u);
    for (std::size_t i = 1; i < object.Members().size(); ++i) {
        EXPECT_LT(object.Members()[i - 1].Key(), object.Members()[i].Key());
    }
    for (int key = 0; key < 37; ++key) {
        const JsonValue* value = object.Find("longprefix" + std::to_string(key));
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->AsInt() % 37, key);
        EXPECT_GE(value->AsInt() + 37, 300);
    }
}

// Trees whose text survives the format unchanged: strings without quotes,
// backslashes or control bytes, reals with at most six decimals.
class TreeMaker {
public:
    explicit TreeMaker(unsigned seed) : random_(seed) {}

    JsonValue Make(int depth) {
        switch (Pick(depth > 4 ? 5 : 7)) {
            case 0:
                return JsonValue();
            case 1:
                return JsonValue(Pick(2) == 1);
            case 2:
                return JsonValue(static_cast<std::int32_t>(random_()));
            case 3:
                return JsonValue(
                    static_cast<double>(static_cast<int>(random_() % 200001) - 100000) / 64.0);
            case 4:
                return JsonValue(Text());
            case 5: {
                std::vector<JsonValue> elements(Pick(5));
                for (JsonValue& element : elements) {
                    element = Make(depth + 1);
                }
                return JsonValue::Array(elements);
            }
            default: {
                std::vector<JsonMember> members;
                for (int i = Pick(6); i > 0; --i) {
                    members.emplace_back(Text(), Make(depth + 1));
                }
                return JsonValue::Object(members);
            }
        }
    }

private:
    int Pick(int count) { return static_cast<int>(random_() % static_cast<unsigned>(count)); }

    std::string Text() {
        static const std::string kBytes = "aAzZ09 _-.:,[]{}\"\x81\x40\x93\xfa\xe3\x81\x82\x7f\xff";
        std::string text(static_cast<std::size_t>(Pick(3) == 0 ? Pick(40) : Pick(6)), ' ');
        for (char& c : text) {
            c = kBytes[static_cast<std::size_t>(Pick(static_cast<int>(kBytes.size())))];
        }
        return text;
    }

    std::mt19937 random_;
};

TEST(JsonRoundTrip, ParseOfSerializedTreeGivesSameTree) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        const JsonValue tree = TreeMaker(seed).Make(0);
        const std::string text = tree.Serialize(true);
        JsonParser parser;
        ASSERT_TRUE(parser.Parse(text)) << "seed " << seed << "\n" << parser.GetErrorText();
        EXPECT_EQ(parser.GetRoot(), tree) << "seed " << seed << ": " << text;
        EXPECT_EQ(parser.GetRoot().Serialize(true), text);
    }
}

}  // namespace
}  // namespace ze
