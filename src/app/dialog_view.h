#pragma once

#include <QAbstractScrollArea>
#include <optional>
#include <string>
#include <vector>

#include "app/preview_viewport.h"
#include "layout/qt/view_paint.h"
#include "model/editing/project_observer.h"

class QPrinter;
class QRubberBand;

namespace ze {
class CObjectData;
class CZeResourceData;
class DeviceLook;
class ZeClass;
namespace panels {
class EditCommands;
class PreviewDrops;
}  // namespace panels
}  // namespace ze

namespace ze::app {

class CZeDialogEditorDoc;

// What every editing view reaches through the main window. edit stays null
// until a panel carries out the structural Edit entries.
struct ViewServices {
    panels::EditCommands* edit = nullptr;
    panels::PreviewDrops* drops = nullptr;
    // The images and sources of the device paint mode, shared by the views.
    DeviceLook* look = nullptr;
};

// How a view paints its dialog: frames and labels ("構造表示", the
// default) or as the device shows it ("デバイス表示").
enum class PreviewLook { kStructure, kDevice };

// The view of an editing window: paints the dialog's preview over the
// checkered background, picks an element by a left click (or steps to the
// selected element's previous or next sibling by the arrow keys), drags the
// object picked to another place, takes drops (elements, insert-grid entries,
// images) and deletes the picked elements by the Delete key (the Edit menu is
// the main window's, acting on the selection). It repaints when the project
// tells it that its dialog (or the project root) changed.
//
// The preview is laid out at the window's size or at the device's, zoomed
// and scrolled (PreviewViewport); the scroll bars show where the picture is
// larger than the window. Painting and clicks go through the viewport
// widget, in its pixels; at 100 % fitted to the window it paints exactly
// the unzoomed preview.
class CZeDialogEditorView : public QAbstractScrollArea, private ProjectObserver {
    Q_OBJECT

public:
    CZeDialogEditorView(std::shared_ptr<CZeDialogEditorDoc> document, const ViewServices& services,
                        QWidget* parent = nullptr);
    ~CZeDialogEditorView() override;

    CZeDialogEditorDoc& GetDocument() const { return *document_; }
    const std::shared_ptr<CZeDialogEditorDoc>& SharedDocument() const { return document_; }

    // element (of this view's dialog) alone becomes the project's
    // selection, or is toggled in it with toggle; null picks nothing new.
    void SelectElement(ZeClass* element, bool toggle = false);

    // "再描画": repaints the view and the main window.
    void OnRedraw();
    // The document stands for another dialog (or none) now.
    void DocumentChanged();
    // The view's window became the active one: its dialog becomes the
    // panel's current dialog.
    void OnActivateView();

    // "ウィンドウに合わせる" or "実寸".
    void SetSizing(PreviewSizing sizing);
    // A device size of the view's own in place of the project's (the device
    // list's tiles); nothing for the project's.
    void SetDeviceSize(std::optional<QSize> size);
    // The device mode needs ViewServices::look; without one the view keeps
    // to frames and labels.
    void SetLook(PreviewLook look);
    PreviewLook Look() const { return look_; }
    // The device mode's texts lengthened by percent of themselves (the
    // device list's "テキスト拡張").
    void SetTextExpansion(int percent);
    int TextExpansion() const { return painter_.TextExpansion(); }
    // Elements framed in dashed red over the preview (the device list's
    // layout findings). The owner sets them again, or clears them, before
    // any of them can leave the dialog.
    void SetFlaggedElements(std::vector<const CObjectData*> elements);
    const std::vector<const CObjectData*>& FlaggedElements() const { return flagged_; }
    // Zooms to percent (25 … 400) keeping the spot under anchor (viewport
    // pixels) where it is.
    void ZoomAt(int percent, QPointF anchor);
    // The zoom keys: a step in or out, or back to 100 %, about the middle of
    // the viewport.
    void ZoomIn();
    void ZoomOut();
    void ZoomReset();
    // The geometry as the view now paints it.
    const PreviewViewport& Viewport() const;
    // The layout pixel under a point of the viewport, for hit tests.
    QPoint ToLayoutPoint(QPoint viewportPoint) const;
    // Where a drag over the view would land (the line) or the object an
    // image would go to, in viewport pixels; empty while nothing is dragged
    // over it or the drop would be refused.
    QRect DropMark() const { return dropMark_; }

