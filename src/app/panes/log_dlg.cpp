#include "app/panes/log_dlg.h"

#include <QColor>
#include <QCoreApplication>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>
#include <stdexcept>

#include "common/cp932.h"
#include "panels/focus_ring.h"

namespace ze::app {

namespace {

// Each tab's caption, and the short one a bar too narrow for the whole
// captions shows, in tab order.
struct TabCaption {
    const char* full;
    const char* brief;
};

constexpr std::array<TabCaption, CLogDlg::kTabCount> kTabCaptions{{
    {QT_TRANSLATE_NOOP("Editor", "挿入オブジェクト"), QT_TRANSLATE_NOOP("Editor", "挿入")},
    {QT_TRANSLATE_NOOP("Editor", "クリップボード"), QT_TRANSLATE_NOOP("Editor", "クリップ")},
    {QT_TRANSLATE_NOOP("Editor", "標準画像(BUILTIN)"), QT_TRANSLATE_NOOP("Editor", "標準")},
    {QT_TRANSLATE_NOOP("Editor", "ユーザ登録画像(STATION)"), QT_TRANSLATE_NOOP("Editor", "ユーザ")},
    {QT_TRANSLATE_NOOP("Editor", "通信ログ"), QT_TRANSLATE_NOOP("Editor", "ログ")},
    {QT_TRANSLATE_NOOP("Editor", "問題"), QT_TRANSLATE_NOOP("Editor", "問題")},
    {QT_TRANSLATE_NOOP("Editor", "変更"), QT_TRANSLATE_NOOP("Editor", "変更")},
}};

// The grid mode of each grid tab, in tab order.
constexpr std::array<int, 4> kGridModes{kObjectsMode, kClipboardMode, kBuiltInMode, kUserMode};

// The list shown on a grid tab; the lists are kept in tab order.
template <typename Lists>
auto& ListIn(Lists& lists, int tab) {
    switch (tab) {
        case 0:
            return lists.objects;
        case 1:
            return lists.clipboard;
        case 2:
            return lists.builtIn;
        case 3:
            return lists.user;
        default:
            throw std::out_of_range("CLogDlg: no image list on this tab");
    }
}

// "問題 (3)": the caption with a count that is not zero.
QString CountedCaption(const char* caption, std::size_t count) {
    const QString text = QCoreApplication::translate("Editor", caption);
    return count == 0 ? text : QStringLiteral("%1 (%2)").arg(text).arg(count);
}

// 210 twips.
constexpr double kLogPointSize = 10.5;

}  // namespace

CLogDlg::CLogDlg(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    tabs_ = new QTabWidget(this);
    layout->addWidget(tabs_);
    for (std::size_t tab = 0; tab < kGridModes.size(); ++tab) {
        auto* grid = new CImageListCtrl(kGridModes[tab], tabs_);
        grid->SetList(&ListIn(lists_, static_cast<int>(tab)));
        connect(grid, &CImageListCtrl::EntryChosen, this, &CLogDlg::EntryChosen);
        grids_[tab] = grid;
        tabs_->addTab(grid, QString());
    }
    log_ = new QTextEdit(tabs_);
    log_->setReadOnly(true);
    log_->setAcceptRichText(false);
    // The log only grows; an undo history of it would grow alongside.
    log_->setUndoRedoEnabled(false);
    log_->setLineWrapMode(QTextEdit::NoWrap);
    QFont font = PaneFont(14);
    font.setPointSizeF(kLogPointSize);
    log_->setFont(font);
    log_->document()->setDefaultFont(font);
    tabs_->addTab(log_, QString());
    problems_ = new CFindingsList(tabs_);
    tabs_->addTab(problems_, QString());
    changes_ = new CChangesList(tabs_);
    tabs_->addTab(changes_, QString());
    connect(tabs_, &QTabWidget::currentChanged, this, &CLogDlg::CurrentTabChanged);
    // Every tab stays in sight: a narrow bar shows the short captions
    // rather than hiding the last tabs behind scroll arrows, and cuts them
    // only when even those do not fit; the tip keeps the whole caption.
    tabs_->setUsesScrollButtons(false);
    tabs_->setElideMode(Qt::ElideRight);
    UpdateCaptions();
    // The focus shows as it does in the resource panel.
    panels::FocusRing::Attach(*tabs_->tabBar());
    panels::FocusRing::Attach(*log_);
    panels::FocusRing::Attach(*problems_);
    panels::FocusRing::Attach(*changes_);
    for (CImageListCtrl* grid : grids_) {
        panels::FocusRing::Attach(*grid);
    }
}

void CLogDlg::SetProblemCount(std::size_t count) {
    problemCount_ = count;
    UpdateCaptions();
}

void CLogDlg::SetChangeCount(std::size_t count) {
    changeCount_ = count;
    UpdateCaptions();
}

QString CLogDlg::Caption(int tab, CaptionLength length) const {
    const TabCaption& caption = kTabCaptions.at(static_cast<std::size_t>(tab));
    const char* text = length == CaptionLength::kFull ? caption.full : caption.brief;
    if (tab != kProblemsTab && tab != kChangesTab) {
        return QCoreApplication::translate("Editor", text);
    }
    const std::size_t count = tab == kProblemsTab ? problemCount_ : changeCount_;
    if (length == CaptionLength::kCount && count != 0) {
        return QString::number(count);
    }
    return CountedCaption(text, count);
}

CLogDlg::CaptionLength CLogDlg::CaptionsShown() const {
    return captionLength_;
}

void CLogDlg::UpdateCaptions() {
    const auto show = [this](CaptionLength length) {
        for (int tab = 0; tab < kTabCount; ++tab) {
            tabs_->setTabText(tab, Caption(tab, length));
        }
        // A count alone says what it counts by its icon.
        const bool icons = length == CaptionLength::kCount;
        tabs_->setTabIcon(kProblemsTab,
                          icons ? style()->standardIcon(QStyle::SP_MessageBoxWarning) : QIcon());
        tabs_->setTabIcon(kChangesTab,
                          icons ? style()->standardIcon(QStyle::SP_DialogSaveButton) : QIcon());
        captionLength_ = length;
    };
    // The bar's size hint is what the captions take side by side, uncut;
    // before its first layout the pane has no width of its own yet.
    for (const CaptionLength length :
         {CaptionLength::kFull, CaptionLength::kBrief, CaptionLength::kCount}) {
        show(length);
        if (!laidOut_ || tabs_->tabBar()->sizeHint().width() <= width()) {
            break;
        }
    }
    for (int tab = 0; tab < kTabCount; ++tab) {
        tabs_->setTabToolTip(tab, Caption(tab, CaptionLength::kFull));
    }
}

void CLogDlg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    laidOut_ = true;
    UpdateCaptions();
}

