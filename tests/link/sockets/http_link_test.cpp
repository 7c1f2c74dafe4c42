#include <sys/socket.h>

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
    // A client whose request for a 30 MB file is whole but who reads
    // nothing: its answer stays queued in the link.
    void StartSlowDownload(Device& client) {
        std::ofstream(folder_ / "big.bin", std::ios::binary) << std::string(30u << 20, 'b');
        ASSERT_TRUE(client.Connect(httpPort_));
        const int small = 4096;
        setsockopt(client.Descriptor(), SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
        client.Write("GET /big.bin HTTP/1.0\r\n\r\n");
        ASSERT_TRUE(WaitForLog("Http応答 (/big.bin) 31457280Byte"));
    }

    int httpPort_ = 0;
};

TEST_F(HttpLinkTest, ServesEveryConnectionAndForgetsItWhenItCloses) {
    std::vector<std::unique_ptr<Device>> clients;
    for (std::size_t i = 1; i <= 20; ++i) {
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

// A client that reads until the end of the stream, as "Connection: close"
// tells it to, gets the whole answer and the end right after it.
TEST_F(HttpLinkTest, TheConnectionClosesOnceTheAnswerIsSent) {
    struct Case {
        std::string name;
        std::size_t size;
    };
    // The large file goes out over many writable events.
    for (const Case& file : {Case{"small.html", 15}, Case{"large.apk", 16u << 20}}) {
        SCOPED_TRACE(file.name);
        const std::string body(file.size, static_cast<char>('a' + file.size % 26));
        std::ofstream(folder_ / file.name, std::ios::binary) << body;
        Device client;
        ASSERT_TRUE(client.Connect(httpPort_));
        client.Write("GET /" + file.name + " HTTP/1.0\r\n\r\n");
        ASSERT_TRUE(client.ReadUntilClosed());
        const std::size_t headEnd = client.received.find("\r\n\r\n");
        ASSERT_NE(headEnd, std::string::npos);
        EXPECT_NE(client.received.find("Content-Length: " + std::to_string(file.size) + "\r\n"),
                  std::string::npos);
        EXPECT_TRUE(client.received.compare(headEnd + 4, std::string::npos, body) == 0);
        EXPECT_TRUE(WaitForLog("Http応答 (/" + file.name + ") 送信を終えたので切断しました。"));
    }
    EXPECT_TRUE(Pump([&] { return link_->HttpConnectionCount() == 0; }));
}

TEST_F(HttpLinkTest, ConnectionsWithoutAWholeRequestAreClosedAfterTheIdleTime) {
    link_->SetHttpIdleTimeout(150);
    Device answered;
    StartSlowDownload(answered);
    Device silent;
    ASSERT_TRUE(silent.Connect(httpPort_));
    Device partial;
    ASSERT_TRUE(partial.Connect(httpPort_));
    partial.Write("GET /index.html HTTP/1.0\r\nHost: x\r\n");
    for (Device* idle : {&silent, &partial}) {
        const std::string endpoint = idle->Endpoint();
        ASSERT_TRUE(idle->ReadUntilClosed());
        EXPECT_EQ(idle->received, "");
        EXPECT_EQ(
            CountLines("Httpリクエストが150ms以内に届かないので切断しました。(" + endpoint + ")"),
            1u);
    }
    // The connection being answered came at the same time and stays.
    EXPECT_EQ(link_->HttpConnectionCount(), 1u);
    EXPECT_TRUE(answered.ReadAvailable());
}

TEST_F(HttpLinkTest, ANewConnectionBeyondTheLimitClosesTheOldestWaitingOne) {
    // Only the limit may close the waiting ones, however long connecting
    // them all takes.
    link_->SetHttpIdleTimeout(kOutOfReachMs);
    Device answered;
    StartSlowDownload(answered);
    std::vector<std::unique_ptr<Device>> waiting;
    while (waiting.size() + 1 < CDeviceLink::kMaxHttpConnections) {
        waiting.push_back(std::make_unique<Device>());
        ASSERT_TRUE(waiting.back()->Connect(httpPort_));
    }
    ASSERT_TRUE(Pump([&] { return link_->HttpConnectionCount() == 256; }));
    const std::string oldest = waiting[0]->Endpoint();
    Device newcomer;
    ASSERT_TRUE(newcomer.Connect(httpPort_));
    ASSERT_TRUE(waiting[0]->ReadUntilClosed());
    EXPECT_EQ(CountLines("Http接続が256を超えるので最も古いリクエスト待ちの接続を切断しました。(" +
                         oldest + ")"),
              1u);
    EXPECT_EQ(link_->HttpConnectionCount(), 256u);
    EXPECT_TRUE(waiting[1]->ReadAvailable());
    EXPECT_TRUE(answered.ReadAvailable());
}

TEST_F(HttpLinkTest, IdleConnectionsBeyondTheLimitDoNotHoldUpARequest) {
    // Held up behind them, the request would wait until their idle time is
    // over: far longer than the test waits for its answer.
    link_->SetHttpIdleTimeout(kOutOfReachMs);
    // Connected before the link gets to accept any: the listen backlog
    // takes them all.
    std::vector<std::unique_ptr<Device>> idle(300);
    for (auto& device : idle) {
        device = std::make_unique<Device>();
        ASSERT_TRUE(device->Connect(httpPort_));
    }
    Device client;
    ASSERT_TRUE(client.Connect(httpPort_));
    client.Write("GET / HTTP/1.0\r\n\r\n");
    ASSERT_TRUE(client.ReadUntilClosed());
    EXPECT_EQ(client.received.rfind("HTTP/1.0 200 OK\r\n", 0), 0u);
    EXPECT_EQ(LinesWith("最も古いリクエスト待ちの接続を切断しました。").size(), 301u - 256u);
    EXPECT_TRUE(Pump([&] { return link_->HttpConnectionCount() == 255; }));
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
