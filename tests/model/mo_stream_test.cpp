#include "model/mo_stream.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace ze {
namespace {

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WritePieces(CMoStream& sink) {
    sink.Write("{\r\n\t'a':");
    sink.Write(std::string("1\0\n}", 4));
}

TEST(MoStream, FileGetsBytesExactlyAndIsTruncated) {
    const auto path = std::filesystem::path(testing::TempDir()) / "mo_stream_test.json";
    {
        std::ofstream old(path, std::ios::binary);
        old << std::string(100, 'x');
    }
    CMoStream sink;
    ASSERT_TRUE(sink.Open(path));
    WritePieces(sink);
    EXPECT_TRUE(sink.Close());
    EXPECT_EQ(ReadAll(path), std::string("{\r\n\t'a':1\0\n}", 12));
    std::filesystem::remove(path);
}

TEST(MoStream, OpenFailsInMissingFolder) {
    CMoStream sink;
    EXPECT_FALSE(sink.Open(std::filesystem::path(testing::TempDir()) / "no-such-folder" / "f"));
    sink.Write("lost");
    EXPECT_FALSE(sink.Close());
}

TEST(JsonString, CollectsThroughTheBaseInterface) {
    CJsonString text;
    WritePieces(text);
    EXPECT_EQ(text.GetText(), std::string("{\r\n\t'a':1\0\n}", 12));
    EXPECT_FALSE(text.IsOpen());
}

}  // namespace
}  // namespace ze
