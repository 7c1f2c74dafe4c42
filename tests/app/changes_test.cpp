// The "変更" tab: the changes since the project was opened or saved, kept up
// to date a moment after an edit, gone after an undo back to the saved step
// and after a save, and a double click that selects the changed element.
#include <QLabel>
#include <QTabWidget>
#include <QTest>
#include <QThread>
#include <string>

#include "app/command_ids.h"
#include "app/panes/changes_list.h"
#include "app/panes/log_dlg.h"
#include "common/cp932.h"
#include "model/dialog_data.h"
#include "model/object_data.h"
#include "panels/changes_watch.h"
#include "panels/property_list_ctrl.h"
#include "panels/resource_dlg.h"
#include "support/editor_fixture.h"

using namespace ze;
using namespace ze::app;
using ze::app::test::DialogText;
using ze::app::test::EditorFixture;
using ze::app::test::ProjectText;

namespace {

int RowOf(const ZeClass& element, const std::string& name) {
    const CItemList& items = element.Items();
    for (std::size_t row = 0; row < items.GetItemCount(); ++row) {
        if (items.GetItemData(row).GetName() == name) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

QString StatusCount(CMainFrame& frame) {
    return frame.findChild<QLabel*>(QStringLiteral("ChangesPane"))->text();
}

// The row's texts, column by column.
QStringList RowTexts(const QTreeWidgetItem& row) {
    QStringList texts;
    for (int column = 0; column < row.columnCount(); ++column) {
        texts << row.text(column);
    }
    return texts;
}

}  // namespace

class ChangesTest : public QObject {
    Q_OBJECT

private slots:
    void TheTabFollowsEditsUndoAndSave() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        const std::string file = fixture.WriteFile(
            "changes.moxspro",
            ProjectText("Changes", {DialogText("A",
                                               "{'Name':'t','Type':'TEXT','Text':'a'},"
                                               "{'Name':'u','Type':'BUTTON','Width':'PARENT'}")}));
        QVERIFY(frame.OpenFile(file));
        CLogDlg& pane = frame.GetLogPane();
        pane.ShowTab(CLogDlg::kChangesTab);
        panels::ChangesWatch& watch = frame.GetChanges();
        CChangesList& list = pane.Changes();
        auto* tabs = pane.findChild<QTabWidget*>();
        QCOMPARE(list.topLevelItemCount(), 0);
        QCOMPARE(StatusCount(frame), QStringLiteral("変更 0 件"));
        QCOMPARE(tabs->tabText(CLogDlg::kChangesTab), QStringLiteral("変更"));

        // Two edits through the property list's way in: listed within the
        // delay, values in the user's text whatever the model keeps.
        CZeDialogData& a = *frame.GetProject().GetDialogs().GetDialog(0);
        ZeClass* text = a.GetRootGroup()->GetChildren()[0];
        ZeClass* button = a.GetRootGroup()->GetChildren()[1];
        panels::CResourceDlg& panel = frame.GetResourcePanel();
        QVERIFY(panel.CommitProperty(*button, "Width", "CONTENT"));
        QVERIFY(panel.CommitProperty(*text, "Text", Utf8ToCp932("日本語")));
        QVERIFY(watch.IsPending());
        QTRY_VERIFY(!watch.IsPending());
        QCOMPARE(list.topLevelItemCount(), 2);
        QCOMPARE(RowTexts(*list.topLevelItem(0)),
                 (QStringList{"A", "A/Root/t", "", "Text", "値の変更", "a", "日本語"}));
        QCOMPARE(RowTexts(*list.topLevelItem(1)),
                 (QStringList{"A", "A/Root/u", "", "Width", "値の変更", "PARENT", "CONTENT"}));
        QCOMPARE(StatusCount(frame), QStringLiteral("変更 2 件"));
        QCOMPARE(tabs->tabText(CLogDlg::kChangesTab), QStringLiteral("変更 (2)"));

        // A double click selects the element and its property row.
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        panel.SelectByUser(&a);
        const QRect rect = list.View().visualItemRect(list.topLevelItem(1));
        QTest::mouseClick(list.View().viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(list.View().viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(panel.GetShownElement(), button);
        QCOMPARE(panel.PropertyList().GetCurrentRow(), RowOf(*button, "Width"));

        // Undone back to the step read: nothing is left.
        frame.Action(CommandId::kEditUndo)->trigger();
        QTRY_VERIFY(!watch.IsPending());
        QCOMPARE(list.topLevelItemCount(), 1);
        frame.Action(CommandId::kEditUndo)->trigger();
        QTRY_VERIFY(!watch.IsPending());
        QCOMPARE(list.topLevelItemCount(), 0);
        QCOMPARE(StatusCount(frame), QStringLiteral("変更 0 件"));

        // Out of sight the count follows and the list waits for its tab.
        frame.Action(CommandId::kEditRedo)->trigger();
        pane.ShowTab(CLogDlg::kProblemsTab);
        QTRY_VERIFY(!watch.IsPending());
        QCOMPARE(StatusCount(frame), QStringLiteral("変更 1 件"));
        QCOMPARE(list.topLevelItemCount(), 0);
        pane.ShowTab(CLogDlg::kChangesTab);
        QCOMPARE(list.topLevelItemCount(), 1);

        // A save is the new starting point, at once; the next edit counts
        // from it.
        frame.Files().OnSaveProject();
        QVERIFY(!frame.Files().HasUnsavedChanges());
        QVERIFY(!watch.IsPending());
        QCOMPARE(list.topLevelItemCount(), 0);
        QCOMPARE(StatusCount(frame), QStringLiteral("変更 0 件"));
        QVERIFY(panel.CommitProperty(*button, "Width", "PARENT"));
        QTRY_VERIFY(!watch.IsPending());
        QCOMPARE(RowTexts(*list.topLevelItem(0)),
                 (QStringList{"A", "A/Root/u", "", "Width", "値の変更", "CONTENT", "PARENT"}));
        QCOMPARE(list.topLevelItemCount(), 1);
    }

    // The comparison runs beside the editor: an edit while it runs is
    // compared once more, a save lets its result go, and the window closes
    // while one runs.
    void AComparisonUnderWayGivesWay() {
        std::string objects;
        for (int i = 0; i < 2000; ++i) {
            objects += "{'Name':'t" + std::to_string(i) + "','Type':'TEXT','Text':'a'},";
        }
        objects += "{'Name':'last','Type':'TEXT','Text':'a'}";
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        QVERIFY(frame.OpenFile(
            fixture.WriteFile("large.moxspro", ProjectText("Large", {DialogText("A", objects)}))));
        panels::ChangesWatch& watch = frame.GetChanges();
        panels::CResourceDlg& panel = frame.GetResourcePanel();
        const auto& children =
            frame.GetProject().GetDialogs().GetDialog(0)->GetRootGroup()->GetChildren();
        // Events until the delay is over and the comparison runs: it cannot
        // come back before the next turn of the event loop.
        const auto untilComparing = [&watch] {
            for (int turns = 0; turns < 5000 && !watch.IsComparing(); ++turns) {
                QThread::msleep(1);
                QCoreApplication::processEvents();
            }
            return watch.IsComparing();
        };

        QVERIFY(panel.CommitProperty(*children[0], "Text", "b"));
        QVERIFY(untilComparing());
        QVERIFY(panel.CommitProperty(*children[1], "Text", "c"));
        // Two comparisons of the large project, however slow the machine.
        QTRY_VERIFY_WITH_TIMEOUT(!watch.IsPending(), 60000);
        QCOMPARE(watch.Changes().size(), std::size_t{2});

        QVERIFY(panel.CommitProperty(*children[2], "Text", "d"));
        QVERIFY(untilComparing());
        frame.Files().OnSaveProject();
        QVERIFY(!watch.IsPending());
        QVERIFY(watch.Changes().empty());
        QTest::qWait(2 * panels::ChangesWatch::kDelayMilliseconds);
        QVERIFY(watch.Changes().empty());

        QVERIFY(panel.CommitProperty(*children[3], "Text", "e"));
        QVERIFY(untilComparing());
        // The fixture closes the window with the comparison under way.
    }
};

QTEST_MAIN(ChangesTest)
#include "changes_test.moc"
