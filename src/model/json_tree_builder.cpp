#include "model/json_tree_builder.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace ze {

namespace {

// Chunks stay well below glibc's mmap threshold, so a freed arena's chunks
// are reused by the next one (the load parses one arena per dialog message),
// and below its 64 KB consolidation threshold: freeing a block that large
// makes glibc merge every small free block of the heap, which the load would
// pay for each message.
constexpr std::size_t kLargestChunk = std::size_t{32} << 10;
// Past a few megabytes (a whole large text parsed without a feed) chunks are
// large and backed by huge pages where the system grants them: each 4 KB
// page of fresh memory costs a fault, and on a virtual machine the faults of
// a 20 MB tree cost a good part of its parse.
constexpr std::size_t kHugeFrom = std::size_t{4} << 20;
constexpr std::size_t kHugeChunk = std::size_t{4} << 20;
// A root's block is preceded by its arena's address, padded so the block
// stays aligned for values.
constexpr std::size_t kArenaAddressBytes = std::max(sizeof(std::uintptr_t), alignof(JsonValue));

void AdviseHugePages([[maybe_unused]] void* start, [[maybe_unused]] std::size_t size) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
    const auto first = (reinterpret_cast<std::uintptr_t>(start) + kHugePage - 1) & ~(kHugePage - 1);
    const auto last = (reinterpret_cast<std::uintptr_t>(start) + size) & ~(kHugePage - 1);
    if (last > first) {
        // Advice only: without it the memory works the same.
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    }
#endif
}

std::uint32_t CheckedSize(std::size_t size) {
    if (size > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("JsonValue: more than UINT32_MAX bytes or entries");
    }
    return static_cast<std::uint32_t>(size);
}

// Copies up to 14 bytes with fixed-size moves rather than a call.
void CopySmall(char* to, const char* from, std::size_t size) {
    if (size >= 8) {
        std::memcpy(to, from, 8);
        std::memcpy(to + size - 8, from + size - 8, 8);
    } else if (size >= 4) {
        std::memcpy(to, from, 4);
        std::memcpy(to + size - 4, from + size - 4, 4);
    } else {
        for (std::size_t i = 0; i < size; ++i) {
            to[i] = from[i];
        }
    }
}

std::uint64_t Mix(std::uint64_t hash, std::uint64_t value) {
    return (hash ^ value) * 0x9E3779B97F4A7C15u;
}

}  // namespace

// The first eight bytes of a key as a big-endian number: ordering by it is
// ordering by unsigned bytes, and most keys differ within them. A key held
// inline is zero past its length (String builds it so), one on the arena is
// longer than eight bytes, so eight bytes can always be loaded.
std::uint64_t JsonTreeBuilder::KeyPrefix(const Node& key) {
    const char* bytes = key.text.length != JsonValue::kHeapString ? key.text.bytes : key.heap.bytes;
    std::uint64_t raw = 0;
    std::memcpy(&raw, bytes, sizeof raw);
    if constexpr (std::endian::native == std::endian::little) {
        return __builtin_bswap64(raw);
    } else {
        return raw;
    }
}

namespace {}  // namespace

JsonArena::~JsonArena() {
    // Adopted values may hold arenas of their own; they go first.
    adopted_.clear();
    while (chunks_ != nullptr) {
        Chunk* next = chunks_->next;
        ::operator delete(chunks_);
        chunks_ = next;
    }
}

void* JsonArena::AllocateSlow(std::size_t bytes) {
    const bool huge = allocated_ >= kHugeFrom;
    const std::size_t chunkSize = huge ? kHugeChunk : nextChunkSize_;
    if (bytes > chunkSize / 4) {
        // A block of its own, linked behind the current chunk so the rest of
        // that chunk still serves small blocks.
        auto* chunk = static_cast<Chunk*>(::operator new(sizeof(Chunk) + bytes));
        if (chunks_ != nullptr) {
            chunk->next = chunks_->next;
            chunks_->next = chunk;
        } else {
            chunk->next = nullptr;
            chunks_ = chunk;
        }
        allocated_ += bytes;
        return chunk + 1;
    }
    auto* chunk = static_cast<Chunk*>(::operator new(sizeof(Chunk) + chunkSize));
    if (huge) {
        AdviseHugePages(chunk, sizeof(Chunk) + chunkSize);
    }
    chunk->next = chunks_;
    chunks_ = chunk;
    next_ = reinterpret_cast<char*>(chunk + 1);
    end_ = next_ + chunkSize;
    allocated_ += chunkSize;
    nextChunkSize_ = std::min(nextChunkSize_ * 2, kLargestChunk);
    void* block = next_;
    next_ += bytes;
    return block;
}

