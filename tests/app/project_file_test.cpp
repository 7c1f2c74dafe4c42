// Saving the project where it came from, the title that says so, the
// question on close, load errors, and the recovery of a crashed editor's
// edits (within one process; recovery_process_test kills a real one).
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTest>
#include <QTextEdit>

#include "app/child_frame.h"
#include "app/command_ids.h"
#include "common/read_file.h"
#include "app/load_error_dialog.h"
#include "app/panes/log_dlg.h"
#include "model/dialog_data.h"
#include "model/editing/property_edits.h"
#include "model/object_data.h"
#include "panels/resource_dlg.h"
#include "support/editor_fixture.h"

using namespace ze::app;
using ze::app::test::DialogText;
using ze::app::test::EditorFixture;
using ze::app::test::ProjectText;

namespace {

std::size_t RowOf(const ze::ZeClass& element, std::string_view name) {
    for (std::size_t i = 0; i < element.Items().GetItemCount(); ++i) {
        if (element.Items().GetItemData(i).GetName() == name) {
            return i;
        }
    }
    return element.Items().GetItemCount();
}

// Sets the Text of the first object of the first dialog, as the property
// list does.
void EditText(CMainFrame& frame, const char* text) {
    ze::CZeDialogData& dialog = *frame.GetProject().GetDialogs().GetDialog(0);
    ze::ZeClass* object = dialog.GetRootGroup()->GetChildren().front();
    QVERIFY(ze::CommitProperty(frame.GetProject(), &dialog, object, RowOf(*object, "Text"), text)
                .changed);
}

std::string Sample(EditorFixture& fixture, const std::string& name) {
    return fixture.WriteFile(
        name, ProjectText("P", {DialogText("A", "{'Type':'TEXT','Name':'T','Text':'日本語'}"),
                                DialogText("B", "")}));
}

}  // namespace

class ProjectFileTest : public QObject {
    Q_OBJECT

private slots:
    void SaveGoesToTheOpenedFileSaveAsAsks() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        const std::string in = Sample(fixture, "in.moxspro");
        QVERIFY(frame.OpenFile(in));
        QCOMPARE(frame.Files().GetProjectFile(), in);
        EditText(frame, "変更");

        // Ctrl+S: straight into the file, no dialog, no message box.
        QCOMPARE(frame.Action(CommandId::kSaveProject)->shortcut(), QKeySequence("Ctrl+S"));
        frame.Action(CommandId::kSaveProject)->trigger();
        QVERIFY(fixture.files.requests.empty());
        QVERIFY(fixture.messages.shown.empty());
        QVERIFY(frame.GetProject().SaveToFile(fixture.Folder() + "expected.moxspro", ""));
        QCOMPARE(EditorFixture::ReadFile(in),
                 EditorFixture::ReadFile(fixture.Folder() + "expected.moxspro"));
        QCOMPARE(frame.statusBar()->currentMessage(), QString("ファイルを保存しました。"));
        QVERIFY(frame.GetLogPane().CommLog().toPlainText().contains("ファイルを保存しました。 " +
                                                                    QString::fromStdString(in)));

        // Save As asks every time, starting from the file, and the file it
        // names is where the next save goes.
        QCOMPARE(frame.Action(CommandId::kSaveProjectAs)->shortcut(), QKeySequence("Ctrl+Shift+S"));
        const std::string out = fixture.Folder() + "out.moxspro";
        fixture.files.answers = {out};
        frame.Action(CommandId::kSaveProjectAs)->trigger();
        QCOMPARE(fixture.files.requests.size(), std::size_t{1});
        QCOMPARE(fixture.files.requests[0].initialName, QString::fromStdString(in));
        QCOMPARE(fixture.files.requests[0].filter, QString("リソースファイル (*.moxspro)"));
        QCOMPARE(EditorFixture::ReadFile(out), EditorFixture::ReadFile(in));
        QCOMPARE(frame.windowTitle(), QString("out.moxspro[*] - RESOURCE EDITOR"));
        fixture.files.answers = {std::nullopt};
        frame.Action(CommandId::kSaveProjectAs)->trigger();
        QCOMPARE(frame.Files().GetProjectFile(), out);

