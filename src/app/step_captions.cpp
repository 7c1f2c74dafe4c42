#include "app/step_captions.h"

#include <QCoreApplication>

#include "app/menu_table.h"
#include "common/qt/sjis_qstring.h"

namespace ze::app {

namespace {

QString ElementText(const StepName& name) {
    if (name.count != 1) {
        // %n: the English text has a singular and a plural.
        // A plain int: lupdate does not find a text whose call holds a cast.
        const int count = static_cast<int>(name.count);
        return QCoreApplication::translate("History", "%n 個の要素", nullptr, count);
    }
    if (name.element.empty()) {
        return QCoreApplication::translate("History", "名前のない要素");
    }
    return SjisToQString(name.element);
}

const char* Pattern(StepKind kind) {
    switch (kind) {
        case StepKind::kMove:
            return QT_TRANSLATE_NOOP("History", "移動 %1");
        case StepKind::kDelete:
            return QT_TRANSLATE_NOOP("History", "削除 %1");
        case StepKind::kPaste:
            return QT_TRANSLATE_NOOP("History", "貼り付け %1");
        case StepKind::kCopy:
            return QT_TRANSLATE_NOOP("History", "コピー %1");
        case StepKind::kInsert:
            return QT_TRANSLATE_NOOP("History", "挿入 %1");
        case StepKind::kGroup:
            return QT_TRANSLATE_NOOP("History", "グループ化 %1");
        case StepKind::kUngroup:
            return QT_TRANSLATE_NOOP("History", "グループ解除 %1");
        // %1 the element, %2 the property: the English turns them round.
        case StepKind::kProperty:
            return QT_TRANSLATE_NOOP("History", "変更 %1 の %2");
        case StepKind::kImage:
            return QT_TRANSLATE_NOOP("History", "画像 %1 の %2");
        case StepKind::kEdit:
            break;
    }
    return QT_TRANSLATE_NOOP("History", "編集 %1");
}

// An "&" of a name would be taken for an access key.
QString MenuSafe(QString text) {
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace

QString StepCaption(const StepName& name) {
    const QString pattern = QCoreApplication::translate("History", Pattern(name.kind));
    if (name.kind == StepKind::kProperty || name.kind == StepKind::kImage) {
        return pattern.arg(ElementText(name), QString::fromLatin1(name.property));
    }
    return pattern.arg(ElementText(name));
}

QString FirstStepCaption() {
    return QCoreApplication::translate("History", "最初の状態");
}

QString UndoCaption(const StepName* step) {
    if (step == nullptr) {
        return TranslatedMenuText(FindCommandText(CommandId::kEditUndo)->caption);
    }
    return QCoreApplication::translate("Menu", "元に戻す(&U): %1")
        .arg(MenuSafe(StepCaption(*step)));
}

QString RedoCaption(const StepName* step) {
    if (step == nullptr) {
        return TranslatedMenuText(FindCommandText(CommandId::kEditRedo)->caption);
    }
    return QCoreApplication::translate("Menu", "やり直し(&R): %1")
        .arg(MenuSafe(StepCaption(*step)));
}

}  // namespace ze::app
