#include "model/dialog_feed.h"

#include <new>
#include <system_error>
#include <utility>

#include "model/json_parser.h"
#include "model/property_names.h"
#include "model/resource_reader.h"

namespace ze {

namespace {

// Messages parsed but not yet read; beyond this the parser's thread reads
// the next one itself, so a slow reader does not leave the whole parsed
// tree in memory.
constexpr std::size_t kMostWaiting = 8;

}  // namespace

DialogFeed::DialogFeed(const CZeDialogDataList& existing, bool threaded) : threaded_(threaded) {
    for (std::size_t i = 0; i < existing.GetCount(); ++i) {
        existingNames_.emplace(existing.GetDialog(i)->Items().GetItemView(prop::kName));
    }
}

DialogFeed::~DialogFeed() {
    StopReader();
}

void DialogFeed::ArrayBegins() {
    // A later array replaces the earlier one: its dialogs go.
    StopReader();
    dialogs_.clear();
    names_.clear();
}

void DialogFeed::TakeElement(JsonValue& element) {
    JsonParser cursor;
    cursor.SetCurrent(&element);
    std::string command;
    cursor.GetString("Command", command);
    if (command != "DIALOG" && command != "POPUP") {
        element = JsonValue();
        return;
    }
    std::string name;
    cursor.GetString("Name", name);
    std::string unique =
        CZeDialogDataList::MakeUniqueName(name, [this](std::string_view candidate) {
            const std::string key(candidate);
            return existingNames_.contains(key) || names_.contains(key);
        });
    auto dialog = std::make_unique<CZeDialogData>(unique);
    names_.insert(std::move(unique));
    Job job{dialog.get(), std::move(element)};
    dialogs_.push_back(std::move(dialog));

    if (threaded_ && !reader_.joinable()) {
        try {
            reader_ = std::thread(&DialogFeed::RunReader, this);
        } catch (const std::system_error&) {
            threaded_ = false;  // read here instead
        }
    }
    bool queued = false;
    if (threaded_) {
        FreeReadMessages();
        const std::lock_guard lock(mutex_);
        if (jobs_.size() < kMostWaiting) {
            jobs_.push_back(std::move(job));
            queued = true;
        }
    }
    if (queued) {
        jobAdded_.notify_one();
        return;
    }
    // No reader, or one with enough to do: this thread reads the message
    // itself, and the two share the work whichever of parsing and reading
    // is slower.
    Read(job);
    // The message's part of the tree is given back at once: the elements
    // made from the next ones take that memory.
    job.message = JsonValue();
}

std::vector<std::unique_ptr<CZeDialogData>> DialogFeed::Finish() {
    // The parser is done: its thread takes its share of the last messages
    // instead of waiting while the reader reads them alone.
    ReadWaiting();
    StopReader();
    if (error_) {
        std::rethrow_exception(std::exchange(error_, nullptr));
    }
    return std::move(dialogs_);
}

void DialogFeed::Read(Job& job) {
    JsonParser cursor;
    cursor.SetCurrent(&job.message);
    ReadDialogMessage(*job.dialog, cursor);
}

void DialogFeed::ReadWaiting() {
    if (!reader_.joinable()) {
        return;
    }
    for (;;) {
        Job job{nullptr, JsonValue()};
        {
            const std::lock_guard lock(mutex_);
            if (jobs_.empty() || error_) {
                return;
            }
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        try {
            Read(job);
        } catch (...) {
            const std::lock_guard lock(mutex_);
            error_ = std::current_exception();
            return;
        }
    }
}

void DialogFeed::FreeReadMessages() {
    std::vector<JsonValue> read;
    {
        const std::lock_guard lock(mutex_);
        read.swap(read_);
    }
}

void DialogFeed::RunReader() {
    for (;;) {
        Job job{nullptr, JsonValue()};
        bool failed = false;
        {
            std::unique_lock lock(mutex_);
            jobAdded_.wait(lock, [this] { return !jobs_.empty() || closing_; });
            if (jobs_.empty()) {
                return;
            }
            job = std::move(jobs_.front());
            jobs_.pop_front();
            failed = error_ != nullptr;
        }
        if (!failed) {  // else the load fails; the message is only freed
            try {
                Read(job);
            } catch (...) {
                const std::lock_guard lock(mutex_);
                error_ = std::current_exception();
            }
        }
        const std::lock_guard lock(mutex_);
        try {
            read_.push_back(std::move(job.message));
        } catch (const std::bad_alloc&) {
            // Then it is freed here, at the end of the turn.
        }
    }
}

void DialogFeed::StopReader() {
    if (!reader_.joinable()) {
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        closing_ = true;
    }
    jobAdded_.notify_all();
    reader_.join();
    closing_ = false;
    read_.clear();
}

}  // namespace ze
