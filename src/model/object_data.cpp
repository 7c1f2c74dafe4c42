#include "model/object_data.h"

#include <algorithm>
#include <memory>
#include <string>

#include "model/element_store.h"
#include "model/event_text.h"
#include "model/item_writing.h"
#include "model/property_names.h"
#include "model/undo_buffer.h"

namespace ze {

CObjectData::CObjectData(CObjectDataList* parent) : CObjectData(parent, ElementKind::kObject) {}

CObjectData::CObjectData(CObjectDataList* parent, ElementKind kind)
    : ZeClass(kind), parent_(parent) {}

std::string CObjectData::GetTreeLabel() const {
    std::string text = GetItem(prop::kText);
    if (text.empty()) {
        text = GetItem(prop::kTextOn);
    }
    return "Object:" + GetItem(prop::kType) + "(" + GetItem(prop::kName) + ")" + text;
}

void CObjectData::CopyFrom(const ZeClass& other) {
    if (this == &other) {
        return;
    }
    ZeClass::CopyFrom(other);
    selected_ = 0;
    if (const auto* object = dynamic_cast<const CObjectData*>(&other)) {
        parent_ = object->parent_;
        headers_ = object->headers_;
        commands_ = object->commands_;
    }
}

bool CObjectData::IsSameItems(const ZeClass& other) const {
    const auto* object = dynamic_cast<const CObjectData*>(&other);
    return object != nullptr && ZeClass::IsSameItems(other) && parent_ == object->parent_ &&
           headers_ == object->headers_ && commands_ == object->commands_;
}

int CObjectData::AddChild(ZeClass* command) {
    commands_.push_back(command);
    return static_cast<int>(commands_.size()) - 1;
}

int CObjectData::AddHeader(ZeClass* column) {
    headers_.push_back(column);
    return static_cast<int>(headers_.size()) - 1;
}

void CObjectData::ForEachHeld(const std::function<void(ZeClass&)>& visit) const {
    for (ZeClass* column : headers_) {
        visit(*column);
    }
    for (ZeClass* command : commands_) {
        visit(*command);
    }
}

void CObjectData::WriteHeadersAndCommands(CMoStream& stream, int depth, bool wroteBefore) const {
    if (!headers_.empty()) {
        if (wroteBefore) {
            stream.Write(",", 1);
        }
        stream.Write("'Header':[");
        for (std::size_t i = 0; i < headers_.size(); ++i) {
            if (i > 0) {
                stream.Write(",", 1);
            }
            stream.Write("{", 1);
            WriteItemsJoined(stream, headers_[i]->Items());
            stream.Write("}", 1);
        }
        stream.Write("]", 1);
        wroteBefore = true;
    }
    if (!commands_.empty()) {
        // Commands on none of the known events give no text; a lone "," would
        // leave the object unreadable.
        thread_local std::string events;
        events.assign(wroteBefore ? "," : "");
        if (AppendEventText(events, commands_, depth)) {
            stream.Write(events);
        }
    }
}

void CObjectData::WriteText(CMoStream& stream, int depth) const {
    WriteTabs(stream, depth);
    stream.Write("{", 1);
    const bool wrote = WriteItemsJoined(stream, Items());
    WriteHeadersAndCommands(stream, depth, wrote);
    stream.Write("}", 1);
}

CObjectData* CObjectData::HitTest(std::int32_t x, std::int32_t y) {
    return previewRect_.Contains(x, y) ? this : nullptr;
}

void CObjectData::SetSelected(bool selected) {
    selected_ = selected ? 1 : 0;
}

CObjectData* CObjectData::FindSelected() {
    return IsSelected() ? this : nullptr;
}

int CObjectData::MoveIfSelected(CObjectDataList& target) {
    if (!IsSelected() || parent_ == &target) {
        return 0;
    }
    target.AddObject(this);
    parent_ = &target;
    return 1;
}

int CObjectData::CountSelected() const {
    return IsSelected() ? 1 : 0;
}

int CObjectData::Depth(int depth) const {
    return depth;
}

void CObjectData::MakeBackup(UndoBuffer& buffer, UndoRecord& record) {
    buffer.BackUp(record, *this);
    // The items of header columns and commands are edited in place too,
    // once the history keeps them.
    for (ZeClass* column : headers_) {
        buffer.BackUpIfKept(record, *column);
    }
    for (ZeClass* command : commands_) {
        buffer.BackUpIfKept(record, *command);
    }
}

// --- groups ---

CObjectDataList::CObjectDataList(CObjectDataList* parent)
    : CObjectData(parent, ElementKind::kGroup) {}

std::string CObjectDataList::GetTreeLabel() const {
    return "Group:" + GetItem(prop::kLayout) + "(" + GetItem(prop::kName) + ")";
}

void CObjectDataList::CopyFrom(const ZeClass& other) {
    if (this == &other) {
        return;
    }
    CObjectData::CopyFrom(other);
    if (const auto* group = dynamic_cast<const CObjectDataList*>(&other)) {
        children_ = group->children_;
    }
}

bool CObjectDataList::IsSameItems(const ZeClass& other) const {
    const auto* group = dynamic_cast<const CObjectDataList*>(&other);
    return group != nullptr && CObjectData::IsSameItems(other) && children_ == group->children_;
}

void CObjectDataList::ForEachHeld(const std::function<void(ZeClass&)>& visit) const {
    CObjectData::ForEachHeld(visit);
    for (CObjectData* child : children_) {
        visit(*child);
    }
}

void CObjectDataList::WriteText(CMoStream& stream, int depth) const {
    WriteTabs(stream, depth);
    thread_local std::string text;
    text.assign("{");
    if (AppendItemsJoined(text, Items(), "", ",")) {
        text += ',';
    }
    if (AppendEventText(text, GetCommands(), depth)) {
        text += ',';
    }
    text += "'Objects':[\n";
    stream.Write(text);
    for (std::size_t i = 0; i < children_.size(); ++i) {
        children_[i]->WriteText(stream, depth + 1);
        stream.Write(i + 1 < children_.size() ? ",\n" : "\n");
    }
    WriteTabs(stream, depth);
    stream.Write("]}");
}

CObjectData* CObjectDataList::HitTest(std::int32_t x, std::int32_t y) {
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        if (CObjectData* hit = (*it)->HitTest(x, y)) {
            return hit;
        }
    }
    return nullptr;
}

