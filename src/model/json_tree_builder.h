#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "model/json_value.h"

namespace ze {

// The memory of one parsed tree: blocks are carved from chunks of growing
// size and all freed together, so a parse makes a few hundred allocations
// instead of one per string, array and object. The tree's root owns the arena
// (JsonTreeBuilder::Finish); the values inside borrow from it.
class JsonArena {
public:
    JsonArena() = default;
    ~JsonArena();
    JsonArena(const JsonArena&) = delete;
    JsonArena& operator=(const JsonArena&) = delete;

    // Uninitialised bytes aligned for a JsonValue.
    void* Allocate(std::size_t bytes);
    // Keeps a value that owns its memory until the arena dies.
    void Adopt(JsonValue&& value) { adopted_.push_back(std::move(value)); }
    const JsonValue& LastAdopted() const { return adopted_.back(); }

private:
    struct Chunk {
        Chunk* next;
        std::size_t unused;  // keeps the bytes after the header 16-byte aligned
    };
    void* AllocateSlow(std::size_t bytes);

    char* next_ = nullptr;
    char* end_ = nullptr;
    Chunk* chunks_ = nullptr;
    std::size_t nextChunkSize_ = 4096;
    std::size_t allocated_ = 0;
    std::vector<JsonValue> adopted_;
};

inline void* JsonArena::Allocate(std::size_t bytes) {
    bytes = (bytes + 7) & ~std::size_t{7};
    if (static_cast<std::size_t>(end_ - next_) >= bytes) {
        void* block = next_;
        next_ += bytes;
        return block;
    }
    return AllocateSlow(bytes);
}

// Builds a tree in an arena from plain representations, which copy freely
// and own nothing; only the finished root owns (the arena).
class JsonTreeBuilder {
public:
    using Node = JsonValue::Rep;
    struct MemberNode {
        Node key;  // always a string
        Node value;
    };
    struct SortEntry {
        std::uint64_t prefix;
        std::uint32_t index;
    };
    // What building objects reuses from one object to the next.
    class ObjectScratch {
    private:
        friend class JsonTreeBuilder;
        // Objects of one shape, the same keys in the same order, recur all
        // through a text: the order of their keys is worked out once. A
        // project written by the editor leaves empty properties out, so its
        // objects come in a few hundred shapes.
        struct Shape {
            std::vector<std::uint64_t> prefixes;
            std::vector<std::uint32_t> order;
        };
        std::vector<SortEntry> order_;
        std::vector<std::uint64_t> prefixes_;
        static constexpr int kShapeBits = 9;
        std::array<Shape, std::size_t{1} << kShapeBits> shapes_;
    };

    static Node Null() { return Node{}; }
    static Node Boolean(bool value) {
        Node node{};
        node.heap.type = JsonType::Boolean;
        node.heap.boolean = value;
        return node;
    }
    static Node Integer(std::int32_t value) {
        Node node{};
        node.heap.type = JsonType::Integer;
        node.heap.integer = value;
        return node;
    }
    static Node Real(double value) {
        Node node{};
        node.heap.type = JsonType::Real;
        node.heap.real = value;
        return node;
    }
    static Node String(JsonArena& arena, std::string_view bytes);
    static std::string_view StringOf(const Node& node) { return JsonValue::StringOf(node); }
    static Node Array(JsonArena& arena, std::span<const Node> elements);
    // The members in ascending unsigned byte order of their keys; of equal
    // keys the last one given stays.
    static Node Object(JsonArena& arena, std::span<const MemberNode> members,
                       ObjectScratch& scratch);

    // The value as a node of the arena's tree: a value that owns memory is
    // kept by the arena, and the node borrows it.
    static Node Adopt(JsonArena& arena, JsonValue&& value);
    // The tree under root as a value that owns it and the arena.
    static JsonValue Finish(std::unique_ptr<JsonArena> arena, const Node& root);

private:
    friend class JsonValue;
    static std::uint64_t KeyPrefix(const Node& key);
    // Frees the arena of a root made by Finish, given the root's block.
    static void ReleaseArena(const void* block) noexcept;
};

}  // namespace ze
