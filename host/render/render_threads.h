// The renderer's one pool of render threads. The threads are started once and reused for every
// frame and pass; the calling thread works alongside them, so a pool of one runs everything on
// the caller. Host-internal.
#pragma once

#include "function_ref.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace host {

class RenderThreads {
public:
    // threadCount < 1 takes one thread per core.
    explicit RenderThreads(int threadCount = 0);
    ~RenderThreads();
    RenderThreads(const RenderThreads&) = delete;
    RenderThreads& operator=(const RenderThreads&) = delete;

    int Count() const { return int(workers_.size()) + 1; }

    // Calls body(i) once for every i in [0, count), spread over the threads, and returns when
    // all calls are done. body must not throw. Calls from several threads take turns.
    void ForEach(int count, FunctionRef<void(int)> body);

private:
    void WorkerLoop();
    void RunItems(FunctionRef<void(int)> body, int count);

    std::vector<std::thread> workers_;
    std::mutex callerLock_; // one ForEach at a time
    std::mutex lock_;       // guards the job fields below
    std::condition_variable wake_, finished_;
    std::uint64_t generation_ = 0; // counts jobs; a worker runs each generation once
    const FunctionRef<void(int)>* body_ = nullptr;
    int count_ = 0;
    int busy_ = 0; // workers still on the current job
    bool stop_ = false;
    std::atomic<int> next_{0}; // the next item to hand out
};

} // namespace host
