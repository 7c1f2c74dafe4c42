// ze-editor --help and --version answer on a machine without a display: no
// window system is looked for before they are handled.
#include <QDateTime>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

#include "app/profile_settings.h"

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void HelpAndVersionNeedNoDisplay() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            environment.remove(QString::fromLatin1(name));
        }
        struct Case {
            QStringList arguments;
            QString expected;
        };
        const Case cases[] = {
            {{QStringLiteral("--help")}, QStringLiteral("--folder <DIR>")},
            {{QStringLiteral("-h")}, QStringLiteral("--dialog <NAME>")},
            {{QStringLiteral("--version")}, QStringLiteral(" 0.")},
            {{QStringLiteral("file.moxspro"), QStringLiteral("--version")}, QStringLiteral(" 0.")},
        };
        for (const Case& c : cases) {
            QProcess editor;
            editor.setProcessEnvironment(environment);
            editor.start(QStringLiteral(ZE_EDITOR_PATH), c.arguments);
            QVERIFY(editor.waitForFinished(10000));
            const QString output = QString::fromUtf8(editor.readAllStandardOutput());
            QCOMPARE(editor.exitStatus(), QProcess::NormalExit);
            QCOMPARE(editor.exitCode(), 0);
            QVERIFY2(output.contains(c.expected),
                     qPrintable(c.arguments.join(' ') + ": " + output));
        }
    }

    // The editor on the example with a dialog window open, the window closed
    // through its own close path, the editor quit from its menu: the process
    // ends cleanly (under the sanitizers: without a fault or a leak).
    void ClosesItsWindowsAndQuitsCleanly() {
        QTemporaryDir data;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // Recovery files and settings go to folders of the test's own.
        environment.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), data.filePath("config"));
        QProcess editor;
        editor.setProcessEnvironment(environment);
        editor.start(
            QStringLiteral(ZE_EDITOR_PATH),
            {QStringLiteral(ZE_SOURCE_DIR "/examples/SampleApp.moxspro"),
             QStringLiteral("--dialog"), QStringLiteral("Main"), QStringLiteral("--settings"),
             data.filePath("settings.ini"), QStringLiteral("--close-windows-and-quit")});
        QVERIFY(editor.waitForFinished(120000));
        const QByteArray errors = editor.readAllStandardError();
        QCOMPARE(editor.exitStatus(), QProcess::NormalExit);
        QVERIFY2(editor.exitCode() == 0, errors.constData());
    }

    // Where a started editor keeps the file it opened in its recent list:
    // the user's file under $XDG_CONFIG_HOME, under ~/.config without it,
    // or the file --settings names; never beside the program.
    void KeepsTheRecentFileInTheUsersSettings() {
        const QString project = QStringLiteral(ZE_SOURCE_DIR "/examples/SampleApp.moxspro");
        const QString kept = QStringLiteral("ze-resource-editor/VaVoririvuZuvazu.ini");
        struct Case {
            const char* name;
            bool xdgConfigHome;
            bool settingsOption;
            QString expected;  // under the scratch folder
        };
        const Case cases[] = {
            {"XDG_CONFIG_HOME", true, false, QStringLiteral("config/") + kept},
            {"no XDG_CONFIG_HOME", false, false, QStringLiteral("home/.config/") + kept},
            {"--settings", true, true, QStringLiteral("chosen.ini")},
        };
        for (const Case& c : cases) {
            QTemporaryDir scratch;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            environment.insert(QStringLiteral("XDG_DATA_HOME"), scratch.filePath("data"));
            environment.insert(QStringLiteral("HOME"), scratch.filePath("home"));
            if (c.xdgConfigHome) {
                environment.insert(QStringLiteral("XDG_CONFIG_HOME"), scratch.filePath("config"));
            } else {
                environment.remove(QStringLiteral("XDG_CONFIG_HOME"));
            }
            QStringList arguments{project, QStringLiteral("--close-windows-and-quit")};
            if (c.settingsOption) {
                arguments << QStringLiteral("--settings") << scratch.filePath("chosen.ini");
            }
            const QFileInfo besideProgram(QFileInfo(QStringLiteral(ZE_EDITOR_PATH)).absolutePath() +
                                          QStringLiteral("/VaVoririvuZuvazu.ini"));
            const QDateTime programIniTime = besideProgram.lastModified();
            QProcess editor;
            editor.setProcessEnvironment(environment);
            editor.start(QStringLiteral(ZE_EDITOR_PATH), arguments);
            QVERIFY2(editor.waitForFinished(120000), c.name);
            QVERIFY2(editor.exitStatus() == QProcess::NormalExit && editor.exitCode() == 0,
                     editor.readAllStandardError().constData());
            const QString ini = scratch.filePath(c.expected);
            ze::app::CProfileSettings settings(ini.toStdString());
            QVERIFY2(QFileInfo::exists(ini), c.name);
            QCOMPARE(QString::fromStdString(settings.ReadString("Recent File List", "File1", "")),
                     QFileInfo(project).absoluteFilePath());
            if (c.settingsOption) {
                QVERIFY2(!QFileInfo::exists(scratch.filePath(QStringLiteral("config/") + kept)),
                         c.name);
            }
            QCOMPARE(QFileInfo(besideProgram.absoluteFilePath()).lastModified(), programIniTime);
        }
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "command_line_test.moc"
