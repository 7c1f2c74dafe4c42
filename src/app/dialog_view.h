#pragma once

#include <QWidget>

#include "layout/qt/view_paint.h"
#include "model/editing/project_observer.h"

class QPrinter;

namespace ze {
class CZeResourceData;
class ZeClass;
namespace panels {
class EditorPanel;
class EditCommands;
}  // namespace panels
}  // namespace ze

namespace ze::app {

class CZeDialogEditorDoc;

// What every editing view reaches through the main window. edit stays null
// until a panel carries out the structural Edit entries.
struct ViewServices {
    panels::EditorPanel* panel = nullptr;
    panels::EditCommands* edit = nullptr;
};

// The view of an editing window: paints the dialog's preview over the
// checkered background, picks an element by a left click, and carries out
// the Edit menu for its dialog. It repaints when the project tells it that
// its dialog (or the project root) changed.
class CZeDialogEditorView : public QWidget, private ProjectObserver {
    Q_OBJECT

public:
    CZeDialogEditorView(CZeDialogEditorDoc& document, const ViewServices& services,
                        QWidget* parent = nullptr);
    ~CZeDialogEditorView() override;

    CZeDialogEditorDoc& GetDocument() const { return document_; }

    // The panel selects element (null: nothing new) in its tree; the view
    // repaints in every case.
    void SelectElement(ZeClass* element);

    // "再描画": repaints the view and the main window.
    void OnRedraw();
    // The view's window became the active one: its dialog becomes the
    // panel's current dialog.
    void OnActivateView();

    void OnEditUndo();
    void OnEditRedo();
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    // Undo can act once a step after the first has been recorded; redo while
    // steps undone remain.
    bool CanUndo() const;
    bool CanRedo() const;

    // Paints what the view shows, at the view's size, scaled to fit the page.
    void PrintTo(QPrinter& printer);
    // The view as painted now (tests, print).
    QImage Render() const;

    QSize sizeHint() const override { return {480, 360}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void ElementsChanged(const ElementChange& change) override;
    void StepHistory(bool forward);

    CZeDialogEditorDoc& document_;
    const ViewServices& services_;
    mutable ViewPainter painter_;
};

}  // namespace ze::app
