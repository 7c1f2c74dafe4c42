#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "codegen/codegen_texts.h"
#include "codegen/skeleton_options.h"

namespace ze {

class CZeResourceData;

// Shown instead of the skeleton dialog when the project root has no Name
// (Shift_JIS, two lines).
const std::string& NoApplicationNameMessage();

// The template folder shipped with the program: "template/" beside the
// executable.
std::string DefaultTemplateFolder();

// "_SOURCES_": the application's .cpp files and one dialog class .cpp for every
// dialog whose template type is not NONE (any case), each followed by a space.
std::string BuildSourceList(const CZeResourceData& project);

// The entries of a "%MULTILINE%PROJECTS%" expansion: the five application
// files, the two files of every dialog, then "@Lib@" and "@Document@".
std::vector<std::string> BuildProjectFileList(const CZeResourceData& project);

// Writes the source skeleton of the project's application from the template
// folder: every enabled step in its fixed order, one log line per file.
// Names and log lines are Shift_JIS; file names reach the operating system
// through the CP932 codec.
class CSkeletonGenerator {
public:
    CSkeletonGenerator(const CZeResourceData& project, SkeletonOptions options);

    // Runs every enabled step. False, with nothing written and an empty log,
    // when the project has no application name.
    bool Run();

    // "○ ..." for each file written, "× ..." for each refused, in run order.
    const std::vector<std::string>& GetLog() const { return log_; }
    // The same, one entry per line, for a window to word in its language.
    const std::vector<GeneratedFile>& GetResults() const { return results_; }

    // Writes outputPath from templatePath with the dialog name and template
    // type given (both may be empty). On failure the reason is in GetMessage
    // (and GetReason); on success WasCreated says whether the file is new.
    bool GenerateFile(const std::string& templatePath, const std::string& outputPath,
                      bool overwrite, std::string_view dialogName, std::string_view templateType);
    const std::string& GetMessage() const { return message_; }
    GeneratedFile::Reason GetReason() const { return reason_; }
    bool WasCreated() const { return created_; }

    // The lines one template line becomes (none, one or many), with every
    // placeholder filled.
    void ExpandLine(std::string_view line, std::string_view dialogName,
                    std::string_view templateType, std::vector<std::string>& out) const;

private:
    // The application name and the lists every template line may need.
    void ReadProject();
    // One file of a step: builds the paths from Shift_JIS names, generates
    // and logs the result under outputName.
    void GenerateStep(std::string_view templateName, std::string_view outputName, bool overwrite,
                      std::string_view dialogName, std::string_view templateType);
    void GenerateDialogClasses(bool overwrite);
    void Record(GeneratedFile file);
    void Refuse(GeneratedFile::Reason reason);

    const CZeResourceData& project_;
    SkeletonOptions options_;
    std::string appName_;
    std::string sources_;
    std::vector<std::string> projectFiles_;
    std::string message_;
    GeneratedFile::Reason reason_ = GeneratedFile::Reason::kNone;
    bool created_ = false;
    std::vector<std::string> log_;
    std::vector<GeneratedFile> results_;
};

}  // namespace ze
