#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/read_file.h"
#include "model/dialog_data.h"
#include "model/editing/project_observer.h"
#include "model/json_parser.h"
#include "model/message_sink.h"
#include "model/mo_stream.h"
#include "model/ze_class.h"

namespace ze {

class Selection;

// What a load found beyond success, for callers that tell the user
// themselves.
struct LoadDetails {
    // The text was a whole project (a "Commands" list), not one message.
    bool wholeProject = false;
    // The parser's report when the text did not parse; it then goes here
    // instead of to the message sink.
    std::string errorReport;
    // Why the file was not read (kRead when it was): a path that is not a
    // regular file or a file over kMaxReadFileBytes is refused unread.
    ReadFileResult readResult = ReadFileResult::kRead;
    // The system's error number of a failed read (see ReadBoundedFile).
    int readError = 0;
    // The dialogs read under another name because theirs was taken (by a
    // dialog of the project or one read before them): the name in the text
    // and the name given (Shift_JIS), in the order read.
    std::vector<std::pair<std::string, std::string>> renamed;
};

// The project root: the application's Name and device size, and the dialogs.
// The main window holds one for its whole life.
class CZeResourceData : public ZeClass {
public:
    CZeResourceData();
    ~CZeResourceData() override;

    CZeDialogDataList& GetDialogs() { return dialogs_; }
    const CZeDialogDataList& GetDialogs() const { return dialogs_; }

    // Messages for the user (a parse error of a loaded text) go here; without
    // a sink they are dropped.
    void SetMessageSink(MessageSink* sink) { messageSink_ = sink; }
    MessageSink* GetMessageSink() const { return messageSink_; }

    // Takes every dialog out and gives the root a new project's items, so
    // that nothing of this project is left in it; the caller destroys the
    // dialogs (after telling the observers, see model/editing/tree_edits.h).
    // keepRootItems keeps the root's items as they are.
    std::vector<std::unique_ptr<CZeDialogData>> TakeEverything(bool keepRootItems = false);

    // Who is told of every edit (see model/editing).
    ProjectObservers& Observers() { return observers_; }
    const ProjectObservers& Observers() const { return observers_; }
    // What the user is working on (see model/editing/selection.h).
    Selection& GetSelection() { return *selection_; }
    const Selection& GetSelection() const { return *selection_; }

    // Reads a project or dialog file into this project, adding its dialogs.
    // False, and nothing changed, when the file cannot be read or parsed.
    bool LoadFile(const std::filesystem::path& path, LoadDetails* details = nullptr);
    bool LoadText(std::string_view text, LoadDetails* details = nullptr);
    // Applies the message at the parser's current value: DIALOG and POPUP add
    // a dialog (with the first step of its history), HELLO, CHANGE and
    // CONDITION are accepted and change nothing, anything else is refused
    // (false).
    // A dialog renamed to keep names unique is added to details' renamed.
    bool ReadCommand(JsonParser& parser, LoadDetails* details = nullptr);

    // Writes the project envelope with every dialog, or only the one named
    // filter. The file is replaced only once every byte is written; false
    // when it could not be, with the system's error number in error (when
    // given). A target that is no regular file (a device, a pipe) is written
    // in place, a folder refused (EISDIR).
    bool SaveToFile(const std::filesystem::path& path, std::string_view filter,
                    int* error = nullptr) const;
    // SaveToFile, then tells the user through the message sink:
    // "ファイルを保存しました。" (information) or "ファイルを保存できませんでした。"
    // (warning). The save commands of the editor call this.
    bool SaveToFileAndTell(const std::filesystem::path& path, std::string_view filter) const;
    bool WriteProject(CMoStream& stream, std::string_view filter) const;

private:
    CZeDialogDataList dialogs_;
    // The size of the last whole text written (or of the projects read since):
    // the next whole write reserves about as much, which spares a large
    // project's text its regrowth.
    mutable std::size_t wholeTextSize_ = 0;
    MessageSink* messageSink_ = nullptr;
    ProjectObservers observers_;
    // After the observers: the selection is the first of them, so that it
    // has followed a change before any view is told of it.
    std::unique_ptr<Selection> selection_;
};

}  // namespace ze
