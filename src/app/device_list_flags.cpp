// The device list's layout findings: each tile frames the elements whose
// text does not fit or that reach outside its page, and the "問題" tab
// checks at the list's sizes.

#include <QScrollArea>
#include <QSpinBox>
#include <QTimer>
#include <unordered_map>
#include <unordered_set>

#include "app/device_list_window.h"
#include "app/dialog_document.h"
#include "layout/preview_layout.h"
#include "model/dialog_data.h"
#include "model/element_casts.h"
#include "model/object_data.h"
#include "model/property_names.h"
#include "model/resource_data.h"

namespace ze::app {

namespace {

// The GRID of each header column of the dialog: a tile frames the grid of a
// header number that does not fit.
std::unordered_map<const ZeClass*, const CObjectData*> HeaderOwners(const CObjectData& element) {
    std::unordered_map<const ZeClass*, const CObjectData*> owners;
    std::vector<const CObjectData*> pending{&element};
    while (!pending.empty()) {
        const CObjectData* at = pending.back();
        pending.pop_back();
        for (const ZeClass* header : at->GetHeaders()) {
            owners.emplace(header, at);
        }
        for (const CObjectData* child : ChildrenOf(*at)) {
            pending.push_back(child);
        }
    }
    return owners;
}

bool IsFramed(const Finding& finding) {
    return finding.check == check_id::kTextOverflow || finding.check == check_id::kOutsidePage;
}

}  // namespace

void CDeviceListWindow::SetTextExpansion(int percent) {
    expand_->setValue(percent);
}

int CDeviceListWindow::TextExpansion() const {
    return expand_->value();
}

LayoutCheckOptions CDeviceListWindow::CheckOptions() const {
    return DeviceListCheckOptions(sizes_, expand_->value());
}

QSize CDeviceListWindow::TileSize(std::size_t index) const {
    if (index == 0) {
        const CZeDialogData* dialog = document_->GetDialog();
        if (dialog == nullptr) {
            return {};
        }
        const ze::LayoutSize device = ProjectDeviceSize(project_);
        return {device.width, device.height};
    }
    return sizes_.at(index - 1).LayoutSize();
}

int CDeviceListWindow::RevealSize(QSize size) {
    int found = -1;
    for (std::size_t i = 1; i < tiles_.size() && found < 0; ++i) {
        if (TileSize(i) == size) {
            found = static_cast<int>(i);
        }
    }
    if (found < 0 && !tiles_.empty() && TileSize(0) == size) {
        found = 0;
    }
    if (found >= 0) {
        scroll_->ensureWidgetVisible(tiles_[static_cast<std::size_t>(found)]->box);
    }
    // A double click in the main window may raise that window again once
    // it is done; the list is to end up in front, the focus where it was.
    QTimer::singleShot(0, this, [this] { raise(); });
    return found;
}

void CDeviceListWindow::FlagLater() {
    // The frames point at elements an edit may just have taken away.
    for (const auto& tile : tiles_) {
        tile->view->SetFlaggedElements({});
    }
    flagDelay_.start();
}

void CDeviceListWindow::HistoryMoved(CZeDialogData& dialog) {
    if (&dialog == document_->GetDialog()) {
        FlagLater();
    }
}

void CDeviceListWindow::FlagNow() {
    flagDelay_.stop();
    CZeDialogData* dialog = document_->GetDialog();
    if (dialog == nullptr || dialog->GetRootGroup() == nullptr) {
        for (const auto& tile : tiles_) {
            tile->view->SetFlaggedElements({});
        }
        return;
    }
    LayoutCheckOptions options;
    options.expandPercent = expand_->value();
    for (std::size_t i = 0; i < tiles_.size(); ++i) {
        const QSize size = TileSize(i);
        options.sizes.push_back({size.width(), size.height()});
    }
    std::vector<Finding> findings;
    CheckDialogLayout(project_, *dialog, options, measure_, findings);
    std::unordered_map<const ZeClass*, const CObjectData*> owners;
    bool ownersRead = false;
    for (std::size_t i = 0; i < tiles_.size(); ++i) {
        std::vector<const CObjectData*> framed;
        std::unordered_set<const CObjectData*> seen;
        for (const Finding& finding : findings) {
            if (!IsFramed(finding) || finding.pageWidth != options.sizes[i].width ||
                finding.pageHeight != options.sizes[i].height) {
                continue;
            }
            const CObjectData* element = nullptr;
            if (finding.property == prop::kTSize && finding.check == check_id::kTextOverflow) {
                if (!ownersRead) {
                    owners = HeaderOwners(*dialog->GetRootGroup());
                    ownersRead = true;
                }
                const auto owner = owners.find(finding.element);
                element = owner == owners.end() ? nullptr : owner->second;
            } else {
                element = AsObject(finding.element);
            }
            if (element != nullptr && seen.insert(element).second) {
                framed.push_back(element);
            }
        }
        tiles_[i]->view->SetFlaggedElements(std::move(framed));
    }
}

}  // namespace ze::app
