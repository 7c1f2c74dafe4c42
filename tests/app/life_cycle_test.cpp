// The editor's whole life through the real main window and the real event
// loop: windows opened, edited, closed through their own close path and
// deleted by the event loop, the project renewed, discarded and reopened,
// the editor quit. Run under the sanitizers, any use after free or leak of
// a window, view, document or observer fails it.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include "app/child_frame.h"
#include "app/command_ids.h"
#include "app/dialog_document.h"
#include "model/dialog_data.h"
#include "model/editing/property_edits.h"
#include "model/object_data.h"
#include "panels/resource_dlg.h"
#include "support/editor_fixture.h"

using namespace ze::app;
using ze::app::test::EditorFixture;

namespace {

// A copy of the bundled example, so that a save never writes over it.
QString CopyOfExample(const EditorFixture& fixture) {
    const QString copy = QString::fromStdString(fixture.Folder() + "SampleApp.moxspro");
    QFile::copy(QStringLiteral(ZE_SOURCE_DIR "/examples/SampleApp.moxspro"), copy);
    return copy;
}

// What the event loop does after a gesture: deferred deletes included.
void Settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

std::size_t RowOf(const ze::ZeClass& element, std::string_view name) {
    for (std::size_t row = 0; row < element.Items().GetItemCount(); ++row) {
        if (element.Items().GetItemData(row).GetName() == name) {
            return row;
        }
    }
    return element.Items().GetItemCount();
}

// The recovery files this editor wrote (the lock file aside).
int RecoveryTexts(const EditorFixture& fixture) {
    return static_cast<int>(QDir(fixture.RecoveryFolder())
                                .entryList({QStringLiteral("*.moxspro")}, QDir::Files)
                                .size());
}

void OpenEveryDialog(CMainFrame& frame) {
    ze::CZeDialogDataList& dialogs = frame.GetProject().GetDialogs();
    for (std::size_t i = 0; i < dialogs.GetCount(); ++i) {
        frame.ActivateDialogWindow(*dialogs.GetDialog(i));
    }
    Settle();
}

// Changes the Name of the root group of the active window's dialog.
void EditActiveDialog(CMainFrame& frame, const char* name) {
    ze::CZeDialogData* dialog = frame.ActiveChildFrame()->GetDocument().GetDialog();
    ze::CObjectDataList* root = dialog->GetRootGroup();
    const ze::EditResult result = ze::CommitProperty(frame.GetProject(), dialog, root,
                                                     RowOf(*root, "Name"), name);
    QVERIFY(result.changed);
    Settle();
}

}  // namespace