    // Paints what the view shows, at the viewport's size, scaled to fit the page.
    void PrintTo(QPrinter& printer);
    // The viewport as painted now (tests, print).
    QImage Render() const;

    QSize sizeHint() const override { return {480, 360}; }

signals:
    // The zoom or the sizing changed.
    void ViewportChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void ElementsChanged(const ElementChange& change) override;
    // Every picked element is marked; the marks change with the selection.
    void SelectionChanged(const Selection& selection) override;
    // Brings the geometry up to the view's size and the project's device
    // size. The view's own size counts, not the viewport widget's, which a
    // hidden window does not lay out.
    void SyncGeometry() const;
    // The scroll bars shown and their ranges follow the geometry.
    void ApplyGeometry();
    // Where the zoom keys zoom about: the pointer while it is over the
    // picture, else the middle.
    QPointF ZoomKeyAnchor() const;
    // The drop the drag over position would make, marked on the view; the
    // drop action it takes, or Qt::IgnoreAction with why in dropRefusal_.
    Qt::DropAction MarkDrop(const QDropEvent& event);
    // Says in the status bar why the drop at hand is not taken, or takes
    // back what was said once one is.
    void TellDropRefusal();
    void SetDropMark(const QRect& mark);
    // The preview as the geometry places it, over a background filling area.
    void PaintPreview(QPainter& painter, const QSize& area) const;
    // Lays the dialog out as this view shows it, so that the elements'
    // rectangles are this view's (another view or tile may have painted
    // since), for a hit test or a drop.
    void PlaceElements() const;
    // The device look paints no selection of its own: a red frame around
    // each picked element.
    void PaintSelection(QPainter& painter) const;
    // Handles at the corners of the current element, in both looks: of
    // several picked elements, the one the property list shows.
    void PaintCurrent(QPainter& painter) const;
    // The objects whose rectangles lie within band (viewport coordinates).
    std::vector<ZeClass*> ObjectsWithin(const QRect& band) const;
    // The dashed red frames a device list tile puts around what the layout
    // checks flag.
    void PaintFlagged(QPainter& painter) const;
    // The element the arrow keys step from: the selection's current element
    // when it is an object or group of this dialog; null otherwise.
    CObjectData* KeyboardAnchor() const;
    // Selects, as a click does, the sibling step places (-1 previous, 1
    // next) from the anchor; with no anchor, or the root group as the
    // anchor, the first (step 1) or last top-level element.
    void SelectSibling(int step);

    // Every view of a document holds it, so it lives as long as the last
    // of them, whatever order their windows are deleted in.
    std::shared_ptr<CZeDialogEditorDoc> document_;
    const ViewServices& services_;
    mutable ViewPainter painter_;
    mutable PreviewViewport viewport_;
    bool applying_ = false;
    // Wheel turns below one notch, kept until they add up to one.
    int wheelTurn_ = 0;
    // The object a left press picked, dragged once the pointer moves far
    // enough; forgotten when it leaves the dialog.
    CObjectData* pressed_ = nullptr;
    // The press kept several picks for a drag (see mousePressEvent).
    bool holdsPicks_ = false;
    QPoint pressedAt_;
    // A press on empty space draws a band; the objects it covers are picked
    // on release (added to the selection with Ctrl).
    QRubberBand* band_ = nullptr;
    bool banding_ = false;
    QRect dropMark_;
    // Why the drop the pointer is over would not be taken (Shift_JIS), and
    // what the status bar says of it.
    std::string dropRefusal_;
    std::string refusalShown_;
    std::optional<QSize> deviceSize_;
    PreviewLook look_ = PreviewLook::kStructure;
    std::vector<const CObjectData*> flagged_;
};

}  // namespace ze::app
