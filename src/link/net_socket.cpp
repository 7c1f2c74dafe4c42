#include "link/net_socket.h"

#include <netinet/in.h>
#include <sys/socket.h>

#include "link/core/device_protocol.h"
#include "link/core/socket_errors.h"

namespace ze::link {

namespace {

// One receive call takes at most this much; the framers keep their own
// state between calls, so the size only sets how often we are called.
constexpr std::size_t kReceiveBlock = 64 * 1024;

}  // namespace

CNetSocket::CNetSocket(int id, SocketOwner* owner) : CSSocket(id), owner_(owner) {
    if (id == kCommandConnection) {
        framer_ = std::make_unique<CommandFramer>(kCommandFrameCapacity);
    } else if (id == kHttpConnection) {
        httpReader_ = std::make_unique<HttpRequestReader>();
    }
}

CNetSocket::~CNetSocket() = default;

std::size_t CNetSocket::FrameCapacity() const {
    if (framer_ != nullptr) {
        return framer_->Capacity();
    }
    return httpReader_ != nullptr ? kHttpLineCapacity : 0;
}

void CNetSocket::WriteLog(std::string_view text, LogKind kind) {
    if (owner_ != nullptr) {
        owner_->WriteSocketLog(text, kind);
    }
}

void CNetSocket::NotifyOwner(SocketNotice notice, CSSocket*) {
    if (owner_ == nullptr) {
        return;
    }
    if (notice.event == SocketEvent::Connected) {
        owner_->SocketNotified(notice, this);
        return;
    }
    // Queued on this object: if the owner destroys the socket first, the
    // notification goes with it.
    QMetaObject::invokeMethod(
        this, [this, notice] { owner_->SocketNotified(notice, this); }, Qt::QueuedConnection);
}

void CNetSocket::OnAccept(int error) {
    CSSocket::OnAccept(error);
    if (error != 0) {
        return;
    }
    auto accepted = std::make_unique<CNetSocket>(GetSocketId() + kAcceptedIdOffset, owner_);
    int code = 0;
    if (!AcceptInto(*accepted, &code)) {
        // Another notification may have taken it already.
        return;
    }
    const int on = 1;
    accepted->SetOption(SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    // Closing resets the connection at once instead of lingering.
    const linger noLinger{1, 0};
    accepted->SetOption(SOL_SOCKET, SO_LINGER, &noLinger, sizeof noLinger);
    if (owner_ != nullptr) {
        owner_->SocketAccepted(this, std::move(accepted));
    }
}

void CNetSocket::OnReceive(int error) {
    CSSocket::OnReceive(error);
    char buffer[kReceiveBlock];
    int code = 0;
    const long long count = ReceiveSome(buffer, sizeof buffer, &code);
    if (count < 0) {
        if (owner_ != nullptr) {
            owner_->ReceiveFailed(this, SocketErrorText(SocketOp::Receive, code));
        }
        return;
    }
    const std::string_view bytes(buffer, static_cast<std::size_t>(count));
    if (framer_ != nullptr) {
        framer_->Feed(bytes, *this);
    } else if (httpReader_ != nullptr) {
        httpReader_->Feed(bytes, *this);
    }
}

void CNetSocket::OnFrame(std::string_view text) {
    if (owner_ != nullptr) {
        owner_->CommandTextReceived(this, text);
    }
}

void CNetSocket::OnFrameOverflow(std::string_view assembled) {
    WriteLog(FrameOverflowLogText(assembled, framer_->Capacity()), LogKind::Error);
}

void CNetSocket::OnHttpRequest(const std::string& path) {
    if (owner_ != nullptr) {
        owner_->HttpRequestReceived(this, path);
    }
}

}  // namespace ze::link
