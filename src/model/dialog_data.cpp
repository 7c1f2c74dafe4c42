#include "model/dialog_data.h"

#include <algorithm>
#include <string>

#include "model/event_text.h"
#include "model/item_writing.h"
#include "model/property_names.h"
#include "model/schema.h"

namespace ze {

CZeDialogData::CZeDialogData(std::string_view name) : ZeClass(ElementKind::kDialog) {
    AddDialogItems(Items(), name);
    store_.SetKeeper(this);
}

void CZeDialogData::BackUpTree(UndoRecord& record) {
    // The dialog's own items, commands and root group first, then the tree.
    undo_.BackUp(record, *this);
    for (ZeClass* command : commands_) {
        undo_.BackUpIfKept(record, *command);
    }
    if (rootGroup_ != nullptr) {
        rootGroup_->MakeBackup(undo_, record);
    }
}

void CZeDialogData::StartHistory() {
    undo_.RecordStep(nullptr);
    firstStepPending_ = true;
}

void CZeDialogData::FillFirstStep() {
    firstStepPending_ = false;
    // The history holds the first step only: filling it now gives the record
    // a step recorded at load time would have had.
    BackUpTree(undo_.FirstRecord());
}

void CZeDialogData::RecordUndoStep() {
    KeepFirstStep();
    const bool drops = static_cast<std::size_t>(undo_.GetIndex()) < undo_.GetRecordCount();
    BackUpTree(undo_.RecordStep(nullptr));
    if (drops) {
        store_.Collect();
    }
}

bool CZeDialogData::RecordUndoStepIfChanged() {
    KeepFirstStep();
    const bool drops = static_cast<std::size_t>(undo_.GetIndex()) < undo_.GetRecordCount();
    if (!undo_.RecordChangedStep([this](UndoRecord& record) { BackUpTree(record); })) {
        return false;
    }
    if (drops) {
        store_.Collect();
    }
    return true;
}

bool CZeDialogData::KeepsAny() const {
    return undo_.GetRecordCount() != 0;
}

void CZeDialogData::ForEachLiveRoot(const std::function<void(const ZeClass&)>& visit) const {
    ForEachHeld([&](ZeClass& element) { visit(element); });
}

void CZeDialogData::ForEachKeptRoot(const std::function<void(const ZeClass&)>& visit) const {
    undo_.ForEachElement(visit);
}

CZeDialogData::~CZeDialogData() = default;

void CZeDialogData::CopyFrom(const ZeClass& other) {
    if (this == &other) {
        return;
    }
    ZeClass::CopyFrom(other);
    if (const auto* dialog = dynamic_cast<const CZeDialogData*>(&other)) {
        commands_ = dialog->commands_;
        rootGroup_ = dialog->rootGroup_;
    }
}

bool CZeDialogData::IsSameItems(const ZeClass& other) const {
    const auto* dialog = dynamic_cast<const CZeDialogData*>(&other);
    return dialog != nullptr && ZeClass::IsSameItems(other) && commands_ == dialog->commands_ &&
           rootGroup_ == dialog->rootGroup_;
}

std::string CZeDialogData::GetTreeLabel() const {
    return "Dialog:" + GetItem(prop::kName);
}

int CZeDialogData::AddChild(ZeClass* command) {
    return AddCommand(command);
}

int CZeDialogData::AddCommand(ZeClass* command) {
    commands_.push_back(command);
    return static_cast<int>(commands_.size()) - 1;
}

void CZeDialogData::ForEachHeld(const std::function<void(ZeClass&)>& visit) const {
    for (ZeClass* command : commands_) {
        visit(*command);
    }
    if (rootGroup_ != nullptr) {
        visit(*rootGroup_);
    }
}

bool CZeDialogData::WriteDialogMessage(CMoStream& stream, int depth) const {
    if (rootGroup_ == nullptr) {
        return false;
    }
    const std::string tabs(static_cast<std::size_t>(std::max(depth, 0)), '\t');
    stream.Write(tabs);
    stream.Write(GetItem(prop::kTemplateType) == "POPUP" ? "{'Command':'POPUP'"
                                                         : "{'Command':'DIALOG'");
    std::string text;
    AppendItemsJoined(text, Items(), ",", ",");
    stream.Write(text);
    if (!commands_.empty()) {
        const std::string events = BuildEventText(commands_, depth);
        if (!events.empty()) {
            stream.Write(",", 1);
            stream.Write(events);
            stream.Write("\n", 1);
            stream.Write(tabs);
        }
    }
    stream.Write(",'Object':\n");
    rootGroup_->WriteText(stream, depth + 1);
    stream.Write("\n", 1);
    stream.Write(tabs);
    stream.Write("}", 1);
    return true;
}

// --- the dialog list ---

CZeDialogDataList::CZeDialogDataList() : ZeClass(ElementKind::kDialogList) {}

CZeDialogDataList::~CZeDialogDataList() {
    DeleteAll();
}

std::string CZeDialogDataList::GetTreeLabel() const {
    return "Dialogs";
}

CZeDialogData* CZeDialogDataList::FindDialog(std::string_view name) const {
    for (const auto& dialog : dialogs_) {
        if (dialog->Items().GetItemView(prop::kName) == name) {
            return dialog.get();
        }
    }
    return nullptr;
}

std::string CZeDialogDataList::MakeUniqueName(std::string_view name) const {
    return MakeUniqueName(
        name, [this](std::string_view candidate) { return FindDialog(candidate) != nullptr; });
}

std::string CZeDialogDataList::MakeUniqueName(std::string_view name,
                                              const std::function<bool(std::string_view)>& taken) {
    std::string candidate(name);
    for (long long counter = 2; taken(candidate); ++counter) {
        candidate = std::string(name) + std::to_string(counter);
    }
    return candidate;
}

std::size_t CZeDialogDataList::AddDialog(std::unique_ptr<CZeDialogData> dialog) {
    dialogs_.push_back(std::move(dialog));
    return dialogs_.size() - 1;
}

CZeDialogData* CZeDialogDataList::CreateDialog(std::string_view name) {
    auto dialog = std::make_unique<CZeDialogData>(MakeUniqueName(name));
    CZeDialogData* raw = dialog.get();
    AddDialog(std::move(dialog));
    raw->StartHistory();
    return raw;
}

int CZeDialogDataList::IndexOf(const CZeDialogData* dialog) const {
    for (std::size_t i = 0; i < dialogs_.size(); ++i) {
        if (dialogs_[i].get() == dialog) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void CZeDialogDataList::Swap(std::size_t first, std::size_t second) {
    if (first < dialogs_.size() && second < dialogs_.size()) {
        std::swap(dialogs_[first], dialogs_[second]);
    }
}

bool CZeDialogDataList::DeleteDialog(const CZeDialogData* dialog) {
    for (std::size_t i = dialogs_.size(); i-- > 0;) {
        if (dialogs_[i].get() == dialog) {
            dialogs_.erase(dialogs_.begin() + static_cast<std::ptrdiff_t>(i));
            return true;
        }
    }
    return false;
}

void CZeDialogDataList::DeleteAll() {
    while (!dialogs_.empty()) {
        dialogs_.pop_back();
    }
}

std::vector<std::unique_ptr<CZeDialogData>> CZeDialogDataList::TakeAll() {
    std::vector<std::unique_ptr<CZeDialogData>> taken;
    taken.swap(dialogs_);
    return taken;
}

bool CZeDialogDataList::WriteDialogs(CMoStream& stream, std::string_view filter) const {
    bool first = true;
    for (const auto& dialog : dialogs_) {
        if (dialog->GetRootGroup() == nullptr) {
            continue;
        }
        if (!filter.empty() && dialog->GetItem(prop::kName) != filter) {
            continue;
        }
        if (!first) {
            stream.Write(",\n");
        }
        dialog->WriteDialogMessage(stream, 1);
        first = false;
    }
    stream.Write("\n", 1);
    return true;
}

}  // namespace ze
