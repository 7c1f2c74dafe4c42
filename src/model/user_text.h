#pragma once

#include <string>
#include <string_view>

// The texts the model gives the user (refusals, problem messages, status
// texts) are written in Japanese, UTF-8 in the source, and marked with
// ZE_USER_TEXT so the translation tools find them. The marker is only that:
// UserText looks the text up when it is shown.
#define ZE_USER_TEXT(context, text) text

namespace ze {

// Gives the translation of a marked text (UTF-8), or the text itself.
using TextTranslator = std::string (*)(const char* context, const char* source);

// Installed once by a program that speaks another language; ze-tool keeps
// the Japanese texts. Null removes it.
void SetTextTranslator(TextTranslator translator);
// Counts SetTextTranslator calls: texts built once and kept must be built
// again when it changes.
unsigned TextTranslatorGeneration();

// The marked text source in the user's language, as model text (Shift_JIS).
std::string UserText(const char* context, const char* source);
// The same with "%1" replaced by argument (Shift_JIS, taken as it is).
std::string UserText(const char* context, const char* source, std::string_view argument);
// text (Shift_JIS) with its "%1" replaced by argument.
std::string FillIn(std::string text, std::string_view argument);

}  // namespace ze
