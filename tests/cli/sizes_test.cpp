// ze-tool lint --sizes and render --all / --compare as processes: exit
// statuses, the size in text and JSON, the picture files, a changed picture
// found and reported, and pictures that stay the same byte for byte.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "support/run_command.h"

namespace {

namespace fs = std::filesystem;
using ze::test::RunResult;

RunResult Tool(const std::string& arguments) {
    return ze::test::RunCommand(std::string("'") + ZE_TOOL_PATH + "' " + arguments);
}

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A long button text that fits a tablet but not a small phone.
std::string Project(const std::string& text) {
    return "{'Name':'App','DeviceWidth':800,'DeviceHeight':1280,'Commands':["
           "{'Command':'DIALOG','Name':'Main','Object':{'Name':'root','Type':'GROUP','Layout':"
           "'LINEAR','Width':'PARENT','Height':'PARENT','Vertical':true,'Objects':["
           "{'Name':'Go','Type':'BUTTON','Width':'PARENT','Height':'40px','TSize':'20px',"
           "'Text':'" +
           text +
           "'}]}},"
           "{'Command':'DIALOG','Name':'Other','Object':{'Name':'root','Type':'GROUP','Layout':"
           "'FRAME','Width':'PARENT','Height':'PARENT','Objects':[]}}]}";
}
const std::string kLong = std::string(60, 'W');

struct Folder {
    fs::path path = fs::temp_directory_path() / ("ze-sizes-" + std::to_string(getpid()));
    std::string project = (path / "App.moxspro").string();

    explicit Folder(const std::string& text) {
        fs::create_directories(path);
        Write(text);
    }
    ~Folder() { fs::remove_all(path); }
    void Write(const std::string& text) const {
        std::ofstream(project, std::ios::binary) << text;
    }
    std::string Quoted(const std::string& name) const { return "'" + (path / name).string() + "'"; }
};

TEST(ZeToolLintSizes, ReportsTheSizeAndKeepsTheExitStatuses) {
    const Folder folder(Project(kLong));
    const std::string project = "'" + folder.project + "'";

    const RunResult text = Tool("lint " + project + " --sizes 360x640,800x1280");
    EXPECT_EQ(text.exitCode, 0) << text.output;  // a warning only
    EXPECT_TRUE(text.output.starts_with(folder.project + ": Main: Object:BUTTON(Go)" + kLong +
                                        "@360x640: Text: warning: text-overflow: テキスト「" +
                                        kLong + "」は幅 "))
        << text.output;
    EXPECT_EQ(std::count(text.output.begin(), text.output.end(), '\n'), 1);
    EXPECT_EQ(text.output.find("@800x1280"), std::string::npos);

    const RunResult json = Tool("lint --json " + project + " --sizes 360x640");
    EXPECT_NE(json.output.find("\"element\": \"Object:BUTTON(Go)" + kLong +
                               "\", \"size\": \"360x640\", \"property\": \"Text\", "
                               "\"severity\": \"warning\", \"check\": \"text-overflow\""),
              std::string::npos)
        << json.output;

    struct Case {
        std::string arguments;
        int exitCode;
        const char* why;
    };
    const Case cases[] = {
        {project + " --sizes 360x640", 0, "a warning only"},
        {project + " --sizes 360x640 --strict", 1, "a warning counts"},
        {project + " --sizes project", 0, "the project's 800x1280 fits"},
        {project + " --layout", 0, "--layout alone: the project's size"},
        {project + " --sizes devices --strict", 1, "the small phones are among the devices"},
        {project + " --sizes project --expand 100 --strict", 1, "twice as long no longer fits"},
        {project + " --sizes 0x640", 2, "a side of 0"},
        {project + " --sizes phone", 2, "an unknown word"},
        {project + " --sizes 360x640,", 2, "an empty part"},
        {project + " --expand 101", 2, "more than 100 %"},
        {project + " /nonexistent.json --sizes devices", 2, "unreadable wins"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Tool("lint " + c.arguments + " 2>/dev/null").exitCode, c.exitCode) << c.why;
    }
    EXPECT_NE(Tool("lint " + project + " --sizes 0x640 2>&1").output.find(
                  "ze-tool lint: --sizes: expected WIDTHxHEIGHT"),
              std::string::npos);
}

TEST(ZeToolRenderAll, WritesOnePicturePerDialogAndSize) {
    const Folder folder(Project("OK"));
    const RunResult run = Tool("render '" + folder.project + "' --all --sizes 360x640,project --out " +
                               folder.Quoted("shots"));
    EXPECT_EQ(run.exitCode, 0) << run.output;
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.path / "shots")) {
        names.insert(entry.path().filename().string());
    }
    EXPECT_EQ(names, (std::set<std::string>{"Main@360x640.png", "Main@800x1280.png",
                                            "Other@360x640.png", "Other@800x1280.png"}));
    // The page alone, as big as the device.
    const std::string png = Read(folder.path / "shots" / "Main@360x640.png");
    ASSERT_GT(png.size(), 24u);
    const auto be32 = [&png](std::size_t at) {
        return (static_cast<unsigned char>(png[at]) << 24) |
               (static_cast<unsigned char>(png[at + 1]) << 16) |
               (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
    };
    EXPECT_EQ(be32(16), 360u);
    EXPECT_EQ(be32(20), 640u);

    // Twice the same: the same bytes, in both looks.
    for (const std::string look : {"", " --look"}) {
        ASSERT_EQ(Tool("render '" + folder.project + "' --dialog Main --sizes devices" + look +
                       " --out " + folder.Quoted("a"))
                      .exitCode,
                  0);
        ASSERT_EQ(Tool("render '" + folder.project + "' --dialog Main --sizes devices" + look +
                       " --out " + folder.Quoted("b"))
                      .exitCode,
                  0);
        int compared = 0;
        for (const auto& entry : fs::directory_iterator(folder.path / "a")) {
            EXPECT_EQ(Read(entry.path()), Read(folder.path / "b" / entry.path().filename()))
                << entry.path() << look;
            ++compared;
        }
        EXPECT_EQ(compared, 8);
    }

    struct Case {
        std::string arguments;
        int exitCode;
        const char* why;
    };
    const std::string project = "'" + folder.project + "'";
    const Case cases[] = {
        {project + " --all", 2, "no --out"},
        {project + " --all --dialog Main --out x", 2, "both --all and --dialog"},
        {project + " --all -o x.png --out x", 2, "-o with --out"},
        {project + " --dialog Main -o x.png --sizes devices", 2, "--sizes needs --out"},
        {project + " --dialog Nobody --out " + folder.Quoted("n"), 1, "no such dialog"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Tool("render " + c.arguments + " 2>/dev/null").exitCode, c.exitCode) << c.why;
    }
}

