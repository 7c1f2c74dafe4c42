// The keyboard in the resource tree: Delete, F2, Alt+Up/Down, and the find
// field (Ctrl+F, Enter, F3, Escape).

#include <QLineEdit>
#include <QTreeView>
#include <QtTest>

#include "model/dialog_data.h"
#include "model/editing/history_edits.h"
#include "model/object_data.h"
#include "panels/property_list_ctrl.h"
#include "panels/resource_tree_model.h"
#include "panels/resource_tree_pane.h"
#include "panels/support/panel_fixture.h"
#include "panels/support/sample_project.h"
#include "panels/support/tree_snapshot.h"
#include "panels/tree_filter.h"

namespace ze::panels::test {

class TreeKeysTest : public PanelTest {
    Q_OBJECT

private:
    // Shows the panel, makes its window active and gives the tree the focus
    // with element current: the shortcuts work as they do for a user.
    void Focus(ZeClass* element) {
        panel_->show();
        panel_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(panel_.get()));
        if (element != nullptr) {
            panel_->SelectByUser(element);
        }
        panel_->TreeView().setFocus();
    }

    QStringList Names(const CObjectDataList& group) const {
        QStringList names;
        for (const CObjectData* child : group.GetChildren()) {
            names << QString::fromStdString(child->GetItem("Name"));
        }
        return names;
    }

    // The labels of the rows the tree shows (ancestors shown, row not hidden).
    QStringList ShownLabels(const QModelIndex& parent = {}) const {
        QStringList labels;
        const ResourceTreeModel& model = panel_->TreeModel();
        for (int row = 0; row < model.rowCount(parent); ++row) {
            if (!panel_->TreeView().isRowHidden(row, parent)) {
                const QModelIndex index = model.index(row, 0, parent);
                labels << model.LabelAt(index) << ShownLabels(index);
            }
        }
        return labels;
    }

private slots:
    void init() { QVERIFY(StartPanel()); }
    void cleanup() { StopPanel(); }

    void KeysActLikeTheButtons_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QStringList>("children");
        QTest::newRow("Delete") << int(Qt::Key_Delete) << int(Qt::NoModifier)
                                << QStringList({"grid", "toggle", "pages"});
        QTest::newRow("Alt+Up") << int(Qt::Key_Up) << int(Qt::AltModifier)
                                << QStringList({"grid", "title", "toggle", "pages"});
        QTest::newRow("Alt+Down") << int(Qt::Key_Down) << int(Qt::AltModifier)
                                  << QStringList({"grid", "toggle", "pages", "title"});
    }
    void KeysActLikeTheButtons() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QStringList, children);
        const std::string before = ProjectText(*project_);
        Focus(&Element(*main_, "title"));
        QTest::keyClick(&panel_->TreeView(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(Names(*main_->GetRootGroup()), children);
        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
        // One step: undo gives back the text from before the key.
        UndoEdit(*project_, *main_);
        QCOMPARE(ProjectText(*project_), before);
    }

    void F2OpensTheNameRow() {
        Focus(&Element(*main_, "toggle"));
        QTest::keyClick(&panel_->TreeView(), Qt::Key_F2);
        CPropertyListCtrl& list = panel_->PropertyList();
        QVERIFY(list.OpenCell() != nullptr);
        const int row = list.GetCurrentRow();
        QCOMPARE(list.GetElement()->Items().GetItemData(static_cast<std::size_t>(row)).GetName(),
                 std::string("Name"));
        QCOMPARE(qobject_cast<QLineEdit*>(list.OpenCell())->text(), QString("toggle"));
    }

    void TheFindFieldKeepsMatchesAndTheirAncestors() {
        Focus(nullptr);
        QLineEdit& field = panel_->Tree().FindField();
        QVERIFY(field.isHidden());
        QTest::keyClick(&panel_->TreeView(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(field.isVisible());
        QVERIFY(field.hasFocus());

        // The user-visible text, in Japanese.
        field.setText("ようこそ");
        const QStringList shown = ShownLabels();
        QCOMPARE(panel_->Filter().Matches().size(), std::size_t{1});
        QVERIFY(shown.size() >= 3);
        QVERIFY(shown.filter("Main").size() == 1);
        QVERIFY(shown.filter("title").size() == 1);
        QVERIFY(shown.filter("Second").isEmpty());
        QVERIFY(shown.filter("toggle").isEmpty());

        // Letter case ignored; Enter selects the first match, F3 the next,
        // round again.
        field.setText("P1BUTTON");
        QCOMPARE(panel_->Filter().Matches().size(), std::size_t{1});
        field.setText("PAGE");
        QCOMPARE(panel_->Filter().Matches().size(), std::size_t{3});  // pages, page0, page1
        QTest::keyClick(&field, Qt::Key_Return);
        QCOMPARE(panel_->GetCurrentElement(), &Element(*main_, "pages"));
        QTest::keyClick(&panel_->TreeView(), Qt::Key_F3);
        QCOMPARE(panel_->GetCurrentElement(), &Element(*main_, "page0"));
        QTest::keyClick(&panel_->TreeView(), Qt::Key_F3);
        QTest::keyClick(&panel_->TreeView(), Qt::Key_F3);
        QCOMPARE(panel_->GetCurrentElement(), &Element(*main_, "pages"));

        // Escape clears it: every row again.
        panel_->Filter().Open();
        QTest::keyClick(&field, Qt::Key_Escape);
        QVERIFY(field.isHidden());
        QVERIFY(field.text().isEmpty());
        QCOMPARE(ShownLabels().size(), TreeLabels(panel_->TreeModel()).size());
    }
};

}  // namespace ze::panels::test

QTEST_MAIN(ze::panels::test::TreeKeysTest)
#include "tree_keys_test.moc"
