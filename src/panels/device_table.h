#pragma once

#include <QTimer>
#include <QWidget>
#include <cstdint>

class QAbstractButton;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace ze::link {
class CDeviceLink;
}  // namespace ze::link

namespace ze::panels {

// The devices of the "接続" page, one row each: address, connected since,
// last message received, bytes in and out, and "送る" (whether "送信" and
// "自動送信" include it). "切断" closes the selected device's connection.
// Rows follow the link's signals; the counts are redrawn at most every
// kRefreshMilliseconds, however busy the devices are.
class CDeviceTable : public QWidget {
    Q_OBJECT

public:
    enum Column { kAddress, kSince, kLastMessage, kBytesIn, kBytesOut, kSendTo, kColumns };
    static constexpr int kRefreshMilliseconds = 250;

    explicit CDeviceTable(link::CDeviceLink& link, QWidget* parent = nullptr);

    QTableWidget& Table() { return *table_; }
    QAbstractButton& DisconnectButton();
    // The device of a row (0: none).
    std::uint64_t DeviceAt(int row) const;
    // Redraws at once instead of at the next refresh.
    void Refresh();

private:
    void Rebuild();
    void SendToChanged(QTableWidgetItem* item);
    void DisconnectSelected();
    void UpdateButton();

    link::CDeviceLink& link_;
    QTableWidget* table_;
    QPushButton* disconnect_;
    QTimer refresh_;
    bool filling_ = false;
};

}  // namespace ze::panels
