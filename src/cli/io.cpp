#include <fstream>
#include <iostream>
#include <iterator>

#include "cli/commands.h"
#include "common/cp932.h"

namespace ze::cli {

bool ReadAll(const std::string& path, std::string& bytes) {
    if (path == "-") {
        bytes.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
        return !std::cin.bad();
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

void PrintSjis(const std::string& sjis) { std::cout << Cp932ToUtf8(sjis); }

}  // namespace ze::cli
