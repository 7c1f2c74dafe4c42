#pragma once

#include <cstdint>
#include <string_view>

namespace ze {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A box in device pixels: the pixels x .. x + width - 1 across and
// y .. y + height - 1 down. A box without a positive width and height covers
// nothing.
struct Box {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    friend bool operator==(const Box&, const Box&) = default;
};

enum class HorizontalAlign { kLeft, kCenter, kRight };
// Where an arrow points: towards the side of the page it names.
enum class ArrowDirection { kLeft, kRight, kUp, kDown };
enum class VerticalAlign { kTop, kMiddle, kBottom };

// How one label is drawn: a font by face and height (normal weight, the
// Shift_JIS character set), black, on a transparent background, on a single
// line clipped to its box, with an ellipsis at the end when it does not fit.
struct TextStyle {
    std::string_view fontFace;  // Shift_JIS, e.g. "MS ゴシック"
    std::int32_t fontHeight = 0;
    HorizontalAlign horizontal = HorizontalAlign::kLeft;
    VerticalAlign vertical = VerticalAlign::kTop;
    Rgb colour;

    friend bool operator==(const TextStyle&, const TextStyle&) = default;
};

// What the preview draws on: the editor's view, ze-tool's image and the tests'
// recording all implement it.
class Canvas {
public:
    Canvas() = default;
    virtual ~Canvas() = default;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    virtual void FillBox(const Box& box, Rgb colour) = 0;
    // A one-pixel outline just inside the box.
    virtual void FrameBox(const Box& box, Rgb colour) = 0;
    // text is Shift_JIS, as every text of the model.
    virtual void DrawText(const Box& box, std::string_view text, const TextStyle& style) = 0;
    // A filled triangle across the whole box, its tip in the middle of the
    // side it points to.
    virtual void FillArrow(const Box& box, ArrowDirection pointing, Rgb colour) = 0;
};

// Draws nothing: a paint on it only places the elements (their preview
// rectangles), for hit tests and for painters of their own.
class NullCanvas : public Canvas {
public:
    void FillBox(const Box& /*box*/, Rgb /*colour*/) override {}
    void FrameBox(const Box& /*box*/, Rgb /*colour*/) override {}
    void DrawText(const Box& /*box*/, std::string_view /*text*/,
                  const TextStyle& /*style*/) override {}
    void FillArrow(const Box& /*box*/, ArrowDirection /*pointing*/, Rgb /*colour*/) override {}
};

}  // namespace ze
