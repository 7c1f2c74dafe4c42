// The property list driven as the user drives it: clicks on the viewport,
// keys, the cells it opens per kind, what a commit stores and announces, the
// colours of its rows, the status texts, the image picker, and that an open
// cell survives the list or its element going away.

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>
#include <QtTest>
#include <memory>
#include <vector>

#include "common/cp932.h"
#include "model/item_data.h"
#include "model/item_value_check.h"
#include "model/ze_class.h"
#include "panels/property_cells.h"
#include "panels/property_list_ctrl.h"
#include "panels/property_list_model.h"
#include "panels/support/recording_host.h"

namespace ze::panels::test {

namespace {

const ChoiceList kAlignments{"LEFT", "CENTER", "RIGHT"};
const ChoiceList kSizes{"PARENT", "CONTENT"};
const ChoiceList kSources{"BUILTIN", "STATION", "URI", "STORAGE"};

const char* Sjis(const char* utf8) {
    // Kept for the life of the program, as descriptions are.
    static std::vector<std::unique_ptr<std::string>> texts;
    texts.push_back(std::make_unique<std::string>(Utf8ToCp932(utf8)));
    return texts.back()->c_str();
}

// Rows: 0 Name, 1 TAlign (choice), 2 Width (suggested), 3 File (image),
// 4 Clickable (boolean), 5 Weight (number), 6 Command (fixed), 7 no name,
// 8 Text (user text), 9 FileSource (choice), 10 odd kind 7.
std::unique_ptr<ZeClass> MakeElement() {
    auto element = std::make_unique<ZeClass>(element_kind::kObject);
    CItemList& items = element->Items();
    items.AddItem(CItemData(item_kind::kPlainText, "Name", "btn", nullptr, Sjis("名前です")));
    items.AddItem(CItemData(item_kind::kChoice, "TAlign", "CENTER", &kAlignments));
    items.AddItem(CItemData(item_kind::kSuggested, "Width", "100px", &kSizes));
    items.AddItem(CItemData(item_kind::kImageFile, "File", Utf8ToCp932("ボタン.png")));
    items.AddItem(CItemData(item_kind::kBoolean, "Clickable", ""));
    items.AddItem(CItemData(item_kind::kNumber, "Weight", "1", nullptr, Sjis("重み")));
    items.AddItem(CItemData(item_kind::kFixed, "Command", "TIMER"));
    items.AddItem(CItemData(item_kind::kPlainText, "", ""));
    items.AddItem(CItemData(item_kind::kUserText, "Text", Utf8ToCp932("ようこそ")));
    items.AddItem(CItemData(item_kind::kChoice, "FileSource", "", &kSources));
    items.AddItem(CItemData(7, "Odd", "x"));
    return element;
}

constexpr int kItems = 11;

std::unique_ptr<ZeClass> MakeFiveItems() {
    auto element = std::make_unique<ZeClass>(element_kind::kHeaderColumn);
    for (const char* name : {"A", "B", "C", "D", "E"}) {
        element->Items().AddItem(CItemData(item_kind::kPlainText, name, "v"));
    }
    return element;
}

void FlushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString Value(const ZeClass& element, int row) {
    return QString::fromStdString(
        Cp932ToUtf8(element.Items().GetItemData(static_cast<std::size_t>(row)).GetValue()));
}

}  // namespace

class PropertyListTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        element_ = MakeElement();
        window_ = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window_.get());
        layout->setContentsMargins(0, 0, 0, 0);
        list_ = new CPropertyListCtrl(messages_, window_.get());
        other_ = new QLineEdit(window_.get());
        layout->addWidget(list_);
        layout->addWidget(other_);
        // The keys the list and its cells take must not reach the window.
        for (const auto key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Delete, Qt::Key_Space}) {
            auto* shortcut = new QShortcut(QKeySequence(key), window_.get());
            connect(shortcut, &QShortcut::activated, this, [this] { ++shortcutsFired_; });
        }
        connect(list_, &CPropertyListCtrl::PropertyChanged, this,
                [this](ZeClass* element, const QByteArray& name) {
                    changes_ << QString::fromStdString(Cp932ToUtf8(name.toStdString()));
                    changedElements_.push_back(element);
                });
        connect(list_, &CPropertyListCtrl::StatusTextChanged, this,
                [this](const QString& text) { statusTexts_ << text; });
        connect(list_, &CPropertyListCtrl::ImagePickerRequested, this,
                [this](int kind, const QByteArray& value) {
                    pickers_ << QStringLiteral("%1:%2").arg(kind).arg(
                        QString::fromStdString(Cp932ToUtf8(value.toStdString())));
                });
        shortcutsFired_ = 0;
        changes_.clear();
        changedElements_.clear();
        statusTexts_.clear();
        pickers_.clear();
        messages_.messages.clear();
        window_->resize(400, 480);
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        list_->ShowElement(element_.get());
        list_->setFocus();
    }
    void cleanup() {
        window_.reset();
        element_.reset();
    }

    void ModelKeepsTheModelContract() {
        PropertyListModel& model = list_->Model();
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        auto five = MakeFiveItems();
        list_->ShowElement(five.get());
        list_->SetCurrentRow(3);
        five->Items().AddItem(CItemData(item_kind::kPlainText, "F", ""));
        list_->Clear();
        QCOMPARE(model.rowCount(), 16);
        list_->ShowElement(nullptr);
        QCOMPARE(model.rowCount(), 0);
        list_->ShowElement(element_.get());
    }

    void ColumnsAndRows() {
        PropertyListModel& model = list_->Model();
        QCOMPARE(model.rowCount(), kItems + 10);
        QCOMPARE(model.columnCount(), 3);
        QStringList headers;
        for (int column = 0; column < 3; ++column) {
            headers << model.headerData(column, Qt::Horizontal).toString();
        }
        QCOMPARE(headers, (QStringList{"Key", "Value", ""}));
        QCOMPARE(list_->columnWidth(0), 120);
        QCOMPARE(list_->columnWidth(1), 215);
        QCOMPARE(list_->columnWidth(2), 20);
        auto five = MakeFiveItems();
        list_->ShowElement(five.get());
        QCOMPARE(model.rowCount(), 15);
        list_->ShowElement(nullptr);
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(list_->GetCurrentRow(), -1);
    }

    void CellTexts_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("plain") << 0 << QStringList{"Name", "btn", ""};
        QTest::newRow("choice") << 1 << QStringList{"TAlign", "CENTER", "▼"};
        QTest::newRow("suggested") << 2 << QStringList{"Width", "100px", "▼"};
        QTest::newRow("image") << 3 << QStringList{"File", "ボタン.png", ">>"};
        QTest::newRow("boolean") << 4 << QStringList{"Clickable", "", "▼"};
        QTest::newRow("number") << 5 << QStringList{"Weight", "1", ""};
        QTest::newRow("fixed") << 6 << QStringList{"Command", "TIMER", ""};
        QTest::newRow("user text") << 8 << QStringList{"Text", "ようこそ", ""};
        QTest::newRow("first spare row") << kItems << QStringList{"", "", ""};
        QTest::newRow("last spare row") << kItems + 9 << QStringList{"", "", ""};
    }
    void CellTexts() {
        QFETCH(int, row);
        QFETCH(QStringList, texts);
        QStringList shown;
        for (int column = 0; column < 3; ++column) {
            shown << list_->Model().index(row, column).data().toString();
        }
        QCOMPARE(shown, texts);
    }

    void ShowingTheSameElementKeepsTheRow() {
        list_->SetCurrentRow(4);
        list_->ShowElement(element_.get());
        QCOMPARE(list_->GetCurrentRow(), 4);
        auto five = MakeFiveItems();
        list_->ShowElement(five.get());
        QCOMPARE(list_->GetCurrentRow(), 0);
        list_->SetCurrentRow(2);
        list_->ShowElement(element_.get());
        QCOMPARE(list_->GetCurrentRow(), 0);
    }

    void ClickingASpareRowOpensNothing() {
        auto five = MakeFiveItems();
        list_->ShowElement(five.get());
        for (int column = 0; column < 3; ++column) {
            Click(12, column);
            Click(12, column);
            QVERIFY(list_->OpenCell() == nullptr);
        }
        QTest::keyClick(list_, Qt::Key_Space);
        QTest::keyClick(list_, Qt::Key_Delete);
        QVERIFY(list_->OpenCell() == nullptr);
        QVERIFY(changes_.isEmpty());
        QCOMPARE(shortcutsFired_, 0);
    }

    void FirstClickSelectsSecondEdits() {
        Click(5, 1);
        QCOMPARE(list_->GetCurrentRow(), 5);
        QVERIFY(list_->OpenCell() == nullptr);
        Click(5, 1);
        auto* edit = qobject_cast<CExEditCell*>(list_->OpenCell());
        QVERIFY(edit != nullptr);
        QCOMPARE(edit->text(), QString("1"));
        QCOMPARE(edit->Row(), 5);
        QVERIFY(edit->hasFocus());
    }

    void DoubleClickEditsTheValue() {
        // Through the window, as the window system delivers it: press,
        // release, press, double click, release.
        QWidget* window = list_->window();
        const QPoint centre = list_->viewport()->mapTo(
            window, list_->visualRect(list_->Model().index(2, 1)).center());
        QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, centre);
        auto* edit = qobject_cast<CExEditCell*>(list_->OpenCell());
        QVERIFY(edit != nullptr);
        QCOMPARE(edit->text(), QString("100px"));
        QCOMPARE(list_->GetCurrentRow(), 2);
        QVERIFY(changes_.isEmpty());
    }

    void MarkerClickAlwaysOpens() {
        Click(1, 2);
        QCOMPARE(list_->GetCurrentRow(), 1);
        auto* combo = qobject_cast<CComboBoxCell*>(list_->OpenCell());
        QVERIFY(combo != nullptr);
        QCOMPARE(combo->Row(), 1);
    }

    void EditorPerKind_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("text");  // edit text, or the chosen entry
        const QStringList none;
        const QStringList alignments{"LEFT", "CENTER", "RIGHT"};
        const QStringList booleans{"true", "false"};
        QTest::newRow("plain value") << 0 << 1 << "edit" << none << "btn";
        QTest::newRow("plain marker") << 0 << 2 << "none" << none << "";
        QTest::newRow("named key") << 0 << 0 << "none" << none << "";
        QTest::newRow("choice value") << 1 << 1 << "combo" << alignments << "CENTER";
        QTest::newRow("choice marker") << 1 << 2 << "combo" << alignments << "CENTER";
        QTest::newRow("suggested value") << 2 << 1 << "edit" << none << "100px";
        QTest::newRow("suggested marker")
            << 2 << 2 << "combo" << QStringList{"PARENT", "CONTENT"} << "PARENT";
        QTest::newRow("image value") << 3 << 1 << "edit" << none << "ボタン.png";
        QTest::newRow("image marker") << 3 << 2 << "none" << none << "";
        QTest::newRow("boolean value") << 4 << 1 << "combo" << booleans << "true";
        QTest::newRow("boolean marker") << 4 << 2 << "combo" << booleans << "true";
        QTest::newRow("number value") << 5 << 1 << "edit" << none << "1";
        QTest::newRow("number marker") << 5 << 2 << "none" << none << "";
        QTest::newRow("fixed value") << 6 << 1 << "none" << none << "";
        QTest::newRow("fixed marker") << 6 << 2 << "none" << none << "";
        QTest::newRow("key of an item without a name") << 7 << 0 << "edit" << none << "";
        QTest::newRow("user text value") << 8 << 1 << "edit" << none << "ようこそ";
        QTest::newRow("unknown kind value") << 10 << 1 << "none" << none << "";
        QTest::newRow("unknown kind marker") << 10 << 2 << "none" << none << "";
        QTest::newRow("spare row") << kItems << 1 << "none" << none << "";
    }
    void EditorPerKind() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, editor);
        QFETCH(QStringList, entries);
        QFETCH(QString, text);
        list_->StartEdit(row, column);
        QWidget* cell = list_->OpenCell();
        if (editor == "none") {
            QVERIFY(cell == nullptr);
            return;
        }
        QVERIFY(cell != nullptr);
        QCOMPARE(cell->parentWidget(), list_->viewport());
        const QRect cellRect = list_->visualRect(list_->Model().index(row, column));
        if (editor == "edit") {
            auto* edit = qobject_cast<CExEditCell*>(cell);
            QVERIFY(edit != nullptr);
            QCOMPARE(edit->text(), text);
            QCOMPARE(edit->selectedText(), text);
            QCOMPARE(edit->geometry(), QRect(QPoint(cellRect.left() + 1, cellRect.top()),
                                             QPoint(cellRect.right() - 3, cellRect.bottom())));
            QCOMPARE(edit->font(), list_->font());
            return;
        }
        auto* combo = qobject_cast<CComboBoxCell*>(cell);
        QVERIFY(combo != nullptr);
        QStringList shown;
        for (int i = 0; i < combo->List().count(); ++i) {
            shown << combo->List().item(i)->text();
        }
        QCOMPARE(shown, entries);
        QCOMPARE(combo->ChosenText(), text);
        // Over the value column, eleven rows tall.
        const QRect valueRect = list_->visualRect(list_->Model().index(row, 1));
        QCOMPARE(combo->geometry(),
                 QRect(valueRect.left(), valueRect.top(), 215, 11 * valueRect.height()));
    }

    void EditFieldCommitAndCancel_data() {
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("changes");
        QTest::newRow("Enter") << "Enter"
                               << "20" << QStringList{"Weight"};
        QTest::newRow("Escape") << "Escape"
                                << "1" << QStringList{};
        QTest::newRow("focus loss") << "focus"
                                    << "20" << QStringList{"Weight"};
        QTest::newRow("click on another row") << "click"
                                              << "20" << QStringList{"Weight"};
    }
    void EditFieldCommitAndCancel() {
        QFETCH(QString, end);
        QFETCH(QString, value);
        QFETCH(QStringList, changes);
        list_->SetCurrentRow(5);
        QTest::keyClick(list_, Qt::Key_Space);
        QPointer<QWidget> cell = list_->OpenCell();
        QVERIFY(qobject_cast<CExEditCell*>(cell) != nullptr);
        QTest::keyClicks(cell, "20");
        if (end == "Enter") {
            QTest::keyClick(cell, Qt::Key_Return);
        } else if (end == "Escape") {
            QTest::keyClick(cell, Qt::Key_Escape);
        } else if (end == "focus") {
            other_->setFocus();
        } else {
            Click(2, 1);
        }
        QCOMPARE(Value(*element_, 5), value);
        QCOMPARE(changes_, changes);
        if (!changes.isEmpty()) {
            QCOMPARE(changedElements_.front(), element_.get());
        }
        QCOMPARE(shortcutsFired_, 0);
        QVERIFY(list_->OpenCell() == nullptr);
        FlushDeletes();
        QVERIFY(cell.isNull());
        if (end == "Enter" || end == "Escape") {
            QVERIFY(list_->hasFocus());
        }
    }

    void UpAndDownMoveTheEditField_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("nextRow");  // -1: no field opens
        QTest::newRow("Down from Width to the image row") << 2 << int(Qt::Key_Down) << 3;
        QTest::newRow("Up from Width to a drop-down row") << 2 << int(Qt::Key_Up) << 1;
        QTest::newRow("Up from the first row") << 0 << int(Qt::Key_Up) << -1;
        QTest::newRow("Down onto a fixed item") << 5 << int(Qt::Key_Down) << -1;
    }
    void UpAndDownMoveTheEditField() {
        QFETCH(int, row);
        QFETCH(int, key);
        QFETCH(int, nextRow);
        list_->SetCurrentRow(row);
        list_->StartEdit(row, 1);
        auto* cell = qobject_cast<CExEditCell*>(list_->OpenCell());
        QVERIFY(cell != nullptr);
        QTest::keyClicks(cell, "9");
        QTest::keyClick(cell, Qt::Key(key));
        QCOMPARE(Value(*element_, row), QString("9"));
        QCOMPARE(changes_.size(), 1);
        QWidget* next = list_->OpenCell();
        if (nextRow < 0) {
            QVERIFY(next == nullptr);
            return;
        }
        QVERIFY(next != nullptr && next != cell);
        const int openRow = qobject_cast<CExEditCell*>(next) != nullptr
                                ? qobject_cast<CExEditCell*>(next)->Row()
                                : qobject_cast<CComboBoxCell*>(next)->Row();
        QCOMPARE(openRow, nextRow);
        QCOMPARE(list_->GetCurrentRow(), nextRow);
        QVERIFY(next->hasFocus() || next->isAncestorOf(QApplication::focusWidget()));
    }

    void EditFieldOnAKeyStoresTheValue() {
        list_->SetCurrentRow(7);
        Click(7, 0);
        auto* cell = qobject_cast<CExEditCell*>(list_->OpenCell());
        QVERIFY(cell != nullptr);
        QTest::keyClicks(cell, "typed");
        QTest::keyClick(cell, Qt::Key_Return);
        QCOMPARE(Value(*element_, 7), QString("typed"));
        QCOMPARE(QString::fromStdString(element_->Items().GetItemData(7).GetName()), QString());
        QCOMPARE(changes_, QStringList{""});
    }

    void DropDownCommits_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("typed");  // empty: click the entry "pick"
        QTest::addColumn<QString>("pick");
        QTest::addColumn<QString>("value");
        QTest::newRow("click an alignment") << 1 << ""
                                            << "RIGHT"
                                            << "RIGHT";
        QTest::newRow("click false") << 4 << ""
                                     << "false"
                                     << "false";
        QTest::newRow("typed size") << 2 << "30px"
                                    << ""
                                    << "30px";
        QTest::newRow("focus loss keeps the chosen entry") << 1 << ""
                                                           << ""
                                                           << "CENTER";
    }
    void DropDownCommits() {
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(QString, pick);
        QFETCH(QString, value);
        list_->StartEdit(row, 2);
        auto* combo = qobject_cast<CComboBoxCell*>(list_->OpenCell());
        QVERIFY(combo != nullptr);
        if (!typed.isEmpty()) {
            QTest::keyClicks(&combo->EditLine(), typed);
            QTest::keyClick(&combo->EditLine(), Qt::Key_Return);
        } else if (!pick.isEmpty()) {
            QListWidget& entries = combo->List();
            const auto found = entries.findItems(pick, Qt::MatchExactly);
            QCOMPARE(found.size(), 1);
            QTest::mouseClick(entries.viewport(), Qt::LeftButton, {},
                              entries.visualItemRect(found.front()).center());
        } else {
            other_->setFocus();
        }
        QCOMPARE(Value(*element_, row), value);
        QCOMPARE(changes_.size(), 1);
        QVERIFY(list_->OpenCell() == nullptr);
        QCOMPARE(shortcutsFired_, 0);
    }

    void DropDownEscapeChangesNothing() {
        list_->StartEdit(1, 1);
        auto* combo = qobject_cast<CComboBoxCell*>(list_->OpenCell());
        QVERIFY(combo != nullptr);
        QTest::keyClick(&combo->EditLine(), Qt::Key_Down);
        QTest::keyClick(&combo->EditLine(), Qt::Key_Escape);
        QCOMPARE(Value(*element_, 1), QString("CENTER"));
        QVERIFY(changes_.isEmpty());
        QCOMPARE(shortcutsFired_, 0);
        QVERIFY(list_->hasFocus());
    }

    void RefusedValuesKeepTheOldOne_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("quote in plain text")
            << 0 << "it's"
            << QString::fromStdString(Cp932ToUtf8(CheckItemValue(0, "it's").message));
        QTest::newRow("backslash in user text")
            << 8 << "a\\b"
            << QString::fromStdString(Cp932ToUtf8(CheckItemValue(2, "a\\b").message));
        QTest::newRow("no Shift_JIS form") << 0 << "a\U0001F600"
                                           << "値にShift_JISで表せない文字(U+1F600)は使えません。";
        QTest::newRow("no Shift_JIS form in the BMP")
            << 8 << "x\u00e9"
            << "値にShift_JISで表せない文字(U+00E9)は使えません。";
    }
    void RefusedValuesKeepTheOldOne() {
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QVERIFY(!message.isEmpty());
        const QString before = Value(*element_, row);
        list_->StartEdit(row, 1);
        auto* cell = qobject_cast<CExEditCell*>(list_->OpenCell());
        QVERIFY(cell != nullptr);
        cell->setText(typed);
        QTest::keyClick(cell, Qt::Key_Return);
        QCOMPARE(Value(*element_, row), before);
        QVERIFY(changes_.isEmpty());
        QCOMPARE(messages_.messages.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(messages_.messages[0].text), message);
        QCOMPARE(messages_.messages[0].icon, MessageIcon::kWarning);
    }

    void ShiftJisTextIsStoredAsShiftJis() {
        list_->StartEdit(8, 1);
        auto* cell = qobject_cast<CExEditCell*>(list_->OpenCell());
        QVERIFY(cell != nullptr);
        cell->setText("こんにちは?");
        QTest::keyClick(cell, Qt::Key_Return);
        QCOMPARE(std::string(element_->Items().GetItemData(8).GetValue()),
                 Utf8ToCp932("こんにちは?"));
        QCOMPARE(changes_, QStringList{"Text"});
        QVERIFY(messages_.messages.empty());
    }

    void DeleteEmptiesAValue_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("changes");
        QTest::newRow("first row stays") << 0 << "btn" << QStringList{};
        QTest::newRow("second row emptied") << 1 << "" << QStringList{"TAlign"};
        QTest::newRow("number emptied") << 5 << "" << QStringList{"Weight"};
        QTest::newRow("fixed value stays") << 6 << "TIMER" << QStringList{};
    }
    void DeleteEmptiesAValue() {
        QFETCH(int, row);
        QFETCH(QString, value);
        QFETCH(QStringList, changes);
        list_->SetCurrentRow(row);
        QTest::keyClick(list_, Qt::Key_Delete);
        QCOMPARE(Value(*element_, row), value);
        QCOMPARE(changes_, changes);
        QVERIFY(list_->OpenCell() == nullptr);
        QCOMPARE(shortcutsFired_, 0);
    }

    void ArrowKeysMoveTheCurrentRow() {
        QCOMPARE(list_->GetCurrentRow(), 0);
        QTest::keyClick(list_, Qt::Key_Up);
        QCOMPARE(list_->GetCurrentRow(), 0);
        QTest::keyClick(list_, Qt::Key_Down);
        QTest::keyClick(list_, Qt::Key_Down);
        QCOMPARE(list_->GetCurrentRow(), 2);
        for (int i = 0; i < 30; ++i) {
            QTest::keyClick(list_, Qt::Key_Down);
        }
        QCOMPARE(list_->GetCurrentRow(), kItems + 9);
        QTest::keyClick(list_, Qt::Key_Up);
        QCOMPARE(list_->GetCurrentRow(), kItems + 8);
        QVERIFY(list_->OpenCell() == nullptr);
        // Space on the current row of the key column's neighbour edits the value.
        list_->SetCurrentRow(3);
        QTest::keyClick(list_, Qt::Key_Space);
        auto* cell = qobject_cast<CExEditCell*>(list_->OpenCell());
        QVERIFY(cell != nullptr);
        QCOMPARE(cell->Column(), 1);
        QCOMPARE(cell->text(), QString("ボタン.png"));
    }

    void RowColours_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QColor>("text");
        const QColor red(255, 0, 0), black(0, 0, 0), white(255, 255, 255);
        const QColor lightRed(255, 230, 230), cyan(240, 255, 255);
        QTest::newRow("current key") << 3 << 0 << lightRed << red;
        QTest::newRow("current value") << 3 << 1 << white << red;
        QTest::newRow("current marker") << 3 << 2 << white << red;
        QTest::newRow("even key") << 2 << 0 << cyan << black;
        QTest::newRow("even value") << 2 << 1 << cyan << black;
        QTest::newRow("odd key") << 1 << 0 << white << black;
        QTest::newRow("first row") << 0 << 0 << cyan << black;
        QTest::newRow("spare odd row") << kItems + 2 << 1 << white << black;
        QTest::newRow("spare even row") << kItems + 1 << 0 << cyan << black;
    }
    void RowColours() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QColor, background);
        QFETCH(QColor, text);
        list_->SetCurrentRow(3);
        const QModelIndex index = list_->Model().index(row, column);
        QCOMPARE(index.data(Qt::BackgroundRole).value<QColor>(), background);
        QCOMPARE(index.data(Qt::ForegroundRole).value<QColor>(), text);
        // As painted: the background at the cell's right end.
        const QImage image = list_->viewport()->grab().toImage();
        const QRect rect = list_->visualRect(index);
        QCOMPARE(image.pixelColor(rect.right() - 1, rect.center().y()), background);
    }

    void CurrentKeyTextIsPaintedRed() {
        list_->SetCurrentRow(2);
        const QImage image = list_->viewport()->grab().toImage();
        const QRect rect = list_->visualRect(list_->Model().index(2, 0));
        const QColor lightRed(255, 230, 230);
        bool red = false;
        int firstInk = -1;
        for (int x = rect.left(); x < rect.right(); ++x) {
            for (int y = rect.top(); y <= rect.bottom(); ++y) {
                const QColor c = image.pixelColor(x, y);
                if (c != lightRed) {
                    firstInk = firstInk < 0 ? x : firstInk;
                    red = red || c == QColor(255, 0, 0);
                }
            }
        }
        QVERIFY(red);
        // The text starts 2 pixels into the cell (its first stroke may sit
        // a pixel or two further in).
        QVERIFY(firstInk >= rect.left() + 2);
        QVERIFY(firstInk <= rect.left() + 5);
    }

    void LongValuesAreElided() {
        element_->Items().GetItemData(8).SetValue(std::string(200, 'W'));
        list_->viewport()->repaint();
        const QImage image = list_->viewport()->grab().toImage();
        const QRect rect = list_->visualRect(list_->Model().index(8, 2));
        // The marker column of the row stays free of the value's text.
        for (int x = rect.left(); x <= rect.right(); ++x) {
            QCOMPARE(image.pixelColor(x, rect.center().y()), QColor(240, 255, 255));
        }
    }

    void StatusTextFollowsTheMouse() {
        MouseOver(0);
        MouseOver(0);
        MouseOver(2);
        MouseOver(5);
        MouseOver(kItems + 1);
        MouseOver(kItems + 3);
        QCOMPARE(statusTexts_, (QStringList{"名前です", "", "重み", "..."}));
    }

    void ImagePicker_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QStringList>("requests");
        QTest::newRow("user images") << "STATION" << QStringList{"2:ボタン.png"};
        QTest::newRow("built-in images") << "BUILTIN" << QStringList{"1:ボタン.png"};
        QTest::newRow("no source") << "" << QStringList{"1:ボタン.png"};
        QTest::newRow("URI") << "URI" << QStringList{};
        QTest::newRow("STORAGE") << "STORAGE" << QStringList{};
        QTest::newRow("case matters") << "station" << QStringList{"1:ボタン.png"};
    }
    void ImagePicker() {
        QFETCH(QString, source);
        QFETCH(QStringList, requests);
        element_->SetItem("FileSource", source.toStdString());
        Click(3, 2);
        QCOMPARE(pickers_, requests);
        QVERIFY(list_->OpenCell() == nullptr);
        QCOMPARE(list_->GetCurrentRow(), 3);
    }

    void OpenCellScrollsWithItsRow() {
        window_->resize(400, 200);
        QTest::qWait(1);
        list_->StartEdit(5, 1);
        QWidget* cell = list_->OpenCell();
        QVERIFY(cell != nullptr);
        const int before = cell->y();
        list_->verticalScrollBar()->setValue(list_->verticalScrollBar()->value() + 2);
        const QRect rect = list_->visualRect(list_->Model().index(5, 1));
        QVERIFY(rect.top() < before);
        QCOMPARE(cell->y(), rect.top());
    }

    void MarkerDropDownMakesRoomBelow() {
        window_->resize(400, 330);
        QTest::qWait(1);
        list_->scrollToTop();
        list_->StartEdit(9, 2);
        auto* combo = qobject_cast<CComboBoxCell*>(list_->OpenCell());
        QVERIFY(combo != nullptr);
        const QRect viewport = list_->viewport()->rect();
        QVERIFY(viewport.contains(list_->visualRect(list_->Model().index(19, 2))));
        QVERIFY(viewport.contains(list_->visualRect(list_->Model().index(9, 2))));
        QVERIFY(viewport.contains(combo->geometry()));
    }

    void DropDownIsClippedToTheList() {
        window_->resize(400, 200);
        QTest::qWait(1);
        list_->scrollToTop();
        list_->StartEdit(4, 1);  // a value click does not scroll the rows below
        auto* combo = qobject_cast<CComboBoxCell*>(list_->OpenCell());
        QVERIFY(combo != nullptr);
        QCOMPARE(combo->geometry().bottom(), list_->viewport()->rect().bottom());
    }

    void ShowingAnotherElementClosesTheCell() {
        list_->StartEdit(0, 1);
        QPointer<QWidget> cell = list_->OpenCell();
        QTest::keyClicks(cell, "changed");
        auto five = MakeFiveItems();
        list_->ShowElement(five.get());
        QVERIFY(list_->OpenCell() == nullptr);
        // The old element may go now; the closed cell stores nothing.
        element_.reset();
        other_->setFocus();
        FlushDeletes();
        QVERIFY(cell.isNull());
        QVERIFY(changes_.isEmpty());
    }

    void ClearClosesTheCellAndCountsAgain() {
        list_->SetCurrentRow(kItems + 9);
        list_->StartEdit(2, 1);
        QPointer<QWidget> cell = list_->OpenCell();
        QTest::keyClicks(cell, "changed");
        element_->Items().CopyItems(MakeFiveItems()->Items());
        list_->Clear();
        QVERIFY(list_->OpenCell() == nullptr);
        QCOMPARE(list_->Model().rowCount(), 15);
        QCOMPARE(list_->GetCurrentRow(), 14);
        other_->setFocus();
        FlushDeletes();
        QVERIFY(cell.isNull());
        QVERIFY(changes_.isEmpty());
        QCOMPARE(Value(*element_, 2), QString("v"));
    }

    void ListCanGoWithACellOpen_data() {
        QTest::addColumn<int>("row");
        QTest::newRow("edit field") << 0;
        QTest::newRow("drop-down") << 1;
    }
    void ListCanGoWithACellOpen() {
        QFETCH(int, row);
        list_->StartEdit(row, 1);
        QPointer<QWidget> cell = list_->OpenCell();
        QVERIFY(cell != nullptr);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A);
        delete list_;
        list_ = nullptr;
        QVERIFY(cell.isNull());
        other_->setFocus();
        FlushDeletes();
        QVERIFY(changes_.isEmpty());
    }

    void ChangeHandlerMayReplaceTheItems() {
        // What the panel does after a type change: the items are rebuilt and
        // the list counted again, while the field that committed still ends.
        connect(list_, &CPropertyListCtrl::PropertyChanged, this, [this] {
            element_->Items().CopyItems(MakeFiveItems()->Items());
            list_->Clear();
        });
        list_->StartEdit(2, 1);
        auto* cell = qobject_cast<CExEditCell*>(list_->OpenCell());
        QVERIFY(cell != nullptr);
        QTest::keyClick(cell, Qt::Key_Down);
        QCOMPARE(changes_, QStringList{"Width"});
        QCOMPARE(list_->Model().rowCount(), 15);
        auto* next = qobject_cast<CExEditCell*>(list_->OpenCell());
        QVERIFY(next != nullptr);
        QCOMPARE(next->Row(), 3);
        QCOMPARE(next->text(), QString("v"));
    }

private:
    void Click(int row, int column) {
        const QRect rect = list_->visualRect(list_->Model().index(row, column));
        QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, rect.center());
    }

    void MouseOver(int row) {
        const QRect rect = list_->visualRect(list_->Model().index(row, 1));
        QTest::mouseMove(list_->viewport(), rect.center());
    }

    test::RecordingMessages messages_;
    std::unique_ptr<ZeClass> element_;
    std::unique_ptr<QWidget> window_;
    CPropertyListCtrl* list_ = nullptr;
    QLineEdit* other_ = nullptr;
    int shortcutsFired_ = 0;
    QStringList changes_;
    std::vector<ZeClass*> changedElements_;
    QStringList statusTexts_;
    QStringList pickers_;
};

}  // namespace ze::panels::test

QTEST_MAIN(ze::panels::test::PropertyListTest)
#include "property_list_test.moc"
