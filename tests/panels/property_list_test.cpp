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
#include <QRegularExpression>
#include <QShortcut>
#include <QVBoxLayout>
#include <QtTest>
#include <functional>
#include <memory>
#include <vector>

#include "common/cp932.h"
#include "model/entry_checks.h"
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
// 8 Text (user text), 9 FileSource (choice), 10 odd kind 7, 11 Hint (suggested
// without choices).
std::unique_ptr<ZeClass> MakeElement() {
    auto element = std::make_unique<ZeClass>(ElementKind::kObject);
    CItemList& items = element->Items();
    items.AddItem(CItemData(ItemKind::kPlainText, "Name", "btn", nullptr, Sjis("名前です")));
    items.AddItem(CItemData(ItemKind::kChoice, "TAlign", "CENTER", &kAlignments));
    items.AddItem(CItemData(ItemKind::kSuggested, "Width", "100px", &kSizes));
    items.AddItem(CItemData(ItemKind::kImageFile, "File", Utf8ToCp932("ボタン.png")));
    items.AddItem(CItemData(ItemKind::kBoolean, "Clickable", ""));
    items.AddItem(CItemData(ItemKind::kNumber, "Weight", "1", nullptr, Sjis("重み")));
    items.AddItem(CItemData(ItemKind::kFixed, "Command", "TIMER"));
    items.AddItem(CItemData(ItemKind::kPlainText, "", ""));
    items.AddItem(CItemData(ItemKind::kUserText, "Text", Utf8ToCp932("ようこそ")));
    items.AddItem(CItemData(ItemKind::kChoice, "FileSource", "", &kSources));
    items.AddItem(CItemData(static_cast<ItemKind>(7), "Odd", "x"));
    items.AddItem(CItemData(ItemKind::kSuggested, "Hint", "abc"));
    return element;
}

constexpr int kItems = 12;
const QMap<QString, Qt::Key> kKeys{{"Return", Qt::Key_Return}, {"Enter", Qt::Key_Enter},
                                   {"F2", Qt::Key_F2},         {"Space", Qt::Key_Space},
                                   {"Escape", Qt::Key_Escape}, {"Up", Qt::Key_Up},
                                   {"Down", Qt::Key_Down},     {"Delete", Qt::Key_Delete}};
// Drop-downs as PropertyListTest::OpenCell describes them: the alignment
// row on its entry, the size row and the boolean row on a value of no entry.
const QString kAlignmentCell = "combo 1:CENTER [LEFT,*CENTER,RIGHT]";
const QString kSizeCell = "combo 2:100px [PARENT,CONTENT]";
const QString kBooleanCell = "combo 4: [true,false]";

// A header column with five plain items A..E of value "v".
std::unique_ptr<ZeClass> MakeFiveItems() {
    auto element = std::make_unique<ZeClass>(ElementKind::kHeaderColumn);
    for (const char* name : {"A", "B", "C", "D", "E"}) {
        element->Items().AddItem(CItemData(ItemKind::kPlainText, name, "v"));
    }
    return element;
}

void FlushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

const CItemData& Item(const ZeClass& element, int row) {
    return element.Items().GetItemData(static_cast<std::size_t>(row));
}

QString Value(const ZeClass& element, int row) {
    return QString::fromStdString(Cp932ToUtf8(Item(element, row).GetValue()));
}

// Stands in for the panel and its model: checks what the list commits as the
// model does (the list itself checks nothing), telling a refusal to
// messages, else stores it and remembers the item's name; then runs
// afterCommit, as the panel's answer would.
class RecordingCommitter : public PropertyCommitter {
public:
    bool CommitValue(ZeClass& element, std::string_view name, std::string_view value) override {
        CItemData* item = nullptr;
        for (std::size_t row = 0; row < element.Items().GetItemCount() && item == nullptr; ++row) {
            if (element.Items().GetItemData(row).GetName() == name) {
                item = &element.Items().GetItemData(row);
            }
        }
        if (item == nullptr) {
            return false;
        }
        ++checks;
        const ValueRefusal refusal =
            item->GetValue() == value ? ValueRefusal{} : CheckEntry(name, item->GetKind(), value);
        if (refusal.refused) {
            messages->ShowMessage(PropertyRefusalMessage(name, refusal.message),
                                  MessageIcon::kWarning);
            return false;
        }
        item->SetValue(value);
        changes << QString::fromStdString(Cp932ToUtf8(item->GetName()));
        committedTo.push_back(&element);
        if (afterCommit) {
            afterCommit();
        }
        return true;
    }

