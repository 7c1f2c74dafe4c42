#pragma once

#include <QTemporaryDir>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/desktop_dialogs.h"
#include "app/editor_app.h"
#include "app/main_frame.h"

// What the editor's tests put in place of the desktop's modal dialogs, and a
// main window over a temporary settings file and program folder (whose
// "VaVoririvuZuvazu.ini" gives the defaults), so that no test reads or
// writes a user's settings or those beside the built program.
namespace ze::app::test {

struct ShownMessage {
    std::string text;  // UTF-8
    MessageIcon icon;
};

class RecordingMessages : public MessageSink {
public:
    void ShowMessage(const std::string& text, MessageIcon icon) override;
    std::vector<ShownMessage> shown;
};

// Answers the file dialogs from a queue; an empty answer cancels.
class ScriptedFiles : public FileChooser {
public:
    std::optional<std::string> ChooseSaveFile(const FileRequest& request) override;
    std::optional<std::string> ChooseOpenFile(const FileRequest& request) override;
    // Answers saveAnswer (discard unless a test says otherwise).
    SaveAnswer AskSaveChanges() override;
    // Answers recoveryAnswer (later unless a test says otherwise).
    RecoveryAnswer AskRecover(const RecoveryOffer& offer) override;
    void ShowLoadError(const QString& file, const std::string& report) override;

    std::deque<std::optional<std::string>> answers;
    std::vector<FileRequest> requests;
    SaveAnswer saveAnswer = SaveAnswer::kDiscard;
    int saveQuestions = 0;
    RecoveryAnswer recoveryAnswer = RecoveryAnswer::kLater;
    std::vector<RecoveryOffer> recoveryOffers;
    // The file and report of each load error shown.
    std::vector<std::pair<QString, std::string>> loadErrors;
};

class EditorFixture {
public:
    EditorFixture();
    ~EditorFixture();

    // The main window; created on first use, after any settings text set up.
    CMainFrame& Frame();
    // Starts the editor as main() does, with arguments (the program first)
    // and the fixture's settings file and messages; null when it refused
    // the command line.
    CMainFrame* Start(const QStringList& arguments);
    // Closes the main window as the user does (the settings are written).
    void CloseFrame();

    std::string SettingsPath() const;
    // Where the editor writes its recovery files (not the user's own).
    QString RecoveryFolder() const;
    std::string Folder() const;  // a temporary folder, ending with "/"
    // Writes bytes to a file under the temporary folder, making its folder;
    // returns its path.
    std::string WriteFile(const std::string& name, const std::string& bytes) const;
    static std::string ReadFile(const std::string& path);

    RecordingMessages messages;
    ScriptedFiles files;

private:
    QTemporaryDir dir_;
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<CZeDialogEditorApp> app_;
};

// A project text with the given dialog messages (Shift_JIS-free ASCII).
std::string ProjectText(const std::string& name, const std::vector<std::string>& dialogs);
// A DIALOG message holding a LINEAR root group with the given objects.
std::string DialogText(const std::string& name, const std::string& objects);

}  // namespace ze::app::test
