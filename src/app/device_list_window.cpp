#include "app/device_list_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/dialog_document.h"
#include "app/profile_settings.h"
#include "app/screen_fit.h"
#include "app/tile_flow.h"
#include "common/qt/sjis_qstring.h"
#include "layout/preview_layout.h"
#include "model/dialog_data.h"
#include "model/editing/selection.h"
#include "model/element_casts.h"
#include "model/message_sink.h"
#include "model/resource_data.h"
#include "panels/editor_panel.h"

namespace ze::app {

namespace {

enum Column { kName, kWidth, kHeight, kTurn, kColumnCount };

}  // namespace

// --- CDeviceListEditor -------------------------------------------------------

CDeviceListEditor::CDeviceListEditor(const std::vector<DeviceSize>& sizes, MessageSink& messages,
                                     QWidget* parent)
    : QDialog(parent), messages_(messages), table_(new QTableWidget(0, kColumnCount, this)) {
    setWindowTitle(QCoreApplication::translate("Editor", "デバイス一覧の編集"));
    table_->setHorizontalHeaderLabels({QCoreApplication::translate("Editor", "名前"),
                                       QCoreApplication::translate("Editor", "幅"),
                                       QCoreApplication::translate("Editor", "高さ"),
                                       QCoreApplication::translate("Editor", "向き")});
    table_->horizontalHeader()->setSectionResizeMode(kName, QHeaderView::Stretch);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 10);
    for (const DeviceSize& size : sizes) {
        AddRow(size);
    }

