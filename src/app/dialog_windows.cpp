#include "app/dialog_windows.h"

#include <QApplication>
#include <QDockWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <algorithm>
#include <map>

#include "app/child_frame.h"
#include "app/dialog_document.h"
#include "app/window_cascade.h"
#include "model/dialog_data.h"
#include "model/property_names.h"
#include "model/resource_data.h"

namespace ze::app {

namespace {

// A window closed but not yet deleted is no longer one of the open windows.
bool IsClosed(const QMdiSubWindow& window) {
    return window.property("closed").toBool();
}

}  // namespace

DialogWindows::DialogWindows(CZeResourceData& project, const ViewServices& services,
                             QObject* parent)
    : QObject(parent), project_(project), services_(services), area_(new QMdiArea) {
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(area_, &QMdiArea::subWindowActivated, this, [this] { SubWindowActivated(); });
}

DialogWindows::~DialogWindows() = default;

std::vector<CChildFrame*> DialogWindows::ChildFrames() const {
    std::vector<CChildFrame*> frames;
    for (QMdiSubWindow* window : area_->subWindowList()) {
        auto* frame = qobject_cast<CChildFrame*>(window);
        if (frame != nullptr && !IsClosed(*frame)) {
            frames.push_back(frame);
        }
    }
    return frames;
}

CChildFrame* DialogWindows::ActiveChildFrame() const {
    auto* frame = qobject_cast<CChildFrame*>(area_->activeSubWindow());
    if (frame == nullptr || IsClosed(*frame)) {
        return nullptr;
    }
    return frame;
}

CZeDialogEditorView* DialogWindows::ActiveView() const {
    CChildFrame* frame = ActiveChildFrame();
    return frame == nullptr ? nullptr : &frame->GetView();
}

CChildFrame* DialogWindows::OpenWindow(std::shared_ptr<CZeDialogEditorDoc> document) {
    auto* frame = new CChildFrame(std::move(document), services_);
    frame->GetView().SetLook(newWindowLook_);
    area_->addSubWindow(frame);
    connect(frame, &CChildFrame::Closed, this, &DialogWindows::ChildFrameClosed);
    connect(&frame->GetView(), &CZeDialogEditorView::ViewportChanged, this,
            &DialogWindows::ViewportChanged);
    frame->setGeometry(CascadeGeometryFor(*frame));
    frame->show();
    area_->setActiveSubWindow(frame);
    UpdateTitles();
    // setActiveSubWindow reports nothing when the main window is not active.
    frame->GetView().OnActivateView();
    PutActiveViewInTabOrder();
    emit WindowsChanged();
    return frame;
}

CChildFrame* DialogWindows::OpenAnotherWindow() {
    CChildFrame* frame = ActiveChildFrame();
    return frame == nullptr ? nullptr : OpenWindow(frame->GetView().SharedDocument());
}

QRect DialogWindows::CascadeGeometryFor(const CChildFrame& frame) const {
    std::vector<QPoint> taken;
    for (QMdiSubWindow* window : area_->subWindowList()) {
        if (window != &frame && !window->isHidden() && !window->isMinimized() &&
            !IsClosed(*window)) {
            taken.push_back(window->pos());
        }
    }
    // One title bar down and right per window. A main window not shown yet
    // has not laid its area out: its size says nothing.
    QStyleOptionTitleBar option;
    option.initFrom(&frame);
    const int step = frame.style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, &frame);
    const QSize area = area_->isVisible() ? area_->viewport()->size() : QSize();
    return CascadeGeometry(taken, kWindowSize, area, step);
}

void DialogWindows::ChildFrameClosed(CChildFrame* frame) {
    frame->setProperty("closed", true);
    CZeDialogEditorDoc& document = frame->GetDocument();
    const std::vector<CChildFrame*> frames = ChildFrames();
    const bool lastOfDocument = std::none_of(frames.begin(), frames.end(), [&](CChildFrame* other) {
        return &other->GetDocument() == &document;
    });
    if (lastOfDocument) {
        document.OnCloseDocument();
    }
    UpdateTitles();
    emit WindowsChanged();
    // A maximized window that closes puts back the main window's title and
    // modified marker as they were when it was maximized, after this call:
    // they are set again once the close is over.
    QMetaObject::invokeMethod(
        this, [this] { emit WindowsChanged(); }, Qt::QueuedConnection);
}

void DialogWindows::SubWindowActivated() {
    if (CZeDialogEditorView* view = ActiveView()) {
        view->OnActivateView();
    }
    PutActiveViewInTabOrder();
    UpdateTitles();
    emit WindowsChanged();
}

