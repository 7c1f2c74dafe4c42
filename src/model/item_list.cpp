#include "model/item_list.h"

#include <algorithm>
#include <cassert>

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

std::string CItemList::GetItem(std::string_view name) const {
    return std::string(GetItemView(name));
}

std::string_view CItemList::GetItemView(std::string_view name) const {
    for (const auto& item : items_) {
        if (SameName(item.GetName(), name)) {
            return item.GetValue();
        }
    }
    return {};
}

bool CItemList::SetItem(std::string_view name, std::string_view value) {
    for (auto& item : items_) {
        if (SameName(item.GetName(), name)) {
            item.SetValue(value);
            return true;
        }
    }
    return false;
}

void CItemList::AddItem(CItemData item) {
    items_.push_back(std::move(item));
}

void CItemList::AppendItems(const CItemList& other) {
    items_.reserve(items_.size() + other.items_.size());
    items_.insert(items_.end(), other.items_.begin(), other.items_.end());
}

const CItemData& CItemList::GetItemData(std::size_t index) const {
    assert(index < items_.size());
    return items_[index];
}

CItemData& CItemList::GetItemData(std::size_t index) {
    assert(index < items_.size());
    return items_[index];
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
            AppendQuoted(out, ConvertSjisToUtf8(value));
        } else {
            AppendQuoted(out, value);
        }
    } else if (value.front() == '$') {
        // A "$NAME" placeholder is filled in on the device, so even a number
        // or boolean property holding one is written as a string.
        AppendQuoted(out, value);
    } else {
        if (kind == ItemKind::kResourceText) {
            out += ConvertSjisToUtf8(value);
        } else {
            out += value;
        }
    }
    return true;
}

bool CItemList::IsSameItems(const CItemList& other) const {
    return std::ranges::equal(items_, other.items_, [](const auto& a, const auto& b) {
        return a.GetName() == b.GetName() && a.GetValue() == b.GetValue();
    });
}

void CItemList::CopyItems(const CItemList& other) {
    if (this == &other) {
        return;
    }
    items_ = other.items_;
}

}  // namespace ze
