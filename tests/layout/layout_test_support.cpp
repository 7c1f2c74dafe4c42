#include "layout/layout_test_support.h"

#include <gtest/gtest.h>

namespace ze {

std::unique_ptr<LoadedDialog> LoadDialog(std::string_view root, std::string_view dialogItems,
                                         std::string_view projectItems) {
    auto loaded = std::make_unique<LoadedDialog>();
    const std::string text = "{'Name':'App'" + std::string(projectItems) +
                             ",'Commands':[{'Command':'DIALOG','Name':'D'" +
                             std::string(dialogItems) + ",'Object':" + std::string(root) + "}]}";
    EXPECT_TRUE(loaded->project.LoadText(text)) << text;
    loaded->dialog = loaded->project.GetDialogs().FindDialog("D");
    return loaded;
}

CObjectData& LoadedDialog::Named(std::string_view name) const {
    CObjectData* found = FindNamed(*dialog->GetRootGroup(), name);
    EXPECT_NE(found, nullptr) << name;
    return *found;
}

CObjectData* FindNamed(CObjectData& element, std::string_view name) {
    if (element.GetItem("Name") == name) {
        return &element;
    }
    if (element.IsGroup()) {
        for (CObjectData* child : static_cast<CObjectDataList&>(element).GetChildren()) {
            if (CObjectData* found = FindNamed(*child, name)) {
                return found;
            }
        }
    }
    return nullptr;
}

std::ostream& operator<<(std::ostream& out, const RecordingCanvas::Call& call) {
    static const char* const kKinds[] = {"fill", "frame", "text", "arrow"};
    out << kKinds[static_cast<int>(call.kind)] << " (" << call.box.x << "," << call.box.y << ","
        << call.box.width << "," << call.box.height << ")";
    if (call.kind == RecordingCanvas::Kind::kText) {
        out << " '" << call.text << "' h" << call.style.fontHeight << " align "
            << static_cast<int>(call.style.horizontal) << "/"
            << static_cast<int>(call.style.vertical);
    } else {
        if (call.kind == RecordingCanvas::Kind::kArrow) {
            out << " pointing " << static_cast<int>(call.pointing);
        }
        out << " rgb " << int{call.colour.red} << "," << int{call.colour.green} << ","
            << int{call.colour.blue};
    }
    return out;
}

}  // namespace ze
