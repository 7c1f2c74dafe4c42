#pragma once

#include <string>

namespace ze {
class CObjectData;
class CZeDialogData;
class CZeResourceData;
class ZeClass;
}  // namespace ze

namespace ze::panels::test {

// A project holding every kind of element:
//   Main: two dialog commands, root group "root" (LINEAR) with
//     GRID "grid" (two header columns, two commands),
//     TOGGLE "toggle" (only TextOn), TEXT "title" (Japanese Text),
//     PAGE group "pages" with the groups "page0" (holding TEXT "p0text")
//       and "page1" (holding BUTTON "p1button", with a group command);
//   Second: root group "root2" (FRAME) with TEXT "other";
//   Bare: no root group.
// Fails the calling test when the text does not load.
bool LoadSampleProject(CZeResourceData& project);

CZeDialogData& Dialog(CZeResourceData& project, const std::string& name);
// The group or object named name anywhere in the dialog's tree.
CObjectData& Element(CZeDialogData& dialog, const std::string& name);

}  // namespace ze::panels::test
