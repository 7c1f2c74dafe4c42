#pragma once

#include <QObject>

#include "link/link_indicator.h"

class QLabel;
class QStatusBar;

namespace ze::link {
class CDeviceLink;
}  // namespace ze::link

namespace ze::app {

// The device link in the main window's status bar: the indicator lamp in
// the state the link last set, "端末 N 台" in a pane of its own and the
// same number in the lamp's tooltip; and whether a device is there to send
// to, which the send command follows.
class CLinkStatus : public QObject {
    Q_OBJECT

public:
    static constexpr int kIndicatorWidth = 20;

    // Adds the lamp and the count to the right end of bar.
    CLinkStatus(link::CDeviceLink& link, QStatusBar& bar, QObject* parent = nullptr);

    QLabel& IndicatorPane() { return *indicator_; }
    QLabel& CountPane() { return *count_; }

    void SetIndicator(link::LinkIndicator state);
    link::LinkIndicator Indicator() const { return state_; }
    // Follows the link's send button.
    void SetDeviceConnected(bool connected);
    bool IsDeviceConnected() const { return deviceConnected_; }

signals:
    void DeviceConnectedChanged(bool connected);

private:
    void Update();

    link::CDeviceLink& link_;
    QLabel* indicator_;
    QLabel* count_;
    link::LinkIndicator state_ = link::LinkIndicator::NoAnswer;
    bool deviceConnected_ = false;
};

}  // namespace ze::app
