#include "link/device_link.h"

#include <sys/socket.h>

#include <algorithm>
#include <optional>
#include <utility>

#include "common/cp932.h"
#include "common/paths.h"
#include "link/core/socket_errors.h"
#include "model/mo_stream.h"
#include "model/resource_data.h"

namespace ze::link {

namespace {

using texts::Sjis;

}  // namespace

CDeviceLink::CDeviceLink(QObject* parent) : QObject(parent) {
    keepAliveTimer_.setInterval(kKeepAliveMilliseconds);
    connect(&keepAliveTimer_, &QTimer::timeout, this, &CDeviceLink::KeepAliveTick);
    keepAliveTimer_.start();
    httpIdleTimer_.setSingleShot(true);
    httpIdleTimer_.setTimerType(Qt::PreciseTimer);
    connect(&httpIdleTimer_, &QTimer::timeout, this, &CDeviceLink::CloseIdleHttpConnections);
}

CDeviceLink::~CDeviceLink() {
    // Sockets go before the signals they might still emit lose their receivers.
    httpConnections_.clear();
    connection_.reset();
    httpListener_.reset();
    commandListener_.reset();
}

void CDeviceLink::SetProjectFolder(const std::string& folder) {
    projectFolder_ = WithTrailingSeparator(folder);
}

void CDeviceLink::SetKeepAlivePeriod(int milliseconds) {
    keepAliveTimer_.start(milliseconds);
}

std::string CDeviceLink::FormatAddress(std::uint32_t address) {
    return std::to_string((address >> 24) & 0xFF) + "." + std::to_string((address >> 16) & 0xFF) +
           "." + std::to_string((address >> 8) & 0xFF) + "." + std::to_string(address & 0xFF);
}

int CDeviceLink::GetListeningPort() const {
    return commandListener_ != nullptr ? commandListener_->GetLocalPort() : 0;
}

int CDeviceLink::GetHttpListeningPort() const {
    return httpListener_ != nullptr ? httpListener_->GetLocalPort() : 0;
}

void CDeviceLink::SetControls(const LinkControls& controls) {
    if (controls == controls_) {
        return;
    }
    controls_ = controls;
    emit ControlsChanged(controls_);
}

void CDeviceLink::SetIndicator(LinkIndicator state) {
    if (state == indicator_) {
        return;
    }
    indicator_ = state;
    emit IndicatorChanged(state);
}

void CDeviceLink::DestroyHttpListener() {
    httpListener_.reset();
}

bool CDeviceLink::StartListening(int port, std::uint32_t address) {
    const std::string addressText = FormatAddress(address);
    commandListener_.reset();
    DestroyHttpListener();
    commandListener_ = std::make_unique<CNetSocket>(kCommandListener, AsOwner());
    if (commandListener_->StartListening(port, address == 0 ? nullptr : addressText.c_str(),
                                         false) == 0) {
        commandListener_.reset();
        DestroyHttpListener();
        emit MessageBoxRequested(QStringLiteral("エラー：Tcpサーバが開始出来ませんでした。"));
        return false;
    }
    if (httpPort_ > 0) {
        httpListener_ = std::make_unique<CNetSocket>(kHttpListener, AsOwner());
        // Browsers and download managers open many connections at once.
        httpListener_->SetListenBacklog(SOMAXCONN);
        if (httpListener_->StartListening(httpPort_, address == 0 ? nullptr : addressText.c_str(),
                                          false) == 0) {
            // Devices are still served over the command port; the failure is in the log.
            httpListener_.reset();
        }
    }
    LinkControls controls = controls_;
    controls.listen = false;
    controls.stop = true;
    SetControls(controls);
    return true;
}

void CDeviceLink::StopListening() {
    if (commandListener_ == nullptr) {
        return;
    }
    commandListener_->Close();
    DestroyHttpListener();
    commandListener_.reset();
    LinkControls controls = controls_;
    controls.listen = true;
    controls.stop = false;
    SetControls(controls);
}

bool CDeviceLink::ConnectToDevice(int port, std::uint32_t address) {
    const std::string addressText = FormatAddress(address);
    // A new attempt on the same socket drops what it had queued.
    EndDialogSending();
    if (connection_ == nullptr) {
        connection_ = std::make_unique<CNetSocket>(kCommandConnection, AsOwner());
        connection_->SetSendStallTimeout(sendStallMilliseconds_);
    }
    if (connection_->ConnectTo(port, addressText, 0, "0.0.0.0", false) == 0) {
        connection_.reset();
        return false;
    }
    awaitingKeepAlive_ = false;
    LinkControls controls = controls_;
    controls.connect = false;
    controls.disconnect = true;
    controls.send = true;
    SetControls(controls);
    return true;
}

void CDeviceLink::Disconnect() {
    if (connection_ == nullptr) {
        return;
    }
    connection_->ShutDownSocket(Sjis("切断ボタン押下"));
    LinkControls controls = controls_;
    controls.connect = true;
    controls.disconnect = false;
    controls.send = false;
    SetControls(controls);
}

bool CDeviceLink::SendDialog(const CZeResourceData& project, std::string_view dialogName) {
    if (connection_ == nullptr) {
        return false;
    }
    CJsonString text;
    project.WriteProject(text, dialogName);
    // The line is written whether the send went through or not; a failure
    // has its own lines from the socket.
    const bool sent = connection_->Send(Frame(text.GetText())) >= 0;
    WriteLog(SentLogText(text.GetText()), LogKind::Sent);
    if (sent) {
        if (connection_->PendingBytes() > 0) {
            dialogQueued_ = true;
        } else if (!dialogQueued_) {
            QMetaObject::invokeMethod(this, &CDeviceLink::SendFinished, Qt::QueuedConnection);
        }
    }
    return sent;
}

bool CDeviceLink::IsSending() const {
    return dialogQueued_ && connection_ != nullptr && connection_->PendingBytes() > 0;
}

void CDeviceLink::EndDialogSending() {
    if (dialogQueued_) {
        dialogQueued_ = false;
        emit SendFinished();
    }
}

void CDeviceLink::SendQueueEmptied(CNetSocket* socket) {
    if (socket == connection_.get()) {
        EndDialogSending();
    }
}

void CDeviceLink::KeepAliveTick() {
    if (connection_ == nullptr) {
        return;
    }
    if (awaitingKeepAlive_) {
        SetIndicator(LinkIndicator::NoAnswer);
        WriteLog(Sjis("KEEPALIVEの応答がありませんでした。"), LogKind::Error);
    } else {
        SetIndicator(LinkIndicator::KeepAliveSent);
    }
    connection_->Send(KeepAliveFrame());
    awaitingKeepAlive_ = true;
}

void CDeviceLink::WriteSocketLog(std::string_view text, LogKind kind) {
    WriteLog(text, kind);
}

void CDeviceLink::WriteLog(std::string_view text, LogKind kind) {
    emit LogWritten(QByteArray(text.data(), static_cast<qsizetype>(text.size())), kind);
}

void CDeviceLink::SocketNotified(SocketNotice notice, CNetSocket* socket) {
    if (notice.event == SocketEvent::Connected) {
        if (socket == connection_.get()) {
            emit ConnectionEstablished();
        }
        return;
    }
    // Sockets are told apart by identity: the close of a connection that was
    // already replaced must not end the current one.
    if (socket == connection_.get()) {
        connection_.reset();
        EndDialogSending();
        LinkControls controls = controls_;
        controls.connect = true;
        controls.disconnect = false;
        controls.send = false;
        SetControls(controls);
        return;
    }
    if (socket == commandListener_.get()) {
        commandListener_.reset();
        LinkControls controls = controls_;
        controls.listen = true;
        controls.stop = false;
        SetControls(controls);
        return;
    }
    if (socket == httpListener_.get()) {
        httpListener_.reset();
        return;
    }
    const auto found =
        std::find_if(httpConnections_.begin(), httpConnections_.end(),
                     [socket](const HttpConnection& held) { return held.socket.get() == socket; });
    if (found == httpConnections_.end()) {
        return;
    }
    if (found->socket->ClosedAfterSending() && !found->bodyPath.empty()) {
        WriteLog(Sjis("Http応答 (") + found->bodyPath + Sjis(") 送信を終えたので切断しました。"),
                 LogKind::Info);
    }
    httpConnections_.erase(found);
}

void CDeviceLink::AcceptHttpConnection(std::unique_ptr<CNetSocket> accepted) {
    if (httpConnections_.size() >= kMaxHttpConnections) {
        const std::string limit = std::to_string(kMaxHttpConnections);
        const auto oldest =
            std::find_if(httpConnections_.begin(), httpConnections_.end(),
                         [](const HttpConnection& held) { return !held.requested; });
        if (oldest == httpConnections_.end()) {
            // Every connection is being answered: the new one has to wait
            // for another try.
            WriteLog(Sjis("Http接続が") + limit + Sjis("を超えるので新しい接続を切断しました。(") +
                         accepted->GetPeerEndpoint() + ")",
                     LogKind::Error);
            return;
        }
        WriteLog(Sjis("Http接続が") + limit +
                     Sjis("を超えるので最も古いリクエスト待ちの接続を切断しました。(") +
                     oldest->socket->GetPeerEndpoint() + ")",
                 LogKind::Error);
        httpConnections_.erase(oldest);
    }
    HttpConnection& held = httpConnections_.emplace_back();
    held.socket = std::move(accepted);
    held.deadline = Clock::now() + std::chrono::milliseconds(httpIdleMilliseconds_);
    if (!httpIdleTimer_.isActive()) {
        ArmHttpIdleTimer();
    }
    // A client usually sends its request right after connecting: read it in
    // this turn of the loop rather than the next.
    held.socket->ReceiveNow();
}

void CDeviceLink::CloseIdleHttpConnections() {
    const Clock::time_point now = Clock::now();
    for (auto held = httpConnections_.begin(); held != httpConnections_.end();) {
        if (held->requested || held->deadline > now) {
            ++held;
            continue;
        }
        WriteLog(Sjis("Httpリクエストが") + std::to_string(httpIdleMilliseconds_) +
                     Sjis("ms以内に届かないので切断しました。(") + held->socket->GetPeerEndpoint() +
                     ")",
                 LogKind::Error);
        held = httpConnections_.erase(held);
    }
    ArmHttpIdleTimer();
}

void CDeviceLink::ArmHttpIdleTimer() {
    std::optional<Clock::time_point> next;
    for (const HttpConnection& held : httpConnections_) {
        if (!held.requested && (!next || held.deadline < *next)) {
            next = held.deadline;
        }
    }
    if (!next) {
        httpIdleTimer_.stop();
        return;
    }
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*next - Clock::now());
    httpIdleTimer_.start(std::max<std::chrono::milliseconds>(wait, std::chrono::milliseconds(0)));
}

