// Elements dragged from one dialog's window into another's: moved there
// (with Ctrl: copied) as one step that either dialog's history takes back
// and brings again, through real drag events on the views and clicks in the
// "履歴" pane.
#include <QDockWidget>
#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QStatusBar>
#include <QTest>
#include <memory>

#include "app/child_frame.h"
#include "app/dialog_document.h"
#include "app/dialog_view.h"
#include "app/panes/history_pane.h"
#include "model/dialog_data.h"
#include "model/editing/selection.h"
#include "model/editing/selection_edits.h"
#include "model/editing/tree_edits.h"
#include "model/mo_stream.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "panels/tree_drag.h"
#include "support/editor_fixture.h"

using namespace ze;
using namespace ze::app;
using ze::app::test::DialogText;
using ze::app::test::EditorFixture;
using ze::app::test::ProjectText;

namespace {

// A: a vertical LINEAR group of three buttons beside an empty RADIO group.
// B: a button that is called A too.
const std::string kObjectsOfA =
    "{'Type':'GROUP','Layout':'LINEAR','Name':'H','Width':'PARENT','Height':'PARENT',"
    "'Objects':["
    "{'Type':'GROUP','Layout':'LINEAR','Vertical':'true','Name':'L','Width':'200px',"
    "'Height':'PARENT','Objects':["
    "{'Type':'BUTTON','Name':'A','Width':'100px','Height':'40px'},"
    "{'Type':'BUTTON','Name':'B','Width':'100px','Height':'40px'},"
    "{'Type':'BUTTON','Name':'C','Width':'100px','Height':'40px'}]},"
    "{'Type':'GROUP','Layout':'RADIO','Name':'R','Width':'100px','Height':'100px',"
    "'Objects':[]}]}";
const std::string kObjectsOfB = "{'Type':'BUTTON','Name':'A','Width':'100px','Height':'40px'}";

std::string Text(const CZeResourceData& project) {
    CJsonString text;
    project.WriteProject(text, "");
    return text.TakeText();
}

QString Names(const CObjectDataList& group) {
    QStringList names;
    for (const CObjectData* child : group.GetChildren()) {
        names << QString::fromStdString(child->GetItem("Name"));
    }
    return names.join(',');
}

}  // namespace

class DropBetweenWindowsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<EditorFixture> fixture_;
    CZeDialogData* a_ = nullptr;
    CZeDialogData* b_ = nullptr;

    CMainFrame& Frame() { return fixture_->Frame(); }
    CZeResourceData& Project() { return Frame().GetProject(); }
    CObjectDataList& Column() {
        auto* row = static_cast<CObjectDataList*>(a_->GetRootGroup()->GetChildren()[0]);
        return *static_cast<CObjectDataList*>(row->GetChildren()[0]);
    }
    CObjectDataList& Radio() {
        auto* row = static_cast<CObjectDataList*>(a_->GetRootGroup()->GetChildren()[0]);
        return *static_cast<CObjectDataList*>(row->GetChildren()[1]);
    }
    CZeDialogEditorView& ViewOf(const CZeDialogData& dialog) {
        for (CChildFrame* child : Frame().ChildFrames()) {
            if (child->GetDocument().GetDialog() == &dialog) {
                return child->GetView();
            }
        }
        qFatal("no window");
    }
    // A point near the end of B's root group, in its view's viewport.
    QPoint EndOfB() {
        const PreviewRect& root = b_->GetRootGroup()->GetPreviewRect();
        return ViewOf(*b_).Viewport().ToWindow(QPointF(root.right - 5, root.bottom - 5)).toPoint();
    }
    // Drags data over B's view and releases it there; whether the view took
    // the move, and whether it took the drop.
    std::pair<bool, bool> DropOnB(QMimeData& data, Qt::KeyboardModifiers keys) {
        QWidget* target = ViewOf(*b_).viewport();
        const QPoint point = EndOfB();
        const Qt::DropActions actions = Qt::MoveAction | Qt::CopyAction;
        QDragEnterEvent enter(point, actions, &data, Qt::LeftButton, keys);
        QCoreApplication::sendEvent(target, &enter);
        QDragMoveEvent move(point, actions, &data, Qt::LeftButton, keys);
        QCoreApplication::sendEvent(target, &move);
        QDropEvent drop(QPointF(point), actions, &data, Qt::LeftButton, keys);
        QCoreApplication::sendEvent(target, &drop);
        return {move.isAccepted(), drop.isAccepted()};
    }
    // The "履歴" pane of dialog: its window active, the pane lists its steps.
    QListWidget& HistoryOf(CZeDialogData& dialog) {
        Frame().ActivateDialogWindow(dialog);
        return Frame().GetHistoryPane();
    }
    static QStringList Rows(const QListWidget& pane) {
        QStringList rows;
        for (int i = 0; i < pane.count(); ++i) {
            rows << pane.item(i)->text();
        }
        return rows;
    }
    static void Click(QListWidget& pane, int row) {
        pane.scrollToItem(pane.item(row));
        QTest::mouseClick(pane.viewport(), Qt::LeftButton, {},
                          pane.visualItemRect(pane.item(row)).center());
    }

