#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/json_syntax.h"
#include "model/json_value.h"

namespace ze {

// A position inside an array for JsonParser::NextElement. A walk over a value
// that is not an array has no elements.
class JsonArrayWalk {
public:
    explicit JsonArrayWalk(const JsonValue& array) : elements_(array.Elements()) {}

private:
    friend class JsonParser;
    std::span<const JsonValue> elements_;
    std::size_t next_ = 0;
};

// Parses one resource text and answers key queries against a movable current
// value inside the parsed tree. Every query treats a current value that is not
// an object as an empty object, so a caller that descends into the wrong place
// reads nothing instead of garbage.
class JsonParser {
public:
    JsonParser() = default;
    virtual ~JsonParser() = default;
    JsonParser(const JsonParser&) = delete;
    JsonParser& operator=(const JsonParser&) = delete;

    // The text ends at its first zero byte, as a C string would. On success the
    // current value is the new root and the saved current value is cleared. On
    // failure the error text holds the report and the tree, the current value
    // and the saved current value stay as they were, so pointers taken before
    // stay valid.
    bool Parse(std::string_view text);
    // Parse that hands each element of every array under key in the root
    // object to feed as soon as it is read (see JsonArrayFeed); the tree
    // keeps what the feed leaves in its place.
    bool Parse(std::string_view text, std::string_view key, JsonArrayFeed& feed);

    bool IsArray(std::string_view key) const;
    // The array under key, or an empty array.
    const JsonValue& GetArray(std::string_view key) const;
    bool EnterObject(std::string_view key);
    // Also true without a current value, or when the current value is null.
    bool IsNull(std::string_view key) const;
    // The value under key in its text form (a string bare, a real with six
    // decimals, arrays and objects as single-quoted text); false and out
    // untouched for a null or absent value.
    bool GetString(std::string_view key, std::string& out) const;
    // Integers only; a real is refused.
    bool GetInt(std::string_view key, std::int32_t& out) const;
    // Appends the keys of the current object in ascending byte order.
    int GetKeys(std::vector<std::string>& keys) const;

    // Makes the next element of the walk the current value; at the end returns
    // false and leaves the current value where it was.
    bool NextElement(JsonArrayWalk& walk);

    // The scan later parses use; tests compare the two.
    void SetScan(JsonScan scan) { scan_ = scan; }

    const std::string& GetErrorText() const { return errorText_; }
    const JsonValue& GetRoot() const { return root_; }

    const JsonValue* GetCurrent() const { return current_; }
    void SetCurrent(const JsonValue* value) { current_ = value; }
    // A slot for the caller to keep the current value while it reads a child.
    const JsonValue* GetSavedCurrent() const { return savedCurrent_; }
    void SetSavedCurrent(const JsonValue* value) { savedCurrent_ = value; }

private:
    bool ParseWith(std::string_view text, std::string_view key, JsonArrayFeed* feed);
    const JsonValue* Lookup(std::string_view key) const;

    std::string errorText_;
    JsonValue root_;
    const JsonValue* current_ = nullptr;
    const JsonValue* savedCurrent_ = nullptr;
    JsonScan scan_ = JsonScan::Fast;
};

}  // namespace ze
