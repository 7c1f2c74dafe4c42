// The panel's controls: the tool buttons (captions, tooltips, status texts,
// what they run), the hidden type tables, the two tab pages, the layout, and
// the tree's side of a committed property value.

#include <QAbstractButton>
#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTreeView>
#include <QtTest>

#include "common/cp932.h"
#include "model/dialog_data.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "panels/panel_buttons.h"
#include "panels/panel_tabs.h"
#include "panels/property_list_ctrl.h"
#include "panels/property_list_model.h"
#include "panels/resource_dlg.h"
#include "panels/resource_tree_model.h"
#include "panels/support/panel_fixture.h"
#include "panels/support/sample_project.h"
#include "panels/support/tree_snapshot.h"

namespace ze::panels::test {

class TreePanelTest : public PanelTest {
    Q_OBJECT

    bool Visible(const QWidget& widget) const { return widget.isVisibleTo(panel_.get()); }
    QString LabelOf(const ZeClass* element) const {
        return panel_->TreeModel().LabelAt(panel_->TreeModel().IndexOf(element));
    }

private slots:
    void init() { QVERIFY(StartPanel()); }
    void cleanup() { StopPanel(); }

    void ButtonsCarryTheirTexts_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("position");       // in the button row
        QTest::addColumn<QStringList>("texts");  // caption, tooltip, status text
        const auto row = [](int id, int position, const char* caption, const char* tip,
                            const char* status) {
            QTest::newRow(caption) << id << position << QStringList{caption, tip, status};
        };
        row(32813, 0, "▲", "前へ移動", "カレント選択項目を前へ移動させます");
        row(32814, 1, "▼", "後ろへ移動", "カレント選択項目を後ろへ移動させます");
        row(32815, 2, "削除", "選択項目の削除（カット）",
            "カレント選択項目を削除します。削除した項目がオブジェクトの場合はクリップボードへ"
            "保存されます。");
        row(32819, 3, "COPY", "カレント選択オブジェクトをクリップボードへコピー",
            "カレント選択オブジェクトをクリップボードへコピーします。選択がオブジェクトでは"
            "ない場合は何もしません。");
        row(1084, 4, "Group化", "グループ化",
            "新規にグループオブジェクトを作成し、選択オブジェクトを挿入します");
        row(1085, 5, "G解除", "グループ解除", "最上位階層のグループ オブジェクトを削除します");
        // Position 6 holds the label "挿入：".
        row(32816, 7, "後ろ", "同階層の後ろへ挿入",
            "指定オブジェクトをカレント選択オブジェクトの後ろ（同階層）へ挿入します。");
        row(32817, 8, "下先頭へ", "下階層の先頭へ挿入",
            "指定オブジェクトをカレント選択オブジェクトの下階層の先頭へ挿入します。");
        row(32818, 9, "下末尾へ", "下階層の末尾へ挿入",
            "指定オブジェクトをカレント選択オブジェクトの下階層の末尾へ挿入します。");
    }
    void ButtonsCarryTheirTexts() {
        QFETCH(int, id);
        QFETCH(int, position);
        QFETCH(QStringList, texts);
        auto* row = qobject_cast<QBoxLayout*>(panel_->Buttons().layout());
        QVERIFY(row != nullptr);
        QCOMPARE(row->spacing(), 4);
        QCOMPARE(qobject_cast<QLabel*>(row->itemAt(6)->widget())->text(), QString("挿入："));
        QAbstractButton& button = panel_->Button(static_cast<PanelButtonId>(id));
        QCOMPARE(row->itemAt(position)->widget(), &button);
        QCOMPARE(button.text(), texts[0]);
        QCOMPARE(button.toolTip(), texts[1]);
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(&button, &enter);
        QCOMPARE(host_.calls, std::vector<std::string>{"status:" + texts[2].toStdString()});
    }

