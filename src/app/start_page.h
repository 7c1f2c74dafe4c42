#pragma once

#include <QString>
#include <QWidget>
#include <string>
#include <vector>

class QLabel;
class QMdiArea;
class QVBoxLayout;

namespace ze::app {

// What the empty window area shows while no dialog window is open: the
// commands that start the work (a new dialog, opening a file), the recent
// files and the example project, each a click away. It lies over the MDI
// area's viewport and follows its size; the main window shows it only while
// the area holds no window.
class CStartPage : public QWidget {
    Q_OBJECT

public:
    // The example project beside the program, where the build and the
    // installed tree put it: examples/ beside the executable (installed), or
    // two folders up (the source tree above build/bin). Empty when there is
    // none.
    static QString FindExampleProject(const std::string& programFolder);

    // The example is looked for once, in programFolder.
    CStartPage(QMdiArea& area, const std::string& programFolder);

    // Recent files newest first (operating-system paths); the rows are
    // rebuilt only when the list changed.
    void SetRecentFiles(const std::vector<std::string>& recent);
    // The example project shown, empty for none.
    const QString& ExampleProject() const { return example_; }
    // With dialogs in the project, a line says where to open them.
    void SetProjectHasDialogs(bool hasDialogs);

signals:
    void NewChosen();
    void OpenChosen();
    // A recent file or the example project.
    void FileChosen(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* viewport_;
    QVBoxLayout* recentRows_ = nullptr;
    QLabel* recentTitle_ = nullptr;
    QVBoxLayout* exampleRows_ = nullptr;
    QLabel* exampleTitle_ = nullptr;
    QLabel* treeHint_ = nullptr;
    std::vector<std::string> recent_;
    QString example_;
    bool filled_ = false;
};

}  // namespace ze::app
