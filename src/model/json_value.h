#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace ze {

// The numeric codes are fixed: callers compare them, and they decide the order in
// which the serializer dispatches, so they must not be renumbered.
enum class JsonType : std::uint8_t {
    Null = 0,
    Boolean = 1,
    Integer = 2,
    Real = 3,
    String = 4,
    Array = 5,
    Object = 6,
};

class JsonMember;

// A value of the resource text format. It owns its whole tree: copying copies
// the tree, moving leaves the source null.
//
// The value is 16 bytes: a project holds hundreds of thousands of them, so
// strings of up to 14 bytes live inside the value, and arrays and objects hold
// one exactly sized block instead of a growing vector.
class JsonValue {
public:
    JsonValue() noexcept : heap_{} {}
    explicit JsonValue(bool value) noexcept;
    explicit JsonValue(std::int32_t value) noexcept;
    explicit JsonValue(double value) noexcept;
    explicit JsonValue(std::string_view bytes);
    // Without this a string literal would pick the bool constructor.
    explicit JsonValue(const char* bytes) : JsonValue(std::string_view(bytes)) {}

    // Strings, arrays and objects hold at most UINT32_MAX bytes or entries;
    // more throws std::length_error, as std::string does past its maximum.

    // Moves the elements out of the given range into a new array.
    static JsonValue Array(std::span<JsonValue> elements);
    // Moves the members out of the given range into a new object. Keys end up
    // in ascending unsigned byte order; of members with equal keys the one
    // given last is kept.
    static JsonValue Object(std::span<JsonMember> members);

    JsonValue(const JsonValue& other);
    JsonValue(JsonValue&& other) noexcept;
    JsonValue& operator=(const JsonValue& other);
    JsonValue& operator=(JsonValue&& other) noexcept;
    ~JsonValue() {
        if (OwnsBlock()) {
            Release();
        }
    }

    JsonType Type() const { return heap_.type; }
    int TypeCode() const { return static_cast<int>(heap_.type); }
    bool IsNull() const { return Type() == JsonType::Null; }
    bool IsArray() const { return Type() == JsonType::Array; }
    bool IsObject() const { return Type() == JsonType::Object; }

    // Each accessor gives a neutral result (false, 0, empty) for other types.
    bool AsBool() const { return Type() == JsonType::Boolean && heap_.boolean; }
    std::int32_t AsInt() const { return Type() == JsonType::Integer ? heap_.integer : 0; }
    double AsReal() const { return Type() == JsonType::Real ? heap_.real : 0.0; }
    std::string_view AsString() const;
    std::span<const JsonValue> Elements() const;
    std::span<const JsonMember> Members() const;

    // The value stored under key, or null when this is not an object or the
    // key is absent.
    const JsonValue* Find(std::string_view key) const;

    std::string Serialize(bool quoteStrings) const;
    void SerializeTo(std::string& out, bool quoteStrings) const;

    friend bool operator==(const JsonValue& a, const JsonValue& b);

private:
    static constexpr std::uint8_t kHeapString = 0xFF;
    static constexpr std::size_t kInlineCapacity = 14;

    // Both layouts start with the type and a byte that tells an inline string
    // (its length) from one on the heap (kHeapString).
    struct Heap {
        JsonType type;
        std::uint8_t mark;
        std::uint16_t unused;
        std::uint32_t size;
        union {
            bool boolean;
            std::int32_t integer;
            double real;
            char* bytes;
            JsonValue* elements;
            JsonMember* members;
        };
    };
    struct Inline {
        JsonType type;
        std::uint8_t length;
        char bytes[kInlineCapacity];
    };

    // Scalars and inline strings own nothing; most values are one of those.
    bool OwnsBlock() const {
        return Type() >= JsonType::Array ||
               (Type() == JsonType::String && inline_.length == kHeapString);
    }
    void Release() noexcept;
    void CopyFrom(const JsonValue& other);

    union {
        Heap heap_;
        Inline inline_;
    };
};

static_assert(sizeof(JsonValue) == 16);

class JsonMember {
public:
    JsonMember(std::string_view key, JsonValue value) : key_(key), value_(std::move(value)) {}
    // Takes a key already made into a string value without copying its bytes
    // again; a key of any other type counts as the empty key.
    JsonMember(JsonValue key, JsonValue value)
        : key_(key.Type() == JsonType::String ? std::move(key) : JsonValue(std::string_view())),
          value_(std::move(value)) {}

    std::string_view Key() const { return key_.AsString(); }
    const JsonValue& Value() const { return value_; }

private:
    friend class JsonValue;
    JsonValue key_;  // always a string
    JsonValue value_;
};

inline std::span<const JsonMember> JsonValue::Members() const {
    if (Type() != JsonType::Object) {
        return {};
    }
    return {heap_.members, heap_.size};
}

inline std::span<const JsonValue> JsonValue::Elements() const {
    if (Type() != JsonType::Array) {
        return {};
    }
    return {heap_.elements, heap_.size};
}

inline std::string_view JsonValue::AsString() const {
    if (Type() != JsonType::String) {
        return {};
    }
    if (inline_.length != kHeapString) {
        return {inline_.bytes, inline_.length};
    }
    return {heap_.bytes, heap_.size};
}

}  // namespace ze
