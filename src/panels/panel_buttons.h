#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <map>

class QAbstractButton;
class QComboBox;
class QLabel;

namespace ze::panels {

// The control ids of the resource panel's tool buttons.
enum class PanelButtonId : int {
    kMoveUp = 32813,
    kMoveDown = 32814,
    kDelete = 32815,
    kCopy = 32819,
    kGroup = 1084,
    kUngroup = 1085,
    kInsertAfter = 32816,
    kInsertFirst = 32817,
    kInsertLast = 32818,
};

// The resource panel's row of tool buttons: "▲" "▼" "削除" "COPY" "Group化"
// "G解除", then "挿入：" and the three insert buttons. Each button carries its
// short text as tooltip; its long text goes to the status bar when the mouse
// enters it.
//
// For the keyboard the row is one stop of the Tab order, as a tool bar is:
// Tab lands on the button used last (the first at the start), Left and
// Right (Home, End) go along the row, Space or Enter presses the button.
// A click leaves the focus where it was.
class PanelButtons : public QWidget {
    Q_OBJECT
public:
    // The buttons, by their control ids.
    using Id = PanelButtonId;
    static constexpr Id kMoveUp = Id::kMoveUp;
    static constexpr Id kMoveDown = Id::kMoveDown;
    static constexpr Id kDelete = Id::kDelete;
    static constexpr Id kCopy = Id::kCopy;
    static constexpr Id kGroup = Id::kGroup;
    static constexpr Id kUngroup = Id::kUngroup;
    static constexpr Id kInsertAfter = Id::kInsertAfter;
    static constexpr Id kInsertFirst = Id::kInsertFirst;
    static constexpr Id kInsertLast = Id::kInsertLast;

    // The ids in the order the buttons stand in the row.
    static const Id kIds[9];

    using StatusSink = std::function<void(const QString&)>;

    explicit PanelButtons(StatusSink status, QWidget* parent = nullptr);

    // Null for an id that is not one of the nine.
    QAbstractButton* Button(Id id) const;
    QLabel& InsertLabel() { return *insertLabel_; }
    // The long help text of a button (empty for other ids).
    static QString LongText(Id id);
    static QString ShortText(Id id);
    // The button Tab lands on.
    QAbstractButton* TabStop() const { return tabStop_; }

signals:
    void Clicked(ze::panels::PanelButtonId id);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetTabStop(QAbstractButton* button);
    // From button, step buttons along the row (or to the first or last),
    // over those that cannot take the focus; true when a key was taken.
    bool MoveFocus(QAbstractButton* button, int key);

    StatusSink status_;
    std::map<Id, QAbstractButton*> buttons_;
    QLabel* insertLabel_;
    QAbstractButton* tabStop_ = nullptr;
};

// The two type tables the insert list is made from, headed by "新規Group" and
// "新規Object". They belong to the panel but are never shown.
class TypeTables : public QWidget {
    Q_OBJECT
public:
    explicit TypeTables(QWidget* parent = nullptr);

    QComboBox& GroupTypes() { return *groups_; }
    QComboBox& ObjectTypes() { return *objects_; }

private:
    QComboBox* groups_;
    QComboBox* objects_;
};

}  // namespace ze::panels
