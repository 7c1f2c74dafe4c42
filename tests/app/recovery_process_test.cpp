// A real editor killed mid-edit: the next start offers its edits, and "復元"
// brings back the project text byte for byte.
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "support/editor_fixture.h"

using ze::app::test::DialogText;
using ze::app::test::EditorFixture;
using ze::app::test::ProjectText;

namespace {

// The child with scratch data and settings folders, on the offscreen platform.
void Prepare(QProcess& child, const QTemporaryDir& dir) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", dir.filePath("data"));
    environment.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    child.setProcessEnvironment(environment);
    child.setProgram(ZE_RECOVERY_CHILD);
}

QStringList RecoveryTexts(const QTemporaryDir& dir) {
    return QDir(dir.filePath("data/ze-resource-editor/recovery"))
        .entryList({"*.moxspro"}, QDir::Files);
}

}  // namespace

class RecoveryProcessTest : public QObject {
    Q_OBJECT

private slots:
    void AKilledEditorsEditsComeBack() {
        QTemporaryDir dir;
        const std::string folder = dir.path().toStdString() + "/";
        const QString settings = dir.filePath("editor.ini");
        EditorFixture files;
        std::ofstream(settings.toStdString(), std::ios::binary)
            << "[SETTING]\r\nAutosaveInterval=1\r\n";
        const QString project = dir.filePath("in.moxspro");
        std::ofstream(project.toStdString(), std::ios::binary)
            << ProjectText("P", {DialogText("A", "{'Type':'TEXT','Name':'T','Text':'x'}")});

        QProcess editing;
        Prepare(editing, dir);
        editing.setArguments({"edit", settings, project, dir.filePath("edited.moxspro")});
        editing.start();
        QVERIFY(editing.waitForStarted());
        // Waits for an autosave holding the edits (a second apart).
        std::string edited;
        QElapsedTimer waited;
        waited.start();
        bool autosaved = false;
        while (!autosaved && waited.elapsed() < 60000) {
            QTest::qWait(100);
            edited = EditorFixture::ReadFile(folder + "edited.moxspro");
            for (const QString& name : RecoveryTexts(dir)) {
                autosaved =
                    !edited.empty() &&
                    EditorFixture::ReadFile(
                        dir.filePath("data/ze-resource-editor/recovery/" + name).toStdString()) ==
                        edited;
            }
        }
        QVERIFY2(autosaved, editing.readAllStandardError().constData());
        editing.kill();  // SIGKILL: no clean close
        QVERIFY(editing.waitForFinished());
        QCOMPARE(editing.exitStatus(), QProcess::CrashExit);
        QVERIFY(edited != EditorFixture::ReadFile(project.toStdString()));

        QProcess restoring;
        Prepare(restoring, dir);
        restoring.setArguments({"restore", settings, dir.filePath("restored.moxspro")});
        restoring.start();
        QVERIFY(restoring.waitForFinished(60000));
        QCOMPARE(restoring.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(restoring.readAllStandardOutput()),
                 QString("in.moxspro[*] - RESOURCE EDITOR\n1\n1\n"));
        QCOMPARE(EditorFixture::ReadFile(folder + "restored.moxspro"), edited);
        // Restored and then closed cleanly: nothing is left to offer.
        QVERIFY(RecoveryTexts(dir).isEmpty());
    }
};

QTEST_MAIN(RecoveryProcessTest)
#include "recovery_process_test.moc"
