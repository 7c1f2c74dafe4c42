// The cells the property list opens: the edit field and the drop-down, on
// their own in a window. How each ends (exactly one report, the text and the
// step), that the keys it takes stay with it, its shape, and that it goes
// away by itself.

#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QShortcut>
#include <QtTest>
#include <memory>

#include "panels/property_cells.h"

namespace ze::panels::test {

namespace {

// Every report of a cell, in order: "commit:<row>:<column>:<text>:<step>" or
// "cancel:<row>:<column>".
template <typename Cell>
void Record(Cell* cell, QStringList& reports) {
    QObject::connect(
        cell, &Cell::Committed, [&reports](int row, int column, const QString& text, int step) {
            reports
                << QStringLiteral("commit:%1:%2:%3:%4").arg(row).arg(column).arg(text).arg(step);
        });
    QObject::connect(cell, &Cell::Cancelled, [&reports](int row, int column) {
        reports << QStringLiteral("cancel:%1:%2").arg(row).arg(column);
    });
}

void FlushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

const QStringList kChoices{"LEFT", "CENTER", "RIGHT"};

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

    void EditFieldStartsWithAllTextSelected() {
        auto* cell = OpenEdit("100px");
        QCOMPARE(cell->text(), QString("100px"));
        QCOMPARE(cell->selectedText(), QString("100px"));
        QCOMPARE(cell->geometry(), QRect(121, 40, 211, 20));
        QCOMPARE(cell->font(), window_->font());
        QVERIFY(!cell->hasFrame());
        QVERIFY(cell->hasFocus());
        // Typing replaces the selected text.
        QTest::keyClicks(cell, "50");
        QCOMPARE(cell->text(), QString("50"));
    }

