#include "app/panes/image_list_ctrl.h"

#include <QApplication>
#include <QDrag>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>

#include "common/cp932.h"
#include "layout/qt/painter_canvas.h"
#include "panels/tree_drag.h"

namespace ze::app {

namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QByteArray ToBytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QFont PaneFont(int pixelHeight) {
    // "ＭＳ ゴシック" in Shift_JIS.
    static const std::string face =
        Utf8ToCp932("\xEF\xBC\xAD\xEF\xBC\xB3 \xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF");
    return LabelCache::FontFor(face, pixelHeight);
}

CImageListCtrl::CImageListCtrl(int mode, QWidget* parent)
    : QAbstractScrollArea(parent), mode_(mode), labelFont_(PaneFont(kLabelPixelHeight)) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    UpdateLayout();
}

int CImageListCtrl::Pitch() const {
    return kCellSize + CaptionLineCount(mode_) * kLineHeight;
}

int CImageListCtrl::ImagesPerRowFor(int viewportWidth, int pitch) {
    return std::clamp(viewportWidth / pitch, 1, kMaxColumns);
}

int CImageListCtrl::Count() const {
    return list_ ? static_cast<int>(list_->Size()) : 0;
}

void CImageListCtrl::SetList(const CDibImageList* list) {
    list_ = list;
    selected_ = -1;
    if (!selectedName_.empty()) {
        for (int i = 0; i < Count(); ++i) {
            if (list_->At(static_cast<std::size_t>(i)).Name() == selectedName_) {
                selected_ = i;
                break;
            }
        }
    }
    if (selected_ < 0) {
        selectedName_.clear();
    }
    Redraw();
}

void CImageListCtrl::Redraw() {
    UpdateLayout();
    viewport()->update();
}

void CImageListCtrl::UpdateLayout() {
    const int pitch = Pitch();
    perRow_ = ImagesPerRowFor(viewport()->width(), pitch);
    const int rows = (Count() + perRow_ - 1) / perRow_;
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, std::max(0, rows * pitch - viewport()->height()));
    bar->setPageStep(std::max(1, viewport()->height()));
    bar->setSingleStep(pitch);
}

void CImageListCtrl::Select(int index) {
    if (index < 0 || index >= Count()) {
        return;
    }
    selected_ = index;
    selectedName_ = list_->At(static_cast<std::size_t>(index)).Name();
    viewport()->update();
}

void CImageListCtrl::SelectByName(std::string_view sjisName) {
    const std::string name = Cp932ToUtf8(sjisName);
    for (int i = 0; i < Count(); ++i) {
        if (list_->At(static_cast<std::size_t>(i)).Name() == name) {
            Select(i);
            return;
        }
    }
}

std::optional<PaneEntry> CImageListCtrl::SelectedEntry() const {
    if (selected_ < 0 || selected_ >= Count()) {
        return std::nullopt;
    }
    const CDibImage& image = list_->At(static_cast<std::size_t>(selected_));
    return PaneEntry{EntryKindOf(mode_), Utf8ToCp932(RequestText(mode_, image.Name()))};
}

QRect CImageListCtrl::CellRect(int index) const {
    const int pitch = Pitch();
    const int row = index / perRow_;
    const int column = index % perRow_;
    return QRect(column * pitch, row * pitch - verticalScrollBar()->value(), pitch, pitch);
}

int CImageListCtrl::CellAt(QPoint position) const {
    const int pitch = Pitch();
    if (position.x() < 0 || position.y() < 0) {
        return -1;
    }
    const int column = position.x() / pitch;
    if (column >= perRow_) {
        return -1;
    }
    const int row = (position.y() + verticalScrollBar()->value()) / pitch;
    const long long index = static_cast<long long>(row) * perRow_ + column;
    return index < Count() ? static_cast<int>(index) : -1;
}

QString CImageListCtrl::CaptionText(int index, const QString& separator) const {
    const CDibImage& image = list_->At(static_cast<std::size_t>(index));
    const std::vector<std::string> lines =
        CaptionLines(mode_, image.Name(), image.Width(), image.Height(), image.BitsPerPixel());
    QStringList texts;
    for (const std::string& line : lines) {
        texts.append(FromUtf8(line));
    }
    return texts.join(separator);
}

QString CImageListCtrl::ToolTipAt(QPoint position) const {
    const int index = CellAt(position);
    return index < 0 ? QString() : CaptionText(index, QStringLiteral("\n"));
}

