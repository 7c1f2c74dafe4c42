#pragma once

#include <string>
#include <string_view>

// The texts of the generator's log lines, in Shift_JIS like every name they
// are joined with.
namespace ze::codegen_text {

const std::string& Done();            // "○ "
const std::string& Refused();         // "× "
const std::string& Updated();         // " を更新しました。"
const std::string& Cancelled();       // " キャンセルしました。("
const std::string& TemplateUnread();  // "テンプレートの読込みエラー"
const std::string& FileExists();      // "ファイルが存在します[上書き禁止]"
const std::string& NotWritten();      // "書込みできませんでした"
const std::string& BadFileName();     // "ファイル名が不正です"
const std::string& OpenError();       // "オープンエラー"
const std::string& NoTemplateType();  // " TemplateType が指定されていません。"
const std::string& FolderNotMade();   // " フォルダが作成できませんでした。"

// "○ F を更新しました。" or "× F キャンセルしました。(reason)".
std::string FileLine(bool done, std::string_view fileName, std::string_view reason);

}  // namespace ze::codegen_text

namespace ze {

// What became of one file of a skeleton run, for a window to word in its
// language; LogLine words it as the log always has.
struct GeneratedFile {
    enum class Outcome { kCreated, kUpdated, kRefused };
    enum class Reason {
        kNone,
        kTemplateUnread,
        kFileExists,
        kNotWritten,
        kBadFileName,
        kOpenError,
        kNoTemplateType,  // the dialog has no TemplateType: no file was tried
        kFolderNotMade,   // the "resources" folder could not be made
    };
    Outcome outcome = Outcome::kRefused;
    Reason reason = Reason::kNone;
    // Shift_JIS: the file's name; the dialog's for kNoTemplateType, the
    // folder's for kFolderNotMade.
    std::string name;
};

// The Japanese line, Shift_JIS: "○ F を更新しました。" for a file written,
// whether created or updated, "× F キャンセルしました。(reason)" for a file
// refused, "× D TemplateType が指定されていません。", "× DIR フォルダが作成でき
// ませんでした。".
std::string LogLine(const GeneratedFile& file);

// The Japanese words of a reason a file was refused, Shift_JIS; empty for
// kNone and the reasons that make a line of their own.
const std::string& ReasonText(GeneratedFile::Reason reason);

// Whether a generated name (already in the operating system's coding) names a
// file inside its folder: a name from the project holding "/" would otherwise
// write outside the output folder.
bool IsPlainFileName(std::string_view name);

bool IsDirectory(const std::string& path);

}  // namespace ze
