#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <new>
#include <string_view>
#include <type_traits>
#include <unordered_set>
#include <utility>
#include <vector>

#include "model/ze_class.h"

namespace ze {

// Tells a store which elements may still be reached besides its own lists:
// the tree that shows them and, say, an editing history that refers to
// elements taken out of the tree.
class ElementKeeper {
public:
    ElementKeeper() = default;
    virtual ~ElementKeeper() = default;
    ElementKeeper(const ElementKeeper&) = delete;
    ElementKeeper& operator=(const ElementKeeper&) = delete;

    // Whether anything besides the tree refers to elements now; when not,
    // a destroyed element is freed at once.
    virtual bool KeepsAny() const = 0;
    // The tops of the tree in use (a dialog's root group, its commands).
    virtual void ForEachLiveRoot(const std::function<void(const ZeClass&)>& visit) const = 0;
    // Whatever else refers to elements (the copies of a history, the live
    // elements it restores).
    virtual void ForEachKeptRoot(const std::function<void(const ZeClass&)>& visit) const = 0;
};

// Owns the groups, objects, header columns and commands of one dialog. The
// tree itself (children, header and command lists) only refers to them, so
// an element taken out of the tree, or a list restored from an earlier copy,
// never points at freed memory while the dialog lives.
//
// A load creates a dialog's elements by the hundred, one after the other: an
// allocation each for the element, its entry in a node-based index and its
// items cost as much as reading them. Elements are placed one after the other
// in chunks of the store's own, each with room for its items after it when
// the caller knows how many it starts with, and indexed in an open-addressed
// table of pointers. A destroyed element's block is kept for the next element
// of its size.
class ElementStore {
public:
    ElementStore() = default;
    ~ElementStore();
    ElementStore(const ElementStore&) = delete;
    ElementStore& operator=(const ElementStore&) = delete;

    template <typename T, typename... Args>
    T* Create(Args&&... args) {
        return CreateWithRoom<T>(0, std::forward<Args>(args)...);
    }

    // Create with room for itemRoom items in the element's own block, which
    // its item list takes (CItemList::UseRoom): an element that starts with
    // its schema's rows takes one block in all.
    template <typename T, typename... Args>
    T* CreateWithRoom(std::size_t itemRoom, Args&&... args) {
        static_assert(std::is_base_of_v<ZeClass, T>);
        static_assert(alignof(T) <= kBlockAlign && alignof(CItemData) <= kBlockAlign);
        constexpr std::size_t head = RoundUp(sizeof(T));
        const std::size_t size = BlockSize(head, itemRoom);
        // The index makes room first, so nothing below fails but the
        // element's constructor.
        index_.MakeRoomForOne();
        void* block = pool_.Allocate(size);
        T* raw = nullptr;
        try {
            raw = ::new (block) T(std::forward<Args>(args)...);
        } catch (...) {
            pool_.Release(block, size);
            throw;
        }
        raw->store_ = this;
        raw->blockSize_ = static_cast<std::uint32_t>(size);
        if (itemRoom > 0) {
            raw->Items().UseRoom(
                reinterpret_cast<CItemData*>(static_cast<std::byte*>(block) + head), itemRoom);
        }
        index_.Insert(raw);
        return raw;
    }

    // Sets item's value, a long one in a block of the store's (ItemText::
    // AssignLent) that is given back with the store. item must be an item of
    // an element of this store. For loads: a value changed later has a block
    // of its own, and the lent one is not reused.
    void SetValueInStore(CItemData& item, std::string_view value) {
        if (value.size() <= ItemText::kInlineCapacity) {
            item.SetValue(value);
        } else {
            item.SetValueLent(value,
                              pool_.Allocate(RoundUp(ItemText::LentBlockSize(value.size()))));
        }
    }

    // The keeper consulted by Destroy and Collect; it must outlive the
    // store's use of it. Null: destroyed elements are freed at once.
    void SetKeeper(const ElementKeeper* keeper) { keeper_ = keeper; }

