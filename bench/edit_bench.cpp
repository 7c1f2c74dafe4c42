// Editing one large dialog through the model's edit API (model/editing), as
// the editor's commands call it. The dialog (2,000 objects under groups of
// mixed layouts nested 12 levels deep, with GRID header columns and event
// commands) is built with the model, written to text and loaded again, so
// its history starts as it does for a file the user opens. A recording
// observer stands in for the views and is told of every change, so each
// timed call includes its notification.
//
// For each operation the median of many calls is taken: the operation, then
// UndoEdit, then RedoEdit, each on its own; one more UndoEdit (not timed)
// brings the dialog back, so every call starts from the same tree and the
// same two-step history, and the next operation drops the step redo could
// reach, as an edit after an undo does in the editor. Targets lie in the
// deeper half of the tree, spread over its groups. Each figure is printed
// beside the 16 ms of one frame at 60 Hz.

#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "model/dialog_data.h"
#include "model/editing/edit_result.h"
#include "model/editing/element_lookup.h"
#include "model/editing/history_edits.h"
#include "model/editing/project_observer.h"
#include "model/editing/property_edits.h"
#include "model/editing/selection.h"
#include "model/editing/tree_edits.h"
#include "model/element_store.h"
#include "model/mo_stream.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "model/schema.h"
#include "model/ze_class.h"

namespace ze {
namespace {

constexpr int kObjects = 2000;
// Groups from the root group down to the deepest object, both counted.
constexpr int kLevels = 12;
constexpr int kSectionsPerLevel = 4;
// Sections at this level and below hold the targets.
constexpr int kDeepFrom = 7;
// Calls per figure; the first argument may change it (a short run under a
// profiler).
int repetitions = 100;
constexpr double kFrameMs = 16.0;

// Shift_JIS: "ボタン", "表示", "設定".
constexpr std::array<const char*, 3> kJapanese = {"\x83{\x83^\x83\x93", "\x95\\\x8e\xa6",
                                                  "\x90\xdd\x92\xe8"};

// Builds the dialog with the model: a spine of groups, one per level, each
// holding four sections of mixed layouts full of objects and the next level.
class DialogBuilder {
public:
    explicit DialogBuilder(CZeResourceData& project)
        : dialog_(*project.GetDialogs().CreateDialog("EditBench")),
          store_(dialog_.GetElementStore()) {
        dialog_.SetItem("TargetLayoutWidth", "1280");
        dialog_.SetItem("TargetLayoutHeight", "800");
    }

    void Build() {
        dialog_.AddCommand(CreateCommand(store_, "OPEN", "OnOpen"));
        dialog_.AddCommand(CreateCommand(store_, "TIMER", "OnTimer"));
        CObjectDataList* spine = Group(nullptr, GroupLayout::kLinear, true);
        dialog_.SetRootGroup(spine);
        const int sections = (kLevels - 1) * kSectionsPerLevel;
        int made = 0;
        int section = 0;
        for (int level = 1; level < kLevels; ++level) {
            for (int i = 0; i < kSectionsPerLevel; ++i, ++section) {
                static constexpr std::array<GroupLayout, 7> kLayouts = {
                    GroupLayout::kLinear, GroupLayout::kFrame,  GroupLayout::kRelative,
                    GroupLayout::kPage,   GroupLayout::kScroll, GroupLayout::kRadio,
                    GroupLayout::kHScroll};
                const GroupLayout layout =
                    kLayouts[static_cast<std::size_t>(section) % kLayouts.size()];
                CObjectDataList* group = Group(spine, layout, section % 2 == 0);
                const int here = (kObjects - made) / (sections - section);
                for (int k = 0; k < here; ++k) {
                    Object(*group, layout, made++);
                }
            }
            if (level + 1 < kLevels) {
                spine = Group(spine, level % 3 == 2 ? GroupLayout::kFrame : GroupLayout::kLinear,
                              level % 2 == 0);
            }
        }
    }

private:
    CObjectDataList* Group(CObjectDataList* parent, GroupLayout layout, bool vertical) {
        auto* group = store_.Create<CObjectDataList>(parent);
        AddGroupItems(group->Items(), layout);
        group->SetItem("Name", "Group" + std::to_string(groups_++));
        group->SetItem("Vertical", vertical ? "true" : "false");
        group->SetItem("Width", parent == nullptr ? "PARENT" : "CONTENT");
        group->SetItem("Height", "CONTENT");
        if (layout == GroupLayout::kRadio) {
            group->SetItem("Alias", "radio" + std::to_string(groups_));
        }
        if (parent != nullptr) {
            parent->AddObject(group);
        }
        return group;
    }

