#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

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
    JsonValue() noexcept : rep_{} {}
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
    JsonValue(JsonValue&& other) noexcept : rep_(other.rep_) { other.rep_ = Rep{}; }
    JsonValue& operator=(const JsonValue& other);
    JsonValue& operator=(JsonValue&& other) noexcept;
    ~JsonValue() {
        if (OwnsBlock()) {
            Release();
        }
    }

    JsonType Type() const { return rep_.heap.type; }
    int TypeCode() const { return static_cast<int>(rep_.heap.type); }
    bool IsNull() const { return Type() == JsonType::Null; }
    bool IsArray() const { return Type() == JsonType::Array; }
    bool IsObject() const { return Type() == JsonType::Object; }

    // Each accessor gives a neutral result (false, 0, empty) for other types.
    bool AsBool() const { return Type() == JsonType::Boolean && rep_.heap.boolean; }
    std::int32_t AsInt() const { return Type() == JsonType::Integer ? rep_.heap.integer : 0; }
    double AsReal() const { return Type() == JsonType::Real ? rep_.heap.real : 0.0; }
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
    friend class JsonMember;
    friend class JsonTreeBuilder;

    static constexpr std::uint8_t kHeapString = 0xFF;
    static constexpr std::size_t kInlineCapacity = 14;

    // Who frees the block of a heap string, array or object.
    enum Owner : std::uint8_t {
        kOwnsBlock = 0,  // the value, with everything under it
        kBorrowed = 1,   // the arena of the tree the value is part of
        kOwnsArena = 2,  // the value owns that arena: it is the root of its tree
    };

    // Both layouts start with the type and a byte that tells an inline string
    // (its length) from one on the heap (kHeapString). Both are plain data, so
    // a value moves by copying its representation and clearing the source's.
    struct Heap {
        JsonType type;
        std::uint8_t mark;
        Owner owner;
        std::uint8_t unused;
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
    union Rep {
        Heap heap;
        Inline text;
    };
    static_assert(std::is_trivially_copyable_v<Rep>);

    explicit JsonValue(const Rep& rep) noexcept : rep_(rep) {}

    static std::string_view StringOf(const Rep& rep) {
        if (rep.text.length != kHeapString) {
            return {rep.text.bytes, rep.text.length};
        }
        return {rep.heap.bytes, rep.heap.size};
    }
    // Scalars and inline strings own nothing; most values are one of those.
    static bool HoldsBlock(const Rep& rep) {
        return rep.heap.type >= JsonType::Array ||
               (rep.heap.type == JsonType::String && rep.text.length == kHeapString);
    }
    bool OwnsBlock() const { return HoldsBlock(rep_); }
    void Release() noexcept;
    void CopyFrom(const JsonValue& other);

    Rep rep_;
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
    friend class JsonTreeBuilder;
    struct KeyRep {
        const JsonValue::Rep& rep;
    };
    JsonMember(KeyRep key, const JsonValue::Rep& value) noexcept : key_(key.rep), value_(value) {}

    JsonValue key_;  // always a string
    JsonValue value_;
};

inline std::span<const JsonMember> JsonValue::Members() const {
    if (Type() != JsonType::Object) {
        return {};
    }
    return {rep_.heap.members, rep_.heap.size};
}

inline std::span<const JsonValue> JsonValue::Elements() const {
    if (Type() != JsonType::Array) {
        return {};
    }
    return {rep_.heap.elements, rep_.heap.size};
}

inline std::string_view JsonValue::AsString() const {
    if (Type() != JsonType::String) {
        return {};
    }
    return StringOf(rep_);
}

}  // namespace ze
