#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ze {

class CZeResourceData;
class ZeClass;

enum class ChangeKind { kAdded, kRemoved, kChanged, kMoved, kRenamed };

// "added", "removed", "changed", "moved", "renamed".
std::string_view ChangeKindName(ChangeKind kind);

// One difference between two versions of a project (see project_match.h
// for which element is which). Texts are Shift_JIS, as in the model.
struct ProjectChange {
    ChangeKind kind = ChangeKind::kChanged;
    // The dialog's Name; empty for a property of the project.
    std::string dialog;
    // "Main/Root/Buttons/Open" (a dialog's own properties: "Main"; its
    // commands "Main/OnOpen"; a header column ".../History/Header#0"); "/"
    // for the project. Moved and renamed elements are named by their old
    // path, every other change by the new one.
    std::string path;
    // moved, renamed: the element's path in the new version.
    std::string newPath;
    // changed: the property; renamed: "Name"; otherwise empty (none).
    std::string property;
    // changed, renamed: the old and the new value. added: the new element's
    // type in newValue (BUTTON, GROUP, DIALOG, the command, HEADER),
    // removed: the old one's in oldValue. moved: the old and the new parent
    // segment with the index, "Root[3]" and "Buttons[0]"; a dialog's place
    // in the project's list, "[1]" and "[0]".
    std::string oldValue;
    std::string newValue;
    bool hasOld = false;
    bool hasNew = false;
    // moved: the old and the new parent's whole path and the indexes.
    std::string oldParentPath;
    std::string newParentPath;
    int oldIndex = -1;
    int newIndex = -1;
};

// The changes from oldProject to newProject in tree order: the project's
// properties, then dialog by dialog in the new version's order (removed
// dialogs first); within a dialog its properties, its commands, then its
// tree, parents before children, and under each group the removed children
// before the present ones. An added or removed element is one change,
// whatever it holds.
std::vector<ProjectChange> DiffProjects(const CZeResourceData& oldProject,
                                        const CZeResourceData& newProject);

// One line in the form ze-tool diff prints, Shift_JIS without the newline:
// "~ Main/Root/Buttons/Open: Text: OLD → NEW" (the arrow in Shift_JIS),
// "+ PATH (TYPE)", "- PATH (TYPE)", "> PATH: Root[3] → Buttons[0]",
// "* PATH: Name: OLD → NEW".
std::string ChangeLine(const ProjectChange& change);

// The element of project (the new version) a change is about: the changed,
// added, moved or renamed element itself; for a removed one the nearest of
// its old ancestors still there, the dialog at least; the project for its
// own properties. Null when the dialog is gone.
ZeClass* ElementOfChange(CZeResourceData& project, const ProjectChange& change);

}  // namespace ze