    auto* add = new QPushButton(QCoreApplication::translate("Editor", "追加"), this);
    auto* remove = new QPushButton(QCoreApplication::translate("Editor", "削除"), this);
    auto* defaults = new QPushButton(QCoreApplication::translate("Editor", "初期設定に戻す"), this);
    connect(add, &QPushButton::clicked, this, [this] {
        AddRow({QCoreApplication::translate("Editor", "新しいデバイス"), 360, 640, false});
        table_->setCurrentCell(table_->rowCount() - 1, kName);
        table_->editItem(table_->item(table_->rowCount() - 1, kName));
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        const int row = table_->currentRow();
        if (row >= 0) {
            table_->removeRow(row);
        }
    });
    connect(defaults, &QPushButton::clicked, this, [this] {
        table_->setRowCount(0);
        for (const DeviceSize& size : DefaultDeviceSizes()) {
            AddRow(size);
        }
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDeviceListEditor::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDeviceListEditor::reject);

    auto* side = new QVBoxLayout;
    side->addWidget(add);
    side->addWidget(remove);
    side->addWidget(defaults);
    side->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addWidget(table_, 1);
    middle->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(middle);
    layout->addWidget(buttons);
    resize(560, 360);
}

void CDeviceListEditor::AddRow(const DeviceSize& size) {
    const int row = table_->rowCount();
    table_->insertRow(row);
    table_->setItem(row, kName, new QTableWidgetItem(size.name));
    table_->setItem(row, kWidth, new QTableWidgetItem(QString::number(size.width)));
    table_->setItem(row, kHeight, new QTableWidgetItem(QString::number(size.height)));
    auto* turn = new QComboBox(table_);
    turn->addItems(
        {QCoreApplication::translate("Editor", "縦"), QCoreApplication::translate("Editor", "横")});
    turn->setCurrentIndex(size.landscape ? 1 : 0);
    table_->setCellWidget(row, kTurn, turn);
}

void CDeviceListEditor::accept() {
    std::vector<DeviceSize> sizes;
    for (int row = 0; row < table_->rowCount(); ++row) {
        const auto text = [this, row](int column) {
            const QTableWidgetItem* item = table_->item(row, column);
            return item == nullptr ? QString() : item->text().trimmed();
        };
        DeviceSize size;
        size.name = text(kName);
        bool widthRead = false;
        bool heightRead = false;
        size.width = text(kWidth).toInt(&widthRead);
        size.height = text(kHeight).toInt(&heightRead);
        const auto* turn = qobject_cast<const QComboBox*>(table_->cellWidget(row, kTurn));
        size.landscape = turn != nullptr && turn->currentIndex() == 1;
        const auto inRange = [](int side) { return side > 0 && side <= kMaxDeviceSide; };
        QString problem;
        if (size.name.isEmpty()) {
            problem = QCoreApplication::translate("Editor", "名前を入力してください。");
        } else if (!widthRead || !heightRead || !inRange(size.width) || !inRange(size.height)) {
            problem = QCoreApplication::translate(
                          "Editor", "幅と高さは 1 から %1 までの整数で入力してください。")
                          .arg(kMaxDeviceSide);
        }
        if (!problem.isEmpty()) {
            table_->setCurrentCell(row, size.name.isEmpty() ? kName : kWidth);
            messages_.ShowMessage(
                QStringToSjisForDisplay(
                    QCoreApplication::translate("Editor", "%1 行目: %2").arg(row + 1).arg(problem)),
                MessageIcon::kWarning);
            return;
        }
        sizes.push_back(size);
    }
    sizes_ = std::move(sizes);
    QDialog::accept();
}

// --- CDeviceListWindow -------------------------------------------------------

CDeviceListWindow::CDeviceListWindow(CZeResourceData& project, const ViewServices& services,
                                     CProfileSettings& settings, MessageSink& messages,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window),
      project_(project),
      services_(services),
      settings_(settings),
      messages_(messages),
      sizes_(ReadDeviceSizes(settings)),
      document_(std::make_shared<CZeDialogEditorDoc>(project)),
      title_(new QLabel(this)),
      deviceLook_(new QCheckBox(QCoreApplication::translate("Editor", "デバイス表示"), this)),
      expand_(new QSpinBox(this)),
      strip_(new QWidget) {
    setWindowTitle(QCoreApplication::translate("Editor", "デバイス一覧"));
    deviceLook_->setEnabled(services_.look != nullptr);
    deviceLook_->setChecked(services_.look != nullptr);
    connect(deviceLook_, &QCheckBox::toggled, this, [this] {
        for (const auto& tile : tiles_) {
            tile->view->SetLook(TileLook());
        }
    });
    auto* edit = new QPushButton(QCoreApplication::translate("Editor", "一覧の編集..."), this);
    connect(edit, &QPushButton::clicked, this, [this] { EditSizes(); });
    auto* expandLabel = new QLabel(QCoreApplication::translate("Editor", "テキスト拡張"), this);
    expandLabel->setBuddy(expand_);
    expand_->setObjectName(QStringLiteral("TextExpansion"));
    expand_->setRange(0, 100);
    expand_->setSingleStep(10);
    expand_->setSuffix(QStringLiteral(" %"));
    expand_->setValue(ReadTextExpansion(settings_));
    expand_->setToolTip(QCoreApplication::translate(
        "Editor", "デバイス表示の各テキストを、その長さの指定した割合だけ長くして表示します。"));
    connect(expand_, &QSpinBox::valueChanged, this, [this](int percent) {
        WriteTextExpansion(settings_, percent);
        for (const auto& tile : tiles_) {
            tile->view->SetTextExpansion(percent);
        }
        FlagLater();
        emit CheckOptionsChanged(CheckOptions());
    });
    // A burst of edits or spin steps is laid out once.
    flagDelay_.setSingleShot(true);
    flagDelay_.setInterval(100);
    connect(&flagDelay_, &QTimer::timeout, this, &CDeviceListWindow::FlagNow);
    // Long enough for a window manager to act on a show; short enough that
    // the user's own click into this window is never turned away.
    returnFocusWindow_.setSingleShot(true);
    returnFocusWindow_.setInterval(1000);
    connect(&returnFocusWindow_, &QTimer::timeout, this, [this] { returnFocusTo_ = nullptr; });
    // The Edit keys work here as in the main window, which shares its
    // actions with this window; Delete, which the main window leaves to
    // its tree, deletes the elements the tiles show picked (never a whole
    // dialog: the tiles show its content, not the dialog).
    auto* remove = new QShortcut(QKeySequence::Delete, this);
    connect(remove, &QShortcut::activated, this, [this] {
        if (services_.edit != nullptr && AsObject(project_.GetSelection().Current()) != nullptr) {
            services_.edit->DeleteCurrent();
        }
    });

    auto* bar = new QHBoxLayout;
    bar->addWidget(title_, 1);
    bar->addWidget(expandLabel);
    bar->addWidget(expand_);
    bar->addWidget(deviceLook_);
    bar->addWidget(edit);

    // The tiles are placed by hand: a layout would give each the same
    // share, whatever the page it shows.
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(strip_);
    scroll_->setWidgetResizable(false);
    scroll_->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(scroll_, 1);
    resize(3 * (kTileWidth + 20), kTileHeight + 110);

    project_.Observers().Add(this);
    RebuildTiles();
}

CDeviceListWindow::~CDeviceListWindow() {
    project_.Observers().Remove(this);
    // The views stand on the document: they go first.
    for (const auto& tile : tiles_) {
        delete tile->box;
    }
}

void CDeviceListWindow::Present(bool takeFocus) {
    QWidget* working = QApplication::activeWindow();
    setAttribute(Qt::WA_ShowWithoutActivating, !takeFocus);
    show();
    raise();
    if (takeFocus) {
        returnFocusTo_ = nullptr;
        activateWindow();
        return;
    }
    // Not every window system leaves a window shown unactivated, and those
    // that activate it do so a moment later.
    if (working != nullptr && working != this) {
        returnFocusTo_ = working;
        returnFocusWindow_.start();
    }
}

void CDeviceListWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() &&
        returnFocusTo_ != nullptr && returnFocusWindow_.isActive()) {
        QWidget* working = returnFocusTo_;
        returnFocusTo_ = nullptr;
        returnFocusWindow_.stop();
        working->activateWindow();
    }
}