private slots:
    void init() {
        fixture_ = std::make_unique<EditorFixture>();
        const bool opened = Frame().OpenFile(fixture_->WriteFile(
            "two.moxspro",
            ProjectText("D", {DialogText("A", kObjectsOfA), DialogText("B", kObjectsOfB)})));
        QVERIFY(opened);
        a_ = Project().GetDialogs().GetDialog(0);
        b_ = Project().GetDialogs().GetDialog(1);
        Frame().show();
        Frame().GetHistoryBar().raise();
        QVERIFY(QTest::qWaitForWindowExposed(&Frame()));
        for (CZeDialogData* dialog : {a_, b_}) {
            Frame().ActivateDialogWindow(*dialog);
            ViewOf(*dialog).resize(400, 300);
            ViewOf(*dialog).Render();  // lays the dialog out as shown
        }
    }

    void cleanup() { fixture_.reset(); }

    void ElementsMoveOrCopyAsOneStepOfBothHistories_data() {
        QTest::addColumn<bool>("copy");
        QTest::addColumn<QString>("undoIn");
        QTest::addColumn<QString>("redoIn");
        QTest::newRow("moved, undone where it arrived, redone where it left") << false << "B"
                                                                              << "A";
        QTest::newRow("moved, undone where it left, redone where it arrived") << false << "A"
                                                                              << "B";
        QTest::newRow("copied with Ctrl") << true << "B"
                                          << "B";
    }

    void ElementsMoveOrCopyAsOneStepOfBothHistories() {
        QFETCH(bool, copy);
        QFETCH(QString, undoIn);
        QFETCH(QString, redoIn);
        const std::string before = Text(Project());
        CObjectData* dragged = Column().GetChildren()[0];
        Select(Project(), dragged);
        std::unique_ptr<QMimeData> data(panels::ElementMime(DraggedWith(Project(), *dragged)));
        const auto [moveTaken, dropTaken] =
            DropOnB(*data, copy ? Qt::ControlModifier : Qt::NoModifier);
        QVERIFY(moveTaken && dropTaken);

        // B already has an A: the one that arrives is named as a paste
        // names it, and it is what the user works on now.
        QCOMPARE(Names(*b_->GetRootGroup()), QString("A,Button1"));
        QCOMPARE(Names(Column()), copy ? QString("A,B,C") : QString("B,C"));
        QCOMPARE(Project().GetSelection().Dialog(), b_);
        QCOMPARE(Project().GetSelection().Current()->GetItem("Name"), std::string("Button1"));
        const std::string after = Text(Project());

        QCOMPARE(Rows(HistoryOf(*b_)),
                 QStringList({"最初の状態", copy ? "コピー Button1" : "移動 Button1"}));
        QListWidget& historyOfA = HistoryOf(*a_);
        if (copy) {
            QCOMPARE(Rows(historyOfA), QStringList({"最初の状態"}));
        } else {
            QCOMPARE(Rows(historyOfA), QStringList({"最初の状態", "移動 A"}));
            QVERIFY(historyOfA.item(1)->toolTip().contains("B"));
        }

        Click(HistoryOf(undoIn == "A" ? *a_ : *b_), 0);
        QCOMPARE(Text(Project()), before);
        QCOMPARE(Names(*b_->GetRootGroup()), QString("A"));
        QCOMPARE(Names(Column()), QString("A,B,C"));

        Click(HistoryOf(redoIn == "A" ? *a_ : *b_), 1);
        QCOMPARE(Text(Project()), after);
        // Both histories stand after the step again.
        QCOMPARE(HistoryOf(*b_).currentRow(), 1);
        QCOMPARE(HistoryOf(*a_).currentRow(), copy ? 0 : 1);
        // The Edit menu undoes it as well, from either window.
        Frame().Action(CommandId::kEditUndo)->trigger();
        QCOMPARE(Text(Project()), copy ? after : before);
    }

    void ADropThatCannotBeDoneSaysWhy() {
        InsertElement(Project(), a_, &Radio(), "RADIOBTN", PasteMode::kLastChild);
        ZeClass* radioButton = Radio().GetChildren().at(0);
        Select(Project(), radioButton);
        const std::string before = Text(Project());
        std::unique_ptr<QMimeData> data(panels::ElementMime(*radioButton));
        const auto [moveTaken, dropTaken] = DropOnB(*data, Qt::NoModifier);
        QVERIFY(!moveTaken && !dropTaken);
        QVERIFY(ViewOf(*b_).DropMark().isEmpty());
        QCOMPARE(Frame().statusBar()->currentMessage(),
                 QStringLiteral("ラジオボタンはラジオグループに追加して下さい。"));
        QCOMPARE(Text(Project()), before);
        // A place it can go takes back what was said.
        std::unique_ptr<QMimeData> button(panels::ElementMime(*Column().GetChildren()[1]));
        QDragEnterEvent enter(EndOfB(), Qt::MoveAction | Qt::CopyAction, button.get(),
                              Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(ViewOf(*b_).viewport(), &enter);
        QDragMoveEvent move(EndOfB(), Qt::MoveAction | Qt::CopyAction, button.get(), Qt::LeftButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(ViewOf(*b_).viewport(), &move);
        QVERIFY(move.isAccepted());
        QVERIFY(Frame().statusBar()->currentMessage().isEmpty());
    }
};

QTEST_MAIN(DropBetweenWindowsTest)
#include "drop_between_windows_test.moc"