void CDeviceLink::SocketAccepted(CNetSocket* listener, std::unique_ptr<CNetSocket> accepted) {
    accepted->SetSendStallTimeout(sendStallMilliseconds_);
    const std::string line = accepted->GetLocalEndpoint() + " " + accepted->GetPeerEndpoint();
    if (listener == httpListener_.get()) {
        WriteLog(Sjis("接続要求許可 ") + line + Sjis(" Httpポート"), LogKind::Info);
        AcceptHttpConnection(std::move(accepted));
        return;
    }
    if (listener != commandListener_.get()) {
        return;
    }
    // One command connection at a time: the new device replaces the old one.
    connection_ = std::move(accepted);
    EndDialogSending();
    awaitingKeepAlive_ = false;
    LinkControls controls = controls_;
    controls.connect = false;
    controls.disconnect = true;
    controls.send = true;
    SetControls(controls);
    emit PeerAddressChanged(connection_->GetPeerAddressValue());
    WriteLog(Sjis("接続要求許可 ") + line + Sjis(" 通信ポート"), LogKind::Info);
    emit ConnectionEstablished();
}

void CDeviceLink::CommandTextReceived(CNetSocket* socket, std::string_view text) {
    answering_ = socket;
    HandleCommandText(text, *this);
    answering_ = nullptr;
}

