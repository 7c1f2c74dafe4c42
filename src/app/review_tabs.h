#pragma once

#include <QObject>
#include <QSize>
#include <string>

class QDockWidget;
class QLabel;

namespace ze {
class CZeResourceData;
class ZeClass;
}  // namespace ze

namespace ze::panels {
class CResourceDlg;
class ChangesWatch;
class FindingsWatch;
}  // namespace ze::panels

namespace ze::app {

class CLogDlg;

// The two tabs of the log pane that review the project, with their counts
// in the status bar: "問題" (the findings of the checks) and "変更" (what
// changed since the project was saved). A finding or change chosen in a
// list picks its element in the panel, as a click in the tree picks, and
// brings its property row forward.
class ReviewTabs : public QObject {
    Q_OBJECT

public:
    ReviewTabs(CZeResourceData& project, CLogDlg& logPane, QDockWidget& logBar,
               panels::CResourceDlg& panel, QLabel& problemsPane, QLabel& changesPane,
               QObject* parent = nullptr);
    ~ReviewTabs() override;

    panels::FindingsWatch& Findings() { return *findings_; }
    panels::ChangesWatch& Changes() { return *changes_; }

    // The "問題" tab: its list and counts follow the checks.
    void ShowFindings();
    void ChooseFinding(int index);
    // The "変更" tab: its count follows every comparison, its list too while
    // it is in sight; a chosen change selects its element (what is left of
    // a removed one's place) and its property.
    void ShowChanges();
    void ChooseChange(int index);

signals:
    // A finding about one device size: the device list shows that size.
    void SizeToReveal(QSize size);

private:
    // Makes the row of property in the property list current, when the
    // element it shows has one of that name.
    void ShowPropertyRow(const ZeClass& element, const std::string& property);
    bool ChangesTabShown() const;
    void FillChangesList();

    CZeResourceData& project_;
    CLogDlg& logPane_;
    QDockWidget& logBar_;
    panels::CResourceDlg& panel_;
    QLabel& problemsPane_;
    QLabel& changesPane_;
    panels::FindingsWatch* findings_;
    panels::ChangesWatch* changes_;
    // The changes were compared while their tab was out of sight: the list
    // is filled when it comes into sight, not for every comparison.
    bool changesListStale_ = false;
};

}  // namespace ze::app
