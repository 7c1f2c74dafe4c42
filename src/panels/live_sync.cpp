#include "panels/live_sync.h"

#include "link/device_link.h"
#include "model/dialog_data.h"
#include "model/resource_data.h"

namespace ze::panels {

LiveSync::LiveSync(CZeResourceData& project, link::CDeviceLink& link,
                   std::function<CZeDialogData*()> edited, QObject* parent)
    : QObject(parent), project_(project), link_(link), edited_(std::move(edited)) {
    quiet_.setSingleShot(true);
    // Never early: the period is what the user waits at least.
    quiet_.setTimerType(Qt::PreciseTimer);
    quiet_.setInterval(kQuietMilliseconds);
    connect(&quiet_, &QTimer::timeout, this, &LiveSync::Send);
    connect(&link_, &link::CDeviceLink::SendFinished, this, &LiveSync::SendFinished);
    project_.Observers().Add(this);
}

LiveSync::~LiveSync() {
    project_.Observers().Remove(this);
}

void LiveSync::SetEnabled(bool on) {
    enabled_ = on;
    if (!on) {
        quiet_.stop();
        sendAfterThis_ = false;
    }
}

void LiveSync::EditedDialogChanged() {
    if (enabled_ && edited_() != nullptr) {
        quiet_.stop();
        Send();
    }
}

void LiveSync::ElementsChanged(const ElementChange& change) {
    CZeDialogData* edited = edited_();
    if (enabled_ && edited != nullptr && change.dialog == edited) {
        quiet_.start();  // again from the start: the last change counts
    }
}

void LiveSync::DialogRemoving(CZeDialogData& dialog) {
    if (&dialog == edited_()) {
        quiet_.stop();
        sendAfterThis_ = false;
    }
}

void LiveSync::Send() {
    CZeDialogData* dialog = edited_();
    if (!enabled_ || dialog == nullptr || !link_.HasConnection()) {
        return;
    }
    if (link_.IsSending()) {
        sendAfterThis_ = true;
        return;
    }
    if (link_.SendDialog(project_, dialog->GetItem("Name"))) {
        ++sends_;
        emit Sent();
    }
}

void LiveSync::SendFinished() {
    if (sendAfterThis_) {
        sendAfterThis_ = false;
        Send();
    }
}

}  // namespace ze::panels
