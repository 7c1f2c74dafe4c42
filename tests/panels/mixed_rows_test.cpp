// Two picked buttons in the panel's property list: a row of every kind shows
// the value they share, or the mixed state (empty, grey, each value in the
// tooltip) when their values differ; a value committed on the row goes to
// both. A value refused at entry stays in its cell, selected, with a message
// naming the property, until it is corrected or given up with Escape.

#include <QLineEdit>
#include <QTreeView>
#include <QtTest>

#include "common/cp932.h"
#include "model/dialog_data.h"
#include "model/editing/property_edits.h"
#include "model/editing/selection.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "model/undo_buffer.h"
#include "panels/property_cells.h"
#include "panels/property_list_ctrl.h"
#include "panels/property_list_model.h"
#include "panels/resource_dlg.h"
#include "panels/support/panel_fixture.h"
#include "panels/support/sample_project.h"

namespace ze::panels::test {

namespace {

std::string Sjis(const QString& text) {
    return Utf8ToCp932(text.toStdString());
}

// The commands element has on event, in order (UTF-8).
QStringList CommandsOn(CObjectData& element, const QString& event) {
    QStringList names;
    for (const ZeClass* command : element.GetCommands()) {
        if (command->GetItem("Event") == Sjis(event)) {
            names << QString::fromStdString(Cp932ToUtf8(command->GetItem("Command")));
        }
    }
    return names;
}

}  // namespace

class MixedRowsTest : public PanelTest {
    Q_OBJECT

    // The sample's button and a second one inserted after it; both picked,
    // the first current.
    void PickTwoButtons() {
        first_ = &Element(*main_, "p1button");
        panel_->SelectByUser(first_);
        panel_->InsertByName("BUTTON", PasteMode::kAfter);
        second_ = static_cast<CObjectData*>(panel_->GetCurrentElement());
        QVERIFY(second_ != nullptr && second_ != first_);
        panel_->SelectByUser(first_);
        panel_->SelectByUser(second_, true);
        QCOMPARE(project_->GetSelection().Elements().size(), std::size_t{2});
    }

    // An event gets its command through the edit API as a pick would add
    // it; any other property its value straight away.
    void Give(CObjectData& element, const QString& property, const QString& value) {
        if (value.isEmpty()) {
            return;
        }
        if (property.startsWith("On")) {
            const std::optional<std::size_t> row = RowNamed(element, Sjis(property));
            QVERIFY(row.has_value());
            QVERIFY(CommitProperty(*project_, nullptr, &element, *row, Sjis(value)).changed);
        } else {
            element.SetItem(Sjis(property), Sjis(value));
        }
    }

    int Row(const QString& property) {
        PropertyListModel& model = panel_->PropertyList().Model();
        for (int row = 0; row < model.ItemCount(); ++row) {
            if (model.index(row, 0).data().toString() == property) {
                return row;
            }
        }
        return -1;
    }

    // The line the open cell takes typing in.
    QLineEdit* OpenLine() {
        QWidget* cell = panel_->PropertyList().OpenCell();
        if (auto* combo = qobject_cast<CComboBoxCell*>(cell)) {
            return &combo->EditLine();
        }
        return qobject_cast<QLineEdit*>(cell);
    }

private slots:
    void init() {
        QVERIFY(StartPanel());
        first_ = second_ = nullptr;
    }
    void cleanup() { StopPanel(); }

    // Each kind of row, once with one value on both buttons and once with
    // two; then "typed" committed on the row reaches both (an event gets one
    // command more on each).
    void RowsOfEveryKindShowTheSharedValueOrMixed_data() {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("typed");
        const auto row = [](const char* name, const char* property, const char* first,
                            const char* second, const char* typed) {
            QTest::newRow(name) << property << first << second << typed;
        };
        row("text same", "Text", "Open", "Open", "Close");
        row("text different", "Text", "Open", "Close", "Same");
        row("choice same", "TAlign", "LEFT", "LEFT", "RIGHT");
        row("choice different", "TAlign", "LEFT", "RIGHT", "CENTER");
        row("boolean same", "Hide", "true", "true", "false");
        row("boolean different", "Hide", "true", "false", "true");
        row("boolean set on one only", "Hide", "", "false", "false");
        row("event same", "OnClick", "CLOSE", "CLOSE", "TIMER");
        row("event different", "OnClick", "OPEN", "CLOSE", "TIMER");
        row("event on one only", "OnClick", "OPEN", "", "CLOSE");
        row("image same", "FileOn", "on.png", "on.png", "b.png");
        row("image different", "FileOn", "on.png", "off.png", "b.png");
    }
    void RowsOfEveryKindShowTheSharedValueOrMixed() {
        QFETCH(QString, property);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, typed);
        PickTwoButtons();
        Give(*first_, property, first);
        Give(*second_, property, second);
        // Shown afresh with the values set behind its back.
        panel_->SelectByUser(first_);
        panel_->SelectByUser(second_, true);

