#include "panels/property_commits.h"

#include "model/editing/property_edits.h"
#include "model/editing/selection.h"
#include "model/entry_checks.h"
#include "model/item_list.h"
#include "model/resource_data.h"
#include "panels/property_list_model.h"
#include "panels/selection_commands.h"

namespace ze::panels {

PropertyCommits::PropertyCommits(CZeResourceData& project, SelectionCommands& commands)
    : project_(project), commands_(commands) {}

bool PropertyCommits::CommitValue(ZeClass& element, int row, const std::string& value) {
    if (row < 0 || static_cast<std::size_t>(row) >= element.Items().GetItemCount()) {
        return false;
    }
    // Copied: the commit may replace the items.
    const std::string name = element.Items().GetItemData(static_cast<std::size_t>(row)).GetName();
    const Selection& selection = project_.GetSelection();
    EditResult result;
    if (selection.Elements().size() > 1 && selection.Contains(element)) {
        // The value goes to every picked element.
        result = CommitPropertyToSelection(project_, name, value);
    } else {
        result = ::ze::CommitProperty(project_, nullptr, &element, static_cast<std::size_t>(row),
                                      value);
    }
    const bool refused = !result.message.empty();
    if (refused) {
        result.message = PropertyRefusalMessage(name, result.message);
    }
    commands_.Apply(result);
    return !refused;
}

bool PropertyCommits::CommitProperty(ZeClass& element, std::string_view name,
                                     std::string_view value) {
    const CItemList& items = element.Items();
    for (std::size_t row = 0; row < items.GetItemCount(); ++row) {
        if (items.GetItemData(row).GetName() == name) {
            return CommitValue(element, static_cast<int>(row), std::string(value));
        }
    }
    return false;
}

void PropertyCommits::AssignImageAt(CPropertyListCtrl& list, int row, PaneEntryKind kind,
                                    const std::string& name) {
    ZeClass* element = list.GetElement();
    if (element == nullptr || row < 0) {
        return;
    }
    const Selection& selection = project_.GetSelection();
    if (selection.Elements().size() > 1 && selection.Contains(*element)) {
        const std::size_t itemRow = list.Model().ItemRow(row);
        if (itemRow < element->Items().GetItemCount()) {
            commands_.Apply(AssignImageToSelection(
                project_, element->Items().GetItemData(itemRow).GetName(), kind, name));
        }
    } else {
        commands_.Apply(
            AssignImage(project_, nullptr, element, static_cast<std::size_t>(row), kind, name));
    }
    list.viewport()->update();
}

}  // namespace ze::panels
