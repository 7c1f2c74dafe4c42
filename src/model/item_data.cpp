#include "model/item_data.h"

#include <cstring>
#include <deque>
#include <functional>
#include <limits>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <unordered_map>
#include <vector>

namespace ze {

namespace detail {
std::atomic<const ItemInfo* const*> itemInfoChunks[kInfoChunkCount] = {};
}  // namespace detail

namespace {

struct InfoKey {
    ItemKind kind;
    std::string_view name;
    const ChoiceList* choices;
    const char* description;

    bool operator==(const InfoKey&) const = default;
};

struct InfoKeyHash {
    std::size_t operator()(const InfoKey& key) const {
        std::size_t hash = std::hash<std::string_view>{}(key.name);
        hash = hash * 31 + static_cast<std::size_t>(key.kind);
        hash = hash * 31 + std::hash<const void*>{}(key.choices);
        return hash * 31 + std::hash<const void*>{}(key.description);
    }
};

struct InfoPool {
    std::mutex mutex;
    std::deque<ItemInfo> infos;  // a deque keeps every address stable
    std::unordered_map<InfoKey, const ItemInfo*, InfoKeyHash> index;
    std::vector<std::unique_ptr<const ItemInfo*[]>> chunks;  // itemInfoChunks' storage
};

InfoPool& Pool() {
    static InfoPool* pool = new InfoPool;  // never freed: items may outlive statics
    return *pool;
}

}  // namespace

const ItemInfo* InternItemInfo(ItemKind kind, std::string_view name, const ChoiceList* choices,
                               const char* description) {
    InfoPool& pool = Pool();
    std::lock_guard lock(pool.mutex);
    if (const auto it = pool.index.find({kind, name, choices, description});
        it != pool.index.end()) {
        return it->second;
    }
    const std::size_t id = pool.infos.size();
    if (id >= std::size_t{detail::kInfoChunkSize} * detail::kInfoChunkCount) {
        throw std::length_error("too many kinds of item");
    }
    const ItemInfo& info = pool.infos.emplace_back(
        ItemInfo{std::string(name), kind, choices, description, static_cast<std::uint32_t>(id)});
    pool.index.emplace(InfoKey{kind, info.name, choices, description}, &info);
    // The entry is written before the number leaves this call; a new chunk
    // is published once it is filled in.
    std::atomic<const ItemInfo* const*>& chunk =
        detail::itemInfoChunks[id >> detail::kInfoChunkBits];
    if (chunk.load(std::memory_order_relaxed) == nullptr) {
        pool.chunks.push_back(std::make_unique<const ItemInfo*[]>(detail::kInfoChunkSize));
        pool.chunks.back()[id & (detail::kInfoChunkSize - 1)] = &info;
        chunk.store(pool.chunks.back().get(), std::memory_order_release);
    } else {
        pool.chunks.back()[id & (detail::kInfoChunkSize - 1)] = &info;
    }
    return &info;
}

ItemText::ItemText(ItemText&& other) noexcept {
    std::memcpy(storage_, other.storage_, sizeof storage_);
    other.storage_[kTagByte] = 0;
}

ItemText& ItemText::operator=(const ItemText& other) {
    if (this != &other) {
        Assign(other.View());
    }
    return *this;
}

ItemText& ItemText::operator=(ItemText&& other) noexcept {
    if (this != &other) {
        Release();
        std::memcpy(storage_, other.storage_, sizeof storage_);
        other.storage_[kTagByte] = 0;
    }
    return *this;
}

void ItemText::Assign(std::string_view text) {
    if (text.size() <= kInlineCapacity) {
        unsigned char bytes[kInlineCapacity];
        std::memcpy(bytes, text.data(), text.size());  // text may live in this value
        Release();
        std::memcpy(storage_, bytes, text.size());
        storage_[kTagByte] = static_cast<unsigned char>(text.size());
        return;
    }
    if (text.size() > std::numeric_limits<std::uint32_t>::max() - sizeof(std::uint32_t)) {
        throw std::length_error("item value too long");
    }
    const auto length = static_cast<std::uint32_t>(text.size());
    auto* block = static_cast<char*>(::operator new(sizeof length + text.size()));
    std::memcpy(block, &length, sizeof length);
    std::memcpy(block + sizeof length, text.data(), text.size());
    Release();
    std::memcpy(storage_, &block, sizeof block);
    storage_[kTagByte] = kOnHeap;
}

void ItemText::AssignLent(std::string_view text, void* block) {
    if (text.size() > std::numeric_limits<std::uint32_t>::max() - sizeof(std::uint32_t)) {
        throw std::length_error("item value too long");
    }
    const auto length = static_cast<std::uint32_t>(text.size());
    auto* bytes = static_cast<char*>(block);
    std::memcpy(bytes, &length, sizeof length);
    std::memcpy(bytes + sizeof length, text.data(), text.size());
    Release();
    std::memcpy(storage_, &bytes, sizeof bytes);
    storage_[kTagByte] = kLent;
}

void ItemText::TakeOver() {
    if (IsLent()) {
        ItemText own(*this);  // a copy has a block of its own
        *this = std::move(own);
    }
}

void ItemText::Release() noexcept {
    if (storage_[kTagByte] == kOnHeap) {
        char* block = nullptr;
        std::memcpy(&block, storage_, sizeof block);
        ::operator delete(block);
    }
    storage_[kTagByte] = 0;
}

}  // namespace ze
