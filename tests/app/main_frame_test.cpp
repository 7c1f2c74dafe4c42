// The main window: start-up, menus, editing windows and the file commands.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QUrl>

#include "app/about_dialog.h"
#include "app/child_frame.h"
#include "app/command_ids.h"
#include "app/dialog_document.h"
#include "app/dialog_view.h"
#include "app/editor_app.h"
#include "app/menu_table.h"
#include "app/panes/log_dlg.h"
#include "app/window_cascade.h"
#include "common/cp932.h"
#include "model/dialog_data.h"
#include "panels/resource_dlg.h"
#include "panels/resource_tree_model.h"
#include "panels/skeleton_dlg.h"
#include "support/editor_fixture.h"

using namespace ze::app;
using ze::app::test::DialogText;
using ze::app::test::EditorFixture;
using ze::app::test::ProjectText;

namespace {

QStringList MenuCaptions(const QMainWindow& window) {
    QStringList captions;
    for (QAction* action : window.menuBar()->actions()) {
        captions << action->text();
    }
    return captions;
}

// An entry without a command id (the recent files, a submenu).
constexpr CommandId kNoId{-1};

// The command ids of a menu's entries in order, kSeparator for separators and
// kNoId for entries without an id.
QList<CommandId> MenuIds(const QMainWindow& window, int menuIndex) {
    QMenu* menu = window.menuBar()->actions().at(menuIndex)->menu();
    emit menu->aboutToShow();
    QList<CommandId> ids;
    for (QAction* action : menu->actions()) {
        ids << (action->isSeparator()      ? kSeparator
                : action->data().isValid() ? CommandId{action->data().toInt()}
                                           : kNoId);
    }
    return ids;
}

std::vector<std::string> DialogNames(CMainFrame& frame) {
    std::vector<std::string> names;
    auto& dialogs = frame.GetProject().GetDialogs();
    for (std::size_t i = 0; i < dialogs.GetCount(); ++i) {
        names.push_back(dialogs.GetDialog(i)->GetItem("Name"));
    }
    return names;
}

}  // namespace

class MainFrameTest : public QObject {
    Q_OBJECT

private slots:
    void PlainStartShowsMenu128AndNoWindow() {
        EditorFixture fixture;
        CMainFrame* started = fixture.Start({"ze-editor"});
        QVERIFY(started != nullptr);
        CMainFrame& frame = *started;
        QVERIFY(frame.ChildFrames().empty());
        QVERIFY(!frame.IsDialogMenuShown());
        QCOMPARE(MenuCaptions(frame),
                 QStringList({"ファイル(&F)", "編集(&E)", "表示(&V)", "ヘルプ(&H)"}));
        using enum CommandId;
        QCOMPARE(MenuIds(frame, 0),
                 QList<CommandId>({kFileNew, kFileOpen, kSeparator, kSaveProject, kSaveProjectAs,
                                   kSeparator, kCreateSkeleton, kSeparator, kRecentFile, kSeparator,
                                   kDiscardAll, kSeparator, kAppExit}));
        // Undo and redo reach the picked dialog's history without a window.
        QCOMPARE(MenuIds(frame, 1),
                 QList<CommandId>({kEditUndo, kEditRedo, kSeparator, kEditCut, kEditCopy, kEditPaste,
                                   kSeparator, kClearLog}));
        // kNoId: the "言語 / Language" submenu, which has no command id.
        QCOMPARE(MenuIds(frame, 2),
                 QList<CommandId>({kViewToolBar, kViewStatusBar, kViewResourcePanel, kViewLogPane,
                                   kViewHistory, kSeparator, kRedraw, kSeparator, kNoId}));
        QCOMPARE(frame.windowTitle(), QString("無題[*] - RESOURCE EDITOR"));
        QVERIFY(!frame.isWindowModified());
        QVERIFY(fixture.messages.shown.empty());
    }

