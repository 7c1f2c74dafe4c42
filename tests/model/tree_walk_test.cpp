#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/resource_data.h"
#include "model/tree_walk.h"

namespace ze {
namespace {

std::vector<std::string> Lines(CZeResourceData& project) {
    std::vector<std::string> lines;
    WalkProjectTree(project, [&](const TreeEntry& entry) {
        lines.push_back(std::string(static_cast<std::size_t>(entry.depth), '.') + entry.label +
                        (entry.expanded ? " +" : ""));
        EXPECT_NE(entry.element, nullptr);
    });
    return lines;
}

TEST(TreeWalkTest, EntriesComeInTheOrderThePanelInsertsThem) {
    CZeResourceData project;
    ASSERT_TRUE(project.LoadText(
        "{'Name':'App','Commands':[{'Command':'DIALOG','Name':'Main',"
        "'OnClose':{'Event':'OnClose','Command':'CLOSE'},"
        "'OnOpen':{'Event':'OnOpen','Command':'TIMER','Time':5},"
        "'Object':{'Name':'root','Layout':'PAGE',"
        "'OnClick':{'Event':'OnClick','Command':'SENDCOMMAND','SendCommand':'HELLO'},"
        "'Objects':[{'Name':'grid','Type':'GRID','Header':[{},{}],"
        "'OnClick':[{'Event':'OnClick','Command':'NOTIFY','MakeCommand':'UPDATE'},"
        "{'Event':'OnClick','Command':'NOTIFY'}]},"
        "{'Name':'t','Type':'TOGGLE','TextOn':'On'},{'Name':'inner','Layout':'FRAME','Objects':[]}]"
        "}},"
        "{'Command':'DIALOG','Name':'Empty'}]}"));
    CZeDialogData* main = project.GetDialogs().FindDialog("Main");
    ASSERT_NE(main, nullptr);
    main->SetExpanded(true);
    EXPECT_EQ(Lines(project), (std::vector<std::string>{
                                  "Root = App +",
                                  ".Dialog:Main +",
                                  "..Command:TIMER",  // OnOpen is read before OnClose
                                  "..Command:CLOSE",
                                  "..Group:PAGE(root)",
                                  "...Command:SENDCOMMAND",
                                  "...Object:GRID(grid)",
                                  "....Header:Cullum1",
                                  "....Header:Cullum2",
                                  "....Command:NOTIFY",
                                  "....Command:NOTIFY",
                                  "...Object:TOGGLE(t)On",
                                  "...Group:FRAME(inner)",
                                  ".Dialog:Empty",
                              }));
}

TEST(TreeWalkTest, ASubtreeStartsAtTheGivenDepth) {
    CZeResourceData project;
    ASSERT_TRUE(
        project.LoadText("{'Command':'DIALOG','Name':'D','Object':{'Layout':'LINEAR','Objects':[{'"
                         "Type':'TEXT'}]}}"));
    CObjectDataList* root = project.GetDialogs().GetDialog(0)->GetRootGroup();
    ASSERT_NE(root, nullptr);
    std::vector<std::pair<int, std::string>> entries;
    WalkElementTree(
        *root, 3, [&](const TreeEntry& entry) { entries.emplace_back(entry.depth, entry.label); });
    EXPECT_EQ(entries, (std::vector<std::pair<int, std::string>>{{3, "Group:LINEAR()"},
                                                                 {4, "Object:TEXT()"}}));
}

}  // namespace
}  // namespace ze
