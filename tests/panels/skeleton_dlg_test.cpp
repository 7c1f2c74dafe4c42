// The skeleton window: its options and texts, runs into a temporary folder
// with the shipped templates, the folder chooser, and what survives between
// uses.

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <vector>

#include "common/cp932.h"
#include "model/resource_data.h"
#include "panels/skeleton_dlg.h"
#include "panels/support/recording_host.h"

namespace ze::panels::test {

namespace {

// Main and Second get class files; Pop only a JSON file.
constexpr const char* kProjectText =
    "{'Name':'App','Commands':["
    "{'Command':'DIALOG','Name':'Main','TemplateType':'Shared',"
    "'Object':{'Name':'root','Type':'GROUP','Layout':'FRAME','Objects':[]}},"
    "{'Command':'DIALOG','Name':'Second','TemplateType':'Unique',"
    "'Object':{'Name':'root','Type':'GROUP','Layout':'FRAME','Objects':[]}},"
    "{'Command':'DIALOG','Name':'Pop','TemplateType':'Popup',"
    "'Object':{'Name':'root','Type':'GROUP','Layout':'FRAME','Objects':[]}}"
    "]}";

const QString kTemplates = QStringLiteral(ZE_SOURCE_DIR "/template");

QString Done(const QString& file) {
    return "○ " + file + " を更新しました。";
}

QString Refused(const QString& file) {
    return "× " + file + " キャンセルしました。(ファイルが存在します[上書き禁止])";
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every option check box and the option it holds.
struct BoxOption {
    int id;
    bool SkeletonOptions::*option;
};
const BoxOption kBoxes[] = {
    {CSkeletonDlg::kOverwriteAll, &SkeletonOptions::overwriteAll},
    {CSkeletonDlg::kMain, &SkeletonOptions::main},
    {CSkeletonDlg::kOverwriteMain, &SkeletonOptions::overwriteMain},
    {CSkeletonDlg::kApplication, &SkeletonOptions::application},
    {CSkeletonDlg::kOverwriteApplication, &SkeletonOptions::overwriteApplication},
    {CSkeletonDlg::kDialogMaker, &SkeletonOptions::dialogMaker},
    {CSkeletonDlg::kOverwriteDialogMaker, &SkeletonOptions::overwriteDialogMaker},
    {CSkeletonDlg::kDialogs, &SkeletonOptions::dialogs},
    {CSkeletonDlg::kOverwriteDialogs, &SkeletonOptions::overwriteDialogs},
    {CSkeletonDlg::kJson, &SkeletonOptions::json},
    {CSkeletonDlg::kOverwriteJson, &SkeletonOptions::overwriteJson},
    {CSkeletonDlg::kIdeProject, &SkeletonOptions::ideProject},
    {CSkeletonDlg::kOverwriteIdeProject, &SkeletonOptions::overwriteIdeProject},
    {CSkeletonDlg::kMakefile, &SkeletonOptions::makefile},
    {CSkeletonDlg::kOverwriteMakefile, &SkeletonOptions::overwriteMakefile},
};

SkeletonOptions NothingChosen() {
    SkeletonOptions options;
    for (const BoxOption& box : kBoxes) {
        options.*box.option = false;
    }
    return options;
}

}  // namespace

class SkeletonDlgTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        project_ = std::make_unique<CZeResourceData>();
        QVERIFY(project_->LoadText(kProjectText));
        QVERIFY(folder_.isValid());
        out_ = folder_.path() + "/out";
        QVERIFY(QDir().mkpath(out_));
        dialog_ = std::make_unique<CSkeletonDlg>(*project_, "/projects/first/");
        dialog_->SetTemplateFolder(kTemplates.toStdString());
    }
    void cleanup() {
        dialog_.reset();
        project_.reset();
        QDir(out_).removeRecursively();
    }

