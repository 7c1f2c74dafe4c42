#include "app/project_file_commands.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <QTimer>
#include <algorithm>
#include <utility>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "app/desktop_dialogs.h"
#include "app/recent_file_list.h"
#include "common/qt/sjis_qstring.h"
#include "common/read_file.h"
#include "model/dialog_data.h"
#include "model/editing/save_point.h"
#include "model/editing/tree_edits.h"
#include "model/message_sink.h"
#include "model/mo_stream.h"
#include "model/property_names.h"
#include "model/resource_data.h"
#include "panels/file_error_text.h"

namespace ze::app {

namespace {

// The log line stays Japanese like every log line; the status bar and the
// message box speak the user's language. The model says the same (its
// context, "Messages", holds their translations).
constexpr const char* kSavedMessage = QT_TRANSLATE_NOOP("Messages", "ファイルを保存しました。");
constexpr const char* kNotSavedMessage =
    QT_TRANSLATE_NOOP("Messages", "ファイルを保存できませんでした。");

// Renamed dialogs named in the status text; more are counted.
constexpr std::size_t kRenamesNamed = 3;

// "3 個のダイアログを追加しました (Dialog → Dialog2)": what a file opened
// into a project added, and which dialogs got another name than the file's.
QString DialogsAddedText(std::size_t added,
                         const std::vector<std::pair<std::string, std::string>>& renamed) {
    // Counts as plain ints: lupdate does not find a text whose call holds a cast.
    const int count = static_cast<int>(added);
    QString text =
        QCoreApplication::translate("Editor", "%n 個のダイアログを追加しました", nullptr, count);
    if (renamed.empty()) {
        return text;
    }
    QStringList names;
    for (std::size_t i = 0; i < renamed.size() && i < kRenamesNamed; ++i) {
        names << SjisToQString(renamed[i].first) + QStringLiteral(" → ") +
                     SjisToQString(renamed[i].second);
    }
    if (renamed.size() > kRenamesNamed) {
        const int more = static_cast<int>(renamed.size() - kRenamesNamed);
        names << QCoreApplication::translate("Editor", "ほか %n 件", nullptr, more);
    }
    return text + QStringLiteral(" (") + names.join(QStringLiteral(", ")) + QLatin1Char(')');
}

// A discarded large project leaves its pages with the allocator; glibc
// keeps them from the system unless asked.
void GiveBackFreedMemory() {
#if defined(__GLIBC__)
    ::malloc_trim(0);
#endif
}

// glibc raises its trim threshold to twice the largest block it has given
// back (up to 64 MB), and keeps that much of the free top of an arena
// resident; malloc_trim trims the top of the main arena only, not of the
// arenas of other threads (the layout checks measure on one). A fixed
// threshold lets the frees of a discarded project give those pages back.
void KeepTrimmingFreedMemory() {
#if defined(__GLIBC__)
    constexpr int kTrimThreshold = 4 * 1024 * 1024;
    ::mallopt(M_TRIM_THRESHOLD, kTrimThreshold);
#endif
}

}  // namespace

ProjectFileCommands::ProjectFileCommands(CZeResourceData& project, ProjectFileHost& host,
                                         MessageSink& messages, FileChooser& files,
                                         CRecentFileList& recentFiles,
                                         const QString& recoveryFolder, QObject* parent)
    : QObject(parent),
      project_(project),
      host_(host),
      messages_(messages),
      files_(files),
      recentFiles_(recentFiles),
      savePoint_(std::make_unique<SavePoint>(project)),
      recovery_(recoveryFolder),
      autosaveTimer_(new QTimer(this)) {
    KeepTrimmingFreedMemory();
    savePoint_->SetListener([this](bool modified) { host_.ModifiedChanged(modified); });
    connect(autosaveTimer_, &QTimer::timeout, this, &ProjectFileCommands::Autosave);
}

ProjectFileCommands::~ProjectFileCommands() {
    // A clean end: nothing to recover at the next start.
    recovery_.Remove();
}

void ProjectFileCommands::CannotRead(const QString& file) {
    // The reason as opening the file gives it now: what made the read fail.
    messages_.ShowMessage(
        QStringToSjisForDisplay(panels::WithFileErrorReason(
            QCoreApplication::translate("Editor", "ファイルを読み込めませんでした。\n%1").arg(file),
            panels::ReadErrorOf(file.toStdString()))),
        MessageIcon::kWarning);
}

bool ProjectFileCommands::OpenFile(const std::string& path) {
    const QFileInfo file(QString::fromStdString(path));
    if (!file.isFile() || !file.isReadable()) {
        CannotRead(file.absoluteFilePath());
        return false;
    }
    // Opening into an empty, unchanged project leaves nothing to save. Opened
    // into one with dialogs or changes, the merge differs from every file:
    // it is modified, and closing asks. Only a project opened into an empty
    // one becomes the file saves go to: a merge of several files is saved
    // where the user says.
    const std::size_t dialogsBefore = project_.GetDialogs().GetCount();
    const bool wasEmpty = !HasUnsavedChanges() && projectFile_.empty() && dialogsBefore == 0;
    LoadDetails details;
    if (!project_.LoadFile(path, &details)) {
        if (details.readResult == ReadFileResult::kTooLarge) {
            messages_.ShowMessage(
                QStringToSjisForDisplay(
                    QCoreApplication::translate(
                        "Editor",
                        "ファイルが大きすぎるため読み込めませんでした（上限 %1 MiB）。\n%2")
                        .arg(kMaxReadFileBytes / (1024 * 1024))
                        .arg(file.absoluteFilePath())),
                MessageIcon::kWarning);
        } else if (details.errorReport.empty()) {
            CannotRead(file.absoluteFilePath());
        } else {
            files_.ShowLoadError(file.absoluteFilePath(), details.errorReport);
        }
        return false;
    }
    if (wasEmpty) {
        MarkSaved();
    } else {
        savePoint_->Touch();
        host_.CompareChangesLater();
    }
    if (wasEmpty && details.wholeProject) {
        projectFile_ = file.absoluteFilePath().toStdString();
    }
    recentFiles_.Add(path);
    host_.ProjectReloaded(true);
    host_.ProjectFileChanged();
    if (!wasEmpty) {
        host_.ShowStatusText(
            DialogsAddedText(project_.GetDialogs().GetCount() - dialogsBefore, details.renamed));
    }
    return true;
}

QString ProjectFileCommands::FileDialogFolder() const {
    return OpenStartFolder(projectFile_, host_.ProjectFolder(), recentFiles_.GetEntries());
}

void ProjectFileCommands::OnFileOpen() {
    const std::optional<std::string> path = files_.ChooseOpenFile(
        {QCoreApplication::translate("Editor",
                                     "リソースファイル (*.moxspro *.json);;すべてのファイル (*)"),
         QStringLiteral("moxspro"), QString(), FileDialogFolder()});
    if (path) {
        OpenFile(*path);
    }
}

void ProjectFileCommands::OpenRecentFile(const std::string& path) {
    if (!QFileInfo::exists(QString::fromStdString(path))) {
        const auto& all = recentFiles_.GetEntries();
        const auto found = std::find(all.begin(), all.end(), path);
        if (found != all.end()) {
            recentFiles_.Remove(static_cast<std::size_t>(found - all.begin()));
        }
    }
    OpenFile(path);
}

void ProjectFileCommands::OpenExample(const std::string& path) {
    const bool wasUntitled = projectFile_.empty();
    if (!OpenFile(path)) {
        return;
    }
    // The example is where the program is installed (or the source tree): a
    // save asks where to go instead of writing over it.
    if (wasUntitled) {
        projectFile_.clear();
        host_.ProjectFileChanged();
    }
    if (project_.GetDialogs().GetCount() > 0) {
        host_.OpenDialogWindow(*project_.GetDialogs().GetDialog(0));
    }
}

void ProjectFileCommands::OnSaveProject() {
    if (projectFile_.empty()) {
        OnSaveProjectAs();
    } else {
        SaveProjectTo(projectFile_);
    }
}

void ProjectFileCommands::OnSaveProjectAs() {
    const std::optional<std::string> path = files_.ChooseSaveFile(
        {QCoreApplication::translate("Editor", "リソースファイル (*.moxspro)"),
         QStringLiteral("moxspro"), QString::fromStdString(projectFile_), FileDialogFolder()});
    if (path) {
        SaveProjectTo(*path);
    }
}

bool ProjectFileCommands::SaveProjectTo(const std::string& path) {
    int error = 0;
    const bool saved = project_.SaveToFile(path, "", &error);
    if (saved) {
        projectFile_ = QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString();
        recentFiles_.Add(path);
        MarkSaved();
        host_.ProjectFileChanged();
    }
    TellSaved(saved, path, error);
    return saved;
}

void ProjectFileCommands::TellSaved(bool saved, const std::string& path, int error) {
    if (!saved) {
        messages_.ShowMessage(
            QStringToSjisForDisplay(panels::WithFileErrorReason(
                QCoreApplication::translate("Messages", kNotSavedMessage), error)),
            MessageIcon::kWarning);
        return;
    }
    host_.ShowStatusText(QCoreApplication::translate("Messages", kSavedMessage));
    host_.WriteLog(QStringToSjisForDisplay(QString::fromUtf8(kSavedMessage) + QLatin1Char(' ') +
                                           QString::fromStdString(path)),
                   link::LogKind::Info);
}

void ProjectFileCommands::OnSaveResource() {
    CZeDialogData* dialog = host_.ActiveDialog();
    if (dialog == nullptr) {
        return;
    }
    const std::string name = dialog->GetItem(prop::kName);
    const std::optional<std::string> path =
        files_.ChooseSaveFile({QCoreApplication::translate("Editor", "リソースファイル (*.json)"),
                               QStringLiteral("json"), SjisToQString(name), FileDialogFolder()});
    if (path) {
        int error = 0;
        const bool saved = project_.SaveToFile(*path, name, &error);
        TellSaved(saved, *path, error);
    }
}

void ProjectFileCommands::OnDiscardAll() {
    // Unsaved work is not thrown away unasked: the question closing asks.
    if (!AskBeforeClose()) {
        return;
    }
    host_.DialogsDiscarding();
    DiscardProject(project_);
    host_.DialogsDiscarded();
    // Nothing is left to save over the file the dialogs came from.
    projectFile_.clear();
    MarkSaved();
    host_.ProjectFileChanged();
    GiveBackFreedMemory();
}

QString ProjectFileCommands::TitleName() const {
    return projectFile_.empty() ? QCoreApplication::translate("Editor", "無題")
                                : QFileInfo(QString::fromStdString(projectFile_)).fileName();
}

bool ProjectFileCommands::HasUnsavedChanges() const {
    return savePoint_->IsModified();
}

std::string ProjectFileCommands::ProjectText() const {
    CJsonString text;
    project_.WriteProject(text, "");
    return text.TakeText();
}

void ProjectFileCommands::MarkSaved() {
    savePoint_->Mark();
    host_.SetChangesBaseline(ProjectText());
    recovery_.Remove();
    autosavedRevision_ = savePoint_->Revision();
}

bool ProjectFileCommands::AskBeforeClose() {
    if (!HasUnsavedChanges()) {
        return true;
    }
    const SaveAnswer answer = files_.AskSaveChanges();
    if (answer == SaveAnswer::kSave) {
        OnSaveProject();
    }
    return answer == SaveAnswer::kDiscard || (answer == SaveAnswer::kSave && !HasUnsavedChanges());
}

void ProjectFileCommands::Closing() {
    autosaveTimer_->stop();
    recovery_.Remove();
}

void ProjectFileCommands::StartAutosave(int seconds) {
    autosaveSeconds_ = std::max(0, seconds);
    if (autosaveSeconds_ > 0) {
        autosaveTimer_->start(autosaveSeconds_ * 1000);
    } else {
        autosaveTimer_->stop();
    }
}

void ProjectFileCommands::Autosave() {
    if (!savePoint_->IsModified()) {
        // Undone back to the saved state: nothing to recover.
        recovery_.Remove();
        autosavedRevision_ = savePoint_->Revision();
        return;
    }
    if (autosavedRevision_ == savePoint_->Revision() && !recovery_.OwnTextPath().isEmpty()) {
        return;
    }
    if (recovery_.Write(ProjectText(), QString::fromStdString(projectFile_))) {
        autosavedRevision_ = savePoint_->Revision();
    } else {
        host_.ShowStatusText(QCoreApplication::translate("Editor", "自動保存できませんでした: %1")
                                 .arg(recovery_.Folder()));
    }
}

bool ProjectFileCommands::OfferRecovery() {
    bool restored = false;
    for (const RecoveryStore::LeftOver& leftOver : recovery_.FindLeftOvers()) {
        if (restored) {
            break;
        }
        switch (files_.AskRecover({leftOver.originFile, leftOver.written})) {
            case RecoveryAnswer::kRestore:
                restored = RestoreRecovery(leftOver);
                break;
            case RecoveryAnswer::kDiscard:
                recovery_.Delete(leftOver);
                break;
            case RecoveryAnswer::kLater:
                break;
        }
    }
    recovery_.ReleaseLeftOvers();
    return restored;
}

bool ProjectFileCommands::RestoreRecovery(const RecoveryStore::LeftOver& leftOver) {
    std::string text;
    LoadDetails details;
    if (!ReadFileBytes(leftOver.textPath.toStdString(), text)) {
        CannotRead(leftOver.textPath);
        return false;
    }
    std::string before = ProjectText();
    if (!project_.LoadText(text, &details)) {
        files_.ShowLoadError(leftOver.textPath, details.errorReport);
        return false;
    }
    // The changes are those since the file the edits started from, when it
    // is still there to read.
    std::string origin;
    const bool originRead =
        !leftOver.originFile.isEmpty() && ReadFileBytes(leftOver.originFile.toStdString(), origin);
    host_.SetChangesBaseline(originRead ? std::move(origin) : std::move(before));
    host_.CompareChangesLater();
    // The edits were never saved: the project is modified from the start,
    // and its own recovery file replaces the old one at once.
    projectFile_ = leftOver.originFile.toStdString();
    savePoint_->Mark();
    savePoint_->Touch();
    host_.ProjectReloaded(false);
    host_.ProjectFileChanged();
    Autosave();
    if (!recovery_.OwnTextPath().isEmpty()) {
        recovery_.Delete(leftOver);
    }
    return true;
}

}  // namespace ze::app
