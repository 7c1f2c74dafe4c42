#include "app/editor_app.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>
#include <cstdio>
#include <string_view>

#include "app/child_frame.h"
#include "app/command_ids.h"
#include "app/desktop_dialogs.h"
#include "app/editor_language.h"
#include "app/icons.h"
#include "app/profile_settings.h"
#include "common/cp932.h"
#include "common/paths.h"
#include "model/dialog_data.h"

namespace ze::app {

namespace {

// The editor's command line, described once for the parse and for --help.
struct EditorCommandLine {
    QCommandLineParser parser;
    const QCommandLineOption dialog{QStringLiteral("dialog"),
                                    QStringLiteral("Opens the window of the dialog NAME."),
                                    QStringLiteral("NAME")};
    const QCommandLineOption language{
        QStringLiteral("lang"),
        QStringLiteral("Speaks LANG (ja or en) instead of the language of the settings or of "
                       "the system."),
        QStringLiteral("LANG")};
    const QCommandLineOption folder{
        QStringLiteral("folder"),
        QStringLiteral("Uses DIR as the project folder (its resources/ folder serves the "
                       "device and fills the user image grid)."),
        QStringLiteral("DIR")};
    const QCommandLineOption settings{
        QStringLiteral("settings"),
        QStringLiteral("Reads and writes the settings in FILE instead of the user's own file "
                       "(the defaults beside the program still apply)."),
        QStringLiteral("FILE")};
    // For the tests of the editor's life cycle: once started, every dialog
    // window is closed through its own close path and the editor quits as
    // "アプリケーションの終了" does, so the process shows how it ends.
    QCommandLineOption closeAndQuit{QStringLiteral("close-windows-and-quit"),
                                    QStringLiteral("Closes every window and quits once started.")};

    EditorCommandLine() {
        closeAndQuit.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.setApplicationDescription(QStringLiteral("Ze Resource Editor"));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addPositionalArgument(QStringLiteral("files"),
                                     QStringLiteral("Project (.moxspro) or dialog (.json) files."),
                                     QStringLiteral("[FILE...]"));
        parser.addOption(dialog);
        parser.addOption(folder);
        parser.addOption(language);
        parser.addOption(settings);
        parser.addOption(closeAndQuit);
    }
};

void SetApplicationNames() {
    QCoreApplication::setApplicationName(QString::fromUtf8(kMessageBoxTitle));
    QCoreApplication::setApplicationVersion(QString::fromStdString(VersionText()));
}

// --help and --version need no window: they are answered before a display
// is looked for, which a machine without one would refuse.
bool AsksForHelpOrVersion(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--") {
            return false;
        }
        if (arg == "-h" || arg == "--help" || arg == "-?" || arg == "--help-all" || arg == "-v" ||
            arg == "--version") {
            return true;
        }
    }
    return false;
}

// --settings FILE as an absolute path: the working folder may change later.
std::string SettingsOptionPath(const QString& value) {
    return value.isEmpty() ? std::string() : QFileInfo(value).absoluteFilePath().toStdString();
}

}  // namespace

QString ChooseLanguage(const QString& option, const std::string& setting,
                       QLocale::Language system) {
    for (const QString& choice : {option, QString::fromStdString(setting)}) {
        if (choice == QLatin1String("ja") || choice == QLatin1String("en")) {
            return choice;
        }
    }
    return system == QLocale::Japanese ? QStringLiteral("ja") : QStringLiteral("en");
}

CZeDialogEditorApp::CZeDialogEditorApp() = default;

CZeDialogEditorApp::~CZeDialogEditorApp() = default;

bool CZeDialogEditorApp::InitInstance(const QStringList& arguments,
                                      const EditorEnvironment& environment) {
    SetApplicationNames();
    QGuiApplication::setWindowIcon(EditorIcon());

    EditorCommandLine commandLine;
    QCommandLineParser& parser = commandLine.parser;
    const QCommandLineOption& dialogOption = commandLine.dialog;
    const QCommandLineOption& folderOption = commandLine.folder;
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.errorText()));
        return false;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        parser.showHelp();  // exits
    }
    if (parser.isSet(QStringLiteral("version"))) {
        parser.showVersion();  // exits
    }

    EditorEnvironment chosen = environment;
    if (parser.isSet(commandLine.settings)) {
        chosen.settingsPath = SettingsOptionPath(parser.value(commandLine.settings));
    }
    mainFrame_ = std::make_unique<CMainFrame>(chosen);
    if (parser.isSet(folderOption)) {
        const QString folder = QFileInfo(parser.value(folderOption)).absoluteFilePath();
        mainFrame_->SetProjectFolder(WithTrailingSeparator(folder.toStdString()));
    }
    // A restored project already holds the files the crashed editor had.
    if (!mainFrame_->Files().OfferRecovery()) {
        for (const QString& file : parser.positionalArguments()) {
            mainFrame_->OpenFile(file.toStdString());
        }
    }
    if (parser.isSet(dialogOption)) {
        const std::string name = Utf8ToCp932(parser.value(dialogOption).toStdString());
        if (CZeDialogData* dialog = mainFrame_->GetProject().GetDialogs().FindDialog(name)) {
            mainFrame_->ActivateDialogWindow(*dialog);
        } else {
            std::fprintf(stderr, "ze-editor: no dialog named %s\n",
                         qPrintable(parser.value(dialogOption)));
        }
    }
    return true;
}

int RunEditor(int argc, char** argv) {
    if (AsksForHelpOrVersion(argc, argv)) {
        QCoreApplication core(argc, argv);
        SetApplicationNames();
        EditorCommandLine commandLine;
        // Prints and exits, unless the word was an option's value
        // ("--dialog -v"): then the editor starts as usual.
        commandLine.parser.process(core);
    }
    QApplication application(argc, argv);
    EditorCommandLine commandLine;
    commandLine.parser.parse(QCoreApplication::arguments());  // errors: reported below
    const QString option = commandLine.parser.value(commandLine.language);
    if (!option.isEmpty() && option != QLatin1String("ja") && option != QLatin1String("en")) {
        std::fprintf(stderr, "ze-editor: --lang takes ja or en, not %s\n", qPrintable(option));
        return 1;
    }
    const std::string settingsPath =
        SettingsOptionPath(commandLine.parser.value(commandLine.settings));
    const QString language = ChooseLanguage(
        option, EditorSettings(settingsPath, {}).ReadString("SETTING", "Language", ""),
        QLocale::system().language());
    EditorLanguage speaking;
    speaking.Install(language, ExecutableFolder());
    CZeDialogEditorApp editor;
    if (!editor.InitInstance(QCoreApplication::arguments())) {
        return 1;
    }
    CMainFrame& frame = *editor.GetMainFrame();
    frame.show();
    if (commandLine.parser.isSet(commandLine.closeAndQuit)) {
        QTimer::singleShot(0, &frame, [&frame] {
            for (CChildFrame* window : frame.ChildFrames()) {
                window->close();
            }
            // After the windows' deferred deletes, as a user's next click.
            QTimer::singleShot(0, &frame,
                               [&frame] { frame.Action(CommandId::kAppExit)->trigger(); });
        });
    }
    return QApplication::exec();
}

}  // namespace ze::app
