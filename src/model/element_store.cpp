#include "model/element_store.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <stdexcept>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
// Blocks of destroyed elements stay in the pool; poisoned, a use of an
// element after it was freed is still caught.
#define ZE_POISON(address, size) ASAN_POISON_MEMORY_REGION(address, size)
#define ZE_UNPOISON(address, size) ASAN_UNPOISON_MEMORY_REGION(address, size)
#else
#define ZE_POISON(address, size) ((void)(address), (void)(size))
#define ZE_UNPOISON(address, size) ((void)(address), (void)(size))
#endif

namespace ze {

namespace {

// Chunks grow from the first to the largest size: a new dialog with a few
// elements takes little, and a loaded one of hundreds wastes at most part of
// its last chunk.
constexpr std::size_t kFirstChunkSize = std::size_t{4} * 1024;
constexpr std::size_t kLargestChunkSize = std::size_t{32} * 1024;

}  // namespace

std::size_t ElementStore::BlockSize(std::size_t head, std::size_t itemRoom) {
    constexpr std::size_t kMost = std::numeric_limits<std::uint32_t>::max();
    if (itemRoom > (kMost - head) / sizeof(CItemData)) {
        throw std::length_error("element too large");
    }
    return RoundUp(head + itemRoom * sizeof(CItemData));
}

ElementStore::~ElementStore() {
    index_.ForEach([](const ZeClass* element) { const_cast<ZeClass*>(element)->~ZeClass(); });
}

// Pool.

ElementStore::Pool::~Pool() {
    for (void* chunk : chunks_) {
        ::operator delete(chunk);
    }
}

#if defined(__SANITIZE_ADDRESS__)
void ElementStore::Pool::Unpoison(void* block, std::size_t size) {
    ZE_UNPOISON(block, size);
}
#endif

void* ElementStore::Pool::AllocateSlow(std::size_t size) {
    for (FreeList& list : free_) {
        if (list.size == size && list.head != nullptr) {
            void* block = list.head;
            ZE_UNPOISON(block, size);
            list.head = *static_cast<void**>(block);
            return block;
        }
    }
    if (static_cast<std::size_t>(end_ - next_) < size) {
        chunks_.reserve(chunks_.size() + 1);
        if (size > kLargestChunkSize / 4) {
            // A block of its own; the current chunk goes on being filled.
            void* block = ::operator new(size);
            chunks_.push_back(block);
            return block;
        }
        nextChunkSize_ = std::clamp(nextChunkSize_ * 2, kFirstChunkSize, kLargestChunkSize);
        auto* chunk = static_cast<std::byte*>(::operator new(nextChunkSize_));
        chunks_.push_back(chunk);
        // The rest of the chunk before is given up: blocks are small next to
        // a chunk, so little is lost.
        next_ = chunk;
        end_ = chunk + nextChunkSize_;
        ZE_POISON(next_, nextChunkSize_);
    }
    void* block = next_;
    next_ += size;
    ZE_UNPOISON(block, size);
    return block;
}

void ElementStore::Pool::Release(void* block, std::size_t size) noexcept {
    auto list = std::find_if(free_.begin(), free_.end(),
                             [size](const FreeList& candidate) { return candidate.size == size; });
    if (list == free_.end()) {
        try {
            list = free_.insert(free_.end(), FreeList{size, nullptr});
        } catch (const std::bad_alloc&) {
            return;  // the block stays unused until the store goes
        }
    }
    *static_cast<void**>(block) = list->head;
    list->head = block;
    ZE_POISON(block, size);
}

// Index.

ElementStore::Index::~Index() {
    delete[] slots_;
}

std::size_t ElementStore::Index::SlotOf(const ZeClass* element) const {
    // Fibonacci hashing: blocks lie 8 bytes apart at the least, and the
    // multiplication spreads their low bits over the top ones the slot is
    // taken from.
    const auto address = reinterpret_cast<std::uintptr_t>(element);
    return static_cast<std::size_t>((std::uint64_t{address} * 0x9E3779B97F4A7C15ull) >> shift_);
}

bool ElementStore::Index::Contains(const ZeClass* element) const {
    if (count_ == 0 || element == nullptr) {
        return false;
    }
    for (std::size_t slot = SlotOf(element);; slot = (slot + 1) & (capacity_ - 1)) {
        if (slots_[slot] == element) {
            return true;
        }
        if (slots_[slot] == nullptr) {
            return false;
        }
    }
}

void ElementStore::Index::MakeRoomForOne() {
    if ((count_ + 1) * 2 <= capacity_) {
        return;
    }
    const std::size_t capacity = capacity_ == 0 ? 256 : capacity_ * 2;
    auto* slots = new const ZeClass*[capacity]();
    const ZeClass** old = slots_;
    const std::size_t oldCapacity = capacity_;
    slots_ = slots;
    capacity_ = capacity;
    shift_ = 64 - std::countr_zero(capacity);
    count_ = 0;
    for (std::size_t i = 0; i < oldCapacity; ++i) {
        if (old[i] != nullptr) {
            Insert(old[i]);
        }
    }
    delete[] old;
}

void ElementStore::Index::Insert(const ZeClass* element) noexcept {
    std::size_t slot = SlotOf(element);
    while (slots_[slot] != nullptr) {
        slot = (slot + 1) & (capacity_ - 1);
    }
    slots_[slot] = element;
    ++count_;
}

bool ElementStore::Index::Erase(const ZeClass* element) noexcept {
    if (count_ == 0 || element == nullptr) {
        return false;
    }
    const std::size_t mask = capacity_ - 1;
    std::size_t hole = SlotOf(element);
    for (;; hole = (hole + 1) & mask) {
        if (slots_[hole] == nullptr) {
            return false;
        }
        if (slots_[hole] == element) {
            break;
        }
    }
    // Entries after the hole that would no longer be found past it move up
    // into it (no tombstones, so lookups stay short however many elements
    // come and go).
    slots_[hole] = nullptr;
    for (std::size_t next = (hole + 1) & mask; slots_[next] != nullptr; next = (next + 1) & mask) {
        const std::size_t home = SlotOf(slots_[next]);
        // Whether home lies cyclically in (hole, next]: then the entry is
        // still found where it is.
        const bool stays =
            hole <= next ? (hole < home && home <= next) : (hole < home || home <= next);
        if (!stays) {
            slots_[hole] = slots_[next];
            slots_[next] = nullptr;
            hole = next;
        }
    }
    --count_;
    return true;
}

// The store.

void ElementStore::Free(ZeClass* element) noexcept {
    const std::size_t size = element->blockSize_;
    element->~ZeClass();
    pool_.Release(element, size);
}

void ElementStore::Destroy(ZeClass* element) {
    if (element == nullptr || !Owns(element)) {
        return;
    }
    // Collect the whole subtree before freeing anything: the lists that lead
    // to the children live in the elements being freed. An element listed
    // twice is collected once.
    std::vector<ZeClass*> doomed{element};
    std::unordered_set<const ZeClass*> seen{element};
    for (std::size_t i = 0; i < doomed.size(); ++i) {
        doomed[i]->ForEachHeld([&](ZeClass& held) {
            if (Owns(&held) && seen.insert(&held).second) {
                doomed.push_back(&held);
            }
        });
    }
    if (keeper_ != nullptr && keeper_->KeepsAny()) {
        retired_.insert(doomed.begin(), doomed.end());
        Collect();
        return;
    }
    for (ZeClass* held : doomed) {
        retired_.erase(held);
        index_.Erase(held);
        Free(held);
    }
}

void ElementStore::Mark(const std::function<void(const std::function<void(const ZeClass&)>&)>& walk,
                        Marks& marks) {
    std::vector<const ZeClass*> pending;
    walk([&](const ZeClass& root) {
        if (marks.insert(&root).second) {
            pending.push_back(&root);
        }
    });
    while (!pending.empty()) {
        const ZeClass* element = pending.back();
        pending.pop_back();
        element->ForEachHeld([&](ZeClass& held) {
            if (marks.insert(&held).second) {
                pending.push_back(&held);
            }
        });
    }
}

void ElementStore::Collect() {
    if (retired_.empty()) {
        return;
    }
    Marks reached;
    if (keeper_ != nullptr) {
        Mark([this](const auto& visit) { keeper_->ForEachLiveRoot(visit); }, reached);
        std::erase_if(retired_, [&](const ZeClass* element) { return reached.contains(element); });
        if (keeper_->KeepsAny()) {
            Mark([this](const auto& visit) { keeper_->ForEachKeptRoot(visit); }, reached);
        }
    }
    std::erase_if(retired_, [&](const ZeClass* element) {
        if (reached.contains(element)) {
            return false;
        }
        if (index_.Erase(element)) {
            Free(const_cast<ZeClass*>(element));
        }
        return true;
    });
}

}  // namespace ze