        CPropertyListCtrl& list = panel_->PropertyList();
        PropertyListModel& model = list.Model();
        const int row = Row(property);
        QVERIFY(row >= 0);
        const QModelIndex value = model.index(row, PropertyListModel::kValueColumn);
        const bool mixed = first != second;
        QCOMPARE(model.IsMixed(row), mixed);
        QCOMPARE(value.data().toString(), mixed ? QString() : first);
        QCOMPARE(
            value.data(Qt::BackgroundRole).value<QColor>() == PropertyListModel::kMixedBackground,
            mixed);
        // The current one's value first: the one picked last.
        QCOMPARE(value.data(Qt::ToolTipRole).toString(), mixed ? second + "\n" + first : QString());

        if (property == "FileOn") {
            // The image list opens on the shared image, on none of several.
            list.StartEdit(row, PropertyListModel::kMarkerColumn);
            QVERIFY(!host_.calls.empty());
            QCOMPARE(QString::fromStdString(host_.calls.back()),
                     "images:1:" + (mixed ? QString() : first));
        }
        // The cell opens on what the row shows.
        list.SetCurrentRow(row);
        list.StartEdit(row, PropertyListModel::kValueColumn);
        QLineEdit* line = OpenLine();
        QVERIFY(line != nullptr);
        QCOMPARE(line->text(), mixed ? QString() : first);
        const QStringList firstBefore = CommandsOn(*first_, property);
        const QStringList secondBefore = CommandsOn(*second_, property);
        line->selectAll();
        QTest::keyClicks(line, typed);
        QTest::keyClick(line, Qt::Key_Return);

        QVERIFY(messages_.messages.empty());
        if (property.startsWith("On")) {
            QCOMPARE(CommandsOn(*first_, property), firstBefore + QStringList{typed});
            QCOMPARE(CommandsOn(*second_, property), secondBefore + QStringList{typed});
            QCOMPARE(first_->GetItem(Sjis(property)), std::string());
        } else {
            QCOMPARE(first_->GetItem(Sjis(property)), Sjis(typed));
            QCOMPARE(second_->GetItem(Sjis(property)), Sjis(typed));
        }
        // Both stay picked, and the row follows what the commit did (an
        // event row the commands now on each).
        QCOMPARE(project_->GetSelection().Elements().size(), std::size_t{2});
        const QString shownFirst =
            property.startsWith("On") ? CommandsOn(*first_, property).join(", ") : typed;
        const QString shownSecond =
            property.startsWith("On") ? CommandsOn(*second_, property).join(", ") : typed;
        QCOMPARE(model.IsMixed(Row(property)), shownFirst != shownSecond);
        if (shownFirst == shownSecond) {
            QCOMPARE(model.index(Row(property), 1).data().toString(), shownFirst);
        }
    }

