#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ze {

// A program-wide list of the values offered for a property; items only point
// at it.
using ChoiceList = std::vector<std::string>;

// Item kinds. The kind picks the editor in the property list and the written
// form: up to 9 a quoted string, from 10 up a bare value.
// The numbers are the ones ze-tool tree prints; kinds compare by them.
enum class ItemKind : std::int32_t {
    kPlainText = 0,
    kFixed = 1,
    kUserText = 2,  // written as UTF-8
    kChoice = 3,
    kSuggested = 4,
    kImageFile = 5,
    kSize = 6,
    kLastQuoted = 9,
    kResourceText = 10,  // written bare, as UTF-8
    kNumber = 11,
    kBoolean = 12,
};

// What a property is, apart from its value. A project holds millions of
// items but only a few hundred distinct kinds of property, so items share
// these.
struct ItemInfo {
    std::string name;
    ItemKind kind = ItemKind::kPlainText;
    const ChoiceList* choices = nullptr;
    const char* description = nullptr;
    std::uint32_t id = 0;  // its number, which items keep instead of a pointer
};

// The one ItemInfo with these fields; it lives as long as the program. Safe
// to call from any thread.
const ItemInfo* InternItemInfo(ItemKind kind, std::string_view name,
                               const ChoiceList* choices = nullptr,
                               const char* description = nullptr);

namespace detail {
// The interned infos by number, in chunks that are never moved or freed:
// reading needs no lock.
inline constexpr std::uint32_t kInfoChunkBits = 12;
inline constexpr std::uint32_t kInfoChunkSize = 1u << kInfoChunkBits;
inline constexpr std::uint32_t kInfoChunkCount = 1024;
extern std::atomic<const ItemInfo* const*> itemInfoChunks[kInfoChunkCount];
}  // namespace detail

// The interned info numbered id.
inline const ItemInfo& ItemInfoOf(std::uint32_t id) {
    return *detail::itemInfoChunks[id >> detail::kInfoChunkBits].load(
        std::memory_order_acquire)[id & (detail::kInfoChunkSize - 1)];
}

// The text of an item's value in 12 bytes: up to 11 bytes inside, longer
// text on the heap. Most values of a project are empty or short, and a
// project holds millions of them.
class ItemText {
public:
    ItemText() noexcept { storage_[kTagByte] = 0; }
    explicit ItemText(std::string_view text) : ItemText() { Assign(text); }
    // Inline text is copied as the bytes it is: schema templates copy
    // millions of short values on a load.
    ItemText(const ItemText& other) {
        if (other.OnHeap()) {
            storage_[kTagByte] = 0;
            Assign(other.View());
        } else {
            std::memcpy(storage_, other.storage_, sizeof storage_);
        }
    }
    ItemText(ItemText&& other) noexcept;
    ItemText& operator=(const ItemText& other);
    ItemText& operator=(ItemText&& other) noexcept;
    ~ItemText() { Release(); }

    std::string_view View() const;
    // text may point into this value itself.
    void Assign(std::string_view text);
    // Assign for a text longer than kInlineCapacity, put into a block that
    // the caller provides and keeps, of LentBlockSize(text.size()) bytes at
    // 4-byte alignment: an element loaded from a project takes its long values
    // from its store's memory, not a block apiece from the heap. The value
    // never frees the block; a copy of it, or another Assign, has a block of
    // its own. A value in a lent block moves only within the element it was
    // lent to (CItemList takes the text over when the list itself is moved).
    void AssignLent(std::string_view text, void* block);
    static std::size_t LentBlockSize(std::size_t length) { return sizeof(std::uint32_t) + length; }
    bool IsLent() const { return storage_[kTagByte] == kLent; }
    // Gives a value in a lent block a block of its own.
    void TakeOver();

    static constexpr std::size_t kInlineCapacity = 11;

private:
    static constexpr std::size_t kTagByte = 11;  // inline length, kOnHeap or kLent
    static constexpr unsigned char kOnHeap = 0xFF;
    static constexpr unsigned char kLent = 0xFE;

    bool OnHeap() const { return storage_[kTagByte] >= kLent; }
    void Release() noexcept;

    // Inline: the bytes, then the length in the tag byte. Elsewhere: a
    // pointer to a block holding the 32-bit length and then the text, and
    // kOnHeap (the value frees the block) or kLent (the block's lender does)
    // in the tag byte.
    alignas(4) unsigned char storage_[12];
};

inline std::string_view ItemText::View() const {
    if (!OnHeap()) {
        return {reinterpret_cast<const char*>(storage_), storage_[kTagByte]};
    }
    const char* block = nullptr;
    std::memcpy(&block, storage_, sizeof block);
    std::uint32_t length = 0;
    std::memcpy(&length, block, sizeof length);
    return {block + sizeof length, length};
}

// One named property of an element; the value is always text (Shift_JIS).
class CItemData {
public:
    CItemData(ItemKind kind, std::string_view name, std::string_view value,
              const ChoiceList* choices = nullptr, const char* description = nullptr)
        : info_(InternItemInfo(kind, name, choices, description)->id), value_(value) {}
    CItemData(const ItemInfo* info, std::string_view value) : info_(info->id), value_(value) {}

    ItemKind GetKind() const { return GetInfo()->kind; }
    const ChoiceList* GetChoices() const { return GetInfo()->choices; }
    const std::string& GetName() const { return GetInfo()->name; }
    std::string_view GetValue() const { return value_.View(); }
    void SetValue(std::string_view value) { value_.Assign(value); }
    // ItemText::AssignLent.
    void SetValueLent(std::string_view value, void* block) { value_.AssignLent(value, block); }
    bool IsValueLent() const { return value_.IsLent(); }
    void TakeOverValue() { value_.TakeOver(); }
    const char* GetDescription() const { return GetInfo()->description; }
    const ItemInfo* GetInfo() const { return &ItemInfoOf(info_); }
    // The info's number: items of one number have the same name and kind.
    std::uint32_t GetInfoId() const { return info_; }

private:
    // The info's number: with the 12-byte text an item takes 16 bytes.
    std::uint32_t info_;
    ItemText value_;
};

}  // namespace ze
