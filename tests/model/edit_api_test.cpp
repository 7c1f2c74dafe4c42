// The edit API without any view: what each call changes, tells the user and
// selects, how many history steps it records and what the observers hear.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/cp932.h"
#include "item_rows.h"
#include "model/dialog_data.h"
#include "model/editing/element_lookup.h"
#include "model/editing/history_edits.h"
#include "model/editing/property_edits.h"
#include "model/editing/selection.h"
#include "model/editing/tree_edits.h"
#include "model/item_value_check.h"
#include "model/json_parser.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "recording_observer.h"

namespace ze {
namespace {

constexpr const char* kSampleText = R"({'Name':'App','Commands':[
{'Command':'DIALOG','Name':'Main','OnOpen':{'Event':'OnOpen','Command':'TIMER','Time':1000},
 'OnClose':{'Event':'OnClose','Command':'CLOSE'},
 'Object':{'Name':'root','Type':'GROUP','Layout':'LINEAR','Objects':[
  {'Name':'title','Type':'TEXT','Text':'hello',
   'OnClick':{'Event':'OnClick','Command':'NOTIFY','MakeCommand':'UPDATE','Name':'m'}},
  {'Name':'grid','Type':'GRID','Columns':'2','Header':[{'TSize':'14pt'},{'TSize':'12pt'}]},
  {'Name':'radios','Type':'GROUP','Layout':'RADIO','Objects':[{'Name':'r1','Type':'RADIOBTN'}]},
  {'Name':'box','Type':'GROUP','Layout':'FRAME','Objects':[
   {'Name':'b1','Type':'BUTTON',
    'OnClick':[{'Event':'OnClick','Command':'CLOSE'},{'Event':'OnClick','Command':'SOUND'}]},
   {'Name':'b2','Type':'BUTTON'}]}]}},
{'Command':'DIALOG','Name':'Second','Object':{'Name':'top','Type':'GROUP','Layout':'FRAME',
 'Objects':[{'Name':'x','Type':'TEXT'}]}},
{'Command':'DIALOG','Name':'Third','Object':{'Type':'GROUP','Layout':'FRAME','Objects':[]}}]})";

constexpr const char* kPickAnElement =
    "登録する場所を決定するために、ツリーのオブジェクトを選択して下さい。";
constexpr const char* kGroupFirst = "GROUPオブジェクトを登録して下さい。";
constexpr const char* kNotUndoable = "ダイアログの削除は元に戻せません。";
constexpr auto kWarning = MessageIcon::kWarning;
constexpr auto kUp = MoveDirection::kUp;
constexpr auto kDown = MoveDirection::kDown;
constexpr auto kAfter = PasteMode::kAfter;
constexpr auto kFirst = PasteMode::kFirstChild;
constexpr auto kLast = PasteMode::kLastChild;

// Main (commands, a GRID with two columns, a RADIO group, a group of buttons
// with commands), Second, Third and Empty, which has no root group. Main has
// a step redo can reach, which a call that records nothing has to keep.
struct Sample {
    CZeResourceData project;
    std::unique_ptr<RecordingObserver> seen;
    HistoryCounts before;
    ZeClass* kept = nullptr;

    Sample() {
        EXPECT_TRUE(project.LoadText(kSampleText));
        project.GetDialogs().CreateDialog("Empty");
        Commit("title", "Text", "tmp");
        UndoEdit(project, Dialog("Main"));
        Begin();
    }
    // What the call under test is measured from (after any preparation).
    void Begin() {
        before = CountHistories(project);
        seen = std::make_unique<RecordingObserver>(project);
    }

