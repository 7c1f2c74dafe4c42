#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "layout/preview_layout.h"
#include "model/project_checks.h"

namespace ze {

class CZeDialogData;
class CZeResourceData;
class TextMeasure;

// "360x640", as findings and file names show a page size.
std::string PageSizeText(LayoutSize size);

// What the layout checks lay each dialog out at, and how.
struct LayoutCheckOptions {
    // Page sizes, as a device list tile lays a dialog out (the page itself,
    // without the preview's margin).
    std::vector<LayoutSize> sizes;
    // Every text lengthened by this share (ExpandedText) before it is
    // measured.
    std::int32_t expandPercent = 0;

    friend bool operator==(const LayoutCheckOptions&, const LayoutCheckOptions&) = default;
};

// Lays dialog out at each size, as the preview does for a device of that
// size on its first page, and appends what does not fit, size by size and
// in tree order within a size:
// - text-overflow: a Text, TextOn or TextOff, or a GRID header's number,
//   wider than its content area (Margin and Padding taken off the element's
//   box) at its TSize, or with more lines than the area's height holds;
// - outside-page: an element reaching outside the page (an error for an
//   object the user clicks, a warning otherwise); within a group that
//   reaches outside already, only the objects the user clicks;
// - clipped: an element reaching outside its parent group (not reported
//   again when it already reaches outside the page);
// - zero-size: an element laid out 0 wide or 0 high;
// - overlap: two children of one LINEAR, TABLE or TABLEROW group that
//   overlap (reported at the later one).
// Hidden elements (Hide true) and everything below them, the pages of a
// PAGE group after its first, and what a SCROLL or HSCROLL group scrolls
// (outside-page and clipped only) are skipped. Preview rectangles are left
// as they are.
void CheckDialogLayout(const CZeResourceData& project, CZeDialogData& dialog,
                       const LayoutCheckOptions& options, TextMeasure& measure,
                       std::vector<Finding>& findings);

// Keeps the layout findings of each dialog, so that an edit asks for only
// its dialog to be laid out again, as ProjectChecker does for its checks.
class LayoutChecker {
public:
    explicit LayoutChecker(TextMeasure& measure) : measure_(measure) {}

    // Forgets what is kept; the next CheckAll uses the new options.
    void SetOptions(LayoutCheckOptions options);
    const LayoutCheckOptions& Options() const { return options_; }

    void CheckAll(const CZeResourceData& project);
    void CheckDialog(const CZeResourceData& project, CZeDialogData& dialog);
    void ForgetDialog(const CZeDialogData& dialog);
    // Drops what is kept of every dialog and gives its memory back.
    void ForgetAll() {
        std::unordered_map<const CZeDialogData*, std::vector<Finding>>().swap(dialogs_);
    }

    // The findings of each dialog of the project's list, in its order.
    std::vector<Finding> Findings(const CZeResourceData& project) const;
    // The same appended to out (ProjectChecker::AppendFindings).
    void AppendFindings(const CZeResourceData& project, std::vector<Finding>& out) const;
    // Those of one dialog (empty when it was not checked).
    const std::vector<Finding>& DialogFindings(const CZeDialogData& dialog) const;

private:
    void Check(const CZeResourceData& project, CZeDialogData& dialog);

    TextMeasure& measure_;
    LayoutCheckOptions options_;
    std::unordered_map<const CZeDialogData*, std::vector<Finding>> dialogs_;
};

}  // namespace ze
