// Several devices on one link: each is sent to, answered and timed out on
// its own, the oldest goes at the limit, and the log tells them apart only
// while there is more than one.
#include <sys/socket.h>

#include <QCoreApplication>
#include <array>
#include <string>

#include "link_harness.h"
#include "model/mo_stream.h"
#include "model/resource_data.h"

namespace ze::link::testing_support {
namespace {

using MultiDeviceTest = LinkTest;

std::string Framed(std::string_view text) {
    return "\x02" + std::string(text) + "\x03";
}

// A project whose dialog "Main" has a text of textSize bytes.
std::string ProjectText(std::size_t textSize) {
    return "{'Name':'App','Commands':[{'Command':'DIALOG','Name':'Main','Object':"
           "{'Name':'Root','Type':'GROUP','Layout':'LINEAR','Objects':["
           "{'Name':'T','Type':'TEXT','Text':'" +
           std::string(textSize, 't') + "'}]}}]}";
}

std::string DialogFrame(const CZeResourceData& project) {
    CJsonString text;
    project.WriteProject(text, "Main");
    return Framed(text.GetText());
}

TEST_F(MultiDeviceTest, EachOfThreeDevicesGetsTheDialogAndOnlyItsOwnAnswers) {
    Listen();
    std::array<Device, 3> devices;
    for (Device& device : devices) {
        ConnectDevice(device);
    }
    EXPECT_EQ(link_->DeviceCount(), 3u);
    EXPECT_EQ(established_, 3);
    EXPECT_EQ(link_->GetControls(), (LinkControls{false, true, false, true, true}));

    CZeResourceData project;
    ASSERT_TRUE(project.LoadText(ProjectText(10)));
    const std::string frame = DialogFrame(project);
    ASSERT_TRUE(link_->SendDialog(project, "Main"));
    for (Device& device : devices) {
        ASSERT_TRUE(device.ReadUntilSize(frame.size()));
        EXPECT_EQ(device.received, frame);
        device.received.clear();
    }
    EXPECT_EQ(LinesWith("Byte\n{'Name':'App'").size(), 3u);

    // Each asks for another file; all three ask before any answer is read.
    const std::array<std::string, 3> names = {"a.png", "b.png", "c.png"};
    for (std::size_t i = 0; i < devices.size(); ++i) {
        devices[i].Write(Framed("{'Command':'GETFILE','File':'" + names[i] + "'}"));
    }
    for (std::size_t i = 0; i < devices.size(); ++i) {
        const std::string answer =
            Framed("{'Command':'PUTFILE','File':'" + names[i] + "','Status':'ERROR'}");
        ASSERT_TRUE(devices[i].ReadUntilSize(answer.size()));
        PumpFor(20);
        devices[i].ReadAvailable();
        EXPECT_EQ(devices[i].received, answer) << i;
        EXPECT_EQ(CountLines("[" + devices[i].Endpoint() + "] 受信：GETFILE File:" + names[i]), 1u);
    }

    // HELLO and DIALOG are the sender's lines.
    devices[1].Write(Framed("{'Command':'HELLO','OS':'x','ResolutionH':1,'ResolutionV':2}"));
    ASSERT_TRUE(WaitForLog("[" + devices[1].Endpoint() + "] 受信：HELLO OS:x Resolution 1 x 2"));
    const std::vector<DeviceInfo> listed = link_->Devices();
    ASSERT_EQ(listed.size(), 3u);
    for (std::size_t i = 0; i < listed.size(); ++i) {
        EXPECT_EQ(listed[i].endpoint, devices[i].Endpoint());
        EXPECT_TRUE(listed[i].connected);
        EXPECT_TRUE(listed[i].sendTo);
        EXPECT_EQ(
            listed[i].bytesOut,
            frame.size() + Framed("{'Command':'PUTFILE','File':'a.png','Status':'ERROR'}").size());
    }
    EXPECT_FALSE(listed[1].lastMessage.isNull());
    EXPECT_GT(listed[1].bytesIn, listed[0].bytesIn);
}

TEST_F(MultiDeviceTest, ADeviceBeyondTheLimitClosesTheOldest) {
    link_->SetMaxDevices(3);
    Listen();
    std::array<Device, 4> devices;
    for (std::size_t i = 0; i < 3; ++i) {
        ConnectDevice(devices[i]);
    }
    ConnectDevice(devices[3]);
    EXPECT_TRUE(devices[0].ReadUntilClosed());
    PumpFor(50);
    ASSERT_EQ(link_->DeviceCount(), 3u);
    for (std::size_t i = 1; i < 4; ++i) {
        EXPECT_EQ(link_->Devices()[i - 1].endpoint, devices[i].Endpoint());
        EXPECT_TRUE(devices[i].ReadAvailable()) << i;
    }
    EXPECT_EQ(LinesWith("通信ポート").size(), 4u);
    EXPECT_EQ(established_, 4);

    // Lowering the limit closes the oldest at once.
    link_->SetMaxDevices(1);
    EXPECT_EQ(link_->DeviceCount(), 1u);
    EXPECT_EQ(link_->Devices()[0].endpoint, devices[3].Endpoint());
    EXPECT_TRUE(devices[1].ReadUntilClosed());
    EXPECT_TRUE(devices[2].ReadUntilClosed());
}

// The same exchange gives each line with the device's address while two are
// held, and today's line with one, before the second comes and after it goes.
TEST_F(MultiDeviceTest, LinesStartWithTheAddressOnlyWhileTwoOrMoreAreHeld) {
    Listen();
    Device first;
    ConnectDevice(first);
    const struct {
        const char* name;
        bool second;
        bool prefixed;
    } cases[] = {
        {"one device", false, false},
        {"two devices", true, true},
        {"one again", false, false},
    };
    Device second;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.second) {
            ConnectDevice(second);
        } else if (second.Descriptor() >= 0) {
            second.Close();
            ASSERT_TRUE(Pump([&] { return link_->DeviceCount() == 1; }));
        }
        log_.clear();
        first.Write(Framed("{'Command':'DIALOG'}"));
        first.Write(Framed("{'Command':'X'}"));
        ASSERT_TRUE(Pump([&] { return log_.size() >= 2; }));
        const std::string prefix = c.prefixed ? "[" + first.Endpoint() + "] " : "";
        ASSERT_EQ(log_.size(), 2u);
        EXPECT_EQ(log_[0].text, prefix + "受信：DIALOG");
        EXPECT_EQ(log_[1].text,
                  prefix + "コマンド受信 15Byte 未登録のコマンドを受信しました。\n{'Command':'X'}");
    }
}

