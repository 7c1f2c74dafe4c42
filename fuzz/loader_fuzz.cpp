// Loads arbitrary text as a project, writes it, and loads and writes what was
// written: the readers and writers must neither crash nor touch freed or
// uninitialised memory whatever the text holds, and grouping and ungrouping
// the loaded trees must keep them sound.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/mo_stream.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "model/tree_walk.h"

namespace {

void EditEveryDialog(ze::CZeResourceData& project) {
    const ze::CZeDialogDataList& dialogs = project.GetDialogs();
    for (std::size_t i = 0; i < dialogs.GetCount(); ++i) {
        ze::CObjectDataList* root = dialogs.GetDialog(i)->GetRootGroup();
        if (root == nullptr || root->GetChildren().empty()) {
            continue;
        }
        ze::CObjectData* first = root->GetChildren().front();
        first->SetSelected(true);
        root->GetChildren().back()->SetSelected(true);
        if (ze::CObjectDataList* group = ze::GroupSelected(*root, *first)) {
            ze::Ungroup(*group);
        }
        root->Remove(root->GetChildren().back(), true);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ze::CZeResourceData project;
    if (!project.LoadText(text)) {
        return 0;
    }
    std::size_t entries = 0;
    ze::WalkProjectTree(project, [&](const ze::TreeEntry&) { ++entries; });
    if (entries < project.GetDialogs().GetCount() + 1) {
        __builtin_trap();  // the root and every dialog have an entry
    }
    ze::CJsonString written;
    project.WriteProject(written, "");

    ze::CZeResourceData reloaded;
    if (reloaded.LoadText(written.GetText())) {
        EditEveryDialog(reloaded);
        ze::CJsonString again;
        reloaded.WriteProject(again, "");
    }
    return 0;
}
