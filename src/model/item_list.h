#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model/item_data.h"

namespace ze {

// The ordered properties of one element. Names need not be unique: lookups
// take the first match, as the readers and the property list expect.
class CItemList {
public:
    CItemList() = default;
    ~CItemList();
    // A list in lent room (UseRoom) moves its items out into storage of the
    // new list's own: the room belongs to the element it was lent by, and a
    // moved list may outlive it.
    CItemList(CItemList&& other);
    CItemList& operator=(CItemList&& other);
    // Copies go through CopyItems so that it is always explicit.
    CItemList(const CItemList&) = delete;
    CItemList& operator=(const CItemList&) = delete;

    // Takes room for capacity items that the caller keeps and frees itself,
    // after this list is gone: an element loaded from a project gets the rows
    // of its schema in its own block of memory, not in one more of their own.
    // The list moves to storage of its own when it outgrows the room. Only
    // for a list that holds no storage yet.
    void UseRoom(CItemData* room, std::size_t capacity);

    // The value of the first item named name, or empty text.
    std::string GetItem(std::string_view name) const;
    // The same without a copy; the view is valid while the list is unchanged.
    std::string_view GetItemView(std::string_view name) const;
    // Changes the first item named name; false (and nothing added) without one.
    bool SetItem(std::string_view name, std::string_view value);
    void AddItem(CItemData item);
    // Makes room for count items in all, so a schema fills the list at once.
    void Reserve(std::size_t count) {
        if (count > capacity_) {
            Grow(count);
        }
    }
    // Appends copies of other's items, in order.
    void AppendItems(const CItemList& other);

    std::size_t GetItemCount() const { return size_; }
    // Indexes run from 0 to GetItemCount() - 1; others are a caller's fault.
    const CItemData& GetItemData(std::size_t index) const {
        assert(index < size_);
        return data_[index];
    }
    CItemData& GetItemData(std::size_t index) {
        assert(index < size_);
        return data_[index];
    }
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
    void Grow(std::size_t capacity);
    // Destroys the items and keeps the storage.
    void Clear() noexcept;
    void FreeStorage() noexcept;

    // An element holds one list, and a project millions of items: a pointer
    // and two 32-bit counts keep the list at 16 bytes.
    CItemData* data_ = nullptr;
    std::uint32_t size_ = 0;
    std::uint32_t capacity_ : 31 = 0;
    std::uint32_t lent_ : 1 = 0;  // data_ is room lent by the owner (UseRoom)
};

}  // namespace ze
