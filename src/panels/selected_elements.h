#pragma once

namespace ze {
class CObjectData;
class CObjectDataList;
}  // namespace ze

namespace ze::panels {

// The first selected element of group's tree in tree order (the group
// itself, then each child and what it holds, first to last); null when
// nothing is selected.
CObjectData* FirstSelectedInTreeOrder(CObjectDataList& group);

}  // namespace ze::panels
