#include <unistd.h>

#include <iostream>

#include "cli/commands.h"
#include "common/cp932.h"
#include "common/read_file.h"
#include "model/message_sink.h"
#include "model/resource_data.h"

namespace ze::cli {

namespace {

// Keeps what the model wants the user to see until the caller prints it.
class CollectingSink : public MessageSink {
public:
    void ShowMessage(const std::string& text, MessageIcon /*icon*/) override { text_ += text; }
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

}  // namespace

ReadFileResult ReadAll(const std::string& path, std::string& bytes) {
    if (path == "-") {
        return ReadBoundedDescriptor(STDIN_FILENO, bytes);
    }
    return ReadBoundedFile(path, bytes);
}

std::string ForTerminal(std::string_view sjis) {
    return Cp932ToUtf8(sjis);
}

int ExitStatusOf(LoadOutcome outcome, int failedStatus) {
    return outcome == LoadOutcome::kRefused ? 2 : failedStatus;
}

LoadOutcome LoadProjectFile(CZeResourceData& project, const std::string& path) {
    std::string text;
    if (const ReadFileResult read = ReadAll(path, text); read != ReadFileResult::kRead) {
        std::cerr << path << ": " << ReadFailureText(read) << '\n';
        return read == ReadFileResult::kNotRegularFile || read == ReadFileResult::kTooLarge
                   ? LoadOutcome::kRefused
                   : LoadOutcome::kFailed;
    }
    std::string report;
    const bool loaded = LoadProjectText(project, path, text, report);
    std::cerr << report;
    return loaded ? LoadOutcome::kLoaded : LoadOutcome::kFailed;
}

bool LoadProjectText(CZeResourceData& project, const std::string& path, std::string_view text,
                     std::string& report) {
    CollectingSink sink;
    MessageSink* previous = project.GetMessageSink();
    project.SetMessageSink(&sink);
    const bool loaded = project.LoadText(text);
    project.SetMessageSink(previous);
    report.clear();
    if (!loaded) {
        // The report quotes the file, which may hold UTF-8, Shift_JIS or
        // neither: shown as the editor's load error dialog shows it, a byte
        // that is no character as "(hex)" rather than dropped.
        report = path + ":\n" + BytesToReadableUtf8(sink.Text());
    }
    return loaded;
}

}  // namespace ze::cli
