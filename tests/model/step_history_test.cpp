// The names of the history's steps, one per kind of edit, and the steps two
// dialogs record together when elements move from one to the other.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "model/dialog_data.h"
#include "model/editing/drop_edits.h"
#include "model/editing/element_lookup.h"
#include "model/editing/history_edits.h"
#include "model/editing/property_edits.h"
#include "model/editing/save_point.h"
#include "model/editing/selection.h"
#include "model/editing/selection_edits.h"
#include "model/editing/tree_edits.h"
#include "model/object_data.h"
#include "model/resource_data.h"

namespace ze {
namespace {

constexpr const char* kProject = R"({'Name':'App','Commands':[
{'Command':'DIALOG','Name':'Main',
 'OnOpen':[{'Event':'OnOpen','Command':'TIMER'}],
 'Object':{'Name':'root','Type':'GROUP','Layout':'LINEAR','Objects':[
  {'Name':'a','Type':'TEXT'},
  {'Name':'grid','Type':'GRID','Header':[{'TSize':'10pt'}]},
  {'Name':'box','Type':'GROUP','Layout':'FRAME','Objects':[{'Name':'b','Type':'BUTTON'}]},
  {'Name':'c','Type':'BUTTON'}]}},
{'Command':'DIALOG','Name':'Second','Object':{'Name':'top','Type':'GROUP','Layout':'FRAME',
 'Objects':[{'Name':'x','Type':'TEXT'},{'Name':'c','Type':'TEXT'}]}}]})";

std::string Text(const CZeResourceData& project) {
    CJsonString text;
    project.WriteProject(text, "");
    return text.TakeText();
}

CObjectData* Find(CObjectData& element, const std::string& name) {
    if (element.GetItem("Name") == name) {
        return &element;
    }
    if (element.IsGroup()) {
        for (CObjectData* child : static_cast<CObjectDataList&>(element).GetChildren()) {
            if (CObjectData* found = Find(*child, name)) {
                return found;
            }
        }
    }
    return nullptr;
}

struct Fixture {
    CZeResourceData project;
    Fixture() { EXPECT_TRUE(project.LoadText(kProject)); }
    CZeDialogData& Main() { return *project.GetDialogs().FindDialog("Main"); }
    CZeDialogData& Second() { return *project.GetDialogs().FindDialog("Second"); }
    CObjectData* In(CZeDialogData& dialog, const std::string& name) {
        return Find(*dialog.GetRootGroup(), name);
    }
    CObjectData& Object(const std::string& name) { return *In(Main(), name); }
    std::size_t Row(const std::string& object, const std::string& property) {
        return *RowNamed(Object(object), property);
    }
    void Pick(std::vector<std::string> names) {
        Select(project, &Object(names.front()));
        for (std::size_t i = 1; i < names.size(); ++i) {
            SelectAlso(project, &Object(names[i]));
        }
    }
    CZeDialogData* Target(const std::string& dialog) {
        return dialog == "Second" ? &Second() : &Main();
    }
};

using Edit = std::function<void(Fixture&)>;

StepName Named(StepKind kind, std::string element, std::size_t count = 1,
               std::string property = {}) {
    return StepName{kind, std::move(element), count, std::move(property)};
}

