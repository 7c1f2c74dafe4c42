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

// Whether a generated name (already in the operating system's coding) names a
// file inside its folder: a name from the project holding "/" would otherwise
// write outside the output folder.
bool IsPlainFileName(std::string_view name);

bool IsDirectory(const std::string& path);

}  // namespace ze
