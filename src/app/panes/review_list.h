#pragma once

#include <QList>
#include <QStringList>
#include <QTreeWidget>
#include <QWidget>

namespace ze::app {

// What the "問題" and "変更" lists share: the first five columns (dialog,
// element, size, property, message) with their widths, one row picked at a
// time, and a refill that keeps the row at the top in view.
//
// The rows are shown by a tree view inside. A tree view keeps the room of
// the most rows it has held for good (its row layout and its model's list
// of children only grow), a large project's hundreds of thousands; when
// the rows drop to a small part of that, a new view takes the old one's
// place, with its columns as they were.
class CReviewList : public QWidget {
    Q_OBJECT
public:
    // The view that shows the rows now; another after a refill that renews
    // it.
    QTreeWidget& View() const { return *view_; }
    // The rows, as the view has them.
    int topLevelItemCount() const;
    QTreeWidgetItem* topLevelItem(int index) const;

signals:
    // A double click or Enter on the row filled from index.
    void RowChosen(int index);

protected:
    // The five shared columns, then moreHeaders; sizeWidth is the width of
    // the size column.
    CReviewList(const QStringList& moreHeaders, int sizeWidth, QWidget* parent);

    // Replaces the rows with rows (taken over) in one repaint; each row
    // holds its index at kReviewIndexRole of column 0.
    void Refill(const QList<QTreeWidgetItem*>& rows);

private:
    // A view with the columns of the one it replaces (or of the setup).
    QTreeWidget* NewView(const QTreeWidget* columnsOf);
    void RenewView();

    QStringList moreHeaders_;
    int sizeWidth_ = 0;
    QTreeWidget* view_ = nullptr;
    // The most rows view_ has held.
    qsizetype held_ = 0;
    // A view is not deleted from within its own signal.
    bool choosing_ = false;
};

// The role that holds a row's index into the list it was filled from.
inline constexpr int kReviewIndexRole = Qt::UserRole;

}  // namespace ze::app
