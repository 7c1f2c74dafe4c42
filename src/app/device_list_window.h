#pragma once

#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <vector>

#include "app/device_sizes.h"
#include "app/dialog_view.h"
#include "layout/layout_checks.h"
#include "layout/qt/font_measure.h"
#include "model/editing/project_observer.h"

class QCheckBox;
class QLabel;
class QScrollArea;
class QSpinBox;
class QTableWidget;

namespace ze {
class CZeDialogData;
class CZeResourceData;
class MessageSink;
}  // namespace ze

namespace ze::app {

class CProfileSettings;
class CZeDialogEditorDoc;

// "デバイス一覧の編集": the list of device sizes as a table of name, width,
// height and orientation. OK keeps the list only when every row reads; a
// row that does not is named in a warning and the table stays open.
class CDeviceListEditor : public QDialog {
    Q_OBJECT

public:
    CDeviceListEditor(const std::vector<DeviceSize>& sizes, MessageSink& messages,
                      QWidget* parent = nullptr);

    QTableWidget& Table() { return *table_; }
    // The list as edited; valid after accept().
    const std::vector<DeviceSize>& Sizes() const { return sizes_; }

    void accept() override;

private:
    void AddRow(const DeviceSize& size);

    MessageSink& messages_;
    QTableWidget* table_;
    std::vector<DeviceSize> sizes_;
};

// "デバイス一覧": the current dialog laid out at the project's device size
// and at each size of the user's list, side by side in rows, each in a tile
// of its own with its name and size above it. The tiles share the window's
// room at one zoom, so the devices keep their sizes to one another, and
// grow and shrink with the window. The tiles follow edits through the project's change
// notification, as the dialog windows do; a click in a tile selects as a
// click in a dialog window. "テキスト拡張" lengthens the texts of the
// device mode by a share of themselves; a tile frames in dashed red the
// elements whose text does not fit or that reach outside its page.
class CDeviceListWindow : public QWidget, private ProjectObserver {
    Q_OBJECT

public:
    // The window's first size holds three tiles of about this size.
    static constexpr int kTileWidth = 320;
    static constexpr int kTileHeight = 440;
    // Between tiles, and between a tile's caption and its page.
    static constexpr int kTileGap = 6;

    CDeviceListWindow(CZeResourceData& project, const ViewServices& services,
                      CProfileSettings& settings, MessageSink& messages, QWidget* parent = nullptr);
    ~CDeviceListWindow() override;

    // The dialog the tiles show (null: none).
    void ShowDialog(CZeDialogData* dialog);
    CZeDialogData* ShownDialog() const;

    // The project's size first, then the list's.
    int TileCount() const { return static_cast<int>(tiles_.size()); }
    CZeDialogEditorView& TileView(int index) const;
    QString TileCaption(int index) const;

    const std::vector<DeviceSize>& Sizes() const { return sizes_; }
    // Keeps sizes in the settings and shows them.
    void SetSizes(const std::vector<DeviceSize>& sizes);
    // Opens the list editor; its OK replaces the list.
    void EditSizes();

    // "テキスト拡張", 0 to 100 %, kept in the settings.
    void SetTextExpansion(int percent);
    int TextExpansion() const;
    // What the "問題" tab checks for this list.
    LayoutCheckOptions CheckOptions() const;
    // Shows the window in front of the others. Without takeFocus the
    // keyboard focus stays in the window the user works in: a window that
    // only points at something must not take the keys the user types next
    // (Ctrl+Z went nowhere).
    void Present(bool takeFocus);
    // Scrolls the tile of a list entry of that page size into view (the
    // project's tile when no entry has it) and raises the window without
    // taking the focus; its index, or -1 for none.
    int RevealSize(QSize size);
    // Lays the shown dialog out at every tile's size now rather than a
    // moment after the last change, and frames what does not fit.
    void FlagNow();

signals:
    // The sizes or the text expansion changed.
    void CheckOptionsChanged(const ze::LayoutCheckOptions& options);

protected:
    // The first show places the window within the screen.
    void showEvent(QShowEvent* event) override;
    // Gives the activation back that a show without the focus brought.
    void changeEvent(QEvent* event) override;
    // The tiles flow again when the room for them changes.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Tile {
        QWidget* box = nullptr;
        QLabel* caption = nullptr;
        CZeDialogEditorView* view = nullptr;
    };

    void DialogRemoving(CZeDialogData& dialog) override;
    void ProjectEmptied() override;
    void ElementsChanged(const ElementChange& change) override;
    void HistoryMoved(CZeDialogData& dialog) override;
    void RebuildTiles();
    // Zooms and places the tiles to fill the room the window gives them.
    void ArrangeTiles();
    void UpdateProjectTile();
    // Clears the tiles' frames at once and lays out again a moment later.
    void FlagLater();
    QSize TileSize(std::size_t index) const;
    PreviewLook TileLook() const;

    CZeResourceData& project_;
    const ViewServices& services_;
    CProfileSettings& settings_;
    MessageSink& messages_;
    std::vector<DeviceSize> sizes_;
    std::shared_ptr<CZeDialogEditorDoc> document_;
    std::vector<std::unique_ptr<Tile>> tiles_;
    QLabel* title_;
    QCheckBox* deviceLook_;
    QSpinBox* expand_;
    QWidget* strip_;
    QScrollArea* scroll_ = nullptr;
    FontTextMeasure measure_;
    QTimer flagDelay_;
    bool placed_ = false;
    // The window the user worked in when this one was shown without the
    // focus, for as long as the window system may still activate this one.
    QPointer<QWidget> returnFocusTo_;
    QTimer returnFocusWindow_;
};

}  // namespace ze::app