    MessageSink* messages = nullptr;
    int checks = 0;
    QStringList changes;
    std::vector<ZeClass*> committedTo;
    std::function<void()> afterCommit;
};

}  // namespace

class PropertyListTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        element_ = MakeElement();
        window_ = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window_.get());
        layout->setContentsMargins(0, 0, 0, 0);
        committer_.changes.clear();
        committer_.committedTo.clear();
        committer_.afterCommit = nullptr;
        committer_.messages = &messages_;
        committer_.checks = 0;
        list_ = new CPropertyListCtrl(messages_, committer_, window_.get());
        other_ = new QLineEdit(window_.get());
        layout->addWidget(list_);
        layout->addWidget(other_);
        // The keys the list and its cells take must not reach the window.
        for (const auto key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_F2, Qt::Key_Escape,
                               Qt::Key_Delete, Qt::Key_Space}) {
            auto* shortcut = new QShortcut(QKeySequence(key), window_.get());
            connect(shortcut, &QShortcut::activated, this, [this] { ++shortcutsFired_; });
        }
        connect(list_, &CPropertyListCtrl::StatusTextChanged, this,
                [this](const QString& text) { statusTexts_ << text; });
        connect(list_, &CPropertyListCtrl::ImagePickerRequested, this,
                [this](PaneEntryKind kind, const QByteArray& value) {
                    pickers_ << QStringLiteral("%1:%2")
                                    .arg(static_cast<int>(kind))
                                    .arg(QString::fromStdString(Cp932ToUtf8(value.toStdString())));
                });
        shortcutsFired_ = 0;
        statusTexts_ = pickers_ = {};
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

    // Ten spare rows follow the items; no element, no rows.
    void RowsColumnsAndTheModelContract() {
        PropertyListModel& model = list_->Model();
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.rowCount(), kItems + 10);
        QStringList headers;
        for (int column = 0; column < model.columnCount(); ++column) {
            headers << model.headerData(column, Qt::Horizontal).toString();
        }
        QCOMPARE(headers, (QStringList{"Key", "Value", ""}));
        QCOMPARE((QList<int>{list_->columnWidth(0), list_->columnWidth(1), list_->columnWidth(2)}),
                 (QList<int>{120, 215, 20}));
        auto five = MakeFiveItems();
        list_->ShowElement(five.get());
        list_->SetCurrentRow(3);
        five->Items().AddItem(CItemData(ItemKind::kPlainText, "F", ""));
        list_->Clear();
        QCOMPARE(model.rowCount(), 16);
        list_->ShowElement(nullptr);
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(list_->GetCurrentRow(), -1);
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

    // What a cell shows and which cell opens over it, by gesture: "start"
    // (StartEdit), clicks on the viewport (the first selects, the second
    // edits, a marker opens at once), a double click through the window
    // system, or a key on the current row ("key Space", "key F2", ...; the
    // keypad's Enter as "keypad Enter").
    void CellsOpenPerKindAndGesture_data() {
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("opened");
        auto row = [](const char* name, const char* gesture, int at, int column, const char* shown,
                      QString opened) {
            QTest::newRow(name) << QString(gesture) << at << column << QString(shown) << opened;
        };
        row("plain value", "start", 0, 1, "btn", "edit 0,1:btn");
        row("plain marker", "start", 0, 2, "", "none");
        row("named key", "start", 0, 0, "Name", "none");
        row("choice value", "start", 1, 1, "CENTER", kAlignmentCell);
        row("choice marker", "start", 1, 2, "▼", kAlignmentCell);
        row("suggested value", "start", 2, 1, "100px", kSizeCell);
        row("suggested marker", "start", 2, 2, "▼", kSizeCell);
        row("suggested value without choices", "start", 11, 1, "abc", "edit 11,1:abc");
        row("image value", "start", 3, 1, "ボタン.png", "edit 3,1:ボタン.png");
        row("image marker", "start", 3, 2, ">>", "none");
        row("boolean value", "start", 4, 1, "", kBooleanCell);
        row("boolean marker", "start", 4, 2, "▼", kBooleanCell);
        row("number value", "start", 5, 1, "1", "edit 5,1:1");
        row("fixed value", "start", 6, 1, "TIMER", "none");
        row("key of an item without a name", "start", 7, 0, "", "edit 7,0:");
        row("user text value", "start", 8, 1, "ようこそ", "edit 8,1:ようこそ");
        row("unknown kind marker", "start", 10, 2, "", "none");
        row("spare row", "start", kItems + 9, 1, "", "none");
        row("first click selects", "click", 5, 1, "1", "none");
        row("second click edits", "click click", 5, 1, "1", "edit 5,1:1");
        row("double click edits", "double", 2, 1, "100px", kSizeCell);
        row("second click on a suggested value", "click click", 2, 1, "100px", kSizeCell);
        row("marker click opens at once", "click", 1, 2, "▼", kAlignmentCell);
        row("space edits the value", "key Space", 3, 0, "File", "edit 3,1:ボタン.png");
        row("Return edits the value", "key Return", 5, 0, "Weight", "edit 5,1:1");
        row("keypad Enter edits the value", "keypad Enter", 8, 1, "ようこそ", "edit 8,1:ようこそ");
        row("F2 edits the value", "key F2", 0, 1, "btn", "edit 0,1:btn");
        row("Return opens a drop-down", "key Return", 1, 0, "TAlign", kAlignmentCell);
        row("F2 opens a suggestion drop-down", "key F2", 2, 1, "100px", kSizeCell);
        row("F2 opens the boolean drop-down", "key F2", 4, 2, "▼", kBooleanCell);
        row("Return on a fixed value", "key Return", 6, 1, "TIMER", "none");
        row("F2 on a kind of no editor", "key F2", 10, 1, "x", "none");
        row("clicks on a spare key", "click click", kItems + 1, 0, "", "none");
        row("clicks on a spare value", "click click", kItems + 1, 1, "", "none");
        row("clicks on a spare marker", "click click", kItems + 1, 2, "", "none");
        row("space on a spare row", "key Space", kItems + 1, 1, "", "none");
        row("F2 on a spare row", "key F2", kItems + 1, 1, "", "none");
        row("Return on a spare row", "key Return", kItems + 1, 1, "", "none");
    }
    void CellsOpenPerKindAndGesture() {
        QFETCH(QString, gesture);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, shown);
        QFETCH(QString, opened);
        const QModelIndex index = list_->Model().index(row, column);
        QCOMPARE(index.data().toString(), shown);
        const QRect rect = list_->visualRect(index);
        if (gesture == "start") {
            list_->StartEdit(row, column);
        } else if (gesture == "double") {
            QWidget* window = list_->window();
            QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {},
                               list_->viewport()->mapTo(window, rect.center()));
        } else if (gesture.startsWith("key ") || gesture.startsWith("keypad ")) {
            list_->SetCurrentRow(row);
            QTest::keyClick(list_, kKeys.value(gesture.section(' ', 1)),
                            gesture.startsWith("keypad") ? Qt::KeypadModifier : Qt::NoModifier);
        }
        for (int i = 0; i < gesture.count("click"); ++i) {
            QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, rect.center());
        }
        QVERIFY(gesture == "start" || list_->GetCurrentRow() == row);
        QCOMPARE(OpenCell(), opened);
        QVERIFY(committer_.changes.isEmpty());
        QCOMPARE(shortcutsFired_, 0);
        QWidget* cell = list_->OpenCell();
        if (cell == nullptr) {
            return;
        }
        QVERIFY(CellHasFocus());
        QCOMPARE(cell->parentWidget(), list_->viewport());
        if (auto* edit = qobject_cast<CExEditCell*>(cell)) {
            QCOMPARE(edit->selectedText(), edit->text());
            const QRect cellRect = list_->visualRect(list_->Model().index(row, edit->Column()));
            QCOMPARE(edit->geometry(), cellRect.adjusted(1, 0, -3, 0));
            return;
        }
        // Over the value column, eleven rows tall.
        const QRect valueRect = list_->visualRect(list_->Model().index(row, 1));
        QCOMPARE(cell->geometry(),
                 QRect(valueRect.left(), valueRect.top(), 215, 11 * valueRect.height()));
    }

    // How an edit ends, by keys, clicks and the focus, and what it stores,
    // reports and opens next. column -1: no cell opened, the keys go to the
    // list. actions: keys, typed text, "=<text>" (set as the field's text),
    // "focus" (moves away), "click" (on another row), "pick:<entry>" (clicks
    // a drop-down entry). A typed value goes through the value check: stored
    // as Shift_JIS, or refused with a warning (message, headed by the
    // property's name) and the old one kept, the typed text staying in the
    // open cell, selected, until Escape closes it.
    void CellCommits_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("actions");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QString>("next");  // the cell opened next
        QTest::addColumn<QString>("message");
        auto row = [](const char* name, int at, int column, const char* actions, const char* value,
                      bool changed, QString next = "none", QString message = "") {
            QTest::newRow(name) << at << column << QString(actions) << QString(value) << changed
                                << next << message;
        };
        auto refusal = [](ItemKind kind, const char* text) {
            return QString::fromStdString(Cp932ToUtf8(CheckItemValue(kind, text).message));
        };
        auto named = [](const char* property, const QString& message) {
            return QString("プロパティー「%1」に入力した値を確定できません。\n").arg(property) +
                   message;
        };
        row("Enter", 5, 1, "20 Return", "20", true);
        row("Escape", 5, 1, "20 Escape", "1", false);
        row("focus loss", 5, 1, "20 focus", "20", true);
        row("click on another row", 5, 1, "20 click", "20", true);
        row("Down to the boolean row", 3, 1, "b.png Down", "b.png", true, kBooleanCell);
        row("Up to the size row", 3, 1, "b.png Up", "b.png", true, kSizeCell);
        row("Up from the first row", 0, 1, "9 Up", "9", true);
        row("Down onto a fixed item", 5, 1, "9 Down", "9", true);
        row("click an alignment", 1, 2, "pick:RIGHT", "RIGHT", true);
        row("click false", 4, 2, "pick:false", "false", true);
        row("typed size", 2, 2, "30px Return", "30px", true);
        row("size of no entry left as it is", 2, 1, "focus", "100px", true);
        row("empty boolean left as it is", 4, 1, "Return", "", true);
        row("drop-down focus loss keeps the entry", 1, 2, "focus", "CENTER", true);
        row("drop-down Escape", 1, 1, "Down Escape", "CENTER", false);
        // Opened from the keyboard (the keys go to the list first).
        row("F2, typed, Escape", 5, -1, "F2 20 Escape", "1", false);
        row("Return, typed, Return", 8, -1, "Return =abc Return", "abc", true);
        row("Return on a drop-down, typed, Escape", 2, -1, "Return 30px Escape", "100px", false);
        row("F2 on a boolean, Down, Escape", 4, -1, "F2 Down Escape", "", false);
        row("Enter on a drop-down, Down, Enter", 1, -1, "Enter Down Enter", "RIGHT", true);
        row("key of an item without a name", 7, 0, "typed Return", "typed", true);
        row("Shift_JIS text", 8, 1, "=こんにちは? Return", "こんにちは?", true);
        row("trail bytes that are backslashes", 8, 1, "=表示ソ Return", "表示ソ", true);
        row("quote in plain text", 0, 1, "=it's Return", "btn", false, "none",
            named("Name", refusal(ItemKind::kPlainText, "it's")));
        row("backslash in user text", 8, 1, "=a\\b Return", "ようこそ", false, "none",
            named("Text", refusal(ItemKind::kUserText, "a\\b")));
        row("no Shift_JIS form", 0, 1, "=a\U0001F600 Return", "btn", false, "none",
            named("Name", "値にShift_JISで表せない文字(U+1F600)は使えません。"));
        row("no Shift_JIS form in the BMP", 8, 1, "=x\u00e9 Return", "ようこそ", false, "none",
            named("Text", "値にShift_JISで表せない文字(U+00E9)は使えません。"));
        row("refused on Down", 8, 1, "=a\\b Down", "ようこそ", false, "none",
            named("Text", refusal(ItemKind::kUserText, "a\\b")));
        row("refused on the loss of the focus", 0, 1, "=it's focus", "btn", false, "none",
            named("Name", refusal(ItemKind::kPlainText, "it's")));
        row("Delete keeps the first row", 0, -1, "Delete", "btn", false);
        row("Delete empties the second row", 1, -1, "Delete", "", true);
        row("Delete empties a number", 5, -1, "Delete", "", true);
        row("Delete keeps a fixed value", 6, -1, "Delete", "TIMER", false);
        row("Delete on a spare row", kItems + 1, -1, "Delete", "", false);
    }
    void CellCommits() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, actions);
        QFETCH(QString, value);
        QFETCH(bool, changed);
        QFETCH(QString, next);
        QFETCH(QString, message);
        const std::string name = row < kItems ? std::string(Item(*element_, row).GetName()) : "";
        list_->SetCurrentRow(row);
        if (column >= 0) {
            list_->StartEdit(row, column);
            QVERIFY(list_->OpenCell() != nullptr);
        }
        QPointer<QWidget> cell = list_->OpenCell();
        for (const QString& action : actions.split(' ')) {
            if (action == "focus") {
                other_->setFocus();
            } else if (action == "click") {
                Click(2, 1);
            } else if (action.startsWith("pick:")) {
                QListWidget& entries = qobject_cast<CComboBoxCell*>(cell)->List();
                const auto found = entries.findItems(action.mid(5), Qt::MatchExactly);
                QCOMPARE(found.size(), 1);
                QTest::mouseClick(entries.viewport(), Qt::LeftButton, {},
                                  entries.visualItemRect(found.front()).center());
            } else if (action.startsWith('=')) {
                qobject_cast<QLineEdit*>(QApplication::focusWidget())->setText(action.mid(1));
            } else if (kKeys.contains(action)) {
                QTest::keyClick(QApplication::focusWidget(), kKeys.value(action));
            } else {
                QTest::keyClicks(QApplication::focusWidget(), action);
            }
        }
        if (row < kItems) {
            QCOMPARE(Value(*element_, row), value);
            QCOMPARE(Item(*element_, row).GetName(), name);
        }
        QCOMPARE(committer_.changes,
                 changed ? QStringList{QString::fromStdString(Cp932ToUtf8(name))} : QStringList{});
        QCOMPARE(shortcutsFired_, 0);
        QCOMPARE(messages_.messages.size(), std::size_t{message.isEmpty() ? 0u : 1u});
        if (!message.isEmpty()) {
            QCOMPARE(QString::fromStdString(messages_.messages[0].text), message);
            QCOMPARE(messages_.messages[0].icon, MessageIcon::kWarning);
            // The list checks nothing itself: a value it could convert went
            // to the committer's check once; one without a Shift_JIS form
            // never left the list.
            QCOMPARE(committer_.checks,
                     QByteArray(QTest::currentDataTag()).startsWith("no Shift_JIS") ? 0 : 1);
            // The refused text waits in its cell, selected, to be corrected.
            FlushDeletes();
            QVERIFY(!cell.isNull());
            QCOMPARE(list_->OpenCell(), cell.data());
            auto* field = qobject_cast<QLineEdit*>(cell.data());
            QCOMPARE(field->selectedText(), actions.section(' ', 0, 0).mid(1));
            QVERIFY(field->hasFocus());
            QCOMPARE(list_->GetCurrentRow(), row);
            QTest::keyClick(field, Qt::Key_Escape);
            QCOMPARE(Value(*element_, row), value);
            QVERIFY(committer_.changes.isEmpty());
            QCOMPARE(messages_.messages.size(), std::size_t{1});
        }
        FlushDeletes();
        QVERIFY(cell.isNull());
        QCOMPARE(OpenCell(), next);
        if (next == "none") {
            QVERIFY((!actions.endsWith("Return") && !actions.endsWith("Escape")) ||
                    list_->hasFocus());
        } else {
            QCOMPARE(list_->GetCurrentRow(), next.split(QRegularExpression("[ ,:]"))[1].toInt());
            QVERIFY(CellHasFocus());
        }
    }

    void ArrowKeysMoveTheCurrentRow() {
        QList<int> rows;
        for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Down}) {
            QTest::keyClick(list_, key);
            rows << list_->GetCurrentRow();
        }
        for (int i = 0; i < 30; ++i) {
            QTest::keyClick(list_, Qt::Key_Down);
        }
        rows << list_->GetCurrentRow();
        QTest::keyClick(list_, Qt::Key_Up);
        rows << list_->GetCurrentRow();
        QCOMPARE(rows, (QList<int>{0, 1, 2, kItems + 9, kItems + 8}));
        QVERIFY(list_->OpenCell() == nullptr);
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
        QTest::newRow("odd key") << 1 << 0 << white << black;
        QTest::newRow("spare odd row") << kItems + 1 << 1 << white << black;
        QTest::newRow("spare even row") << kItems + 2 << 0 << cyan << black;
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

    // Red, and 2 pixels into the cell (its first stroke may sit a pixel or
    // two further in).
    void CurrentKeyTextIsPaintedRed() {
        list_->SetCurrentRow(2);
        const QImage image = list_->viewport()->grab().toImage();
        const QRect rect = list_->visualRect(list_->Model().index(2, 0));
        bool red = false;
        int firstInk = -1;
        for (int x = rect.left(); x < rect.right(); ++x) {
            for (int y = rect.top(); y <= rect.bottom(); ++y) {
                if (image.pixelColor(x, y) != QColor(255, 230, 230)) {
                    firstInk = firstInk < 0 ? x : firstInk;
                    red = red || image.pixelColor(x, y) == QColor(255, 0, 0);
                }
            }
        }
        QVERIFY(red);
        QVERIFY(firstInk >= rect.left() + 2 && firstInk <= rect.left() + 5);
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
        for (const int row : {0, 0, 2, 5, kItems + 1, kItems + 3}) {
            QTest::mouseMove(list_->viewport(),
                             list_->visualRect(list_->Model().index(row, 1)).center());
        }
        QCOMPARE(statusTexts_, (QStringList{"名前です", "", "重み", "..."}));
    }

    // The marker of an image asks for the user's images when the file
    // source is exactly "STATION", for none when it is URI or STORAGE, and
    // for the built-in ones otherwise.
    void ImagePickerFollowsTheFileSource() {
        for (const char* source : {"STATION", "BUILTIN", "", "URI", "STORAGE", "station"}) {
            element_->SetItem("FileSource", source);
            Click(3, 2);
            QVERIFY(list_->OpenCell() == nullptr);
            QCOMPARE(list_->GetCurrentRow(), 3);
        }
        QCOMPARE(pickers_,
                 (QStringList{"2:ボタン.png", "1:ボタン.png", "1:ボタン.png", "1:ボタン.png"}));
    }

    // A marker drop-down scrolls the list to make room below its row; one
    // from a value click does not scroll and is clipped to the list.
    void DropDownPlacement_data() {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::newRow("marker makes room") << 330 << 9 << 2;
        QTest::newRow("value is clipped") << 200 << 4 << 1;
    }
    void DropDownPlacement() {
        QFETCH(int, height);
        QFETCH(int, row);
        QFETCH(int, column);
        window_->resize(400, height);
        QTest::qWait(1);
        list_->scrollToTop();
        list_->StartEdit(row, column);
        auto* combo = qobject_cast<CComboBoxCell*>(list_->OpenCell());
        QVERIFY(combo != nullptr);
        const QRect viewport = list_->viewport()->rect();
        QVERIFY(viewport.contains(list_->visualRect(list_->Model().index(row, 2))));
        QVERIFY(viewport.contains(combo->geometry()));
        if (column == 2) {
            QVERIFY(viewport.contains(list_->visualRect(list_->Model().index(row + 10, 2))));
        } else {
            QCOMPARE(combo->geometry().bottom(), viewport.bottom());
        }
    }

    // Whatever takes the open cell away, it closes without storing, and the
    // element may go afterwards.
    void OpenCellEndsWithoutStoring_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("row");
        QTest::newRow("another element shown") << "show" << 0;
        QTest::newRow("the list counted again") << "clear" << 2;
        QTest::newRow("the list deleted over an edit field") << "delete" << 0;
        QTest::newRow("the list deleted over a drop-down") << "delete" << 1;
    }
    void OpenCellEndsWithoutStoring() {
        QFETCH(QString, action);
        QFETCH(int, row);
        list_->SetCurrentRow(kItems + 9);
        list_->StartEdit(row, 1);
        QPointer<QWidget> cell = list_->OpenCell();
        QVERIFY(cell != nullptr);
        QTest::keyClicks(QApplication::focusWidget(), "changed");
        auto five = MakeFiveItems();
        if (action == "show") {
            list_->ShowElement(five.get());
            element_.reset();
        } else if (action == "clear") {
            element_->Items().CopyItems(five->Items());
            list_->Clear();
            QCOMPARE(list_->Model().rowCount(), 15);
            QCOMPARE(list_->GetCurrentRow(), 14);
            QCOMPARE(Value(*element_, row), QString("v"));
        } else {
            delete list_;
            list_ = nullptr;
            QVERIFY(cell.isNull());
        }
        QVERIFY(list_ == nullptr || list_->OpenCell() == nullptr);
        other_->setFocus();
        FlushDeletes();
        QVERIFY(cell.isNull());
        QVERIFY(committer_.changes.isEmpty());
    }

    void ChangeHandlerMayReplaceTheItems() {
        // What the panel does after a type change: the items are rebuilt and
        // the list counted again, while the field that committed still ends.
        committer_.afterCommit = [this] {
            element_->Items().CopyItems(MakeFiveItems()->Items());
            list_->Clear();
        };
        list_->StartEdit(3, 1);
        QTest::keyClick(list_->OpenCell(), Qt::Key_Down);
        QCOMPARE(committer_.changes, QStringList{"File"});
        QCOMPARE(list_->Model().rowCount(), 15);
        QCOMPARE(OpenCell(), QString("edit 4,1:v"));
    }