    void CaptionsKeysAndStatusTexts() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        QAction* save = frame.Action(CommandId::kSaveProject);
        QCOMPARE(save->text(), QString("プロジェクトの保存（全てのリソース）(&S)"));
        QCOMPARE(save->statusTip(),
                 QString("プロジェクトを保存します。（全てのダイアログの保存）"));
        QCOMPARE(save->toolTip(), QString("プロジェクト保存"));
        QCOMPARE(save->shortcut(), QKeySequence("Ctrl+S"));
        QCOMPARE(frame.Action(CommandId::kEditUndo)->shortcuts(),
                 QList<QKeySequence>({QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")}));
        QCOMPARE(frame.Action(CommandId::kEditRedo)->shortcuts(),
                 QList<QKeySequence>({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}));
        QCOMPARE(frame.Action(CommandId::kEditPaste)->shortcuts(),
                 QList<QKeySequence>({QKeySequence("Ctrl+V"), QKeySequence("Shift+Ins")}));
        QCOMPARE(frame.Action(CommandId::kAppExit)->text(), QString("アプリケーションの終了(&X)"));
    }

    void EveryMenuEntryHasItsCaption_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("caption");
        using enum CommandId;
        const QList<QPair<CommandId, const char*>> rows = {
            {kFileNew, "新規作成(&N)"},
            {kFileOpen, "プロジェクト/リソースの読込み(&O)"},
            {kSaveProject, "プロジェクトの保存（全てのリソース）(&S)"},
            {kSaveProjectAs, "名前を付けて保存..."},
            {kCreateSkeleton, "スケルトンの作成(&M)"},
            {kDiscardAll, "全てのリソースを破棄"},
            {kAppExit, "アプリケーションの終了(&X)"},
            {kViewToolBar, "ツール バー(&T)"},
            {kViewStatusBar, "ステータス バー(&S)"},
            {kViewResourcePanel, "リソースダイアログ"},
            {kViewLogPane, "ログ表示"},
            {kViewHistory, "履歴"},
            {kRedraw, "再描画"},
            {kAppAbout, "バージョン情報(&A)"},
            {kSendDialog, "データ送信"},
            {kSaveResource, "リソースの保存（このリソースのみ）"},
            {kFileClose, "このリソースを閉じる(&C)"},
            {kEditUndo, "元に戻す(&U)"},
            {kEditRedo, "やり直し(&R)"},
            {kEditCut, "切り取り(&T)"},
            {kEditCopy, "コピー(&C)"},
            {kEditPaste, "貼り付け(&P)"},
            {kClearLog, "ログのクリア"},
            {kWindowNew, "新しいウィンドウを開く(&N)"},
            {kWindowCascade, "重ねて表示(&C)"},
            {kWindowTile, "並べて表示(&T)"},
            {kWindowArrange, "アイコンの整列(&A)"},
            {kViewFitWindow, "ウィンドウに合わせる"},
            {kViewDeviceSize, "実寸"},
        };
        for (const auto& [id, caption] : rows) {
            QTest::newRow(QByteArray::number(static_cast<int>(id)).constData())
                << static_cast<int>(id) << QString::fromUtf8(caption);
        }
    }
    void EveryMenuEntryHasItsCaption() {
        QFETCH(int, id);
        QFETCH(QString, caption);
        EditorFixture fixture;
        QAction* action = fixture.Frame().Action(CommandId{id});
        QVERIFY(action != nullptr);
        QCOMPARE(action->text(), caption);
        QVERIFY(!action->statusTip().isEmpty());
    }

    void ToolBarStatusBarAndBars() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        auto* toolBar = frame.findChild<QToolBar*>("ToolBar");
        QVERIFY(toolBar != nullptr);
        QList<CommandId> ids;
        for (QAction* action : toolBar->actions()) {
            ids << (action->isSeparator() ? kSeparator : CommandId{action->data().toInt()});
            if (!action->isSeparator()) {
                QCOMPARE(toolBar->widgetForAction(action)->size(), QSize(25, 20));
            }
        }
        using enum CommandId;
        QCOMPARE(
            ids,
            QList<CommandId>(
                {kFileNew,    kFileOpen,  kSaveProject,   kSeparator,         kRedraw,
                 kSeparator,  kClearLog,  kSeparator,     kViewResourcePanel, kViewLogPane,
                 kSendDialog, kSeparator, kViewFitWindow, kViewDeviceSize,    kZoomOut,
                 kZoomIn,     kSeparator, kViewStructure, kViewDeviceLook,    kViewDeviceList}));
        QList<int> widths;
        for (QLabel* pane : frame.statusBar()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
            widths << pane->width();
        }
        QVERIFY(widths.contains(40) && widths.contains(20));
        QCOMPARE(frame.GetResourceBar().windowTitle(), QString("Resource"));
        QCOMPARE(frame.GetResourceBar().allowedAreas(), Qt::RightDockWidgetArea);
        QCOMPARE(frame.GetLogBar().windowTitle(), QString("Log"));
        QCOMPARE(frame.GetLogBar().allowedAreas(), Qt::BottomDockWidgetArea);
        QCOMPARE(frame.dockWidgetArea(&frame.GetLogBar()), Qt::BottomDockWidgetArea);

        frame.Action(kViewLogPane)->trigger();
        QVERIFY(frame.GetLogBar().isHidden());
        frame.Action(kViewLogPane)->trigger();
        QVERIFY(!frame.GetLogBar().isHidden());
        QVERIFY(!frame.Action(kSendDialog)->isEnabled());
        frame.SetDeviceConnected(true);
        QVERIFY(frame.Action(kSendDialog)->isEnabled());
    }

