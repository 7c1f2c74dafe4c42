#pragma once

#include <QByteArray>
#include <QSize>
#include <QWidget>
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "app/panes/changes_list.h"
#include "app/panes/findings_list.h"
#include "app/panes/image_captions.h"
#include "app/panes/image_list_ctrl.h"
#include "app/panes/image_scan.h"
#include "link/core/log_line.h"

class QTabWidget;
class QTextEdit;

namespace ze::app {

// The pane of the "Log" bar: four image grids, the communication log, the
// project's problems and its unsaved changes, one per tab.
class CLogDlg : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTabCount = 7;
    static constexpr int kLogTab = 4;
    static constexpr int kProblemsTab = 5;
    static constexpr int kChangesTab = 6;
    static constexpr int kInsertTypesTab = 0;
    static constexpr int kClipboardTab = 1;
    // The grid tabs of the two image lists the property list picks from.
    static constexpr int kBuiltInImagesTab = 2;
    static constexpr int kUserImagesTab = 3;

    explicit CLogDlg(QWidget* parent = nullptr);

    // Scans the four image folders again and redraws the grids.
    void RefreshImages(const std::string& programFolder, const std::string& projectFolder);

    void ShowTab(int index);
    int CurrentTab() const;
    // The grid and the list of a grid tab (0..3); std::out_of_range for
    // any other tab.
    CImageListCtrl& Grid(int tab);
    const CDibImageList& Images(int tab) const;

    // The entry selected in the grid of the current tab; nothing on tab 4
    // or without a selection.
    std::optional<PaneEntry> SelectedEntry() const;
    // What the insert buttons insert: the "Clipboard" sample while its tab
    // is shown with it picked, else the type picked in the "挿入オブジェクト"
    // grid, whichever tab is shown; nothing when no type is picked.
    std::optional<PaneEntry> EntryToInsert() const;

    // Writes one line of the communication log (text Shift_JIS) in the
    // kind's colour and scrolls to the bottom.
    void WriteLog(std::string_view text, ze::link::LogKind kind);
    void ClearLog();
    // A read-only QTextEdit without undo history.
    QTextEdit& CommLog();
    // The "問題" tab.
    CFindingsList& Problems() { return *problems_; }
    // The tab caption shows the number of findings.
    void SetProblemCount(std::size_t count);
    // The captions the tabs show: the longest that the pane's width holds
    // uncut, so that the counts stay in sight. The tips always hold the
    // whole caption.
    enum class CaptionLength {
        kFull,   // "挿入オブジェクト", "問題 (3)"
        kBrief,  // "挿入", "問題 (3)"
        kCount,  // "挿入", and "3" beside the problems' icon
    };
    CaptionLength CaptionsShown() const;
    // The "変更" tab, its caption with the number of changes.
    CChangesList& Changes() { return *changes_; }
    void SetChangeCount(std::size_t count);

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

signals:
    // A double click in a grid: the entry kind and its request text
    // (Shift_JIS).
    void EntryChosen(ze::PaneEntryKind kind, const QByteArray& text);
    void CurrentTabChanged(int index);

private:
    QString Caption(int tab, CaptionLength length) const;
    void UpdateCaptions();

    PaneImageLists lists_;
    QTabWidget* tabs_ = nullptr;
    std::array<CImageListCtrl*, 4> grids_{};
    QTextEdit* log_ = nullptr;
    CFindingsList* problems_ = nullptr;
    CChangesList* changes_ = nullptr;
    std::size_t problemCount_ = 0;
    std::size_t changeCount_ = 0;
    CaptionLength captionLength_ = CaptionLength::kFull;
    bool laidOut_ = false;
};

}  // namespace ze::app