private:
    // "edit <row>,<column>:<text>", "combo <row>:<chosen text> [<entries>]" (the
    // chosen entry marked "*") or "none".
    QString OpenCell() {
        QWidget* cell = list_->OpenCell();
        if (auto* edit = qobject_cast<CExEditCell*>(cell)) {
            return QString("edit %1,%2:").arg(edit->Row()).arg(edit->Column()) + edit->text();
        }
        auto* combo = qobject_cast<CComboBoxCell*>(cell);
        if (combo == nullptr) {
            return cell == nullptr ? "none" : "other";
        }
        QStringList entries;
        for (int i = 0; i < combo->List().count(); ++i) {
            entries << (i == combo->List().currentRow() ? "*" : "") + combo->List().item(i)->text();
        }
        return QString("combo %1:").arg(combo->Row()) + combo->ChosenText() + " [" +
               entries.join(',') + "]";
    }

    bool CellHasFocus() const {
        QWidget* cell = list_->OpenCell();
        return cell != nullptr &&
               (cell->hasFocus() || cell->isAncestorOf(QApplication::focusWidget()));
    }

    void Click(int row, int column) {
        const QRect rect = list_->visualRect(list_->Model().index(row, column));
        QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, rect.center());
    }

    test::RecordingMessages messages_;
    std::unique_ptr<ZeClass> element_;
    std::unique_ptr<QWidget> window_;
    CPropertyListCtrl* list_ = nullptr;
    QLineEdit* other_ = nullptr;
    int shortcutsFired_ = 0;
    RecordingCommitter committer_;
    QStringList statusTexts_;
    QStringList pickers_;
};

}  // namespace ze::panels::test

QTEST_MAIN(ze::panels::test::PropertyListTest)
#include "property_list_test.moc"
