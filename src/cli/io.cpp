#include <unistd.h>

#include <iostream>
#include <iterator>
#include <vector>

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

ReadFileResult ReadAll(const std::string& path, std::string& bytes, int* error) {
    if (path == "-") {
        return ReadBoundedDescriptor(STDIN_FILENO, bytes, kMaxReadFileBytes, error);
    }
    return ReadBoundedFile(path, bytes, error);
}

std::string ForTerminal(std::string_view sjis) {
    return Cp932ToUtf8(sjis);
}

int ExitStatusOf(LoadOutcome outcome, int failedStatus) {
    return outcome == LoadOutcome::kRefused ? 2 : failedStatus;
}

LoadOutcome LoadProjectFile(CZeResourceData& project, const std::string& path) {
    std::string text;
    int error = 0;
    if (const ReadFileResult read = ReadAll(path, text, &error); read != ReadFileResult::kRead) {
        std::cerr << path << ": " << ReadFailureText(read, error) << '\n';
        return read == ReadFileResult::kNotRegularFile || read == ReadFileResult::kTooLarge
                   ? LoadOutcome::kRefused
                   : LoadOutcome::kFailed;
    }
    std::string report;
    const bool loaded = LoadProjectText(project, path, text, report);
    std::cerr << report;
    return loaded ? LoadOutcome::kLoaded : LoadOutcome::kFailed;
}

bool LoadProjectFiles(const std::vector<std::pair<std::string, CZeResourceData*>>& files) {
    std::vector<std::string> reports(files.size());
    std::vector<char> loaded(files.size(), 0);
    const auto load = [&](std::size_t i) {
        const std::string& path = files[i].first;
        if (path == "/dev/null") {
            loaded[i] = 1;
            return;
        }
        std::string text;
        int error = 0;
        if (const ReadFileResult read = ReadAll(path, text, &error);
            read != ReadFileResult::kRead) {
            reports[i] = path + ": " + ReadFailureText(read, error) + "\n";
            return;
        }
        loaded[i] = LoadProjectText(*files[i].second, path, text, reports[i]) ? 1 : 0;
    };
    // One after the other: a large file's load keeps both cores busy
    // already, and two loads side by side only contend for them.
    for (std::size_t i = 0; i < files.size(); ++i) {
        load(i);
    }
    bool all = true;
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::cerr << reports[i];
        all = all && loaded[i] != 0;
    }
    return all;
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
