#include "panels/tree_filter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeView>

#include "common/qt/sjis_qstring.h"
#include "model/property_names.h"
#include "model/ze_class.h"
#include "panels/resource_tree_model.h"

namespace ze::panels {

namespace {

// The items of an element a user looks for it by, besides its tree label.
constexpr std::string_view kSearchedItems[] = {prop::kName, prop::kType,   prop::kLayout,
                                               prop::kText, prop::kTextOn, prop::kTextOff};

}  // namespace

TreeFilter::TreeFilter(QTreeView& tree, ResourceTreeModel& model, QLineEdit& field, QObject* parent)
    : QObject(parent),
      tree_(tree),
      model_(model),
      field_(field),
      expand_([&tree](const QModelIndex& index) { tree.expand(index); }) {
    field_.hide();
    field_.setClearButtonEnabled(true);
    field_.setPlaceholderText(
        QCoreApplication::translate("Editor", "名前・種類・テキストで絞り込み"));
    connect(&field_, &QLineEdit::textChanged, this, &TreeFilter::Apply);
    connect(&field_, &QLineEdit::returnPressed, this, [this] {
        stepped_ = -1;
        const QModelIndex first = NextMatch();
        if (first.isValid()) {
            emit MatchChosen(first);
        }
    });
    // Items that come or go while a text is set are filtered as well.
    connect(&model_, &QAbstractItemModel::rowsInserted, this, &TreeFilter::Reapply,
            Qt::QueuedConnection);
    connect(&model_, &QAbstractItemModel::rowsMoved, this, &TreeFilter::Reapply,
            Qt::QueuedConnection);
    connect(&model_, &QAbstractItemModel::modelReset, this, &TreeFilter::Reapply,
            Qt::QueuedConnection);
    connect(&model_, &QAbstractItemModel::dataChanged, this, &TreeFilter::Reapply,
            Qt::QueuedConnection);
    field_.installEventFilter(this);
}

bool TreeFilter::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &field_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        Close();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void TreeFilter::Open() {
    field_.show();
    field_.setFocus(Qt::ShortcutFocusReason);
    field_.selectAll();
}

void TreeFilter::Close() {
    field_.clear();  // shows every row through Apply
    field_.hide();
    tree_.setFocus(Qt::ShortcutFocusReason);
}

void TreeFilter::Apply(const QString& text) {
    text_ = text.trimmed();
    matches_.clear();
    stepped_ = -1;
    for (int row = 0; row < model_.rowCount(); ++row) {
        FilterBelow(model_.index(row, 0));
    }
}

void TreeFilter::Reapply() {
    if (!text_.isEmpty()) {
        Apply(text_);
    }
}

bool TreeFilter::FilterBelow(const QModelIndex& index) {
    const bool self = !text_.isEmpty() && Matches(index);
    if (self) {
        matches_.emplace_back(index);
    }
    bool below = false;
    for (int row = 0; row < model_.rowCount(index); ++row) {
        below = FilterBelow(model_.index(row, 0, index)) || below;
    }
    const bool shown = text_.isEmpty() || self || below;
    tree_.setRowHidden(index.row(), index.parent(), !shown);
    // An ancestor of a match opens so the match can be seen.
    if (below && !text_.isEmpty() && !tree_.isExpanded(index)) {
        expand_(index);
    }
    return self || below;
}

bool TreeFilter::Matches(const QModelIndex& index) const {
    if (model_.LabelAt(index).contains(text_, Qt::CaseInsensitive)) {
        return true;
    }
    const ZeClass* element = model_.ElementAt(index);
    if (element == nullptr) {
        return false;
    }
    for (const std::string_view name : kSearchedItems) {
        const std::string value = element->GetItem(name);
        if (!value.empty() && SjisToQString(value).contains(text_, Qt::CaseInsensitive)) {
            return true;
        }
    }
    return false;
}

QModelIndex TreeFilter::NextMatch() {
    // Matches whose items went since the filter ran are skipped.
    for (std::size_t tried = 0; tried < matches_.size(); ++tried) {
        stepped_ = (stepped_ + 1) % static_cast<int>(matches_.size());
        const QPersistentModelIndex& match = matches_[static_cast<std::size_t>(stepped_)];
        if (match.isValid()) {
            return match;
        }
    }
    return {};
}

}  // namespace ze::panels