QSize CImageListCtrl::sizeHint() const {
    return QSize(6 * Pitch() + verticalScrollBar()->sizeHint().width() + 2 * frameWidth(),
                 2 * Pitch() + 2 * frameWidth());
}

void CImageListCtrl::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QPalette& colours = palette();
    const int pitch = Pitch();
    const int count = Count();
    const QRect dirty = event->rect();
    const QFontMetrics metrics(labelFont_);
    painter.setFont(labelFont_);
    const int firstRow = verticalScrollBar()->value() / pitch;
    for (int index = firstRow * perRow_; index < count; ++index) {
        const QRect cell = CellRect(index);
        if (cell.top() > dirty.bottom()) {
            break;
        }
        if (!cell.intersects(dirty)) {
            continue;
        }
        const bool selected = index == selected_;
        painter.fillRect(cell, colours.color(selected ? QPalette::Highlight : QPalette::Base));
        const QImage& image = list_->At(static_cast<std::size_t>(index)).ToQImage();
        const QSize fitted = image.size().scaled(kCellSize, kCellSize, Qt::KeepAspectRatio);
        const QRect target(cell.x() + (pitch - fitted.width()) / 2,
                           cell.y() + (kCellSize - fitted.height()) / 2, fitted.width(),
                           fitted.height());
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.drawImage(target, image);
        painter.setPen(colours.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const QStringList lines = CaptionText(index, QStringLiteral("\n")).split(u'\n');
        for (int line = 0; line < lines.size(); ++line) {
            const QRect box(cell.x() + 1, cell.y() + kCellSize + line * kLineHeight, pitch - 2,
                            kLineHeight);
            painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine,
                             metrics.elidedText(lines[line], Qt::ElideRight, box.width()));
        }
    }
    // Grid lines: the right and bottom edge of every cell position, as far as
    // the rows reach.
    const int rows = (count + perRow_ - 1) / perRow_;
    if (rows == 0) {
        return;
    }
    painter.setPen(colours.color(QPalette::Mid));
    const int top = -verticalScrollBar()->value();
    const int bottom = top + rows * pitch;
    for (int column = 1; column <= perRow_; ++column) {
        painter.drawLine(column * pitch - 1, top, column * pitch - 1, bottom - 1);
    }
    for (int row = 1; row <= rows; ++row) {
        painter.drawLine(0, top + row * pitch - 1, perRow_ * pitch - 1, top + row * pitch - 1);
    }
}

void CImageListCtrl::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateLayout();
}

void CImageListCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    Select(CellAt(event->position().toPoint()));
    pressedAt_ = event->position().toPoint();
}

// An entry of the insert grid dragged away is a new object or group of its
// type for the tree or a preview; an image is a value for an image row or
// an object of a preview.
void CImageListCtrl::mouseMoveEvent(QMouseEvent* event) {
    const PaneEntryKind kind = EntryKindOf(mode_);
    if (!pressedAt_ || !(event->buttons() & Qt::LeftButton) ||
        kind == PaneEntryKind::kClipboard || selected_ < 0 ||
        (event->position().toPoint() - *pressedAt_).manhattanLength() <
            QApplication::startDragDistance()) {
        return;
    }
    pressedAt_.reset();
    const CDibImage& image = list_->At(static_cast<std::size_t>(selected_));
    const std::string text = RequestText(mode_, image.Name());
    auto* drag = new QDrag(this);
    drag->setMimeData(kind == PaneEntryKind::kInsertType
                          ? panels::InsertTypeMime(QString::fromStdString(text))
                          : panels::ImageMime({kind, ToBytes(Utf8ToCp932(text))}));
    drag->setPixmap(QPixmap::fromImage(image.ToQImage()));
    drag->exec(Qt::CopyAction);
}

void CImageListCtrl::mouseReleaseEvent(QMouseEvent* event) {
    pressedAt_.reset();
    event->setAccepted(event->button() == Qt::LeftButton);
}

void CImageListCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    const int index = CellAt(event->position().toPoint());
    if (index < 0) {
        return;
    }
    Select(index);
    const CDibImage& image = list_->At(static_cast<std::size_t>(index));
    emit EntryChosen(EntryKindOf(mode_), ToBytes(Utf8ToCp932(RequestText(mode_, image.Name()))));
}

bool CImageListCtrl::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = ToolTipAt(help->pos());
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, viewport(), CellRect(CellAt(help->pos())));
        }
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

}  // namespace ze::app
