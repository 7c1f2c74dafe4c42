#include "app/panes/findings_list.h"

#include <QStyle>
#include <QTreeWidgetItem>

#include "common/qt/sjis_qstring.h"

namespace ze::app {

CFindingsList::CFindingsList(QWidget* parent) : CReviewList({}, 80, parent) {
    setObjectName(QStringLiteral("FindingsList"));
    connect(this, &CReviewList::RowChosen, this, &CFindingsList::FindingChosen);
}

void CFindingsList::SetFindings(const std::vector<Finding>& findings) {
    const QIcon error = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(findings.size()));
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const Finding& finding = findings[i];
        auto* row = new QTreeWidgetItem;
        row->setIcon(kDialogColumn, finding.severity == Severity::kError ? error : warning);
        row->setData(kDialogColumn, kReviewIndexRole, static_cast<int>(i));
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
    Refill(rows);
}

}  // namespace ze::app
