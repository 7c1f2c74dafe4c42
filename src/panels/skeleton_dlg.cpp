#include "panels/skeleton_dlg.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>
#include <system_error>
#include <utility>

#include "codegen/skeleton_generator.h"
#include "common/cp932.h"
#include "common/paths.h"
#include "common/qt/sjis_qstring.h"
#include "model/property_names.h"
#include "model/resource_data.h"
#include "panels/file_error_text.h"
#include "panels/skeleton_result_text.h"

namespace ze::panels {

namespace {

QString ChooseWithDialog(QWidget* parent, const QString& caption, const QString& start) {
    return QFileDialog::getExistingDirectory(parent, caption, start);
}

bool AskWithMessageBox(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, QCoreApplication::translate("Editor", "スケルトン生成"),
                                 text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

// Which option each check box holds, in the order of the dialog's rows.
struct CheckOption {
    int id;
    bool SkeletonOptions::*option;
};

constexpr CheckOption kCheckOptions[] = {
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

}  // namespace

CSkeletonDlg::CSkeletonDlg(const CZeResourceData& project, const std::string& outputFolder,
                           QWidget* parent)
    : QDialog(parent),
      project_(project),
      templateFolder_(DefaultTemplateFolder()),
      chooser_(ChooseWithDialog),
      question_(AskWithMessageBox) {
    setWindowTitle(QCoreApplication::translate("Editor", "スケルトン生成"));
    setModal(false);
    BuildControls();
    SkeletonOptions defaults;
    defaults.outputFolder = outputFolder;
    SetOptions(defaults);
    RefreshOutputNames();
}

CSkeletonDlg::~CSkeletonDlg() = default;

QCheckBox* CSkeletonDlg::AddCheck(int id, const QString& caption) {
    auto* box = new QCheckBox(caption, this);
    controls_[id] = box;
    return box;
}

void CSkeletonDlg::BuildControls() {
    auto* grid = new QGridLayout(this);
    int row = 0;

    outputFolder_ = new QLineEdit(this);
    auto* browse = new QPushButton(QCoreApplication::translate("Editor", "参照"), this);
    controls_[kBrowse] = browse;
    grid->addWidget(new QLabel(QCoreApplication::translate("Editor", "出力フォルダ"), this), row, 0,
                    1, 2);
    grid->addWidget(outputFolder_, row, 2);
    grid->addWidget(browse, row, 3);
    ++row;

    grid->addWidget(AddCheck(kOverwriteAll, QCoreApplication::translate("Editor", "上書き")), row,
                    0, 1, 2);
    grid->addWidget(
        new QLabel(QCoreApplication::translate(
                       "Editor",
                       "←ここにチェックを入れると全て上書きになります。個別指定は下のチェックで。"),
                   this),
        row, 2, 1, 2);
    ++row;

    // One row per step: its overwrite box on the left, the step, and for the
    // first three the files it writes.
    struct StepRow {
        int overwrite;
        int step;
        const char* caption;
        int namesRow;  // the output-name text beside it, -1 for none
    };
    static constexpr StepRow kSteps[] = {
        {kOverwriteMain, kMain, QT_TRANSLATE_NOOP("Editor", "メイン"), 0},
        {kOverwriteApplication, kApplication, QT_TRANSLATE_NOOP("Editor", "アプリケーション"), 1},
        {kOverwriteDialogMaker, kDialogMaker, QT_TRANSLATE_NOOP("Editor", "ダイアログ生成"), 2},
        {kOverwriteDialogs, kDialogs, QT_TRANSLATE_NOOP("Editor", "ダイアログ"), -1},
        {kOverwriteJson, kJson, "JSON", -1},
        {kOverwriteIdeProject, kIdeProject, QT_TRANSLATE_NOOP("Editor", "プロジェクト"), -1},
        {kOverwriteMakefile, kMakefile, "Makefile", -1},
    };
    for (const StepRow& step : kSteps) {
        grid->addWidget(AddCheck(step.overwrite, QString()), row, 0);
        grid->addWidget(AddCheck(step.step, QCoreApplication::translate("Editor", step.caption)),
                        row, 1);
        if (step.namesRow >= 0) {
            auto* names = new QLabel(this);
            // Names come from the project: never taken for markup.
            names->setTextFormat(Qt::PlainText);
            outputNames_[static_cast<std::size_t>(step.namesRow)] = names;
            grid->addWidget(names, row, 2, 1, 2);
        }
        if (step.step == kDialogs) {
            // The scope of the dialog classes and the JSON files.
            auto* thisDialog =
                new QRadioButton(QCoreApplication::translate("Editor", "このダイアログのみ"), this);
            auto* allDialogs =
                new QRadioButton(QCoreApplication::translate("Editor", "すべてのダイアログ"), this);
            controls_[kScopeThisDialog] = thisDialog;
            controls_[kScopeAllDialogs] = allDialogs;
            dialogName_ = new QLineEdit(this);
            auto* scope = new QHBoxLayout;
            scope->addWidget(thisDialog);
            scope->addWidget(dialogName_, 1);
            grid->addLayout(scope, row, 2, 1, 2);
            ++row;
            grid->addWidget(allDialogs, row, 2, 1, 2);
        }
        ++row;
    }

    auto* generate = new QPushButton(QCoreApplication::translate("Editor", "スケルトン生成"), this);
    controls_[kGenerate] = generate;
    grid->addWidget(generate, row, 0, 1, 4, Qt::AlignRight);
    ++row;

    log_ = new QListWidget(this);
    grid->addWidget(log_, row, 0, 1, 4);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(2, 1);

    // Enter in a field must neither open the chooser nor start writing files.
    browse->setAutoDefault(false);
    generate->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &CSkeletonDlg::Browse);
    connect(generate, &QPushButton::clicked, this, &CSkeletonDlg::Generate);
}

void CSkeletonDlg::Open(const std::string& dialogName) {
    dialogName_->setText(SjisToQString(dialogName));
    log_->clear();
    RefreshOutputNames();
    show();
    raise();
    activateWindow();
}

void CSkeletonDlg::SetFolderChooser(ProjectFolderField::FolderChooser chooser) {
    chooser_ = std::move(chooser);
}

void CSkeletonDlg::SetQuestion(Question question) {
    question_ = std::move(question);
}

void CSkeletonDlg::SetTemplateFolder(const std::string& folder) {
    templateFolder_ = folder;
}

void CSkeletonDlg::SetMessageSink(MessageSink* messages) {
    messages_ = messages;
}

SkeletonOptions CSkeletonDlg::Options() const {
    SkeletonOptions options;
    options.outputFolder = outputFolder_->text().toStdString();
    options.templateFolder = templateFolder_;
    for (const CheckOption& check : kCheckOptions) {
        options.*check.option = controls_.at(check.id)->isChecked();
    }
    options.scope = controls_.at(kScopeAllDialogs)->isChecked() ? SkeletonScope::kAllDialogs
                                                                : SkeletonScope::kThisDialog;
    // A name with a character no Shift_JIS text holds names no dialog.
    options.dialogName = QStringToSjis(dialogName_->text()).value_or(std::string());
    return options;
}

void CSkeletonDlg::SetOptions(const SkeletonOptions& options) {
    outputFolder_->setText(QString::fromStdString(options.outputFolder));
    // An empty folder would send the generator looking for templates in the
    // working folder; the folder in use is kept instead.
    if (!options.templateFolder.empty()) {
        templateFolder_ = options.templateFolder;
    }
    for (const CheckOption& check : kCheckOptions) {
        controls_.at(check.id)->setChecked(options.*check.option);
    }
    const bool all = options.scope == SkeletonScope::kAllDialogs;
    controls_.at(kScopeAllDialogs)->setChecked(all);
    controls_.at(kScopeThisDialog)->setChecked(!all);
    dialogName_->setText(SjisToQString(options.dialogName));
}

void CSkeletonDlg::Generate() {
    SkeletonOptions options = Options();
    if (!options.outputFolder.empty()) {
        options.outputFolder = WithTrailingSeparator(options.outputFolder);
        outputFolder_->setText(QString::fromStdString(options.outputFolder));
    }
    log_->clear();
    RefreshOutputNames();
    if (!options.outputFolder.empty() && !EnsureFolder(options.outputFolder)) {
        return;
    }
    CSkeletonGenerator generator(project_, std::move(options));
    if (!generator.Run()) {
        // The Name was removed after the dialog opened: nothing was written,
        // and an empty log alone would look like a run that had nothing to do.
        if (messages_ != nullptr) {
            messages_->ShowMessage(NoApplicationNameMessage(), MessageIcon::kNone);
        }
        return;
    }
    for (const GeneratedFile& file : generator.GetResults()) {
        log_->addItem(SkeletonResultLine(file));
    }
}

bool CSkeletonDlg::EnsureFolder(const std::string& folder) {
    std::error_code error;
    const std::filesystem::path path(folder);
    if (std::filesystem::is_directory(path, error)) {
        return true;
    }
    const QString shown = QString::fromStdString(folder);
    if (!question_(this, QCoreApplication::translate("Editor",
                                                     "出力フォルダ %1 はありません。作成しますか？")
                             .arg(shown))) {
        return false;
    }
    std::filesystem::create_directories(path, error);
    if (error || !std::filesystem::is_directory(path, error)) {
        if (messages_ != nullptr) {
            messages_->ShowMessage(QStringToSjisForDisplay(WithFileErrorReason(
                                       QCoreApplication::translate(
                                           "Editor", "出力フォルダを作成できませんでした。\n%1")
                                           .arg(shown),
                                       error.value())),
                                   MessageIcon::kWarning);
        }
        return false;
    }
    return true;
}

QListWidget& CSkeletonDlg::LogList() {
    return *log_;
}

QAbstractButton& CSkeletonDlg::Control(int controlId) {
    return *controls_.at(controlId);
}

QLineEdit& CSkeletonDlg::OutputFolderField() {
    return *outputFolder_;
}

QLineEdit& CSkeletonDlg::DialogNameField() {
    return *dialogName_;
}

QLabel& CSkeletonDlg::OutputNames(int row) {
    return *outputNames_.at(static_cast<std::size_t>(row));
}

void CSkeletonDlg::Browse() {
    const QString chosen =
        chooser_(this, QCoreApplication::translate("Editor", "フォルダを選択してください"),
                 outputFolder_->text());
    if (!chosen.isEmpty()) {
        outputFolder_->setText(chosen);
    }
}

void CSkeletonDlg::RefreshOutputNames() {
    const QString app = SjisToQString(project_.GetItem(prop::kName));
    outputNames_[0]->setText(app + QStringLiteral(".cpp"));
    outputNames_[1]->setText(app + QStringLiteral("Application.cpp ") + app +
                             QStringLiteral("Application.h"));
    outputNames_[2]->setText(app + QStringLiteral("DialogMaker.cpp ") + app +
                             QStringLiteral("DialogMaker.h"));
}

}  // namespace ze::panels
