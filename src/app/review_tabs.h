#pragma once

#include <QObject>
#include <QSize>
#include <string>

class QDockWidget;
class QLabel;

namespace ze {
class CZeDialogData;
class CZeResourceData;
class ZeClass;
}  // namespace ze

namespace ze::panels {
class ChangesWatch;
class FindingsWatch;
}  // namespace ze::panels

namespace ze::app {

class CLogDlg;

// The two tabs of the log pane that review the project, with their counts
// in the status bar: "問題" (the findings of the checks) and "変更" (what
// changed since the project was saved). A finding or change chosen in a
// list picks its element alone in the project's selection and asks for its
// dialog's window and its property row.
class ReviewTabs : public QObject {
    Q_OBJECT

public:
    ReviewTabs(CZeResourceData& project, CLogDlg& logPane, QDockWidget& logBar,
               QLabel& problemsPane, QLabel& changesPane, QObject* parent = nullptr);
    ~ReviewTabs() override;

    panels::FindingsWatch& Findings() { return *findings_; }
    panels::ChangesWatch& Changes() { return *changes_; }

    // The "問題" tab: its counts follow the checks, its list too while it
    // is in sight.
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
    // A chosen finding or change picked an element of dialog.
    void DialogToShow(ze::CZeDialogData* dialog);
    // The property list, showing the picked element, is to make row current.
    void PropertyRowToShow(int row);

private:
    // Picks element alone and asks for its dialog's window and for the row
    // of property (when the element has one of that name).
    void PickAndShow(ZeClass& element, const std::string& property);
    bool TabShown(int tab) const;
    void FillChangesList();
    void FillProblemsList();

    CZeResourceData& project_;
    CLogDlg& logPane_;
    QDockWidget& logBar_;
    QLabel& problemsPane_;
    QLabel& changesPane_;
    panels::FindingsWatch* findings_;
    panels::ChangesWatch* changes_;
    // The changes were compared while their tab was out of sight: the list
    // is filled when it comes into sight, not for every comparison.
    bool changesListStale_ = false;
    bool problemsListStale_ = false;
};

}  // namespace ze::app
