#include "app/editor_app.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/desktop_dialogs.h"
#include "app/icons.h"
#include "common/paths.h"

namespace ze::app {

CZeDialogEditorApp::CZeDialogEditorApp() = default;

CZeDialogEditorApp::~CZeDialogEditorApp() = default;

QStringList CZeDialogEditorApp::FilesOf(const QStringList& arguments) {
    QStringList files;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (!arguments[i].startsWith(QLatin1Char('-'))) {
            files.append(arguments[i]);
        }
    }
    return files;
}

bool CZeDialogEditorApp::InitInstance(const QStringList& arguments,
                                      const EditorEnvironment& environment) {
    QCoreApplication::setApplicationName(QString::fromUtf8(kMessageBoxTitle));
    QCoreApplication::setApplicationVersion(QString::fromStdString(VersionText()));
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    QGuiApplication::setWindowIcon(EditorIcon());

    mainFrame_ = std::make_unique<CMainFrame>(environment);
    for (const QString& file : FilesOf(arguments)) {
        mainFrame_->OpenFile(file.toStdString());
    }
    return true;
}

int RunEditor(int argc, char** argv) {
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
