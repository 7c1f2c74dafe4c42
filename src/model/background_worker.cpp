#include "model/background_worker.h"

#include <unistd.h>

#include <atomic>
#include <exception>
#include <system_error>
#include <thread>
#include <utility>

namespace ze {

BackgroundWorker* BackgroundWorker::Shared() {
    static std::mutex making;
    static BackgroundWorker* worker = nullptr;
    static pid_t madeIn = 0;
    const std::lock_guard lock(making);
    if (worker == nullptr || madeIn != ::getpid()) {
        // A worker made before a fork is left as it is: its thread is not in
        // this process, and its lock may have been held when it forked.
        auto* made = new BackgroundWorker;
        try {
            std::thread(&BackgroundWorker::Run, made).detach();
        } catch (const std::system_error&) {
            delete made;
            return nullptr;
        }
        worker = made;
        madeIn = ::getpid();
    }
    return worker;
}

std::uint64_t BackgroundWorker::TryStart(std::function<void()> job) {
    std::uint64_t ticket = 0;
    {
        const std::lock_guard lock(mutex_);
        if (busy_) {
            return 0;
        }
        busy_ = true;
        job_ = std::move(job);
        ticket = ++started_;
    }
    changed_.notify_all();
    return ticket;
}

void BackgroundWorker::Wait(std::uint64_t ticket) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this, ticket] { return finished_ >= ticket; });
}

void BackgroundWorker::Run() {
    // The worker lives as long as the process; it is never destroyed.
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return job_ != nullptr; });
        std::function<void()> job = std::move(job_);
        job_ = nullptr;
        lock.unlock();
        job();
        job = nullptr;
        lock.lock();
        busy_ = false;
        ++finished_;
        changed_.notify_all();
    }
}

void ShareIndexes(std::size_t count, const std::function<void(std::size_t)>& work) {
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::exception_ptr besideFault;
    const auto take = [&] {
        for (std::size_t i = next++; i < count && !failed.load(std::memory_order_relaxed);
             i = next++) {
            work(i);
        }
    };
    const auto beside = [&] {
        try {
            take();
        } catch (...) {
            besideFault = std::current_exception();
            failed = true;
        }
    };
    BackgroundWorker* worker = count > 1 ? BackgroundWorker::Shared() : nullptr;
    std::uint64_t ticket = worker != nullptr ? worker->TryStart(beside) : 0;
    std::thread own;
    if (ticket == 0 && count > 1) {
        try {
            own = std::thread(beside);
        } catch (const std::system_error&) {
            // The caller does them all.
        }
    }
    try {
        take();
    } catch (...) {
        failed = true;
        if (ticket != 0) {
            worker->Wait(ticket);
        }
        if (own.joinable()) {
            own.join();
        }
        throw;
    }
    if (ticket != 0) {
        worker->Wait(ticket);
    }
    if (own.joinable()) {
        own.join();
    }
    if (besideFault) {
        std::rethrow_exception(besideFault);
    }
}

}  // namespace ze
