#include "panels/property_list_ctrl.h"

#include <QApplication>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "common/cp932.h"
#include "common/qt/sjis_qstring.h"
#include "model/dialog_data.h"
#include "model/entry_checks.h"
#include "model/item_data.h"
#include "model/property_names.h"
#include "model/ze_class.h"
#include "panels/property_cells.h"
#include "panels/property_list_delegate.h"
#include "panels/property_list_model.h"
#include "panels/tree_drag.h"

namespace ze::panels {

namespace {

const QStringList& BooleanChoices() {
    static const QStringList choices{QStringLiteral("true"), QStringLiteral("false")};
    return choices;
}

QStringList ChoicesOf(const CItemData& item) {
    QStringList choices;
    if (const ChoiceList* list = item.GetChoices()) {
        for (const std::string& choice : *list) {
            choices << SjisToQString(choice);
        }
    }
    return choices;
}

bool IsEditable(ItemKind kind) {
    switch (kind) {
        case ItemKind::kPlainText:
        case ItemKind::kUserText:
        case ItemKind::kChoice:
        case ItemKind::kSuggested:
        case ItemKind::kImageFile:
        case ItemKind::kSize:
        case ItemKind::kResourceText:
        case ItemKind::kNumber:
        case ItemKind::kBoolean:
            return true;
        default:
            return false;
    }
}

// The image list an element's images are picked from; nothing when its files
// come from a URI or the device's storage, which name no image of a list.
std::optional<PaneEntryKind> ImageListOf(const ZeClass& element) {
    const std::string source = element.GetItem(prop::kFileSource);
    if (source == "URI" || source == "STORAGE") {
        return std::nullopt;
    }
    return source == "STATION" ? PaneEntryKind::kUserImage : PaneEntryKind::kBuiltInImage;
}

// The keys the list handles itself while it has the focus; the main window
// must not take them as shortcuts (Delete above all).
bool IsListKey(const QKeyEvent& key) {
    if (key.modifiers() != Qt::NoModifier && key.modifiers() != Qt::KeypadModifier) {
        return false;
    }
    switch (key.key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_F2:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Delete:
            return true;
        default:
            return false;
    }
}

}  // namespace

CPropertyListCtrl::CPropertyListCtrl(MessageSink& messages, PropertyCommitter& committer,
                                     QWidget* parent)
    : QTableView(parent),
      messages_(messages),
      committer_(committer),
      model_(std::make_unique<PropertyListModel>()) {
    setModel(model_.get());
    setItemDelegate(new PropertyListDelegate(this));
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setShowGrid(false);
    setWordWrap(false);
    setMouseTracking(true);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setColumnWidth(PropertyListModel::kKeyColumn, kKeyWidth);
    setColumnWidth(PropertyListModel::kValueColumn, kValueWidth);
    setColumnWidth(PropertyListModel::kMarkerColumn, kMarkerWidth);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
}

CPropertyListCtrl::~CPropertyListCtrl() {
    // The cell must not report to a list that is half gone.
    if (openCell_ != nullptr) {
        disconnect(openCell_, nullptr, this, nullptr);
        delete openCell_.data();
    }
    setModel(nullptr);
}

void CPropertyListCtrl::ShowElement(ZeClass* element) {
    ShowSelection(element, {});
}

void CPropertyListCtrl::ShowSelection(ZeClass* element, const std::vector<ZeClass*>& elements) {
    const std::vector<ZeClass*> shown =
        element != nullptr && elements.size() > 1 ? elements : std::vector<ZeClass*>{element};
    if (element == model_->Element() &&
        (element == nullptr || shown == model_->Elements())) {
        return;
    }
    CloseOpenCell();
    model_->SetElements(element, elements);
    statusRow_ = -2;
    scrollToTop();
}

ZeClass* CPropertyListCtrl::GetElement() const {
    return model_->Element();
}

void CPropertyListCtrl::Forget() {
    CloseOpenCell();
    model_->SetElement(nullptr);
    statusRow_ = -2;
}

void CPropertyListCtrl::ElementsChanged(const ElementChange& change) {
    ZeClass* element = model_->Element();
    if (element == nullptr) {
        return;
    }
    const auto holds = [](const std::vector<ZeClass*>& list, const ZeClass* shown) {
        return std::find(list.begin(), list.end(), shown) != list.end();
    };
    const std::vector<ZeClass*>& shown = model_->Elements();
    if (holds(change.removed, element)) {
        Forget();
        return;
    }
    const bool several = shown.size() > 1;
    if (several && std::any_of(shown.begin(), shown.end(),
                               [&](const ZeClass* e) { return holds(change.removed, e); })) {
        // The selection follows with what is left; until then, only the
        // current element.
        CloseOpenCell();
        model_->SetElements(element, {});
        return;
    }
    if (std::none_of(shown.begin(), shown.end(),
                     [&](const ZeClass* e) { return holds(change.changed, e); })) {
        return;
    }
    // Changed from elsewhere (undo, a consequence of another item): what an
    // open cell holds is out of date.
    CloseOpenCell();
    if (several || model_->rowCount() != model_->ItemCount() + PropertyListModel::kSpareRows) {
        model_->Recount();
    }
    viewport()->update();
}

void CPropertyListCtrl::DialogRemoving(CZeDialogData& dialog) {
    ZeClass* element = model_->Element();
    if (element != nullptr && (element == static_cast<ZeClass*>(&dialog) ||
                               std::as_const(dialog).GetElementStore().Owns(element))) {
        Forget();
    }
}

void CPropertyListCtrl::ProjectEmptied() {
    // The root stays, but with other items: it is let go as well.
    Forget();
}

void CPropertyListCtrl::Clear() {
    CloseOpenCell();
    model_->Recount();
    statusRow_ = -2;
    viewport()->update();
}

int CPropertyListCtrl::GetCurrentRow() const {
    return model_->CurrentRow();
}

void CPropertyListCtrl::SetCurrentRow(int row) {
    model_->SetCurrentRow(row);
}

QWidget* CPropertyListCtrl::OpenCell() const {
    return openCell_.data();
}

PropertyListModel& CPropertyListCtrl::Model() {
    return *model_;
}

void CPropertyListCtrl::StartEdit(int row, int column) {
    if (openCell_ != nullptr) {
        ZeClass* element = model_->Element();
        CommitOpenCell();
        // Still open: its value was refused and waits to be corrected.
        if (openCell_ != nullptr || model_->Element() != element) {
            return;
        }
    }
    const CItemData* item = model_->ItemAt(row);
    if (item == nullptr) {
        return;
    }
    const ItemKind kind = item->GetKind();
    const QModelIndex index = model_->index(row, column);
    switch (column) {
        case PropertyListModel::kKeyColumn:
            // Only an item without a name: what is typed becomes its value.
            if (item->GetName().empty()) {
                scrollTo(index);
                OpenEditField(row, column, QString());
            }
            return;
        case PropertyListModel::kValueColumn:
            if (!IsEditable(kind)) {
                return;
            }
            scrollTo(index);
            if (const QStringList choices = ChoicesOf(*item);
                kind == ItemKind::kChoice || (kind == ItemKind::kSuggested && !choices.isEmpty())) {
                OpenDropDown(row, choices);
            } else if (kind == ItemKind::kBoolean) {
                OpenDropDown(row, BooleanChoices());
            } else {
                // A mixed value opens empty: whatever is typed goes to all.
                OpenEditField(row, column,
                              model_->IsMixed(row) ? QString() : SjisToQString(item->GetValue()));
            }
            return;
        case PropertyListModel::kMarkerColumn:
            switch (kind) {
                case ItemKind::kChoice:
                case ItemKind::kSuggested:
                    // The rows below first, so that the list of choices fits.
                    scrollTo(model_->index(row + kDropDownRowsBelow, column));
                    scrollTo(index);
                    OpenDropDown(row, ChoicesOf(*item));
                    return;
                case ItemKind::kBoolean:
                    scrollTo(index);
                    OpenDropDown(row, BooleanChoices());
                    return;
                case ItemKind::kImageFile:
                    RequestImagePicker(row);
                    return;
                default:
                    return;
            }
        default:
            return;
    }
}

void CPropertyListCtrl::OpenEditField(int row, int column, const QString& text) {
    const QRect cellRect = visualRect(model_->index(row, column));
    const QRect rect = QRect(QPoint(cellRect.left() + 1, cellRect.top()),
                             QPoint(cellRect.right() - 3, cellRect.bottom()))
                           .intersected(viewport()->rect());
    const auto alignment = model_->index(row, column).data(Qt::TextAlignmentRole);
    auto* cell =
        new CExEditCell(row, column, text, alignment.value<Qt::Alignment>(), rect, viewport());
    openedText_ = text;
    Adopt(cell);
}

void CPropertyListCtrl::OpenDropDown(int row, const QStringList& choices) {
    const QModelIndex value = model_->index(row, PropertyListModel::kValueColumn);
    const QRect cellRect = visualRect(value);
    const int rowHeight = cellRect.height();
    const QRect rect = QRect(cellRect.left(), cellRect.top(), cellRect.width(),
                             rowHeight * (1 + kDropDownRowsBelow))
                           .intersected(viewport()->rect());
    // What the row shows: its value, or the commands of an event row.
    openedText_ = value.data().toString();
    auto* cell = new CComboBoxCell(row, PropertyListModel::kValueColumn, choices, openedText_, rect,
                                   rowHeight, viewport());
    Adopt(cell);
}

template <typename Cell>
void CPropertyListCtrl::Adopt(Cell* cell) {
    openCell_ = cell;
    connect(cell, &Cell::Committed, this,
            [this, cell](int row, int column, const QString& text, int step) {
                OnCellEnded(cell, row, column, &text, step);
            });
    connect(cell, &Cell::Cancelled, this,
            [this, cell](int row, int column) { OnCellEnded(cell, row, column, nullptr, 0); });
    cell->show();
    cell->setFocus(Qt::OtherFocusReason);
}

void CPropertyListCtrl::RequestImagePicker(int row) {
    const CItemData* item = model_->ItemAt(row);
    const std::optional<PaneEntryKind> list = ImageListOf(*model_->Element());
    if (!list) {
        return;
    }
    // Of several different values, none is the one to find in the list.
    const std::string_view shown = model_->IsMixed(row) ? std::string_view() : item->GetValue();
    const QByteArray value(shown.data(), static_cast<qsizetype>(shown.size()));
    emit ImagePickerRequested(*list, value);
}

void CPropertyListCtrl::OnCellEnded(QWidget* cell, int row, int column, const QString* text,
                                    int step) {
    if (cell != openCell_) {
        return;
    }
    openCell_ = nullptr;
    // Ended by a key: the list takes the focus back before the cell goes.
    QWidget* focus = QApplication::focusWidget();
    if (focus != nullptr && (focus == cell || cell->isAncestorOf(focus))) {
        setFocus(Qt::OtherFocusReason);
    }
    ZeClass* element = model_->Element();
    // An event row shows the commands it has, not its value (always empty):
    // committing what it showed picks nothing.
    // Nor does a mixed value left as it opened (empty) set anything.
    const bool unchanged = text != nullptr && *text == openedText_ &&
                           (model_->IsEventRow(row) || model_->IsMixed(row));
    if (text != nullptr && !unchanged && !StoreValue(row, *text)) {
        // Refused (the user has been told why): what was typed stays in the
        // cell to be corrected, unless the row it was typed for has gone.
        if (openCell_ == nullptr && model_->Element() == element &&
            model_->ItemAt(row) != nullptr) {
            KeepOpen(cell);
        }
        return;
    }
    if (step == 0 || model_->Element() != element) {
        return;
    }
    const int next = row + step;
    if (next < 0 || next >= model_->rowCount()) {
        return;
    }
    SetCurrentRow(next);
    StartEdit(next, column);
}

void CPropertyListCtrl::KeepOpen(QWidget* cell) {
    openCell_ = cell;
    if (auto* edit = qobject_cast<CExEditCell*>(cell)) {
        edit->KeepOpen();
    } else if (auto* combo = qobject_cast<CComboBoxCell*>(cell)) {
        combo->KeepOpen();
    }
}

bool CPropertyListCtrl::StoreValue(int row, const QString& text) {
    ZeClass* element = model_->Element();
    CItemData* item = model_->ItemAt(row);
    if (element == nullptr || item == nullptr) {
        return false;
    }
    char32_t unmappable = 0;
    const std::optional<std::string> value = QStringToSjis(text, &unmappable);
    if (!value) {
        messages_.ShowMessage(
            PropertyRefusalMessage(item->GetName(), UnmappableValueMessage(unmappable)),
            MessageIcon::kWarning);
        return false;
    }
    // The model checks the value, once for every element it goes to; a value
    // kept as it stands is no entry and passes, whatever it holds. Copied:
    // the commit may replace the items.
    const std::string name = item->GetName();
    if (!committer_.CommitValue(*element, name, *value)) {
        return false;
    }
    if (model_->Element() == element) {
        model_->RefreshRow(row);
    }
    return true;
}

void CPropertyListCtrl::CommitOpenCell() {
    if (auto* edit = qobject_cast<CExEditCell*>(openCell_.data())) {
        edit->Commit();
    } else if (auto* combo = qobject_cast<CComboBoxCell*>(openCell_.data())) {
        combo->Commit();
    }
}

void CPropertyListCtrl::CloseOpenCell() {
    QWidget* cell = openCell_.data();
    if (cell == nullptr) {
        return;
    }
    openCell_ = nullptr;
    disconnect(cell, nullptr, this, nullptr);
    QWidget* focus = QApplication::focusWidget();
    if (focus != nullptr && (focus == cell || cell->isAncestorOf(focus))) {
        setFocus(Qt::OtherFocusReason);
    }
    if (auto* edit = qobject_cast<CExEditCell*>(cell)) {
        edit->Close();
    } else if (auto* combo = qobject_cast<CComboBoxCell*>(cell)) {
        combo->Close();
    }
}

void CPropertyListCtrl::DeleteValue(int row) {
    // The first item (a name, a command) is never emptied this way, nor a
    // value the user cannot type back.
    const CItemData* item = model_->ItemAt(row);
    if (row < 1 || item == nullptr || !IsEditable(item->GetKind())) {
        return;
    }
    StoreValue(row, QString());
}

void CPropertyListCtrl::MoveCurrentRow(int step) {
    const int rows = model_->rowCount();
    if (rows == 0) {
        return;
    }
    const int current = model_->CurrentRow();
    const int next = current < 0 ? 0 : std::clamp(current + step, 0, rows - 1);
    SetCurrentRow(next);
    scrollTo(model_->index(next, PropertyListModel::kKeyColumn));
}

bool CPropertyListCtrl::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && IsListKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QTableView::event(event);
}

