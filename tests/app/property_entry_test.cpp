// The property list of the real main window over the example project: the
// buttons Open (OnClick OPEN) and Quit (OnClick CLOSE) picked together show
// a mixed OnClick row, and a Width refused at entry stays in its cell until
// it is corrected, when it goes to both buttons as one undo step.
#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <string>

#include "app/command_ids.h"
#include "model/dialog_data.h"
#include "model/editing/selection.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "panels/property_cells.h"
#include "panels/property_list_ctrl.h"
#include "panels/property_list_model.h"
#include "panels/resource_dlg.h"
#include "support/editor_fixture.h"

using namespace ze;
using namespace ze::app;
using ze::app::test::EditorFixture;

namespace {

CObjectData* Find(CObjectData& element, const std::string& name) {
    if (element.GetItem("Name") == name) {
        return &element;
    }
    if (element.IsGroup()) {
        for (CObjectData* child : static_cast<CObjectDataList&>(element).GetChildren()) {
            if (CObjectData* found = Find(*child, name)) {
                return found;
            }
        }
    }
    return nullptr;
}

int RowOf(panels::PropertyListModel& model, const QString& name) {
    for (int row = 0; row < model.ItemCount(); ++row) {
        if (model.index(row, panels::PropertyListModel::kKeyColumn).data().toString() == name) {
            return row;
        }
    }
    return -1;
}

}  // namespace

class PropertyEntryTest : public QObject {
    Q_OBJECT

private slots:
    void MixedEventRowAndRefusedValueOfTheExample() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        QVERIFY(frame.OpenFile(ZE_SOURCE_DIR "/examples/SampleApp.moxspro"));
        frame.resize(1200, 900);
        frame.show();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        CZeDialogData& main = *frame.GetProject().GetDialogs().FindDialog("Main");
        CObjectData* open = Find(*main.GetRootGroup(), "Open");
        CObjectData* quit = Find(*main.GetRootGroup(), "Quit");
        QVERIFY(open != nullptr && quit != nullptr);

        panels::CResourceDlg& panel = frame.GetResourcePanel();
        panel.SelectByUser(open);
        panel.SelectByUser(quit, true);
        QCOMPARE(frame.GetProject().GetSelection().Elements().size(), std::size_t{2});
        panels::CPropertyListCtrl& list = panel.PropertyList();
        panels::PropertyListModel& model = list.Model();
        QVERIFY(list.isVisible());

        const int onClick = RowOf(model, "OnClick");
        QVERIFY(onClick >= 0);
        QVERIFY(model.IsMixed(onClick));
        const QModelIndex event = model.index(onClick, panels::PropertyListModel::kValueColumn);
        QCOMPARE(event.data().toString(), QString());
        QCOMPARE(event.data(Qt::BackgroundRole).value<QColor>(),
                 panels::PropertyListModel::kMixedBackground);
        QCOMPARE(event.data(Qt::ToolTipRole).toString(), QString("CLOSE\nOPEN"));
        // The rows both have alike stay as they are.
        const int height = RowOf(model, "Height");
        QVERIFY(!model.IsMixed(height));
        QCOMPARE(model.index(height, 1).data().toString(), QString("40dp"));

        // The first click makes Width current, the second opens its cell.
        const int width = RowOf(model, "Width");
        QVERIFY(width >= 0);
        list.scrollTo(model.index(width, 1));
        const QPoint at = list.visualRect(model.index(width, 1)).center();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
        auto* cell = qobject_cast<panels::CComboBoxCell*>(list.OpenCell());
        QVERIFY(cell != nullptr);
        QLineEdit& line = cell->EditLine();
        QCOMPARE(line.text(), QString("CONTENT"));
        const std::string before = open->GetItem("Width");
        const std::size_t steps = main.GetUndoBuffer().GetRecordCount();

        QTest::keyClicks(&line, "abc");
        QTest::keyClick(&line, Qt::Key_Return);
        QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
        const QString message = QString::fromStdString(fixture.messages.shown[0].text);
        QVERIFY2(message.startsWith("プロパティー「Width」に入力した値を確定できません。\n長さは"),
                 qPrintable(message));
        QCOMPARE(fixture.messages.shown[0].icon, MessageIcon::kWarning);
        QCOMPARE(list.OpenCell(), static_cast<QWidget*>(cell));
        QCOMPARE(line.text(), QString("abc"));
        QCOMPARE(line.selectedText(), QString("abc"));
        QVERIFY(line.hasFocus());
        QCOMPARE(open->GetItem("Width"), before);
        QCOMPARE(quit->GetItem("Width"), before);
        QCOMPARE(main.GetUndoBuffer().GetRecordCount(), steps);

        // Corrected: both buttons take it, and one undo gives both back.
        QTest::keyClicks(&line, "30px");
        QTest::keyClick(&line, Qt::Key_Return);
        QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
        QCOMPARE(list.OpenCell(), static_cast<QWidget*>(nullptr));
        QCOMPARE(open->GetItem("Width"), std::string("30px"));
        QCOMPARE(quit->GetItem("Width"), std::string("30px"));
        QCOMPARE(model.index(width, 1).data().toString(), QString("30px"));
        frame.Action(CommandId::kEditUndo)->trigger();
        QCOMPARE(open->GetItem("Width"), before);
        QCOMPARE(quit->GetItem("Width"), before);
    }
};

QTEST_MAIN(PropertyEntryTest)
#include "property_entry_test.moc"
