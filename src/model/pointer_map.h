#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>
#include <vector>

namespace ze {

// A map from pointers to small values in one flat table, for the matching
// and merging of two versions of a project: they look up every element of
// a large project several times, and a node of its own per entry (as
// std::unordered_map keeps them) costs more than the lookups themselves.
// Entries are never removed. The null pointer is never a key: inserting it
// does nothing, and looking it up finds nothing.
template <class Key, class Value>
class PointerMap {
    static_assert(std::is_pointer_v<Key>);

public:
    // Room for count entries without growing.
    void Reserve(std::size_t count) {
        if (count * 2 > slots_.size()) {
            Rehash(std::bit_ceil(std::max<std::size_t>(count * 2, 16)));
        }
    }

    // Adds key with value; false (and the map unchanged) when key is there.
    bool Insert(Key key, Value value) {
        if (key == nullptr) {
            return false;
        }
        if ((size_ + 1) * 2 > slots_.size()) {
            Rehash(std::max<std::size_t>(slots_.size() * 2, 16));
        }
        Slot& slot = SlotOf(key);
        if (slot.key == key) {
            return false;
        }
        slot = {key, std::move(value)};
        ++size_;
        return true;
    }

    // The value of key, or a value-initialized one without it.
    Value Get(Key key) const {
        const Slot* slot = Find(key);
        return slot == nullptr ? Value{} : slot->value;
    }

    bool Contains(Key key) const { return Find(key) != nullptr; }
    std::size_t Size() const { return size_; }
    bool Empty() const { return size_ == 0; }

    // Calls visit(key, value) for every entry, in no particular order.
    template <class Visit>
    void ForEach(Visit&& visit) const {
        for (const Slot& slot : slots_) {
            if (slot.key != nullptr) {
                visit(slot.key, slot.value);
            }
        }
    }

private:
    struct Slot {
        Key key = nullptr;
        Value value{};
    };

    std::size_t Home(Key key) const {
        // Fibonacci hashing; the low bits of an aligned pointer say nothing.
        const auto bits = reinterpret_cast<std::uintptr_t>(key) >> 3;
        return static_cast<std::size_t>(
            (static_cast<std::uint64_t>(bits) * 0x9E3779B97F4A7C15ULL) >> shift_);
    }

    // The slot that holds key, or the empty one where it would go. The
    // table is never more than half full, so an empty slot is always found.
    Slot& SlotOf(Key key) {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t at = Home(key);; at = (at + 1) & mask) {
            if (slots_[at].key == key || slots_[at].key == nullptr) {
                return slots_[at];
            }
        }
    }

    const Slot* Find(Key key) const {
        if (key == nullptr || size_ == 0) {
            return nullptr;
        }
        Slot& slot = const_cast<PointerMap*>(this)->SlotOf(key);
        return slot.key == key ? &slot : nullptr;
    }

    void Rehash(std::size_t capacity) {
        std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(capacity));
        shift_ = 64 - std::countr_zero(capacity);
        for (Slot& slot : old) {
            if (slot.key != nullptr) {
                SlotOf(slot.key) = std::move(slot);
            }
        }
    }

    std::vector<Slot> slots_;
    std::size_t size_ = 0;
    int shift_ = 64;
};

// A set of pointers in one flat table (see PointerMap).
template <class Key>
class PointerSet {
public:
    void Reserve(std::size_t count) { map_.Reserve(count); }
    // False when key was there already (or is null).
    bool Insert(Key key) { return map_.Insert(key, true); }
    bool Contains(Key key) const { return map_.Contains(key); }
    std::size_t Size() const { return map_.Size(); }
    bool Empty() const { return map_.Empty(); }

private:
    PointerMap<Key, bool> map_;
};

}  // namespace ze