JsonTreeBuilder::Node JsonTreeBuilder::String(JsonArena& arena, std::string_view bytes) {
    Node node{};
    if (bytes.size() <= JsonValue::kInlineCapacity) {
        node.text.type = JsonType::String;
        node.text.length = static_cast<std::uint8_t>(bytes.size());
        CopySmall(node.text.bytes, bytes.data(), bytes.size());
        return node;
    }
    const std::uint32_t size = CheckedSize(bytes.size());
    char* block = static_cast<char*>(arena.Allocate(size));
    std::memcpy(block, bytes.data(), size);
    node.heap.type = JsonType::String;
    node.heap.mark = JsonValue::kHeapString;
    node.heap.owner = JsonValue::kBorrowed;
    node.heap.size = size;
    node.heap.bytes = block;
    return node;
}

JsonTreeBuilder::Node JsonTreeBuilder::Array(JsonArena& arena, std::span<const Node> elements) {
    Node node{};
    node.heap.type = JsonType::Array;
    node.heap.size = CheckedSize(elements.size());
    if (elements.empty()) {
        return node;
    }
    auto* block = static_cast<JsonValue*>(arena.Allocate(elements.size() * sizeof(JsonValue)));
    for (std::size_t i = 0; i < elements.size(); ++i) {
        std::construct_at(block + i, JsonValue(elements[i]));
    }
    node.heap.owner = JsonValue::kBorrowed;
    node.heap.elements = block;
    return node;
}

JsonTreeBuilder::Node JsonTreeBuilder::Object(JsonArena& arena, std::span<const MemberNode> members,
                                              ObjectScratch& scratch) {
    Node node{};
    node.heap.type = JsonType::Object;
    if (members.empty()) {
        return node;
    }
    CheckedSize(members.size());
    std::vector<std::uint64_t>& prefixes = scratch.prefixes_;
    prefixes.resize(members.size());
    std::uint64_t hash = members.size();
    for (std::size_t i = 0; i < members.size(); ++i) {
        prefixes[i] = KeyPrefix(members[i].key);
        hash = Mix(hash, prefixes[i]);
    }
    ObjectScratch::Shape& shape = scratch.shapes_[hash >> (64 - ObjectScratch::kShapeBits)];
    if (shape.prefixes != prefixes) {
        // Sorting small entries, stable by position among equal keys, moves
        // far less than sorting members.
        std::vector<SortEntry>& order = scratch.order_;
        order.clear();
        for (std::size_t i = 0; i < members.size(); ++i) {
            order.push_back({prefixes[i], static_cast<std::uint32_t>(i)});
        }
        std::sort(order.begin(), order.end(), [members](const SortEntry& a, const SortEntry& b) {
            if (a.prefix != b.prefix) {
                return a.prefix < b.prefix;
            }
            const int bytes =
                StringOf(members[a.index].key).compare(StringOf(members[b.index].key));
            return bytes != 0 ? bytes < 0 : a.index < b.index;
        });
        const auto keyAt = [&](std::size_t position) {
            return StringOf(members[order[position].index].key);
        };
        bool distinctPrefixes = true;
        std::size_t unique = order.size();
        for (std::size_t i = 1; i < order.size(); ++i) {
            if (order[i].prefix == order[i - 1].prefix) {
                distinctPrefixes = false;
                if (keyAt(i) == keyAt(i - 1)) {
                    --unique;
                }
            }
        }
        if (!distinctPrefixes) {
            // Keys alike in their first eight bytes are compared whole each
            // time; such an object's order is not kept.
            auto* block = static_cast<JsonMember*>(arena.Allocate(unique * sizeof(JsonMember)));
            JsonMember* out = block;
            for (std::size_t i = 0; i < order.size(); ++i) {
                // Of a run of equal keys only the last, the one read last, stays.
                if (i + 1 < order.size() && order[i + 1].prefix == order[i].prefix &&
                    keyAt(i + 1) == keyAt(i)) {
                    continue;
                }
                const MemberNode& member = members[order[i].index];
                std::construct_at(out++, JsonMember(JsonMember::KeyRep{member.key}, member.value));
            }
            node.heap.owner = JsonValue::kBorrowed;
            node.heap.size = static_cast<std::uint32_t>(unique);
            node.heap.members = block;
            return node;
        }
        shape.prefixes = prefixes;
        shape.order.clear();
        for (const SortEntry& entry : order) {
            shape.order.push_back(entry.index);
        }
    }
    // Keys that differ in their first eight bytes: the shape's order is theirs.
    auto* block = static_cast<JsonMember*>(arena.Allocate(members.size() * sizeof(JsonMember)));
    for (std::size_t i = 0; i < members.size(); ++i) {
        const MemberNode& member = members[shape.order[i]];
        std::construct_at(block + i, JsonMember(JsonMember::KeyRep{member.key}, member.value));
    }
    node.heap.owner = JsonValue::kBorrowed;
    node.heap.size = static_cast<std::uint32_t>(members.size());
    node.heap.members = block;
    return node;
}

