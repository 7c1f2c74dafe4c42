#pragma once

#include <QString>
#include <string>

namespace ze::panels {

// Why a file could not be read or written, in the editor's language: the
// reasons a user meets (no such file, no permission, a folder, a full disk)
// worded by the editor, any other in the system's words. Empty for 0.
QString FileErrorReason(int error);

// message with the reason on a line of its own; message alone for 0.
QString WithFileErrorReason(const QString& message, int error);

// The system's error number for reading path as a file: what opening it
// gives, EISDIR for a folder, 0 when it opens as a file.
int ReadErrorOf(const std::string& path);

}  // namespace ze::panels
