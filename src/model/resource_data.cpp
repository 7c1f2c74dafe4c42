#include "model/resource_data.h"

#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <system_error>
#include <thread>

#include "common/read_file.h"
#include "model/dialog_feed.h"
#include "model/editing/selection.h"
#include "model/event_text.h"
#include "model/item_writing.h"
#include "model/property_names.h"
#include "model/resource_reader.h"
#include "model/schema.h"
#include "model/user_text.h"

namespace ze {

namespace {

// A name beside the target that no other save of this process uses.
std::filesystem::path TemporaryPathBeside(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    std::filesystem::path temporary = target;
    temporary += ".save-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    return temporary;
}

}  // namespace

CZeResourceData::CZeResourceData()
    : ZeClass(ElementKind::kProject), selection_(std::make_unique<Selection>(*this)) {
    AddProjectItems(Items());
}

CZeResourceData::~CZeResourceData() = default;

std::vector<std::unique_ptr<CZeDialogData>> CZeResourceData::TakeEverything(bool keepRootItems) {
    if (!keepRootItems) {
        CItemList fresh;
        AddProjectItems(fresh);
        Items() = std::move(fresh);
    }
    // A large project's size would otherwise be reserved for every later
    // write of the small one that follows.
    wholeTextSize_ = 0;
    return dialogs_.TakeAll();
}

bool CZeResourceData::LoadFile(const std::filesystem::path& path, LoadDetails* details) {
    std::string text;
    int error = 0;
    if (const ReadFileResult read = ReadBoundedFile(path, text, &error);
        read != ReadFileResult::kRead) {
        if (details != nullptr) {
            details->readResult = read;
            details->readError = error;
        }
        return false;
    }
    return LoadText(text, details);
}

bool CZeResourceData::LoadText(std::string_view text, LoadDetails* details) {
    // The dialogs of a project are read while the parser goes on; a large
    // project's array of dialogs is parsed and read from both ends at once.
    constexpr std::size_t kThreadedFrom = std::size_t{256} * 1024;
    DialogFeed feed(dialogs_,
                    text.size() >= kThreadedFrom && std::thread::hardware_concurrency() > 1);
    JsonParser parser;
    if (!parser.Parse(text, "Commands", feed)) {
        if (details != nullptr) {
            details->errorReport = parser.GetErrorText();
        } else if (messageSink_ != nullptr) {
            messageSink_->ShowMessage(parser.GetErrorText(), MessageIcon::kNone);
        }
        return false;
    }
    if (!parser.IsArray("Commands")) {
        // A single message, such as one dialog. Its own keys are not project
        // properties: the root group's text under "Object" would otherwise be
        // stored as a property and make the next saved project unreadable.
        ReadCommand(parser, details);
        return true;
    }
    if (details != nullptr) {
        details->wholeProject = true;
    }
    // A project read into this one is written out with it next.
    wholeTextSize_ += text.size();
    ReadProperties(*this, parser, [](std::string_view key) {
        return key == "Commands" || key == prop::kCommand || IsEventKey(key);
    });
    for (auto& dialog : feed.Finish()) {
        dialogs_.AddDialog(std::move(dialog));
    }
    if (details != nullptr) {
        details->renamed = feed.TakeRenamed();
    }
    return true;
}

bool CZeResourceData::ReadCommand(JsonParser& parser, LoadDetails* details) {
    std::string command;
    parser.GetString("Command", command);
    if (command == "HELLO" || command == "CHANGE" || command == "CONDITION") {
        return true;
    }
    if (command != "DIALOG" && command != "POPUP") {
        return false;
    }
    std::string name;
    parser.GetString("Name", name);
    const std::string unique = dialogs_.MakeUniqueName(name);
    if (details != nullptr && unique != name) {
        details->renamed.emplace_back(name, unique);
    }
    auto dialog = std::make_unique<CZeDialogData>(unique);
    ReadDialogMessage(*dialog, parser);
    dialogs_.AddDialog(std::move(dialog));
    return true;
}

bool CZeResourceData::WriteProject(CMoStream& stream, std::string_view filter) const {
    const std::size_t start = stream.Written();
    if (filter.empty()) {
        stream.Reserve(wholeTextSize_ + wholeTextSize_ / 16);
    }
    stream.Write("{", 1);
    if (WriteItemsJoined(stream, Items())) {
        stream.Write(",", 1);
    }
    stream.Write("'Commands':[\n");
    dialogs_.WriteDialogs(stream, filter);
    stream.Write("]}\n");
    if (filter.empty()) {
        wholeTextSize_ = stream.Written() - start;
    }
    return true;
}

bool CZeResourceData::SaveToFile(const std::filesystem::path& path, std::string_view filter,
                                 int* error) const {
    int ignored = 0;
    int& failure = error != nullptr ? *error : ignored;
    failure = 0;
    std::error_code code;
    const std::filesystem::file_status target = std::filesystem::status(path, code);
    if (std::filesystem::is_directory(target)) {
        failure = EISDIR;
        return false;
    }
    if (std::filesystem::exists(target) && !std::filesystem::is_regular_file(target)) {
        // A device or a pipe (/dev/stdout) is written as it is: a file renamed
        // over it would take the device's place.
        CMoStream stream;
        if (!stream.Open(path)) {
            failure = stream.Error();
            return false;
        }
        WriteProject(stream, filter);
        if (!stream.Close()) {
            failure = stream.Error();
            return false;
        }
        return true;
    }
    // Write a file beside the target and put it in place only when every byte
    // is on the disk, so a failed save never leaves a half-written project.
    const std::filesystem::path temporary = TemporaryPathBeside(path);
    CMoStream stream;
    if (!stream.Open(temporary)) {
        failure = stream.Error();
        return false;
    }
    WriteProject(stream, filter);
    const bool synced = stream.Sync();
    const bool closed = stream.Close();
    if (synced && closed) {
        if (std::filesystem::exists(target)) {
            std::filesystem::permissions(temporary, target.permissions(), code);
        }
        std::filesystem::rename(temporary, path, code);
        if (!code) {
            return true;
        }
        failure = code.value();
    } else {
        failure = stream.Error();
    }
    std::filesystem::remove(temporary, code);
    return false;
}

bool CZeResourceData::SaveToFileAndTell(const std::filesystem::path& path,
                                        std::string_view filter) const {
    const bool ok = SaveToFile(path, filter);
    if (messageSink_ != nullptr) {
        messageSink_->ShowMessage(
            ok ? UserText("Messages", ZE_USER_TEXT("Messages", "ファイルを保存しました。"))
               : UserText("Messages", ZE_USER_TEXT("Messages", "ファイルを保存できませんでした。")),
            ok ? MessageIcon::kInformation : MessageIcon::kWarning);
    }
    return ok;
}

}  // namespace ze