JsonTreeBuilder::Node JsonTreeBuilder::Adopt(JsonArena& arena, JsonValue&& value) {
    if (!value.OwnsBlock() || (value.Type() >= JsonType::Array && value.rep_.heap.size == 0)) {
        return value.rep_;
    }
    arena.Adopt(std::move(value));
    Node node = arena.LastAdopted().rep_;
    node.heap.owner = JsonValue::kBorrowed;
    return node;
}

JsonValue JsonTreeBuilder::Finish(std::unique_ptr<JsonArena> arena, const Node& root) {
    std::size_t bytes = 0;
    if (JsonValue::HoldsBlock(root)) {
        switch (root.heap.type) {
            case JsonType::String:
                bytes = root.heap.size;
                break;
            case JsonType::Array:
                bytes = root.heap.size * sizeof(JsonValue);
                break;
            default:
                bytes = root.heap.size * sizeof(JsonMember);
                break;
        }
    }
    if (bytes == 0) {
        return JsonValue(root);  // owns nothing; the arena holds nothing it needs
    }
    // The root's block again, behind the arena's address, so that the root
    // alone finds and frees the arena.
    char* prefixed = static_cast<char*>(arena->Allocate(kArenaAddressBytes + bytes));
    char* block = prefixed + kArenaAddressBytes;
    Node node = root;
    switch (root.heap.type) {
        case JsonType::String:
            std::memcpy(block, root.heap.bytes, bytes);
            node.heap.bytes = block;
            break;
        case JsonType::Array: {
            auto* elements = reinterpret_cast<JsonValue*>(block);
            for (std::uint32_t i = 0; i < root.heap.size; ++i) {
                std::construct_at(elements + i, JsonValue(root.heap.elements[i].rep_));
            }
            node.heap.elements = elements;
            break;
        }
        default: {
            auto* members = reinterpret_cast<JsonMember*>(block);
            for (std::uint32_t i = 0; i < root.heap.size; ++i) {
                const JsonMember& member = root.heap.members[i];
                std::construct_at(members + i, JsonMember(JsonMember::KeyRep{member.key_.rep_},
                                                          member.value_.rep_));
            }
            node.heap.members = members;
            break;
        }
    }
    const auto address = reinterpret_cast<std::uintptr_t>(arena.release());
    std::memcpy(prefixed, &address, sizeof address);
    node.heap.owner = JsonValue::kOwnsArena;
    return JsonValue(node);
}

void JsonTreeBuilder::ReleaseArena(const void* block) noexcept {
    std::uintptr_t address = 0;
    std::memcpy(&address, static_cast<const char*>(block) - kArenaAddressBytes, sizeof address);
    delete reinterpret_cast<JsonArena*>(address);
}

}  // namespace ze
