#pragma once

#include <string>
#include <string_view>

// The three conversions used for resource text. Their results match nkf 2.1.5
// run with the option string named beside each, byte for byte, with one kind of
// exception: where nkf's guess of the input coding damages text the editor itself
// writes, ConvertToSjis returns the right text instead (see its comment).
// The whole result is always returned; nothing is cut.
namespace ze {

// "-xs": the input coding is detected (ISO-2022-JP, UTF-8, Shift_JIS, EUC-JP);
// the output is Shift_JIS with half-width katakana kept. Text with escape sequences
// is read as ISO-2022-JP; otherwise well-formed UTF-8 whose every character Shift_JIS
// holds is read as UTF-8, then valid Shift_JIS as Shift_JIS (also when it happens to be
// valid EUC-JP), then any other well-formed UTF-8 as UTF-8, and the rest as EUC-JP.
std::string ConvertToSjis(std::string_view text);
// The same into out, whose content it replaces: a reader converting many values
// through one string allocates once instead of once per value.
void ConvertToSjisInto(std::string_view text, std::string& out);

// "-Ws": UTF-8 in, Shift_JIS out (half-width katakana widened as nkf does).
std::string ConvertUtf8ToSjis(std::string_view utf8);

// "-Sw": Shift_JIS in, UTF-8 out (half-width katakana widened as nkf does).
std::string ConvertSjisToUtf8(std::string_view sjis);
// The same appended to out: a writer puts each value straight into its text.
void AppendSjisAsUtf8(std::string_view sjis, std::string& out);

}  // namespace ze
