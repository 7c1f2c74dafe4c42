// The network controls: the fields, the buttons on a real link over
// 127.0.0.1, and what the link tells the page back.

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "link/device_link.h"
#include "model/dialog_data.h"
#include "model/mo_stream.h"
#include "model/resource_data.h"
#include "panels/device_table.h"
#include "panels/network_page.h"
#include "panels/support/recording_host.h"
#include "panels/support/sample_project.h"

namespace ze::panels::test {

namespace {

constexpr std::uint32_t kLoopback = 0x7F000001;

// The buttons enabled (see NetworkPageTest::Enabled).
const QString kIdle = "10100";
const QString kListening = "01100";
const QString kServing = "01011";  // listening, a device connected
const QString kConnected = "10011";

sockaddr_in LoopbackAddress(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(kLoopback);
    return address;
}

// The device's end of a connection, played with a plain socket: the page's
// link works on the same event loop, so the device never blocks.
class Device {
public:
    explicit Device(int fd = -1) : fd_(fd) {}
    ~Device() { Close(); }
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    // A loopback connect finishes (or is refused) at once, before any accept.
    bool Connect(int port) {
        fd_ = socket(AF_INET, SOCK_STREAM, 0);
        const sockaddr_in address = LoopbackAddress(port);
        return connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    }
    // Takes what has arrived; true once the peer has closed.
    bool Closed() {
        char buffer[4096];
        ssize_t count = 0;
        while (!closed_ && (count = recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT)) > 0) {
            received.append(buffer, static_cast<std::size_t>(count));
        }
        closed_ = closed_ || count == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
        return closed_;
    }
    void Close() {
        if (fd_ >= 0) {
            close(fd_);
        }
        fd_ = -1;
    }

    std::string received;

private:
    int fd_;
    bool closed_ = false;
};

// A device listening on an ephemeral port of 127.0.0.1.
class DeviceListener {
public:
    DeviceListener() : fd_(socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0)) {
        sockaddr_in address = LoopbackAddress(0);
        socklen_t size = sizeof address;
        if (bind(fd_, reinterpret_cast<const sockaddr*>(&address), size) == 0 &&
            listen(fd_, 4) == 0 &&
            getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size) == 0) {
            port_ = ntohs(address.sin_port);
        }
    }
    ~DeviceListener() { close(fd_); }
    DeviceListener(const DeviceListener&) = delete;
    DeviceListener& operator=(const DeviceListener&) = delete;

    int Port() const { return port_; }
    // -1 while no connection waits.
    int TryAccept() { return accept4(fd_, nullptr, nullptr, SOCK_NONBLOCK); }

