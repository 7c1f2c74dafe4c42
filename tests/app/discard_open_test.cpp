// Discard all asks before it throws work away and leaves a new project's
// root; a file opened into a project that has dialogs or changes marks it
// modified and says what it added; with no project there are no findings.
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <map>
#include <utility>
#include <vector>

#include "app/command_ids.h"
#include "app/panes/findings_list.h"
#include "app/panes/log_dlg.h"
#include "model/dialog_data.h"
#include "model/editing/property_edits.h"
#include "model/editing/selection.h"
#include "model/object_data.h"
#include "panels/findings_watch.h"
#include "panels/resource_dlg.h"
#include "panels/resource_tree_model.h"
#include "support/editor_fixture.h"

using namespace ze;
using namespace ze::app;
using ze::app::test::DialogText;
using ze::app::test::EditorFixture;
using ze::app::test::ProjectText;

namespace {

std::size_t RowOf(const ZeClass& element, std::string_view name) {
    for (std::size_t i = 0; i < element.Items().GetItemCount(); ++i) {
        if (element.Items().GetItemData(i).GetName() == name) {
            return i;
        }
    }
    return element.Items().GetItemCount();
}

// The Text of the first object of the first dialog, as the property list
// sets it: one step in that dialog's history.
void EditText(CMainFrame& frame, const char* text) {
    CZeDialogData& dialog = *frame.GetProject().GetDialogs().GetDialog(0);
    ZeClass* object = dialog.GetRootGroup()->GetChildren().front();
    QVERIFY(
        CommitProperty(frame.GetProject(), &dialog, object, RowOf(*object, "Text"), text).changed);
}

std::string SampleProject(EditorFixture& fixture, const std::string& name) {
    return fixture.WriteFile(
        name, ProjectText("SampleApp", {DialogText("A", "{'Type':'TEXT','Name':'T','Text':'x'}"),
                                        DialogText("B", "")}));
}

QString ProblemsPane(CMainFrame& frame) {
    return frame.findChild<QLabel*>(QStringLiteral("ProblemsPane"))->text();
}

QString RootLabel(CMainFrame& frame) {
    const auto& tree = frame.GetResourcePanel().TreeModel();
    return tree.rowCount() == 0 ? QString() : tree.LabelAt(tree.index(0, 0));
}

// Counts what the project tells its observers.
class TellCounter : public ProjectObserver {
public:
    void DialogRemoving(CZeDialogData& /*dialog*/) override { ++removing; }
    void ProjectEmptied() override { ++emptied; }
    int removing = 0;
    int emptied = 0;
};

enum class Start { kProjectFile, kUntitled };

}  // namespace

