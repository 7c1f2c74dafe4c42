#include "panels/file_error_text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cerrno>
#include <cstring>

namespace ze::panels {

QString FileErrorReason(int error) {
    switch (error) {
        case 0:
            return {};
        case ENOENT:
            return QCoreApplication::translate("Editor", "ファイルまたはフォルダがありません。");
        case EACCES:
        case EPERM:
            return QCoreApplication::translate("Editor", "アクセスが許可されていません。");
        case EISDIR:
            return QCoreApplication::translate("Editor", "ファイルではなくフォルダです。");
        case ENOSPC:
        case EDQUOT:
            return QCoreApplication::translate("Editor", "ディスクに空きがありません。");
        case EROFS:
            return QCoreApplication::translate("Editor", "読み取り専用の場所です。");
        case ENOTDIR:
            return QCoreApplication::translate("Editor",
                                               "パスの途中にフォルダではないものがあります。");
        default:
            // The C library's words follow the process locale Qt has set.
            return QString::fromLocal8Bit(std::strerror(error));
    }
}

QString WithFileErrorReason(const QString& message, int error) {
    const QString reason = FileErrorReason(error);
    return reason.isEmpty() ? message : message + QLatin1Char('\n') + reason;
}

int ReadErrorOf(const std::string& path) {
    // Non-blocking: a FIFO without a writer must not hold the editor.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return errno;
    }
    struct stat status {};
    const int error = ::fstat(fd, &status) != 0 ? errno : S_ISDIR(status.st_mode) ? EISDIR : 0;
    ::close(fd);
    return error;
}

}  // namespace ze::panels
