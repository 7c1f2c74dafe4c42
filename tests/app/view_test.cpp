// The editing window's view: what it paints, what a click selects, and the
// Edit entries it carries out.
#include <QMdiArea>
#include <QPrinter>
#include <QTest>

#include "app/child_frame.h"
#include "app/command_ids.h"
#include "app/dialog_document.h"
#include "app/dialog_view.h"
#include "model/dialog_data.h"
#include "model/object_data.h"
#include "panels/editor_panel.h"
#include "panels/resource_dlg.h"
#include "support/editor_fixture.h"

using namespace ze::app;
using ze::app::test::DialogText;
using ze::app::test::EditorFixture;
using ze::app::test::ProjectText;

namespace {

class RecordingEdit : public ze::panels::EditCommands {
public:
    bool CopyCurrent() override {
        calls << "copy";
        return true;
    }
    void DeleteCurrent() override { calls << "delete"; }
    void PasteAtCurrent(ze::PasteMode mode) override {
        calls << QString("paste %1").arg(static_cast<int>(mode));
    }
    QStringList calls;
};

ze::ZeClass* Child(ze::CZeDialogData& dialog, std::size_t index) {
    return dialog.GetRootGroup()->GetChildren()[index];
}

}  // namespace

class ViewTest : public QObject {
    Q_OBJECT

private:
    // A window on a dialog of a project opened from text.
    CChildFrame& OpenDialog(EditorFixture& fixture, const std::string& objects, int width = 400,
                            int height = 300) {
        CMainFrame& frame = fixture.Frame();
        const bool opened = frame.OpenFile(
            fixture.WriteFile("view.moxspro", ProjectText("V", {DialogText("A", objects)})));
        Q_ASSERT(opened);
        frame.ActivateDialogWindow(*frame.GetProject().GetDialogs().GetDialog(0));
        CChildFrame& child = *frame.ActiveChildFrame();
        child.GetView().resize(width, height);
        return child;
    }

private slots:
    void PaintsTheCheckeredBackgroundAroundThePage() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        CChildFrame* child = frame.OnFileNew();  // a new dialog has no root group
        child->GetView().resize(64, 48);
        const QImage image = child->GetView().Render();
        const QRgb grey = qRgb(128, 128, 128);
        const QRgb light = qRgb(192, 192, 192);
        QCOMPARE(image.pixel(0, 0), grey);
        QCOMPARE(image.pixel(7, 7), grey);
        QCOMPARE(image.pixel(8, 0), light);
        QCOMPARE(image.pixel(0, 8), light);
        QCOMPARE(image.pixel(8, 8), grey);
        QCOMPARE(image.pixel(16, 0), grey);
        QCOMPARE(image.pixel(63, 47), grey);  // square (7, 5)
        QCOMPARE(image.pixel(63, 40), grey);
        QCOMPARE(image.pixel(55, 47), light);
    }

    void PaintsThePageOverTheBackground() {
        EditorFixture fixture;
        CChildFrame& child = OpenDialog(fixture, "{'Type':'TEXT','Name':'T','Text':'x'}");
        const QImage image = child.GetView().Render();
        // The page is white inside its 5-pixel margin; the margin is the tile.
        QCOMPARE(image.pixel(2, 2), qRgb(128, 128, 128));
        QCOMPARE(QColor(image.pixel(200, 150)).lightness(), 255);
    }

    void AClickSelectsTheObjectAddedLater() {
        EditorFixture fixture;
        // Both objects lie at the top left of the FRAME; the second is drawn
        // over the first.
        CChildFrame& child =
            OpenDialog(fixture,
                       "{'Type':'BUTTON','Name':'Under','Width':'200px','Height':'100px'},"
                       "{'Type':'BUTTON','Name':'Over','Width':'100px','Height':'50px'}");
        CMainFrame& frame = fixture.Frame();
        ze::CZeDialogData& dialog = *child.GetDocument().GetDialog();
        child.GetView().Render();  // lay out as shown
        QTest::mouseClick(&child.GetView(), Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
        QCOMPARE(frame.GetResourcePanel().GetCurrentElement(), Child(dialog, 1));
        QVERIFY(static_cast<ze::CObjectData*>(Child(dialog, 1))->IsSelected());
        QVERIFY(!static_cast<ze::CObjectData*>(Child(dialog, 0))->IsSelected());

        QTest::mouseClick(&child.GetView(), Qt::LeftButton, Qt::NoModifier, QPoint(150, 80));
        QCOMPARE(frame.GetResourcePanel().GetCurrentElement(), Child(dialog, 0));
        QVERIFY(!static_cast<ze::CObjectData*>(Child(dialog, 1))->IsSelected());

        // Empty space selects nothing new.
        QTest::mouseClick(&child.GetView(), Qt::LeftButton, Qt::NoModifier, QPoint(380, 280));
        QCOMPARE(frame.GetResourcePanel().GetCurrentElement(), Child(dialog, 0));
        // The right button picks nothing.
        QTest::mouseClick(&child.GetView(), Qt::RightButton, Qt::NoModifier, QPoint(30, 30));
        QCOMPARE(frame.GetResourcePanel().GetCurrentElement(), Child(dialog, 0));
    }

    void ClicksWithoutRootGroupAreIgnored() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        CChildFrame* child = frame.OnFileNew();
        ze::ZeClass* before = frame.GetResourcePanel().GetCurrentElement();
        QTest::mouseClick(&child->GetView(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QCOMPARE(frame.GetResourcePanel().GetCurrentElement(), before);
    }

    void UndoAndRedoFollowTheHistory() {
        EditorFixture fixture;
        CChildFrame& child = OpenDialog(fixture, "{'Type':'TEXT','Name':'T','Text':'one'}");
        CMainFrame& frame = fixture.Frame();
        CZeDialogEditorView& view = child.GetView();
        ze::CZeDialogData& dialog = *child.GetDocument().GetDialog();
        frame.UpdateCommandStates();
        QVERIFY(!frame.Action(command::kEditUndo)->isEnabled());  // the loaded state stays
        QVERIFY(!frame.Action(command::kEditRedo)->isEnabled());

        Child(dialog, 0)->SetItem("Text", "two");
        dialog.RecordUndoStep();
        frame.UpdateCommandStates();
        QVERIFY(frame.Action(command::kEditUndo)->isEnabled());

        frame.Action(command::kEditUndo)->trigger();
        QCOMPARE(Child(dialog, 0)->GetItem("Text"), std::string("one"));
        QVERIFY(!frame.Action(command::kEditUndo)->isEnabled());
        QVERIFY(frame.Action(command::kEditRedo)->isEnabled());
        // The element the step gave back is the one selected.
        QCOMPARE(frame.GetResourcePanel().GetCurrentElement(), Child(dialog, 0));

        frame.Action(command::kEditRedo)->trigger();
        QCOMPARE(Child(dialog, 0)->GetItem("Text"), std::string("two"));
        QVERIFY(!view.CanRedo());
        // A stale key press does nothing once nothing is left to redo.
        frame.Action(command::kEditRedo)->setEnabled(true);
        frame.Action(command::kEditRedo)->trigger();
        QCOMPARE(Child(dialog, 0)->GetItem("Text"), std::string("two"));
    }

    void EditEntriesGoToThePanel() {
        EditorFixture fixture;
        CChildFrame& child = OpenDialog(fixture, "");
        CMainFrame& frame = fixture.Frame();
        // Without a panel behind them, the entries do nothing and nothing breaks.
        frame.Action(command::kEditPaste)->trigger();
        RecordingEdit edit;
        frame.SetEditCommands(&edit);
        frame.Action(command::kEditCopy)->trigger();
        frame.Action(command::kEditCut)->trigger();
        frame.Action(command::kEditPaste)->trigger();
        QCOMPARE(edit.calls, QStringList({"copy", "copy", "delete", "paste 0"}));
        child.close();
        QVERIFY(!frame.Action(command::kEditCopy)->isEnabled());
        frame.SetEditCommands(nullptr);
    }

    void PrintsWhatTheViewShows() {
        EditorFixture fixture;
        CChildFrame& child = OpenDialog(fixture, "{'Type':'TEXT','Name':'T','Text':'x'}");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString path = QString::fromStdString(fixture.Folder() + "view.pdf");
        printer.setOutputFileName(path);
        child.GetView().PrintTo(printer);
        const std::string pdf = EditorFixture::ReadFile(path.toStdString());
        QVERIFY(pdf.starts_with("%PDF-"));
        // The page carries the view's picture.
        QVERIFY(pdf.find("/Subtype /Image") != std::string::npos);
    }

    void ActivatingAWindowMakesItsDialogCurrent() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        QVERIFY(frame.OpenFile(fixture.WriteFile(
            "two.moxspro", ProjectText("T", {DialogText("A", ""), DialogText("B", "")}))));
        auto& dialogs = frame.GetProject().GetDialogs();
        frame.ActivateDialogWindow(*dialogs.GetDialog(0));
        CChildFrame* first = frame.ActiveChildFrame();
        frame.ActivateDialogWindow(*dialogs.GetDialog(1));
        QCOMPARE(frame.GetResourcePanel().GetCurrentDialog(), dialogs.GetDialog(1));
        frame.GetMdiArea().setActiveSubWindow(first);
        first->GetView().OnActivateView();
        QCOMPARE(frame.GetResourcePanel().GetCurrentDialog(), dialogs.GetDialog(0));
    }
};

QTEST_MAIN(ViewTest)
#include "view_test.moc"
