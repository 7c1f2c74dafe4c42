// The three-way merge of projects: one table with a case for every rule,
// each checked against the project it should give, by its conflicts, and by
// the merged project loading and saving back byte for byte.

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/cp932.h"
#include "model/dialog_data.h"
#include "model/mo_stream.h"
#include "model/object_data.h"
#include "model/project_diff.h"
#include "model/project_merge.h"
#include "model/resource_data.h"
#include "project_texts.h"

namespace {

using ze::test::Project;
using P = ze::test::ProjectParts;
using Lines = std::vector<std::string>;

std::string Written(const ze::CZeResourceData& project) {
    ze::CJsonString text;
    project.WriteProject(text, "");
    return text.TakeText();
}

P Apply(void (*change)(P&)) {
    P parts;
    if (change != nullptr) {
        change(parts);
    }
    return parts;
}

TEST(ProjectMerge, EveryRule) {
    struct Case {
        const char* what;
        void (*ours)(P&);
        void (*theirs)(P&);
        void (*expected)(P&);
        Lines conflicts;
    };
    const Case cases[] = {
        {"nothing changed", nullptr, nullptr, nullptr, {}},
        {"one side only: theirs",
         nullptr,
         [](P& p) { p.open = P::Replace(p.open, "設定を開く", "開く"); },
         [](P& p) { p.open = P::Replace(p.open, "設定を開く", "開く"); },
         {}},
        {"one side only: ours",
         [](P& p) { p.open = P::Replace(p.open, "設定を開く", "開く"); },
         nullptr,
         [](P& p) { p.open = P::Replace(p.open, "設定を開く", "開く"); },
         {}},
        {"different properties of one element",
         [](P& p) { p.open = P::Replace(p.open, "'Text'", "'TSize':'16pt','Text'"); },
         [](P& p) { p.open = P::Replace(p.open, "設定を開く", "開く"); },
         [](P& p) {
             p.open = P::Replace(P::Replace(p.open, "設定を開く", "開く"), "'Text'",
                                 "'TSize':'16pt','Text'");
         },
         {}},
        {"the same value on both sides",
         [](P& p) { p.open = P::Replace(p.open, "設定を開く", "開く"); },
         [](P& p) { p.open = P::Replace(p.open, "設定を開く", "開く"); },
         [](P& p) { p.open = P::Replace(p.open, "設定を開く", "開く"); },
         {}},
        {"different values: ours kept",
         [](P& p) { p.open = P::Replace(p.open, "設定を開く", "保存"); },
         [](P& p) { p.open = P::Replace(p.open, "設定を開く", "登録"); },
         [](P& p) { p.open = P::Replace(p.open, "設定を開く", "保存"); },
         {"CONFLICT Main/Root/Buttons/Open: Text: ours 保存 theirs 登録"}},
        {"a project property and a dialog property",
         [](P& p) { p.projectName = "アプリ"; },
         [](P& p) { p.dialogProperties = ",'TemplateType':'Shared'"; },
         [](P& p) {
             p.projectName = "アプリ";
             p.dialogProperties = ",'TemplateType':'Shared'";
         },
         {}},
        {"a project property set differently",
         [](P& p) { p.projectName = "Ours"; },
         [](P& p) { p.projectName = "Theirs"; },
         [](P& p) { p.projectName = "Ours"; },
         {"CONFLICT /: Name: ours Ours theirs Theirs"}},
        {"siblings inserted next to each other",
         [](P& p) { p.open += ",{'Name':'Help','Type':'BUTTON'}"; },
         [](P& p) { p.open += ",{'Name':'Info','Type':'TEXT'}"; },
         [](P& p) { p.open += ",{'Name':'Info','Type':'TEXT'},{'Name':'Help','Type':'BUTTON'}"; },
         {}},
        {"an element inserted first",
         nullptr,
         [](P& p) { p.title = "{'Type':'PICTURE'}," + p.title; },
         [](P& p) { p.title = "{'Type':'PICTURE'}," + p.title; },
         {}},
        {"the same element added on both sides",
         [](P& p) { p.quit += ",{'Name':'Help','Type':'BUTTON'}"; },
         [](P& p) { p.quit += ",{'Name':'Help','Type':'BUTTON'}"; },
         [](P& p) { p.quit += ",{'Name':'Help','Type':'BUTTON'}"; },
         {}},
        {"the same unnamed element added on both sides, a named one after it",
         [](P& p) { p.quit += ",{'Type':'TEXT','Text':'注'},{'Name':'Help','Type':'BUTTON'}"; },
         [](P& p) { p.quit += ",{'Type':'TEXT','Text':'注'}"; },
         [](P& p) { p.quit += ",{'Type':'TEXT','Text':'注'},{'Name':'Help','Type':'BUTTON'}"; },
         {}},
        {"a name taken on both sides: theirs numbered",
         [](P& p) { p.quit += ",{'Name':'Help','Type':'BUTTON'}"; },
         [](P& p) { p.quit += ",{'Name':'Help','Type':'TEXT'}"; },
         [](P& p) { p.quit += ",{'Name':'Text1','Type':'TEXT'},{'Name':'Help','Type':'BUTTON'}"; },
         {"CONFLICT Main/Root/Buttons/Text1: Name: ours Help theirs Text1"}},
        {"a rename to a name ours gave another element",
         [](P& p) { p.title = P::Replace(p.title, "'Title'", "'Heading'"); },
         [](P& p) { p.quit = P::Replace(p.quit, "'Quit'", "'Heading'"); },
         [](P& p) { p.title = P::Replace(p.title, "'Title'", "'Heading'"); },
         {"CONFLICT Main/Root/Buttons/Quit: Name: ours Quit theirs Heading"}},
        {"a group added with children",
         nullptr,
         [](P& p) {
             p.volume +=
                 ",{'Name':'Box','Type':'GROUP','Layout':'FRAME','Objects':["
                 "{'Type':'TEXT','Text':'x'},{'Name':'Ok','Type':'BUTTON'}]}";
         },
         [](P& p) {
             p.volume +=
                 ",{'Name':'Box','Type':'GROUP','Layout':'FRAME','Objects':["
                 "{'Type':'TEXT','Text':'x'},{'Name':'Ok','Type':'BUTTON'}]}";
         },
         {}},
        {"removed on one side, unchanged on the other",
         [](P& p) { p.title = P::Replace(p.title, "見出し", "題名"); },
         [](P& p) { p.quit.clear(); },
         [](P& p) {
             p.title = P::Replace(p.title, "見出し", "題名");
             p.quit.clear();
         },
         {}},
        {"a group removed by ours, unchanged by theirs",
         [](P& p) { p.buttons.clear(); },
         [](P& p) { p.volume = P::Replace(p.volume, "50", "60"); },
         [](P& p) {
             p.buttons.clear();
             p.volume = P::Replace(p.volume, "50", "60");
         },
         {}},
        {"removed by theirs, changed by ours",
         [](P& p) { p.quit = P::Replace(p.quit, "終了", "閉じる"); },
         [](P& p) { p.quit.clear(); },
         [](P& p) { p.quit = P::Replace(p.quit, "終了", "閉じる"); },
         {"CONFLICT Main/Root/Buttons/Quit: ours changed theirs removed"}},
        {"removed by ours, changed by theirs",
         [](P& p) { p.quit.clear(); },
         [](P& p) { p.quit = P::Replace(p.quit, "終了", "閉じる"); },
         [](P& p) { p.quit.clear(); },
         {"CONFLICT Main/Root/Buttons/Quit: ours removed theirs changed"}},
        {"a group removed by theirs, a child added by ours",
         [](P& p) { p.quit += ",{'Name':'Help','Type':'BUTTON'}"; },
         [](P& p) { p.buttons.clear(); },
         [](P& p) { p.quit += ",{'Name':'Help','Type':'BUTTON'}"; },
         {"CONFLICT Main/Root/Buttons: ours changed theirs removed"}},
        {"a group removed by theirs, a child moved out of it by ours",
         [](P& p) {
             p.history += "," + p.quit;
             p.quit.clear();
         },
         [](P& p) { p.buttons.clear(); },
         [](P& p) {
             p.history += "," + p.quit;
             p.buttons.clear();
         },
         {"CONFLICT Main/Root/Quit: ours changed theirs removed"}},
        {"an element added by theirs into a group ours moved",
         [](P& p) {
             p.history += "," + p.buttons + ",'Objects':[" + p.open + "," + p.quit + "]}";
             p.buttons.clear();
         },
         [](P& p) { p.quit += ",{'Name':'Help','Type':'BUTTON'}"; },
         [](P& p) {
             p.history += "," + p.buttons + ",'Objects':[" + p.open + "," + p.quit +
                          ",{'Name':'Help','Type':'BUTTON'}]}";
             p.buttons.clear();
         },
         {}},
        {"a move on one side, a change on the other",
         [](P& p) { p.volume = P::Replace(p.volume, "50", "60"); },
         [](P& p) {
             p.open = p.volume + "," + p.open;
             p.volume.clear();
         },
         [](P& p) {
             p.open = P::Replace(p.volume, "50", "60") + "," + p.open;
             p.volume.clear();
         },
         {}},
        {"an order changed by theirs, an element added by ours",
         [](P& p) { p.quit += ",{'Name':'Help','Type':'BUTTON'}"; },
         [](P& p) { std::swap(p.open, p.quit); },
         [](P& p) {
             const std::string open = p.open;
             p.open = p.quit;
             p.quit = open + ",{'Name':'Help','Type':'BUTTON'}";
         },
         {}},
        {"the same move on both sides",
         [](P& p) {
             p.open = p.volume + "," + p.open;
             p.volume.clear();
         },
         [](P& p) {
             p.open = p.volume + "," + p.open;
             p.volume.clear();
         },
         [](P& p) {
             p.open = p.volume + "," + p.open;
             p.volume.clear();
         },
         {}},
        {"moved to different places",
         [](P& p) {
             p.title = p.volume + "," + p.title;
             p.volume.clear();
         },
         [](P& p) {
             p.open = p.volume + "," + p.open;
             p.volume.clear();
         },
         [](P& p) {
             p.title = p.volume + "," + p.title;
             p.volume.clear();
         },
         {"CONFLICT Main/Root/Volume: ours Root[0] theirs Buttons[0]"}},
        {"unnamed elements changed on each side",
         [](P& p) { p.unnamed = P::Replace(p.unnamed, "'a'", "'z'"); },
         [](P& p) { p.unnamed = P::Replace(p.unnamed, "'b'", "'c'"); },
         [](P& p) { p.unnamed = P::Replace(P::Replace(p.unnamed, "'a'", "'z'"), "'b'", "'c'"); },
         {}},
        {"a command added by theirs, its owner changed by ours",
         [](P& p) { p.quit = P::Replace(p.quit, "終了", "閉じる"); },
         [](P& p) {
             p.quit = P::Replace(p.quit, "}", ",'OnClick':{'Event':'OnClick','Command':'CLOSE'}}");
         },
         [](P& p) {
             p.quit = P::Replace(P::Replace(p.quit, "終了", "閉じる"), "}",
                                 ",'OnClick':{'Event':'OnClick','Command':'CLOSE'}}");
         },
         {}},
        {"a command's property and a dialog command removed",
         [](P& p) { p.open = P::Replace(p.open, "Settings.json", "Other.json"); },
         [](P& p) { p.dialogEvents.clear(); },
         [](P& p) {
             p.open = P::Replace(p.open, "Settings.json", "Other.json");
             p.dialogEvents.clear();
         },
         {}},
        {"a command made another command by theirs",
         [](P& p) { p.title = P::Replace(p.title, "見出し", "題名"); },
         [](P& p) {
             p.open = P::Replace(p.open, "'Command':'OPEN','File':'Settings.json'",
                                 "'Command':'SOUND','File':'click.wav'");
         },
         [](P& p) {
             p.title = P::Replace(p.title, "見出し", "題名");
             p.open = P::Replace(p.open, "'Command':'OPEN','File':'Settings.json'",
                                 "'Command':'SOUND','File':'click.wav'");
         },
         {}},
        {"a command made another command by theirs, changed by ours",
         [](P& p) { p.open = P::Replace(p.open, "Settings.json", "Other.json"); },
         [](P& p) {
             p.open = P::Replace(p.open, "'Command':'OPEN','File':'Settings.json'",
                                 "'Command':'SOUND','File':'click.wav'");
         },
         [](P& p) { p.open = P::Replace(p.open, "Settings.json", "Other.json"); },
         {"CONFLICT Main/Root/Buttons/Open/OnClick: Command: ours OPEN theirs SOUND"}},
        {"an object made another type by theirs",
         nullptr,
         [](P& p) { p.quit = "{'Name':'Quit','Type':'TEXT','Text':'終了'}"; },
         [](P& p) { p.quit = "{'Name':'Quit','Type':'TEXT','Text':'終了'}"; },
         {}},
        {"header columns changed on each side",
         [](P& p) { p.history = P::Replace(p.history, "14pt", "16pt"); },
         [](P& p) { p.history = P::Replace(p.history, "12pt", "10pt"); },
         [](P& p) {
             p.history = P::Replace(P::Replace(p.history, "14pt", "16pt"), "12pt", "10pt");
         },
         {}},
        {"a header column added by theirs",
         nullptr,
         [](P& p) { p.history = P::Replace(p.history, "'12pt'}", "'12pt'},{'TSize':'8pt'}"); },
         [](P& p) { p.history = P::Replace(p.history, "'12pt'}", "'12pt'},{'TSize':'8pt'}"); },
         {}},
        {"a dialog added by theirs, one changed by ours",
         [](P& p) { p.title = P::Replace(p.title, "見出し", "題名"); },
         [](P& p) { p.otherDialogs = P::kSettingsDialog; },
         [](P& p) {
             p.title = P::Replace(p.title, "見出し", "題名");
             p.otherDialogs = P::kSettingsDialog;
         },
         {}},
        {"a dialog of one name added differently on both sides",
         [](P& p) { p.otherDialogs = P::kSettingsDialog; },
         [](P& p) { p.otherDialogs = P::Replace(P::kSettingsDialog, "Back", "Home"); },
         [](P& p) {
             // Theirs follows Main as on its side, before ours.
             p.otherDialogs = P::Replace(P::Replace(P::kSettingsDialog, "Back", "Home"),
                                         "'Settings'", "'Settings2'") +
                              P::kSettingsDialog;
         },
         {"CONFLICT Settings: Name: ours Settings theirs Settings2"}},
    };
    const std::string base = Project(P{});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ze::CZeResourceData baseProject;
        ze::CZeResourceData ours;
        ze::CZeResourceData theirs;
        ze::CZeResourceData expected;
        ASSERT_TRUE(baseProject.LoadText(base));
        ASSERT_TRUE(ours.LoadText(Project(Apply(c.ours))));
        ASSERT_TRUE(theirs.LoadText(Project(Apply(c.theirs))));
        ASSERT_TRUE(expected.LoadText(Project(Apply(c.expected))));

        Lines conflicts;
        for (const ze::MergeConflict& conflict : ze::MergeProjects(baseProject, ours, theirs)) {
            conflicts.push_back(ze::Cp932ToUtf8(ze::ConflictLine(conflict)));
        }
        EXPECT_EQ(conflicts, c.conflicts);
        Lines differences;
        for (const ze::ProjectChange& change : ze::DiffProjects(expected, ours)) {
            differences.push_back(ze::Cp932ToUtf8(ze::ChangeLine(change)));
        }
        EXPECT_EQ(differences, Lines{});

        const std::string merged = Written(ours);
        ze::CZeResourceData reloaded;
        ASSERT_TRUE(reloaded.LoadText(merged));
        EXPECT_EQ(Written(reloaded), merged);
    }
}

