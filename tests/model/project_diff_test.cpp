// Matching two versions of a project and the changes found between them:
// one table of edits, each with the lines ze-tool diff prints for it.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/cp932.h"
#include "model/mo_stream.h"
#include "model/project_diff.h"
#include "model/resource_data.h"
#include "project_texts.h"

namespace {

using ze::test::Project;
using ze::test::ProjectParts;

std::vector<std::string> DiffLines(const std::string& oldText, const std::string& newText) {
    ze::CZeResourceData oldProject;
    ze::CZeResourceData newProject;
    EXPECT_TRUE(oldProject.LoadText(oldText));
    EXPECT_TRUE(newProject.LoadText(newText));
    std::vector<std::string> lines;
    for (const ze::ProjectChange& change : ze::DiffProjects(oldProject, newProject)) {
        lines.push_back(ze::Cp932ToUtf8(ze::ChangeLine(change)));
    }
    return lines;
}

TEST(ProjectDiff, EachKindOfChange) {
    using Lines = std::vector<std::string>;
    struct Case {
        const char* what;
        ProjectParts parts;  // the new version; the old one is ProjectParts{}
        Lines lines;
    };
    ProjectParts base;
    const auto with = [&base](auto change) {
        ProjectParts parts = base;
        change(parts);
        return parts;
    };
    using P = ProjectParts;
    const Case cases[] = {
        {"nothing", base, {}},
        {"a Japanese value",
         with([](P& p) { p.open = P::Replace(p.open, "設定を開く", "Settings"); }),
         {"~ Main/Root/Buttons/Open: Text: 設定を開く → Settings"}},
        {"Japanese on both sides",
         with([](P& p) { p.title = P::Replace(p.title, "見出し", "題名"); }),
         {"~ Main/Root/Title: Text: 見出し → 題名"}},
        {"an element added",
         with([](P& p) { p.quit += ",{'Name':'Help','Type':'BUTTON'}"; }),
         {"+ Main/Root/Buttons/Help (BUTTON)"}},
        {"a group removed with what it holds",
         with([](P& p) { p.buttons.clear(); }),
         {"- Main/Root/Buttons (GROUP)"}},
        {"a move between groups",
         with([](P& p) {
             p.open = p.volume + "," + p.open;
             p.volume.clear();
         }),
         {"> Main/Root/Volume: Root[4] → Buttons[0]"}},
        {"an order changed in one group",
         with([](P& p) { std::swap(p.open, p.quit); }),
         {"> Main/Root/Buttons/Quit: Buttons[1] → Buttons[0]"}},
        {"a rename in place",
         with([](P& p) { p.quit = P::Replace(p.quit, "'Quit'", "'Exit'"); }),
         {"* Main/Root/Buttons/Quit: Name: Quit → Exit"}},
        {"a rename with a change",
         with([](P& p) { p.quit = "{'Name':'Exit','Type':'BUTTON','Text':'出る'}"; }),
         {"* Main/Root/Buttons/Quit: Name: Quit → Exit",
          "~ Main/Root/Buttons/Exit: Text: 終了 → 出る"}},
        {"an unnamed element by type and position",
         with([](P& p) { p.unnamed = P::Replace(p.unnamed, "'b'", "'c'"); }),
         {"~ Main/Root/TEXT#3: Text: b → c"}},
        {"an unnamed element of another type in between",
         with([](P& p) { p.unnamed = "{'Type':'PICTURE'}," + p.unnamed; }),
         {"+ Main/Root/PICTURE#2 (PICTURE)"}},
        {"a command's property",
         with([](P& p) { p.open = P::Replace(p.open, "Settings.json", "Other.json"); }),
         {"~ Main/Root/Buttons/Open/OnClick: File: Settings.json → Other.json"}},
        {"a command added",
         with([](P& p) {
             p.quit =
                 "{'Name':'Quit','Type':'BUTTON','Text':'終了',"
                 "'OnClick':{'Event':'OnClick','Command':'CLOSE'}}";
         }),
         {"+ Main/Root/Buttons/Quit/OnClick (CLOSE)"}},
        {"a dialog's command removed",
         with([](P& p) { p.dialogEvents.clear(); }),
         {"- Main/OnOpen (TIMER)"}},
        {"a header column changed and one added",
         with([](P& p) {
             p.history =
                 "{'Name':'History','Type':'GRID','Header':[{'TSize':'14pt'},"
                 "{'TSize':'10pt'},{'TSize':'8pt'}]}";
         }),
         {"~ Main/Root/History: Columns: 2 → 3", "~ Main/Root/History/Header#1: TSize: 12pt → 10pt",
          "+ Main/Root/History/Header#2 (HEADER)"}},
        {"a dialog property",
         with([](P& p) { p.dialogProperties = ",'TemplateType':'Shared'"; }),
         {"~ Main: TemplateType: Unique → Shared"}},
        {"a project property",
         with([](P& p) { p.projectName = "アプリ"; }),
         {"~ /: Name: App → アプリ"}},
        {"a dialog added",
         with([](P& p) { p.otherDialogs = P::kSettingsDialog; }),
         {"+ Settings (DIALOG)"}},
        {"changes in tree order",
         with([](P& p) {
             p.history.clear();
             p.title = P::Replace(p.title, "見出し", "題名");
             p.quit += ",{'Name':'Help','Type':'BUTTON'}";
         }),
         {"- Main/Root/History (GRID)", "~ Main/Root/Title: Text: 見出し → 題名",
          "+ Main/Root/Buttons/Help (BUTTON)"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DiffLines(Project(base), Project(c.parts)), c.lines) << c.what;
    }
    // Both ways: what was added is removed.
    ProjectParts withSettings = base;
    withSettings.otherDialogs = ProjectParts::kSettingsDialog;
    EXPECT_EQ(DiffLines(Project(withSettings), Project(base)), Lines{"- Settings (DIALOG)"});
    // The order of the dialogs.
    const std::string two =
        "{'Commands':[{'Command':'DIALOG','Name':'A','Object':{'Name':'R',"
        "'Type':'GROUP','Layout':'LINEAR','Objects':[]}},"
        "{'Command':'DIALOG','Name':'B','Object':{'Name':'R','Type':'GROUP',"
        "'Layout':'LINEAR','Objects':[]}}]}";
    const std::string swapped =
        P::Replace(P::Replace(P::Replace(two, "'A'", "'X'"), "'B'", "'A'"), "'X'", "'B'");
    EXPECT_EQ(DiffLines(two, swapped), Lines{"> B: [1] → [0]"});
}

TEST(ProjectDiff, MovedChangeCarriesBothPlaces) {
    ProjectParts moved;
    moved.open = moved.volume + "," + moved.open;
    moved.volume.clear();
    ze::CZeResourceData oldProject;
    ze::CZeResourceData newProject;
    ASSERT_TRUE(oldProject.LoadText(Project(ProjectParts{})));
    ASSERT_TRUE(newProject.LoadText(Project(moved)));
    const auto changes = ze::DiffProjects(oldProject, newProject);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].kind, ze::ChangeKind::kMoved);
    EXPECT_EQ(changes[0].dialog, "Main");
    EXPECT_EQ(changes[0].oldParentPath, "Main/Root");
    EXPECT_EQ(changes[0].newParentPath, "Main/Root/Buttons");
    EXPECT_EQ(changes[0].oldIndex, 4);
    EXPECT_EQ(changes[0].newIndex, 0);
}