private:
    int fd_;
    int port_ = 0;
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
        QStringList texts;
        for (const QLabel* label : page_->findChildren<QLabel*>()) {
            texts << label->text();
        }
        QVERIFY(texts.contains("待受ポート") && texts.contains("IPアドレス"));
        texts.clear();
        for (const QAbstractButton* button : Buttons()) {
            texts << button->text();
        }
        QCOMPARE(texts, (QStringList{"待受", "停止", "接続", "切断", "送信"}));
        QCOMPARE(Enabled(), kIdle);
        QCOMPARE(page_->GetPort(), 5000);
        QCOMPARE(page_->GetAddress(), 0u);
        QCOMPARE(AddressText(), QString("0.0.0.0"));
    }

    void AddressShowsTheBytesMostSignificantFirst_data() {
        QTest::addColumn<quint32>("address");
        QTest::addColumn<QString>("shown");
        QTest::newRow("loopback") << quint32{kLoopback} << "127.0.0.1";
        QTest::newRow("byte order") << quint32{0x01020304} << "1.2.3.4";
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
        // Text out of range is refused as it is typed. field: -1 the port, 0..3 a byte.
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("value");
        QTest::newRow("port too large") << -1 << "70000" << 7000;
        QTest::newRow("byte too large") << 0 << "300" << 30;
        QTest::newRow("byte sign") << 3 << "-7" << 7;
    }
    void TypedNumbersStayInRange() {
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(int, value);
        auto* box =
            field < 0 ? qobject_cast<QSpinBox*>(&page_->PortField()) : &page_->AddressPart(field);
        QVERIFY(box != nullptr);
        box->clear();
        QTest::keyClicks(box, typed);
        box->interpretText();
        QCOMPARE(box->value(), value);
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

    void ADeviceConnectsSendsAndGoes_data() {
        QTest::addColumn<bool>("pageDisconnects");  // or the device closes
        QTest::newRow("the page disconnects") << true;
        QTest::newRow("the device closes") << false;
    }
    void ADeviceConnectsSendsAndGoes() {
        QFETCH(bool, pageDisconnects);
        CZeResourceData project;
        QVERIFY(LoadSampleProject(project));
        connect(page_.get(), &CNetworkPage::SendRequested,
                [&] { link_->SendDialog(project, "Main"); });
        page_->SetPort(0);
        page_->SetAddress(0);
        page_->ListenButton().click();
        QCOMPARE(Enabled(), kListening);
        const int port = link_->GetListeningPort();
        QVERIFY(port > 0);

        Device device;
        QVERIFY(device.Connect(port));
        QTRY_COMPARE(Enabled(), kServing);
        // Listening on every interface; the page now shows where the device is.
        QTRY_COMPARE(AddressText(), QString("127.0.0.1"));

        page_->SendButton().click();
        CJsonString text;
        project.WriteProject(text, "Main");
        const std::string frame = "\x02" + text.GetText() + "\x03";
        QTRY_COMPARE((device.Closed(), device.received.size()), frame.size());
        QCOMPARE(device.received, frame);
        // The envelope holds the DIALOG message of Main, and of no other dialog.
        CJsonString dialogMessage;
        QVERIFY(Dialog(project, "Main").WriteDialogMessage(dialogMessage, 1));
        QVERIFY(device.received.find(dialogMessage.GetText()) != std::string::npos);
        QVERIFY(device.received.find("'Second'") == std::string::npos);

        if (pageDisconnects) {
            page_->DisconnectButton().click();
            QCOMPARE(Enabled(), kListening);
            QTRY_VERIFY(device.Closed());
        } else {
            device.Close();
        }
        QTRY_VERIFY(!link_->HasConnection());
        QTRY_COMPARE(Enabled(), kListening);  // still listening for the next device
        QVERIFY(messages_.messages.empty());

        page_->StopButton().click();
        QCOMPARE(Enabled(), kIdle);
        Device late;
        QVERIFY(!late.Connect(port));
        QCOMPARE(errno, ECONNREFUSED);
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
        QCOMPARE(Enabled(), kIdle);
        QCOMPARE(link_->GetListeningPort(), 0);
    }

    void ConnectGivesTheButtonsBackWhenTheLinkEnds_data() {
        QTest::addColumn<bool>("listening");
        QTest::newRow("a listening device closes") << true;
        QTest::newRow("nothing listens") << false;
    }
    void ConnectGivesTheButtonsBackWhenTheLinkEnds() {
        QFETCH(bool, listening);
        auto device = std::make_unique<DeviceListener>();
        const int port = device->Port();
        QVERIFY(port > 0);
        if (!listening) {
            device.reset();  // the port is free now
        }
        page_->SetPort(port);
        page_->SetAddress(kLoopback);
        page_->ConnectButton().click();
        // The buttons change as soon as the attempt has started.
        QCOMPARE(Enabled(), kConnected);
        if (listening) {
            int fd = -1;
            // The condition is evaluated once more after it held: accept only once.
            QTRY_VERIFY(fd >= 0 || (fd = device->TryAccept()) >= 0);
            Device(fd).Close();
        }
        QTRY_COMPARE(Enabled(), kIdle);
        QVERIFY(!link_->HasConnection());
        QCOMPARE(page_->GetAddress(), kLoopback);
        QVERIFY(messages_.messages.empty());
    }

    // "接続" with more addresses typed: one connection each, listed with
    // their addresses; the list's "切断" ends the selected one only.
    void ConnectReachesEveryAddressAndTheListEndsOne() {
        std::array<DeviceListener, 2> devices;
        page_->SetPort(devices[0].Port());
        page_->SetAddress(kLoopback);
        page_->MoreAddressesField().setPlainText(
            QString("127.0.0.1:%1\n127.0.0.1").arg(devices[1].Port()));
        page_->ConnectButton().click();
        QVERIFY(messages_.messages.empty());
        std::array<int, 2> fds = {-1, -1};
        for (std::size_t i = 0; i < fds.size(); ++i) {
            QTRY_VERIFY(fds[i] >= 0 || (fds[i] = devices[i].TryAccept()) >= 0);
        }
        std::array<Device, 2> ends = {Device(fds[0]), Device(fds[1])};
        QTableWidget& table = page_->Devices().Table();
        QTRY_COMPARE(table.rowCount(), 2);
        for (int row = 0; row < 2; ++row) {
            QCOMPARE(table.item(row, CDeviceTable::kAddress)->text(),
                     QString("127.0.0.1:%1").arg(devices[static_cast<std::size_t>(row)].Port()));
            QTRY_VERIFY(table.item(row, CDeviceTable::kSince)->text() != "-");
        }
        QVERIFY(!page_->Devices().DisconnectButton().isEnabled());
        table.selectRow(0);
        QVERIFY(page_->Devices().DisconnectButton().isEnabled());
        page_->Devices().DisconnectButton().click();
        QTRY_VERIFY(ends[0].Closed());
        QTRY_COMPARE(table.rowCount(), 1);
        QCOMPARE(table.item(0, CDeviceTable::kAddress)->text(),
                 QString("127.0.0.1:%1").arg(devices[1].Port()));
        QVERIFY(!ends[1].Closed());
        QCOMPARE(Enabled(), kConnected);
    }

    void AWrongAddressIsNamedAndNothingConnects() {
        page_->SetAddress(kLoopback);
        page_->MoreAddressesField().setPlainText("10.0.0.1, 10.0.0.300");
        page_->ConnectButton().click();
        QCOMPARE(messages_.messages.size(), std::size_t{1});
        QCOMPARE(messages_.messages[0].text,
                 std::string("端末のアドレスが正しくありません: 10.0.0.300"));
        QVERIFY(!link_->HasConnection());
        QCOMPARE(Enabled(), kIdle);
    }

    void APageMadeLaterShowsTheLinkAsItIs() {
        QVERIFY(link_->StartListening(0, kLoopback));
        page_ = std::make_unique<CNetworkPage>(*link_, messages_);
        QCOMPARE(Enabled(), kListening);
    }

private:
    QString AddressText() const {
        QStringList parts;
        for (int i = 0; i < 4; ++i) {
            parts << page_->AddressPart(i).text();
        }
        return parts.join('.');
    }

    std::vector<QAbstractButton*> Buttons() const {
        return {&page_->ListenButton(), &page_->StopButton(), &page_->ConnectButton(),
                &page_->DisconnectButton(), &page_->SendButton()};
    }

    // Which of listen, stop, connect, disconnect and send are enabled.
    QString Enabled() const {
        QString enabled;
        for (const QAbstractButton* button : Buttons()) {
            enabled += button->isEnabled() ? '1' : '0';
        }
        return enabled;
    }

    std::unique_ptr<link::CDeviceLink> link_;
    RecordingMessages messages_;
    std::unique_ptr<CNetworkPage> page_;
};

}  // namespace ze::panels::test

QTEST_MAIN(ze::panels::test::NetworkPageTest)
#include "network_page_test.moc"
