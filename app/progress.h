// A one-line progress bar on standard error, shown only when it is a terminal.
#pragma once

#include <cstdio>
#include <mutex>
#include <string>
#include <unistd.h>

namespace app {

class Progress {
public:
    explicit Progress(std::string label) : label_(std::move(label)), shown_(isatty(2) != 0) {}
    ~Progress() { Done(); }

    // Thread-safe; redraws only when the shown percentage changes.
    void Update(double fraction) {
        if (!shown_)
            return;
        const int percent = fraction <= 0 ? 0 : fraction >= 1 ? 100 : int(fraction * 100);
        std::lock_guard<std::mutex> hold(lock_);
        if (percent == last_)
            return;
        last_ = percent;
        constexpr int barWidth = 30;
        const int filled = percent * barWidth / 100;
        std::fprintf(stderr, "\r%s [%s%s] %3d%%", label_.c_str(), std::string(filled, '#').c_str(),
                     std::string(barWidth - filled, '.').c_str(), percent);
        std::fflush(stderr);
    }
    void Done() {
        std::lock_guard<std::mutex> hold(lock_);
        if (shown_ && last_ >= 0)
            std::fprintf(stderr, "\n");
        last_ = -1;
        shown_ = false;
    }

private:
    std::string label_;
    bool shown_;
    int last_ = -1;
    std::mutex lock_;
};

} // namespace app
