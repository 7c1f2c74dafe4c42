#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ze::app {

// The editor's settings: INI text as a Windows program reads and writes it
// through its private-profile functions ("[SECTION]" lines, "Key=Value"
// lines, CRLF line ends, sections and keys compared without regard to
// letter case, no quoting or escaping added). Every write goes to the file
// at once, replacing it only when the new text is written whole; lines that
// are not touched (comments, other sections) stay as they are.
//
// Two files take part: the user's own (path), which is read first and is the
// only one ever written, and a file of defaults below it (defaultsPath, may
// be empty), which is only read. An installed program's folder is not the
// user's to write, so the defaults can ship there while each user keeps
// their own recent files, folder and ports.
class CProfileSettings {
public:
    explicit CProfileSettings(std::string path, std::string defaultsPath = {});

    const std::string& GetPath() const { return path_; }
    const std::string& GetDefaultsPath() const { return defaultsPath_; }

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
    // Removes the key from the user's file; true when it holds no such key
    // afterwards. A key the defaults hold is kept empty instead, so that
    // the default does not come back in its place.
    bool DeleteKey(std::string_view section, std::string_view key);

    // The settings file of the editor: "VaVoririvuZuvazu.ini" in folder.
    static std::string PathIn(const std::string& folder);

private:
    // The value of the key in the user's file, else in the defaults; false
    // when neither holds the key.
    bool Lookup(std::string_view section, std::string_view key, std::string& value) const;
    bool Update(std::string_view section, std::string_view key, const std::string* value);

    std::string path_;
    std::string defaultsPath_;
};

// The user's settings file: "ze-resource-editor/VaVoririvuZuvazu.ini" under
// xdgConfigHome, or under home + "/.config" when xdgConfigHome is empty or
// not absolute (as the XDG base directories say to treat it).
std::string UserSettingsPath(std::string_view xdgConfigHome, std::string_view home);
// The same for this process: $XDG_CONFIG_HOME and the user's home folder.
std::string UserSettingsPath();

// The editor's settings: chosenPath (--settings, or a test's own file) when
// given, else the user's file; over the defaults beside the program
// (programFolder, the executable's folder when empty).
CProfileSettings EditorSettings(const std::string& chosenPath, const std::string& programFolder);

// A folder or file path (an operating-system path, UTF-8) as the settings
// file stores it: Shift_JIS when the path has a Shift_JIS form, so a Windows
// program reads the same text; UTF-8 otherwise, so no character is lost.
std::string PathToProfileText(std::string_view path);
// The reverse: valid UTF-8 is taken as it is, anything else as Shift_JIS.
std::string PathFromProfileText(std::string_view text);

}  // namespace ze::app
