#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/resource_data.h"
#include "model/ze_class.h"

namespace ze {

// One node of the resource tree as the resource panel shows it.
struct TreeEntry {
    std::string label;  // Shift_JIS
    ZeClass* element = nullptr;
    int depth = 0;  // 0 for the project root
    bool expanded = false;
};

using TreeVisitor = std::function<void(const TreeEntry&)>;

// The whole tree, parents before their children, in the order the panel
// inserts them: the root ("Root = " + Name, always expanded), each dialog
// with its commands and then its root group, each group with its commands
// and then its children, each object with its header columns and then its
// commands.
void WalkProjectTree(CZeResourceData& project, const TreeVisitor& visit);

// The same for one dialog, group or object and what it holds, starting at
// depth. A header column or command alone is one entry (a header column then
// counts as the first of its object).
void WalkElementTree(ZeClass& element, int depth, const TreeVisitor& visit);

// The elements shown right below element, in the order the walks give them:
// a project's dialogs; a dialog's commands, then its root group; a group's
// commands, then its children; an object's header columns, then its
// commands. None for a header column or command.
std::vector<ZeClass*> TreeChildren(ZeClass& element);

// "Header:Cullum%d" with the column's 1-based position.
std::string HeaderColumnLabel(int position);
// "Command:%s" with the command's Command item.
std::string CommandLabel(const ZeClass& command);

}  // namespace ze
