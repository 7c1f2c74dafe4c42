// Random edit scripts, with fixed seeds, over the sample project and generated
// dialogs, with random picks as the tree and the preview make them and the
// edits of several picked elements. A recording observer stands in for the
// views: after every call its picture of each tree and of the selection has
// to be the model's, nothing picked may lie outside its dialog's tree, and
// the history has to have moved as the result says. At the end, undoing everything has to give back the
// text the project was loaded with, and redoing everything the text at the end.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "common/cp932.h"
#include "model/dialog_data.h"
#include "model/editing/element_lookup.h"
#include "model/editing/history_edits.h"
#include "model/editing/property_edits.h"
#include "model/editing/selection.h"
#include "model/editing/selection_edits.h"
#include "model/editing/tree_edits.h"
#include "model/mo_stream.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "recording_observer.h"

namespace ze {
namespace {

constexpr int kStepsPerSeed = 4000;

// Two dialogs with every kind of group nested a few levels deep, GRIDs with
// header columns and objects with commands.
std::string GeneratedDialogs() {
    const std::string leaves =
        "{'Name':'t','Type':'TEXT','Text':'hi'},{'Name':'b','Type':'BUTTON','FileOn':'on.png',"
        "'OnClick':[{'Event':'OnClick','Command':'CLOSE'},"
        "{'Event':'OnClick','Command':'NOTIFY','MakeCommand':'UPDATE','Name':'t'}]},"
        "{'Name':'grid','Type':'GRID','Header':[{'TSize':'10pt'},{'TAlign':'LEFT'},{}]},"
        "{'Name':'m','Type':'METER','OnClick':{'Event':'OnClick','Command':'SOUND'}}";
    const std::string nested = "{'Type':'GROUP','Layout':'LINEAR','Objects':[" + leaves +
                               ",{'Type':'GROUP','Layout':'FRAME','Objects':[" + leaves + "]}]}";
    std::string text = "{'Commands':[";
    for (const std::string name : {"GenA", "GenB"}) {
        text += "{'Command':'DIALOG','Name':'" + name +
                "','OnOpen':{'Event':'OnOpen','Command':'TIMER','Time':100},"
                "'Object':{'Type':'GROUP','Layout':'FRAME','Objects':[";
        for (const std::string layout : {"LINEAR", "PAGE", "RELATIVE", "SCROLL"}) {
            text += "{'Type':'GROUP','Layout':'" + layout + "','Objects':[" + leaves + "," +
                    nested + "]},";
        }
        text +=
            "{'Type':'GROUP','Layout':'RADIO','Objects':[{'Type':'RADIOBTN'},"
            "{'Type':'RADIOBTN'}]},{'Type':'GROUP','Layout':'TABLE','Objects':["
            "{'Type':'GROUP','Layout':'TABLEROW','Objects':[" +
            leaves + "]}]}]}},";
    }
    text.back() = ']';
    return text + "}";
}

std::string ProjectText(const CZeResourceData& project) {
    CJsonString text;
    project.WriteProject(text, "");
    return text.TakeText();
}

const std::vector<std::string> kTypeNames = {
    "TEXT",  "button", "Grid",  "RADIOBTN", "radiobtn", "METER", "SlideBar", "linear", "FRAME",
    "Radio", "page",   "TABLE", "TableRow", "relative", "GROUP", "NOSUCH",   ""};
// UTF-8, as the user types them.
const std::vector<std::string> kValues = {"",     "1",     "abc",        "it's",           "a\\b",
                                          "10px", "CLOSE", "UPDATE",     "TIMER",          "BUTTON",
                                          "GRID", "GROUP", "RADIO",      "TABLEROW",       "Main",
                                          "GenA", "POPUP", "キャンセル", "ヘッダ項目追加", "表示"};
const std::vector<std::string> kImages = {"a.png", "btn[10-20].png", "k[3-4]x.bmp"};
const std::vector<std::string> kOddTexts = {"{'Name':", "[1,2]", "{'Name':'o','Type':'NOSUCH'}",
                                            "{'Objects':[]}", ""};

class EditScript {
public:
    explicit EditScript(unsigned seed) : random_(seed) {
        EXPECT_TRUE(project_.LoadFile(ZE_TEST_DATA_DIR "/../../examples/SampleApp.moxspro"));
        EXPECT_TRUE(project_.LoadText(GeneratedDialogs()));
        seen_ = std::make_unique<RecordingObserver>(project_);
    }

