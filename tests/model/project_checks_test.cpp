// The project checks: each check on a small project that has its problem
// and on the same project without it, the order and the place of every
// finding, the re-check of one dialog, and the listing of a project folder.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/cp932.h"
#include "model/dialog_data.h"
#include "model/editing/property_edits.h"
#include "model/editing/tree_edits.h"
#include "model/project_checks.h"
#include "model/resource_data.h"
#include "model/schema.h"

namespace ze {
namespace {

// Free of problems with the files below: every name unique, every target
// there, every file named and present.
constexpr const char* kClean = R"({'Name':'App','Commands':[
{'Command':'DIALOG','Name':'Main','TemplateType':'Unique','Object':{'Name':'root','Type':'GROUP','Layout':'LINEAR','Objects':[
 {'Name':'Title','Type':'TEXT','Width':'PARENT','Height':'48px','TAlign':'CENTER','BGColor':'BLUE','Text':'表示','Padding':'0,0,0,0','Hide':false,'Alias':'見出し'},
 {'Name':'Open','Type':'BUTTON','FileOff':'b.png','FileSource':'STATION','Weight':1,
  'OnClick':{'Event':'OnClick','Command':'OPEN','File':'Next.json','FileSource':'STATION'}},
 {'Name':'Choice','Type':'GROUP','Layout':'RADIO','Objects':[{'Name':'R1','Type':'RADIOBTN'}]},
 {'Name':'Icon','Type':'PICTURE','File':'star.png','FileSource':'BUILTIN'},
 {'Name':'Save','Type':'BUTTON','OnClick':{'Event':'OnClick','Command':'NOTIFY','MakeCommand':'CONDITION','Name':'Title,Open'}}
]}},
{'Command':'DIALOG','Name':'Side Panel','TemplateType':'None','Object':{'Name':'root','Type':'GROUP','Layout':'FRAME','Objects':[
 {'Name':'Title','Type':'PICTURE','File':'sub/s.png','FilePath':'','FileSource':'','TSize':'12pt'}]}}]})";

ProjectFiles Files() {
    ProjectFiles files;
    files.scanned = true;
    files.resources = {"b.png", "Next.json", "sub/s.png"};
    files.builtIn = {"star.png"};
    return files;
}

// A finding as the table states it, in UTF-8.
struct Expected {
    std::string check;
    std::string dialog;
    std::string element;
    std::string property;
    Severity severity;

    friend bool operator==(const Expected&, const Expected&) = default;
};

void PrintTo(const Expected& e, std::ostream* out) {
    *out << e.check << " | " << e.dialog << " | " << e.element << " | " << e.property << " | "
         << SeverityName(e.severity);
}

