#include "panels/device_table.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "link/device_link.h"

namespace ze::panels {

namespace {

QString TimeText(const QDateTime& time) {
    return time.isNull() ? QStringLiteral("-") : time.toString(QStringLiteral("HH:mm:ss"));
}

void SetText(QTableWidget& table, int row, int column, const QString& text,
             Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    QTableWidgetItem* item = table.item(row, column);
    if (item == nullptr) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setTextAlignment(alignment);
        table.setItem(row, column, item);
    }
    if (item->text() != text) {
        item->setText(text);
    }
}

}  // namespace

CDeviceTable::CDeviceTable(link::CDeviceLink& link, QWidget* parent)
    : QWidget(parent),
      link_(link),
      table_(new QTableWidget(0, kColumns, this)),
      disconnect_(new QPushButton(QCoreApplication::translate("Editor", "切断"), this)) {
    table_->setHorizontalHeaderLabels({
        QCoreApplication::translate("Editor", "アドレス"),
        QCoreApplication::translate("Editor", "接続開始"),
        QCoreApplication::translate("Editor", "最終受信"),
        QCoreApplication::translate("Editor", "受信バイト"),
        QCoreApplication::translate("Editor", "送信バイト"),
        QCoreApplication::translate("Editor", "送る"),
    });
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    disconnect_->setToolTip(
        QCoreApplication::translate("Editor", "選択した端末との接続を切断します"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(disconnect_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);

    refresh_.setSingleShot(true);
    refresh_.setInterval(kRefreshMilliseconds);
    connect(&refresh_, &QTimer::timeout, this, &CDeviceTable::Refresh);
    connect(&link_, &link::CDeviceLink::DevicesChanged, this, &CDeviceTable::Rebuild);
    connect(&link_, &link::CDeviceLink::DeviceActivity, this, [this] {
        if (!refresh_.isActive()) {
            refresh_.start();
        }
    });
    connect(table_, &QTableWidget::itemChanged, this, &CDeviceTable::SendToChanged);
    connect(table_, &QTableWidget::itemSelectionChanged, this, &CDeviceTable::UpdateButton);
    connect(disconnect_, &QPushButton::clicked, this, &CDeviceTable::DisconnectSelected);
    Rebuild();
}

QAbstractButton& CDeviceTable::DisconnectButton() {
    return *disconnect_;
}

std::uint64_t CDeviceTable::DeviceAt(int row) const {
    const QTableWidgetItem* item = table_->item(row, kAddress);
    return item != nullptr ? item->data(Qt::UserRole).toULongLong() : 0;
}

void CDeviceTable::Rebuild() {
    // The selection follows its device, not its row.
    const int current = table_->currentRow();
    const std::uint64_t selected = current >= 0 ? DeviceAt(current) : 0;
    filling_ = true;
    const std::vector<link::DeviceInfo> devices = link_.Devices();
    table_->setRowCount(static_cast<int>(devices.size()));
    int selectRow = -1;
    for (std::size_t i = 0; i < devices.size(); ++i) {
        const int row = static_cast<int>(i);
        SetText(*table_, row, kAddress, QString::fromStdString(devices[i].endpoint));
        table_->item(row, kAddress)->setData(Qt::UserRole, QVariant::fromValue(devices[i].id));
        QTableWidgetItem* sendTo = table_->item(row, kSendTo);
        if (sendTo == nullptr) {
            sendTo = new QTableWidgetItem;
            sendTo->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            table_->setItem(row, kSendTo, sendTo);
        }
        sendTo->setCheckState(devices[i].sendTo ? Qt::Checked : Qt::Unchecked);
        if (devices[i].id == selected) {
            selectRow = row;
        }
    }
    filling_ = false;
    if (selectRow >= 0) {
        table_->selectRow(selectRow);
    } else {
        table_->clearSelection();
    }
    Refresh();
    UpdateButton();
}

void CDeviceTable::Refresh() {
    refresh_.stop();
    const std::vector<link::DeviceInfo> devices = link_.Devices();
    if (devices.size() != static_cast<std::size_t>(table_->rowCount())) {
        Rebuild();
        return;
    }
    filling_ = true;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    for (std::size_t i = 0; i < devices.size(); ++i) {
        const int row = static_cast<int>(i);
        // An attempt of "接続" shows where it goes once it has connected.
        SetText(*table_, row, kAddress, QString::fromStdString(devices[i].endpoint));
        SetText(*table_, row, kSince,
                devices[i].connected ? TimeText(devices[i].connectedSince) : QStringLiteral("-"));
        SetText(*table_, row, kLastMessage, TimeText(devices[i].lastMessage));
        SetText(*table_, row, kBytesIn, QString::number(devices[i].bytesIn), right);
        SetText(*table_, row, kBytesOut, QString::number(devices[i].bytesOut), right);
    }
    filling_ = false;
}

void CDeviceTable::SendToChanged(QTableWidgetItem* item) {
    if (filling_ || item->column() != kSendTo) {
        return;
    }
    link_.SetSendTo(DeviceAt(item->row()), item->checkState() == Qt::Checked);
}

void CDeviceTable::DisconnectSelected() {
    const int row = table_->currentRow();
    if (row >= 0 && table_->item(row, kAddress) != nullptr &&
        table_->item(row, kAddress)->isSelected()) {
        link_.DisconnectDevice(DeviceAt(row));
    }
}

void CDeviceTable::UpdateButton() {
    disconnect_->setEnabled(!table_->selectedItems().isEmpty());
}

}  // namespace ze::panels
