#include "app/dialog_document.h"

#include "common/cp932.h"
#include "common/qt/sjis_qstring.h"
#include "model/editing/tree_edits.h"
#include "model/property_names.h"
#include "model/resource_data.h"

namespace ze::app {

CZeDialogEditorDoc::CZeDialogEditorDoc(CZeResourceData& project) : project_(project) {}

bool CZeDialogEditorDoc::OnNewDocument() {
    modified_ = false;
    dialog_ = NewDialog(project_);
    return dialog_ != nullptr;
}

bool CZeDialogEditorDoc::OnOpenDocument(std::string_view name) {
    CZeDialogData* dialog = project_.GetDialogs().FindDialog(name);
    if (dialog == nullptr) {
        return false;
    }
    dialog_ = dialog;
    modified_ = false;
    return true;
}

void CZeDialogEditorDoc::OpenDialog(CZeDialogData& dialog) {
    dialog_ = &dialog;
    modified_ = false;
}

void CZeDialogEditorDoc::OnCloseDocument() {
    dialog_ = nullptr;
}

QString CZeDialogEditorDoc::DialogTitle() const {
    if (dialog_ == nullptr) {
        return {};
    }
    return SjisToQString(dialog_->GetItem(prop::kName));
}

}  // namespace ze::app
