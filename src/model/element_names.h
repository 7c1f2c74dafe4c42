#pragma once

#include <string>
#include <string_view>

namespace ze {

class CObjectData;
class CZeDialogData;
class ZeClass;

// Object and group names, which are unique within their dialog. Names are
// compared exactly, as bytes; an empty name is no name and clashes with
// nothing.

// The object or group of dialog's tree other than except that is called
// name; null when there is none (always for an empty name).
const CObjectData* FindNameHolder(const CZeDialogData& dialog, const ZeClass& except,
                                  std::string_view name);

// What a new element's name is made from: its type ("Button", "Text") or
// layout ("Linear") with only the first letter upper case; "Object" or
// "Group" when the type or layout is none the schema knows.
std::string NameStem(const CObjectData& element);

// Gives every object and group of added's subtree whose Name is empty or
// already taken, by an element of dialog outside the subtree or by one
// before it in the subtree, its stem and the first free number from 1
// (Button1, Button2...). added may or may not be in dialog's tree yet.
void NameNewElements(const CZeDialogData& dialog, CObjectData& added);

}  // namespace ze
