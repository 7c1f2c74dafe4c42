#pragma once

#include <QObject>

class QLabel;
class QStatusBar;

namespace ze::link {
class CDeviceLink;
}  // namespace ze::link

namespace ze::app {

// The main window's count of connected devices: "端末 N 台" in a pane of its
// own and the same number in the link indicator's tooltip.
class CLinkStatus : public QObject {
    Q_OBJECT

public:
    CLinkStatus(link::CDeviceLink& link, QLabel& indicator, QStatusBar& bar,
                QObject* parent = nullptr);

    QLabel& CountPane() { return *count_; }

private:
    void Update();

    link::CDeviceLink& link_;
    QLabel& indicator_;
    QLabel* count_;
};

}  // namespace ze::app
