#include "model/undo_buffer.h"

#include <algorithm>

#include "model/dialog_data.h"
#include "model/message_sink.h"
#include "model/object_data.h"
#include "model/ze_class.h"

namespace ze {

namespace {

std::unique_ptr<ZeClass> NewOfSameClass(const ZeClass& element) {
    switch (element.GetKind()) {
        case element_kind::kDialog:
            return std::make_unique<CZeDialogData>("");
        case element_kind::kObject:
            return std::make_unique<CObjectData>(nullptr);
        case element_kind::kGroup:
            return std::make_unique<CObjectDataList>(nullptr);
        case element_kind::kHeaderColumn:
        case element_kind::kCommand:
            // Plain elements: their items are all there is to restore.
            return std::make_unique<ZeClass>(element.GetKind());
        default:
            return nullptr;
    }
}

// The element to select after undo or redo: the first of the highest
// priority, an object (3) before anything else (1), among the elements the
// step considered that are selectable once the whole step is applied.
class SelectionChoice {
public:
    void Consider(ZeClass* element) {
        if (element != nullptr) {
            considered_.push_back(element);
        }
    }
    ZeClass* Chosen(const UndoBuffer::Selectable& selectable) const {
        int best = 0;
        ZeClass* chosen = nullptr;
        for (ZeClass* element : considered_) {
            const int priority = element->GetKind() == element_kind::kObject ? 3 : 1;
            if (priority > best && (!selectable || selectable(*element))) {
                best = priority;
                chosen = element;
            }
        }
        return chosen;
    }

private:
    std::vector<ZeClass*> considered_;
};

// live takes saved's state; the node's open or closed state is the view's.
void Restore(ZeClass& live, const ZeClass& saved) {
    const bool expanded = live.IsExpanded();
    live.CopyFrom(saved);
    live.SetExpanded(expanded);
}

}  // namespace

ZeClassBackup::ZeClassBackup(std::int32_t action, std::unique_ptr<ZeClass> copy)
    : action_(action), copy_(std::move(copy)), element_(copy_.get()) {}

ZeClassBackup::ZeClassBackup(ZeClass& original)
    : action_(undo_action::kOriginal), element_(&original) {}

ZeClassBackup::~ZeClassBackup() = default;

std::uint64_t ZeClassBackup::GetSerial() const {
    return element_->GetSerial();
}

UndoBuffer::~UndoBuffer() {
    DropRecordsFrom(0);
}

void UndoBuffer::DropRecordsFrom(std::size_t position) {
    while (records_.size() > position) {
        records_.pop_back();
    }
}

UndoRecord& UndoBuffer::RecordStep(CObjectDataList* root) {
    DropRecordsFrom(static_cast<std::size_t>(std::max(index_, 0)));
    index_ = static_cast<std::int32_t>(records_.size());
    UndoRecord& record = *records_.emplace_back(std::make_unique<UndoRecord>());
    if (root != nullptr) {
        root->MakeBackup(*this, record);
    }
    index_ = static_cast<std::int32_t>(records_.size());
    return record;
}

bool UndoBuffer::RecordChangedStep(const std::function<void(UndoRecord&)>& fill) {
    auto record = std::make_unique<UndoRecord>();
    fill(*record);
    if (record->Backups().empty() && !records_.empty()) {
        return false;
    }
    DropRecordsFrom(static_cast<std::size_t>(std::max(index_, 0)));
    records_.push_back(std::move(record));
    index_ = static_cast<std::int32_t>(records_.size());
    return true;
}

ZeClass* UndoBuffer::FindLatestCopy(std::uint64_t serial, int start) const {
    if (start < 0) {
        start = index_ - 1;
    }
    start = std::min(start, static_cast<int>(records_.size()) - 1);
    for (int position = start; position >= 0; --position) {
        const auto& backups = records_[static_cast<std::size_t>(position)]->Backups();
        for (auto it = backups.rbegin(); it != backups.rend(); ++it) {
            if ((*it)->GetAction() != undo_action::kOriginal && (*it)->GetSerial() == serial) {
                return (*it)->GetElement();
            }
        }
    }
    return nullptr;
}

ZeClass* UndoBuffer::FindLiveElement(std::uint64_t serial, int start) const {
    const int last = static_cast<int>(records_.size()) - 1;
    start = start < 0 ? last : std::min(start, last);
    for (int position = start; position >= 0; --position) {
        for (const auto& backup : records_[static_cast<std::size_t>(position)]->Backups()) {
            if (backup->GetAction() == undo_action::kOriginal && backup->GetSerial() == serial) {
                return backup->GetElement();
            }
        }
    }
    return nullptr;
}

void UndoBuffer::BackUp(UndoRecord& record, ZeClass& element) {
    if (const ZeClass* latest = FindLatestCopy(element.GetSerial(), -1)) {
        if (!element.IsSameItems(*latest)) {
            AppendCopy(record, undo_action::kModify, element);
        }
        return;
    }
    if (AppendCopy(record, undo_action::kCreate, element)) {
        record.Add(std::make_unique<ZeClassBackup>(element));
    }
}

void UndoBuffer::BackUpIfKept(UndoRecord& record, ZeClass& element) {
    if (const ZeClass* latest = FindLatestCopy(element.GetSerial(), -1)) {
        if (!element.IsSameItems(*latest)) {
            AppendCopy(record, undo_action::kModify, element);
        }
    }
}

void UndoBuffer::KeepBeforeChange(ZeClass& element) {
    if (records_.empty() ||
        FindLatestCopy(element.GetSerial(), static_cast<int>(records_.size()) - 1) != nullptr) {
        return;
    }
    UndoRecord& first = *records_.front();
    if (AppendCopy(first, undo_action::kCreate, element)) {
        first.Add(std::make_unique<ZeClassBackup>(element));
    }
}

bool UndoBuffer::AppendCopy(UndoRecord& record, std::int32_t action, const ZeClass& element) {
    std::unique_ptr<ZeClass> copy = NewOfSameClass(element);
    if (copy == nullptr) {
        if (messageSink_ != nullptr) {
            messageSink_->ShowMessage("error!", MessageIcon::kNone);
        }
        return false;
    }
    copy->CopyFrom(element);
    record.Add(std::make_unique<ZeClassBackup>(action, std::move(copy)));
    return true;
}

ZeClass* UndoBuffer::Undo(const Selectable& selectable) {
    if (index_ <= 1) {
        return nullptr;
    }
    const int step = index_ - 1;
    SelectionChoice selection;
    ZeClass* considered = nullptr;
    for (const auto& backup : records_[static_cast<std::size_t>(step)]->Backups()) {
        const std::uint64_t serial = backup->GetSerial();
        if (backup->GetAction() == undo_action::kCreate) {
            considered = FindLiveElement(serial, -1);
        } else if (backup->GetAction() == undo_action::kModify) {
            ZeClass* before = FindLatestCopy(serial, step - 1);
            ZeClass* live = FindLiveElement(serial, -1);
            if (live == nullptr && before != nullptr) {
                continue;
            }
            if (live != nullptr && before != nullptr) {
                Restore(*live, *before);
            }
            considered = live;
        }
        selection.Consider(considered);
    }
    index_ = step;
    return selection.Chosen(selectable);
}

ZeClass* UndoBuffer::Redo(const Selectable& selectable) {
    if (!CanRedo()) {
        return nullptr;
    }
    SelectionChoice selection;
    ZeClass* considered = nullptr;
    for (const auto& backup : records_[static_cast<std::size_t>(index_)]->Backups()) {
        const std::uint64_t serial = backup->GetSerial();
        if (backup->GetAction() == undo_action::kCreate) {
            considered = FindLiveElement(serial, -1);
        } else if (backup->GetAction() == undo_action::kModify) {
            ZeClass* live = FindLiveElement(serial, -1);
            if (live == nullptr) {
                continue;
            }
            Restore(*live, *backup->GetElement());
            considered = live;
        }
        selection.Consider(considered);
    }
    ++index_;
    return selection.Chosen(selectable);
}

void UndoBuffer::ForEachElement(const std::function<void(const ZeClass&)>& visit) const {
    for (const auto& record : records_) {
        for (const auto& backup : record->Backups()) {
            visit(*backup->GetElement());
        }
    }
}

}  // namespace ze
