// Dragging elements in the tree: where each kind may land, the refusals and
// their messages, one history step per drop and undo giving back the text.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/cp932.h"
#include "model/dialog_data.h"
#include "model/editing/drop_edits.h"
#include "model/editing/history_edits.h"
#include "model/editing/selection.h"
#include "model/object_data.h"
#include "model/resource_data.h"

namespace ze {
namespace {

constexpr const char* kProject = R"({'Name':'App','Commands':[
{'Command':'DIALOG','Name':'Main',
 'OnOpen':[{'Event':'OnOpen','Command':'TIMER'},{'Event':'OnOpen','Command':'CLOSE'}],
 'Object':{'Name':'root','Type':'GROUP','Layout':'LINEAR','Objects':[
  {'Name':'a','Type':'TEXT'},
  {'Name':'grid','Type':'GRID','Header':[{'TSize':'10pt'},{'TSize':'12pt'}]},
  {'Name':'radios','Type':'GROUP','Layout':'RADIO','Objects':[{'Name':'r1','Type':'RADIOBTN'}]},
  {'Name':'box','Type':'GROUP','Layout':'FRAME','Objects':[
   {'Name':'inner','Type':'GROUP','Layout':'FRAME','Objects':[]},{'Name':'b','Type':'BUTTON'}]}]}},
{'Command':'DIALOG','Name':'Second','Object':{'Name':'top','Type':'GROUP','Layout':'FRAME',
 'Objects':[{'Name':'x','Type':'TEXT'}]}}]})";

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
    CZeDialogData& Dialog(const char* name) { return *project.GetDialogs().FindDialog(name); }

    // "dialog:N", "object:N" (in Main or Second), "header:N" (Main's grid,
    // index N), "command:N" (Main's, index N), "project", "" for null.
    ZeClass* Pick(const std::string& selector) {
        const auto colon = selector.find(':');
        const std::string kind = selector.substr(0, colon);
        const std::string name = colon == std::string::npos ? "" : selector.substr(colon + 1);
        if (kind == "project") {
            return &project;
        }
        if (kind == "dialog") {
            return &Dialog(name.c_str());
        }
        if (kind == "object") {
            for (const char* dialog : {"Main", "Second"}) {
                if (CObjectData* found = Find(*Dialog(dialog).GetRootGroup(), name)) {
                    return found;
                }
            }
        }
        if (kind == "header") {
            return Find(*Dialog("Main").GetRootGroup(), "grid")->GetHeaders()[std::stoul(name)];
        }
        if (kind == "command") {
            return Dialog("Main").GetCommands()[std::stoul(name)];
        }
        return nullptr;
    }

    // The names (or texts, commands) of the list element stands in.
    std::string ListOf(ZeClass& element) {
        std::string names;
        const auto add = [&names](const std::string& name) {
            names += (names.empty() ? "" : ",") + name;
        };
        switch (element.GetKind()) {
            case ElementKind::kDialog:
                for (std::size_t i = 0; i < project.GetDialogs().GetCount(); ++i) {
                    add(project.GetDialogs().GetDialog(i)->GetItem("Name"));
                }
                break;
            case ElementKind::kHeaderColumn:
                for (ZeClass* header : Find(*Dialog("Main").GetRootGroup(), "grid")->GetHeaders()) {
                    add(header->GetItem("TSize"));
                }
                break;
            case ElementKind::kCommand:
                for (ZeClass* command : Dialog("Main").GetCommands()) {
                    add(command->GetItem("Command"));
                }
                break;
            default:
                for (CObjectData* child :
                     static_cast<CObjectData&>(element).GetParent()->GetChildren()) {
                    add(child->GetItem("Name"));
                }
        }
        return names;
    }
};