    static ObjectType TypeOf(int index, GroupLayout parentLayout) {
        if (index % 50 == 25) {
            return ObjectType::kGrid;
        }
        if (parentLayout == GroupLayout::kRadio && index % 5 != 0) {
            return ObjectType::kRadioButton;
        }
        static constexpr std::array<ObjectType, 20> kTypes = {
            ObjectType::kText,     ObjectType::kButton,   ObjectType::kText,
            ObjectType::kEdit,     ObjectType::kPicture,  ObjectType::kText,
            ObjectType::kButton,   ObjectType::kCheckbox, ObjectType::kPicture,
            ObjectType::kToggle,   ObjectType::kText,     ObjectType::kPulldown,
            ObjectType::kProgress, ObjectType::kSlidebar, ObjectType::kButton,
            ObjectType::kMeter,    ObjectType::kGraph,    ObjectType::kVList,
            ObjectType::kHList,    ObjectType::kCanvas};
        return kTypes[static_cast<std::size_t>(index) % kTypes.size()];
    }

    void Object(CObjectDataList& parent, GroupLayout parentLayout, int index) {
        const ObjectType type = TypeOf(index, parentLayout);
        auto* object = store_.Create<CObjectData>(&parent);
        AddObjectItems(object->Items(), type, parentLayout);
        object->SetItem("Name", std::string(ObjectShortCode(type)) + std::to_string(index));
        const std::string word = kJapanese[static_cast<std::size_t>(index) % kJapanese.size()];
        object->SetItem("Text", word + std::to_string(index));
        object->SetItem("TextOn", word);
        object->SetItem("Width", index % 3 == 0 ? "CONTENT" : "120");
        object->SetItem("Height", index % 4 == 0 ? "PARENT" : "CONTENT");
        object->SetItem("TColor", index % 2 == 0 ? "BLACK" : "#204060");
        object->SetItem("File", "images/obj" + std::to_string(index % 90) + ".png");
        object->SetItem("FileSource", "STATION");
        parent.AddObject(object);
        if (type == ObjectType::kGrid) {
            const int columns = 2 + index % 4;
            for (int i = 0; i < columns; ++i) {
                ZeClass* column = CreateHeaderColumn(store_);
                column->SetItem("BGColor", i % 2 == 0 ? "LTGRAY" : "WHITE");
                object->AddHeader(column);
            }
            object->SetItem("Columns", std::to_string(columns));
        }
        if (type == ObjectType::kSlidebar) {
            object->AddChild(CreateCommand(store_, "UPDATE", "OnSlide"));
        } else if (index % 4 == 1) {
            for (int i = 0; i <= index % 3; ++i) {
                ZeClass* command = CreateCommand(store_, i == 0 ? "OPEN" : "SOUND", "OnClick");
                command->SetItem("File", i == 0 ? "Settings" : "sound/tap.wav");
                object->AddChild(command);
            }
        }
    }

    CZeDialogData& dialog_;
    ElementStore& store_;
    int groups_ = 0;
};

// Stands in for the views: keeps what a tree view touches on each change
// (the elements, the labels of those it shows anew).
class RecordingObserver : public ProjectObserver {
public:
    void ElementsChanged(const ElementChange& change) override {
        for (ZeClass* element : change.added) {
            touched_.insert(element);
            labelBytes_ += element->GetTreeLabel().size();
        }
        for (ZeClass* element : change.changed) {
            touched_.insert(element);
            labelBytes_ += element->GetTreeLabel().size();
        }
        touched_.insert(change.removed.begin(), change.removed.end());
    }

