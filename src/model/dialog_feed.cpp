#include "model/dialog_feed.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "model/background_worker.h"
#include "model/json_parser.h"
#include "model/property_names.h"
#include "model/resource_reader.h"

namespace ze {

namespace {

// An array this long or more is read in parts, and in no more than this
// many: each part is a few messages at least, and the two threads meet in
// the middle within one part.
constexpr std::size_t kShortestPart = std::size_t{64} * 1024;
constexpr std::size_t kMostParts = 32;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Whether a message written by this program may begin at at: an object after
// a comma, whose first key is Command.
bool MayBeginMessage(std::string_view text, std::size_t at) {
    std::size_t before = at;
    while (before > 0 && IsSpace(text[before - 1])) {
        --before;
    }
    if (before == 0 || text[before - 1] != ',') {
        return false;
    }
    const std::string_view rest = text.substr(at + 1);
    return rest.starts_with("'Command'") || rest.starts_with("\"Command\"");
}

// The first place at or after from, and before to, where a message may
// begin; npos when there is none.
std::size_t FindMessageStart(std::string_view text, std::size_t from, std::size_t to) {
    while (from < to) {
        const std::size_t brace = text.find('{', from);
        if (brace == std::string_view::npos || brace >= to) {
            return std::string_view::npos;
        }
        if (MayBeginMessage(text, brace)) {
            return brace;
        }
        from = brace + 1;
    }
    return std::string_view::npos;
}

}  // namespace

// Reads the messages of one part into dialogs, on the helper thread.
class DialogFeed::PartReader final : public JsonArrayFeed {
public:
    PartReader(Part& part, std::size_t index, const DialogFeed& feed)
        : part_(part), index_(index), feed_(feed) {}

