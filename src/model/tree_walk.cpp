#include "model/tree_walk.h"

#include "model/dialog_data.h"
#include "model/object_data.h"
#include "model/property_names.h"

namespace ze {

namespace {

void VisitCommands(const std::vector<ZeClass*>& commands, int depth, const TreeVisitor& visit) {
    for (ZeClass* command : commands) {
        visit({CommandLabel(*command), command, depth, command->IsExpanded()});
    }
}

}  // namespace

std::string HeaderColumnLabel(int position) {
    return "Header:Cullum" + std::to_string(position);
}

std::string CommandLabel(const ZeClass& command) {
    return "Command:" + command.GetItem(prop::kCommand);
}

std::vector<ZeClass*> TreeChildren(ZeClass& element) {
    std::vector<ZeClass*> children;
    const auto append = [&children](const auto& list) {
        children.insert(children.end(), list.begin(), list.end());
    };
    switch (element.GetKind()) {
        case ElementKind::kProject: {
            const CZeDialogDataList& dialogs = static_cast<CZeResourceData&>(element).GetDialogs();
            for (std::size_t i = 0; i < dialogs.GetCount(); ++i) {
                children.push_back(dialogs.GetDialog(i));
            }
            break;
        }
        case ElementKind::kDialog: {
            auto& dialog = static_cast<CZeDialogData&>(element);
            append(dialog.GetCommands());
            if (dialog.GetRootGroup() != nullptr) {
                children.push_back(dialog.GetRootGroup());
            }
            break;
        }
        case ElementKind::kGroup: {
            auto& group = static_cast<CObjectDataList&>(element);
            append(group.GetCommands());
            append(group.GetChildren());
            break;
        }
        case ElementKind::kObject: {
            auto& object = static_cast<CObjectData&>(element);
            append(object.GetHeaders());
            append(object.GetCommands());
            break;
        }
        default:
            break;
    }
    return children;
}

void WalkProjectTree(CZeResourceData& project, const TreeVisitor& visit) {
    visit({"Root = " + project.GetItem(prop::kName), &project, 0, true});
    const CZeDialogDataList& dialogs = project.GetDialogs();
    for (std::size_t i = 0; i < dialogs.GetCount(); ++i) {
        WalkElementTree(*dialogs.GetDialog(i), 1, visit);
    }
}

void WalkElementTree(ZeClass& element, int depth, const TreeVisitor& visit) {
    switch (element.GetKind()) {
        case ElementKind::kDialog: {
            auto& dialog = static_cast<CZeDialogData&>(element);
            visit({dialog.GetTreeLabel(), &dialog, depth, dialog.IsExpanded()});
            VisitCommands(dialog.GetCommands(), depth + 1, visit);
            if (dialog.GetRootGroup() != nullptr) {
                WalkElementTree(*dialog.GetRootGroup(), depth + 1, visit);
            }
            return;
        }
        case ElementKind::kGroup: {
            auto& group = static_cast<CObjectDataList&>(element);
            visit({group.GetTreeLabel(), &group, depth, group.IsExpanded()});
            VisitCommands(group.GetCommands(), depth + 1, visit);
            for (CObjectData* child : group.GetChildren()) {
                WalkElementTree(*child, depth + 1, visit);
            }
            return;
        }
        case ElementKind::kObject: {
            auto& object = static_cast<CObjectData&>(element);
            visit({object.GetTreeLabel(), &object, depth, object.IsExpanded()});
            int position = 0;
            for (ZeClass* column : object.GetHeaders()) {
                visit({HeaderColumnLabel(++position), column, depth + 1, column->IsExpanded()});
            }
            VisitCommands(object.GetCommands(), depth + 1, visit);
            return;
        }
        case ElementKind::kHeaderColumn:
            visit({HeaderColumnLabel(1), &element, depth, element.IsExpanded()});
            return;
        case ElementKind::kCommand:
            visit({CommandLabel(element), &element, depth, element.IsExpanded()});
            return;
        default:
            visit({element.GetTreeLabel(), &element, depth, element.IsExpanded()});
            return;
    }
}

}  // namespace ze