void CObjectDataList::SetSelected(bool selected) {
    CObjectData::SetSelected(selected);
    for (CObjectData* child : children_) {
        child->SetSelected(selected);
    }
}

CObjectData* CObjectDataList::FindSelected() {
    if (IsSelected()) {
        return this;
    }
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        if (CObjectData* found = (*it)->FindSelected()) {
            return found;
        }
    }
    return nullptr;
}

int CObjectDataList::MoveIfSelected(CObjectDataList& target) {
    if (this == &target || GetParent() == &target) {
        // Already in the target, with everything below it.
        return 0;
    }
    // A group that holds the target, however deep, cannot move into it
    // without making the tree a cycle; it is searched instead.
    if (!Holds(&target) && CObjectData::MoveIfSelected(target) != 0) {
        return 1;
    }
    int moved = 0;
    std::vector<CObjectData*> kept;
    kept.reserve(children_.size());
    for (CObjectData* child : std::vector<CObjectData*>(children_)) {
        if (child->MoveIfSelected(target) != 0) {
            ++moved;
        } else {
            kept.push_back(child);
        }
    }
    if (moved != 0) {
        children_ = std::move(kept);
    }
    return 0;
}

int CObjectDataList::CountSelected() const {
    int count = 0;
    for (const CObjectData* child : children_) {
        count += child->CountSelected();
    }
    return count;
}

int CObjectDataList::Depth(int depth) const {
    int deepest = 0;
    for (const CObjectData* child : children_) {
        deepest = std::max(deepest, child->Depth(depth + 1));
    }
    return deepest;
}

void CObjectDataList::MakeBackup(UndoBuffer& buffer, UndoRecord& record) {
    CObjectData::MakeBackup(buffer, record);
    for (CObjectData* child : children_) {
        child->MakeBackup(buffer, record);
    }
}

void CObjectDataList::ClearSelection() {
    SetSelected(false);
}

int CObjectDataList::AddObject(CObjectData* child) {
    children_.push_back(child);
    return static_cast<int>(children_.size()) - 1;
}

int CObjectDataList::IndexOf(const CObjectData* child) const {
    const auto it = std::find(children_.begin(), children_.end(), child);
    return it == children_.end() ? -1 : static_cast<int>(it - children_.begin());
}

void CObjectDataList::InsertBefore(CObjectData* element, const CObjectData* reference) {
    const int index = reference == nullptr ? -1 : IndexOf(reference);
    children_.insert(children_.begin() + std::max(index, 0), element);
    element->SetParent(this);
}

void CObjectDataList::InsertAfter(CObjectData* element, const CObjectData* reference) {
    const int index = reference == nullptr ? -1 : IndexOf(reference);
    const auto at = index < 0 ? children_.end() : children_.begin() + index + 1;
    children_.insert(at, element);
    element->SetParent(this);
}

bool CObjectDataList::Remove(CObjectData* child, bool destroy) {
    const int index = IndexOf(child);
    if (index < 0) {
        return false;
    }
    children_.erase(children_.begin() + index);
    if (destroy && child->GetStore() != nullptr) {
        child->GetStore()->Destroy(child);
    }
    return true;
}

bool CObjectDataList::Holds(const CObjectData* element) const {
    for (const CObjectData* child : children_) {
        if (child == element) {
            return true;
        }
        if (child->IsGroup() && static_cast<const CObjectDataList*>(child)->Holds(element)) {
            return true;
        }
    }
    return false;
}

}  // namespace ze
