#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>

#include "app/main_frame.h"

namespace ze::app {

// The application object: prepares the process (name, icon), creates the
// main window with the user's settings (or those --settings names) over the
// defaults beside the executable and opens the file named on the command
// line. The language, with Qt's own texts and the locale, is RunEditor's.
class CZeDialogEditorApp {
public:
    CZeDialogEditorApp();
    ~CZeDialogEditorApp();

    // arguments as QCoreApplication::arguments() gives them (the program
    // first): "ze-editor [FILE...] [--dialog NAME] [--folder DIR]
    // [--settings FILE]"; --settings takes the place of environment's
    // settings file. A plain start opens no window. Recovery files left by
    // an editor that did not close cleanly are offered first; when one is
    // restored, the files are not opened. Otherwise each file is opened into
    // the project; --dialog then opens the window of the dialog NAME;
    // --folder sets the project folder as "参照" does. False, with the
    // reason on standard error, when the command line is wrong.
    bool InitInstance(const QStringList& arguments, const EditorEnvironment& environment = {});

    CMainFrame* GetMainFrame() const { return mainFrame_.get(); }

private:
    std::unique_ptr<CMainFrame> mainFrame_;
};

// The file of the English texts, in "translations/" beside the executable.
inline constexpr const char* kTranslationFile = "ze-resource-editor_en.qm";

// The language the editor speaks, "ja" or "en": --lang (option) when it
// names one, else [SETTING] Language (setting) when it does, else Japanese
// on a Japanese system and English elsewhere.
QString ChooseLanguage(const QString& option, const std::string& setting, QLocale::Language system);

// main(): the whole editor.
int RunEditor(int argc, char** argv);

}  // namespace ze::app
