#include "render_threads.h"

#include <algorithm>

namespace host {

RenderThreads::RenderThreads(int threadCount) {
    if (threadCount < 1)
        threadCount = int(std::max(1u, std::thread::hardware_concurrency()));
    workers_.reserve(size_t(threadCount - 1));
    for (int i = 1; i < threadCount; ++i)
        workers_.emplace_back([this] { WorkerLoop(); });
}

RenderThreads::~RenderThreads() {
    {
        std::lock_guard<std::mutex> guard(lock_);
        stop_ = true;
    }
    wake_.notify_all();
    for (std::thread& t : workers_)
        t.join();
}

void RenderThreads::RunItems(FunctionRef<void(int)> body, int count) {
    for (int i = next_.fetch_add(1, std::memory_order_relaxed); i < count;
         i = next_.fetch_add(1, std::memory_order_relaxed))
        body(i);
}

void RenderThreads::WorkerLoop() {
    std::uint64_t seen = 0;
    for (;;) {
        const FunctionRef<void(int)>* body;
        int count;
        {
            std::unique_lock<std::mutex> guard(lock_);
            wake_.wait(guard, [&] { return stop_ || generation_ != seen; });
            if (stop_)
                return;
            seen = generation_;
            body = body_;
            count = count_;
        }
        RunItems(*body, count);
        {
            std::lock_guard<std::mutex> guard(lock_);
            if (--busy_ == 0)
                finished_.notify_one();
        }
    }
}

void RenderThreads::ForEach(int count, FunctionRef<void(int)> body) {
    if (count <= 0)
        return;
    std::lock_guard<std::mutex> turn(callerLock_);
    if (workers_.empty() || count == 1) {
        for (int i = 0; i < count; ++i)
            body(i);
        return;
    }
    {
        std::lock_guard<std::mutex> guard(lock_);
        body_ = &body;
        count_ = count;
        busy_ = int(workers_.size());
        next_.store(0, std::memory_order_relaxed);
        ++generation_;
    }
    wake_.notify_all();
    RunItems(body, count);
    std::unique_lock<std::mutex> guard(lock_);
    finished_.wait(guard, [&] { return busy_ == 0; });
    body_ = nullptr;
}

} // namespace host