    CZeResourceData& Project() { return project_; }

    // One random call on a random element of a random dialog, then checks.
    void Step() {
        const CZeDialogDataList& dialogs = project_.GetDialogs();
        CZeDialogData& dialog = *dialogs.GetDialog(Pick(dialogs.GetCount()));
        const std::vector<ZeClass*> elements = TreeElements(dialog);
        ZeClass* inside = elements.empty() ? nullptr : PickOf(elements);
        ZeClass* any = inside == nullptr || Pick(20) == 0 ? &dialog : inside;
        // The dialog named to the call: the right one, none or any.
        CZeDialogData* hint = Pick(3) == 0   ? nullptr
                              : Pick(2) == 0 ? dialogs.GetDialog(Pick(dialogs.GetCount()))
                                             : &dialog;
        const auto mode = static_cast<PasteMode>(Pick(3));
        // The element the call has to report changed when it changes anything.
        ZeClass* changes = inside != nullptr ? FindOwner(dialog, *inside) : nullptr;
        const HistoryCounts before = CountHistories(project_);
        const std::size_t operation = Pick(19);
        // The edits of the selection act on the dialog itself when nothing is
        // picked; deleting, moving or copying a whole dialog is beyond any
        // history, so those wait for a pick.
        const bool picked = !project_.GetSelection().Elements().empty();
        SCOPED_TRACE("operation " + std::to_string(operation));
        EditResult result;
        switch (operation) {
            case 0:
            case 1:
                result = MoveElement(project_, hint, inside,
                                     operation == 0 ? MoveDirection::kUp : MoveDirection::kDown);
                break;
            case 2:
                result = DeleteElement(project_, hint, inside);
                break;
            case 3:
                changes = nullptr;
                result = PasteElement(project_, hint, any, Clipboard(), mode);
                break;
            case 4:
                changes = nullptr;
                result = InsertElement(project_, hint, any, PickOf(kTypeNames), mode);
                break;
            case 5:
            case 6:
                changes = nullptr;
                SelectAtRandom(dialog, elements, inside);
                result = operation == 5 ? GroupSelection(project_, hint, inside)
                                        : UngroupElement(project_, hint, inside);
                break;
            case 13:
                changes = nullptr;
                SelectAtRandom(dialog, elements, inside);
                break;
            case 14:
                changes = nullptr;
                if (ZeClass* current = project_.GetSelection().Current()) {
                    const std::size_t row = Row(*current);
                    if (row < current->Items().GetItemCount()) {
                        result = CommitPropertyToSelection(
                            project_, current->Items().GetItemData(row).GetName(),
                            Value(*current));
                    }
                }
                break;
            case 15:
                changes = nullptr;
                if (picked) {
                    result = DeleteSelection(project_);
                }
                break;
            case 16:
                changes = nullptr;
                if (const EditResult copy = CopySelection(project_);
                    picked && !copy.clipboardText.empty()) {
                    clipboard_ = copy.clipboardText;
                }
                break;
            case 17:
                changes = nullptr;
                if (picked) {
                    result = MoveSelection(project_,
                                           Pick(2) ? MoveDirection::kUp : MoveDirection::kDown);
                }
                break;
            case 18:
                changes = nullptr;
                result = PasteAtSelection(project_, Clipboard(), mode);
                break;
            case 7:
            case 8:
                changes = any;
                result = CommitProperty(project_, hint, any, Row(*any), Value(*any));
                break;
            case 9:
                changes = any;
                result =
                    AssignImage(project_, hint, any, Row(*any),
                                Pick(2) ? PaneEntryKind::kBuiltInImage : PaneEntryKind::kUserImage,
                                PickOf(kImages));
                break;
            default:
                StepHistory(dialog, operation == 12, before);
                return;
        }
        VerifySelection();
        Verify(before, result, 0);
        if (result.changed && changes != nullptr) {
            const auto& changed = result.change.changed;
            EXPECT_NE(std::find(changed.begin(), changed.end(), changes), changed.end());
        }
    }

