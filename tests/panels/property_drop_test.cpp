// Images dragged from the image grids onto the panel's property list: the
// rows that take them while the drag moves, and what a drop changes.

#include <QMimeData>
#include <QtTest>
#include <memory>

#include "common/cp932.h"
#include "model/editing/history_edits.h"
#include "model/object_data.h"
#include "panels/property_list_ctrl.h"
#include "panels/property_list_model.h"
#include "panels/support/panel_fixture.h"
#include "panels/support/sample_project.h"
#include "panels/support/tree_snapshot.h"
#include "panels/tree_drag.h"

namespace ze::panels::test {

class PropertyDropTest : public PanelTest {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(StartPanel());
        panel_->resize(400, 700);
        panel_->show();
        QVERIFY(QTest::qWaitForWindowExposed(panel_.get()));
    }
    void cleanup() { StopPanel(); }

    // Onto a row of the sample's BUTTON, its FileSource first set to source
    // (one undo step). dragged: "user", "built-in" or an "insert" entry. open:
    // a cell "typed" into on the row itself ("same") or on Text ("other").
    // sourceAfter: FileSource after the drop; "" when the drop is refused.
    void ImagesDropOnImageRows_data() {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("dragged");
        QTest::addColumn<QString>("open");
        QTest::addColumn<QString>("sourceAfter");
        QTest::addColumn<int>("steps");
        auto row = [](const char* name, const char* at, const char* source, const char* dragged,
                      const char* open, const char* after, int steps) {
            QTest::newRow(name) << at << source << dragged << open << after << steps;
        };
        row("user image", "FileOn", "", "user", "", "STATION", 1);
        row("built-in where user images were", "FileOff", "STATION", "built-in", "", "BUILTIN", 1);
        row("an edit of the row gives way", "FileOn", "", "user", "same", "STATION", 1);
        row("an edit of another row first", "FileOn", "", "user", "other", "STATION", 2);
        row("plain row", "Text", "", "user", "", "", 0);
        row("row below the items", "", "", "user", "", "", 0);
        row("files from a URI", "FileOn", "URI", "user", "", "", 0);
        row("files from the storage", "FileOn", "STORAGE", "user", "", "", 0);
        row("no image dragged", "FileOn", "", "insert", "", "", 0);
    }
    void ImagesDropOnImageRows() {
        QFETCH(QString, row);
        QFETCH(QString, source);
        QFETCH(QString, dragged);
        QFETCH(QString, open);
        QFETCH(QString, sourceAfter);
        QFETCH(int, steps);
        CObjectData& button = Element(*main_, "p1button");
        panel_->SelectByUser(&button);
        if (!source.isEmpty()) {
            panel_->CommitProperty(button, "FileSource", source.toStdString());
        }
        const bool undoBefore = CanUndo(*main_);
        const std::string before = DialogText(*main_);
        CPropertyListCtrl& list = panel_->PropertyList();
        PropertyListModel& model = list.Model();
        const auto rowOf = [&](const QString& name) {
            for (int at = 0; at < model.ItemCount(); ++at) {
                if (model.index(at, 0).data().toString() == name) {
                    return at;
                }
            }
            return model.ItemCount() + 1;
        };
        const int at = rowOf(row);
        if (!open.isEmpty()) {
            list.StartEdit(open == "same" ? at : rowOf("Text"), PropertyListModel::kValueColumn);
            QTest::keyClicks(QApplication::focusWidget(), "typed");
        }
        const std::string name = Utf8ToCp932("ボタン.png");
        const auto kind =
            dragged == "user" ? PaneEntryKind::kUserImage : PaneEntryKind::kBuiltInImage;
        std::unique_ptr<QMimeData> mime(dragged == "insert"
                                            ? InsertTypeMime("BUTTON")
                                            : ImageMime({kind, QByteArray::fromStdString(name)}));

        list.scrollTo(model.index(at, 1));
        const QPoint point = list.visualRect(model.index(at, 1)).center();
        const bool taken = !sourceAfter.isEmpty();
        QDragEnterEvent enter(point, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list.viewport(), &enter);
        QCOMPARE(enter.isAccepted(), taken);
        QDragMoveEvent move(point, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list.viewport(), &move);
        QCOMPARE(move.isAccepted(), taken);
        QCOMPARE(model.index(at, 0).data(PropertyListModel::kDropTargetRole).toBool(), taken);
        QDropEvent drop(QPointF(point), Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list.viewport(), &drop);
        QCOMPARE(drop.isAccepted(), taken);
        QCOMPARE(model.DropRow(), -1);
        if (taken) {
            QCOMPARE(button.GetItem(row.toStdString()), name);
            QCOMPARE(button.GetItem("FileSource"), sourceAfter.toStdString());
            QCOMPARE(button.GetItem("Text"), std::string(open == "other" ? "typed" : "B"));
            QCOMPARE(list.GetCurrentRow(), at);
        }
        for (int step = 0; step < steps; ++step) {
            UndoEdit(*project_, *main_);
        }
        QCOMPARE(CanUndo(*main_), undoBefore);
        QCOMPARE(DialogText(*main_), before);
    }
};

}  // namespace ze::panels::test

QTEST_MAIN(ze::panels::test::PropertyDropTest)
#include "property_drop_test.moc"
