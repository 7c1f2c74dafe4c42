// The skeleton window: its options and texts, runs into a temporary folder
// with the shipped templates, the folder chooser, what survives between uses.

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

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every button of the window: its id, the option it holds (check boxes), and
// its class, caption and check state at first.
struct Control {
    int id;
    bool SkeletonOptions::*option;
    const char* shown;
};
const Control kControls[] = {
    {1059, nullptr, "QPushButton 参照 0"},
    {1142, &SkeletonOptions::overwriteAll, "QCheckBox 上書き 0"},
    {1101, &SkeletonOptions::main, "QCheckBox メイン 0"},
    {1141, &SkeletonOptions::overwriteMain, "QCheckBox  0"},
    {1099, &SkeletonOptions::application, "QCheckBox アプリケーション 1"},
    {1143, &SkeletonOptions::overwriteApplication, "QCheckBox  0"},
    {1100, &SkeletonOptions::dialogMaker, "QCheckBox ダイアログ生成 1"},
    {1144, &SkeletonOptions::overwriteDialogMaker, "QCheckBox  0"},
    {1098, &SkeletonOptions::dialogs, "QCheckBox ダイアログ 1"},
    {1145, &SkeletonOptions::overwriteDialogs, "QCheckBox  0"},
    {1096, nullptr, "QRadioButton このダイアログのみ 1"},
    {1097, nullptr, "QRadioButton すべてのダイアログ 0"},
    {1147, &SkeletonOptions::json, "QCheckBox JSON 1"},
    {1148, &SkeletonOptions::overwriteJson, "QCheckBox  0"},
    {1102, &SkeletonOptions::ideProject, "QCheckBox プロジェクト 0"},
    {1146, &SkeletonOptions::overwriteIdeProject, "QCheckBox  0"},
    {1104, &SkeletonOptions::makefile, "QCheckBox Makefile 0"},
    {1149, &SkeletonOptions::overwriteMakefile, "QCheckBox  0"},
    {1094, nullptr, "QPushButton スケルトン生成 0"},
};