    void ArrayBegins(const JsonArrayPlace&) override {}
    void TakeElement(JsonValue& element) override {
        if (auto dialog = ReadDialogElement(element)) {
            part_.dialogs.push_back(std::move(dialog));
        }
        element = JsonValue();
    }
    // The parser waits for the part (it goes on from here itself), went
    // past it, or the load is over.
    bool Stopped() const override {
        return feed_.cut_.load(std::memory_order_relaxed) == index_ ||
               feed_.reached_.load(std::memory_order_relaxed) > index_ + 1 ||
               feed_.stopping_.load(std::memory_order_relaxed);
    }

private:
    Part& part_;
    std::size_t index_;
    const DialogFeed& feed_;
};

std::unique_ptr<CZeDialogData> ReadDialogElement(const JsonValue& message) {
    JsonParser cursor;
    cursor.SetCurrent(&message);
    std::string command;
    cursor.GetString("Command", command);
    if (command != "DIALOG" && command != "POPUP") {
        return nullptr;
    }
    std::string name;
    cursor.GetString("Name", name);
    auto dialog = std::make_unique<CZeDialogData>(name);
    ReadDialogMessage(*dialog, cursor);
    return dialog;
}

DialogFeed::DialogFeed(const CZeDialogDataList& existing, bool threaded) : threaded_(threaded) {
    for (std::size_t i = 0; i < existing.GetCount(); ++i) {
        existingNames_.emplace(existing.GetDialog(i)->Items().GetItemView(prop::kName));
    }
}

DialogFeed::~DialogFeed() {
    StopHelper();
}

std::vector<std::size_t> DialogFeed::PartStarts(const JsonArrayPlace& place) {
    std::vector<std::size_t> starts;
    if (place.offset >= place.text.size()) {
        return starts;
    }
    const std::size_t length = place.text.size() - place.offset;
    const std::size_t count = std::min(length / kShortestPart, kMostParts);
    for (std::size_t i = 1; i < count; ++i) {
        const std::size_t from = std::max(place.offset + length / count * i,
                                          starts.empty() ? place.offset : starts.back() + 1);
        const std::size_t to = place.offset + length / count * (i + 1);
        if (const std::size_t start = FindMessageStart(place.text, from, to);
            start != std::string_view::npos) {
            starts.push_back(start);
        }
    }
    return starts;
}

void DialogFeed::ArrayBegins(const JsonArrayPlace& place) {
    // A later array replaces the earlier one: its dialogs go.
    StopHelper();
    dialogs_.clear();
    names_.clear();
    takenOver_ = 0;
    if (!threaded_) {
        return;
    }
    place_ = place;
    for (const std::size_t start : PartStarts(place)) {
        parts_.emplace_back().start = start;
    }
    if (parts_.empty()) {
        return;
    }
    // The shared worker, or a thread of this load's own when another load
    // has the worker.
    BackgroundWorker* worker = BackgroundWorker::Shared();
    if (worker != nullptr) {
        if (const std::uint64_t ticket = worker->TryStart([this] { RunHelper(); })) {
            worker_ = worker;
            ticket_ = ticket;
            return;
        }
    }
    try {
        helper_ = std::thread(&DialogFeed::RunHelper, this);
    } catch (const std::system_error&) {
        parts_.clear();  // the parser reads it all
    }
}

void DialogFeed::TakeElement(JsonValue& element) {
    if (auto dialog = ReadDialogElement(element)) {
        Add(std::move(dialog));
    }
    // The message's part of the tree is given back at once: the elements
    // made from the next ones take that memory.
    element = JsonValue();
}

std::size_t DialogFeed::NextHandOver() const {
    const std::size_t next = reached_.load(std::memory_order_relaxed);
    return next < parts_.size() ? parts_[next].start : kNoHandOver;
}

bool DialogFeed::HandOver(std::size_t offset, JsonElementRun& run) {
    std::unique_lock lock(mutex_);
    std::size_t next = reached_.load(std::memory_order_relaxed);
    // Parts whose start the parser went past began inside a message.
    while (next < parts_.size() && parts_[next].start < offset) {
        ++next;
    }
    const bool atStart = next < parts_.size() && parts_[next].start == offset;
    Part* part = atStart ? &parts_[next] : nullptr;
    if (atStart) {
        ++next;
    }
    reached_.store(next, std::memory_order_relaxed);
    if (part == nullptr || part->state == Part::State::kOpen) {
        return false;  // read here: the helper takes no part before next
    }
    // A part still being read is cut short after the message at hand: the
    // parser reads the rest of it rather than wait for a helper that may be
    // slower, or not running at all.
    cut_.store(next - 1, std::memory_order_relaxed);
    partDone_.wait(lock, [part] { return part->state == Part::State::kDone; });
    if (part->error) {
        std::rethrow_exception(part->error);
    }
    if (!part->run.ok) {
        return false;  // a fault the parser finds again and reports
    }
    for (auto& dialog : part->dialogs) {
        Add(std::move(dialog));
    }
    run = std::move(part->run);
    ++takenOver_;
    return true;
}

void DialogFeed::Add(std::unique_ptr<CZeDialogData> dialog) {
    const std::string given(dialog->Items().GetItemView(prop::kName));
    std::string unique =
        CZeDialogDataList::MakeUniqueName(given, [this](std::string_view candidate) {
            const std::string key(candidate);
            return existingNames_.contains(key) || names_.contains(key);
        });
    if (unique != given) {
        dialog->SetItem(prop::kName, unique);
        renamed_.emplace_back(given, unique);
    }
    names_.insert(std::move(unique));
    dialogs_.push_back(std::move(dialog));
}

void DialogFeed::RunHelper() {
    for (;;) {
        Part* part = nullptr;
        std::size_t index = 0;
        {
            const std::lock_guard lock(mutex_);
            // The last open part the parser has not reached.
            for (std::size_t i = parts_.size(); i-- > reached_.load(std::memory_order_relaxed);) {
                if (parts_[i].state == Part::State::kOpen) {
                    part = &parts_[i];
                    index = i;
                    break;
                }
            }
            if (part == nullptr || stopping_.load(std::memory_order_relaxed)) {
                return;
            }
            part->state = Part::State::kTaken;
        }
        const std::size_t stopAt =
            index + 1 < parts_.size() ? parts_[index + 1].start : kNoHandOver;
        PartReader reader(*part, index, *this);
        JsonElementRun run;
        std::exception_ptr error;
        try {
            run = ReadJsonElements(place_, part->start, reader, stopAt);
        } catch (...) {
            error = std::current_exception();
        }
        {
            const std::lock_guard lock(mutex_);
            part->run = std::move(run);
            part->error = error;
            part->state = Part::State::kDone;
        }
        partDone_.notify_all();
    }
}

void DialogFeed::StopHelper() {
    stopping_.store(true, std::memory_order_relaxed);
    if (worker_ != nullptr) {
        worker_->Wait(ticket_);
        worker_ = nullptr;
    }
    if (helper_.joinable()) {
        helper_.join();
    }
    stopping_.store(false, std::memory_order_relaxed);
    parts_.clear();
    reached_.store(0, std::memory_order_relaxed);
    cut_.store(kNoHandOver, std::memory_order_relaxed);
}

std::vector<std::unique_ptr<CZeDialogData>> DialogFeed::Finish() {
    StopHelper();
    return std::move(dialogs_);
}

}  // namespace ze
