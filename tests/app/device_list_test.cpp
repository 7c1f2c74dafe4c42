// The paint modes of the dialog windows and the device list: the sizes it
// keeps in the settings, its tiles and how they share the window's room,
// the Edit keys in its window, and the list editor's checks.
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QTest>

#include "app/child_frame.h"
#include "app/command_ids.h"
#include "app/device_list_window.h"
#include "app/dialog_view.h"
#include "app/tile_flow.h"
#include "model/dialog_data.h"
#include "model/editing/selection.h"
#include "model/editing/selection_edits.h"
#include "model/object_data.h"
#include "panels/resource_dlg.h"
#include "panels/skeleton_dlg.h"
#include "support/editor_fixture.h"

using namespace ze::app;
using ze::app::test::DialogText;
using ze::app::test::EditorFixture;
using ze::app::test::ProjectText;

namespace {

// Two TEXTs sharing the width: where each lies depends on the layout size.
const std::string kHalves =
    "{'Type':'GROUP','Layout':'LINEAR','Name':'Row','Width':'PARENT','Height':'PARENT',"
    "'Objects':[{'Type':'TEXT','Name':'L','Weight':'1','Height':'PARENT'},"
    "{'Type':'TEXT','Name':'R','Weight':'1','Height':'PARENT'}]}";

}  // namespace

class DeviceListTest : public QObject {
    Q_OBJECT

private:
    static void Open(EditorFixture& fixture) {
        CMainFrame& frame = fixture.Frame();
        QVERIFY(frame.OpenFile(fixture.WriteFile(
            "list.moxspro", ProjectText("L", {DialogText("A", kHalves), DialogText("B", "")}))));
        frame.ActivateDialogWindow(*frame.GetProject().GetDialogs().GetDialog(0));
    }

private slots:
    void SizesReadBackFromTheirSettingsText() {
        const struct {
            const char* text;
            bool reads;
        } cases[] = {
            {"Phone,360,640,P", true},
            {"Tab, big,800,1280,L", true},  // a comma in the name
            {"スマートフォン,393,852,P", true},
            {"Phone,360,640", false},
            {",360,640,P", false},
            {"Phone,0,640,P", false},
            {"Phone,360,16385,P", false},
            {"Phone,360,64x,P", false},
            {"Phone,360,640,X", false},
        };
        for (const auto& c : cases) {
            const auto size = ParseDeviceSize(QString::fromUtf8(c.text));
            QVERIFY2(size.has_value() == c.reads, c.text);
            if (size) {
                QCOMPARE(DeviceSizeText(*size), QString::fromUtf8(c.text));
            }
        }
        QCOMPARE((DeviceSize{"x", 360, 640, true}.LayoutSize()), QSize(640, 360));
    }

    void TheListIsKeptInTheSettings() {
        EditorFixture fixture;
        CProfileSettings settings(fixture.SettingsPath());
        QCOMPARE(ReadDeviceSizes(settings), DefaultDeviceSizes());
        const std::vector<DeviceSize> three = {
            {"一", 100, 200, false}, {"二", 300, 400, true}, {"三", 500, 600, false}};
        QVERIFY(WriteDeviceSizes(settings, three));
        QCOMPARE(ReadDeviceSizes(settings), three);
        // A shorter list leaves no stale entry behind.
        QVERIFY(WriteDeviceSizes(settings, {three[1]}));
        QCOMPARE(ReadDeviceSizes(settings), std::vector<DeviceSize>{three[1]});
        QVERIFY(!QString::fromStdString(EditorFixture::ReadFile(fixture.SettingsPath()))
                     .contains("Device2"));
        // An empty list stays empty rather than coming back as the defaults.
        QVERIFY(WriteDeviceSizes(settings, {}));
        QVERIFY(ReadDeviceSizes(settings).empty());
    }

