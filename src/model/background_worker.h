#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>

namespace ze {

// One thread that outlives the jobs it runs. A large load hands it half of
// its work; as the same thread serves one load after another, the memory it
// freed and the lookups it cached are still there for the next.
class BackgroundWorker {
public:
    // The process's worker, made on first use (again in a forked child, which
    // has none of its parent's threads); null when no thread can be started.
    static BackgroundWorker* Shared();

    // Starts job on the worker and returns its ticket, or returns 0 at once
    // when the worker is busy with another caller's job. The job must not
    // throw.
    std::uint64_t TryStart(std::function<void()> job);
    // Waits until the job with this ticket is done.
    void Wait(std::uint64_t ticket);

private:
    BackgroundWorker() = default;
    void Run();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::function<void()> job_;
    bool busy_ = false;
    std::uint64_t started_ = 0;
    std::uint64_t finished_ = 0;
};

// Calls work(i) once for every i below count, on the calling thread and a
// second one side by side (the shared worker, or a thread of its own when
// the worker is busy), each taking the next index not yet taken; returns
// when all are done. Without a second thread the caller does them all. An
// exception from work comes out of this call, after both threads stopped;
// the indexes not yet taken are then left undone.
void ShareIndexes(std::size_t count, const std::function<void(std::size_t)>& work);

}  // namespace ze
