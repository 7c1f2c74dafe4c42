#include "layout/qt/device_look.h"

#include <QPaintDevice>
#include <QRect>
#include <QRectF>
#include <QTransform>
#include <algorithm>
#include <array>
#include <bitset>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "layout/look_values.h"
#include "layout/preview_layout.h"
#include "layout/text_expand.h"
#include "layout/text_values.h"
#include "model/dialog_data.h"
#include "model/object_data.h"
#include "model/property_names.h"
#include "model/resource_data.h"
#include "model/schema.h"

namespace ze {

namespace {

// The properties the look reads.
enum Slot : std::size_t {
    kType,
    kBGColor,
    kMargin,
    kPadding,
    kHide,
    kDisable,
    kText,
    kTextOff,
    kTextOn,
    kTSize,
    kTColor,
    kTAlign,
    kFile,
    kFileOff,
    kFileOn,
    kFileBase,
    kFileActive,
    kFileCursor,
    kFileTop,
    kFileThumb,
    kFileSource,
    kFilePath,
    kValue,
    kMin,
    kMax,
    kVertical,
    kCenterPosBase,
    kCenterPosCursor,
    kColumnHeight,
    kSlotCount
};

constexpr std::array<std::string_view, kSlotCount> kSlotNames = {
    prop::kType,        prop::kBGColor,    prop::kMargin,        prop::kPadding,
    prop::kHide,        prop::kDisable,    prop::kText,          prop::kTextOff,
    prop::kTextOn,      prop::kTSize,      prop::kTColor,        prop::kTAlign,
    prop::kFile,        prop::kFileOff,    prop::kFileOn,        prop::kFileBase,
    prop::kFileActive,  prop::kFileCursor, prop::kFileTop,       prop::kFileThumb,
    prop::kFileSource,  prop::kFilePath,   prop::kValue,         prop::kMin,
    prop::kMax,         prop::kVertical,   prop::kCenterPosBase, prop::kCenterPosCursor,
    prop::kColumnHeight};

// The values of one element's look properties, from one walk over its
// items; the first item of a name counts, as for GetItem. The views point
// into the items, which stay unchanged during a paint.
class LookItems {
public:
    explicit LookItems(const CItemList& items) {
        // The slots by the length of their name: an item's name is compared
        // with the few names of its length only.
        static constexpr std::size_t kLongest = 16;
        static const auto byLength = [] {
            std::array<std::vector<Slot>, kLongest> table;
            for (std::size_t i = 0; i < kSlotCount; ++i) {
                table[kSlotNames[i].size()].push_back(static_cast<Slot>(i));
            }
            return table;
        }();
        std::bitset<kSlotCount> seen;
        for (std::size_t i = 0; i < items.GetItemCount(); ++i) {
            const CItemData& item = items.GetItemData(i);
            const std::string& name = item.GetName();
            if (name.size() >= kLongest) {
                continue;
            }
            for (const Slot slot : byLength[name.size()]) {
                if (kSlotNames[slot] == name && !seen.test(slot)) {
                    seen.set(slot);
                    values_[slot] = AsCString(item.GetValue());
                }
            }
        }
    }

    std::string_view operator[](Slot slot) const { return values_[slot]; }

private:
    std::array<std::string_view, kSlotCount> values_{};
};

// The text alignment when TAlign is empty.
int DefaultAlignment(ObjectType type) {
    switch (type) {
        case ObjectType::kButton:
        case ObjectType::kToggle:
            return alignment::kCenter + 3 * alignment::kMiddle;
        case ObjectType::kCheckbox:
        case ObjectType::kRadioButton:
        case ObjectType::kEdit:
            return alignment::kLeft + 3 * alignment::kMiddle;
        default:
            return alignment::kLeft + 3 * alignment::kTop;
    }
}

HorizontalAlign ToHorizontal(int value) {
    switch (alignment::Horizontal(value)) {
        case alignment::kCenter:
            return HorizontalAlign::kCenter;
        case alignment::kRight:
            return HorizontalAlign::kRight;
        default:
            return HorizontalAlign::kLeft;
    }
}

VerticalAlign ToVertical(int value) {
    switch (alignment::Vertical(value)) {
        case alignment::kMiddle:
            return VerticalAlign::kMiddle;
        case alignment::kBottom:
            return VerticalAlign::kBottom;
        default:
            return VerticalAlign::kTop;
    }
}

QRect ToQRect(const Box& box) {
    return QRect(box.x, box.y, box.width, box.height);
}

bool IsEmpty(const Box& box) {
    return box.width <= 0 || box.height <= 0;
}

Box BoxOf(const PreviewRect& rect) {
    const auto size = [](std::int32_t from, std::int32_t to) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(
            std::int64_t{to} - from, 0, std::numeric_limits<std::int32_t>::max()));
    };
    return Box{rect.left, rect.top, size(rect.left, rect.right), size(rect.top, rect.bottom)};
}

