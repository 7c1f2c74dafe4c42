#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace ze {

// A program-wide list of the values offered for a property; items only point
// at it.
using ChoiceList = std::vector<std::string>;

// Item kinds. The kind picks the editor in the property list and the written
// form: up to 9 a quoted string, from 10 up a bare value.
namespace item_kind {
inline constexpr std::int32_t kPlainText = 0;
inline constexpr std::int32_t kFixed = 1;
inline constexpr std::int32_t kUserText = 2;  // written as UTF-8
inline constexpr std::int32_t kChoice = 3;
inline constexpr std::int32_t kSuggested = 4;
inline constexpr std::int32_t kImageFile = 5;
inline constexpr std::int32_t kSize = 6;
inline constexpr std::int32_t kLastQuoted = 9;
inline constexpr std::int32_t kResourceText = 10;  // written bare, as UTF-8
inline constexpr std::int32_t kNumber = 11;
inline constexpr std::int32_t kBoolean = 12;
}  // namespace item_kind

// One named property of an element; the value is always text (Shift_JIS).
class CItemData {
public:
    CItemData(std::int32_t kind, std::string name, std::string value,
              const ChoiceList* choices = nullptr, const char* description = nullptr)
        : kind_(kind),
          choices_(choices),
          name_(std::move(name)),
          value_(std::move(value)),
          description_(description) {}
    CItemData(const CItemData&) = default;
    CItemData& operator=(const CItemData&) = default;
    virtual ~CItemData() = default;

    std::int32_t GetKind() const { return kind_; }
    const ChoiceList* GetChoices() const { return choices_; }
    const std::string& GetName() const { return name_; }
    const std::string& GetValue() const { return value_; }
    void SetValue(std::string value) { value_ = std::move(value); }
    const char* GetDescription() const { return description_; }

private:
    std::int32_t kind_;
    const ChoiceList* choices_;
    std::string name_;
    std::string value_;
    const char* description_;
};

}  // namespace ze
