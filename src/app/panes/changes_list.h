#pragma once

#include <vector>

#include "app/panes/review_list.h"
#include "model/project_diff.h"

namespace ze::app {

// The "変更" tab: one row per change since the project was last read or
// saved, in the columns of the "問題" tab (the size left empty, the kind of
// change in the message's place) followed by the old and the new value.
class CChangesList : public CReviewList {
    Q_OBJECT
public:
    enum Column {
        kDialogColumn,
        kElementColumn,
        kSizeColumn,
        kPropertyColumn,
        kMessageColumn,
        kOldColumn,
        kNewColumn
    };

    explicit CChangesList(QWidget* parent = nullptr);

    // Shows changes in their order; the row at the top stays where it can.
    void SetChanges(const std::vector<ProjectChange>& changes);

signals:
    // A double click or Enter on the row of changes[index].
    void ChangeChosen(int index);
};

}  // namespace ze::app
