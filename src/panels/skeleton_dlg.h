#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <map>
#include <string>

#include "codegen/skeleton_options.h"
#include "model/message_sink.h"
#include "panels/project_folder_field.h"

class QAbstractButton;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace ze {
class CZeResourceData;
}

namespace ze::panels {

// The modeless window that writes the application's source skeleton (and the
// dialogs' JSON files) into an output folder. It is made once and then only
// shown and hidden, so the options, the folder and the last run's log stay as
// the user left them. The options live in the controls; Options() reads them.
class CSkeletonDlg : public QDialog {
    Q_OBJECT
public:
    // The control ids the options are known by.
    enum ControlId {
        kGenerate = 1094,
        kScopeThisDialog = 1096,
        kScopeAllDialogs = 1097,
        kDialogs = 1098,
        kApplication = 1099,
        kDialogMaker = 1100,
        kMain = 1101,
        kIdeProject = 1102,
        kMakefile = 1104,
        kBrowse = 1059,
        kOverwriteMain = 1141,
        kOverwriteAll = 1142,
        kOverwriteApplication = 1143,
        kOverwriteDialogMaker = 1144,
        kOverwriteDialogs = 1145,
        kOverwriteIdeProject = 1146,
        kJson = 1147,
        kOverwriteJson = 1148,
        kOverwriteMakefile = 1149,
    };

    // outputFolder: an operating-system path, the project folder at the time
    // the dialog is first made.
    CSkeletonDlg(const CZeResourceData& project, const std::string& outputFolder,
                 QWidget* parent = nullptr);
    ~CSkeletonDlg() override;

    // Shows the dialog or brings it forward: the name field becomes
    // dialogName (Shift_JIS, may be empty), the log is emptied and the
    // output-name texts follow the project's current Name.
    void Open(const std::string& dialogName);
    // Tests replace the folder dialog.
    void SetFolderChooser(ProjectFolderField::FolderChooser chooser);
    // Asks a yes-or-no question (a message box unless a test replaces it).
    using Question = std::function<bool(QWidget* parent, const QString& text)>;
    void SetQuestion(Question question);
    // An operating-system path; DefaultTemplateFolder() unless set.
    void SetTemplateFolder(const std::string& folder);
    // Where a run without an application name is reported; none by default.
    void SetMessageSink(MessageSink* messages);

    SkeletonOptions Options() const;
    void SetOptions(const SkeletonOptions& options);
    // "スケルトン生成": one log line per file written or refused. An output
    // folder that does not exist is made, with its parents, when the user
    // agrees; otherwise nothing is written.
    void Generate();

    QListWidget& LogList();
    // The check boxes, radio buttons and buttons by control id; throws
    // std::out_of_range for any other id.
    QAbstractButton& Control(int controlId);
    QLineEdit& OutputFolderField();
    QLineEdit& DialogNameField();
    // 0 beside "メイン", 1 beside "アプリケーション", 2 beside "ダイアログ生成".
    QLabel& OutputNames(int row);

private:
    void BuildControls();
    QCheckBox* AddCheck(int id, const QString& caption);
    void Browse();
    void RefreshOutputNames();
    // False when folder is missing and was not made.
    bool EnsureFolder(const std::string& folder);

    const CZeResourceData& project_;
    std::string templateFolder_;
    MessageSink* messages_ = nullptr;
    ProjectFolderField::FolderChooser chooser_;
    Question question_;
    std::map<int, QAbstractButton*> controls_;
    QLineEdit* outputFolder_ = nullptr;
    QLineEdit* dialogName_ = nullptr;
    std::array<QLabel*, 3> outputNames_{};
    QListWidget* log_ = nullptr;
};

}  // namespace ze::panels
