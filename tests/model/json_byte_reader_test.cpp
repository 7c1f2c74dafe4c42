#include "model/json_byte_reader.h"

#include <gtest/gtest.h>

namespace ze {
namespace {

TEST(JsonByteReader, LineMovesOnWhenTheByteAfterALineFeedIsRead) {
    JsonByteReader reader("a\nb\nc");
    EXPECT_EQ(reader.Read(), 'a');
    EXPECT_EQ(reader.Read(), '\n');
    EXPECT_EQ(reader.Line(), 1u);
    reader.GiveBack();
    EXPECT_EQ(reader.Read(), '\n');  // given back: no second count
    EXPECT_EQ(reader.Line(), 1u);
    EXPECT_EQ(reader.Read(), 'b');
    EXPECT_EQ(reader.Line(), 2u);
    EXPECT_EQ(reader.CurrentLineStart(), 2u);
    EXPECT_EQ(reader.PreviousLineStart(), 0u);
    reader.Read();
    EXPECT_EQ(reader.Read(), 'c');
    EXPECT_EQ(reader.Line(), 3u);
    EXPECT_EQ(reader.PreviousLineStart(), 2u);
    EXPECT_EQ(reader.CurrentLineStart(), 4u);
}

TEST(JsonByteReader, GivenBackByteStaysRead) {
    JsonByteReader reader("xy");
    reader.Read();
    reader.GiveBack();
    EXPECT_EQ(reader.Position(), 1u);
    EXPECT_EQ(reader.Read(), 'x');
    EXPECT_EQ(reader.Read(), 'y');
    EXPECT_EQ(reader.Position(), 2u);
}

TEST(JsonByteReader, NothingIsGivenBackAtTheEnd) {
    JsonByteReader reader("\n");
    EXPECT_EQ(reader.Read(), '\n');
    EXPECT_EQ(reader.Read(), JsonByteReader::kEnd);
    reader.GiveBack();
    EXPECT_EQ(reader.Read(), JsonByteReader::kEnd);
    EXPECT_EQ(reader.Line(), 1u);  // a final line feed starts no line
    EXPECT_EQ(reader.Position(), 1u);
}

}  // namespace
}  // namespace ze
