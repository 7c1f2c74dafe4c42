#pragma once

#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <cstdint>

#include "layout/qt/painter_canvas.h"

namespace ze {

class CZeDialogData;
class CZeResourceData;
class DeviceLook;

// Fills rect with the editor view's background: a 16 × 16 tile of 8 × 8
// squares, grey (128,128,128) top-left and light grey (192,192,192).
void FillCheckeredBackground(QPainter& painter, const QRect& rect);

// What the editor's view paints: the checkered background over the whole
// client area, then the dialog's preview: its structure (frames and labels,
// the default) or, with a device look set, the dialog as the device shows
// it. Keeps the elided labels between paints of the same size.
class ViewPainter {
public:
    // Null (the default) paints the structure; the look is not owned.
    void SetDeviceLook(DeviceLook* look) { look_ = look; }
    DeviceLook* GetDeviceLook() const { return look_; }
    // The device look's texts lengthened by this share of themselves.
    void SetTextExpansion(std::int32_t percent) { expandPercent_ = percent; }
    std::int32_t TextExpansion() const { return expandPercent_; }

    // The client area is the image.
    void Paint(QImage& image, const CZeResourceData& project, CZeDialogData& dialog);
    void Paint(QPainter& painter, const QSize& client, const CZeResourceData& project,
               CZeDialogData& dialog);
    // The background fills area; the dialog is laid out in a client area of
    // layout's size and drawn magnified by scale, its top-left corner at
    // -offset. Scale 1 at offset 0 with layout equal to area is the plain
    // paint above.
    void Paint(QPainter& painter, const QSize& area, const QSize& layout, double scale,
               const QPointF& offset, const CZeResourceData& project, CZeDialogData& dialog);

    const LabelCache& Labels() const { return labels_; }

private:
    LabelCache labels_;
    QSize lastSize_;
    DeviceLook* look_ = nullptr;
    std::int32_t expandPercent_ = 0;
};

}  // namespace ze
