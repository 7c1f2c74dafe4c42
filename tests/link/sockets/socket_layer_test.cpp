#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "common/cp932.h"
#include "link/net_socket.h"
#include "link_harness.h"

namespace ze::link {

// Failures then show the id and the event's code rather than raw bytes.
static void PrintTo(const SocketNotice& notice, std::ostream* out) {
    *out << "{" << notice.socketId << ", " << static_cast<int>(notice.event) << "}";
}

}  // namespace ze::link

namespace ze::link::testing_support {
namespace {

// A notice as the owner got it, with the socket it came with.
using Heard = std::pair<CNetSocket*, SocketNotice>;

// Stands in for the link: records what the sockets report.
struct Owner : SocketOwner {
    std::vector<std::string> lines;  // UTF-8
    std::vector<Heard> notices;
    std::vector<std::unique_ptr<CNetSocket>> accepted;
    void WriteSocketLog(CNetSocket*, std::string_view text, LogKind) override {
        lines.push_back(Cp932ToUtf8(text));
    }
    void SocketNotified(SocketNotice notice, CNetSocket* socket) override {
        notices.emplace_back(socket, notice);
    }
    void SocketAccepted(CNetSocket*, std::unique_ptr<CNetSocket> socket) override {
        accepted.push_back(std::move(socket));
    }
    void CommandTextReceived(CNetSocket*, std::string_view) override {}
    void HttpRequestReceived(CNetSocket*, const std::string&) override {}
    void ReceiveFailed(CNetSocket*, const std::string&) override {}
};

TEST(SocketLayerTest, CreationAndConnectFailuresAreLoggedInTheirWords) {
    Owner owner;
    CNetSocket badLocal(kCommandConnection, &owner);
    EXPECT_EQ(badLocal.StartListening(0, "999.1.1.1", false), 0);
    ASSERT_EQ(owner.lines.size(), 2u);
    EXPECT_EQ(owner.lines[0], "ソケットが作成できませんでした。");
    EXPECT_FALSE(owner.lines[1].empty());  // the system's own text
    EXPECT_FALSE(badLocal.HasHandle());

    owner.lines.clear();
    CNetSocket badRemote(kCommandConnection, &owner);
    EXPECT_EQ(badRemote.ConnectTo(5000, "not-an-address", 0, "0.0.0.0", false), 0);
    EXPECT_EQ(owner.lines, (std::vector<std::string>{"送信準備に失敗しました。Connect",
                                                     "ホスト アドレスが無効です。"}));

    owner.lines.clear();
    CNetSocket never(kCommandConnection, &owner);
    EXPECT_EQ(never.Send("x"), -1);
    EXPECT_EQ(owner.lines, (std::vector<std::string>{"送信に失敗しました。",
                                                     "記述子がソケットではありません。"}));
    EXPECT_TRUE(owner.notices.empty());
}

TEST(SocketLayerTest, DatagramListenAndConnectAndSend) {
    Owner owner;
    CNetSocket receiver(kHttpListener, &owner);
    ASSERT_EQ(receiver.StartListening(0, "127.0.0.1", true), 1);
    EXPECT_EQ(owner.lines, std::vector<std::string>{"待ち受け開始しました。PORT:0 [UDP]"});
    CNetSocket sender(kCommandConnection, &owner);
    EXPECT_EQ(
        sender.ConnectAndSend("hello", 5, receiver.GetLocalPort(), "127.0.0.1", 0, nullptr, true),
        5);
    EXPECT_TRUE(sender.IsConnected());
    EXPECT_EQ(sender.GetPeerEndpoint(), "127.0.0.1:" + std::to_string(receiver.GetLocalPort()));
}

TEST(SocketLayerTest, AcceptedConnectionsGetTheirIdsBuffersAndAResetOnClose) {
    Owner owner;
    CNetSocket commands(kCommandListener, &owner);
    CNetSocket http(kHttpListener, &owner);
    ASSERT_EQ(commands.StartListening(0, "127.0.0.1", false), 1);
    ASSERT_EQ(http.StartListening(0, "127.0.0.1", false), 1);
    EXPECT_EQ(owner.lines[0], "待ち受け開始しました。PORT:0 [TCP]");
    Device device;
    Device browser;
    ASSERT_TRUE(device.Connect(commands.GetLocalPort()));
    ASSERT_TRUE(browser.Connect(http.GetLocalPort()));
    ASSERT_TRUE(Pump([&] { return owner.accepted.size() == 2; }));
    std::sort(owner.accepted.begin(), owner.accepted.end(),
              [](const auto& a, const auto& b) { return a->GetSocketId() < b->GetSocketId(); });
    EXPECT_EQ(owner.accepted[0]->GetSocketId(), kCommandConnection);
    EXPECT_EQ(owner.accepted[0]->FrameCapacity(), 40000u);
    EXPECT_EQ(owner.accepted[1]->GetSocketId(), kHttpConnection);
    EXPECT_EQ(owner.accepted[1]->FrameCapacity(), 1000u);
    EXPECT_TRUE(owner.accepted[0]->IsConnected());
    EXPECT_EQ(commands.FrameCapacity(), 0u);

    // Zero linger: destroying the socket resets the connection.
    owner.accepted.clear();
    char byte = 0;
    EXPECT_EQ(::recv(device.Descriptor(), &byte, 1, 0), -1);
    EXPECT_EQ(errno, ECONNRESET);
}

TEST(SocketLayerTest, PeerCloseIsLoggedAndReportedOnce) {
    Owner owner;
    CNetSocket listener(kCommandListener, &owner);
    ASSERT_EQ(listener.StartListening(0, "127.0.0.1", false), 1);
    Device device;
    ASSERT_TRUE(device.Connect(listener.GetLocalPort()));
    ASSERT_TRUE(Pump([&] { return owner.accepted.size() == 1; }));
    owner.lines.clear();
    device.Close();
    ASSERT_TRUE(Pump([&] { return !owner.notices.empty(); }));
    PumpFor(30);
    EXPECT_EQ(
        owner.notices,
        (std::vector<Heard>{{owner.accepted[0].get(), {kCommandConnection, SocketEvent::Closed}}}));
    EXPECT_EQ(owner.lines, (std::vector<std::string>{"OnClose()", "通信を切断しました。"}));
    EXPECT_FALSE(owner.accepted[0]->IsConnected());
}

// Both ends of one connection belong to the same owner and close in the same
// turn of the loop: each close must come under its own socket's id.
TEST(SocketLayerTest, NoticesOfTwoSocketsAreNotMixedUp) {
    Owner owner;
    CNetSocket listener(kHttpListener, &owner);
    ASSERT_EQ(listener.StartListening(0, "127.0.0.1", false), 1);
    CNetSocket outgoing(kCommandConnection, &owner);
    ASSERT_EQ(outgoing.ConnectTo(listener.GetLocalPort(), "127.0.0.1", 0, "0.0.0.0", false), 1);
    ASSERT_TRUE(Pump([&] { return owner.accepted.size() == 1 && !owner.notices.empty(); }));
    CNetSocket* accepted = owner.accepted[0].get();
    EXPECT_EQ(owner.notices,
              (std::vector<Heard>{{&outgoing, {kCommandConnection, SocketEvent::Connected}}}));

    owner.notices.clear();
    outgoing.ShutDownSocket("test");
    ASSERT_TRUE(Pump([&] { return owner.notices.size() == 2; }));
    PumpFor(30);
    // Which close is delivered first is up to the event loop.
    std::sort(owner.notices.begin(), owner.notices.end(),
              [](const Heard& a, const Heard& b) { return a.second.socketId < b.second.socketId; });
    EXPECT_EQ(owner.notices,
              (std::vector<Heard>{{&outgoing, {kCommandConnection, SocketEvent::Closed}},
                                  {accepted, {kHttpConnection, SocketEvent::Closed}}}));
}

}  // namespace
}  // namespace ze::link::testing_support
