#pragma once
// The flag the event listener raises when the keyboard acknowledges a write step. Write-all
// clears it before each step and waits for it, for a bounded time.

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace quenlar {

class WriteAck {
public:
    void clear();
    void set();
    bool isSet() const;
    // How many acknowledgements arrived since the link was made (never reset).
    long count() const;
    // True as soon as the flag is set; false when the time runs out first.
    bool waitFor(std::chrono::milliseconds timeout);

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool set_ = false;
    long count_ = 0;
};

} // namespace quenlar
