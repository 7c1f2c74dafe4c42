#include "link_harness.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cerrno>
#include <fstream>

#include "common/cp932.h"

namespace ze::link::testing_support {

namespace {

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

}  // namespace

bool Pump(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents();
        usleep(200);
    }
    return true;
}

void PumpFor(int milliseconds) {
    Pump([] { return false; }, milliseconds);
}

Device::~Device() {
    Close();
}

bool Device::Connect(int port) {
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const timeval timeout{3, 0};
    ::setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    const sockaddr_in address = Loopback(port);
    return ::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

std::string Device::Endpoint() const {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
    return "127.0.0.1:" + std::to_string(ntohs(address.sin_port));
}

void Device::Write(std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = ::send(fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (count <= 0) {
            return;
        }
        done += static_cast<std::size_t>(count);
    }
}

bool Device::ReadAvailable() {
    char buffer[256 * 1024];
    while (true) {
        const ssize_t count = ::recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT);
        if (count > 0) {
            received.append(buffer, static_cast<std::size_t>(count));
            continue;
        }
        if (count < 0 && (errno == EAGAIN || errno == EINTR)) {
            return true;
        }
        closed = true;
        return false;
    }
}

bool Device::ReadUntilSize(std::size_t count, int timeoutMs) {
    return Pump([&] { return !ReadAvailable() || received.size() >= count; }, timeoutMs) &&
           received.size() >= count;
}

bool Device::ReadUntilClosed(int timeoutMs) {
    return Pump([&] { return !ReadAvailable(); }, timeoutMs);
}

void Device::Reset() {
    const linger noLinger{1, 0};
    ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &noLinger, sizeof noLinger);
    Close();
}

void Device::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

DeviceListener::DeviceListener() {
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    sockaddr_in address = Loopback(0);
    ::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    ::listen(fd_, 5);
    socklen_t length = sizeof address;
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
}

DeviceListener::~DeviceListener() {
    ::close(fd_);
}

int DeviceListener::Accept(int timeoutMs) {
    int accepted = -1;
    Pump(
        [&] {
            accepted = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
            return accepted >= 0;
        },
        timeoutMs);
    if (accepted >= 0) {
        // The device reads without blocking through MSG_DONTWAIT.
        const int flags = ::fcntl(accepted, F_GETFL);
        ::fcntl(accepted, F_SETFL, flags & ~O_NONBLOCK);
    }
    return accepted;
}

int FreePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = Loopback(0);
    ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

void LinkTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::filesystem::temp_directory_path() /
              ("ze-link-" + std::to_string(getpid()) + "-" + info->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_ / "resources");
    link_ = std::make_unique<CDeviceLink>();
    // No keep-alive, stall or idle close unless the test asks for one: on a
    // loaded machine a test can outlast their defaults, and a keep-alive
    // frame or a close would come between what it looks at.
    link_->SetKeepAlivePeriod(kOutOfReachMs);
    link_->SetSendStallTimeout(kOutOfReachMs);
    link_->SetHttpIdleTimeout(kOutOfReachMs);
    link_->SetProjectFolder(folder_.string());
    link_->SetHttpPort(0);
    QObject::connect(link_.get(), &CDeviceLink::LogWritten,
                     [this](const QByteArray& text, LogKind kind) {
                         log_.push_back({Cp932ToUtf8(text.toStdString()), kind});
                     });
    QObject::connect(link_.get(), &CDeviceLink::IndicatorChanged,
                     [this](LinkIndicator state) { indicators_.push_back(state); });
    QObject::connect(link_.get(), &CDeviceLink::MessageBoxRequested,
                     [this](const QString& text) { messageBoxes_.push_back(text.toStdString()); });
    QObject::connect(link_.get(), &CDeviceLink::ConnectionEstablished, [this] { ++established_; });
}

void LinkTest::TearDown() {
    link_.reset();
    std::filesystem::remove_all(folder_);
}

void LinkTest::Listen(int httpPort) {
    link_->SetHttpPort(httpPort);
    ASSERT_TRUE(link_->StartListening(0, 0x7F000001));
    port_ = link_->GetListeningPort();
    ASSERT_NE(port_, 0);
}

void LinkTest::ConnectDevice(Device& device) {
    CNetSocket* before = link_->GetConnection();
    ASSERT_TRUE(device.Connect(port_));
    ASSERT_TRUE(Pump(
        [&] { return link_->GetConnection() != nullptr && link_->GetConnection() != before; }));
}

void LinkTest::WriteResource(const std::string& name, const std::string& bytes) {
    std::ofstream(folder_ / "resources" / name, std::ios::binary) << bytes;
}

bool LinkTest::WaitForLog(const std::string& text, int timeoutMs) {
    return Pump([&] { return CountLines(text) > 0; }, timeoutMs);
}

std::vector<LoggedLine> LinkTest::LinesWith(const std::string& part) const {
    std::vector<LoggedLine> lines;
    for (const LoggedLine& line : log_) {
        if (line.text.find(part) != std::string::npos) {
            lines.push_back(line);
        }
    }
    return lines;
}

std::size_t LinkTest::CountLines(const std::string& text) const {
    std::size_t count = 0;
    for (const LoggedLine& line : log_) {
        count += line.text == text ? 1 : 0;
    }
    return count;
}

}  // namespace ze::link::testing_support