    CZeDialogData& Dialog(std::string_view name) const {
        return *project.GetDialogs().FindDialog(name);
    }
    // "Main" a dialog, "Main^" its root group, "box" an object or group of
    // Main, "grid#1" a header column, "b1!0" or "Main!0" a command; "-"
    // nothing.
    ZeClass* At(std::string_view path) const {
        if (path == "-") {
            return nullptr;
        }
        const auto mark = path.find_first_of("#!^");
        const std::string_view name = path.substr(0, mark);
        ZeClass* element = project.GetDialogs().FindDialog(name);
        for (ZeClass* candidate : TreeElements(Dialog("Main"))) {
            const auto kind = candidate->GetKind();
            if (element == nullptr && candidate->GetItem("Name") == name &&
                (kind == ElementKind::kObject || kind == ElementKind::kGroup)) {
                element = candidate;
            }
        }
        if (element == nullptr || mark == std::string_view::npos) {
            return element;
        }
        if (path[mark] == '^') {
            return static_cast<CZeDialogData*>(element)->GetRootGroup();
        }
        const auto at = static_cast<std::size_t>(path[mark + 1] - '0');
        if (path[mark] == '#') {
            return static_cast<CObjectData*>(element)->GetHeaders().at(at);
        }
        return element->GetKind() == ElementKind::kDialog
                   ? static_cast<CZeDialogData*>(element)->GetCommands().at(at)
                   : static_cast<CObjectData*>(element)->GetCommands().at(at);
    }
    std::vector<std::string> Children(std::string_view group) const {
        std::vector<std::string> names;
        for (const CObjectData* child : static_cast<CObjectDataList*>(At(group))->GetChildren()) {
            names.push_back(child->GetItem("Name"));
        }
        return names;
    }

    // Moves, deletes and commits act on an element the user picked first, as
    // in the tree.
    EditResult Move(std::string_view path, MoveDirection direction) {
        ze::Select(project, At(path));
        return MoveElement(project, nullptr, At(path), direction);
    }
    EditResult Delete(std::string_view path) {
        ze::Select(project, At(path));
        return DeleteElement(project, nullptr, At(path));
    }
    EditResult Paste(std::string_view path, PasteMode mode,
                     std::string_view text = "{'Name':'p','Type':'TEXT'}") {
        return PasteElement(project, nullptr, At(path), text, mode);
    }
    EditResult Insert(std::string_view path, std::string_view type, PasteMode mode = kAfter) {
        return InsertElement(project, nullptr, At(path), type, mode);
    }
    EditResult Commit(std::string_view path, std::string_view name, std::string_view value) {
        ZeClass* element = At(path);
        ze::Select(project, element);
        return CommitProperty(project, nullptr, element, RowOf(*element, name), value);
    }
    EditResult Image(std::string_view path, std::string_view name, PaneEntryKind source) {
        ZeClass* element = At(path);
        return AssignImage(project, nullptr, element, RowOf(*element, name), source,
                           "btn[10-20].png");
    }
    // Picks as the tree does: the first alone, the others added.
    void Select(std::vector<std::string_view> paths) {
        ze::Select(project, At(paths.front()));
        for (std::string_view path : paths) {
            SelectAlso(project, At(path));
        }
    }
};

struct Case {
    const char* name = "";
    std::function<EditResult(Sample&)> act = {};
    // -1 changes nothing; 0 changes what no history holds; 1 records a step.
    int steps = -1;
    // Undo -1, redo +1: the index moves, no record is added.
    int moved = 0;
    // A path (see Sample::At) found after the call; "" the new element.
    const char* select = "-";
    // UTF-8; null when the case checks the message itself.
    const char* message = "";
    MessageIcon icon = MessageIcon::kNone;
    const char* status = "";
    // What the observers hear; a step of a dialog's history when empty.
    std::vector<std::string> told = {};
    // The group named first then holds the others, in order.
    std::vector<std::string> children = {};
    std::function<void(Sample&, const EditResult&)> check = {};
};

