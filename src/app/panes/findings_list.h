#pragma once

#include <vector>

#include "app/panes/review_list.h"
#include "model/project_checks.h"

namespace ze::app {

// The "問題" tab: one row per finding of the project, with the severity's
// icon, the dialog, the element, the page size of a layout finding, the
// property and the message (its tooltip adds the check's id).
class CFindingsList : public CReviewList {
    Q_OBJECT
public:
    enum Column { kDialogColumn, kElementColumn, kSizeColumn, kPropertyColumn, kMessageColumn };

    explicit CFindingsList(QWidget* parent = nullptr);

    // Shows findings in their order; the row at the top stays where it can.
    void SetFindings(const std::vector<Finding>& findings);

signals:
    // A double click or Enter on the row of findings[index].
    void FindingChosen(int index);
};

}  // namespace ze::app
