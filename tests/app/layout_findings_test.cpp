// The layout findings in the editor: a long button text listed at the
// phone size only, with its size; the re-check after an edit; a double
// click that opens the device list at that size; the tiles' dashed frames;
// and "テキスト拡張", which lengthens the tiles' texts and the checks' alike
// and is kept in the settings.
#include <QImage>
#include <QSpinBox>
#include <QTest>

#include "app/device_list_window.h"
#include "app/dialog_view.h"
#include "app/panes/findings_list.h"
#include "app/panes/log_dlg.h"
#include "model/dialog_data.h"
#include "model/editing/property_edits.h"
#include "model/object_data.h"
#include "panels/findings_watch.h"
#include "panels/resource_dlg.h"
#include "support/editor_fixture.h"

using namespace ze;
using namespace ze::app;
using ze::app::test::DialogText;
using ze::app::test::EditorFixture;
using ze::app::test::ProjectText;

namespace {

// About 450 pixels of text: more than an upright phone is wide, less than
// any turned one.
const std::string kLongText(45, 'W');

std::string Button(const std::string& text) {
    return "{'Name':'Go','Type':'BUTTON','Width':'PARENT','Height':'40px','TSize':'20px',"
           "'Text':'" +
           text + "'}";
}

std::vector<std::string> OverflowSizes(const std::vector<Finding>& findings) {
    std::vector<std::string> sizes;
    for (const Finding& finding : findings) {
        if (finding.check == check_id::kTextOverflow) {
            sizes.push_back(std::to_string(finding.pageWidth) + "x" +
                            std::to_string(finding.pageHeight));
        }
    }
    return sizes;
}

int FindingIndex(const std::vector<Finding>& findings, int width) {
    for (std::size_t i = 0; i < findings.size(); ++i) {
        if (findings[i].check == check_id::kTextOverflow && findings[i].pageWidth == width) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::size_t RowOf(const ZeClass& element, const std::string& name) {
    const CItemList& items = element.Items();
    for (std::size_t row = 0; row < items.GetItemCount(); ++row) {
        if (items.GetItemData(row).GetName() == name) {
            return row;
        }
    }
    return items.GetItemCount();
}

}  // namespace

class LayoutFindingsTest : public QObject {
    Q_OBJECT

private slots:
    void ALongTextIsFoundAtThePhoneSizeAndLeadsThere() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        QVERIFY(frame.OpenFile(fixture.WriteFile(
            "long.moxspro", ProjectText("Long", {DialogText("A", Button(kLongText))}))));
        QTRY_VERIFY(!frame.GetFindings().IsPending());
        const std::vector<std::string> sizes = OverflowSizes(frame.GetFindings().Findings());
        // The upright phones, not the turned ones nor the tablet.
        QVERIFY(std::find(sizes.begin(), sizes.end(), "360x640") != sizes.end());
        QVERIFY(std::find(sizes.begin(), sizes.end(), "640x360") == sizes.end());
        QVERIFY(std::find(sizes.begin(), sizes.end(), "800x1280") == sizes.end());

        CFindingsList& list = frame.GetLogPane().Problems();
        frame.GetLogPane().ShowTab(CLogDlg::kProblemsTab);
        const int index = FindingIndex(frame.GetFindings().Findings(), 360);
        QVERIFY(index >= 0);
        QTreeWidgetItem* row = list.topLevelItem(index);
        QCOMPARE(row->text(CFindingsList::kSizeColumn), QStringLiteral("360x640"));
        QCOMPARE(row->text(CFindingsList::kPropertyColumn), QStringLiteral("Text"));
        QVERIFY(row->toolTip(CFindingsList::kMessageColumn).startsWith("text-overflow: "));

        // The double click's way: the device list opens at that size, the
        // button selected.
        CZeDialogData& a = *frame.GetProject().GetDialogs().GetDialog(0);
        ZeClass* button = a.GetRootGroup()->GetChildren()[0];
        frame.ChooseFinding(index);
        CDeviceListWindow* devices = frame.GetDeviceList();
        QVERIFY(devices != nullptr && devices->isVisible());
        QCOMPARE(devices->ShownDialog(), &a);
        QCOMPARE(frame.GetResourcePanel().GetCurrentElement(), button);
        QCOMPARE(devices->RevealSize(QSize(360, 640)), 1);  // the first of the list

        // The tile of that size frames the button in red; a turned one does not.
        devices->FlagNow();
        const std::vector<const CObjectData*> flagged{static_cast<const CObjectData*>(button)};
        QCOMPARE(devices->TileView(1).FlaggedElements(), flagged);
        QVERIFY(devices->TileView(2).FlaggedElements().empty());
        devices->TileView(1).ZoomAt(100, QPointF(0, 0));
        const QImage tile = devices->TileView(1).Render();
        const PreviewRect& box = static_cast<CObjectData*>(button)->GetPreviewRect();
        int red = 0;
        // Just outside the box, where a selection's frame does not reach.
        for (int x = box.left; x < std::min(box.right, tile.width()); ++x) {
            red += tile.pixel(x, box.top - 1) == qRgb(255, 0, 0) ? 1 : 0;
        }
        // Dashed: red along part of the edge, not all of it.
        QVERIFY(red > 10);
        QVERIFY(red < std::min(box.right, tile.width()) - box.left - 4);

        // Shortened: gone within the tab's delay, and from the tiles.
        QVERIFY(CommitProperty(frame.GetProject(), &a, button, RowOf(*button, "Text"), "OK").changed);
        QVERIFY(devices->TileView(1).FlaggedElements().empty());
        QTRY_VERIFY(!frame.GetFindings().IsPending());
        QVERIFY(OverflowSizes(frame.GetFindings().Findings()).empty());
        QCOMPARE(list.topLevelItemCount(), 0);
    }

    void TextExpansionLengthensTheTilesAndTheChecksAndIsKept() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        // About 200 pixels: fits every default size until it is doubled.
        QVERIFY(frame.OpenFile(fixture.WriteFile(
            "grow.moxspro",
            ProjectText("Grow", {DialogText("A", Button(std::string(20, 'W')))}))));
        QTRY_VERIFY(!frame.GetFindings().IsPending());
        QVERIFY(OverflowSizes(frame.GetFindings().Findings()).empty());

        CDeviceListWindow& devices = frame.ShowDeviceList();
        devices.findChild<QSpinBox*>(QStringLiteral("TextExpansion"))->setValue(100);
        QCOMPARE(devices.TextExpansion(), 100);
        for (int i = 0; i < devices.TileCount(); ++i) {
            QCOMPARE(devices.TileView(i).TextExpansion(), 100);
        }
        QCOMPARE(frame.GetFindings().Layout()->Options().expandPercent, 100);
        const std::vector<std::string> sizes = OverflowSizes(frame.GetFindings().Findings());
        QVERIFY(std::find(sizes.begin(), sizes.end(), "360x640") != sizes.end());
        QVERIFY(EditorFixture::ReadFile(fixture.SettingsPath()).find("TextExpansion=100") !=
                std::string::npos);

        // The tiles paint the longer text.
        CZeDialogEditorView& tile = devices.TileView(3);
        tile.SetLook(PreviewLook::kDevice);
        const QImage longer = tile.Render();
        devices.SetTextExpansion(0);
        QCOMPARE(tile.TextExpansion(), 0);
        QVERIFY(tile.Render() != longer);
        devices.SetTextExpansion(40);
        fixture.CloseFrame();

        CProfileSettings settings(fixture.SettingsPath());
        QCOMPARE(ReadTextExpansion(settings), 40);
        QCOMPARE(DeviceListCheckOptions(settings).expandPercent, 40);
        QCOMPARE(DeviceListCheckOptions(settings).sizes.size(), std::size_t{8});
    }
};

QTEST_MAIN(LayoutFindingsTest)
#include "layout_findings_test.moc"