// The white wash over a disabled element.
const QColor kDisabledWash(255, 255, 255, 128);
// The frame of a GRID header cell.
constexpr Rgb kHeaderFrame{0x88, 0x88, 0x88};
// The meter's cursor turns from kSweepStart (the lowest value) to
// kSweepStart + kSweep degrees, clockwise.
constexpr double kSweepStart = -135.0;
constexpr double kSweep = 270.0;

// Paints the elements of one dialog after DrawPreview has placed them.
class LookPainter {
public:
    LookPainter(QPainter& painter, DeviceLook& look, const UnitContext& units,
                std::int32_t expandPercent)
        : expandPercent_(expandPercent),
          painter_(painter),
          look_(look),
          canvas_(painter, look.Labels()),
          units_(units),
          folders_{look.Sources().projectFolder, look.Sources().builtInFolder} {
        if (const QPaintDevice* device = painter.device()) {
            bounds_ = QRect(0, 0, device->width(), device->height());
            const QTransform toDevice = painter.combinedTransform();
            if (!toDevice.isIdentity()) {
                bounds_ = toDevice.inverted().mapRect(bounds_).adjusted(-1, -1, 1, 1);
            }
        }
    }

    void Fill(const Box& box, Rgb colour) { canvas_.FillBox(box, colour); }

    void Element(CObjectData& element) {
        const LookItems items(element.Items());
        if (IsTrueText(items[kHide])) {
            return;
        }
        const Box box =
            ShrinkBox(BoxOf(element.GetPreviewRect()), ParseInsets(items[kMargin], units_));
        const bool shown = Shows(box);
        if (shown) {
            if (const std::optional<Rgb> fill = ParseLookColour(items[kBGColor])) {
                canvas_.FillBox(box, *fill);
            }
            if (!element.IsGroup()) {
                Object(element, items, ShrinkBox(box, ParseInsets(items[kPadding], units_)));
            }
        }
        if (element.IsGroup()) {
            for (CObjectData* child : static_cast<CObjectDataList&>(element).GetChildren()) {
                Element(*child);
            }
        }
        if (shown && IsTrueText(items[kDisable])) {
            painter_.fillRect(ToQRect(box), kDisabledWash);
        }
    }

private:
    bool Shows(const Box& box) const {
        if (IsEmpty(box)) {
            return false;
        }
        const std::int64_t right = std::int64_t{box.x} + box.width;
        const std::int64_t bottom = std::int64_t{box.y} + box.height;
        return bounds_.isNull() || (right > bounds_.left() && bottom > bounds_.top() &&
                                    box.x <= bounds_.right() && box.y <= bounds_.bottom());
    }

    void Object(CObjectData& element, const LookItems& items, const Box& content) {
        if (IsEmpty(content)) {
            return;
        }
        const ObjectType type = ObjectTypeIndex(items[kType]);
        const bool on = IsOnValue(items[kValue]);
        switch (type) {
            case ObjectType::kProgress:
            case ObjectType::kSlidebar:
                Bar(items, content, type == ObjectType::kSlidebar);
                return;
            case ObjectType::kMeter:
                Meter(items, content);
                return;
            case ObjectType::kGrid:
                Header(element, items, content);
                return;
            case ObjectType::kText:
                Text(items, items[kText], content, type);
                return;
            case ObjectType::kEdit:
                Image(items, items[kFile], content);
                Text(items, items[kValue], content, type);
                return;
            case ObjectType::kButton:
                Image(items, items[kFileOff], content);
                Text(items, items[kText], content, type);
                return;
            case ObjectType::kCheckbox:
            case ObjectType::kRadioButton:
                Image(items, items[on ? kFileOn : kFileOff], content);
                Text(items, items[kText], content, type);
                return;
            case ObjectType::kToggle:
                Image(items, items[on ? kFileOn : kFileOff], content);
                Text(items, items[on ? kTextOn : kTextOff], content, type);
                return;
            case ObjectType::kPicture:
            case ObjectType::kCanvas:
            case ObjectType::kGraph:
                Image(items, items[kFile], content);
                return;
            case ObjectType::kPulldown:
                Image(items, items[kFileOff], content);
                return;
            default:
                return;
        }
    }

