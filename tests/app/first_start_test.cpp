// A first start that guides: the start page over the empty window area and
// what its entries open, what New and the insert buttons give, where the
// Open dialog starts, and the windows and message boxes that must stay in
// sight of the user.
#include <QApplication>
#include <QCommandLinkButton>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include "app/child_frame.h"
#include "app/desktop_dialogs.h"
#include "app/device_list_window.h"
#include "app/dialog_document.h"
#include "app/editor_app.h"
#include "app/panes/log_dlg.h"
#include "app/screen_fit.h"
#include "app/start_page.h"
#include "model/dialog_data.h"
#include "model/object_data.h"
#include "panels/panel_buttons.h"
#include "panels/resource_dlg.h"
#include "panels/resource_tree_model.h"
#include "support/editor_fixture.h"

using namespace ze::app;
using ze::app::test::DialogText;
using ze::app::test::EditorFixture;
using ze::app::test::ProjectText;

namespace {

QList<QPushButton*> Entries(CMainFrame& frame, const QString& name) {
    return frame.GetStartPage().findChildren<QPushButton*>(name);
}

QStringList EntryPaths(CMainFrame& frame) {
    QStringList paths;
    for (QPushButton* button : Entries(frame, "StartRecent")) {
        paths << button->property("path").toString();
    }
    return paths;
}

bool StartPageShown(CMainFrame& frame) {
    return !frame.GetStartPage().isHidden();
}

// The program folder of the fixture with the insert grid's image of type
// (as the build puts them under objects/).
void ShipInsertImage(const EditorFixture& fixture, const QString& file) {
    const QString objects = QString::fromStdString(fixture.Folder() + "program/objects");
    QVERIFY(QDir().mkpath(objects));
    QVERIFY(QFile::copy(QStringLiteral(ZE_SOURCE_DIR "/images/objects/") + file,
                        objects + "/" + file));
}

}  // namespace

class FirstStartTest : public QObject {
    Q_OBJECT

private slots:
    void APlainStartShowsTheStartPageOverTheEmptyArea() {
        EditorFixture fixture;
        CMainFrame* started = fixture.Start({"ze-editor"});
        QVERIFY(started != nullptr);
        CMainFrame& frame = *started;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QVERIFY(frame.GetStartPage().isVisible());
        QCOMPARE(frame.GetStartPage().geometry(), frame.GetMdiArea().viewport()->rect());
        QVERIFY(frame.GetStartPage().findChild<QCommandLinkButton*>("StartNew") != nullptr);
        QVERIFY(frame.GetStartPage().findChild<QCommandLinkButton*>("StartOpen") != nullptr);
        // Nothing opened yet, no example beside this program.
        QVERIFY(Entries(frame, "StartRecent").isEmpty());
        QVERIFY(Entries(frame, "StartExample").isEmpty());
        QVERIFY(frame.GetStartPage().findChild<QWidget*>("StartTreeHint")->isHidden());
        // A resized area keeps it covered.
        frame.resize(frame.size() + QSize(60, 40));
        QTRY_COMPARE(frame.GetStartPage().geometry(), frame.GetMdiArea().viewport()->rect());
    }

