#include <fstream>
#include <string>
#include <vector>

#include "link_harness.h"

namespace ze::link::testing_support {
namespace {

class HttpLinkTest : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        std::ofstream(folder_ / "index.html") << "<html>ok</html>";
        httpPort_ = FreePort();
        Listen(httpPort_);
        ASSERT_EQ(link_->GetHttpListeningPort(), httpPort_);
    }
    int httpPort_ = 0;
};

TEST_F(HttpLinkTest, ServesEveryConnectionAndForgetsItWhenItCloses) {
    std::vector<std::unique_ptr<Device>> clients;
    for (std::size_t i = 1; i <= 20; ++i) {
        // The listen backlog is small: let the link accept as they come.
        clients.push_back(std::make_unique<Device>());
        ASSERT_TRUE(clients.back()->Connect(httpPort_));
        ASSERT_TRUE(Pump([&] { return link_->HttpConnectionCount() == i; }));
    }
    const std::string expected =
        "HTTP/1.0 200 OK\r\nConnection: close\r\nContent-Type: text/html\r\n"
        "Content-Length: 15\r\n\r\n<html>ok</html>";
    for (auto& client : clients) {
        client->Write("GET / HTTP/1.0\r\nHost: x\r\n\r\n");
    }
    for (auto& client : clients) {
        ASSERT_TRUE(client->ReadUntilSize(expected.size()));
        EXPECT_EQ(client->received, expected);
        client->Close();
    }
    ASSERT_TRUE(Pump([&] { return link_->HttpConnectionCount() == 0; }));
    EXPECT_EQ(LinesWith("Httpポート").size(), 20u);
    EXPECT_EQ(CountLines("Http応答 (/index.html) 15Byte"), 20u);
    // HTTP traffic leaves the command connection's controls alone.
    EXPECT_EQ(link_->GetControls(), (LinkControls{false, true, true, false, false}));
}

TEST_F(HttpLinkTest, MissingFileGets404AndTheEndOfTheStream) {
    Device client;
    ASSERT_TRUE(client.Connect(httpPort_));
    client.Write("GET /../secret HTTP/1.0\r\n\r\n");
    ASSERT_TRUE(client.ReadUntilClosed());
    EXPECT_EQ(client.received, "HTTP/1.0 404 Not Found\r\n\r\n");
    EXPECT_EQ(CountLines("Http応答 (/../secret) 404 Not Found"), 1u);
}

TEST_F(HttpLinkTest, RequestsAfterA404AreNotAnswered) {
    // The 404 ended the stream; a request pipelined behind it cannot be
    // answered and must not take the program down.
    Device client;
    ASSERT_TRUE(client.Connect(httpPort_));
    client.Write("GET /missing HTTP/1.0\r\n\r\nGET /index.html HTTP/1.0\r\n\r\n");
    ASSERT_TRUE(client.ReadUntilClosed());
    EXPECT_EQ(client.received, "HTTP/1.0 404 Not Found\r\n\r\n");
    ASSERT_TRUE(WaitForLog("Httpリクエスト (/index.html)"));
    EXPECT_EQ(CountLines("送信に失敗しました。"), 2u);  // the head and the file
    client.Close();
    ASSERT_TRUE(Pump([&] { return link_->HttpConnectionCount() == 0; }));
}

TEST_F(HttpLinkTest, StopClosesTheHttpListenerToo) {
    link_->StopListening();
    EXPECT_EQ(link_->GetHttpListeningPort(), 0);
    Device client;
    EXPECT_FALSE(client.Connect(httpPort_));
}

}  // namespace
}  // namespace ze::link::testing_support
