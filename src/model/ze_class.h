#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "model/item_list.h"

namespace ze {

class ElementStore;

// What an element is; the resource panel and the writers dispatch on it.
enum class ElementKind : std::int32_t {
    kProject = 0,
    kDialogList = 1,
    kDialog = 2,
    kObject = 3,
    kGroup = 4,
    kHeaderColumn = 5,
    kCommand = 6,
};

// Every element of a project: an item list, a kind, the tree node's expanded
// flag and a serial number that identifies the element across undo copies.
// Header columns and commands are plain ZeClass elements.
class ZeClass {
public:
    explicit ZeClass(ElementKind kind);
    virtual ~ZeClass() = default;
    ZeClass(const ZeClass&) = delete;
    ZeClass& operator=(const ZeClass&) = delete;

    // "Name(%s)" with the Name item.
    virtual std::string GetTreeLabel() const;
    // Takes other's kind, expanded flag, serial number and items, so a copy
    // keeps the identity of the element it was taken from.
    virtual void CopyFrom(const ZeClass& other);
    virtual bool IsSameItems(const ZeClass& other) const;
    // Elements with a command list append element to it and return the
    // number of commands before; the base stores nothing and returns 0.
    virtual int AddChild(ZeClass* element);
    // Calls visit for every element this one holds (children, header columns,
    // commands); the store destroys them together.
    virtual void ForEachHeld(const std::function<void(ZeClass&)>& visit) const;

    ElementKind GetKind() const { return kind_; }
    bool IsExpanded() const { return expanded_ != 0; }
    void SetExpanded(bool expanded) { expanded_ = expanded ? 1 : 0; }
    std::uint64_t GetSerial() const { return serial_; }

    CItemList& Items() { return items_; }
    const CItemList& Items() const { return items_; }
    std::string GetItem(std::string_view name) const { return items_.GetItem(name); }
    bool SetItem(std::string_view name, std::string_view value) {
        return items_.SetItem(name, value);
    }

    // The store that owns this element; null for elements outside a store
    // (the project root, dialogs, undo copies).
    ElementStore* GetStore() const { return store_; }

    // The serial number the next element constructed on this thread will get.
    static std::uint64_t PeekNextSerial();

private:
    friend class ElementStore;

    ElementKind kind_;
    std::int32_t expanded_ = 0;
    CItemList items_;
    std::uint64_t serial_;
    ElementStore* store_ = nullptr;
    std::uint32_t blockSize_ = 0;  // of its block in the store
};

// A header column of a GRID with its six default items.
ZeClass* CreateHeaderColumn(ElementStore& store);
// A command element with the items of the command schema for command and event.
ZeClass* CreateCommand(ElementStore& store, std::string_view command, std::string_view event);
// The same with the command's schema list looked up already (CommandItems).
ZeClass* CreateCommand(ElementStore& store, const CItemList* commandItems, std::string_view event);

}  // namespace ze
