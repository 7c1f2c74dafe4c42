#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

#include "model/message_sink.h"

class QAbstractButton;
class QCheckBox;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace ze::link {
class CDeviceLink;
struct LinkControls;
}  // namespace ze::link

namespace ze::panels {

class CDeviceTable;

// The network controls of the resource panel: the listen port and the device
// address (and more addresses, to connect to several devices at once), the
// buttons that start and stop listening, connect to and disconnect from the
// devices and send the current dialog, and the list of devices. The buttons act on
// the link; their enabled states and the address shown after an accept come
// back from the link's signals, so the page never keeps link state itself.
class CNetworkPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDefaultPort = 5000;

    CNetworkPage(link::CDeviceLink& link, MessageSink& messages, QWidget* parent = nullptr);

    // "待受ポート": the listen port and the port to connect to, 0..65535.
    int GetPort() const;
    void SetPort(int port);
    // "IPアドレス": IPv4 in host byte order (most significant byte shown
    // first); 0 means every interface when listening.
    std::uint32_t GetAddress() const;
    void SetAddress(std::uint32_t address);

    QAbstractButton& ListenButton();
    QAbstractButton& StopButton();
    QAbstractButton& ConnectButton();
    QAbstractButton& DisconnectButton();
    QAbstractButton& SendButton();
    // "自動送信": send the dialog being edited after every change.
    QCheckBox& AutoSendBox();
    QWidget& PortField();
    // Four number boxes, one per byte; "." moves on to the next one.
    QWidget& AddressField();
    QSpinBox& AddressPart(int index);
    // "他の端末": more devices for "接続", one per line or comma-separated,
    // each "a.b.c.d" or "a.b.c.d:port".
    QPlainTextEdit& MoreAddressesField();
    CDeviceTable& Devices();

signals:
    // The send button: the panel sends its current dialog.
    void SendRequested();
    // "自動送信" was turned on or off by the user or the program.
    void AutoSendChanged(bool on);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnListen();
    void OnStop();
    void OnConnect();
    void OnDisconnect();
    void ApplyControls(const link::LinkControls& controls);
    void ShowLinkMessage(const QString& text);
    // Takes over whatever is still being typed into the number boxes, so a
    // button acts on the values shown.
    void CommitFields();

    link::CDeviceLink& link_;
    MessageSink& messages_;
    QSpinBox* port_;
    QWidget* address_;
    std::array<QSpinBox*, 4> addressParts_{};
    QPushButton* listen_;
    QPushButton* stop_;
    QPushButton* connect_;
    QPushButton* disconnect_;
    QPushButton* send_;
    QCheckBox* autoSend_;
    QPlainTextEdit* moreAddresses_;
    CDeviceTable* devices_;
};

}  // namespace ze::panels
