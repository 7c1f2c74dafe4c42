#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "model/schema.h"

namespace ze {

class CObjectData;
class CObjectDataList;
class CZeDialogData;
class CZeDialogDataList;
class CZeResourceData;
class ZeClass;

// What a property change did besides storing the value.
struct PropertyChangeResult {
    // The element's tree label is to be renewed (Name, Type, Layout, Text,
    // TextOn).
    bool relabel = false;
    // The element's item list was replaced (Type, Layout): the property list
    // shows it from the top again.
    bool itemsReplaced = false;
    // A header column or command appended to the element's lists; its tree
    // item goes after the element's last header-column or command item and
    // becomes the current item. Null when nothing was added.
    ZeClass* added = nullptr;
};

// The consequences of the user committing a new value (already stored) for
// the property name of element, a member of project: unique dialog names,
// re-typing objects and groups, "ヘッダ項目追加", event commands.
PropertyChangeResult ApplyPropertyChange(CZeResourceData& project, ZeClass& element,
                                         std::string_view name);

// The name a renamed dialog gets: "Dialog" for an empty name; when another
// dialog found first has the name, name followed by 2, 3... until the first
// dialog found with the candidate is renamed itself or none has it.
std::string UniqueDialogName(const CZeDialogDataList& dialogs, const CZeDialogData& renamed,
                             std::string_view name);

// Rebuilds the item list for another object type or group layout. Items
// both share keep their values (the old item replaces the new one); old
// items the new schema lacks are appended as "!" + name when they have a
// value and dropped when empty.
void RetypeObject(CObjectData& object, ObjectType type);
void RelayoutGroup(CObjectDataList& group, GroupLayout layout);

// Whether a property of this name takes an image file name (File, FileOn...).
bool TakesImage(std::string_view propertyName);
// The centre position an image name carries: "btn[10-20].png" gives "10,20";
// empty when the name has none.
std::string CentrePositionFromImageName(std::string_view imageName);
// The image name (Shift_JIS) becomes the value of element's item at row,
// with FileSource and the centre position following; entryKind is 1 for a
// built-in image, 2 for a user image. False, nothing changed, when the row
// does not take an image.
bool AssignImage(ZeClass& element, std::size_t row, int entryKind, std::string_view imageName);

}  // namespace ze
