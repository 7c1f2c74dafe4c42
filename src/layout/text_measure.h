#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace ze {

// How wide and tall a text is drawn in the device look's font. The layout
// checks ask through this, so they need no font themselves: the editor and
// ze-tool measure with the fonts the device look paints with
// (layout/qt/font_measure.h), the tests with FixedPitchMeasure.
class TextMeasure {
public:
    TextMeasure() = default;
    virtual ~TextMeasure() = default;
    TextMeasure(const TextMeasure&) = delete;
    TextMeasure& operator=(const TextMeasure&) = delete;

    // The advance of one line of text (Shift_JIS) at a font of fontHeight
    // pixels.
    virtual std::int32_t LineWidth(std::string_view text, std::int32_t fontHeight) = 0;
    // The height of one line of that font.
    virtual std::int32_t LineHeight(std::int32_t fontHeight) = 0;
    // Whether LineWidth(text, fontHeight) <= width; a measure may know
    // sooner than it can tell the width.
    virtual bool LineFits(std::string_view text, std::int32_t fontHeight, std::int32_t width) {
        return LineWidth(text, fontHeight) <= width;
    }
    // Lets go of what it kept of the texts measured so far (their project
    // was discarded), memory and all.
    virtual void ForgetTexts() {}
    // Runs work, which measures through this measure, and returns once it
    // is done; a measure may run it on a thread of its own (the caller's
    // waits meanwhile).
    virtual void RunMeasuring(const std::function<void()>& work) { work(); }
};

// A font where a one-byte character is half the font height wide and a
// two-byte Shift_JIS character the whole height, and a line is the font
// height high: sizes a test can work out by hand.
class FixedPitchMeasure : public TextMeasure {
public:
    std::int32_t LineWidth(std::string_view text, std::int32_t fontHeight) override;
    std::int32_t LineHeight(std::int32_t fontHeight) override { return fontHeight; }
};

}  // namespace ze
