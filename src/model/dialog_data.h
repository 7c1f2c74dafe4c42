#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/element_store.h"
#include "model/mo_stream.h"
#include "model/object_data.h"
#include "model/undo_buffer.h"
#include "model/ze_class.h"

namespace ze {

// One dialog: its properties, its own commands (OnOpen, OnClose, OnTimer),
// one root group and its editing history. It owns every element of its tree
// through its store; an element destroyed while a step of the history still
// refers to it stays in the store until the history drops that step.
class CZeDialogData : public ZeClass, private ElementKeeper {
public:
    // name is taken as it is; CZeDialogDataList::CreateDialog makes it unique.
    explicit CZeDialogData(std::string_view name);
    ~CZeDialogData() override;

    // "Dialog:%s" with Name.
    std::string GetTreeLabel() const override;
    // Takes other's items, command list and root group (the pointers), so
    // undo puts back a dialog's properties, commands and root group; the
    // current page and the history stay.
    void CopyFrom(const ZeClass& other) override;
    // Same items, same command pointers in order, same root group.
    bool IsSameItems(const ZeClass& other) const override;
    // Appends a command; returns the number of commands before.
    int AddChild(ZeClass* command) override;
    void ForEachHeld(const std::function<void(ZeClass&)>& visit) const override;

    int AddCommand(ZeClass* command);
    const std::vector<ZeClass*>& GetCommands() const { return commands_; }
    std::vector<ZeClass*>& GetCommands() { return commands_; }

    CObjectDataList* GetRootGroup() const { return rootGroup_; }
    // The group must belong to this dialog's store (or be null).
    void SetRootGroup(CObjectDataList* group) { rootGroup_ = group; }

    std::int32_t GetCurrentPage() const { return currentPage_; }
    void SetCurrentPage(std::int32_t page) { currentPage_ = page; }

    // The store that owns this dialog's groups, objects, header columns and
    // commands (the dialog itself is in no store).
    // Taken for writing, the store and the history are about to change the
    // tree: the first step is kept first (KeepFirstStep). Readers use the
    // const ones.
    ElementStore& GetElementStore() {
        KeepFirstStep();
        return store_;
    }
    const ElementStore& GetElementStore() const { return store_; }
    UndoBuffer& GetUndoBuffer() {
        KeepFirstStep();
        return undo_;
    }
    const UndoBuffer& GetUndoBuffer() const { return undo_; }

    // Starts the history of a dialog just created or loaded. Its first step
    // holds no copies until the tree is about to change for the first time:
    // until then the tree itself is that state, and a project that is only
    // read, checked or sent never copies it.
    void StartHistory();
    // Fills the pending first step with the tree as it is. The edit calls
    // do this before they change anything; code that changes the tree by
    // hand takes the store or the history for writing first.
    void KeepFirstStep() {
        if (firstStepPending_) {
            FillFirstStep();
        }
    }
    bool IsFirstStepPending() const { return firstStepPending_; }
    // Records the tree as it is now as a step of the history, dropping the
    // steps redo could have reached, and frees the destroyed elements that
    // no step refers to any more.
    void RecordUndoStep();
    // The same, but a step that would hold no change is not recorded and the
    // steps redo can reach stay. True when a step was recorded.
    bool RecordUndoStepIfChanged();

    // One DIALOG (or POPUP) message at depth tabs; false, and nothing
    // written, without a root group.
    bool WriteDialogMessage(CMoStream& stream, int depth) const;

private:
    void BackUpTree(UndoRecord& record);
    void FillFirstStep();
    bool KeepsAny() const override;
    void ForEachLiveRoot(const std::function<void(const ZeClass&)>& visit) const override;
    void ForEachKeptRoot(const std::function<void(const ZeClass&)>& visit) const override;

    std::int32_t currentPage_ = 0;
    bool firstStepPending_ = false;
    CObjectDataList* rootGroup_ = nullptr;
    std::vector<ZeClass*> commands_;
    // Declared before the store so the tree goes first when the dialog dies;
    // a backup never touches a live element while it is destroyed.
    UndoBuffer undo_;
    ElementStore store_;
};

// The project's dialogs, in order. It has no items.
class CZeDialogDataList : public ZeClass {
public:
    CZeDialogDataList();
    ~CZeDialogDataList() override;

    // "Dialogs".
    std::string GetTreeLabel() const override;

    std::size_t GetCount() const { return dialogs_.size(); }
    CZeDialogData* GetDialog(std::size_t index) const { return dialogs_[index].get(); }

    // The first dialog whose Name is name, or null.
    CZeDialogData* FindDialog(std::string_view name) const;
    // name, or name followed by 2, 3... until no dialog has it.
    std::string MakeUniqueName(std::string_view name) const;
    // The same rule over names that taken says are in use.
    static std::string MakeUniqueName(std::string_view name,
                                      const std::function<bool(std::string_view)>& taken);
    // Appends; returns the index the dialog was stored at.
    std::size_t AddDialog(std::unique_ptr<CZeDialogData> dialog);
    // A new dialog named name (made unique), appended.
    CZeDialogData* CreateDialog(std::string_view name);
    // -1 when dialog is not in the list.
    int IndexOf(const CZeDialogData* dialog) const;
    // Exchanges the dialogs at two positions (move up, move down).
    void Swap(std::size_t first, std::size_t second);
    // Takes the dialog out of the list (searching from the end) and destroys it.
    bool DeleteDialog(const CZeDialogData* dialog);
    // Destroys the dialogs from the last to the first.
    void DeleteAll();
    // Takes every dialog out, in order, and gives the list's room back.
    std::vector<std::unique_ptr<CZeDialogData>> TakeAll();

    // The dialog messages of every dialog with a root group, or only those
    // whose Name equals filter when it is not empty.
    bool WriteDialogs(CMoStream& stream, std::string_view filter) const;

private:
    std::vector<std::unique_ptr<CZeDialogData>> dialogs_;
};

}  // namespace ze
