#pragma once

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

}  // namespace ze