    void StartWithAFileOpensItWithoutAWindow() {
        EditorFixture fixture;
        const std::string path = fixture.WriteFile(
            "two.moxspro", ProjectText("Two", {DialogText("A", ""), DialogText("B", "")}));
        CMainFrame* started = fixture.Start({"ze-editor", QString::fromStdString(path)});
        QVERIFY(started != nullptr);
        CMainFrame& frame = *started;
        QCOMPARE(DialogNames(frame), std::vector<std::string>({"A", "B"}));
        QVERIFY(frame.ChildFrames().empty());
        QVERIFY(!frame.IsDialogMenuShown());
        auto& model = frame.GetResourcePanel().TreeModel();
        QCOMPARE(model.rowCount(), 1);                   // the root
        QCOMPARE(model.rowCount(model.index(0, 0)), 2);  // its dialogs
        QCOMPARE(frame.GetRecentFiles().GetEntries().front(), path);
    }

    void DialogOptionOpensThatDialogsWindow() {
        EditorFixture fixture;
        const std::string path = fixture.WriteFile(
            "two.moxspro", ProjectText("Two", {DialogText("A", ""), DialogText("B", "")}));
        CMainFrame* started =
            fixture.Start({"ze-editor", QString::fromStdString(path), "--dialog", "B"});
        QVERIFY(started != nullptr);
        CMainFrame& frame = *started;
        QCOMPARE(frame.ChildFrames().size(), std::size_t{1});
        QCOMPARE(frame.ActiveChildFrame()->GetDocument().GetDialog(),
                 frame.GetProject().GetDialogs().GetDialog(1));
        EditorFixture wrong;
        QVERIFY(wrong.Start({"ze-editor", "--no-such-option"}) == nullptr);
    }

    void FolderOptionSetsTheProjectFolder() {
        EditorFixture fixture;
        QDir().mkpath(QString::fromStdString(fixture.Folder() + "project/resources"));
        QImage image(4, 3, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(QString::fromStdString(fixture.Folder() + "project/resources/x.png")));
        CMainFrame* frame = fixture.Start(
            {"ze-editor", "--folder", QString::fromStdString(fixture.Folder() + "project")});
        QVERIFY(frame != nullptr);
        QCOMPARE(frame->GetResourcePanel().GetProjectFolder(), fixture.Folder() + "project/");
        QCOMPARE(frame->GetLogPane().Images(3).Size(), std::size_t{1});
    }

