#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/core/command_framer.h"

namespace ze::link {
namespace {

struct Recorder : CommandFramer::Events {
    std::vector<std::string> frames;
    std::vector<std::string> overflows;
    void OnFrame(std::string_view text) override { frames.emplace_back(text); }
    void OnFrameOverflow(std::string_view assembled) override { overflows.emplace_back(assembled); }
};

TEST(CommandFramerTest, IgnoresBytesOutsideFramesAndKeepsStateAcrossPieces) {
    CommandFramer framer;
    Recorder events;
    const std::string stream =
        "noise\x02{'Command':'HELLO'}\x03junk\x03\x02{'A':1}\x03tail\x02{'B'";
    // Every split point must give the same frames.
    for (std::size_t split = 0; split <= stream.size(); ++split) {
        CommandFramer pieces;
        Recorder split_events;
        pieces.Feed(std::string_view(stream).substr(0, split), split_events);
        pieces.Feed(std::string_view(stream).substr(split), split_events);
        ASSERT_EQ(split_events.frames, (std::vector<std::string>{"{'Command':'HELLO'}", "{'A':1}"}))
            << "split at " << split;
        EXPECT_TRUE(pieces.InFrame());
        EXPECT_EQ(pieces.Fill(), 4u);
    }
    // Byte by byte as well.
    for (char byte : stream) {
        framer.Feed(std::string_view(&byte, 1), events);
    }
    EXPECT_EQ(events.frames.size(), 2u);
    EXPECT_TRUE(events.overflows.empty());
}

TEST(CommandFramerTest, SecondStxInsideAFrameIsData) {
    CommandFramer framer;
    Recorder events;
    framer.Feed(
        "\x02"
        "a\x02"
        "b\x03",
        events);
    EXPECT_EQ(events.frames, std::vector<std::string>{"a\x02"
                                                      "b"});
}

TEST(CommandFramerTest, LongestFrameFitsAndOneByteMoreOverflows) {
    CommandFramer framer;
    Recorder events;
    const std::string longest(kCommandFrameCapacity - 1, 'x');
    framer.Feed("\x02" + longest + "\x03", events);
    ASSERT_EQ(events.frames.size(), 1u);
    EXPECT_EQ(events.frames[0], longest);

    // 40000 bytes without ETX: dropped with the assembled bytes reported;
    // the rest of the piece is read outside a frame, so the next STX counts.
    const std::string tooLong(kCommandFrameCapacity, 'y');
    framer.Feed("\x02" + tooLong + "zz\x03\x02{'next':1}\x03", events);
    ASSERT_EQ(events.overflows.size(), 1u);
    EXPECT_EQ(events.overflows[0], tooLong);
    ASSERT_EQ(events.frames.size(), 2u);
    EXPECT_EQ(events.frames[1], "{'next':1}");
    EXPECT_FALSE(framer.InFrame());
}

TEST(CommandFramerTest, OverflowCountsBytesOverSeveralPieces) {
    CommandFramer framer(10);
    Recorder events;
    framer.Feed(
        "\x02"
        "12345",
        events);
    framer.Feed("6789", events);
    EXPECT_TRUE(events.overflows.empty());
    framer.Feed("0\x03", events);
    EXPECT_EQ(events.overflows, std::vector<std::string>{"1234567890"});
    EXPECT_TRUE(events.frames.empty());
}

}  // namespace
}  // namespace ze::link
