#pragma once

#include <QDialog>

namespace ze::app {

// "バージョン情報": the program's name, icon and version "%d.%d.%d.%d".
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    // The version line as shown.
    static QString VersionLine();
};

}  // namespace ze::app