    void Reset() { touched_.clear(); }
    std::size_t Touched() const { return touched_.size(); }

private:
    std::unordered_set<const ZeClass*> touched_;
    // What building the labels a tree view shows costs is part of the figure.
    std::size_t labelBytes_ = 0;
};

struct Section {
    CObjectDataList* group = nullptr;
    // Groups from the root group down to this one, both counted.
    int level = 0;
};

void FindSections(CObjectDataList& group, int level, std::vector<Section>& sections) {
    sections.push_back({&group, level});
    for (CObjectData* child : group.GetChildren()) {
        if (child->IsGroup()) {
            FindSections(static_cast<CObjectDataList&>(*child), level + 1, sections);
        }
    }
}

std::size_t RowOf(const ZeClass& element, std::string_view name) {
    const CItemList& items = element.Items();
    for (std::size_t row = 0; row < items.GetItemCount(); ++row) {
        if (items.GetItemData(row).GetName() == name) {
            return row;
        }
    }
    return items.GetItemCount();
}

std::string DialogText(const CZeDialogData& dialog) {
    CJsonString text;
    dialog.WriteDialogMessage(text, 0);
    return text.TakeText();
}

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Operation {
    const char* name;
    // Untimed: the selection the editor would have, the target of this
    // repetition.
    std::function<void(int rep)> prepare;
    std::function<EditResult(int rep)> run;
    // Copy and a pick change nothing and have no step to undo.
    bool undoable = true;
    // For those: whether the call did its work (copy: a text came back).
    std::function<bool(const EditResult&)> done = [](const EditResult& result) {
        return !result.clipboardText.empty();
    };
};

// The times of one operation's calls, in milliseconds.
struct Samples {
    std::vector<double> op;
    std::vector<double> undo;
    std::vector<double> redo;
    std::vector<double> told;
    int failures = 0;
};

// A project loaded from the generated text, the observer that stands in for
// its views, and the groups in the deeper half of its dialog that hold the
// targets.
struct Subject {
    RecordingObserver observer;
    CZeResourceData project;
    CZeDialogData* dialog = nullptr;
    std::vector<Section> deep;

    bool Load(std::string_view text) {
        if (!project.LoadText(text) || project.GetDialogs().GetCount() != 1) {
            return false;
        }
        dialog = project.GetDialogs().GetDialog(0);
        std::vector<Section> sections;
        FindSections(*dialog->GetRootGroup(), 1, sections);
        for (const Section& section : sections) {
            const auto& children = section.group->GetChildren();
            if (section.level >= kDeepFrom &&
                std::none_of(children.begin(), children.end(),
                             [](const CObjectData* child) { return child->IsGroup(); })) {
                deep.push_back(section);
            }
        }
        project.Observers().Add(&observer);
        return !deep.empty();
    }

    // The group and child a repetition works on, spread over the deep
    // groups and over their children.
    CObjectDataList& SectionOf(int rep) const {
        return *deep[static_cast<std::size_t>(rep) % deep.size()].group;
    }
    // A child with at least from children before it and spare after it.
    CObjectData* ChildAt(int rep, std::size_t from, std::size_t spare) const {
        const auto& children = SectionOf(rep).GetChildren();
        const std::size_t span = children.size() - from - spare;
        return children[from + (static_cast<std::size_t>(rep) * 7 + 3) % span];
    }
    // The first object of a type from the chosen place on, for the edits
    // that need one.
    CObjectData* ChildOfType(int rep, std::string_view type) const {
        for (int step = 0; step < static_cast<int>(deep.size()); ++step) {
            const auto& children = SectionOf(rep + step).GetChildren();
            const std::size_t start = (static_cast<std::size_t>(rep) * 7 + 3) % children.size();
            for (std::size_t i = 0; i < children.size(); ++i) {
                CObjectData* child = children[(start + i) % children.size()];
                if (!child->IsGroup() && child->GetItem("Type") == type) {
                    return child;
                }
            }
        }
        return nullptr;
    }
};

class Bench {
public:
    explicit Bench(Subject& subject)
        : project_(subject.project), dialog_(*subject.dialog), observer_(subject.observer) {}

