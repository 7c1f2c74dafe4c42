// Golden folders: each case under tests/data/golden holds a hand-written
// input.moxspro and expected.moxspro, the exact bytes the writer must give
// after reading the input. The expected text must also survive a second
// load and save unchanged.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "model/mo_stream.h"
#include "model/resource_data.h"

namespace ze {
namespace {

namespace fs = std::filesystem;

fs::path GoldenRoot() {
    return fs::path(ZE_TEST_DATA_DIR) / "golden";
}

std::vector<std::string> CaseNames() {
    std::vector<std::string> names;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(GoldenRoot(), error)) {
        if (entry.is_directory()) {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Bytes as readable text: tabs and line feeds escaped, bytes outside ASCII in hex.
std::string Escape(const std::string& bytes) {
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\t') {
            out += "\\t";
        } else if (c == '\n') {
            out += "\\n";
        } else if (byte < 0x20 || byte >= 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected) {
    if (actual == expected) {
        return testing::AssertionSuccess();
    }
    const std::size_t shorter = std::min(actual.size(), expected.size());
    std::size_t offset = 0;
    while (offset < shorter && actual[offset] == expected[offset]) {
        ++offset;
    }
    constexpr std::size_t kBefore = 60;
    constexpr std::size_t kAfter = 60;
    const std::size_t from = offset > kBefore ? offset - kBefore : 0;
    return testing::AssertionFailure()
           << "first difference at byte " << offset << " (actual " << actual.size()
           << " bytes, expected " << expected.size() << ")\n  expected: ..."
           << Escape(expected.substr(from, offset - from)) << " >>> "
           << Escape(expected.substr(offset, kAfter)) << "\n  actual:   ..."
           << Escape(actual.substr(from, offset - from)) << " >>> "
           << Escape(actual.substr(offset, kAfter));
}

// Loads file into a fresh project and returns what the project writes.
std::string LoadAndWrite(const fs::path& file) {
    CZeResourceData project;
    EXPECT_TRUE(project.LoadFile(file)) << file;
    CJsonString out;
    project.WriteProject(out, "");
    return out.TakeText();
}

class GoldenFolder : public testing::TestWithParam<std::string> {
protected:
    fs::path Folder() const { return GoldenRoot() / GetParam(); }
};

TEST_P(GoldenFolder, InputIsWrittenAsExpected) {
    const std::string expected = ReadBytes(Folder() / "expected.moxspro");
    ASSERT_FALSE(expected.empty());
    EXPECT_TRUE(SameBytes(LoadAndWrite(Folder() / "input.moxspro"), expected));
}

TEST_P(GoldenFolder, ExpectedSurvivesLoadAndSave) {
    const std::string expected = ReadBytes(Folder() / "expected.moxspro");
    ASSERT_FALSE(expected.empty());
    EXPECT_TRUE(SameBytes(LoadAndWrite(Folder() / "expected.moxspro"), expected));
}

INSTANTIATE_TEST_SUITE_P(GoldenCases, GoldenFolder, testing::ValuesIn(CaseNames()),
                         [](const testing::TestParamInfo<std::string>& row) { return row.param; });

// A folder list that came back empty would pass silently.
TEST(GoldenFolderSet, HoldsTheCases) {
    const std::vector<std::string> names = CaseNames();
    EXPECT_GE(names.size(), 9u);
    for (const std::string& name : names) {
        EXPECT_TRUE(fs::is_regular_file(GoldenRoot() / name / "input.moxspro")) << name;
        EXPECT_TRUE(fs::is_regular_file(GoldenRoot() / name / "expected.moxspro")) << name;
    }
}

TEST(GoldenSaveToFile, FileHoldsTheExpectedBytes) {
    const fs::path folder = fs::temp_directory_path() /
                            ("ze-golden-save-" + std::to_string(static_cast<long>(::getpid())));
    fs::remove_all(folder);
    ASSERT_TRUE(fs::create_directories(folder));
    const fs::path target = folder / "project.moxspro";
    {
        // A longer file already there must be replaced whole.
        std::ofstream old(target, std::ios::binary);
        old << std::string(100000, 'x');
    }

    CZeResourceData project;
    ASSERT_TRUE(project.LoadFile(GoldenRoot() / "commands" / "input.moxspro"));
    EXPECT_TRUE(project.SaveToFile(target, ""));

    EXPECT_TRUE(
        SameBytes(ReadBytes(target), ReadBytes(GoldenRoot() / "commands" / "expected.moxspro")));
    std::vector<fs::path> left;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        left.push_back(entry.path().filename());
    }
    EXPECT_EQ(left, std::vector<fs::path>{"project.moxspro"});
    fs::remove_all(folder);
}

}  // namespace
}  // namespace ze