TEST(ProjectMerge, DialogOrder) {
    const auto dialog = [](const std::string& name) {
        return "{'Command':'DIALOG','Name':'" + name +
               "','Object':{'Name':'R','Type':'GROUP','Layout':'LINEAR','Objects':[]}}";
    };
    const auto project = [&](const std::vector<std::string>& names) {
        std::string text = "{'Commands':[";
        for (const std::string& name : names) {
            text += (&name == &names.front() ? "" : ",") + dialog(name);
        }
        return text + "]}";
    };
    const auto names = [](const ze::CZeResourceData& merged) {
        std::vector<std::string> list;
        for (std::size_t i = 0; i < merged.GetDialogs().GetCount(); ++i) {
            list.push_back(merged.GetDialogs().GetDialog(i)->GetItem("Name"));
        }
        return list;
    };
    struct Case {
        std::vector<std::string> ours;
        std::vector<std::string> theirs;
        std::vector<std::string> merged;
        std::size_t conflicts;
    };
    const std::vector<std::string> base = {"A", "B", "C"};
    const Case cases[] = {
        {{"A", "B", "C"}, {"C", "A", "B"}, {"C", "A", "B"}, 0},            // theirs moved C first
        {{"A", "B", "C", "D"}, {"B", "A", "C"}, {"B", "A", "C", "D"}, 0},  // and ours added D
        {{"A", "C", "B"}, {"A", "B", "C"}, {"A", "C", "B"}, 0},            // ours moved
        {{"C", "A", "B"}, {"C", "A", "B"}, {"C", "A", "B"}, 0},            // both alike
        {{"B", "C", "A"}, {"A", "C", "B"}, {"B", "A", "C"}, 0},            // A by ours, C by theirs
        {{"C", "A", "B"}, {"A", "C", "B"}, {"C", "A", "B"}, 1},            // C to two places
        {{"A", "B", "C"}, {"A", "E", "B", "C"}, {"A", "E", "B", "C"}, 0},  // theirs added E
    };
    for (const Case& c : cases) {
        ze::CZeResourceData baseProject;
        ze::CZeResourceData ours;
        ze::CZeResourceData theirs;
        ASSERT_TRUE(baseProject.LoadText(project(base)));
        ASSERT_TRUE(ours.LoadText(project(c.ours)));
        ASSERT_TRUE(theirs.LoadText(project(c.theirs)));
        EXPECT_EQ(ze::MergeProjects(baseProject, ours, theirs).size(), c.conflicts)
            << ::testing::PrintToString(c.theirs);
        EXPECT_EQ(names(ours), c.merged) << ::testing::PrintToString(c.theirs);
    }
}

}  // namespace

