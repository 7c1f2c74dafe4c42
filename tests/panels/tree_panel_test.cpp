// The panel's controls: the tool buttons (captions, tooltips, status texts,
// what they run), the hidden type tables, the two tab pages, the layout, and
// the tree's side of a committed property value.

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTreeView>
#include <QtTest>
#include <memory>

#include "common/cp932.h"
#include "model/dialog_data.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "panels/panel_buttons.h"
#include "panels/panel_tabs.h"
#include "panels/resource_dlg.h"
#include "panels/resource_tree_model.h"
#include "panels/support/panel_fixture.h"
#include "panels/support/recording_host.h"
#include "panels/support/sample_project.h"
#include "panels/support/tree_snapshot.h"

namespace ze::panels::test {

namespace {

QStringList Entries(const QComboBox& box) {
    QStringList entries;
    for (int i = 0; i < box.count(); ++i) {
        entries << box.itemText(i);
    }
    return entries;
}

}  // namespace

class TreePanelTest : public PanelTest {
    Q_OBJECT

private slots:
    void init() {
        project_ = std::make_unique<CZeResourceData>();
        QVERIFY(LoadSampleProject(*project_));
        panel_ = std::make_unique<CResourceDlg>(*project_, host_, messages_);
        tester_ = std::make_unique<QAbstractItemModelTester>(
            &panel_->TreeModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        main_ = &Dialog(*project_, "Main");
        host_.Clear();
    }
    void cleanup() { StopPanel(); }

    void ButtonsCarryTheirTexts_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<QString>("status");
        QTest::newRow("move up") << 32813 << "▲"
                                 << "前へ移動"
                                 << "カレント選択項目を前へ移動させます";
        QTest::newRow("move down") << 32814 << "▼"
                                   << "後ろへ移動"
                                   << "カレント選択項目を後ろへ移動させます";
        QTest::newRow("delete")
            << 32815 << "削除"
            << "選択項目の削除（カット）"
            << "カレント選択項目を削除します。削除した項目がオブジェクトの場合は"
               "クリップボードへ保存されます。";
        QTest::newRow("copy")
            << 32819 << "COPY"
            << "カレント選択オブジェクトをクリップボードへコピー"
            << "カレント選択オブジェクトをクリップボードへコピーします。選択がオブ"
               "ジェクトではない場合は何もしません。";
        QTest::newRow("group")
            << 1084 << "Group化"
            << "グループ化"
            << "新規にグループオブジェクトを作成し、選択オブジェクトを挿入します";
        QTest::newRow("ungroup") << 1085 << "G解除"
                                 << "グループ解除"
                                 << "最上位階層のグループ オブジェクトを削除します";
        QTest::newRow("insert after")
            << 32816 << "後ろ"
            << "同階層の後ろへ挿入"
            << "指定オブジェクトをカレント選択オブジェクトの後ろ（同階層）へ挿入します。";
        QTest::newRow("insert first")
            << 32817 << "下先頭へ"
            << "下階層の先頭へ挿入"
            << "指定オブジェクトをカレント選択オブジェクトの下階層の先頭へ挿入します。";
        QTest::newRow("insert last")
            << 32818 << "下末尾へ"
            << "下階層の末尾へ挿入"
            << "指定オブジェクトをカレント選択オブジェクトの下階層の末尾へ挿入します。";
    }
    void ButtonsCarryTheirTexts() {
        QFETCH(int, id);
        QFETCH(QString, caption);
        QFETCH(QString, tip);
        QFETCH(QString, status);
        QAbstractButton& button = panel_->Button(id);
        QCOMPARE(button.text(), caption);
        QCOMPARE(button.toolTip(), tip);
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(&button, &enter);
        QCOMPARE(host_.calls, std::vector<std::string>{"status:" + status.toStdString()});
    }

    void ButtonsStandInOrderWithTheInsertText() {
        auto* row = qobject_cast<QBoxLayout*>(panel_->Buttons().layout());
        QVERIFY(row != nullptr);
        QStringList order;
        for (int i = 0; i < row->count(); ++i) {
            if (auto* button = qobject_cast<QAbstractButton*>(row->itemAt(i)->widget())) {
                order << button->text();
            } else if (auto* label = qobject_cast<QLabel*>(row->itemAt(i)->widget())) {
                order << label->text();
            }
        }
        QCOMPARE(order, (QStringList{"▲", "▼", "削除", "COPY", "Group化", "G解除", "挿入：", "後ろ",
                                     "下先頭へ", "下末尾へ"}));
        QCOMPARE(row->spacing(), 4);
    }

