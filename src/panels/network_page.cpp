#include "panels/network_page.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>
#include <iterator>

#include "common/cp932.h"
#include "link/core/device_addresses.h"
#include "link/device_link.h"
#include "panels/device_table.h"

namespace ze::panels {

namespace {

QSpinBox* NumberBox(int maximum, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setRange(0, maximum);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    box->setAlignment(Qt::AlignRight);
    // Out-of-range text is refused as it is typed; it never becomes a value.
    box->setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    return box;
}

}  // namespace

CNetworkPage::CNetworkPage(link::CDeviceLink& link, MessageSink& messages, QWidget* parent)
    : QWidget(parent),
      link_(link),
      messages_(messages),
      port_(NumberBox(65535, this)),
      address_(new QWidget(this)),
      listen_(new QPushButton(QCoreApplication::translate("Editor", "待受"), this)),
      stop_(new QPushButton(QCoreApplication::translate("Editor", "停止"), this)),
      // The button's own disambiguation: in English the action ("Connect"),
      // where the page of the same Japanese name is "Connection".
      connect_(new QPushButton(QCoreApplication::translate("Editor", "接続", "button"), this)),
      disconnect_(new QPushButton(QCoreApplication::translate("Editor", "切断"), this)),
      send_(new QPushButton(QCoreApplication::translate("Editor", "送信"), this)),
      autoSend_(new QCheckBox(QCoreApplication::translate("Editor", "自動送信"), this)),
      moreAddresses_(new QPlainTextEdit(this)),
      devices_(new CDeviceTable(link, this)) {
    autoSend_->setToolTip(QCoreApplication::translate(
        "Editor", "接続中、編集中のダイアログを変更のたびに「送る」の端末へすぐ送信します"));
    moreAddresses_->setTabChangesFocus(true);
    moreAddresses_->setLineWrapMode(QPlainTextEdit::NoWrap);
    moreAddresses_->setPlaceholderText(QStringLiteral("192.168.1.21, 192.168.1.22:5001"));
    moreAddresses_->setToolTip(QCoreApplication::translate(
        "Editor",
        "「接続」で IPアドレスの端末とともに接続する端末です。1 行に 1 つ、またはカンマ区切りで、"
        "ポートを付けるときは 192.168.1.22:5001 のように書きます"));
    // Three lines show; more scroll.
    moreAddresses_->setFixedHeight(moreAddresses_->fontMetrics().lineSpacing() * 3 +
                                   2 * moreAddresses_->frameWidth() + 8);
    port_->setValue(kDefaultPort);

    auto* addressRow = new QHBoxLayout(address_);
    addressRow->setContentsMargins(0, 0, 0, 0);
    addressRow->setSpacing(0);
    for (std::size_t i = 0; i < addressParts_.size(); ++i) {
        if (i > 0) {
            addressRow->addWidget(new QLabel(QStringLiteral("."), address_));
        }
        addressParts_[i] = NumberBox(255, address_);
        addressParts_[i]->installEventFilter(this);
        addressRow->addWidget(addressParts_[i], 1);
    }
    // A new number box shows no text until a value is set.
    SetAddress(0);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QCoreApplication::translate("Editor", "待受ポート"), this), 0, 0);
    grid->addWidget(port_, 0, 1);
    grid->addWidget(listen_, 0, 2);
    grid->addWidget(stop_, 0, 3);
    grid->addWidget(new QLabel(QCoreApplication::translate("Editor", "IPアドレス"), this), 1, 0);
    grid->addWidget(address_, 1, 1);
    grid->addWidget(connect_, 1, 2);
    grid->addWidget(disconnect_, 1, 3);
    grid->addWidget(new QLabel(QCoreApplication::translate("Editor", "他の端末"), this), 2, 0,
                    Qt::AlignTop);
    grid->addWidget(moreAddresses_, 2, 1);
    grid->addWidget(autoSend_, 3, 2);
    grid->addWidget(send_, 3, 3);
    grid->addWidget(devices_, 4, 0, 1, 4);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(1, 1);

    connect(listen_, &QPushButton::clicked, this, &CNetworkPage::OnListen);
    connect(stop_, &QPushButton::clicked, this, &CNetworkPage::OnStop);
    connect(connect_, &QPushButton::clicked, this, &CNetworkPage::OnConnect);
    connect(disconnect_, &QPushButton::clicked, this, &CNetworkPage::OnDisconnect);
    connect(send_, &QPushButton::clicked, this, &CNetworkPage::SendRequested);
    connect(autoSend_, &QCheckBox::toggled, this, &CNetworkPage::AutoSendChanged);

    connect(&link_, &link::CDeviceLink::ControlsChanged, this, &CNetworkPage::ApplyControls);
    connect(&link_, &link::CDeviceLink::PeerAddressChanged, this,
            [this](quint32 address) { SetAddress(address); });
    connect(&link_, &link::CDeviceLink::MessageBoxRequested, this, &CNetworkPage::ShowLinkMessage);
    // The link may already be listening or connected when the page is made.
    ApplyControls(link_.GetControls());
}

