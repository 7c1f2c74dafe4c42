// "自動送信" over real sockets: the device gets the dialog being edited as
// soon as it changes, a burst ends with the last state, nothing goes while
// the box is off or to a device whose "送る" is off, and the other dialog
// goes as soon as its window is activated.
#include <QCheckBox>
#include <QHostAddress>
#include <QTableWidget>
#include <QTcpSocket>
#include <QTest>

#include "link/device_link.h"
#include "model/dialog_data.h"
#include "model/editing/history_edits.h"
#include "model/editing/property_edits.h"
#include "model/mo_stream.h"
#include "model/object_data.h"
#include "panels/device_table.h"
#include "panels/live_sync.h"
#include "panels/network_page.h"
#include "panels/resource_dlg.h"
#include "support/editor_fixture.h"

using namespace ze;
using namespace ze::app;
using ze::app::test::DialogText;
using ze::app::test::EditorFixture;
using ze::app::test::ProjectText;

namespace {

QByteArray FrameOf(const CZeResourceData& project, const std::string& name) {
    CJsonString text;
    project.WriteProject(text, name);
    return QByteArray("\x02") + QByteArray::fromStdString(text.GetText()) + QByteArray("\x03");
}

// What the device read while the event loop ran for milliseconds.
QByteArray ReadFor(QTcpSocket& device, int milliseconds) {
    QTest::qWait(milliseconds);
    return device.readAll();
}

}  // namespace

class LiveSyncTest : public QObject {
    Q_OBJECT

private slots:
    void TheDevicesFollowTheEditsAtOnce() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        QVERIFY(frame.OpenFile(fixture.WriteFile(
            "sync.moxspro",
            ProjectText("Sync", {DialogText("A", "{'Name':'t','Type':'TEXT','Text':'a'}"),
                                 DialogText("B", "{'Name':'u','Type':'BUTTON'}")}))));
        CZeDialogData& a = *frame.GetProject().GetDialogs().GetDialog(0);
        CZeDialogData& b = *frame.GetProject().GetDialogs().GetDialog(1);
        frame.ActivateDialogWindow(a);
        panels::CResourceDlg& panel = frame.GetResourcePanel();
        panels::CNetworkPage& page = panel.NetworkPage();
        page.SetPort(0);
        page.ListenButton().click();
        // A keep-alive would come between the frames on a machine slow
        // enough for the test to outlast its period.
        panel.Link().SetKeepAlivePeriod(3600000);
        QTcpSocket device;
        device.connectToHost(QHostAddress::LocalHost,
                             static_cast<quint16>(panel.Link().GetListeningPort()));
        QTRY_VERIFY(panel.Link().HasConnection());

        ZeClass* text = a.GetRootGroup()->GetChildren()[0];
        const auto edit = [&](const std::string& value) {
            std::size_t row = 0;
            while (text->Items().GetItemData(row).GetName() != "Text") {
                ++row;
            }
            QVERIFY(CommitProperty(frame.GetProject(), &a, text, row, value).changed);
        };

        // Off (the default): edits send nothing.
        QVERIFY(!page.AutoSendBox().isChecked());
        edit("off");
        QCOMPARE(ReadFor(device, 300), QByteArray());

        page.AutoSendBox().setChecked(true);
        QVERIFY(EditorFixture::ReadFile(fixture.SettingsPath()).find("AutoSend=1") !=
                std::string::npos);
        // One edit: its frame comes without waiting for the edits to settle.
        edit("one");
        QByteArray expected = FrameOf(frame.GetProject(), "A");
        QByteArray received;
        QTRY_VERIFY((received += device.readAll()).size() >= expected.size());
        QCOMPARE(received, expected);

        // A burst, an undo among it: whole frames, no more than the edits,
        // the last one the dialog as it ends.
        for (int i = 0; i < 20; ++i) {
            edit("burst " + std::to_string(i));
        }
        QVERIFY(UndoEdit(frame.GetProject(), a).changed);
        expected = FrameOf(frame.GetProject(), "A");
        QVERIFY(expected.contains("'Text':'burst 18'"));
        received.clear();
        QTRY_VERIFY((received += device.readAll()).endsWith(expected));
        QCOMPARE(ReadFor(device, 200), QByteArray());
        QVERIFY(received.startsWith('\x02'));
        QVERIFY(received.count('\x02') <= 21);
        QCOMPARE(received.count('\x02'), received.count('\x03'));

        // A second device with "送る" off in the list gets nothing.
        QTcpSocket quiet;
        quiet.connectToHost(QHostAddress::LocalHost,
                            static_cast<quint16>(panel.Link().GetListeningPort()));
        QTRY_COMPARE(panel.Link().DeviceCount(), std::size_t{2});
        QTableWidget& table = page.Devices().Table();
        QTRY_COMPARE(table.rowCount(), 2);
        QCOMPARE(table.item(1, panels::CDeviceTable::kSendTo)->checkState(), Qt::Checked);
        table.item(1, panels::CDeviceTable::kSendTo)->setCheckState(Qt::Unchecked);
        QCOMPARE(panel.Link().SendTargets().size(), std::size_t{1});
        const int before = panel.GetLiveSync().SendCount();
        edit("to one");
        expected = FrameOf(frame.GetProject(), "A");
        received.clear();
        QTRY_VERIFY((received += device.readAll()).size() >= expected.size());
        QCOMPARE(received, expected);
        QCOMPARE(ReadFor(quiet, 200), QByteArray());
        QCOMPARE(panel.GetLiveSync().SendCount(), before + 1);

        // Another dialog's window activated: that dialog goes at once.
        frame.ActivateDialogWindow(b);
        const QByteArray frameB = FrameOf(frame.GetProject(), "B");
        received.clear();
        QTRY_VERIFY((received += device.readAll()).size() >= frameB.size());
        QCOMPARE(received, frameB);

        // Edits of a dialog not being edited send nothing.
        edit("elsewhere");
        QCOMPARE(ReadFor(device, 300), QByteArray());
        QCOMPARE(ReadFor(quiet, 0), QByteArray());
    }
};

QTEST_MAIN(LiveSyncTest)
#include "live_sync_test.moc"
