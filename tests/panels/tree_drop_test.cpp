// Drops on the resource tree with real mime data: elements dragged within
// the tree (Ctrl copies) and entries of the insert grid; the rules and
// refusals, one undo step per drop, and the tree kept in step.

#include <QMimeData>
#include <QTreeView>
#include <QtTest>
#include <memory>

#include "model/dialog_data.h"
#include "model/editing/history_edits.h"
#include "model/editing/selection.h"
#include "model/object_data.h"
#include "panels/resource_tree_model.h"
#include "panels/support/panel_fixture.h"
#include "panels/support/sample_project.h"
#include "panels/support/tree_snapshot.h"
#include "panels/tree_drag.h"

namespace ze::panels::test {

class TreeDropTest : public PanelTest {
    Q_OBJECT

private:
    // "dialog:N", "object:N" (in Main or Second), "project".
    ZeClass* Pick(const QString& selector) {
        const QStringList parts = selector.split(':');
        if (parts[0] == "project") {
            return project_.get();
        }
        if (parts[0] == "dialog") {
            return &Dialog(*project_, parts[1].toStdString());
        }
        for (const char* dialog : {"Main", "Second"}) {
            try {
                return &Element(Dialog(*project_, dialog), parts[1].toStdString());
            } catch (const std::exception&) {
            }
        }
        return nullptr;
    }
    QModelIndex IndexOf(const QString& selector) {
        return panel_->TreeModel().IndexOf(Pick(selector));
    }
    static QString Names(const std::vector<CObjectData*>& list) {
        QStringList names;
        for (const CObjectData* element : list) {
            names << QString::fromStdString(element->GetItem("Name"));
        }
        return names.join(',');
    }
    QString DialogNames() {
        QStringList names;
        for (std::size_t i = 0; i < project_->GetDialogs().GetCount(); ++i) {
            names << QString::fromStdString(project_->GetDialogs().GetDialog(i)->GetItem("Name"));
        }
        return names.join(',');
    }

private slots:
    void init() { QVERIFY(StartPanel()); }
    void cleanup() { StopPanel(); }

    void DropsFollowTheRules_data() {
        // An element, several picked ones joined by '+' (the drag starts on
        // the first), or "insert:TYPE".
        QTest::addColumn<QString>("dragged");
        QTest::addColumn<QString>("target");   // the item dropped on or above
        QTest::addColumn<bool>("between");     // above target's row, else on it
        QTest::addColumn<bool>("copy");
        QTest::addColumn<QString>("group");  // whose children to compare; empty: refused
        QTest::addColumn<QString>("children");
        QTest::newRow("into a group") << "object:title"
                                      << "object:page0" << false << false << "object:page0"
                                      << "p0text,title";
        QTest::newRow("above a sibling") << "object:title"
                                         << "object:grid" << true << false << "object:root"
                                         << "title,grid,toggle,pages";
        QTest::newRow("on an object: after it") << "object:grid"
                                                << "object:title" << false << false << "object:root"
                                                << "toggle,title,grid,pages";
        QTest::newRow("copy into another dialog")
            << "object:title"
            << "object:root2" << false << true << "object:root2"
            << "other,title";
        QTest::newRow("two picked into a group") << "object:toggle+object:title"
                                                 << "object:page0" << false << false
                                                 << "object:page0" << "p0text,toggle,title";
        QTest::newRow("two picked copied into another dialog")
            << "object:title+object:grid"
            << "object:root2" << false << true << "object:root2"
            << "other,title,grid";
        QTest::newRow("insert above an object") << "insert:BUTTON"
                                                << "object:title" << true << false << "object:root"
                                                << "grid,toggle,Button1,title,pages";
        QTest::newRow("group into its own page") << "object:pages"
                                                 << "object:page1" << false << false << ""
                                                 << "";
        // Its copy arrives; undo in either dialog takes back both sides.
        QTest::newRow("move to another dialog") << "object:title"
                                                << "object:root2" << false << false
                                                << "object:root2" << "other,title";
        QTest::newRow("radio button outside RADIO") << "insert:RADIOBTN"
                                                    << "object:root" << false << false << ""
                                                    << "";
        QTest::newRow("unknown insert type") << "insert:NOSUCH"
                                             << "object:root" << false << false << ""
                                             << "";
    }
    void DropsFollowTheRules() {
        QFETCH(QString, dragged);
        QFETCH(QString, target);
        QFETCH(bool, between);
        QFETCH(bool, copy);
        QFETCH(QString, group);
        QFETCH(QString, children);
        const std::string before = ProjectText(*project_);
        ResourceTreeModel& model = panel_->TreeModel();
        std::unique_ptr<QMimeData> mime;
        if (dragged.startsWith("insert:")) {
            mime.reset(InsertTypeMime(dragged.section(':', 1)));
        } else {
            const QStringList picked = dragged.split('+');
            for (const QString& element : picked) {
                SelectAlso(*project_, Pick(element));
            }
            mime.reset(model.mimeData({IndexOf(picked.front())}));
        }
        const QModelIndex at = IndexOf(target);
        QVERIFY(at.isValid());
        const int row = between ? at.row() : -1;
        const QModelIndex parent = between ? at.parent() : at;
        const Qt::DropAction action = copy ? Qt::CopyAction : Qt::MoveAction;
        const bool allowed = model.canDropMimeData(mime.get(), action, row, 0, parent);
        QCOMPARE(allowed, !group.isEmpty());
        QCOMPARE(model.dropMimeData(mime.get(), action, row, 0, parent), allowed);
        if (!allowed) {
            QCOMPARE(ProjectText(*project_), before);
            return;
        }
        auto* landing = static_cast<CObjectDataList*>(Pick(group));
        QCOMPARE(Names(landing->GetChildren()), children);
        QCOMPARE(TreeLabels(model), LabelsFromProject(*project_));
        // One step in the dialog dropped into; undo gives the text back.
        CZeDialogData& dialog = Dialog(*project_, group == "object:root2" ? "Second" : "Main");
        QVERIFY(CanUndo(dialog));
        UndoEdit(*project_, dialog);
        QVERIFY(!CanUndo(dialog));
        QCOMPARE(ProjectText(*project_), before);
    }

