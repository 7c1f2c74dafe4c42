#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "link/core/device_addresses.h"
#include "link/core/device_protocol.h"
#include "link/core/log_line.h"
#include "link/link_indicator.h"
#include "link/net_socket.h"

namespace ze {
class CZeResourceData;
}

namespace ze::link {

// Which network controls may be used in the current link state.
struct LinkControls {
    bool listen = true;
    bool stop = false;
    bool connect = true;
    bool disconnect = false;
    bool send = false;
    friend bool operator==(const LinkControls&, const LinkControls&) = default;
};

// One command connection as the "接続" page lists it.
struct DeviceInfo {
    std::uint64_t id = 0;
    // "address:port" of the device.
    std::string endpoint;
    QDateTime connectedSince;
    // Null until the first message.
    QDateTime lastMessage;
    std::uint64_t bytesIn = 0;
    std::uint64_t bytesOut = 0;
    // "送る": "送信" and "自動送信" include this device.
    bool sendTo = true;
    // False while an attempt of "接続" is still under way.
    bool connected = false;
};

// The device link: the command listener, the command connections (up to
// the maximum, one per device), the HTTP listener and its connections, the
// keep-alive and the link indicator.
// Each command connection reads its own frames, keeps its own keep-alive
// count and is answered on its own; a device that falls behind only fills
// its own send queue. While more than one is held, each line about one of
// them starts with "[address:port] "; with one the lines are as they were
// before there could be several.
// An HTTP connection gets one answer and is closed once it is sent; one that
// has not sent a whole request within the idle timeout is closed, and of at
// most kMaxHttpConnections open at once, the oldest still waiting for its
// request makes room for a new one.
// The resource panel binds its buttons to the actions and its controls to
// the signals; `ze-tool serve` drives the same object without a window.
class CDeviceLink : public QObject, private SocketOwner, private CommandHandler {
    Q_OBJECT

public:
    static constexpr int kDefaultPort = 5000;
    static constexpr int kDefaultHttpPort = 8080;
    static constexpr int kKeepAliveMilliseconds = 60000;
    static constexpr int kHttpIdleMilliseconds = 10000;
    static constexpr std::size_t kMaxHttpConnections = 256;
    static constexpr int kDefaultMaxDevices = 8;
    static constexpr int kMaxDevicesLimit = 64;
    using DeviceId = std::uint64_t;

    explicit CDeviceLink(QObject* parent = nullptr);
    ~CDeviceLink() override;

    // Settings: the project folder (an operating-system path; GETFILE serves
    // its "resources" folder, HTTP the folder itself), the HTTP port (0: no
    // HTTP listener) and the keep-alive period.
    void SetProjectFolder(const std::string& folder);
    const std::string& GetProjectFolder() const { return projectFolder_; }
    void SetHttpPort(int port) { httpPort_ = port; }
    void SetKeepAlivePeriod(int milliseconds);
    // Ends a keep-alive period now, as the period's timer does: a device
    // still owing the answer to the last keep-alive is logged, every device
    // gets the next one and the lamp follows. With the period set out of
    // reach, a caller that wants the ticks at points of its own choosing
    // (a test on a loaded machine) calls it instead of waiting.
    void SendKeepAlive();
    // How long a peer may take no bytes before a send fails.
    void SetSendStallTimeout(int milliseconds) { sendStallMilliseconds_ = milliseconds; }
    // How long an HTTP connection may take to send a whole request, for the
    // connections accepted from now on.
    void SetHttpIdleTimeout(int milliseconds) { httpIdleMilliseconds_ = milliseconds; }
    // Command connections held at once (1..kMaxDevicesLimit); a new one
    // beyond it closes the oldest. Lowering it closes the oldest at once.
    void SetMaxDevices(int count);
    int GetMaxDevices() const { return maxDevices_; }

    // The actions. address is IPv4 in host byte order, 0 for every interface.
    bool StartListening(int port, std::uint32_t address);
    void StopListening();
    bool ConnectToDevice(int port, std::uint32_t address);
    // One attempt per address; true when every attempt has started.
    bool ConnectToDevices(const std::vector<DeviceAddress>& addresses);
    // Every command connection.
    void Disconnect();
    void DisconnectDevice(DeviceId id);
    // Sends the DIALOG message of the named dialog (Shift_JIS) of project
    // to every device whose "送る" is on. What the kernel does not take at
    // once stays queued on each connection. True when any device took it.
    bool SendDialog(const CZeResourceData& project, std::string_view dialogName);
    bool SendDialogTo(DeviceId id, const CZeResourceData& project, std::string_view dialogName);
    // The same with the message text already written (DialogText), for a
    // sender that gives one text to several devices at different times.
    bool SendDialogTextTo(DeviceId id, std::string_view text);
    static std::string DialogText(const CZeResourceData& project, std::string_view dialogName);
    // Bytes of a dialog sent are still queued on a command connection (on
    // the device's), not yet handed to the kernel.
    bool IsSending() const;
    bool IsSendingTo(DeviceId id) const;

    // Oldest first.
    std::vector<DeviceInfo> Devices() const;
    // The devices whose "送る" is on, oldest first.
    std::vector<DeviceId> SendTargets() const;
    std::size_t DeviceCount() const { return devices_.size(); }
    void SetSendTo(DeviceId id, bool on);