namespace {

// Random edits of the example project on both sides: the diff of a side
// finds a change exactly when its text differs, and whatever the edits, the
// merge neither fails nor leaves a name twice in a dialog, and its result
// loads and saves back byte for byte.
struct RandomEditor {
    std::mt19937 random;

    std::size_t Pick(std::size_t below) { return random() % below; }

    void Edit(ze::CZeResourceData& project, int edits) {
        for (int i = 0; i < edits; ++i) {
            ze::CZeDialogData& dialog =
                *project.GetDialogs().GetDialog(Pick(project.GetDialogs().GetCount()));
            std::vector<ze::CObjectData*> all;
            std::vector<ze::CObjectDataList*> groups;
            std::function<void(ze::CObjectData*)> collect = [&](ze::CObjectData* element) {
                all.push_back(element);
                if (element->IsGroup()) {
                    groups.push_back(static_cast<ze::CObjectDataList*>(element));
                    for (ze::CObjectData* child :
                         static_cast<ze::CObjectDataList*>(element)->GetChildren()) {
                        collect(child);
                    }
                }
            };
            collect(dialog.GetRootGroup());
            ze::CObjectData* element = all[Pick(all.size())];
            ze::CObjectDataList* parent = element->GetParent();
            switch (Pick(5)) {
                case 0:
                    element->SetItem("Width", std::to_string(Pick(5)) + "px");
                    break;
                case 1:
                    // A copy of a plain object: what a paste of one adds.
                    if (parent != nullptr && !element->IsGroup() &&
                        element->GetItem("Type") != "GRID") {
                        ze::CObjectData* added =
                            dialog.GetElementStore().Create<ze::CObjectData>(parent);
                        added->Items().CopyItems(element->Items());
                        added->SetItem(
                            "Name", Pick(2) == 0 ? std::string() : "New" + std::to_string(Pick(4)));
                        parent->InsertAfter(added, element);
                    }
                    break;
                case 2:
                    if (parent != nullptr) {
                        dialog.GetElementStore();
                        parent->Remove(element, false);
                    }
                    break;
                case 3: {
                    ze::CObjectDataList* target = groups[Pick(groups.size())];
                    // Between groups of one layout: the items of an object
                    // follow its parent's layout (PosX and PosY in RELATIVE)
                    // only when it is read.
                    const bool sameLayout =
                        parent != nullptr && target->GetItem("Layout") == parent->GetItem("Layout");
                    const bool cycle = target == element ||
                                       (element->IsGroup() &&
                                        static_cast<ze::CObjectDataList*>(element)->Holds(target));
                    if (sameLayout && !cycle) {
                        dialog.GetElementStore();
                        parent->Remove(element, false);
                        target->InsertBefore(element, nullptr);
                    }
                    break;
                }
                default:
                    element->SetItem("Name", "Renamed" + std::to_string(Pick(4)));
                    break;
            }
        }
    }
};

bool NamesUnique(const ze::CZeResourceData& project) {
    for (std::size_t d = 0; d < project.GetDialogs().GetCount(); ++d) {
        std::set<std::string> names;
        bool unique = true;
        std::function<void(const ze::CObjectData*)> visit = [&](const ze::CObjectData* element) {
            const std::string name = element->GetItem("Name");
            unique = unique && (name.empty() || names.insert(name).second);
            if (element->IsGroup()) {
                for (const ze::CObjectData* child :
                     static_cast<const ze::CObjectDataList*>(element)->GetChildren()) {
                    visit(child);
                }
            }
        };
        visit(project.GetDialogs().GetDialog(d)->GetRootGroup());
        if (!unique) {
            return false;
        }
    }
    return true;
}

TEST(ProjectMerge, RandomEditsOnBothSides) {
    std::ifstream in(ZE_TEST_DATA_DIR "/../../examples/SampleApp.moxspro", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ze::CZeResourceData base;
    ASSERT_TRUE(base.LoadText(text));
    ASSERT_TRUE(NamesUnique(base));
    for (unsigned seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE(seed);
        ze::CZeResourceData ours;
        ze::CZeResourceData theirs;
        ASSERT_TRUE(ours.LoadText(text));
        ASSERT_TRUE(theirs.LoadText(text));
        RandomEditor ourEditor{std::mt19937(seed)};
        RandomEditor theirEditor{std::mt19937(seed + 1000)};
        ourEditor.Edit(ours, 12);
        theirEditor.Edit(theirs, 12);
        // Random renames may give a side a name twice; only sound sides count.
        if (!NamesUnique(ours) || !NamesUnique(theirs)) {
            continue;
        }
        // The diff finds a change exactly when the text differs.
        EXPECT_EQ(ze::DiffProjects(base, ours).empty(), Written(base) == Written(ours));
        ze::MergeProjects(base, ours, theirs);
        EXPECT_TRUE(NamesUnique(ours));
        const std::string merged = Written(ours);
        ze::CZeResourceData reloaded;
        ASSERT_TRUE(reloaded.LoadText(merged));
        EXPECT_EQ(Written(reloaded), merged);
        // Theirs merged into a copy of itself changes nothing.
        ze::CZeResourceData same;
        ASSERT_TRUE(same.LoadText(Written(theirs)));
        EXPECT_TRUE(ze::MergeProjects(base, same, theirs).empty());
        std::string differences;
        for (const ze::ProjectChange& change : ze::DiffProjects(theirs, same)) {
            differences += ze::Cp932ToUtf8(ze::ChangeLine(change)) + "\n";
        }
        EXPECT_EQ(differences, "");
    }
}

// The example's dialogs copied many times over, edited at random on both
// sides: the project is large enough to be compared and merged on two
// threads, and must give what each dialog gives in a project of its own.
TEST(ProjectMerge, ALargeProjectGivesWhatEachDialogGivesAlone) {
    std::ifstream in(ZE_TEST_DATA_DIR "/../../examples/SampleApp.moxspro", std::ios::binary);
    const std::string sample((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
    ze::CZeResourceData example;
    ASSERT_TRUE(example.LoadText(sample));
    const std::string text = Written(example);
    const std::size_t open = text.find("'Commands':[") + std::string("'Commands':[").size();
    const std::size_t close = text.rfind(']');
    ASSERT_LT(open, close);
    const std::string head = text.substr(0, open);
    const std::string tail = text.substr(close);
    std::string large = head;
    for (int copy = 0; copy < 240; ++copy) {
        large += (copy == 0 ? "" : ",") + text.substr(open, close - open);
    }
    large += tail;
    // A project of one dialog of project, named as it is there.
    const auto alone = [&](const ze::CZeResourceData& project, std::size_t d) {
        ze::CJsonString message;
        project.GetDialogs().GetDialog(d)->WriteDialogMessage(message, 0);
        auto single = std::make_unique<ze::CZeResourceData>();
        EXPECT_TRUE(single->LoadText(head + message.TakeText() + tail));
        return single;
    };
    ze::CZeResourceData base;
    ze::CZeResourceData ours;
    ze::CZeResourceData theirs;
    ASSERT_TRUE(base.LoadText(large));
    std::size_t elements = 0;
    for (std::size_t d = 0; d < base.GetDialogs().GetCount(); ++d) {
        elements += base.GetDialogs().GetDialog(d)->GetElementStore().Count();
    }
    ASSERT_GE(elements, 20000U);  // where the work is shared by two threads
    ASSERT_TRUE(ours.LoadText(Written(base)));
    ASSERT_TRUE(theirs.LoadText(Written(base)));
    RandomEditor{std::mt19937(11)}.Edit(ours, 400);
    RandomEditor{std::mt19937(12)}.Edit(theirs, 400);

    const auto lines = [](const std::vector<ze::ProjectChange>& changes) {
        Lines out;
        for (const ze::ProjectChange& change : changes) {
            out.push_back(ze::Cp932ToUtf8(ze::ChangeLine(change)));
        }
        return out;
    };
    Lines expectedChanges;
    Lines expectedConflicts;
    std::vector<std::string> expectedDialogs;
    const std::size_t count = base.GetDialogs().GetCount();
    for (std::size_t d = 0; d < count; ++d) {
        const auto baseDialog = alone(base, d);
        const auto ourDialog = alone(ours, d);
        const Lines changes = lines(ze::DiffProjects(*baseDialog, *ourDialog));
        expectedChanges.insert(expectedChanges.end(), changes.begin(), changes.end());
        for (const ze::MergeConflict& conflict :
             ze::MergeProjects(*baseDialog, *ourDialog, *alone(theirs, d))) {
            expectedConflicts.push_back(ze::Cp932ToUtf8(ze::ConflictLine(conflict)));
        }
        ze::CJsonString merged;
        ourDialog->GetDialogs().GetDialog(0)->WriteDialogMessage(merged, 0);
        expectedDialogs.push_back(merged.TakeText());
    }
    EXPECT_GT(expectedChanges.size(), 300U);
    EXPECT_GT(expectedConflicts.size(), 5U);
    EXPECT_EQ(lines(ze::DiffProjects(base, ours)), expectedChanges);

    Lines conflicts;
    for (const ze::MergeConflict& conflict : ze::MergeProjects(base, ours, theirs)) {
        conflicts.push_back(ze::Cp932ToUtf8(ze::ConflictLine(conflict)));
    }
    EXPECT_EQ(conflicts, expectedConflicts);
    ASSERT_EQ(ours.GetDialogs().GetCount(), count);
    for (std::size_t d = 0; d < count; ++d) {
        ze::CJsonString merged;
        ours.GetDialogs().GetDialog(d)->WriteDialogMessage(merged, 0);
        EXPECT_EQ(merged.TakeText(), expectedDialogs[d]) << d;
    }
}

}  // namespace