    void NewGivesAWindowWithAVerticalLinearRootAndHidesThePage() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        QVERIFY(StartPageShown(frame));
        frame.GetStartPage().findChild<QCommandLinkButton*>("StartNew")->click();
        QCOMPARE(frame.ChildFrames().size(), std::size_t{1});
        QVERIFY(!StartPageShown(frame));
        const ze::CZeDialogData* dialog = frame.ActiveChildFrame()->GetDocument().GetDialog();
        QVERIFY(dialog != nullptr);
        const ze::CObjectDataList* root = dialog->GetRootGroup();
        QVERIFY(root != nullptr);
        QCOMPARE(root->GetItem("Layout"), std::string("LINEAR"));
        QCOMPARE(root->GetItem("Width"), std::string("PARENT"));
        QCOMPARE(root->GetItem("Height"), std::string("PARENT"));
        QCOMPARE(root->GetItem("Vertical"), std::string("true"));
        // The tree shows it under the dialog.
        auto& model = frame.GetResourcePanel().TreeModel();
        QCOMPARE(model.rowCount(model.index(0, 0, model.index(0, 0))), 1);
        // The same menu command does the same.
        frame.OnFileNew();
        QVERIFY(frame.GetProject().GetDialogs().GetDialog(1)->GetRootGroup() != nullptr);
        QVERIFY(!StartPageShown(frame));
    }

    void OpenAndTheRecentFilesOpenFromThePage() {
        EditorFixture fixture;
        const std::string a =
            fixture.WriteFile("a.moxspro", ProjectText("A", {DialogText("One", "")}));
        const std::string b =
            fixture.WriteFile("b.moxspro", ProjectText("B", {DialogText("Two", "")}));
        CMainFrame& frame = fixture.Frame();
        fixture.files.answers = {a};
        frame.GetStartPage().findChild<QCommandLinkButton*>("StartOpen")->click();
        QCOMPARE(fixture.files.requests.size(), std::size_t{1});
        QCOMPARE(frame.GetProject().GetDialogs().GetCount(), std::size_t{1});
        // Opening opens no window: the page stays, now pointing at the tree.
        QVERIFY(StartPageShown(frame));
        QVERIFY(!frame.GetStartPage().findChild<QWidget*>("StartTreeHint")->isHidden());
        QVERIFY(frame.OpenFile(b));
        QCOMPARE(EntryPaths(frame), QStringList({QString::fromStdString(b), QString::fromStdString(a)}));

        // The older entry reads its file again (its dialog comes in a second
        // time) and moves to the top.
        Entries(frame, "StartRecent").at(1)->click();
        QCOMPARE(frame.GetProject().GetDialogs().GetCount(), std::size_t{3});
        QCOMPARE(EntryPaths(frame), QStringList({QString::fromStdString(a), QString::fromStdString(b)}));
        // A file gone since leaves the list, with the message that it could
        // not be read.
        QVERIFY(QFile::remove(QString::fromStdString(b)));
        Entries(frame, "StartRecent").at(1)->click();
        QCOMPARE(EntryPaths(frame), QStringList({QString::fromStdString(a)}));
        QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
        QVERIFY(fixture.messages.shown[0].text.find("b.moxspro") != std::string::npos);
    }

    void TheExampleIsOfferedOnlyWhereItIsFound() {
        EditorFixture fixture;
        QCOMPARE(CStartPage::FindExampleProject(fixture.Folder() + "program/"), QString());
        const QString examples = QString::fromStdString(fixture.Folder() + "program/examples");
        QVERIFY(QDir().mkpath(examples));
        QVERIFY(QFile::copy(QStringLiteral(ZE_SOURCE_DIR "/examples/SampleApp.moxspro"),
                            examples + "/SampleApp.moxspro"));
        CMainFrame& frame = fixture.Frame();
        const QList<QPushButton*> example = Entries(frame, "StartExample");
        QCOMPARE(example.size(), 1);
        QCOMPARE(example[0]->property("path").toString(), examples + "/SampleApp.moxspro");
        example[0]->click();
        QCOMPARE(frame.GetProject().GetDialogs().GetCount(), std::size_t{4});
        QVERIFY(fixture.messages.shown.empty());
        // Opened as an untitled project with its first dialog shown: a save
        // never writes over the example.
        QVERIFY(frame.Files().GetProjectFile().empty());
        QCOMPARE(frame.ChildFrames().size(), std::size_t{1});
        // The source tree's example, two folders above build/bin.
        QCOMPARE(CStartPage::FindExampleProject(ZE_BINARY_DIR "/bin/"),
                 QDir::cleanPath(QStringLiteral(ZE_SOURCE_DIR "/examples/SampleApp.moxspro")));
    }

    void TheInsertButtonsTakeThePickedTypeWhateverTabIsShown() {
        EditorFixture fixture;
        ShipInsertImage(fixture, "12_BUTTON.png");
        CMainFrame& frame = fixture.Frame();
        frame.OnFileNew();
        CLogDlg& pane = frame.GetLogPane();
        auto& panel = frame.GetResourcePanel();
        ze::CObjectDataList& root =
            *frame.ActiveChildFrame()->GetDocument().GetDialog()->GetRootGroup();

        // Nothing picked: the status bar says what to do, nothing changes.
        pane.ShowTab(CLogDlg::kLogTab);
        panel.SelectByUser(&root);
        panel.Button(ze::panels::PanelButtons::kInsertLast).click();
        QVERIFY(root.GetChildren().empty());
        QCOMPARE(frame.statusBar()->currentMessage(),
                 QStringLiteral("挿入するオブジェクトを「挿入オブジェクト」から選択して下さい。"));

        pane.Grid(CLogDlg::kInsertTypesTab).Select(0);
        std::size_t count = 0;
        for (const auto button : {ze::panels::PanelButtons::kInsertAfter,
                                 ze::panels::PanelButtons::kInsertFirst,
                                 ze::panels::PanelButtons::kInsertLast}) {
            for (int tab = 0; tab < CLogDlg::kTabCount; ++tab) {
                pane.ShowTab(tab);
                panel.SelectByUser(&root);
                panel.Button(button).click();
                ++count;
                const QByteArray where = QByteArray::number(static_cast<int>(button)) + " on tab " +
                                         QByteArray::number(tab);
                QVERIFY2(root.GetChildren().size() == count, where);
                const ze::CObjectData& added =
                    *root.GetChildren()[button == ze::panels::PanelButtons::kInsertFirst
                                            ? 0
                                            : count - 1];
                QVERIFY2(added.GetItem("Type") == "BUTTON", where);
                // Wide enough to read at once.
                QVERIFY2(added.GetItem("Width") == "PARENT", where);
                QVERIFY2(added.GetItem("Height") == "CONTENT", where);
            }
        }
    }

    void OpenStartsInTheProjectsFolder() {
        EditorFixture fixture;
        const QString base = QString::fromStdString(fixture.Folder());
        for (const char* folder : {"work", "panel", "recent"}) {
            QVERIFY(QDir().mkpath(base + folder));
        }
        const std::string project = fixture.WriteFile(
            "work/p.moxspro", ProjectText("P", {DialogText("A", "")}));
        const std::string recent =
            fixture.WriteFile("recent/r.json", ProjectText("R", {DialogText("B", "")}));

        // Nothing known: wherever the chooser likes.
        CMainFrame& frame = fixture.Frame();
        frame.Files().OnFileOpen();
        QCOMPARE(fixture.files.requests.back().folder, QString());
        // The folder of the file opened last (no longer the project's).
        QVERIFY(frame.OpenFile(recent));
        frame.Files().OnDiscardAll();
        frame.Files().OnFileOpen();
        QCOMPARE(fixture.files.requests.back().folder, base + "recent");
        // The project folder of the panel comes before it...
        frame.SetProjectFolder((base + "panel/").toStdString());
        frame.Files().OnFileOpen();
        QCOMPARE(fixture.files.requests.back().folder, base + "panel");
        // ...and the project file's folder before that.
        frame.Files().OnDiscardAll();
        QVERIFY(frame.OpenFile(project));
        QCOMPARE(frame.Files().GetProjectFile(), project);
        frame.Files().OnFileOpen();
        QCOMPARE(fixture.files.requests.back().folder, base + "work");
        // A folder that has gone is passed over.
        QVERIFY(QDir(base + "work").removeRecursively());
        frame.Files().OnFileOpen();
        QCOMPARE(fixture.files.requests.back().folder, base + "panel");
    }

    void TheDeviceListOpensWithinTheScreen() {
        const QRect screen(0, 0, 800, 600);
        const struct {
            QRect wanted;
            QRect expected;
        } cases[] = {
            {{100, 100, 300, 200}, {100, 100, 300, 200}},  // fits: stays
            {{700, 500, 300, 200}, {500, 400, 300, 200}},  // moved back in
            {{-50, -20, 300, 200}, {0, 0, 300, 200}},
            {{100, 100, 1020, 700}, {0, 0, 800, 600}},  // shrunk as well
            {{100, 450, 400, 300}, {100, 300, 400, 300}},
        };
        for (const auto& c : cases) {
            QCOMPARE(FitWithin(c.wanted, screen), c.expected);
        }

        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        frame.show();
        frame.OnFileNew();
        CDeviceListWindow& list = frame.ShowDeviceList();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const QRect available = list.screen()->availableGeometry();
        QVERIFY2(available.contains(list.frameGeometry()),
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(list.frameGeometry().x())
                                .arg(list.frameGeometry().y())
                                .arg(list.frameGeometry().width())
                                .arg(list.frameGeometry().height())));
    }

    void AMessageBoxBelongsToTheWindowTheUserIsIn() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        frame.show();
        QtMessageSink sink(&frame);
        CDeviceListEditor editor({{"Phone", 360, 640, false}}, sink, &frame);
        editor.open();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        editor.Table().item(0, 1)->setText("wide");
        QWidget* owner = nullptr;
        QString text;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box != nullptr) {
                owner = box->parentWidget();
                text = box->text();
                box->accept();
            }
        });
        editor.accept();
        QCOMPARE(owner, static_cast<QWidget*>(&editor));
        QVERIFY(text.startsWith("1 行目"));
        QVERIFY(editor.isVisible());
        editor.reject();
    }

    void TheLogTabsStayInSightInEnglish() {
        QTranslator english;
        QVERIFY(english.load(QStringLiteral(ZE_BINARY_DIR "/bin/translations/") +
                             QString::fromLatin1(kTranslationFile)));
        QVERIFY(QCoreApplication::installTranslator(&english));
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        auto* tabs = frame.GetLogPane().findChild<QTabWidget*>();
        QCOMPARE(tabs->tabText(CLogDlg::kLogTab), QString("Communication log"));
        frame.GetLogPane().SetProblemCount(12);
        // At the window's first size every caption is whole.
        QTest::qWait(20);
        QVERIFY2(tabs->tabBar()->sizeHint().width() <= tabs->tabBar()->width(),
                 qPrintable(QStringLiteral("%1 > %2")
                                .arg(tabs->tabBar()->sizeHint().width())
                                .arg(tabs->tabBar()->width())));
        // Narrower, they are shortened, but no tab leaves the bar.
        for (const int width : {frame.width(), 700}) {
            frame.resize(width, frame.height());
            QTest::qWait(20);
            QTabBar* bar = tabs->tabBar();
            for (int tab = 0; tab < tabs->count(); ++tab) {
                QVERIFY2(bar->rect().contains(bar->tabRect(tab)),
                         qPrintable(QStringLiteral("tab %1 at width %2").arg(tab).arg(width)));
                QCOMPARE(bar->tabToolTip(tab).isEmpty(), false);
            }
        }
        QCoreApplication::removeTranslator(&english);
    }
};

QTEST_MAIN(FirstStartTest)
#include "first_start_test.moc"