void DialogWindows::PutActiveViewInTabOrder() {
    // The windows behind are no stops: Tab would bring them forward one
    // after the other. A click still gives their view the focus.
    CZeDialogEditorView* active = ActiveView();
    for (CChildFrame* frame : ChildFrames()) {
        // The window's frame passes the focus to its view anyway.
        frame->setFocusPolicy(Qt::NoFocus);
        CZeDialogEditorView& view = frame->GetView();
        view.setFocusPolicy(&view == active ? Qt::StrongFocus : Qt::ClickFocus);
    }
    if (active != nullptr && tabPredecessor_ != nullptr) {
        QWidget::setTabOrder(tabPredecessor_, active);
    }
}

void DialogWindows::UpdateTitles() {
    std::map<const CZeDialogEditorDoc*, int> windowsOf;
    const std::vector<CChildFrame*> frames = ChildFrames();
    for (CChildFrame* frame : frames) {
        ++windowsOf[&frame->GetDocument()];
    }
    std::map<const CZeDialogEditorDoc*, int> numbered;
    for (CChildFrame* frame : frames) {
        const CZeDialogEditorDoc* document = &frame->GetDocument();
        QString title = document->DialogTitle();
        if (windowsOf[document] > 1) {
            title += QStringLiteral(":%1").arg(++numbered[document]);
        }
        frame->setWindowTitle(title);
    }
}

void DialogWindows::CloseActiveDocument() {
    if (CChildFrame* frame = ActiveChildFrame()) {
        CloseDocumentWindows(frame->GetDocument());
    }
}

void DialogWindows::CloseDocumentWindows(CZeDialogEditorDoc& document) {
    for (CChildFrame* frame : ChildFrames()) {
        if (&frame->GetDocument() == &document) {
            frame->close();
        }
    }
}

void DialogWindows::CloseDialogWindows(CZeDialogData& dialog) {
    for (CChildFrame* frame : ChildFrames()) {
        if (frame->GetDocument().GetDialog() == &dialog) {
            frame->close();
        }
    }
}

void DialogWindows::CloseAllWindows() {
    for (CChildFrame* frame : ChildFrames()) {
        frame->close();
    }
}

void DialogWindows::DeleteAll() {
    area_->disconnect(this);
    for (CChildFrame* frame : area_->findChildren<CChildFrame*>()) {
        frame->disconnect(this);
        delete frame;
    }
}

void DialogWindows::ArrangeIcons() {
    int x = 0;
    const int bottom = area_->viewport()->height();
    for (QMdiSubWindow* window : area_->subWindowList()) {
        if (window->isMinimized()) {
            window->move(x, bottom - window->height());
            x += window->width();
        }
    }
}

void DialogWindows::RedrawViews() {
    for (CChildFrame* frame : ChildFrames()) {
        frame->GetView().viewport()->update();
    }
}

QWidget* DialogWindows::FocusedPane() const {
    for (QWidget* pane : Panes()) {
        if (pane->isAncestorOf(QApplication::focusWidget()) ||
            pane == QApplication::focusWidget()) {
            return pane;
        }
    }
    return nullptr;
}

std::vector<QWidget*> DialogWindows::Panes() const {
    std::vector<QWidget*> panes;
    if (CZeDialogEditorView* view = ActiveView()) {
        panes.push_back(view);
    }
    for (QDockWidget* bar : paneBars_) {
        if (!bar->isHidden()) {
            panes.push_back(bar->widget());
        }
    }
    return panes;
}

void DialogWindows::FocusPane(int step) {
    const std::vector<QWidget*> panes = Panes();
    if (panes.empty()) {
        return;
    }
    const auto at = std::find(panes.begin(), panes.end(), FocusedPane());
    const int count = static_cast<int>(panes.size());
    const int current =
        at == panes.end() ? (step > 0 ? -1 : 0) : static_cast<int>(at - panes.begin());
    QWidget* next = panes[static_cast<std::size_t>(((current + step) % count + count) % count)];
    next->setFocus(Qt::ShortcutFocusReason);
}

void DialogWindows::ActivateDialogWindow(CZeDialogData& dialog) {
    // Of several windows on the dialog, the active one stays in front.
    CChildFrame* active = ActiveChildFrame();
    if (active != nullptr && active->GetDocument().GetDialog() == &dialog) {
        return;
    }
    for (CChildFrame* frame : ChildFrames()) {
        if (frame->GetDocument().GetDialog() == &dialog) {
            if (frame->isMinimized()) {
                frame->showNormal();
            }
            area_->setActiveSubWindow(frame);
            return;
        }
    }
    auto document = std::make_shared<CZeDialogEditorDoc>(project_);
    if (!document->OnOpenDocument(dialog.GetItem(prop::kName))) {
        return;
    }
    // Two dialogs may share a name after a rename; the window is for this one.
    document->OpenDialog(dialog);
    OpenWindow(std::move(document));
}

}  // namespace ze::app
