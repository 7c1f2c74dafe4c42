// The "問題" tab: the findings of an opened project, the counts following
// an edit that makes a problem and one that mends it, and a double click
// that selects the element and its property row, and opens the device list
// without taking the keyboard focus.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QTabWidget>
#include <QTest>

#include "app/device_list_window.h"
#include "app/panes/findings_list.h"
#include "app/panes/log_dlg.h"
#include "model/dialog_data.h"
#include "model/editing/property_edits.h"
#include "model/object_data.h"
#include "panels/findings_watch.h"
#include "panels/property_list_ctrl.h"
#include "panels/resource_dlg.h"
#include "support/editor_fixture.h"

using namespace ze;
using namespace ze::app;
using ze::app::test::DialogText;
using ze::app::test::EditorFixture;
using ze::app::test::ProjectText;

namespace {

std::size_t RowOf(const ZeClass& element, const std::string& name) {
    const CItemList& items = element.Items();
    for (std::size_t row = 0; row < items.GetItemCount(); ++row) {
        if (items.GetItemData(row).GetName() == name) {
            return row;
        }
    }
    return items.GetItemCount();
}

QString StatusCounts(CMainFrame& frame) {
    return frame.findChild<QLabel*>(QStringLiteral("ProblemsPane"))->text();
}

}  // namespace

class FindingsTest : public QObject {
    Q_OBJECT

private slots:
    void TheTabFollowsEditsAndLeadsToTheElement() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        QVERIFY(frame.OpenFile(fixture.WriteFile(
            "checks.moxspro",
            ProjectText("Checks", {DialogText("A",
                                              "{'Name':'t','Type':'TEXT','TAlign':'MIDLE'},"
                                              "{'Name':'u','Type':'BUTTON','Width':'PARENT'}")}))));
        // Opening checks the project once it is shown; the list is filled
        // while its tab is in sight, the counts always.
        QTRY_VERIFY(!frame.GetFindings().IsPending());
        CFindingsList& list = frame.GetLogPane().Problems();
        QCOMPARE(list.topLevelItemCount(), 0);
        QCOMPARE(StatusCounts(frame), QStringLiteral("エラー 1 件 / 警告 0 件"));
        frame.GetLogPane().ShowTab(CLogDlg::kProblemsTab);
        QCOMPARE(list.topLevelItemCount(), 1);
        QTreeWidgetItem* row = list.topLevelItem(0);
        QCOMPARE(row->text(CFindingsList::kDialogColumn), QStringLiteral("A"));
        QCOMPARE(row->text(CFindingsList::kElementColumn), QStringLiteral("Object:TEXT(t)"));
        QCOMPARE(row->text(CFindingsList::kPropertyColumn), QStringLiteral("TAlign"));
        QVERIFY(row->text(CFindingsList::kMessageColumn).startsWith(QStringLiteral("値「MIDLE」")));
        QVERIFY(row->toolTip(CFindingsList::kMessageColumn)
                    .startsWith(QStringLiteral("bad-choice: 値「MIDLE」")));
        QVERIFY(!row->icon(CFindingsList::kDialogColumn).isNull());
        QCOMPARE(StatusCounts(frame), QStringLiteral("エラー 1 件 / 警告 0 件"));
        auto* tabs = frame.GetLogPane().findChild<QTabWidget*>();
        QCOMPARE(tabs->tabText(CLogDlg::kProblemsTab), QStringLiteral("問題 (1)"));

        // A name given twice: two more errors, checked within the delay.
        CZeResourceData& project = frame.GetProject();
        CZeDialogData& a = *project.GetDialogs().GetDialog(0);
        ZeClass* button = a.GetRootGroup()->GetChildren()[1];
        ZeClass* text = a.GetRootGroup()->GetChildren()[0];
        button->SetItem("Name", "t");  // as a file could bring it: the entry refuses it
        QVERIFY(CommitProperty(project, &a, button, RowOf(*button, "Width"), "CONTENT").changed);
        QVERIFY(frame.GetFindings().IsPending());
        QTRY_VERIFY(!frame.GetFindings().IsPending());
        QCOMPARE(StatusCounts(frame), QStringLiteral("エラー 3 件 / 警告 0 件"));
        QCOMPARE(list.topLevelItemCount(), 3);

        // Mended through the property list's way in: back to one.
        QVERIFY(CommitProperty(project, &a, button, RowOf(*button, "Name"), "u2").changed);
        QVERIFY(CommitProperty(project, &a, text, RowOf(*text, "TAlign"), "CENTER").changed);
        QTRY_VERIFY(!frame.GetFindings().IsPending());
        QCOMPARE(StatusCounts(frame), QStringLiteral("エラー 0 件 / 警告 0 件"));
        QCOMPARE(list.topLevelItemCount(), 0);
        QCOMPARE(tabs->tabText(CLogDlg::kProblemsTab), QStringLiteral("問題"));

