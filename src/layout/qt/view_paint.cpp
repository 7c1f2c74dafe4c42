#include "layout/qt/view_paint.h"

#include <QBrush>

#include "layout/off_page_marks.h"
#include "layout/preview_layout.h"
#include "layout/qt/device_look.h"
#include "model/dialog_data.h"
#include "model/resource_data.h"

namespace ze {

namespace {

QImage CheckerTile() {
    QImage tile(16, 16, QImage::Format_RGB32);
    const QRgb grey = qRgb(128, 128, 128);
    const QRgb light = qRgb(192, 192, 192);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            tile.setPixel(x, y, ((x / 8) + (y / 8)) % 2 == 0 ? grey : light);
        }
    }
    return tile;
}

}  // namespace

void FillCheckeredBackground(QPainter& painter, const QRect& rect) {
    static const QImage tile = CheckerTile();
    QBrush brush;
    brush.setTextureImage(tile);
    painter.save();
    painter.setBrushOrigin(0, 0);
    painter.fillRect(rect, brush);
    painter.restore();
}

void ViewPainter::Paint(QImage& image, const CZeResourceData& project, CZeDialogData& dialog) {
    QPainter painter(&image);
    Paint(painter, image.size(), project, dialog);
}

void ViewPainter::Paint(QPainter& painter, const QSize& client, const CZeResourceData& project,
                        CZeDialogData& dialog) {
    Paint(painter, client, client, 1.0, QPointF(0, 0), project, dialog);
}

void ViewPainter::Paint(QPainter& painter, const QSize& area, const QSize& layout, double scale,
                        const QPointF& offset, const CZeResourceData& project,
                        CZeDialogData& dialog) {
    if (layout != lastSize_) {
        labels_.Clear();
        lastSize_ = layout;
    }
    FillCheckeredBackground(painter, QRect(QPoint(0, 0), area));
    painter.save();
    painter.translate(-offset);
    painter.scale(scale, scale);
    PainterCanvas canvas(painter, labels_);
    if (look_ != nullptr) {
        PaintDeviceLook(painter, project, dialog, layout, *look_, expandPercent_);
    } else {
        DrawPreview(project, dialog, canvas, layout.width(), layout.height(), nullptr,
                    expandPercent_);
    }
    DrawOffPageMarks(project, dialog, canvas, layout.width(), layout.height());
    painter.restore();
}

}  // namespace ze
