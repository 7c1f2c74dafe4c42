#include "model/json_value.h"

#include "model/json_tree_builder.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <stdexcept>
#include <utility>
#include <vector>

namespace ze {

namespace {

std::uint32_t CheckedSize(std::size_t size) {
    if (size > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("JsonValue: more than UINT32_MAX bytes or entries");
    }
    return static_cast<std::uint32_t>(size);
}

template <typename T>
T* Allocate(std::size_t count) {
    return static_cast<T*>(::operator new(count * sizeof(T)));
}

template <typename T>
void DestroyBlock(T* block, std::size_t count) {
    std::destroy_n(block, count);
    ::operator delete(block);
}

// The first eight bytes as a big-endian number: ordering by it is ordering by
// unsigned bytes, and most keys differ within them, so sorting compares
// numbers and only rarely the bytes.
std::uint64_t KeyPrefix(std::string_view key) {
    unsigned char bytes[8] = {};
    std::memcpy(bytes, key.data(), std::min<std::size_t>(key.size(), 8));
    std::uint64_t prefix = 0;
    for (unsigned char byte : bytes) {
        prefix = (prefix << 8) | byte;
    }
    return prefix;
}

struct SortEntry {
    std::uint64_t prefix;
    std::uint32_t index;
};

// Orders members by key and, among equal keys, by position, which keeps the
// sort stable; sorting small entries moves far less than sorting members.
void SortByKey(std::span<const JsonMember> members, std::vector<SortEntry>& order) {
    order.clear();
    for (std::size_t i = 0; i < members.size(); ++i) {
        order.push_back({KeyPrefix(members[i].Key()), static_cast<std::uint32_t>(i)});
    }
    std::sort(order.begin(), order.end(), [members](const SortEntry& a, const SortEntry& b) {
        if (a.prefix != b.prefix) {
            return a.prefix < b.prefix;
        }
        const int bytes = members[a.index].Key().compare(members[b.index].Key());
        return bytes != 0 ? bytes < 0 : a.index < b.index;
    });
}

}  // namespace

JsonValue::JsonValue(bool value) noexcept : rep_{} {
    rep_.heap.type = JsonType::Boolean;
    rep_.heap.boolean = value;
}

JsonValue::JsonValue(std::int32_t value) noexcept : rep_{} {
    rep_.heap.type = JsonType::Integer;
    rep_.heap.integer = value;
}

JsonValue::JsonValue(double value) noexcept : rep_{} {
    rep_.heap.type = JsonType::Real;
    rep_.heap.real = value;
}

JsonValue::JsonValue(std::string_view bytes) : rep_{} {
    if (bytes.size() <= kInlineCapacity) {
        rep_.text.type = JsonType::String;
        rep_.text.length = static_cast<std::uint8_t>(bytes.size());
        if (!bytes.empty()) {
            std::memcpy(rep_.text.bytes, bytes.data(), bytes.size());
        }
        return;
    }
    const std::uint32_t size = CheckedSize(bytes.size());
    char* block = Allocate<char>(size);
    std::memcpy(block, bytes.data(), size);
    rep_.heap.type = JsonType::String;
    rep_.heap.mark = kHeapString;
    rep_.heap.size = size;
    rep_.heap.bytes = block;
}

JsonValue JsonValue::Array(std::span<JsonValue> elements) {
    JsonValue result;
    const std::uint32_t size = CheckedSize(elements.size());
    JsonValue* block = nullptr;
    if (size > 0) {
        block = Allocate<JsonValue>(size);
        std::uninitialized_move(elements.begin(), elements.end(), block);
    }
    result.rep_.heap.type = JsonType::Array;
    result.rep_.heap.size = size;
    result.rep_.heap.elements = block;
    return result;
}

JsonValue JsonValue::Object(std::span<JsonMember> members) {
    // Reused by every object of a parse instead of allocated per object.
    thread_local std::vector<SortEntry> order;
    CheckedSize(members.size());
    SortByKey(members, order);
    const auto keyAt = [&](std::size_t position) { return members[order[position].index].Key(); };
    std::size_t unique = order.size();
    for (std::size_t i = 1; i < order.size(); ++i) {
        if (keyAt(i) == keyAt(i - 1)) {
            --unique;
        }
    }
    JsonValue result;
    const std::uint32_t size = CheckedSize(unique);
    JsonMember* block = nullptr;
    if (size > 0) {
        block = Allocate<JsonMember>(size);
        JsonMember* out = block;
        for (std::size_t i = 0; i < order.size(); ++i) {
            // Of a run of equal keys only the last, the one read last, stays.
            if (i + 1 < order.size() && keyAt(i + 1) == keyAt(i)) {
                continue;
            }
            std::construct_at(out++, std::move(members[order[i].index]));
        }
    }
    result.rep_.heap.type = JsonType::Object;
    result.rep_.heap.size = size;
    result.rep_.heap.members = block;
    return result;
}

JsonValue::JsonValue(const JsonValue& other) : rep_{} {
    CopyFrom(other);
}

JsonValue& JsonValue::operator=(const JsonValue& other) {
    if (this != &other) {
        JsonValue copy(other);
        *this = std::move(copy);
    }
    return *this;
}

JsonValue& JsonValue::operator=(JsonValue&& other) noexcept {
    if (this != &other) {
        // other may live inside this tree; take it out before freeing the tree.
        JsonValue taken(std::move(other));
        if (OwnsBlock()) {
            Release();
        }
        rep_ = taken.rep_;
        taken.rep_ = Rep{};
    }
    return *this;
}

void JsonValue::CopyFrom(const JsonValue& other) {
    switch (other.Type()) {
        case JsonType::String:
            if (other.rep_.text.length == kHeapString) {
                *this = JsonValue(other.AsString());
                return;
            }
            break;
        case JsonType::Array:
            if (other.rep_.heap.size > 0) {
                JsonValue* block = Allocate<JsonValue>(other.rep_.heap.size);
                try {
                    std::uninitialized_copy_n(other.rep_.heap.elements, other.rep_.heap.size,
                                              block);
                } catch (...) {
                    ::operator delete(block);
                    throw;
                }
                rep_.heap = other.rep_.heap;
                rep_.heap.owner = kOwnsBlock;
                rep_.heap.elements = block;
                return;
            }
            break;
        case JsonType::Object:
            if (other.rep_.heap.size > 0) {
                JsonMember* block = Allocate<JsonMember>(other.rep_.heap.size);
                try {
                    std::uninitialized_copy_n(other.rep_.heap.members, other.rep_.heap.size, block);
                } catch (...) {
                    ::operator delete(block);
                    throw;
                }
                rep_.heap = other.rep_.heap;
                rep_.heap.owner = kOwnsBlock;
                rep_.heap.members = block;
                return;
            }
            break;
        default:
            break;
    }
    // A scalar, an inline string or an empty container, which hold no block.
    rep_ = other.rep_;
}

void JsonValue::Release() noexcept {
    switch (rep_.heap.owner) {
        case kBorrowed:
            break;
        case kOwnsArena:
            // Every block of the tree lives in the arena.
            JsonTreeBuilder::ReleaseArena(
                Type() == JsonType::String  ? static_cast<const void*>(rep_.heap.bytes)
                : Type() == JsonType::Array ? static_cast<const void*>(rep_.heap.elements)
                                            : static_cast<const void*>(rep_.heap.members));
            break;
        case kOwnsBlock:
            switch (Type()) {
                case JsonType::String:
                    ::operator delete(rep_.heap.bytes);
                    break;
                case JsonType::Array:
                    if (rep_.heap.size > 0) {
                        DestroyBlock(rep_.heap.elements, rep_.heap.size);
                    }
                    break;
                case JsonType::Object:
                    if (rep_.heap.size > 0) {
                        DestroyBlock(rep_.heap.members, rep_.heap.size);
                    }
                    break;
                default:
                    break;
            }
            break;
    }
    rep_ = Rep{};
}

const JsonValue* JsonValue::Find(std::string_view key) const {
    const std::span<const JsonMember> members = Members();
    const auto it = std::lower_bound(
        members.begin(), members.end(), key,
        [](const JsonMember& member, std::string_view wanted) { return member.Key() < wanted; });
    if (it == members.end() || it->Key() != key) {
        return nullptr;
    }
    return &it->Value();
}

std::string JsonValue::Serialize(bool quoteStrings) const {
    std::string out;
    SerializeTo(out, quoteStrings);
    return out;
}

void JsonValue::SerializeTo(std::string& out, bool quoteStrings) const {
    switch (Type()) {
        case JsonType::Null:
            out += "null";
            break;
        case JsonType::Boolean:
            out += rep_.heap.boolean ? "true" : "false";
            break;
        case JsonType::Integer: {
            std::array<char, 16> buffer;
            const auto result =
                std::to_chars(buffer.data(), buffer.data() + buffer.size(), rep_.heap.integer);
            out.append(buffer.data(), result.ptr);
            break;
        }
        case JsonType::Real: {
            // "%f" of DBL_MAX has 309 integer digits; the buffer holds any
            // double whole. to_chars also keeps the decimal point a "." in
            // every locale, which printf would not.
            std::array<char, 400> buffer;
            const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                              rep_.heap.real, std::chars_format::fixed, 6);
            out.append(buffer.data(), result.ptr);
            break;
        }
        case JsonType::String:
            if (quoteStrings) {
                out += '\'';
            }
            out += AsString();
            if (quoteStrings) {
                out += '\'';
            }
            break;
        case JsonType::Array: {
            out += '[';
            bool first = true;
            for (const JsonValue& element : Elements()) {
                if (!first) {
                    out += ',';
                }
                first = false;
                element.SerializeTo(out, true);
            }
            out += ']';
            break;
        }
        case JsonType::Object: {
            out += '{';
            bool first = true;
            for (const JsonMember& member : Members()) {
                if (!first) {
                    out += ',';
                }
                first = false;
                out += '\'';
                out += member.Key();
                out += "':";
                member.Value().SerializeTo(out, true);
            }
            out += '}';
            break;
        }
    }
}

bool operator==(const JsonValue& a, const JsonValue& b) {
    if (a.Type() != b.Type()) {
        return false;
    }
    switch (a.Type()) {
        case JsonType::Null:
            return true;
        case JsonType::Boolean:
            return a.AsBool() == b.AsBool();
        case JsonType::Integer:
            return a.AsInt() == b.AsInt();
        case JsonType::Real:
            return a.AsReal() == b.AsReal();
        case JsonType::String:
            return a.AsString() == b.AsString();
        case JsonType::Array:
            return std::ranges::equal(a.Elements(), b.Elements());
        case JsonType::Object:
            return std::ranges::equal(a.Members(), b.Members(),
                                      [](const JsonMember& x, const JsonMember& y) {
                                          return x.Key() == y.Key() && x.Value() == y.Value();
                                      });
    }
    return false;
}

}  // namespace ze
