#include "link/ssocket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <pthread.h>
#include <signal.h>
#include <sys/sendfile.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "common/cp932.h"
#include "link/core/device_protocol.h"
#include "link/core/socket_errors.h"

namespace ze::link {

namespace {

using texts::Sjis;

// What one writable notification may write before the event loop gets its
// turn again, so a large file never holds up the user interface.
constexpr std::uint64_t kFlushBudget = 8u << 20;
constexpr int kSendStallMilliseconds = 5000;

std::string AddressText(const sockaddr_in& address) {
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
    return text;
}

bool ParseAddress(const char* text, in_addr* address) {
    return text != nullptr && inet_pton(AF_INET, text, address) == 1;
}

// The system's text for an errno value, Shift_JIS for the log.
std::string SystemErrorText(int error) {
    char buffer[256] = {};
    const char* text = strerror_r(error, buffer, sizeof buffer);
    return Utf8ToCp932(text);
}

// A reset or abort reported by a receive ends the connection like a close
// notification with that error; other receive errors are shown as such.
bool EndsConnection(int wsaCode) {
    return wsaCode == wsa::kConnectionReset || wsaCode == wsa::kConnectionAborted ||
           wsaCode == wsa::kNetworkDown || wsaCode == wsa::kTimedOut ||
           wsaCode == wsa::kNetworkReset;
}

// Programs set the disposition at start-up, so it is looked up once.
bool SigpipeIgnored() {
    static const bool ignored = [] {
        struct sigaction current {};
        return sigaction(SIGPIPE, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
    }();
    return ignored;
}

// sendfile has no MSG_NOSIGNAL: a peer that has gone away would raise
// SIGPIPE and end the whole program. Unless the program ignores it, the
// signal is blocked for the call and the one it raised is taken back.
ssize_t SendFileWithoutSignal(int socket, int file, off_t* offset, std::size_t count) {
    if (SigpipeIgnored()) {
        return ::sendfile(socket, file, offset, count);
    }
    sigset_t pipeSignal;
    sigset_t previous;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
    const ssize_t sent = ::sendfile(socket, file, offset, count);
    const int error = errno;
    if (sent < 0 && error == EPIPE) {
        const timespec noWait{0, 0};
        sigtimedwait(&pipeSignal, nullptr, &noWait);
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    errno = error;
    return sent;
}

}  // namespace

CSSocket::CSSocket(int id, QObject* parent) : QObject(parent), id_(id) {
    stallTimer_.setSingleShot(true);
    stallTimer_.setInterval(kSendStallMilliseconds);
    connect(&stallTimer_, &QTimer::timeout, this, &CSSocket::SendStalled);
}

CSSocket::~CSSocket() {
    Close();
}

void CSSocket::WriteLog(std::string_view, LogKind) {}

void CSSocket::NotifyOwner(SocketNotice, CSSocket*) {}

void CSSocket::Close() {
    readNotifier_.reset();
    writeNotifier_.reset();
    stallTimer_.stop();
    queue_.clear();
    pendingBytes_ = 0;
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    mode_ = Mode::None;
    localEndpoint_.clear();
}

bool CSSocket::CreateHandle(int type, int port, const char* address) {
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(static_cast<std::uint16_t>(port));
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    int error = 0;
    const int fd = ::socket(AF_INET, type | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = errno;
    } else if (address != nullptr && !ParseAddress(address, &local.sin_addr)) {
        error = EINVAL;
    } else {
        // A listener that was just stopped can listen on its port again at once.
        const int on = 1;
        if (type == SOCK_STREAM) {
            ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        }
        if (::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
            error = errno;
        }
    }
    if (error != 0) {
        if (fd >= 0) {
            ::close(fd);
        }
        const std::string systemText = SystemErrorText(error);
        WriteLog(Sjis("ソケットが作成できませんでした。"), LogKind::Error);
        WriteLog(systemText, LogKind::Error);
        return false;
    }
    Close();
    fd_ = fd;
    created_ = true;
    return true;
}

void CSSocket::Attach(int fd, Mode mode) {
    fd_ = fd;
    mode_ = mode;
    readNotifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(readNotifier_.get(), &QSocketNotifier::activated, this, &CSSocket::Readable);
    SetWatching(mode != Mode::Connecting, mode == Mode::Connecting);
}

void CSSocket::SetWatching(bool read, bool write) {
    if (readNotifier_ != nullptr) {
        readNotifier_->setEnabled(read);
    }
    WatchWritable(write);
}

void CSSocket::WatchWritable(bool on) {
    // Most connections never have to wait for room to write: the notifier
    // is made when one first does.
    if (writeNotifier_ == nullptr) {
        if (!on || fd_ < 0) {
            return;
        }
        writeNotifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Write);
        connect(writeNotifier_.get(), &QSocketNotifier::activated, this, &CSSocket::Writable);
        return;
    }
    writeNotifier_->setEnabled(on);
}

int CSSocket::StartListening(int port, const char* localAddress, bool datagram) {
    created_ = true;
    if (!CreateHandle(datagram ? SOCK_DGRAM : SOCK_STREAM, port, localAddress)) {
        return 0;
    }
    const int fd = std::exchange(fd_, -1);
    if (datagram) {
        Attach(fd, Mode::Datagram);
        WriteLog(Sjis("待ち受け開始しました。PORT:") + std::to_string(port) + " [UDP]",
                 LogKind::Info);
        return 1;
    }
    if (::listen(fd, listenBacklog_) != 0) {
        const int code = WsaFromErrno(errno);
        ::close(fd);
        WriteLog(Sjis("待ち受けを開始できませんでした。(") + std::to_string(code) + ")",
                 LogKind::Error);
        return 0;
    }
    Attach(fd, Mode::Listening);
    in_addr bound{};
    if (ParseAddress(localAddress, &bound) && bound.s_addr != htonl(INADDR_ANY)) {
        // Every connection it accepts has this end; no need to ask for each.
        localEndpoint_ = GetLocalEndpoint();
    }
    WriteLog(Sjis("待ち受け開始しました。PORT:") + std::to_string(port) + " [TCP]", LogKind::Info);
    return 1;
}

int CSSocket::ConnectTo(int remotePort, const std::string& remoteAddress, int localPort,
                        const char* localAddress, bool datagram) {
    if (!CreateHandle(datagram ? SOCK_DGRAM : SOCK_STREAM, localPort, localAddress)) {
        return 0;
    }
    const int fd = std::exchange(fd_, -1);
    if (!datagram) {
        const int on = 1;
        ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    }
    sockaddr_in remote{};
    remote.sin_family = AF_INET;
    remote.sin_port = htons(static_cast<std::uint16_t>(remotePort));
    int error = 0;
    if (!ParseAddress(remoteAddress.c_str(), &remote.sin_addr)) {
        error = EINVAL;
    } else if (::connect(fd, reinterpret_cast<const sockaddr*>(&remote), sizeof remote) != 0) {
        error = errno;
    }
    const int code = error == 0 ? 0 : WsaFromErrno(error);
    if (code != 0 && code != wsa::kWouldBlock) {
        ::close(fd);
        WriteLog(Sjis("送信準備に失敗しました。Connect"), LogKind::Error);
        WriteLog(SocketErrorText(SocketOp::Connect, code), LogKind::Error);
        return 0;
    }
    if (datagram) {
        Attach(fd, Mode::Datagram);
        connected_ = true;
        peerEndpoint_ = AddressText(remote) + ":" + std::to_string(remotePort);
    } else {
        Attach(fd, Mode::Connecting);
    }
    return 1;
}

long long CSSocket::ConnectAndSend(const char* data, std::size_t length, int remotePort,
                                   const std::string& remoteAddress, int localPort,
                                   const char* localAddress, bool broadcast) {
    if (ConnectTo(remotePort, remoteAddress, localPort, localAddress, true) == 0) {
        return 0;
    }
    if (broadcast) {
        const int on = 1;
        SetOption(SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    }
    return Send(data, length);
}

bool CSSocket::SetOption(int level, int name, const void* value, unsigned length) {
    return fd_ >= 0 && ::setsockopt(fd_, level, name, value, length) == 0;
}

int CSSocket::SendRefusal() const {
    if (closedAfterSending_) {
        return wsa::kShutDown;
    }
    if (fd_ < 0) {
        return wsa::kNotSocket;
    }
    if (shutDown_ || closeWhenSent_) {
        return wsa::kShutDown;
    }
    if (mode_ == Mode::Listening || mode_ == Mode::None) {
        return wsa::kNotConnected;
    }
    return 0;
}

long long CSSocket::Send(const char* data, std::size_t length) {
    return SendBytes(data, length, 0);
}

long long CSSocket::SendBeforeFile(std::string_view bytes) {
    return SendBytes(bytes.data(), bytes.size(), MSG_MORE);
}

long long CSSocket::SendBytes(const char* data, std::size_t length, int flags) {
    if (const int refusal = SendRefusal(); refusal != 0) {
        LogSendError(refusal);
        return -1;
    }
    std::size_t done = 0;
    if (queue_.empty() && mode_ != Mode::Connecting) {
        while (done < length) {
            const ssize_t count =
                ::send(fd_, data + done, length - done, MSG_NOSIGNAL | MSG_DONTWAIT | flags);
            if (count >= 0) {
                done += static_cast<std::size_t>(count);
                continue;
            }
            if (errno == EINTR) {
                continue;
            }
            const int code = WsaFromErrno(errno);
            if (code == wsa::kWouldBlock) {
                break;
            }
            LogSendError(code);
            return -1;
        }
        if (mode_ == Mode::Datagram) {
            return static_cast<long long>(done);
        }
    }
    if (done < length) {
        Pending pending;
        pending.bytes.assign(data + done, length - done);
        queue_.push_back(std::move(pending));
        pendingBytes_ += length - done;
        if (mode_ != Mode::Connecting) {
            WatchWritable(true);
            if (!stallTimer_.isActive()) {
                stallTimer_.start();
            }
        }
    }
    return static_cast<long long>(length);
}

bool CSSocket::SendFile(FileBody body) {
    int refusal = SendRefusal();
    if (refusal == 0 && mode_ == Mode::Datagram) {
        refusal = wsa::kOperationNotSupported;
    }
    if (refusal != 0) {
        LogSendError(refusal);
        return false;
    }
    if (body.Size() == 0) {
        return true;
    }
    pendingBytes_ += body.Size();
    Pending pending;
    pending.file = std::move(body);
    queue_.push_back(std::move(pending));
    if (mode_ != Mode::Connecting) {
        if (!Flush()) {
            return false;
        }
    }
    return true;
}

bool CSSocket::Flush() {
    std::uint64_t written = 0;
    while (!queue_.empty() && written < kFlushBudget) {
        Pending& head = queue_.front();
        ssize_t count = 0;
        if (head.file.IsOpen()) {
            const std::uint64_t left = head.file.Size() - head.fileOffset;
            off_t offset = static_cast<off_t>(head.fileOffset);
            count = SendFileWithoutSignal(fd_, head.file.Descriptor(), &offset,
                                          std::min<std::uint64_t>(left, kFlushBudget - written));
            if (count == 0) {
                // The file turned shorter than announced: the peer can no
                // longer find the next frame, so the connection has to end.
                WriteLog(Sjis("送信するファイルが途中で短くなりました。"), LogKind::Error);
                queue_.clear();
                pendingBytes_ = 0;
                ShutDownSocket(Sjis("送信"));
                return false;
            }
        } else {
            count = ::send(fd_, head.bytes.data() + head.offset, head.bytes.size() - head.offset,
                           MSG_NOSIGNAL | MSG_DONTWAIT);
        }
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int code = WsaFromErrno(errno);
            if (code == wsa::kWouldBlock) {
                break;
            }
            queue_.clear();
            pendingBytes_ = 0;
            stallTimer_.stop();
            WatchWritable(false);
            LogSendError(code);
            OnSendQueueEmptied();
            return false;
        }
        const auto taken = static_cast<std::uint64_t>(count);
        written += taken;
        pendingBytes_ -= taken;
        if (head.file.IsOpen()) {
            head.fileOffset += taken;
            if (head.fileOffset == head.file.Size()) {
                queue_.pop_front();
            }
        } else {
            head.offset += taken;
            if (head.offset == head.bytes.size()) {
                queue_.pop_front();
            }
        }
    }
    if (queue_.empty()) {
        stallTimer_.stop();
        WatchWritable(false);
        if (closeWhenSent_) {
            EndAfterSending();
        }
        if (written > 0) {
            OnSendQueueEmptied();
        }
    } else {
        WatchWritable(true);
        if (written > 0 || !stallTimer_.isActive()) {
            stallTimer_.start();
        }
    }
    return true;
}

void CSSocket::CloseWhenSent() {
    if (fd_ < 0 || shutDown_ || closeWhenSent_) {
        return;
    }
    closeWhenSent_ = true;
    if (queue_.empty() && mode_ == Mode::Connected) {
        EndAfterSending();
    }
}

void CSSocket::EndAfterSending() {
    SetWatching(false, false);
    if (resetOnClose_) {
        // What the kernel still holds must reach the peer.
        const linger orderly{0, 0};
        SetOption(SOL_SOCKET, SO_LINGER, &orderly, sizeof orderly);
    }
    // The kernel sends what it holds, then the end of the stream. The
    // notifiers are off, so the number may be reused at once.
    ::close(fd_);
    fd_ = -1;
    shutDown_ = true;
    closedAfterSending_ = true;
    NotifyOwner({id_, SocketEvent::Closed}, this);
}

void CSSocket::SetResetOnClose() {
    const linger noLinger{1, 0};
    resetOnClose_ = SetOption(SOL_SOCKET, SO_LINGER, &noLinger, sizeof noLinger);
}

void CSSocket::LogSendError(int wsaCode) {
    lastSendError_ = wsaCode;
    WriteLog(Sjis("送信に失敗しました。"), LogKind::Error);
    WriteLog(SocketErrorText(SocketOp::Send, wsaCode), LogKind::Error);
}

void CSSocket::SendStalled() {
    if (queue_.empty()) {
        return;
    }
    const std::uint64_t left = pendingBytes_;
    queue_.clear();
    pendingBytes_ = 0;
    // A blocked send that never gets through fails as a send whose count
    // differs from what was asked.
    lastSendError_ = wsa::kWouldBlock;
    WriteLog(SendCountErrorLogText(-1, left, wsa::kWouldBlock, {}), LogKind::Error);
    ShutDownSocket(Sjis("送信タイムアウト"));
}

void CSSocket::ShutDownSocket(std::string_view reason) {
    WriteLog("ShutDownSocket()", LogKind::Trace);
    int code = 0;
    if (fd_ < 0) {
        code = wsa::kNotSocket;
    } else if (::shutdown(fd_, SHUT_RDWR) != 0) {
        code = WsaFromErrno(errno);
    }
    if (code != 0) {
        WriteLog(Sjis("ShutDownに失敗しました。(") + std::string(reason) + ")", LogKind::Error);
        const std::string& text = SocketErrorText(SocketOp::ShutDown, code);
        if (!text.empty()) {
            WriteLog(text, LogKind::Error);
        } else {
            char line[64];
            std::snprintf(line, sizeof line, "%d(0x%x)", code, static_cast<unsigned>(code));
            WriteLog(Sjis("エラーコード ") + line, LogKind::Error);
        }
    } else {
        WriteLog(Sjis("正常にシャットダウンしました。(") + std::string(reason) + ")",
                 LogKind::Info);
    }
    // Nothing more is read or written; the owner destroys the socket.
    shutDown_ = true;
    queue_.clear();
    pendingBytes_ = 0;
    stallTimer_.stop();
    SetWatching(false, false);
    NotifyOwner({id_, SocketEvent::Closed}, this);
}

void CSSocket::Readable() {
    switch (mode_) {
        case Mode::Listening:
            OnAccept(0);
            return;
        case Mode::Datagram:
            OnReceive(0);
            return;
        case Mode::Connected:
            break;
        case Mode::None:
        case Mode::Connecting:
            return;
    }
    // The handler's own read tells the end of the stream or a reset, so
    // one system call serves both; only a handler that reads nothing needs
    // a look of its own.
    readInHandler_ = false;
    streamEnd_.reset();
    OnReceive(0);
    if (streamEnd_) {
        ClosedByPeer(*streamEnd_);
        return;
    }
    if (readInHandler_ || mode_ != Mode::Connected || fd_ < 0) {
        return;
    }
    char probe = 0;
    const ssize_t count = ::recv(fd_, &probe, 1, MSG_PEEK | MSG_DONTWAIT);
    if (count > 0) {
        return;
    }
    if (count == 0) {
        ClosedByPeer(0);
        return;
    }
    const int code = WsaFromErrno(errno);
    if (code == wsa::kWouldBlock || errno == EINTR) {
        return;
    }
    if (EndsConnection(code)) {
        ClosedByPeer(code);
    }
}

void CSSocket::ReceiveNow() {
    if (mode_ == Mode::Connected && !shutDown_) {
        Readable();
    }
}

void CSSocket::ClosedByPeer(int error) {
    queue_.clear();
    pendingBytes_ = 0;
    stallTimer_.stop();
    SetWatching(false, false);
    mode_ = Mode::None;
    OnClose(error);
}

void CSSocket::Writable() {
    if (mode_ == Mode::Connecting) {
        int error = 0;
        socklen_t length = sizeof error;
        ::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &length);
        if (error != 0) {
            SetWatching(false, false);
            OnConnect(WsaFromErrno(error));
            return;
        }
        mode_ = Mode::Connected;
        SetWatching(true, !queue_.empty());
        OnConnect(0);
        if (mode_ == Mode::Connected && !queue_.empty()) {
            stallTimer_.start();
        }
        return;
    }
    OnSend(0);
}

long long CSSocket::ReceiveSome(char* buffer, std::size_t size, int* error) {
    readInHandler_ = true;
    const bool stream = mode_ == Mode::Connected;
    while (true) {
        const ssize_t count = ::recv(fd_, buffer, size, MSG_DONTWAIT);
        if (count >= 0) {
            if (count == 0 && stream) {
                streamEnd_ = 0;
            }
            return count;
        }
        if (errno == EINTR) {
            continue;
        }
        const int code = WsaFromErrno(errno);
        if (stream && code == wsa::kWouldBlock) {
            return 0;
        }
        if (stream && EndsConnection(code)) {
            streamEnd_ = code;
            return 0;
        }
        *error = code;
        return -1;
    }
}

bool CSSocket::AcceptInto(CSSocket& socket, int* error) {
    sockaddr_in peer{};
    socklen_t length = sizeof peer;
    const int fd =
        ::accept4(fd_, reinterpret_cast<sockaddr*>(&peer), &length, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
        *error = WsaFromErrno(errno);
        return false;
    }
    socket.Close();
    socket.Attach(fd, Mode::Connected);
    socket.created_ = true;
    socket.connected_ = true;
    socket.peerEndpoint_ = AddressText(peer) + ":" + std::to_string(ntohs(peer.sin_port));
    socket.localEndpoint_ = localEndpoint_;
    return true;
}

void CSSocket::OnReceive(int error) {
    if (error != 0) {
        std::string text = Sjis("ネットワーク サブシステムの異常を検出しました。");
        WriteLog(text, LogKind::Error);
    }
}

void CSSocket::OnSend(int error) {
    if (error != 0) {
        WriteLog(Sjis("ネットワーク サブシステムの異常を検出しました。"), LogKind::Error);
        return;
    }
    if (!connected_) {
        peerEndpoint_ = GetPeerAddress() + ":" + std::to_string(GetPeerPort());
        connected_ = true;
    }
    Flush();
}

void CSSocket::OnAccept(int error) {
    if (error == 0) {
        WriteLog(Sjis("接続要求を許可します。"), LogKind::Info);
        return;
    }
    std::string text = Sjis("ネットワーク サブシステムの異常を検出しました。");
    if (error != wsa::kNetworkDown) {
        text += "!";
    }
    WriteLog(text, LogKind::Error);
}

void CSSocket::OnConnect(int error) {
    WriteLog("OnConnect()", LogKind::Trace);
    if (error == 0) {
        const std::string peerAddress = GetPeerAddress();
        const int peerPort = GetPeerPort();
        WriteLog(Sjis("相手[") + peerAddress + ":" + std::to_string(peerPort) + Sjis("] 自分[") +
                     GetLocalAddress() + ":" + std::to_string(GetLocalPort()) +
                     Sjis("] 接続しました。"),
                 LogKind::Received);
        peerEndpoint_ = peerAddress + ":" + std::to_string(peerPort);
        connected_ = true;
        NotifyOwner({id_, SocketEvent::Connected}, this);
        return;
    }
    if (error == wsa::kFault) {
        WriteLog(Sjis("引数 lpSockAddrLen が不正です。"), LogKind::Error);
    } else {
        const std::string& text = SocketErrorText(SocketOp::OnConnect, error);
        WriteLog(text.empty() ? Sjis("接続できませんでした。") : text, LogKind::Error);
    }
    ShutDownSocket("OnConnect()");
}

void CSSocket::OnClose(int error) {
    connected_ = false;
    created_ = false;
    WriteLog("OnClose()", LogKind::Trace);
    switch (error) {
        case 0:
            WriteLog(Sjis("通信を切断しました。"), LogKind::Info);
            break;
        case wsa::kNetworkDown:
            WriteLog(Sjis("ネットワーク サブシステムの異常を検出しました。"), LogKind::Error);
            break;
        case wsa::kConnectionAborted:
            WriteLog(Sjis("タイムアウトまたはその他の障害により接続がアボートしました。"),
                     LogKind::Error);
            break;
        case wsa::kConnectionReset:
            WriteLog(Sjis("接続がリモート側からリセットされました。"), LogKind::Error);
            break;
        default:
            WriteLog(Sjis("通信が切断されました。"), LogKind::Error);
            break;
    }
    NotifyOwner({id_, SocketEvent::Closed}, this);
}

std::string CSSocket::GetLocalEndpoint() const {
    if (!localEndpoint_.empty()) {
        return localEndpoint_;
    }
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (fd_ < 0 || ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return {};
    }
    return AddressText(address) + ":" + std::to_string(ntohs(address.sin_port));
}

std::string CSSocket::GetLocalAddress() const {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (fd_ < 0 || ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return {};
    }
    return AddressText(address);
}

int CSSocket::GetLocalPort() const {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (fd_ < 0 || ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return 0;
    }
    return ntohs(address.sin_port);
}

std::string CSSocket::GetPeerAddress() const {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (fd_ < 0 || ::getpeername(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return {};
    }
    return AddressText(address);
}

int CSSocket::GetPeerPort() const {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (fd_ < 0 || ::getpeername(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return 0;
    }
    return ntohs(address.sin_port);
}

std::uint32_t CSSocket::GetPeerAddressValue() const {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (fd_ < 0 || ::getpeername(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return 0;
    }
    return ntohl(address.sin_addr.s_addr);
}

}  // namespace ze::link
