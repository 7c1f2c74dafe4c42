#include "model/item_list.h"

#include <algorithm>
#include <cassert>

#include "common/text_convert.h"

namespace ze {

namespace {

void AppendQuoted(std::string& out, std::string_view text) {
    out += '\'';
    out += text;
    out += '\'';
}

}  // namespace

std::string CItemList::GetItem(std::string_view name) const {
    for (const auto& item : items_) {
        if (item->GetName() == name) {
            return item->GetValue();
        }
    }
    return {};
}

bool CItemList::SetItem(std::string_view name, std::string_view value) {
    for (const auto& item : items_) {
        if (item->GetName() == name) {
            item->SetValue(std::string(value));
            return true;
        }
    }
    return false;
}

void CItemList::AddItem(std::unique_ptr<CItemData> item) {
    assert(item);
    items_.push_back(std::move(item));
}

const CItemData& CItemList::GetItemData(std::size_t index) const {
    assert(index < items_.size());
    return *items_[index];
}

CItemData& CItemList::GetItemData(std::size_t index) {
    assert(index < items_.size());
    return *items_[index];
}

std::int32_t CItemList::GetItemKind(std::size_t index) const {
    return GetItemData(index).GetKind();
}

const ChoiceList* CItemList::GetItemChoices(std::size_t index) const {
    return GetItemData(index).GetChoices();
}

std::string CItemList::WriteItem(std::size_t index) const {
    const CItemData& item = GetItemData(index);
    const std::string& name = item.GetName();
    const std::string& value = item.GetValue();
    if (name.empty() || value.empty()) {
        return {};
    }
    const std::int32_t kind = item.GetKind();
    std::string out;
    AppendQuoted(out, name);
    out += ':';
    if (kind <= item_kind::kLastQuoted) {
        AppendQuoted(out, kind == item_kind::kUserText ? ConvertSjisToUtf8(value) : value);
    } else if (value.front() == '$') {
        // A "$NAME" placeholder is filled in on the device, so even a number
        // or boolean property holding one is written as a string.
        AppendQuoted(out, value);
    } else {
        out += kind == item_kind::kResourceText ? ConvertSjisToUtf8(value) : value;
    }
    return out;
}

bool CItemList::IsSameItems(const CItemList& other) const {
    return std::ranges::equal(items_, other.items_, [](const auto& a, const auto& b) {
        return a->GetName() == b->GetName() && a->GetValue() == b->GetValue();
    });
}

void CItemList::CopyItems(const CItemList& other) {
    if (this == &other) {
        return;
    }
    items_.clear();
    items_.reserve(other.items_.size());
    for (const auto& item : other.items_) {
        items_.push_back(std::make_unique<CItemData>(*item));
    }
}

}  // namespace ze
