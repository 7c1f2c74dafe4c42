#include "codegen/skeleton_generator.h"

#include <cstdio>
#include <utility>

#include "codegen/codegen_texts.h"
#include "codegen/json_export.h"
#include "codegen/output_file.h"
#include "codegen/sjis_text.h"
#include "common/cp932.h"
#include "common/paths.h"
#include "common/text_file.h"
#include "model/property_names.h"
#include "model/resource_data.h"

namespace ze {

namespace {

constexpr std::string_view kAppName = "_APPNAME_";
constexpr std::string_view kDialogName = "_DIALOGNAME_";
constexpr std::string_view kTemplateType = "_TEMPLATETYPE_";
constexpr std::string_view kSources = "_SOURCES_";
constexpr std::string_view kNumber = "_NUMBER_";
constexpr std::string_view kSource = "_SOURCE_";
constexpr std::string_view kDialogMarker = "%MULTILINE%DIALOG%";
constexpr std::string_view kProjectsMarker = "%MULTILINE%PROJECTS%";

bool IsTypeNone(std::string_view templateType) {
    return ToUpperSjis(templateType) == "NONE";
}

bool IsTypePopup(std::string_view templateType) {
    return ToUpperSjis(templateType) == "POPUP";
}

std::string ItemOf(const CZeResourceData& project, std::size_t dialog, std::string_view key) {
    return project.GetDialogs().GetDialog(dialog)->GetItem(key);
}

}  // namespace

const std::string& NoApplicationNameMessage() {
    static const std::string text = Utf8ToCp932(
        "アプリケーション名が登録されていません。\nリソースツリーのRootのNameを設定して下さい。");
    return text;
}

std::string DefaultTemplateFolder() {
    return ExecutableFolder() + "template" + kPathSeparator;
}

std::string BuildSourceList(const CZeResourceData& project) {
    const std::string app = project.GetItem(prop::kName);
    std::string sources = app + ".cpp " + app + "Application.cpp " + app + "DialogMaker.cpp ";
    for (std::size_t i = 0; i < project.GetDialogs().GetCount(); ++i) {
        if (!IsTypeNone(ItemOf(project, i, prop::kTemplateType))) {
            sources += app + "Dialog" + ItemOf(project, i, prop::kName) + ".cpp ";
        }
    }
    return sources;
}

std::vector<std::string> BuildProjectFileList(const CZeResourceData& project) {
    const std::string app = project.GetItem(prop::kName);
    std::vector<std::string> files = {
        "@Source@" + app + ".cpp,0",          "@Source@" + app + "Application.cpp,0",
        "@Source@" + app + "Application.h,0", "@Source@" + app + "DialogMaker.cpp,0",
        "@Source@" + app + "DialogMaker.h,0",
    };
    for (std::size_t i = 0; i < project.GetDialogs().GetCount(); ++i) {
        const std::string name = ItemOf(project, i, prop::kName);
        files.push_back("@Source@" + app + "Dialog" + name + ".cpp,0");
        files.push_back("@Source@" + app + "Dialog" + name + ".h,0");
    }
    files.push_back("@Lib@");
    files.push_back("@Document@");
    return files;
}

CSkeletonGenerator::CSkeletonGenerator(const CZeResourceData& project, SkeletonOptions options)
    : project_(project), options_(std::move(options)) {
    ReadProject();
}

void CSkeletonGenerator::ReadProject() {
    appName_ = project_.GetItem(prop::kName);
    sources_ = BuildSourceList(project_);
    projectFiles_ = BuildProjectFileList(project_);
}

bool CSkeletonGenerator::Run() {
    log_.clear();
    ReadProject();
    if (appName_.empty()) {
        return false;
    }
    // An empty output folder stays empty: every file then fails instead of
    // landing in the program's working folder (or the root).
    if (!options_.outputFolder.empty()) {
        options_.outputFolder = WithTrailingSeparator(options_.outputFolder);
    }
    options_.templateFolder = WithTrailingSeparator(options_.templateFolder);

    const SkeletonOptions& o = options_;
    const std::string& a = appName_;
    if (o.main) {
        GenerateStep("_APPNAME_.cpp", a + ".cpp", o.overwriteAll || o.overwriteMain, {}, {});
    }
    if (o.application) {
        const bool overwrite = o.overwriteAll || o.overwriteApplication;
        GenerateStep("_APPNAME_Application.cpp", a + "Application.cpp", overwrite, {}, {});
        GenerateStep("_APPNAME_Application.h", a + "Application.h", overwrite, {}, {});
    }
    if (o.dialogMaker) {
        const bool overwrite = o.overwriteAll || o.overwriteDialogMaker;
        GenerateStep("_APPNAME_DialogMaker.cpp", a + "DialogMaker.cpp", overwrite, {}, {});
        GenerateStep("_APPNAME_DialogMaker.h", a + "DialogMaker.h", overwrite, {}, {});
    }
    if (o.dialogs) {
        GenerateDialogClasses(o.overwriteAll || o.overwriteDialogs);
    }
    if (o.json) {
        std::vector<GeneratedFile> exported;
        ExportDialogsAsJson(project_, o.outputFolder, o.scope, o.dialogName,
                            o.overwriteAll || o.overwriteJson, exported);
        for (GeneratedFile& file : exported) {
            Record(std::move(file));
        }
    }
    if (o.ideProject) {
        GenerateStep("_APPNAME_.qrpro", a + ".qrpro", o.overwriteAll || o.overwriteIdeProject, {},
                     {});
    }
    if (o.makefile) {
        const bool overwrite = o.overwriteAll || o.overwriteMakefile;
        GenerateStep("Makefile", "Makefile", overwrite, {}, {});
        GenerateStep("Makeparam", "Makeparam", overwrite, {}, {});
    }
    return true;
}

void CSkeletonGenerator::GenerateDialogClasses(bool overwrite) {
    const CZeDialogDataList& dialogs = project_.GetDialogs();
    for (std::size_t i = 0; i < dialogs.GetCount(); ++i) {
        const std::string name = dialogs.GetDialog(i)->GetItem(prop::kName);
        const std::string type = dialogs.GetDialog(i)->GetItem(prop::kTemplateType);
        if (IsTypeNone(type) || IsTypePopup(type)) {
            continue;
        }
        if (options_.scope == SkeletonScope::kThisDialog && name != options_.dialogName) {
            continue;
        }
        if (type.empty()) {
            Record(
                {GeneratedFile::Outcome::kRefused, GeneratedFile::Reason::kNoTemplateType, name});
            continue;
        }
        const std::string base = appName_ + "Dialog" + name;
        GenerateStep("_APPNAME_Dialog" + type + ".cpp", base + ".cpp", overwrite, name, type);
        GenerateStep("_APPNAME_Dialog" + type + ".h", base + ".h", overwrite, name, type);
    }
}

void CSkeletonGenerator::GenerateStep(std::string_view templateName, std::string_view outputName,
                                      bool overwrite, std::string_view dialogName,
                                      std::string_view templateType) {
    const std::string osTemplate = Cp932ToUtf8(templateName);
    const std::string osOutput = Cp932ToUtf8(outputName);
    Refuse(GeneratedFile::Reason::kNone);
    created_ = false;
    bool done = false;
    if (!IsPlainFileName(osTemplate)) {
        // A template type holding "/" names no file of the template folder.
        Refuse(GeneratedFile::Reason::kTemplateUnread);
    } else if (!IsPlainFileName(osOutput)) {
        Refuse(GeneratedFile::Reason::kBadFileName);
    } else {
        done = GenerateFile(options_.templateFolder + osTemplate, options_.outputFolder + osOutput,
                            overwrite, dialogName, templateType);
    }
    const GeneratedFile::Outcome outcome = !done      ? GeneratedFile::Outcome::kRefused
                                           : created_ ? GeneratedFile::Outcome::kCreated
                                                      : GeneratedFile::Outcome::kUpdated;
    Record({outcome, reason_, std::string(outputName)});
}

void CSkeletonGenerator::Record(GeneratedFile file) {
    log_.push_back(LogLine(file));
    results_.push_back(std::move(file));
}

void CSkeletonGenerator::Refuse(GeneratedFile::Reason reason) {
    reason_ = reason;
    message_ = ReasonText(reason);
}

bool CSkeletonGenerator::GenerateFile(const std::string& templatePath,
                                      const std::string& outputPath, bool overwrite,
                                      std::string_view dialogName, std::string_view templateType) {
    Refuse(GeneratedFile::Reason::kNone);
    created_ = false;
    CTextFile input;
    if (IsDirectory(templatePath) || !input.Open(templatePath, CTextFile::Mode::kRead)) {
        Refuse(GeneratedFile::Reason::kTemplateUnread);
        return false;
    }
    const bool existed = PathExists(outputPath);
    if (!overwrite && existed) {
        Refuse(GeneratedFile::Reason::kFileExists);
        return false;
    }
    COutputFile output;
    // A path without a folder would be written wherever the program happens
    // to run; it only comes from an empty output folder.
    if (FolderOf(outputPath).empty() || !output.Open(outputPath)) {
        Refuse(GeneratedFile::Reason::kNotWritten);
        return false;
    }
    std::string line;
    std::vector<std::string> lines;
    while (input.ReadLine(line)) {
        lines.clear();
        ExpandLine(line, dialogName, templateType, lines);
        for (const std::string& expanded : lines) {
            output.WriteLine(expanded);
        }
    }
    if (!output.Commit()) {
        Refuse(GeneratedFile::Reason::kNotWritten);
        return false;
    }
    created_ = !existed;
    return true;
}

void CSkeletonGenerator::ExpandLine(std::string_view line, std::string_view dialogName,
                                    std::string_view templateType,
                                    std::vector<std::string>& out) const {
    std::string filled = ReplaceAllSjis(line, kAppName, appName_);
    if (!dialogName.empty()) {
        filled = ReplaceAllSjis(filled, kDialogName, dialogName);
    }
    if (!templateType.empty()) {
        filled = ReplaceAllSjis(filled, kTemplateType, templateType);
    }
    filled = ReplaceAllSjis(filled, kSources, sources_);

    // A marker counts wherever it stands, the first character of the line
    // included.
    if (const std::size_t at = FindSjis(filled, kDialogMarker); at != std::string::npos) {
        filled.erase(at, kDialogMarker.size());
        const CZeDialogDataList& dialogs = project_.GetDialogs();
        for (std::size_t i = 0; i < dialogs.GetCount(); ++i) {
            const std::string copy =
                ReplaceAllSjis(filled, kDialogName, dialogs.GetDialog(i)->GetItem(prop::kName));
            out.push_back(ReplaceAllSjis(copy, kTemplateType,
                                         dialogs.GetDialog(i)->GetItem(prop::kTemplateType)));
        }
        return;
    }
    if (const std::size_t at = FindSjis(filled, kProjectsMarker); at != std::string::npos) {
        filled.erase(at, kProjectsMarker.size());
        for (std::size_t i = 0; i < projectFiles_.size(); ++i) {
            char number[24];
            std::snprintf(number, sizeof number, "%03zu", i);
            out.push_back(
                ReplaceAllSjis(ReplaceAllSjis(filled, kNumber, number), kSource, projectFiles_[i]));
        }
        return;
    }
    out.push_back(std::move(filled));
}

}  // namespace ze