    void EditFieldEnds_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("report");
        QTest::newRow("Enter commits") << int(Qt::Key_Return) << "commit:2:1:typed:0";
        QTest::newRow("keypad Enter commits") << int(Qt::Key_Enter) << "commit:2:1:typed:0";
        QTest::newRow("Escape cancels") << int(Qt::Key_Escape) << "cancel:2:1";
        QTest::newRow("Up commits and steps up") << int(Qt::Key_Up) << "commit:2:1:typed:-1";
        QTest::newRow("Down commits and steps down") << int(Qt::Key_Down) << "commit:2:1:typed:1";
    }
    void EditFieldEnds() {
        QFETCH(int, key);
        QFETCH(QString, report);
        QPointer<CExEditCell> cell = OpenEdit("old");
        QTest::keyClicks(cell, "typed");
        QTest::keyClick(cell, Qt::Key(key),
                        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(reports_, QStringList{report});
        QCOMPARE(shortcutsFired_, 0);
        QVERIFY(cell->isHidden());
        // Losing the focus afterwards reports nothing more.
        other_->setFocus();
        FlushDeletes();
        QVERIFY(cell.isNull());
        QCOMPARE(reports_.size(), 1);
    }

    void EditFieldCommitsWhenTheFocusGoes() {
        QPointer<CExEditCell> cell = OpenEdit("old");
        QTest::keyClicks(cell, "new");
        other_->setFocus();
        QCOMPARE(reports_, QStringList{"commit:2:1:new:0"});
        FlushDeletes();
        QVERIFY(cell.isNull());
    }

    void ClosedEditFieldReportsNothing() {
        QPointer<CExEditCell> cell = OpenEdit("old");
        cell->Close();
        other_->setFocus();
        FlushDeletes();
        QVERIFY(cell.isNull());
        QVERIFY(reports_.isEmpty());
    }

    void EditFieldWidensToItsTextUpToTheParent() {
        CExEditCell* cell = OpenEdit("");
        QTest::keyClicks(cell, "abc");
        QCOMPARE(cell->width(), 211);  // the text fits: no change
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
        QTest::addColumn<int>("chosen");
        QTest::newRow("value among them") << kChoices << "RIGHT" << 2;
        QTest::newRow("value not among them") << kChoices << "MIDDLE" << 0;
        QTest::newRow("empty value") << QStringList{"true", "false"} << "" << 0;
        QTest::newRow("exact match only") << kChoices << "center" << 0;
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
        QCOMPARE(cell->List().currentRow(), chosen);
        QCOMPARE(cell->EditLine().text(), choices[chosen]);
        QCOMPARE(cell->ChosenText(), choices[chosen]);
        QVERIFY(cell->EditLine().hasFocus());
    }

    void DropDownShape() {
        CComboBoxCell* cell = OpenCombo(kChoices, "CENTER");
        QCOMPARE(cell->geometry(), QRect(120, 40, 215, 220));
        QCOMPARE(cell->EditLine().geometry(), QRect(0, 0, 215, 20));
        QCOMPARE(cell->List().geometry(), QRect(0, 20, 215, 200));
        QCOMPARE(cell->List().visualItemRect(cell->List().item(1)).height(), 20);
        QCOMPARE(cell->List().focusPolicy(), Qt::NoFocus);
    }

    void DropDownEnds_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("report");
        QTest::newRow("Enter commits the chosen entry")
            << "" << QStringList{"Return"} << "commit:4:1:CENTER:0";
        QTest::newRow("Down then Enter")
            << "" << QStringList{"Down", "Return"} << "commit:4:1:RIGHT:0";
        QTest::newRow("Down stops at the last entry")
            << "" << QStringList{"Down", "Down", "Down", "Return"} << "commit:4:1:RIGHT:0";
        QTest::newRow("Up stops at the first entry")
            << "" << QStringList{"Up", "Up", "Up", "Return"} << "commit:4:1:LEFT:0";
        QTest::newRow("typed text without a chosen entry")
            << "JUSTIFY" << QStringList{"Return"} << "commit:4:1:JUSTIFY:0";
        QTest::newRow("Down after typing chooses again")
            << "JUSTIFY" << QStringList{"Down", "Return"} << "commit:4:1:LEFT:0";
        QTest::newRow("Escape cancels") << "JUSTIFY" << QStringList{"Escape"} << "cancel:4:1";
    }
    void DropDownEnds() {
        QFETCH(QString, typed);
        QFETCH(QStringList, keys);
        QFETCH(QString, report);
        QPointer<CComboBoxCell> cell = OpenCombo(kChoices, "CENTER");
        if (!typed.isEmpty()) {
            QTest::keyClicks(&cell->EditLine(), typed);
        }
        for (const QString& key : keys) {
            const auto code = key == "Return"   ? Qt::Key_Return
                              : key == "Escape" ? Qt::Key_Escape
                              : key == "Up"     ? Qt::Key_Up
                                                : Qt::Key_Down;
            if (cell.isNull() || cell->isHidden()) {
                break;
            }
            QTest::keyClick(&cell->EditLine(), code);
        }
        QCOMPARE(reports_, QStringList{report});
        QCOMPARE(shortcutsFired_, 0);
        other_->setFocus();
        FlushDeletes();
        QVERIFY(cell.isNull());
        QCOMPARE(reports_.size(), 1);
    }

    void FocusedDropDownCanBeDeleted() {
        auto* cell = OpenCombo(kChoices, "CENTER");
        delete cell;
        other_->setFocus();
        QVERIFY(reports_.isEmpty());
    }

private:
    CExEditCell* OpenEdit(const QString& text) {
        auto* cell = new CExEditCell(2, 1, text, Qt::AlignLeft | Qt::AlignVCenter,
                                     QRect(121, 40, 211, 20), window_.get());
        Record(cell, reports_);
        cell->show();
        cell->setFocus();
        return cell;
    }

    CComboBoxCell* OpenCombo(const QStringList& choices, const QString& value) {
        auto* cell =
            new CComboBoxCell(4, 1, choices, value, QRect(120, 40, 215, 220), 20, window_.get());
        Record(cell, reports_);
        cell->show();
        cell->setFocus();
        return cell;
    }

    std::unique_ptr<QWidget> window_;
    QLineEdit* other_ = nullptr;
    int shortcutsFired_ = 0;
    QStringList reports_;
};

}  // namespace ze::panels::test

QTEST_MAIN(ze::panels::test::PropertyCellsTest)
#include "property_cells_test.moc"
