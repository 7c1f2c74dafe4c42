#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "common/cp932.h"
#include "link/core/log_line.h"
#include "link/core/socket_errors.h"

namespace ze::link {
namespace {

class LogLineTest : public testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "UTC", 1);
        tzset();
    }
};

TEST_F(LogLineTest, StampMarkerTextAndLineEnd) {
    const std::time_t at = 3600 * 13 + 60 * 5 + 9;  // 13:05:09 UTC
    EXPECT_EQ(FormatLogLine("a", LogKind::Info, at), "13:05:09#a\n");
    EXPECT_EQ(FormatLogLine("a", LogKind::Error, at), "13:05:09!a\n");
    EXPECT_EQ(FormatLogLine("a", LogKind::Received, at), "13:05:09<a\n");
    EXPECT_EQ(FormatLogLine("a", LogKind::Sent, at), "13:05:09>a\n");
    EXPECT_EQ(FormatLogLine("a", LogKind::Trace, at), "13:05:09?a\n");
    EXPECT_EQ(FormatLogLine("a", static_cast<LogKind>(9), at), "13:05:09?a\n");
    EXPECT_EQ(FormatLogLine("a", LogKind::Plain, at), "#a\n");
    // Multi-line texts keep their inner line feeds.
    EXPECT_EQ(FormatLogLine("x\ny", LogKind::Sent, at), "13:05:09>x\ny\n");
}

TEST(SocketErrorsTest, MapsErrnoAndPicksTheColumnOfTheOperation) {
    EXPECT_EQ(WsaFromErrno(ECONNRESET), wsa::kConnectionReset);
    EXPECT_EQ(WsaFromErrno(EPIPE), wsa::kConnectionReset);
    EXPECT_EQ(WsaFromErrno(EAGAIN), wsa::kWouldBlock);
    EXPECT_EQ(WsaFromErrno(EINPROGRESS), wsa::kWouldBlock);
    EXPECT_EQ(WsaFromErrno(ECONNREFUSED), wsa::kConnectionRefused);
    EXPECT_EQ(WsaFromErrno(EADDRINUSE), wsa::kAddressInUse);

    EXPECT_EQ(Cp932ToUtf8(SocketErrorText(SocketOp::Connect, 10061)),
              "接続を試みましたが、拒否されました。");
    EXPECT_EQ(Cp932ToUtf8(SocketErrorText(SocketOp::OnConnect, 10061)),
              "接続を試みましたが、強制的にリジェクトされました。");
    EXPECT_EQ(Cp932ToUtf8(SocketErrorText(SocketOp::Send, 10054)),
              "リモート側から仮想回路がリセットされました。");
    EXPECT_EQ(Cp932ToUtf8(SocketErrorText(SocketOp::Receive, 10050)),
              "Windows ソケットの実装が、ネットワーク サブシステムの異常を検出しました。");
    EXPECT_EQ(Cp932ToUtf8(SocketErrorText(SocketOp::ShutDown, 10057)),
              "ソケットが接続されていません。");
    EXPECT_TRUE(SocketErrorText(SocketOp::Connect, 10054).empty());
    EXPECT_TRUE(SocketErrorText(SocketOp::ShutDown, 10061).empty());
    EXPECT_TRUE(SocketErrorText(SocketOp::Send, 12345).empty());
}

}  // namespace
}  // namespace ze::link
