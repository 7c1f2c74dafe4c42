// ze-editor --help and --version answer on a machine without a display: no
// window system is looked for before they are handled.
#include <QProcess>
#include <QProcessEnvironment>
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
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "command_line_test.moc"