// Laid out by hand: one case per row, continued on the rows below it.
// clang-format off
std::vector<Case> Cases() {
    const std::vector<std::string> root = {"root", "title", "grid", "radios", "box"};
    return {
        // --- move ---
        {"the first child does not move up", [](Sample& s) { return s.Move("title", kUp); }},
        {"the last child does not move down", [](Sample& s) { return s.Move("box", kDown); }},
        {"a root group does not move", [](Sample& s) { return s.Move("root", kUp); }},
        {.name = "an object moves down", .act = [](Sample& s) { return s.Move("title", kDown); },
         .steps = 1, .select = "title", .children = {"root", "grid", "title", "radios", "box"}},
        {.name = "a header column moves up", .act = [](Sample& s) { return s.Move("grid#1", kUp); },
         .steps = 1, .select = "grid#0",
         .check = [](Sample& s, auto&) { EXPECT_EQ(s.At("grid#0")->GetItem("TSize"), "12pt"); }},
        {.name = "a command moves down", .act = [](Sample& s) { return s.Move("b1!0", kDown); },
         .steps = 1, .select = "b1!1",
         .check = [](Sample& s, auto&) { EXPECT_EQ(s.At("b1!0")->GetItem("Command"), "SOUND"); }},
        {.name = "a dialog moves in the list, in no history",
         .act = [](Sample& s) { return s.Move("Main", kDown); },
         .steps = 0, .select = "Main", .told = {"moved Main 0>1"}},
        {"the last dialog does not move down", [](Sample& s) { return s.Move("Empty", kDown); }},

        // --- delete and copy ---
        {.name = "a deleted object leaves its text and selects its parent",
         .act = [](Sample& s) { s.kept = s.At("b1"); return s.Delete("b1"); },
         .steps = 1, .select = "box", .children = {"box", "b2"},
         .check = [](Sample& s, const EditResult& r) {
             EXPECT_EQ(r.clipboardText.rfind("{'Name':'b1','Type':'BUTTON'", 0), 0u);
             // The object and its two commands left the tree.
             ASSERT_EQ(r.change.removed.size(), 3u);
             EXPECT_EQ(r.change.removed[0], s.kept);
         }},
        {.name = "a deleted root group selects its dialog and comes back on undo",
         .act = [](Sample& s) { return s.Delete("Second^"); }, .steps = 1, .select = "Second",
         .check = [](Sample& s, const EditResult& r) {
             EXPECT_EQ(s.At("Second^"), nullptr);
             UndoEdit(s.project, s.Dialog("Second"));
             EXPECT_EQ(s.At("Second^"), r.change.removed.at(0));
         }},
        {.name = "a deleted header column selects its object",
         .act = [](Sample& s) { return s.Delete("grid#0"); }, .steps = 1, .select = "grid"},
        {.name = "a deleted dialog command selects the dialog",
         .act = [](Sample& s) { return s.Delete("Main!0"); }, .steps = 1, .select = "Main"},
        {.name = "a deleted dialog is told before it goes; the next one is selected",
         .act = [](Sample& s) { return s.Delete("Second"); }, .steps = 0, .select = "Third",
         .status = kNotUndoable, .told = {"removing Second@1"},
         .check = [](Sample& s, const EditResult& r) {
             EXPECT_EQ(s.At("Second"), nullptr);
             EXPECT_EQ(r.clipboardText.rfind("{'Command':'DIALOG','Name':'Second'", 0), 0u);
         }},
        {.name = "deleting the last dialog selects the one before it",
         .act = [](Sample& s) { return s.Delete("Empty"); }, .steps = 0, .select = "Third",
         .status = kNotUndoable, .told = {"removing Empty@3"}},
        {.name = "copy without a target warns", .act = [](Sample&) { return CopyElement(nullptr); },
         .message = "ツリーからコピーするオブジェクトを選択して下さい。", .icon = kWarning},

        // --- paste ---
        {.name = "a paste at an object goes after it whatever the mode",
         .act = [](Sample& s) { return s.Paste("title", kFirst); }, .steps = 1, .select = "p",
         .children = {"root", "title", "p", "grid", "radios", "box"}},
        {.name = "a paste as a group's first child",
         .act = [](Sample& s) { return s.Paste("box", kFirst); }, .steps = 1, .select = "p",
         .children = {"box", "p", "b1", "b2"}},
        {.name = "a paste as a group's last child",
         .act = [](Sample& s) { return s.Paste("box", kLast); }, .steps = 1, .select = "p",
         .children = {"box", "b1", "b2", "p"}},
        {.name = "a paste after the root group appends to it",
         .act = [](Sample& s) { return s.Paste("root", kAfter); }, .steps = 1, .select = "p",
         .children = {"root", "title", "grid", "radios", "box", "p"}},
        {.name = "a paste that does not parse shows the parser's report",
         .act = [](Sample& s) { return s.Paste("title", kAfter, "{'Name':"); }, .message = nullptr,
         .check = [](Sample&, const EditResult& r) {
             JsonParser parser;
             ASSERT_FALSE(parser.Parse("{'Name':"));
             EXPECT_FALSE(r.message.empty());
             EXPECT_EQ(r.message, parser.GetErrorText());
             EXPECT_EQ(r.icon, MessageIcon::kNone);
         }},
        {.name = "pasted Commands add dialogs",
         .act = [](Sample& s) {
             return s.Paste("title", kAfter, "{'Commands':[{'Command':'DIALOG','Name':'Main',"
                                             "'Object':{'Type':'GROUP','Objects':[]}}]}");
         },
         .steps = 0, .told = {"added Main2"}},
        {.name = "a paste without a current element asks for one",
         .act = [](Sample& s) { return s.Paste("-", kAfter); },
         .message = kPickAnElement, .icon = kWarning},
        {.name = "an object pasted into a dialog without root group is refused",
         .act = [](Sample& s) { return s.Paste("Empty", kAfter); },
         .message = kGroupFirst, .icon = kWarning},

        // --- insert ---
        {.name = "RADIOBTN outside a RADIO group is refused",
         .act = [](Sample& s) { return s.Insert("title", "RADIOBTN"); },
         .message = "ラジオボタンはラジオグループに追加して下さい。"},
        {.name = "a radio button goes into a RADIO group, the name in any case",
         .act = [](Sample& s) { return s.Insert("radios", "RadioBtn", kLast); },
         .steps = 1, .select = "", .children = {"radios", "r1", "Radiobtn1"},
         .check = [](Sample&, auto& r) { EXPECT_EQ(r.select->GetItem("Type"), "RADIOBTN"); }},
        {.name = "a GRID comes with one header column",
         .act = [](Sample& s) { return s.Insert("title", "grid"); }, .steps = 1, .select = "",
         .children = {"root", "title", "Grid1", "grid", "radios", "box"},
         .check = [](Sample&, const EditResult& r) {
             auto* grid = static_cast<CObjectData*>(r.select);
             EXPECT_EQ(grid->GetItem("Type"), "GRID");
             EXPECT_EQ(grid->GetItem("Columns"), "1");
             ASSERT_EQ(grid->GetHeaders().size(), 1u);
             EXPECT_EQ(r.change.added, (std::vector<ZeClass*>{grid, grid->GetHeaders()[0]}));
         }},
        {.name = "an object into a dialog without root group is refused",
         .act = [](Sample& s) { return s.Insert("Empty", "TEXT"); },
         .message = kGroupFirst, .icon = kWarning},
        {.name = "a group inserted into a dialog without root group becomes its root",
         .act = [](Sample& s) { return s.Insert("Empty", "linear"); }, .steps = 1,
         .select = "Empty^",
         .check = [](Sample& s, auto&) { EXPECT_EQ(s.At("Empty^")->GetItem("Layout"), "LINEAR"); }},
        {"a name that is no type changes nothing",
         [](Sample& s) { return s.Insert("title", "BUTTONX"); }},

        // --- group and ungroup ---
        {.name = "the selected elements go into a new group in front of the chosen one",
         .act = [](Sample& s) {
             s.Select({"title", "b2"});
             return GroupSelection(s.project, nullptr, s.At("grid"));
         },
         .steps = 1, .select = "", .children = {"root", "", "grid", "radios", "box"},
         .check = [](Sample&, const EditResult& r) {
             auto* group = static_cast<CObjectDataList*>(r.select);
             EXPECT_EQ(group->GetItem("Layout"), "LINEAR");
             ASSERT_EQ(group->GetChildren().size(), 2u);
             EXPECT_EQ(group->GetChildren()[1]->GetItem("Name"), "b2");
         }},
        {"grouping with nothing selected changes nothing",
         [](Sample& s) {
             DeselectAll(s.project);
             return GroupSelection(s.project, nullptr, s.At("grid"));
         }},
        {"grouping at the root group changes nothing", [](Sample& s) {
             s.Select({"title"});
             return GroupSelection(s.project, nullptr, s.At("root"));
         }},
        {.name = "the only selected group is dissolved into its parent",
         .act = [](Sample& s) {
             s.Select({"box"});
             return UngroupElement(s.project, nullptr, s.At("box"));
         },
         .steps = 1, .select = "b1", .children = {"root", "title", "grid", "radios", "b1", "b2"},
         .check = [=](Sample& s, auto&) {
             UndoEdit(s.project, s.Dialog("Main"));
             EXPECT_EQ(s.Children("root"), std::vector(root.begin() + 1, root.end()));
             EXPECT_EQ(s.Children("box"), (std::vector<std::string>{"b1", "b2"}));
         }},
        {"no ungrouping beside another selected sibling", [](Sample& s) {
             s.Select({"title", "box"});
             return UngroupElement(s.project, nullptr, s.At("box"));
         }},
        // The guard is against a multiple selection: the one selected child
        // need not be the group the user picked.
        {.name = "ungrouping counts the parent's selected children",
         .act = [](Sample& s) {
             s.Select({"title"});
             return UngroupElement(s.project, nullptr, s.At("box"));
         },
         .steps = 1, .select = "b1", .children = {"root", "title", "grid", "radios", "b1", "b2"}},

        // --- properties and images ---
        {"the value already stored records nothing",
         [](Sample& s) { return s.Commit("title", "Text", "hello"); }},
        {.name = "a new Type rebuilds the items",
         .act = [](Sample& s) { return s.Commit("title", "Type", "BUTTON"); }, .steps = 1,
         .check = [](Sample& s, auto&) { EXPECT_NE(RowOf(*s.At("title"), "FileOn"), 0u); }},
        {.name = "ヘッダ項目追加 adds a header column and selects it",
         .act = [](Sample& s) { return s.Commit("grid", "Columns", Utf8ToCp932("ヘッダ項目追加")); },
         .steps = 1, .select = "grid#2",
         .check = [](Sample& s, auto& r) { EXPECT_EQ(r.change.added[0], s.At("grid#2")); }},
        {.name = "an event property adds a command and selects it",
         .act = [](Sample& s) { return s.Commit("b2", "OnClick", "CLOSE"); },
         .steps = 1, .select = "b2!0",
         .check = [](Sample& s, auto&) { EXPECT_EQ(s.At("b2!0")->GetItem("Command"), "CLOSE"); }},
        // The history holds no copy of a command until it is about to change.
        {.name = "a command's value is undone and redone exactly",
         .act = [](Sample& s) { return s.Commit("Main!0", "Time", "2000"); }, .steps = 1,
         .check = [](Sample& s, auto&) {
             EXPECT_TRUE(UndoEdit(s.project, s.Dialog("Main")).changed);
             EXPECT_EQ(s.At("Main!0")->GetItem("Time"), "1000");
             EXPECT_TRUE(RedoEdit(s.project, s.Dialog("Main")).changed);
             EXPECT_EQ(s.At("Main!0")->GetItem("Time"), "2000");
         }},
        {.name = "a value the reader could not take back is refused",
         .act = [](Sample& s) { return s.Commit("title", "Text", "it's"); }, .message = nullptr,
         .check = [](Sample& s, const EditResult& r) {
             const auto kind = s.At("title")->Items().GetItemKind(RowOf(*s.At("title"), "Text"));
             EXPECT_NE(r.message.find('\''), std::string::npos);
             EXPECT_EQ(r.message, CheckItemValue(kind, "it's").message);
             EXPECT_EQ(r.icon, kWarning);
         }},
        {.name = "a renamed dialog is told",
         .act = [](Sample& s) { return s.Commit("Second", "Name", "Other"); },
         .steps = 1, .told = {"changed", "history", "renamed Other"}},
        {.name = "a project property is in no history",
         .act = [](Sample& s) { return CommitProperty(s.project, nullptr, &s.project, 0, "A"); },
         .steps = 0, .told = {"changed"},
         .check = [](Sample& s, auto& r) { EXPECT_EQ(r.change.changed[0], &s.project); }},
        {.name = "an image on a button's FileOn adds no centre position",
         .act = [](Sample& s) { return s.Image("b1", "FileOn", PaneEntryKind::kUserImage); },
         .steps = 1,
         .check = [](Sample& s, auto&) {
             EXPECT_EQ(s.At("b1")->GetItem("FileOn"), "btn[10-20].png");
             EXPECT_EQ(s.At("b1")->Items().GetItemCount(), s.At("b2")->Items().GetItemCount());
         }},
        {.name = "an image on an UPDATE command's FileOn sets its CenterPosCursor",
         .act = [](Sample& s) { return s.Image("title!0", "FileOn", PaneEntryKind::kUserImage); },
         .steps = 1,
         .check = [](Sample& s, auto&) {
             EXPECT_EQ(s.At("title!0")->GetItem("CenterPosCursor"), "10,20");
             UndoEdit(s.project, s.Dialog("Main"));
             EXPECT_EQ(s.At("title!0")->GetItem("CenterPosCursor"), "");
             EXPECT_EQ(s.At("title!0")->GetItem("FileOn"), "");
         }},
        {"a row that takes no image changes nothing",
         [](Sample& s) { return s.Image("title", "Text", PaneEntryKind::kUserImage); }},

        // --- undo and redo ---
        {"nothing to undo selects nothing",
         [](Sample& s) { return UndoEdit(s.project, s.Dialog("Third")); }},
        {.name = "undoing an insert picks again what was picked before it",
         .act = [](Sample& s) {
             s.kept = s.Insert("title", "BUTTON").select;
             s.Begin();
             return UndoEdit(s.project, s.Dialog("Main"));
         },
         .moved = -1, .select = "title", .children = root,
         .check = [](Sample& s, const EditResult& r) {
             EXPECT_EQ(r.change.removed, std::vector<ZeClass*>{s.kept});
         }},
        {.name = "undoing a delete selects the element it brings back",
         .act = [](Sample& s) {
             s.Delete("b1");
             s.Begin();
             return UndoEdit(s.project, s.Dialog("Main"));
         },
         .moved = -1, .select = "b1", .children = {"box", "b1", "b2"}},
        {.name = "redoing an insert selects the inserted element",
         .act = [](Sample& s) {
             s.Insert("title", "BUTTON");
             UndoEdit(s.project, s.Dialog("Main"));
             s.Begin();
             return RedoEdit(s.project, s.Dialog("Main"));
         },
         .moved = 1, .select = "",
         .children = {"root", "title", "Button1", "grid", "radios", "box"},
         .check = [](Sample&, auto& r) { EXPECT_EQ(r.change.added.size(), 1u); }},
        // Every copy in the history was taken while the node was closed.
        {.name = "undo and redo leave the expanded flags as the user set them",
         .act = [](Sample& s) {
             s.At("box")->SetExpanded(false);
             s.Commit("box", "Name", "crate");
             s.At("crate")->SetExpanded(true);
             s.Begin();
             return UndoEdit(s.project, s.Dialog("Main"));
         },
         .moved = -1, .select = "box",
         .check = [](Sample& s, auto&) {
             EXPECT_TRUE(s.At("box")->IsExpanded());
             RedoEdit(s.project, s.Dialog("Main"));
             EXPECT_TRUE(s.At("crate")->IsExpanded());
         }},
    };
}
// clang-format on

