// Drops on the preview: the group and the gap under the pointer, from the
// rectangles the last paint left on the elements.

#include "model/editing/preview_drop.h"

#include <cstdlib>
#include <vector>

#include "model/dialog_data.h"
#include "model/item_data.h"
#include "model/property_change.h"
#include "model/property_names.h"

namespace ze {

namespace {

bool IsVertical(const CObjectDataList& group) {
    return group.GetItem(prop::kVertical) == "true";
}

// The innermost group at (x, y), front children first as the hit test
// takes them; never dragged or a group below it.
CObjectDataList* GroupAt(CObjectDataList& group, std::int32_t x, std::int32_t y,
                         const ZeClass* dragged) {
    const auto& children = group.GetChildren();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        CObjectData* child = *it;
        if (child != dragged && child->IsGroup() && child->GetPreviewRect().Contains(x, y)) {
            return GroupAt(*static_cast<CObjectDataList*>(child), x, y, dragged);
        }
    }
    return &group;
}

}  // namespace

std::optional<PreviewLanding> PreviewDropLanding(CZeDialogData& dialog, std::int32_t x,
                                                 std::int32_t y, const ZeClass* dragged) {
    CObjectDataList* root = dialog.GetRootGroup();
    if (root == nullptr || root == dragged || !root->GetPreviewRect().Contains(x, y)) {
        return std::nullopt;
    }
    CObjectDataList* group = GroupAt(*root, x, y, dragged);
    std::vector<CObjectData*> children;
    for (CObjectData* child : group->GetChildren()) {
        if (child != dragged) {
            children.push_back(child);
        }
    }
    const bool vertical = IsVertical(*group);
    const auto lead = [vertical](const PreviewRect& r) { return vertical ? r.top : r.left; };
    const auto trail = [vertical](const PreviewRect& r) { return vertical ? r.bottom : r.right; };
    const PreviewRect& area = group->GetPreviewRect();

    // Gap k lies in front of children[k]; gap n after the last child.
    const std::size_t n = children.size();
    std::size_t best = n;
    std::int32_t bestAt = lead(area);
    std::int64_t bestDistance = -1;
    const std::int32_t pointer = vertical ? y : x;
    for (std::size_t k = 0; k <= n; ++k) {
        std::int32_t at = 0;
        if (k == 0 && n > 0) {
            at = lead(children[0]->GetPreviewRect());
        } else if (k == n) {
            at = n == 0 ? lead(area) : trail(children[n - 1]->GetPreviewRect());
        } else {
            const std::int64_t sum =
                static_cast<std::int64_t>(trail(children[k - 1]->GetPreviewRect())) +
                lead(children[k]->GetPreviewRect());
            at = static_cast<std::int32_t>(sum / 2);
        }
        const std::int64_t distance = std::llabs(static_cast<std::int64_t>(pointer) - at);
        if (bestDistance < 0 || distance < bestDistance) {
            best = k;
            bestAt = at;
            bestDistance = distance;
        }
    }

    PreviewLanding landing;
    landing.place = DropPlace{group, best < n ? children[best] : nullptr};
    landing.line = vertical ? PreviewRect{area.left, bestAt, area.right, bestAt + 1}
                            : PreviewRect{bestAt, area.top, bestAt + 1, area.bottom};
    return landing;
}

int ImageDropRow(const ZeClass& element, int shownRow) {
    const CItemList& items = element.Items();
    const int count = static_cast<int>(items.GetItemCount());
    const auto takesImage = [&items](int row) {
        return TakesImage(items.GetItemData(static_cast<std::size_t>(row)).GetName());
    };
    if (shownRow >= 0 && shownRow < count && takesImage(shownRow)) {
        return shownRow;
    }
    for (int row = 0; row < count; ++row) {
        if (takesImage(row)) {
            return row;
        }
    }
    return -1;
}

}  // namespace ze
