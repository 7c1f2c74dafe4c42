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
    connect(&keepAliveTimer_, &QTimer::timeout, this, &CDeviceLink::SendKeepAlive);
    keepAliveTimer_.start();
    httpIdleTimer_.setSingleShot(true);
    httpIdleTimer_.setTimerType(Qt::PreciseTimer);
    connect(&httpIdleTimer_, &QTimer::timeout, this, &CDeviceLink::CloseIdleHttpConnections);
}

CDeviceLink::~CDeviceLink() {
    // Sockets go before the signals they might still emit lose their receivers.
    httpConnections_.clear();
    devices_.clear();
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

void CDeviceLink::SetMaxDevices(int count) {
    maxDevices_ = std::clamp(count, 1, kMaxDevicesLimit);
    if (devices_.size() > static_cast<std::size_t>(maxDevices_)) {
        while (devices_.size() > static_cast<std::size_t>(maxDevices_)) {
            RemoveDevice(devices_.front()->socket.get());
        }
        UpdateConnectionControls();
        emit DevicesChanged();
    }
}

CDeviceLink::Device* CDeviceLink::Find(DeviceId id) const {
    for (const auto& device : devices_) {
        if (device->id == id) {
            return device.get();
        }
    }
    return nullptr;
}

CDeviceLink::Device* CDeviceLink::Find(const CNetSocket* socket) const {
    if (socket == nullptr) {
        return nullptr;
    }
    for (const auto& device : devices_) {
        if (device->socket.get() == socket) {
            return device.get();
        }
    }
    return nullptr;
}

std::string CDeviceLink::EndpointOf(const Device& device) const {
    const std::string& peer = device.socket->GetPeerEndpoint();
    return peer.empty() ? device.target : peer;
}

CNetSocket* CDeviceLink::GetConnection() const {
    return devices_.empty() ? nullptr : devices_.back()->socket.get();
}

CNetSocket* CDeviceLink::GetConnection(DeviceId id) const {
    const Device* device = Find(id);
    return device != nullptr ? device->socket.get() : nullptr;
}

bool CDeviceLink::IsAwaitingKeepAlive() const {
    return std::any_of(devices_.begin(), devices_.end(),
                       [](const auto& device) { return device->awaitingKeepAlive; });
}

std::vector<DeviceInfo> CDeviceLink::Devices() const {
    std::vector<DeviceInfo> list;
    list.reserve(devices_.size());
    for (const auto& device : devices_) {
        DeviceInfo& info = list.emplace_back();
        info.id = device->id;
        info.endpoint = EndpointOf(*device);
        info.connectedSince = device->since;
        info.lastMessage = device->lastMessage;
        info.bytesIn = device->socket->BytesReceived();
        info.bytesOut = device->bytesOut;
        info.sendTo = device->sendTo;
        info.connected = device->socket->IsConnected();
    }
    return list;
}

std::vector<CDeviceLink::DeviceId> CDeviceLink::SendTargets() const {
    std::vector<DeviceId> targets;
    for (const auto& device : devices_) {
        if (device->sendTo) {
            targets.push_back(device->id);
        }
    }
    return targets;
}

void CDeviceLink::SetSendTo(DeviceId id, bool on) {
    Device* device = Find(id);
    if (device == nullptr || device->sendTo == on) {
        return;
    }
    device->sendTo = on;
    emit DevicesChanged();
}

void CDeviceLink::WriteDeviceLog(const Device* device, std::string_view text, LogKind kind) {
    if (device == nullptr || devices_.size() < 2) {
        WriteLog(text, kind);
        return;
    }
    const std::string line = DeviceLogText(EndpointOf(*device), text, true);
    emit LogWritten(QByteArray(line.data(), static_cast<qsizetype>(line.size())), kind);
}

void CDeviceLink::MakeRoom() {
    // The oldest goes, without a word, as a second device once replaced
    // the only one.
    while (devices_.size() >= static_cast<std::size_t>(maxDevices_)) {
        RemoveDevice(devices_.front()->socket.get());
    }
}

CDeviceLink::Device& CDeviceLink::AddDevice(std::unique_ptr<CNetSocket> socket) {
    auto device = std::make_unique<Device>();
    device->id = nextDeviceId_++;
    device->socket = std::move(socket);
    device->since = QDateTime::currentDateTime();
    devices_.push_back(std::move(device));
    return *devices_.back();
}

void CDeviceLink::RemoveDevice(const CNetSocket* socket) {
    const auto found = std::find_if(devices_.begin(), devices_.end(), [socket](const auto& held) {
        return held->socket.get() == socket;
    });
    if (found == devices_.end()) {
        return;
    }
    std::unique_ptr<Device> device = std::move(*found);
    devices_.erase(found);
    EndDialogSending(*device);
}

void CDeviceLink::UpdateConnectionControls() {
    const bool any = !devices_.empty();
    LinkControls controls = controls_;
    controls.connect = !any;
    controls.disconnect = any;
    controls.send = any;
    SetControls(controls);
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
    if (!StartAttempt(port, address)) {
        return false;
    }
    UpdateConnectionControls();
    emit DevicesChanged();
    return true;
}

bool CDeviceLink::ConnectToDevices(const std::vector<DeviceAddress>& addresses) {
    bool all = !addresses.empty();
    bool any = false;
    for (const DeviceAddress& address : addresses) {
        if (StartAttempt(address.port, address.address)) {
            any = true;
        } else {
            all = false;
        }
    }
    if (any) {
        UpdateConnectionControls();
        emit DevicesChanged();
    }
    return all;
}

bool CDeviceLink::StartAttempt(int port, std::uint32_t address) {
    const std::string addressText = FormatAddress(address);
    auto socket = std::make_unique<CNetSocket>(kCommandConnection, AsOwner());
    socket->SetSendStallTimeout(sendStallMilliseconds_);
    if (socket->ConnectTo(port, addressText, 0, "0.0.0.0", false) == 0) {
        return false;
    }
    MakeRoom();
    Device& device = AddDevice(std::move(socket));
    device.target = addressText + ":" + std::to_string(port);
    return true;
}

void CDeviceLink::Disconnect() {
    if (devices_.empty()) {
        return;
    }
    // Each close notification removes its device; the list may shrink
    // meanwhile only through those, which come later from the loop.
    for (const auto& device : devices_) {
        device->socket->ShutDownSocket(Sjis("切断ボタン押下"));
    }
    LinkControls controls = controls_;
    controls.connect = true;
    controls.disconnect = false;
    controls.send = false;
    SetControls(controls);
}

void CDeviceLink::DisconnectDevice(DeviceId id) {
    if (Device* device = Find(id); device != nullptr) {
        device->socket->ShutDownSocket(Sjis("切断ボタン押下"));
    }
}

std::string CDeviceLink::DialogText(const CZeResourceData& project, std::string_view dialogName) {
    CJsonString text;
    project.WriteProject(text, dialogName);
    return text.GetText();
}

bool CDeviceLink::SendDialog(const CZeResourceData& project, std::string_view dialogName) {
    if (devices_.empty()) {
        return false;
    }
    const std::string text = DialogText(project, dialogName);
    bool any = false;
    // The signals of each send reach other code, which may change the list:
    // ids stay valid where pointers might not.
    for (const DeviceId id : SendTargets()) {
        if (Device* device = Find(id); device != nullptr && SendTextTo(*device, text)) {
            any = true;
        }
    }
    return any;
}

bool CDeviceLink::SendDialogTo(DeviceId id, const CZeResourceData& project,
                               std::string_view dialogName) {
    Device* device = Find(id);
    return device != nullptr && SendTextTo(*device, DialogText(project, dialogName));
}

bool CDeviceLink::SendDialogTextTo(DeviceId id, std::string_view text) {
    Device* device = Find(id);
    return device != nullptr && SendTextTo(*device, text);
}

bool CDeviceLink::SendTextTo(Device& device, std::string_view text) {
    CNetSocket& socket = *device.socket;
    const std::string frame = Frame(text);
    // The line is written whether the send went through or not; a failure
    // has its own lines from the socket.
    const bool sent = socket.Send(frame) >= 0;
    WriteDeviceLog(&device, SentLogText(text), LogKind::Sent);
    if (!sent) {
        return false;
    }
    device.bytesOut += frame.size();
    emit DeviceActivity(device.id);
    if (socket.PendingBytes() > 0) {
        device.dialogQueued = true;
        dialogQueued_ = true;
    } else if (!dialogQueued_) {
        QMetaObject::invokeMethod(this, &CDeviceLink::SendFinished, Qt::QueuedConnection);
    }
    return true;
}

bool CDeviceLink::IsSending() const {
    return std::any_of(devices_.begin(), devices_.end(), [](const auto& device) {
        return device->dialogQueued && device->socket->PendingBytes() > 0;
    });
}

bool CDeviceLink::IsSendingTo(DeviceId id) const {
    const Device* device = Find(id);
    return device != nullptr && device->dialogQueued && device->socket->PendingBytes() > 0;
}

void CDeviceLink::EndDialogSending(Device& device) {
    if (!device.dialogQueued) {
        return;
    }
    device.dialogQueued = false;
    emit DeviceSendFinished(device.id);
    if (dialogQueued_ && std::none_of(devices_.begin(), devices_.end(),
                                      [](const auto& held) { return held->dialogQueued; })) {
        dialogQueued_ = false;
        emit SendFinished();
    }
}

void CDeviceLink::SendQueueEmptied(CNetSocket* socket) {
    if (Device* device = Find(socket); device != nullptr) {
        EndDialogSending(*device);
    }
}

void CDeviceLink::SendKeepAlive() {
    if (devices_.empty()) {
        return;
    }
    // The lamp is one for all: grey as soon as any device left the last
    // keep-alive unanswered.
    bool missed = false;
    // A failed send only queues the close: the list stays as it is here.
    for (const auto& device : devices_) {
        if (device->awaitingKeepAlive) {
            missed = true;
            WriteDeviceLog(device.get(), Sjis("KEEPALIVEの応答がありませんでした。"),
                           LogKind::Error);
        }
        device->awaitingKeepAlive = true;
        if (device->socket->Send(KeepAliveFrame()) >= 0) {
            device->bytesOut += KeepAliveFrame().size();
        }
    }
    SetIndicator(missed ? LinkIndicator::NoAnswer : LinkIndicator::KeepAliveSent);
}

void CDeviceLink::WriteSocketLog(CNetSocket* socket, std::string_view text, LogKind kind) {
    WriteDeviceLog(Find(socket), text, kind);
}

void CDeviceLink::WriteLog(std::string_view text, LogKind kind) {
    if (answering_ != nullptr && devices_.size() > 1) {
        WriteDeviceLog(answering_, text, kind);
        return;
    }
    emit LogWritten(QByteArray(text.data(), static_cast<qsizetype>(text.size())), kind);
}

void CDeviceLink::SocketNotified(SocketNotice notice, CNetSocket* socket) {
    if (notice.event == SocketEvent::Connected) {
        if (Device* device = Find(socket); device != nullptr) {
            device->since = QDateTime::currentDateTime();
            emit DevicesChanged();
            emit DeviceEstablished(device->id);
            emit ConnectionEstablished();
        }
        return;
    }
    // Sockets are told apart by identity: the close of a connection that was
    // already replaced must not end another.
    if (Find(socket) != nullptr) {
        RemoveDevice(socket);
        UpdateConnectionControls();
        emit DevicesChanged();
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
    // At the limit the new device replaces the oldest.
    MakeRoom();
    Device& device = AddDevice(std::move(accepted));
    const DeviceId id = device.id;
    UpdateConnectionControls();
    emit PeerAddressChanged(device.socket->GetPeerAddressValue());
    WriteDeviceLog(&device, Sjis("接続要求許可 ") + line + Sjis(" 通信ポート"), LogKind::Info);
    emit DevicesChanged();
    emit DeviceEstablished(id);
    emit ConnectionEstablished();
}

void CDeviceLink::CommandTextReceived(CNetSocket* socket, std::string_view text) {
    Device* device = Find(socket);
    if (device == nullptr) {
        return;
    }
    device->lastMessage = QDateTime::currentDateTime();
    const DeviceId id = device->id;
    answering_ = device;
    HandleCommandText(text, *this);
    answering_ = nullptr;
    if (Find(id) != nullptr) {
        emit DeviceActivity(id);
    }
}

void CDeviceLink::OnKeepAliveReceived() {
    if (answering_ == nullptr) {
        return;
    }
    const DeviceId id = answering_->id;
    QMetaObject::invokeMethod(
        this,
        [this, id] {
            Device* device = Find(id);
            if (device == nullptr) {
                return;
            }
            device->awaitingKeepAlive = false;
            // Green once no device still owes an answer.
            if (!IsAwaitingKeepAlive()) {
                SetIndicator(LinkIndicator::DeviceAnswered);
            }
        },
        Qt::QueuedConnection);
}

void CDeviceLink::OnGetFile(const GetFileRequest& request) {
    if (answering_ == nullptr) {
        return;
    }
    Device& device = *answering_;
    CNetSocket* socket = device.socket.get();
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
    if (sent > 0) {
        device.bytesOut += static_cast<std::uint64_t>(sent);
    }
    if (sent != static_cast<long long>(answer.frame.size())) {
        WriteLog(
            SendCountErrorLogText(sent, answer.frame.size(), socket->LastSendError(), answer.text),
            LogKind::Error);
    }
    if (answer.body.IsOpen()) {
        const std::uint64_t size = answer.body.Size();
        if (!socket->SendFile(std::move(answer.body))) {
            WriteLog(SendCountErrorLogText(-1, size, socket->LastSendError(), answer.text),
                     LogKind::Error);
        } else {
            device.bytesOut += size;
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
