#pragma once

#include <QList>
#include <QStringList>

class QTreeWidget;
class QTreeWidgetItem;

namespace ze::app {

// What the "問題" and "変更" lists share: the first five columns (dialog,
// element, size, property, message) with their widths, one row picked at a
// time, and a refill that keeps the row at the top in view.

// The role that holds a row's index into the list it was filled from.
inline constexpr int kReviewIndexRole = Qt::UserRole;

// Sets list up with the five shared columns, then moreHeaders; sizeWidth is
// the width of the size column.
void SetUpReviewList(QTreeWidget& list, const QStringList& moreHeaders, int sizeWidth);
// Replaces the rows of list with rows (taken over) in one repaint.
void RefillReviewList(QTreeWidget& list, const QList<QTreeWidgetItem*>& rows);

}  // namespace ze::app
