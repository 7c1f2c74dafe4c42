// Checks at entry through the edit API: the forms lengths, offsets, colours
// and numbers take, unique object and group names on rename, paste and
// insert, and files that break those rules loading and saving as they are.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "common/cp932.h"
#include "item_rows.h"
#include "model/dialog_data.h"
#include "model/editing/element_lookup.h"
#include "model/editing/history_edits.h"
#include "model/editing/property_edits.h"
#include "model/editing/tree_edits.h"
#include "model/entry_checks.h"
#include "model/length_text.h"
#include "model/mo_stream.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "model/user_text.h"

namespace ze {
namespace {

// Main: Quit, Text1, a GRID with a header column, a RELATIVE group with a
// picture (which has PosX) and a PROGRESS bar. Second: an empty FRAME.
constexpr const char* kSampleText = R"({'Name':'App','Commands':[
{'Command':'DIALOG','Name':'Main','Object':{'Name':'root','Type':'GROUP','Layout':'LINEAR',
 'Objects':[{'Name':'Quit','Type':'BUTTON','Height':'40px'},{'Name':'Text1','Type':'TEXT'},
  {'Name':'table','Type':'GRID','Columns':'1','Header':[{'TSize':'14pt'}]},
  {'Name':'free','Type':'GROUP','Layout':'RELATIVE','Objects':[{'Name':'pin','Type':'PICTURE'}]},
  {'Name':'bar','Type':'PROGRESS'}]}},
{'Command':'DIALOG','Name':'Second','Object':{'Name':'top','Type':'GROUP','Layout':'FRAME',
 'Objects':[]}}]})";

constexpr const char* kLength =
    "長さは 12、12px、12pu、8pt、10mm、16dp、PARENT、CONTENT のように入力してください。";
constexpr const char* kOffset =
    "オフセットは 左,上,右,下 の4つの整数をカンマで区切って 0,0,0,0 のように入力してください。";
constexpr const char* kColour =
    "色は BLACK、WHITE、DKGRAY、GRAY、LTGRAY、RED、GREEN、BLUE、CYAN、MAGENTA、YELLOW、"
    "TRANSPARENT のどれか、または #336699 のような #RRGGBB の形で入力してください。";
constexpr const char* kNumber = "数値は 12 や -5 のような10進数の整数で入力してください。";
constexpr const char* kRange = "数値は -2147483648 から 2147483647 までの整数で入力してください。";
constexpr const char* kNameSpaces =
    "名前の先頭と末尾には空白を入れられません。空白を除いて入力してください。";
constexpr const char* kQuitTaken =
    "名前「Quit」はこのダイアログで既に使われています。別の名前を入力してください。";

std::string Written(const CZeResourceData& project) {
    CJsonString out;
    project.WriteProject(out, "");
    return out.TakeText();
}

struct Sample {
    CZeResourceData project;

    explicit Sample(const char* text = kSampleText) { EXPECT_TRUE(project.LoadText(text)); }

    CZeDialogData& Main() const { return *project.GetDialogs().GetDialog(0); }
    // An object or group by its name (Main first), "table#0" its header
    // column, "Main" a dialog.
    ZeClass* At(std::string_view path) const {
        const std::string_view name = path.substr(0, path.find('#'));
        if (CZeDialogData* dialog = project.GetDialogs().FindDialog(name)) {
            return dialog;
        }
        for (const CZeDialogData* dialog : {&Main(), project.GetDialogs().GetDialog(1)}) {
            for (ZeClass* element : TreeElements(*dialog)) {
                if (element->GetKind() != ElementKind::kHeaderColumn &&
                    element->GetKind() != ElementKind::kCommand &&
                    element->GetItem("Name") == name) {
                    return name == path ? element
                                        : static_cast<CObjectData*>(element)->GetHeaders().at(0);
                }
            }
        }
        ADD_FAILURE() << "no element " << path;
        return nullptr;
    }
    EditResult Commit(ZeClass* element, std::string_view name, std::string_view value) {
        return CommitProperty(project, nullptr, element, RowOf(*element, name), value);
    }
    std::string Inserted(std::string_view path, std::string_view type,
                         PasteMode mode = PasteMode::kAfter) {
        return InsertElement(project, nullptr, At(path), type, mode).select->GetItem("Name");
    }
    std::string Pasted(std::string_view path, std::string_view text) {
        return PasteElement(project, nullptr, At(path), text, PasteMode::kAfter)
            .select->GetItem("Name");
    }
};

