// Edit to device with "自動送信" on: a device socket on 127.0.0.1 connected
// to a CDeviceLink, a dialog of 2,000 objects, and one property edit at a
// time through the edit API. Each round is timed from the edit call to the
// last byte of the new frame at the device; the quiet period the sync waits
// on purpose is taken off, leaving what the editor adds (writing the dialog,
// the send, the socket). Printed: the median and the worst against the 20 ms
// target.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpSocket>
#include <algorithm>
#include <cstdio>
#include <string>
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
constexpr int kRounds = 15;
constexpr double kTargetMs = 20.0;

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

qint64 FrameSize(const CZeResourceData& project) {
    CJsonString text;
    project.WriteProject(text, "Main");
    return static_cast<qint64>(text.GetText().size()) + 2;
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
    if (!link.StartListening(0, 0x7F000001)) {
        std::fprintf(stderr, "cannot listen\n");
        return 1;
    }
    QTcpSocket device;
    device.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(link.GetListeningPort()));
    QElapsedTimer wait;
    wait.start();
    while (!link.HasConnection() && wait.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    panels::LiveSync sync(project, link, [dialog] { return dialog; });
    sync.SetEnabled(true);

    std::vector<double> latencies;
    std::vector<double> edits;
    for (int round = 0; round < kRounds; ++round) {
        device.readAll();
        QElapsedTimer clock;
        clock.start();
        CommitProperty(project, dialog, text, row, "edit " + std::to_string(round));
        edits.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        const qint64 expected = FrameSize(project);
        qint64 received = 0;
        while (received < expected && clock.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            received += device.readAll().size();
        }
        if (received < expected) {
            std::fprintf(stderr, "round %d: the frame did not arrive\n", round);
            return 1;
        }
        latencies.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6 -
                            panels::LiveSync::kQuietMilliseconds);
    }
    std::sort(latencies.begin(), latencies.end());
    std::sort(edits.begin(), edits.end());
    const double median = latencies[latencies.size() / 2];
    std::printf(
        "edit to device, %d objects (%lld-byte frame), %d rounds, quiet period %d ms "
        "taken off\n",
        kObjects, static_cast<long long>(FrameSize(project)), kRounds,
        panels::LiveSync::kQuietMilliseconds);
    std::printf("  median %.2f ms, worst %.2f ms; median / target (%.0f ms) = %.2f\n", median,
                latencies.back(), kTargetMs, median / kTargetMs);
    std::printf("  of which the edit call itself: median %.2f ms\n", edits[edits.size() / 2]);
    return 0;
}
