#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/item_data.h"

namespace ze {

// The ordered properties of one element. Names need not be unique: lookups
// take the first match, as the readers and the property list expect.
class CItemList {
public:
    CItemList() = default;
    CItemList(CItemList&&) noexcept = default;
    CItemList& operator=(CItemList&&) noexcept = default;
    // Copies go through CopyItems so that it is always explicit.
    CItemList(const CItemList&) = delete;
    CItemList& operator=(const CItemList&) = delete;

    // The value of the first item named name, or empty text.
    std::string GetItem(std::string_view name) const;
    // The same without a copy; the view is valid while the list is unchanged.
    std::string_view GetItemView(std::string_view name) const;
    // Changes the first item named name; false (and nothing added) without one.
    bool SetItem(std::string_view name, std::string_view value);
    void AddItem(CItemData item);
    // Makes room for count items in all, so a schema fills the list at once.
    void Reserve(std::size_t count) { items_.reserve(count); }
    // Appends copies of other's items, in order.
    void AppendItems(const CItemList& other);

    std::size_t GetItemCount() const { return items_.size(); }
    // Indexes run from 0 to GetItemCount() - 1; others are a caller's fault.
    const CItemData& GetItemData(std::size_t index) const;
    CItemData& GetItemData(std::size_t index);
    ItemKind GetItemKind(std::size_t index) const;
    const ChoiceList* GetItemChoices(std::size_t index) const;

    // The item as a member of resource text, e.g. 'Name':'Dialog' or
    // 'Weight':1; empty (left out of the text) when it has no name or value.
    std::string WriteItem(std::size_t index) const;
    // Appends WriteItem's text to out without a string of its own; false
    // when there is none.
    bool AppendItemText(std::size_t index, std::string& out) const;

    // Same count and, position by position, same names and values.
    bool IsSameItems(const CItemList& other) const;
    // Replaces the items by copies of other's, in the same order.
    void CopyItems(const CItemList& other);

private:
    std::vector<CItemData> items_;
};

}  // namespace ze
