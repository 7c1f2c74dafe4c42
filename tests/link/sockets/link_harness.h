#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "link/device_link.h"

// A device played by the test: plain blocking POSIX sockets on 127.0.0.1,
// read without blocking while the link's event loop is pumped.
namespace ze::link::testing_support {

// How long a wait for what is bound to happen may last before the test
// fails. A wait ends as soon as its condition holds, so this only needs to
// be far beyond what a loaded machine takes under the sanitizers.
inline constexpr int kPatienceMs = 60000;
// A period or timeout no test lasts.
inline constexpr int kOutOfReachMs = 3600000;

// Runs the event loop until done() or the timeout; false on timeout.
bool Pump(const std::function<bool()>& done, int timeoutMs = kPatienceMs);
// Runs the event loop for the given time.
void PumpFor(int milliseconds);

class Device {
public:
    Device() = default;
    ~Device();
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    // Connecting and writing give up after a few seconds: a full listen
    // backlog would otherwise hold the test until the system's own timeout.
    bool Connect(int port);
    // Takes a descriptor accepted by a test listener.
    void Adopt(int fd) { fd_ = fd; }
    void Write(std::string_view bytes);
    // Appends whatever has arrived; false once the peer has closed.
    bool ReadAvailable();
    // Pumps until at least count bytes have arrived (or the peer closed).
    bool ReadUntilSize(std::size_t count, int timeoutMs = kPatienceMs);
    bool ReadUntilClosed(int timeoutMs = kPatienceMs);
    // Closes with a reset instead of an orderly end.
    void Reset();
    void Close();
    int Descriptor() const { return fd_; }
    // "127.0.0.1:port" of this end, as the link logs its peers.
    std::string Endpoint() const;

    std::string received;
    bool closed = false;

private:
    int fd_ = -1;
};

// A device that listens, for the editor to connect to.
class DeviceListener {
public:
    DeviceListener();
    ~DeviceListener();
    int Port() const { return port_; }
    // Pumps until a connection comes in; -1 on timeout.
    int Accept(int timeoutMs = kPatienceMs);

private:
    int fd_ = -1;
    int port_ = 0;
};

// A port that was free a moment ago.
int FreePort();

struct LoggedLine {
    std::string text;  // UTF-8
    LogKind kind;
};

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Listens on an ephemeral port of 127.0.0.1 (HTTP too when httpPort).
    void Listen(int httpPort = 0);
    // Connects a device and waits until the link holds the connection.
    void ConnectDevice(Device& device);
    void WriteResource(const std::string& name, const std::string& bytes);
    bool WaitForLog(const std::string& text, int timeoutMs = kPatienceMs);
    // The lines whose text contains part, in order.
    std::vector<LoggedLine> LinesWith(const std::string& part) const;
    std::size_t CountLines(const std::string& text) const;

    std::unique_ptr<CDeviceLink> link_;
    std::vector<LoggedLine> log_;
    std::vector<LinkIndicator> indicators_;
    std::vector<std::string> messageBoxes_;
    int established_ = 0;
    std::filesystem::path folder_;
    int port_ = 0;
};

}  // namespace ze::link::testing_support
