#pragma once

#include <QMdiSubWindow>
#include <memory>

#include "app/dialog_view.h"

namespace ze::app {

class CZeDialogEditorDoc;

// An editing window inside the main window: one view of a document. A
// document may have several (Window > new window); it is closed with the
// last of them.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT

public:
    CChildFrame(std::shared_ptr<CZeDialogEditorDoc> document, const ViewServices& services);

    CZeDialogEditorDoc& GetDocument() const { return view_->GetDocument(); }
    CZeDialogEditorView& GetView() const { return *view_; }

signals:
    void Closed(ze::app::CChildFrame* frame);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CZeDialogEditorView* view_;  // owned by the window as its widget
};

}  // namespace ze::app
