#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "model/step_name.h"

namespace ze {

class CObjectDataList;
class MessageSink;
class ZeClass;

// What a backup holds.
enum class UndoAction : std::int32_t {
    kCreate = 0,    // "ACT_CREATE"
    kModify = 1,    // "ACT_MODIFY"
    kOriginal = 2,  // "ACT_ORIGINAL"
};

// One element in one step of the history: a private copy of the element as
// the step found it (ACT_CREATE, ACT_MODIFY), or the live element itself
// (ACT_ORIGINAL), which undo and redo restore copies into.
class ZeClassBackup {
public:
    // A copy the backup owns.
    ZeClassBackup(UndoAction action, std::unique_ptr<ZeClass> copy);
    // The live element, not owned.
    explicit ZeClassBackup(ZeClass& original);
    virtual ~ZeClassBackup();
    ZeClassBackup(const ZeClassBackup&) = delete;
    ZeClassBackup& operator=(const ZeClassBackup&) = delete;

    UndoAction GetAction() const { return action_; }
    ZeClass* GetElement() const { return element_; }
    // Taken when the backup is made: the live element of an ACT_ORIGINAL
    // backup may be gone by the time a history is destroyed.
    std::uint64_t GetSerial() const { return serial_; }

private:
    UndoAction action_;
    std::unique_ptr<ZeClass> copy_;
    ZeClass* element_;
    std::uint64_t serial_;
};

// One step: the backups of the elements it introduced or changed, in order.
class UndoRecord {
public:
    UndoRecord();
    virtual ~UndoRecord() = default;
    UndoRecord(const UndoRecord&) = delete;
    UndoRecord& operator=(const UndoRecord&) = delete;

    void Add(std::unique_ptr<ZeClassBackup> backup) { backups_.push_back(std::move(backup)); }
    const std::vector<std::unique_ptr<ZeClassBackup>>& Backups() const { return backups_; }
    // Unique among all records of the process, never reused: a history back
    // at the step it had when the project was saved holds the same record
    // there, while a step recorded in its place after an undo has another id.
    std::uint64_t GetId() const { return id_; }
    // The serial numbers of the elements picked when the step was made:
    // undoing it picks again those of them that are in the tree.
    const std::vector<std::uint64_t>& GetSelectionBefore() const { return selectionBefore_; }
    void SetSelectionBefore(std::vector<std::uint64_t> serials) {
        selectionBefore_ = std::move(serials);
    }
    // What the step did, as the edit call that made it named it.
    const StepName& GetName() const { return name_; }
    void SetName(StepName name) { name_ = std::move(name); }
    // The step of another dialog's history this one goes with.
    const StepLink& GetLink() const { return link_; }
    void SetLink(StepLink link) { link_ = link; }

private:
    std::vector<std::unique_ptr<ZeClassBackup>> backups_;
    std::uint64_t id_;
    std::vector<std::uint64_t> selectionBefore_;
    StepName name_;
    StepLink link_;
};

// The editing history of one dialog. The record at position i is step i + 1;
// index counts the steps whose state is applied. The first step holds the
// state the dialog was created or loaded with and cannot be undone.
class UndoBuffer {
public:
    UndoBuffer() = default;
    // Destroys the records from the last to the first.
    virtual ~UndoBuffer();
    UndoBuffer(const UndoBuffer&) = delete;
    UndoBuffer& operator=(const UndoBuffer&) = delete;

    std::int32_t GetIndex() const { return index_; }
    std::size_t GetRecordCount() const { return records_.size(); }
    const UndoRecord& GetRecord(std::size_t position) const { return *records_[position]; }
    UndoRecord& GetRecord(std::size_t position) { return *records_[position]; }
    // The first step's record; the history must have one.
    UndoRecord& FirstRecord() { return *records_.front(); }
    // The id of the record whose state is applied (0 before the first step),
    // and of the first record (the state the dialog was made with).
    std::uint64_t CurrentStepId() const;
    std::uint64_t FirstStepId() const;
    // The position of the record with id; -1 when the history has none.
    int PositionOf(std::uint64_t id) const;
    // The id of the record that was applied when the project was last
    // saved (0: none of these records was). A note about the history, not
    // a change of it: set through a const history, so that marking a save
    // does not fill a first step still pending.
    std::uint64_t SavedStepId() const { return savedStepId_; }
    void SetSavedStepId(std::uint64_t id) const { savedStepId_ = id; }

