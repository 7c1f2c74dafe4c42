#include "app/panes/history_pane.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPalette>
#include <QStyle>

#include "app/step_captions.h"
#include "common/qt/sjis_qstring.h"
#include "model/editing/history_edits.h"
#include "model/editing/selection.h"
#include "model/resource_data.h"

namespace ze::app {

CHistoryPane::CHistoryPane(CZeResourceData& project, QWidget* parent)
    : QListWidget(parent), project_(project) {
    setObjectName(QStringLiteral("HistoryPane"));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    project_.Observers().Add(this);
    connect(this, &QListWidget::itemClicked, this, &CHistoryPane::StepChosen);
    connect(this, &QListWidget::itemActivated, this, &CHistoryPane::StepChosen);
    Refresh();
}

CHistoryPane::~CHistoryPane() = default;

void CHistoryPane::Refresh() {
    const CZeDialogData* dialog = project_.GetSelection().Dialog();
    shown_ = dialog;
    const QSignalBlocker quiet(this);
    clear();
    if (dialog == nullptr) {
        return;
    }
    const std::vector<HistoryStep> steps = HistorySteps(project_, *dialog);
    const std::size_t current = AppliedSteps(*dialog) - 1;
    const QIcon savedIcon = style()->standardIcon(QStyle::SP_DialogSaveButton);
    const QColor redoColour = palette().color(QPalette::Disabled, QPalette::Text);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const HistoryStep& step = steps[i];
        auto* item = new QListWidgetItem(i == 0 ? FirstStepCaption() : StepCaption(step.name));
        QStringList tips;
        if (step.saved) {
            item->setIcon(savedIcon);
            tips << QCoreApplication::translate("History", "保存した状態");
        }
        if (!step.linkedDialog.empty()) {
            tips << QCoreApplication::translate(
                        "History", "ダイアログ「%1」の手順と一緒に元に戻し、やり直します")
                        .arg(SjisToQString(step.linkedDialog));
        }
        if (!tips.isEmpty()) {
            item->setToolTip(tips.join(QLatin1Char('\n')));
        }
        if (!step.applied) {
            item->setForeground(redoColour);
        }
        if (i == current) {
            QFont font = item->font();
            font.setBold(true);
            item->setFont(font);
        }
        addItem(item);
    }
    setCurrentRow(static_cast<int>(current));
    scrollToItem(currentItem());
}

void CHistoryPane::StepChosen(const QListWidgetItem* item) {
    CZeDialogData* dialog = project_.GetSelection().Dialog();
    const int row = item != nullptr ? this->row(item) : -1;
    if (dialog == nullptr || dialog != shown_ || row < 0) {
        return;
    }
    // Steps to the state after the chosen step; the notifications list the
    // steps again.
    StepHistoryTo(project_, *dialog, static_cast<std::size_t>(row) + 1);
    // A click on the current step changes nothing: it stays marked.
    setCurrentRow(static_cast<int>(AppliedSteps(*dialog)) - 1);
}

void CHistoryPane::HistoryMoved(CZeDialogData& dialog) {
    if (&dialog == shown_ || &dialog == project_.GetSelection().Dialog()) {
        Refresh();
    }
}

void CHistoryPane::SelectionChanged(const Selection& selection) {
    if (selection.Dialog() != shown_) {
        Refresh();
    }
}

void CHistoryPane::DialogRemoving(CZeDialogData& dialog) {
    if (&dialog == shown_) {
        shown_ = nullptr;
        const QSignalBlocker quiet(this);
        clear();
    }
}

void CHistoryPane::ProjectEmptied() {
    shown_ = nullptr;
    const QSignalBlocker quiet(this);
    clear();
}

void CHistoryPane::DialogRenamed(CZeDialogData& /*dialog*/) {
    // Another dialog's Name shows beside the steps made with it.
    if (shown_ != nullptr) {
        Refresh();
    }
}

}  // namespace ze::app