TEST(EditApiTest, EachCallChangesTellsSelectsAndRecordsWhatItShould) {
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        Sample s;
        const EditResult r = c.act(s);

        EXPECT_EQ(r.changed, c.steps >= 0 || c.moved != 0);
        EXPECT_EQ(r.stepsRecorded, std::max(c.steps, 0));
        if (c.message != nullptr) {
            EXPECT_EQ(r.message, Utf8ToCp932(c.message));
            EXPECT_EQ(r.icon, c.icon);
        }
        EXPECT_EQ(r.statusText, Utf8ToCp932(c.status));
        // One element picked, or several (undo), the last one current.
        ZeClass* picked = r.selectAll.empty() ? r.select : r.selectAll.back();
        if (std::string_view(c.select).empty()) {
            ASSERT_FALSE(r.change.added.empty());
            EXPECT_EQ(picked, r.change.added[0]);
        } else {
            EXPECT_EQ(picked, s.At(c.select));
        }
        if (picked != nullptr) {
            EXPECT_EQ(s.project.GetSelection().Current(), picked);
        }
        if (r.select != nullptr) {
            EXPECT_NE(FindDialogOf(s.project, *r.select), nullptr) << "selects outside the tree";
        }
        std::vector<std::string> told = c.told;
        if (told.empty() && (c.steps == 1 || c.moved != 0)) {
            told = {"changed", "history"};
        }
        EXPECT_EQ(s.seen->log, told);
        if (!s.seen->changes.empty()) {
            EXPECT_EQ(s.seen->changes[0].dialog, r.change.dialog);
            EXPECT_EQ(s.seen->changes[0].added, r.change.added);
            EXPECT_EQ(s.seen->changes[0].removed, r.change.removed);
            EXPECT_EQ(s.seen->changes[0].changed, r.change.changed);
        }
        if (!c.children.empty()) {
            EXPECT_EQ(s.Children(c.children[0]),
                      std::vector(c.children.begin() + 1, c.children.end()));
        }
        ExpectHistoriesFollow(s.project, s.before, r, c.moved);
        if (c.check) {
            c.check(s, r);
        }
    }
}

}  // namespace
}  // namespace ze