void CPropertyListCtrl::keyPressEvent(QKeyEvent* event) {
    if (!IsListKey(*event)) {
        QTableView::keyPressEvent(event);
        return;
    }
    event->accept();
    switch (event->key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_F2:
            StartEdit(model_->CurrentRow(), PropertyListModel::kValueColumn);
            break;
        case Qt::Key_Up:
            MoveCurrentRow(-1);
            break;
        case Qt::Key_Down:
            MoveCurrentRow(1);
            break;
        case Qt::Key_Delete:
            DeleteValue(model_->CurrentRow());
            break;
        default:
            break;
    }
}

void CPropertyListCtrl::Click(const QPoint& position) {
    const QModelIndex index = indexAt(position);
    if (!index.isValid()) {
        return;
    }
    const int row = index.row();
    const bool wasCurrent = row == model_->CurrentRow();
    SetCurrentRow(row);
    if (index.column() == PropertyListModel::kMarkerColumn || wasCurrent) {
        StartEdit(row, index.column());
    }
}

void CPropertyListCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    event->accept();
    // A cell still open when the list is clicked kept a value refused as
    // the click took its focus: the click does not move on from it.
    if (openCell_ != nullptr) {
        return;
    }
    Click(event->position().toPoint());
}

void CPropertyListCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click comes as this event alone; it is a
    // click on the row the first press made current.
    mousePressEvent(event);
}

