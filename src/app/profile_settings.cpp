#include "app/profile_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "common/cp932.h"
#include "common/paths.h"

namespace ze::app {

namespace {

constexpr std::size_t kMaxStringLength = 4095;

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// The section name of a "[name]" line; false for any other line.
bool SectionOf(std::string_view line, std::string_view& name) {
    const std::string_view trimmed = Trim(line);
    if (trimmed.size() < 2 || trimmed.front() != '[') {
        return false;
    }
    const std::size_t close = trimmed.find(']');
    if (close == std::string_view::npos) {
        return false;
    }
    name = Trim(trimmed.substr(1, close - 1));
    return true;
}

// The key and value of a "key=value" line; false for any other line.
bool EntryOf(std::string_view line, std::string_view& key, std::string_view& value) {
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';') {
        return false;
    }
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos) {
        return false;
    }
    key = Trim(trimmed.substr(0, equals));
    value = Trim(trimmed.substr(equals + 1));
    return true;
}

struct Found {
    bool sectionFound = false;
    std::size_t sectionLine = 0;    // the "[section]" line
    std::size_t lastEntryLine = 0;  // the last line of the section holding a key
    bool keyFound = false;
    std::size_t keyLine = 0;
    std::string_view value;
};

Found Find(const std::vector<std::string>& lines, std::string_view section, std::string_view key) {
    Found found;
    bool inSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view name;
        if (SectionOf(lines[i], name)) {
            if (found.sectionFound && inSection) {
                break;  // the first section of that name is the one used
            }
            inSection = SameName(name, section);
            if (inSection) {
                found.sectionFound = true;
                found.sectionLine = i;
                found.lastEntryLine = i;
            }
            continue;
        }
        std::string_view entryKey;
        std::string_view entryValue;
        if (inSection && EntryOf(lines[i], entryKey, entryValue)) {
            found.lastEntryLine = i;
            if (!found.keyFound && SameName(entryKey, key)) {
                found.keyFound = true;
                found.keyLine = i;
                found.value = entryValue;
            }
        }
    }
    return found;
}

bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        if (byte < 0x80) {
            length = 1;
        } else if ((byte & 0xE0) == 0xC0 && byte >= 0xC2) {
            length = 2;
        } else if ((byte & 0xF0) == 0xE0) {
            length = 3;
        } else if ((byte & 0xF8) == 0xF0 && byte <= 0xF4) {
            length = 4;
        } else {
            return false;
        }
        if (i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    if (path.empty()) {
        return lines;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return lines;
    }
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

bool WriteLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    const QString target = QString::fromStdString(path);
    // The user's folder under ~/.config does not exist before the first write.
    if (!QDir().mkpath(QFileInfo(target).absolutePath())) {
        return false;
    }
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    if (file.write(text.data(), static_cast<qint64>(text.size())) !=
        static_cast<qint64>(text.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace

CProfileSettings::CProfileSettings(std::string path, std::string defaultsPath)
    : path_(std::move(path)), defaultsPath_(std::move(defaultsPath)) {
    // Named as its own defaults (--settings on the file beside the program),
    // the file is simply the one file: a removed key is removed.
    if (defaultsPath_ == path_) {
        defaultsPath_.clear();
    }
}

std::string CProfileSettings::PathIn(const std::string& folder) {
    return WithTrailingSeparator(folder) + "VaVoririvuZuvazu.ini";
}

bool CProfileSettings::Lookup(std::string_view section, std::string_view key,
                              std::string& value) const {
    for (const std::string* path : {&path_, &defaultsPath_}) {
        const std::vector<std::string> lines = ReadLines(*path);
        const Found found = Find(lines, section, key);
        if (found.keyFound) {
            value = std::string(found.value);
            return true;
        }
    }
    return false;
}

int CProfileSettings::ReadInt(std::string_view section, std::string_view key, int fallback) const {
    std::string found;
    if (!Lookup(section, key, found)) {
        return fallback;
    }
    std::string_view text = found;
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    long long value = 0;
    while (!text.empty() && std::isdigit(static_cast<unsigned char>(text.front())) != 0) {
        value = value * 10 + (text.front() - '0');
        if (value > 0x7FFFFFFFLL) {
            value = 0x7FFFFFFFLL;  // saturate instead of overflowing
        }
        text.remove_prefix(1);
    }
    return static_cast<int>(negative ? -value : value);
}

std::string CProfileSettings::ReadString(std::string_view section, std::string_view key,
                                         std::string_view fallback) const {
    std::string found;
    if (!Lookup(section, key, found)) {
        return std::string(fallback.substr(0, kMaxStringLength));
    }
    std::string_view value = found;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value.substr(0, kMaxStringLength));
}

bool CProfileSettings::Update(std::string_view section, std::string_view key,
                              const std::string* value) {
    std::vector<std::string> lines = ReadLines(path_);
    const Found found = Find(lines, section, key);
    if (value == nullptr) {
        if (!found.keyFound) {
            return true;
        }
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(found.keyLine));
        return WriteLines(path_, lines);
    }
    std::string entry = std::string(key) + "=" + *value;
    if (found.keyFound) {
        lines[found.keyLine] = std::move(entry);
    } else if (found.sectionFound) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(found.lastEntryLine) + 1,
                     std::move(entry));
    } else {
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(std::move(entry));
    }
    return WriteLines(path_, lines);
}

bool CProfileSettings::WriteInt(std::string_view section, std::string_view key, int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    const std::string written = text;
    return Update(section, key, &written);
}

bool CProfileSettings::WriteString(std::string_view section, std::string_view key,
                                   std::string_view value) {
    // A line break would end the line and start another entry.
    std::string written(value);
    for (char& c : written) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return Update(section, key, &written);
}

bool CProfileSettings::DeleteKey(std::string_view section, std::string_view key) {
    if (Find(ReadLines(defaultsPath_), section, key).keyFound) {
        const std::string empty;
        return Update(section, key, &empty);
    }
    return Update(section, key, nullptr);
}

std::string UserSettingsPath(std::string_view xdgConfigHome, std::string_view home) {
    std::string folder = !xdgConfigHome.empty() && xdgConfigHome.front() == '/'
                             ? std::string(xdgConfigHome)
                             : WithTrailingSeparator(std::string(home)) + ".config";
    return WithTrailingSeparator(std::move(folder)) + "ze-resource-editor/VaVoririvuZuvazu.ini";
}

std::string UserSettingsPath() {
    return UserSettingsPath(qEnvironmentVariable("XDG_CONFIG_HOME").toStdString(),
                            QDir::homePath().toStdString());
}

CProfileSettings EditorSettings(const std::string& chosenPath, const std::string& programFolder) {
    return CProfileSettings(
        chosenPath.empty() ? UserSettingsPath() : chosenPath,
        CProfileSettings::PathIn(programFolder.empty() ? ExecutableFolder() : programFolder));
}

std::string PathToProfileText(std::string_view path) {
    const std::string sjis = Utf8ToCp932(path);
    return Cp932ToUtf8(sjis) == path ? sjis : std::string(path);
}

std::string PathFromProfileText(std::string_view text) {
    return IsValidUtf8(text) ? std::string(text) : Cp932ToUtf8(text);
}

}  // namespace ze::app
