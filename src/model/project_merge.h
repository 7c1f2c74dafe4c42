#pragma once

#include <string>
#include <vector>

namespace ze {

class CZeResourceData;

// A change the two sides made differently; the merge kept ours. Texts are
// Shift_JIS, as in the model.
struct MergeConflict {
    std::string dialog;  // empty for the project's properties
    std::string path;    // as ProjectChange::path, in the merged project
    // The property both sides set differently, "Name" for a name taken on
    // both sides; empty for an element removed on one side and changed on
    // the other, or moved to different places.
    std::string property;
    // The two sides: values, "changed" / "removed", or places ("Buttons[0]").
    std::string ours;
    std::string theirs;
};

// "CONFLICT Main/Root/Buttons/Open: Text: ours 保存 theirs 登録", or without
// a property "CONFLICT PATH: ours changed theirs removed"; Shift_JIS.
std::string ConflictLine(const MergeConflict& conflict);

// Merges into ours what theirs changed since base, property by property
// (elements matched as project_match.h matches them):
// - a property changed on one side only takes that side's value; the same
//   value on both sides is no conflict;
// - elements added on either side are kept, each after the sibling it
//   followed on its side; elements removed on one side and unchanged on
//   the other are removed; elements moved on one side only take that side's
//   place;
// - the same property set to different values, an element removed on one
//   side and changed on the other, and an element moved to different places
//   keep ours and are conflicts.
// Names stay unique in each dialog: an element of theirs whose name ours
// gave another element is a conflict and gets its stem and the first free
// number, as a pasted one does (a dialog, its name and the next free number
// from 2). Returns the conflicts in the order found.
std::vector<MergeConflict> MergeProjects(const CZeResourceData& base, CZeResourceData& ours,
                                         const CZeResourceData& theirs);

}  // namespace ze
