#include "app/dialog_view.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>

#include "app/dialog_document.h"
#include "model/dialog_data.h"
#include "model/editing/history_edits.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "panels/editor_panel.h"

namespace ze::app {

CZeDialogEditorView::CZeDialogEditorView(CZeDialogEditorDoc& document, const ViewServices& services,
                                         QWidget* parent)
    : QWidget(parent), document_(document), services_(services) {
    // The paint covers the whole client area; nothing is erased before it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    document_.GetProject().Observers().Add(this);
}

CZeDialogEditorView::~CZeDialogEditorView() {
    document_.GetProject().Observers().Remove(this);
}

void CZeDialogEditorView::ElementsChanged(const ElementChange& change) {
    // The project root holds the device size every dialog is laid out in.
    if (change.dialog == nullptr || change.dialog == document_.GetDialog()) {
        update();
    }
}

void CZeDialogEditorView::paintEvent(QPaintEvent* /*event*/) {
    CZeDialogData* dialog = document_.GetDialog();
    if (dialog == nullptr) {
        return;
    }
    QPainter painter(this);
    painter_.Paint(painter, size(), document_.GetProject(), *dialog);
}

QImage CZeDialogEditorView::Render() const {
    QImage image(size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    if (CZeDialogData* dialog = document_.GetDialog()) {
        painter_.Paint(image, document_.GetProject(), *dialog);
    }
    return image;
}

void CZeDialogEditorView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    CZeDialogData* dialog = document_.GetDialog();
    if (dialog == nullptr || dialog->GetRootGroup() == nullptr) {
        return;
    }
    const QPoint point = event->position().toPoint();
    SelectElement(dialog->GetRootGroup()->HitTestFromRoot(point.x(), point.y()));
}

void CZeDialogEditorView::SelectElement(ZeClass* element) {
    CZeDialogData* dialog = document_.GetDialog();
    if (dialog == nullptr || dialog->GetRootGroup() == nullptr) {
        return;
    }
    if (element != nullptr && services_.panel != nullptr) {
        services_.panel->SelectFromView(dialog, element);
    }
    update();
}

void CZeDialogEditorView::OnRedraw() {
    update();
    if (QWidget* main = window()) {
        main->update();
    }
}

void CZeDialogEditorView::OnActivateView() {
    if (services_.panel != nullptr && document_.GetDialog() != nullptr) {
        services_.panel->SetCurrentDialog(document_.GetDialog());
    }
}

bool CZeDialogEditorView::CanUndo() const {
    const CZeDialogData* dialog = document_.GetDialog();
    return dialog != nullptr && ::ze::CanUndo(*dialog);
}

bool CZeDialogEditorView::CanRedo() const {
    const CZeDialogData* dialog = document_.GetDialog();
    return dialog != nullptr && ::ze::CanRedo(*dialog);
}

void CZeDialogEditorView::StepHistory(bool forward) {
    CZeDialogData* dialog = document_.GetDialog();
    if (dialog == nullptr) {
        return;
    }
    CZeResourceData& project = document_.GetProject();
    const EditResult result = forward ? RedoEdit(project, *dialog) : UndoEdit(project, *dialog);
    if (!result.changed) {
        return;
    }
    if (services_.panel != nullptr) {
        services_.panel->SelectAfterHistoryStep(*dialog, result.select);
    }
    SelectElement(result.select == dialog ? nullptr : result.select);
}

void CZeDialogEditorView::OnEditUndo() {
    StepHistory(false);
}

void CZeDialogEditorView::OnEditRedo() {
    StepHistory(true);
}

void CZeDialogEditorView::OnEditCopy() {
    if (services_.edit != nullptr) {
        services_.edit->CopyCurrent();
    }
}

void CZeDialogEditorView::OnEditCut() {
    if (services_.edit != nullptr) {
        services_.edit->CopyCurrent();
        services_.edit->DeleteCurrent();
    }
}

void CZeDialogEditorView::OnEditPaste() {
    if (services_.edit != nullptr) {
        services_.edit->PasteAtCurrent(PasteMode::kAfter);
    }
    SelectElement(nullptr);
    update();  // also when the dialog has no root group to select in
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
