// "自動送信" with two devices, one of which stops reading: the other follows
// every edit at once, the stalled one is owed at most one more message, and
// once it reads again it ends with the dialog as it is.

#include <QtTest>
#include <array>
#include <memory>
#include <string>
#include <string_view>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "link/device_link.h"
#include "model/dialog_data.h"
#include "model/editing/property_edits.h"
#include "model/mo_stream.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "panels/live_sync.h"

namespace ze::panels::test {

namespace {

// A device end read without blocking: what has arrived, as whole frames.
class Device {
public:
    ~Device() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    bool Connect(int port, int receiveBuffer) {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        if (receiveBuffer > 0) {
            ::setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
        }
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return ::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    }
    void Read() {
        char buffer[1 << 16];
        ssize_t count = 0;
        while ((count = ::recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT)) > 0) {
            std::string_view bytes(buffer, static_cast<std::size_t>(count));
            for (std::size_t end = bytes.find('\x03'); end != std::string_view::npos;
                 end = bytes.find('\x03')) {
                current_.append(bytes.substr(0, end + 1));
                last = std::move(current_);
                current_.clear();
                ++frames;
                bytes.remove_prefix(end + 1);
            }
            current_.append(bytes);
        }
    }
    std::string last;
    int frames = 0;

private:
    int fd_ = -1;
    std::string current_;
};

std::string FrameOf(const CZeResourceData& project) {
    CJsonString text;
    project.WriteProject(text, "Main");
    return "\x02" + text.GetText() + "\x03";
}

}  // namespace

class LiveSyncDevicesTest : public QObject {
    Q_OBJECT

private slots:
    void AStalledDeviceDoesNotHoldBackTheOther() {
        CZeResourceData project;
        // Each edit makes the dialog too large for the stalled device's
        // buffers and the kernel's.
        QVERIFY(
            project.LoadText("{'Name':'App','Commands':[{'Command':'DIALOG','Name':'Main','Object':"
                             "{'Name':'Root','Type':'GROUP','Layout':'LINEAR','Objects':["
                             "{'Name':'T','Type':'TEXT','Text':'t'}]}}]}"));
        CZeDialogData* dialog = project.GetDialogs().FindDialog("Main");
        ZeClass* text = dialog->GetRootGroup()->GetChildren()[0];
        std::size_t row = 0;
        while (text->Items().GetItemData(row).GetName() != "Text") {
            ++row;
        }
        link::CDeviceLink link;
        link.SetHttpPort(0);
        // Nothing closes the stalled device or comes between the frames,
        // however slowly the machine gets through them; waits end as soon
        // as what they wait for has come.
        link.SetSendStallTimeout(3600000);
        link.SetKeepAlivePeriod(3600000);
        constexpr int kPatienceMs = 60000;
        QVERIFY(link.StartListening(0, 0x7F000001));
        std::array<Device, 2> devices;  // 0 reads, 1 stalls
        QVERIFY(devices[0].Connect(link.GetListeningPort(), 0));
        QTRY_COMPARE(link.DeviceCount(), std::size_t{1});
        QVERIFY(devices[1].Connect(link.GetListeningPort(), 4096));
        QTRY_COMPARE(link.DeviceCount(), std::size_t{2});
        const std::uint64_t stalled = link.Devices()[1].id;
        LiveSync sync(project, link, [dialog] { return dialog; });
        sync.SetEnabled(true);

        for (int i = 0; i < 4; ++i) {
            const std::string value = "edit " + std::to_string(i) + std::string(5u << 20, 'x');
            QVERIFY(CommitProperty(project, dialog, text, row, value).changed);
            const std::string expected = FrameOf(project);
            // The reading device gets each edit before the next is made.
            QTRY_VERIFY_WITH_TIMEOUT((devices[0].Read(), devices[0].last == expected), kPatienceMs);
            QVERIFY(link.IsSendingTo(stalled));
            // The first edit went to the stalled device too; the rest wait
            // as one message.
            QCOMPARE(sync.IsWaiting(stalled), i > 0);
        }
        QCOMPARE(devices[0].frames, 4);
        QCOMPARE(sync.SendCount(), 4 + 1);

        // Reading again, the stalled device gets the first edit and then the
        // dialog as it ends, nothing in between.
        const std::string expected = FrameOf(project);
        QTRY_VERIFY_WITH_TIMEOUT((devices[1].Read(), devices[1].last == expected), kPatienceMs);
        QTest::qWait(100);
        devices[1].Read();
        QCOMPARE(devices[1].frames, 2);
        QVERIFY(!sync.IsWaiting(stalled));
        QCOMPARE(sync.SendCount(), 4 + 2);
    }
};

}  // namespace ze::panels::test

QTEST_MAIN(ze::panels::test::LiveSyncDevicesTest)
#include "live_sync_devices_test.moc"
