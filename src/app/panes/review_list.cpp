#include "app/panes/review_list.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace ze::app {

namespace {

// Below this the room a view keeps is not worth a new one.
constexpr qsizetype kRenewAbove = 4096;

}  // namespace

CReviewList::CReviewList(const QStringList& moreHeaders, int sizeWidth, QWidget* parent)
    : QWidget(parent), moreHeaders_(moreHeaders), sizeWidth_(sizeWidth) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = NewView(nullptr);
    layout->addWidget(view_);
}

int CReviewList::topLevelItemCount() const {
    return view_->topLevelItemCount();
}

QTreeWidgetItem* CReviewList::topLevelItem(int index) const {
    return view_->topLevelItem(index);
}

QTreeWidget* CReviewList::NewView(const QTreeWidget* columnsOf) {
    auto* view = new QTreeWidget(this);
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setAlternatingRowColors(true);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setHeaderLabels(
        QStringList{QCoreApplication::translate("Editor", "ダイアログ", "one dialog"),
                    QCoreApplication::translate("Editor", "要素"),
                    QCoreApplication::translate("Editor", "サイズ"),
                    QCoreApplication::translate("Editor", "プロパティ"),
                    QCoreApplication::translate("Editor", "内容")} +
        moreHeaders_);
    // The last column takes what the others leave.
    view->header()->setStretchLastSection(true);
    if (columnsOf != nullptr) {
        // Widths the user gave the columns stay.
        view->header()->restoreState(columnsOf->header()->saveState());
    } else {
        view->setColumnWidth(0, 120);
        view->setColumnWidth(1, 220);
        view->setColumnWidth(2, sizeWidth_);
        view->setColumnWidth(3, 100);
    }
    setFocusProxy(view);
    connect(view, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        choosing_ = true;
        emit RowChosen(item->data(0, kReviewIndexRole).toInt());
        choosing_ = false;
    });
    return view;
}

void CReviewList::RenewView() {
    QTreeWidget* old = view_;
    const bool focused = old->hasFocus();
    view_ = NewView(old);
    // The layout hands back its item for the old view, which is ours.
    delete layout()->replaceWidget(old, view_);
    // Deleted now rather than later: the discard of a project gives its
    // memory back right after the lists are emptied.
    delete old;
    held_ = 0;
    if (focused) {
        view_->setFocus();
    }
}

void CReviewList::Refill(const QList<QTreeWidgetItem*>& rows) {
    // Asking for the top row lays every old row out first: not for nothing.
    const int top = rows.isEmpty() ? -1 : view_->indexAt(QPoint(0, 0)).row();
    if (held_ > kRenewAbove && rows.size() < held_ / 4 && !choosing_) {
        RenewView();
    }
    view_->setUpdatesEnabled(false);
    view_->clear();
    view_->addTopLevelItems(rows);
    held_ = std::max(held_, rows.size());
    if (top > 0 && top < view_->topLevelItemCount()) {
        view_->scrollToItem(view_->topLevelItem(top), QAbstractItemView::PositionAtTop);
    }
    view_->setUpdatesEnabled(true);
}

}  // namespace ze::app
