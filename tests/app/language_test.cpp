// The editor's language: how it is chosen, the main menu in English with the
// compiled translation and in Japanese without it, and the View menu's
// "言語 / Language" entry that keeps the choice for the next start.
#include <QApplication>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include "app/desktop_dialogs.h"
#include "app/editor_app.h"
#include "app/editor_language.h"
#include "app/panes/log_dlg.h"
#include "codegen/codegen_texts.h"
#include "common/cp932.h"
#include "model/dialog_data.h"
#include "model/editing/property_edits.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "model/schema_texts.h"
#include "panels/findings_watch.h"
#include "panels/skeleton_result_text.h"
#include "support/editor_fixture.h"

using namespace ze::app;
using ze::app::test::DialogText;
using ze::app::test::EditorFixture;
using ze::app::test::ProjectText;

namespace {

// Loads the compiled English translation into english and installs it.
bool InstallEnglish(QTranslator& english) {
    return english.load(QStringLiteral(ZE_BINARY_DIR "/bin/translations/") +
                        QString::fromLatin1(kTranslationFile)) &&
           QCoreApplication::installTranslator(&english);
}

bool HasJapanese(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() >= 0x3000) {
            return true;
        }
    }
    return false;
}

QStringList MenuTitles(CMainFrame& frame) {
    QStringList titles;
    for (QAction* action : frame.menuBar()->actions()) {
        titles << action->text();
    }
    return titles;
}

}  // namespace

class LanguageTest : public QObject {
    Q_OBJECT

private slots:
    void TheOptionTheSettingOrTheSystemChooses() {
        struct Case {
            const char* option;
            const char* setting;
            QLocale::Language system;
            const char* expected;
        };
        const Case cases[] = {
            {"en", "ja", QLocale::Japanese, "en"}, {"ja", "en", QLocale::English, "ja"},
            {"", "en", QLocale::Japanese, "en"},   {"", "ja", QLocale::German, "ja"},
            {"", "", QLocale::Japanese, "ja"},     {"", "", QLocale::German, "en"},
            {"", "fr", QLocale::English, "en"},
        };
        for (const Case& c : cases) {
            QCOMPARE(ChooseLanguage(QString::fromUtf8(c.option), c.setting, c.system),
                     QString::fromUtf8(c.expected));
        }
    }

    void TheMainMenuFollowsTheTranslation() {
        QTranslator english;
        QVERIFY(InstallEnglish(english));
        {
            EditorFixture fixture;
            QCOMPARE(MenuTitles(fixture.Frame()),
                     (QStringList{"&File", "&Edit", "&View", "&Help"}));
            const QAction* open = nullptr;
            for (QAction* action : fixture.Frame().findChildren<QAction*>()) {
                if (action->text() == QStringLiteral("&Open project/resource...")) {
                    open = action;
                }
            }
            QVERIFY(open != nullptr);
            QCOMPARE(open->statusTip(),
                     QStringLiteral("Reads a project or resource file and adds it to the project"));
        }
        QCoreApplication::removeTranslator(&english);
        EditorFixture fixture;
        QCOMPARE(MenuTitles(fixture.Frame()),
                 (QStringList{"ファイル(&F)", "編集(&E)", "表示(&V)", "ヘルプ(&H)"}));
    }

