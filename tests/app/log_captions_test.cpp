// The Log bar's tab captions in the main window: at 1024 pixels wide the
// bar is too narrow for the whole captions, and the short ones keep the
// counts of "問題" and "変更" in sight; the tips keep the whole captions.
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTranslator>

#include "app/panes/log_dlg.h"
#include "support/editor_fixture.h"

using namespace ze::app;
using ze::app::test::EditorFixture;

class LogCaptionsTest : public QObject {
    Q_OBJECT

private slots:
    void TheCountsStayInSight() {
        const struct {
            bool english;
            int windowWidth;
            std::size_t problems;
            std::size_t changes;
            QString problemsTip;
        } cases[] = {
            {false, 1024, 3, 1, QStringLiteral("問題 (3)")},
            {false, 1024, 1234, 56, QStringLiteral("問題 (1234)")},
            // The benchmark project's count.
            {false, 1024, 192000, 4321, QStringLiteral("問題 (192000)")},
            {true, 1024, 1234, 56, QStringLiteral("Problems (1234)")},
            {true, 1024, 192000, 4321, QStringLiteral("Problems (192000)")},
            {false, 1400, 12, 0, QStringLiteral("問題 (12)")},
            {true, 1400, 12, 0, QStringLiteral("Problems (12)")},
        };
        for (const auto& c : cases) {
            const QByteArray name = QStringLiteral("%1 %2 px, %3 problems")
                                        .arg(c.english ? "English" : "Japanese")
                                        .arg(c.windowWidth)
                                        .arg(c.problems)
                                        .toUtf8();
            QTranslator english;
            if (c.english) {
                QVERIFY(english.load(QStringLiteral(ZE_BINARY_DIR "/bin/translations/") +
                                     QString::fromLatin1(kTranslationFile)));
                QCoreApplication::installTranslator(&english);
            }
            EditorFixture fixture;
            CMainFrame& frame = fixture.Frame();
            frame.resize(c.windowWidth, 768);
            frame.show();
            QVERIFY(QTest::qWaitForWindowExposed(&frame));
            CLogDlg& pane = frame.GetLogPane();
            pane.SetProblemCount(c.problems);
            pane.SetChangeCount(c.changes);
            auto* tabs = pane.findChild<QTabWidget*>();
            QTabBar* bar = tabs->tabBar();
            // Nothing cut: the captions take no more than the pane has.
            QVERIFY2(bar->sizeHint().width() <= pane.width(), name);
            QVERIFY2(tabs->tabText(CLogDlg::kProblemsTab).contains(QString::number(c.problems)),
                     name);
            if (c.changes != 0) {
                QVERIFY2(tabs->tabText(CLogDlg::kChangesTab).contains(QString::number(c.changes)),
                         name);
            }
            QVERIFY2(tabs->tabToolTip(CLogDlg::kProblemsTab) == c.problemsTip, name);
            // The whole captions wherever they fit.
            if (c.windowWidth == 1400) {
                QVERIFY2(pane.CaptionsShown() == CLogDlg::CaptionLength::kFull, name);
                QVERIFY2(tabs->tabText(CLogDlg::kProblemsTab) == c.problemsTip, name);
            } else {
                QVERIFY2(pane.CaptionsShown() != CLogDlg::CaptionLength::kFull, name);
            }
            fixture.CloseFrame();
            QCoreApplication::removeTranslator(&english);
        }
    }
};

QTEST_MAIN(LogCaptionsTest)
#include "log_captions_test.moc"
