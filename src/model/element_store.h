#pragma once

#include <cstddef>
#include <memory>
#include <type_traits>
#include <unordered_map>
#include <utility>

#include "model/ze_class.h"

namespace ze {

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

    // Frees element and everything it holds. Elements of other stores and
    // elements already freed are left alone.
    void Destroy(ZeClass* element);

    bool Owns(const ZeClass* element) const { return elements_.contains(element); }
    std::size_t Count() const { return elements_.size(); }

private:
    std::unordered_map<const ZeClass*, std::unique_ptr<ZeClass>> elements_;
};

}  // namespace ze