// clang-format off
struct Entry { const char* where; const char* property; const char* value; const char* message; };
const Entry kEntries[] = {
    // Lengths: what the length scan reads whole, with a known unit.
    {"Quit", "Height", "12px", nullptr},      {"Quit", "Width", "PARENT", nullptr},
    {"table", "ColumnHeight", "10mm", nullptr}, {"pin", "PosX", "-5dp", nullptr},
    {"Quit", "Height", " 12", nullptr},       // the scan skips white space first
    {"Quit", "Height", "abc", kLength},       {"Quit", "Height", "12abc", kLength},
    {"Quit", "Height", "1 2", kLength},       {"Quit", "Height", "12%", kLength},
    {"Quit", "Width", "parent", kLength},     {"table#0", "TSize", "big", kLength},
    // Offsets: four integers.
    {"Quit", "Padding", "0,0,0,0", nullptr},  {"table#0", "Margin", "10,-2,10,10", nullptr},
    {"Quit", "Padding", "10,10,10", kOffset}, {"Quit", "Margin", "1, 2, 3, 4", kOffset},
    {"free", "Padding", "1,,2,3", kOffset},
    // Colours: a name of the colour list or #RRGGBB.
    {"Quit", "BGColor", "TRANSPARENT", nullptr}, {"table#0", "TColor", "#abcDEF", nullptr},
    {"Quit", "BGColor", "white", kColour},    {"Quit", "BGColor", "#RRGGBB", kColour},
    {"Quit", "TColor", "#12345", kColour},
    // Numbers (kind 11): decimal integers, or a placeholder.
    {"Quit", "Weight", "-1", nullptr},        {"Quit", "Weight", "$W", nullptr},
    {"bar", "Min", "-2147483648", nullptr},   {"Quit", "Weight", "abc", kNumber},
    {"Quit", "Weight", "1.5", kNumber},       {"Main", "TargetLayoutWidth", "100px", kNumber},
    {"bar", "Max", "2147483648", kRange},
    // Other kinds, and emptying a value, are as before.
    {"Quit", "Text", "12abc", nullptr},       {"Quit", "Height", "", nullptr},
    // Names: unique among the objects and groups of the dialog.
    {"Text1", "Name", "Quit", kQuitTaken},    {"free", "Name", "Quit", kQuitTaken},
    {"Text1", "Name", "", nullptr},           {"top", "Name", "Quit", nullptr},
    // Names: no space, tab or ideographic space (Shift_JIS 81 40) at either
    // end, for dialogs, objects and groups alike; inside is the name's own.
    {"Quit", "Name", "Quit ", kNameSpaces},   {"Text1", "Name", " Text2", kNameSpaces},
    {"free", "Name", "\tfree", kNameSpaces},  {"Main", "Name", "Main\x81\x40", kNameSpaces},
    {"Second", "Name", "\x81\x40Second", kNameSpaces},
    {"Quit", "Name", "Quit it", nullptr},    {"Main", "Name", "M\x81\x40" "ain", nullptr},
    {"Quit", "Name", "\x89\x81@", nullptr},  // a kanji's trail byte 81, then "@": no space
};
// clang-format on

TEST(EntryChecksTest, EachKindAcceptsItsFormsAndSaysWhatItExpects) {
    for (const Entry& entry : kEntries) {
        SCOPED_TRACE(std::string(entry.where) + " " + entry.property + " '" + entry.value + "'");
        Sample s;
        ZeClass* element = s.At(entry.where);
        const std::string before = element->GetItem(entry.property);

        const EditResult r = s.Commit(element, entry.property, entry.value);

        const std::string expected = entry.message ? Utf8ToCp932(entry.message) : "";
        EXPECT_EQ(r.message, expected) << Cp932ToUtf8(r.message);
        EXPECT_EQ(r.changed, entry.message == nullptr);
        EXPECT_EQ(element->GetItem(entry.property), entry.message ? before : entry.value);
        if (entry.message != nullptr) {
            EXPECT_EQ(r.icon, MessageIcon::kWarning);
        }
    }
}

// The length message gives an example of each unit the length scan knows.
TEST(EntryChecksTest, TheLengthMessageShowsEveryUnit) {
    const std::string message = CheckEntry("Width", ItemKind::kSuggested, "x").message;
    for (const UnitSuffix& unit : kUnitSuffixes) {
        EXPECT_NE(message.find(std::string(unit.suffix) + Utf8ToCp932("、")), std::string::npos)
            << unit.suffix;
    }
}

