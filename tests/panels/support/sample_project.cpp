#include "panels/support/sample_project.h"

#include <stdexcept>

#include "model/dialog_data.h"
#include "model/object_data.h"
#include "model/resource_data.h"

namespace ze::panels::test {

namespace {

constexpr const char* kSampleText =
    "{'Name':'App','Commands':["
    "{'Command':'DIALOG','Name':'Main',"
    "'OnOpen':{'Event':'OnOpen','Command':'TIMER','Time':5},"
    "'OnClose':{'Event':'OnClose','Command':'CLOSE'},"
    "'Object':{'Name':'root','Layout':'LINEAR','Objects':["
    "{'Name':'grid','Type':'GRID','Header':[{},{}],"
    "'OnClick':[{'Event':'OnClick','Command':'NOTIFY'},"
    "{'Event':'OnClick','Command':'TIMER'}]},"
    "{'Name':'toggle','Type':'TOGGLE','TextOn':'On'},"
    "{'Name':'title','Type':'TEXT','Text':'ようこそ'},"
    "{'Name':'pages','Layout':'PAGE','Objects':["
    "{'Name':'page0','Layout':'FRAME','Objects':[{'Name':'p0text','Type':'TEXT','Text':'A'}]},"
    "{'Name':'page1','Layout':'FRAME',"
    "'OnClick':{'Event':'OnClick','Command':'CLOSE'},"
    "'Objects':[{'Name':'p1button','Type':'BUTTON','Text':'B'}]}"
    "]}]}},"
    "{'Command':'DIALOG','Name':'Second',"
    "'Object':{'Name':'root2','Layout':'FRAME','Objects':[{'Name':'other','Type':'TEXT'}]}},"
    "{'Command':'DIALOG','Name':'Bare'}"
    "]}";

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

}  // namespace

bool LoadSampleProject(CZeResourceData& project) {
    return project.LoadText(kSampleText);
}

CZeDialogData& Dialog(CZeResourceData& project, const std::string& name) {
    CZeDialogData* dialog = project.GetDialogs().FindDialog(name);
    if (dialog == nullptr) {
        throw std::runtime_error("no dialog " + name);
    }
    return *dialog;
}

CObjectData& Element(CZeDialogData& dialog, const std::string& name) {
    CObjectData* found =
        dialog.GetRootGroup() != nullptr ? Find(*dialog.GetRootGroup(), name) : nullptr;
    if (found == nullptr) {
        throw std::runtime_error("no element " + name);
    }
    return *found;
}

}  // namespace ze::panels::test
