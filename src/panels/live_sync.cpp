#include "panels/live_sync.h"

#include <algorithm>
#include <vector>

#include "link/device_link.h"
#include "model/dialog_data.h"
#include "model/property_names.h"
#include "model/resource_data.h"

namespace ze::panels {

LiveSync::LiveSync(CZeResourceData& project, link::CDeviceLink& link,
                   std::function<CZeDialogData*()> edited, QObject* parent)
    : QObject(parent), project_(project), link_(link), edited_(std::move(edited)) {
    soon_.setSingleShot(true);
    soon_.setInterval(0);
    connect(&soon_, &QTimer::timeout, this, &LiveSync::Push);
    connect(&link_, &link::CDeviceLink::DeviceSendFinished, this, &LiveSync::DeviceSendFinished);
    project_.Observers().Add(this);
}

LiveSync::~LiveSync() {
    project_.Observers().Remove(this);
}

void LiveSync::SetEnabled(bool on) {
    enabled_ = on;
    if (!on) {
        soon_.stop();
        waiting_.clear();
    }
}

void LiveSync::EditedDialogChanged() {
    followed_ = edited_();
    text_.reset();
    if (enabled_ && edited_() != nullptr) {
        soon_.stop();
        Push();
    }
}

void LiveSync::ElementsChanged(const ElementChange& change) {
    // Any change may be in the message (the project's name is), so the
    // text is written again; only the edited dialog's own changes send.
    text_.reset();
    CZeDialogData* edited = edited_();
    if (enabled_ && edited != nullptr && change.dialog == edited) {
        PushSoon();
    }
}

void LiveSync::SelectionChanged(const Selection& /*selection*/) {
    if (edited_() != followed_) {
        EditedDialogChanged();
    }
}

void LiveSync::DialogRemoving(CZeDialogData& dialog) {
    if (&dialog == followed_) {
        followed_ = nullptr;
    }
    text_.reset();
    if (&dialog == edited_()) {
        soon_.stop();
        waiting_.clear();
    }
}

void LiveSync::ProjectEmptied() {
    followed_ = nullptr;
    text_.reset();
    soon_.stop();
    waiting_.clear();
}

const std::string* LiveSync::Text() {
    CZeDialogData* dialog = edited_();
    if (dialog == nullptr) {
        return nullptr;
    }
    if (!text_) {
        text_ = link::CDeviceLink::DialogText(project_, dialog->GetItem(prop::kName));
    }
    return &*text_;
}

void LiveSync::PushSoon() {
    if (!soon_.isActive()) {
        soon_.start();
    }
}

void LiveSync::Push() {
    if (!enabled_ || edited_() == nullptr) {
        return;
    }
    for (const std::uint64_t device : link_.SendTargets()) {
        if (link_.IsSendingTo(device)) {
            waiting_.insert(device);
        } else {
            SendTo(device);
        }
    }
}

void LiveSync::SendTo(std::uint64_t device) {
    if (!enabled_) {
        return;
    }
    // "送る" may have been turned off while the device was busy.
    const std::vector<std::uint64_t> targets = link_.SendTargets();
    if (std::find(targets.begin(), targets.end(), device) == targets.end()) {
        return;
    }
    const std::string* text = Text();
    if (text == nullptr) {
        return;
    }
    if (link_.SendDialogTextTo(device, *text)) {
        ++sends_;
        emit Sent();
    }
}

void LiveSync::DeviceSendFinished(quint64 device) {
    if (waiting_.erase(device) > 0) {
        SendTo(device);
    }
}

}  // namespace ze::panels