        // A failure is a message box; the file and the marker stay.
        EditText(frame, "again");
        const std::string before = EditorFixture::ReadFile(out);
        fixture.files.answers = {fixture.Folder() + "no/such/folder/x.moxspro"};
        frame.Files().OnSaveProjectAs();
        QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
        QCOMPARE(fixture.messages.shown[0].text,
                 std::string("ファイルを保存できませんでした。\nファイルまたはフォルダがありません。"));
        QCOMPARE(fixture.messages.shown[0].icon, ze::MessageIcon::kWarning);
        QCOMPARE(frame.Files().GetProjectFile(), out);
        QCOMPARE(EditorFixture::ReadFile(out), before);
        QVERIFY(frame.isWindowModified());
    }

    void OnlyAProjectOpenedIntoAnEmptyOneIsRemembered() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        // One dialog's file is not the project's.
        QVERIFY(frame.OpenFile(fixture.WriteFile("A.json", DialogText("A", ""))));
        QVERIFY(frame.Files().GetProjectFile().empty());
        // Merged into a project that has dialogs: still none.
        QVERIFY(frame.OpenFile(Sample(fixture, "in.moxspro")));
        QVERIFY(frame.Files().GetProjectFile().empty());
        QCOMPARE(frame.windowTitle(), QString("無題[*] - RESOURCE EDITOR"));
        const std::string out = fixture.Folder() + "merged.moxspro";
        fixture.files.answers = {out};
        frame.Files().OnSaveProject();
        QCOMPARE(fixture.files.requests.size(), std::size_t{1});
        QVERIFY(fixture.files.requests[0].initialName.isEmpty());
        QCOMPARE(frame.Files().GetProjectFile(), out);

        // Opened first, merged into after: the first file stays.
        EditorFixture second;
        const std::string first = Sample(second, "first.moxspro");
        QVERIFY(second.Frame().OpenFile(first));
        QVERIFY(second.Frame().OpenFile(Sample(second, "more.moxspro")));
        QCOMPARE(second.Frame().Files().GetProjectFile(), first);
        QCOMPARE(second.Frame().windowTitle(), QString("first.moxspro[*] - RESOURCE EDITOR"));
        // Discarding everything leaves nothing to save over it.
        second.Frame().Files().OnDiscardAll();
        QVERIFY(second.Frame().Files().GetProjectFile().empty());
    }

    void TheMarkerFollowsEditsUndoAndSave() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        QVERIFY(frame.OpenFile(Sample(fixture, "in.moxspro")));
        frame.ActivateDialogWindow(*frame.GetProject().GetDialogs().GetDialog(0));
        QCOMPARE(frame.windowTitle(), QString("in.moxspro[*] - RESOURCE EDITOR"));
        QVERIFY(!frame.isWindowModified());
        EditText(frame, "one");
        QVERIFY(frame.isWindowModified());
        frame.Action(CommandId::kEditUndo)->trigger();
        QVERIFY(!frame.isWindowModified());
        frame.Action(CommandId::kEditRedo)->trigger();
        QVERIFY(frame.isWindowModified());
        // Closing the edited dialog's window leaves the change, and the
        // marker with it: Qt clears the marker when a window of the area
        // hides, on some platforms after the window has gone.
        frame.ChildFrames().front()->close();
        QCoreApplication::processEvents();
        QVERIFY(frame.ChildFrames().empty());
        QVERIFY(frame.isWindowModified());
        frame.setWindowModified(false);
        QVERIFY(frame.isWindowModified());
        frame.ActivateDialogWindow(*frame.GetProject().GetDialogs().GetDialog(0));
        frame.Files().OnSaveProject();
        QVERIFY(!frame.isWindowModified());
        frame.Action(CommandId::kEditUndo)->trigger();
        QVERIFY(frame.isWindowModified());
        frame.Action(CommandId::kEditRedo)->trigger();
        QVERIFY(!frame.isWindowModified());
        // The project root has no history: modified until saved.
        ze::CZeResourceData& project = frame.GetProject();
        ze::CommitProperty(project, nullptr, &project, RowOf(project, "Name"), "Renamed");
        QVERIFY(frame.isWindowModified());
        QVERIFY(frame.Files().HasUnsavedChanges());
    }

    void ClosingAsksOnlyWithChanges() {
        EditorFixture fixture;
        const std::string path = Sample(fixture, "ask.moxspro");
        CMainFrame& frame = fixture.Frame();
        QVERIFY(frame.OpenFile(path));
        // A new dialog is a change to save like any other.
        QVERIFY(!frame.Files().HasUnsavedChanges());
        frame.OnFileNew();
        QVERIFY(frame.Files().HasUnsavedChanges());
        QVERIFY(frame.isWindowModified());
        fixture.files.saveAnswer = SaveAnswer::kCancel;
        QVERIFY(!frame.close());
        QCOMPARE(fixture.files.saveQuestions, 1);

        // Save: into the project's file without a file dialog, then close.
        fixture.files.saveAnswer = SaveAnswer::kSave;
        QVERIFY(frame.close());
        QCOMPARE(fixture.files.saveQuestions, 2);
        QVERIFY(fixture.files.requests.empty());
        ze::CZeResourceData reread;
        QVERIFY(reread.LoadFile(path));
        QCOMPARE(reread.GetDialogs().GetCount(), std::size_t{3});
    }

    void AnUntitledProjectAsksWhereToSaveOnClose() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        QVERIFY(frame.OpenFile(fixture.WriteFile("A.json", DialogText("A", ""))));
        ze::CZeResourceData& project = frame.GetProject();
        ze::CommitProperty(project, nullptr, &project, RowOf(project, "Name"), "Changed");
        fixture.files.saveAnswer = SaveAnswer::kSave;
        fixture.files.answers = {std::nullopt};  // the file dialog is cancelled
        QVERIFY(!frame.close());
        fixture.files.answers = {fixture.Folder() + "saved.moxspro"};
        QVERIFY(frame.close());
        QCOMPARE(fixture.files.saveQuestions, 2);

        // Discarding everything asks once, and leaves nothing to ask.
        EditorFixture other;
        ze::CZeResourceData& otherProject = other.Frame().GetProject();
        QVERIFY(other.Frame().OpenFile(Sample(other, "in.moxspro")));
        ze::CommitProperty(otherProject, nullptr, &otherProject, RowOf(otherProject, "Name"), "X");
        other.Frame().Files().OnDiscardAll();
        QVERIFY(!other.Frame().Files().HasUnsavedChanges());
        QCOMPARE(other.files.saveQuestions, 1);
        QVERIFY(other.Frame().close());
        QCOMPARE(other.files.saveQuestions, 1);
    }

    // Paths that are no project to read are refused with a message, and the
    // project is left as it was.
    void FilesThatCannotBeProjectsAreRefused() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        QFile huge(QString::fromStdString(fixture.Folder() + "huge.moxspro"));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(static_cast<qint64>(ze::kMaxReadFileBytes) + 1));  // sparse
        huge.close();
        const struct {
            std::string path;
            const char* says;
        } cases[] = {
            {huge.fileName().toStdString(), "大きすぎる"},
            {"/dev/zero", "読み込めませんでした"},
            {fixture.Folder(), "読み込めませんでした"},
        };
        for (const auto& c : cases) {
            fixture.messages.shown.clear();
            QVERIFY(!frame.OpenFile(c.path));
            QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
            QVERIFY2(fixture.messages.shown[0].text.find(c.says) != std::string::npos,
                     fixture.messages.shown[0].text.c_str());
            QCOMPARE(frame.GetProject().GetDialogs().GetCount(), std::size_t{0});
            QVERIFY(!frame.isWindowModified());
        }
    }

    void TheLoadErrorDialogNamesTheFileAndShowsNoRawByte() {
        // A Shift_JIS character, a UTF-8 one, bytes of neither, a control byte.
        const std::string report =
            "Parse error\n line:1\n\n{'T':'\x95\x5C"
            "\xE8\xA1\xA8"
            "\xFF\x80(1)!x\n";
        CLoadErrorDlg dialog("/data/壊れた.moxspro", report);
        QVERIFY(dialog.Heading().text().contains("ファイルを読み込めませんでした。"));
        QVERIFY(dialog.Heading().text().contains("/data/壊れた.moxspro"));
        const QPlainTextEdit& area = dialog.Report();
        QVERIFY(area.isReadOnly());
        QVERIFY(area.textInteractionFlags() & Qt::TextSelectableByMouse);
        QCOMPARE(area.font().family(), QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
        QCOMPARE(area.toPlainText(), QString("Parse error\n line:1\n\n{'T':'表表(ff)(80)(1)!x\n"));
    }

    void RecoveryFilesAreWrittenWhileModifiedAndGoOnSave() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        QCOMPARE(frame.Files().GetAutosaveSeconds(), CMainFrame::kDefaultAutosaveSeconds);
        const std::string in = Sample(fixture, "in.moxspro");
        QVERIFY(frame.OpenFile(in));
        frame.Files().Autosave();
        QVERIFY(frame.Files().GetRecoveryStore().OwnTextPath().isEmpty());  // nothing changed
        EditText(frame, "edited");
        frame.Files().Autosave();
        const QString written = frame.Files().GetRecoveryStore().OwnTextPath();
        QVERIFY(written.startsWith(fixture.RecoveryFolder()));
        QCOMPARE(EditorFixture::ReadFile(written.toStdString()), frame.Files().ProjectText());
        // Never the user's file.
        QVERIFY(EditorFixture::ReadFile(in) != frame.Files().ProjectText());
        frame.Files().OnSaveProject();
        QVERIFY(!QFileInfo::exists(written));
    }

    void RecoveryIsOfferedOnlyForEditorsThatAreGone() {
        EditorFixture fixture;
        // A running editor's file is not offered; once it is gone, it is.
        auto running = std::make_unique<RecoveryStore>(fixture.RecoveryFolder());
        QVERIFY(running->Write("{'Commands':[]}", "/p/running.moxspro"));
        {
            RecoveryStore starting(fixture.RecoveryFolder());
            QVERIFY(starting.FindLeftOvers().empty());
        }
        // Writes the files and lets go of the lock as a killed editor does.
        const QString text = running->OwnTextPath();
        QFile::copy(text, fixture.RecoveryFolder() + "/12345-dead.moxspro");
        QFile origin(fixture.RecoveryFolder() + "/12345-dead.origin");
        QVERIFY(origin.open(QIODevice::WriteOnly));
        origin.write("/p/dead.moxspro");
        origin.close();
        RecoveryStore starting(fixture.RecoveryFolder());
        const auto leftOvers = starting.FindLeftOvers();
        QCOMPARE(leftOvers.size(), std::size_t{1});
        QCOMPARE(leftOvers[0].originFile, QString("/p/dead.moxspro"));
        // Two editors starting at once do not both offer it.
        RecoveryStore other(fixture.RecoveryFolder());
        QVERIFY(other.FindLeftOvers().empty());
    }

    void RestoreDiscardOrLater_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("restored");
        QTest::addColumn<bool>("keptForLater");
        QTest::newRow("restore") << int(RecoveryAnswer::kRestore) << true << false;
        QTest::newRow("discard") << int(RecoveryAnswer::kDiscard) << false << false;
        QTest::newRow("later") << int(RecoveryAnswer::kLater) << false << true;
    }
    void RestoreDiscardOrLater() {
        QFETCH(int, answer);
        QFETCH(bool, restored);
        QFETCH(bool, keptForLater);
        EditorFixture fixture;
        const std::string in = Sample(fixture, "in.moxspro");
        std::string edited;
        QString left;
        {
            // An editor that wrote its recovery file and never closed: its
            // files stay, its lock goes with the process.
            EditorFixture crashed;
            CMainFrame& frame = crashed.Frame();
            QVERIFY(frame.OpenFile(in));
            EditText(frame, "unsaved");
            edited = frame.Files().ProjectText();
            RecoveryStore store(fixture.RecoveryFolder());
            QVERIFY(store.Write(edited, QString::fromStdString(in)));
            left = store.OwnTextPath();
        }
        fixture.files.recoveryAnswer = static_cast<RecoveryAnswer>(answer);
        CMainFrame* frame = fixture.Start({"ze-editor", QString::fromStdString(in)});
        QVERIFY(frame != nullptr);
        QCOMPARE(fixture.files.recoveryOffers.size(), std::size_t{1});
        QCOMPARE(fixture.files.recoveryOffers[0].originFile, QString::fromStdString(in));
        if (restored) {
            QCOMPARE(frame->Files().ProjectText(), edited);
            QCOMPARE(frame->windowTitle(), QString("in.moxspro[*] - RESOURCE EDITOR"));
            QVERIFY(frame->isWindowModified());
            QCOMPARE(frame->Files().GetProjectFile(), in);
        } else {
            // The file of the command line, as it is on disk.
            QCOMPARE(frame->GetProject().GetDialogs().GetCount(), std::size_t{2});
            QVERIFY(!frame->isWindowModified());
        }
        QCOMPARE(QFileInfo::exists(left), keptForLater);
    }
};

QTEST_MAIN(ProjectFileTest)
#include "project_file_test.moc"
