#pragma once

#include <QObject>
#include <QPersistentModelIndex>
#include <QString>
#include <functional>
#include <vector>

class QLineEdit;
class QTreeView;

namespace ze::panels {

class ResourceTreeModel;

// The find field above the resource tree. While it holds text, the tree
// shows only the items that match (their label, or the element's Name, type
// or user-visible texts contain the text, letter case ignored) and their
// ancestors; the other rows are hidden, not removed, so every index the
// panel holds stays valid. The matches are kept in tree order for stepping
// through them.
class TreeFilter : public QObject {
    Q_OBJECT
public:
    TreeFilter(QTreeView& tree, ResourceTreeModel& model, QLineEdit& field,
               QObject* parent = nullptr);

    // Shows the field and puts the keyboard focus in it, its text selected.
    void Open();
    // Empties and hides the field and shows every row again.
    void Close();
    // Hides the rows that do not match text (none for an empty text).
    void Apply(const QString& text);
    const QString& Text() const { return text_; }
    // The matching items in tree order.
    const std::vector<QPersistentModelIndex>& Matches() const { return matches_; }
    // The match after the one last stepped to (the first one after the
    // text changed), wrapping round; invalid when nothing matches.
    QModelIndex NextMatch();
    // How an ancestor of a match is opened (by default the view expands it).
    void SetExpander(std::function<void(const QModelIndex&)> expand) {
        expand_ = std::move(expand);
    }

signals:
    // Enter in the field (the first match), or F3 (the next): index is the
    // match to select.
    void MatchChosen(const QModelIndex& index);

protected:
    // Escape in the field closes it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Whether anything at or below index matches; hides what does not.
    bool FilterBelow(const QModelIndex& index);
    bool Matches(const QModelIndex& index) const;
    void Reapply();

    QTreeView& tree_;
    ResourceTreeModel& model_;
    QLineEdit& field_;
    QString text_;
    std::vector<QPersistentModelIndex> matches_;
    int stepped_ = -1;
    std::function<void(const QModelIndex&)> expand_;
};

}  // namespace ze::panels