    // The image file names, from the first place that has it; every distinct
    // reference is looked up once per paint.
    QImage Load(const LookItems& items, std::string_view file) {
        if (file.empty()) {
            return QImage();
        }
        key_.assign(file);
        key_ += '\0';
        key_ += items[kFileSource];
        key_ += '\0';
        key_ += items[kFilePath];
        const auto found = loaded_.find(key_);
        if (found != loaded_.end()) {
            return found->second;
        }
        QImage image;
        for (const std::string& path :
             ImageCandidates(file, items[kFileSource], items[kFilePath], folders_)) {
            image = look_.Images().Find(path);
            if (!image.isNull()) {
                break;
            }
        }
        loaded_.emplace(key_, image);
        return image;
    }

    void Image(const LookItems& items, std::string_view file, const Box& box) {
        if (file.empty() || IsEmpty(box)) {
            return;
        }
        const QImage image = Load(items, file);
        if (!image.isNull()) {
            painter_.drawImage(ToQRect(box), image);
        }
    }

    void Text(const LookItems& items, std::string_view text, const Box& box, ObjectType type) {
        DrawText(text, items[kTSize], items[kTColor], items[kTAlign], DefaultAlignment(type), box);
    }

    void DrawText(std::string_view text, std::string_view size, std::string_view colour,
                  std::string_view align, int defaultAlign, const Box& box) {
        if (text.empty() || IsKeyword(colour, "TRANSPARENT")) {
            return;
        }
        if (expandPercent_ > 0) {
            expanded_ = ExpandedText(text, expandPercent_);
            text = expanded_;
        }
        const int placement = align.empty() ? defaultAlign : ParseAlignment(align);
        TextStyle style;
        style.fontFace = preview_style::kLabelFontFace;
        style.fontHeight = TextSizeInPixels(size, units_);
        style.horizontal = ToHorizontal(placement);
        style.vertical = ToVertical(placement);
        style.colour = ParseLookColour(colour).value_or(Rgb{0, 0, 0});
        canvas_.DrawText(box, text, style);
    }

    // PROGRESS and SLIDEBAR: the base across the box, the active image over
    // the part up to the value, a slider's thumb at the value.
    void Bar(const LookItems& items, const Box& box, bool thumb) {
        Image(items, items[kFileBase], box);
        const double fraction = ValueFraction(items[kValue], items[kMin], items[kMax]);
        const bool vertical = IsTrueText(items[kVertical]);
        const QImage active = Load(items, items[kFileActive]);
        if (!active.isNull() && fraction > 0) {
            const QRectF whole(ToQRect(box));
            QRectF target = whole;
            QRectF source(active.rect());
            if (vertical) {
                target.setTop(whole.bottom() + 1 - std::round(whole.height() * fraction));
                source.setTop(source.height() * (1 - fraction));
            } else {
                target.setWidth(std::round(whole.width() * fraction));
                source.setWidth(source.width() * fraction);
            }
            painter_.drawImage(target, active, source);
        }
        const QImage knob = thumb ? Load(items, items[kFileThumb]) : QImage();
        if (knob.isNull() || knob.width() <= 0 || knob.height() <= 0) {
            return;
        }
        // The thumb keeps its proportions across the bar's thickness and
        // travels so that it stays inside the bar.
        if (vertical) {
            const double height =
                std::min<double>(box.height, box.width * double(knob.height()) / knob.width());
            const double top = box.y + (box.height - height) * (1 - fraction);
            painter_.drawImage(QRectF(box.x, top, box.width, height), knob);
        } else {
            const double width =
                std::min<double>(box.width, box.height * double(knob.width()) / knob.height());
            const double left = box.x + (box.width - width) * fraction;
            painter_.drawImage(QRectF(left, box.y, width, box.height), knob);
        }
    }

