#include "app/editor_app.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <string_view>

#include "app/desktop_dialogs.h"
#include "app/icons.h"
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
    const QCommandLineOption folder{
        QStringLiteral("folder"),
        QStringLiteral("Uses DIR as the project folder (its resources/ folder serves the "
                       "device and fills the user image grid)."),
        QStringLiteral("DIR")};

    EditorCommandLine() {
        parser.setApplicationDescription(QStringLiteral("Ze Resource Editor"));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addPositionalArgument(QStringLiteral("files"),
                                     QStringLiteral("Project (.moxspro) or dialog (.json) files."),
                                     QStringLiteral("[FILE...]"));
        parser.addOption(dialog);
        parser.addOption(folder);
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

}  // namespace

CZeDialogEditorApp::CZeDialogEditorApp() = default;

CZeDialogEditorApp::~CZeDialogEditorApp() = default;

bool CZeDialogEditorApp::InitInstance(const QStringList& arguments,
                                      const EditorEnvironment& environment) {
    SetApplicationNames();
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
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

    mainFrame_ = std::make_unique<CMainFrame>(environment);
    if (parser.isSet(folderOption)) {
        const QString folder = QFileInfo(parser.value(folderOption)).absoluteFilePath();
        mainFrame_->SetProjectFolder(WithTrailingSeparator(folder.toStdString()));
    }
    // A restored project already holds the files the crashed editor had.
    if (!mainFrame_->OfferRecovery()) {
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
        commandLine.parser.process(core);  // prints and exits
        return 0;
    }
    QApplication application(argc, argv);
    // The buttons and captions of Qt's own dialogs in Japanese, when the
    // translations are installed.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qtTexts);
    }
    CZeDialogEditorApp editor;
    if (!editor.InitInstance(QCoreApplication::arguments())) {
        return 1;
    }
    editor.GetMainFrame()->show();
    return QApplication::exec();
}

}  // namespace ze::app
