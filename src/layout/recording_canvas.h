#pragma once

#include <string>
#include <vector>

#include "layout/canvas.h"

namespace ze {

// Keeps every drawing call in order, for tests and benchmarks.
class RecordingCanvas : public Canvas {
public:
    enum class Kind { kFill, kFrame, kText, kArrow };

    struct Call {
        Kind kind = Kind::kFill;
        Box box;
        Rgb colour;                                        // fill, frame and arrow
        ArrowDirection pointing = ArrowDirection::kRight;  // arrow
        std::string text;                                  // text
        std::string fontFace;                              // text
        TextStyle style;  // text, with fontFace left empty (see fontFace)

        friend bool operator==(const Call& a, const Call& b) {
            return a.kind == b.kind && a.box == b.box && a.colour == b.colour &&
                   a.pointing == b.pointing && a.text == b.text && a.fontFace == b.fontFace &&
                   a.style.fontHeight == b.style.fontHeight &&
                   a.style.horizontal == b.style.horizontal &&
                   a.style.vertical == b.style.vertical && a.style.colour == b.style.colour;
        }
    };

    void FillBox(const Box& box, Rgb colour) override;
    void FrameBox(const Box& box, Rgb colour) override;
    void DrawText(const Box& box, std::string_view text, const TextStyle& style) override;
    void FillArrow(const Box& box, ArrowDirection pointing, Rgb colour) override;

    const std::vector<Call>& Calls() const { return calls_; }
    void Clear() { calls_.clear(); }

private:
    std::vector<Call> calls_;
};

}  // namespace ze
