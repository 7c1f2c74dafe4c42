#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_set>
#include <utility>
#include <vector>

#include "model/background_worker.h"
#include "model/dialog_data.h"
#include "model/json_syntax.h"

namespace ze {

// Makes dialogs of the messages of a project's "Commands" array while the
// parser is still reading the text. Each DIALOG or POPUP message is read into
// its dialog as soon as it is parsed, and freed: the whole parsed tree never
// exists at once. Other messages are dropped. Dialogs are named in the file's
// order, made unique.
//
// Threaded, a large array is read from both ends at once. The feed guesses
// where messages begin at even steps through the text (where a message
// written by this program begins: an object after a comma whose first key is
// "Command"), and a helper thread parses and reads the parts from the last
// one backwards while the parser goes on from the front. The parser takes a
// part over only where it finds a message to begin exactly at the part's
// start itself; there the helper read what the parser would have read. A
// part it passes is given up and read by the parser, and the part the helper
// is still reading when the parser gets there ends after the message at hand,
// the parser reading the rest. So both threads parse and read whole messages
// each, on their own memory, neither waits long for the other, and the result
// never depends on a guess.
class DialogFeed final : public JsonArrayFeed {
public:
    // Names are made unique against existing's dialogs and each other.
    // Threaded: with a helper thread for large arrays; otherwise each message
    // is read as it arrives.
    DialogFeed(const CZeDialogDataList& existing, bool threaded);
    // Stops the helper; the dialogs not taken are destroyed.
    ~DialogFeed() override;
    DialogFeed(const DialogFeed&) = delete;
    DialogFeed& operator=(const DialogFeed&) = delete;

    void ArrayBegins(const JsonArrayPlace& place) override;
    void TakeElement(JsonValue& element) override;
    std::size_t NextHandOver() const override;
    bool HandOver(std::size_t offset, JsonElementRun& run) override;

    // Hands the dialogs over in order. (An exception a read threw on the
    // helper thread, in a part the parser takes over, is thrown from
    // HandOver, out of the parse, as one thrown on the parser's thread is.)
    std::vector<std::unique_ptr<CZeDialogData>> Finish();

    // The dialogs renamed so far, each as (the name in the text, the name
    // given), in the order they were handed over.
    std::vector<std::pair<std::string, std::string>> TakeRenamed() { return std::move(renamed_); }

    // How many parts read by the helper the parser took over in the last
    // array.
    std::size_t PartsTakenOver() const { return takenOver_; }

    // The offsets where parts of the array that begins at place would start:
    // increasing, each where a message may begin. Empty for a small array.
    static std::vector<std::size_t> PartStarts(const JsonArrayPlace& place);

private:
    // A stretch of the array from a guessed message start.
    struct Part {
        enum class State { kOpen, kTaken, kDone };
        std::size_t start = 0;
        State state = State::kOpen;
        JsonElementRun run;
        // Named as the messages name them; unique names come when the
        // parser takes the part over.
        std::vector<std::unique_ptr<CZeDialogData>> dialogs;
        std::exception_ptr error;
    };
    class PartReader;

    void Add(std::unique_ptr<CZeDialogData> dialog);
    void RunHelper();
    void StopHelper();

    std::vector<std::unique_ptr<CZeDialogData>> dialogs_;
    std::unordered_set<std::string> existingNames_;
    std::unordered_set<std::string> names_;
    std::vector<std::pair<std::string, std::string>> renamed_;
    bool threaded_;

    // Fixed while the helper runs; their states change under mutex_.
    JsonArrayPlace place_;
    std::vector<Part> parts_;
    // The first part the parser has not reached yet. The helper takes only
    // parts from here on, and stops a run the parser passed.
    std::atomic<std::size_t> reached_{0};
    // The part the parser waits for: the helper ends it after the message
    // at hand.
    std::atomic<std::size_t> cut_{kNoHandOver};
    std::atomic<bool> stopping_{false};
    std::size_t takenOver_ = 0;
    // Runs RunHelper: the shared worker with this ticket, or a thread of
    // the feed's own.
    BackgroundWorker* worker_ = nullptr;
    std::uint64_t ticket_ = 0;
    std::thread helper_;
    std::mutex mutex_;
    std::condition_variable partDone_;
};

// Makes a dialog of a DIALOG or POPUP message, named as the message names
// it; null for any other message.
std::unique_ptr<CZeDialogData> ReadDialogElement(const JsonValue& message);

}  // namespace ze