    void EachTileLaysTheDialogOutAtItsSize() {
        EditorFixture fixture;
        Open(fixture);
        CMainFrame& frame = fixture.Frame();
        CDeviceListWindow& list = frame.ShowDeviceList();
        list.SetSizes({{"P", 360, 640, false}, {"L", 360, 640, true}});
        QCOMPARE(list.TileCount(), 3);
        ze::CZeDialogData& dialog = *frame.GetProject().GetDialogs().GetDialog(0);
        QCOMPARE(list.ShownDialog(), &dialog);
        const QSize expected[] = {{1024, 800}, {360, 640}, {640, 360}};
        for (int i = 0; i < list.TileCount(); ++i) {
            list.TileView(i).Render();
            const ze::PreviewRect& root = dialog.GetRootGroup()->GetPreviewRect();
            QCOMPARE(QSize(root.right - root.left, root.bottom - root.top), expected[i]);
            QVERIFY(list.TileView(i).Viewport().ZoomPercent() <= 100);
        }
        QCOMPARE(list.TileCaption(2), QString::fromUtf8("L  640 × 360 (横)"));
        // A click in the main window after a tile painted (at another size)
        // hits what that window shows.
        CZeDialogEditorView& view = frame.ActiveChildFrame()->GetView();
        view.resize(400, 300);
        view.Render();
        auto& row = static_cast<ze::CObjectDataList&>(*dialog.GetRootGroup()->GetChildren()[0]);
        ze::CObjectData& text = *row.GetChildren()[1];
        const ze::PreviewRect shown = text.GetPreviewRect();
        const QPoint click((shown.left + shown.right) / 2, (shown.top + shown.bottom) / 2);
        list.TileView(2).Render();
        QVERIFY(!text.GetPreviewRect().Contains(click.x(), click.y()));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, click);
        QCOMPARE(frame.GetResourcePanel().GetCurrentElement(), static_cast<ze::ZeClass*>(&text));

