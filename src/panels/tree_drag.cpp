#include "panels/tree_drag.h"

#include <QCoreApplication>
#include <QMimeData>

#include "model/dialog_data.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "panels/resource_tree_model.h"

namespace ze::panels {

namespace {

// The process and the element's address: a drag from another editor
// carries an address that means nothing here.
QByteArray ElementKey(const ZeClass& element) {
    return QByteArray::number(QCoreApplication::applicationPid()) + ':' +
           QByteArray::number(reinterpret_cast<quintptr>(&element));
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

// The element at address among the items below parent; found by comparing
// addresses only.
ZeClass* FindShown(const ResourceTreeModel& model, quintptr address, const QModelIndex& parent) {
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        ZeClass* element = model.ElementAt(index);
        if (reinterpret_cast<quintptr>(element) == address) {
            return element;
        }
        if (ZeClass* found = FindShown(model, address, index)) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace

QMimeData* ElementMime(const ZeClass& element) {
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kElementMimeType), ElementKey(element));
    return data;
}

ZeClass* ElementFromMime(const QMimeData& data, const ResourceTreeModel& model) {
    const QByteArray key = data.data(QString::fromLatin1(kElementMimeType));
    const QList<QByteArray> parts = key.split(':');
    if (parts.size() != 2 || parts[0] != QByteArray::number(QCoreApplication::applicationPid())) {
        return nullptr;
    }
    bool ok = false;
    const auto address = static_cast<quintptr>(parts[1].toULongLong(&ok));
    if (!ok) {
        return nullptr;
    }
    // Only an element the tree still shows: the address is compared with
    // the tree's elements, never read.
    return FindShown(model, address, {});
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
