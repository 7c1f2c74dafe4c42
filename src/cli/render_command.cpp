#include <iostream>

#include "cli/commands.h"

namespace ze::cli {

// Not built yet.
int RunRender(const Arguments&) {
    std::cerr << "ze-tool: render is not built yet\n";
    return 2;
}

}  // namespace ze::cli
