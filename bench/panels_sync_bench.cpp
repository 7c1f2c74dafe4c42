// Edit to devices with "自動送信" on: four device sockets on 127.0.0.1
// connected to one CDeviceLink, each read by a thread of its own as a
// device would read it, a dialog of 2,000 objects, and property edits
// through the edit API.
// 1. One edit at a time: each round is timed from the edit call to the last
//    byte of the new frame at each device; printed are the median and the
//    worst of the slowest device against the 20 ms and 50 ms targets.
// 2. A burst of 100 edits within a second (one every 10 ms): the most
//    messages a device had in flight (sent, not yet whole at the device) or
//    asked for at any moment, against the bound of 2, and the messages each
//    device got.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/device_link.h"
#include "model/dialog_data.h"
#include "model/editing/property_edits.h"
#include "model/mo_stream.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "panels/live_sync.h"

using namespace ze;

namespace {

constexpr int kObjects = 2000;
constexpr int kDevices = 4;
constexpr int kRounds = 25;
constexpr int kBurstEdits = 100;
constexpr int kBurstGapMs = 10;
constexpr double kTargetMedianMs = 20.0;
constexpr double kTargetWorstMs = 50.0;
constexpr int kTargetInFlight = 2;

std::string ProjectText() {
    std::string objects;
    for (int i = 0; i < kObjects; ++i) {
        objects += (i == 0 ? "" : ",") + std::string("{'Type':'TEXT','Name':'t") +
                   std::to_string(i) + "','Text':'text " + std::to_string(i) +
                   "','TSize':'12px','TColor':'BLUE'}";
    }
    return "{'Name':'Bench','DeviceWidth':1024,'DeviceHeight':800,'Commands':["
           "{'Command':'DIALOG','Name':'Main','Object':{'Name':'root','Type':'GROUP',"
           "'Layout':'LINEAR','Vertical':'true','Objects':[" +
           objects + "]}}]}";
}

QByteArray Frame(const CZeResourceData& project) {
    CJsonString text;
    project.WriteProject(text, "Main");
    return QByteArray("\x02") + QByteArray::fromStdString(text.GetText()) + QByteArray("\x03");
}

using Clock = std::chrono::steady_clock;

// A device: a blocking socket read by its own thread, which notes when each
// frame is whole and keeps the last one.
struct Device {
    int fd = -1;
    std::uint64_t id = 0;
    std::string endpoint;
    std::thread reader;
    std::atomic<long long> frames{0};
    std::mutex lock;
    Clock::time_point lastFrameEnd;
    std::string lastFrame;
    long long sent = 0;  // messages the link sent to it (main thread)
    int mostInFlight = 0;

    bool Connect(int port) {
        fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
            return false;
        }
        reader = std::thread([this] { Read(); });
        return true;
    }
    void Read() {
        std::vector<char> buffer(1 << 20);
        std::string frame;
        while (true) {
            const ssize_t count = ::recv(fd, buffer.data(), buffer.size(), 0);
            if (count <= 0) {
                return;
            }
            for (ssize_t i = 0; i < count; ++i) {
                frame += buffer[static_cast<std::size_t>(i)];
                if (buffer[static_cast<std::size_t>(i)] == '\x03') {
                    {
                        const std::lock_guard<std::mutex> hold(lock);
                        lastFrameEnd = Clock::now();
                        lastFrame.swap(frame);
                    }
                    frames.fetch_add(1);
                    frame.clear();
                }
            }
        }
    }
    void Stop() {
        ::shutdown(fd, SHUT_RDWR);
        if (reader.joinable()) {
            reader.join();
        }
        ::close(fd);
    }
    bool Has(const QByteArray& expected) {
        const std::lock_guard<std::mutex> hold(lock);
        return lastFrame == expected.toStdString();
    }
    Clock::time_point FrameEnd() {
        const std::lock_guard<std::mutex> hold(lock);
        return lastFrameEnd;
    }
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    CZeResourceData project;
    if (!project.LoadText(ProjectText())) {
        std::fprintf(stderr, "the benchmark project does not load\n");
        return 1;
    }
    CZeDialogData* dialog = project.GetDialogs().FindDialog("Main");
    ZeClass* text = dialog->GetRootGroup()->GetChildren()[kObjects / 2];
    std::size_t row = 0;
    while (text->Items().GetItemData(row).GetName() != "Text") {
        ++row;
    }

