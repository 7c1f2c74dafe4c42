#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "model/editing/project_observer.h"

namespace ze {
class CZeDialogData;
class CZeResourceData;
}  // namespace ze

namespace ze::link {
class CDeviceLink;
}  // namespace ze::link

namespace ze::panels {

// "自動送信": while it is on, the dialog being edited goes to every device
// whose "送る" is on (as "送信" sends it) as soon as it changes, in the next
// turn of the event loop, so that the changes of one edit make one message;
// a dialog that becomes the one edited goes at once too.
// Sends never pile up, and each device is served at its own pace: while a
// device still has a send on its way, further changes only ask for one
// more to it once that one is done, with the text as it is then. A slow
// device thus never holds back a fast one, and a burst of edits leaves at
// most one message in flight and one asked for per device.
class LiveSync : public QObject, private ProjectObserver {
    Q_OBJECT

public:
    // edited answers the dialog being edited (null: none).
    LiveSync(CZeResourceData& project, link::CDeviceLink& link,
             std::function<CZeDialogData*()> edited, QObject* parent = nullptr);
    ~LiveSync() override;

    void SetEnabled(bool on);
    bool IsEnabled() const { return enabled_; }

    // The dialog being edited is another one now (or a new object after a
    // reload): it is sent at once. A pick in another dialog calls it too.
    void EditedDialogChanged();

    // The messages sent so far, one per device (tests, the benchmark).
    int SendCount() const { return sends_; }
    // Devices that get one more message once their current send is done.
    std::size_t WaitingDevices() const { return waiting_.size(); }
    bool IsWaiting(std::uint64_t device) const { return waiting_.count(device) > 0; }

signals:
    // A send was made; the link has logged it as it logs every send.
    void Sent();

private:
    void ElementsChanged(const ElementChange& change) override;
    void DialogRemoving(CZeDialogData& dialog) override;
    void ProjectEmptied() override;
    void SelectionChanged(const Selection& selection) override;
    // Sends to every device now, or after its send under way.
    void Push();
    void PushSoon();
    void SendTo(std::uint64_t device);
    void DeviceSendFinished(quint64 device);
    // The message of the dialog being edited, written once per change
    // however many devices get it.
    const std::string* Text();

    CZeResourceData& project_;
    link::CDeviceLink& link_;
    std::function<CZeDialogData*()> edited_;
    bool enabled_ = false;
    // The dialog edited when the sync was last told, to see a pick move to
    // another dialog.
    CZeDialogData* followed_ = nullptr;
    QTimer soon_;
    std::set<std::uint64_t> waiting_;
    std::optional<std::string> text_;
    int sends_ = 0;
};

}  // namespace ze::panels
