#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace ze {

class CZeDialogData;
class CZeResourceData;
class ZeClass;

// Mistakes in a project that the device or the generated code would find
// later: names given twice, commands aiming at nothing, files that are not
// there, values the device or a reload would not read.
enum class Severity { kError, kWarning };

// The check ids, as the command line prints them.
namespace check_id {
inline constexpr std::string_view kDuplicateName = "duplicate-name";
inline constexpr std::string_view kUnknownTarget = "unknown-target";
inline constexpr std::string_view kMissingFile = "missing-file";
inline constexpr std::string_view kRadioOutsideRadio = "radio-outside-radio";
inline constexpr std::string_view kBadLength = "bad-length";
inline constexpr std::string_view kBadOffset = "bad-offset";
inline constexpr std::string_view kBadNumber = "bad-number";
inline constexpr std::string_view kBadChoice = "bad-choice";
inline constexpr std::string_view kBadColour = "bad-colour";
inline constexpr std::string_view kNotIdentifier = "not-identifier";
inline constexpr std::string_view kUnreadableValue = "unreadable-value";
inline constexpr std::string_view kUnusedFile = "unused-file";
// Found by laying a dialog out at a device size (layout/layout_checks.h).
inline constexpr std::string_view kTextOverflow = "text-overflow";
inline constexpr std::string_view kOutsidePage = "outside-page";
inline constexpr std::string_view kClipped = "clipped";
inline constexpr std::string_view kZeroSize = "zero-size";
inline constexpr std::string_view kOverlap = "overlap";
}  // namespace check_id

std::string_view SeverityName(Severity severity);  // "error", "warning"

struct Finding {
    Severity severity = Severity::kError;
    std::string_view check;  // one of check_id
    // Where: null dialog for the project root and for the files of the
    // project folder; null element for a file.
    const CZeDialogData* dialog = nullptr;
    const ZeClass* element = nullptr;
    std::string dialogName;    // the dialog's Name (Shift_JIS), empty outside a dialog
    std::string elementLabel;  // the element's tree label (Shift_JIS), empty for a file
    std::string property;      // the item's name; empty when the finding is no one item's
    std::string message;       // for the user, Shift_JIS
    std::string file;          // a file finding's path below "resources" (UTF-8)
    // The page size the dialog was laid out at for a layout finding; 0 × 0
    // for the findings that need no layout.
    std::int32_t pageWidth = 0;
    std::int32_t pageHeight = 0;

    friend bool operator==(const Finding&, const Finding&) = default;
};

// The files a project may name: paths relative to the project folder's
// "resources" and to the built-in images folder, UTF-8, "/" between
// folders. Without a project folder (scanned false) nothing is known and
// the file checks are skipped.
struct ProjectFiles {
    bool scanned = false;
    std::unordered_set<std::string> resources;
    std::unordered_set<std::string> builtIn;

    // Lists projectFolder/resources and builtInFolder with their sub-folders
    // (UTF-8 paths; an empty or missing folder lists nothing).
    static ProjectFiles Scan(const std::string& projectFolder, const std::string& builtInFolder);
};

struct FindingCounts {
    std::size_t errors = 0;
    std::size_t warnings = 0;
};

// Checks a project and keeps the findings of each dialog, so an edit asks
// for only its dialog to be checked again. The project is never changed.
class ProjectChecker {
public:
    explicit ProjectChecker(ProjectFiles files = {});

    // Forgets everything and checks the whole project.
    void CheckAll(const CZeResourceData& project);
    // Checks the project root's own items again.
    void CheckRoot(const CZeResourceData& project);
    // Checks one dialog of project again (after an edit, or when added).
    void CheckDialog(const CZeDialogData& dialog);
    // Drops what is kept of a dialog that leaves the project.
    void ForgetDialog(const CZeDialogData& dialog);
    // Drops what is kept of every dialog and every value read back, and
    // gives their memory back (the project was discarded); the listing of
    // files stays.
    void ForgetAll();
    // A new listing of the project folder; the file checks of every dialog
    // are redone by the next CheckAll.
    void SetFiles(ProjectFiles files) { files_ = std::move(files); }
    const ProjectFiles& Files() const { return files_; }

    // Every finding in project order: the root, then each dialog of the
    // list in tree order, then the unused files.
    std::vector<Finding> Findings(const CZeResourceData& project) const;
    // The same appended to out, in room made once for them all: a caller
    // that keeps out from one check to the next lays a large project's
    // findings out again in the memory they had.
    void AppendFindings(const CZeResourceData& project, std::vector<Finding>& out) const;
    FindingCounts Counts() const;

private:
    struct DialogResult {
        std::vector<Finding> findings;
        std::vector<std::string> namedFiles;  // resources paths (UTF-8) it names
    };

    std::vector<Finding> UnusedFiles() const;

    ProjectFiles files_;
    std::vector<Finding> root_;
    std::unordered_map<const CZeDialogData*, DialogResult> dialogs_;
    // Values whose read-back has been tried: "kind:value" and the message
    // (empty when the value reads back). A project repeats its values a lot.
    mutable std::unordered_map<std::string, std::string> readBack_;

    friend class DialogCheck;
};

// The findings of a whole project (CheckAll, then Findings).
std::vector<Finding> CheckProject(const CZeResourceData& project, const ProjectFiles& files = {});

// A C++ identifier that no keyword takes: a letter or "_", then letters,
// digits and "_".
bool IsCppIdentifier(std::string_view text);

}  // namespace ze
