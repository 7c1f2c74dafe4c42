#include "app/panes/changes_list.h"

#include <QCoreApplication>
#include <QTreeWidget>

#include "common/qt/sjis_qstring.h"

namespace ze::app {

namespace {

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

CChangesList::CChangesList(QWidget* parent)
    : CReviewList({QCoreApplication::translate("Editor", "変更前"),
                   QCoreApplication::translate("Editor", "変更後")},
                  40, parent) {
    setObjectName(QStringLiteral("ChangesList"));
    View().setColumnWidth(kMessageColumn, 90);
    View().setColumnWidth(kOldColumn, 160);
    connect(this, &CReviewList::RowChosen, this, &CChangesList::ChangeChosen);
}

void CChangesList::SetChanges(const std::vector<ProjectChange>& changes) {
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(changes.size()));
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const ProjectChange& change = changes[i];
        auto* row = new QTreeWidgetItem;
        row->setData(kDialogColumn, kReviewIndexRole, static_cast<int>(i));
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
    Refill(rows);
}

}  // namespace ze::app
