// The three-way merge of projects: one table with a case for every rule,
// each checked against the project it should give, by its conflicts, and by
// the merged project loading and saving back byte for byte.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/cp932.h"
#include "model/mo_stream.h"
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

}  // namespace