    // Records a step: removes every record from index on (redo could reach
    // them), appends a record filled by root's MakeBackup and sets index to
    // the number of records. Returns the new record.
    UndoRecord& RecordStep(CObjectDataList* root);
    // Records a step filled by fill only when fill backs something up (or
    // when it is the first step): a step that changes nothing adds no record
    // and keeps the steps redo can reach. True when a record was added.
    bool RecordChangedStep(const std::function<void(UndoRecord&)>& fill);
    // Removes the records from position on when redo alone could reach them
    // (position at or after index); true when any went.
    bool DiscardRedoFrom(std::size_t position);

    // The copy (ACT_CREATE or ACT_MODIFY) with serial in the records from
    // start (index - 1 when negative) down to the first, each record read
    // from its last backup to its first; null when there is none.
    ZeClass* FindLatestCopy(std::uint64_t serial, int start) const;
    // The live element (ACT_ORIGINAL) with serial in the records from start
    // (the last record when negative) down to the first, each record read
    // from its first backup to its last; null when there is none.
    ZeClass* FindLiveElement(std::uint64_t serial, int start) const;

    // Records element into record: nothing when its latest copy in the
    // history is the same; else a copy (ACT_MODIFY), or for an element new
    // to the history a copy (ACT_CREATE) and the element itself
    // (ACT_ORIGINAL).
    void BackUp(UndoRecord& record, ZeClass& element);
    // The same for an element the history only holds once it is about to
    // change (header columns and commands, far too many to copy on every
    // load): nothing unless KeepBeforeChange took a copy of it before.
    void BackUpIfKept(UndoRecord& record, ZeClass& element);
    // Called before element may change: when no record holds a copy of it,
    // the first record gets one (ACT_CREATE) and the element itself
    // (ACT_ORIGINAL). Its state is unchanged since that step, or since it
    // was made, so undo can put it back.
    void KeepBeforeChange(ZeClass& element);
    // Appends a backup of action with a copy of element, made with the
    // element's own class (dialog, object, group, header column, command).
    // Any other kind is not copied: "error!" goes to the message sink and
    // false is returned.
    bool AppendCopy(UndoRecord& record, UndoAction action, const ZeClass& element);

    // Which elements may be chosen for selection after a step (those in the
    // dialog's tree); empty: any.
    using Selectable = std::function<bool(const ZeClass&)>;

    // Steps back: the live elements take their state before the current
    // step. Returns the element to select (an object before anything else),
    // or null when the first step is current. A restored element keeps its
    // expanded flag: whether a tree node is open is no part of the history.
    ZeClass* Undo(const Selectable& selectable = {});
    // Steps forward again; null when there is nothing to redo.
    ZeClass* Redo(const Selectable& selectable = {});
    bool CanRedo() const { return static_cast<std::size_t>(index_) < records_.size(); }

    // Calls visit for every element a record holds: each copy and each live
    // element an ACT_ORIGINAL backup refers to.
    void ForEachElement(const std::function<void(const ZeClass&)>& visit) const;

    void SetMessageSink(MessageSink* sink) { messageSink_ = sink; }

private:
    // Where a backup stands: its record and its place in the record.
    struct Position {
        int record;
        int backup;
        auto operator<=>(const Position&) const = default;
    };
    using PositionIndex = std::unordered_map<std::uint64_t, std::vector<Position>>;

    void DropRecordsFrom(std::size_t position);
    void AppendRecord(std::unique_ptr<UndoRecord> record);
    // Adds backup to record; a record of the history then has backups the
    // index has yet to take.
    void Add(UndoRecord& record, std::unique_ptr<ZeClassBackup> backup);
    void MarkUnindexed(int record);
    // Indexes the backups added since the last search. Done when a search
    // needs it, so a load that only records the first step builds no index.
    void IndexNewBackups() const;

    std::int32_t index_ = 0;
    std::vector<std::unique_ptr<UndoRecord>> records_;
    // The positions of the copies and of the live elements of each serial,
    // in history order: every step backs up the whole tree, and a search
    // through all records for each element grew with the history.
    mutable PositionIndex copies_;
    mutable PositionIndex originals_;
    // Per record, how many of its backups the index holds; the records
    // with backups it does not hold yet.
    mutable std::vector<std::size_t> indexed_;
    mutable std::vector<int> unindexed_;
    MessageSink* messageSink_ = nullptr;
    mutable std::uint64_t savedStepId_ = 0;
};

}  // namespace ze
