#pragma once

#include <string>
#include <vector>

#include "model/step_name.h"

namespace ze {

class ZeClass;

// The name of a step done to element: its Name, else what stands for it in
// the tree (an object's type, a group's layout, a command's command).
StepName NameStep(StepKind kind, const ZeClass& element, std::string property = {});
// Done to several elements at once; one is the case above.
StepName NameStep(StepKind kind, const std::vector<ZeClass*>& elements, std::string property = {});
// The steps several edit calls made as one step: the first one's kind and
// property, their elements counted together.
StepName MergeStepNames(const std::vector<StepName>& names);

}  // namespace ze
