#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "app/recovery_store.h"
#include "link/core/log_line.h"

class QTimer;

namespace ze {
class CZeDialogData;
class CZeResourceData;
class MessageSink;
class SavePoint;
}  // namespace ze

namespace ze::app {

class CRecentFileList;
class FileChooser;

// What the file commands need of the window around them: the tree, the
// checks and the windows follow a project read in or thrown away, and the
// outcome of a save is told where the user looks.
class ProjectFileHost {
public:
    ProjectFileHost() = default;
    virtual ~ProjectFileHost() = default;
    ProjectFileHost(const ProjectFileHost&) = delete;
    ProjectFileHost& operator=(const ProjectFileHost&) = delete;

    // Dialogs were read into the project: the tree is built again and the
    // checks run, at once or a moment later.
    virtual void ProjectReloaded(bool checkLater) = 0;
    // Every dialog is about to go: their windows close and the panel lets
    // go of them first. The checks run again once they are gone.
    virtual void DialogsDiscarding() = 0;
    virtual void DialogsDiscarded() = 0;
    // The project file or the modified state changed (titles, commands).
    virtual void ProjectFileChanged() = 0;
    virtual void ModifiedChanged(bool modified) = 0;
    // The text the "変更" tab compares the project with, and a comparison
    // the project's notifications did not ask for.
    virtual void SetChangesBaseline(std::string text) = 0;
    virtual void CompareChangesLater() = 0;
    // The dialog of the active editing window; null without one.
    virtual CZeDialogData* ActiveDialog() const = 0;
    virtual void OpenDialogWindow(CZeDialogData& dialog) = 0;
    // The panel's project folder (operating-system path, may be empty).
    virtual std::string ProjectFolder() const = 0;
    virtual void ShowStatusText(const QString& text) = 0;
    virtual void WriteLog(std::string_view text, link::LogKind kind) = 0;
};

// The project as a file: open, save, save as, save one dialog, discard, the
// file saves go to, the save point, the recent files it adds to, and the
// autosave with the recovery of what an editor that died left behind.
class ProjectFileCommands : public QObject {
    Q_OBJECT

public:
    // Seconds between autosaves of a modified project ("AutosaveInterval"
    // in the settings; 0 turns autosave off).
    static constexpr int kDefaultAutosaveSeconds = 60;

    ProjectFileCommands(CZeResourceData& project, ProjectFileHost& host, MessageSink& messages,
                        FileChooser& files, CRecentFileList& recentFiles,
                        const QString& recoveryFolder, QObject* parent = nullptr);
    ~ProjectFileCommands() override;

    // Reads the file into the project (its dialogs are added) and rebuilds
    // the tree; no window is opened. Read into a project with dialogs or
    // changes, the project is modified and the status bar says how many
    // dialogs were added and which were renamed. False when it could not be
    // read; a file that does not parse is reported with the parser's report.
    bool OpenFile(const std::string& path);
    void OnFileOpen();
    // An entry of the recent files; one that is gone leaves the list.
    void OpenRecentFile(const std::string& path);
    // The bundled example, opened as an untitled project with its first
    // dialog's window.
    void OpenExample(const std::string& path);
    // Saves to the project file without asking; asks for one when there is
    // none.
    void OnSaveProject();
    // Asks where to save, always.
    void OnSaveProjectAs();
    // The active window's dialog alone, as a resource file.
    void OnSaveResource();
    // Empties the project (its dialogs with their histories; the root's
    // items become a new project's), after the question closing asks when
    // it is modified: nothing happens when the user cancels or the save
    // fails.
    void OnDiscardAll();

    // The project file saves go to: the one the project was opened from
    // (while the project was empty) or last saved to; empty for none.
    const std::string& GetProjectFile() const { return projectFile_; }
    // Its name for the main window's title ("無題" for none).
    QString TitleName() const;
    // Whether the project changed since it was last opened into an
    // unchanged project, saved, or discarded (undo back to that state
    // counts as unchanged).
    bool HasUnsavedChanges() const;
    // The project as a save writes it.
    std::string ProjectText() const;
    // The project as it is now counts as saved.
    void MarkSaved();

    // Asked before the main window closes: a changed project is saved or
    // discarded as the user says; false when the window is to stay.
    bool AskBeforeClose();
    // The window closes: nothing is left to recover, and no autosave may
    // write discarded changes again.
    void Closing();

    // Starts the autosave timer; 0 seconds turns it off.
    void StartAutosave(int seconds);
    int GetAutosaveSeconds() const { return autosaveSeconds_; }
    // Writes the recovery file now when the project changed since the last
    // one (the autosave timer calls this); removes it when the project is
    // unchanged.
    void Autosave();
    // Offers each recovery file left by an editor that did not close
    // cleanly: restored, it becomes this project, unsaved; discarded, it is
    // deleted. True when one was restored (the others wait for a later
    // start).
    bool OfferRecovery();
    RecoveryStore& GetRecoveryStore() { return recovery_; }

private:
    bool SaveProjectTo(const std::string& path);
    // Success in the status bar and the log, failure in a message box with
    // the reason (the system's error number error).
    void TellSaved(bool saved, const std::string& path, int error = 0);
    bool RestoreRecovery(const RecoveryStore::LeftOver& leftOver);
    // Where the file dialogs start (OpenStartFolder).
    QString FileDialogFolder() const;
    void CannotRead(const QString& file);

    CZeResourceData& project_;
    ProjectFileHost& host_;
    MessageSink& messages_;
    FileChooser& files_;
    CRecentFileList& recentFiles_;
    std::unique_ptr<SavePoint> savePoint_;
    std::string projectFile_;
    RecoveryStore recovery_;
    QTimer* autosaveTimer_ = nullptr;
    int autosaveSeconds_ = kDefaultAutosaveSeconds;
    // The save point's revision the recovery file holds.
    std::uint64_t autosavedRevision_ = 0;
};

}  // namespace ze::app
