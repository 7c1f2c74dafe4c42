#include "panels/skeleton_result_text.h"

#include <QCoreApplication>

#include "common/qt/sjis_qstring.h"

namespace ze::panels {

namespace {

QString ReasonWords(GeneratedFile::Reason reason) {
    switch (reason) {
        case GeneratedFile::Reason::kTemplateUnread:
            return QCoreApplication::translate("Editor", "テンプレートの読込みエラー");
        case GeneratedFile::Reason::kFileExists:
            return QCoreApplication::translate("Editor", "ファイルが存在します[上書き禁止]");
        case GeneratedFile::Reason::kNotWritten:
            return QCoreApplication::translate("Editor", "書込みできませんでした");
        case GeneratedFile::Reason::kBadFileName:
            return QCoreApplication::translate("Editor", "ファイル名が不正です");
        case GeneratedFile::Reason::kOpenError:
            return QCoreApplication::translate("Editor", "オープンエラー");
        case GeneratedFile::Reason::kNone:
        case GeneratedFile::Reason::kNoTemplateType:
        case GeneratedFile::Reason::kFolderNotMade:
            break;
    }
    return {};
}

}  // namespace

QString SkeletonResultLine(const GeneratedFile& file) {
    const QString name = SjisToQString(file.name);
    switch (file.reason) {
        case GeneratedFile::Reason::kNoTemplateType:
            return QCoreApplication::translate("Editor", "× %1 TemplateType が指定されていません。")
                .arg(name);
        case GeneratedFile::Reason::kFolderNotMade:
            return QCoreApplication::translate("Editor", "× %1 フォルダが作成できませんでした。")
                .arg(name);
        default:
            break;
    }
    // The Japanese says "updated" of a new file too; the disambiguation lets
    // the English tell the two apart.
    switch (file.outcome) {
        case GeneratedFile::Outcome::kCreated:
            return QCoreApplication::translate("Editor", "○ %1 を更新しました。", "created")
                .arg(name);
        case GeneratedFile::Outcome::kUpdated:
            return QCoreApplication::translate("Editor", "○ %1 を更新しました。", "updated")
                .arg(name);
        case GeneratedFile::Outcome::kRefused:
            break;
    }
    return QCoreApplication::translate("Editor", "× %1 キャンセルしました。(%2)")
        .arg(name, ReasonWords(file.reason));
}

}  // namespace ze::panels
