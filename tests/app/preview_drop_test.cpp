// Drops on a dialog's preview: insert-grid entries, elements moved or
// copied, and images, through real drag events on the view.
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <memory>

#include "app/child_frame.h"
#include "app/dialog_document.h"
#include "app/dialog_view.h"
#include "model/dialog_data.h"
#include "model/editing/history_edits.h"
#include "model/editing/selection.h"
#include "model/editing/selection_edits.h"
#include "model/mo_stream.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "panels/property_list_ctrl.h"
#include "panels/resource_dlg.h"
#include "panels/tree_drag.h"
#include "support/editor_fixture.h"

using namespace ze;
using namespace ze::app;
using ze::app::test::DialogText;
using ze::app::test::EditorFixture;
using ze::app::test::ProjectText;

namespace {

// Side by side in a row: a vertical LINEAR group of three buttons and an
// empty RADIO group.
const std::string kObjects =
    "{'Type':'GROUP','Layout':'LINEAR','Name':'H','Width':'PARENT','Height':'PARENT',"
    "'Objects':["
    "{'Type':'GROUP','Layout':'LINEAR','Vertical':'true','Name':'L','Width':'200px',"
    "'Height':'PARENT','Objects':["
    "{'Type':'BUTTON','Name':'A','Width':'100px','Height':'40px'},"
    "{'Type':'BUTTON','Name':'B','Width':'100px','Height':'40px'},"
    "{'Type':'BUTTON','Name':'C','Width':'100px','Height':'40px'}]},"
    "{'Type':'GROUP','Layout':'RADIO','Name':'R','Width':'100px','Height':'100px',"
    "'Objects':[]}]}";

std::string Text(const CZeResourceData& project) {
    CJsonString text;
    project.WriteProject(text, "");
    return text.TakeText();
}

QString Names(const CObjectDataList& group) {
    QStringList names;
    for (const CObjectData* child : group.GetChildren()) {
        const std::string name = child->GetItem("Name");
        names << QString::fromStdString(name.empty() ? child->GetItem("Type") : name);
    }
    return names.join(',');
}

int RowOf(const ZeClass& element, std::string_view name) {
    for (std::size_t i = 0; i < element.Items().GetItemCount(); ++i) {
        if (element.Items().GetItemData(i).GetName() == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

struct DropOutcome {
    bool entered = false;
    bool moveAccepted = false;
    QRect mark;
    bool dropped = false;
};

// Enters, moves and drops data at point of the view's viewport.
DropOutcome DragOver(CZeDialogEditorView& view, QMimeData& data, QPoint point,
                     Qt::DropActions actions, Qt::KeyboardModifiers keys, bool drop = true) {
    DropOutcome outcome;
    QDragEnterEvent enter(point, actions, &data, Qt::LeftButton, keys);
    QCoreApplication::sendEvent(view.viewport(), &enter);
    outcome.entered = enter.isAccepted();
    QDragMoveEvent move(point, actions, &data, Qt::LeftButton, keys);
    QCoreApplication::sendEvent(view.viewport(), &move);
    outcome.moveAccepted = move.isAccepted();
    outcome.mark = view.DropMark();
    if (drop && outcome.moveAccepted) {
        QDropEvent event(QPointF(point), actions, &data, Qt::LeftButton, keys);
        QCoreApplication::sendEvent(view.viewport(), &event);
        outcome.dropped = event.isAccepted();
    }
    return outcome;
}

}  // namespace

class PreviewDropTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<EditorFixture> fixture_;
    CChildFrame* child_ = nullptr;
    CZeDialogData* dialog_ = nullptr;

    CObjectDataList& Group(std::size_t index) {
        auto* row = static_cast<CObjectDataList*>(dialog_->GetRootGroup()->GetChildren()[0]);
        return *static_cast<CObjectDataList*>(row->GetChildren()[index]);
    }
    CObjectData& Button(std::size_t index) { return *Group(0).GetChildren()[index]; }
    CZeDialogEditorView& View() { return child_->GetView(); }
    // The viewport point over the layout point (x, y).
    QPoint At(int x, int y) { return View().Viewport().ToWindow(QPointF(x, y)).toPoint(); }

private slots:
    void init() {
        fixture_ = std::make_unique<EditorFixture>();
        CMainFrame& frame = fixture_->Frame();
        const bool opened = frame.OpenFile(
            fixture_->WriteFile("drop.moxspro", ProjectText("D", {DialogText("A", kObjects)})));
        QVERIFY(opened);
        dialog_ = frame.GetProject().GetDialogs().GetDialog(0);
        frame.ActivateDialogWindow(*dialog_);
        child_ = frame.ActiveChildFrame();
        View().resize(400, 300);
        View().Render();  // lays the dialog out as shown
    }

    void cleanup() { fixture_.reset(); }

    void ElementsAndInsertsLandAtTheGapNearestThePointer_data() {
        // "insert TYPE", "move NAME", "copy NAME"; "move N,M" drags N with M
        // picked too.
        QTest::addColumn<QString>("drag");
        QTest::addColumn<int>("below");     // the gap: in front of button N (3: after C)
        QTest::addColumn<QString>("names");
        QTest::newRow("insert between B and C") << "insert TEXT" << 2 << "A,B,Text1,C";
        QTest::newRow("insert at the top") << "insert button" << 0 << "Button1,A,B,C";
        QTest::newRow("move C to the top") << "move C" << 0 << "C,A,B";
        QTest::newRow("move A below B") << "move A" << 2 << "B,A,C";
        QTest::newRow("copy A to the end") << "copy A" << 3 << "A,B,C,Button1";
        QTest::newRow("move A and B to the end") << "move A,B" << 3 << "C,A,B";
        QTest::newRow("move C and A to the top") << "move C,A" << 0 << "C,A,B";
    }

    void ElementsAndInsertsLandAtTheGapNearestThePointer() {
        QFETCH(QString, drag);
        QFETCH(int, below);
        QFETCH(QString, names);
        const std::string before = Text(fixture_->Frame().GetProject());
        const QStringList words = drag.split(' ');
        std::unique_ptr<QMimeData> data;
        if (words[0] == "insert") {
            data.reset(panels::InsertTypeMime(words[1]));
        } else {
            CZeResourceData& project = fixture_->Frame().GetProject();
            const QStringList picked = words[1].split(',');
            for (const QString& name : picked) {
                CObjectData* button = &Button(name == "A" ? 0 : name == "B" ? 1 : 2);
                name == picked.front() ? Select(project, button) : SelectAlso(project, button);
            }
            const int first = words[1].startsWith('A') ? 0 : words[1].startsWith('B') ? 1 : 2;
            data.reset(panels::ElementMime(
                DraggedWith(project, Button(static_cast<std::size_t>(first)))));
        }
        // A few pixels off the gap, inside the group's column.
        const PreviewRect& a = Button(0).GetPreviewRect();
        const int height = a.bottom - a.top;
        const QPoint point = At(a.left + 150, a.top + below * height + (below < 3 ? 3 : -3));
        const auto keys = words[0] == "copy" ? Qt::ControlModifier : Qt::NoModifier;
        const DropOutcome outcome =
            DragOver(View(), *data, point, Qt::MoveAction | Qt::CopyAction, keys);
        QVERIFY(outcome.entered && outcome.moveAccepted && outcome.dropped);
        // The landing line runs across the group at the gap.
        QCOMPARE(outcome.mark.top(), At(0, a.top + below * height).y());
        QCOMPARE(Names(Group(0)), names);

        QVERIFY(UndoEdit(fixture_->Frame().GetProject(), *dialog_).changed);
        QCOMPARE(Text(fixture_->Frame().GetProject()), before);
        QVERIFY(!CanUndo(*dialog_));
    }

    void RefusedDropsShowNoMarkAndChangeNothing() {
        const QPoint inLinear =
            At(Button(1).GetPreviewRect().left + 5, Button(1).GetPreviewRect().top + 5);
        const PreviewRect& radio = Group(1).GetPreviewRect();
        // A RADIOBTN does go into the RADIO group ...
        std::unique_ptr<QMimeData> insert(panels::InsertTypeMime("RADIOBTN"));
        QVERIFY(DragOver(View(), *insert, At(radio.left + 10, radio.top + 10), Qt::CopyAction, {})
                    .dropped);
        QCOMPARE(Names(Group(1)), QString("Radiobtn1"));
        ZeClass& radioButton = *Group(1).GetChildren()[0];
        const std::string before = Text(fixture_->Frame().GetProject());
        struct Case {
            const char* what;
            QMimeData* data;
            QPoint point;
        };
        const Case cases[] = {
            // ... and nowhere else.
            {"a RADIOBTN outside a RADIO group", panels::InsertTypeMime("RADIOBTN"), inLinear},
            {"a RADIOBTN moved out of it", panels::ElementMime(radioButton), inLinear},
            {"an unknown type", panels::InsertTypeMime("NOSUCH"), inLinear},
            {"the root group", panels::ElementMime(*dialog_->GetRootGroup()), inLinear},
            {"outside the page", panels::InsertTypeMime("TEXT"), QPoint(1, 1)},
            {"foreign text", new QMimeData, inLinear},
        };
        for (const Case& c : cases) {
            std::unique_ptr<QMimeData> owned(c.data);
            if (std::string(c.what) == "foreign text") {
                owned->setText("BUTTON");
            }
            const DropOutcome outcome =
                DragOver(View(), *owned, c.point, Qt::MoveAction | Qt::CopyAction, {});
            QVERIFY2(!outcome.moveAccepted && outcome.mark.isEmpty(), c.what);
            QCOMPARE(Text(fixture_->Frame().GetProject()), before);
        }
    }

    void AnImageGoesToTheShownImageRowOrTheFirst() {
        CMainFrame& frame = fixture_->Frame();
        panels::CPropertyListCtrl& list = frame.GetResourcePanel().PropertyList();
        const PreviewRect& b = Button(1).GetPreviewRect();
        const QPoint onB = At(b.left + 5, b.top + 5);
        std::unique_ptr<QMimeData> user(panels::ImageMime({PaneEntryKind::kUserImage, "on.png"}));
        DropOutcome outcome = DragOver(View(), *user, onB, Qt::CopyAction, {}, false);
        // The object is framed while the image hovers over it.
        QCOMPARE(outcome.mark.topLeft(), At(b.left, b.top));
        outcome = DragOver(View(), *user, onB, Qt::CopyAction, {});
        QVERIFY(outcome.dropped);
        QCOMPARE(Button(1).GetItem("FileOff"), std::string("on.png"));
        QCOMPARE(Button(1).GetItem("FileSource"), std::string("STATION"));
        // The object is shown, on the row that took the image.
        QCOMPARE(list.GetElement(), &Button(1));
        QCOMPARE(list.GetCurrentRow(), RowOf(Button(1), "FileOff"));

        // With FileOn the current row, the next image goes there.
        list.SetCurrentRow(RowOf(Button(1), "FileOn"));
        std::unique_ptr<QMimeData> builtIn(
            panels::ImageMime({PaneEntryKind::kBuiltInImage, "knob[10-20].png"}));
        QVERIFY(DragOver(View(), *builtIn, onB, Qt::CopyAction, {}).dropped);
        QCOMPARE(Button(1).GetItem("FileOn"), std::string("knob[10-20].png"));
        QCOMPARE(Button(1).GetItem("FileOff"), std::string("on.png"));

        // A URI source takes no image from the grids.
        Button(2).SetItem("FileSource", "URI");
        const PreviewRect& c = Button(2).GetPreviewRect();
        QVERIFY(
            !DragOver(View(), *user, At(c.left + 5, c.top + 5), Qt::CopyAction, {}).moveAccepted);
        QCOMPARE(Button(2).GetItem("FileOff"), std::string());
    }
};

QTEST_MAIN(PreviewDropTest)
#include "preview_drop_test.moc"