int CNetworkPage::GetPort() const {
    return port_->value();
}

void CNetworkPage::SetPort(int port) {
    port_->setValue(port);
}

std::uint32_t CNetworkPage::GetAddress() const {
    std::uint32_t address = 0;
    for (const QSpinBox* part : addressParts_) {
        address = (address << 8) | static_cast<std::uint32_t>(part->value());
    }
    return address;
}

void CNetworkPage::SetAddress(std::uint32_t address) {
    for (std::size_t i = 0; i < addressParts_.size(); ++i) {
        addressParts_[i]->setValue(static_cast<int>((address >> (8 * (3 - i))) & 0xFF));
    }
}

QAbstractButton& CNetworkPage::ListenButton() {
    return *listen_;
}

QAbstractButton& CNetworkPage::StopButton() {
    return *stop_;
}

QAbstractButton& CNetworkPage::ConnectButton() {
    return *connect_;
}

QAbstractButton& CNetworkPage::DisconnectButton() {
    return *disconnect_;
}

QAbstractButton& CNetworkPage::SendButton() {
    return *send_;
}

QCheckBox& CNetworkPage::AutoSendBox() {
    return *autoSend_;
}

QPlainTextEdit& CNetworkPage::MoreAddressesField() {
    return *moreAddresses_;
}

CDeviceTable& CNetworkPage::Devices() {
    return *devices_;
}

QWidget& CNetworkPage::PortField() {
    return *port_;
}

QWidget& CNetworkPage::AddressField() {
    return *address_;
}

QSpinBox& CNetworkPage::AddressPart(int index) {
    return *addressParts_.at(static_cast<std::size_t>(index));
}

bool CNetworkPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Period) {
            for (std::size_t i = 0; i + 1 < addressParts_.size(); ++i) {
                if (watched == addressParts_[i]) {
                    addressParts_[i + 1]->setFocus(Qt::TabFocusReason);
                    addressParts_[i + 1]->selectAll();
                    break;
                }
            }
            // A dot is never part of a number; in the last box it does nothing.
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CNetworkPage::CommitFields() {
    port_->interpretText();
    for (QSpinBox* part : addressParts_) {
        part->interpretText();
    }
}

void CNetworkPage::OnListen() {
    CommitFields();
    link_.StartListening(GetPort(), GetAddress());
}

void CNetworkPage::OnStop() {
    link_.StopListening();
}

void CNetworkPage::OnConnect() {
    CommitFields();
    std::vector<link::DeviceAddress> more;
    std::string bad;
    if (!link::ParseDeviceAddresses(moreAddresses_->toPlainText().toStdString(), GetPort(), more,
                                    bad)) {
        ShowLinkMessage(
            QCoreApplication::translate("Editor", "端末のアドレスが正しくありません: %1")
                .arg(QString::fromStdString(bad)));
        return;
    }
    if (more.empty()) {
        link_.ConnectToDevice(GetPort(), GetAddress());
        return;
    }
    // With more addresses given, an address field left at 0.0.0.0 means
    // only those.
    std::vector<link::DeviceAddress> all;
    const link::DeviceAddress first{GetAddress(), GetPort()};
    if (first.address != 0) {
        all.push_back(first);
    }
    std::copy_if(more.begin(), more.end(), std::back_inserter(all),
                 [&first](const link::DeviceAddress& address) { return !(address == first); });
    link_.ConnectToDevices(all);
}

void CNetworkPage::OnDisconnect() {
    link_.Disconnect();
}

void CNetworkPage::ApplyControls(const link::LinkControls& controls) {
    listen_->setEnabled(controls.listen);
    stop_->setEnabled(controls.stop);
    connect_->setEnabled(controls.connect);
    disconnect_->setEnabled(controls.disconnect);
    send_->setEnabled(controls.send);
}

void CNetworkPage::ShowLinkMessage(const QString& text) {
    messages_.ShowMessage(Utf8ToCp932(text.toStdString()), MessageIcon::kStop);
}

}  // namespace ze::panels