    const LinkControls& GetControls() const { return controls_; }
    LinkIndicator GetIndicator() const { return indicator_; }
    bool HasConnection() const { return !devices_.empty(); }
    // Some device has not answered the last keep-alive.
    bool IsAwaitingKeepAlive() const;
    std::size_t HttpConnectionCount() const { return httpConnections_.size(); }
    // Ports actually bound (useful when 0 asked for any free port); 0 if none.
    int GetListeningPort() const;
    int GetHttpListeningPort() const;
    // The newest command connection (null: none).
    CNetSocket* GetConnection() const;
    CNetSocket* GetConnection(DeviceId id) const;

    // "%d.%d.%d.%d", most significant byte first.
    static std::string FormatAddress(std::uint32_t address);

signals:
    // Text is Shift_JIS.
    void LogWritten(const QByteArray& text, ze::link::LogKind kind);
    void ControlsChanged(const ze::link::LinkControls& controls);
    void IndicatorChanged(ze::link::LinkIndicator state);
    void PeerAddressChanged(quint32 address);
    void MessageBoxRequested(const QString& text);
    // A command connection is established (accepted, or connected to a
    // listening device).
    void ConnectionEstablished();
    // The same, naming the device (before ConnectionEstablished).
    void DeviceEstablished(quint64 id);
    // A device came or went, or its "送る" changed.
    void DevicesChanged();
    // A device's counts or last message changed.
    void DeviceActivity(quint64 id);
    // The dialog bytes queued for this device are with the kernel or gone.
    void DeviceSendFinished(quint64 id);
    // Follows every SendDialog that returned true, once the dialog's bytes
    // are all with the kernel or the connection holding them is gone;
    // IsSending() is then false unless a later send is queued. It always
    // comes from the event loop, never inside SendDialog: for a send the
    // kernel took whole at once it is queued. Sends queued together end
    // with one signal.
    void SendFinished();

private:
    struct Device {
        DeviceId id = 0;
        std::unique_ptr<CNetSocket> socket;
        // For an attempt not yet connected: where it goes.
        std::string target;
        QDateTime since;
        QDateTime lastMessage;
        std::uint64_t bytesOut = 0;
        bool awaitingKeepAlive = false;
        bool sendTo = true;
        bool dialogQueued = false;
    };

    void WriteSocketLog(CNetSocket* socket, std::string_view text, LogKind kind) override;
    void SocketNotified(SocketNotice notice, CNetSocket* socket) override;
    void SocketAccepted(CNetSocket* listener, std::unique_ptr<CNetSocket> accepted) override;
    void CommandTextReceived(CNetSocket* socket, std::string_view text) override;
    void HttpRequestReceived(CNetSocket* socket, const std::string& path) override;
    void ReceiveFailed(CNetSocket* socket, const std::string& text) override;
    void SendQueueEmptied(CNetSocket* socket) override;

    void WriteLog(std::string_view text, LogKind kind) override;
    void OnKeepAliveReceived() override;
    void OnGetFile(const GetFileRequest& request) override;

    SocketOwner* AsOwner() { return this; }
    Device* Find(DeviceId id) const;
    Device* Find(const CNetSocket* socket) const;
    std::string EndpointOf(const Device& device) const;
    void WriteDeviceLog(const Device* device, std::string_view text, LogKind kind);
    // Makes room for one more device: closes the oldest at the limit.
    void MakeRoom();
    Device& AddDevice(std::unique_ptr<CNetSocket> socket);
    void RemoveDevice(const CNetSocket* socket);
    void UpdateConnectionControls();
    bool StartAttempt(int port, std::uint32_t address);
    bool SendTextTo(Device& device, std::string_view text);
    void DeviceQueueEmptied(Device& device);
    void SetIndicator(LinkIndicator state);
    void SetControls(const LinkControls& controls);
    void DestroyHttpListener();
    // A device's queued dialog bytes are gone one way or the other.
    void EndDialogSending(Device& device);
    void AcceptHttpConnection(std::unique_ptr<CNetSocket> accepted);
    void CloseIdleHttpConnections();
    void ArmHttpIdleTimer();

    using Clock = std::chrono::steady_clock;
    struct HttpConnection {
        std::unique_ptr<CNetSocket> socket;
        // The whole request must have come by then.
        Clock::time_point deadline;
        bool requested = false;
        // The path of a file being sent (empty for a 404).
        std::string bodyPath;
    };

    std::string projectFolder_;
    int httpPort_ = kDefaultHttpPort;
    int sendStallMilliseconds_ = 5000;
    int httpIdleMilliseconds_ = kHttpIdleMilliseconds;
    std::unique_ptr<CNetSocket> commandListener_;
    std::unique_ptr<CNetSocket> httpListener_;
    int maxDevices_ = kDefaultMaxDevices;
    DeviceId nextDeviceId_ = 1;
    // Oldest first.
    std::vector<std::unique_ptr<Device>> devices_;
    // Oldest first.
    std::vector<HttpConnection> httpConnections_;
    QTimer httpIdleTimer_;
    // A SendFinished is owed once no device has dialog bytes queued.
    bool dialogQueued_ = false;
    // The device whose frame is being handled: GETFILE answers go there and
    // the lines written are its own.
    Device* answering_ = nullptr;
    LinkIndicator indicator_ = LinkIndicator::NoAnswer;
    LinkControls controls_;
    QTimer keepAliveTimer_;
};

}  // namespace ze::link