    // Typed into the Width of both buttons (a drop-down of sizes whose edit
    // line takes the typing) or the Weight (an edit field), committed by
    // Enter, by Down or by the loss of the focus: refused, nothing stored,
    // the text kept and selected; Escape then leaves the values as they
    // were, or a correction goes to both.
    void RefusedValueStaysInTheCell_data() {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("how");  // "Return", "Down" or "focus"
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("corrected");  // empty: Escape
        const QString length =
            "長さは 12、12px、12pu、8pt、10mm、16dp、PARENT、CONTENT のように入力してください。";
        const QString number = "数値は 12 や -5 のような10進数の整数で入力してください。";
        const QString range = "数値は -2147483648 から 2147483647 までの整数で入力してください。";
        const auto row = [](const char* name, const char* property, const char* typed,
                            const char* how, const QString& message, const char* corrected) {
            QTest::newRow(name) << property << typed << how << message << corrected;
        };
        row("length, Enter, Escape", "Width", "abc", "Return", length, "");
        row("length, Enter, corrected", "Width", "abc", "Return", length, "30px");
        row("number, Down, corrected", "Weight", "abc", "Down", number, "2");
        row("out of range, Enter, Escape", "Weight", "9999999999", "Return", range, "");
        row("number, focus lost, corrected", "Weight", "1.5", "focus", number, "3");
        row("no Shift_JIS form", "Text", "a😀", "Return",
            "値にShift_JISで表せない文字(U+1F600)は使えません。", "b");
    }
    void RefusedValueStaysInTheCell() {
        QFETCH(QString, property);
        QFETCH(QString, typed);
        QFETCH(QString, how);
        QFETCH(QString, message);
        QFETCH(QString, corrected);
        // Shown, so that the focus can come and go.
        panel_->resize(400, 800);
        panel_->show();
        QVERIFY(QTest::qWaitForWindowActive(panel_.get()));
        PickTwoButtons();
        CPropertyListCtrl& list = panel_->PropertyList();
        QVERIFY(list.isVisible());
        const std::string firstBefore = first_->GetItem(Sjis(property));
        const std::string secondBefore = second_->GetItem(Sjis(property));
        const std::size_t steps = main_->GetUndoBuffer().GetRecordCount();

        const int row = Row(property);
        list.SetCurrentRow(row);
        list.StartEdit(row, PropertyListModel::kValueColumn);
        QWidget* cell = list.OpenCell();
        QLineEdit* line = OpenLine();
        QVERIFY(line != nullptr);
        line->selectAll();
        line->insert(typed);
        if (how == "focus") {
            panel_->TreeView().setFocus();
        } else {
            QTest::keyClick(line, how == "Down" ? Qt::Key_Down : Qt::Key_Return);
        }

        QCOMPARE(messages_.messages.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(messages_.messages[0].text),
                 "プロパティー「" + property + "」に入力した値を確定できません。\n" + message);
        QCOMPARE(messages_.messages[0].icon, MessageIcon::kWarning);
        QCOMPARE(first_->GetItem(Sjis(property)), firstBefore);
        QCOMPARE(second_->GetItem(Sjis(property)), secondBefore);
        QCOMPARE(main_->GetUndoBuffer().GetRecordCount(), steps);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(list.OpenCell(), cell);
        QCOMPARE(list.GetCurrentRow(), row);
        QCOMPARE(line->text(), typed);
        QCOMPARE(line->selectedText(), typed);
        QVERIFY(line->hasFocus());

        // A click on the list takes the focus: the value is tried once more,
        // and the click does not move on from it.
        const QRect below = list.visualRect(list.Model().index(row + 1, 1));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, below.center());
        QCOMPARE(list.OpenCell(), cell);
        QCOMPARE(list.GetCurrentRow(), row);
        QCOMPARE(messages_.messages.size(), std::size_t{2});
        QVERIFY(line->hasFocus());

        if (corrected.isEmpty()) {
            QTest::keyClick(line, Qt::Key_Escape);
            QCOMPARE(first_->GetItem(Sjis(property)), firstBefore);
            QCOMPARE(second_->GetItem(Sjis(property)), secondBefore);
            QCOMPARE(main_->GetUndoBuffer().GetRecordCount(), steps);
        } else {
            line->selectAll();
            QTest::keyClicks(line, corrected);
            QTest::keyClick(line, Qt::Key_Return);
            QCOMPARE(first_->GetItem(Sjis(property)), Sjis(corrected));
            QCOMPARE(second_->GetItem(Sjis(property)), Sjis(corrected));
            QCOMPARE(main_->GetUndoBuffer().GetRecordCount(), steps + 1);
        }
        QCOMPARE(messages_.messages.size(), std::size_t{2});
        QCOMPARE(list.OpenCell(), static_cast<QWidget*>(nullptr));
        QCOMPARE(
            list.Model().index(row, 1).data().toString(),
            corrected.isEmpty() ? QString::fromStdString(Cp932ToUtf8(firstBefore)) : corrected);
    }

private:
    CObjectData* first_ = nullptr;
    CObjectData* second_ = nullptr;
};

}  // namespace ze::panels::test

QTEST_MAIN(ze::panels::test::MixedRowsTest)
#include "mixed_rows_test.moc"
