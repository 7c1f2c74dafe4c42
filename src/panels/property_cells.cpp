#include "panels/property_cells.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QPointer>
#include <algorithm>

namespace ze::panels {

namespace {

// The keys a cell handles itself. They must not become shortcuts of the
// panel or the main window (Enter of a dialog, Delete of the frame ...)
// while a cell has the focus.
bool IsCellKey(const QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
        case Qt::Key_Up:
        case Qt::Key_Down:
            return key.modifiers() == Qt::NoModifier || key.modifiers() == Qt::KeypadModifier;
        default:
            return false;
    }
}

bool TakeShortcutOverride(QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (!IsCellKey(*key)) {
        return false;
    }
    key->accept();
    return true;
}

}  // namespace

// --- CExEditCell -------------------------------------------------------------

CExEditCell::CExEditCell(int row, int column, const QString& text, Qt::Alignment alignment,
                         const QRect& rect, QWidget* parent)
    : QLineEdit(text, parent), row_(row), column_(column) {
    setFrame(false);
    setFont(parent->font());
    setAlignment(alignment);
    setGeometry(rect);
    selectAll();
    connect(this, &QLineEdit::textEdited, this, [this] { Widen(); });
}

void CExEditCell::Close() {
    ended_ = true;
    keepOpen_ = false;
    hide();
    deleteLater();
}

bool CExEditCell::event(QEvent* event) {
    if (TakeShortcutOverride(event)) {
        return true;
    }
    return QLineEdit::event(event);
}

void CExEditCell::keyPressEvent(QKeyEvent* event) {
    if (!IsCellKey(*event)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    switch (event->key()) {
        case Qt::Key_Escape:
            Finish(false, 0);
            break;
        case Qt::Key_Up:
            Finish(true, -1);
            break;
        case Qt::Key_Down:
            Finish(true, 1);
            break;
        default:
            Finish(true, 0);
            break;
    }
}

void CExEditCell::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // The field's own context menu takes the focus for a moment.
    if (event->reason() != Qt::PopupFocusReason) {
        Finish(true, 0);
    }
}

void CExEditCell::Finish(bool commit, int step) {
    if (ended_) {
        return;
    }
    ended_ = true;
    keepOpen_ = false;
    QPointer<CExEditCell> self(this);
    if (commit) {
        emit Committed(row_, column_, text(), step);
    } else {
        emit Cancelled(row_, column_);
    }
    if (self == nullptr) {
        return;
    }
    // Armed again only now: the message about the refusal took the focus
    // while the report was running, and that loss must not commit again.
    if (keepOpen_) {
        keepOpen_ = false;
        ended_ = false;
        selectAll();
        setFocus(Qt::OtherFocusReason);
        return;
    }
    hide();
    deleteLater();
}

void CExEditCell::Widen() {
    const int wanted = fontMetrics().horizontalAdvance(text()) + kTextRoom;
    const int room = parentWidget()->width() - x();
    const int width = std::min(wanted, room);
    if (width > this->width()) {
        resize(width, height());
    }
}

// --- ComboEditLine -----------------------------------------------------------

bool ComboEditLine::event(QEvent* event) {
    if (TakeShortcutOverride(event)) {
        return true;
    }
    return QLineEdit::event(event);
}

void ComboEditLine::keyPressEvent(QKeyEvent* event) {
    if (IsCellKey(*event) && onKey && onKey(event->key())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void ComboEditLine::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason && onFocusLost) {
        onFocusLost();
    }
}

// --- CComboBoxCell -----------------------------------------------------------

CComboBoxCell::CComboBoxCell(int row, int column, const QStringList& choices, const QString& value,
                             const QRect& rect, int rowHeight, QWidget* parent)
    : QWidget(parent),
      row_(row),
      column_(column),
      edit_(new ComboEditLine(this)),
      list_(new QListWidget(this)) {
    setFont(parent->font());
    setGeometry(rect);
    edit_->setGeometry(0, 0, rect.width(), std::min(rowHeight, rect.height()));
    list_->setGeometry(0, rowHeight, rect.width(), std::max(0, rect.height() - rowHeight));
    // The edit line keeps the focus; the list is only clicked.
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setUniformItemSizes(true);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const QString& choice : choices) {
        auto* entry = new QListWidgetItem(choice, list_);
        entry->setSizeHint(QSize(0, rowHeight));
    }
    const auto equal = choices.indexOf(value);
    if (equal >= 0) {
        Choose(static_cast<int>(equal));
    } else {
        edit_->setText(value);
        edit_->selectAll();
    }

    edit_->onKey = [this](int key) { return OnKey(key); };
    edit_->onFocusLost = [this] { Finish(true); };
    connect(edit_, &QLineEdit::textEdited, this, [this] {
        // What is typed counts from now on, not the entry chosen before.
        list_->setCurrentRow(-1);
        list_->clearSelection();
    });
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* entry) {
        Choose(list_->row(entry));
        Finish(true);
    });
    setFocusProxy(edit_);
}

CComboBoxCell::~CComboBoxCell() {
    // The edit line outlives this part of the cell while the children go.
    ended_ = true;
    edit_->onKey = nullptr;
    edit_->onFocusLost = nullptr;
}

void CComboBoxCell::Close() {
    ended_ = true;
    keepOpen_ = false;
    hide();
    deleteLater();
}

QString CComboBoxCell::ChosenText() const {
    const QListWidgetItem* entry = list_->currentItem();
    if (entry != nullptr && entry->isSelected()) {
        return entry->text();
    }
    return edit_->text();
}

void CComboBoxCell::Choose(int entry) {
    if (entry < 0 || entry >= list_->count()) {
        return;
    }
    list_->setCurrentRow(entry);
    list_->scrollToItem(list_->item(entry));
    edit_->setText(list_->item(entry)->text());
    edit_->selectAll();
}

bool CComboBoxCell::OnKey(int key) {
    switch (key) {
        case Qt::Key_Escape:
            Finish(false);
            return true;
        case Qt::Key_Up:
            Choose(std::max(0, list_->currentRow() - 1));
            return true;
        case Qt::Key_Down:
            Choose(list_->currentRow() + 1);
            return true;
        default:
            Finish(true);
            return true;
    }
}

void CComboBoxCell::Finish(bool commit) {
    if (ended_) {
        return;
    }
    ended_ = true;
    keepOpen_ = false;
    QPointer<CComboBoxCell> self(this);
    if (commit) {
        emit Committed(row_, column_, ChosenText(), 0);
    } else {
        emit Cancelled(row_, column_);
    }
    if (self == nullptr) {
        return;
    }
    if (keepOpen_) {
        keepOpen_ = false;
        ended_ = false;
        edit_->selectAll();
        edit_->setFocus(Qt::OtherFocusReason);
        return;
    }
    hide();
    deleteLater();
}

}  // namespace ze::panels
