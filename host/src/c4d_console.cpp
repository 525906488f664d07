#include "c4d_console.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {

// Guards the capture chain and the writes to standard error, so every line leaves whole.
std::mutex consoleMutex;
host::ConsoleCapture* activeCapture = nullptr;

} // namespace

void GePrint(const String& text) {
    std::lock_guard lock(consoleMutex);
    if (activeCapture) {
        activeCapture->lines_.push_back(text.GetStdString());
        return;
    }
    std::string line = text.GetStdString();
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

void GeDebugStop(const char* message) {
#ifndef NDEBUG
    std::fprintf(stderr, "Debug stop: %s\n", message ? message : "");
    std::abort();
#else
    (void)message;
#endif
}

namespace host {

ConsoleCapture::ConsoleCapture() {
    std::lock_guard lock(consoleMutex);
    previous_ = activeCapture;
    activeCapture = this;
}

ConsoleCapture::~ConsoleCapture() {
    std::lock_guard lock(consoleMutex);
    // Captures normally end newest first; one that ends out of order is unlinked from the chain.
    if (activeCapture == this) {
        activeCapture = previous_;
        return;
    }
    for (ConsoleCapture* c = activeCapture; c; c = c->previous_) {
        if (c->previous_ == this) {
            c->previous_ = previous_;
            return;
        }
    }
}

std::vector<std::string> ConsoleCapture::Lines() const {
    std::lock_guard lock(consoleMutex);
    return lines_;
}

} // namespace host
