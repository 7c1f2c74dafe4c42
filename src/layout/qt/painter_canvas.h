#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QStaticText>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "layout/canvas.h"

namespace ze {

// The labels of a preview laid out once: the text in UTF-8, elided to its box
// width, ready to draw. A view keeps one across paints and clears it when
// its size changes, since the label boxes follow the page size.
class LabelCache {
public:
    struct Label {
        QStaticText text;
        int width = 0;                // of the elided text
        int lineHeight = 0;           // of the font
        const QFont* font = nullptr;  // prepared with; held by the cache
    };

    const Label& Get(std::string_view sjisText, std::string_view sjisFace, std::int32_t fontHeight,
                     std::int32_t boxWidth);
    void Clear() { labels_.clear(); }
    std::size_t Size() const { return labels_.size(); }

    // The font the editor uses for face (Shift_JIS): the face itself, then
    // the Japanese gothic fonts a Linux desktop has.
    static QFont FontFor(std::string_view sjisFace, std::int32_t fontHeight);

private:
    struct Font {
        QFont font;
        std::unique_ptr<QFontMetrics> metrics;
    };
    const Font& FontOf(std::string_view sjisFace, std::int32_t fontHeight);

    std::unordered_map<std::string, Label> labels_;
    std::unordered_map<std::string, Font> fonts_;
    std::string key_;
};

// Draws on a QPainter (a QImage or a widget): boxes pixel for pixel as the
// preview defines them, labels through a LabelCache.
class PainterCanvas : public Canvas {
public:
    PainterCanvas(QPainter& painter, LabelCache& labels);

    void FillBox(const Box& box, Rgb colour) override;
    void FrameBox(const Box& box, Rgb colour) override;
    void DrawText(const Box& box, std::string_view text, const TextStyle& style) override;
    void FillArrow(const Box& box, ArrowDirection pointing, Rgb colour) override;

private:
    bool IsOutside(const Box& box) const;

    QPainter& painter_;
    LabelCache& labels_;
    QRect bounds_;
    const QFont* font_ = nullptr;  // the painter's, when set by this canvas
    Rgb pen_;
    bool penSet_ = false;
};

}  // namespace ze
