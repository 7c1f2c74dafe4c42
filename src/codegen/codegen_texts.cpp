#include "codegen/codegen_texts.h"

#include <sys/stat.h>

#include "common/cp932.h"

namespace ze::codegen_text {

#define ZE_SJIS_TEXT(function, utf8)                       \
    const std::string& function() {                        \
        static const std::string text = Utf8ToCp932(utf8); \
        return text;                                       \
    }

ZE_SJIS_TEXT(Done, "○ ")
ZE_SJIS_TEXT(Refused, "× ")
ZE_SJIS_TEXT(Updated, " を更新しました。")
ZE_SJIS_TEXT(Cancelled, " キャンセルしました。(")
ZE_SJIS_TEXT(TemplateUnread, "テンプレートの読込みエラー")
ZE_SJIS_TEXT(FileExists, "ファイルが存在します[上書き禁止]")
ZE_SJIS_TEXT(NotWritten, "書込みできませんでした")
ZE_SJIS_TEXT(BadFileName, "ファイル名が不正です")
ZE_SJIS_TEXT(OpenError, "オープンエラー")
ZE_SJIS_TEXT(NoTemplateType, " TemplateType が指定されていません。")
ZE_SJIS_TEXT(FolderNotMade, " フォルダが作成できませんでした。")

#undef ZE_SJIS_TEXT

std::string FileLine(bool done, std::string_view fileName, std::string_view reason) {
    if (done) {
        return Done() + std::string(fileName) + Updated();
    }
    return Refused() + std::string(fileName) + Cancelled() + std::string(reason) + ")";
}

}  // namespace ze::codegen_text

namespace ze {

const std::string& ReasonText(GeneratedFile::Reason reason) {
    namespace text = codegen_text;
    static const std::string none;
    switch (reason) {
        case GeneratedFile::Reason::kTemplateUnread:
            return text::TemplateUnread();
        case GeneratedFile::Reason::kFileExists:
            return text::FileExists();
        case GeneratedFile::Reason::kNotWritten:
            return text::NotWritten();
        case GeneratedFile::Reason::kBadFileName:
            return text::BadFileName();
        case GeneratedFile::Reason::kOpenError:
            return text::OpenError();
        case GeneratedFile::Reason::kNone:
        case GeneratedFile::Reason::kNoTemplateType:
        case GeneratedFile::Reason::kFolderNotMade:
            break;
    }
    return none;
}

std::string LogLine(const GeneratedFile& file) {
    namespace text = codegen_text;
    switch (file.reason) {
        case GeneratedFile::Reason::kNoTemplateType:
            return text::Refused() + file.name + text::NoTemplateType();
        case GeneratedFile::Reason::kFolderNotMade:
            return text::Refused() + file.name + text::FolderNotMade();
        default:
            return text::FileLine(file.outcome != GeneratedFile::Outcome::kRefused, file.name,
                                  ReasonText(file.reason));
    }
}

bool IsPlainFileName(std::string_view name) {
    return !name.empty() && name.find('/') == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace ze
