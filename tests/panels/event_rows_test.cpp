// The event rows of the property list (OnClick and the others) show the
// commands the element has on that event.

#include <QtTest>

#include "model/dialog_data.h"
#include "model/editing/tree_edits.h"
#include "model/object_data.h"
#include "panels/property_list_ctrl.h"
#include "panels/property_list_model.h"
#include "panels/support/panel_fixture.h"
#include "panels/support/sample_project.h"

namespace ze::panels::test {

class EventRowsTest : public PanelTest {
    Q_OBJECT

private:
    QString Shown(const char* name) {
        PropertyListModel& model = panel_->PropertyList().Model();
        for (int row = 0; row < model.rowCount(); ++row) {
            if (model.index(row, 0).data().toString() == name) {
                return model.index(row, 1).data().toString();
            }
        }
        return "(no row)";
    }

private slots:
    void init() { QVERIFY(StartPanel()); }
    void cleanup() { StopPanel(); }

    void EventRowsNameTheirCommands() {
        CObjectData& grid = Element(*main_, "grid");
        panel_->SelectByUser(&grid);
        QCOMPARE(Shown("OnClick"), QString("NOTIFY, TIMER"));
        panel_->SelectByUser(main_);
        QCOMPARE(Shown("OnOpen"), QString("TIMER"));
        QCOMPARE(Shown("OnClose"), QString("CLOSE"));
        QCOMPARE(Shown("OnTimer"), QString(""));
        // The row follows the commands.
        DeleteElement(*project_, main_, main_->GetCommands().front());
        QCOMPARE(Shown("OnOpen"), QString(""));
        QCOMPARE(Shown("Name"), QString("Main"));
    }
};

}  // namespace ze::panels::test

QTEST_MAIN(ze::panels::test::EventRowsTest)
#include "event_rows_test.moc"
