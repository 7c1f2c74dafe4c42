#pragma once

#include <QStringList>
#include <memory>

#include "app/main_frame.h"

namespace ze::app {

// The application object: prepares the process (locale, name, Qt's own
// Japanese texts), creates the main window with its settings beside the
// executable and opens the file named on the command line.
class CZeDialogEditorApp {
public:
    CZeDialogEditorApp();
    ~CZeDialogEditorApp();

    // arguments as QCoreApplication::arguments() gives them (the program
    // first). A plain start opens no window; a file argument is opened into
    // the project. False when the main window could not be created.
    bool InitInstance(const QStringList& arguments, const EditorEnvironment& environment = {});

    CMainFrame* GetMainFrame() const { return mainFrame_.get(); }

    // The files named on a command line: every argument after the program
    // that does not start with "-".
    static QStringList FilesOf(const QStringList& arguments);

private:
    std::unique_ptr<CMainFrame> mainFrame_;
};

// main(): the whole editor.
int RunEditor(int argc, char** argv);

}  // namespace ze::app
