#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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

// The device link: the command listener, the one command connection, the
// HTTP listener and its connections, the keep-alive and the link indicator.
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

    explicit CDeviceLink(QObject* parent = nullptr);
    ~CDeviceLink() override;

    // Settings: the project folder (an operating-system path; GETFILE serves
    // its "resources" folder, HTTP the folder itself), the HTTP port (0: no
    // HTTP listener) and the keep-alive period.
    void SetProjectFolder(const std::string& folder);
    const std::string& GetProjectFolder() const { return projectFolder_; }
    void SetHttpPort(int port) { httpPort_ = port; }
    void SetKeepAlivePeriod(int milliseconds);
    // How long a peer may take no bytes before a send fails.
    void SetSendStallTimeout(int milliseconds) { sendStallMilliseconds_ = milliseconds; }
    // How long an HTTP connection may take to send a whole request, for the
    // connections accepted from now on.
    void SetHttpIdleTimeout(int milliseconds) { httpIdleMilliseconds_ = milliseconds; }

    // The actions. address is IPv4 in host byte order, 0 for every interface.
    bool StartListening(int port, std::uint32_t address);
    void StopListening();
    bool ConnectToDevice(int port, std::uint32_t address);
    void Disconnect();
    // Sends the DIALOG message of the named dialog (Shift_JIS) of project.
    // What the kernel does not take at once stays queued on the connection.
    bool SendDialog(const CZeResourceData& project, std::string_view dialogName);
    // Bytes of a dialog sent are still queued on the command connection, not
    // yet handed to the kernel.
    bool IsSending() const;

    const LinkControls& GetControls() const { return controls_; }
    LinkIndicator GetIndicator() const { return indicator_; }
    bool HasConnection() const { return connection_ != nullptr; }
    bool IsAwaitingKeepAlive() const { return awaitingKeepAlive_; }
    std::size_t HttpConnectionCount() const { return httpConnections_.size(); }
    // Ports actually bound (useful when 0 asked for any free port); 0 if none.
    int GetListeningPort() const;
    int GetHttpListeningPort() const;
    CNetSocket* GetConnection() const { return connection_.get(); }

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
    // Follows every SendDialog that returned true, once the dialog's bytes
    // are all with the kernel or the connection holding them is gone;
    // IsSending() is then false unless a later send is queued. It always
    // comes from the event loop, never inside SendDialog: for a send the
    // kernel took whole at once it is queued. Sends queued together end
    // with one signal.
    void SendFinished();

private:
    void WriteSocketLog(std::string_view text, LogKind kind) override;
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
    void KeepAliveTick();
    void SetIndicator(LinkIndicator state);
    void SetControls(const LinkControls& controls);
    void DestroyHttpListener();
    // The queued dialog bytes are gone one way or the other.
    void EndDialogSending();
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
    std::unique_ptr<CNetSocket> connection_;
    // Oldest first.
    std::vector<HttpConnection> httpConnections_;
    QTimer httpIdleTimer_;
    bool dialogQueued_ = false;
    // The connection whose frame is being handled (GETFILE answers go there).
    CNetSocket* answering_ = nullptr;
    bool awaitingKeepAlive_ = false;
    LinkIndicator indicator_ = LinkIndicator::NoAnswer;
    LinkControls controls_;
    QTimer keepAliveTimer_;
};

}  // namespace ze::link
