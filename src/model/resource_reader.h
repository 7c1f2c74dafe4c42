#pragma once

#include "model/dialog_data.h"
#include "model/element_store.h"
#include "model/json_parser.h"
#include "model/object_data.h"
#include "model/ze_class.h"

// Rebuilds elements from resource text (files and pasted text). Values are
// converted to Shift_JIS whichever coding they were written in.
namespace ze {

// Builds the group or object at the parser's current value, with its
// subtree, in store, and appends it to parent's children when there is a
// parent. A value with an "Objects" array, or with an "Object" object (which
// the reader enters), is a group; anything else is an object.
CObjectData* ReadElement(ElementStore& store, CObjectDataList* parent, JsonParser& parser);

// Builds the command at the parser's current value and gives it to parent's
// AddChild. A value without "Command" builds nothing.
void ReadCommandElement(ElementStore& store, ZeClass& parent, JsonParser& parser);

// Reads the commands under the seven event keys of the current value into
// parent; the current value is the same afterwards.
void ReadEventCommands(ElementStore& store, ZeClass& parent, JsonParser& parser);

// Whether key is one of the seven event keys.
bool IsEventKey(std::string_view key);

// Stores the value of every key of the current object that excluded does
// not name on element: the item of that name when it has one, else a new
// text item.
void ReadProperties(ZeClass& element, JsonParser& parser, bool (*excluded)(std::string_view key));

// Reads the dialog message at the parser's current value (its properties,
// commands and root group) into dialog, which has its name already, and
// starts the dialog's history. It touches nothing but the dialog and the
// message, so dialogs can be read on threads of their own.
void ReadDialogMessage(CZeDialogData& dialog, JsonParser& parser);

}  // namespace ze
