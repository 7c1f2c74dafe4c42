#pragma once

#include <QObject>
#include <QRect>
#include <QSize>
#include <memory>
#include <utility>
#include <vector>

#include "app/dialog_view.h"

class QDockWidget;
class QMdiArea;
class QWidget;

namespace ze {
class CZeDialogData;
class CZeResourceData;
}  // namespace ze

namespace ze::app {

class CChildFrame;
class CZeDialogEditorDoc;

// The editing windows of the open dialogs in their MDI area: opening one
// per dialog (more on request), where a new one goes, closing them with
// their dialog or document, their titles, and which view Tab and F6 reach.
// It tells the main window of every window opened, closed or brought
// forward, so the menus, the titles and the commands can follow.
class DialogWindows : public QObject {
    Q_OBJECT

public:
    // The size a new editing window asks for; it is smaller where the MDI
    // area is.
    static constexpr QSize kWindowSize{520, 420};

    DialogWindows(CZeResourceData& project, const ViewServices& services,
                  QObject* parent = nullptr);
    ~DialogWindows() override;

    // The area the windows live in; the main window makes it its own.
    QMdiArea& Area() const { return *area_; }
    // The open windows, those closed but not yet deleted left out.
    std::vector<CChildFrame*> ChildFrames() const;
    CChildFrame* ActiveChildFrame() const;
    CZeDialogEditorView* ActiveView() const;

    // A window on document; its view shares the document with the other
    // windows of the same dialog.
    CChildFrame* OpenWindow(std::shared_ptr<CZeDialogEditorDoc> document);
    // Another window on the active window's document; null without one.
    CChildFrame* OpenAnotherWindow();
    // Brings dialog's window forward, opening one when it has none.
    void ActivateDialogWindow(CZeDialogData& dialog);
    // Closes every window of the active window's document.
    void CloseActiveDocument();
    void CloseDialogWindows(CZeDialogData& dialog);
    void CloseAllWindows();
    // Deletes every window at once, closed ones still waiting included: the
    // main window goes, and the documents with it.
    void DeleteAll();
    // The minimised windows in a row along the bottom of the area.
    void ArrangeIcons();
    // Repaints every window's preview.
    void RedrawViews();
    // "Dialog", or "Dialog:1" and "Dialog:2" for two windows on one dialog.
    void UpdateTitles();

    // The paint mode new windows start in.
    void SetNewWindowLook(PreviewLook look) { newWindowLook_ = look; }
    PreviewLook NewWindowLook() const { return newWindowLook_; }
    // Tab goes from before to the active window's view, the one view that
    // Tab reaches.
    void SetTabPredecessor(QWidget* before) { tabPredecessor_ = before; }
    // The bars F6 visits after the active view, while they are shown.
    void SetPaneBars(std::vector<QDockWidget*> bars) { paneBars_ = std::move(bars); }
    // F6 and Shift+F6: the focus goes to the next (step 1) or previous
    // (step -1) of the active window's view and the bars' widgets.
    void FocusPane(int step);

    // Where a new window goes: the next step of the cascade that fits in
    // the visible part of the area.
    QRect CascadeGeometryFor(const CChildFrame& frame) const;

signals:
    // A window was opened, closed or brought forward.
    void WindowsChanged();
    // The active window's sizing or zoom changed.
    void ViewportChanged();

private:
    void ChildFrameClosed(CChildFrame* frame);
    void SubWindowActivated();
    void PutActiveViewInTabOrder();
    void CloseDocumentWindows(CZeDialogEditorDoc& document);
    std::vector<QWidget*> Panes() const;
    QWidget* FocusedPane() const;

    CZeResourceData& project_;
    const ViewServices& services_;
    QMdiArea* area_;
    PreviewLook newWindowLook_ = PreviewLook::kStructure;
    QWidget* tabPredecessor_ = nullptr;
    std::vector<QDockWidget*> paneBars_;
};

}  // namespace ze::app
