#include "panels/panel_buttons.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>
#include <iterator>
#include <utility>

#include "common/cp932.h"
#include "common/qt/sjis_qstring.h"
#include "model/schema.h"
#include "panels/focus_ring.h"

namespace ze::panels {

namespace {

constexpr int kSpacing = 4;

struct ButtonTexts {
    PanelButtonId id;
    const char* caption;
    const char* shortText;
    const char* longText;
};

// clang-format off
constexpr ButtonTexts kTexts[] = {
    {PanelButtons::kMoveUp, QT_TRANSLATE_NOOP("Editor", "▲"), QT_TRANSLATE_NOOP("Editor", "前へ移動"), QT_TRANSLATE_NOOP("Editor", "カレント選択項目を前へ移動させます")},
    {PanelButtons::kMoveDown, QT_TRANSLATE_NOOP("Editor", "▼"), QT_TRANSLATE_NOOP("Editor", "後ろへ移動"), QT_TRANSLATE_NOOP("Editor", "カレント選択項目を後ろへ移動させます")},
    {PanelButtons::kDelete, QT_TRANSLATE_NOOP("Editor", "削除"), QT_TRANSLATE_NOOP("Editor", "選択項目の削除（カット）"),
     QT_TRANSLATE_NOOP("Editor", "カレント選択項目を削除します。削除した項目がオブジェクトの場合はクリップボードへ保存されます。")},
    {PanelButtons::kCopy, "COPY", QT_TRANSLATE_NOOP("Editor", "カレント選択オブジェクトをクリップボードへコピー"),
     QT_TRANSLATE_NOOP("Editor", "カレント選択オブジェクトをクリップボードへコピーします。選択がオブジェクトではない場合は何もしません。")},
    {PanelButtons::kGroup, QT_TRANSLATE_NOOP("Editor", "Group化"), QT_TRANSLATE_NOOP("Editor", "グループ化"),
     QT_TRANSLATE_NOOP("Editor", "新規にグループオブジェクトを作成し、選択オブジェクトを挿入します")},
    {PanelButtons::kUngroup, QT_TRANSLATE_NOOP("Editor", "G解除"), QT_TRANSLATE_NOOP("Editor", "グループ解除"), QT_TRANSLATE_NOOP("Editor", "最上位階層のグループ オブジェクトを削除します")},
    {PanelButtons::kInsertAfter, QT_TRANSLATE_NOOP("Editor", "後ろ"), QT_TRANSLATE_NOOP("Editor", "同階層の後ろへ挿入"),
     QT_TRANSLATE_NOOP("Editor", "指定オブジェクトをカレント選択オブジェクトの後ろ（同階層）へ挿入します。")},
    {PanelButtons::kInsertFirst, QT_TRANSLATE_NOOP("Editor", "下先頭へ"), QT_TRANSLATE_NOOP("Editor", "下階層の先頭へ挿入"),
     QT_TRANSLATE_NOOP("Editor", "指定オブジェクトをカレント選択オブジェクトの下階層の先頭へ挿入します。")},
    {PanelButtons::kInsertLast, QT_TRANSLATE_NOOP("Editor", "下末尾へ"), QT_TRANSLATE_NOOP("Editor", "下階層の末尾へ挿入"),
     QT_TRANSLATE_NOOP("Editor", "指定オブジェクトをカレント選択オブジェクトの下階層の末尾へ挿入します。")},
};
// clang-format on

const ButtonTexts* TextsOf(PanelButtonId id) {
    for (const ButtonTexts& texts : kTexts) {
        if (texts.id == id) {
            return &texts;
        }
    }
    return nullptr;
}

}  // namespace

const PanelButtons::Id PanelButtons::kIds[9] = {kMoveUp,  kMoveDown,    kDelete,      kCopy,      kGroup,
                                   kUngroup, kInsertAfter, kInsertFirst, kInsertLast};

PanelButtons::PanelButtons(StatusSink status, QWidget* parent)
    : QWidget(parent),
      status_(std::move(status)),
      insertLabel_(new QLabel(QCoreApplication::translate("Editor", "挿入："), this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(kSpacing);
    for (const Id id : kIds) {
        if (id == kInsertAfter) {
            row->addWidget(insertLabel_);
        }
        const ButtonTexts& texts = *TextsOf(id);
        auto* button = new QToolButton(this);
        button->setText(QCoreApplication::translate("Editor", texts.caption));
        button->setToolTip(QCoreApplication::translate("Editor", texts.shortText));
        button->setFocusPolicy(Qt::NoFocus);
        button->installEventFilter(this);
        FocusRing::Attach(*button);
        connect(button, &QToolButton::clicked, this, [this, id, button] {
            SetTabStop(button);
            emit Clicked(id);
        });
        buttons_.emplace(id, button);
        row->addWidget(button);
    }
    row->addStretch(1);
    SetTabStop(Button(kIds[0]));
}

void PanelButtons::SetTabStop(QAbstractButton* button) {
    if (button == tabStop_) {
        return;
    }
    if (tabStop_ != nullptr) {
        tabStop_->setFocusPolicy(Qt::NoFocus);
    }
    tabStop_ = button;
    // Tab only: a click on a button leaves the focus in the tree or list
    // the button works on.
    tabStop_->setFocusPolicy(Qt::TabFocus);
}

bool PanelButtons::MoveFocus(QAbstractButton* button, int key) {
    const int count = static_cast<int>(std::size(kIds));
    int at = 0;
    while (at < count && Button(kIds[at]) != button) {
        ++at;
    }
    int step = 0;
    switch (key) {
        case Qt::Key_Left:
            step = -1;
            break;
        case Qt::Key_Right:
            step = 1;
            break;
        case Qt::Key_Home:
            at = -1;
            step = 1;
            break;
        case Qt::Key_End:
            at = count;
            step = -1;
            break;
        default:
            return false;
    }
    for (int next = at + step; next >= 0 && next < count; next += step) {
        QAbstractButton* candidate = Button(kIds[next]);
        if (candidate->isEnabled() && candidate->isVisibleTo(this)) {
            SetTabStop(candidate);
            candidate->setFocus(Qt::TabFocusReason);
            break;
        }
    }
    return true;
}

QAbstractButton* PanelButtons::Button(Id id) const {
    const auto it = buttons_.find(id);
    return it == buttons_.end() ? nullptr : it->second;
}

QString PanelButtons::LongText(Id id) {
    const ButtonTexts* texts = TextsOf(id);
    return texts == nullptr ? QString() : QCoreApplication::translate("Editor", texts->longText);
}

QString PanelButtons::ShortText(Id id) {
    const ButtonTexts* texts = TextsOf(id);
    return texts == nullptr ? QString() : QCoreApplication::translate("Editor", texts->shortText);
}

bool PanelButtons::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* button = qobject_cast<QAbstractButton*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if (button != nullptr && modifiers == Qt::NoModifier) {
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                button->click();
                return true;
            }
            if (MoveFocus(button, key->key())) {
                return true;
            }
        }
    }
    if (event->type() == QEvent::Enter && status_) {
        for (const auto& [id, button] : buttons_) {
            if (button == watched) {
                status_(LongText(id));
                break;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

TypeTables::TypeTables(QWidget* parent)
    : QWidget(parent), groups_(new QComboBox(this)), objects_(new QComboBox(this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(groups_);
    row->addWidget(objects_);
    const auto text = [](std::string_view sjis) { return SjisToQString(sjis); };
    groups_->addItem(text(NewGroupLabel()));
    for (int code = 0; code < IndexOf(GroupLayout::kCount); ++code) {
        groups_->addItem(text(LayoutName(GroupLayoutAt(code))));
    }
    objects_->addItem(text(NewObjectLabel()));
    for (int type = 0; type < IndexOf(ObjectType::kCount); ++type) {
        objects_->addItem(text(ObjectTypeName(ObjectTypeAt(type))));
    }
}

}  // namespace ze::panels
