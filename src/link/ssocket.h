#pragma once

#include <QObject>
#include <QTimer>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "link/core/file_body.h"
#include "link/core/log_line.h"

class QSocketNotifier;

namespace ze::link {

// Socket ids. An accepted connection gets its listener's id plus 10000.
inline constexpr int kCommandListener = 1;
inline constexpr int kHttpListener = 80;
inline constexpr int kCommandConnection = 10001;
inline constexpr int kHttpConnection = 10080;
inline constexpr int kAcceptedIdOffset = 10000;

// What a socket tells its owner. The numbers are fixed because traces show
// them.
enum class SocketEvent : int { Closed = 10000, Connected = 10001 };

// The id says which socket the event is about, for owners that hold several.
struct SocketNotice {
    int socketId = 0;
    SocketEvent event = SocketEvent::Closed;
    friend bool operator==(const SocketNotice&, const SocketNotice&) = default;
};

// An event-driven IPv4 socket on the Qt event loop that reports every step
// and every failure as a log line. Readiness of the descriptor arrives
// through socket notifiers and becomes the notifications OnAccept,
// OnConnect, OnReceive, OnSend and OnClose, each run to completion on the
// one thread.
//
// Sending never blocks: what the kernel does not take is queued (bytes or
// a range of an open file) and written as the socket becomes writable. When
// the peer takes nothing for the stall timeout the send fails, is logged,
// and the socket is shut down.
class CSSocket : public QObject {
    Q_OBJECT

public:
    explicit CSSocket(int id, QObject* parent = nullptr);
    ~CSSocket() override;
    CSSocket(const CSSocket&) = delete;
    CSSocket& operator=(const CSSocket&) = delete;

    int GetSocketId() const { return id_; }
    bool IsConnected() const { return connected_; }
    bool IsCreated() const { return created_; }
    // "address:port" of the peer once connected.
    const std::string& GetPeerEndpoint() const { return peerEndpoint_; }

    virtual void WriteLog(std::string_view text, LogKind kind);
    virtual void NotifyOwner(SocketNotice notice, CSSocket* socket);
    virtual void ShutDownSocket(std::string_view reason);
    // localAddress: dotted IPv4 text, or null for every interface. 1 or 0.
    virtual int StartListening(int port, const char* localAddress, bool datagram);
    // 1 when the attempt has started; the outcome comes in OnConnect.
    virtual int ConnectTo(int remotePort, const std::string& remoteAddress, int localPort,
                          const char* localAddress, bool datagram);
    virtual long long ConnectAndSend(const char* data, std::size_t length, int remotePort,
                                     const std::string& remoteAddress, int localPort,
                                     const char* localAddress, bool broadcast);

    // Takes the whole block: what the socket cannot take now is queued.
    // Returns length, or -1 on an error (logged).
    virtual long long Send(const char* data, std::size_t length);
    long long Send(std::string_view bytes) { return Send(bytes.data(), bytes.size()); }
    // Send for bytes that a SendFile follows at once (an HTTP head): the
    // kernel holds them back so that they leave in one segment with the
    // start of the file instead of a small segment of their own.
    long long SendBeforeFile(std::string_view bytes);
    // Queues the file's bytes after everything sent before. False when the
    // socket cannot send.
    bool SendFile(FileBody body);
    // Bytes accepted by Send and SendFile that the kernel has not taken yet.
    std::uint64_t PendingBytes() const { return pendingBytes_; }
    // The Windows Sockets code of the last failed send (0: none yet).
    int LastSendError() const { return lastSendError_; }
    void SetSendStallTimeout(int milliseconds) { stallTimer_.setInterval(milliseconds); }
    // Closes the connection once everything queued is handed to the
    // kernel, which still delivers what it holds and then the end of the
    // stream (so a peer that reads to the end knows the answer is whole):
    // in order, never with a reset. Nothing more is read, later sends fail,
    // and the owner is told Closed.
    void CloseWhenSent();
    // CloseWhenSent has run to its end: every byte went to the kernel.
    bool ClosedAfterSending() const { return closedAfterSending_; }
    // Closing resets the connection at once instead of lingering (except
    // after CloseWhenSent, whose bytes must arrive).
    void SetResetOnClose();
    // The backlog of StartListening (5 unless set before it).
    void SetListenBacklog(int backlog) { listenBacklog_ = backlog; }

    // Reads what has already arrived on a connection, as if the loop had
    // reported it readable (nothing when nothing has).
    void ReceiveNow();
    // Closes the handle without any notification.
    void Close();
    bool HasHandle() const { return fd_ >= 0; }

    // "address:port" of this end.
    std::string GetLocalEndpoint() const;
    std::string GetLocalAddress() const;
    int GetLocalPort() const;
    std::string GetPeerAddress() const;
    int GetPeerPort() const;
    // The peer's IPv4 address in host byte order (0 when unknown).
    std::uint32_t GetPeerAddressValue() const;

protected:
    virtual void OnReceive(int error);
    virtual void OnSend(int error);
    virtual void OnAccept(int error);
    virtual void OnConnect(int error);
    virtual void OnClose(int error);
    // The send queue has just become empty: all of it went to the kernel, or
    // a failed send dropped it (logged). A close that drops it tells the
    // owner Closed instead.
    virtual void OnSendQueueEmptied() {}

    // One receive call; the count, 0 at the end of the stream, or -1 with
    // the Windows Sockets code in *error. On a connection, the end of the
    // stream and a reset are reported as OnClose once OnReceive returns.
    long long ReceiveSome(char* buffer, std::size_t size, int* error);
    // Accepts the pending connection into socket, which must have no
    // handle. False with the code in *error.
    bool AcceptInto(CSSocket& socket, int* error);
    bool SetOption(int level, int name, const void* value, unsigned length);

private:
    enum class Mode { None, Listening, Connecting, Connected, Datagram };
    struct Pending {
        std::string bytes;
        std::size_t offset = 0;
        FileBody file;
        std::uint64_t fileOffset = 0;
    };

    long long SendBytes(const char* data, std::size_t length, int flags);
    bool CreateHandle(int type, int port, const char* address);
    void Attach(int fd, Mode mode);
    void SetWatching(bool read, bool write);
    void WatchWritable(bool on);
    void Readable();
    void Writable();
    // Writes queued bytes until the kernel stops taking them or the budget of
    // one event-loop turn is spent. False on a send error (logged).
    bool Flush();
    // The code a send fails with before trying (0: it may be tried).
    int SendRefusal() const;
    void LogSendError(int wsaCode);
    void SendStalled();
    void EndAfterSending();
    void ClosedByPeer(int error);

    int id_;
    int fd_ = -1;
    Mode mode_ = Mode::None;
    bool connected_ = false;
    bool created_ = false;
    bool shutDown_ = false;
    bool closeWhenSent_ = false;
    bool closedAfterSending_ = false;
    bool resetOnClose_ = false;
    // What a read of the receive handler found out.
    bool readInHandler_ = false;
    std::optional<int> streamEnd_;
    int listenBacklog_ = 5;
    std::string peerEndpoint_;
    // Of a listener bound to one address and of what it accepts; empty
    // when the system has to be asked.
    std::string localEndpoint_;
    std::unique_ptr<QSocketNotifier> readNotifier_;
    std::unique_ptr<QSocketNotifier> writeNotifier_;
    std::deque<Pending> queue_;
    std::uint64_t pendingBytes_ = 0;
    int lastSendError_ = 0;
    QTimer stallTimer_;
};

}  // namespace ze::link
