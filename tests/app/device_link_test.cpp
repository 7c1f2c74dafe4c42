// The editor and a device over a real socket: the network tab's listener
// takes the device, the send button and "データ送信" deliver the dialog being
// edited, the disconnect button closes the connection, and the buttons, the
// menu entry and the communication log follow.
#include <QAbstractButton>
#include <QAction>
#include <QHostAddress>
#include <QTcpSocket>
#include <QTest>
#include <QTextEdit>

#include "app/command_ids.h"
#include "app/panes/log_dlg.h"
#include "model/dialog_data.h"
#include "model/mo_stream.h"
#include "panels/network_page.h"
#include "panels/panel_tabs.h"
#include "panels/resource_dlg.h"
#include "support/editor_fixture.h"

using namespace ze;
using namespace ze::app;
using ze::app::test::DialogText;
using ze::app::test::EditorFixture;
using ze::app::test::ProjectText;

namespace {

// One frame as the device receives it: STX, the dialog's message, ETX.
QByteArray FrameOf(const CZeResourceData& project, const std::string& name) {
    CJsonString text;
    project.WriteProject(text, name);
    return QByteArray("\x02") + QByteArray::fromStdString(text.GetText()) + QByteArray("\x03");
}

}  // namespace

class DeviceLinkTest : public QObject {
    Q_OBJECT

private slots:
    void ADeviceGetsTheDialogBeingEdited() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        QVERIFY(frame.OpenFile(fixture.WriteFile(
            "link.moxspro",
            ProjectText("Link", {DialogText("A", "{'Name':'t','Type':'TEXT','Text':'a'}"),
                                 DialogText("B", "{'Name':'u','Type':'BUTTON'}")}))));
        CZeDialogData& a = *frame.GetProject().GetDialogs().GetDialog(0);
        CZeDialogData& b = *frame.GetProject().GetDialogs().GetDialog(1);
        frame.ActivateDialogWindow(a);
        panels::CResourceDlg& panel = frame.GetResourcePanel();
        panels::CNetworkPage& page = panel.NetworkPage();
        QAction& sendCommand = *frame.Action(CommandId::kSendDialog);

        panel.ShowTab(panels::PanelTab::kLink);
        QVERIFY(page.isVisibleTo(&panel));
        QVERIFY(!page.SendButton().isEnabled());
        QVERIFY(!sendCommand.isEnabled());

        // A keep-alive would come between the frames on a machine slow
        // enough for the test to outlast its period.
        panel.Link().SetKeepAlivePeriod(3600000);
        page.SetPort(0);  // any free port
        page.ListenButton().click();
        const int port = panel.Link().GetListeningPort();
        QVERIFY(port > 0);
        QVERIFY(!page.ListenButton().isEnabled());

        QTcpSocket device;
        device.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
        QTRY_VERIFY(sendCommand.isEnabled());
        QVERIFY(page.SendButton().isEnabled());
        QVERIFY(page.DisconnectButton().isEnabled());
        QVERIFY(!page.ConnectButton().isEnabled());
        QCOMPARE(page.GetAddress(), std::uint32_t{0x7F000001});

        // The send button sends the panel's current dialog.
        QCOMPARE(panel.GetCurrentDialog(), &a);
        page.SendButton().click();
        const QByteArray frameA = FrameOf(frame.GetProject(), "A");
        QTRY_COMPARE(device.bytesAvailable(), static_cast<qint64>(frameA.size()));
        QCOMPARE(device.readAll(), frameA);

        // "データ送信" sends the dialog whose window became active.
        frame.ActivateDialogWindow(b);
        sendCommand.trigger();
        const QByteArray frameB = FrameOf(frame.GetProject(), "B");
        QTRY_COMPARE(device.bytesAvailable(), static_cast<qint64>(frameB.size()));
        QCOMPARE(device.readAll(), frameB);
        QVERIFY(frame.GetLogPane().CommLog().toPlainText().contains(
            QStringLiteral("送信 %1Byte").arg(frameB.size() - 2)));

        page.DisconnectButton().click();
        QTRY_COMPARE(device.state(), QAbstractSocket::UnconnectedState);
        QTRY_VERIFY(!sendCommand.isEnabled());
        QVERIFY(!page.SendButton().isEnabled());
        QVERIFY(page.ConnectButton().isEnabled());

        page.StopButton().click();
        QVERIFY(page.ListenButton().isEnabled());
    }
};

QTEST_MAIN(DeviceLinkTest)
#include "device_link_test.moc"