// A device that reads nothing fills only its own queue: the others get
// every dialog at once, and the stall closes that one device alone. One
// that sends garbage or resets ends only its own frames or connection.
TEST_F(MultiDeviceTest, FaultsOfOneDeviceStayWithIt) {
    // No stall while the others read: on a loaded machine their reading
    // of the frames may take longer than any short timeout. The stalled
    // device gets a short one of its own once they are done.
    link_->SetSendStallTimeout(kOutOfReachMs);
    Listen();
    std::array<Device, 4> devices;  // 0 reads, 1 never reads, 2 garbage, 3 resets
    for (Device& device : devices) {
        ConnectDevice(device);
    }
    int small = 4096;
    setsockopt(devices[1].Descriptor(), SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    const std::string stalledEndpoint = devices[1].Endpoint();
    const CDeviceLink::DeviceId stalled = link_->Devices()[1].id;
    CZeResourceData project;
    ASSERT_TRUE(project.LoadText(ProjectText(4u << 20)));
    const std::string frame = DialogFrame(project);

    devices[2].Write("\x02" + std::string(40000, 'g'));
    devices[3].Reset();
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(link_->SendDialog(project, "Main"));
        ASSERT_TRUE(devices[0].ReadUntilSize(frame.size() * (round + 1))) << round;
        ASSERT_TRUE(devices[2].ReadUntilSize(frame.size() * (round + 1))) << round;
        if (round == 0) {
            EXPECT_TRUE(link_->IsSendingTo(stalled));
        }
    }
    EXPECT_EQ(devices[0].received, frame + frame + frame);
    ASSERT_TRUE(link_->IsSendingTo(stalled));
    link_->GetConnection(stalled)->SetSendStallTimeout(200);
    ASSERT_TRUE(Pump([&] { return link_->GetConnection(stalled) == nullptr; }));
    EXPECT_EQ(
        CountLines("[" + stalledEndpoint + "] 正常にシャットダウンしました。(送信タイムアウト)"),
        1u);
    EXPECT_EQ(LinesWith("コマンド受信エラー 40000Byte").size(), 1u);
    EXPECT_EQ(LinesWith("コマンド受信エラー")[0].text.rfind("[" + devices[2].Endpoint() + "] ", 0),
              0u);

    // The two that behave are still served.
    ASSERT_EQ(link_->DeviceCount(), 2u);
    devices[0].received.clear();
    devices[0].Write(Framed("{'Command':'GETFILE','File':'x'}"));
    const std::string answer = Framed("{'Command':'PUTFILE','File':'x','Status':'ERROR'}");
    ASSERT_TRUE(devices[0].ReadUntilSize(answer.size()));
    EXPECT_EQ(devices[0].received, answer);
}

