// "自動送信" over a real socket: the device gets the dialog being edited once
// a burst of edits has gone quiet, nothing while the box is off, and the
// other dialog as soon as its window is activated.
#include <QCheckBox>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpSocket>
#include <QTest>

#include "model/dialog_data.h"
#include "model/editing/history_edits.h"
#include "model/editing/property_edits.h"
#include "model/mo_stream.h"
#include "model/object_data.h"
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
    void TheDeviceFollowsTheEditsOnceTheyGoQuiet() {
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
        QTcpSocket device;
        device.connectToHost(QHostAddress::LocalHost,
                             static_cast<quint16>(panel.Link().GetListeningPort()));
        QTRY_VERIFY(panel.Link().HasConnection());

        ZeClass* text = a.GetRootGroup()->GetChildren()[0];
        const auto edit = [&](const char* value) {
            std::size_t row = 0;
            while (text->Items().GetItemData(row).GetName() != "Text") {
                ++row;
            }
            QVERIFY(CommitProperty(frame.GetProject(), &a, text, row, value).changed);
        };

        // Off (the default): edits send nothing.
        QVERIFY(!page.AutoSendBox().isChecked());
        edit("off");
        QCOMPARE(ReadFor(device, 2 * panels::LiveSync::kQuietMilliseconds), QByteArray());

        page.AutoSendBox().setChecked(true);
        QVERIFY(EditorFixture::ReadFile(fixture.SettingsPath()).find("AutoSend=1") !=
                std::string::npos);
        // A burst: nothing until it has been quiet for the period, then one
        // frame with the last text; an undo is a change like any other.
        QElapsedTimer clock;
        clock.start();
        for (const char* value : {"b1", "b2", "b3"}) {
            edit(value);
            QTest::qWait(50);
        }
        QVERIFY(UndoEdit(frame.GetProject(), a).changed);  // back to "b2"
        const QByteArray expected = FrameOf(frame.GetProject(), "A");
        QVERIFY(expected.contains("'Text':'b2'"));
        QCOMPARE(ReadFor(device, panels::LiveSync::kQuietMilliseconds - 100), QByteArray());
        QByteArray received;
        QTRY_VERIFY((received += device.readAll()).size() >= expected.size());
        QVERIFY(clock.elapsed() >= 150 + panels::LiveSync::kQuietMilliseconds);
        QCOMPARE(received, expected);
        QCOMPARE(ReadFor(device, 2 * panels::LiveSync::kQuietMilliseconds), QByteArray());

        // Another dialog's window activated: that dialog goes at once.
        frame.ActivateDialogWindow(b);
        const QByteArray frameB = FrameOf(frame.GetProject(), "B");
        received.clear();
        QTRY_VERIFY_WITH_TIMEOUT((received += device.readAll()).size() >= frameB.size(), 200);
        QCOMPARE(received, frameB);

        // Edits of a dialog not being edited send nothing.
        edit("elsewhere");
        QCOMPARE(ReadFor(device, 2 * panels::LiveSync::kQuietMilliseconds), QByteArray());
        QCOMPARE(panel.GetLiveSync().SendCount(), 2);
    }
};

QTEST_MAIN(LiveSyncTest)
#include "live_sync_test.moc"
