#pragma once

#include <QString>

#include "codegen/codegen_texts.h"

namespace ze::panels {

// A line of the skeleton window's result list in the editor's language. In
// Japanese it is the generator's own line ("○ F を更新しました。" for a file
// created or updated alike); the English says which ("○ Created F.").
QString SkeletonResultLine(const GeneratedFile& file);

}  // namespace ze::panels