TEST(ZeToolRenderCompare, FindsAndReportsAChangedPicture) {
    const Folder folder(Project("OK"));
    const std::string project = "'" + folder.project + "'";
    const std::string select = " --all --sizes 360x640 --look";
    ASSERT_EQ(Tool("render " + project + select + " --out " + folder.Quoted("ref")).exitCode, 0);

    const RunResult same = Tool("render " + project + select + " --compare " +
                                folder.Quoted("ref") + " --out " + folder.Quoted("out"));
    EXPECT_EQ(same.exitCode, 0);
    EXPECT_EQ(same.output, "same Main@360x640\nsame Other@360x640\n");

    // Another text on the button, and a size without reference.
    folder.Write(Project("NG"));
    const RunResult changed =
        Tool("render " + project + " --all --sizes 360x640,200x200 --look --compare " +
             folder.Quoted("ref") + " --out " + folder.Quoted("out2"));
    EXPECT_EQ(changed.exitCode, 1);
    const std::size_t pixels = changed.output.find("changed Main@360x640: ");
    ASSERT_NE(pixels, std::string::npos) << changed.output;
    const long count = std::stol(changed.output.substr(pixels + 22));
    EXPECT_GT(count, 0);
    EXPECT_LT(count, 360 * 640 / 10);  // the text only
    EXPECT_NE(changed.output.find("new Main@200x200\n"), std::string::npos);
    EXPECT_NE(changed.output.find("same Other@360x640\n"), std::string::npos);
    EXPECT_TRUE(fs::exists(folder.path / "out2" / "Main@360x640.diff.png"));
    EXPECT_TRUE(fs::exists(folder.path / "out2" / "Main@360x640.png"));
    EXPECT_FALSE(fs::exists(folder.path / "out2" / "Other@360x640.diff.png"));

    const std::string html = Read(folder.path / "out2" / "report.html");
    EXPECT_NE(html.find("<h2>Main@360x640</h2>"), std::string::npos) << html;
    EXPECT_NE(html.find("changed: " + std::to_string(count) + " pixels"), std::string::npos);
    EXPECT_NE(html.find("src=\"../ref/Main@360x640.png\""), std::string::npos) << html;
    EXPECT_NE(html.find("src=\"Main@360x640.diff.png\""), std::string::npos);
    EXPECT_EQ(html.find("Other@360x640"), std::string::npos);

    // A tolerance as wide as a channel goes finds nothing changed.
    EXPECT_EQ(Tool("render " + project + select + " --tolerance 255 --compare " +
                   folder.Quoted("ref") + " --out " + folder.Quoted("out3"))
                  .exitCode,
              0);
    // A project that does not read is not a changed picture.
    folder.Write("{'Name':");
    EXPECT_EQ(Tool("render " + project + select + " --compare " + folder.Quoted("ref") +
                   " --out " + folder.Quoted("out4") + " 2>/dev/null")
                  .exitCode,
              2);
}

}  // namespace
