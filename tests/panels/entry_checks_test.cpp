// Checks at entry as the user meets them: a value typed into the panel's
// property list is stored or refused with a message saying what is
// expected, and pasted or inserted elements come with names of their own.

#include <QLineEdit>
#include <QtTest>

#include "common/cp932.h"
#include "model/dialog_data.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "panels/property_cells.h"
#include "panels/property_list_ctrl.h"
#include "panels/resource_dlg.h"
#include "panels/resource_tree_model.h"
#include "panels/support/panel_fixture.h"
#include "panels/support/sample_project.h"
#include "panels/support/tree_snapshot.h"

namespace ze::panels::test {

namespace {

int RowOf(const ZeClass& element, const std::string& name) {
    const CItemList& items = element.Items();
    for (std::size_t row = 0; row < items.GetItemCount(); ++row) {
        if (items.GetItemData(row).GetName() == name) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

QString NameOf(const ZeClass* element) {
    return QString::fromStdString(Cp932ToUtf8(element->GetItem("Name")));
}

}  // namespace

class EntryChecksTest : public PanelTest {
    Q_OBJECT

private slots:
    void init() { QVERIFY(StartPanel()); }
    void cleanup() { StopPanel(); }

    // Typed into the value cell of the title's row and committed with Enter.
    void TypedValuesAreStoredOrRefusedWithWhatIsExpected_data() {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");  // empty: stored
        const auto row = [](const char* name, const char* property, const char* typed,
                            const char* message = "") {
            QTest::newRow(name) << property << typed << message;
        };
        const char* const length =
            "長さは 12、12px、12pu、8pt、10mm、16dp、PARENT、CONTENT のように入力してください。";
        row("length", "Height", "16dp");
        row("length read in part", "Height", "12abc", length);
        row("number", "Weight", "abc", "数値は 12 や -5 のような10進数の整数で入力してください。");
        row("offset", "Margin", "1,2,3",
            "オフセットは 左,上,右,下 の4つの整数をカンマで区切って 0,0,0,0 のように入力して"
            "ください。");
        row("name of another element", "Name", "toggle",
            "名前「toggle」はこのダイアログで既に使われています。別の名前を入力してください。");
        row("empty name", "Name", "");
    }
    void TypedValuesAreStoredOrRefusedWithWhatIsExpected() {
        QFETCH(QString, property);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        CObjectData& title = Element(*main_, "title");
        panel_->SelectByUser(&title);
        const std::string before = title.GetItem(property.toStdString());
        const int row = RowOf(title, property.toStdString());
        CPropertyListCtrl& list = panel_->PropertyList();
        list.SetCurrentRow(row);
        list.StartEdit(row, 1);
        // Rows with suggested choices open a drop-down, whose edit line takes the typing.
        auto* combo = qobject_cast<CComboBoxCell*>(list.OpenCell());
        QLineEdit* cell =
            combo != nullptr ? &combo->EditLine() : qobject_cast<QLineEdit*>(list.OpenCell());
        QVERIFY(cell != nullptr);
        cell->setText(typed);
        QTest::keyClick(cell, Qt::Key_Return);

        const bool stored = message.isEmpty();
        QCOMPARE(messages_.messages.size(), std::size_t{stored ? 0u : 1u});
        if (!stored) {
            // Headed by the property, and the typed text is kept to be
            // corrected.
            QCOMPARE(QString::fromStdString(messages_.messages[0].text),
                     "プロパティー「" + property + "」に入力した値を確定できません。\n" + message);
            QCOMPARE(messages_.messages[0].icon, MessageIcon::kWarning);
            QVERIFY(list.OpenCell() != nullptr);
            QCOMPARE(cell->text(), typed);
            QCOMPARE(cell->selectedText(), typed);
        }
        QCOMPARE(title.GetItem(property.toStdString()), stored ? typed.toStdString() : before);
        QCOMPARE(main_->GetUndoBuffer().GetRecordCount(), std::size_t{stored ? 2u : 1u});
        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
    }

    // Inserts are named by the type, a pasted copy of the title too; the
    // tree shows the names.
    void InsertedAndPastedElementsGetFreeNames() {
        CObjectData& title = Element(*main_, "title");
        panel_->SelectByUser(&title);
        panel_->InsertByName("button", PasteMode::kAfter);
        panel_->InsertByName("BUTTON", PasteMode::kAfter);
        QCOMPARE(NameOf(panel_->GetCurrentElement()), QString("Button2"));
        panel_->SelectByUser(&title);
        QVERIFY(panel_->CopyCurrent());
        panel_->PasteAtCurrent(PasteMode::kAfter);
        QCOMPARE(NameOf(panel_->GetCurrentElement()), QString("Text1"));
        QVERIFY(messages_.messages.empty());
        const QStringList labels = TreeLabels(panel_->TreeModel());
        QCOMPARE(labels, LabelsFromProject(*project_));
        QVERIFY(labels.contains("...Object:BUTTON(Button1)"));
        QVERIFY(labels.contains("...Object:TEXT(Text1)ようこそ"));
    }
};

}  // namespace ze::panels::test

QTEST_MAIN(ze::panels::test::EntryChecksTest)
#include "entry_checks_test.moc"
