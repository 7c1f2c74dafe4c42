#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

#include "model/dialog_data.h"
#include "model/json_syntax.h"

namespace ze {

// Makes dialogs of the messages of a project's "Commands" array while the
// parser is still reading the text. Each DIALOG or POPUP message is named at
// once, in the file's order, and then read into its dialog and freed: on the
// feed's reader thread when it has one and that is not busy, else on the
// parser's. Parsing and reading so run side by side, and the whole parsed
// tree never exists at once. Other messages are dropped.
class DialogFeed final : public JsonArrayFeed {
public:
    // Names are made unique against existing's dialogs and each other.
    // Threaded: with a reader thread besides; otherwise each message is read
    // as it arrives.
    DialogFeed(const CZeDialogDataList& existing, bool threaded);
    // Waits for the reading thread; the dialogs not taken are destroyed.
    ~DialogFeed() override;
    DialogFeed(const DialogFeed&) = delete;
    DialogFeed& operator=(const DialogFeed&) = delete;

    void ArrayBegins() override;
    void TakeElement(JsonValue& element) override;

    // Waits until every dialog is read and hands them over in order. An
    // exception a read threw on the other thread is thrown here.
    std::vector<std::unique_ptr<CZeDialogData>> Finish();

private:
    struct Job {
        CZeDialogData* dialog;
        JsonValue message;
    };

    static void Read(Job& job);
    void RunReader();
    // Frees the messages the reader is done with.
    void FreeReadMessages();
    // Reads the messages that wait on this thread, beside the reader, until
    // none is left or a read failed.
    void ReadWaiting();
    // Lets the reader finish what it has and waits for it.
    void StopReader();

    std::vector<std::unique_ptr<CZeDialogData>> dialogs_;
    std::unordered_set<std::string> existingNames_;
    std::unordered_set<std::string> names_;
    bool threaded_;

    std::thread reader_;
    std::mutex mutex_;
    std::condition_variable jobAdded_;
    std::deque<Job> jobs_;
    // Read messages go back to the parser's thread to be freed: freed there
    // they stay with the memory the parser takes its next ones from, and
    // the two threads do not contend for it.
    std::vector<JsonValue> read_;
    bool closing_ = false;
    std::exception_ptr error_;
};

}  // namespace ze
