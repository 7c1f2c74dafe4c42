#include "link/net_socket.h"

#include "link/core/device_protocol.h"
#include "link/core/socket_errors.h"

namespace ze::link {

namespace {

// One receive call takes at most this much; the framers keep their own
// state between calls, so the size only sets how often we are called.
constexpr std::size_t kReceiveBlock = 64 * 1024;

}  // namespace

CNetSocket::CNetSocket(int id, SocketOwner* owner) : CSSocket(id), owner_(owner) {
    noticeTimer_.setSingleShot(true);
    connect(&noticeTimer_, &QTimer::timeout, this, &CNetSocket::DeliverNotice);
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
        owner_->WriteSocketLog(this, text, kind);
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
    // Delivered from a timer of this object: if the owner destroys the
    // socket first, the notification goes with it. Unlike a posted event, a
    // timer started on the loop's own thread costs no system call to wake
    // the loop, and one such notice comes with every HTTP request.
    notices_.push_back(notice);
    noticeTimer_.start(0);
}

void CNetSocket::DeliverNotice() {
    const SocketNotice notice = notices_.front();
    notices_.pop_front();
    if (!notices_.empty()) {
        noticeTimer_.start(0);
    }
    // Last: the owner may destroy this socket.
    owner_->SocketNotified(notice, this);
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
    // A command connection the editor closes resets at once instead of
    // lingering; an HTTP connection ends in order once its answer is sent.
    if (accepted->GetSocketId() == kCommandConnection) {
        accepted->SetResetOnClose();
    }
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
    bytesReceived_ += bytes.size();
    if (framer_ != nullptr) {
        framer_->Feed(bytes, *this);
    } else if (httpReader_ != nullptr) {
        httpReader_->Feed(bytes, *this);
    }
}

void CNetSocket::OnSendQueueEmptied() {
    if (owner_ != nullptr) {
        owner_->SendQueueEmptied(this);
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