std::vector<Expected> Found(const std::string& text, const ProjectFiles& files) {
    CZeResourceData project;
    EXPECT_TRUE(project.LoadText(text));
    std::vector<Expected> found;
    for (const Finding& finding : CheckProject(project, files)) {
        EXPECT_FALSE(finding.message.empty()) << finding.check;
        found.push_back({std::string(finding.check), Cp932ToUtf8(finding.dialogName),
                         Cp932ToUtf8(finding.elementLabel), finding.property, finding.severity});
    }
    return found;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

constexpr Severity kError = Severity::kError;
constexpr Severity kWarning = Severity::kWarning;

const std::string kTitle = "Object:TEXT(Title)表示";

TEST(ProjectChecks, CleanProjectHasNoFinding) {
    EXPECT_EQ(Found(kClean, Files()), std::vector<Expected>{});
    EXPECT_EQ(Found(kClean, ProjectFiles{}), std::vector<Expected>{});
}

TEST(ProjectChecks, EachCheckFindsItsProblem) {
    struct Case {
        const char* from;
        const char* to;
        std::vector<Expected> expected;
    };
    const std::vector<Case> cases = {
        {"'Name':'Icon'",
         "'Name':'Title'",
         {{"duplicate-name", "Main", kTitle, "Name", kError},
          {"duplicate-name", "Main", "Object:PICTURE(Title)", "Name", kError}}},
        {"'Name':'Title,Open'",
         "'Name':' Title,Gone,'",
         {{"unknown-target", "Main", "Command:NOTIFY", "Name", kWarning}}},
        {"'FileOff':'b.png'",
         "'FileOff':'c.png'",
         {{"missing-file", "Main", "Object:BUTTON(Open)", "FileOff", kWarning},
          {"unused-file", "", "", "", kWarning}}},
        {"'File':'Next.json'",
         "'File':'Gone.json'",
         {{"missing-file", "Main", "Command:OPEN", "File", kWarning},
          {"unused-file", "", "", "", kWarning}}},
        {"'star.png'",
         "'moon.png'",
         {{"missing-file", "Main", "Object:PICTURE(Icon)", "File", kWarning}}},
        {"'FilePath':''",
         "'FilePath':'other'",
         {{"missing-file", "Side Panel", "Object:PICTURE(Title)", "File", kWarning},
          {"unused-file", "", "", "", kWarning}}},
        // Sources fetched elsewhere are not looked for.
        {"'FileOff':'b.png','FileSource':'STATION'",
         "'FileOff':'c.png','FileSource':'URI'",
         {{"unused-file", "", "", "", kWarning}}},
        {"'Layout':'RADIO'",
         "'Layout':'LINEAR'",
         {{"radio-outside-radio", "Main", "Object:RADIOBTN(R1)", "Type", kError}}},
        {"'Height':'48px'", "'Height':'12abc'", {{"bad-length", "Main", kTitle, "Height", kError}}},
        {"'TSize':'12pt'",
         "'TSize':'12 pt'",
         {{"bad-length", "Side Panel", "Object:PICTURE(Title)", "TSize", kError}}},
        {"'Padding':'0,0,0,0'",
         "'Padding':'0,0,0'",
         {{"bad-offset", "Main", kTitle, "Padding", kError}}},
        {"'Weight':1",
         "'Weight':'x1'",
         {{"bad-number", "Main", "Object:BUTTON(Open)", "Weight", kError}}},
        {"'TAlign':'CENTER'",
         "'TAlign':'MIDLE'",
         {{"bad-choice", "Main", kTitle, "TAlign", kError}}},
        {"'Hide':false", "'Hide':'yes'", {{"bad-choice", "Main", kTitle, "Hide", kError}}},
        {"'BGColor':'BLUE'",
         "'BGColor':'BLU'",
         {{"bad-colour", "Main", kTitle, "BGColor", kError}}},
        {"'Name':'Main'",
         "'Name':'Main Menu'",
         {{"not-identifier", "Main Menu", "Dialog:Main Menu", "Name", kError}}},
        {"'Name':'App'",
         "'Name':'class'",
         {{"not-identifier", "", "Root = class", "Name", kError}}},
        // A dialog of type None makes no class: its name may be anything.
        {"'Name':'Side Panel'", "'Name':'Side-Panel'", {}},
        // 表 ends in the byte of a backslash in Shift_JIS; a kind-0 value is
        // written as it is stored.
        {"'Alias':'見出し'",
         "'Alias':'表'",
         {{"unreadable-value", "Main", kTitle, "Alias", kError}}},
        {"'Alias':'見出し'",
         "'Alias':\"it's\"",
         {{"unreadable-value", "Main", kTitle, "Alias", kError}}},
        // Empty values are never findings.
        {"'Height':'48px'", "'Height':''", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Found(Replaced(kClean, c.from, c.to), Files()), c.expected)
            << c.from << " -> " << c.to;
    }
}

TEST(ProjectChecks, FileChecksNeedAFolder) {
    ProjectFiles extra = Files();
    extra.resources.insert("old.png");
    extra.resources.insert("a/unused.wav");
    CZeResourceData project;
    ASSERT_TRUE(project.LoadText(kClean));
    const std::vector<Finding> findings = CheckProject(project, extra);
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(Cp932ToUtf8(findings[0].message),
              "ファイル「resources/a/unused.wav」はプロジェクトのどこからも使われていません。");
    EXPECT_EQ(findings[0].file, "a/unused.wav");
    EXPECT_EQ(findings[1].check, check_id::kUnusedFile);
    EXPECT_EQ(findings[1].file, "old.png");

    const std::string missing = Replaced(kClean, "'FileOff':'b.png'", "'FileOff':'c.png'");
    EXPECT_EQ(Found(missing, ProjectFiles{}), std::vector<Expected>{});
}

TEST(ProjectChecks, FindingsComeInDialogAndTreeOrder) {
    std::string text = Replaced(kClean, "'TSize':'12pt'", "'TSize':'x'");
    text = Replaced(text, "'Name':'App'", "'Name':'1App'");
    text = Replaced(text, "'Name':'Title,Open'", "'Name':'Gone'");
    text = Replaced(text, "'Height':'48px'", "'Height':'x'");
    text = Replaced(text, "'Hide':false", "'Hide':'x'");
    std::vector<std::string> order;
    for (const Expected& e : Found(text, Files())) {
        order.push_back(e.dialog + "/" + e.property + "/" + e.check);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"/Name/not-identifier", "Main/Height/bad-length",
                                               "Main/Hide/bad-choice", "Main/Name/unknown-target",
                                               "Side Panel/TSize/bad-length"}));
}

