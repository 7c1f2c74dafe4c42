// The resource panel's parts each stand alone: the tree, the property page
// and the live sync follow picks made through the model's selection calls,
// with no panel around them to relay anything.

#include <QBoxLayout>
#include <QSignalSpy>
#include <QTreeView>
#include <QtTest>
#include <memory>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "model/dialog_data.h"
#include "model/editing/selection.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "panels/live_sync.h"
#include "panels/property_list_ctrl.h"
#include "panels/property_list_model.h"
#include "panels/property_page.h"
#include "panels/resource_tree_model.h"
#include "panels/resource_tree_pane.h"
#include "panels/selection_commands.h"
#include "panels/support/recording_host.h"
#include "panels/support/sample_project.h"

namespace ze::panels::test {

class PanelPartsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        project_ = std::make_unique<CZeResourceData>();
        QVERIFY(LoadSampleProject(*project_));
        commands_ = std::make_unique<SelectionCommands>(*project_, host_, messages_);
        main_ = &Dialog(*project_, "Main");
        second_ = &Dialog(*project_, "Second");
    }
    void cleanup() {
        commands_.reset();
        project_.reset();
    }

    void TreeAndPropertyPageFollowModelPicks_data() {
        QTest::addColumn<QStringList>("picks");  // "+name" toggles, "name" picks alone
        QTest::addColumn<QString>("current");
        QTest::addColumn<int>("listed");  // elements the property list shows
        QTest::newRow("one object") << QStringList{"title"} << "title" << 1;
        QTest::newRow("three objects, the last current")
            << QStringList{"title", "+toggle", "+grid"} << "grid" << 3;
        QTest::newRow("one toggled off again")
            << QStringList{"title", "+toggle", "+toggle"} << "title" << 1;
        QTest::newRow("into another dialog") << QStringList{"title", "other"} << "other" << 1;
    }
    void TreeAndPropertyPageFollowModelPicks() {
        QFETCH(QStringList, picks);
        QFETCH(QString, current);
        QFETCH(int, listed);
        ResourceTreePane tree(*project_, *commands_, host_, messages_);
        PropertyPage page(*project_, *commands_, host_, messages_);
        tree.Reload();
        host_.Clear();
        for (const QString& pick : picks) {
            const std::string name = pick.mid(pick.startsWith('+') ? 1 : 0).toStdString();
            CZeDialogData& dialog = name == "other" ? *second_ : *main_;
            ZeClass* element = &Element(dialog, name);
            if (pick.startsWith('+')) {
                ToggleSelected(*project_, element);
            } else {
                Select(*project_, element);
            }
        }
        ZeClass* expected = &Element(current == "other" ? *second_ : *main_, current.toStdString());
        QCOMPARE(tree.CurrentElement(), expected);
        QCOMPARE(tree.ShownElement(), expected);
        QCOMPARE(tree.View().currentIndex(), tree.Model().IndexOf(expected));
        QCOMPARE(page.List().GetElement(), expected);
        QCOMPARE(page.List().Model().Elements().size(), static_cast<std::size_t>(listed));
        // Following picks made elsewhere brings no window forward.
        QVERIFY(host_.calls.empty());
    }

    void TreeKeysGoToTheCommandsAndThePage() {
        QWidget window;
        auto* tree = new ResourceTreePane(*project_, *commands_, host_, messages_, &window);
        auto* page = new PropertyPage(*project_, *commands_, host_, messages_, &window);
        auto* layout = new QHBoxLayout(&window);
        layout->addWidget(tree);
        layout->addWidget(page);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        tree->Reload();
        CObjectData& title = Element(*main_, "title");
        Select(*project_, &title);
        QSignalSpy nameEdit(tree, &ResourceTreePane::NameEditRequested);
        tree->View().setFocus();
        QTest::keyClick(&tree->View(), Qt::Key_F2);
        QCOMPARE(nameEdit.count(), 1);
        page->EditName(tree->CurrentElement());
        QVERIFY(page->List().OpenCell() != nullptr);
        // Delete goes to the commands; the picks move on and both parts
        // follow, never showing the element that went.
        const std::size_t before = main_->GetRootGroup()->GetChildren().size();
        tree->View().setFocus();
        QTest::keyClick(&tree->View(), Qt::Key_Delete);
        QCOMPARE(main_->GetRootGroup()->GetChildren().size(), before - 1);
        QVERIFY(tree->CurrentElement() != &title);
        QCOMPARE(tree->CurrentElement(), project_->GetSelection().Current());
        QCOMPARE(page->List().GetElement(), project_->GetSelection().Current());
        QVERIFY(page->List().OpenCell() == nullptr);
    }

    void LiveSyncSendsWhenThePickMovesToAnotherDialog() {
        link::CDeviceLink& link = host_.link;
        link.SetHttpPort(0);
        QVERIFY(link.StartListening(0, 0x7F000001));
        const int device = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(link.GetListeningPort()));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        QCOMPARE(::connect(device, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        QTRY_COMPARE(link.DeviceCount(), std::size_t{1});
        LiveSync sync(*project_, link, [this] { return project_->GetSelection().Dialog(); });
        sync.SetEnabled(true);
        Select(*project_, &Element(*main_, "title"));
        QTRY_COMPARE(sync.SendCount(), 1);
        // Another pick in the same dialog sends nothing; one in another does.
        Select(*project_, &Element(*main_, "toggle"));
        QTest::qWait(20);
        QCOMPARE(sync.SendCount(), 1);
        Select(*project_, &Element(*second_, "other"));
        QTRY_COMPARE(sync.SendCount(), 2);
        link.Disconnect();
        ::close(device);
    }

private:
    std::unique_ptr<CZeResourceData> project_;
    RecordingHost host_;
    RecordingMessages messages_;
    std::unique_ptr<SelectionCommands> commands_;
    CZeDialogData* main_ = nullptr;
    CZeDialogData* second_ = nullptr;
};

}  // namespace ze::panels::test

QTEST_MAIN(ze::panels::test::PanelPartsTest)
#include "panel_parts_test.moc"
