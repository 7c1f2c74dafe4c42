#pragma once

#include <QWidget>
#include <memory>
#include <string>
#include <string_view>

#include "model/editing/edit_result.h"
#include "model/editing/project_observer.h"
#include "model/message_sink.h"

namespace ze {
class CZeResourceData;
class ZeClass;
}  // namespace ze

namespace ze::panels {

class CPropertyListCtrl;
class PropertyCommits;
class ResourcePanelHost;
class SelectionCommands;

// The "プロパティー" page: the property list of what is picked, following
// the project's selection, with its commits and image drops going to the
// model's edit API through the selection commands.
class PropertyPage : public QWidget, private ProjectObserver {
    Q_OBJECT
public:
    PropertyPage(CZeResourceData& project, SelectionCommands& commands, ResourcePanelHost& host,
                 MessageSink& messages, QWidget* parent = nullptr);
    ~PropertyPage() override;

    CPropertyListCtrl& List() { return *list_; }

    // The list shows the selection as it is now (after a reload, when the
    // picks may be new elements at the addresses of old ones).
    void ShowSelection();
    // Nothing is shown; a cell still open closes without storing.
    void ShowNothing();
    // The list's Name row opens for editing when the list shows element.
    void EditName(const ZeClass* element);
    // An image (name Shift_JIS) goes to the list's current row.
    void AssignImageToCurrentRow(PaneEntryKind kind, const std::string& name);
    // The value (Shift_JIS) of element's property name becomes value, as if
    // the user had committed it in the list.
    bool CommitProperty(ZeClass& element, std::string_view name, std::string_view value);
    // The row the list has current becomes row, and the list shows it.
    void ShowRow(int row);

signals:
    // The Name row is about to open: the page wants to be on show.
    void ShowRequested();

private:
    void SelectionChanged(const Selection& selection) override;

    CZeResourceData& project_;
    std::unique_ptr<PropertyCommits> commits_;
    CPropertyListCtrl* list_;
};

}  // namespace ze::panels