void CPropertyListCtrl::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}

void CPropertyListCtrl::mouseMoveEvent(QMouseEvent* event) {
    UpdateStatusText(event->position().toPoint().y());
    event->accept();
}

void CPropertyListCtrl::UpdateStatusText(int y) {
    const int row = rowAt(y);
    const int key = row >= 0 && row < model_->ItemCount() ? row : -1;
    if (key == statusRow_) {
        return;
    }
    statusRow_ = key;
    if (key < 0) {
        emit StatusTextChanged(QStringLiteral("..."));
        return;
    }
    emit StatusTextChanged(
        model_->index(key, 0).data(PropertyListModel::kDescriptionRole).toString());
}

int CPropertyListCtrl::ImageDropRow(const QDropEvent& event) const {
    const QMimeData* mime = event.mimeData();
    ZeClass* element = model_->Element();
    if (mime == nullptr || element == nullptr || !ImageFromMime(*mime) || !ImageListOf(*element)) {
        return -1;
    }
    const int row = rowAt(event.position().toPoint().y());
    const CItemData* item = model_->ItemAt(row);
    return item != nullptr && item->GetKind() == ItemKind::kImageFile ? row : -1;
}

void CPropertyListCtrl::TrackDrag(QDragMoveEvent* event) {
    const int row = ImageDropRow(*event);
    model_->SetDropRow(row);
    if (row < 0) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}

