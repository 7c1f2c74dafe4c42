#include "app/link_status.h"

#include <QCoreApplication>
#include <QLabel>
#include <QStatusBar>

#include "app/icons.h"
#include "link/device_link.h"

namespace ze::app {

CLinkStatus::CLinkStatus(link::CDeviceLink& link, QStatusBar& bar, QObject* parent)
    : QObject(parent), link_(link), indicator_(new QLabel), count_(new QLabel) {
    indicator_->setFixedWidth(kIndicatorWidth);
    indicator_->setAlignment(Qt::AlignCenter);
    indicator_->setPixmap(LinkIndicatorPixmap(state_));
    bar.addPermanentWidget(indicator_);
    count_->setObjectName(QStringLiteral("DevicesPane"));
    count_->setAlignment(Qt::AlignCenter);
    bar.addPermanentWidget(count_);
    connect(&link_, &link::CDeviceLink::DevicesChanged, this, &CLinkStatus::Update);
    connect(&link_, &link::CDeviceLink::IndicatorChanged, this, &CLinkStatus::SetIndicator);
    // "データ送信" follows the send button.
    connect(&link_, &link::CDeviceLink::ControlsChanged, this,
            [this](const link::LinkControls& controls) { SetDeviceConnected(controls.send); });
    Update();
}

void CLinkStatus::SetIndicator(link::LinkIndicator state) {
    if (state == state_) {
        return;
    }
    state_ = state;
    indicator_->setPixmap(LinkIndicatorPixmap(state));
}

void CLinkStatus::SetDeviceConnected(bool connected) {
    deviceConnected_ = connected;
    emit DeviceConnectedChanged(connected);
}

void CLinkStatus::Update() {
    // An attempt of "接続" still under way is no device yet.
    int connected = 0;
    for (const link::DeviceInfo& device : link_.Devices()) {
        connected += device.connected ? 1 : 0;
    }
    // %n: the English text has a singular and a plural.
    count_->setText(QCoreApplication::translate("Editor", "端末 %n 台", nullptr, connected));
    indicator_->setToolTip(
        QCoreApplication::translate("Editor", "接続中の端末: %1 台").arg(connected));
}

}  // namespace ze::app
