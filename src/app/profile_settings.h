#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ze::app {

// The editor's settings file: INI text as a Windows program reads and writes
// it through its private-profile functions ("[SECTION]" lines, "Key=Value"
// lines, CRLF line ends, sections and keys compared without regard to
// letter case, no quoting or escaping added). Every write goes to the file
// at once, replacing it only when the new text is written whole; lines that
// are not touched (comments, other sections) stay as they are.
class CProfileSettings {
public:
    explicit CProfileSettings(std::string path);

    const std::string& GetPath() const { return path_; }

    // The value as its decimal number (leading blanks, a sign, digits; 0
    // when there are none); fallback when the key is missing.
    int ReadInt(std::string_view section, std::string_view key, int fallback) const;
    // The value with surrounding blanks and one pair of enclosing quotes
    // removed, at most 4095 bytes; fallback when the key is missing.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback) const;
    // False when the file could not be written.
    bool WriteInt(std::string_view section, std::string_view key, int value);
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    // Removes the key; true when the file holds no such key afterwards.
    bool DeleteKey(std::string_view section, std::string_view key);

    // The settings file of the editor: "VaVoririvuZuvazu.ini" in folder.
    static std::string PathIn(const std::string& folder);

private:
    std::vector<std::string> ReadLines() const;
    bool WriteLines(const std::vector<std::string>& lines) const;
    bool Update(std::string_view section, std::string_view key, const std::string* value);

    std::string path_;
};

// A folder or file path (an operating-system path, UTF-8) as the settings
// file stores it: Shift_JIS when the path has a Shift_JIS form, so a Windows
// program reads the same text; UTF-8 otherwise, so no character is lost.
std::string PathToProfileText(std::string_view path);
// The reverse: valid UTF-8 is taken as it is, anything else as Shift_JIS.
std::string PathFromProfileText(std::string_view text);

}  // namespace ze::app
