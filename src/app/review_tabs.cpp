#include "app/review_tabs.h"

#include <QCoreApplication>
#include <QDockWidget>
#include <QLabel>

#include "app/panes/log_dlg.h"
#include "common/cp932.h"
#include "model/editing/element_lookup.h"
#include "model/editing/selection.h"
#include "model/item_list.h"
#include "model/project_diff.h"
#include "model/resource_data.h"
#include "panels/changes_watch.h"
#include "panels/findings_watch.h"

namespace ze::app {

ReviewTabs::ReviewTabs(CZeResourceData& project, CLogDlg& logPane, QDockWidget& logBar,
                       QLabel& problemsPane, QLabel& changesPane, QObject* parent)
    : QObject(parent),
      project_(project),
      logPane_(logPane),
      logBar_(logBar),
      problemsPane_(problemsPane),
      changesPane_(changesPane),
      findings_(new panels::FindingsWatch(project, this)),
      changes_(new panels::ChangesWatch(project, this)) {
    connect(findings_, &panels::FindingsWatch::Updated, this, &ReviewTabs::ShowFindings);
    connect(&logPane_.Problems(), &CFindingsList::FindingChosen, this, &ReviewTabs::ChooseFinding);
    connect(changes_, &panels::ChangesWatch::Updated, this, &ReviewTabs::ShowChanges);
    connect(&logPane_.Changes(), &CChangesList::ChangeChosen, this, &ReviewTabs::ChooseChange);
    for (void (ReviewTabs::*fill)() :
         {&ReviewTabs::FillChangesList, &ReviewTabs::FillProblemsList}) {
        connect(&logPane_, &CLogDlg::CurrentTabChanged, this, fill);
        connect(&logBar_, &QDockWidget::visibilityChanged, this, fill);
    }
}

ReviewTabs::~ReviewTabs() {
    // Both watch the project: they let go of it before the panel and the log
    // pane they fill do.
    delete findings_;
    delete changes_;
}

void ReviewTabs::ShowFindings() {
    const FindingCounts counts = findings_->Counts();
    problemsListStale_ = true;
    FillProblemsList();
    logPane_.SetProblemCount(counts.errors + counts.warnings);
    // Each count with its own %n, so that the English reads "1 error".
    const int errors = static_cast<int>(counts.errors);
    const int warnings = static_cast<int>(counts.warnings);
    // No project, no count: "0 errors" would claim something was checked.
    if (!findings_->HasProject()) {
        problemsPane_.clear();
        return;
    }
    problemsPane_.setText(QCoreApplication::translate("Editor", "エラー %n 件", nullptr, errors) +
                          QStringLiteral(" / ") +
                          QCoreApplication::translate("Editor", "警告 %n 件", nullptr, warnings));
}

void ReviewTabs::ChooseFinding(int index) {
    const std::vector<Finding>& findings = findings_->Findings();
    if (index < 0 || static_cast<std::size_t>(index) >= findings.size()) {
        return;
    }
    const Finding& finding = findings[static_cast<std::size_t>(index)];
    if (finding.element == nullptr) {
        // A file of the project folder: shown in the user images, when it
        // is one of them.
        if (!finding.file.empty()) {
            logPane_.ShowTab(CLogDlg::kUserImagesTab);
            logPane_.Grid(CLogDlg::kUserImagesTab).SelectByName(Utf8ToCp932(finding.file));
        }
        return;
    }
    // The list may be a moment old: an element that has left the project
    // since is not selected.
    ZeClass* element = nullptr;
    if (finding.dialog == nullptr) {
        element = finding.element == &project_ ? &project_ : nullptr;
    } else if (project_.GetDialogs().IndexOf(finding.dialog) >= 0 &&
               IsInTree(*finding.dialog, *finding.element)) {
        element = const_cast<ZeClass*>(finding.element);
    }
    if (element == nullptr) {
        return;
    }
    if (finding.pageWidth != 0) {
        emit SizeToReveal(QSize(finding.pageWidth, finding.pageHeight));
    }
    PickAndShow(*element, finding.property);
}

void ReviewTabs::PickAndShow(ZeClass& element, const std::string& property) {
    // Picked alone, as a click in the tree picks.
    Select(project_, &element);
    if (element.GetKind() != ElementKind::kProject) {
        emit DialogToShow(project_.GetSelection().Dialog());
    }
    if (property.empty()) {
        return;
    }
    const CItemList& items = element.Items();
    for (std::size_t row = 0; row < items.GetItemCount(); ++row) {
        if (items.GetItemData(row).GetName() == property) {
            emit PropertyRowToShow(static_cast<int>(row));
            break;
        }
    }
}

bool ReviewTabs::TabShown(int tab) const {
    return logPane_.CurrentTab() == tab && !logBar_.isHidden();
}

// Thousands of rows cost more to list than to count: a list is filled while
// its tab is in sight, or when it is empty (cheap, and it shows at once that
// nothing is left).
void ReviewTabs::FillProblemsList() {
    if (problemsListStale_ && (findings_->Findings().empty() || TabShown(CLogDlg::kProblemsTab))) {
        problemsListStale_ = false;
        logPane_.Problems().SetFindings(findings_->Findings());
    }
}

void ReviewTabs::FillChangesList() {
    if (changesListStale_ && (changes_->Changes().empty() || TabShown(CLogDlg::kChangesTab))) {
        changesListStale_ = false;
        logPane_.Changes().SetChanges(changes_->Changes());
    }
}

void ReviewTabs::ShowChanges() {
    const std::size_t count = changes_->Changes().size();
    logPane_.SetChangeCount(count);
    const int changes = static_cast<int>(count);
    changesPane_.setText(QCoreApplication::translate("Editor", "変更 %n 件", nullptr, changes));
    changesListStale_ = true;
    FillChangesList();
}

void ReviewTabs::ChooseChange(int index) {
    const std::vector<ProjectChange>& changes = changes_->Changes();
    if (index < 0 || static_cast<std::size_t>(index) >= changes.size()) {
        return;
    }
    const ProjectChange& change = changes[static_cast<std::size_t>(index)];
    if (ZeClass* element = ElementOfChange(project_, change)) {
        PickAndShow(*element, change.property);
    }
}

}  // namespace ze::app
