#pragma once

#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ze::app {

// The recovery files of the editors of this user, in the user's data folder
// ("ze-resource-editor/recovery" under QStandardPaths' generic data
// location). Each running editor writes its own: NAME.moxspro holds the
// project text, NAME.origin the project file it came from (UTF-8, may be
// empty), and NAME.lock, held while the editor runs, tells the others that
// the files are not left over. A clean close removes all three; a crash or
// a kill leaves them for the next start.
class RecoveryStore {
public:
    // folder: where the files go; the user's data folder when empty.
    explicit RecoveryStore(QString folder = {});
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    static QString DefaultFolder();
    const QString& Folder() const { return folder_; }

    // Writes this editor's recovery file atomically (the old one stays
    // whole until the new one is complete). False when it could not.
    bool Write(const std::string& projectText, const QString& originFile);
    // Removes this editor's files, if it wrote any.
    void Remove();
    // The project text path of this editor; empty until the first Write.
    QString OwnTextPath() const;

    // A recovery file no running editor holds.
    struct LeftOver {
        QString name;
        QString textPath;
        QString originFile;
        QDateTime written;
    };
    // The files left by editors that are no longer running, newest first.
    // They stay locked by this store until Resolve, so a second editor
    // starting now does not offer them too.
    std::vector<LeftOver> FindLeftOvers();
    // Deletes a left-over's files (after it was restored or discarded).
    void Delete(const LeftOver& leftOver);
    // Gives up the locks of left-overs not deleted: the next start offers
    // them again.
    void ReleaseLeftOvers();

private:
    QString PathOf(const QString& name, const char* suffix) const;

    QString folder_;
    QString name_;
    std::unique_ptr<QLockFile> lock_;
    std::vector<std::pair<QString, std::unique_ptr<QLockFile>>> heldLeftOvers_;
};

}  // namespace ze::app
