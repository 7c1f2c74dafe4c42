#include "model/undo_buffer.h"

#include <algorithm>
#include <atomic>

#include "model/dialog_data.h"
#include "model/message_sink.h"
#include "model/object_data.h"
#include "model/ze_class.h"

namespace ze {

namespace {

std::unique_ptr<ZeClass> NewOfSameClass(const ZeClass& element) {
    switch (element.GetKind()) {
        case ElementKind::kDialog:
            return std::make_unique<CZeDialogData>("");
        case ElementKind::kObject:
            return std::make_unique<CObjectData>(nullptr);
        case ElementKind::kGroup:
            return std::make_unique<CObjectDataList>(nullptr);
        case ElementKind::kHeaderColumn:
        case ElementKind::kCommand:
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
            const int priority = element->GetKind() == ElementKind::kObject ? 3 : 1;
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

ZeClassBackup::ZeClassBackup(UndoAction action, std::unique_ptr<ZeClass> copy)
    : action_(action), copy_(std::move(copy)), element_(copy_.get()), serial_(copy_->GetSerial()) {}

ZeClassBackup::ZeClassBackup(ZeClass& original)
    : action_(UndoAction::kOriginal), element_(&original), serial_(original.GetSerial()) {}

ZeClassBackup::~ZeClassBackup() = default;

UndoRecord::UndoRecord() {
    static std::atomic<std::uint64_t> lastId{0};
    id_ = ++lastId;
}

std::uint64_t UndoBuffer::CurrentStepId() const {
    return index_ > 0 ? records_[static_cast<std::size_t>(index_) - 1]->GetId() : 0;
}

std::uint64_t UndoBuffer::FirstStepId() const {
    return records_.empty() ? 0 : records_.front()->GetId();
}

int UndoBuffer::PositionOf(std::uint64_t id) const {
    for (std::size_t i = 0; i < records_.size(); ++i) {
        if (records_[i]->GetId() == id) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

UndoBuffer::~UndoBuffer() {
    copies_.clear();
    originals_.clear();
    while (!records_.empty()) {
        records_.pop_back();
    }
}

void UndoBuffer::DropRecordsFrom(std::size_t position) {
    const int first = static_cast<int>(position);
    std::erase_if(unindexed_, [first](int record) { return record >= first; });
    while (records_.size() > position) {
        const auto& backups = records_.back()->Backups();
        for (std::size_t i = 0; i < indexed_.back(); ++i) {
            PositionIndex& index =
                backups[i]->GetAction() == UndoAction::kOriginal ? originals_ : copies_;
            const auto found = index.find(backups[i]->GetSerial());
            if (found == index.end()) {
                continue;
            }
            std::vector<Position>& positions = found->second;
            while (!positions.empty() && positions.back().record >= first) {
                positions.pop_back();
            }
            if (positions.empty()) {
                index.erase(found);
            }
        }
        indexed_.pop_back();
        records_.pop_back();
    }
}

void UndoBuffer::AppendRecord(std::unique_ptr<UndoRecord> record) {
    records_.push_back(std::move(record));
    indexed_.push_back(0);
    MarkUnindexed(static_cast<int>(records_.size()) - 1);
}

void UndoBuffer::MarkUnindexed(int record) {
    if (std::find(unindexed_.begin(), unindexed_.end(), record) == unindexed_.end()) {
        unindexed_.push_back(record);
    }
}

void UndoBuffer::IndexNewBackups() const {
    for (const int record : unindexed_) {
        const auto at = static_cast<std::size_t>(record);
        const auto& backups = records_[at]->Backups();
        for (std::size_t i = indexed_[at]; i < backups.size(); ++i) {
            PositionIndex& index =
                backups[i]->GetAction() == UndoAction::kOriginal ? originals_ : copies_;
            std::vector<Position>& positions = index[backups[i]->GetSerial()];
            const Position position{record, static_cast<int>(i)};
            positions.insert(std::upper_bound(positions.begin(), positions.end(), position),
                             position);
        }
        indexed_[at] = backups.size();
    }
    unindexed_.clear();
}

void UndoBuffer::Add(UndoRecord& record, std::unique_ptr<ZeClassBackup> backup) {
    record.Add(std::move(backup));
    // The record being filled is the last one (RecordStep), the first one
    // (KeepBeforeChange), or not yet the history's (RecordChangedStep).
    if (!records_.empty() && &record == records_.back().get()) {
        MarkUnindexed(static_cast<int>(records_.size()) - 1);
    } else if (!records_.empty() && &record == records_.front().get()) {
        MarkUnindexed(0);
    }
}

UndoRecord& UndoBuffer::RecordStep(CObjectDataList* root) {
    DropRecordsFrom(static_cast<std::size_t>(std::max(index_, 0)));
    index_ = static_cast<std::int32_t>(records_.size());
    AppendRecord(std::make_unique<UndoRecord>());
    UndoRecord& record = *records_.back();
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
    AppendRecord(std::move(record));
    index_ = static_cast<std::int32_t>(records_.size());
    return true;
}

bool UndoBuffer::DiscardRedoFrom(std::size_t position) {
    if (position < static_cast<std::size_t>(std::max(index_, 0)) || position >= records_.size()) {
        return false;
    }
    DropRecordsFrom(position);
    return true;
}

ZeClass* UndoBuffer::FindLatestCopy(std::uint64_t serial, int start) const {
    if (start < 0) {
        start = index_ - 1;
    }
    start = std::min(start, static_cast<int>(records_.size()) - 1);
    if (start < 0) {
        return nullptr;
    }
    IndexNewBackups();
    const auto found = copies_.find(serial);
    if (found == copies_.end()) {
        return nullptr;
    }
    // The last backup of the latest record at or before start.
    const std::vector<Position>& positions = found->second;
    for (auto it = positions.rbegin(); it != positions.rend(); ++it) {
        if (it->record <= start) {
            return records_[static_cast<std::size_t>(it->record)]
                ->Backups()[static_cast<std::size_t>(it->backup)]
                ->GetElement();
        }
    }
    return nullptr;
}

ZeClass* UndoBuffer::FindLiveElement(std::uint64_t serial, int start) const {
    const int last = static_cast<int>(records_.size()) - 1;
    start = start < 0 ? last : std::min(start, last);
    if (start < 0) {
        return nullptr;
    }
    IndexNewBackups();
    const auto found = originals_.find(serial);
    if (found == originals_.end()) {
        return nullptr;
    }
    // The first backup of the latest record at or before start.
    const std::vector<Position>& positions = found->second;
    const Position* chosen = nullptr;
    for (auto it = positions.rbegin(); it != positions.rend(); ++it) {
        if (it->record > start) {
            continue;
        }
        if (chosen != nullptr && it->record != chosen->record) {
            break;
        }
        chosen = &*it;
    }
    if (chosen == nullptr) {
        return nullptr;
    }
    return records_[static_cast<std::size_t>(chosen->record)]
        ->Backups()[static_cast<std::size_t>(chosen->backup)]
        ->GetElement();
}

void UndoBuffer::BackUp(UndoRecord& record, ZeClass& element) {
    if (const ZeClass* latest = FindLatestCopy(element.GetSerial(), -1)) {
        if (!element.IsSameItems(*latest)) {
            AppendCopy(record, UndoAction::kModify, element);
        }
        return;
    }
    if (AppendCopy(record, UndoAction::kCreate, element)) {
        Add(record, std::make_unique<ZeClassBackup>(element));
    }
}

void UndoBuffer::BackUpIfKept(UndoRecord& record, ZeClass& element) {
    if (const ZeClass* latest = FindLatestCopy(element.GetSerial(), -1)) {
        if (!element.IsSameItems(*latest)) {
            AppendCopy(record, UndoAction::kModify, element);
        }
    }
}

void UndoBuffer::KeepBeforeChange(ZeClass& element) {
    if (records_.empty() ||
        FindLatestCopy(element.GetSerial(), static_cast<int>(records_.size()) - 1) != nullptr) {
        return;
    }
    UndoRecord& first = *records_.front();
    if (AppendCopy(first, UndoAction::kCreate, element)) {
        Add(first, std::make_unique<ZeClassBackup>(element));
    }
}

bool UndoBuffer::AppendCopy(UndoRecord& record, UndoAction action, const ZeClass& element) {
    std::unique_ptr<ZeClass> copy = NewOfSameClass(element);
    if (copy == nullptr) {
        if (messageSink_ != nullptr) {
            messageSink_->ShowMessage("error!", MessageIcon::kNone);
        }
        return false;
    }
    copy->CopyFrom(element);
    Add(record, std::make_unique<ZeClassBackup>(action, std::move(copy)));
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
        if (backup->GetAction() == UndoAction::kCreate) {
            considered = FindLiveElement(serial, -1);
        } else if (backup->GetAction() == UndoAction::kModify) {
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
        if (backup->GetAction() == UndoAction::kCreate) {
            considered = FindLiveElement(serial, -1);
        } else if (backup->GetAction() == UndoAction::kModify) {
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
