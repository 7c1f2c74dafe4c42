#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/json_value.h"

namespace ze {

// Arrays and objects nested deeper than this make the text fail to parse, with
// the usual error report pointing at the opening bracket. Resource text nests
// a dozen levels; the bound keeps a hostile text from exhausting the stack of
// the recursive reader.
inline constexpr int kJsonMaxDepth = 512;

// How the reader finds where whitespace and the plain run of a string end.
// Both give the same tree, or the same error offset, for every text.
enum class JsonScan : std::uint8_t {
    // Sixteen bytes at a time with SSE2 where the machine has it (every
    // x86-64 does), else Portable.
    Fast,
    // Byte by byte; what the tests hold the fast scan against.
    Portable,
};

struct JsonSyntaxResult {
    bool ok = false;
    // On failure: how many bytes the line-counting reader (JsonByteReader)
    // would have taken from the text when it found the fault; a byte it looked
    // at and gave back counts. This is the position the error report shows.
    std::size_t errorOffset = 0;
};

// Reads one value from the start of text into root; what follows the value is
// not looked at. On failure root is left untouched.
//
// Numbers: a run of digits, "+", "-", ".", "e", "E". With ".", "e" or "E" in
// it the run must be one whole decimal real (C locale); a real beyond the
// double range fails instead of becoming an infinity, which could not be
// written back as a number. Any other run is an integer read like atoi
// (leading sign and digits, the rest ignored, "-" alone is 0) that saturates
// at INT32_MIN and INT32_MAX instead of wrapping.
JsonSyntaxResult ReadJsonText(std::string_view text, JsonValue& root,
                              JsonScan scan = JsonScan::Fast);

// Takes the elements of one array of a text while the rest is still being
// read, so a reader can work on them, and free them, long before the text
// ends. What it is given stands only if the whole text reads.
class JsonArrayFeed {
public:
    virtual ~JsonArrayFeed() = default;
    // An array under the key begins. The key's value is the last one the text
    // gives it, so whatever earlier arrays under the key fed is not part of
    // the text's value any more.
    virtual void ArrayBegins() = 0;
    // An element of the array has been read whole. The feed may take it;
    // what it leaves in its place is what the array holds.
    virtual void TakeElement(JsonValue& element) = 0;
};

// ReadJsonText that hands each element of every array under key in the root
// object to feed as soon as it is read. Each element handed over owns its own
// memory, so the feed can free it at once, on any thread.
JsonSyntaxResult ReadJsonText(std::string_view text, JsonValue& root, std::string_view key,
                              JsonArrayFeed& feed, JsonScan scan = JsonScan::Fast);

}  // namespace ze
