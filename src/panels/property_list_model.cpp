#include "panels/property_list_model.h"

#include <QCoreApplication>
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "common/cp932.h"
#include "common/qt/sjis_qstring.h"
#include "model/editing/edit_support.h"
#include "model/event_text.h"
#include "model/item_data.h"
#include "model/property_names.h"
#include "model/ze_class.h"

namespace ze::panels {

namespace {

bool IsEventName(std::string_view name) {
    return std::find(kEventNames.begin(), kEventNames.end(), name) != kEventNames.end();
}

// The commands element has on event, "OPEN, CLOSE" (Shift_JIS); empty for a
// name that is no event.
std::string EventCommandsOf(ZeClass& element, std::string_view event) {
    // Only an event row looks at the commands: most empty values are not
    // events, and the element's command list is not asked for then.
    if (!IsEventName(event)) {
        return {};
    }
    const std::vector<ZeClass*>* commands = CommandListOf(element);
    if (commands == nullptr) {
        return {};
    }
    std::string names;
    for (const ZeClass* command : *commands) {
        if (command->GetItem(prop::kEvent) == event) {
            names += names.empty() ? "" : ", ";
            names += command->GetItem(prop::kCommand);
        }
    }
    return names;
}

// What the row of element's item shows: its value, or for an event without
// one (each pick adds a command and leaves it empty), the commands element
// has on that event.
std::string ShownValue(ZeClass& element, const CItemData& item) {
    const std::string_view value = item.GetValue();
    return value.empty() ? EventCommandsOf(element, item.GetName()) : std::string(value);
}

// The same for element's property called name (one that all the elements
// shown have).
std::string ShownValue(ZeClass& element, std::string_view name) {
    const std::optional<std::size_t> row = RowNamed(element, name);
    return row ? ShownValue(element, element.Items().GetItemData(*row)) : std::string();
}

}  // namespace

const QColor PropertyListModel::kCurrentKeyBackground{255, 230, 230};
const QColor PropertyListModel::kCurrentText{255, 0, 0};
const QColor PropertyListModel::kOddRowBackground{255, 255, 255};
const QColor PropertyListModel::kEvenRowBackground{240, 255, 255};
const QColor PropertyListModel::kText{0, 0, 0};
const QColor PropertyListModel::kMixedBackground{224, 224, 224};

PropertyListModel::PropertyListModel(QObject* parent) : QAbstractTableModel(parent) {}

void PropertyListModel::SetElement(ZeClass* element) {
    SetElements(element, {});
}

void PropertyListModel::SetElements(ZeClass* element, const std::vector<ZeClass*>& elements) {
    beginResetModel();
    element_ = element;
    elements_.clear();
    if (element != nullptr) {
        elements_ = elements.size() > 1 ? elements : std::vector<ZeClass*>{element};
    }
    Share();
    rows_ = element_ == nullptr ? 0 : ItemCount() + kSpareRows;
    currentRow_ = element_ == nullptr ? -1 : 0;
    dropRow_ = -1;
    endResetModel();
}

void PropertyListModel::Share() {
    shared_.clear();
    if (element_ == nullptr || elements_.size() <= 1) {
        return;
    }
    shared_ = SharedProperties(elements_, *element_);
    // The values of events are all empty; the elements differ in the
    // commands they have on them, which is what the row shows.
    for (SharedProperty& property : shared_) {
        if (!IsEventName(property.name)) {
            continue;
        }
        property.values = {ShownValue(*element_, property.name)};
        for (ZeClass* element : elements_) {
            std::string shown = ShownValue(*element, property.name);
            if (std::find(property.values.begin(), property.values.end(), shown) ==
                property.values.end()) {
                property.values.push_back(std::move(shown));
            }
        }
    }
}

void PropertyListModel::Recount() {
    beginResetModel();
    Share();
    rows_ = element_ == nullptr ? 0 : ItemCount() + kSpareRows;
    currentRow_ = std::min(currentRow_, rows_ - 1);
    endResetModel();
}

int PropertyListModel::ItemCount() const {
    if (element_ == nullptr) {
        return 0;
    }
    if (elements_.size() > 1) {
        return static_cast<int>(shared_.size());
    }
    return static_cast<int>(element_->Items().GetItemCount());
}

std::size_t PropertyListModel::ItemRow(int row) const {
    if (element_ == nullptr || row < 0 || row >= ItemCount()) {
        return element_ == nullptr ? 0 : element_->Items().GetItemCount();
    }
    if (elements_.size() > 1) {
        return shared_[static_cast<std::size_t>(row)].row;
    }
    return static_cast<std::size_t>(row);
}

bool PropertyListModel::IsMixed(int row) const {
    return elements_.size() > 1 && row >= 0 && row < ItemCount() &&
           shared_[static_cast<std::size_t>(row)].IsMixed();
}

CItemData* PropertyListModel::ItemAt(int row) const {
    if (row < 0 || row >= ItemCount()) {
        return nullptr;
    }
    return &element_->Items().GetItemData(ItemRow(row));
}

void PropertyListModel::SetCurrentRow(int row) {
    row = std::clamp(row, -1, rows_ - 1);
    if (row == currentRow_) {
        return;
    }
    const int before = currentRow_;
    currentRow_ = row;
    RefreshRow(before);
    RefreshRow(row);
}

void PropertyListModel::RefreshRow(int row) {
    if (row < 0 || row >= rows_) {
        return;
    }
    emit dataChanged(index(row, 0), index(row, kColumnCount - 1));
}

void PropertyListModel::SetDropRow(int row) {
    if (row == dropRow_) {
        return;
    }
    const int before = dropRow_;
    dropRow_ = row;
    RefreshRow(before);
    RefreshRow(row);
}

bool PropertyListModel::IsEventRow(int row) const {
    const CItemData* item = ItemAt(row);
    return item != nullptr && IsEventName(item->GetName());
}

QString PropertyListModel::MarkerText(ItemKind kind) {
    switch (kind) {
        case ItemKind::kChoice:
        case ItemKind::kSuggested:
        case ItemKind::kBoolean:
            return QStringLiteral("▼");
        case ItemKind::kImageFile:
            return QStringLiteral(">>");
        default:
            return {};
    }
}

int PropertyListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int PropertyListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant PropertyListModel::CellText(int row, int column) const {
    const CItemData* item = ItemAt(row);
    if (item == nullptr) {
        return QString();
    }
    switch (column) {
        case kKeyColumn:
            return SjisToQString(item->GetName());
        case kValueColumn:
            if (IsMixed(row)) {
                return QString();
            }
            return SjisToQString(ShownValue(*element_, *item));
        default:
            return MarkerText(item->GetKind());
    }
}

QVariant PropertyListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.model() != this) {
        return {};
    }
    const int row = index.row();
    const bool current = row == currentRow_;
    switch (role) {
        case Qt::DisplayRole:
            return CellText(row, index.column());
        case Qt::BackgroundRole:
            if (current && index.column() == kKeyColumn) {
                return kCurrentKeyBackground;
            }
            if (index.column() == kValueColumn && IsMixed(row)) {
                return kMixedBackground;
            }
            return row % 2 != 0 ? kOddRowBackground : kEvenRowBackground;
        case Qt::ForegroundRole:
            return current ? kCurrentText : kText;
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        case kKindRole: {
            const CItemData* item = ItemAt(row);
            return item == nullptr ? QVariant() : QVariant(static_cast<int>(item->GetKind()));
        }
        case kDropTargetRole:
            return row == dropRow_;
        case Qt::ToolTipRole: {
            if (index.column() != kValueColumn || !IsMixed(row)) {
                return {};
            }
            QStringList values;
            for (const std::string& value : shared_[static_cast<std::size_t>(row)].values) {
                values << SjisToQString(value);
            }
            return values.join(QLatin1Char('\n'));
        }
        case kDescriptionRole: {
            const CItemData* item = ItemAt(row);
            if (item == nullptr) {
                return QStringLiteral("...");
            }
            const char* description = item->GetDescription();
            // The help texts are the translation's source texts, in UTF-8.
            return description == nullptr
                       ? QString()
                       : QCoreApplication::translate("PropertyHelp",
                                                     Cp932ToUtf8(description).c_str());
        }
        default:
            return {};
    }
}

QVariant PropertyListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
        case kKeyColumn:
            return QStringLiteral("Key");
        case kValueColumn:
            return QStringLiteral("Value");
        case kMarkerColumn:
            return QString();
        default:
            return {};
    }
}

Qt::ItemFlags PropertyListModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this) {
        return Qt::NoItemFlags;
    }
    // The list opens its own cells; the view's editors stay unused.
    return Qt::ItemIsEnabled;
}

}  // namespace ze::panels