void CPropertyListCtrl::dragEnterEvent(QDragEnterEvent* event) {
    TrackDrag(event);
}

void CPropertyListCtrl::dragMoveEvent(QDragMoveEvent* event) {
    TrackDrag(event);
}

void CPropertyListCtrl::dragLeaveEvent(QDragLeaveEvent* event) {
    model_->SetDropRow(-1);
    event->accept();
}

void CPropertyListCtrl::dropEvent(QDropEvent* event) {
    model_->SetDropRow(-1);
    int row = ImageDropRow(*event);
    if (row >= 0 && openCell_ != nullptr) {
        // An edit of the row itself gives way to the image; one of another
        // row ends as a click elsewhere ends it, which may change the rows
        // or show another element (a command it added).
        auto* edit = qobject_cast<CExEditCell*>(openCell_.data());
        auto* combo = qobject_cast<CComboBoxCell*>(openCell_.data());
        const int cellRow = edit != nullptr ? edit->Row() : combo != nullptr ? combo->Row() : -1;
        if (cellRow == row) {
            CloseOpenCell();
        } else {
            ZeClass* element = model_->Element();
            CommitOpenCell();
            // A refused value keeps its cell open; the image waits for it.
            row = model_->Element() == element && openCell_ == nullptr ? ImageDropRow(*event) : -1;
        }
    }
    if (row < 0) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    SetCurrentRow(row);
    const std::optional<DraggedImage> image = ImageFromMime(*event->mimeData());
    emit ImageDropped(row, image->kind, image->name);
}

}  // namespace ze::panels