SkeletonOptions NothingChosen() {
    SkeletonOptions options;
    for (const Control& control : kControls) {
        if (control.option != nullptr) {
            options.*control.option = false;
        }
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

    void TheWindowStartsWithItsDefaultsAndTheProjectFolder() {
        for (const Control& control : kControls) {
            const QAbstractButton& button = dialog_->Control(control.id);
            QCOMPARE(QString("%1 %2 %3")
                         .arg(button.metaObject()->className(), button.text())
                         .arg(int{button.isChecked()}),
                     QString(control.shown));
        }
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, dialog_->Control(1103));
        QCOMPARE(dialog_->windowTitle(), QString("スケルトン生成"));
        QVERIFY(!dialog_->isModal());
        QCOMPARE(dialog_->OutputFolderField().text(), QString("/projects/first/"));
        QCOMPARE(dialog_->LogList().count(), 0);
        QStringList labels;
        for (const QLabel* label : dialog_->findChildren<QLabel*>()) {
            labels << label->text();
        }
        QVERIFY(labels.contains("出力フォルダ"));
        QVERIFY(labels.contains(
            "←ここにチェックを入れると全て上書きになります。個別指定は下のチェックで。"));
        const SkeletonOptions options = dialog_->Options();
        QCOMPARE(options.outputFolder, std::string("/projects/first/"));
        QCOMPARE(options.templateFolder, kTemplates.toStdString());
        QCOMPARE(options.dialogName, std::string());
    }

    void EachBoxHoldsItsOwnOption() {
        for (const Control& chosen : kControls) {
            SkeletonOptions options = NothingChosen();
            if (chosen.option != nullptr) {
                options.*chosen.option = true;
            }
            dialog_->SetOptions(options);
            const SkeletonOptions read = dialog_->Options();
            for (const Control& box : kControls) {
                const bool expected = box.id == chosen.id;
                if (box.option != nullptr && (dialog_->Control(box.id).isChecked() != expected ||
                                              read.*box.option != expected)) {
                    QFAIL(qPrintable(QString("box %1 shows in box %2").arg(chosen.id).arg(box.id)));
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
        QTest::newRow("plain") << "Calc";
        QTest::newRow("japanese") << "電卓";
        QTest::newRow("markup") << "<b>X</b>";
    }
    void OutputNamesFollowTheApplicationName() {
        QFETCH(QString, name);
        QCOMPARE(dialog_->OutputNames(1).text(), QString("AppApplication.cpp AppApplication.h"));
        project_->SetItem("Name", Utf8ToCp932(name.toStdString()));
        dialog_->Open("Main");
        const QStringList texts{name + ".cpp",
                                QString("%1Application.cpp %1Application.h").arg(name),
                                QString("%1DialogMaker.cpp %1DialogMaker.h").arg(name)};
        for (int row = 0; row < 3; ++row) {
            QCOMPARE(dialog_->OutputNames(row).text(), texts[row]);
            QCOMPARE(dialog_->OutputNames(row).textFormat(), Qt::PlainText);
        }
    }

    void ARunWritesTheFilesAndLogsEachOne_data() {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QStringList>("written");  // in log order
        const QStringList application{"AppApplication.cpp", "AppApplication.h",
                                      "AppDialogMaker.cpp", "AppDialogMaker.h"};
        const QStringList main{"AppDialogMain.cpp", "AppDialogMain.h"};
        QTest::newRow("defaults") << QList<int>{} << application + main + QStringList{"Main.json"};
        QTest::newRow("all dialogs") << QList<int>{CSkeletonDlg::kScopeAllDialogs}
                                     << application + main +
                                            QStringList{"AppDialogSecond.cpp", "AppDialogSecond.h",
                                                        "Main.json", "Second.json", "Pop.json"};
        QTest::newRow("main and make files")
            << QList<int>{CSkeletonDlg::kMain, CSkeletonDlg::kMakefile}
            << QStringList{"App.cpp"} + application + main +
                   QStringList{"Main.json", "Makefile", "Makeparam"};
    }
    void ARunWritesTheFilesAndLogsEachOne() {
        QFETCH(QList<int>, clicks);
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
        for (const int id : clicks) {
            dialog_->Control(id).click();
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
        QTest::addColumn<bool>("application");
        QTest::addColumn<bool>("dialogMaker");
        QTest::newRow("no overwrite") << 0 << false << false;
        QTest::newRow("overwrite all") << int{CSkeletonDlg::kOverwriteAll} << true << true;
        QTest::newRow("overwrite the application")
            << int{CSkeletonDlg::kOverwriteApplication} << true << false;
        QTest::newRow("overwrite the dialog maker")
            << int{CSkeletonDlg::kOverwriteDialogMaker} << false << true;
    }
    void ExistingFilesAreKeptUnlessOverwritten() {
        QFETCH(int, box);
        QFETCH(bool, application);
        QFETCH(bool, dialogMaker);
        SkeletonOptions options = NothingChosen();
        options.application = true;
        options.dialogMaker = true;
        options.outputFolder = out_.toStdString() + "/";
        dialog_->SetOptions(options);
        dialog_->Generate();
        QCOMPARE(dialog_->LogList().count(), 4);
        const QStringList names{"AppApplication.cpp", "AppApplication.h", "AppDialogMaker.cpp",
                                "AppDialogMaker.h"};
        QStringList log;
        for (int i = 0; i < names.size(); ++i) {
            QVERIFY(WriteFile(out_ + "/" + names[i], "kept\n"));
            log << ((i < 2 ? application : dialogMaker)
                        ? Done(names[i])
                        : "× " + names[i] +
                              " キャンセルしました。(ファイルが存在します[上書き禁止])");
        }
        if (box != 0) {
            dialog_->Control(box).click();
        }
        dialog_->Generate();
        QCOMPARE(LogLines(), log);
        for (int i = 0; i < names.size(); ++i) {
            QCOMPARE(ReadFile(out_ + "/" + names[i]) == "kept\n", log[i].startsWith("×"));
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
        QStringList asked;
        dialog_->SetFolderChooser([&](QWidget* parent, const QString& title, const QString& from) {
            asked << QString::number(parent == dialog_.get()) << title << from;
            return answer;
        });
        dialog_->Control(CSkeletonDlg::kBrowse).click();
        QCOMPARE(asked, (QStringList{"1", "フォルダを選択してください", "/projects/first/"}));
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

    void AMissingOutputFolderIsMadeWhenTheUserAgrees() {
        const QString missing = out_ + "/new/sub";
        QStringList questions;
        bool agree = false;
        dialog_->SetQuestion([&](QWidget*, const QString& text) {
            questions << text;
            return agree;
        });
        dialog_->OutputFolderField().setText(missing);
        dialog_->Open("Main");
        dialog_->Generate();
        QCOMPARE(questions,
                 QStringList({"出力フォルダ " + missing + "/ はありません。作成しますか？"}));
        QVERIFY(!QFileInfo::exists(missing));
        QCOMPARE(dialog_->LogList().count(), 0);

        agree = true;
        dialog_->Generate();
        QCOMPARE(questions.size(), 2);
        QVERIFY(QFileInfo(missing).isDir());
        QVERIFY(QFileInfo::exists(missing + "/AppDialogMain.h"));
        // There now: no question.
        dialog_->Generate();
        QCOMPARE(questions.size(), 2);

        // A folder that cannot be made (a file stands in its way) is said so.
        RecordingMessages messages;
        dialog_->SetMessageSink(&messages);
        QFile blocker(out_ + "/file");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        dialog_->OutputFolderField().setText(out_ + "/file/sub");
        dialog_->Generate();
        QCOMPARE(messages.messages.size(), std::size_t{1});
        QVERIFY(messages.messages[0].text.starts_with("出力フォルダを作成できませんでした。"));
        // With the reason: a file is where a folder would have to be.
        QVERIFY2(
            messages.messages[0].text.ends_with("\nパスの途中にフォルダではないものがあります。"),
            messages.messages[0].text.c_str());
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
