#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "layout/recording_canvas.h"
#include "model/dialog_data.h"
#include "model/object_data.h"
#include "model/resource_data.h"

namespace ze {

// A project with one dialog "D" read from resource text: dialogItems are
// extra members of the DIALOG message (",'TargetLayoutWidth':320"), root the
// text of its root group.
struct LoadedDialog {
    CZeResourceData project;
    CZeDialogData* dialog = nullptr;

    CObjectData& Named(std::string_view name) const;
};
std::unique_ptr<LoadedDialog> LoadDialog(std::string_view root, std::string_view dialogItems = "",
                                         std::string_view projectItems = "");

// The first element named name at or below element, or null.
CObjectData* FindNamed(CObjectData& element, std::string_view name);

std::ostream& operator<<(std::ostream& out, const RecordingCanvas::Call& call);

}  // namespace ze
