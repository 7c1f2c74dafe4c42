#include <sys/socket.h>
#include <sys/stat.h>

#include <fstream>
#include <string>

#include "link/core/file_body.h"
#include "link_harness.h"
#include "model/resource_data.h"

namespace ze::link::testing_support {
namespace {

using CommandLinkTest = LinkTest;

std::string Framed(std::string_view text) {
    return "\x02" + std::string(text) + "\x03";
}

std::string FileDate(const std::filesystem::path& path) {
    struct stat status {};
    stat(path.c_str(), &status);
    return FormatFileDate(status.st_mtim.tv_sec);
}

TEST_F(CommandLinkTest, AcceptsADeviceAndReadsFramesHoweverTheyArrive) {
    Listen();
    EXPECT_EQ(link_->GetControls(), (LinkControls{false, true, true, false, false}));
    Device device;
    ConnectDevice(device);
    EXPECT_EQ(link_->GetControls(), (LinkControls{false, true, false, true, true}));
    EXPECT_EQ(established_, 1);
    EXPECT_EQ(CountLines("接続要求を許可します。"), 1u);
    ASSERT_EQ(LinesWith("通信ポート").size(), 1u);
    EXPECT_NE(LinesWith("通信ポート")[0].text.find(
                  "接続要求許可 127.0.0.1:" + std::to_string(port_) + " 127.0.0.1:"),
              std::string::npos);

    // One frame split over writes, junk around frames, two frames in one write.
    device.Write("junk\x02{'Command':'HELLO','OS':'And");
    PumpFor(50);
    device.Write("roid','ResolutionH':480,'ResolutionV':800}\x03 \x03noise");
    device.Write("\x02{'Command':'DIALOG'}\x03\x02{'Command':'CHANGE','Dialog':1,'Name':'M'}\x03");
    device.Write(Framed("{'Command':'CONDITION','Name':'b'}"));
    device.Write(Framed("{'Command':"));
    const std::string stopped = "{'Commands':[{'Command':'DIALOG'},{'Command':'X'}]}";
    device.Write(Framed(stopped));
    device.Write(Framed("{'Commands':[]}"));
    ASSERT_TRUE(
        WaitForLog("コマンド受信 15Byte 未登録のコマンドを受信しました。\n{'Commands':[]}"));
    std::vector<std::string> received;
    for (const LoggedLine& line : log_) {
        if (line.kind == LogKind::Received || line.kind == LogKind::Error) {
            received.push_back(line.text);
        }
    }
    EXPECT_EQ(received, (std::vector<std::string>{
                            "受信：HELLO OS:Android Resolution 480 x 800",
                            "受信：DIALOG",
                            "受信：CHANGE Dialog Name:M",
                            "受信：CONDITION {'Command':'CONDITION','Name':'b'}",
                            "コマンド解析エラー:{'Command':",
                            "受信：DIALOG",
                            "コマンド受信 " + std::to_string(stopped.size()) +
                                "Byte 未登録のコマンドを受信しました。\n" + stopped,
                            "コマンド受信 15Byte 未登録のコマンドを受信しました。\n{'Commands':[]}",
                        }));
    EXPECT_TRUE(link_->HasConnection());
}

TEST_F(CommandLinkTest, FrameWithoutEtxIsDroppedAndTheConnectionGoesOn) {
    Listen();
    Device device;
    ConnectDevice(device);
    device.Write("\x02" + std::string(40000, 'a') + "\x03\x02{'Command':'DIALOG'}\x03");
    ASSERT_TRUE(WaitForLog("受信：DIALOG"));
    const auto overflow = LinesWith("コマンド受信エラー");
    ASSERT_EQ(overflow.size(), 1u);
    EXPECT_EQ(overflow[0].text, "コマンド受信エラー 40000Byte 受信でETXが見つかりませんでした。\n" +
                                    std::string(40000, 'a'));
    EXPECT_EQ(overflow[0].kind, LogKind::Error);
}

TEST_F(CommandLinkTest, GetFileAnswersErrorLatestAndTheFileByteForByte) {
    Listen();
    WriteResource("pic.png", std::string("\x89PNG\0\x02\x03 bytes", 12));
    const std::string date = FileDate(folder_ / "resources" / "pic.png");
    Device device;
    ConnectDevice(device);

    device.Write(Framed("{'Command':'GETFILE','File':'none.png','ObjectName':'o'}"));
    const std::string error =
        Framed("{'Command':'PUTFILE','File':'none.png','Status':'ERROR','ObjectName':'o'}");
    ASSERT_TRUE(device.ReadUntilSize(error.size()));
    EXPECT_EQ(device.received, error);
    device.received.clear();

    device.Write(
        Framed("{'Command':'GETFILE','File':'pic.png','Date':'" + date + "','Length':12}"));
    const std::string latest =
        Framed("{'Command':'PUTFILE','File':'pic.png','Status':'LATEST','Date':'" + date + "'}");
    ASSERT_TRUE(device.ReadUntilSize(latest.size()));
    EXPECT_EQ(device.received, latest);
    device.received.clear();

    device.Write(
        Framed("{'Command':'GETFILE','File':'pic.png','Date':'1999-01-01 00:00:00',"
               "'Length':12,'ObjectName':'img'}"));
    const std::string head = Framed("{'Command':'PUTFILE','File':'pic.png','Length':12,'Date':'" +
                                    date + "','ObjectName':'img'}");
    const std::string whole = head + std::string("\x89PNG\0\x02\x03 bytes", 12);
    ASSERT_TRUE(device.ReadUntilSize(whole.size()));
    EXPECT_EQ(device.received, whole);

    const auto sent = LinesWith("送信 ");
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[2].text, "送信 " + std::to_string(head.size() - 2) + "+4+12Byte\n" +
                                head.substr(1, head.size() - 2));
    EXPECT_EQ(sent[2].kind, LogKind::Sent);
    EXPECT_EQ(LinesWith("受信：GETFILE")[1].text,
              "受信：GETFILE File:pic.png Date:" + date + " Length:12");
}

TEST_F(CommandLinkTest, HundredMegabyteFileArrivesWhole) {
    Listen();
    const std::size_t size = 100u << 20;
    {
        std::string bytes(size, '\0');
        std::uint32_t state = 12345;
        for (char& byte : bytes) {
            state = state * 1664525u + 1013904223u;
            byte = static_cast<char>(state >> 24);
        }
        WriteResource("big.bin", bytes);
    }
    Device device;
    ConnectDevice(device);
    device.Write(Framed("{'Command':'GETFILE','File':'big.bin'}"));
    // The keep-alive and other sends keep their place behind the file.
    ASSERT_TRUE(device.ReadUntilSize(100));
    ASSERT_TRUE(device.ReadUntilSize(size, 4 * kPatienceMs));
    const std::size_t headEnd = device.received.find('\x03');
    ASSERT_NE(headEnd, std::string::npos);
    EXPECT_NE(device.received.find("'Length':104857600,"), std::string::npos);
    ASSERT_TRUE(device.ReadUntilSize(headEnd + 1 + size));
    ASSERT_EQ(device.received.size(), headEnd + 1 + size);
    std::uint32_t state = 12345;
    std::size_t wrong = 0;
    for (std::size_t i = 0; i < size; ++i) {
        state = state * 1664525u + 1013904223u;
        wrong += device.received[headEnd + 1 + i] != static_cast<char>(state >> 24) ? 1 : 0;
    }
    EXPECT_EQ(wrong, 0u);
    EXPECT_EQ(link_->GetConnection()->PendingBytes(), 0u);
}

TEST_F(CommandLinkTest, PeerResettingDuringAFileEndsTheConnectionCleanly) {
    Listen();
    WriteResource("big.bin", std::string(30u << 20, 'z'));
    Device device;
    ConnectDevice(device);
    device.Write(Framed("{'Command':'GETFILE','File':'big.bin'}"));
    ASSERT_TRUE(device.ReadUntilSize(1000));
    device.Reset();
    ASSERT_TRUE(Pump([&] { return !link_->HasConnection(); }));
    EXPECT_EQ(link_->GetControls(), (LinkControls{false, true, true, false, false}));
    // Either the send or the receive side notices first; both say reset.
    const bool sendFailed = CountLines("リモート側から仮想回路がリセットされました。") == 1;
    const bool closeReset = CountLines("接続がリモート側からリセットされました。") == 1;
    EXPECT_TRUE(sendFailed || closeReset);
    if (sendFailed) {
        EXPECT_EQ(CountLines("送信に失敗しました。"), 1u);
    }

    // The listener still takes the next device.
    Device next;
    ConnectDevice(next);
    next.Write(Framed("{'Command':'DIALOG'}"));
    EXPECT_TRUE(WaitForLog("受信：DIALOG"));
}

TEST_F(CommandLinkTest, PeerThatTakesNothingMakesTheSendFailAfterTheStallTimeout) {
    link_->SetSendStallTimeout(300);
    Listen();
    WriteResource("big.bin", std::string(40u << 20, 'q'));
    Device device;
    ConnectDevice(device);
    int small = 4096;
    setsockopt(device.Descriptor(), SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    device.Write(Framed("{'Command':'GETFILE','File':'big.bin'}"));
    ASSERT_TRUE(Pump([&] { return !link_->HasConnection(); }));
    // A blocked send is not an error of the socket: only the count line.
    EXPECT_EQ(CountLines("送信に失敗しました。"), 0u);
    const auto stalled = LinesWith("送信 error ret:-1 != send:");
    ASSERT_EQ(stalled.size(), 1u);
    EXPECT_NE(stalled[0].text.find(" (eno:10035)\n"), std::string::npos) << stalled[0].text;
    EXPECT_EQ(CountLines("正常にシャットダウンしました。(送信タイムアウト)"), 1u);
}

// With room for one device, as the link was before it held several.
TEST_F(CommandLinkTest, NewDeviceReplacesAndClosesTheOldConnection) {
    link_->SetMaxDevices(1);
    Listen();
    Device first;
    ConnectDevice(first);
    CNetSocket* old = link_->GetConnection();
    Device second;
    ConnectDevice(second);
    EXPECT_NE(link_->GetConnection(), old);
    EXPECT_TRUE(first.ReadUntilClosed());
    second.Write(Framed("{'Command':'DIALOG'}"));
    ASSERT_TRUE(WaitForLog("受信：DIALOG"));
    PumpFor(50);
    EXPECT_TRUE(link_->HasConnection());
    EXPECT_EQ(established_, 2);
}

TEST_F(CommandLinkTest, KeepAliveMarksTheIndicatorAndNeverClosesTheConnection) {
    Listen();
    Device device;
    ConnectDevice(device);
    link_->SetKeepAlivePeriod(150);
    const std::string frame = "\x02{'Command':'KEEPALIVE'}\x03";
    // Unanswered: KeepAliveSent, then NoAnswer with a log line from the second
    // tick on.
    ASSERT_TRUE(device.ReadUntilSize(frame.size() * 3));
    EXPECT_EQ(device.received.substr(0, frame.size()), frame);
    EXPECT_GE(CountLines("KEEPALIVEの応答がありませんでした。"), 2u);
    ASSERT_GE(indicators_.size(), 2u);
    EXPECT_EQ(indicators_[0], LinkIndicator::KeepAliveSent);
    EXPECT_EQ(indicators_[1], LinkIndicator::NoAnswer);
    EXPECT_TRUE(link_->HasConnection());

    // Answered: DeviceAnswered, then KeepAliveSent at the next tick, and no
    // more complaints. The ticks are the test's from here on: a tick of the
    // timer between the answer and the look at the lamp would hide the
    // green, and one before the answer is read would complain.
    link_->SetKeepAlivePeriod(kOutOfReachMs);
    indicators_.clear();
    device.Write(frame);
    ASSERT_TRUE(Pump([&] { return link_->GetIndicator() == LinkIndicator::DeviceAnswered; }));
    const std::size_t complaints = CountLines("KEEPALIVEの応答がありませんでした。");
    link_->SendKeepAlive();
    EXPECT_EQ(link_->GetIndicator(), LinkIndicator::KeepAliveSent);
    EXPECT_EQ(CountLines("KEEPALIVEの応答がありませんでした。"), complaints);
    EXPECT_EQ(CountLines("受信：KEEPALIVE"), 1u);
}

TEST_F(CommandLinkTest, EditorConnectsToAListeningDeviceAndSendsTheDialog) {
    DeviceListener listener;
    ASSERT_TRUE(link_->ConnectToDevice(listener.Port(), 0x7F000001));
    EXPECT_EQ(link_->GetControls(), (LinkControls{true, false, false, true, true}));
    Device device;
    device.Adopt(listener.Accept());
    ASSERT_NE(device.Descriptor(), -1);
    ASSERT_TRUE(Pump([&] { return established_ == 1; }));
    EXPECT_EQ(CountLines("OnConnect()"), 1u);
    ASSERT_EQ(LinesWith("接続しました。").size(), 1u);
    EXPECT_EQ(LinesWith("接続しました。")[0].text.rfind(
                  "相手[127.0.0.1:" + std::to_string(listener.Port()) + "] 自分[127.0.0.1:", 0),
              0u);

    CZeResourceData project;
    ASSERT_TRUE(
        project.LoadText("{'Name':'App','Commands':[{'Command':'DIALOG','Name':'Main',"
                         "'Object':{'Type':'FRAME','Name':'root'}},"
                         "{'Command':'DIALOG','Name':'Other','Object':{'Type':'FRAME'}}]}"));
    CJsonString expected;
    project.WriteProject(expected, "Main");
    ASSERT_TRUE(link_->SendDialog(project, "Main"));
    const std::string frame = Framed(expected.GetText());
    ASSERT_TRUE(device.ReadUntilSize(frame.size()));
    EXPECT_EQ(device.received, frame);
    EXPECT_EQ(device.received.find("Other"), std::string::npos);
    EXPECT_EQ(LinesWith("送信 ").back().text,
              "送信 " + std::to_string(expected.GetText().size()) + "Byte\n" + expected.GetText());

    // The device answers over the same connection.
    device.Write(Framed("{'Command':'HELLO','OS':'x','ResolutionH':1,'ResolutionV':2}"));
    EXPECT_TRUE(WaitForLog("受信：HELLO OS:x Resolution 1 x 2"));

    link_->Disconnect();
    EXPECT_EQ(link_->GetControls(), (LinkControls{true, false, true, false, false}));
    ASSERT_TRUE(Pump([&] { return !link_->HasConnection(); }));
    EXPECT_EQ(CountLines("ShutDownSocket()"), 1u);
    EXPECT_EQ(CountLines("正常にシャットダウンしました。(切断ボタン押下)"), 1u);
    EXPECT_TRUE(device.ReadUntilClosed());
}

// SendFinished follows each send once its bytes are all with the kernel:
// at once (queued) when the kernel takes them whole, when a device that
// fell behind has read them, or when the connection holding them goes. An
// 8 MB dialog is more than the socket buffers of a device that reads
// nothing hold.
TEST_F(CommandLinkTest, SendFinishedFollowsTheDialogsBytesToTheKernel) {
    enum class Then { Nothing, DeviceReads, DeviceResets };
    struct Case {
        const char* name;
        std::size_t textSize;
        Then then;
    };
    const Case cases[] = {
        {"taken whole at once", 10, Then::Nothing},
        {"queued until the device reads", 8u << 20, Then::DeviceReads},
        {"queued until the device goes", 8u << 20, Then::DeviceResets},
    };
    Listen();
    int finished = 0;
    QObject::connect(link_.get(), &CDeviceLink::SendFinished, [&] { ++finished; });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        finished = 0;
        Device device;
        ConnectDevice(device);
        CZeResourceData project;
        ASSERT_TRUE(
            project.LoadText("{'Name':'App','Commands':[{'Command':'DIALOG','Name':'Main','Object':"
                             "{'Name':'Root','Type':'GROUP','Layout':'LINEAR','Objects':["
                             "{'Name':'T','Type':'TEXT','Text':'" +
                             std::string(c.textSize, 't') + "'}]}}]}"));
        ASSERT_TRUE(link_->SendDialog(project, "Main"));
        EXPECT_EQ(link_->IsSending(), c.then != Then::Nothing);
        EXPECT_EQ(finished, 0);
        if (c.then == Then::DeviceReads) {
            ASSERT_TRUE(device.ReadUntilSize(c.textSize));
        } else if (c.then == Then::DeviceResets) {
            device.Reset();
        }
        ASSERT_TRUE(Pump([&] { return finished == 1; }));
        EXPECT_FALSE(link_->IsSending());
        PumpFor(20);
        EXPECT_EQ(finished, 1);
    }
}

TEST_F(CommandLinkTest, RefusedConnectionIsLoggedAndShutDown) {
    const int port = FreePort();
    ASSERT_TRUE(link_->ConnectToDevice(port, 0x7F000001));
    ASSERT_TRUE(Pump([&] { return !link_->HasConnection(); }));
    EXPECT_EQ(CountLines("接続を試みましたが、強制的にリジェクトされました。"), 1u);
    EXPECT_EQ(CountLines("ShutDownSocket()"), 1u);
    EXPECT_EQ(link_->GetControls(), (LinkControls{true, false, true, false, false}));
    EXPECT_EQ(established_, 0);
}

TEST_F(CommandLinkTest, ListenFailureAsksForTheMessageBoxAndStopRestoresTheButtons) {
    Listen();
    CDeviceLink other;
    std::vector<std::string> boxes;
    std::vector<std::string> lines;
    QObject::connect(&other, &CDeviceLink::MessageBoxRequested,
                     [&](const QString& text) { boxes.push_back(text.toStdString()); });
    QObject::connect(&other, &CDeviceLink::LogWritten,
                     [&](const QByteArray& text, LogKind) { lines.push_back(text.toStdString()); });
    other.SetHttpPort(0);
    EXPECT_FALSE(other.StartListening(port_, 0x7F000001));
    EXPECT_EQ(boxes, std::vector<std::string>{"エラー：Tcpサーバが開始出来ませんでした。"});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(other.GetControls(), LinkControls{});

    link_->StopListening();
    EXPECT_EQ(link_->GetControls(), LinkControls{});
    EXPECT_EQ(link_->GetListeningPort(), 0);
    Device device;
    EXPECT_FALSE(device.Connect(port_));
}

}  // namespace
}  // namespace ze::link::testing_support
