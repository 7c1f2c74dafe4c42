#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QLineEdit;
class QPushButton;

namespace ze::panels {

// The project folder row at the top of the resource panel: the folder field
// and "参照" beside it. A folder taken from the chooser, or typed into the
// field, ends with the separator; FolderChanged tells the panel.
class ProjectFolderField : public QWidget {
    Q_OBJECT
public:
    // Asks the user for a folder: parent, caption, starting folder. An empty
    // result means the user cancelled.
    using FolderChooser =
        std::function<QString(QWidget* parent, const QString& caption, const QString& start)>;

    explicit ProjectFolderField(QWidget* parent = nullptr);

    QString Folder() const;
    // Shown as given; FolderChanged is not emitted.
    void SetFolder(const QString& folder);
    // Tests replace the modal folder dialog.
    void SetFolderChooser(FolderChooser chooser);

    QLineEdit& Edit() { return *edit_; }
    QPushButton& BrowseButton() { return *browse_; }

signals:
    void FolderChanged(const QString& folder);

private:
    void Browse();
    void EditingFinished();
    void Accept(const QString& folder);

    QLineEdit* edit_;
    QPushButton* browse_;
    FolderChooser chooser_;
    // The folder last set or accepted, to tell a real edit from a focus change.
    QString accepted_;
};

}  // namespace ze::panels