        // The tiles follow the dialog the panel works on.
        frame.GetResourcePanel().SetCurrentDialog(frame.GetProject().GetDialogs().GetDialog(1));
        QCOMPARE(list.ShownDialog(), frame.GetProject().GetDialogs().GetDialog(1));
    }

    void TilesFlowAtOneZoomIntoTheRoom() {
        const QSize caption(50, 20);
        const std::vector<TileContent> upright(3, TileContent{QSize(100, 200), caption});
        const struct {
            const char* name;
            std::vector<TileContent> tiles;
            QSize room;
            int zoom;
            std::vector<QRect> boxes;
        } cases[] = {
            {"a row at full size",
             upright,
             {400, 300},
             100,
             {{0, 0, 100, 226}, {106, 0, 100, 226}, {212, 0, 100, 226}}},
            // At 80 % the third would wrap and two rows are too tall.
            {"a row made smaller",
             upright,
             {250, 300},
             79,
             {{0, 0, 79, 184}, {85, 0, 79, 184}, {170, 0, 79, 184}}},
            {"a column",
             upright,
             {120, 700},
             100,
             {{0, 0, 100, 226}, {0, 232, 100, 226}, {0, 464, 100, 226}}},
            // Not even at the least zoom: the least, less a bar's width, and
            // the tiles scroll; a caption keeps its width.
            {"scrolled",
             upright,
             {60, 60},
             25,
             {{0, 0, 50, 76}, {0, 82, 50, 76}, {0, 164, 50, 76}}},
            {"turned and upright at one zoom",
             {{QSize(300, 100), caption}, {QSize(100, 300), caption}},
             {500, 400},
             100,
             {{0, 0, 300, 126}, {306, 0, 100, 326}}},
        };
        for (const auto& c : cases) {
            const TileFlow flow = FlowTiles(c.tiles, c.room, 6, 25, 15);
            QVERIFY2(flow.zoomPercent == c.zoom, c.name);
            QVERIFY2(flow.boxes == c.boxes, c.name);
            QRect all;
            for (const QRect& box : flow.boxes) {
                all = all.united(box);
            }
            QVERIFY2(flow.extent == all.size(), c.name);
        }
    }

    void TilesGrowWithTheWindow() {
        EditorFixture fixture;
        Open(fixture);
        CDeviceListWindow& list = fixture.Frame().ShowDeviceList();
        list.SetSizes({{"P", 360, 640, false}, {"L", 360, 640, true}});
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        auto* scroll = list.findChild<QScrollArea*>();
        QVERIFY(scroll != nullptr);
        const auto tileSizes = [&list] {
            std::vector<QSize> sizes;
            for (int i = 0; i < list.TileCount(); ++i) {
                sizes.push_back(list.TileView(i).size());
            }
            return sizes;
        };
        std::vector<QSize> before;
        for (const QSize window : {QSize(700, 450), QSize(1400, 1000)}) {
            list.resize(window);
            QTRY_COMPARE(list.size(), window);
            const std::vector<QSize> sizes = tileSizes();
            const int zoom = list.TileView(0).Viewport().ZoomPercent();
            QVERIFY(zoom <= 100);
            for (int i = 0; i < list.TileCount(); ++i) {
                CZeDialogEditorView& view = list.TileView(i);
                // One zoom for all, the whole page shown, nothing to scroll.
                QCOMPARE(view.Viewport().ZoomPercent(), zoom);
                QCOMPARE(view.Viewport().ContentSize(), view.size());
                const QRect shown(view.mapTo(scroll->viewport(), QPoint(0, 0)), view.size());
                QVERIFY(scroll->viewport()->rect().contains(shown));
                if (!before.empty()) {
                    QVERIFY(sizes[i].width() > before[i].width());
                    QVERIFY(sizes[i].height() > before[i].height());
                }
            }
            before = sizes;
        }
    }

    void TheEditKeysWorkInTheEditorsOtherWindows() {
        EditorFixture fixture;
        Open(fixture);
        CMainFrame& frame = fixture.Frame();
        frame.show();
        CDeviceListWindow& list = frame.ShowDeviceList();
        QVERIFY(QTest::qWaitForWindowActive(&list));
        auto& row = static_cast<ze::CObjectDataList&>(
            *frame.GetProject().GetDialogs().GetDialog(0)->GetRootGroup()->GetChildren()[0]);
        QWidget& tile = list.TileView(1);
        tile.setFocus();
        const auto press = [&tile](QKeySequence keys) { QTest::keySequence(&tile, keys); };
        // The dialog itself picked: the tiles show its content, Delete
        // leaves it.
        ze::Select(frame.GetProject(), frame.GetProject().GetDialogs().GetDialog(0));
        press(QKeySequence(Qt::Key_Delete));
        QCOMPARE(frame.GetProject().GetDialogs().GetCount(), std::size_t{2});
        ze::Select(frame.GetProject(), row.GetChildren()[1]);
        const struct {
            const char* name;
            QKeySequence keys;
            std::size_t children;
        } steps[] = {
            {"Delete", QKeySequence(Qt::Key_Delete), 1},
            {"Ctrl+Z", QKeySequence(Qt::CTRL | Qt::Key_Z), 2},
            {"Ctrl+Y", QKeySequence(Qt::CTRL | Qt::Key_Y), 1},
            {"Ctrl+Z again", QKeySequence(Qt::CTRL | Qt::Key_Z), 2},
            {"Ctrl+Shift+Z", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), 1},
            {"Ctrl+Z a third time", QKeySequence(Qt::CTRL | Qt::Key_Z), 2},
            {"Ctrl+C", QKeySequence(Qt::CTRL | Qt::Key_C), 2},
            {"Ctrl+V", QKeySequence(Qt::CTRL | Qt::Key_V), 3},
            {"Ctrl+X", QKeySequence(Qt::CTRL | Qt::Key_X), 2},
        };
        for (const auto& step : steps) {
            press(step.keys);
            QVERIFY2(QApplication::activeWindow() == &list, step.name);
            QVERIFY2(row.GetChildren().size() == step.children, step.name);
        }
        // The copy pasted after R was the one cut.
        QCOMPARE(row.GetChildren()[1]->GetItem("Name"), std::string("R"));

        // The skeleton window, another of the editor's own, takes them too.
        frame.OnCreateSkeleton();
        QWidget* skeleton = frame.GetSkeletonDialog();
        QVERIFY(skeleton != nullptr);
        QVERIFY(QTest::qWaitForWindowActive(skeleton));
        auto* button = skeleton->findChild<QPushButton*>();
        QVERIFY(button != nullptr);
        QTest::keySequence(button, QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(row.GetChildren().size(), std::size_t{3});
    }

    void TheEditorKeepsOnlyAListThatReads() {
        EditorFixture fixture;
        CDeviceListEditor editor({{"P", 360, 640, false}}, fixture.messages);
        QTableWidget& table = editor.Table();
        const struct {
            const char* name;
            const char* width;
            const char* message;  // empty: accepted
        } cases[] = {
            {"", "360", "1 行目: 名前を入力してください。"},
            {"P", "abc", "1 行目: 幅と高さは 1 から 16384 までの整数で入力してください。"},
            {"P", "0", "1 行目: 幅と高さは 1 から 16384 までの整数で入力してください。"},
            {"Wide", " 1280 ", ""},
        };
        for (const auto& c : cases) {
            fixture.messages.shown.clear();
            table.item(0, 0)->setText(QString::fromUtf8(c.name));
            table.item(0, 1)->setText(QString::fromUtf8(c.width));
            editor.accept();
            if (*c.message == '\0') {
                QVERIFY(fixture.messages.shown.empty());
                QCOMPARE(editor.result(), int(QDialog::Accepted));
            } else {
                QCOMPARE(fixture.messages.shown.size(), std::size_t(1));
                QCOMPARE(fixture.messages.shown[0].text, std::string(c.message));
                QCOMPARE(editor.result(), int(QDialog::Rejected));
            }
        }
        qobject_cast<QComboBox*>(table.cellWidget(0, 3))->setCurrentIndex(1);
        editor.accept();
        QCOMPARE(editor.Sizes(), (std::vector<DeviceSize>{{"Wide", 1280, 640, true}}));
    }

    void TheLookFollowsTheMenuTheKeyAndTheSettings() {
        EditorFixture fixture;
        Open(fixture);
        CMainFrame& frame = fixture.Frame();
        CZeDialogEditorView& first = frame.ActiveChildFrame()->GetView();
        QCOMPARE(first.Look(), PreviewLook::kStructure);
        QVERIFY(frame.Action(CommandId::kViewStructure)->isChecked());
        const std::string untouched = EditorFixture::ReadFile(fixture.SettingsPath());
        QVERIFY(untouched.find("PreviewLook") == std::string::npos);

        frame.Action(CommandId::kViewDeviceLook)->trigger();
        QCOMPARE(first.Look(), PreviewLook::kDevice);
        // The device's look has no selection of its own: a red frame shows it.
        auto& row = static_cast<ze::CObjectDataList&>(
            *frame.GetProject().GetDialogs().GetDialog(0)->GetRootGroup()->GetChildren()[0]);
        ze::Select(frame.GetProject(), row.GetChildren()[1]);
        first.resize(400, 300);
        const QImage device = first.Render();
        const ze::PreviewRect& picked = row.GetChildren()[1]->GetPreviewRect();
        QCOMPARE(device.pixel(picked.left + 1, (picked.top + picked.bottom) / 2), qRgb(255, 0, 0));
        QVERIFY(device.pixel(picked.left - 3, (picked.top + picked.bottom) / 2) != qRgb(255, 0, 0));
        QVERIFY(frame.Action(CommandId::kViewDeviceLook)->isChecked());
        QVERIFY(EditorFixture::ReadFile(fixture.SettingsPath()).find("PreviewLook=1") !=
                std::string::npos);
        // A new window starts in the mode chosen last.
        QCOMPARE(frame.OnWindowNew()->GetView().Look(), PreviewLook::kDevice);

        frame.Action(CommandId::kSwitchLook)->trigger();  // Ctrl+D
        QCOMPARE(frame.ActiveChildFrame()->GetView().Look(), PreviewLook::kStructure);
        QVERIFY(EditorFixture::ReadFile(fixture.SettingsPath()).find("PreviewLook=0") !=
                std::string::npos);
        frame.Action(CommandId::kSwitchLook)->trigger();
        fixture.CloseFrame();

        // The next start opens windows in the device mode.
        EditorFixture again;
        again.WriteFile("x", "");  // the fixture's folder exists; the settings file is a fresh one
        CProfileSettings(again.SettingsPath()).WriteInt("SETTING", "PreviewLook", 1);
        Open(again);
        QCOMPARE(again.Frame().ActiveChildFrame()->GetView().Look(), PreviewLook::kDevice);
    }
};

QTEST_MAIN(DeviceListTest)
#include "device_list_test.moc"
