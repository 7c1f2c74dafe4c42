// The network controls: the fields, the buttons on a real link over
// 127.0.0.1, and what the link tells the page back.

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QSpinBox>
#include <QtTest>
#include <memory>
#include <string>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "link/device_link.h"
#include "model/dialog_data.h"
#include "model/mo_stream.h"
#include "model/resource_data.h"
#include "panels/network_page.h"
#include "panels/support/recording_host.h"
#include "panels/support/sample_project.h"

namespace ze::panels::test {

namespace {

constexpr std::uint32_t kLoopback = 0x7F000001;

sockaddr_in LoopbackAddress(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(kLoopback);
    return address;
}

int PortOf(int fd) {
    sockaddr_in address{};
    socklen_t size = sizeof address;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        return 0;
    }
    return ntohs(address.sin_port);
}

// The device, played with plain sockets on 127.0.0.1: the page's link works
// on the same event loop, so the device never blocks while reading.
class Device {
public:
    Device() = default;
    explicit Device(int fd) : fd_(fd) {}
    ~Device() { Close(); }
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    // A loopback connect finishes (or is refused) at once, before any accept.
    bool Connect(int port) {
        Close();
        fd_ = socket(AF_INET, SOCK_STREAM, 0);
        const sockaddr_in address = LoopbackAddress(port);
        if (connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
            Close();
            return false;
        }
        return true;
    }
    // Takes what has arrived; true once the peer has closed.
    bool Closed() {
        char buffer[4096];
        while (fd_ >= 0 && !closed_) {
            const ssize_t count = recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT);
            if (count > 0) {
                received.append(buffer, static_cast<std::size_t>(count));
            } else {
                closed_ = count == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
                break;
            }
        }
        return closed_;
    }
    std::size_t ReceivedSize() {
        Closed();
        return received.size();
    }
    void Close() {
        if (fd_ >= 0) {
            close(fd_);
            fd_ = -1;
        }
    }

    std::string received;

private:
    int fd_ = -1;
    bool closed_ = false;
};

// A device listening on an ephemeral port of 127.0.0.1.
class DeviceListener {
public:
    DeviceListener() {
        fd_ = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        const sockaddr_in address = LoopbackAddress(0);
        if (bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
            listen(fd_, 4) == 0) {
            port_ = PortOf(fd_);
        }
    }
    ~DeviceListener() { close(fd_); }
    DeviceListener(const DeviceListener&) = delete;
    DeviceListener& operator=(const DeviceListener&) = delete;

    int Port() const { return port_; }
    // -1 while no connection waits.
    int TryAccept() { return accept4(fd_, nullptr, nullptr, SOCK_NONBLOCK); }

private:
    int fd_ = -1;
    int port_ = 0;
};

// A port nothing listens on (free a moment ago).
int UnusedPort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = LoopbackAddress(0);
    const int port =
        bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 ? PortOf(fd) : 0;
    close(fd);
    return port;
}

struct ButtonStates {
    bool listen;
    bool stop;
    bool connect;
    bool disconnect;
    bool send;
};

}  // namespace

class NetworkPageTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        link_ = std::make_unique<link::CDeviceLink>();
        // No HTTP listener: a fixed port would clash between test programs.
        link_->SetHttpPort(0);
        messages_.messages.clear();
        page_ = std::make_unique<CNetworkPage>(*link_, messages_);
    }
    void cleanup() {
        page_.reset();
        link_.reset();
    }

    void CaptionsAndInitialStates() {
        QStringList labels;
        for (const QLabel* label : page_->findChildren<QLabel*>()) {
            labels << label->text();
        }
        QVERIFY(labels.contains("待受ポート"));
        QVERIFY(labels.contains("IPアドレス"));
        QCOMPARE(page_->ListenButton().text(), QString("待受"));
        QCOMPARE(page_->StopButton().text(), QString("停止"));
        QCOMPARE(page_->ConnectButton().text(), QString("接続"));
        QCOMPARE(page_->DisconnectButton().text(), QString("切断"));
        QCOMPARE(page_->SendButton().text(), QString("送信"));
        ExpectButtons({true, false, true, false, false});
        QCOMPARE(page_->GetPort(), 5000);
        QCOMPARE(page_->GetAddress(), 0u);
        QCOMPARE(AddressText(), QString("0.0.0.0"));
    }

    void AddressShowsTheBytesMostSignificantFirst_data() {
        QTest::addColumn<quint32>("address");
        QTest::addColumn<QString>("shown");
        QTest::newRow("every interface") << quint32{0} << "0.0.0.0";
        QTest::newRow("loopback") << quint32{kLoopback} << "127.0.0.1";
        QTest::newRow("byte order") << quint32{0x01020304} << "1.2.3.4";
        QTest::newRow("private network") << quint32{0xC0A8010A} << "192.168.1.10";
        QTest::newRow("all ones") << quint32{0xFFFFFFFF} << "255.255.255.255";
    }
    void AddressShowsTheBytesMostSignificantFirst() {
        QFETCH(quint32, address);
        QFETCH(QString, shown);
        page_->SetAddress(address);
        QCOMPARE(AddressText(), shown);
        QCOMPARE(page_->GetAddress(), address);
    }

    void TypedNumbersStayInRange_data() {
        QTest::addColumn<int>("field");  // -1: the port, 0..3: an address byte
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("value");
        QTest::newRow("port") << -1 << "8080" << 8080;
        QTest::newRow("port too large") << -1 << "70000" << 7000;
        QTest::newRow("port letters") << -1 << "x5y1" << 51;
        QTest::newRow("byte too large") << 0 << "300" << 30;
        QTest::newRow("byte sign") << 3 << "-7" << 7;
    }
    void TypedNumbersStayInRange() {
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(int, value);
        QSpinBox* port = qobject_cast<QSpinBox*>(&page_->PortField());
        QVERIFY(port != nullptr);
        QSpinBox& box = field < 0 ? *port : page_->AddressPart(field);
        box.clear();
        QTest::keyClicks(&box, typed);
        box.interpretText();
        QCOMPARE(box.value(), value);
    }

    void DotMovesToTheNextAddressByte() {
        page_->show();
        QVERIFY(QTest::qWaitForWindowActive(page_.get()));
        page_->AddressPart(0).setFocus();
        page_->AddressPart(0).clear();
        QTest::keyClicks(&page_->AddressPart(0), "10");
        for (int next = 1; next < 4; ++next) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Period);
            QCOMPARE(QApplication::focusWidget(), &page_->AddressPart(next));
            QTest::keyClicks(QApplication::focusWidget(), QString::number(next * 11));
        }
        // A dot in the last byte neither moves on nor becomes part of the number.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Period);
        QCOMPARE(QApplication::focusWidget(), &page_->AddressPart(3));
        QCOMPARE(AddressText(), QString("10.11.22.33"));
        QCOMPARE(page_->GetAddress(), 0x0A0B1621u);
    }

    void ADeviceConnectsSendsAndIsDisconnected() {
        CZeResourceData project;
        QVERIFY(LoadSampleProject(project));
        connect(page_.get(), &CNetworkPage::SendRequested,
                [&] { link_->SendDialog(project, "Main"); });

        page_->SetPort(0);
        page_->SetAddress(0);
        page_->ListenButton().click();
        ExpectButtons({false, true, true, false, false});
        const int port = link_->GetListeningPort();
        QVERIFY(port > 0);

        Device device;
        QVERIFY(device.Connect(port));
        QTRY_VERIFY(!page_->ConnectButton().isEnabled());
        ExpectButtons({false, true, false, true, true});
        // Listening on every interface; the page now shows where the device is.
        QTRY_COMPARE(page_->GetAddress(), kLoopback);
        QCOMPARE(AddressText(), QString("127.0.0.1"));

        page_->SendButton().click();
        CJsonString text;
        project.WriteProject(text, "Main");
        const std::string frame = "\x02" + text.GetText() + "\x03";
        QTRY_COMPARE(device.ReceivedSize(), frame.size());
        QCOMPARE(device.received, frame);
        // The envelope holds the DIALOG message of Main, and of no other dialog.
        CJsonString dialogMessage;
        QVERIFY(Dialog(project, "Main").WriteDialogMessage(dialogMessage, 1));
        QVERIFY(device.received.find(dialogMessage.GetText()) != std::string::npos);
        QVERIFY(device.received.find("'Second'") == std::string::npos);

        page_->DisconnectButton().click();
        ExpectButtons({false, true, true, false, false});
        QTRY_VERIFY(device.Closed());
        QTRY_VERIFY(!link_->HasConnection());
        ExpectButtons({false, true, true, false, false});

        page_->StopButton().click();
        ExpectButtons({true, false, true, false, false});
        Device late;
        QVERIFY(!late.Connect(port));
        QCOMPARE(errno, ECONNREFUSED);
    }

    void TheDeviceClosingGivesTheButtonsBack() {
        page_->SetPort(0);
        page_->SetAddress(kLoopback);
        page_->ListenButton().click();
        const int port = link_->GetListeningPort();
        QVERIFY(port > 0);
        Device device;
        QVERIFY(device.Connect(port));
        QTRY_VERIFY(page_->SendButton().isEnabled());
        device.Close();
        QTRY_VERIFY(!page_->SendButton().isEnabled());
        // Still listening for the next device.
        ExpectButtons({false, true, true, false, false});
        QVERIFY(messages_.messages.empty());
    }

    void ListeningOnATakenPortShowsTheMessageAndKeepsTheButtons() {
        DeviceListener taken;
        QVERIFY(taken.Port() > 0);
        page_->SetPort(taken.Port());
        page_->SetAddress(kLoopback);
        page_->ListenButton().click();
        QCOMPARE(messages_.messages.size(), std::size_t{1});
        QCOMPARE(messages_.messages[0].text,
                 std::string("エラー：Tcpサーバが開始出来ませんでした。"));
        QVERIFY(messages_.messages[0].icon == MessageIcon::kStop);
        ExpectButtons({true, false, true, false, false});
        QCOMPARE(link_->GetListeningPort(), 0);
    }

    void ConnectReachesAListeningDevice() {
        DeviceListener device;
        QVERIFY(device.Port() > 0);
        page_->SetPort(device.Port());
        page_->SetAddress(kLoopback);
        page_->ConnectButton().click();
        // The buttons change as soon as the attempt has started.
        ExpectButtons({true, false, false, true, true});
        int fd = -1;
        // The condition is evaluated once more after it held: accept only once.
        QTRY_VERIFY(fd >= 0 || (fd = device.TryAccept()) >= 0);
        Device accepted(fd);
        QCOMPARE(page_->GetAddress(), kLoopback);

        // The device ends the connection: the page may connect again.
        accepted.Close();
        QTRY_VERIFY(page_->ConnectButton().isEnabled());
        ExpectButtons({true, false, true, false, false});
        QVERIFY(messages_.messages.empty());
    }

    void ARefusedConnectGivesTheButtonsBack() {
        const int closedPort = UnusedPort();
        QVERIFY(closedPort > 0);
        page_->SetPort(closedPort);
        page_->SetAddress(kLoopback);
        page_->ConnectButton().click();
        QTRY_VERIFY(!link_->HasConnection());
        QTRY_VERIFY(page_->ConnectButton().isEnabled());
        ExpectButtons({true, false, true, false, false});
    }

    void APageMadeLaterShowsTheLinkAsItIs() {
        QVERIFY(link_->StartListening(0, kLoopback));
        page_ = std::make_unique<CNetworkPage>(*link_, messages_);
        ExpectButtons({false, true, true, false, false});
    }

private:
    QString AddressText() const {
        QStringList parts;
        for (int i = 0; i < 4; ++i) {
            parts << page_->AddressPart(i).text();
        }
        return parts.join('.');
    }

    void ExpectButtons(const ButtonStates& expected) {
        QCOMPARE(page_->ListenButton().isEnabled(), expected.listen);
        QCOMPARE(page_->StopButton().isEnabled(), expected.stop);
        QCOMPARE(page_->ConnectButton().isEnabled(), expected.connect);
        QCOMPARE(page_->DisconnectButton().isEnabled(), expected.disconnect);
        QCOMPARE(page_->SendButton().isEnabled(), expected.send);
    }

    std::unique_ptr<link::CDeviceLink> link_;
    RecordingMessages messages_;
    std::unique_ptr<CNetworkPage> page_;
};

}  // namespace ze::panels::test

QTEST_MAIN(ze::panels::test::NetworkPageTest)
#include "network_page_test.moc"
