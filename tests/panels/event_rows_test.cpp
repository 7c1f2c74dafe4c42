// The event rows of the property list (OnClick and the others) show the
// commands the element has on that event; their drop-downs open on what the
// row shows, and a pick adds a command.

#include <QListWidget>
#include <QtTest>

#include "model/dialog_data.h"
#include "model/editing/history_edits.h"
#include "model/editing/tree_edits.h"
#include "model/object_data.h"
#include "panels/property_cells.h"
#include "panels/property_list_ctrl.h"
#include "panels/property_list_model.h"
#include "panels/support/panel_fixture.h"
#include "panels/support/sample_project.h"
#include "panels/support/tree_snapshot.h"

namespace ze::panels::test {

class EventRowsTest : public PanelTest {
    Q_OBJECT

private:
    int Row(const QString& name) {
        PropertyListModel& model = panel_->PropertyList().Model();
        for (int row = 0; row < model.rowCount(); ++row) {
            if (model.index(row, 0).data().toString() == name) {
                return row;
            }
        }
        return -1;
    }
    QString Shown(const QString& name) {
        const int row = Row(name);
        return row < 0 ? "(no row)"
                       : panel_->PropertyList().Model().index(row, 1).data().toString();
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

    // Opened on what the row shows ("*": on that entry) and committed with
    // Enter, at once or after Down: unchanged, nothing happens at all; a
    // command name adds that command, "キャンセル" none.
    void DropDownsOpenOnWhatTheRowShows_data() {
        QTest::addColumn<QString>("element");  // "Main" or an object of it
        QTest::addColumn<QString>("event");
        QTest::addColumn<bool>("down");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("after");
        QTest::newRow("one command") << "Main"
                                     << "OnClose" << false << "*CLOSE"
                                     << "CLOSE";
        QTest::newRow("two commands") << "grid"
                                      << "OnClick" << false << "NOTIFY, TIMER"
                                      << "NOTIFY, TIMER";
        QTest::newRow("the entry below") << "Main"
                                         << "OnClose" << true << "*CLOSE"
                                         << "CLOSE, SOUND";
        QTest::newRow("キャンセル") << "grid"
                                    << "OnClick" << true << "NOTIFY, TIMER"
                                    << "NOTIFY, TIMER";
    }
    void DropDownsOpenOnWhatTheRowShows() {
        QFETCH(QString, element);
        QFETCH(QString, event);
        QFETCH(bool, down);
        QFETCH(QString, opened);
        QFETCH(QString, after);
        ZeClass* target = element == "Main" ? static_cast<ZeClass*>(main_)
                                            : &Element(*main_, element.toStdString());
        panel_->SelectByUser(target);
        const std::string before = DialogText(*main_);
        panel_->PropertyList().StartEdit(Row(event), PropertyListModel::kValueColumn);
        auto* cell = qobject_cast<CComboBoxCell*>(panel_->PropertyList().OpenCell());
        QVERIFY(cell != nullptr);
        QCOMPARE((cell->List().currentRow() >= 0 ? "*" : "") + cell->EditLine().text(), opened);
        if (down) {
            QTest::keyClick(&cell->EditLine(), Qt::Key_Down);
        }
        QTest::keyClick(&cell->EditLine(), Qt::Key_Return);
        panel_->SelectByUser(target);  // from the command an addition selects
        QCOMPARE(Shown(event), after);
        if (!down) {
            QVERIFY(!CanUndo(*main_));
            QCOMPARE(DialogText(*main_), before);
        }
    }
};

}  // namespace ze::panels::test

QTEST_MAIN(ze::panels::test::EventRowsTest)
#include "event_rows_test.moc"