    link::CDeviceLink link;
    link.SetHttpPort(0);
    if (!link.StartListening(0, 0x7F000001)) {
        std::fprintf(stderr, "cannot listen\n");
        return 1;
    }
    std::array<std::unique_ptr<Device>, kDevices> devices;
    for (auto& device : devices) {
        device = std::make_unique<Device>();
        const std::size_t before = link.DeviceCount();
        if (!device->Connect(link.GetListeningPort())) {
            std::fprintf(stderr, "a device cannot connect\n");
            return 1;
        }
        QElapsedTimer wait;
        wait.start();
        while (link.DeviceCount() == before && wait.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        if (link.DeviceCount() == before) {
            std::fprintf(stderr, "a device did not connect\n");
            return 1;
        }
        const link::DeviceInfo info = link.Devices().back();
        device->id = info.id;
        device->endpoint = "[" + info.endpoint + "] ";
    }
    // Every line names its device while several are held: count the sends.
    QObject::connect(&link, &link::CDeviceLink::LogWritten,
                     [&devices](const QByteArray& line, link::LogKind kind) {
                         if (kind != link::LogKind::Sent) {
                             return;
                         }
                         for (auto& device : devices) {
                             if (line.startsWith(QByteArray::fromStdString(device->endpoint))) {
                                 ++device->sent;
                             }
                         }
                     });
    panels::LiveSync sync(project, link, [dialog] { return dialog; });
    sync.SetEnabled(true);
    const auto pump = [&] {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        for (auto& device : devices) {
            const int inFlight = static_cast<int>(device->sent - device->frames.load()) +
                                 (sync.IsWaiting(device->id) ? 1 : 0);
            device->mostInFlight = std::max(device->mostInFlight, inFlight);
        }
    };
    const auto allHave = [&](const QByteArray& frame) {
        return std::all_of(devices.begin(), devices.end(),
                           [&](const auto& device) { return device->Has(frame); });
    };

    // 1. One edit at a time.
    std::vector<double> slowest;
    std::vector<double> fastest;
    std::vector<double> edits;
    for (int round = 0; round < kRounds; ++round) {
        std::array<long long, kDevices> before{};
        for (std::size_t i = 0; i < devices.size(); ++i) {
            before[i] = devices[i]->frames.load();
        }
        const Clock::time_point start = Clock::now();
        QElapsedTimer clock;
        clock.start();
        CommitProperty(project, dialog, text, row, "edit " + std::to_string(round));
        edits.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        const QByteArray expected = Frame(project);
        const auto arrived = [&] {
            for (std::size_t i = 0; i < devices.size(); ++i) {
                if (devices[i]->frames.load() == before[i] || !devices[i]->Has(expected)) {
                    return false;
                }
            }
            return true;
        };
        while (clock.elapsed() < 5000 && !arrived()) {
            pump();
        }
        if (!arrived()) {
            std::fprintf(stderr, "round %d: the frame did not reach every device\n", round);
            return 1;
        }
        std::array<double, kDevices> done{};
        for (std::size_t i = 0; i < devices.size(); ++i) {
            done[i] =
                std::chrono::duration<double, std::milli>(devices[i]->FrameEnd() - start).count();
        }
        slowest.push_back(*std::max_element(done.begin(), done.end()));
        fastest.push_back(*std::min_element(done.begin(), done.end()));
    }
    const double worst = *std::max_element(slowest.begin(), slowest.end());
    std::printf("edit to %d devices, %d objects (%lld-byte frame), %d rounds, no quiet period\n",
                kDevices, kObjects, static_cast<long long>(Frame(project).size()), kRounds);
    std::printf(
        "  slowest device: median %.2f ms, worst %.2f ms; median / target (%.0f ms) = "
        "%.2f, worst / target (%.0f ms) = %.2f\n",
        Median(slowest), worst, kTargetMedianMs, Median(slowest) / kTargetMedianMs, kTargetWorstMs,
        worst / kTargetWorstMs);
    std::printf("  fastest device: median %.2f ms; the edit call: median %.2f ms\n",
                Median(fastest), Median(edits));

    // 2. A burst.
    for (auto& device : devices) {
        device->mostInFlight = 0;
    }
    std::array<long long, kDevices> sentBefore{};
    for (std::size_t i = 0; i < devices.size(); ++i) {
        sentBefore[i] = devices[i]->sent;
    }
    QElapsedTimer burst;
    burst.start();
    for (int i = 0; i < kBurstEdits; ++i) {
        CommitProperty(project, dialog, text, row, "burst " + std::to_string(i));
        while (burst.elapsed() < static_cast<qint64>(i + 1) * kBurstGapMs) {
            pump();
        }
    }
    const QByteArray last = Frame(project);
    while (!allHave(last) && burst.elapsed() < 10000) {
        pump();
    }
    if (!allHave(last)) {
        std::fprintf(stderr, "the burst's last state did not reach every device\n");
        return 1;
    }
    int most = 0;
    std::printf("burst of %d edits in %d ms:\n", kBurstEdits, kBurstEdits * kBurstGapMs);
    for (std::size_t i = 0; i < devices.size(); ++i) {
        most = std::max(most, devices[i]->mostInFlight);
        std::printf("  device %zu: %lld messages, at most %d in flight or asked for\n", i + 1,
                    devices[i]->sent - sentBefore[i], devices[i]->mostInFlight);
    }
    std::printf("  most in flight or asked for / bound (%d) = %.2f\n", kTargetInFlight,
                static_cast<double>(most) / kTargetInFlight);
    for (auto& device : devices) {
        device->Stop();
    }
    return 0;
}