void CDeviceListWindow::showEvent(QShowEvent* event) {
    // Three tiles side by side are wider and taller than many screens; the
    // window manager would leave the rest below or beside the screen.
    if (!placed_) {
        placed_ = true;
        PlaceWithinScreen(*this);
    }
    QWidget::showEvent(event);
}

PreviewLook CDeviceListWindow::TileLook() const {
    return deviceLook_->isChecked() ? PreviewLook::kDevice : PreviewLook::kStructure;
}

void CDeviceListWindow::ShowDialog(CZeDialogData* dialog) {
    if (dialog == document_->GetDialog()) {
        return;
    }
    if (dialog == nullptr) {
        document_->OnCloseDocument();
    } else {
        document_->OpenDialog(*dialog);
    }
    title_->setText(dialog == nullptr ? QString() : document_->DialogTitle());
    for (const auto& tile : tiles_) {
        tile->view->DocumentChanged();
    }
    UpdateProjectTile();
    ArrangeTiles();
    FlagLater();
}

CZeDialogData* CDeviceListWindow::ShownDialog() const {
    return document_->GetDialog();
}

CZeDialogEditorView& CDeviceListWindow::TileView(int index) const {
    return *tiles_.at(static_cast<std::size_t>(index))->view;
}

QString CDeviceListWindow::TileCaption(int index) const {
    return tiles_.at(static_cast<std::size_t>(index))->caption->text();
}

void CDeviceListWindow::SetSizes(const std::vector<DeviceSize>& sizes) {
    sizes_ = sizes;
    if (!WriteDeviceSizes(settings_, sizes_)) {
        messages_.ShowMessage(QStringToSjisForDisplay(QCoreApplication::translate(
                                  "Editor", "設定ファイルに書き込めませんでした。")),
                              MessageIcon::kWarning);
    }
    RebuildTiles();
    emit CheckOptionsChanged(CheckOptions());
}

void CDeviceListWindow::EditSizes() {
    CDeviceListEditor editor(sizes_, messages_, this);
    if (editor.exec() == QDialog::Accepted) {
        SetSizes(editor.Sizes());
    }
}