    void TheTypeTablesAreHidden() {
        QCOMPARE(Entries(panel_->Tables().GroupTypes()),
                 (QStringList{"新規Group", "FRAME", "LINEAR", "RADIO", "SCROLL", "HSCROLL", "PAGE",
                              "TABLE", "TABLEROW", "RELATIVE"}));
        QCOMPARE(Entries(panel_->Tables().ObjectTypes()),
                 (QStringList{"新規Object", "TEXT", "EDIT", "BUTTON", "CHECKBOX", "TOGGLE",
                              "RADIOBTN", "PICTURE", "CANVAS", "GRID", "PULLDOWN", "PROGRESS",
                              "SLIDEBAR", "METER", "GRAPH", "VLIST", "HLIST"}));
        for (const int tab : {0, 1}) {
            panel_->ShowTab(tab);
            QVERIFY(!panel_->Tables().GroupTypes().isVisibleTo(panel_.get()));
            QVERIFY(!panel_->Tables().ObjectTypes().isVisibleTo(panel_.get()));
        }
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
        QCOMPARE(panel_->CurrentTab(), 1);
        QCOMPARE(panel_->Tabs().count(), 2);
        QCOMPARE(panel_->Tabs().tabText(0), QString("接続"));
        QCOMPARE(panel_->Tabs().tabText(1), QString("プロパティー"));
        QVERIFY(!panel_->Tabs().tabIcon(0).isNull());
        QVERIFY(!panel_->Tabs().tabIcon(1).isNull());
        QCOMPARE(panel_->Tabs().iconSize(), QSize(16, 16));
        if (byTheStrip) {
            panel_->Tabs().setCurrentIndex(tab);
        } else {
            panel_->ShowTab(tab);
        }
        const bool link = tab == 0;
        QCOMPARE(panel_->CurrentTab(), tab);
        QCOMPARE(panel_->NetworkArea().isVisibleTo(panel_.get()), link);
        QCOMPARE(panel_->PropertyArea().isVisibleTo(panel_.get()), !link);
        QCOMPARE(panel_->Buttons().InsertLabel().isVisibleTo(panel_.get()), !link);
        for (const int id : PanelButtons::kIds) {
            QCOMPARE(panel_->Button(id).isVisibleTo(panel_.get()), !link);
        }
    }

    void TheTreeTakesHalfTheHeightBelowTheFolderRow() {
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
                panel_->Button(32813).mapTo(panel_.get(), QPoint(0, 0)).y());
        QVERIFY(panel_->Button(32813).mapTo(panel_.get(), QPoint(0, 0)).y() >
                panel_->TreeView().geometry().bottom());
    }

    void ButtonsRunTheirOperations() {
        panel_->Reload();
        CObjectData& grid = Element(*main_, "grid");
        panel_->SelectByUser(&grid);
        panel_->Button(PanelButtons::kMoveDown).click();
        QCOMPARE(main_->GetRootGroup()->IndexOf(&grid), 1);
        panel_->Button(PanelButtons::kMoveUp).click();
        QCOMPARE(main_->GetRootGroup()->IndexOf(&grid), 0);
        SetClipboardText("before");
        panel_->Button(PanelButtons::kCopy).click();
        QVERIFY(ClipboardText().startsWith("{'Name':'grid'"));
        host_.paneEntry = PaneSelection{0, "PICTURE"};
        panel_->Button(PanelButtons::kInsertLast).click();
        QCOMPARE(main_->GetRootGroup()->GetChildren()[1]->GetItem("Type"), std::string("PICTURE"));
        panel_->Button(PanelButtons::kGroup).click();
        auto* group = static_cast<CObjectDataList*>(main_->GetRootGroup()->GetChildren()[1]);
        QCOMPARE(group->GetItem("Layout"), std::string("LINEAR"));
        QCOMPARE(panel_->GetCurrentElement(), group);
        panel_->Button(PanelButtons::kUngroup).click();
        QCOMPARE(main_->GetRootGroup()->GetChildren()[1]->GetItem("Type"), std::string("PICTURE"));
        panel_->Button(PanelButtons::kDelete).click();
        QCOMPARE(main_->GetRootGroup()->GetChildren().size(), std::size_t{4});
        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
    }

    void ShowElementTellsThePropertyList() {
        panel_->Reload();
        std::vector<ZeClass*> shown;
        connect(panel_.get(), &CResourceDlg::ShownElementChanged,
                [&shown](ZeClass* element) { shown.push_back(element); });
        panel_->SelectByUser(&Element(*main_, "title"));
        QCOMPARE(shown, std::vector<ZeClass*>{&Element(*main_, "title")});
        panel_->Discard();
        QCOMPARE(shown.back(), nullptr);
    }

    void SendingNeedsAConnection() {
        panel_->Reload();
        QVERIFY(panel_->GetCurrentDialog() != nullptr);
        QVERIFY(!panel_->Link().HasConnection());
        QVERIFY(!panel_->SendCurrentDialog());
        // The link serves the project folder the panel shows.
        panel_->SetProjectFolder("/data/project/");
        QCOMPARE(panel_->Link().GetProjectFolder(), std::string("/data/project/"));
    }

