#pragma once

#include <QTimer>
#include <deque>
#include <memory>
#include <string>
#include <string_view>

#include "link/core/command_framer.h"
#include "link/core/http_responder.h"
#include "link/ssocket.h"

namespace ze::link {

class CNetSocket;

// What a CNetSocket reports to whoever holds it (the device link).
class SocketOwner {
public:
    virtual ~SocketOwner() = default;
    // socket: the one writing (a line may need to say which device it is about).
    virtual void WriteSocketLog(CNetSocket* socket, std::string_view text, LogKind kind) = 0;
    // Connected is delivered before NotifyOwner returns; Closed is queued, so
    // a socket is never destroyed inside its own handler.
    virtual void SocketNotified(SocketNotice notice, CNetSocket* socket) = 0;
    // A listener accepted a connection; the owner takes it.
    virtual void SocketAccepted(CNetSocket* listener, std::unique_ptr<CNetSocket> accepted) = 0;
    virtual void CommandTextReceived(CNetSocket* socket, std::string_view text) = 0;
    virtual void HttpRequestReceived(CNetSocket* socket, const std::string& path) = 0;
    // A receive call failed: the text for a message box (Shift_JIS).
    virtual void ReceiveFailed(CNetSocket* socket, const std::string& text) = 0;
    // What was queued for sending has gone to the kernel or was dropped.
    virtual void SendQueueEmptied(CNetSocket* /*socket*/) {}
};

// The editor's socket: log lines and notifications go to its owner, and a
// command connection assembles frames while an HTTP connection reads
// request lines.
class CNetSocket : public CSSocket,
                   private CommandFramer::Events,
                   private HttpRequestReader::Events {
    Q_OBJECT

public:
    CNetSocket(int id, SocketOwner* owner);
    ~CNetSocket() override;

    void WriteLog(std::string_view text, LogKind kind) override;
    void NotifyOwner(SocketNotice notice, CSSocket* socket) override;

    // 40000 for a command connection, 1000 for an HTTP connection, else 0.
    std::size_t FrameCapacity() const;
    const CommandFramer* GetFramer() const { return framer_.get(); }
    const HttpRequestReader* GetHttpReader() const { return httpReader_.get(); }
    // Every byte read from the connection so far.
    std::uint64_t BytesReceived() const { return bytesReceived_; }

protected:
    void OnReceive(int error) override;
    void OnAccept(int error) override;
    void OnSendQueueEmptied() override;

private:
    void OnFrame(std::string_view text) override;
    void OnFrameOverflow(std::string_view assembled) override;
    void OnHttpRequest(const std::string& path) override;
    void DeliverNotice();

    SocketOwner* owner_;
    std::deque<SocketNotice> notices_;
    QTimer noticeTimer_;
    std::unique_ptr<CommandFramer> framer_;
    std::unique_ptr<HttpRequestReader> httpReader_;
    std::uint64_t bytesReceived_ = 0;
};

}  // namespace ze::link