    void ControlsHaveTheirCaptionsAndDefaults_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("checked");
        auto row = [](const char* name, int id, const char* kind, const char* caption,
                      bool checked) {
            QTest::newRow(name) << id << QString(kind) << QString::fromUtf8(caption) << checked;
        };
        row("browse", 1059, "button", "参照", false);
        row("overwrite all", 1142, "check", "上書き", false);
        row("main", 1101, "check", "メイン", false);
        row("overwrite main", 1141, "check", "", false);
        row("application", 1099, "check", "アプリケーション", true);
        row("overwrite application", 1143, "check", "", false);
        row("dialog maker", 1100, "check", "ダイアログ生成", true);
        row("overwrite dialog maker", 1144, "check", "", false);
        row("dialogs", 1098, "check", "ダイアログ", true);
        row("overwrite dialogs", 1145, "check", "", false);
        row("this dialog", 1096, "radio", "このダイアログのみ", true);
        row("all dialogs", 1097, "radio", "すべてのダイアログ", false);
        row("json", 1147, "check", "JSON", true);
        row("overwrite json", 1148, "check", "", false);
        row("ide project", 1102, "check", "プロジェクト", false);
        row("overwrite ide project", 1146, "check", "", false);
        row("makefile", 1104, "check", "Makefile", false);
        row("overwrite makefile", 1149, "check", "", false);
        row("generate", 1094, "button", "スケルトン生成", false);
    }
    void ControlsHaveTheirCaptionsAndDefaults() {
        QFETCH(int, id);
        QFETCH(QString, kind);
        QFETCH(QString, caption);
        QFETCH(bool, checked);
        QAbstractButton& control = dialog_->Control(id);
        QCOMPARE(control.text(), caption);
        QCOMPARE(control.isChecked(), checked);
        const QString actual = qobject_cast<QCheckBox*>(&control)      ? "check"
                               : qobject_cast<QRadioButton*>(&control) ? "radio"
                               : qobject_cast<QPushButton*>(&control)  ? "button"
                                                                       : "other";
        QCOMPARE(actual, kind);
    }

    void TheWindowStartsWithTheProjectFolder() {
        QCOMPARE(dialog_->windowTitle(), QString("スケルトン生成"));
        QVERIFY(!dialog_->isModal());
        QCOMPARE(dialog_->OutputFolderField().text(), QString("/projects/first/"));
        QCOMPARE(dialog_->DialogNameField().text(), QString());
        QCOMPARE(dialog_->LogList().count(), 0);
        QStringList labels;
        for (const QLabel* label : dialog_->findChildren<QLabel*>()) {
            labels << label->text();
        }
        QVERIFY(labels.contains("出力フォルダ"));
        QVERIFY(labels.contains(
            "←ここにチェックを入れると全て上書きになります。個別指定は下のチェックで。"));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, dialog_->Control(1103));

        const SkeletonOptions options = dialog_->Options();
        QCOMPARE(options.outputFolder, std::string("/projects/first/"));
        QCOMPARE(options.templateFolder, kTemplates.toStdString());
        QVERIFY(options.scope == SkeletonScope::kThisDialog);
        QCOMPARE(options.dialogName, std::string());
    }

    void EachBoxHoldsItsOwnOption() {
        for (const BoxOption& chosen : kBoxes) {
            SkeletonOptions options = NothingChosen();
            options.*chosen.option = true;
            dialog_->SetOptions(options);
            const SkeletonOptions read = dialog_->Options();
            for (const BoxOption& box : kBoxes) {
                const bool expected = box.id == chosen.id;
                if (dialog_->Control(box.id).isChecked() != expected ||
                    read.*box.option != expected) {
                    QFAIL(qPrintable(
                        QString("setting box %1 shows in box %2").arg(chosen.id).arg(box.id)));
                }
            }
        }
    }

    void ScopeAndNamesRoundTrip() {
        SkeletonOptions options;
        options.scope = SkeletonScope::kAllDialogs;
        options.dialogName = Utf8ToCp932("設定画面");
        options.outputFolder = "/srv/出力";
        options.templateFolder = "/opt/templates/";
        dialog_->SetOptions(options);
        QVERIFY(dialog_->Control(CSkeletonDlg::kScopeAllDialogs).isChecked());
        QVERIFY(!dialog_->Control(CSkeletonDlg::kScopeThisDialog).isChecked());
        QCOMPARE(dialog_->DialogNameField().text(), QString("設定画面"));
        QCOMPARE(dialog_->OutputFolderField().text(), QString("/srv/出力"));
        const SkeletonOptions read = dialog_->Options();
        QVERIFY(read.scope == SkeletonScope::kAllDialogs);
        QCOMPARE(read.dialogName, Utf8ToCp932("設定画面"));
        QCOMPARE(read.outputFolder, std::string("/srv/出力"));
        QCOMPARE(read.templateFolder, std::string("/opt/templates/"));

        // An empty template folder leaves the one in use.
        options.templateFolder.clear();
        dialog_->SetOptions(options);
        QCOMPARE(dialog_->Options().templateFolder, std::string("/opt/templates/"));

        dialog_->Control(CSkeletonDlg::kScopeThisDialog).click();
        QVERIFY(dialog_->Options().scope == SkeletonScope::kThisDialog);
    }

    void OutputNamesFollowTheApplicationName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("plain") << "App"
                               << QStringList{"App.cpp", "AppApplication.cpp AppApplication.h",
                                              "AppDialogMaker.cpp AppDialogMaker.h"};
        QTest::newRow("japanese") << "電卓"
                                  << QStringList{"電卓.cpp",
                                                 "電卓Application.cpp 電卓Application.h",
                                                 "電卓DialogMaker.cpp 電卓DialogMaker.h"};
        QTest::newRow("markup") << "<b>X</b>"
                                << QStringList{"<b>X</b>.cpp",
                                               "<b>X</b>Application.cpp <b>X</b>Application.h",
                                               "<b>X</b>DialogMaker.cpp <b>X</b>DialogMaker.h"};
    }
    void OutputNamesFollowTheApplicationName() {
        QFETCH(QString, name);
        QFETCH(QStringList, texts);
        QCOMPARE(dialog_->OutputNames(1).text(), QString("AppApplication.cpp AppApplication.h"));
        project_->SetItem("Name", Utf8ToCp932(name.toStdString()));
        dialog_->Open("Main");
        for (int row = 0; row < 3; ++row) {
            QCOMPARE(dialog_->OutputNames(row).text(), texts[row]);
            QCOMPARE(dialog_->OutputNames(row).textFormat(), Qt::PlainText);
        }
    }

    void ARunWritesTheFilesAndLogsEachOne_data() {
        QTest::addColumn<bool>("allDialogs");
        QTest::addColumn<bool>("mainAndMake");
        QTest::addColumn<QStringList>("written");  // in log order
        const QStringList application{"AppApplication.cpp", "AppApplication.h",
                                      "AppDialogMaker.cpp", "AppDialogMaker.h"};
        const QStringList main{"AppDialogMain.cpp", "AppDialogMain.h"};
        QTest::newRow("defaults") << false << false
                                  << application + main + QStringList{"Main.json"};
        QTest::newRow("all dialogs") << true << false
                                     << application + main +
                                            QStringList{"AppDialogSecond.cpp", "AppDialogSecond.h",
                                                        "Main.json", "Second.json", "Pop.json"};
        QTest::newRow("main and make files")
            << false << true
            << QStringList{"App.cpp"} + application + main +
                   QStringList{"Main.json", "Makefile", "Makeparam"};
    }
    void ARunWritesTheFilesAndLogsEachOne() {
        QFETCH(bool, allDialogs);
        QFETCH(bool, mainAndMake);
        QFETCH(QStringList, written);
        QStringList log;
        QStringList files;
        for (const QString& name : written) {
            log << Done(name);
            files << (name.endsWith(".json") ? "resources/" + name : name);
        }
        files.sort();
        // The folder is typed without its separator.
        dialog_->OutputFolderField().setText(out_);
        dialog_->Open("Main");
        if (allDialogs) {
            dialog_->Control(CSkeletonDlg::kScopeAllDialogs).click();
        }
        if (mainAndMake) {
            dialog_->Control(CSkeletonDlg::kMain).click();
            dialog_->Control(CSkeletonDlg::kMakefile).click();
        }
        dialog_->Control(CSkeletonDlg::kGenerate).click();

        QCOMPARE(LogLines(), log);
        QCOMPARE(dialog_->OutputFolderField().text(), out_ + "/");
        QCOMPARE(FilesUnder(out_), files);
        // The templates' placeholders are filled from the project.
        const QByteArray header = ReadFile(out_ + "/AppDialogMain.h");
        QVERIFY(header.contains("class AppDialogMain : public dev::Dialog"));
        QVERIFY(!header.contains("_APPNAME_"));
        QVERIFY(!header.contains("_DIALOGNAME_"));
        QVERIFY(ReadFile(out_ + "/resources/Main.json").contains("'Main'"));
    }

    void ExistingFilesAreKeptUnlessOverwritten_data() {
        QTest::addColumn<int>("box");  // 0: none
        QTest::addColumn<QStringList>("log");
        QTest::newRow("no overwrite")
            << 0
            << QStringList{Refused("AppApplication.cpp"), Refused("AppApplication.h"),
                           Refused("AppDialogMaker.cpp"), Refused("AppDialogMaker.h")};
        QTest::newRow("overwrite all")
            << int{CSkeletonDlg::kOverwriteAll}
            << QStringList{Done("AppApplication.cpp"), Done("AppApplication.h"),
                           Done("AppDialogMaker.cpp"), Done("AppDialogMaker.h")};
        QTest::newRow("overwrite the application")
            << int{CSkeletonDlg::kOverwriteApplication}
            << QStringList{Done("AppApplication.cpp"), Done("AppApplication.h"),
                           Refused("AppDialogMaker.cpp"), Refused("AppDialogMaker.h")};
        QTest::newRow("overwrite the dialog maker")
            << int{CSkeletonDlg::kOverwriteDialogMaker}
            << QStringList{Refused("AppApplication.cpp"), Refused("AppApplication.h"),
                           Done("AppDialogMaker.cpp"), Done("AppDialogMaker.h")};
    }
    void ExistingFilesAreKeptUnlessOverwritten() {
        QFETCH(int, box);
        QFETCH(QStringList, log);
        SkeletonOptions options = NothingChosen();
        options.application = true;
        options.dialogMaker = true;
        options.outputFolder = out_.toStdString() + "/";
        dialog_->SetOptions(options);
        dialog_->Generate();
        QCOMPARE(dialog_->LogList().count(), 4);
        const QStringList names{"AppApplication.cpp", "AppApplication.h", "AppDialogMaker.cpp",
                                "AppDialogMaker.h"};
        for (const QString& name : names) {
            QVERIFY(WriteFile(out_ + "/" + name, "kept\n"));
        }

        if (box != 0) {
            dialog_->Control(box).click();
        }
        dialog_->Generate();
        QCOMPARE(LogLines(), log);
        for (int i = 0; i < names.size(); ++i) {
            const bool kept = log[i].startsWith("×");
            QCOMPARE(ReadFile(out_ + "/" + names[i]) == "kept\n", kept);
        }
    }

    void BrowseTakesTheChosenFolder_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("folder");
        QTest::newRow("chosen") << "/home/user/出力"
                                << "/home/user/出力";
        QTest::newRow("cancelled") << ""
                                   << "/projects/first/";
    }
    void BrowseTakesTheChosenFolder() {
        QFETCH(QString, answer);
        QFETCH(QString, folder);
        int asked = 0;
        QWidget* askedParent = nullptr;
        QString caption;
        QString start;
        dialog_->SetFolderChooser([&](QWidget* parent, const QString& title, const QString& from) {
            ++asked;
            askedParent = parent;
            caption = title;
            start = from;
            return answer;
        });
        dialog_->Control(CSkeletonDlg::kBrowse).click();
        QCOMPARE(asked, 1);
        QCOMPARE(askedParent, static_cast<QWidget*>(dialog_.get()));
        QCOMPARE(caption, QString("フォルダを選択してください"));
        QCOMPARE(start, QString("/projects/first/"));
        QCOMPARE(dialog_->OutputFolderField().text(), folder);
        QCOMPARE(dialog_->Options().outputFolder, folder.toStdString());
    }

    void OpenEmptiesTheLogAndKeepsTheChoices() {
        dialog_->OutputFolderField().setText(out_ + "/");
        dialog_->Open("Main");
        QVERIFY(dialog_->isVisible());
        dialog_->Control(CSkeletonDlg::kMain).click();
        dialog_->Control(CSkeletonDlg::kGenerate).click();
        QCOMPARE(dialog_->LogList().count(), 8);
        dialog_->hide();
        QCOMPARE(dialog_->LogList().count(), 8);

        dialog_->Open(Utf8ToCp932("設定画面"));
        QVERIFY(dialog_->isVisible());
        QCOMPARE(dialog_->LogList().count(), 0);
        QCOMPARE(dialog_->DialogNameField().text(), QString("設定画面"));
        QCOMPARE(dialog_->Options().dialogName, Utf8ToCp932("設定画面"));
        QVERIFY(dialog_->Control(CSkeletonDlg::kMain).isChecked());
        QCOMPARE(dialog_->OutputFolderField().text(), out_ + "/");

        // With no editing window there is no dialog name.
        dialog_->Open("");
        QCOMPARE(dialog_->DialogNameField().text(), QString());
    }

    void ARunWithoutAnApplicationNameTellsTheUser() {
        RecordingMessages messages;
        dialog_->SetMessageSink(&messages);
        dialog_->OutputFolderField().setText(out_);
        dialog_->Open("Main");
        dialog_->LogList().addItem("left from before");
        project_->SetItem("Name", "");
        dialog_->Generate();
        QCOMPARE(messages.messages.size(), std::size_t{1});
        QCOMPARE(messages.messages[0].text,
                 std::string("アプリケーション名が登録されていません。\n"
                             "リソースツリーのRootのNameを設定して下さい。"));
        QCOMPARE(dialog_->LogList().count(), 0);
        QCOMPARE(FilesUnder(out_), QStringList());
    }

private:
    QStringList LogLines() const {
        QStringList lines;
        for (int i = 0; i < dialog_->LogList().count(); ++i) {
            lines << dialog_->LogList().item(i)->text();
        }
        return lines;
    }

    // Every file below folder, relative and sorted.
    static QStringList FilesUnder(const QString& folder) {
        QStringList files;
        QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            files << QDir(folder).relativeFilePath(it.next());
        }
        files.sort();
        return files;
    }

    QTemporaryDir folder_;
    QString out_;
    std::unique_ptr<CZeResourceData> project_;
    std::unique_ptr<CSkeletonDlg> dialog_;
};

}  // namespace ze::panels::test

QTEST_MAIN(ze::panels::test::SkeletonDlgTest)
#include "skeleton_dlg_test.moc"