void CDeviceLink::OnKeepAliveReceived() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            SetIndicator(LinkIndicator::DeviceAnswered);
            awaitingKeepAlive_ = false;
        },
        Qt::QueuedConnection);
}

void CDeviceLink::OnGetFile(const GetFileRequest& request) {
    CNetSocket* socket = answering_;
    if (socket == nullptr) {
        return;
    }
    GetFileAnswer answer = AnswerGetFile(request, projectFolder_);
    for (const LogEntry& entry : answer.before) {
        WriteLog(entry.text, entry.kind);
    }
    if (answer.kind == GetFileAnswer::Kind::None) {
        return;
    }
    // A failed send is logged and the rest is still sent, as the device
    // reads whatever arrives.
    const long long sent = socket->Send(answer.frame);
    if (sent != static_cast<long long>(answer.frame.size())) {
        WriteLog(SendCountErrorLogText(sent, answer.frame.size(), socket->LastSendError(),
                                       answer.text),
                 LogKind::Error);
    }
    if (answer.body.IsOpen()) {
        const std::uint64_t size = answer.body.Size();
        if (!socket->SendFile(std::move(answer.body))) {
            WriteLog(SendCountErrorLogText(-1, size, socket->LastSendError(), answer.text),
                     LogKind::Error);
        }
    }
    for (const LogEntry& entry : answer.after) {
        WriteLog(entry.text, entry.kind);
    }
}

void CDeviceLink::HttpRequestReceived(CNetSocket* socket, const std::string& path) {
    HttpResponse response = RespondToGet(path, projectFolder_);
    const auto held = std::find_if(
        httpConnections_.begin(), httpConnections_.end(),
        [socket](const HttpConnection& entry) { return entry.socket.get() == socket; });
    if (held != httpConnections_.end() && !held->requested) {
        held->requested = true;
        if (response.body.IsOpen()) {
            held->bodyPath = path;
        }
    }
    if (response.body.IsOpen()) {
        socket->SendBeforeFile(response.head);
        socket->SendFile(std::move(response.body));
    } else {
        socket->Send(response.head);
    }
    // HTTP/1.0 without keep-alive: one answer per connection.
    socket->CloseWhenSent();
    for (const LogEntry& entry : response.logs) {
        WriteLog(entry.text, entry.kind);
    }
}

void CDeviceLink::ReceiveFailed(CNetSocket*, const std::string& text) {
    emit MessageBoxRequested(QString::fromStdString(Cp932ToUtf8(text)));
}

}  // namespace ze::link
