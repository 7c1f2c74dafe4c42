#include "layout/qt/painter_canvas.h"

#include <QPaintDevice>
#include <QPolygonF>
#include <QStringList>

#include "common/cp932.h"

namespace ze {

namespace {

QColor ToQColor(Rgb colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

QString ToQString(std::string_view sjis) {
    const std::string utf8 = Cp932ToUtf8(sjis);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

void AppendKeyPart(std::string& key, std::string_view part) {
    const auto size = static_cast<std::uint32_t>(part.size());
    key.append(reinterpret_cast<const char*>(&size), sizeof size);
    key.append(part);
}

}  // namespace

QFont LabelCache::FontFor(std::string_view sjisFace, std::int32_t fontHeight) {
    QFont font;
    font.setFamilies(QStringList{ToQString(sjisFace), QStringLiteral("MS Gothic"),
                                 QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック"),
                                 QStringLiteral("Noto Sans Mono CJK JP"),
                                 QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL Gothic"),
                                 QStringLiteral("TakaoGothic")});
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(std::max(fontHeight, 1));
    font.setWeight(QFont::Normal);
    return font;
}

const LabelCache::Font& LabelCache::FontOf(std::string_view sjisFace, std::int32_t fontHeight) {
    key_.clear();
    AppendKeyPart(key_, sjisFace);
    key_.append(reinterpret_cast<const char*>(&fontHeight), sizeof fontHeight);
    auto found = fonts_.find(key_);
    if (found == fonts_.end()) {
        Font entry;
        entry.font = FontFor(sjisFace, fontHeight);
        entry.metrics = std::make_unique<QFontMetrics>(entry.font);
        found = fonts_.emplace(key_, std::move(entry)).first;
    }
    return found->second;
}

const LabelCache::Label& LabelCache::Get(std::string_view sjisText, std::string_view sjisFace,
                                         std::int32_t fontHeight, std::int32_t boxWidth) {
    const Font& font = FontOf(sjisFace, fontHeight);
    key_.clear();
    AppendKeyPart(key_, sjisText);
    AppendKeyPart(key_, sjisFace);
    key_.append(reinterpret_cast<const char*>(&fontHeight), sizeof fontHeight);
    key_.append(reinterpret_cast<const char*>(&boxWidth), sizeof boxWidth);
    auto found = labels_.find(key_);
    if (found != labels_.end()) {
        return found->second;
    }
    const QString elided =
        font.metrics->elidedText(ToQString(sjisText), Qt::ElideRight, boxWidth, Qt::TextSingleLine);
    Label label;
    label.text.setText(elided);
    label.text.setTextFormat(Qt::PlainText);
    label.text.setPerformanceHint(QStaticText::AggressiveCaching);
    label.text.prepare(QTransform(), font.font);
    label.width = font.metrics->horizontalAdvance(elided);
    label.lineHeight = font.metrics->height();
    label.font = &font.font;
    return labels_.emplace(key_, std::move(label)).first->second;
}

PainterCanvas::PainterCanvas(QPainter& painter, LabelCache& labels)
    : painter_(painter), labels_(labels) {
    if (const QPaintDevice* device = painter.device()) {
        bounds_ = QRect(0, 0, device->width(), device->height());
        // A zoomed or scrolled view: the boxes are culled in the layout's
        // pixels, a pixel wider on each side for the rounding of the edges.
        const QTransform toDevice = painter.combinedTransform();
        if (!toDevice.isIdentity()) {
            bounds_ = toDevice.inverted().mapRect(bounds_).adjusted(-1, -1, 1, 1);
        }
    }
}

bool PainterCanvas::IsOutside(const Box& box) const {
    if (box.width <= 0 || box.height <= 0) {
        return true;
    }
    const std::int64_t right = std::int64_t{box.x} + box.width;
    const std::int64_t bottom = std::int64_t{box.y} + box.height;
    return !bounds_.isNull() && (right <= bounds_.left() || bottom <= bounds_.top() ||
                                 box.x > bounds_.right() || box.y > bounds_.bottom());
}

void PainterCanvas::FillBox(const Box& box, Rgb colour) {
    if (!IsOutside(box)) {
        painter_.fillRect(QRect(box.x, box.y, box.width, box.height), ToQColor(colour));
    }
}

void PainterCanvas::FrameBox(const Box& box, Rgb colour) {
    if (IsOutside(box)) {
        return;
    }
    const QColor color = ToQColor(colour);
    if (box.width <= 2 || box.height <= 2) {
        painter_.fillRect(QRect(box.x, box.y, box.width, box.height), color);
        return;
    }
    const int right = box.x + box.width - 1;
    const int bottom = box.y + box.height - 1;
    painter_.fillRect(QRect(box.x, box.y, box.width, 1), color);
    painter_.fillRect(QRect(box.x, bottom, box.width, 1), color);
    painter_.fillRect(QRect(box.x, box.y + 1, 1, box.height - 2), color);
    painter_.fillRect(QRect(right, box.y + 1, 1, box.height - 2), color);
}

void PainterCanvas::DrawText(const Box& box, std::string_view text, const TextStyle& style) {
    if (text.empty() || IsOutside(box)) {
        return;
    }
    const LabelCache::Label& label = labels_.Get(text, style.fontFace, style.fontHeight, box.width);
    int x = box.x;
    if (style.horizontal == HorizontalAlign::kCenter) {
        x += (box.width - label.width) / 2;
    } else if (style.horizontal == HorizontalAlign::kRight) {
        x += box.width - label.width;
    }
    int y = box.y;
    if (style.vertical == VerticalAlign::kMiddle) {
        y += (box.height - label.lineHeight) / 2;
    } else if (style.vertical == VerticalAlign::kBottom) {
        y += box.height - label.lineHeight;
    }
    if (!penSet_ || !(pen_ == style.colour)) {
        painter_.setPen(ToQColor(style.colour));
        pen_ = style.colour;
        penSet_ = true;
    }
    if (font_ != label.font) {
        painter_.setFont(*label.font);
        font_ = label.font;
    }
    // Clipping is costly; only a label that sticks out of its box needs it.
    const bool fits =
        x >= box.x && label.width <= box.width && y >= box.y && label.lineHeight <= box.height;
    if (fits) {
        painter_.drawStaticText(x, y, label.text);
        return;
    }
    painter_.save();
    painter_.setClipRect(QRect(box.x, box.y, box.width, box.height), Qt::IntersectClip);
    painter_.drawStaticText(x, y, label.text);
    painter_.restore();
}

void PainterCanvas::FillArrow(const Box& box, ArrowDirection pointing, Rgb colour) {
    if (IsOutside(box)) {
        return;
    }
    const QRectF r(box.x, box.y, box.width, box.height);
    QPolygonF arrow;
    switch (pointing) {
        case ArrowDirection::kLeft:
            arrow << QPointF(r.left(), r.center().y()) << r.topRight() << r.bottomRight();
            break;
        case ArrowDirection::kRight:
            arrow << QPointF(r.right(), r.center().y()) << r.topLeft() << r.bottomLeft();
            break;
        case ArrowDirection::kUp:
            arrow << QPointF(r.center().x(), r.top()) << r.bottomLeft() << r.bottomRight();
            break;
        case ArrowDirection::kDown:
            arrow << QPointF(r.center().x(), r.bottom()) << r.topLeft() << r.topRight();
            break;
    }
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(ToQColor(colour));
    painter_.drawPolygon(arrow);
    painter_.restore();
}

}  // namespace ze
