#include "app/recovery_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>

namespace ze::app {

namespace {

constexpr const char* kTextSuffix = ".moxspro";
constexpr const char* kOriginSuffix = ".origin";
constexpr const char* kLockSuffix = ".lock";

bool WriteAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

// A lock that only a running holder keeps: a holder that died leaves a
// stale lock, whatever its age.
std::unique_ptr<QLockFile> MakeLock(const QString& path) {
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0);
    return lock;
}

}  // namespace

RecoveryStore::RecoveryStore(QString folder)
    : folder_(folder.isEmpty() ? DefaultFolder() : std::move(folder)) {}

RecoveryStore::~RecoveryStore() = default;

QString RecoveryStore::DefaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/ze-resource-editor/recovery");
}

QString RecoveryStore::PathOf(const QString& name, const char* suffix) const {
    return folder_ + QLatin1Char('/') + name + QLatin1String(suffix);
}

QString RecoveryStore::OwnTextPath() const {
    return name_.isEmpty() ? QString() : PathOf(name_, kTextSuffix);
}

bool RecoveryStore::Write(const std::string& projectText, const QString& originFile) {
    if (!lock_) {
        if (!QDir().mkpath(folder_)) {
            return false;
        }
        // The process id keeps two editors apart, the random part a new
        // editor from the files of an old one that had the same id.
        const QString name = QStringLiteral("%1-%2")
                                 .arg(QCoreApplication::applicationPid())
                                 .arg(QRandomGenerator::global()->generate64() & 0xFFFFFFFFFFFFull,
                                      12, 16, QLatin1Char('0'));
        auto lock = MakeLock(PathOf(name, kLockSuffix));
        if (!lock->tryLock(0)) {
            return false;
        }
        name_ = name;
        lock_ = std::move(lock);
    }
    return WriteAtomically(PathOf(name_, kOriginSuffix), originFile.toUtf8()) &&
           WriteAtomically(
               PathOf(name_, kTextSuffix),
               QByteArray(projectText.data(), static_cast<qsizetype>(projectText.size())));
}

void RecoveryStore::Remove() {
    if (!lock_) {
        return;
    }
    QFile::remove(PathOf(name_, kTextSuffix));
    QFile::remove(PathOf(name_, kOriginSuffix));
    lock_->unlock();
    lock_.reset();
    name_.clear();
}

std::vector<RecoveryStore::LeftOver> RecoveryStore::FindLeftOvers() {
    std::vector<LeftOver> found;
    const QDir folder(folder_);
    const QFileInfoList texts =
        folder.entryInfoList({QStringLiteral("*") + QLatin1String(kTextSuffix)}, QDir::Files);
    for (const QFileInfo& text : texts) {
        const QString name = text.completeBaseName();
        if (name == name_) {
            continue;
        }
        auto lock = MakeLock(PathOf(name, kLockSuffix));
        // A running editor holds its lock; a dead one's is stale and taken.
        if (!lock->tryLock(0)) {
            continue;
        }
        LeftOver leftOver;
        leftOver.name = name;
        leftOver.textPath = text.absoluteFilePath();
        leftOver.written = text.lastModified();
        QFile origin(PathOf(name, kOriginSuffix));
        if (origin.open(QIODevice::ReadOnly)) {
            leftOver.originFile = QString::fromUtf8(origin.readAll());
        }
        found.push_back(leftOver);
        heldLeftOvers_.emplace_back(name, std::move(lock));
    }
    std::sort(found.begin(), found.end(),
              [](const LeftOver& a, const LeftOver& b) { return a.written > b.written; });
    return found;
}

void RecoveryStore::Delete(const LeftOver& leftOver) {
    QFile::remove(PathOf(leftOver.name, kTextSuffix));
    QFile::remove(PathOf(leftOver.name, kOriginSuffix));
    const auto held =
        std::find_if(heldLeftOvers_.begin(), heldLeftOvers_.end(),
                     [&leftOver](const auto& entry) { return entry.first == leftOver.name; });
    if (held != heldLeftOvers_.end()) {
        held->second->unlock();  // removes the lock file
        heldLeftOvers_.erase(held);
    }
}

void RecoveryStore::ReleaseLeftOvers() {
    heldLeftOvers_.clear();  // QLockFile unlocks on destruction
}

}  // namespace ze::app
