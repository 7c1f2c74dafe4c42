#include "model/element_store.h"

#include <unordered_set>
#include <vector>

namespace ze {

void ElementStore::Destroy(ZeClass* element) {
    if (element == nullptr || !Owns(element)) {
        return;
    }
    // Collect the whole subtree before freeing anything: the lists that lead
    // to the children live in the elements being freed. An element listed
    // twice is collected once.
    std::vector<ZeClass*> doomed{element};
    std::unordered_set<const ZeClass*> seen{element};
    for (std::size_t i = 0; i < doomed.size(); ++i) {
        doomed[i]->ForEachHeld([&](ZeClass& held) {
            if (Owns(&held) && seen.insert(&held).second) {
                doomed.push_back(&held);
            }
        });
    }
    for (ZeClass* held : doomed) {
        elements_.erase(held);
    }
}

}  // namespace ze
