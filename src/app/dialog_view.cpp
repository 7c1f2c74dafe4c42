#include "app/dialog_view.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>
#include <QResizeEvent>
#include <QRubberBand>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <utility>
#include <vector>

#include "app/dialog_document.h"
#include "layout/canvas.h"
#include "layout/preview_layout.h"
#include "layout/qt/device_look.h"
#include "model/dialog_data.h"
#include "model/editing/selection.h"
#include "model/editing/selection_edits.h"
#include "model/element_casts.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "panels/editor_panel.h"
#include "panels/focus_ring.h"
#include "panels/tree_drag.h"

namespace ze::app {

namespace {

// One notch of a mouse wheel.
constexpr int kWheelNotch = 120;
// Pixels one click on a scroll bar's arrow moves.
constexpr int kScrollStep = 20;
// The landing line and the frame around an image's object.
constexpr int kDropMarkWidth = 2;
const QColor kDropMarkColour(0, 120, 215);
// The frame of an element the device list finds too small or off the page.
const QColor kFlagColour(255, 0, 0);

bool CarriesDrop(const QMimeData& data) {
    return data.hasFormat(QString::fromLatin1(panels::kElementMimeType)) ||
           data.hasFormat(QString::fromLatin1(panels::kInsertTypeMimeType)) ||
           data.hasFormat(QString::fromLatin1(panels::kImageMimeType));
}

// The widget Tab (next) or Shift+Tab goes to from from, in its window's Tab
// order, leaving every editing window aside: Qt would keep the focus inside
// the editing window, where the view is the only stop, and the views of the
// windows behind are no stops.
QWidget* TabStopOutsideEditingWindows(QWidget& from, bool next) {
    const auto inEditingWindow = [](const QWidget& widget) {
        for (const QWidget* at = &widget; at != nullptr && !at->isWindow();
             at = at->parentWidget()) {
            if (qobject_cast<const QMdiSubWindow*>(at) != nullptr) {
                return true;
            }
        }
        return false;
    };
    QWidget* window = from.window();
    for (QWidget* at = next ? from.nextInFocusChain() : from.previousInFocusChain();
         at != nullptr && at != &from;
         at = next ? at->nextInFocusChain() : at->previousInFocusChain()) {
        if ((at->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && at->focusProxy() == nullptr &&
            at->isEnabled() && !at->isWindow() && at->isVisibleTo(window) &&
            !inEditingWindow(*at)) {
            return at;
        }
    }
    return nullptr;
}

}  // namespace

CZeDialogEditorView::CZeDialogEditorView(std::shared_ptr<CZeDialogEditorDoc> document,
                                         const ViewServices& services, QWidget* parent)
    : QAbstractScrollArea(parent), document_(std::move(document)), services_(services) {
    // The viewport is the whole client area until a scroll bar takes room.
    setFrameShape(QFrame::NoFrame);
    // The paint covers the whole viewport; nothing is erased before it.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    // A stop of the main window's Tab order, after the property list.
    setFocusPolicy(Qt::StrongFocus);
    panels::FocusRing::Attach(*this);
    setAcceptDrops(true);
    // The geometry decides which bars show; Qt's own guess would follow
    // ranges set a step late.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    horizontalScrollBar()->setSingleStep(kScrollStep);
    verticalScrollBar()->setSingleStep(kScrollStep);
    document_->GetProject().Observers().Add(this);
    ApplyGeometry();
}

// Leaves the project's observers as every observer does.
CZeDialogEditorView::~CZeDialogEditorView() = default;

void CZeDialogEditorView::ElementsChanged(const ElementChange& change) {
    if (std::find(change.removed.begin(), change.removed.end(), pressed_) !=
        change.removed.end()) {
        pressed_ = nullptr;
    }
    // The project root holds the device size every dialog is laid out in.
    if (change.dialog == nullptr || change.dialog == document_->GetDialog()) {
        // A change of the device size changes the scroll ranges.
        ApplyGeometry();
    }
}

void CZeDialogEditorView::SelectionChanged(const Selection& /*selection*/) {
    viewport()->update();
}

void CZeDialogEditorView::SyncGeometry() const {
    viewport_.SetScrollBarExtent(
        {verticalScrollBar()->sizeHint().width(), horizontalScrollBar()->sizeHint().height()});
    viewport_.SetWindowSize(contentsRect().size());
    if (deviceSize_) {
        viewport_.SetDeviceSize(*deviceSize_);
    } else if (const CZeDialogData* dialog = document_->GetDialog()) {
        const UnitContext units =
            PreviewPageOf(document_->GetProject(), *dialog, 0, 0).context.units;
        viewport_.SetDeviceSize({units.deviceWidth, units.deviceHeight});
    }
}

void CZeDialogEditorView::SetDeviceSize(std::optional<QSize> size) {
    if (size == deviceSize_) {
        return;
    }
    deviceSize_ = size;
    ApplyGeometry();
    viewport()->update();
}

void CZeDialogEditorView::SetLook(PreviewLook look) {
    if (look == PreviewLook::kDevice && services_.look == nullptr) {
        look = PreviewLook::kStructure;
    }
    if (look == look_) {
        return;
    }
    look_ = look;
    painter_.SetDeviceLook(look_ == PreviewLook::kDevice ? services_.look : nullptr);
    viewport()->update();
    emit ViewportChanged();
}

void CZeDialogEditorView::PlaceElements() const {
    CZeDialogData* dialog = document_->GetDialog();
    if (dialog == nullptr) {
        return;
    }
    SyncGeometry();
    NullCanvas canvas;
    const QSize layout = viewport_.LayoutSize();
    DrawPreview(document_->GetProject(), *dialog, canvas, layout.width(), layout.height());
}

void CZeDialogEditorView::ApplyGeometry() {
    SyncGeometry();
    applying_ = true;
    const auto policy = [](bool shown) {
        return shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    };
    // A new policy lays the bars out again, which resizes the viewport.
    if (horizontalScrollBarPolicy() != policy(viewport_.HasHorizontalBar())) {
        setHorizontalScrollBarPolicy(policy(viewport_.HasHorizontalBar()));
    }
    if (verticalScrollBarPolicy() != policy(viewport_.HasVerticalBar())) {
        setVerticalScrollBarPolicy(policy(viewport_.HasVerticalBar()));
    }
    const QPoint most = viewport_.MaxOffset();
    const QSize page = viewport_.ViewportSize();
    horizontalScrollBar()->setRange(0, most.x());
    horizontalScrollBar()->setPageStep(std::max(page.width(), 1));
    horizontalScrollBar()->setValue(qRound(viewport_.Offset().x()));
    verticalScrollBar()->setRange(0, most.y());
    verticalScrollBar()->setPageStep(std::max(page.height(), 1));
    verticalScrollBar()->setValue(qRound(viewport_.Offset().y()));
    applying_ = false;
    viewport()->update();
}

const PreviewViewport& CZeDialogEditorView::Viewport() const {
    SyncGeometry();
    return viewport_;
}

QPoint CZeDialogEditorView::ToLayoutPoint(QPoint viewportPoint) const {
    return Viewport().ToLayoutPixel(viewportPoint);
}

void CZeDialogEditorView::SetSizing(PreviewSizing sizing) {
    if (sizing == viewport_.Sizing()) {
        return;
    }
    viewport_.SetSizing(sizing);
    ApplyGeometry();
    emit ViewportChanged();
}

void CZeDialogEditorView::ZoomAt(int percent, QPointF anchor) {
    SyncGeometry();
    const int before = viewport_.ZoomPercent();
    viewport_.ZoomAt(percent, anchor);
    ApplyGeometry();
    if (viewport_.ZoomPercent() != before) {
        emit ViewportChanged();
    }
}

QPointF CZeDialogEditorView::ZoomKeyAnchor() const {
    const QRectF picture(QPointF(0, 0), QSizeF(Viewport().ViewportSize()));
    if (viewport()->underMouse()) {
        const QPointF pointer = viewport()->mapFromGlobal(QCursor::pos());
        if (picture.contains(pointer)) {
            return pointer;
        }
    }
    return picture.center();
}

void CZeDialogEditorView::ZoomIn() {
    ZoomAt(PreviewViewport::ZoomStepIn(viewport_.ZoomPercent()), ZoomKeyAnchor());
}

void CZeDialogEditorView::ZoomOut() {
    ZoomAt(PreviewViewport::ZoomStepOut(viewport_.ZoomPercent()), ZoomKeyAnchor());
}

void CZeDialogEditorView::ZoomReset() {
    ZoomAt(100, ZoomKeyAnchor());
}

void CZeDialogEditorView::resizeEvent(QResizeEvent* /*event*/) {
    // Both the view's and the viewport's resizes come here.
    if (!applying_) {
        ApplyGeometry();
    }
}

void CZeDialogEditorView::scrollContentsBy(int dx, int dy) {
    if (applying_) {
        return;
    }
    // A direction the bars did not move keeps its fraction.
    QPointF offset = viewport_.Offset();
    if (dx != 0) {
        offset.setX(horizontalScrollBar()->value());
    }
    if (dy != 0) {
        offset.setY(verticalScrollBar()->value());
    }
    viewport_.SetOffset(offset);
    // The picture is painted again rather than moved: the labels and the
    // page follow the offset exactly.
    viewport()->update();
}

void CZeDialogEditorView::wheelEvent(QWheelEvent* event) {
    if (!event->modifiers().testFlag(Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    event->accept();
    wheelTurn_ += event->angleDelta().y();
    int percent = viewport_.ZoomPercent();
    for (; wheelTurn_ >= kWheelNotch; wheelTurn_ -= kWheelNotch) {
        percent = PreviewViewport::ZoomStepIn(percent);
    }
    for (; wheelTurn_ <= -kWheelNotch; wheelTurn_ += kWheelNotch) {
        percent = PreviewViewport::ZoomStepOut(percent);
    }
    if (percent != viewport_.ZoomPercent()) {
        ZoomAt(percent, event->position());
    }
}

void CZeDialogEditorView::PaintPreview(QPainter& painter, const QSize& area) const {
    CZeDialogData* dialog = document_->GetDialog();
    if (dialog == nullptr) {
        return;
    }
    SyncGeometry();
    painter_.Paint(painter, area, viewport_.LayoutSize(), viewport_.Scale(), viewport_.Offset(),
                   document_->GetProject(), *dialog);
}

void CZeDialogEditorView::paintEvent(QPaintEvent* /*event*/) {
    if (document_->GetDialog() == nullptr) {
        return;
    }
    QPainter painter(viewport());
    PaintPreview(painter, viewport()->size());
    if (look_ == PreviewLook::kDevice) {
        PaintSelection(painter);
    }
    PaintCurrent(painter);
    PaintFlagged(painter);
    if (!dropMark_.isEmpty()) {
        painter.setPen(QPen(kDropMarkColour, kDropMarkWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(dropMark_);
    }
}

QImage CZeDialogEditorView::Render() const {
    QImage image(Viewport().ViewportSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PaintPreview(painter, image.size());
        if (look_ == PreviewLook::kDevice) {
            PaintSelection(painter);
        }
        PaintFlagged(painter);
    }
    return image;
}

void CZeDialogEditorView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    CZeDialogData* dialog = document_->GetDialog();
    if (dialog == nullptr || dialog->GetRootGroup() == nullptr) {
        return;
    }
    PlaceElements();
    const QPoint point = ToLayoutPoint(event->position().toPoint());
    const bool toggle = event->modifiers().testFlag(Qt::ControlModifier);
    pressed_ = dialog->GetRootGroup()->HitTestFromRoot(point.x(), point.y());
    pressedAt_ = event->position().toPoint();
    if (pressed_ == nullptr) {
        banding_ = true;
        if (band_ == nullptr) {
            band_ = new QRubberBand(QRubberBand::Rectangle, viewport());
        }
        band_->setGeometry(QRect(pressedAt_, QSize()));
        band_->show();
        return;
    }
    // A plain press on one of several picked objects keeps the picks for a
    // drag; without one, the release picks the object alone.
    const Selection& selection = document_->GetProject().GetSelection();
    holdsPicks_ = !toggle && selection.Elements().size() > 1 && selection.Contains(*pressed_);
    if (!holdsPicks_) {
        SelectElement(pressed_, toggle);
    }
    if (toggle) {
        // A Ctrl+click picks; it starts no drag.
        pressed_ = nullptr;
    }
}

void CZeDialogEditorView::mouseMoveEvent(QMouseEvent* event) {
    if (banding_) {
        band_->setGeometry(QRect(pressedAt_, event->position().toPoint()).normalized());
        return;
    }
    if (pressed_ == nullptr || !(event->buttons() & Qt::LeftButton) ||
        (event->position().toPoint() - pressedAt_).manhattanLength() <
            QApplication::startDragDistance()) {
        return;
    }
    CObjectData* element = pressed_;
    pressed_ = nullptr;
    // The tree checks that the element still stands in it when it drops.
    auto* drag = new QDrag(this);
    drag->setMimeData(panels::ElementMime(DraggedWith(document_->GetProject(), *element)));
    // The object as painted goes with the pointer.
    const PreviewRect& rect = element->GetPreviewRect();
    const QRect shown = QRectF(viewport_.ToWindow(QPointF(rect.left, rect.top)),
                               viewport_.ToWindow(QPointF(rect.right, rect.bottom)))
                            .toAlignedRect()
                            .intersected(viewport()->rect());
    if (!shown.isEmpty()) {
        drag->setPixmap(viewport()->grab(shown));
        drag->setHotSpot(pressedAt_ - shown.topLeft());
    }
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
    SetDropMark({});
}

void CZeDialogEditorView::mouseReleaseEvent(QMouseEvent* event) {
    CObjectData* released = std::exchange(pressed_, nullptr);
    if (std::exchange(holdsPicks_, false) && released != nullptr) {
        SelectElement(released, false);
    }
    if (!banding_) {
        return;
    }
    banding_ = false;
    band_->hide();
    CZeDialogData* dialog = document_->GetDialog();
    if (dialog == nullptr) {
        return;
    }
    const QRect band = QRect(pressedAt_, event->position().toPoint()).normalized();
    const bool add = event->modifiers().testFlag(Qt::ControlModifier);
    if (band.width() < QApplication::startDragDistance() &&
        band.height() < QApplication::startDragDistance()) {
        // A click on empty space picks nothing new.
        return;
    }
    SelectElements(document_->GetProject(), *dialog, ObjectsWithin(band), add);
}

std::vector<ZeClass*> CZeDialogEditorView::ObjectsWithin(const QRect& band) const {
    std::vector<ZeClass*> within;
    CZeDialogData* dialog = document_->GetDialog();
    if (dialog == nullptr || dialog->GetRootGroup() == nullptr) {
        return within;
    }
    PlaceElements();
    const QRectF area(band);
    // Objects only: a band drawn inside a group picks what it holds.
    std::vector<CObjectData*> pending{dialog->GetRootGroup()};
    while (!pending.empty()) {
        CObjectData* element = pending.back();
        pending.pop_back();
        if (element->IsGroup()) {
            const auto children = ChildrenOf(*element);
            pending.insert(pending.end(), children.rbegin(), children.rend());
            continue;
        }
        const PreviewRect& r = element->GetPreviewRect();
        if (r.right <= r.left || r.bottom <= r.top) {
            continue;
        }
        const QRectF shown(viewport_.ToWindow(QPointF(r.left, r.top)),
                           viewport_.ToWindow(QPointF(r.right, r.bottom)));
        if (area.contains(shown)) {
            within.push_back(element);
        }
    }
    return within;
}

Qt::DropAction CZeDialogEditorView::MarkDrop(const QDropEvent& event) {
    CZeDialogData* dialog = document_->GetDialog();
    const QMimeData* mime = event.mimeData();
    dropRefusal_.clear();
    if (dialog == nullptr || services_.drops == nullptr || mime == nullptr) {
        SetDropMark({});
        return Qt::IgnoreAction;
    }
    // Ctrl copies an element; the other drags only ever add.
    const bool moves = mime->hasFormat(QString::fromLatin1(panels::kElementMimeType)) &&
                       !event.modifiers().testFlag(Qt::ControlModifier);
    const Qt::DropAction action = moves ? Qt::MoveAction : Qt::CopyAction;
    PlaceElements();
    const QPoint at = ToLayoutPoint(event.position().toPoint());
    const panels::PreviewDropTarget target =
        (event.possibleActions() & action) != 0
            ? services_.drops->CheckPreviewDrop(*mime, *dialog, at.x(), at.y(), !moves)
            : panels::PreviewDropTarget{};
    if (!target.allowed) {
        dropRefusal_ = target.refusal;
        SetDropMark({});
        return Qt::IgnoreAction;
    }
    const PreviewRect& mark = target.mark;
    const QPointF topLeft = viewport_.ToWindow(QPointF(mark.left, mark.top));
    const QPointF bottomRight = viewport_.ToWindow(QPointF(mark.right, mark.bottom));
    SetDropMark(QRectF(topLeft, bottomRight).toAlignedRect());
    return action;
}

// The device's look has no selection of its own: the selected elements get
// the structure mode's red frame over it (a selected group alone, not each
// element below it).
void CZeDialogEditorView::PaintSelection(QPainter& painter) const {
    CZeDialogData* dialog = document_->GetDialog();
    if (dialog == nullptr || dialog->GetRootGroup() == nullptr) {
        return;
    }
    painter.save();
    painter.setPen(QPen(QColor(255, 0, 0), 2));
    painter.setBrush(Qt::NoBrush);
    std::vector<const CObjectData*> pending{dialog->GetRootGroup()};
    while (!pending.empty()) {
        const CObjectData* element = pending.back();
        pending.pop_back();
        if (element->IsSelected()) {
            const PreviewRect& r = element->GetPreviewRect();
            const QRectF shown(viewport_.ToWindow(QPointF(r.left, r.top)),
                               viewport_.ToWindow(QPointF(r.right, r.bottom)));
            painter.drawRect(shown.adjusted(1, 1, -1, -1));
        } else {
            for (const CObjectData* child : ChildrenOf(*element)) {
                pending.push_back(child);
            }
        }
    }
    painter.restore();
}

void CZeDialogEditorView::SetTextExpansion(int percent) {
    if (percent != painter_.TextExpansion()) {
        painter_.SetTextExpansion(percent);
        viewport()->update();
    }
}

void CZeDialogEditorView::SetFlaggedElements(std::vector<const CObjectData*> elements) {
    if (elements != flagged_) {
        flagged_ = std::move(elements);
        viewport()->update();
    }
}

void CZeDialogEditorView::PaintFlagged(QPainter& painter) const {
    if (flagged_.empty()) {
        return;
    }
    painter.save();
    painter.setPen(QPen(kFlagColour, 2, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    // The rectangles are those of the paint just made, in this view's size;
    // the frame lies just outside the box, so that a selection's frame
    // inside it still shows.
    for (const CObjectData* element : flagged_) {
        const PreviewRect& r = element->GetPreviewRect();
        const QRectF shown(viewport_.ToWindow(QPointF(r.left, r.top)),
                           viewport_.ToWindow(QPointF(r.right, r.bottom)));
        painter.drawRect(shown.adjusted(-1, -1, 1, 1));
    }
    painter.restore();
}

void CZeDialogEditorView::SetDropMark(const QRect& mark) {
    if (mark != dropMark_) {
        dropMark_ = mark;
        viewport()->update();
    }
}

void CZeDialogEditorView::dragEnterEvent(QDragEnterEvent* event) {
    // What the last release here said is no reason for this drag.
    dropRefusal_.clear();
    TellDropRefusal();
    // Taken whatever the spot, so that the moves that follow are checked.
    if (event->mimeData() != nullptr && CarriesDrop(*event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void CZeDialogEditorView::TellDropRefusal() {
    if (services_.drops == nullptr || dropRefusal_ == refusalShown_) {
        return;
    }
    refusalShown_ = dropRefusal_;
    services_.drops->ShowDropRefusal(refusalShown_);
}

void CZeDialogEditorView::dragMoveEvent(QDragMoveEvent* event) {
    const Qt::DropAction action = MarkDrop(*event);
    // Said while the pointer is there: a release there may reach no view.
    TellDropRefusal();
    if (action == Qt::IgnoreAction) {
        event->ignore();
        return;
    }
    event->setDropAction(action);
    event->accept();
}

void CZeDialogEditorView::dragLeaveEvent(QDragLeaveEvent* /*event*/) {
    SetDropMark({});
}

void CZeDialogEditorView::dropEvent(QDropEvent* event) {
    const Qt::DropAction action = MarkDrop(*event);
    SetDropMark({});
    CZeDialogData* dialog = document_->GetDialog();
    if (action == Qt::IgnoreAction || dialog == nullptr) {
        if (!dropRefusal_.empty() && services_.drops != nullptr) {
            services_.drops->ShowDropRefusal(dropRefusal_);
        }
        refusalShown_ = dropRefusal_;
        event->ignore();
        return;
    }
    const QPoint at = ToLayoutPoint(event->position().toPoint());
    // The drop may change the dialog and select in it: the source is told
    // no move is left for it to do.
    if (services_.drops->DropOnPreview(*event->mimeData(), *dialog, at.x(), at.y(),
                                       action == Qt::CopyAction)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
    viewport()->update();
}

void CZeDialogEditorView::SelectElement(ZeClass* element, bool toggle) {
    CZeDialogData* dialog = document_->GetDialog();
    if (dialog == nullptr || dialog->GetRootGroup() == nullptr || element == nullptr) {
        return;
    }
    if (toggle) {
        ToggleSelected(document_->GetProject(), element);
    } else {
        Select(document_->GetProject(), element);
    }
}

void CZeDialogEditorView::PaintCurrent(QPainter& painter) const {
    const Selection& selection = document_->GetProject().GetSelection();
    CZeDialogData* dialog = document_->GetDialog();
    const CObjectData* current = AsObject(selection.Current());
    if (dialog == nullptr || selection.Dialog() != dialog || current == nullptr ||
        selection.Elements().size() < 2) {
        return;
    }
    const PreviewRect& r = current->GetPreviewRect();
    const QRectF shown(viewport_.ToWindow(QPointF(r.left, r.top)),
                       viewport_.ToWindow(QPointF(r.right, r.bottom)));
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(128, 0, 0));
    constexpr qreal kHandle = 6;
    for (const QPointF corner :
         {shown.topLeft(), shown.topRight(), shown.bottomLeft(), shown.bottomRight()}) {
        painter.drawRect(QRectF(corner.x() - kHandle / 2, corner.y() - kHandle / 2, kHandle,
                                kHandle));
    }
    painter.restore();
}

CObjectData* CZeDialogEditorView::KeyboardAnchor() const {
    CZeDialogData* dialog = document_->GetDialog();
    CObjectDataList* root = dialog == nullptr ? nullptr : dialog->GetRootGroup();
    if (root == nullptr) {
        return nullptr;
    }
    // Of several selected elements, the one picked last.
    const Selection& selection = document_->GetProject().GetSelection();
    CObjectData* current = selection.Elements().empty() ? nullptr : AsObject(selection.Current());
    return selection.Dialog() == dialog ? current : nullptr;
}

void CZeDialogEditorView::SelectSibling(int step) {
    CZeDialogData* dialog = document_->GetDialog();
    CObjectDataList* root = dialog == nullptr ? nullptr : dialog->GetRootGroup();
    if (root == nullptr) {
        return;
    }
    CObjectData* anchor = KeyboardAnchor();
    CObjectDataList* parent = anchor != nullptr ? anchor->GetParent() : nullptr;
    CObjectData* target = nullptr;
    if (parent == nullptr) {
        const std::vector<CObjectData*>& top = root->GetChildren();
        if (!top.empty()) {
            target = step > 0 ? top.front() : top.back();
        }
    } else {
        const std::vector<CObjectData*>& siblings = parent->GetChildren();
        const int at = parent->IndexOf(anchor) + step;
        if (at >= 0 && at < static_cast<int>(siblings.size())) {
            target = siblings[static_cast<std::size_t>(at)];
        }
    }
    if (target != nullptr) {
        SelectElement(target);
    }
}

void CZeDialogEditorView::keyPressEvent(QKeyEvent* event) {
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    int step = 0;
    if (modifiers == Qt::NoModifier) {
        switch (event->key()) {
            case Qt::Key_Left:
            case Qt::Key_Up:
                step = -1;
                break;
            case Qt::Key_Right:
            case Qt::Key_Down:
                step = 1;
                break;
            default:
                break;
        }
    }
    // Delete takes the picked elements out, as in the tree; a window shows
    // its dialog's content, so the dialog itself is never deleted from here.
    if (modifiers == Qt::NoModifier && event->key() == Qt::Key_Delete) {
        event->accept();
        if (services_.edit != nullptr &&
            AsObject(document_->GetProject().GetSelection().Current()) != nullptr) {
            services_.edit->DeleteCurrent();
        }
        return;
    }
    if (modifiers == Qt::NoModifier && event->key() == Qt::Key_Escape) {
        event->accept();
        if (banding_) {
            banding_ = false;
            band_->hide();
        } else if (document_->GetDialog() != nullptr) {
            DeselectAll(document_->GetProject());
        }
        return;
    }
    if (step == 0) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
    SelectSibling(step);
}

bool CZeDialogEditorView::focusNextPrevChild(bool next) {
    QWidget* stop = TabStopOutsideEditingWindows(*this, next);
    if (stop == nullptr) {
        return QAbstractScrollArea::focusNextPrevChild(next);
    }
    stop->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void CZeDialogEditorView::OnRedraw() {
    viewport()->update();
    if (QWidget* main = window()) {
        main->update();
    }
}

void CZeDialogEditorView::DocumentChanged() {
    pressed_ = nullptr;
    ApplyGeometry();
    viewport()->update();
}

void CZeDialogEditorView::OnActivateView() {
    CZeDialogData* dialog = document_->GetDialog();
    CZeResourceData& project = document_->GetProject();
    if (dialog != nullptr && project.GetSelection().Dialog() != dialog) {
        Select(project, dialog);
    }
}

void CZeDialogEditorView::PrintTo(QPrinter& printer) {
    const QImage image = Render();
    QPainter painter(&printer);
    const QRect page = painter.viewport();
    QSize scaled = image.size();
    scaled.scale(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(page.x(), page.y(), scaled.width(), scaled.height());
    painter.setWindow(image.rect());
    painter.drawImage(0, 0, image);
}

}  // namespace ze::app
