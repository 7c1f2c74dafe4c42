#include "app/child_frame.h"

#include <QCloseEvent>

#include "app/icons.h"

namespace ze::app {

CChildFrame::CChildFrame(std::shared_ptr<CZeDialogEditorDoc> document,
                         const ViewServices& services)
    : view_(new CZeDialogEditorView(std::move(document), services)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(view_);
    setWindowIcon(EditorIcon());
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted()) {
        emit Closed(this);
    }
}

}  // namespace ze::app