TEST_F(MultiDeviceTest, SendGoesOnlyToTheDevicesMarkedForIt) {
    Listen();
    std::array<Device, 2> devices;
    for (Device& device : devices) {
        ConnectDevice(device);
    }
    std::vector<int> changes;
    QObject::connect(link_.get(), &CDeviceLink::DevicesChanged,
                     [&] { changes.push_back(static_cast<int>(link_->SendTargets().size())); });
    link_->SetSendTo(link_->Devices()[0].id, false);
    link_->SetSendTo(link_->Devices()[0].id, false);  // no change, no signal
    EXPECT_EQ(changes, std::vector<int>{1});
    CZeResourceData project;
    ASSERT_TRUE(project.LoadText(ProjectText(10)));
    ASSERT_TRUE(link_->SendDialog(project, "Main"));
    const std::string frame = DialogFrame(project);
    ASSERT_TRUE(devices[1].ReadUntilSize(frame.size()));
    PumpFor(50);
    devices[0].ReadAvailable();
    EXPECT_EQ(devices[0].received, "");

    link_->SetSendTo(link_->Devices()[1].id, false);
    EXPECT_FALSE(link_->SendDialog(project, "Main"));
}

TEST_F(MultiDeviceTest, EachDeviceKeepsItsOwnKeepAliveCount) {
    Listen();
    std::array<Device, 2> devices;
    for (Device& device : devices) {
        ConnectDevice(device);
    }
    // The test ends each period itself, once device 0's answer is in: with
    // a timer, a tick before the answer is read would count against it.
    link_->SetKeepAlivePeriod(kOutOfReachMs);
    const std::string frame = "\x02{'Command':'KEEPALIVE'}\x03";
    const std::string answer = "[" + devices[0].Endpoint() + "] 受信：KEEPALIVE";
    // Device 0 answers every keep-alive it gets, device 1 none.
    for (std::size_t tick = 1; tick <= 4; ++tick) {
        link_->SendKeepAlive();
        ASSERT_TRUE(devices[0].ReadUntilSize(tick * frame.size())) << tick;
        devices[0].Write(frame);
        ASSERT_TRUE(Pump([&] { return CountLines(answer) == tick; })) << tick;
        // The answer clears the device's wait in a notice queued behind its
        // log line.
        QCoreApplication::sendPostedEvents();
    }
    PumpFor(20);
    const std::string silent =
        "[" + devices[1].Endpoint() + "] KEEPALIVEの応答がありませんでした。";
    const std::string talking =
        "[" + devices[0].Endpoint() + "] KEEPALIVEの応答がありませんでした。";
    EXPECT_GE(CountLines(silent), 2u);
    EXPECT_EQ(CountLines(talking), 0u);
    EXPECT_EQ(link_->GetIndicator(), LinkIndicator::NoAnswer);
    EXPECT_TRUE(link_->IsAwaitingKeepAlive());
    EXPECT_EQ(link_->DeviceCount(), 2u);
}

TEST_F(MultiDeviceTest, ConnectReachesEveryAddressGiven) {
    std::array<DeviceListener, 2> listeners;
    ASSERT_TRUE(link_->ConnectToDevices(
        {{0x7F000001, listeners[0].Port()}, {0x7F000001, listeners[1].Port()}}));
    std::array<Device, 2> devices;
    for (std::size_t i = 0; i < devices.size(); ++i) {
        devices[i].Adopt(listeners[i].Accept());
        ASSERT_NE(devices[i].Descriptor(), -1);
    }
    ASSERT_TRUE(Pump([&] { return established_ == 2; }));
    const std::vector<DeviceInfo> listed = link_->Devices();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].endpoint, "127.0.0.1:" + std::to_string(listeners[0].Port()));
    EXPECT_EQ(listed[1].endpoint, "127.0.0.1:" + std::to_string(listeners[1].Port()));
    CZeResourceData project;
    ASSERT_TRUE(project.LoadText(ProjectText(10)));
    ASSERT_TRUE(link_->SendDialog(project, "Main"));
    for (Device& device : devices) {
        ASSERT_TRUE(device.ReadUntilSize(DialogFrame(project).size()));
    }
    link_->Disconnect();
    ASSERT_TRUE(Pump([&] { return !link_->HasConnection(); }));
    EXPECT_EQ(LinesWith("正常にシャットダウンしました。(切断ボタン押下)").size(), 2u);
}

}  // namespace
}  // namespace ze::link::testing_support