    void PropertyChangesRenewTheLabels_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("recorded");
        QTest::newRow("object Text") << 0 << "Text"
                                     << "こんにちは"
                                     << "Object:TEXT(title)こんにちは" << true;
        QTest::newRow("object Name") << 0 << "Name"
                                     << "heading"
                                     << "Object:TEXT(heading)ようこそ" << true;
        QTest::newRow("group Name") << 1 << "Name"
                                    << "book"
                                    << "Group:PAGE(book)" << true;
        QTest::newRow("dialog Name") << 2 << "Name"
                                     << "Main"
                                     << "Dialog:Main2" << true;
        QTest::newRow("project Name") << 3 << "Name"
                                      << "Tool"
                                      << "Root = Tool" << false;
    }
    void PropertyChangesRenewTheLabels() {
        QFETCH(int, which);
        QFETCH(QString, property);
        QFETCH(QString, value);
        QFETCH(QString, label);
        QFETCH(bool, recorded);
        panel_->Reload();
        CZeDialogData& second = Dialog(*project_, "Second");
        ZeClass* elements[] = {&Element(*main_, "title"), &Element(*main_, "pages"), &second,
                               project_.get()};
        ZeClass& element = *elements[which];
        element.SetItem(property.toStdString(), Utf8ToCp932(value.toStdString()));
        host_.Clear();

        panel_->OnPropertyChanged(element, property.toStdString());

        QCOMPARE(panel_->TreeModel().LabelAt(panel_->TreeModel().IndexOf(&element)), label);
        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
        CZeDialogData& owner = which == 2 ? second : *main_;
        QCOMPARE(owner.GetUndoBuffer().GetRecordCount(), std::size_t{recorded ? 2u : 1u});
        QCOMPARE(host_.Count("history"), recorded ? 1 : 0);
        QVERIFY(host_.Count("redraw") >= 1);
    }

    void ANewHeaderColumnBecomesCurrent() {
        panel_->Reload();
        CObjectData& grid = Element(*main_, "grid");
        grid.SetItem("Columns", Utf8ToCp932("ヘッダ項目追加"));
        panel_->OnPropertyChanged(grid, "Columns");
        QCOMPARE(grid.GetHeaders().size(), std::size_t{3});
        QCOMPARE(grid.GetItem("Columns"), std::string("3"));
        ZeClass* added = grid.GetHeaders()[2];
        QCOMPARE(panel_->GetCurrentElement(), added);
        QCOMPARE(panel_->GetShownElement(), added);
        const QModelIndex index = panel_->TreeModel().IndexOf(added);
        QCOMPARE(index.row(), 2);
        QCOMPARE(panel_->TreeModel().LabelAt(index), QString("Header:Cullum3"));
        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
        QCOMPARE(main_->GetUndoBuffer().GetRecordCount(), std::size_t{2});
    }

    void ANewCommandBecomesCurrent() {
        panel_->Reload();
        CObjectData& title = Element(*main_, "title");
        title.SetItem("OnClick", "CLOSE");
        panel_->OnPropertyChanged(title, "OnClick");
        QCOMPARE(title.GetCommands().size(), std::size_t{1});
        ZeClass* added = title.GetCommands()[0];
        QCOMPARE(panel_->GetCurrentElement(), added);
        QCOMPARE(panel_->TreeModel().LabelAt(panel_->TreeModel().IndexOf(added)),
                 QString("Command:CLOSE"));
        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
        // The command is chosen through its object.
        QVERIFY(title.IsSelected());
    }

    void ANewTypeReplacesTheShownItems() {
        panel_->Reload();
        CObjectData& title = Element(*main_, "title");
        panel_->SelectByUser(&title);
        QSignalSpy replaced(panel_.get(), &CResourceDlg::ShownItemsChanged);
        const std::string before = DialogText(*main_);
        title.SetItem("Type", "BUTTON");
        panel_->OnPropertyChanged(title, "Type");
        QCOMPARE(replaced.count(), 1);
        QCOMPARE(panel_->TreeModel().LabelAt(panel_->TreeModel().IndexOf(&title)),
                 QString("Object:BUTTON(title)ようこそ"));
        // The step takes the object back to a TEXT.
        const std::string after = DialogText(*main_);
        main_->GetUndoBuffer().Undo();
        QCOMPARE(DialogText(*main_), before);
        main_->GetUndoBuffer().Redo();
        QCOMPARE(DialogText(*main_), after);
    }
};

}  // namespace ze::panels::test

QTEST_MAIN(ze::panels::test::TreePanelTest)
#include "tree_panel_test.moc"
