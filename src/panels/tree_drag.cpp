#include "panels/tree_drag.h"

#include <QCoreApplication>
#include <QMimeData>
#include <unordered_map>

#include "model/dialog_data.h"
#include "model/editing/element_lookup.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "panels/resource_tree_model.h"

namespace ze::panels {

namespace {

// The process and the elements' addresses: a drag from another editor
// carries addresses that mean nothing here.
QByteArray ElementKey(const std::vector<ZeClass*>& elements) {
    QByteArray key = QByteArray::number(QCoreApplication::applicationPid()) + ':';
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (i > 0) {
            key += ',';
        }
        key += QByteArray::number(reinterpret_cast<quintptr>(elements[i]));
    }
    return key;
}

// Whether other stands in the list element would land in under owner.
bool InSameList(const ZeClass* element, const ZeClass& other, ZeClass* owner) {
    if (element == nullptr || IsObjectOrGroup(*element)) {
        const CObjectDataList* group = LandingGroup(owner);
        return IsObjectOrGroup(other) && group != nullptr &&
               static_cast<const CObjectData&>(other).GetParent() == group;
    }
    return other.GetKind() == element->GetKind();
}

bool CanHold(const CZeResourceData& project, const ZeClass* element, ZeClass* target, bool copy) {
    if (element == nullptr) {
        return LandingGroup(target) != nullptr;
    }
    return CheckDrop(project, element, {target, nullptr}, copy).allowed;
}

// Fills found[address] with the element at that address among the
// project's dialogs and their trees; found by comparing addresses only.
void FindInProject(const CZeResourceData& project,
                   std::unordered_map<quintptr, ZeClass*>& found) {
    const auto note = [&found](ZeClass& element) {
        if (const auto at = found.find(reinterpret_cast<quintptr>(&element)); at != found.end()) {
            at->second = &element;
        }
    };
    const CZeDialogDataList& dialogs = project.GetDialogs();
    for (std::size_t i = 0; i < dialogs.GetCount(); ++i) {
        CZeDialogData& dialog = *dialogs.GetDialog(i);
        note(dialog);
        ForEachInTree(dialog, note);
    }
}

}  // namespace

QMimeData* ElementMime(const std::vector<ZeClass*>& elements) {
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kElementMimeType), ElementKey(elements));
    return data;
}

std::vector<ZeClass*> ElementsFromMime(const QMimeData& data, const CZeResourceData& project) {
    const QByteArray key = data.data(QString::fromLatin1(kElementMimeType));
    const QList<QByteArray> parts = key.split(':');
    if (parts.size() != 2 || parts[0] != QByteArray::number(QCoreApplication::applicationPid())) {
        return {};
    }
    std::vector<quintptr> addresses;
    std::unordered_map<quintptr, ZeClass*> found;
    for (const QByteArray& number : parts[1].split(',')) {
        bool ok = false;
        const auto address = static_cast<quintptr>(number.toULongLong(&ok));
        if (!ok || !found.emplace(address, nullptr).second) {
            return {};
        }
        addresses.push_back(address);
    }
    // Only elements still in the project: an address is compared with the
    // project's elements, never read.
    FindInProject(project, found);
    std::vector<ZeClass*> elements;
    for (const quintptr address : addresses) {
        if (found[address] == nullptr) {
            return {};
        }
        elements.push_back(found[address]);
    }
    return elements;
}

QMimeData* InsertTypeMime(const QString& typeName) {
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kInsertTypeMimeType), typeName.toLatin1());
    return data;
}

QByteArray InsertTypeFromMime(const QMimeData& data) {
    return data.data(QString::fromLatin1(kInsertTypeMimeType));
}

QMimeData* ImageMime(const DraggedImage& image) {
    auto* data = new QMimeData;
    const char kind = image.kind == PaneEntryKind::kUserImage ? 'U' : 'B';
    data->setData(QString::fromLatin1(kImageMimeType), kind + image.name);
    return data;
}

std::optional<DraggedImage> ImageFromMime(const QMimeData& data) {
    const QByteArray bytes = data.data(QString::fromLatin1(kImageMimeType));
    if (bytes.size() < 2 || (bytes[0] != 'U' && bytes[0] != 'B')) {
        return std::nullopt;
    }
    return DraggedImage{bytes[0] == 'U' ? PaneEntryKind::kUserImage : PaneEntryKind::kBuiltInImage,
                        bytes.mid(1)};
}

std::optional<DropPlace> TreeDropPlace(const CZeResourceData& project,
                                       const ResourceTreeModel& model, const ZeClass* element,
                                       int row, const QModelIndex& parent, bool copy) {
    QModelIndex under = parent;
    ZeClass* owner = model.ElementAt(under);
    if (owner == nullptr) {
        return std::nullopt;
    }
    if (row < 0) {
        if (CanHold(project, element, owner, copy)) {
            return DropPlace{owner, nullptr};
        }
        // On an item that holds nothing of the kind: after it.
        row = under.row() + 1;
        under = under.parent();
        owner = model.ElementAt(under);
        if (owner == nullptr) {
            return std::nullopt;
        }
    }
    DropPlace place{owner, nullptr};
    for (int below = row; below < model.rowCount(under); ++below) {
        ZeClass* other = model.ElementAt(model.index(below, 0, under));
        if (other != nullptr && other != element && InSameList(element, *other, owner)) {
            place.before = other;
            break;
        }
    }
    return place;
}

}  // namespace ze::panels
