// ze-editor --help and --version answer on a machine without a display: no
// window system is looked for before they are handled.
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

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
        // Recovery files go to a folder of the test's own.
        environment.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
        QProcess editor;
        editor.setProcessEnvironment(environment);
        editor.start(QStringLiteral(ZE_EDITOR_PATH),
                     {QStringLiteral(ZE_SOURCE_DIR "/examples/SampleApp.moxspro"),
                      QStringLiteral("--dialog"), QStringLiteral("Main"),
                      QStringLiteral("--close-windows-and-quit")});
        QVERIFY(editor.waitForFinished(120000));
        const QByteArray errors = editor.readAllStandardError();
        QCOMPARE(editor.exitStatus(), QProcess::NormalExit);
        QVERIFY2(editor.exitCode() == 0, errors.constData());
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "command_line_test.moc"
