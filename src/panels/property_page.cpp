#include "panels/property_page.h"

#include <QVBoxLayout>

#include "model/editing/selection.h"
#include "model/item_list.h"
#include "model/property_names.h"
#include "model/resource_data.h"
#include "panels/property_commits.h"
#include "panels/property_list_ctrl.h"
#include "panels/property_list_model.h"
#include "panels/resource_panel_host.h"
#include "panels/selection_commands.h"

namespace ze::panels {

PropertyPage::PropertyPage(CZeResourceData& project, SelectionCommands& commands,
                           ResourcePanelHost& host, MessageSink& messages, QWidget* parent)
    : QWidget(parent),
      project_(project),
      commits_(std::make_unique<PropertyCommits>(project, commands)),
      list_(new CPropertyListCtrl(messages, *commits_, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);
    setFocusProxy(list_);

    // The list first: it lets an element go before the page is told.
    project_.Observers().Add(list_);
    project_.Observers().Add(this);

    connect(list_, &CPropertyListCtrl::StatusTextChanged, this,
            [&host](const QString& text) { host.ShowStatusText(text); });
    connect(list_, &CPropertyListCtrl::ImagePickerRequested, this,
            [&host](PaneEntryKind kind, const QByteArray& value) {
                host.ShowImageList(kind, value.toStdString());
            });
    connect(list_, &CPropertyListCtrl::ImageDropped, this,
            [this](int row, PaneEntryKind kind, const QByteArray& name) {
                commits_->AssignImageAt(*list_, row, kind, name.toStdString());
            });
    // An image dropped on a preview fills the row the list has current
    // while it shows that object, and the list shows the row it went to.
    commands.SetImageRows(
        {[this](const CObjectData& object) {
             return list_->GetElement() == &object ? list_->GetCurrentRow() : -1;
         },
         [this](CObjectData& object, int row) {
             if (list_->GetElement() == &object) {
                 ShowRow(row);
             }
         }});
}

PropertyPage::~PropertyPage() {
    // A cell still open would commit while the page goes.
    list_->ShowElement(nullptr);
    project_.Observers().Remove(this);
    project_.Observers().Remove(list_);
}

void PropertyPage::SelectionChanged(const Selection& selection) {
    list_->ShowSelection(selection.Current(), selection.Elements());
}

void PropertyPage::ShowSelection() {
    SelectionChanged(project_.GetSelection());
}

void PropertyPage::ShowNothing() {
    list_->ShowElement(nullptr);
}

void PropertyPage::EditName(const ZeClass* element) {
    if (element == nullptr || element != list_->GetElement()) {
        return;
    }
    const CItemList& items = element->Items();
    for (std::size_t row = 0; row < items.GetItemCount(); ++row) {
        if (items.GetItemData(row).GetName() == prop::kName) {
            emit ShowRequested();
            list_->SetCurrentRow(static_cast<int>(row));
            list_->StartEdit(static_cast<int>(row), 1);
            return;
        }
    }
}

void PropertyPage::AssignImageToCurrentRow(PaneEntryKind kind, const std::string& name) {
    commits_->AssignImageAt(*list_, list_->GetCurrentRow(), kind, name);
}

bool PropertyPage::CommitProperty(ZeClass& element, std::string_view name,
                                  std::string_view value) {
    return commits_->CommitProperty(element, name, value);
}

void PropertyPage::ShowRow(int row) {
    list_->SetCurrentRow(row);
    list_->scrollTo(list_->Model().index(row, 0));
}

}  // namespace ze::panels
