// Feeds arbitrary bytes to every conversion. The converters write through raw
// pointers into buffers sized up front, so the sanitizers watch for overruns.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/cp932.h"
#include "common/text_convert.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    // Half-width katakana widen from one byte to three; nothing grows more.
    if (ze::ConvertSjisToUtf8(input).size() > 3 * size) {
        std::abort();
    }
    if (ze::ConvertUtf8ToSjis(input).size() > size || ze::ConvertToSjis(input).size() > size) {
        std::abort();
    }
    ze::Utf8ToCp932(ze::Cp932ToUtf8(input));
    return 0;
}
