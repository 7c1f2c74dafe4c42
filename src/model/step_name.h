#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace ze {

// What one step of a dialog's history did, for the user to read in the Edit
// menu and the history list. The model keeps no words: the editor turns the
// kind into a text of the user's language.
enum class StepKind : std::uint8_t {
    kEdit,  // a step no edit call named
    kMove,
    kDelete,
    kPaste,
    kCopy,  // copies of dragged elements dropped with Ctrl
    kInsert,
    kGroup,
    kUngroup,
    kProperty,  // a value committed to the property named
    kImage,     // an image assigned to the property named
};

struct StepName {
    StepKind kind = StepKind::kEdit;
    // The Name (Shift_JIS) of the element the step was done to, or what
    // stands for a name where it has none; empty when count is not 1.
    std::string element;
    std::size_t count = 1;
    // The property's key (kProperty, kImage).
    std::string property;

    bool operator==(const StepName&) const = default;
};

// A step made together with a step of another dialog's history (elements
// moved from one dialog to another): undone and redone only together, so an
// element is never in both trees or in neither.
struct StepLink {
    std::uint64_t dialog = 0;  // the other dialog's serial number; 0: no link
    std::uint64_t record = 0;  // the id of its record

    bool IsLinked() const { return dialog != 0; }
    bool operator==(const StepLink&) const = default;
};

}  // namespace ze
