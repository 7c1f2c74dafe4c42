#include <iostream>
#include <string>

#include "cli/commands.h"
#include "cli/usage.h"
#include "common/text_convert.h"

namespace ze::cli {

int RunConvert(const Arguments& args) {
    if (args.size() != 1 || (args[0] != "-xs" && args[0] != "-Ws" && args[0] != "-Sw")) {
        PrintSynopsis(std::cerr, "convert");
        return 2;
    }
    std::string input;
    if (const ReadFileResult read = ReadAll("-", input); read != ReadFileResult::kRead) {
        if (read == ReadFileResult::kTooLarge) {
            std::cerr << "ze-tool convert: standard input: " << ReadFailureText(read) << '\n';
            return 2;
        }
        std::cerr << "ze-tool convert: standard input cannot be read\n";
        return 1;
    }
    const std::string& option = args[0];
    const std::string output = option == "-xs"   ? ConvertToSjis(input)
                               : option == "-Ws" ? ConvertUtf8ToSjis(input)
                                                 : ConvertSjisToUtf8(input);
    std::cout.write(output.data(), static_cast<std::streamsize>(output.size()));
    return std::cout.good() ? 0 : 1;
}

}  // namespace ze::cli
