// The editing window's view: what it paints, what a click selects, and the
// Edit entries it carries out.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTreeView>
#include <QWheelEvent>

#include "app/child_frame.h"
#include "app/command_ids.h"
#include "app/dialog_document.h"
#include "app/dialog_view.h"
#include "layout/qt/view_paint.h"
#include "model/dialog_data.h"
#include "model/editing/history_edits.h"
#include "model/editing/selection.h"
#include "model/object_data.h"
#include "panels/editor_panel.h"
#include "panels/focus_ring.h"
#include "panels/panel_buttons.h"
#include "panels/panel_tabs.h"
#include "panels/project_folder_field.h"
#include "panels/property_list_ctrl.h"
#include "panels/resource_dlg.h"
#include "support/editor_fixture.h"

using namespace ze::app;
using ze::app::test::DialogText;
using ze::app::test::EditorFixture;
using ze::app::test::ProjectText;

Q_DECLARE_METATYPE(ze::app::PreviewSizing)

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

// Turns the wheel over the viewport at point, by delta eighths of a degree
// (120 a notch).
void TurnWheel(CZeDialogEditorView& view, QPointF point, int delta, Qt::KeyboardModifiers keys) {
    QWheelEvent event(point, view.viewport()->mapToGlobal(point), QPoint(), QPoint(0, delta),
                      Qt::NoButton, keys, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view.viewport(), &event);
}

// Two overlapping buttons at the top left of the page, the smaller on top.
const std::string kOverlapping =
    "{'Type':'BUTTON','Name':'Under','Width':'200px','Height':'100px'},"
    "{'Type':'BUTTON','Name':'Over','Width':'100px','Height':'50px'}";

// Siblings for the arrow keys: a PAGE group of two pages between two
// buttons, and a LINEAR group of two texts.
const std::string kSiblings =
    "{'Type':'BUTTON','Name':'A','Width':'100px','Height':'30px'},"
    "{'Type':'GROUP','Name':'P','Layout':'PAGE','Width':'200px','Height':'60px','Objects':["
    "{'Type':'GROUP','Name':'P1','Layout':'LINEAR','Objects':[]},"
    "{'Type':'GROUP','Name':'P2','Layout':'LINEAR','Objects':[]}]},"
    "{'Type':'GROUP','Name':'L','Layout':'LINEAR','Width':'200px','Height':'60px','Objects':["
    "{'Type':'TEXT','Name':'T1','Text':'one'},{'Type':'TEXT','Name':'T2','Text':'two'}]},"
    "{'Type':'BUTTON','Name':'B','Width':'100px','Height':'30px'}";

// The object or group of the dialog with name, depth first; null if none.
ze::CObjectData* Named(ze::CObjectData& from, const std::string& name) {
    if (from.GetItem("Name") == name) {
        return &from;
    }
    if (from.IsGroup()) {
        for (ze::CObjectData* child : static_cast<ze::CObjectDataList&>(from).GetChildren()) {
            if (ze::CObjectData* found = Named(*child, name)) {
                return found;
            }
        }
    }
    return nullptr;
}

// The names of the selected elements, in tree order (a selected group's
// children are selected with it and not named).
QStringList SelectedNames(const ze::CObjectData& from) {
    QStringList names;
    if (from.IsSelected()) {
        return {QString::fromStdString(from.GetItem("Name"))};
    }
    if (from.IsGroup()) {
        for (const ze::CObjectData* child :
             static_cast<const ze::CObjectDataList&>(from).GetChildren()) {
            names << SelectedNames(*child);
        }
    }
    return names;
}

}  // namespace

class ViewTest : public QObject {
    Q_OBJECT

private:
    // A window on a dialog of a project opened from text.
    // A window on a dialog without a root group, as a file may bring one
    // (New gives a dialog its root group).
    CChildFrame* OpenBareDialog(EditorFixture& fixture) {
        CMainFrame& frame = fixture.Frame();
        const bool opened = frame.OpenFile(fixture.WriteFile(
            "bare.moxspro", ProjectText("V", {"{'Command':'DIALOG','Name':'Bare'}"})));
        Q_ASSERT(opened);
        ze::CZeDialogData& bare = *frame.GetProject().GetDialogs().GetDialog(0);
        Q_ASSERT(bare.GetRootGroup() == nullptr);
        frame.ActivateDialogWindow(bare);
        return frame.ActiveChildFrame();
    }

