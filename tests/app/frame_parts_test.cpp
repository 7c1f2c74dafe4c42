// The main window's parts on their own: the file commands against a host
// that records what it is told, and the states of the command entries.
#include <QAction>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTest>

#include "app/command_menus.h"
#include "app/profile_settings.h"
#include "app/project_file_commands.h"
#include "app/recent_file_list.h"
#include "common/cp932.h"
#include "model/dialog_data.h"
#include "model/resource_data.h"
#include "support/editor_fixture.h"

using namespace ze::app;
using ze::app::test::DialogText;
using ze::app::test::EditorFixture;
using ze::app::test::ProjectText;

namespace {

class RecordingHost : public ProjectFileHost {
public:
    explicit RecordingHost(ze::CZeResourceData& project) : project_(project) {}

    void ProjectReloaded(bool checkLater) override {
        calls << (checkLater ? "reloaded, check later" : "reloaded, check now");
    }
    // The dialogs still there when the windows are asked to close, and gone
    // when the checks are asked to run again.
    void DialogsDiscarding() override { calls << QString("discarding %1").arg(Dialogs()); }
    void DialogsDiscarded() override { calls << QString("discarded %1").arg(Dialogs()); }
    void ProjectFileChanged() override { calls << "file changed"; }
    void ModifiedChanged(bool modified) override { calls << (modified ? "modified" : "saved"); }
    void SetChangesBaseline(std::string text) override { baseline = std::move(text); }
    void CompareChangesLater() override { calls << "compare"; }
    ze::CZeDialogData* ActiveDialog() const override { return active; }
    void OpenDialogWindow(ze::CZeDialogData& dialog) override {
        calls << "window " + QString::fromStdString(dialog.GetItem("Name"));
    }
    std::string ProjectFolder() const override { return {}; }
    void ShowStatusText(const QString& text) override { calls << "status " + text; }
    void WriteLog(std::string_view text, ze::link::LogKind /*kind*/) override {
        calls << "log " + QString::fromStdString(ze::Cp932ToUtf8(std::string(text)));
    }

    QStringList calls;
    std::string baseline;
    ze::CZeDialogData* active = nullptr;

private:
    std::size_t Dialogs() const { return project_.GetDialogs().GetCount(); }

    ze::CZeResourceData& project_;
};

// The file commands over their own project, settings and recovery folder.
struct FilesUnderTest {
    explicit FilesUnderTest(EditorFixture& fixture)
        : settings(fixture.SettingsPath()),
          recent(settings),
          host(project),
          files(project, host, fixture.messages, fixture.files, recent, fixture.RecoveryFolder()) {}

    ze::CZeResourceData project;
    CProfileSettings settings;
    CRecentFileList recent;
    RecordingHost host;
    ProjectFileCommands files;
};

}  // namespace

class FramePartsTest : public QObject {
    Q_OBJECT

private slots:
    void FileCommandsTellTheHost() {
        EditorFixture fixture;
        FilesUnderTest under(fixture);
        ProjectFileCommands& files = under.files;
        RecordingHost& host = under.host;
        const std::string path = fixture.WriteFile(
            "p.moxspro", ProjectText("P", {DialogText("A", ""), DialogText("B", "")}));

        QVERIFY(files.OpenFile(path));
        QCOMPARE(host.calls, QStringList({"reloaded, check later", "file changed"}));
        QCOMPARE(files.TitleName(), QString("p.moxspro"));
        QCOMPARE(host.baseline, files.ProjectText());
        QVERIFY(!files.HasUnsavedChanges());

        // A known project file is saved to without a question.
        host.calls.clear();
        files.OnSaveProject();
        QVERIFY(fixture.files.requests.empty());
        QCOMPARE(host.calls,
                 QStringList({"file changed", "status ファイルを保存しました。",
                              "log ファイルを保存しました。 " + QString::fromStdString(path)}));

        // Saving one dialog asks nothing while no window is active.
        host.calls.clear();
        files.OnSaveResource();
        QVERIFY(fixture.files.requests.empty());
        host.active = under.project.GetDialogs().GetDialog(1);
        files.OnSaveResource();
        QCOMPARE(fixture.files.requests.size(), std::size_t{1});
        QCOMPARE(fixture.files.requests[0].initialName, QString("B"));
        host.active = nullptr;

        // The windows close while the dialogs are still there.
        host.calls.clear();
        files.OnDiscardAll();
        QCOMPARE(host.calls,
                 QStringList({"discarding 2", "modified", "discarded 0", "saved", "file changed"}));
        QVERIFY(files.GetProjectFile().empty());
        QCOMPARE(files.TitleName(), QString("無題"));
    }

    void ExampleOpensUntitledWithItsFirstWindow() {
        EditorFixture fixture;
        FilesUnderTest under(fixture);
        const std::string path = fixture.WriteFile(
            "example.moxspro", ProjectText("E", {DialogText("First", ""), DialogText("B", "")}));
        under.files.OpenExample(path);
        QVERIFY(under.files.GetProjectFile().empty());
        QCOMPARE(under.host.calls.back(), QString("window First"));
        // A file that is not there opens no window.
        under.host.calls.clear();
        under.files.OpenExample(fixture.Folder() + "missing.moxspro");
        QVERIFY(under.host.calls.isEmpty());
        QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
    }

    void CommandStatesFollowTheContext_data() {
        QTest::addColumn<bool>("canEdit");
        QTest::addColumn<bool>("canUndo");
        QTest::addColumn<bool>("deviceConnected");
        QTest::newRow("nothing") << false << false << false;
        QTest::newRow("something picked") << true << false << false;
        QTest::newRow("history to undo") << false << true << false;
        QTest::newRow("device connected") << false << false << true;
        QTest::newRow("all") << true << true << true;
    }
    void CommandStatesFollowTheContext() {
        QFETCH(bool, canEdit);
        QFETCH(bool, canUndo);
        QFETCH(bool, deviceConnected);
        EditorFixture fixture;
        CProfileSettings settings(fixture.SettingsPath());
        CRecentFileList recent(settings);
        QMainWindow window;
        CommandMenus commands(window, recent, settings);
        CommandContext context;
        context.canEdit = canEdit;
        context.canUndo = canUndo;
        context.deviceConnected = deviceConnected;
        context.logBarShown = true;
        commands.UpdateStates(context);
        using enum CommandId;
        // Without a window, cut, copy and paste still act on what is picked.
        for (const CommandId id : {kEditCut, kEditCopy, kEditPaste}) {
            QCOMPARE(commands.Action(id)->isEnabled(), canEdit);
        }
        QCOMPARE(commands.Action(kEditUndo)->isEnabled(), canUndo);
        QVERIFY(!commands.Action(kEditRedo)->isEnabled());
        QCOMPARE(commands.Action(kSendDialog)->isEnabled(), deviceConnected);
        for (const CommandId id : {kFilePrint, kFileClose, kZoomIn, kZoomOut, kViewStructure}) {
            QVERIFY(!commands.Action(id)->isEnabled());
        }
        QVERIFY(commands.Action(kViewLogPane)->isChecked());
        QVERIFY(!commands.Action(kViewResourcePanel)->isChecked());
    }
};

QTEST_MAIN(FramePartsTest)
#include "frame_parts_test.moc"
