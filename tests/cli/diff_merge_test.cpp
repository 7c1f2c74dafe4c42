// ze-tool diff, merge and git-setup as processes: their output and exit
// statuses, and real git using them as its diff and merge drivers.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/run_command.h"

namespace {

namespace fs = std::filesystem;
using ze::test::RunResult;

const std::string kTool = std::string("'") + ZE_TOOL_PATH + "'";

RunResult Tool(const std::string& arguments) {
    return ze::test::RunCommand(kTool + " " + arguments);
}

std::string Quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) {
        text.replace(at, from.size(), to);
    }
    return text;
}

struct TempFolder {
    fs::path path = fs::temp_directory_path() /
                    ("ze-diff-" + std::to_string(getpid()) + "-" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
    TempFolder() {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempFolder() { fs::remove_all(path); }
};

const std::string kSample = ReadText(std::string(ZE_EXAMPLES_DIR) + "/SampleApp.moxspro");
// In the sample: the text of the Open button.
const std::string kOpenText = "'Text':'設定を開く'";

TEST(ZeToolDiff, TextJsonAndExitStatuses) {
    const TempFolder folder;
    const fs::path oldFile = folder.path / "old.moxspro";
    const fs::path newFile = folder.path / "new.moxspro";
    WriteText(oldFile, kSample);
    WriteText(newFile, Replaced(kSample, kOpenText, "'Text':'Settings'"));

    const RunResult text = Tool("diff " + Quoted(oldFile) + " " + Quoted(newFile));
    EXPECT_EQ(text.exitCode, 1);
    EXPECT_EQ(text.output, "~ Main/Root/Buttons/Open: Text: 設定を開く → Settings\n");

    const RunResult json = Tool("diff --json " + Quoted(oldFile) + " " + Quoted(newFile));
    EXPECT_EQ(json.exitCode, 1);
    EXPECT_EQ(json.output,
              "[\n  {\"kind\": \"changed\", \"dialog\": \"Main\", \"path\": "
              "\"Main/Root/Buttons/Open\", \"property\": \"Text\", \"old\": \"設定を開く\", "
              "\"new\": \"Settings\"}\n]\n");

    const RunResult same = Tool("diff --json " + Quoted(oldFile) + " " + Quoted(oldFile));
    EXPECT_EQ(same.exitCode, 0);
    EXPECT_EQ(same.output, "[]\n");

    // A project against its own save: nothing.
    const fs::path saved = folder.path / "saved.moxspro";
    ASSERT_EQ(Tool("save " + Quoted(oldFile) + " -o " + Quoted(saved)).exitCode, 0);
    const RunResult afterSave = Tool("diff " + Quoted(oldFile) + " " + Quoted(saved));
    EXPECT_EQ(afterSave.exitCode, 0);
    EXPECT_EQ(afterSave.output, "");

    // A file that does not read: 2, with the report check prints.
    const fs::path broken = folder.path / "broken.moxspro";
    WriteText(broken, "{'Name':");
    const RunResult check = Tool("check " + Quoted(broken) + " 2>&1");
    const RunResult unreadable = Tool("diff " + Quoted(oldFile) + " " + Quoted(broken) + " 2>&1");
    EXPECT_EQ(unreadable.exitCode, 2);
    EXPECT_EQ(unreadable.output, check.output);
    EXPECT_EQ(Tool("diff /nonexistent.moxspro " + Quoted(oldFile) + " 2>&1").output,
              "/nonexistent.moxspro: cannot read: No such file or directory\n");
    EXPECT_EQ(Tool("diff " + Quoted(oldFile) + " 2>/dev/null").exitCode, 2);
}

TEST(ZeToolDiff, AsGitsExternalDiff) {
    const TempFolder folder;
    const fs::path oldFile = folder.path / "old";
    const fs::path newFile = folder.path / "new";
    WriteText(oldFile, kSample);
    WriteText(newFile, Replaced(kSample, kOpenText, "'Text':'Settings'"));
    const std::string hash = " 1234567 100644 ";
    const RunResult changed =
        Tool("diff App.moxspro " + Quoted(oldFile) + hash + Quoted(newFile) + hash);
    EXPECT_EQ(changed.exitCode, 0);
    EXPECT_EQ(changed.output,
              "diff --ze a/App.moxspro b/App.moxspro\n"
              "~ Main/Root/Buttons/Open: Text: 設定を開く → Settings\n");
    // A new file: git passes /dev/null for the old one.
    const RunResult added = Tool("diff App.moxspro /dev/null . . " + Quoted(newFile) + hash);
    EXPECT_EQ(added.exitCode, 0);
    EXPECT_NE(added.output.find("\n+ Main (DIALOG)\n"), std::string::npos) << added.output;
    const RunResult broken =
        Tool("diff App.moxspro /nonexistent . . " + Quoted(newFile) + hash + " 2>/dev/null");
    EXPECT_NE(broken.exitCode, 0);
}

TEST(ZeToolMerge, WritesTheResultAndReportsConflicts) {
    const TempFolder folder;
    const fs::path base = folder.path / "base.moxspro";
    const fs::path ours = folder.path / "ours.moxspro";
    const fs::path theirs = folder.path / "theirs.moxspro";
    const fs::path out = folder.path / "out.moxspro";
    WriteText(base, kSample);
    WriteText(ours, Replaced(kSample, kOpenText, "'Text':'保存'"));
    WriteText(theirs, Replaced(kSample, "'TSize':'20pt'", "'TSize':'30pt'"));

    const RunResult clean = Tool("merge " + Quoted(base) + " " + Quoted(ours) + " " +
                                 Quoted(theirs) + " -o " + Quoted(out) + " 2>&1");
    EXPECT_EQ(clean.exitCode, 0) << clean.output;
    EXPECT_EQ(clean.output, "");
    EXPECT_EQ(Tool("diff " + Quoted(base) + " " + Quoted(out)).output,
              "~ Main/Root/Title: TSize: 20pt → 30pt\n"
              "~ Main/Root/Buttons/Open: Text: 設定を開く → 保存\n");

    // A conflict: ours stays, the line goes to standard error, exit 1; with
    // no -o the result is written over OURS.
    WriteText(theirs, Replaced(kSample, kOpenText, "'Text':'登録'"));
    const RunResult conflict = Tool("merge " + Quoted(base) + " " + Quoted(ours) + " " +
                                    Quoted(theirs) + " 2>&1 >/dev/null");
    EXPECT_EQ(conflict.exitCode, 1);
    EXPECT_EQ(conflict.output, "CONFLICT Main/Root/Buttons/Open: Text: ours 保存 theirs 登録\n");
    EXPECT_EQ(Tool("check " + Quoted(ours) + " >/dev/null").exitCode, 0);
    EXPECT_EQ(Tool("diff " + Quoted(base) + " " + Quoted(ours)).output,
              "~ Main/Root/Buttons/Open: Text: 設定を開く → 保存\n");

    // An input that does not read: 2, OURS untouched.
    const std::string oursNow = ReadText(ours);
    WriteText(theirs, "{'Name':");
    const RunResult unreadable =
        Tool("merge " + Quoted(base) + " " + Quoted(ours) + " " + Quoted(theirs) + " 2>&1");
    EXPECT_EQ(unreadable.exitCode, 2);
    EXPECT_EQ(unreadable.output.rfind(theirs.string() + ":\n", 0), 0u) << unreadable.output;
    EXPECT_EQ(ReadText(ours), oursNow);
}

// Runs a shell command in the repository, standard error with the output.
RunResult InRepo(const fs::path& repo, const std::string& command) {
    return ze::test::RunCommand(
        "cd " + Quoted(repo) + " && GIT_CONFIG_NOSYSTEM=1 HOME=" + Quoted(repo / ".home") +
        " XDG_CONFIG_HOME=" + Quoted(repo / ".home") + " " + command + " 2>&1");
}

TEST(ZeToolGit, SetUpThenMergeAndDiffThroughGit) {
    const TempFolder folder;
    const fs::path repo = folder.path / "repo";
    fs::create_directories(repo / ".home");
    const auto git = [&](const std::string& command) { return InRepo(repo, "git " + command); };
    ASSERT_EQ(git("init -q -b main").exitCode, 0);
    ASSERT_EQ(git("config user.name Tester").exitCode, 0);
    ASSERT_EQ(git("config user.email tester@ze.invalid").exitCode, 0);
    const RunResult setup = InRepo(repo, kTool + " git-setup");
    ASSERT_EQ(setup.exitCode, 0) << setup.output;
    // Twice: no line doubled.
    ASSERT_EQ(InRepo(repo, kTool + " git-setup").exitCode, 0);
    EXPECT_EQ(ReadText(repo / ".gitattributes"), "*.moxspro diff=ze merge=ze\n");
    EXPECT_EQ(git("config merge.ze.name").output, "Ze resource merge\n");
    EXPECT_NE(git("config merge.ze.driver").output.find(" merge %O %A %B\n"), std::string::npos);

    // --global: the user's configuration and attributes file, the one
    // core.attributesFile names when it names one.
    ASSERT_EQ(InRepo(repo, kTool + " git-setup --global").exitCode, 0);
    EXPECT_EQ(ReadText(repo / ".home" / "git" / "attributes"), "*.moxspro diff=ze merge=ze\n");
    EXPECT_EQ(git("config --global merge.ze.name").output, "Ze resource merge\n");
    const fs::path named = folder.path / "attributes";
    WriteText(named, "*.png binary");
    ASSERT_EQ(git("config --global core.attributesFile " + Quoted(named)).exitCode, 0);
    ASSERT_EQ(InRepo(repo, kTool + " git-setup --global").exitCode, 0);
    EXPECT_EQ(ReadText(named), "*.png binary\n*.moxspro diff=ze merge=ze\n");

    const fs::path file = repo / "App.moxspro";
    WriteText(file, kSample);
    ASSERT_EQ(git("add -A && git commit -q -m base").exitCode, 0);

    // Two branches: different properties of Open, a sibling each after it.
    const std::string help = "{'Name':'Help','Type':'BUTTON'},\n";
    const std::string info = "{'Name':'Info','Type':'TEXT'},\n";
    const std::string quit = "{'Name':'Quit'";
    ASSERT_EQ(git("checkout -q -b left").exitCode, 0);
    WriteText(file, Replaced(Replaced(kSample, kOpenText, "'Text':'開く'"), quit, help + quit));
    ASSERT_EQ(git("commit -q -am left").exitCode, 0);
    ASSERT_EQ(git("checkout -q -b right main").exitCode, 0);
    WriteText(file, Replaced(Replaced(kSample, "'TSize':'16pt','FileOff':'button_off.png'",
                                      "'TSize':'18pt','FileOff':'button_off.png'"),
                             quit, info + quit));
    ASSERT_EQ(git("commit -q -am right").exitCode, 0);
    const RunResult merged = git("merge -q --no-edit left");
    ASSERT_EQ(merged.exitCode, 0) << merged.output;
    const fs::path baseFile = folder.path / "base.moxspro";
    WriteText(baseFile, kSample);
    const std::string both = Tool("diff " + Quoted(baseFile) + " " + Quoted(file)).output;
    for (const char* line :
         {"~ Main/Root/Buttons/Open: Text: 設定を開く → 開く\n",
          "~ Main/Root/Buttons/Open: TSize: 16pt → 18pt\n",
          "+ Main/Root/Buttons/Help (BUTTON)\n+ Main/Root/Buttons/Info (TEXT)\n"}) {
        EXPECT_NE(both.find(line), std::string::npos) << line << " not in:\n" << both;
    }

    // git diff shows the changes as ze-tool diff lines.
    WriteText(file, Replaced(ReadText(file), "'Text':'開く'", "'Text':'Open'"));
    const RunResult diff = git("diff");
    EXPECT_EQ(diff.exitCode, 0) << diff.output;
    EXPECT_NE(diff.output.find("diff --ze a/App.moxspro b/App.moxspro\n"
                               "~ Main/Root/Buttons/Open: Text: 開く → Open\n"),
              std::string::npos)
        << diff.output;
    ASSERT_EQ(git("checkout -q -- App.moxspro").exitCode, 0);

    // A real conflict stops the merge with the CONFLICT line.
    ASSERT_EQ(git("checkout -q -b one right").exitCode, 0);
    WriteText(file, Replaced(ReadText(file), "'Text':'開く'", "'Text':'保存'"));
    ASSERT_EQ(git("commit -q -am one").exitCode, 0);
    ASSERT_EQ(git("checkout -q -b two right").exitCode, 0);
    WriteText(file, Replaced(ReadText(file), "'Text':'開く'", "'Text':'登録'"));
    ASSERT_EQ(git("commit -q -am two").exitCode, 0);
    const RunResult conflict = git("merge --no-edit one");
    EXPECT_NE(conflict.exitCode, 0);
    EXPECT_NE(
        conflict.output.find("CONFLICT Main/Root/Buttons/Open: Text: ours 登録 theirs 保存\n"),
        std::string::npos)
        << conflict.output;
}

}  // namespace
