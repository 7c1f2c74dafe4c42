#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "common/cp932.h"
#include "link/core/http_responder.h"

namespace ze::link {
namespace {

struct Recorder : HttpRequestReader::Events {
    std::vector<std::string> requests;
    std::vector<std::pair<std::string, LogKind>> lines;
    void OnHttpRequest(const std::string& path) override { requests.push_back(path); }
    void WriteLog(std::string_view text, LogKind kind) override {
        lines.emplace_back(Cp932ToUtf8(text), kind);
    }
};

std::vector<std::string> Requests(std::string_view bytes) {
    HttpRequestReader reader;
    Recorder events;
    reader.Feed(bytes, events);
    return events.requests;
}

using Paths = std::vector<std::string>;

TEST(HttpRequestReaderTest, ReadsGetLinesAndAnswersAtTheEndOfTheHead) {
    HttpRequestReader reader;
    Recorder events;
    reader.Feed("GET / HTTP/1.0\r\nHost: x\r\nAccept: */*\r\n", events);
    EXPECT_TRUE(events.requests.empty());
    EXPECT_EQ(reader.RequestPath(), "/index.html");
    reader.Feed("\r\n", events);
    EXPECT_EQ(events.requests, Paths{"/index.html"});
    EXPECT_TRUE(reader.RequestPath().empty());
    EXPECT_EQ(events.lines, (std::vector<std::pair<std::string, LogKind>>{
                                {"Httpリクエスト (/index.html)", LogKind::Received}}));

    // Two requests on one connection, fed byte by byte.
    const std::string two = "GET /a.apk HTTP/1.0\r\n\r\nGET /b HTTP/1.1\r\nHost: h\r\n\r\n";
    for (char byte : two) {
        reader.Feed(std::string_view(&byte, 1), events);
    }
    EXPECT_EQ(events.requests, (Paths{"/index.html", "/a.apk", "/b"}));
}

TEST(HttpRequestReaderTest, RefusesShortOtherAndUnterminatedLines) {
    EXPECT_EQ(Requests("GET /x HTTP/1.0\r\n\r\n"), Paths{"/x"});  // 15 characters
    EXPECT_TRUE(Requests("GET / HTTP/1\r\n\r\n").empty());        // 12 characters
    EXPECT_TRUE(Requests("POST /x HTTP/1.0\r\n\r\n").empty());
    EXPECT_TRUE(Requests("get /x HTTP/1.0\r\n\r\n").empty());
    EXPECT_TRUE(Requests("\r\n\r\n").empty());
    EXPECT_TRUE(Requests("GET /x HTTP/1.0\n\n").empty());  // LF alone ends no line
    // The path must end within 256 characters.
    EXPECT_EQ(Requests("GET /" + std::string(254, 'p') + " HTTP/1.0\r\n\r\n"),
              Paths{"/" + std::string(254, 'p')});
    EXPECT_TRUE(Requests("GET /" + std::string(256, 'p') + " HTTP/1.0\r\n\r\n").empty());
}

TEST(HttpRequestReaderTest, DropsOverLongLinesWholeAndRecovers) {
    // A header of 1200 bytes is dropped; the request around it survives.
    EXPECT_EQ(Requests("GET /x HTTP/1.0\r\nCookie: " + std::string(1200, 'c') + "\r\n\r\n"),
              Paths{"/x"});
    // A request line of 999 bytes or more is dropped whole, even one whose
    // CR is the last byte of the buffer.
    for (std::size_t length : {998u, 999u, 1000u, 1999u}) {
        const std::string line = "GET /" + std::string(length - 5, 'p');
        const Paths got = Requests(line + "\r\n\r\nGET /next HTTP/1.0\r\n\r\n");
        if (length < 999) {
            EXPECT_TRUE(got.empty() || got.back() == "/next") << length;
        } else {
            EXPECT_EQ(got, Paths{"/next"}) << length;
        }
    }
}

TEST(HttpResponseTest, ContentTypeByExtension) {
    EXPECT_EQ(ContentTypeLine("/app.apk"), "Content-Type: application/octet-stream\r\n");
    EXPECT_EQ(ContentTypeLine("/App.APK"), "Content-Type: application/octet-stream\r\n");
    EXPECT_EQ(ContentTypeLine("/a.apk.txt"), "Content-Type: text/html\r\n");
    EXPECT_EQ(ContentTypeLine("/noext"), "Content-Type: text/html\r\n");
    EXPECT_EQ(ContentTypeLine("/x.apkx"), "Content-Type: text/html\r\n");
}

class HttpFolderTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ =
            std::filesystem::temp_directory_path() / ("ze-link-http-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder_ / "sub");
        std::ofstream(folder_ / "index.html") << "<p>hi</p>";
        std::ofstream(folder_ / "sub" / "App.Apk") << "PK";
        projectFolder_ = folder_.string() + "/";
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::filesystem::path folder_;
    std::string projectFolder_;
};

TEST_F(HttpFolderTest, ServesFilesWithTheirHead) {
    HttpResponse page = RespondToGet("/index.html", projectFolder_);
    EXPECT_EQ(page.head,
              "HTTP/1.0 200 OK\r\nConnection: close\r\nContent-Type: text/html\r\n"
              "Content-Length: 9\r\n\r\n");
    std::string bytes;
    ASSERT_TRUE(page.body.ReadAll(bytes));
    EXPECT_EQ(bytes, "<p>hi</p>");
    ASSERT_EQ(page.logs.size(), 1u);
    EXPECT_EQ(Cp932ToUtf8(page.logs[0].text), "Http応答 (/index.html) 9Byte");
    EXPECT_EQ(page.logs[0].kind, LogKind::Sent);

    HttpResponse apk = RespondToGet("/sub/App.Apk", projectFolder_);
    EXPECT_NE(apk.head.find("Content-Type: application/octet-stream\r\nContent-Length: 2\r\n"),
              std::string::npos);
}

TEST_F(HttpFolderTest, MissingFoldersAndEscapesGet404) {
    for (const std::string path :
         {"/none.html", "/sub", "/../x", "/sub/../../etc/passwd", "/a\\b", "/.."}) {
        HttpResponse response = RespondToGet(path, projectFolder_);
        EXPECT_EQ(response.head, "HTTP/1.0 404 Not Found\r\n\r\n") << path;
        EXPECT_FALSE(response.body.IsOpen());
        ASSERT_FALSE(response.logs.empty());
        EXPECT_EQ(Cp932ToUtf8(response.logs.back().text), "Http応答 (" + path + ") 404 Not Found");
        EXPECT_EQ(response.logs.back().kind, LogKind::Error);
    }
    EXPECT_EQ(RespondToGet("/../x", projectFolder_).logs.size(), 2u);  // the refusal too
}

}  // namespace
}  // namespace ze::link
