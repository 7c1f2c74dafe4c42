// The project folder row: "参照" with the folder chooser, typing a folder,
// and the settings the main window reads and writes.

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "model/resource_data.h"
#include "panels/resource_dlg.h"
#include "panels/support/recording_host.h"

namespace ze::panels::test {

class FolderFieldTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        panel_ = std::make_unique<CResourceDlg>(project_, host_, messages_, host_.link);
        panel_->FolderField().SetFolderChooser(
            [this](QWidget* /*parent*/, const QString& caption, const QString& start) {
                askedCaption_ = caption;
                askedStart_ = start;
                ++asked_;
                return answer_;
            });
        asked_ = 0;
        host_.Clear();
    }
    void cleanup() { panel_.reset(); }

    void TheRowHasTheFieldAndTheButton() {
        QPushButton& browse = panel_->FolderField().BrowseButton();
        QCOMPARE(browse.text(), QString("参照"));
        QCOMPARE(browse.width(), 40);
        QCOMPARE(panel_->FolderField().Edit().height(), 20);
    }

    void BrowseTakesTheChosenFolder_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("folder");
        QTest::newRow("separator added") << "/home/user/プロジェクト"
                                         << "/home/user/プロジェクト/";
        QTest::newRow("separator kept") << "/srv/app/"
                                        << "/srv/app/";
        QTest::newRow("file-system root") << "/"
                                          << "/";
    }
    void BrowseTakesTheChosenFolder() {
        QFETCH(QString, answer);
        QFETCH(QString, folder);
        panel_->SetProjectFolder("/start/here/");
        answer_ = answer;
        panel_->FolderField().BrowseButton().click();
        QCOMPARE(asked_, 1);
        QCOMPARE(askedCaption_, QString("フォルダを選択してください"));
        QCOMPARE(askedStart_, QString("/start/here/"));
        QCOMPARE(QString::fromStdString(panel_->GetProjectFolder()), folder);
        QCOMPARE(panel_->FolderField().Edit().text(), folder);
        QCOMPARE(host_.calls, (std::vector<std::string>{"folder:" + folder.toStdString()}));
    }

    void CancellingChangesNothing() {
        panel_->SetProjectFolder("/kept/");
        answer_.clear();
        panel_->FolderField().BrowseButton().click();
        QCOMPARE(asked_, 1);
        QCOMPARE(panel_->GetProjectFolder(), std::string("/kept/"));
        QVERIFY(host_.calls.empty());
    }

    void SettingTheFolderShowsItAsGiven() {
        panel_->SetProjectFolder("/no/separator");
        QCOMPARE(panel_->FolderField().Edit().text(), QString("/no/separator"));
        QVERIFY(host_.calls.empty());
        // Finishing an edit that changed nothing is no change either.
        emit panel_->FolderField().Edit().editingFinished();
        QVERIFY(host_.calls.empty());
    }

    void TypingAFolderTakesItOnceTheEditEnds_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("told");
        QTest::newRow("separator added") << "/typed/folder"
                                         << "/typed/folder/" << true;
        QTest::newRow("as typed") << "/typed/"
                                  << "/typed/" << true;
        QTest::newRow("cleared") << ""
                                 << "" << false;
    }
    void TypingAFolderTakesItOnceTheEditEnds() {
        QFETCH(QString, typed);
        QFETCH(QString, folder);
        QFETCH(bool, told);
        panel_->SetProjectFolder("/before/");
        QLineEdit& edit = panel_->FolderField().Edit();
        edit.setText(typed);
        emit edit.editingFinished();
        QCOMPARE(edit.text(), folder);
        QCOMPARE(QString::fromStdString(panel_->GetProjectFolder()), folder);
        if (told) {
            QCOMPARE(host_.calls, (std::vector<std::string>{"folder:" + folder.toStdString()}));
        } else {
            QVERIFY(host_.calls.empty());
        }
        // The same text again is no change.
        emit edit.editingFinished();
        QCOMPARE(static_cast<int>(host_.calls.size()), told ? 1 : 0);
    }

    void TheFolderFieldStaysEnabled() {
        QVERIFY(panel_->FolderField().Edit().isEnabled());
        QVERIFY(panel_->FolderField().BrowseButton().isEnabled());
        panel_->Reload();
        panel_->Discard();
        QVERIFY(panel_->FolderField().Edit().isEnabled());
    }

    void ListenPortDefaultsTo5000() {
        QCOMPARE(panel_->GetListenPort(), 5000);
        panel_->SetListenPort(6001);
        QCOMPARE(panel_->GetListenPort(), 6001);
    }

private:
    CZeResourceData project_;
    RecordingHost host_;
    RecordingMessages messages_;
    std::unique_ptr<CResourceDlg> panel_;
    QString answer_;
    QString askedCaption_;
    QString askedStart_;
    int asked_ = 0;
};

}  // namespace ze::panels::test

QTEST_MAIN(ze::panels::test::FolderFieldTest)
#include "folder_field_test.moc"