    void MenusSwitchWithTheFirstDialogWindow() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        CChildFrame* first = frame.OnFileNew();
        QVERIFY(first != nullptr);
        QVERIFY(frame.IsDialogMenuShown());
        QCOMPARE(MenuCaptions(frame), QStringList({"ファイル(&F)", "編集(&E)", "表示(&V)",
                                                   "ウィンドウ(&W)", "ヘルプ(&H)"}));
        using enum CommandId;
        // The entries no operation stood behind (align, new resource) are gone.
        QCOMPARE(MenuIds(frame, 1),
                 QList<CommandId>({kEditUndo, kEditRedo, kSeparator, kEditCut, kEditCopy, kEditPaste,
                                   kSeparator, kClearLog}));
        QCOMPARE(
            MenuIds(frame, 2),
            QList<CommandId>({kViewToolBar, kViewStatusBar, kViewResourcePanel, kViewLogPane,
                              kViewHistory, kSeparator, kRedraw, kSeparator, kViewFitWindow,
                              kViewDeviceSize, kSeparator, kZoomIn, kZoomOut, kZoomReset,
                              kSeparator, kViewStructure, kViewDeviceLook, kViewDeviceList,
                              kSeparator, kNoId}));
        QCOMPARE(MenuIds(frame, 3),
                 QList<CommandId>({kWindowNew, kWindowCascade, kWindowTile, kWindowArrange}));
        // Nor is there an action behind the old ids (align, new resource).
        for (const int id : {32800, 32806, 32807, 32808, 32809, 32810, 32851}) {
            QVERIFY(frame.Action(CommandId{id}) == nullptr);
        }
        const QList<CommandId> file = MenuIds(frame, 0);
        QVERIFY(file.indexOf(kSendDialog) == file.indexOf(kFileOpen) + 1);
        QVERIFY(file.indexOf(kSaveProjectAs) == file.indexOf(kSaveProject) + 1);
        QVERIFY(file.indexOf(kSaveResource) == file.indexOf(kSaveProject) + 2);
        QVERIFY(file.contains(kFileClose));