    // The view shows a refused place as such; the status bar says why, and
    // a place that takes the drop takes that back.
    void RefusedDropsSayWhyInTheStatusBar() {
        ResourceTreeModel& model = panel_->TreeModel();
        std::unique_ptr<QMimeData> pages(ElementMime(*Pick("object:pages")));
        QVERIFY(!model.canDropMimeData(pages.get(), Qt::MoveAction, -1, 0,
                                       IndexOf("object:page1")));
        std::unique_ptr<QMimeData> radio(InsertTypeMime("RADIOBTN"));
        QVERIFY(!model.canDropMimeData(radio.get(), Qt::CopyAction, -1, 0, IndexOf("object:root")));
        QVERIFY(model.canDropMimeData(pages.get(), Qt::MoveAction, -1, 0, IndexOf("object:root2")));
        QCOMPARE(host_.calls,
                 std::vector<std::string>({"status:グループをそれ自身やその中へは移動できません。",
                                           "status:ラジオボタンはラジオグループに追加して下さい。",
                                           "status:"}));
    }

    void DialogsMoveAmongTheDialogs() {
        std::unique_ptr<QMimeData> mime(ElementMime(*Pick("dialog:Bare")));
        ResourceTreeModel& model = panel_->TreeModel();
        const QModelIndex main = IndexOf("dialog:Main");
        QVERIFY(model.dropMimeData(mime.get(), Qt::MoveAction, main.row(), 0, main.parent()));
        QCOMPARE(DialogNames(), QString("Bare,Main,Second"));
        QCOMPARE(TreeLabels(model), LabelsFromProject(*project_));
        // An element from another editor (another process) is nothing here.
        QMimeData foreign;
        foreign.setData(kElementMimeType, "1:" + QByteArray::number(quintptr(main_)));
        QVERIFY(!model.canDropMimeData(&foreign, Qt::MoveAction, -1, 0, main));
    }

    void TheViewDropsWhereThePointerIs() {
        panel_->resize(400, 600);
        panel_->show();
        QVERIFY(QTest::qWaitForWindowExposed(panel_.get()));
        QTreeView& tree = panel_->TreeView();
        tree.expandAll();
        tree.scrollTo(IndexOf("object:page0"));
        const QRect page0 = tree.visualRect(IndexOf("object:page0"));
        QMimeData* mime = ElementMime(*Pick("object:title"));
        QDragEnterEvent enter(page0.center(), Qt::MoveAction | Qt::CopyAction, mime, Qt::LeftButton,
                              Qt::NoModifier);
        enter.setDropAction(Qt::MoveAction);
        QCoreApplication::sendEvent(tree.viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDragMoveEvent move(page0.center(), Qt::MoveAction | Qt::CopyAction, mime, Qt::LeftButton,
                            Qt::NoModifier);
        move.setDropAction(Qt::MoveAction);
        QCoreApplication::sendEvent(tree.viewport(), &move);
        QVERIFY(move.isAccepted());
        QDropEvent drop(QPointF(page0.center()), Qt::MoveAction | Qt::CopyAction, mime,
                        Qt::LeftButton, Qt::NoModifier);
        drop.setDropAction(Qt::MoveAction);
        QCoreApplication::sendEvent(tree.viewport(), &drop);
        QCOMPARE(Names(static_cast<CObjectDataList*>(Pick("object:page0"))->GetChildren()),
                 QString("p0text,title"));
        QCOMPARE(panel_->GetCurrentElement(), Pick("object:title"));
        delete mime;
    }
};

}  // namespace ze::panels::test

QTEST_MAIN(ze::panels::test::TreeDropTest)
#include "tree_drop_test.moc"