void CDeviceListWindow::RebuildTiles() {
    for (const auto& tile : tiles_) {
        delete tile->box;
    }
    tiles_.clear();
    std::vector<DeviceSize> shown;
    shown.push_back({QCoreApplication::translate("Editor", "プロジェクト"), 0, 0,
                     false});  // its size follows the project
    shown.insert(shown.end(), sizes_.begin(), sizes_.end());
    for (const DeviceSize& size : shown) {
        auto tile = std::make_unique<Tile>();
        tile->box = new QWidget(strip_);
        tile->caption = new QLabel(size.Caption(), tile->box);
        tile->view = new CZeDialogEditorView(document_, services_, tile->box);
        tile->view->SetSizing(PreviewSizing::kDeviceSize);
        if (tiles_.empty()) {
            tile->view->SetDeviceSize(std::nullopt);
        } else {
            tile->view->SetDeviceSize(size.LayoutSize());
        }
        tile->view->SetLook(TileLook());
        tile->view->SetTextExpansion(expand_->value());
        tile->box->show();
        tiles_.push_back(std::move(tile));
    }
    UpdateProjectTile();
    ArrangeTiles();
    FlagLater();
}

bool CDeviceListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scroll_ && event->type() == QEvent::Resize) {
        ArrangeTiles();
    }
    return QWidget::eventFilter(watched, event);
}

void CDeviceListWindow::ArrangeTiles() {
    std::vector<TileContent> contents;
    contents.reserve(tiles_.size());
    for (const auto& tile : tiles_) {
        contents.push_back({tile->view->Viewport().LayoutSize(), tile->caption->sizeHint()});
    }
    // The room without scroll bars: the bars come and go with the flow,
    // which must not make the flow come and go with them.
    const TileFlow flow =
        FlowTiles(contents, scroll_->maximumViewportSize(), kTileGap, PreviewViewport::kMinZoom,
                  scroll_->verticalScrollBar()->sizeHint().width());
    for (std::size_t i = 0; i < tiles_.size(); ++i) {
        Tile& tile = *tiles_[i];
        const QSize page(ZoomedLength(contents[i].page.width(), flow.zoomPercent),
                         ZoomedLength(contents[i].page.height(), flow.zoomPercent));
        tile.box->setGeometry(flow.boxes[i]);
        tile.caption->setGeometry(0, 0, flow.boxes[i].width(), contents[i].caption.height());
        tile.view->setFixedSize(page);
        tile.view->move(0, contents[i].caption.height() + kTileGap);
        tile.view->ZoomAt(flow.zoomPercent, QPointF(0, 0));
    }
    strip_->setFixedSize(flow.extent);
}

void CDeviceListWindow::UpdateProjectTile() {
    if (tiles_.empty()) {
        return;
    }
    QSize size(0, 0);
    if (const CZeDialogData* dialog = document_->GetDialog()) {
        const UnitContext units = PreviewPageOf(project_, *dialog, 0, 0).context.units;
        size = QSize(units.deviceWidth, units.deviceHeight);
    }
    tiles_.front()->caption->setText(QStringLiteral("%1  %2 × %3")
                                         .arg(QCoreApplication::translate("Editor", "プロジェクト"))
                                         .arg(size.width())
                                         .arg(size.height()));
}

void CDeviceListWindow::ElementsChanged(const ElementChange& change) {
    // The project's device size may have changed.
    if (change.dialog == nullptr) {
        UpdateProjectTile();
        ArrangeTiles();
    }
    if (change.dialog == nullptr || change.dialog == document_->GetDialog()) {
        FlagLater();
    }
}

void CDeviceListWindow::DialogRemoving(CZeDialogData& dialog) {
    if (&dialog == document_->GetDialog()) {
        ShowDialog(nullptr);
    }
}

void CDeviceListWindow::ProjectEmptied() {
    ShowDialog(nullptr);
}

}  // namespace ze::app