    // Undoes (or redoes) in dialog until its history stops.
    void StepAll(CZeDialogData& dialog, bool forward) {
        while (StepHistory(dialog, forward, CountHistories(project_)) &&
               !::testing::Test::HasFailure()) {
        }
    }

private:
    bool StepHistory(CZeDialogData& dialog, bool forward, const HistoryCounts& before) {
        const EditResult result = forward ? RedoEdit(project_, dialog) : UndoEdit(project_, dialog);
        Verify(before, result, forward ? 1 : -1);
        VerifySelection();
        if (result.changed) {
            // Redo picks the first element the step brought back; either
            // picks elements of the tree, in this dialog.
            const auto& change = result.change;
            if (forward && !change.added.empty()) {
                EXPECT_EQ(result.select, change.added.front());
            }
            EXPECT_EQ(project_.GetSelection().Dialog(), &dialog);
            for (const ZeClass* element : project_.GetSelection().Elements()) {
                EXPECT_TRUE(IsInTree(dialog, *element));
            }
        }
        return result.changed;
    }

    // moved: how far undo (-1) or redo (+1) moves the history when it can.
    void Verify(const HistoryCounts& before, const EditResult& result, int moved) {
        EXPECT_TRUE(result.stepsRecorded == 0 || result.stepsRecorded == 1);
        if (!result.changed) {
            EXPECT_EQ(result.stepsRecorded, 0);
            EXPECT_TRUE(seen_->log.empty()) << seen_->log.front();
        }
        ExpectHistoriesFollow(project_, before, result, result.changed ? moved : 0);
        for (const auto& counted : before) {
            const CZeDialogData* dialog = counted.first;
            // What the views show is the tree, no more and no less.
            const std::vector<ZeClass*> tree = TreeElements(*dialog);
            const std::unordered_set<ZeClass*>& shown = seen_->shown[dialog];
            EXPECT_EQ(shown, std::unordered_set<ZeClass*>(tree.begin(), tree.end()))
                << dialog->GetItem("Name");
            if (dialog == result.change.dialog) {
                for (ZeClass* element : shown) {
                    EXPECT_TRUE(IsInTree(*dialog, *element));
                }
            }
        }
        if (result.select != nullptr) {
            EXPECT_NE(FindDialogOf(project_, *result.select), nullptr) << "selects outside a tree";
        }
        seen_->Forget();
    }

    std::size_t Pick(std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_);
    }
    template <typename T>
    const T& PickOf(const std::vector<T>& list) {
        return list[Pick(list.size())];
    }

    // A copy of an object or group of some dialog, or text that is no
    // element; a copy too large to paste often leaves the last one.
    std::string Clipboard() {
        if (Pick(8) == 0) {
            return PickOf(kOddTexts);
        }
        const CZeResourceData& project = project_;
        const std::vector<ZeClass*> elements =
            TreeElements(*project.GetDialogs().GetDialog(Pick(project.GetDialogs().GetCount())));
        if (!elements.empty()) {
            const EditResult copy = CopyElement(PickOf(elements));
            EXPECT_FALSE(copy.changed);
            if (copy.clipboardText.size() < 3000) {
                clipboard_ = copy.clipboardText;
            }
        }
        return clipboard_;
    }

    // Any row or one past the last, an image row more often than others.
    std::size_t Row(const ZeClass& element) {
        const CItemList& items = element.Items();
        for (std::size_t i = 0; i < items.GetItemCount() && Pick(3) == 0; ++i) {
            if (items.GetItemData(i).GetName().starts_with("File")) {
                return i;
            }
        }
        return Pick(items.GetItemCount() + 1);
    }

    // The value stored in some row, a choice it offers, or a telling one.
    std::string Value(const ZeClass& element) {
        const CItemList& items = element.Items();
        const std::size_t row = Pick(items.GetItemCount() + 1);
        if (row < items.GetItemCount() && Pick(3) == 0) {
            return std::string(items.GetItemData(row).GetValue());
        }
        if (row < items.GetItemCount() && items.GetItemChoices(row) != nullptr &&
            !items.GetItemChoices(row)->empty() && Pick(2) == 0) {
            return PickOf(*items.GetItemChoices(row));
        }
        return Utf8ToCp932(PickOf(kValues));
    }