TEST(StepNames, EveryEditNamesItsStepByOperationAndElement) {
    const struct {
        const char* what;
        Edit edit;
        const char* dialog;  // whose history the step is in
        StepName name;
    } cases[] = {
        {"move up",
         [](Fixture& f) { MoveElement(f.project, nullptr, &f.Object("c"), MoveDirection::kUp); },
         "Main", Named(StepKind::kMove, "c")},
        {"move two picked",
         [](Fixture& f) {
             f.Pick({"grid", "c"});
             MoveSelection(f.project, MoveDirection::kUp);
         },
         "Main", Named(StepKind::kMove, "", 2)},
        {"delete", [](Fixture& f) { DeleteElement(f.project, nullptr, &f.Object("b")); }, "Main",
         Named(StepKind::kDelete, "b")},
        {"delete a command",
         [](Fixture& f) { DeleteElement(f.project, nullptr, f.Main().GetCommands()[0]); }, "Main",
         Named(StepKind::kDelete, "TIMER")},
        {"delete two picked",
         [](Fixture& f) {
             f.Pick({"a", "b"});
             DeleteSelection(f.project);
         },
         "Main", Named(StepKind::kDelete, "", 2)},
        {"paste renames the copy",
         [](Fixture& f) {
             const std::string text = CopyElement(&f.Object("a")).clipboardText;
             PasteElement(f.project, nullptr, &f.Object("a"), text, PasteMode::kAfter);
         },
         "Main", Named(StepKind::kPaste, "Text1")},
        {"paste two",
         [](Fixture& f) {
             const std::string text = CopyElements({&f.Object("a"), &f.Object("c")}).clipboardText;
             PasteElement(f.project, nullptr, &f.Object("a"), text, PasteMode::kAfter);
         },
         "Main", Named(StepKind::kPaste, "", 2)},
        {"insert",
         [](Fixture& f) {
             InsertElement(f.project, nullptr, &f.Object("a"), "button", PasteMode::kAfter);
         },
         "Main", Named(StepKind::kInsert, "Button1")},
        {"group names what it groups",
         [](Fixture& f) {
             f.Pick({"a", "c"});
             GroupSelection(f.project, nullptr, &f.Object("a"));
         },
         "Main", Named(StepKind::kGroup, "", 2)},
        {"ungroup",
         [](Fixture& f) {
             f.Pick({"box"});
             UngroupElement(f.project, nullptr, &f.Object("box"));
         },
         "Main", Named(StepKind::kUngroup, "box")},
        {"a value",
         [](Fixture& f) {
             CommitProperty(f.project, nullptr, &f.Object("a"), f.Row("a", "Text"), "hi");
         },
         "Main", Named(StepKind::kProperty, "a", 1, "Text")},
        {"a new Name is named by the old one",
         [](Fixture& f) {
             CommitProperty(f.project, nullptr, &f.Object("a"), f.Row("a", "Name"), "z");
         },
         "Main", Named(StepKind::kProperty, "a", 1, "Name")},
        {"a value on two picked",
         [](Fixture& f) {
             f.Pick({"b", "c"});
             CommitPropertyToSelection(f.project, "Text", "go");
         },
         "Main", Named(StepKind::kProperty, "", 2, "Text")},
        {"an image",
         [](Fixture& f) {
             AssignImage(f.project, nullptr, &f.Object("b"), f.Row("b", "FileOff"),
                         PaneEntryKind::kUserImage, "off.png");
         },
         "Main", Named(StepKind::kImage, "b", 1, "FileOff")},
        {"a drop",
         [](Fixture& f) {
             DropElement(f.project, &f.Object("a"), {&f.Object("box"), nullptr}, false);
         },
         "Main", Named(StepKind::kMove, "a")},
        {"a drop with Ctrl names the copy",
         [](Fixture& f) {
             DropElement(f.project, &f.Object("a"), {&f.Object("box"), nullptr}, true);
         },
         "Main", Named(StepKind::kCopy, "Text1")},
        {"two dropped",
         [](Fixture& f) {
             DropSeveral(f.project, {&f.Object("a"), &f.Object("c")}, {&f.Object("box"), nullptr},
                         false);
         },
         "Main", Named(StepKind::kMove, "", 2)},
        {"two dropped with Ctrl",
         [](Fixture& f) {
             DropSeveral(f.project, {&f.Object("a"), &f.Object("c")}, {&f.Object("box"), nullptr},
                         true);
         },
         "Main", Named(StepKind::kCopy, "", 2)},
        {"an insert dropped",
         [](Fixture& f) {
             InsertAt(f.project, "TEXT", {&f.Object("box"), nullptr});
         },
         "Main", Named(StepKind::kInsert, "Text1")},
        {"moved into another dialog: its side",
         [](Fixture& f) {
             DropElement(f.project, &f.Object("a"), {&f.Second(), nullptr}, false);
         },
         "Second", Named(StepKind::kMove, "a")},
        {"moved into another dialog: the side it left",
         [](Fixture& f) {
             DropElement(f.project, &f.Object("a"), {&f.Second(), nullptr}, false);
         },
         "Main", Named(StepKind::kMove, "a")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Fixture f;
        c.edit(f);
        CZeDialogData& dialog = *f.Target(c.dialog);
        const StepName* undo = StepToUndo(dialog);
        ASSERT_NE(undo, nullptr);
        EXPECT_EQ(undo->kind, c.name.kind);
        EXPECT_EQ(undo->element, c.name.element);
        EXPECT_EQ(undo->count, c.name.count);
        EXPECT_EQ(undo->property, c.name.property);
        // The step keeps its name for redo, and the list shows it last.
        UndoEdit(f.project, dialog);
        ASSERT_NE(StepToRedo(dialog), nullptr);
        EXPECT_EQ(*StepToRedo(dialog), c.name);
        EXPECT_EQ(HistorySteps(f.project, dialog).back().name, c.name);
    }
}

// Where the moved elements are: in Main (the originals), in Second (their
// copies), never both, never neither.
struct Whereabouts {
    int inMain = 0;
    int inSecond = 0;
};

TEST(LinkedSteps, EitherHistoryUndoesAndRedoesBothSides) {
    const struct {
        const char* what;
        std::vector<std::string> moved;
        std::vector<std::string> arrived;  // the names the copies get in Second
        // "undo Main", "redo Second"...; each leaves both sides together.
        std::vector<std::string> steps;
    } cases[] = {
        {"undone where it left, redone where it arrived",
         {"a"},
         {"a"},
         {"undo Main", "redo Second", "undo Second", "redo Main"}},
        {"a clashing name is made unique", {"c"}, {"Button1"}, {"undo Second", "redo Second"}},
        {"two at once", {"a", "box"}, {"a", "box"}, {"undo Second", "redo Main", "undo Main"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Fixture f;
        const std::string before = Text(f.project);
        std::vector<ZeClass*> moved;
        for (const std::string& name : c.moved) {
            moved.push_back(&f.Object(name));
        }
        const EditResult result = DropSeveral(f.project, moved, {&f.Second(), nullptr}, false);
        ASSERT_TRUE(result.changed);
        // The copies are picked, in the dialog they went to.
        std::vector<ZeClass*> copies;
        for (const std::string& name : c.arrived) {
            copies.push_back(f.In(f.Second(), name));
            ASSERT_NE(copies.back(), nullptr) << name;
        }
        EXPECT_EQ(f.project.GetSelection().Dialog(), &f.Second());
        EXPECT_EQ(f.project.GetSelection().Elements().size(), copies.size());
        const std::string after = Text(f.project);
        const auto where = [&] {
            Whereabouts w;
            for (ZeClass* element : moved) {
                w.inMain += IsInTree(f.Main(), *element) ? 1 : 0;
            }
            for (ZeClass* copy : copies) {
                w.inSecond += IsInTree(f.Second(), *copy) ? 1 : 0;
            }
            return w;
        };
        EXPECT_EQ(where().inMain, 0);
        EXPECT_EQ(where().inSecond, static_cast<int>(copies.size()));
        // Each history lists the step with the other dialog beside it.
        EXPECT_EQ(HistorySteps(f.project, f.Main()).back().linkedDialog, "Second");
        EXPECT_EQ(HistorySteps(f.project, f.Second()).back().linkedDialog, "Main");
        for (const std::string& step : c.steps) {
            SCOPED_TRACE(step);
            const bool undo = step.starts_with("undo");
            CZeDialogData& dialog = step.ends_with("Main") ? f.Main() : f.Second();
            ASSERT_TRUE(undo ? UndoEdit(f.project, dialog).changed
                             : RedoEdit(f.project, dialog).changed);
            const Whereabouts w = where();
            EXPECT_EQ(w.inMain, undo ? static_cast<int>(moved.size()) : 0);
            EXPECT_EQ(w.inSecond, undo ? 0 : static_cast<int>(copies.size()));
            EXPECT_EQ(Text(f.project), undo ? before : after);
            EXPECT_EQ(CanUndo(f.Main()), !undo);
            EXPECT_EQ(CanUndo(f.Second()), !undo);
            // The user goes on in the dialog whose history they stepped.
            EXPECT_EQ(f.project.GetSelection().Dialog(), &dialog);
        }
    }
}

TEST(LinkedSteps, LaterStepsOfTheOtherSideGoFirstAndANewStepEndsTheRedo) {
    Fixture f;
    const std::string before = Text(f.project);
    DropElement(f.project, &f.Object("a"), {&f.Second(), nullptr}, false);
    CObjectData* copy = f.In(f.Second(), "a");
    ASSERT_NE(copy, nullptr);
    // The copy is edited further in Second.
    CommitProperty(f.project, nullptr, copy, *RowNamed(*copy, "Text"), "later");
    // Undoing the move in Main takes Second's later step back first.
    ASSERT_TRUE(UndoEdit(f.project, f.Main()).changed);
    EXPECT_EQ(Text(f.project), before);
    EXPECT_EQ(AppliedSteps(f.Second()), 1u);
    // Redo in Main brings the move back, not the later value.
    ASSERT_TRUE(RedoEdit(f.project, f.Main()).changed);
    EXPECT_NE(f.In(f.Second(), "a"), nullptr);
    EXPECT_EQ(f.In(f.Second(), "a")->GetItem("Text"), "");
    ASSERT_NE(StepToRedo(f.Second()), nullptr);
    EXPECT_EQ(StepToRedo(f.Second())->kind, StepKind::kProperty);

    // Undone again, and a new step in Main: the move can no more be redone
    // from either side.
    UndoEdit(f.project, f.Second());
    EXPECT_TRUE(CanRedo(f.Second()));
    MoveElement(f.project, nullptr, &f.Object("c"), MoveDirection::kUp);
    EXPECT_FALSE(CanRedo(f.Main()));
    EXPECT_FALSE(CanRedo(f.Second()));
    EXPECT_EQ(f.In(f.Second(), "a"), nullptr);
    EXPECT_NE(f.In(f.Main(), "a"), nullptr);
}

TEST(LinkedSteps, ADeletedDialogLeavesTheOtherSideAStepOfItsOwn) {
    Fixture f;
    DropElement(f.project, &f.Object("a"), {&f.Second(), nullptr}, false);
    DeleteElement(f.project, nullptr, &f.Main());
    ASSERT_TRUE(UndoEdit(f.project, f.Second()).changed);
    EXPECT_EQ(f.In(f.Second(), "a"), nullptr);
    ASSERT_TRUE(RedoEdit(f.project, f.Second()).changed);
    EXPECT_NE(f.In(f.Second(), "a"), nullptr);
}

TEST(HistorySteps, TheFirstStepIsTheLoadedStateAndTheSavedStepIsMarked) {
    Fixture f;
    SavePoint save(f.project);  // marks the project as loaded
    MoveElement(f.project, nullptr, &f.Object("c"), MoveDirection::kUp);
    DeleteElement(f.project, nullptr, &f.Object("a"));
    save.Mark();
    UndoEdit(f.project, f.Main());
    std::vector<HistoryStep> steps = HistorySteps(f.project, f.Main());
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0].name.kind, StepKind::kEdit);
    EXPECT_EQ(steps[1].name, Named(StepKind::kMove, "c"));
    EXPECT_EQ(steps[2].name, Named(StepKind::kDelete, "a"));
    EXPECT_TRUE(steps[0].applied && steps[1].applied && !steps[2].applied);
    EXPECT_TRUE(!steps[0].saved && !steps[1].saved && steps[2].saved);
    EXPECT_EQ(AppliedSteps(f.Main()), 2u);
    // A dialog that no edit touched since the load: its first step is saved.
    EXPECT_TRUE(HistorySteps(f.project, f.Second()).front().saved);

    // Stepping to a step undoes or redoes as often as it takes.
    EXPECT_TRUE(StepHistoryTo(f.project, f.Main(), 3).changed);
    EXPECT_EQ(AppliedSteps(f.Main()), 3u);
    EXPECT_FALSE(save.IsModified());
    EXPECT_TRUE(StepHistoryTo(f.project, f.Main(), 1).changed);
    EXPECT_FALSE(CanUndo(f.Main()));
    EXPECT_FALSE(StepHistoryTo(f.project, f.Main(), 1).changed);
}

}  // namespace
}  // namespace ze
