#include "app/panes/changes_list.h"

#include <QCoreApplication>
#include <QHeaderView>

#include "common/qt/sjis_qstring.h"

namespace ze::app {

namespace {

constexpr int kIndexRole = Qt::UserRole;

QString KindText(ChangeKind kind) {
    switch (kind) {
        case ChangeKind::kAdded:
            return QCoreApplication::translate("Editor", "追加", "a kind of change");
        case ChangeKind::kRemoved:
            return QCoreApplication::translate("Editor", "削除", "a kind of change");
        case ChangeKind::kMoved:
            return QCoreApplication::translate("Editor", "移動", "a kind of change");
        case ChangeKind::kRenamed:
            return QCoreApplication::translate("Editor", "名前の変更", "a kind of change");
        case ChangeKind::kChanged:
            break;
    }
    return QCoreApplication::translate("Editor", "値の変更", "a kind of change");
}

}  // namespace

CChangesList::CChangesList(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("ChangesList"));
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAlternatingRowColors(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHeaderLabels({QCoreApplication::translate("Editor", "ダイアログ", "one dialog"),
                     QCoreApplication::translate("Editor", "要素"),
                     QCoreApplication::translate("Editor", "サイズ"),
                     QCoreApplication::translate("Editor", "プロパティ"),
                     QCoreApplication::translate("Editor", "内容"),
                     QCoreApplication::translate("Editor", "変更前"),
                     QCoreApplication::translate("Editor", "変更後")});
    header()->setStretchLastSection(true);
    setColumnWidth(kDialogColumn, 120);
    setColumnWidth(kElementColumn, 220);
    setColumnWidth(kSizeColumn, 40);
    setColumnWidth(kPropertyColumn, 100);
    setColumnWidth(kMessageColumn, 90);
    setColumnWidth(kOldColumn, 160);
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        emit ChangeChosen(item->data(kDialogColumn, kIndexRole).toInt());
    });
}

void CChangesList::SetChanges(const std::vector<ProjectChange>& changes) {
    const int top = indexAt(QPoint(0, 0)).row();
    setUpdatesEnabled(false);
    clear();
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(changes.size()));
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const ProjectChange& change = changes[i];
        auto* row = new QTreeWidgetItem;
        row->setData(kDialogColumn, kIndexRole, static_cast<int>(i));
        row->setText(kDialogColumn, SjisToQString(change.dialog));
        row->setText(kElementColumn, SjisToQString(change.path));
        row->setToolTip(kElementColumn, change.newPath.empty()
                                            ? row->text(kElementColumn)
                                            : row->text(kElementColumn) + QStringLiteral(" → ") +
                                                  SjisToQString(change.newPath));
        row->setText(kPropertyColumn, SjisToQString(change.property));
        row->setText(kMessageColumn, KindText(change.kind));
        if (change.hasOld) {
            row->setText(kOldColumn, SjisToQString(change.oldValue));
            row->setToolTip(kOldColumn, row->text(kOldColumn));
        }
        if (change.hasNew) {
            row->setText(kNewColumn, SjisToQString(change.newValue));
            row->setToolTip(kNewColumn, row->text(kNewColumn));
        }
        rows.push_back(row);
    }
    addTopLevelItems(rows);
    if (top > 0 && top < topLevelItemCount()) {
        scrollToItem(topLevelItem(top), QAbstractItemView::PositionAtTop);
    }
    setUpdatesEnabled(true);
}

}  // namespace ze::app
