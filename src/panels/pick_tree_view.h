#pragma once

#include <QPersistentModelIndex>
#include <QTreeView>
#include <functional>

namespace ze::panels {

// The resource tree's view. A plain press on an item whose element is one
// of several picked ones keeps the picks, so that a drag takes them all; the
// press picks that element alone only when the button comes up without a
// drag (PickReleased), as in Qt Designer and file managers.
class PickTreeView : public QTreeView {
    Q_OBJECT
public:
    explicit PickTreeView(QWidget* parent = nullptr) : QTreeView(parent) {}

    // Whether a plain press on index keeps the picks.
    void SetKeepsPicks(std::function<bool(const QModelIndex&)> keepsPicks) {
        keepsPicks_ = std::move(keepsPicks);
    }

signals:
    void PickReleased(const QModelIndex& index);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::function<bool(const QModelIndex&)> keepsPicks_;
    // The item of a press that kept the picks, until its release.
    QPersistentModelIndex held_;
};

}  // namespace ze::panels