void CLogDlg::RefreshImages(const std::string& programFolder, const std::string& projectFolder) {
    ScanPaneImages(programFolder, projectFolder, lists_);
    for (std::size_t tab = 0; tab < grids_.size(); ++tab) {
        grids_[tab]->SetList(&ListIn(lists_, static_cast<int>(tab)));
    }
}

void CLogDlg::ShowTab(int index) {
    if (index >= 0 && index < kTabCount) {
        tabs_->setCurrentIndex(index);
    }
}

int CLogDlg::CurrentTab() const {
    return tabs_->currentIndex();
}

CImageListCtrl& CLogDlg::Grid(int tab) {
    return *grids_.at(static_cast<std::size_t>(tab));
}

const CDibImageList& CLogDlg::Images(int tab) const {
    return ListIn(lists_, tab);
}

std::optional<PaneEntry> CLogDlg::EntryToInsert() const {
    if (CurrentTab() == kClipboardTab) {
        if (std::optional<PaneEntry> entry = grids_[kClipboardTab]->SelectedEntry()) {
            return entry;
        }
    }
    return grids_[kInsertTypesTab]->SelectedEntry();
}

std::optional<PaneEntry> CLogDlg::SelectedEntry() const {
    const int tab = CurrentTab();
    if (tab < 0 || tab >= static_cast<int>(grids_.size())) {
        return std::nullopt;
    }
    return grids_[static_cast<std::size_t>(tab)]->SelectedEntry();
}

void CLogDlg::WriteLog(std::string_view text, ze::link::LogKind kind) {
    const std::string line = Cp932ToUtf8(ze::link::FormatLogLine(text, kind));
    const ze::link::LogColour colour = ze::link::LogColourOf(kind);
    QTextCharFormat format;
    format.setForeground(QColor(colour.red, colour.green, colour.blue));
    QTextCursor cursor = log_->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())), format);
    log_->setTextCursor(cursor);
    QScrollBar* bar = log_->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void CLogDlg::ClearLog() {
    log_->clear();
}

QTextEdit& CLogDlg::CommLog() {
    return *log_;
}

QSize CLogDlg::sizeHint() const {
    return QSize(600, 180);
}

}  // namespace ze::app