class LifeCycleTest : public QObject {
    Q_OBJECT

private slots:
    void WholeLife() {
        EditorFixture fixture;
        const QString example = CopyOfExample(fixture);
        CMainFrame* started = fixture.Start({"ze-editor", example});
        QVERIFY(started != nullptr);
        CMainFrame& frame = *started;
        frame.show();
        const auto marker = [&frame] { return frame.isWindowModified(); };
        QVERIFY(!marker());

        // Every dialog's window, then one closed after another through the
        // window's own close, each deleted by the event loop.
        OpenEveryDialog(frame);
        const std::size_t dialogCount = frame.GetProject().GetDialogs().GetCount();
        QVERIFY(dialogCount >= 2);
        QCOMPARE(frame.ChildFrames().size(), dialogCount);
        EditActiveDialog(frame, "EditedRoot");
        QVERIFY(marker());
        frame.Files().Autosave();
        QCOMPARE(RecoveryTexts(fixture), 1);
        while (!frame.GetMdiArea().subWindowList().isEmpty()) {
            QVERIFY(frame.GetMdiArea().subWindowList().first()->close());
            Settle();
            QVERIFY(marker());
        }
        QVERIFY(frame.ChildFrames().empty());
        QVERIFY(marker());

        // Reopened, a second window on one dialog, closed with "このリソースを閉じる".
        OpenEveryDialog(frame);
        frame.Action(CommandId::kWindowNew)->trigger();
        Settle();
        QCOMPARE(frame.ChildFrames().size(), dialogCount + 1);
        frame.Action(CommandId::kFileClose)->trigger();
        Settle();
        QCOMPARE(frame.ChildFrames().size(), dialogCount - 1);

        // New adds a dialog: a change to save, covered by autosave.
        frame.Action(CommandId::kDiscardAll)->trigger();
        Settle();
        QVERIFY(!marker());
        QCOMPARE(RecoveryTexts(fixture), 0);
        QVERIFY(frame.ChildFrames().empty());
        frame.Action(CommandId::kFileNew)->trigger();
        Settle();
        QCOMPARE(frame.GetProject().GetDialogs().GetCount(), std::size_t{1});
        QVERIFY(marker());
        frame.Files().Autosave();
        QCOMPARE(RecoveryTexts(fixture), 1);

        // Discarding closes its window and leaves nothing to recover.
        frame.Action(CommandId::kDiscardAll)->trigger();
        Settle();
        QVERIFY(!marker());
        QCOMPARE(RecoveryTexts(fixture), 0);

        // A second file, windows open, every window closed at once.
        QVERIFY(frame.OpenFile(example.toStdString()));
        const std::string second = fixture.WriteFile(
            "second.moxspro", ze::app::test::ProjectText(
                                  "Second", {ze::app::test::DialogText("Other", "")}));
        QVERIFY(frame.OpenFile(second));
        OpenEveryDialog(frame);
        frame.GetMdiArea().closeAllSubWindows();
        Settle();
        QVERIFY(frame.ChildFrames().empty());

        // Quit with changes: cancelled, the editor stays with its windows.
        OpenEveryDialog(frame);
        EditActiveDialog(frame, "Changed");
        frame.Files().Autosave();
        QCOMPARE(RecoveryTexts(fixture), 1);
        fixture.files.saveAnswer = SaveAnswer::kCancel;
        QVERIFY(!frame.close());
        Settle();
        QVERIFY(frame.isVisible());
        QCOMPARE(frame.ChildFrames().size(), frame.GetProject().GetDialogs().GetCount());
        // Saved (over the copy the project came from): the question is
        // not asked again and nothing is left to recover.
        fixture.files.saveAnswer = SaveAnswer::kSave;
        const int questions = fixture.files.saveQuestions;
        QVERIFY(frame.close());
        Settle();
        QCOMPARE(fixture.files.saveQuestions, questions + 1);
        QVERIFY(fixture.ReadFile(example.toStdString()).find("Other") != std::string::npos);
        QCOMPARE(RecoveryTexts(fixture), 0);
    }

    void QuitDiscardingChangesLeavesNoRecovery() {
        EditorFixture fixture;
        const QString example = CopyOfExample(fixture);
        CMainFrame* started = fixture.Start({"ze-editor", example, "--dialog", "Main"});
        QVERIFY(started != nullptr);
        CMainFrame& frame = *started;
        frame.show();
        EditActiveDialog(frame, "Changed");
        frame.Files().Autosave();
        QCOMPARE(RecoveryTexts(fixture), 1);
        fixture.files.saveAnswer = SaveAnswer::kDiscard;
        frame.Action(CommandId::kAppExit)->trigger();
        Settle();
        QCOMPARE(fixture.files.saveQuestions, 1);
        QVERIFY(!frame.isVisible());
        QCOMPARE(RecoveryTexts(fixture), 0);
    }

    void QuitUnchangedAsksNothing() {
        EditorFixture fixture;
        const QString example = CopyOfExample(fixture);
        CMainFrame* started = fixture.Start({"ze-editor", example, "--dialog", "Main"});
        QVERIFY(started != nullptr);
        started->show();
        QVERIFY(started->close());
        Settle();
        QCOMPARE(fixture.files.saveQuestions, 0);
    }
};

QTEST_MAIN(LifeCycleTest)
#include "life_cycle_test.moc"
