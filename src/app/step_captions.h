#pragma once

#include <QString>

#include "model/step_name.h"

namespace ze::app {

// A step of a dialog's history as the user reads it, in the user's
// language: the operation, then the element it was done to ("移動 Open",
// "Move Open"), or how many elements.
QString StepCaption(const StepName& name);
// The first step of every history: the dialog as it was loaded or created.
QString FirstStepCaption();

// The Edit menu's entries naming the step they would undo or redo
// ("元に戻す(&U): 移動 Open", "&Undo Move Open"); the plain caption without one.
QString UndoCaption(const StepName* step);
QString RedoCaption(const StepName* step);

}  // namespace ze::app
