#include "model/element_store.h"

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
    if (keeper_ != nullptr && keeper_->KeepsAny()) {
        retired_.insert(doomed.begin(), doomed.end());
        Collect();
        return;
    }
    for (ZeClass* held : doomed) {
        retired_.erase(held);
        elements_.erase(held);
    }
}

void ElementStore::Mark(const std::function<void(const std::function<void(const ZeClass&)>&)>& walk,
                        Marks& marks) {
    std::vector<const ZeClass*> pending;
    walk([&](const ZeClass& root) {
        if (marks.insert(&root).second) {
            pending.push_back(&root);
        }
    });
    while (!pending.empty()) {
        const ZeClass* element = pending.back();
        pending.pop_back();
        element->ForEachHeld([&](ZeClass& held) {
            if (marks.insert(&held).second) {
                pending.push_back(&held);
            }
        });
    }
}

void ElementStore::Collect() {
    if (retired_.empty()) {
        return;
    }
    Marks reached;
    if (keeper_ != nullptr) {
        Mark([this](const auto& visit) { keeper_->ForEachLiveRoot(visit); }, reached);
        std::erase_if(retired_, [&](const ZeClass* element) { return reached.contains(element); });
        if (keeper_->KeepsAny()) {
            Mark([this](const auto& visit) { keeper_->ForEachKeptRoot(visit); }, reached);
        }
    }
    std::erase_if(retired_, [&](const ZeClass* element) {
        if (reached.contains(element)) {
            return false;
        }
        elements_.erase(element);
        return true;
    });
}

}  // namespace ze
