#include "model/item_list.h"

#include <algorithm>
#include <cassert>
#include <limits>
#include <new>
#include <stdexcept>
#include <utility>

#include "common/text_convert.h"

namespace ze {

namespace {

// Names are compared for every item of a list on each lookup; most differ
// in length or first byte, which is settled without a call to memcmp.
bool SameName(const std::string& itemName, std::string_view name) {
    return itemName.size() == name.size() && (name.empty() || itemName[0] == name[0]) &&
           std::string_view(itemName) == name;
}

void AppendQuoted(std::string& out, std::string_view text) {
    out += '\'';
    out += text;
    out += '\'';
}

}  // namespace

CItemList::~CItemList() {
    Clear();
    FreeStorage();
}

CItemList::CItemList(CItemList&& other) {
    *this = std::move(other);
}

CItemList& CItemList::operator=(CItemList&& other) {
    if (this == &other) {
        return *this;
    }
    Clear();
    if (!other.lent_) {
        FreeStorage();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        capacity_ = other.capacity_;
        lent_ = 0;
        other.capacity_ = 0;
    } else {
        Reserve(other.size_);
        for (std::uint32_t i = 0; i < other.size_; ++i) {
            ::new (static_cast<void*>(data_ + i)) CItemData(std::move(other.data_[i]));
            ++size_;
        }
        other.Clear();
    }
    // Values in blocks lent by the element stay with it.
    for (std::uint32_t i = 0; i < size_; ++i) {
        data_[i].TakeOverValue();
    }
    return *this;
}

void CItemList::UseRoom(CItemData* room, std::size_t capacity) {
    assert(data_ == nullptr && size_ == 0);
    if (capacity > std::numeric_limits<std::int32_t>::max()) {
        throw std::length_error("too many items");
    }
    data_ = room;
    capacity_ = static_cast<std::uint32_t>(capacity);
    lent_ = 1;
}

void CItemList::Grow(std::size_t capacity) {
    if (capacity > std::numeric_limits<std::int32_t>::max()) {
        throw std::length_error("too many items");
    }
    auto* grown = static_cast<CItemData*>(::operator new(capacity * sizeof(CItemData)));
    // An item's move is a copy of its bytes and cannot throw.
    for (std::uint32_t i = 0; i < size_; ++i) {
        ::new (static_cast<void*>(grown + i)) CItemData(std::move(data_[i]));
        data_[i].~CItemData();
    }
    FreeStorage();
    data_ = grown;
    capacity_ = static_cast<std::uint32_t>(capacity);
    lent_ = 0;
}

void CItemList::Clear() noexcept {
    for (std::uint32_t i = 0; i < size_; ++i) {
        data_[i].~CItemData();
    }
    size_ = 0;
}

void CItemList::FreeStorage() noexcept {
    if (!lent_) {
        ::operator delete(data_);
    }
    data_ = nullptr;
    capacity_ = 0;
    lent_ = 0;
}

std::string CItemList::GetItem(std::string_view name) const {
    return std::string(GetItemView(name));
}

std::string_view CItemList::GetItemView(std::string_view name) const {
    for (std::uint32_t i = 0; i < size_; ++i) {
        if (SameName(data_[i].GetName(), name)) {
            return data_[i].GetValue();
        }
    }
    return {};
}

bool CItemList::SetItem(std::string_view name, std::string_view value) {
    for (std::uint32_t i = 0; i < size_; ++i) {
        if (SameName(data_[i].GetName(), name)) {
            data_[i].SetValue(value);
            return true;
        }
    }
    return false;
}

void CItemList::AddItem(CItemData item) {
    if (size_ == capacity_) {
        Grow(std::max<std::size_t>(4, std::size_t{capacity_} * 2));
    }
    ::new (static_cast<void*>(data_ + size_)) CItemData(std::move(item));
    ++size_;
}

void CItemList::AppendItems(const CItemList& other) {
    const std::uint32_t count = other.size_;  // other may be this list
    Reserve(std::size_t{size_} + count);
    // Locals, not the members: the items' bytes may alias anything, and
    // reloading the members after each copy made this loop slow, while a
    // load copies millions of schema rows through it.
    CItemData* const to = data_ + size_;
    const CItemData* const from = other.data_;
    std::uint32_t done = 0;
    try {
        for (; done < count; ++done) {
            ::new (static_cast<void*>(to + done)) CItemData(from[done]);
        }
    } catch (...) {
        while (done > 0) {
            to[--done].~CItemData();
        }
        throw;
    }
    size_ += count;
}

ItemKind CItemList::GetItemKind(std::size_t index) const {
    return GetItemData(index).GetKind();
}

const ChoiceList* CItemList::GetItemChoices(std::size_t index) const {
    return GetItemData(index).GetChoices();
}

std::string CItemList::WriteItem(std::size_t index) const {
    std::string out;
    AppendItemText(index, out);
    return out;
}

bool CItemList::AppendItemText(std::size_t index, std::string& out) const {
    const CItemData& item = GetItemData(index);
    const std::string_view value = item.GetValue();
    if (value.empty()) {
        return false;
    }
    const ItemInfo& info = *item.GetInfo();
    const std::string& name = info.name;
    if (name.empty()) {
        return false;
    }
    const ItemKind kind = info.kind;
    AppendQuoted(out, name);
    out += ':';
    if (kind <= ItemKind::kLastQuoted) {
        if (kind == ItemKind::kUserText) {
            out += '\'';
            AppendSjisAsUtf8(value, out);
            out += '\'';
        } else {
            AppendQuoted(out, value);
        }
    } else if (value.front() == '$') {
        // A "$NAME" placeholder is filled in on the device, so even a number
        // or boolean property holding one is written as a string.
        AppendQuoted(out, value);
    } else {
        if (kind == ItemKind::kResourceText) {
            AppendSjisAsUtf8(value, out);
        } else {
            out += value;
        }
    }
    return true;
}

bool CItemList::IsSameItems(const CItemList& other) const {
    return std::equal(data_, data_ + size_, other.data_, other.data_ + other.size_,
                      [](const auto& a, const auto& b) {
                          // One info number is one name, found without a
                          // look at either.
                          return (a.GetInfoId() == b.GetInfoId() || a.GetName() == b.GetName()) &&
                                 a.GetValue() == b.GetValue();
                      });
}

void CItemList::CopyItems(const CItemList& other) {
    if (this == &other) {
        return;
    }
    Clear();
    AppendItems(other);
}

}  // namespace ze
