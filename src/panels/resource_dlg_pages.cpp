// The two pages under the tool buttons: the property list of the shown
// element and the device link's controls, and what the panel does with what
// happens on them.

#include <QVBoxLayout>

#include "model/dialog_data.h"
#include "panels/live_sync.h"
#include "panels/network_page.h"
#include "panels/property_commits.h"
#include "panels/property_list_ctrl.h"
#include "panels/property_list_model.h"
#include "panels/resource_dlg.h"
#include "panels/resource_panel_host.h"
#include "panels/selection_commands.h"

namespace ze::panels {

void CResourceDlg::CreatePages() {
    propertyList_ = new CPropertyListCtrl(messages_, *commits_, propertyArea_);
    auto* propertyLayout = new QVBoxLayout(propertyArea_);
    propertyLayout->setContentsMargins(0, 0, 0, 0);
    propertyLayout->addWidget(propertyList_);

    networkPage_ = new CNetworkPage(link_, messages_, networkArea_);
    auto* networkLayout = new QVBoxLayout(networkArea_);
    networkLayout->setContentsMargins(0, 0, 0, 0);
    networkLayout->addWidget(networkPage_);
    networkLayout->addStretch(1);

    connect(this, &CResourceDlg::ShownElementChanged, propertyList_,
            &CPropertyListCtrl::ShowElement);
    connect(propertyList_, &CPropertyListCtrl::StatusTextChanged, this,
            [this](const QString& text) { host_.ShowStatusText(text); });
    connect(propertyList_, &CPropertyListCtrl::ImagePickerRequested, this,
            [this](PaneEntryKind kind, const QByteArray& value) {
                host_.ShowImageList(kind, value.toStdString());
            });
    connect(propertyList_, &CPropertyListCtrl::ImageDropped, this,
            [this](int row, PaneEntryKind kind, const QByteArray& name) {
                commits_->AssignImageAt(*propertyList_, row, kind, name.toStdString());
            });
    connect(this, &CResourceDlg::ImageChosen, this,
            [this](PaneEntryKind kind, const QByteArray& name) {
                AssignImageToCurrentRow(kind, name.toStdString());
            });
    // An image dropped on a preview fills the row the list has current
    // while it shows that object, and the list shows the row it went to.
    commands_->SetImageRows(
        {[this](const CObjectData& object) {
             return propertyList_->GetElement() == &object ? propertyList_->GetCurrentRow() : -1;
         },
         [this](CObjectData& object, int row) {
             if (propertyList_->GetElement() == &object) {
                 propertyList_->SetCurrentRow(row);
                 propertyList_->scrollTo(propertyList_->Model().index(row, 0));
             }
         }});
    connect(networkPage_, &CNetworkPage::SendRequested, this, [this] { SendCurrentDialog(); });
    liveSync_ = new LiveSync(
        project_, link_, [this] { return GetCurrentDialog(); }, this);
    connect(networkPage_, &CNetworkPage::AutoSendChanged, liveSync_, &LiveSync::SetEnabled);
}

CPropertyListCtrl& CResourceDlg::PropertyList() {
    return *propertyList_;
}

CNetworkPage& CResourceDlg::NetworkPage() {
    return *networkPage_;
}

}  // namespace ze::panels