    // Picks as the tree and the preview make them; the chosen group alone
    // half the time, so that it can be ungrouped.
    void SelectAtRandom(CZeDialogData& dialog, const std::vector<ZeClass*>& elements,
                        ZeClass* chosen) {
        if (chosen == nullptr) {
            Select(project_, &dialog);
            return;
        }
        if (chosen->GetKind() == ElementKind::kGroup && Pick(2) == 0) {
            Select(project_, chosen);
            return;
        }
        Select(project_, PickOf(elements));
        for (std::size_t n = Pick(5); n > 0; --n) {
            ZeClass* element = PickOf(elements);
            switch (Pick(7)) {
                case 0:
                    SelectRange(project_, element);
                    break;
                case 1:
                    if (element->GetKind() == ElementKind::kGroup) {
                        SelectChildren(project_, static_cast<CObjectDataList&>(*element));
                    }
                    break;
                case 2:
                    // A rubber band over a few elements, added with Ctrl.
                    SelectElements(project_, dialog, {element, PickOf(elements)}, Pick(2) == 0);
                    break;
                case 3:
                    if (Pick(8) == 0) {
                        DeselectAll(project_);
                    }
                    break;
                default:
                    ToggleSelected(project_, element);
                    break;
            }
            VerifySelection();
        }
    }

    // The views' selection is the model's; what is picked is in the current
    // dialog's tree, and exactly the picked objects and groups (with what
    // the groups hold, and the owners of picked header columns and commands)
    // carry marks.
    void VerifySelection() {
        const Selection& selection = project_.GetSelection();
        EXPECT_EQ(seen_->selectedDialog, selection.Dialog());
        EXPECT_EQ(seen_->selected, selection.Elements());
        CZeDialogData* dialog = selection.Dialog();
        if (dialog == nullptr) {
            return;
        }
        std::unordered_set<const ZeClass*> marked;
        for (ZeClass* picked : selection.Elements()) {
            ASSERT_TRUE(picked == &project_ || IsInTree(*dialog, *picked)) << "picked outside";
            if (picked->GetKind() == ElementKind::kHeaderColumn ||
                picked->GetKind() == ElementKind::kCommand) {
                picked = FindOwner(*dialog, *picked);
            }
            if (picked == nullptr || (picked->GetKind() != ElementKind::kObject &&
                                      picked->GetKind() != ElementKind::kGroup)) {
                continue;
            }
            std::vector<const CObjectData*> below{static_cast<CObjectData*>(picked)};
            while (!below.empty()) {
                const CObjectData* element = below.back();
                below.pop_back();
                marked.insert(element);
                if (element->IsGroup()) {
                    for (const CObjectData* child :
                         static_cast<const CObjectDataList*>(element)->GetChildren()) {
                        below.push_back(child);
                    }
                }
            }
        }
        for (ZeClass* element : TreeElements(*dialog)) {
            if (element->GetKind() == ElementKind::kObject ||
                element->GetKind() == ElementKind::kGroup) {
                EXPECT_EQ(static_cast<CObjectData*>(element)->IsSelected(),
                          marked.contains(element));
            }
        }
    }

    CZeResourceData project_;
    std::mt19937 random_;
    std::unique_ptr<RecordingObserver> seen_;
    std::string clipboard_;
};

class EditScriptTest : public ::testing::TestWithParam<unsigned> {};

TEST_P(EditScriptTest, ViewsAndHistoryFollowEveryCallAndUndoRedoEverything) {
    EditScript script(GetParam());
    CZeDialogDataList& dialogs = script.Project().GetDialogs();
    const std::string start = ProjectText(script.Project());
    for (int step = 0; step < kStepsPerSeed && !HasFailure(); ++step) {
        SCOPED_TRACE("step " + std::to_string(step));
        script.Step();
    }
    // Steps redo can still reach belong to the end state.
    for (std::size_t i = 0; i < dialogs.GetCount(); ++i) {
        script.StepAll(*dialogs.GetDialog(i), true);
    }
    const std::string end = ProjectText(script.Project());
    EXPECT_NE(end, start) << "the script changed nothing";
    for (std::size_t i = 0; i < dialogs.GetCount(); ++i) {
        script.StepAll(*dialogs.GetDialog(i), false);
    }
    EXPECT_EQ(ProjectText(script.Project()), start);
    for (std::size_t i = 0; i < dialogs.GetCount(); ++i) {
        script.StepAll(*dialogs.GetDialog(i), true);
    }
    EXPECT_EQ(ProjectText(script.Project()), end);
}

INSTANTIATE_TEST_SUITE_P(FixedSeeds, EditScriptTest,
                         ::testing::Values(1u, 4242u, 77777u, 20240607u),
                         [](const ::testing::TestParamInfo<unsigned>& seed) {
                             return "Seed" + std::to_string(seed.param);
                         });

}  // namespace
}  // namespace ze