    // Frees element and everything it holds. While the keeper keeps any,
    // elements it can still reach are only retired: Collect frees them once
    // nothing reaches them. Elements of other stores and elements already
    // freed are left alone.
    void Destroy(ZeClass* element);
    // Frees the retired elements the keeper no longer reaches; retired
    // elements that are back in the tree are no longer retired.
    void Collect();

    bool Owns(const ZeClass* element) const { return index_.Contains(element); }
    bool IsRetired(const ZeClass* element) const { return retired_.contains(element); }
    std::size_t Count() const { return index_.Count(); }
    std::size_t RetiredCount() const { return retired_.size(); }

private:
    static constexpr std::size_t kBlockAlign = 8;

    static constexpr std::size_t RoundUp(std::size_t size) {
        return (size + kBlockAlign - 1) / kBlockAlign * kBlockAlign;
    }
    // head bytes and room for itemRoom items; throws when that is beyond a
    // block's 32-bit size.
    static std::size_t BlockSize(std::size_t head, std::size_t itemRoom);

    // The blocks of the elements: bump allocation in chunks, and a list of
    // released blocks for each size.
    class Pool {
    public:
        Pool() = default;
        ~Pool();
        Pool(const Pool&) = delete;
        Pool& operator=(const Pool&) = delete;

        void* Allocate(std::size_t size) {
            // A load takes block after block from the current chunk.
            if (free_.empty() && static_cast<std::size_t>(end_ - next_) >= size) {
                void* block = next_;
                next_ += size;
                Unpoison(block, size);
                return block;
            }
            return AllocateSlow(size);
        }
        // Keeps the block for the next Allocate of the same size.
        void Release(void* block, std::size_t size) noexcept;

    private:
        void* AllocateSlow(std::size_t size);
#if defined(__SANITIZE_ADDRESS__)
        // Free chunk space and released blocks are poisoned.
        static void Unpoison(void* block, std::size_t size);
#else
        static void Unpoison(void* /*block*/, std::size_t /*size*/) {}
#endif

        struct FreeList {
            std::size_t size;
            void* head;
        };

        std::vector<void*> chunks_;
        std::byte* next_ = nullptr;
        std::byte* end_ = nullptr;
        std::size_t nextChunkSize_ = 0;
        std::vector<FreeList> free_;
    };

    // The elements alive in the store, by address: linear probing over a
    // power-of-two table at most half full.
    class Index {
    public:
        Index() = default;
        ~Index();
        Index(const Index&) = delete;
        Index& operator=(const Index&) = delete;

        bool Contains(const ZeClass* element) const;
        std::size_t Count() const { return count_; }
        // Grows the table if one more element would fill it over half.
        void MakeRoomForOne();
        // After MakeRoomForOne; element is not in the table yet.
        void Insert(const ZeClass* element) noexcept;
        bool Erase(const ZeClass* element) noexcept;

        template <typename Visit>
        void ForEach(Visit visit) const {
            for (std::size_t i = 0; i < capacity_; ++i) {
                if (slots_[i] != nullptr) {
                    visit(slots_[i]);
                }
            }
        }

    private:
        std::size_t SlotOf(const ZeClass* element) const;

        const ZeClass** slots_ = nullptr;
        std::size_t capacity_ = 0;  // a power of two, or 0
        std::size_t count_ = 0;
        int shift_ = 64;
    };

    // Runs the element's destructor and gives its block back; element is no
    // longer indexed.
    void Free(ZeClass* element) noexcept;

    using Marks = std::unordered_set<const ZeClass*>;
    // Adds every element reachable from the roots walk gives to marks.
    static void Mark(const std::function<void(const std::function<void(const ZeClass&)>&)>& walk,
                     Marks& marks);

    Pool pool_;
    Index index_;
    std::unordered_set<const ZeClass*> retired_;
    const ElementKeeper* keeper_ = nullptr;
};

}  // namespace ze
