#include "app/panes/findings_list.h"

#include <QHeaderView>
#include <QStyle>

#include "common/qt/sjis_qstring.h"

namespace ze::app {

namespace {

constexpr int kIndexRole = Qt::UserRole;

}  // namespace

CFindingsList::CFindingsList(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("FindingsList"));
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAlternatingRowColors(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHeaderLabels({QStringLiteral("内容"), QStringLiteral("ダイアログ"), QStringLiteral("要素"),
                     QStringLiteral("プロパティ"), QStringLiteral("種類")});
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(kMessageColumn, QHeaderView::Stretch);
    setColumnWidth(kDialogColumn, 110);
    setColumnWidth(kElementColumn, 200);
    setColumnWidth(kPropertyColumn, 100);
    setColumnWidth(kCheckColumn, 150);
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        emit FindingChosen(item->data(kMessageColumn, kIndexRole).toInt());
    });
}

void CFindingsList::SetFindings(const std::vector<Finding>& findings) {
    const int top = indexAt(QPoint(0, 0)).row();
    const QIcon error = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    setUpdatesEnabled(false);
    clear();
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(findings.size()));
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const Finding& finding = findings[i];
        auto* row = new QTreeWidgetItem;
        row->setIcon(kMessageColumn, finding.severity == Severity::kError ? error : warning);
        row->setText(kMessageColumn, SjisToQString(finding.message));
        row->setToolTip(kMessageColumn, row->text(kMessageColumn));
        row->setData(kMessageColumn, kIndexRole, static_cast<int>(i));
        row->setText(kDialogColumn, SjisToQString(finding.dialogName));
        row->setText(kElementColumn, SjisToQString(finding.elementLabel));
        row->setText(kPropertyColumn, QString::fromStdString(finding.property));
        row->setText(kCheckColumn,
                     QString::fromLatin1(finding.check.data(),
                                         static_cast<qsizetype>(finding.check.size())));
        rows.push_back(row);
    }
    addTopLevelItems(rows);
    if (top > 0 && top < topLevelItemCount()) {
        scrollToItem(topLevelItem(top), QAbstractItemView::PositionAtTop);
    }
    setUpdatesEnabled(true);
}

}  // namespace ze::app
