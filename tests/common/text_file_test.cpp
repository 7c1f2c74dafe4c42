#include "common/text_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace ze {
namespace {

class TextFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = (std::filesystem::temp_directory_path() /
                 ("ze-textfile-" + std::to_string(getpid()) + ".txt"))
                    .string();
    }
    void TearDown() override { std::filesystem::remove(path_); }

    void WriteRaw(const std::string& bytes) {
        std::ofstream(path_, std::ios::binary) << bytes;
    }
    std::string ReadRaw() {
        std::ifstream in(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::vector<std::string> ReadLines() {
        CTextFile file;
        EXPECT_TRUE(file.Open(path_, CTextFile::Mode::kRead));
        std::vector<std::string> lines;
        std::string line;
        while (file.ReadLine(line)) {
            lines.push_back(line);
        }
        return lines;
    }

    std::string path_;
};

// "日本" in Shift_JIS and in UTF-8.
const std::string kSjisNihon = "\x93\xfa\x96\x7b";
const std::string kUtf8Nihon = "\xe6\x97\xa5\xe6\x9c\xac";

TEST_F(TextFileTest, ReadingGivesShiftJisLinesWithoutTheirLineFeed) {
    WriteRaw("class " + kUtf8Nihon + "\r\n\nlast");
    const std::vector<std::string> lines = ReadLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "class " + kSjisNihon + "\r") << "no line-end translation";
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "last") << "a last line without a line feed is still read";
}

TEST_F(TextFileTest, WritingConvertsToUtf8AndTruncates) {
    WriteRaw(std::string(100, 'x'));
    CTextFile file;
    ASSERT_TRUE(file.Open(path_, CTextFile::Mode::kWrite));
    EXPECT_TRUE(file.WriteString(kSjisNihon + "\r\n"));
    EXPECT_TRUE(file.WriteString("end\n"));
    file.Close();
    EXPECT_EQ(ReadRaw(), kUtf8Nihon + "\r\nend\n");
}

TEST_F(TextFileTest, WrittenLinesReadBackUnchanged) {
    const std::vector<std::string> lines = {"#include \"" + kSjisNihon + ".h\"", "", "\t}"};
    {
        CTextFile file;
        ASSERT_TRUE(file.Open(path_, CTextFile::Mode::kWrite));
        for (const std::string& line : lines) {
            file.WriteString(line + "\n");
        }
    }
    EXPECT_EQ(ReadLines(), lines);
}

TEST_F(TextFileTest, MissingFileOrFolderFailsToOpen) {
    CTextFile file;
    EXPECT_FALSE(file.Open(path_ + ".missing", CTextFile::Mode::kRead));
    EXPECT_FALSE(file.Open("/nonexistent-folder/x.txt", CTextFile::Mode::kWrite));
    std::string line;
    EXPECT_FALSE(file.ReadLine(line));
    EXPECT_FALSE(file.WriteString("x"));
}

}  // namespace
}  // namespace ze
