#pragma once

#include <functional>

namespace qln {

// Lets the event loop call back when a file descriptor becomes readable (or hangs up): a child process's pidfd,
// a signal descriptor, a pipe.  The loop keeps sleeping until then; nothing polls.
class IDescriptorWatch {
public:
    virtual ~IDescriptorWatch() = default;
    // The watch stays until removed; onReady runs on the loop's thread, between messages.
    virtual int watchFd(int fd, std::function<void()> onReady) = 0;
    virtual void unwatchFd(int id) = 0;
};

// A watch for the length of a scope, removed however the scope is left.
class ScopedFdWatch {
public:
    ScopedFdWatch(IDescriptorWatch& watch, int fd, std::function<void()> onReady)
        : watch_(watch), id_(watch.watchFd(fd, std::move(onReady))) {}
    ~ScopedFdWatch() { watch_.unwatchFd(id_); }
    ScopedFdWatch(const ScopedFdWatch&) = delete;
    ScopedFdWatch& operator=(const ScopedFdWatch&) = delete;

private:
    IDescriptorWatch& watch_;
    int id_;
};

}  // namespace qln
