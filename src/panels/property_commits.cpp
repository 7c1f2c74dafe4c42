#include "panels/property_commits.h"

#include <optional>
#include <string>

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

bool PropertyCommits::CommitValue(ZeClass& element, std::string_view name, std::string_view value) {
    // Copied: the commit may replace the items, name's among them.
    const std::string property(name);
    const Selection& selection = project_.GetSelection();
    EditResult result;
    if (selection.Elements().size() > 1 && selection.Contains(element)) {
        // The value goes to every picked element.
        result = CommitPropertyToSelection(project_, property, value);
    } else if (const std::optional<std::size_t> row = RowNamed(element, property)) {
        result = ::ze::CommitProperty(project_, nullptr, &element, *row, value);
    } else {
        return false;
    }
    const bool refused = !result.message.empty();
    if (refused) {
        result.message = PropertyRefusalMessage(property, result.message);
    }
    commands_.Apply(result);
    return !refused;
}

bool PropertyCommits::CommitProperty(ZeClass& element, std::string_view name,
                                     std::string_view value) {
    return RowNamed(element, name) && CommitValue(element, name, value);
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
