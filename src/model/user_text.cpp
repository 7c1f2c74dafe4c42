#include "model/user_text.h"

#include <atomic>

#include "common/cp932.h"

namespace ze {

namespace {

std::atomic<TextTranslator> translator{nullptr};
std::atomic<unsigned> generation{0};

}  // namespace

void SetTextTranslator(TextTranslator translate) {
    translator = translate;
    ++generation;
}

unsigned TextTranslatorGeneration() {
    return generation;
}

std::string UserText(const char* context, const char* source) {
    if (const TextTranslator translate = translator.load(); translate != nullptr) {
        return Utf8ToCp932(translate(context, source));
    }
    return Utf8ToCp932(source);
}

std::string UserText(const char* context, const char* source, std::string_view argument) {
    return FillIn(UserText(context, source), argument);
}

std::string FillIn(std::string text, std::string_view argument) {
    // '%' and '1' are below every Shift_JIS second byte: the pair found is
    // the marker, never half of a character.
    if (const std::size_t at = text.find("%1"); at != std::string::npos) {
        text.replace(at, 2, argument);
    }
    return text;
}

}  // namespace ze
