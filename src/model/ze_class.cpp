#include "model/ze_class.h"

#include <atomic>

#include "model/element_store.h"
#include "model/property_names.h"
#include "model/schema.h"

namespace ze {

namespace {

// Serial numbers are never reused, so undo can tell any two elements apart.
// A thread takes them from the shared counter in runs: a load's two threads
// make elements by the ten thousand, and taking each number from the counter
// on its own bounced the counter's cache line between the cores.
std::atomic<std::uint64_t> nextSerial{1};
constexpr std::uint64_t kSerialRun = 256;

struct SerialRun {
    std::uint64_t next = 0;
    std::uint64_t end = 0;
};
thread_local SerialRun serialRun;

std::uint64_t TakeSerial() {
    if (serialRun.next == serialRun.end) {
        serialRun.next = nextSerial.fetch_add(kSerialRun);
        serialRun.end = serialRun.next + kSerialRun;
    }
    return serialRun.next++;
}

}  // namespace

ZeClass::ZeClass(ElementKind kind) : kind_(kind), serial_(TakeSerial()) {}

std::uint64_t ZeClass::PeekNextSerial() {
    return serialRun.next != serialRun.end ? serialRun.next : nextSerial.load();
}

std::string ZeClass::GetTreeLabel() const {
    return "Name(" + GetItem(prop::kName) + ")";
}

void ZeClass::CopyFrom(const ZeClass& other) {
    if (this == &other) {
        return;
    }
    kind_ = other.kind_;
    expanded_ = other.expanded_;
    serial_ = other.serial_;
    items_.CopyItems(other.items_);
}

bool ZeClass::IsSameItems(const ZeClass& other) const {
    return items_.IsSameItems(other.items_);
}

int ZeClass::AddChild(ZeClass* /*element*/) {
    return 0;
}

void ZeClass::ForEachHeld(const std::function<void(ZeClass&)>& /*visit*/) const {}

ZeClass* CreateHeaderColumn(ElementStore& store) {
    ZeClass* column =
        store.CreateWithRoom<ZeClass>(HeaderColumnItemCount(), ElementKind::kHeaderColumn);
    AddHeaderColumnItems(column->Items());
    return column;
}

ZeClass* CreateCommand(ElementStore& store, std::string_view command, std::string_view event) {
    return CreateCommand(store, CommandItems(command), event);
}

ZeClass* CreateCommand(ElementStore& store, const CItemList* commandItems, std::string_view event) {
    // The Event item and the command's own.
    const std::size_t room = 1 + (commandItems != nullptr ? commandItems->GetItemCount() : 0);
    ZeClass* element = store.CreateWithRoom<ZeClass>(room, ElementKind::kCommand);
    AddCommandItems(element->Items(), commandItems, event);
    return element;
}

}  // namespace ze