// A refusal headed by the property's name: the name and the message are
// taken as they are, in the places the translation gives them.
TEST(EntryChecksTest, ARefusalNamesItsProperty) {
    struct Case {
        const char* property;
        std::string message;
        std::string shown;  // UTF-8
    };
    const std::string head = "」に入力した値を確定できません。\n";
    const std::vector<Case> cases = {
        {"Width", kLength, "プロパティー「Width" + head + kLength},
        {"A%2", "m%1%2", "プロパティー「A%2" + head + "m%1%2"},
        {"", "m", "m"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Cp932ToUtf8(PropertyRefusalMessage(c.property, Utf8ToCp932(c.message))), c.shown)
            << c.property;
    }
    SetTextTranslator([](const char*, const char*) { return std::string("%2 (%1%)"); });
    EXPECT_EQ(PropertyRefusalMessage("A%1", "m%2"), "m%2 (A%1%)");
    SetTextTranslator(nullptr);
}

TEST(UniqueNamesTest, InsertAndPasteNameByTypeWithTheFirstFreeNumber) {
    Sample s;
    EXPECT_EQ(s.Inserted("Quit", "button"), "Button1");
    EXPECT_EQ(s.Inserted("Quit", "BUTTON"), "Button2");
    EXPECT_EQ(s.Inserted("Quit", "text"), "Text2");  // Text1 is taken
    EXPECT_EQ(s.Inserted("Quit", "grid"), "Grid1");  // not its preview code
    EXPECT_EQ(s.Inserted("root", "radio", PasteMode::kLastChild), "Radio1");
    EXPECT_EQ(s.Inserted("top", "button", PasteMode::kLastChild), "Button1");  // Second
    EXPECT_TRUE(DeleteElement(s.project, nullptr, s.At("Button1")).changed);
    EXPECT_EQ(s.Inserted("Quit", "button"), "Button1");
    // The name is part of the step.
    UndoEdit(s.project, s.Main());
    EXPECT_EQ(RedoEdit(s.project, s.Main()).select->GetItem("Name"), "Button1");

    const std::string quit = CopyElement(s.At("Quit")).clipboardText;
    EXPECT_EQ(s.Pasted("Quit", quit), "Button3");
    EXPECT_EQ(s.Pasted("top", quit), "Quit");  // nothing clashes in Second
    EXPECT_EQ(s.Pasted("Quit", "{'Type':'TEXT'}"), "Text3");
    EXPECT_EQ(s.Pasted("Quit", "{'Name':'fresh','Type':'SWITCH'}"), "fresh");
    EXPECT_EQ(s.Pasted("Quit", "{'Name':'','Type':'SWITCH'}"), "Object1");
    // Inside a pasted group, against the dialog and against each other.
    EXPECT_EQ(s.Pasted("bar",
                       "{'Name':'root','Layout':'FRAME','Objects':["
                       "{'Name':'Quit','Type':'BUTTON'},{'Name':'twin','Type':'TEXT'},"
                       "{'Name':'twin','Type':'TEXT'},{'Type':'GROUP','Objects':[]}]}"),
              "Frame1");
    std::vector<std::string> names;
    for (const CObjectData* child : static_cast<CObjectDataList*>(s.At("Frame1"))->GetChildren()) {
        names.push_back(child->GetItem("Name"));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Button4", "twin", "Text4", "Group1"}));
}

// A file may break the entry rules: it loads and saves as it is, and values
// left as they are stay accepted.
TEST(UniqueNamesTest, AFileBreakingTheRulesLoadsAndSavesUnchanged) {
    Sample loose(R"({'Name':'App','Commands':[{'Command':'DIALOG','Name':'Main ','Object':{
'Name':'root','Type':'GROUP','Layout':'LINEAR','Objects':[
{'Name':'Quit','Type':'BUTTON','Height':'12abc','Padding':'1,2','BGColor':'pink'},
{'Name':'Quit','Type':'TEXT','TSize':'big'},{'Type':'TEXT'}]}}]})");
    const std::string written = Written(loose.project);
    for (const char* kept :
         {"'Name':'Main '", "'Height':'12abc'", "'Padding':'1,2'", "'BGColor':'pink'"}) {
        EXPECT_NE(written.find(kept), std::string::npos) << kept;
    }
    EXPECT_EQ(Written(Sample(written.c_str()).project), written);

    const std::vector<CObjectData*>& objects = loose.Main().GetRootGroup()->GetChildren();
    for (const char* name : {"Name", "Height", "Padding", "BGColor"}) {
        const EditResult r = loose.Commit(objects[0], name, objects[0]->GetItem(name));
        EXPECT_TRUE(r.message.empty() && !r.changed) << name;
    }
    const EditResult dialogName = loose.Commit(&loose.Main(), "Name", "Main ");
    EXPECT_TRUE(dialogName.message.empty() && !dialogName.changed);
    EXPECT_TRUE(loose.Commit(objects[1], "Name", "Close").changed);
    EXPECT_EQ(loose.Commit(objects[2], "Name", "Quit").message, Utf8ToCp932(kQuitTaken));
}

}  // namespace
}  // namespace ze