    // One call of the operation, then (untimed between them) its undo, its
    // redo and the undo that brings the dialog back.
    void MeasureOnce(const Operation& operation, int rep, Samples& samples) {
        DeselectAll(project_);
        operation.prepare(rep);
        observer_.Reset();
        auto start = Clock::now();
        const EditResult result = operation.run(rep);
        samples.op.push_back(Milliseconds(start));
        samples.told.push_back(static_cast<double>(observer_.Touched()));
        if (!operation.undoable) {
            samples.failures += operation.done(result) ? 0 : 1;
            return;
        }
        samples.failures += result.stepsRecorded == 1 ? 0 : 1;

        observer_.Reset();
        start = Clock::now();
        const EditResult undone = UndoEdit(project_, dialog_);
        samples.undo.push_back(Milliseconds(start));

        observer_.Reset();
        start = Clock::now();
        const EditResult redone = RedoEdit(project_, dialog_);
        samples.redo.push_back(Milliseconds(start));

        samples.failures += undone.changed && redone.changed ? 0 : 1;
        UndoEdit(project_, dialog_);
    }

private:
    CZeResourceData& project_;
    CZeDialogData& dialog_;
    RecordingObserver& observer_;
};

}  // namespace
}  // namespace ze

int main(int argc, char** argv) {
    using namespace ze;
    if (argc > 1) {
        repetitions = std::max(1, std::atoi(argv[1]));
    }

    std::string text;
    {
        CZeResourceData built;
        DialogBuilder(built).Build();
        CJsonString out;
        built.WriteProject(out, "");
        text = out.TakeText();
    }
    // The table's dialog, and the same dialog with a long history beside it.
    Subject fresh;
    Subject aged;
    if (!fresh.Load(text) || !aged.Load(text)) {
        std::printf("the generated text does not load\n");
        return 1;
    }
    CZeResourceData& project = fresh.project;
    CZeDialogData& dialog = *fresh.dialog;

    std::array<int, 8> kinds{};
    const std::vector<ZeClass*> elements = TreeElements(dialog);
    for (const ZeClass* element : elements) {
        ++kinds[static_cast<std::size_t>(element->GetKind())];
    }
    const auto count = [&kinds](ElementKind kind) { return kinds[static_cast<std::size_t>(kind)]; };
    std::printf(
        "dialog: %zu elements in its tree (%d groups, %d objects, %d header columns, "
        "%d commands), objects up to %d groups deep (root group counted), "
        "%.1f KB of text\n",
        elements.size(), count(ElementKind::kGroup), count(ElementKind::kObject),
        count(ElementKind::kHeaderColumn), count(ElementKind::kCommand),
        dialog.GetRootGroup()->Depth(0), static_cast<double>(text.size()) / 1024.0);
    std::printf("targets: %zu groups at levels %d-%d, %d repetitions per figure, median\n",
                fresh.deep.size(), kDeepFrom, kLevels, repetitions);
    const std::string before = DialogText(dialog);

    CObjectData* target = nullptr;
    std::string clipboard;
    // 500 objects spread over the dialog, for the edits of several.
    std::vector<ZeClass*> fiveHundred;
    {
        std::vector<ZeClass*> objects;
        for (ZeClass* element : TreeElements(dialog)) {
            if (element->GetKind() == ElementKind::kObject) {
                objects.push_back(element);
            }
        }
        const std::size_t step = std::max<std::size_t>(1, objects.size() / 500);
        for (std::size_t i = 0; i < objects.size() && fiveHundred.size() < 500; i += step) {
            fiveHundred.push_back(objects[i]);
        }
    }
    const std::vector<Operation> operations = {
        {"move up", [&](int rep) { target = fresh.ChildAt(rep, 1, 0); },
         [&](int) { return MoveElement(project, &dialog, target, MoveDirection::kUp); }},
        {"move down", [&](int rep) { target = fresh.ChildAt(rep, 0, 1); },
         [&](int) { return MoveElement(project, &dialog, target, MoveDirection::kDown); }},
        {"delete", [&](int rep) { target = fresh.ChildAt(rep, 0, 0); },
         [&](int) { return DeleteElement(project, &dialog, target); }},
        {"copy", [&](int rep) { target = fresh.ChildAt(rep, 0, 0); },
         [&](int) { return CopyElement(target); }, false},
        {"paste (after)",
         [&](int rep) {
             // A GRID with its header columns or an object with commands.
             CObjectData* source = rep % 2 == 0 ? fresh.ChildOfType(rep, "GRID") : nullptr;
             if (source == nullptr) {
                 source = fresh.ChildAt(rep + 1, 0, 0);
             }
             clipboard = CopyElement(source).clipboardText;
             target = fresh.ChildAt(rep, 0, 0);
         },
         [&](int) { return PasteElement(project, &dialog, target, clipboard, PasteMode::kAfter); }},
        {"insert \"button\"", [&](int rep) { target = fresh.ChildAt(rep, 0, 0); },
         [&](int) { return InsertElement(project, &dialog, target, "button", PasteMode::kAfter); }},
        {"group (2 selected)",
         [&](int rep) {
             target = fresh.ChildAt(rep, 0, 2);
             const auto& children = target->GetParent()->GetChildren();
             const auto at = static_cast<std::size_t>(target->GetParent()->IndexOf(target));
             Select(project, target);
             SelectAlso(project, children[at + 2]);
         },
         [&](int) { return GroupSelection(project, &dialog, target); }},
        {"ungroup",
         [&](int rep) {
             target = &fresh.SectionOf(rep);
             Select(project, target);
         },
         [&](int) { return UngroupElement(project, &dialog, target); }},
        {"commit Text", [&](int rep) { target = fresh.ChildOfType(rep, "TEXT"); },
         [&](int rep) {
             return CommitProperty(project, &dialog, target, RowOf(*target, "Text"),
                                   "Edited " + std::to_string(rep));
         }},
        {"commit Type", [&](int rep) { target = fresh.ChildOfType(rep, "TEXT"); },
         [&](int) {
             return CommitProperty(project, &dialog, target, RowOf(*target, "Type"), "BUTTON");
         }},
        {"image assignment", [&](int rep) { target = fresh.ChildOfType(rep, "PICTURE"); },
         [&](int rep) {
             return AssignImage(project, &dialog, target, RowOf(*target, "File"),
                                PaneEntryKind::kUserImage,
                                "photo_" + std::to_string(rep) + "[12-34].png");
         }},
        // Several picked objects: one value to all of them as one step, and
        // the pick a rubber band makes (the model's part of it).
        {"commit TSize (500)", [&](int) { SelectElements(project, dialog, fiveHundred, false); },
         [&](int rep) {
             return CommitPropertyToSelection(project, "TSize",
                                              std::to_string(10 + rep % 20) + "pt");
         }},
        {"band picks 500", [&](int) {},
         [&](int) {
             SelectElements(project, dialog, fiveHundred, false);
             return EditResult{};
         },
         false,
         [&](const EditResult&) {
             return project.GetSelection().Elements().size() == fiveHundred.size();
         }},
    };

    Bench bench(fresh);
    std::printf("\n%-20s %9s %9s %9s   %8s %8s %8s %7s\n", "operation", "op ms", "undo ms",
                "redo ms", "op/16ms", "undo/16", "redo/16", "told");
    // The operations take turns, so a busy spell of the machine falls on
    // all of them alike.
    std::vector<Samples> samples(operations.size());
    int failures = 0;
    bool same = true;
    for (int rep = 0; rep < repetitions; ++rep) {
        for (std::size_t i = 0; i < operations.size(); ++i) {
            bench.MeasureOnce(operations[i], rep, samples[i]);
        }
        if (same &&
            (TreeElements(dialog).size() != elements.size() || DialogText(dialog) != before)) {
            std::printf("  the dialog is not as before after round %d\n", rep + 1);
            same = false;
            ++failures;
        }
    }
    std::vector<std::string> over;
    for (std::size_t i = 0; i < operations.size(); ++i) {
        const Operation& operation = operations[i];
        const Samples& taken = samples[i];
        failures += taken.failures;
        const double op = Median(taken.op);
        const double undo = Median(taken.undo);
        const double redo = Median(taken.redo);
        if (operation.undoable) {
            std::printf("%-20s %9.3f %9.3f %9.3f   %8.2f %8.2f %8.2f %7.0f\n", operation.name, op,
                        undo, redo, op / kFrameMs, undo / kFrameMs, redo / kFrameMs,
                        Median(taken.told));
        } else {
            std::printf("%-20s %9.4f %9s %9s   %8.2f %8s %8s %7s\n", operation.name, op, "-", "-",
                        op / kFrameMs, "-", "-", "-");
        }
        for (const auto& [figure, part] :
             {std::pair{op, "op"}, std::pair{undo, "undo"}, std::pair{redo, "redo"}}) {
            if (figure > kFrameMs) {
                over.push_back(std::string(operation.name) + " " + part);
            }
        }
    }
    std::printf("\ntold: elements the observer was told of by the operation (median)\n");

    // A working session leaves many steps in the history. The second dialog
    // gets them untimed (move up and move down in turn, so its tree comes
    // back every second step); then the same move up is timed on both
    // dialogs in turn.
    {
        const int steps = 2 * std::max(repetitions, 10);
        CObjectData* moved = nullptr;
        for (int step = 0; step < steps; ++step) {
            if (step % 2 == 0) {
                moved = aged.ChildAt(step / 2, 1, 0);
            }
            const EditResult result =
                MoveElement(aged.project, aged.dialog, moved,
                            step % 2 == 0 ? MoveDirection::kUp : MoveDirection::kDown);
            failures += result.stepsRecorded == 1 ? 0 : 1;
        }
        const std::size_t records = aged.dialog->GetUndoBuffer().GetRecordCount();
        const auto moveUp = [&target](Subject& subject) {
            return Operation{
                "move up", [&target, &subject](int rep) { target = subject.ChildAt(rep, 1, 0); },
                [&target, &subject](int) {
                    return MoveElement(subject.project, subject.dialog, target, MoveDirection::kUp);
                }};
        };
        const Operation freshMove = moveUp(fresh);
        const Operation agedMove = moveUp(aged);
        Bench agedBench(aged);
        Samples one;
        Samples many;
        for (int rep = 0; rep < repetitions; ++rep) {
            bench.MeasureOnce(freshMove, rep, one);
            agedBench.MeasureOnce(agedMove, rep, many);
        }
        failures += one.failures + many.failures;
        std::printf(
            "move up with %zu steps in the history: op %.3f ms, undo %.3f ms, redo %.3f "
            "ms; in turn with a history of 2 steps: %.3f / %.3f / %.3f ms (ratio op "
            "%.2f)\n",
            records, Median(many.op), Median(many.undo), Median(many.redo), Median(one.op),
            Median(one.undo), Median(one.redo), Median(many.op) / Median(one.op));
        if (DialogText(*aged.dialog) != before || DialogText(dialog) != before) {
            std::printf("  the moves left a dialog changed\n");
            ++failures;
        }
    }

    std::printf("over one frame (%.0f ms):", kFrameMs);
    for (const std::string& name : over) {
        std::printf(" %s;", name.c_str());
    }
    std::printf("%s\n", over.empty() ? " none" : "");
    if (failures != 0) {
        std::printf("%d calls changed nothing or left the dialog changed\n", failures);
        return 1;
    }
    return 0;
}