    void AMessageBoxAndTheLogTabsSpeakEnglish() {
        QTranslator english;
        QVERIFY(InstallEnglish(english));
        QtFileChooser chooser(nullptr);
        QString shown;
        QTimer::singleShot(0, [&shown] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->text();
                box->reject();
            }
        });
        QCOMPARE(chooser.AskSaveChanges(), SaveAnswer::kCancel);
        QCOMPARE(shown, QStringLiteral("The project has been changed. Do you want to save it?"));
        CLogDlg pane;
        auto* tabs = pane.findChild<QTabWidget*>();
        QCOMPARE(tabs->tabText(CLogDlg::kLogTab), QStringLiteral("Communication log"));
        QCOMPARE(tabs->tabText(CLogDlg::kProblemsTab), QStringLiteral("Problems"));
        QCoreApplication::removeTranslator(&english);
    }

    // The status bar's counts: one "%n" each, singular and plural in
    // English, the same Japanese as ever without the translation.
    void TheStatusCountsHaveSingularAndPlural() {
        struct Case {
            const char* source;
            int n;
            const char* english;
            const char* japanese;
        };
        const Case cases[] = {
            {"エラー %n 件", 1, "1 error", "エラー 1 件"},
            {"エラー %n 件", 0, "0 errors", "エラー 0 件"},
            {"警告 %n 件", 1, "1 warning", "警告 1 件"},
            {"警告 %n 件", 3, "3 warnings", "警告 3 件"},
            {"変更 %n 件", 1, "1 change", "変更 1 件"},
            {"変更 %n 件", 12, "12 changes", "変更 12 件"},
            {"端末 %n 台", 1, "1 device", "端末 1 台"},
            {"端末 %n 台", 2, "2 devices", "端末 2 台"},
        };
        QTranslator english;
        QVERIFY(InstallEnglish(english));
        for (const Case& c : cases) {
            QCOMPARE(QCoreApplication::translate("Editor", c.source, nullptr, c.n),
                     QString::fromUtf8(c.english));
        }
        QCoreApplication::removeTranslator(&english);
        for (const Case& c : cases) {
            QCOMPARE(QCoreApplication::translate("Editor", c.source, nullptr, c.n),
                     QString::fromUtf8(c.japanese));
        }
    }

    void EveryPropertyHelpTextHasItsEnglish() {
        QTranslator english;
        QVERIFY(InstallEnglish(english));
        // The property list has the Shift_JIS form; the source text is what
        // it converts back to.
        for (int help = 1; help < static_cast<int>(ze::schema_text::Help::kCount); ++help) {
            const std::string utf8(
                ze::schema_text::HelpTextUtf8(static_cast<ze::schema_text::Help>(help)));
            const std::string shown = ze::Cp932ToUtf8(ze::Utf8ToCp932(utf8));
            QCOMPARE(shown, utf8);
            const QString text = QCoreApplication::translate("PropertyHelp", shown.c_str());
            QVERIFY2(text != QString::fromStdString(utf8), utf8.c_str());
        }
        QCoreApplication::removeTranslator(&english);
    }

    // The editing core's refusals and problem messages go through the same
    // translators, and back to Japanese when the translation goes.
    void TheCoreMessagesFollowTheTranslation() {
        QTranslator english;
        QVERIFY(InstallEnglish(english));
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        QVERIFY(frame.OpenFile(fixture.WriteFile(
            "words.moxspro",
            ProjectText("Words", {DialogText("A",
                                             "{'Name':'t','Type':'TEXT','TAlign':"
                                             "'MIDLE'},{'Name':'u','Type':'TEXT'}")}))));
        ze::CZeResourceData& project = frame.GetProject();
        ze::ZeClass* u = project.GetDialogs().GetDialog(0)->GetRootGroup()->GetChildren()[1];
        const auto commit = [&](const char* name, const char* value) {
            const ze::CItemList& items = u->Items();
            std::size_t row = 0;
            while (items.GetItemData(row).GetName() != name) {
                ++row;
            }
            return QString::fromStdString(
                ze::Cp932ToUtf8(ze::CommitProperty(project, nullptr, u, row, value).message));
        };
        const auto firstFinding = [&frame] {
            frame.GetFindings().CheckAll();
            return QString::fromStdString(
                ze::Cp932ToUtf8(frame.GetFindings().Findings().at(0).message));
        };
        QCOMPARE(commit("Width", "12abc"),
                 QStringLiteral("Enter a length such as 12, 12px, 12pu, 8pt, 10mm, 16dp, PARENT "
                                "or CONTENT."));
        QCOMPARE(
            commit("Name", "t"),
            QStringLiteral("The name \"t\" is already used in this dialog. Enter another name."));
        QVERIFY2(firstFinding().startsWith(
                     QStringLiteral("The value \"MIDLE\" is not one of the choices. Choices: ")),
                 qPrintable(firstFinding()));
        QCoreApplication::removeTranslator(&english);
        QCOMPARE(commit("Width", "12abc"),
                 QStringLiteral("長さは 12、12px、12pu、8pt、10mm、16dp、PARENT、CONTENT "
                                "のように入力してください。"));
        QVERIFY2(firstFinding().startsWith(QStringLiteral("値「MIDLE」は選択肢にありません。")),
                 qPrintable(firstFinding()));
    }

    // The connect button says what it does; the page of the same Japanese
    // name keeps its own English.
    void TheConnectButtonSaysConnect() {
        QTranslator english;
        QVERIFY(InstallEnglish(english));
        {
            EditorFixture fixture;
            QStringList buttons;
            for (const QPushButton* button : fixture.Frame().findChildren<QPushButton*>()) {
                buttons << button->text();
            }
            QVERIFY2(buttons.contains(QStringLiteral("Connect")), qPrintable(buttons.join('|')));
            QVERIFY(!buttons.contains(QStringLiteral("Connection")));
            QCOMPARE(QCoreApplication::translate("Editor", "接続"), QStringLiteral("Connection"));
        }
        QCoreApplication::removeTranslator(&english);
        EditorFixture fixture;
        QStringList buttons;
        for (const QPushButton* button : fixture.Frame().findChildren<QPushButton*>()) {
            buttons << button->text();
        }
        QVERIFY(buttons.contains(QStringLiteral("接続")));
    }

    // The skeleton window's lines: English says whether a file was created
    // or updated; Japanese keeps the generator's own line for both.
    void TheSkeletonLinesSayCreatedOrUpdated() {
        using ze::GeneratedFile;
        using Outcome = GeneratedFile::Outcome;
        using Reason = GeneratedFile::Reason;
        struct Case {
            GeneratedFile file;
            const char* english;
        };
        const Case cases[] = {
            {{Outcome::kCreated, Reason::kNone, "AppDialogMain.cpp"},
             "○ Created AppDialogMain.cpp."},
            {{Outcome::kUpdated, Reason::kNone, "AppDialogMain.cpp"},
             "○ Updated AppDialogMain.cpp."},
            {{Outcome::kRefused, Reason::kFileExists, "Main.json"},
             "× Skipped Main.json (the file exists and may not be overwritten)."},
            {{Outcome::kRefused, Reason::kNoTemplateType, "Pop"}, "× Pop: no TemplateType is set."},
            {{Outcome::kRefused, Reason::kFolderNotMade, "/out/resources"},
             "× The folder /out/resources could not be made."},
        };
        QTranslator english;
        QVERIFY(InstallEnglish(english));
        for (const Case& c : cases) {
            QCOMPARE(ze::panels::SkeletonResultLine(c.file), QString::fromUtf8(c.english));
        }
        QCoreApplication::removeTranslator(&english);
        for (const Case& c : cases) {
            QCOMPARE(ze::panels::SkeletonResultLine(c.file),
                     QString::fromStdString(ze::Cp932ToUtf8(ze::LogLine(c.file))));
        }
    }

    // Qt's own texts and the file types its file dialog names follow the
    // language; the editor's filters come in it too.
    void QtsOwnDialogsSpeakTheLanguage() {
        const std::string program = ZE_BINARY_DIR "/bin/";
        const QFileInfo text(QStringLiteral(ZE_SOURCE_DIR "/README.md"));
        {
            EditorLanguage speaking;
            speaking.Install(QStringLiteral("en"), program);
            QVERIFY(speaking.HasEditorTexts());
            EditorFixture fixture;
            QVERIFY(fixture.Start({"ze-editor"}) != nullptr);
            QCOMPARE(QLocale().language(), QLocale::English);
            QVERIFY2(!HasJapanese(QFileIconProvider().type(text)),
                     qPrintable(QFileIconProvider().type(text)));
            QMessageBox box(QMessageBox::Warning, QString(), QString(), QMessageBox::Cancel);
            QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Cancel"));
            QFileDialog dialog;
            dialog.setNameFilter(QCoreApplication::translate(
                "Editor", "リソースファイル (*.moxspro *.json);;すべてのファイル (*)"));
            QVERIFY2(!HasJapanese(dialog.nameFilters().join(';')),
                     qPrintable(dialog.nameFilters().join(';')));
        }
        EditorLanguage speaking;
        speaking.Install(QStringLiteral("ja"), program);
        QCOMPARE(QLocale().language(), QLocale::Japanese);
        if (!speaking.HasQtTexts()) {
            QSKIP("Qt's Japanese translation (qt6-translations-l10n) is not installed");
        }
        QMessageBox box(QMessageBox::Warning, QString(), QString(), QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("キャンセル"));
    }

    void TheLanguageEntryKeepsTheChoiceForTheNextStart() {
        EditorFixture fixture;
        auto* menu = fixture.Frame().findChild<QMenu*>(QStringLiteral("LanguageMenu"));
        QVERIFY(menu != nullptr);
        QCOMPARE(menu->title(), QStringLiteral("言語 / Language"));
        const QList<QAction*> choices = menu->actions();
        QCOMPARE(choices.size(), 2);
        QVERIFY(choices[0]->isChecked());  // no translation loaded: Japanese
        choices[1]->trigger();
        QVERIFY(EditorFixture::ReadFile(fixture.SettingsPath()).find("Language=en") !=
                std::string::npos);
        QVERIFY(choices[1]->isChecked());
    }
};

QTEST_MAIN(LanguageTest)
#include "language_test.moc"
