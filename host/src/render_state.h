// Which kinds of render are running, for CheckIsRunning. The renderer marks its render for
// the time it runs.
#pragma once

#include "c4d_render.h"

#include <atomic>

namespace host {

class RenderState {
public:
    static Bool Running(CHECKISRUNNING type) { return counter(type).load() > 0; }

    // Marks a render of one kind as running for the scope's lifetime.
    class Scope {
    public:
        explicit Scope(CHECKISRUNNING type) : type_(type) { ++counter(type_); }
        ~Scope() { --counter(type_); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        CHECKISRUNNING type_;
    };

private:
    static std::atomic<int>& counter(CHECKISRUNNING type) {
        static std::atomic<int> external{0}, editor{0};
        return type == CHECKISRUNNING_EDITORRENDERING ? editor : external;
    }
};

} // namespace host
