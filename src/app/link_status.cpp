#include "app/link_status.h"

#include <QCoreApplication>
#include <QLabel>
#include <QStatusBar>

#include "link/device_link.h"

namespace ze::app {

CLinkStatus::CLinkStatus(link::CDeviceLink& link, QLabel& indicator, QStatusBar& bar,
                         QObject* parent)
    : QObject(parent), link_(link), indicator_(indicator), count_(new QLabel) {
    count_->setObjectName(QStringLiteral("DevicesPane"));
    count_->setAlignment(Qt::AlignCenter);
    bar.addPermanentWidget(count_);
    connect(&link_, &link::CDeviceLink::DevicesChanged, this, &CLinkStatus::Update);
    Update();
}

void CLinkStatus::Update() {
    // An attempt of "接続" still under way is no device yet.
    int connected = 0;
    for (const link::DeviceInfo& device : link_.Devices()) {
        connected += device.connected ? 1 : 0;
    }
    count_->setText(QCoreApplication::translate("Editor", "端末 %1 台").arg(connected));
    indicator_.setToolTip(
        QCoreApplication::translate("Editor", "接続中の端末: %1 台").arg(connected));
}

}  // namespace ze::app
