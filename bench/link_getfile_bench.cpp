// GETFILE of a 100 MB file over 127.0.0.1 through the device link, side by
// side with a plain socket copy of the same bytes in the same run. Prints
// both throughputs, their ratio, and the longest stall of the link's event
// loop while it sends.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "link/device_link.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kFileSize = 100u << 20;
constexpr int kRounds = 3;

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

int ConnectTo(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = Loopback(port);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        std::perror("connect");
        std::exit(1);
    }
    return fd;
}

// Reads until count bytes have arrived; returns how many did.
std::size_t ReadBytes(int fd, std::size_t count, std::vector<char>& buffer) {
    std::size_t total = 0;
    while (total < count) {
        const ssize_t got = ::recv(fd, buffer.data(), buffer.size(), 0);
        if (got <= 0) {
            break;
        }
        total += static_cast<std::size_t>(got);
    }
    return total;
}

// Seconds to copy the bytes from one socket to another with plain blocking
// send and recv, the receiver in its own thread.
double PlainCopySeconds(const std::string& bytes) {
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Loopback(0);
    ::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    ::listen(listener, 1);
    socklen_t length = sizeof address;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    const int port = ntohs(address.sin_port);

    std::size_t received = 0;
    std::thread reader([&] {
        const int fd = ConnectTo(port);
        std::vector<char> buffer(256 * 1024);
        received = ReadBytes(fd, bytes.size(), buffer);
        ::close(fd);
    });
    const int sender = ::accept(listener, nullptr, nullptr);
    const auto start = Clock::now();
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t count = ::send(sender, bytes.data() + sent, bytes.size() - sent, 0);
        if (count <= 0) {
            break;
        }
        sent += static_cast<std::size_t>(count);
    }
    reader.join();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    ::close(sender);
    ::close(listener);
    if (received != bytes.size()) {
        std::fprintf(stderr, "plain copy lost bytes\n");
        std::exit(1);
    }
    return seconds;
}

struct LinkRun {
    double seconds = 0;
    qint64 longestStallMs = 0;
};

// One GETFILE answered by the link on this thread's event loop; the device
// reads in its own thread.
LinkRun LinkGetFileRun(ze::link::CDeviceLink& link, int port) {
    LinkRun run;
    std::atomic<bool> done{false};
    std::size_t received = 0;
    Clock::time_point start;
    Clock::time_point end;
    std::thread device([&] {
        const int fd = ConnectTo(port);
        std::vector<char> buffer(256 * 1024);
        // Wait until the link holds the connection before asking.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const std::string request = "\x02{'Command':'GETFILE','File':'big.bin'}\x03";
        start = Clock::now();
        ::send(fd, request.data(), request.size(), 0);
        std::string head;
        char byte = 0;
        while (byte != '\x03' && ::recv(fd, &byte, 1, 0) == 1) {
            head += byte;
        }
        received = ReadBytes(fd, kFileSize, buffer);
        end = Clock::now();
        ::close(fd);
        done = true;
    });

    // A precise 1 ms timer: the longest gap between its ticks is the longest
    // time the event loop was held up.
    QElapsedTimer sinceTick;
    sinceTick.start();
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        run.longestStallMs = std::max(run.longestStallMs, sinceTick.restart());
        if (done) {
            QCoreApplication::quit();
        }
    });
    ticker.start();
    QCoreApplication::exec();
    device.join();
    if (received != kFileSize) {
        std::fprintf(stderr, "the link lost bytes: %zu of %zu\n", received, kFileSize);
        std::exit(1);
    }
    run.seconds = std::chrono::duration<double>(end - start).count();
    // Let the link see the close before the next round.
    QElapsedTimer settle;
    settle.start();
    while (link.HasConnection() && settle.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("ze-link-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder / "resources");
    std::string bytes(kFileSize, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>((i * 2654435761u) >> 13);
    }
    std::ofstream(folder / "resources" / "big.bin", std::ios::binary) << bytes;

    ze::link::CDeviceLink link;
    link.SetProjectFolder(folder.string());
    link.SetHttpPort(0);
    if (!link.StartListening(0, 0x7F000001)) {
        return 1;
    }
    const int port = link.GetListeningPort();

    double plainBest = 1e9;
    double linkBest = 1e9;
    qint64 stall = 0;
    for (int round = 0; round < kRounds; ++round) {
        plainBest = std::min(plainBest, PlainCopySeconds(bytes));
        const LinkRun run = LinkGetFileRun(link, port);
        linkBest = std::min(linkBest, run.seconds);
        stall = std::max(stall, run.longestStallMs);
    }
    std::filesystem::remove_all(folder);

    const double mb = static_cast<double>(kFileSize) / (1u << 20);
    const double plainRate = mb / plainBest;
    const double linkRate = mb / linkBest;
    std::printf("GETFILE of a 100 MB file over 127.0.0.1 (best of %d)\n", kRounds);
    std::printf("  plain socket copy      %8.0f MB/s\n", plainRate);
    std::printf("  device link GETFILE    %8.0f MB/s\n", linkRate);
    std::printf("  ratio link / plain     %8.2f   (at least 0.30, aim 0.50)\n",
                linkRate / plainRate);
    std::printf("  longest event-loop stall %6lld ms (at most 50)\n",
                static_cast<long long>(stall));
    return 0;
}
