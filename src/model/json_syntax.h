#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

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

// Where an array that is fed begins: a feed that reads parts of it on other
// threads reads them from this text (ReadJsonElements), at this depth.
struct JsonArrayPlace {
    std::string_view text;
    // Just past the opening bracket.
    std::size_t offset = 0;
    // The array's nesting depth, which its elements are read at.
    int depth = 0;
    JsonScan scan = JsonScan::Fast;
};

// A run of elements of an array that a feed had read elsewhere, from an
// element's start up to another element's start or past the closing bracket.
struct JsonElementRun {
    bool ok = false;
    // Just past the last byte read: the next element's start, or past the
    // closing bracket.
    std::size_t end = 0;
    bool closesArray = false;
    // What the feed left of each element, in order.
    std::vector<JsonValue> left;
};

// Takes the elements of one array of a text while the rest is still being
// read, so a reader can work on them, and free them, long before the text
// ends. What it is given stands only if the whole text reads.
class JsonArrayFeed {
public:
    static constexpr std::size_t kNoHandOver = static_cast<std::size_t>(-1);

    virtual ~JsonArrayFeed() = default;
    // An array under the key begins. The key's value is the last one the text
    // gives it, so whatever earlier arrays under the key fed is not part of
    // the text's value any more.
    virtual void ArrayBegins(const JsonArrayPlace& place) = 0;
    // An element of the array has been read whole. The feed may take it;
    // what it leaves in its place is what the array holds.
    virtual void TakeElement(JsonValue& element) = 0;

    // A feed may have parts of the array read on other threads, each from an
    // offset where it guessed that an element begins. The reader asks before
    // each element whether it reached the next such offset; only there, where
    // the reader itself found an element to begin, does it take the part over
    // (HandOver), so a wrong guess costs time and never changes the result.
    //
    // The offset of the next part, or kNoHandOver.
    virtual std::size_t NextHandOver() const { return kNoHandOver; }
    // The reader is at an element's start at offset, at or past NextHandOver.
    // True with the part's elements when a part read from exactly there
    // succeeded; the reader then goes on at run.end. False: the reader reads
    // on itself, and parts it passed are given up.
    virtual bool HandOver(std::size_t /*offset*/, JsonElementRun& /*run*/) { return false; }
    // For a feed given to ReadJsonElements: true ends the run before the
    // next element; the run then ends at that element's start.
    virtual bool Stopped() const { return false; }
};

// Reads elements of an array from offset, where one is taken to begin, at the
// array's place.depth, handing each to feed. Stops at the first element's
// start at or past stopAt, or past the closing bracket, or where the feed
// says it is stopped. A run that fails says nothing about the text: whoever
// knows where an element begins reads it again for the error report.
JsonElementRun ReadJsonElements(const JsonArrayPlace& place, std::size_t offset,
                                JsonArrayFeed& feed,
                                std::size_t stopAt = JsonArrayFeed::kNoHandOver);

// ReadJsonText that hands each element of every array under key in the root
// object to feed as soon as it is read. Each element handed over owns its own
// memory, so the feed can free it at once, on any thread.
JsonSyntaxResult ReadJsonText(std::string_view text, JsonValue& root, std::string_view key,
                              JsonArrayFeed& feed, JsonScan scan = JsonScan::Fast);

}  // namespace ze
