#include <iostream>

#include "cli/commands.h"

namespace ze::cli {

// Not built yet.
int RunSkeleton(const Arguments&) {
    std::cerr << "ze-tool: skeleton is not built yet\n";
    return 2;
}

}  // namespace ze::cli