    CChildFrame& OpenDialog(EditorFixture& fixture, const std::string& objects, int width = 400,
                            int height = 300, QSize device = QSize(1024, 800)) {
        CMainFrame& frame = fixture.Frame();
        std::string project = ProjectText("V", {DialogText("A", objects)});
        const std::string size = "'DeviceWidth':1024,'DeviceHeight':800";
        project.replace(project.find(size), size.size(),
                        "'DeviceWidth':" + std::to_string(device.width()) +
                            ",'DeviceHeight':" + std::to_string(device.height()));
        const bool opened = frame.OpenFile(fixture.WriteFile("view.moxspro", project));
        Q_ASSERT(opened);
        frame.ActivateDialogWindow(*frame.GetProject().GetDialogs().GetDialog(0));
        CChildFrame& child = *frame.ActiveChildFrame();
        child.GetView().resize(width, height);
        return child;
    }

private slots:
    void PaintsTheCheckeredBackgroundAroundThePage() {
        EditorFixture fixture;
        CChildFrame* child = OpenBareDialog(fixture);
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
        QTest::mouseClick(child.GetView().viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(30, 30));
        QCOMPARE(frame.GetResourcePanel().GetCurrentElement(), Child(dialog, 1));
        QVERIFY(static_cast<ze::CObjectData*>(Child(dialog, 1))->IsSelected());
        QVERIFY(!static_cast<ze::CObjectData*>(Child(dialog, 0))->IsSelected());

        QTest::mouseClick(child.GetView().viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(150, 80));
        QCOMPARE(frame.GetResourcePanel().GetCurrentElement(), Child(dialog, 0));
        QVERIFY(!static_cast<ze::CObjectData*>(Child(dialog, 1))->IsSelected());

        // Empty space selects nothing new.
        QTest::mouseClick(child.GetView().viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(380, 280));
        QCOMPARE(frame.GetResourcePanel().GetCurrentElement(), Child(dialog, 0));
        // The right button picks nothing.
        QTest::mouseClick(child.GetView().viewport(), Qt::RightButton, Qt::NoModifier,
                          QPoint(30, 30));
        QCOMPARE(frame.GetResourcePanel().GetCurrentElement(), Child(dialog, 0));
    }