        // A double click selects the element and makes the row current.
        button->SetItem("Height", "12abc");
        QVERIFY(CommitProperty(project, &a, button, RowOf(*button, "Width"), "PARENT").changed);
        QTRY_COMPARE(list.topLevelItemCount(), 1);
        frame.show();
        frame.GetLogPane().ShowTab(CLogDlg::kProblemsTab);
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        const QRect rect = list.View().visualItemRect(list.topLevelItem(0));
        // An item view takes a double click as a press, a release and the
        // double click.
        QTest::mouseClick(list.View().viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(list.View().viewport(), Qt::LeftButton, {}, rect.center());
        panels::CResourceDlg& panel = frame.GetResourcePanel();
        QCOMPARE(panel.GetShownElement(), button);
        QCOMPARE(panel.PropertyList().GetCurrentRow(), static_cast<int>(RowOf(*button, "Height")));
    }

    void ADoubleClickLeavesTheFocusWhereTheUserWorks() {
        // A text too long for an upright phone: its finding opens the device
        // list at that size.
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        const std::string objects =
            "{'Name':'Go','Type':'BUTTON','Width':'PARENT','Height':'40px','TSize':'20px',"
            "'Text':'" +
            std::string(45, 'W') + "'},{'Name':'t','Type':'TEXT','Text':'a'}";
        QVERIFY(frame.OpenFile(
            fixture.WriteFile("focus.moxspro", ProjectText("Focus", {DialogText("A", objects)}))));
        frame.show();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        QTRY_VERIFY(!frame.GetFindings().IsPending());
        CZeDialogData& a = *frame.GetProject().GetDialogs().GetDialog(0);
        ZeClass* text = a.GetRootGroup()->GetChildren()[1];
        QVERIFY(CommitProperty(frame.GetProject(), &a, text, RowOf(*text, "Text"), "b").changed);
        QTRY_VERIFY(!frame.GetFindings().IsPending());

        frame.GetLogPane().ShowTab(CLogDlg::kProblemsTab);
        CFindingsList& list = frame.GetLogPane().Problems();
        QTreeWidgetItem* sized = nullptr;
        for (int i = 0; i < list.topLevelItemCount() && sized == nullptr; ++i) {
            if (list.topLevelItem(i)->text(CFindingsList::kSizeColumn) == "360x640") {
                sized = list.topLevelItem(i);
            }
        }
        QVERIFY(sized != nullptr);
        list.setFocus();
        const QRect rect = list.View().visualItemRect(sized);
        QTest::mouseClick(list.View().viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(list.View().viewport(), Qt::LeftButton, {}, rect.center());
        CDeviceListWindow* devices = frame.GetDeviceList();
        QVERIFY(devices != nullptr && devices->isVisible());
        // The list raises itself a moment later: still without the focus.
        QTest::qWait(50);
        QCOMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&frame));
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus != nullptr && focus->window() == &frame);

        // The keys still reach the main window's Edit entries.
        QTest::keyClick(focus, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(text->GetItem("Text"), std::string("a"));
    }

    void AnUnusedFileIsShownAmongTheUserImages() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        QVERIFY(QDir(QString::fromStdString(fixture.Folder())).mkpath(QStringLiteral("resources")));
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(QString::fromStdString(fixture.Folder() + "resources/extra.png")));
        QVERIFY(frame.OpenFile(fixture.WriteFile(
            "files.moxspro",
            ProjectText("Files", {DialogText("A", "{'Name':'t','Type':'TEXT'}")}))));
        frame.SetProjectFolder(fixture.Folder());
        const std::vector<Finding>& findings = frame.GetFindings().Findings();
        QCOMPARE(findings.size(), std::size_t{1});
        QCOMPARE(findings[0].check, check_id::kUnusedFile);
        frame.ChooseFinding(0);
        CLogDlg& pane = frame.GetLogPane();
        QCOMPARE(pane.CurrentTab(), CLogDlg::kUserImagesTab);
        QCOMPARE(pane.SelectedEntry()->text, std::string("extra.png"));
    }

    void AFindingOfAnElementGoneSelectsNothing() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        QVERIFY(frame.OpenFile(fixture.WriteFile(
            "gone.moxspro",
            ProjectText("Gone", {DialogText("A", "{'Name':'t','Type':'TEXT','Width':'1x'}"),
                                 DialogText("B", "{'Name':'u','Type':'TEXT'}")}))));
        // Opening checks the project once it is shown.
        QTRY_VERIFY(!frame.GetFindings().IsPending());
        QCOMPARE(frame.GetFindings().Findings().size(), std::size_t{1});
        CZeDialogData& b = *frame.GetProject().GetDialogs().GetDialog(1);
        frame.GetResourcePanel().SelectByUser(b.GetRootGroup()->GetChildren()[0]);
        ZeClass* shown = frame.GetResourcePanel().GetShownElement();
        // The element leaves the tree; the list still shows its finding
        // until the delay is over.
        ZeClass* text =
            frame.GetProject().GetDialogs().GetDialog(0)->GetRootGroup()->GetChildren()[0];
        frame.GetResourcePanel().SelectByUser(text);
        frame.GetResourcePanel().DeleteCurrent();
        frame.GetResourcePanel().SelectByUser(shown);
        frame.ChooseFinding(0);
        QCOMPARE(frame.GetResourcePanel().GetShownElement(), shown);
        QTRY_VERIFY(frame.GetFindings().Findings().empty());
    }
};

QTEST_MAIN(FindingsTest)
#include "findings_test.moc"