TEST(ProjectChecks, RecheckOfOneDialogFollowsItsEdits) {
    CZeResourceData project;
    ASSERT_TRUE(project.LoadText(kClean));
    ProjectChecker checker(Files());
    checker.CheckAll(project);
    EXPECT_EQ(checker.Counts().errors, 0u);

    CZeDialogData& main = *project.GetDialogs().FindDialog("Main");
    CObjectData* title = main.GetRootGroup()->GetChildren().front();
    title->SetItem("Width", "12abc");
    title->SetItem("Name", "Open");
    checker.CheckDialog(main);
    // A bad length, a name twice, and Save's target Title gone.
    EXPECT_EQ(checker.Counts().errors, 3u);
    EXPECT_EQ(checker.Counts().warnings, 1u);
    const std::vector<Finding> findings = checker.Findings(project);
    ASSERT_EQ(findings.size(), 4u);
    EXPECT_EQ(findings[0].element, title);
    EXPECT_EQ(findings[0].dialog, &main);
    EXPECT_EQ(findings, CheckProject(project, Files()));

    title->SetItem("Width", "PARENT");
    title->SetItem("Name", "Title");
    checker.CheckDialog(main);
    EXPECT_EQ(checker.Counts().errors, 0u);

    checker.ForgetDialog(main);
    title->SetItem("Width", "bad");
    for (const Finding& finding : checker.Findings(project)) {
        EXPECT_NE(finding.dialog, &main);
        // What only Main named is now unused.
        EXPECT_EQ(finding.check, check_id::kUnusedFile);
    }
}

TEST(ProjectChecks, ProjectMadeWithTheEditorsControlsHasNoError) {
    CZeResourceData project;
    project.SetItem("Name", "Fresh");
    CZeDialogData& dialog = *project.GetDialogs().CreateDialog("Dialog");
    InsertElement(project, &dialog, &dialog, "LINEAR", PasteMode::kLastChild);
    ASSERT_NE(dialog.GetRootGroup(), nullptr);
    for (int index = 0; index < IndexOf(ObjectType::kCount); ++index) {
        if (const ObjectType type = ObjectTypeAt(index); type != ObjectType::kRadioButton) {
            InsertElement(project, &dialog, dialog.GetRootGroup(), ObjectTypeName(type),
                          PasteMode::kLastChild);
        }
    }
    for (int index = 0; index < IndexOf(GroupLayout::kCount); ++index) {
        InsertElement(project, &dialog, dialog.GetRootGroup(), LayoutName(GroupLayoutAt(index)),
                      PasteMode::kLastChild);
    }
    ZeClass* radio = dialog.GetRootGroup()->GetChildren().back();
    for (CObjectData* child : dialog.GetRootGroup()->GetChildren()) {
        if (child->GetItem("Layout") == "RADIO") {
            radio = child;
        }
    }
    InsertElement(project, &dialog, radio, "RADIOBTN", PasteMode::kLastChild);
    EXPECT_GT(dialog.GetRootGroup()->GetChildren().size(), 20u);
    for (const Finding& finding : CheckProject(project, ProjectFiles{})) {
        EXPECT_NE(finding.severity, Severity::kError)
            << finding.check << " " << Cp932ToUtf8(finding.elementLabel) << " " << finding.property
            << " " << Cp932ToUtf8(finding.message);
    }
}

TEST(ProjectChecks, ScanListsResourcesAndBuiltInImages) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("ze-checks-" + std::to_string(::getpid()));
    fs::create_directories(folder / "resources" / "sub");
    fs::create_directories(folder / "assets");
    std::ofstream(folder / "resources" / "b.png") << "x";
    std::ofstream(folder / "resources" / "sub" / "s.png") << "x";
    std::ofstream(folder / "assets" / "star.png") << "x";
    const ProjectFiles files = ProjectFiles::Scan(folder.string(), (folder / "assets").string());
    EXPECT_TRUE(files.scanned);
    EXPECT_EQ(files.resources, (std::unordered_set<std::string>{"b.png", "sub/s.png"}));
    EXPECT_EQ(files.builtIn, (std::unordered_set<std::string>{"star.png"}));
    const ProjectFiles none = ProjectFiles::Scan((folder / "missing").string(), "");
    EXPECT_TRUE(none.scanned);
    EXPECT_TRUE(none.resources.empty());
    fs::remove_all(folder);
}

TEST(ProjectChecks, CppIdentifiers) {
    for (const char* good : {"Main", "_x1", "Dialog2", "main_menu"}) {
        EXPECT_TRUE(IsCppIdentifier(good)) << good;
    }
    for (const char* bad : {"", "2nd", "Main Menu", "a-b", "class", "int", "名前"}) {
        EXPECT_FALSE(IsCppIdentifier(bad)) << bad;
    }
}

}  // namespace
}  // namespace ze
