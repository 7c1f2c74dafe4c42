#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

// The one bridge between the model's Shift_JIS text (code page 932) and the
// QString of every widget.
namespace ze {

// For showing: bytes that are not CP932 show as U+FFFD.
QString SjisToQString(std::string_view sjis);

// What the user typed or pasted, as Shift_JIS. Refused (nullopt) when a
// character has no Shift_JIS form: a stand-in for it would store text other
// than the one the user sees. unmappable, when given, receives that
// character.
std::optional<std::string> QStringToSjis(const QString& text, char32_t* unmappable = nullptr);

// For text that is only shown (a message naming a file), never stored:
// characters without a Shift_JIS form become "?".
std::string QStringToSjisForDisplay(const QString& text);

// The message (Shift_JIS) for a value that QStringToSjis refused because of
// the character c: "値にShift_JISで表せない文字(U+XXXX)は使えません。".
std::string UnmappableValueMessage(char32_t c);

}  // namespace ze
