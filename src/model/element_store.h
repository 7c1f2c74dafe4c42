#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <type_traits>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "model/ze_class.h"

namespace ze {

// Tells a store which elements may still be reached besides its own lists:
// the tree that shows them and, say, an editing history that refers to
// elements taken out of the tree.
class ElementKeeper {
public:
    ElementKeeper() = default;
    virtual ~ElementKeeper() = default;
    ElementKeeper(const ElementKeeper&) = delete;
    ElementKeeper& operator=(const ElementKeeper&) = delete;

    // Whether anything besides the tree refers to elements now; when not,
    // a destroyed element is freed at once.
    virtual bool KeepsAny() const = 0;
    // The tops of the tree in use (a dialog's root group, its commands).
    virtual void ForEachLiveRoot(const std::function<void(const ZeClass&)>& visit) const = 0;
    // Whatever else refers to elements (the copies of a history, the live
    // elements it restores).
    virtual void ForEachKeptRoot(const std::function<void(const ZeClass&)>& visit) const = 0;
};

// Owns the groups, objects, header columns and commands of one dialog. The
// tree itself (children, header and command lists) only refers to them, so
// an element taken out of the tree, or a list restored from an earlier copy,
// never points at freed memory while the dialog lives.
class ElementStore {
public:
    ElementStore() = default;
    ~ElementStore() = default;
    ElementStore(const ElementStore&) = delete;
    ElementStore& operator=(const ElementStore&) = delete;

    template <typename T, typename... Args>
    T* Create(Args&&... args) {
        static_assert(std::is_base_of_v<ZeClass, T>);
        auto element = std::make_unique<T>(std::forward<Args>(args)...);
        T* raw = element.get();
        raw->store_ = this;
        elements_.emplace(raw, std::move(element));
        return raw;
    }

    // The keeper consulted by Destroy and Collect; it must outlive the
    // store's use of it. Null: destroyed elements are freed at once.
    void SetKeeper(const ElementKeeper* keeper) { keeper_ = keeper; }

    // Frees element and everything it holds. While the keeper keeps any,
    // elements it can still reach are only retired: Collect frees them once
    // nothing reaches them. Elements of other stores and elements already
    // freed are left alone.
    void Destroy(ZeClass* element);
    // Frees the retired elements the keeper no longer reaches; retired
    // elements that are back in the tree are no longer retired.
    void Collect();

    bool Owns(const ZeClass* element) const { return elements_.contains(element); }
    bool IsRetired(const ZeClass* element) const { return retired_.contains(element); }
    std::size_t Count() const { return elements_.size(); }
    std::size_t RetiredCount() const { return retired_.size(); }

private:
    using Marks = std::unordered_set<const ZeClass*>;
    // Adds every element reachable from the roots walk gives to marks.
    static void Mark(const std::function<void(const std::function<void(const ZeClass&)>&)>& walk,
                     Marks& marks);

    std::unordered_map<const ZeClass*, std::unique_ptr<ZeClass>> elements_;
    std::unordered_set<const ZeClass*> retired_;
    const ElementKeeper* keeper_ = nullptr;
};

}  // namespace ze