TEST(DropElement, EachKindLandsWhereItMayAndNowhereElse) {
    const struct {
        const char* element;
        const char* owner;
        const char* before;
        bool copy;
        // The list the moved element (or its copy) stands in after the
        // drop; empty for a refusal.
        const char* list;
        const char* message;  // of the refusal
    } cases[] = {
        {"object:b", "object:box", "object:inner", false, "b,inner", ""},
        {"object:a", "dialog:Main", "", false, "grid,radios,box,a", ""},
        {"object:a", "object:inner", "", false, "a", ""},
        {"object:inner", "object:root", "object:a", false, "inner,a,grid,radios,box", ""},
        {"object:a", "object:box", "object:b", true, "inner,Text1,b", ""},
        {"object:a", "object:top", "", true, "x,a", ""},
        {"object:r1", "object:radios", "", true, "r1,Radiobtn1", ""},
        {"header:1", "object:grid", "header:0", false, "12pt,10pt", ""},
        {"command:1", "dialog:Main", "command:0", false, "CLOSE,TIMER", ""},
        {"dialog:Second", "project", "dialog:Main", false, "Second,Main", ""},
        {"dialog:Main", "project", "", true, "Main,Second,Main2", ""},
        {"object:r1", "object:box", "", false, "",
         "ラジオボタンはラジオグループに追加して下さい。"},
        {"object:box", "object:inner", "", false, "",
         "グループをそれ自身やその中へは移動できません。"},
        {"object:box", "object:box", "", false, "",
         "グループをそれ自身やその中へは移動できません。"},
        // Into another dialog: its copy arrives, and undo in that dialog
        // takes the move back on both sides.
        {"object:a", "object:top", "", false, "x,a", ""},
        {"header:0", "object:a", "", false, "", ""},
        {"command:0", "object:a", "", false, "", ""},
        {"object:a", "object:b", "", false, "", ""},  // an object holds no objects
        {"object:root", "object:box", "", false, "",
         "グループをそれ自身やその中へは移動できません。"},
        {"object:a", "object:box", "object:x", false, "", ""},  // x is not in box
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.element) + " -> " + c.owner + " / " + c.before);
        Fixture f;
        const std::string before = Text(f.project);
        ZeClass* element = f.Pick(c.element);
        const DropPlace place{f.Pick(c.owner), f.Pick(c.before)};
        const DropVerdict verdict = CheckDrop(f.project, element, place, c.copy);
        const EditResult result = DropElement(f.project, element, place, c.copy);
        EXPECT_EQ(verdict.allowed, std::string(c.list) != "");
        if (!verdict.allowed) {
            EXPECT_FALSE(result.changed);
            EXPECT_EQ(Cp932ToUtf8(result.message), c.message);
            EXPECT_EQ(Text(f.project), before);
            continue;
        }
        ASSERT_TRUE(result.changed);
        ASSERT_NE(result.select, nullptr);
        EXPECT_EQ(f.ListOf(*result.select), c.list);
        // One step, and undo gives back the text (dialogs keep no history
        // of their order).
        if (element->GetKind() != ElementKind::kDialog) {
            EXPECT_EQ(result.stepsRecorded, 1);
            CZeDialogData* dialog = f.project.GetDialogs().FindDialog(
                std::string(c.owner) == "object:top" ? "Second" : "Main");
            UndoEdit(f.project, *dialog);
            EXPECT_EQ(Text(f.project), before);
        }
    }
}

TEST(DropElement, ADropWhereTheElementStandsChangesNothing) {
    Fixture f;
    ZeClass* a = f.Pick("object:a");
    const EditResult result =
        DropElement(f.project, a, {f.Pick("object:root"), f.Pick("object:grid")}, false);
    EXPECT_FALSE(result.changed);
    EXPECT_EQ(result.stepsRecorded, 0);
    EXPECT_FALSE(CanUndo(f.Dialog("Main")));
}

TEST(DropSeveral, TheyLandSideBySideInTheirOrderAsOneStep) {
    const struct {
        std::vector<const char*> elements;
        const char* owner;
        const char* before;
        bool copy;
        const char* list;  // of the owner's children after; empty: refused
        const char* message;
    } cases[] = {
        {{"object:b", "object:a"}, "object:root", "object:grid", false, "b,a,grid,radios,box", ""},
        // In front of one of them: in front of the next that is not.
        {{"object:box", "object:a"}, "object:root", "object:a", false, "box,a,grid,radios", ""},
        {{"object:a", "object:grid"}, "object:box", "", false, "inner,b,a,grid", ""},
        {{"object:a", "object:b"}, "object:top", "", true, "x,a,b", ""},
        {{"object:a", "object:b"}, "object:top", "", false, "x,a,b", ""},
        {{"object:a", "object:r1"}, "object:box", "", false, "",
         "ラジオボタンはラジオグループに追加して下さい。"},
        {{"object:a", "object:box"}, "object:inner", "", false, "",
         "グループをそれ自身やその中へは移動できません。"},
        {{"object:a", "header:0"}, "object:root", "", false, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.elements.front()) + "... -> " + c.owner);
        Fixture f;
        const std::string before = Text(f.project);
        std::vector<ZeClass*> elements;
        for (const char* element : c.elements) {
            elements.push_back(f.Pick(element));
        }
        const DropPlace place{f.Pick(c.owner), f.Pick(c.before)};
        EXPECT_EQ(CheckDropSeveral(f.project, elements, place, c.copy).allowed,
                  std::string(c.list) != "");
        const EditResult result = DropSeveral(f.project, elements, place, c.copy);
        if (std::string(c.list).empty()) {
            EXPECT_FALSE(result.changed);
            EXPECT_EQ(Cp932ToUtf8(result.message), c.message);
            EXPECT_EQ(Text(f.project), before);
            continue;
        }
        ASSERT_TRUE(result.changed);
        CObjectDataList* group = LandingGroup(place.owner);
        std::string names;
        for (CObjectData* child : group->GetChildren()) {
            names += (names.empty() ? "" : ",") + child->GetItem("Name");
        }
        EXPECT_EQ(names, c.list);
        // All of them, or their copies, are picked; one undo takes it back.
        EXPECT_EQ(f.project.GetSelection().Elements().size(), c.elements.size());
        EXPECT_EQ(result.stepsRecorded, 1);
        CZeDialogData* dialog = f.project.GetSelection().Dialog();
        UndoEdit(f.project, *dialog);
        EXPECT_EQ(Text(f.project), before);
    }
}

}  // namespace
}  // namespace ze
