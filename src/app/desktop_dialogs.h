#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "model/message_sink.h"

class QWidget;

// The modal dialogs of the desktop the editor asks things through: message
// boxes and file choosers. The editor uses the Qt ones; tests put recording
// ones in their place and see the texts without a modal window.
namespace ze::app {

// The caption of every message box.
inline constexpr const char* kMessageBoxTitle = "RESOURCE EDITOR";

// The window a message box belongs to: the modal dialog the user works in,
// else the active window, else fallback. A box parented to the main window
// while the user is in another window would bring the main window forward
// over it.
QWidget* MessageBoxParent(QWidget* fallback);

class QtMessageSink : public MessageSink {
public:
    explicit QtMessageSink(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    // text is Shift_JIS.
    void ShowMessage(const std::string& text, MessageIcon icon) override;

private:
    QWidget* parent_;
};

struct FileRequest {
    QString filter;         // "リソースファイル (*.moxspro)"
    QString defaultSuffix;  // "moxspro"
    QString initialName;    // empty, or the dialog's name
    QString folder;         // where the chooser starts; empty: where it likes
};

// Where the file dialogs start: the folder of the project file, else the project
// folder of the panel, else the folder of the most recent file; the first
// of them that exists. Empty when none does.
QString OpenStartFolder(const std::string& projectFile, const std::string& projectFolder,
                        const std::vector<std::string>& recentFiles);

// The answer to "save the changed project before closing?".
enum class SaveAnswer { kSave, kDiscard, kCancel };

// The answer to "restore the edits a crashed editor left?": kLater (the
// question closed without an answer) keeps them for the next start.
enum class RecoveryAnswer { kRestore, kDiscard, kLater };

// What the recovery question names.
struct RecoveryOffer {
    QString originFile;  // the project file the edits belong to; may be empty
    QDateTime written;   // when they were last written
};

class FileChooser {
public:
    FileChooser() = default;
    virtual ~FileChooser() = default;
    FileChooser(const FileChooser&) = delete;
    FileChooser& operator=(const FileChooser&) = delete;

    // The path to save to (an operating-system path), the user having
    // confirmed overwriting an existing file; nothing when cancelled.
    virtual std::optional<std::string> ChooseSaveFile(const FileRequest& request) = 0;
    // The file to open; nothing when cancelled.
    virtual std::optional<std::string> ChooseOpenFile(const FileRequest& request) = 0;
    // Asked when the editor closes with changes not saved to a project file.
    virtual SaveAnswer AskSaveChanges() = 0;
    // Asked on start for each recovery file a crashed editor left.
    virtual RecoveryAnswer AskRecover(const RecoveryOffer& offer) = 0;
    // A file that did not parse: its path and the parser's report (bytes of
    // the file as they were).
    virtual void ShowLoadError(const QString& file, const std::string& report) = 0;
};

class QtFileChooser : public FileChooser {
public:
    explicit QtFileChooser(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    std::optional<std::string> ChooseSaveFile(const FileRequest& request) override;
    std::optional<std::string> ChooseOpenFile(const FileRequest& request) override;
    SaveAnswer AskSaveChanges() override;
    RecoveryAnswer AskRecover(const RecoveryOffer& offer) override;
    void ShowLoadError(const QString& file, const std::string& report) override;

private:
    QWidget* parent_;
};

// "プロジェクトは変更されています。保存しますか？"
extern const char* const kSaveChangesQuestion;

// The recovery question's text and button captions.
QString RecoveryQuestion(const RecoveryOffer& offer);
inline constexpr const char* kRestoreCaption = QT_TRANSLATE_NOOP("Editor", "復元");
inline constexpr const char* kDiscardCaption = QT_TRANSLATE_NOOP("Editor", "破棄");

}  // namespace ze::app
