#pragma once

#include <QAbstractScrollArea>
#include <QByteArray>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "app/panes/dib_image.h"
#include "app/panes/image_captions.h"

namespace ze::app {

// A grid of images with captions, one per cell, filled row by row. The
// control keeps the selection itself: one selected cell or none.
class CImageListCtrl : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kCellSize = 50;
    static constexpr int kLineHeight = 15;
    static constexpr int kMaxColumns = 15;
    static constexpr int kLabelPixelHeight = 10;

    explicit CImageListCtrl(int mode, QWidget* parent = nullptr);

    int Mode() const { return mode_; }
    // 65 in modes 0 and 3, 80 in modes 1 and 2.
    int Pitch() const;
    // Viewport width / pitch, at least 1, at most 15.
    int ImagesPerRow() const { return perRow_; }
    static int ImagesPerRowFor(int viewportWidth, int pitch);

    // The list shown; not owned. After the list was filled again, call
    // SetList again: the selection follows its entry's name, or is dropped.
    void SetList(const CDibImageList* list);
    const CDibImageList* List() const { return list_; }
    void Redraw();

    // Selects the first entry named name (Shift_JIS, compared exactly with the
    // file name); without a match nothing changes.
    void SelectByName(std::string_view sjisName);
    void Select(int index);
    int SelectedIndex() const { return selected_; }
    std::optional<PaneEntry> SelectedEntry() const;

    // The cell under a viewport position, -1 outside every cell.
    int CellAt(QPoint position) const;
    // The cell's rectangle in viewport coordinates (as currently scrolled).
    QRect CellRect(int index) const;
    // The whole caption of the cell under position, empty outside.
    QString ToolTipAt(QPoint position) const;

    QSize sizeHint() const override;

signals:
    // A double click on a cell: its entry kind and request text (Shift_JIS).
    void EntryChosen(ze::PaneEntryKind kind, const QByteArray& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    int Count() const;
    void UpdateLayout();
    QString CaptionText(int index, const QString& separator) const;

    const int mode_;
    const CDibImageList* list_ = nullptr;
    int perRow_ = 1;
    int selected_ = -1;
    std::string selectedName_;
    // Where the left button went down on a cell (a drag starts from there).
    std::optional<QPoint> pressedAt_;
    QFont labelFont_;
};

// The font of the log pane: the Japanese gothic face with the fallbacks a
// Linux desktop has, at the given pixel height.
QFont PaneFont(int pixelHeight);

}  // namespace ze::app
