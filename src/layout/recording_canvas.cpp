#include "layout/recording_canvas.h"

namespace ze {

void RecordingCanvas::FillBox(const Box& box, Rgb colour) {
    Call& call = calls_.emplace_back();
    call.kind = Kind::kFill;
    call.box = box;
    call.colour = colour;
}

void RecordingCanvas::FrameBox(const Box& box, Rgb colour) {
    Call& call = calls_.emplace_back();
    call.kind = Kind::kFrame;
    call.box = box;
    call.colour = colour;
}

void RecordingCanvas::DrawText(const Box& box, std::string_view text, const TextStyle& style) {
    Call& call = calls_.emplace_back();
    call.kind = Kind::kText;
    call.box = box;
    call.text = text;
    call.fontFace = style.fontFace;
    call.style = style;
    call.style.fontFace = {};
}

void RecordingCanvas::FillArrow(const Box& box, ArrowDirection pointing, Rgb colour) {
    Call& call = calls_.emplace_back();
    call.kind = Kind::kArrow;
    call.box = box;
    call.pointing = pointing;
    call.colour = colour;
}

}  // namespace ze
