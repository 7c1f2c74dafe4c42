#pragma once

#include <QString>
#include <string_view>

namespace ze {
class CZeDialogData;
class CZeResourceData;
}  // namespace ze

namespace ze::app {

// The document of an editing window: it stands for one dialog of the
// project. The dialog belongs to the project, never to the document.
class CZeDialogEditorDoc {
public:
    explicit CZeDialogEditorDoc(CZeResourceData& project);

    // Creates a dialog named "Dialog" (made unique) in the project and
    // stands for it. The main window then refreshes the resource panel.
    bool OnNewDocument();
    // Stands for the dialog of the project named name; false, and nothing
    // changed, when there is none. Files are never opened through documents.
    bool OnOpenDocument(std::string_view name);
    // Stands for dialog itself (the resource panel opens the window of the
    // dialog the user picked, whatever other dialog shares its name).
    void OpenDialog(CZeDialogData& dialog);
    // Forgets the dialog.
    void OnCloseDocument();

    CZeDialogData* GetDialog() const { return dialog_; }
    CZeResourceData& GetProject() const { return project_; }

    bool IsModified() const { return modified_; }
    void SetModifiedFlag(bool modified) { modified_ = modified; }

    // The dialog's Name as the windows show it (UTF-8); empty without one.
    QString DialogTitle() const;

private:
    CZeResourceData& project_;
    CZeDialogData* dialog_ = nullptr;
    bool modified_ = false;
};

}  // namespace ze::app
