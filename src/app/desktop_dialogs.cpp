#include "app/desktop_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

#include "app/load_error_dialog.h"

#include "common/cp932.h"
#include "common/qt/sjis_qstring.h"

namespace ze::app {

QWidget* MessageBoxParent(QWidget* fallback) {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    if (QWidget* active = QApplication::activeWindow()) {
        return active;
    }
    return fallback;
}

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
                    QMessageBox::Ok, MessageBoxParent(parent_));
    box.exec();
}

namespace {

std::optional<std::string> Run(QWidget* parent, const FileRequest& request, bool save) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.folder.isEmpty()) {
        dialog.setDirectory(request.folder);
    }
    if (!request.initialName.isEmpty()) {
        dialog.selectFile(request.initialName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first().toStdString();
}

}  // namespace

QString OpenStartFolder(const std::string& projectFile, const std::string& projectFolder,
                        const std::vector<std::string>& recentFiles) {
    QStringList candidates;
    if (!projectFile.empty()) {
        candidates << QFileInfo(QString::fromStdString(projectFile)).absolutePath();
    }
    if (!projectFolder.empty()) {
        candidates << QString::fromStdString(projectFolder);
    }
    if (!recentFiles.empty()) {
        candidates << QFileInfo(QString::fromStdString(recentFiles.front())).absolutePath();
    }
    for (const QString& folder : candidates) {
        if (QFileInfo(folder).isDir()) {
            return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
        }
    }
    return {};
}

std::optional<std::string> QtFileChooser::ChooseSaveFile(const FileRequest& request) {
    return Run(parent_, request, true);
}

std::optional<std::string> QtFileChooser::ChooseOpenFile(const FileRequest& request) {
    return Run(parent_, request, false);
}

const char* const kSaveChangesQuestion =
    QT_TRANSLATE_NOOP("Editor", "プロジェクトは変更されています。保存しますか？");

SaveAnswer QtFileChooser::AskSaveChanges() {
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kMessageBoxTitle),
                    QCoreApplication::translate("Editor", kSaveChangesQuestion),
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

QString RecoveryQuestion(const RecoveryOffer& offer) {
    const QString project = offer.originFile.isEmpty()
                                ? QCoreApplication::translate("Editor", "無題")
                                : QFileInfo(offer.originFile).fileName();
    return QCoreApplication::translate("Editor",
                                       "前回、保存されずに終了した編集が見つかりました。\n\n"
                                       "プロジェクト: %1\n最後の自動保存: %2\n\n"
                                       "「%3」で保存されていないプロジェクトとして読み込みます。")
        .arg(project, QLocale().toString(offer.written, QLocale::ShortFormat),
             QCoreApplication::translate("Editor", kRestoreCaption));
}

RecoveryAnswer QtFileChooser::AskRecover(const RecoveryOffer& offer) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(kMessageBoxTitle),
                    RecoveryQuestion(offer), QMessageBox::NoButton, parent_);
    if (!offer.originFile.isEmpty()) {
        box.setDetailedText(offer.originFile);
    }
    QPushButton* restore = box.addButton(QCoreApplication::translate("Editor", kRestoreCaption),
                                         QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QCoreApplication::translate("Editor", kDiscardCaption),
                                         QMessageBox::DestructiveRole);
    box.setDefaultButton(restore);
    box.exec();
    if (box.clickedButton() == restore) {
        return RecoveryAnswer::kRestore;
    }
    return box.clickedButton() == discard ? RecoveryAnswer::kDiscard : RecoveryAnswer::kLater;
}

void QtFileChooser::ShowLoadError(const QString& file, const std::string& report) {
    CLoadErrorDlg dialog(file, report, parent_);
    dialog.exec();
}

}  // namespace ze::app
