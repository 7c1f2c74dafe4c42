// The property list's edit field and drop-down on their own in a window: how
// each ends (one report), that its keys stay with it, and its shape.

#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QShortcut>
#include <QtTest>
#include <memory>

#include "panels/property_cells.h"

namespace ze::panels::test {

namespace {

const QStringList kChoices{"LEFT", "CENTER", "RIGHT"};
const QMap<QString, Qt::Key> kKeys{{"Return", Qt::Key_Return},
                                   {"Enter", Qt::Key_Enter},
                                   {"Escape", Qt::Key_Escape},
                                   {"Up", Qt::Key_Up},
                                   {"Down", Qt::Key_Down}};

}  // namespace

class PropertyCellsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        window_ = std::make_unique<QWidget>();
        window_->resize(400, 300);
        other_ = new QLineEdit(window_.get());
        other_->setGeometry(0, 270, 100, 20);
        // Enter and Escape must stay with the cell and never reach these.
        for (const auto key : {Qt::Key_Return, Qt::Key_Escape}) {
            auto* shortcut = new QShortcut(QKeySequence(key), window_.get());
            connect(shortcut, &QShortcut::activated, this, [this] { ++shortcutsFired_; });
        }
        shortcutsFired_ = 0;
        reports_.clear();
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }
    void cleanup() { window_.reset(); }

    void EditFieldShapeAndWidening() {
        CExEditCell* cell = OpenEdit("100px");
        QCOMPARE(cell->selectedText(), QString("100px"));
        QVERIFY(!cell->hasFrame());
        QTest::keyClicks(cell, "abc");  // replaces the selection and still fits
        QCOMPARE(cell->text(), QString("abc"));
        QCOMPARE(cell->geometry(), QRect(121, 40, 211, 20));
        const QString longer(40, 'W');
        QTest::keyClicks(cell, longer);
        const int wanted = cell->fontMetrics().horizontalAdvance("abc" + longer) + 5;
        QCOMPARE(cell->width(), std::min(wanted, 400 - 121));
        QTest::keyClicks(cell, QString(80, 'W'));
        QCOMPARE(cell->geometry().right(), 399);
        QCOMPARE(cell->height(), 20);
    }

    void DropDownListsTheChoicesInOrder_data() {
        QTest::addColumn<QStringList>("choices");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("chosen");  // -1: none, the value stands in the edit line
        QTest::newRow("value among them") << kChoices << "RIGHT" << 2;
        QTest::newRow("value not among them") << kChoices << "#123456" << -1;
        QTest::newRow("exact match only") << kChoices << "center" << -1;
    }
    void DropDownListsTheChoicesInOrder() {
        QFETCH(QStringList, choices);
        QFETCH(QString, value);
        QFETCH(int, chosen);
        CComboBoxCell* cell = OpenCombo(choices, value);
        QStringList entries;
        for (int i = 0; i < cell->List().count(); ++i) {
            entries << cell->List().item(i)->text();
        }
        QCOMPARE(entries, choices);
        const QString shown = chosen >= 0 ? choices[chosen] : value;
        QCOMPARE(cell->List().currentRow(), chosen);
        QCOMPARE(cell->List().selectedItems().size(), chosen >= 0 ? 1 : 0);
        QCOMPARE(cell->EditLine().text(), shown);
        QCOMPARE(cell->EditLine().selectedText(), shown);
        QCOMPARE(cell->ChosenText(), shown);
        QVERIFY(cell->EditLine().hasFocus());
        // An edit line one row tall over a list of rows of that height.
        QCOMPARE(cell->EditLine().geometry(), QRect(0, 0, 215, 20));
        QCOMPARE(cell->List().geometry(), QRect(0, 20, 215, 200));
        QCOMPARE(cell->List().visualItemRect(cell->List().item(1)).height(), 20);
        QCOMPARE(cell->List().focusPolicy(), Qt::NoFocus);
    }

    // The keys pressed after typing, then the focus goes elsewhere. "close":
    // closed by its owner; "delete": deleted while it has the focus. A
    // drop-down opens on value, an edit field on "old".
    void CellEnds_data() {
        QTest::addColumn<bool>("combo");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("reports");
        auto row = [](const char* name, bool combo, const char* typed, const char* keys,
                      const char* reports, const char* value = "CENTER") {
            QTest::newRow(name) << combo << QString(value) << QString(typed)
                                << QString(keys).split(' ', Qt::SkipEmptyParts) << QString(reports);
        };
        row("edit Enter", false, "typed", "Return", "commit:2:1:typed:0");
        row("edit keypad Enter", false, "typed", "Enter", "commit:2:1:typed:0");
        row("edit Escape cancels", false, "typed", "Escape", "cancel:2:1");
        row("edit Up steps up", false, "typed", "Up", "commit:2:1:typed:-1");
        row("edit Down steps down", false, "typed", "Down", "commit:2:1:typed:1");
        row("edit focus loss commits", false, "typed", "", "commit:2:1:typed:0");
        row("edit closed reports nothing", false, "typed", "close", "");
        row("Enter commits the chosen entry", true, "", "Return", "commit:4:1:CENTER:0");
        row("Down stops at the last entry", true, "", "Down Down Return", "commit:4:1:RIGHT:0");
        row("Up stops at the first entry", true, "", "Up Up Return", "commit:4:1:LEFT:0");
        row("typed text, no entry chosen", true, "JUSTIFY", "Return", "commit:4:1:JUSTIFY:0");
        row("Down after typing chooses again", true, "JUSTIFY", "Down Return", "commit:4:1:LEFT:0");
        row("drop-down Escape cancels", true, "JUSTIFY", "Escape", "cancel:4:1");
        row("drop-down focus loss commits", true, "", "", "commit:4:1:CENTER:0");
        row("drop-down deleted while focused", true, "", "delete", "");
        row("value of none: focus loss keeps it", true, "", "", "commit:4:1:#123456:0", "#123456");
        row("value of none: Up chooses the first", true, "", "Up Return", "commit:4:1:LEFT:0",
            "#123456");
    }
    void CellEnds() {
        QFETCH(bool, combo);
        QFETCH(QString, value);
        QFETCH(QString, typed);
        QFETCH(QStringList, keys);
        QFETCH(QString, reports);
        CComboBoxCell* dropDown = combo ? OpenCombo(kChoices, value) : nullptr;
        QPointer<QWidget> cell = combo ? static_cast<QWidget*>(dropDown) : OpenEdit("old");
        QWidget* input = combo ? &dropDown->EditLine() : cell.data();
        QTest::keyClicks(input, typed);
        for (const QString& key : keys) {
            if (key == "delete") {
                delete cell;
            } else if (key == "close") {
                qobject_cast<CExEditCell*>(cell)->Close();
            } else if (!cell->isHidden()) {
                QTest::keyClick(input, kKeys.value(key),
                                key == "Enter" ? Qt::KeypadModifier : Qt::NoModifier);
            }
        }
        QVERIFY(reports_.isEmpty() || cell->isHidden());
        // Losing the focus after the end reports nothing more.
        other_->setFocus();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(cell.isNull());
        QCOMPARE(reports_.join('|'), reports);
        QCOMPARE(shortcutsFired_, 0);
    }

