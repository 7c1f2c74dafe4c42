#include "app/panes/review_list.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QTreeWidget>

namespace ze::app {

void SetUpReviewList(QTreeWidget& list, const QStringList& moreHeaders, int sizeWidth) {
    list.setRootIsDecorated(false);
    list.setUniformRowHeights(true);
    list.setAlternatingRowColors(true);
    list.setSelectionMode(QAbstractItemView::SingleSelection);
    list.setHeaderLabels(QStringList{QCoreApplication::translate("Editor", "ダイアログ", "one dialog"),
                                     QCoreApplication::translate("Editor", "要素"),
                                     QCoreApplication::translate("Editor", "サイズ"),
                                     QCoreApplication::translate("Editor", "プロパティ"),
                                     QCoreApplication::translate("Editor", "内容")} +
                         moreHeaders);
    // The last column takes what the others leave.
    list.header()->setStretchLastSection(true);
    list.setColumnWidth(0, 120);
    list.setColumnWidth(1, 220);
    list.setColumnWidth(2, sizeWidth);
    list.setColumnWidth(3, 100);
}

void RefillReviewList(QTreeWidget& list, const QList<QTreeWidgetItem*>& rows) {
    // Asking for the top row lays every old row out first: not for nothing.
    const int top = rows.isEmpty() ? -1 : list.indexAt(QPoint(0, 0)).row();
    list.setUpdatesEnabled(false);
    list.clear();
    list.addTopLevelItems(rows);
    if (top > 0 && top < list.topLevelItemCount()) {
        list.scrollToItem(list.topLevelItem(top), QAbstractItemView::PositionAtTop);
    }
    list.setUpdatesEnabled(true);
}

}  // namespace ze::app