    // METER: the base, the cursor turned by the value about its centre
    // position, the top.
    void Meter(const LookItems& items, const Box& box) {
        const QImage base = Load(items, items[kFileBase]);
        if (!base.isNull()) {
            painter_.drawImage(ToQRect(box), base);
        }
        const QImage cursor = Load(items, items[kFileCursor]);
        if (!cursor.isNull()) {
            // The cursor is drawn at the scale the base gets.
            double scaleX = 1;
            double scaleY = 1;
            QPointF centre(box.x + box.width / 2.0, box.y + box.height / 2.0);
            if (!base.isNull()) {
                scaleX = double(box.width) / base.width();
                scaleY = double(box.height) / base.height();
                if (const auto pivot = ParseLookPoint(items[kCenterPosBase])) {
                    centre = QPointF(box.x + pivot->x * scaleX, box.y + pivot->y * scaleY);
                }
            }
            const LookPoint pivot =
                ParseLookPoint(items[kCenterPosCursor])
                    .value_or(LookPoint{cursor.width() / 2.0, cursor.height() / 2.0});
            const double fraction = ValueFraction(items[kValue], items[kMin], items[kMax]);
            painter_.save();
            painter_.translate(centre);
            painter_.rotate(kSweepStart + kSweep * fraction);
            painter_.scale(scaleX, scaleY);
            painter_.drawImage(QPointF(-pivot.x, -pivot.y), cursor);
            painter_.restore();
        }
        Image(items, items[kFileTop], box);
    }

    // GRID: its header row, one cell of equal width per header column. A
    // header stores no text, so each cell shows its column number.
    void Header(CObjectData& element, const LookItems& items, const Box& box) {
        std::vector<LookItems> columns;
        for (const ZeClass* column : element.GetHeaders()) {
            columns.emplace_back(column->Items());
        }
        if (columns.empty()) {
            return;
        }
        const auto count = static_cast<std::int64_t>(columns.size());
        const auto cellAt = [&](std::size_t index, std::int32_t height) {
            const auto edge = [&](std::size_t at) {
                return static_cast<std::int32_t>(box.x +
                                                 box.width * static_cast<std::int64_t>(at) / count);
            };
            return Box{edge(index), box.y, edge(index + 1) - edge(index), height};
        };
        std::int32_t rowHeight = HeightOr(items[kColumnHeight], units_, 0);
        if (rowHeight == 0) {
            for (std::size_t i = 0; i < columns.size(); ++i) {
                rowHeight =
                    std::max(rowHeight, look_.Labels()
                                            .Get(ColumnNumber(i), preview_style::kLabelFontFace,
                                                 TextSizeInPixels(columns[i][kTSize], units_),
                                                 cellAt(i, 0).width)
                                            .lineHeight);
            }
        }
        rowHeight = std::min(rowHeight, box.height);
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const LookItems& column = columns[i];
            const Box cell = cellAt(i, rowHeight);
            const Box inner = ShrinkBox(cell, ParseInsets(column[kMargin], units_));
            if (const std::optional<Rgb> fill = ParseLookColour(column[kBGColor])) {
                canvas_.FillBox(inner, *fill);
            }
            canvas_.FrameBox(cell, kHeaderFrame);
            DrawText(ColumnNumber(i), column[kTSize], column[kTColor], column[kTAlign],
                     alignment::kLeft + 3 * alignment::kMiddle, inner);
        }
    }

    const std::string& ColumnNumber(std::size_t index) {
        number_ = std::to_string(index + 1);
        return number_;
    }

    std::int32_t expandPercent_;
    QPainter& painter_;
    DeviceLook& look_;
    PainterCanvas canvas_;
    const UnitContext& units_;
    ImageFolders folders_;
    QRect bounds_;
    std::unordered_map<std::string, QImage> loaded_;
    std::string key_;
    std::string number_;
    std::string expanded_;
};

// Laid-out texts kept at most; a window resized many times would otherwise
// keep every width it had.
constexpr std::size_t kMaxLabels = 20000;

}  // namespace

void PaintDeviceLook(QPainter& painter, const CZeResourceData& project, CZeDialogData& dialog,
                     QSize client, DeviceLook& look, std::int32_t expandPercent) {
    CObjectDataList* root = dialog.GetRootGroup();
    if (root == nullptr) {
        return;
    }
    NullCanvas placing;
    DrawPreview(project, dialog, placing, client.width(), client.height());
    const PreviewPage page = PreviewPageOf(project, dialog, client.width(), client.height());
    if (look.Labels().Size() > kMaxLabels) {
        look.Labels().Clear();
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    {
        LookPainter paint(painter, look, page.context.units, expandPercent);
        paint.Fill(page.page, preview_style::kPage);
        paint.Element(*root);
    }
    painter.restore();
}

}  // namespace ze
