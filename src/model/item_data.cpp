#include "model/item_data.h"

#include <cstring>
#include <deque>
#include <limits>
#include <stdexcept>
#include <functional>
#include <mutex>
#include <unordered_map>

namespace ze {

namespace {

struct InfoKey {
    std::int32_t kind;
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
};

InfoPool& Pool() {
    static InfoPool* pool = new InfoPool;  // never freed: items may outlive statics
    return *pool;
}

}  // namespace

const ItemInfo* InternItemInfo(std::int32_t kind, std::string_view name, const ChoiceList* choices,
                               const char* description) {
    InfoPool& pool = Pool();
    std::lock_guard lock(pool.mutex);
    if (const auto it = pool.index.find({kind, name, choices, description});
        it != pool.index.end()) {
        return it->second;
    }
    const ItemInfo& info =
        pool.infos.emplace_back(ItemInfo{std::string(name), kind, choices, description});
    pool.index.emplace(InfoKey{kind, info.name, choices, description}, &info);
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

std::string_view ItemText::View() const {
    if (!OnHeap()) {
        return {reinterpret_cast<const char*>(storage_), storage_[kTagByte]};
    }
    const char* data = nullptr;
    std::uint32_t length = 0;
    std::memcpy(&data, storage_, sizeof data);
    std::memcpy(&length, storage_ + sizeof data, sizeof length);
    return {data, length};
}

void ItemText::Assign(std::string_view text) {
    if (text.size() <= kTagByte) {
        unsigned char bytes[kTagByte];
        std::memcpy(bytes, text.data(), text.size());  // text may live in this value
        Release();
        std::memcpy(storage_, bytes, text.size());
        storage_[kTagByte] = static_cast<unsigned char>(text.size());
        return;
    }
    if (text.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("item value too long");
    }
    char* data = new char[text.size()];
    std::memcpy(data, text.data(), text.size());
    const auto length = static_cast<std::uint32_t>(text.size());
    Release();
    std::memcpy(storage_, &data, sizeof data);
    std::memcpy(storage_ + sizeof data, &length, sizeof length);
    storage_[kTagByte] = kOnHeap;
}

void ItemText::Release() noexcept {
    if (OnHeap()) {
        char* data = nullptr;
        std::memcpy(&data, storage_, sizeof data);
        delete[] data;
    }
    storage_[kTagByte] = 0;
}

}  // namespace ze
