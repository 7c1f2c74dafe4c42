#include "app/child_frame.h"

#include <QCloseEvent>

#include "app/icons.h"

namespace ze::app {

CChildFrame::CChildFrame(CZeDialogEditorDoc& document, const ViewServices& services)
    : document_(document), view_(new CZeDialogEditorView(document, services)) {
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
