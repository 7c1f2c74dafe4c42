#include <iostream>

#include "cli/commands.h"

namespace ze::cli {

// Not built yet.
int RunServe(const Arguments&) {
    std::cerr << "ze-tool: serve is not built yet\n";
    return 2;
}

}  // namespace ze::cli