        CChildFrame* second = frame.OnFileNew();
        first->close();
        QVERIFY(frame.IsDialogMenuShown());
        second->close();
        QVERIFY(!frame.IsDialogMenuShown());
        QCOMPARE(MenuCaptions(frame).size(), 4);
    }

    void EditEntriesWorkWithoutAWindow() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        QVERIFY(frame.OpenFile(fixture.WriteFile(
            "in.moxspro", ProjectText("P", {DialogText("A", "{'Type':'TEXT','Name':'T'}")}))));
        // After the file is read its first dialog is picked, with no window.
        QVERIFY(frame.ChildFrames().empty());
        using enum CommandId;
        for (const CommandId id : {kEditCut, kEditCopy, kEditPaste}) {
            QVERIFY(frame.Action(id)->isEnabled());
        }
        QGuiApplication::clipboard()->clear();
        frame.Action(kEditCopy)->trigger();
        QVERIFY(QGuiApplication::clipboard()->text().contains("'Name':'A'"));
        QVERIFY(frame.ChildFrames().empty());
        frame.Action(kEditPaste)->trigger();
        QCOMPARE(DialogNames(frame), std::vector<std::string>({"A", "A2"}));
        frame.Action(kEditCut)->trigger();
        QCOMPARE(frame.GetProject().GetDialogs().GetCount(), std::size_t{1});
    }

    void RedrawWithoutAWindowRepaintsTheDeviceList() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        QVERIFY(frame.OpenFile(
            fixture.WriteFile("in.moxspro", ProjectText("P", {DialogText("A", "")}))));
        QAction* redraw = frame.Action(CommandId::kRedraw);
        QVERIFY(!redraw->isEnabled());
        CDeviceListWindow& list = frame.ShowDeviceList();
        QVERIFY(frame.ChildFrames().empty());
        QVERIFY(redraw->isEnabled());
        redraw->trigger();
        list.hide();
        QVERIFY(!redraw->isEnabled());
    }

    void NewDocumentsNameTheirDialogsUniquely() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        frame.OnFileNew();
        frame.OnFileNew();
        frame.OnFileNew();
        QCOMPARE(DialogNames(frame), std::vector<std::string>({"Dialog", "Dialog2", "Dialog3"}));
        QCOMPARE(frame.ChildFrames().size(), std::size_t{3});
        QCOMPARE(frame.ActiveChildFrame()->windowTitle(), QString("Dialog3"));
        // The main window names the project, not the dialog.
        QCOMPARE(frame.windowTitle(), QString("無題[*] - RESOURCE EDITOR"));
        QCOMPARE(frame.GetResourcePanel().GetCurrentDialog(),
                 frame.GetProject().GetDialogs().GetDialog(2));
    }

    void OpenMergesIntoTheProject() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        frame.OnFileNew();
        const std::string first = fixture.WriteFile(
            "a.moxspro", ProjectText("First", {DialogText("A", ""), DialogText("B", "")}));
        const std::string second =
            fixture.WriteFile("b.json", ProjectText("Second", {DialogText("A", "")}));
        fixture.files.answers = {first};
        frame.Files().OnFileOpen();
        QVERIFY(frame.OpenFile(second));
        QCOMPARE(DialogNames(frame), std::vector<std::string>({"Dialog", "A", "B", "A2"}));
        QCOMPARE(frame.GetRootProperty("Name"), std::string("Second"));
        QCOMPARE(frame.ChildFrames().size(), std::size_t{1});
        auto& model = frame.GetResourcePanel().TreeModel();
        QCOMPARE(model.rowCount(model.index(0, 0)), 4);
        QCOMPARE(fixture.files.requests.front().filter,
                 QString("リソースファイル (*.moxspro *.json);;すべてのファイル (*)"));
        QCOMPARE(frame.GetRecentFiles().GetEntries(), std::vector<std::string>({second, first}));
    }

    void OpenFailuresChangeNothing() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        // The parser's report, as ze-tool check prints it, with the file.
        const std::string broken = fixture.WriteFile("broken.moxspro", "{'Name':\x82\xA0\xFF");
        QVERIFY(!frame.OpenFile(broken));
        QVERIFY(fixture.messages.shown.empty());
        QCOMPARE(fixture.files.loadErrors.size(), std::size_t{1});
        QCOMPARE(fixture.files.loadErrors[0].first,
                 QFileInfo(QString::fromStdString(broken)).absoluteFilePath());
        ze::JsonParser parser;
        QVERIFY(!parser.Parse(EditorFixture::ReadFile(broken)));
        QCOMPARE(fixture.files.loadErrors[0].second, parser.GetErrorText());
        QVERIFY(!frame.OpenFile(fixture.Folder() + "missing.moxspro"));
        QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
        QCOMPARE(fixture.messages.shown[0].icon, ze::MessageIcon::kWarning);
        QVERIFY(fixture.messages.shown[0].text.starts_with("ファイルを読み込めませんでした。"));
        QCOMPARE(frame.GetProject().GetDialogs().GetCount(), std::size_t{0});
        QVERIFY(frame.GetRecentFiles().GetEntries().empty());
    }

    void DroppedFilesAreOpened() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        const std::string path =
            fixture.WriteFile("drop.moxspro", ProjectText("Drop", {DialogText("D", "")}));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
        // As the desktop delivers it: the drag enters, then the drop.
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(&frame, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&frame, &drop);
        QCOMPARE(DialogNames(frame), std::vector<std::string>({"D"}));
    }

    void DiscardAllLeavesANewProjectsRoot() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        QVERIFY(frame.OpenFile(fixture.WriteFile(
            "p.moxspro", ProjectText("Keep", {DialogText("A", ""), DialogText("B", "")}))));
        frame.ActivateDialogWindow(*frame.GetProject().GetDialogs().GetDialog(0));
        frame.ActivateDialogWindow(*frame.GetProject().GetDialogs().GetDialog(1));
        QCOMPARE(frame.ChildFrames().size(), std::size_t{2});
        frame.Action(CommandId::kDiscardAll)->trigger();
        QVERIFY(frame.ChildFrames().empty());
        QVERIFY(!frame.IsDialogMenuShown());
        QCOMPARE(frame.GetProject().GetDialogs().GetCount(), std::size_t{0});
        QCOMPARE(frame.GetResourcePanel().TreeModel().rowCount(), 0);
        QVERIFY(frame.GetResourcePanel().GetCurrentElement() == nullptr);
        QVERIFY(frame.GetResourcePanel().GetShownElement() == nullptr);
        // Nothing of the discarded project shows in a file opened next.
        const ze::CZeResourceData fresh;
        for (const char* name : {"Name", "DeviceWidth", "DeviceHeight"}) {
            QCOMPARE(frame.GetRootProperty(name), fresh.GetItem(name));
        }
        QCOMPARE(frame.GetProject().Items().GetItemCount(), fresh.Items().GetItemCount());
    }

    void SaveResourceWritesTheActiveDialogOnly() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        QVERIFY(frame.OpenFile(fixture.WriteFile(
            "in.moxspro", ProjectText("P", {DialogText("A", "{'Type':'TEXT','Name':'T'}"),
                                            DialogText("B", "{'Type':'BUTTON','Name':'U'}")}))));
        QVERIFY(!frame.Action(CommandId::kSaveResource)->isEnabled());
        frame.ActivateDialogWindow(*frame.GetProject().GetDialogs().GetDialog(1));
        QVERIFY(frame.Action(CommandId::kSaveResource)->isEnabled());
        const std::string out = fixture.Folder() + "B.json";
        fixture.files.answers = {out};
        frame.Action(CommandId::kSaveResource)->trigger();
        QCOMPARE(fixture.files.requests.back().initialName, QString("B"));
        QCOMPARE(fixture.files.requests.back().filter, QString("リソースファイル (*.json)"));
        QCOMPARE(fixture.files.requests.back().defaultSuffix, QString("json"));
        QVERIFY(frame.GetProject().SaveToFile(fixture.Folder() + "expected.json", "B"));
        const std::string written = EditorFixture::ReadFile(out);
        QCOMPARE(written, EditorFixture::ReadFile(fixture.Folder() + "expected.json"));
        QVERIFY(written.find("'Name':'B'") != std::string::npos);
        QVERIFY(written.find("'Name':'A'") == std::string::npos);
    }

    void DialogWindowsOpenOncePerDialog() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        QVERIFY(frame.OpenFile(fixture.WriteFile(
            "in.moxspro", ProjectText("P", {DialogText("A", ""), DialogText("B", "")}))));
        auto& dialogs = frame.GetProject().GetDialogs();
        frame.ActivateDialogWindow(*dialogs.GetDialog(0));
        frame.ActivateDialogWindow(*dialogs.GetDialog(1));
        frame.ActivateDialogWindow(*dialogs.GetDialog(0));
        QCOMPARE(frame.ChildFrames().size(), std::size_t{2});
        QCOMPARE(frame.ActiveChildFrame()->GetDocument().GetDialog(), dialogs.GetDialog(0));
        QCOMPARE(frame.GetResourcePanel().GetCurrentDialog(), dialogs.GetDialog(0));

        // A second window on the same dialog; closing the document closes both.
        frame.Action(CommandId::kWindowNew)->trigger();
        QCOMPARE(frame.ChildFrames().size(), std::size_t{3});
        QStringList titles;
        for (CChildFrame* child : frame.ChildFrames()) {
            titles << child->windowTitle();
        }
        QCOMPARE(titles, QStringList({"A:1", "B", "A:2"}));
        frame.Action(CommandId::kFileClose)->trigger();
        QCOMPARE(frame.ChildFrames().size(), std::size_t{1});
        QCOMPARE(frame.ChildFrames().front()->GetDocument().GetDialog(), dialogs.GetDialog(1));
    }

    void SizingAndZoomFollowTheActiveWindow() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        using enum CommandId;
        QVERIFY(!frame.Action(kViewDeviceSize)->isEnabled());
        CChildFrame* first = frame.OnFileNew();
        CChildFrame* second = frame.OnFileNew();
        QVERIFY(frame.Action(kViewFitWindow)->isChecked());
        frame.Action(kViewDeviceSize)->trigger();
        frame.Action(kZoomIn)->trigger();
        QCOMPARE(second->GetView().Viewport().Sizing(), PreviewSizing::kDeviceSize);
        QCOMPARE(second->GetView().Viewport().ZoomPercent(), 125);

        const auto shown = [&frame] {
            return QStringList{frame.Action(kViewFitWindow)->isChecked() ? "fit" : "",
                               frame.Action(kViewDeviceSize)->isChecked() ? "device" : "",
                               frame.statusBar()->findChild<QLabel*>("ZoomPane")->text()};
        };
        QCOMPARE(shown(), QStringList({"", "device", "125%"}));
        frame.GetMdiArea().setActiveSubWindow(first);
        QCOMPARE(first->GetView().Viewport().Sizing(), PreviewSizing::kFitWindow);
        QCOMPARE(shown(), QStringList({"fit", "", "100%"}));
        frame.GetMdiArea().setActiveSubWindow(second);
        QCOMPARE(shown(), QStringList({"", "device", "125%"}));
        first->close();
        second->close();
        QCOMPARE(shown(), QStringList({"", "", ""}));
        QVERIFY(!frame.Action(kZoomIn)->isEnabled());
    }

    void CascadeSteps_data() {
        QTest::addColumn<QList<QPoint>>("taken");
        QTest::addColumn<QSize>("area");
        QTest::addColumn<QRect>("expected");
        const QSize wide(1000, 600);
        QTest::newRow("first at the corner") << QList<QPoint>{} << wide << QRect(0, 0, 520, 420);
        QTest::newRow("next free step")
            << QList<QPoint>{{0, 0}, {24, 24}} << wide << QRect(48, 48, 520, 420);
        QTest::newRow("a gap is filled")
            << QList<QPoint>{{0, 0}, {48, 48}} << wide << QRect(24, 24, 520, 420);
        QTest::newRow("a moved window takes no step")
            << QList<QPoint>{{7, 30}} << wide << QRect(0, 0, 520, 420);
        // 80 × 50 pixels to spare: steps 0, 24 and 48.
        QTest::newRow("all steps taken") << QList<QPoint>{{0, 0}, {24, 24}, {48, 48}}
                                         << QSize(600, 470) << QRect(0, 0, 520, 420);
        QTest::newRow("all taken, one more") << QList<QPoint>{{0, 0}, {24, 24}, {48, 48}, {0, 0}}
                                             << QSize(600, 470) << QRect(24, 24, 520, 420);
        QTest::newRow("a small area shrinks the window")
            << QList<QPoint>{{0, 0}} << QSize(400, 300) << QRect(0, 0, 400, 300);
        QTest::newRow("an area not laid out yet")
            << QList<QPoint>{{0, 0}} << QSize() << QRect(24, 24, 520, 420);
    }
    void CascadeSteps() {
        QFETCH(QList<QPoint>, taken);
        QFETCH(QSize, area);
        QFETCH(QRect, expected);
        QCOMPARE(CascadeGeometry({taken.begin(), taken.end()}, QSize(520, 420), area, 24),
                 expected);
    }

    void NewWindowsOpenInsideTheVisibleArea() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        const QRect area = frame.GetMdiArea().viewport()->rect();
        QList<QPoint> corners;
        for (int i = 0; i < 6; ++i) {
            CChildFrame* child = frame.OnFileNew();
            QVERIFY2(area.contains(child->geometry()), qPrintable(QString::number(i)));
            corners << child->pos();
        }
        QCOMPARE(corners[0], QPoint(0, 0));
        const int step = corners[1].x();
        QVERIFY(step > 0);
        QCOMPARE(corners[1], QPoint(step, step));
        // A smaller main window: the windows shrink to its area.
        frame.resize(560, 420);
        QTRY_VERIFY(frame.GetMdiArea().viewport()->height() < 420);
        CChildFrame* small = frame.OnFileNew();
        QVERIFY(frame.GetMdiArea().viewport()->rect().contains(small->geometry()));
    }

    void SkeletonNeedsAnApplicationName() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        frame.Action(CommandId::kCreateSkeleton)->trigger();
        QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
        QCOMPARE(fixture.messages.shown[0].text,
                 std::string("アプリケーション名が登録されていません。\n"
                             "リソースツリーのRootのNameを設定して下さい。"));
        QVERIFY(frame.GetSkeletonDialog() == nullptr);

        // With a Name the dialog opens, made once, with the project folder
        // as its output folder and the active window's dialog named.
        frame.SetProjectFolder(fixture.Folder());
        frame.GetProject().SetItem("Name", "App");
        frame.OnFileNew();
        frame.Action(CommandId::kCreateSkeleton)->trigger();
        ze::panels::CSkeletonDlg* dialog = frame.GetSkeletonDialog();
        QVERIFY(dialog != nullptr);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->OutputFolderField().text(), QString::fromStdString(fixture.Folder()));
        QCOMPARE(dialog->DialogNameField().text(), QStringLiteral("Dialog"));
        dialog->hide();
        frame.Action(CommandId::kCreateSkeleton)->trigger();
        QCOMPARE(frame.GetSkeletonDialog(), dialog);
        QVERIFY(dialog->isVisible());
        QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
    }

    void F6MovesTheFocusAcrossThePanes() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        frame.OnFileNew();
        frame.show();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        CZeDialogEditorView* view = frame.ActiveView();
        view->setFocus();
        QTest::keyClick(&frame, Qt::Key_F6);
        QVERIFY(frame.GetResourcePanel().isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(&frame, Qt::Key_F6);
        QVERIFY(frame.GetLogPane().isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(&frame, Qt::Key_F6);
        QCOMPARE(QApplication::focusWidget(), view);
        QTest::keyClick(&frame, Qt::Key_F6, Qt::ShiftModifier);
        QVERIFY(frame.GetLogPane().isAncestorOf(QApplication::focusWidget()));
    }

    void AboutBoxShowsTheVersion() {
        CAboutDlg about;
        QCOMPARE(about.windowTitle(), QString("バージョン情報"));
        auto* version = about.findChild<QLabel*>("version");
        QVERIFY(version != nullptr);
        QVERIFY(QRegularExpression("^Version \\d+\\.\\d+\\.\\d+\\.\\d+$")
                    .match(version->text())
                    .hasMatch());
    }

    void LinkIndicatorKeepsItsState() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        QCOMPARE(frame.GetLinkIndicator(), ze::link::LinkIndicator::NoAnswer);
        frame.SetLinkIndicator(ze::link::LinkIndicator::DeviceAnswered);
        QCOMPARE(frame.GetLinkIndicator(), ze::link::LinkIndicator::DeviceAnswered);
        frame.SetLinkIndicator(ze::link::LinkIndicator::KeepAliveSent);
        QCOMPARE(frame.GetLinkIndicator(), ze::link::LinkIndicator::KeepAliveSent);
    }
};

QTEST_MAIN(MainFrameTest)
#include "main_frame_test.moc"
