#include "app/desktop_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

#include "common/cp932.h"
#include "common/qt/sjis_qstring.h"

namespace ze::app {

void QtMessageSink::ShowMessage(const std::string& text, MessageIcon icon) {
    QMessageBox::Icon boxIcon = QMessageBox::NoIcon;
    switch (icon) {
        case MessageIcon::kNone:
            boxIcon = QMessageBox::NoIcon;
            break;
        case MessageIcon::kInformation:
            boxIcon = QMessageBox::Information;
            break;
        case MessageIcon::kWarning:
            boxIcon = QMessageBox::Warning;
            break;
        case MessageIcon::kStop:
            boxIcon = QMessageBox::Critical;
            break;
    }
    QMessageBox box(boxIcon, QString::fromUtf8(kMessageBoxTitle), SjisToQString(text),
                    QMessageBox::Ok, parent_);
    box.exec();
}

namespace {

std::optional<std::string> Run(QWidget* parent, const FileRequest& request, bool save) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.initialName.isEmpty()) {
        dialog.selectFile(request.initialName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first().toStdString();
}

}  // namespace

std::optional<std::string> QtFileChooser::ChooseSaveFile(const FileRequest& request) {
    return Run(parent_, request, true);
}

std::optional<std::string> QtFileChooser::ChooseOpenFile(const FileRequest& request) {
    return Run(parent_, request, false);
}

const char* const kSaveChangesQuestion = "プロジェクトは変更されています。保存しますか？";

SaveAnswer QtFileChooser::AskSaveChanges() {
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kMessageBoxTitle),
                    QString::fromUtf8(kSaveChangesQuestion),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent_);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
        case QMessageBox::Save:
            return SaveAnswer::kSave;
        case QMessageBox::Discard:
            return SaveAnswer::kDiscard;
        default:
            return SaveAnswer::kCancel;
    }
}

}  // namespace ze::app
