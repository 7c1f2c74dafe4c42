#include "app/panes/findings_list.h"

#include <QCoreApplication>
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
    setHeaderLabels({QCoreApplication::translate("Editor", "ダイアログ", "one dialog"),
                     QCoreApplication::translate("Editor", "要素"),
                     QCoreApplication::translate("Editor", "サイズ"),
                     QCoreApplication::translate("Editor", "プロパティ"),
                     QCoreApplication::translate("Editor", "内容")});
    // The message takes what the others leave.
    header()->setStretchLastSection(true);
    setColumnWidth(kDialogColumn, 120);
    setColumnWidth(kElementColumn, 220);
    setColumnWidth(kSizeColumn, 80);
    setColumnWidth(kPropertyColumn, 100);
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        emit FindingChosen(item->data(kDialogColumn, kIndexRole).toInt());
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
        row->setIcon(kDialogColumn, finding.severity == Severity::kError ? error : warning);
        row->setData(kDialogColumn, kIndexRole, static_cast<int>(i));
        row->setText(kDialogColumn, SjisToQString(finding.dialogName));
        row->setText(kElementColumn, SjisToQString(finding.elementLabel));
        row->setToolTip(kElementColumn, row->text(kElementColumn));
        if (finding.pageWidth != 0 || finding.pageHeight != 0) {
            row->setText(kSizeColumn, QStringLiteral("%1x%2")
                                          .arg(finding.pageWidth)
                                          .arg(finding.pageHeight));
        }
        row->setText(kPropertyColumn, QString::fromStdString(finding.property));
        row->setText(kMessageColumn, SjisToQString(finding.message));
        const QString check =
            QString::fromLatin1(finding.check.data(), static_cast<qsizetype>(finding.check.size()));
        row->setToolTip(kMessageColumn, check + QStringLiteral(": ") + row->text(kMessageColumn));
        rows.push_back(row);
    }
    addTopLevelItems(rows);
    if (top > 0 && top < topLevelItemCount()) {
        scrollToItem(topLevelItem(top), QAbstractItemView::PositionAtTop);
    }
    setUpdatesEnabled(true);
}

}  // namespace ze::app