    void ClicksWithoutRootGroupAreIgnored() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        CChildFrame* child = OpenBareDialog(fixture);
        ze::ZeClass* before = frame.GetResourcePanel().GetCurrentElement();
        QTest::mouseClick(child->GetView().viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(10, 10));
        QCOMPARE(frame.GetResourcePanel().GetCurrentElement(), before);
    }

    void UndoAndRedoFollowTheHistory() {
        EditorFixture fixture;
        CChildFrame& child = OpenDialog(fixture, "{'Type':'TEXT','Name':'T','Text':'one'}");
        CMainFrame& frame = fixture.Frame();
        ze::CZeDialogData& dialog = *child.GetDocument().GetDialog();
        frame.UpdateCommandStates();
        QVERIFY(!frame.Action(CommandId::kEditUndo)->isEnabled());  // the loaded state stays
        QVERIFY(!frame.Action(CommandId::kEditRedo)->isEnabled());

        // A change by hand, not through the edit calls: the history keeps
        // the tree before it first.
        dialog.KeepFirstStep();
        Child(dialog, 0)->SetItem("Text", "two");
        dialog.RecordUndoStep();
        frame.UpdateCommandStates();
        QVERIFY(frame.Action(CommandId::kEditUndo)->isEnabled());

        frame.Action(CommandId::kEditUndo)->trigger();
        QCOMPARE(Child(dialog, 0)->GetItem("Text"), std::string("one"));
        QVERIFY(!frame.Action(CommandId::kEditUndo)->isEnabled());
        QVERIFY(frame.Action(CommandId::kEditRedo)->isEnabled());
        // The element the step gave back is the one selected.
        QCOMPARE(frame.GetResourcePanel().GetCurrentElement(), Child(dialog, 0));

        frame.Action(CommandId::kEditRedo)->trigger();
        QCOMPARE(Child(dialog, 0)->GetItem("Text"), std::string("two"));
        QVERIFY(!ze::CanRedo(dialog));
        // A stale key press does nothing once nothing is left to redo.
        frame.Action(CommandId::kEditRedo)->setEnabled(true);
        frame.Action(CommandId::kEditRedo)->trigger();
        QCOMPARE(Child(dialog, 0)->GetItem("Text"), std::string("two"));
    }

    void EditEntriesGoToThePanel() {
        EditorFixture fixture;
        CChildFrame& child = OpenDialog(fixture, "");
        CMainFrame& frame = fixture.Frame();
        // Without a panel behind them, the entries do nothing and nothing breaks.
        frame.Action(CommandId::kEditPaste)->trigger();
        RecordingEdit edit;
        frame.SetEditCommands(&edit);
        frame.Action(CommandId::kEditCopy)->trigger();
        frame.Action(CommandId::kEditCut)->trigger();
        frame.Action(CommandId::kEditPaste)->trigger();
        QCOMPARE(edit.calls, QStringList({"copy", "copy", "delete", "paste 0"}));
        // Delete in the preview deletes a picked element, never the dialog.
        CZeDialogEditorView& view = child.GetView();
        QTest::keyClick(&view, Qt::Key_Delete);
        QCOMPARE(edit.calls.size(), 4);
        ze::Select(frame.GetProject(), child.GetDocument().GetDialog()->GetRootGroup());
        QTest::keyClick(&view, Qt::Key_Delete);
        QCOMPARE(edit.calls.last(), QStringLiteral("delete"));
        // The window's dialog stays picked once the window closes: copy
        // still acts on it, as long as a panel is behind the entry.
        child.close();
        QVERIFY(frame.Action(CommandId::kEditCopy)->isEnabled());
        frame.SetEditCommands(nullptr);
        frame.UpdateCommandStates();
        QVERIFY(!frame.Action(CommandId::kEditCopy)->isEnabled());
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

    void FittedAt100PercentPaintsThePlainPreview() {
        EditorFixture fixture;
        CChildFrame& child = OpenDialog(fixture, kOverlapping);
        CZeDialogEditorView& view = child.GetView();
        const auto plain = [&] {
            QImage image(400, 300, QImage::Format_RGB32);
            ze::ViewPainter painter;
            painter.Paint(image, fixture.Frame().GetProject(), *child.GetDocument().GetDialog());
            return image;
        };
        QCOMPARE(view.Render(), plain());
        view.SetSizing(PreviewSizing::kDeviceSize);
        view.ZoomAt(200, QPointF(120, 90));
        QVERIFY(view.Render() != plain());
        // Back at 100 % fitted to the window, nothing of the zoom is left.
        view.ZoomReset();
        view.SetSizing(PreviewSizing::kFitWindow);
        QCOMPARE(view.Viewport().Offset(), QPointF(0, 0));
        QCOMPARE(view.Render(), plain());
    }

    void ZoomFollowsTheWheelAndTheKeys_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("command");  // 0: the wheel
        QTest::addColumn<QList<int>>("turns");
        QTest::addColumn<bool>("control");
        QTest::addColumn<int>("expected");
        using enum CommandId;
        QTest::newRow("a notch in") << 100 << 0 << QList<int>{120} << true << 125;
        QTest::newRow("a notch out") << 100 << 0 << QList<int>{-120} << true << 75;
        QTest::newRow("two notches at once") << 100 << 0 << QList<int>{240} << true << 150;
        QTest::newRow("half notches add up") << 100 << 0 << QList<int>{60, 60} << true << 125;
        QTest::newRow("half a notch waits") << 100 << 0 << QList<int>{60} << true << 100;
        QTest::newRow("up to 400 only") << 300 << 0 << QList<int>{120, 120, 120} << true << 400;
        QTest::newRow("down to 25 only") << 33 << 0 << QList<int>{-120, -120} << true << 25;
        QTest::newRow("without Ctrl it scrolls") << 100 << 0 << QList<int>{-120} << false << 100;
        QTest::newRow("in") << 100 << static_cast<int>(kZoomIn) << QList<int>{} << true << 125;
        QTest::newRow("in between stops")
            << 110 << static_cast<int>(kZoomIn) << QList<int>{} << true << 125;
        QTest::newRow("out between stops")
            << 110 << static_cast<int>(kZoomOut) << QList<int>{} << true << 100;
        QTest::newRow("out from 33")
            << 33 << static_cast<int>(kZoomOut) << QList<int>{} << true << 25;
        QTest::newRow("in at 400")
            << 400 << static_cast<int>(kZoomIn) << QList<int>{} << true << 400;
        QTest::newRow("100 %") << 250 << static_cast<int>(kZoomReset) << QList<int>{} << true
                               << 100;
    }
    void ZoomFollowsTheWheelAndTheKeys() {
        QFETCH(int, start);
        QFETCH(int, command);
        QFETCH(QList<int>, turns);
        QFETCH(bool, control);
        QFETCH(int, expected);
        EditorFixture fixture;
        CChildFrame& child = OpenDialog(fixture, kOverlapping);
        CMainFrame& frame = fixture.Frame();
        CZeDialogEditorView& view = child.GetView();
        view.SetSizing(PreviewSizing::kDeviceSize);
        view.ZoomAt(start, QPointF(0, 0));
        for (const int turn : turns) {
            TurnWheel(view, QPointF(50, 50), turn, control ? Qt::ControlModifier : Qt::NoModifier);
        }
        if (command != 0) {
            frame.Action(CommandId{command})->trigger();
        }
        QCOMPARE(view.Viewport().ZoomPercent(), expected);
        // The status bar shows the zoom of the active window.
        QCOMPARE(frame.statusBar()->findChild<QLabel*>("ZoomPane")->text(),
                 QString("%1%").arg(expected));
        QCOMPARE(frame.Action(CommandId::kZoomIn)->isEnabled(), expected < 400);
        QCOMPARE(frame.Action(CommandId::kZoomOut)->isEnabled(), expected > 25);
    }

    void TheSpotUnderThePointerStaysThere_data() {
        QTest::addColumn<PreviewSizing>("sizing");
        QTest::addColumn<QPointF>("pointer");
        QTest::addColumn<QList<int>>("turns");
        QTest::newRow("device size, in")
            << PreviewSizing::kDeviceSize << QPointF(130, 70) << QList<int>{120, 360, 240};
        QTest::newRow("device size, in and out")
            << PreviewSizing::kDeviceSize << QPointF(380, 280) << QList<int>{480, -240, -120};
        QTest::newRow("fitted, in and out")
            << PreviewSizing::kFitWindow << QPointF(301, 37) << QList<int>{240, 480, -360};
    }
    void TheSpotUnderThePointerStaysThere() {
        QFETCH(PreviewSizing, sizing);
        QFETCH(QPointF, pointer);
        QFETCH(QList<int>, turns);
        EditorFixture fixture;
        CZeDialogEditorView& view = OpenDialog(fixture, kOverlapping).GetView();
        view.SetSizing(sizing);
        const QPointF spot = view.Viewport().ToLayout(pointer);
        int previous = view.Viewport().ZoomPercent();
        for (const int turn : turns) {
            TurnWheel(view, pointer, turn, Qt::ControlModifier);
            const PreviewViewport& geometry = view.Viewport();
            QVERIFY(geometry.ZoomPercent() != previous);
            previous = geometry.ZoomPercent();
            const QPointF moved = (geometry.ToLayout(pointer) - spot) * geometry.Scale();
            QVERIFY2(
                qAbs(moved.x()) < 1e-6 && qAbs(moved.y()) < 1e-6,
                qPrintable(QString("%1 %2 at %3 %").arg(moved.x()).arg(moved.y()).arg(previous)));
        }
    }

    void ScrollRanges_data() {
        QTest::addColumn<PreviewSizing>("sizing");
        QTest::addColumn<QSize>("device");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QSize>("layout");
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<QPoint>("range");
        const auto fit = PreviewSizing::kFitWindow;
        const auto device = PreviewSizing::kDeviceSize;
        // A 400 × 300 window; scroll bars 15 pixels thick.
        QTest::newRow("fitted, 100 %")
            << fit << QSize(1024, 800) << 100 << QSize(400, 300) << false << false << QPoint(0, 0);
        QTest::newRow("fitted, 50 %")
            << fit << QSize(1024, 800) << 50 << QSize(400, 300) << false << false << QPoint(0, 0);
        QTest::newRow("fitted, 200 %") << fit << QSize(1024, 800) << 200 << QSize(400, 300) << true
                                       << true << QPoint(800 - 385, 600 - 285);
        QTest::newRow("device taller than the window")
            << device << QSize(320, 480) << 100 << QSize(330, 490) << false << true
            << QPoint(0, 490 - 300);
        QTest::newRow("the vertical bar makes it too wide")
            << device << QSize(380, 480) << 100 << QSize(390, 490) << true << true
            << QPoint(390 - 385, 490 - 285);
        QTest::newRow("device smaller than the window")
            << device << QSize(300, 200) << 100 << QSize(310, 210) << false << false
            << QPoint(0, 0);
        QTest::newRow("device, 200 %") << device << QSize(320, 480) << 200 << QSize(330, 490)
                                       << true << true << QPoint(660 - 385, 980 - 285);
        QTest::newRow("device, 25 %") << device << QSize(1024, 800) << 25 << QSize(1034, 810)
                                      << false << false << QPoint(0, 0);
        QTest::newRow("device, 50 %, odd size rounds up")
            << device << QSize(1023, 799) << 50 << QSize(1033, 809) << true << true
            << QPoint(517 - 385, 405 - 285);
    }
    void ScrollRanges() {
        QFETCH(PreviewSizing, sizing);
        QFETCH(QSize, device);
        QFETCH(int, zoom);
        QFETCH(QSize, layout);
        QFETCH(bool, horizontal);
        QFETCH(bool, vertical);
        QFETCH(QPoint, range);
        EditorFixture fixture;
        CZeDialogEditorView& view = OpenDialog(fixture, kOverlapping, 400, 300, device).GetView();
        view.setStyleSheet(
            "QScrollBar:vertical { width: 15px; } "
            "QScrollBar:horizontal { height: 15px; }");
        view.SetSizing(sizing);
        view.ZoomAt(zoom, QPointF(0, 0));
        const PreviewViewport& geometry = view.Viewport();
        QCOMPARE(geometry.LayoutSize(), layout);
        QCOMPARE(geometry.HasHorizontalBar(), horizontal);
        QCOMPARE(geometry.HasVerticalBar(), vertical);
        QCOMPARE(geometry.MaxOffset(), range);
        // The view's own bars follow.
        const auto shown = [](bool bar) {
            return bar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
        };
        QCOMPARE(view.horizontalScrollBarPolicy(), shown(horizontal));
        QCOMPARE(view.verticalScrollBarPolicy(), shown(vertical));
        QCOMPARE(view.horizontalScrollBar()->maximum(), range.x());
        QCOMPARE(view.verticalScrollBar()->maximum(), range.y());
        QCOMPARE(view.Render().size(), QSize(vertical ? 385 : 400, horizontal ? 285 : 300));
        // Scrolled past the end, the offset stays at the end.
        view.horizontalScrollBar()->setValue(range.x() + 50);
        view.verticalScrollBar()->setValue(range.y() + 50);
        QCOMPARE(view.Viewport().Offset(), QPointF(range));
    }

    void AClickAt200PercentPicksTheObjectUnderThePointer_data() {
        QTest::addColumn<QPoint>("scroll");
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QString>("picked");  // empty: nothing new
        QTest::addColumn<QRgb>("colour");
        const QRgb selected = qRgb(255, 200, 200);
        // Over covers (5, 5)-(105, 55) of the layout, Under (5, 5)-(205, 105).
        // Taken without the zoom or without the offset, each pointer would
        // pick another object, or none.
        QTest::newRow("on top") << QPoint(0, 0) << QPoint(190, 90) << "Over" << selected;
        QTest::newRow("beside the top one")
            << QPoint(0, 0) << QPoint(300, 180) << "Under" << selected;
        QTest::newRow("scrolled right") << QPoint(200, 0) << QPoint(30, 40) << "Under" << selected;
        QTest::newRow("scrolled down") << QPoint(0, 100) << QPoint(40, 20) << "Under" << selected;
        QTest::newRow("scrolled past both")
            << QPoint(300, 100) << QPoint(150, 150) << "" << qRgb(255, 255, 255);
    }
    void AClickAt200PercentPicksTheObjectUnderThePointer() {
        QFETCH(QPoint, scroll);
        QFETCH(QPoint, pointer);
        QFETCH(QString, picked);
        QFETCH(QRgb, colour);
        EditorFixture fixture;
        CChildFrame& child = OpenDialog(fixture, kOverlapping);
        CMainFrame& frame = fixture.Frame();
        CZeDialogEditorView& view = child.GetView();
        view.SetSizing(PreviewSizing::kDeviceSize);
        view.ZoomAt(200, QPointF(0, 0));
        view.horizontalScrollBar()->setValue(scroll.x());
        view.verticalScrollBar()->setValue(scroll.y());
        QCOMPARE(view.Viewport().Offset(), QPointF(scroll));
        view.Render();  // lay out as shown
        ze::ZeClass* before = frame.GetResourcePanel().GetCurrentElement();
        QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, pointer);
        ze::ZeClass* current = frame.GetResourcePanel().GetCurrentElement();
        if (picked.isEmpty()) {
            QCOMPARE(current, before);
        } else {
            QVERIFY(current != nullptr);
            QCOMPARE(QString::fromStdString(current->GetItem("Name")), picked);
        }
        // What the view paints under the pointer is what the click took.
        QCOMPARE(QColor(view.Render().pixel(pointer)), QColor(colour));
    }

    void AShownWindowLaysItsBarsOutAsItsGeometrySays() {
        EditorFixture fixture;
        CChildFrame& child = OpenDialog(fixture, kOverlapping);
        CMainFrame& frame = fixture.Frame();
        frame.show();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        CZeDialogEditorView& view = child.GetView();
        frame.Action(CommandId::kViewDeviceSize)->trigger();
        QVERIFY(frame.Action(CommandId::kViewDeviceSize)->isChecked());
        QVERIFY(view.horizontalScrollBar()->isVisible());
        QVERIFY(view.verticalScrollBar()->isVisible());
        QCOMPARE(view.viewport()->size(), view.Viewport().ViewportSize());
        QTest::keyClick(view.viewport(), Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(view.Viewport().ZoomPercent(), 125);
        QTest::keyClick(view.viewport(), Qt::Key_Minus, Qt::ControlModifier);
        QTest::keyClick(view.viewport(), Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(view.Viewport().ZoomPercent(), 75);
        QTest::keyClick(view.viewport(), Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(view.Viewport().ZoomPercent(), 100);
        frame.Action(CommandId::kViewFitWindow)->trigger();
        QVERIFY(!view.horizontalScrollBar()->isVisible());
        QVERIFY(!view.verticalScrollBar()->isVisible());
        QCOMPARE(view.viewport()->size(), view.size());
    }

    // The arrow keys in the preview step among the selected element's
    // siblings (Left and Up back, Right and Down on) and select as a click
    // does: alone, with the tree and the property list following, a page of
    // a PAGE group shown. start: the element picked first ("" none, "Root"
    // the root group, "A+B": B picked with Control after A).
    void ArrowKeysStepToTheSiblings_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<int>("page");
        auto row = [](const char* name, const char* start, const char* keys, const char* selected,
                      int page = 0) {
            QTest::newRow(name) << QString(start) << QString(keys) << QString(selected) << page;
        };
        row("Right to the next", "A", "Right", "P");
        row("Down past a group", "P", "Down", "L");
        row("Left to the previous", "B", "Left", "L");
        row("Up twice", "L", "Up Up", "A");
        row("the last stays", "B", "Right Down", "B");
        row("the first stays", "A", "Left Up", "A");
        row("within a group", "T1", "Down", "T2");
        row("not out of a group", "T2", "Right", "T2");
        row("pages of a PAGE group", "P1", "Right", "P2", 1);
        row("back to the first page", "P2", "Left", "P1", 0);
        row("nothing selected, on", "", "Down", "A");
        row("nothing selected, back", "", "Up", "B");
        row("from the root group", "Root", "Right", "A");
        row("from the one picked last", "A+L", "Left", "P");
        row("Control is no step", "L", "Ctrl+Right", "L");
        row("keypad arrows", "A", "Keypad+Right", "P");
    }
    void ArrowKeysStepToTheSiblings() {
        QFETCH(QString, start);
        QFETCH(QString, keys);
        QFETCH(QString, selected);
        QFETCH(int, page);
        EditorFixture fixture;
        CChildFrame& child = OpenDialog(fixture, kSiblings);
        CMainFrame& frame = fixture.Frame();
        ze::panels::CResourceDlg& panel = frame.GetResourcePanel();
        ze::CZeDialogData& dialog = *child.GetDocument().GetDialog();
        ze::CObjectDataList& root = *dialog.GetRootGroup();
        frame.show();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        const QStringList picks = start.split('+', Qt::SkipEmptyParts);
        for (int i = 0; i < picks.size(); ++i) {
            ze::CObjectData* element = Named(root, picks[i].toStdString());
            QVERIFY(element != nullptr);
            panel.SelectByUser(element, i > 0);
        }
        CZeDialogEditorView& view = child.GetView();
        view.setFocus();
        for (const QString& key : keys.split(' ')) {
            const QStringList parts = key.split('+');
            const QMap<QString, Qt::Key> arrows{{"Left", Qt::Key_Left},
                                                {"Right", Qt::Key_Right},
                                                {"Up", Qt::Key_Up},
                                                {"Down", Qt::Key_Down}};
            Qt::KeyboardModifiers modifiers = Qt::NoModifier;
            if (parts.contains("Ctrl")) {
                modifiers |= Qt::ControlModifier;
            }
            if (parts.contains("Keypad")) {
                modifiers |= Qt::KeypadModifier;
            }
            QTest::keyClick(&view, arrows.value(parts.last()), modifiers);
        }
        ze::CObjectData* expected = Named(root, selected.toStdString());
        QCOMPARE(SelectedNames(root), QStringList{selected});
        QCOMPARE(panel.GetCurrentElement(), expected);
        QCOMPARE(panel.PropertyList().GetElement(), expected);
        QCOMPARE(dialog.GetCurrentPage(), page);
        QVERIFY(view.hasFocus());
    }

    // Tab goes down the resource panel (the tool buttons one stop, moved
    // along by the arrow keys) to the property list, then to the active
    // window's preview and out of it again; Shift+Tab goes back. Names:
    // "folder", "browse", "tree", a button's caption, "list", "view", "tabs".
    void TabGoesThroughThePanelToThePreview_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("visited");
        QTest::newRow("Tab") << "folder"
                             << "Tab Tab Tab Tab Tab Tab"
                             << QStringList{"browse", "tree", "▲", "list", "view", "tabs"};
        QTest::newRow("Shift+Tab") << "tabs"
                                   << "Backtab Backtab Backtab Backtab Backtab Backtab"
                                   << QStringList{"view", "list", "▲", "tree", "browse", "folder"};
        QTest::newRow("arrows along the buttons")
            << "tree"
            << "Tab Right Right Tab Backtab End Left Home Left Tab Tab"
            << QStringList{"▲",        "▼", "削除", "list", "削除", "下末尾へ",
                           "下先頭へ", "▲", "▲",    "list", "view"};
        QTest::newRow("the preview is the stop after the list")
            << "view"
            << "Backtab Tab Tab" << QStringList{"list", "view", "tabs"};
    }
    void TabGoesThroughThePanelToThePreview() {
        QFETCH(QString, start);
        QFETCH(QString, keys);
        QFETCH(QStringList, visited);
        EditorFixture fixture;
        // Two windows: the one behind is no stop.
        OpenDialog(fixture, kOverlapping);
        CMainFrame& frame = fixture.Frame();
        CChildFrame& child = *frame.OnFileNew();
        frame.show();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        QCOMPARE(frame.ActiveChildFrame(), &child);
        ze::panels::CResourceDlg& panel = frame.GetResourcePanel();
        std::map<QWidget*, QString> names{{&panel.FolderField().Edit(), "folder"},
                                          {&panel.FolderField().BrowseButton(), "browse"},
                                          {&panel.TreeView(), "tree"},
                                          {&panel.PropertyList(), "list"},
                                          {&child.GetView(), "view"},
                                          {&panel.Tabs(), "tabs"}};
        for (const auto id : ze::panels::PanelButtons::kIds) {
            QAbstractButton* button = panel.Buttons().Button(id);
            names[button] = button->text();
        }
        const auto focused = [&names]() -> QString {
            QWidget* focus = QApplication::focusWidget();
            const auto found = names.find(focus);
            return found != names.end()
                       ? found->second
                       : QString("other ") +
                             (focus != nullptr ? focus->metaObject()->className() : "none");
        };
        for (const auto& [widget, name] : names) {
            if (name == start) {
                widget->setFocus(Qt::OtherFocusReason);
            }
        }
        QCOMPARE(focused(), start);
        const QMap<QString, Qt::Key> keyOf{{"Tab", Qt::Key_Tab},   {"Backtab", Qt::Key_Backtab},
                                           {"Left", Qt::Key_Left}, {"Right", Qt::Key_Right},
                                           {"Home", Qt::Key_Home}, {"End", Qt::Key_End}};
        QStringList seen;
        for (const QString& key : keys.split(' ')) {
            QTest::keyClick(QApplication::focusWidget(), keyOf.value(key));
            seen << focused();
        }
        QCOMPARE(seen, visited);
    }

    // While a place has the focus a band in the highlight colour runs along
    // its edge; without the focus it looks as before.
    void FocusIsMarkedAlongTheEdge() {
        EditorFixture fixture;
        CChildFrame& child = OpenDialog(fixture, kOverlapping);
        CMainFrame& frame = fixture.Frame();
        frame.show();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        ze::panels::CResourceDlg& panel = frame.GetResourcePanel();
        const QColor ring = ze::panels::FocusRing::Colour();
        QWidget* places[] = {&panel.TreeView(), &panel.PropertyList(), &child.GetView(),
                             panel.Buttons().Button(ze::panels::PanelButtons::kMoveUp)};
        const auto edge = [](QWidget* widget) {
            const QImage image = widget->grab().toImage();
            return QList<QColor>{image.pixelColor(0, image.height() / 2),
                                 image.pixelColor(image.width() / 2, 1),
                                 image.pixelColor(image.width() - 2, image.height() / 2)};
        };
        for (QWidget* place : places) {
            place->setFocus(Qt::TabFocusReason);
            QVERIFY(place->hasFocus());
            for (QWidget* other : places) {
                const QList<QColor> colours = edge(other);
                const bool marked = colours == QList<QColor>{ring, ring, ring};
                QVERIFY2(marked == (other == place), qPrintable(other->metaObject()->className()));
            }
        }
    }
};

QTEST_MAIN(ViewTest)
#include "view_test.moc"
