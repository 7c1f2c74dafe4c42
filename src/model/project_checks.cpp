#include "model/project_checks.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <system_error>

#include "common/cp932.h"
#include "model/dialog_data.h"
#include "model/entry_checks.h"
#include "model/item_value_check.h"
#include "model/object_data.h"
#include "model/property_names.h"
#include "model/resource_data.h"
#include "model/schema.h"
#include "model/tree_walk.h"
#include "model/user_text.h"

namespace ze {

namespace {

// The messages, written here in UTF-8 and given out in Shift_JIS, in the
// user's language; "%1" is the value, name or file.
struct Texts {
    static std::string Of(const char* source) { return UserText("Messages", source); }

    unsigned generation = TextTranslatorGeneration();
    std::string quoted = Of(ZE_USER_TEXT("Messages", "値「%1」: "));
    std::string duplicate = Of(ZE_USER_TEXT(
        "Messages",
        "名前「%1」はこのダイアログの別のオブジェクトまたはグループにも付いています。"));
    std::string unknownTarget = Of(ZE_USER_TEXT(
        "Messages", "名前「%1」のオブジェクトまたはグループはこのダイアログにありません。"));
    std::string missingInResources =
        Of(ZE_USER_TEXT("Messages", "ファイル「%1」がプロジェクトの resources にありません。"));
    std::string missingInBuiltIn =
        Of(ZE_USER_TEXT("Messages", "ファイル「%1」が組み込み画像(assets)にありません。"));
    std::string missingAnywhere = Of(ZE_USER_TEXT(
        "Messages",
        "ファイル「%1」がプロジェクトの resources にも組み込み画像(assets)にもありません。"));
    std::string radioOutside =
        Of(ZE_USER_TEXT("Messages",
                        "RADIOBTN が RADIO グループの外にあります。ラジオボタンは RADIO "
                        "グループの中に置いてください。"));
    std::string notChoice =
        Of(ZE_USER_TEXT("Messages", "値「%1」は選択肢にありません。選べる値: "));
    std::string choiceSeparator = Of(ZE_USER_TEXT("Messages", "、"));
    std::string notIdentifier =
        Of(ZE_USER_TEXT("Messages",
                        "名前「%1」は C++ の識別子ではないため、スケルトンのクラス名やファイル名に"
                        "使えません。英字か _ で始め、英数字と _ だけで書いてください。"));
    std::string unused =
        Of(ZE_USER_TEXT("Messages", "ファイル「%1」はプロジェクトのどこからも使われていません。"));
};

// Built once, and again when the language changes.
const Texts& Text() {
    static Texts texts;
    if (texts.generation != TextTranslatorGeneration()) {
        texts = Texts{};
    }
    return texts;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

// Where an item's file is looked for.
enum class FileHome { kNone, kResources, kBuiltIn, kEither };

// STATION: the project's resources; BUILTIN: the built-in images. An empty
// source is either: the built-in grid assigns its images without setting
// one. URI and STORAGE are fetched elsewhere; an unknown source is already
// a bad choice.
FileHome HomeOf(std::string_view source) {
    if (source.empty()) {
        return FileHome::kEither;
    }
    if (EqualIgnoringAsciiCase(source, "STATION")) {
        return FileHome::kResources;
    }
    if (EqualIgnoringAsciiCase(source, "BUILTIN")) {
        return FileHome::kBuiltIn;
    }
    return FileHome::kNone;
}

// "FilePath/File" as an operating-system path, relative to the folder the
// source names.
std::string RelativeFile(std::string_view file, std::string_view folder) {
    std::string path = Cp932ToUtf8(folder);
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    return path + Cp932ToUtf8(file);
}

// The item of a command that names a target in its dialog, or empty.
std::string_view TargetItem(const ZeClass& command) {
    const std::string name = command.GetItem(prop::kCommand);
    if (name == "DELETE") {
        return prop::kName;
    }
    if (name == "NOTIFY") {
        const std::string make = command.GetItem(prop::kMakeCommand);
        return make == "CONDITION" || make == "UPDATE" ? prop::kName : "";
    }
    if (name == "SENDCOMMAND" && command.GetItem(prop::kSendCommand) == "GETFILE") {
        return prop::kObjectName;
    }
    return {};
}

// Whether the command's File item names a file of the project's.
bool NamesFile(const ZeClass& command) {
    const std::string name = command.GetItem(prop::kCommand);
    return name == "OPEN" || name == "SOUND" ||
           (name == "SENDCOMMAND" && command.GetItem(prop::kSendCommand) == "GETFILE");
}

// The File of OPEN and SOUND must be there; GETFILE's comes from the device.
bool MustHaveFile(const ZeClass& command) {
    const std::string name = command.GetItem(prop::kCommand);
    return name == "OPEN" || name == "SOUND";
}

bool IsEventList(const ChoiceList* list) {
    return list == &choices::CommandNames() || list == &choices::Columns();
}

bool InList(const ChoiceList& list, std::string_view value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

// The values a kind-3 or kind-12 item may hold; null when any will do.
const ChoiceList* ChoicesOf(const CItemData& item) {
    static const ChoiceList booleans = {"true", "false"};
    if (item.GetKind() == ItemKind::kBoolean) {
        return &booleans;
    }
    if (item.GetKind() != ItemKind::kChoice || IsEventList(item.GetChoices())) {
        return nullptr;
    }
    return item.GetChoices();
}

std::string ChoiceMessage(std::string_view value, const ChoiceList& list) {
    std::string message = FillIn(Text().notChoice, value);
    for (std::size_t i = 0; i < list.size(); ++i) {
        message += (i == 0 ? "" : Text().choiceSeparator) + list[i];
    }
    return message;
}

// ASCII text without a quote, a backslash or a control byte reads back in
// every kind that is written quoted; so do the plain booleans and integers
// of the bare kinds. Only the rest needs the real round trip.
bool PlainlyReadable(ItemKind kind, std::string_view value) {
    if (kind <= ItemKind::kLastQuoted || value.front() == '$') {
        return std::all_of(value.begin(), value.end(), [](char c) {
            return c >= 0x20 && c < 0x7F && c != '\'' && c != '"' && c != '\\';
        });
    }
    if (value == "true" || value == "false") {
        return true;
    }
    const std::string_view digits = value.front() == '-' ? value.substr(1) : value;
    return !digits.empty() && digits.size() < 10 &&
           std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string_view FormCheck(EntryForm form) {
    switch (form) {
        case EntryForm::kLength:
            return check_id::kBadLength;
        case EntryForm::kOffset:
            return check_id::kBadOffset;
        case EntryForm::kColour:
            return check_id::kBadColour;
        case EntryForm::kNumber:
            return check_id::kBadNumber;
        case EntryForm::kNone:
            break;
    }
    return {};
}

}  // namespace

// The checks of one element's items, and of one dialog's tree.
class DialogCheck {
public:
    DialogCheck(ProjectChecker& checker, std::vector<Finding>& findings,
                std::vector<std::string>* namedFiles)
        : checker_(checker), findings_(findings), namedFiles_(namedFiles) {}

    void Root(const CZeResourceData& project) {
        element_ = &project;
        label_ = "Root = " + project.GetItem(prop::kName);
        Items(project);
    }

    void Dialog(const CZeDialogData& dialog) {
        dialog_ = &dialog;
        dialogName_ = dialog.GetItem(prop::kName);
        CountNames(dialog.GetRootGroup());
        // The walk wants a mutable element; nothing here changes it.
        std::vector<const ZeClass*> ancestors;
        WalkElementTree(const_cast<CZeDialogData&>(dialog), 0, [&](const TreeEntry& entry) {
            ancestors.resize(static_cast<std::size_t>(entry.depth));
            parent_ = ancestors.empty() ? nullptr : ancestors.back();
            element_ = entry.element;
            label_ = entry.label;
            Items(*entry.element);
            ancestors.push_back(entry.element);
        });
    }

private:
    void CountNames(const CObjectData* element) {
        if (element == nullptr) {
            return;
        }
        if (std::string name = element->GetItem(prop::kName); !name.empty()) {
            ++names_[std::move(name)];
        }
        if (const auto* group = dynamic_cast<const CObjectDataList*>(element)) {
            for (const CObjectData* child : group->GetChildren()) {
                CountNames(child);
            }
        }
    }

    void Add(Severity severity, std::string_view check, std::string_view property,
             std::string message) {
        findings_.push_back({severity, check, dialog_, element_, dialogName_, label_,
                             std::string(property), std::move(message), {}});
    }

    void Items(const ZeClass& element) {
        const CItemList& items = element.Items();
        const ElementKind kind = element.GetKind();
        const std::string_view target =
            kind == ElementKind::kCommand ? TargetItem(element) : std::string_view();
        const bool namesFile = kind == ElementKind::kCommand && NamesFile(element);
        for (std::size_t i = 0; i < items.GetItemCount(); ++i) {
            const CItemData& item = items.GetItemData(i);
            const std::string_view value = item.GetValue();
            if (value.empty()) {
                continue;
            }
            const std::string& name = item.GetName();
            Value(item);
            if (name == prop::kName) {
                NameItem(element, value);
            }
            if (name == target) {
                Targets(name, value);
            }
            if (name == prop::kType && value == "RADIOBTN" && parent_ != nullptr &&
                parent_->GetKind() == ElementKind::kGroup &&
                parent_->GetItem(prop::kLayout) != "RADIO") {
                Add(Severity::kError, check_id::kRadioOutsideRadio, name, Text().radioOutside);
            }
            if (item.GetKind() == ItemKind::kImageFile || (namesFile && name == prop::kFile)) {
                File(element, name, value, !namesFile || MustHaveFile(element));
            }
        }
    }

    void Value(const CItemData& item) {
        const std::string_view value = item.GetValue();
        const EntryForm form = FormOf(item.GetName(), item.GetKind());
        if (ValueRefusal refusal = CheckEntryForm(item.GetName(), item.GetKind(), value);
            refusal.refused) {
            Add(Severity::kError, FormCheck(form), item.GetName(), Quoted(value) + refusal.message);
            return;
        }
        if (const ChoiceList* list = ChoicesOf(item);
            list != nullptr && !InList(*list, value) &&
            !(item.GetName() == prop::kType && value == "Unset")) {
            Add(Severity::kError, check_id::kBadChoice, item.GetName(),
                ChoiceMessage(value, *list));
            return;
        }
        if (PlainlyReadable(item.GetKind(), value)) {
            return;
        }
        std::string key = std::to_string(static_cast<std::int32_t>(item.GetKind())) + ':';
        key += value;
        auto [at, added] = checker_.readBack_.try_emplace(std::move(key));
        if (added) {
            at->second = CheckItemValue(item.GetKind(), value).message;
        }
        if (!at->second.empty()) {
            Add(Severity::kError, check_id::kUnreadableValue, item.GetName(),
                Quoted(value) + at->second);
        }
    }

    static std::string Quoted(std::string_view value) { return FillIn(Text().quoted, value); }

    void NameItem(const ZeClass& element, std::string_view value) {
        const ElementKind kind = element.GetKind();
        if (kind == ElementKind::kObject || kind == ElementKind::kGroup) {
            const auto found = names_.find(std::string(value));
            if (found != names_.end() && found->second > 1) {
                Add(Severity::kError, check_id::kDuplicateName, prop::kName,
                    FillIn(Text().duplicate, value));
            }
        }
        const bool makesCode =
            kind == ElementKind::kProject ||
            (kind == ElementKind::kDialog &&
             !EqualIgnoringAsciiCase(element.GetItem(prop::kTemplateType), "NONE"));
        if (makesCode && !IsCppIdentifier(value)) {
            Add(Severity::kError, check_id::kNotIdentifier, prop::kName,
                FillIn(Text().notIdentifier, value));
        }
    }

    void Targets(std::string_view property, std::string_view value) {
        while (true) {
            const std::size_t comma = value.find(',');
            const std::string_view part = Trimmed(value.substr(0, comma));
            if (!part.empty() && names_.find(std::string(part)) == names_.end()) {
                Add(Severity::kWarning, check_id::kUnknownTarget, property,
                    FillIn(Text().unknownTarget, part));
            }
            if (comma == std::string_view::npos) {
                return;
            }
            value.remove_prefix(comma + 1);
        }
    }

    void File(const ZeClass& element, std::string_view property, std::string_view file,
              bool mustExist) {
        const FileHome home = HomeOf(element.GetItem(prop::kFileSource));
        if (home == FileHome::kNone || namedFiles_ == nullptr) {
            return;
        }
        std::string path = RelativeFile(file, element.GetItem(prop::kFilePath));
        const ProjectFiles& files = checker_.files_;
        if (files.scanned && mustExist) {
            const bool inResources = files.resources.count(path) != 0;
            const bool inBuiltIn = files.builtIn.count(path) != 0;
            const bool found = home == FileHome::kResources ? inResources
                               : home == FileHome::kBuiltIn ? inBuiltIn
                                                            : inResources || inBuiltIn;
            if (!found) {
                const std::string& message = home == FileHome::kResources
                                                 ? Text().missingInResources
                                             : home == FileHome::kBuiltIn ? Text().missingInBuiltIn
                                                                          : Text().missingAnywhere;
                Add(Severity::kWarning, check_id::kMissingFile, property,
                    FillIn(message, Utf8ToCp932(path)));
            }
        }
        namedFiles_->push_back(std::move(path));
    }

    ProjectChecker& checker_;
    std::vector<Finding>& findings_;
    std::vector<std::string>* namedFiles_;
    const CZeDialogData* dialog_ = nullptr;
    std::string dialogName_;
    const ZeClass* element_ = nullptr;
    const ZeClass* parent_ = nullptr;
    std::string label_;
    std::unordered_map<std::string, int> names_;
};

std::string_view SeverityName(Severity severity) {
    return severity == Severity::kError ? "error" : "warning";
}

ProjectFiles ProjectFiles::Scan(const std::string& projectFolder,
                                const std::string& builtInFolder) {
    namespace fs = std::filesystem;
    const auto list = [](const fs::path& folder, std::unordered_set<std::string>& into) {
        std::error_code error;
        for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            if (it->is_regular_file(error)) {
                into.insert(it->path().lexically_relative(folder).generic_string());
            }
        }
    };
    ProjectFiles files;
    files.scanned = true;
    if (!projectFolder.empty()) {
        list(fs::path(projectFolder) / "resources", files.resources);
    }
    if (!builtInFolder.empty()) {
        list(fs::path(builtInFolder), files.builtIn);
    }
    return files;
}

ProjectChecker::ProjectChecker(ProjectFiles files) : files_(std::move(files)) {}

void ProjectChecker::CheckAll(const CZeResourceData& project) {
    dialogs_.clear();
    CheckRoot(project);
    const CZeDialogDataList& dialogs = project.GetDialogs();
    for (std::size_t i = 0; i < dialogs.GetCount(); ++i) {
        CheckDialog(*dialogs.GetDialog(i));
    }
}

void ProjectChecker::CheckRoot(const CZeResourceData& project) {
    root_.clear();
    DialogCheck(*this, root_, nullptr).Root(project);
}

void ProjectChecker::CheckDialog(const CZeDialogData& dialog) {
    DialogResult& result = dialogs_[&dialog];
    result = {};
    DialogCheck(*this, result.findings, &result.namedFiles).Dialog(dialog);
}

void ProjectChecker::ForgetDialog(const CZeDialogData& dialog) {
    dialogs_.erase(&dialog);
}

void ProjectChecker::ForgetAll() {
    std::vector<Finding>().swap(root_);
    std::unordered_map<const CZeDialogData*, DialogResult>().swap(dialogs_);
    std::unordered_map<std::string, std::string>().swap(readBack_);
}

std::vector<Finding> ProjectChecker::UnusedFiles() const {
    std::vector<Finding> unused;
    if (!files_.scanned) {
        return unused;
    }
    std::unordered_set<std::string_view> named;
    for (const auto& [dialog, result] : dialogs_) {
        named.insert(result.namedFiles.begin(), result.namedFiles.end());
    }
    std::vector<std::string_view> paths;
    for (const std::string& path : files_.resources) {
        if (named.count(path) == 0) {
            paths.push_back(path);
        }
    }
    std::sort(paths.begin(), paths.end());
    for (const std::string_view path : paths) {
        Finding finding;
        finding.severity = Severity::kWarning;
        finding.check = check_id::kUnusedFile;
        finding.message = FillIn(Text().unused, Utf8ToCp932("resources/" + std::string(path)));
        finding.file = path;
        unused.push_back(std::move(finding));
    }
    return unused;
}

std::vector<Finding> ProjectChecker::Findings(const CZeResourceData& project) const {
    std::vector<Finding> all;
    AppendFindings(project, all);
    return all;
}

void ProjectChecker::AppendFindings(const CZeResourceData& project,
                                    std::vector<Finding>& out) const {
    const CZeDialogDataList& dialogs = project.GetDialogs();
    std::vector<const std::vector<Finding>*> parts;
    parts.reserve(dialogs.GetCount());
    std::vector<Finding> unused = UnusedFiles();
    std::size_t count = root_.size() + unused.size();
    for (std::size_t i = 0; i < dialogs.GetCount(); ++i) {
        const auto found = dialogs_.find(dialogs.GetDialog(i));
        if (found != dialogs_.end()) {
            parts.push_back(&found->second.findings);
            count += found->second.findings.size();
        }
    }
    out.reserve(out.size() + count);
    out.insert(out.end(), root_.begin(), root_.end());
    for (const std::vector<Finding>* part : parts) {
        out.insert(out.end(), part->begin(), part->end());
    }
    out.insert(out.end(), std::make_move_iterator(unused.begin()),
               std::make_move_iterator(unused.end()));
}

FindingCounts ProjectChecker::Counts() const {
    FindingCounts counts;
    const auto count = [&counts](const std::vector<Finding>& findings) {
        for (const Finding& finding : findings) {
            ++(finding.severity == Severity::kError ? counts.errors : counts.warnings);
        }
    };
    count(root_);
    for (const auto& [dialog, result] : dialogs_) {
        count(result.findings);
    }
    count(UnusedFiles());
    return counts;
}

std::vector<Finding> CheckProject(const CZeResourceData& project, const ProjectFiles& files) {
    ProjectChecker checker(files);
    checker.CheckAll(project);
    return checker.Findings(project);
}

bool IsCppIdentifier(std::string_view text) {
    // The keywords of C++20, which no class or file name of the skeleton may be.
    static constexpr std::string_view kKeywords[] = {
        "alignas",       "alignof",     "and",
        "and_eq",        "asm",         "auto",
        "bitand",        "bitor",       "bool",
        "break",         "case",        "catch",
        "char",          "char8_t",     "char16_t",
        "char32_t",      "class",       "compl",
        "concept",       "const",       "consteval",
        "constexpr",     "constinit",   "const_cast",
        "continue",      "co_await",    "co_return",
        "co_yield",      "decltype",    "default",
        "delete",        "do",          "double",
        "dynamic_cast",  "else",        "enum",
        "explicit",      "export",      "extern",
        "false",         "float",       "for",
        "friend",        "goto",        "if",
        "inline",        "int",         "long",
        "mutable",       "namespace",   "new",
        "noexcept",      "not",         "not_eq",
        "nullptr",       "operator",    "or",
        "or_eq",         "private",     "protected",
        "public",        "register",    "reinterpret_cast",
        "requires",      "return",      "short",
        "signed",        "sizeof",      "static",
        "static_assert", "static_cast", "struct",
        "switch",        "template",    "this",
        "thread_local",  "throw",       "true",
        "try",           "typedef",     "typeid",
        "typename",      "union",       "unsigned",
        "using",         "virtual",     "void",
        "volatile",      "wchar_t",     "while",
        "xor",           "xor_eq",
    };
    const auto letter = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    };
    if (text.empty() || !letter(text.front()) ||
        !std::all_of(text.begin(), text.end(),
                     [&letter](char c) { return letter(c) || (c >= '0' && c <= '9'); })) {
        return false;
    }
    return std::find(std::begin(kKeywords), std::end(kKeywords), text) == std::end(kKeywords);
}

}  // namespace ze