private:
    template <typename Cell, typename... Args>
    Cell* Open(Args&&... args) {
        auto* cell = new Cell(std::forward<Args>(args)..., window_.get());
        // Every report in order: "commit:<row>:<column>:<text>:<step>" or "cancel:<row>:<column>".
        connect(cell, &Cell::Committed, this, [this](int row, int column, QString text, int step) {
            reports_ << QString("commit:%1:%2:").arg(row).arg(column) + text + ":" +
                            QString::number(step);
        });
        connect(cell, &Cell::Cancelled, this, [this](int row, int column) {
            reports_ << QStringLiteral("cancel:%1:%2").arg(row).arg(column);
        });
        cell->show();
        cell->setFocus();
        return cell;
    }
    CExEditCell* OpenEdit(const QString& text) {
        return Open<CExEditCell>(2, 1, text, Qt::AlignLeft | Qt::AlignVCenter,
                                 QRect(121, 40, 211, 20));
    }
    CComboBoxCell* OpenCombo(const QStringList& choices, const QString& value) {
        return Open<CComboBoxCell>(4, 1, choices, value, QRect(120, 40, 215, 220), 20);
    }

    std::unique_ptr<QWidget> window_;
    QLineEdit* other_ = nullptr;
    int shortcutsFired_ = 0;
    QStringList reports_;
};

}  // namespace ze::panels::test

QTEST_MAIN(ze::panels::test::PropertyCellsTest)
#include "property_cells_test.moc"
