// The settings file and the recent-file list: INI text a Windows program
// reads too, defaults for what is missing, and what the main window reads
// at start and writes back when it closes.
#include <QFileInfo>
#include <QTest>

#include "app/profile_settings.h"
#include "app/recent_file_list.h"
#include "panels/resource_dlg.h"
#include "support/editor_fixture.h"

using ze::app::CMainFrame;
using ze::app::CProfileSettings;
using ze::app::CRecentFileList;
using ze::app::test::EditorFixture;

class SettingsTest : public QObject {
    Q_OBJECT

private slots:
    void ReadsDefaultsWhenFileOrKeyIsMissing() {
        EditorFixture fixture;
        CProfileSettings settings(fixture.SettingsPath());
        QCOMPARE(settings.ReadInt("SETTING", "ListenPort", 5000), 5000);
        QCOMPARE(settings.ReadString("SETTING", "ProjectFolder", ""), std::string());
        fixture.WriteFile("VaVoririvuZuvazu.ini", "[SETTING]\r\nProjectFolder=/p/\r\n");
        QCOMPARE(settings.ReadInt("SETTING", "ListenPort", 5000), 5000);
        QCOMPARE(settings.ReadString("SETTING", "ProjectFolder", "x"), std::string("/p/"));
    }

    void ReadsAsTheProfileFunctionsDo_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("LF lines, blanks around")
            << QByteArray("[SETTING]\nKey = a b \n") << QByteArray("a b");
        QTest::newRow("names without letter case")
            << QByteArray("[setting]\r\nKEY=v\r\n") << QByteArray("v");
        QTest::newRow("quotes removed")
            << QByteArray("[SETTING]\r\nKey=\"q v\"\r\n") << QByteArray("q v");
        QTest::newRow("first of two keys")
            << QByteArray("[SETTING]\r\nKey=1\r\nKey=2\r\n") << QByteArray("1");
        QTest::newRow("other section ignored")
            << QByteArray("[OTHER]\r\nKey=no\r\n[SETTING]\r\nKey=yes\r\n") << QByteArray("yes");
        QTest::newRow("value with equals")
            << QByteArray("[SETTING]\r\nKey=a=b\r\n") << QByteArray("a=b");
    }
    void ReadsAsTheProfileFunctionsDo() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, expected);
        EditorFixture fixture;
        fixture.WriteFile("VaVoririvuZuvazu.ini", text.toStdString());
        CProfileSettings settings(fixture.SettingsPath());
        QCOMPARE(QByteArray::fromStdString(settings.ReadString("SETTING", "Key", "default")),
                 expected);
    }

    void ReadsIntegersLikeTheProfileFunctions_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain") << QByteArray("5001") << 5001;
        QTest::newRow("trailing text") << QByteArray("80abc") << 80;
        QTest::newRow("no digits") << QByteArray("abc") << 0;
        QTest::newRow("negative") << QByteArray("-7") << -7;
        QTest::newRow("huge saturates") << QByteArray("99999999999999") << 0x7FFFFFFF;
    }
    void ReadsIntegersLikeTheProfileFunctions() {
        QFETCH(QByteArray, value);
        QFETCH(int, expected);
        EditorFixture fixture;
        fixture.WriteFile("VaVoririvuZuvazu.ini", "[SETTING]\r\nListenPort=" + value.toStdString());
        CProfileSettings settings(fixture.SettingsPath());
        QCOMPARE(settings.ReadInt("SETTING", "ListenPort", 5000), expected);
    }

    void WritesInPlaceAndKeepsOtherLines() {
        EditorFixture fixture;
        fixture.WriteFile("VaVoririvuZuvazu.ini",
                          "; comment\r\n[SETTING]\r\nListenPort=1\r\n\r\n[Other]\r\nA=b\r\n");
        CProfileSettings settings(fixture.SettingsPath());
        QVERIFY(settings.WriteInt("SETTING", "ListenPort", 6000));
        QVERIFY(settings.WriteString("SETTING", "ProjectFolder", "/home/u/p/"));
        QVERIFY(settings.WriteString("New", "Key", "line\nbreak"));
        QCOMPARE(EditorFixture::ReadFile(fixture.SettingsPath()),
                 std::string("; comment\r\n[SETTING]\r\nListenPort=6000\r\n"
                             "ProjectFolder=/home/u/p/\r\n\r\n[Other]\r\nA=b\r\n"
                             "[New]\r\nKey=line break\r\n"));
        QVERIFY(settings.DeleteKey("Other", "A"));
        QVERIFY(EditorFixture::ReadFile(fixture.SettingsPath()).find("A=b") == std::string::npos);
    }

    void StoresJapanesePathsAsShiftJis() {
        // A Windows program reads the folder in its own code page; a path
        // that has no Shift_JIS form is kept in UTF-8 instead of being lost.
        const std::string japanese = "/home/u/\xE3\x83\x97\xE3\x83\xAD/";  // プロ
        QCOMPARE(ze::app::PathToProfileText(japanese), std::string("/home/u/\x83\x76\x83\x8D/"));
        QCOMPARE(ze::app::PathFromProfileText(ze::app::PathToProfileText(japanese)), japanese);
        const std::string emoji = "/home/u/\xF0\x9F\x98\x80/";
        QCOMPARE(ze::app::PathToProfileText(emoji), emoji);
        QCOMPARE(ze::app::PathFromProfileText(emoji), emoji);
    }

    void RecentFilesAreKeptNewestFirst() {
        EditorFixture fixture;
        CProfileSettings settings(fixture.SettingsPath());
        CRecentFileList recent(settings);
        for (int i = 1; i <= 12; ++i) {
            recent.Add("/p/f" + std::to_string(i) + ".moxspro");
        }
        recent.Add("/p/f5.moxspro");
        QCOMPARE(recent.GetEntries().size(), std::size_t{10});
        QCOMPARE(recent.GetEntries()[0], std::string("/p/f5.moxspro"));
        QCOMPARE(recent.GetEntries()[1], std::string("/p/f12.moxspro"));
        QCOMPARE(recent.GetEntries()[8], std::string("/p/f4.moxspro"));
        QCOMPARE(recent.GetEntries()[9], std::string("/p/f3.moxspro"));
        QCOMPARE(settings.ReadString("Recent File List", "File1", ""),
                 std::string("/p/f5.moxspro"));
        QCOMPARE(settings.ReadString("Recent File List", "File10", ""),
                 std::string("/p/f3.moxspro"));

        CRecentFileList reread(settings);
        reread.Load();
        QCOMPARE(reread.GetEntries(), recent.GetEntries());
        reread.Remove(0);
        QCOMPARE(settings.ReadString("Recent File List", "File1", ""),
                 std::string("/p/f12.moxspro"));
        QCOMPARE(settings.ReadString("Recent File List", "File10", "gone"), std::string("gone"));
    }

    void RecentFileCaptions() {
        QCOMPARE(CRecentFileList::MenuCaption(0, "/a/b/One.moxspro"),
                 std::string("&1 One.moxspro"));
        QCOMPARE(CRecentFileList::MenuCaption(9, "/a/R&D.json"), std::string("1&0 R&&D.json"));
    }

    void MainWindowReadsTheSettingsIntoThePanel() {
        EditorFixture fixture;
        fixture.WriteFile("VaVoririvuZuvazu.ini",
                          "[SETTING]\r\nProjectFolder=/srv/project\r\nHttpPort=9090\r\n");
        ze::app::CMainFrame& frame = fixture.Frame();
        QCOMPARE(frame.GetResourcePanel().GetProjectFolder(), std::string("/srv/project"));
        QCOMPARE(frame.GetResourcePanel().GetListenPort(), 5000);
        QCOMPARE(frame.GetHttpPort(), 9090);
    }

    void ClosingWritesTheSettingsWithTheTrailingSeparator() {
        EditorFixture fixture;
        fixture.WriteFile("VaVoririvuZuvazu.ini",
                          "[SETTING]\r\nProjectFolder=/srv/project\r\n"
                          "[Recent File List]\r\nFile1=/srv/a.moxspro\r\n");
        fixture.Frame().GetResourcePanel().SetListenPort(5123);
        fixture.CloseFrame();
        QCOMPARE(EditorFixture::ReadFile(fixture.SettingsPath()),
                 std::string("[SETTING]\r\nProjectFolder=/srv/project/\r\nListenPort=5123\r\n"
                             "HttpPort=8080\r\n[Recent File List]\r\nFile1=/srv/a.moxspro\r\n"));
    }

    // The user's file over the defaults beside the program: each key from
    // the first file that holds it, every write to the user's file only.
    void TheUsersFileComesFirstAndIsTheOnlyOneWritten() {
        EditorFixture fixture;
        const std::string defaults =
            fixture.WriteFile("defaults.ini",
                              "[SETTING]\r\nListenPort=6000\r\nHttpPort=9000\r\n"
                              "[Recent File List]\r\nFile1=/shipped.moxspro\r\n");
        const std::string user = fixture.WriteFile("user.ini", "[SETTING]\r\nListenPort=7000\r\n");
        CProfileSettings settings(user, defaults);
        struct Case {
            const char* section;
            const char* key;
            int expected;
        };
        const Case cases[] = {
            {"SETTING", "ListenPort", 7000},  // both: the user's
            {"SETTING", "HttpPort", 9000},    // only the defaults
            {"SETTING", "MaxDevices", 4},     // neither: the fallback
        };
        for (const Case& c : cases) {
            QCOMPARE(settings.ReadInt(c.section, c.key, 4), c.expected);
        }
        QVERIFY(settings.WriteInt("SETTING", "HttpPort", 9100));
        QCOMPARE(settings.ReadInt("SETTING", "HttpPort", 0), 9100);
        // A removed key the defaults hold stays removed instead of coming back.
        QVERIFY(settings.DeleteKey("Recent File List", "File1"));
        QCOMPARE(settings.ReadString("Recent File List", "File1", "gone"), std::string());
        QCOMPARE(EditorFixture::ReadFile(defaults),
                 std::string("[SETTING]\r\nListenPort=6000\r\nHttpPort=9000\r\n"
                             "[Recent File List]\r\nFile1=/shipped.moxspro\r\n"));
        QCOMPARE(EditorFixture::ReadFile(user),
                 std::string("[SETTING]\r\nListenPort=7000\r\nHttpPort=9100\r\n"
                             "[Recent File List]\r\nFile1=\r\n"));
    }

    void TheUsersFileFollowsTheXdgConfigFolder() {
        struct Case {
            const char* xdgConfigHome;
            const char* home;
            const char* expected;
        };
        const Case cases[] = {
            {"/x/cfg", "/home/u", "/x/cfg/ze-resource-editor/VaVoririvuZuvazu.ini"},
            {"/x/cfg/", "/home/u", "/x/cfg/ze-resource-editor/VaVoririvuZuvazu.ini"},
            {"", "/home/u", "/home/u/.config/ze-resource-editor/VaVoririvuZuvazu.ini"},
            {"", "/home/u/", "/home/u/.config/ze-resource-editor/VaVoririvuZuvazu.ini"},
            // A relative folder is not to be used.
            {"cfg", "/home/u", "/home/u/.config/ze-resource-editor/VaVoririvuZuvazu.ini"},
        };
        for (const Case& c : cases) {
            QCOMPARE(ze::app::UserSettingsPath(c.xdgConfigHome, c.home), std::string(c.expected));
        }
    }

    // The main window over the defaults beside its program folder: it reads
    // both, writes its own file only, and makes that file's folder.
    void TheMainWindowKeepsTheDefaultsBesideTheProgram() {
        EditorFixture fixture;
        const std::string shipped =
            "[SETTING]\r\nProjectFolder=/srv/shipped/\r\nListenPort=6000\r\n";
        fixture.WriteFile("program/VaVoririvuZuvazu.ini", shipped);
        const std::string own = fixture.Folder() + "config/ze/own.ini";
        CMainFrame* frame = fixture.Start({"ze-editor", "--settings", QString::fromStdString(own)});
        QVERIFY(frame != nullptr);
        QCOMPARE(frame->GetSettings().GetPath(), own);
        QCOMPARE(frame->GetResourcePanel().GetProjectFolder(), std::string("/srv/shipped/"));
        QCOMPARE(frame->GetResourcePanel().GetListenPort(), 6000);
        frame->GetResourcePanel().SetListenPort(5123);
        frame->close();
        QCOMPARE(EditorFixture::ReadFile(fixture.Folder() + "program/VaVoririvuZuvazu.ini"),
                 shipped);
        QVERIFY(!QFileInfo::exists(QString::fromStdString(fixture.SettingsPath())));
        QCOMPARE(CProfileSettings(own).ReadInt("SETTING", "ListenPort", 0), 5123);
    }

    void ClosingWithoutSettingsFileWritesTheDefaults() {
        EditorFixture fixture;
        fixture.CloseFrame();
        QCOMPARE(
            EditorFixture::ReadFile(fixture.SettingsPath()),
            std::string("[SETTING]\r\nProjectFolder=\r\nListenPort=5000\r\nHttpPort=8080\r\n"));
    }
};

QTEST_MAIN(SettingsTest)
#include "settings_test.moc"
