#pragma once

#include <string>
#include <string_view>

#include "model/editing/edit_result.h"
#include "panels/property_list_ctrl.h"

namespace ze {
class CZeResourceData;
class ZeClass;
}  // namespace ze

namespace ze::panels {

class SelectionCommands;

// What the property list's commits and image drops become: one call of the
// model's edit API each, on the shown element or, while it is one of
// several picked, on every picked element as one step. Messages and status
// go out as for the Edit menu's operations (SelectionCommands::Apply).
class PropertyCommits : public PropertyCommitter {
public:
    PropertyCommits(CZeResourceData& project, SelectionCommands& commands);

    // PropertyCommitter.
    bool CommitValue(ZeClass& element, std::string_view name, std::string_view value) override;
    // The value (Shift_JIS) of element's property name becomes value, as if
    // the user had committed it in the list; false when there is no such
    // property or the value was refused.
    bool CommitProperty(ZeClass& element, std::string_view name, std::string_view value);
    // An image (name Shift_JIS) put on row of the element list shows.
    void AssignImageAt(CPropertyListCtrl& list, int row, PaneEntryKind kind,
                       const std::string& name);

private:
    CZeResourceData& project_;
    SelectionCommands& commands_;
};

}  // namespace ze::panels
