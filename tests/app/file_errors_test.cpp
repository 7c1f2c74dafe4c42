// A file the editor cannot open or save: the message it always gave, then
// the reason, worded in the editor's language.
#include <sys/stat.h>
#include <unistd.h>

#include <QTest>
#include <cerrno>

#include "app/command_ids.h"
#include "panels/file_error_text.h"
#include "support/editor_fixture.h"

using ze::app::CMainFrame;
using ze::app::CommandId;
using ze::app::test::DialogText;
using ze::app::test::EditorFixture;
using ze::app::test::ProjectText;

class FileErrorsTest : public QObject {
    Q_OBJECT

private slots:
    void OpeningSaysWhyTheFileCannotBeRead() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        const std::string locked = fixture.WriteFile("locked.moxspro", ProjectText("P", {}));
        ::chmod(locked.c_str(), 0);
        fixture.WriteFile("plain.moxspro", ProjectText("P", {}));
        struct Case {
            std::string path;
            const char* reason;
            bool asRoot;  // root reads a file without permissions all the same
        };
        const Case cases[] = {
            {fixture.Folder() + "missing.moxspro", "ファイルまたはフォルダがありません。", true},
            {fixture.Folder() + "plain.moxspro/inner.json",
             "パスの途中にフォルダではないものがあります。", true},
            {fixture.Folder(), "ファイルではなくフォルダです。", true},
            {locked, "アクセスが許可されていません。", false},
        };
        for (const Case& c : cases) {
            if (!c.asRoot && ::geteuid() == 0) {
                continue;
            }
            fixture.messages.shown.clear();
            QVERIFY(!frame.OpenFile(c.path));
            QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
            const std::string& text = fixture.messages.shown[0].text;
            QVERIFY2(text.starts_with("ファイルを読み込めませんでした。\n"), text.c_str());
            QVERIFY2(text.ends_with(std::string("\n") + c.reason), text.c_str());
        }
    }

    void SavingSaysWhyTheFileCannotBeWritten() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        QVERIFY(frame.OpenFile(
            fixture.WriteFile("in.moxspro", ProjectText("P", {DialogText("A", "")}))));
        const struct {
            std::string target;
            const char* reason;
        } cases[] = {
            {"/dev/full", "ディスクに空きがありません。"},
            {fixture.Folder(), "ファイルではなくフォルダです。"},
            {fixture.Folder() + "no/x.moxspro", "ファイルまたはフォルダがありません。"},
        };
        for (const auto& c : cases) {
            fixture.messages.shown.clear();
            fixture.files.answers = {c.target};
            frame.Action(CommandId::kSaveProjectAs)->trigger();
            QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
            QCOMPARE(fixture.messages.shown[0].text,
                     std::string("ファイルを保存できませんでした。\n") + c.reason);
        }
    }

    // Reasons the editor does not word itself come in the system's words
    // rather than not at all.
    void AnyOtherReasonIsTheSystems() {
        QVERIFY(ze::panels::FileErrorReason(0).isEmpty());
        QCOMPARE(ze::panels::WithFileErrorReason(QStringLiteral("m"), 0), QStringLiteral("m"));
        QVERIFY(!ze::panels::FileErrorReason(ENAMETOOLONG).isEmpty());
        QCOMPARE(ze::panels::WithFileErrorReason(QStringLiteral("m"), EIO),
                 QStringLiteral("m\n") + ze::panels::FileErrorReason(EIO));
        QCOMPARE(ze::panels::ReadErrorOf("/"), EISDIR);
        QCOMPARE(ze::panels::ReadErrorOf("/dev/null"), 0);
    }
};

QTEST_MAIN(FileErrorsTest)
#include "file_errors_test.moc"