    void TabsSwitchThePages_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<bool>("byTheStrip");
        QTest::newRow("link page") << 0 << false;
        QTest::newRow("property page") << 1 << false;
        QTest::newRow("link page by the strip") << 0 << true;
    }
    void TabsSwitchThePages() {
        QFETCH(int, tab);
        QFETCH(bool, byTheStrip);
        QCOMPARE(panel_->CurrentTab(), PanelTab::kProperty);
        if (byTheStrip) {
            panel_->Tabs().setCurrentIndex(tab);
        } else {
            panel_->ShowTab(static_cast<PanelTab>(tab));
        }
        const bool link = tab == 0;
        QCOMPARE(static_cast<int>(panel_->CurrentTab()), tab);
        QCOMPARE(Visible(panel_->NetworkArea()), link);
        QCOMPARE(Visible(panel_->PropertyArea()), !link);
        QCOMPARE(Visible(panel_->Buttons().InsertLabel()), !link);
        for (const auto id : PanelButtons::kIds) {
            QCOMPARE(Visible(panel_->Button(id)), !link);
        }
        // The type tables stay hidden on either page.
        QVERIFY(!Visible(panel_->Tables().GroupTypes()));
        QVERIFY(!Visible(panel_->Tables().ObjectTypes()));
    }

    void TheLayoutTabsAndTypeTables() {
        QCOMPARE(panel_->Tabs().count(), 2);
        QCOMPARE(panel_->Tabs().tabText(0), QString("接続"));
        QCOMPARE(panel_->Tabs().tabText(1), QString("プロパティー"));
        QVERIFY(!panel_->Tabs().tabIcon(0).isNull());
        QVERIFY(!panel_->Tabs().tabIcon(1).isNull());
        QCOMPARE(panel_->Tabs().iconSize(), QSize(16, 16));
        // Each table starts with its heading and holds every type.
        const QComboBox& groups = panel_->Tables().GroupTypes();
        const QComboBox& objects = panel_->Tables().ObjectTypes();
        QCOMPARE(groups.count(), 10);
        QCOMPARE(groups.itemText(0), QString("新規Group"));
        QCOMPARE(groups.itemText(9), QString("RELATIVE"));
        QCOMPARE(objects.count(), 17);
        QCOMPARE(objects.itemText(0), QString("新規Object"));
        QCOMPARE(objects.itemText(16), QString("HLIST"));

        // The tree takes half the height below the folder row.
        panel_->resize(320, 700);
        panel_->show();
        QVERIFY(QTest::qWaitForWindowExposed(panel_.get()));
        const int top = panel_->FolderField().geometry().bottom() + 1;
        const int below = panel_->height() - 5 - top;
        const int tree = panel_->TreeView().height();
        QVERIFY2(std::abs(2 * tree - below) <= 16,
                 qPrintable(QString("tree %1 of %2").arg(tree).arg(below)));
        // The tab strip closes the panel at the bottom.
        const int tabsBottom =
            panel_->Tabs().mapTo(panel_.get(), QPoint(0, panel_->Tabs().height())).y();
        QVERIFY2(std::abs(tabsBottom - (panel_->height() - 5)) <= 2,
                 qPrintable(QString::number(tabsBottom)));
        QVERIFY(panel_->PropertyArea().mapTo(panel_.get(), QPoint(0, 0)).y() >
                panel_->Button(PanelButtons::kMoveUp).mapTo(panel_.get(), QPoint(0, 0)).y());
        QVERIFY(panel_->Button(PanelButtons::kMoveUp).mapTo(panel_.get(), QPoint(0, 0)).y() >
                panel_->TreeView().geometry().bottom());
    }

    void ButtonsRunTheirOperations() {
        CObjectData& grid = Element(*main_, "grid");
        CObjectDataList& root = *main_->GetRootGroup();
        panel_->SelectByUser(&grid);
        panel_->Button(PanelButtons::kMoveDown).click();
        QCOMPARE(root.IndexOf(&grid), 1);
        panel_->Button(PanelButtons::kMoveUp).click();
        QCOMPARE(root.IndexOf(&grid), 0);
        SetClipboardText("before");
        panel_->Button(PanelButtons::kCopy).click();
        QVERIFY(ClipboardText().startsWith("{'Name':'grid'"));
        host_.paneEntry = PaneSelection{PaneEntryKind::kInsertType, "PICTURE"};
        panel_->Button(PanelButtons::kInsertLast).click();
        QCOMPARE(root.GetChildren()[1]->GetItem("Type"), std::string("PICTURE"));
        panel_->Button(PanelButtons::kGroup).click();
        auto* group = static_cast<CObjectDataList*>(root.GetChildren()[1]);
        QCOMPARE(group->GetItem("Layout"), std::string("LINEAR"));
        QCOMPARE(panel_->GetCurrentElement(), group);
        panel_->Button(PanelButtons::kUngroup).click();
        QCOMPARE(root.GetChildren()[1]->GetItem("Type"), std::string("PICTURE"));
        panel_->Button(PanelButtons::kDelete).click();
        QCOMPARE(root.GetChildren().size(), std::size_t{4});
        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
    }

    void ShownElementAndLink() {
        std::vector<ZeClass*> shown;
        connect(panel_.get(), &CResourceDlg::ShownElementChanged,
                [&shown](ZeClass* element) { shown.push_back(element); });
        panel_->SelectByUser(&Element(*main_, "title"));
        QCOMPARE(shown, std::vector<ZeClass*>{&Element(*main_, "title")});
        // Sending needs a connection.
        QVERIFY(panel_->GetCurrentDialog() != nullptr);
        QVERIFY(!panel_->Link().HasConnection());
        QVERIFY(!panel_->SendCurrentDialog());
        // The link serves the project folder the panel shows.
        panel_->SetProjectFolder("/data/project/");
        QCOMPARE(panel_->Link().GetProjectFolder(), std::string("/data/project/"));
        panel_->Discard();
        QCOMPARE(shown.back(), nullptr);
    }

    void PropertyChangesRenewTheTree_data() {
        // The element ("" for the project), property, value, and the label of
        // the changed or the added element.
        QTest::addColumn<QStringList>("change");
        QTest::addColumn<int>("records");
        const auto row = [](const char* name, const QStringList& change, int records) {
            QTest::newRow(name) << change << records;
        };
        row("object Text", {"title", "Text", "こんにちは", "Object:TEXT(title)こんにちは"}, 2);
        row("object Name", {"title", "Name", "heading", "Object:TEXT(heading)ようこそ"}, 2);
        row("group Name", {"pages", "Name", "book", "Group:PAGE(book)"}, 2);
        row("dialog Name", {"Second", "Name", "Main", "Dialog:Main2"}, 2);
        row("project Name", {"", "Name", "Tool", "Root = Tool"}, 1);
        row("a third header column", {"grid", "Columns", "ヘッダ項目追加", "Header:Cullum3"}, 2);
        row("a command", {"title", "OnClick", "CLOSE", "Command:CLOSE"}, 2);
    }
    void PropertyChangesRenewTheTree() {
        QFETCH(QStringList, change);
        QFETCH(int, records);
        const QString element = change[0];
        const std::string property = change[1].toStdString();
        const QString label = change[3];
        CZeDialogData* dialog = project_->GetDialogs().FindDialog(element.toStdString());
        CZeDialogData& owner = dialog != nullptr ? *dialog : *main_;
        ZeClass& changed = element.isEmpty()   ? static_cast<ZeClass&>(*project_)
                           : dialog != nullptr ? static_cast<ZeClass&>(*dialog)
                                               : Element(*main_, element.toStdString());
        host_.Clear();

        QVERIFY(panel_->CommitProperty(changed, property, Utf8ToCp932(change[2].toStdString())));

        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
        QCOMPARE(owner.GetUndoBuffer().GetRecordCount(), std::size_t(records));
        QCOMPARE(host_.Count("history"), records - 1);
        ZeClass* current = panel_->GetCurrentElement();
        if (label.startsWith("Header") || label.startsWith("Command")) {
            // The added element becomes current and shown.
            QVERIFY(current != &changed);
            QCOMPARE(panel_->GetShownElement(), current);
            QCOMPARE(LabelOf(current), label);
            // A command is chosen through its object.
            QVERIFY(!label.startsWith("Command") ||
                    static_cast<CObjectData&>(changed).IsSelected());
        } else {
            QCOMPARE(LabelOf(&changed), label);
        }
    }

    void ANewTypeReplacesTheShownItems() {
        CObjectData& title = Element(*main_, "title");
        panel_->SelectByUser(&title);
        const int before = panel_->PropertyList().Model().rowCount();
        QVERIFY(panel_->CommitProperty(title, "Type", "BUTTON"));
        // The list counts the new items.
        QVERIFY(before != panel_->PropertyList().Model().rowCount());
        QCOMPARE(panel_->PropertyList().Model().rowCount(),
                 static_cast<int>(title.Items().GetItemCount()) + PropertyListModel::kSpareRows);
        QCOMPARE(LabelOf(&title), QString("Object:BUTTON(title)ようこそ"));
        QCOMPARE(main_->GetUndoBuffer().GetRecordCount(), std::size_t{2});
    }
};

}  // namespace ze::panels::test

QTEST_MAIN(ze::panels::test::TreePanelTest)
#include "tree_panel_test.moc"