TEST(ProjectDiff, AProjectAgainstItsOwnSaveHasNoChange) {
    std::ifstream in(ZE_TEST_DATA_DIR "/../../examples/SampleApp.moxspro", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(text.empty());
    ze::CZeResourceData loaded;
    ASSERT_TRUE(loaded.LoadText(text));
    ze::CJsonString saved;
    loaded.WriteProject(saved, "");
    EXPECT_TRUE(DiffLines(text, text).empty());
    EXPECT_TRUE(DiffLines(text, saved.GetText()).empty());
    EXPECT_TRUE(DiffLines(saved.GetText(), text).empty());
}

}  // namespace

namespace {

// What names an element in the table below: its Name, else its Event, else
// its Text or TSize; "project" for the project itself, "none" for null.
std::string Described(const ze::CZeResourceData& project, const ze::ZeClass* element) {
    if (element == nullptr) {
        return "none";
    }
    if (element == &project) {
        return "project";
    }
    for (const char* name : {"Name", "Event", "Text", "TSize"}) {
        const std::string value = ze::Cp932ToUtf8(element->GetItem(name));
        if (!value.empty()) {
            return value;
        }
    }
    return "?";
}

}  // namespace

TEST(ProjectDiff, EachChangeLeadsToItsElementInTheNewVersion) {
    using Names = std::vector<std::string>;
    using P = ProjectParts;
    struct Case {
        const char* what;
        std::string oldText;
        std::string newText;
        Names elements;  // one per change, in the diff's order
    };
    const P base;
    const auto with = [&base](auto change) {
        P parts = base;
        change(parts);
        return Project(parts);
    };
    P withSettings = base;
    withSettings.otherDialogs = P::kSettingsDialog;
    const Case cases[] = {
        {"a value",
         Project(base),
         with([](P& p) { p.open = P::Replace(p.open, "設定を開く", "Settings"); }),
         {"Open"}},
        {"a removed group: its parent",
         Project(base),
         with([](P& p) { p.buttons.clear(); }),
         {"Root"}},
        {"a move: the element at its new place",
         Project(base),
         with([](P& p) {
             p.open = p.volume + "," + p.open;
             p.volume.clear();
         }),
         {"Volume"}},
        {"a rename and a change: the element under its new name",
         Project(base),
         with([](P& p) { p.quit = "{'Name':'Exit','Type':'BUTTON','Text':'出る'}"; }),
         {"Exit", "Exit"}},
        {"an unnamed element",
         Project(base),
         with([](P& p) { p.unnamed = P::Replace(p.unnamed, "'b'", "'c'"); }),
         {"c"}},
        {"a command",
         Project(base),
         with([](P& p) { p.open = P::Replace(p.open, "Settings.json", "Other.json"); }),
         {"OnClick"}},
        {"a dialog's removed command: the dialog",
         Project(base),
         with([](P& p) { p.dialogEvents.clear(); }),
         {"Main"}},
        {"header columns",
         Project(base),
         with([](P& p) {
             p.history =
                 "{'Name':'History','Type':'GRID','Header':[{'TSize':'14pt'},"
                 "{'TSize':'10pt'},{'TSize':'8pt'}]}";
         }),
         {"History", "10pt", "8pt"}},
        {"a project property",
         Project(base),
         with([](P& p) { p.projectName = "アプリ"; }),
         {"project"}},
        {"a dialog added", Project(base), Project(withSettings), {"Settings"}},
        {"a dialog removed: nothing", Project(withSettings), Project(base), {"none"}},
    };
    for (const Case& c : cases) {
        ze::CZeResourceData oldProject;
        ze::CZeResourceData newProject;
        ASSERT_TRUE(oldProject.LoadText(c.oldText)) << c.what;
        ASSERT_TRUE(newProject.LoadText(c.newText)) << c.what;
        Names found;
        for (const ze::ProjectChange& change : ze::DiffProjects(oldProject, newProject)) {
            found.push_back(Described(newProject, ze::ElementOfChange(newProject, change)));
        }
        EXPECT_EQ(found, c.elements) << c.what;
    }
}
