// Golden folders for whole generator runs. Each case under
// tests/data/skeleton (except "templates") holds:
//   case.txt       the run's options: ze-tool switches, "--all", "--dialog NAME",
//                  and for the test alone "rename INDEX NAME" (dialog names the
//                  loader would make unique) and "out-missing"
//   project.moxspro  optional; else the shared tests/data/skeleton/project.moxspro
//   templates/     optional; else the shared tests/data/skeleton/templates
//   existing/      optional; copied into the output folder before the run
//   expected/      the whole output folder after the run, byte for byte
//   expected.log   the log in UTF-8, one line each; {OUT} stands for the output folder
// ZE_UPDATE_GOLDEN=1 rewrites expected/ and expected.log from the current run.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "codegen/skeleton_generator.h"
#include "common/cp932.h"
#include "model/resource_data.h"

namespace ze {
namespace {

namespace fs = std::filesystem;

fs::path SkeletonRoot() {
    return fs::path(ZE_TEST_DATA_DIR) / "skeleton";
}

std::vector<std::string> CaseNames() {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(SkeletonRoot())) {
        if (entry.is_directory() && entry.path().filename() != "templates") {
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

void WriteBytes(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// Every file below root by its path relative to root, with its bytes.
std::map<std::string, std::string> ReadTree(const fs::path& root) {
    std::map<std::string, std::string> files;
    if (!fs::exists(root)) {
        return files;
    }
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), root).string()] = ReadBytes(entry.path());
        }
    }
    return files;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

class GoldenSkeletonTest : public testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        work_ = fs::temp_directory_path() /
                ("ze-skeleton-golden-" + std::to_string(getpid()) + "-" + GetParam());
        fs::remove_all(work_);
        fs::create_directories(work_);
    }
    void TearDown() override { fs::remove_all(work_); }

    fs::path work_;
};

TEST_P(GoldenSkeletonTest, RunGivesTheExpectedFilesAndLog) {
    const fs::path caseFolder = SkeletonRoot() / GetParam();
    SkeletonOptions options;
    options.templateFolder = (fs::exists(caseFolder / "templates") ? caseFolder / "templates"
                                                                   : SkeletonRoot() / "templates")
                                 .string();
    fs::path out = work_ / "out";
    std::vector<std::pair<std::size_t, std::string>> renames;
    std::istringstream words(ReadBytes(caseFolder / "case.txt"));
    std::string word;
    while (words >> word) {
        if (SetSkeletonSwitch(options, word)) {
            continue;
        }
        if (word == "--all") {
            options.scope = SkeletonScope::kAllDialogs;
        } else if (word == "--dialog") {
            words >> word;
            options.dialogName = Utf8ToCp932(word);
        } else if (word == "rename") {
            std::size_t index = 0;
            words >> index >> word;
            renames.emplace_back(index, Utf8ToCp932(word));
        } else if (word == "out-missing") {
            out = work_ / "missing" / "out";
        } else {
            FAIL() << "unknown word in case.txt: " << word;
        }
    }
    if (fs::exists(caseFolder / "existing")) {
        fs::copy(caseFolder / "existing", out, fs::copy_options::recursive);
    } else if (out.parent_path() == work_) {
        fs::create_directories(out);
    }
    const std::map<std::string, std::string> existing = ReadTree(out);
    options.outputFolder = out.string();

    CZeResourceData project;
    const fs::path projectFile = fs::exists(caseFolder / "project.moxspro")
                                     ? caseFolder / "project.moxspro"
                                     : SkeletonRoot() / "project.moxspro";
    ASSERT_TRUE(project.LoadFile(projectFile));
    for (const auto& [index, name] : renames) {
        ASSERT_LT(index, project.GetDialogs().GetCount());
        project.GetDialogs().GetDialog(index)->SetItem("Name", name);
    }

    CSkeletonGenerator generator(project, options);
    ASSERT_TRUE(generator.Run());
    std::string log;
    for (const std::string& line : generator.GetLog()) {
        log += ReplaceAll(Cp932ToUtf8(line), out.string() + "/", "{OUT}") + "\n";
    }
    const std::map<std::string, std::string> produced = ReadTree(out);

    if (std::getenv("ZE_UPDATE_GOLDEN") != nullptr) {
        fs::remove_all(caseFolder / "expected");
        fs::create_directories(caseFolder / "expected");
        for (const auto& [path, bytes] : produced) {
            WriteBytes(caseFolder / "expected" / path, bytes);
        }
        WriteBytes(caseFolder / "expected.log", log);
        return;
    }
    EXPECT_EQ(log, ReadBytes(caseFolder / "expected.log"));
    const std::map<std::string, std::string> expected = ReadTree(caseFolder / "expected");
    for (const auto& [path, bytes] : expected) {
        const auto found = produced.find(path);
        if (found == produced.end()) {
            ADD_FAILURE() << "missing file " << path;
        } else {
            EXPECT_EQ(found->second, bytes) << "in file " << path;
        }
    }
    for (const auto& [path, bytes] : produced) {
        EXPECT_TRUE(expected.contains(path)) << "unexpected file " << path;
    }
    // Nothing is written beside the output folder (names holding "/" are refused).
    for (const fs::directory_entry& entry : fs::directory_iterator(work_)) {
        EXPECT_TRUE(entry.path() == out || entry.path() == out.parent_path())
            << "written outside the output folder: " << entry.path();
    }
    // A refused file keeps the bytes it had.
    for (const auto& [path, bytes] : existing) {
        if (log.find(fs::path(path).filename().string() + " キャンセルしました。") !=
            std::string::npos) {
            EXPECT_EQ(produced.at(path), bytes) << path << " was refused but changed";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenSkeletonTest, testing::ValuesIn(CaseNames()),
                         [](const testing::TestParamInfo<std::string>& param) {
                             return param.param;
                         });

}  // namespace
}  // namespace ze
