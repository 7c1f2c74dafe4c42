#pragma once

#include <QLineEdit>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

class QListWidget;

namespace ze::panels {

// The cells the property list opens over one of its rows. Each is a child of
// the list's viewport (so it scrolls with its row), reports once how the
// edit ended, and then hides and deletes itself. Committed carries the text
// to store and the row step to edit next (-1 above, 1 below, 0 none);
// Cancelled means nothing is to change. Close ends a cell without a report,
// when the list shows something else. A receiver of Committed that refuses
// the text calls KeepOpen: the cell then stays, its text all selected and
// the focus in it, so that the user corrects the text or leaves with Escape.

// The edit field: over the cell, all of its text selected. Enter commits,
// Escape cancels, Up and Down commit and ask for the row above or below,
// losing the focus commits. It widens to fit what is typed.
class CExEditCell : public QLineEdit {
    Q_OBJECT
public:
    // Room kept right of the text when the field widens.
    static constexpr int kTextRoom = 5;

    // rect is in the coordinates of parent (the list's viewport).
    CExEditCell(int row, int column, const QString& text, Qt::Alignment alignment,
                const QRect& rect, QWidget* parent);

    int Row() const { return row_; }
    int Column() const { return column_; }
    // Ends the edit as losing the focus would.
    void Commit() { Finish(true, 0); }
    void Close();
    // From a receiver of Committed: the text was refused.
    void KeepOpen() { keepOpen_ = true; }

signals:
    void Committed(int row, int column, const QString& text, int step);
    void Cancelled(int row, int column);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Finish(bool commit, int step);
    void Widen();

    int row_;
    int column_;
    bool ended_ = false;
    bool keepOpen_ = false;
};

// The edit line of a drop-down cell. The cell handles its keys and the loss
// of its focus.
class ComboEditLine : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

    // Returns true when the key was taken.
    std::function<bool(int key)> onKey;
    std::function<void()> onFocusLost;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

// The drop-down cell: an edit line over the row with the list of choices
// always open below it, one row per entry. The entry equal to the value is
// chosen at first; a value that is none of them stands in the edit line as
// it is, with no entry chosen, so that leaving the cell keeps it. Clicking an
// entry, Enter or losing the focus commits the chosen entry, or the edit
// line's text when no entry is chosen (the user typed, or none was); Escape
// cancels. Up and Down in the edit line choose the entry above or below, the
// first one when none is chosen.
class CComboBoxCell : public QWidget {
    Q_OBJECT
public:
    // rect covers the row and the rows below that the list may use, in the
    // coordinates of parent; rowHeight is the height of the edit line and of
    // every entry.
    CComboBoxCell(int row, int column, const QStringList& choices, const QString& value,
                  const QRect& rect, int rowHeight, QWidget* parent);
    ~CComboBoxCell() override;

    int Row() const { return row_; }
    int Column() const { return column_; }
    QLineEdit& EditLine() { return *edit_; }
    QListWidget& List() { return *list_; }
    // The text a commit stores now.
    QString ChosenText() const;
    void Commit() { Finish(true); }
    void Close();
    // From a receiver of Committed: the text was refused.
    void KeepOpen() { keepOpen_ = true; }

signals:
    void Committed(int row, int column, const QString& text, int step);
    void Cancelled(int row, int column);

private:
    void Choose(int entry);
    bool OnKey(int key);
    void Finish(bool commit);

    int row_;
    int column_;
    ComboEditLine* edit_;
    QListWidget* list_;
    bool ended_ = false;
    bool keepOpen_ = false;
};

}  // namespace ze::panels