class DiscardOpenTest : public QObject {
    Q_OBJECT

private slots:
    void DiscardAllAsksAsClosingDoes_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("answer");
        // The path the save dialog answers ("-": cancelled), for an untitled
        // project.
        QTest::addColumn<QString>("saveAs");
        QTest::addColumn<int>("questions");
        QTest::addColumn<bool>("discarded");
        QTest::addColumn<bool>("saved");
        const int file = int(Start::kProjectFile);
        const int untitled = int(Start::kUntitled);
        const int save = int(SaveAnswer::kSave);
        const int discard = int(SaveAnswer::kDiscard);
        const int cancel = int(SaveAnswer::kCancel);
        QTest::newRow("unmodified: no question")
            << file << false << cancel << "" << 0 << true << false;
        QTest::newRow("discard") << file << true << discard << "" << 1 << true << false;
        QTest::newRow("cancel keeps") << file << true << cancel << "" << 1 << false << false;
        QTest::newRow("save into the file") << file << true << save << "" << 1 << true << true;
        QTest::newRow("save as") << untitled << true << save << "out.moxspro" << 1 << true << true;
        QTest::newRow("save as cancelled keeps")
            << untitled << true << save << "-" << 1 << false << false;
        QTest::newRow("failed save keeps")
            << untitled << true << save << "no/such/folder/out.moxspro" << 1 << false << false;
    }

    void DiscardAllAsksAsClosingDoes() {
        QFETCH(int, start);
        QFETCH(bool, modified);
        QFETCH(int, answer);
        QFETCH(QString, saveAs);
        QFETCH(int, questions);
        QFETCH(bool, discarded);
        QFETCH(bool, saved);
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        const std::string path = SampleProject(fixture, "p.moxspro");
        if (start == int(Start::kProjectFile)) {
            QVERIFY(frame.OpenFile(path));
        } else {
            frame.Files().OpenExample(path);
        }
        if (modified) {
            EditText(frame, "edited");
        }
        fixture.files.saveAnswer = SaveAnswer(answer);
        if (!saveAs.isEmpty()) {
            fixture.files.answers = {saveAs == "-"
                                         ? std::nullopt
                                         : std::optional(fixture.Folder() + saveAs.toStdString())};
        }

        frame.Action(CommandId::kDiscardAll)->trigger();

        QCOMPARE(fixture.files.saveQuestions, questions);
        CZeResourceData& project = frame.GetProject();
        if (discarded) {
            QCOMPARE(project.GetDialogs().GetCount(), std::size_t{0});
            QCOMPARE(project.GetItem("Name"), std::string());
            QVERIFY(!frame.isWindowModified());
            QVERIFY(frame.Files().GetProjectFile().empty());
            QVERIFY(!frame.Action(CommandId::kEditUndo)->isEnabled());
        } else {
            QCOMPARE(project.GetDialogs().GetCount(), std::size_t{2});
            QCOMPARE(project.GetItem("Name"), std::string("SampleApp"));
            QVERIFY(frame.isWindowModified());
            QVERIFY(frame.Files().HasUnsavedChanges());
        }
        const std::string written =
            saveAs.isEmpty() ? path : fixture.Folder() + saveAs.toStdString();
        CZeResourceData reread;
        const bool readBack = reread.LoadFile(written);
        QCOMPARE(
            readBack &&
                reread.GetDialogs().GetDialog(0)->GetRootGroup()->GetChildren().front()->GetItem(
                    "Text") == "edited",
            saved);
    }

    // A large project would rebuild its findings once per dialog: the
    // observers hear of the discard once, and nothing of the project stays
    // for the next file to show.
    void DiscardTellsOnceAndLeavesNothing() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        std::vector<std::string> dialogs;
        for (int i = 0; i < 6; ++i) {
            // A bad alignment in each: a finding per dialog.
            dialogs.push_back(
                DialogText("D" + std::to_string(i), "{'Type':'TEXT','Name':'t','TAlign':'MIDLE'}"));
        }
        QVERIFY(
            frame.OpenFile(fixture.WriteFile("big.moxspro", ProjectText("SampleApp", dialogs))));
        frame.GetLogPane().ShowTab(CLogDlg::kProblemsTab);
        frame.GetFindings().CheckNow();
        CFindingsList& list = frame.GetLogPane().Problems();
        QCOMPARE(list.topLevelItemCount(), 6);
        frame.ActivateDialogWindow(*frame.GetProject().GetDialogs().GetDialog(2));
        QVERIFY(frame.GetProject().GetSelection().Dialog() != nullptr);

        TellCounter counter;
        frame.GetProject().Observers().Add(&counter);
        QSignalSpy published(&frame.GetFindings(), &panels::FindingsWatch::Updated);
        frame.Action(CommandId::kDiscardAll)->trigger();
        QCOMPARE(counter.emptied, 1);
        QCOMPARE(counter.removing, 0);
        QVERIFY(published.count() < 6);
        QCOMPARE(list.topLevelItemCount(), 0);
        QVERIFY(frame.GetFindings().Findings().empty());
        QCOMPARE(ProblemsPane(frame), QString());
        QVERIFY(frame.GetProject().GetSelection().Dialog() == nullptr);
        QVERIFY(frame.GetProject().GetSelection().Elements().empty());
        QVERIFY(frame.ChildFrames().empty());

        // A dialog's file names no project: the root shows nothing of the
        // discarded one.
        QVERIFY(frame.OpenFile(fixture.WriteFile("A.json", DialogText("A", ""))));
        QCOMPARE(frame.GetRootProperty("Name"), std::string());
        QVERIFY(!RootLabel(frame).contains("SampleApp"));
        QVERIFY(!RootLabel(frame).isEmpty());
    }

    void OpeningIntoAProjectMarksIt_data() {
        QTest::addColumn<QStringList>("before");  // files opened first
        QTest::addColumn<bool>("edit");           // then an edit
        QTest::addColumn<bool>("discard");        // then Discard all
        QTest::addColumn<QString>("opened");      // the file opened into that
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QString>("status");
        const QStringList first{"first"};
        QTest::newRow("empty") << QStringList() << false << false << "more" << false << QString();
        QTest::newRow("discarded") << first << true << true << "more" << false << QString();
        QTest::newRow("unmodified with dialogs") << first << false << false << "more" << true
                                                 << "3 個のダイアログを追加しました (A → A2)";
        QTest::newRow("modified") << first << true << false << "more" << true
                                  << "3 個のダイアログを追加しました (A → A2)";
        QTest::newRow("each renamed named")
            << QStringList{"first", "more"} << false << false << "more" << true
            << "3 個のダイアログを追加しました (A → A3, C → C2, D → D2)";
        QTest::newRow("more than three renamed")
            << first << false << false << "many" << true
            << "5 個のダイアログを追加しました (B → B2, B → B3, B → B4, ほか 2 件)";
        QTest::newRow("nothing renamed")
            << first << false << false << "other" << true << "1 個のダイアログを追加しました";
    }

    void OpeningIntoAProjectMarksIt() {
        QFETCH(QStringList, before);
        QFETCH(bool, edit);
        QFETCH(bool, discard);
        QFETCH(QString, opened);
        QFETCH(bool, modified);
        QFETCH(QString, status);
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        const std::string first = fixture.WriteFile(
            "first.moxspro",
            ProjectText("First", {DialogText("A", "{'Type':'TEXT','Name':'T','Text':'x'}"),
                                  DialogText("B", "")}));
        const std::string more = fixture.WriteFile(
            "more.moxspro",
            ProjectText("More", {DialogText("A", ""), DialogText("C", ""), DialogText("D", "")}));
        const std::vector<std::string> bees(5, DialogText("B", ""));
        const std::map<QString, std::pair<std::string, std::size_t>> files = {
            {"more", {more, 3}},
            {"many", {fixture.WriteFile("many.moxspro", ProjectText("Many", bees)), 5}},
            {"other", {fixture.WriteFile("other.json", DialogText("Other", "")), 1}}};
        for (const QString& name : before) {
            QVERIFY(frame.OpenFile(name == "first" ? first : more));
        }
        if (edit) {
            EditText(frame, "edited");
        }
        fixture.files.saveAnswer = SaveAnswer::kDiscard;
        if (discard) {
            frame.Action(CommandId::kDiscardAll)->trigger();
        }
        frame.statusBar()->clearMessage();
        const std::size_t count = frame.GetProject().GetDialogs().GetCount();

        const auto& [path, added] = files.at(opened);
        QVERIFY(frame.OpenFile(path));

        QCOMPARE(frame.GetProject().GetDialogs().GetCount(), count + added);
        QCOMPARE(frame.isWindowModified(), modified);
        QCOMPARE(frame.Files().HasUnsavedChanges(), modified);
        QCOMPARE(frame.statusBar()->currentMessage(), status);
        // The title names the file opened into an empty project, and no
        // merge.
        QCOMPARE(frame.windowTitle(),
                 QString("%1[*] - RESOURCE EDITOR")
                     .arg(before.isEmpty() || discard ? QString("more.moxspro")
                                                      : QString("first.moxspro")));
        // Closing asks exactly when the title is marked.
        const int questions = fixture.files.saveQuestions;
        fixture.files.saveAnswer = SaveAnswer::kCancel;
        QCOMPARE(frame.close(), !modified);
        QCOMPARE(fixture.files.saveQuestions - questions, modified ? 1 : 0);
    }

    // The unused files of the folder remembered from the last run are no
    // project's: nothing is counted before one is open, or after it went.
    void NoProjectNoFindings() {
        EditorFixture fixture;
        QVERIFY(QDir(QString::fromStdString(fixture.Folder())).mkpath("work/resources"));
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(QString::fromStdString(fixture.Folder() + "work/resources/extra.png")));
        fixture.WriteFile("VaVoririvuZuvazu.ini",
                          "[SETTING]\r\nProjectFolder=" + fixture.Folder() + "work/\r\n");
        CMainFrame& frame = fixture.Frame();
        QCOMPARE(frame.GetResourcePanel().GetProjectFolder(), fixture.Folder() + "work/");
        auto* tabs = frame.GetLogPane().findChild<QTabWidget*>();
        const auto nothingShown = [&] {
            QVERIFY(frame.GetFindings().Findings().empty());
            QCOMPARE(ProblemsPane(frame), QString());
            QCOMPARE(tabs->tabText(CLogDlg::kProblemsTab), QStringLiteral("問題"));
            QCOMPARE(frame.GetLogPane().Problems().topLevelItemCount(), 0);
        };
        nothingShown();
        frame.GetLogPane().ShowTab(CLogDlg::kProblemsTab);
        nothingShown();

        // With a project the folder's unused file is its finding.
        QVERIFY(frame.OpenFile(
            fixture.WriteFile("p.moxspro", ProjectText("P", {DialogText("A", "")}))));
        frame.GetFindings().CheckNow();
        QCOMPARE(frame.GetFindings().Findings().size(), std::size_t{1});
        QCOMPARE(ProblemsPane(frame), QStringLiteral("エラー 0 件 / 警告 1 件"));
        QCOMPARE(frame.GetLogPane().Problems().topLevelItemCount(), 1);

        frame.Action(CommandId::kDiscardAll)->trigger();
        nothingShown();
    }
};

QTEST_MAIN(DiscardOpenTest)
#include "discard_open_test.moc"
