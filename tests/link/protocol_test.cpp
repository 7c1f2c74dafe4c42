#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "common/cp932.h"
#include "link/core/device_protocol.h"

namespace ze::link {
namespace {

struct Recorder : CommandHandler {
    std::vector<std::pair<std::string, LogKind>> lines;  // UTF-8
    int keepAlives = 0;
    std::vector<GetFileRequest> getFiles;
    void WriteLog(std::string_view text, LogKind kind) override {
        lines.emplace_back(Cp932ToUtf8(text), kind);
    }
    void OnKeepAliveReceived() override { ++keepAlives; }
    void OnGetFile(const GetFileRequest& request) override { getFiles.push_back(request); }
};

using Lines = std::vector<std::pair<std::string, LogKind>>;

Lines Handle(std::string_view text, Recorder* out = nullptr) {
    Recorder recorder;
    HandleCommandText(text, recorder);
    if (out != nullptr) {
        *out = recorder;
    }
    return recorder.lines;
}

TEST(DeviceProtocolTest, WritesTheLogLineOfEachDeviceMessage) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"{'Command':'HELLO','OS':'Android','ResolutionH':480,'ResolutionV':800}",
         "受信：HELLO OS:Android Resolution 480 x 800"},
        {"{'Command':'HELLO'}", "受信：HELLO OS: Resolution  x "},
        {"{'Command':'CHANGE','Dialog':'x','Name':'Main'}", "受信：CHANGE Dialog Name:Main"},
        {"{'Command':'CHANGE','Name':'Main'}", "受信：CHANGE"},
        {"{'Command':'CONDITION','Name':'b1'}",
         "受信：CONDITION {'Command':'CONDITION','Name':'b1'}"},
        {"{'Command':'DIALOG','Name':'Main'}", "受信：DIALOG"},
        {"{'Command':'KEEPALIVE'}", "受信：KEEPALIVE"},
        {"{'Command':'KEEPALIVE','Status':'DESTROY'}", "受信：KEEPALIVE終了ステータス"},
        {"{'Command':'GETFILE','File':'a.png','ObjectName':'p','Date':'2024-01-02 03:04:05',"
         "'Length':12}",
         "受信：GETFILE File:a.png ObjectName:p Date:2024-01-02 03:04:05 Length:12"},
        {"{'Command':'GETFILE','File':'a.png','Length':0}", "受信：GETFILE File:a.png"},
    };
    for (const auto& [text, line] : cases) {
        EXPECT_EQ(Handle(text), (Lines{{line, LogKind::Received}})) << text;
    }
}

TEST(DeviceProtocolTest, UnparsableAndUnregisteredTextsAreLoggedOnce) {
    EXPECT_EQ(Handle("{'Command':"), (Lines{{"コマンド解析エラー:{'Command':", LogKind::Error}}));
    EXPECT_EQ(Handle("{'Command':'PUTFILE'}"),
              (Lines{{"コマンド受信 21Byte 未登録のコマンドを受信しました。\n"
                      "{'Command':'PUTFILE'}",
                      LogKind::Received}}));
    EXPECT_EQ(Handle("{'Name':'x'}"),
              (Lines{{"コマンド受信 12Byte 未登録のコマンドを受信しました。\n{'Name':'x'}",
                      LogKind::Received}}));
}

TEST(DeviceProtocolTest, SendCountErrorLineCarriesTheHeader) {
    EXPECT_EQ(Cp932ToUtf8(SendCountErrorLogText(-1, 7447, 10054, "{'Command':'PUTFILE'}")),
              "送信 error ret:-1 != send:7447 (eno:10054)\n{'Command':'PUTFILE'}");
}

TEST(DeviceProtocolTest, CommandsArrayStopsAtTheFirstUnregisteredElement) {
    const std::string text =
        "{'Commands':[{'Command':'DIALOG'},{'Command':'NOPE'},{'Command':'KEEPALIVE'}]}";
    Recorder recorder;
    EXPECT_EQ(Handle(text, &recorder), (Lines{{"受信：DIALOG", LogKind::Received},
                                              {"コマンド受信 " + std::to_string(text.size()) +
                                                   "Byte 未登録のコマンドを受信しました。\n" + text,
                                               LogKind::Received}}));
    EXPECT_EQ(recorder.keepAlives, 0);

    EXPECT_EQ(Handle("{'Commands':[]}"),
              (Lines{{"コマンド受信 15Byte 未登録のコマンドを受信しました。\n{'Commands':[]}",
                      LogKind::Received}}));
    EXPECT_EQ(Handle("{'Commands':[{'Command':'HELLO','OS':'a'},{'Command':'DIALOG'}]}").size(),
              2u);
}

class GetFileTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("ze-link-getfile-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder_ / "resources");
        projectFolder_ = folder_.string() + "/";
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string Write(const std::string& utf8Name, const std::string& bytes) {
        const auto path = folder_ / "resources" / utf8Name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    std::filesystem::path folder_;
    std::string projectFolder_;
};

TEST_F(GetFileTest, MissingFileIsAnsweredWithError) {
    GetFileRequest request{"none.png", "pic", "", 0};
    const GetFileAnswer answer = AnswerGetFile(request, projectFolder_);
    EXPECT_EQ(answer.kind, GetFileAnswer::Kind::Error);
    const std::string text =
        "{'Command':'PUTFILE','File':'none.png','Status':'ERROR','ObjectName':'pic'}";
    EXPECT_EQ(answer.frame, "\x02" + text + "\x03");
    EXPECT_EQ(answer.after, (std::vector<LogEntry>{{SentLogText(text), LogKind::Sent}}));
    EXPECT_EQ(Cp932ToUtf8(answer.after[0].text),
              "送信 " + std::to_string(text.size()) + "Byte\n" + text);
}

TEST_F(GetFileTest, SameLengthAndDateIsLatestAnythingElseSendsTheFile) {
    const std::string path = Write("a.png", "0123456789");
    struct stat status {};
    ASSERT_EQ(stat(path.c_str(), &status), 0);
    const std::string date = FormatFileDate(status.st_mtim.tv_sec);

    GetFileAnswer latest = AnswerGetFile({"a.png", "", date, 10}, projectFolder_);
    EXPECT_EQ(latest.kind, GetFileAnswer::Kind::Latest);
    EXPECT_EQ(latest.frame, "\x02{'Command':'PUTFILE','File':'a.png','Status':'LATEST','Date':'" +
                                date + "'}\x03");
    EXPECT_FALSE(latest.body.IsOpen());

    for (const GetFileRequest& request : {GetFileRequest{"a.png", "obj", "2000-01-01 00:00:00", 10},
                                          GetFileRequest{"a.png", "obj", date, 11}}) {
        GetFileAnswer file = AnswerGetFile(request, projectFolder_);
        ASSERT_EQ(file.kind, GetFileAnswer::Kind::File);
        const std::string text = "{'Command':'PUTFILE','File':'a.png','Length':10,'Date':'" + date +
                                 "','ObjectName':'obj'}";
        EXPECT_EQ(file.frame, "\x02" + text + "\x03");
        ASSERT_TRUE(file.body.IsOpen());
        std::string bytes;
        ASSERT_TRUE(file.body.ReadAll(bytes));
        EXPECT_EQ(bytes, "0123456789");
        ASSERT_EQ(file.after.size(), 1u);
        EXPECT_EQ(Cp932ToUtf8(file.after[0].text),
                  "送信 " + std::to_string(text.size()) + "+4+10Byte\n" + text);
    }
}

TEST_F(GetFileTest, ShiftJisNameOpensTheFileAndIsEchoedAsReceived) {
    Write("画像ソ.png", "abc");
    const std::string sjisName = Utf8ToCp932("画像ソ.png");  // "ソ" ends in byte 0x5C
    GetFileAnswer answer = AnswerGetFile({sjisName, "", "", 0}, projectFolder_);
    ASSERT_EQ(answer.kind, GetFileAnswer::Kind::File);
    EXPECT_NE(answer.text.find("'File':'" + sjisName + "','Length':3,"), std::string::npos);
    EXPECT_TRUE(answer.before.empty());
}

TEST_F(GetFileTest, NamesLeavingTheProjectFolderAreRefusedAsMissing) {
    std::ofstream(folder_ / "secret.txt") << "secret";
    const std::string outside = std::filesystem::absolute(folder_ / "secret.txt").string();
    for (const std::string& name :
         {std::string("../secret.txt"), std::string("a/../../secret.txt"), outside,
          std::string("..\\secret.txt"), std::string("a.png\0x", 7)}) {
        GetFileAnswer answer = AnswerGetFile({name, "", "", 0}, projectFolder_);
        EXPECT_EQ(answer.kind, GetFileAnswer::Kind::Error) << name;
        EXPECT_FALSE(answer.body.IsOpen());
        ASSERT_EQ(answer.before.size(), 1u) << name;
        EXPECT_EQ(answer.before[0].kind, LogKind::Error);
    }
    // A name that merely contains two dots is an ordinary name.
    Write("a..b.png", "x");
    EXPECT_EQ(AnswerGetFile({"a..b.png", "", "", 0}, projectFolder_).kind,
              GetFileAnswer::Kind::File);
}

TEST_F(GetFileTest, FolderIsNotAnswered) {
    std::filesystem::create_directories(folder_ / "resources" / "sub");
    const GetFileAnswer answer = AnswerGetFile({"sub", "", "", 0}, projectFolder_);
    EXPECT_EQ(answer.kind, GetFileAnswer::Kind::None);
    EXPECT_TRUE(answer.frame.empty());
}

}  // namespace
}  // namespace ze::link
