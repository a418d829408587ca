#pragma once
// The flag the event listener raises when the keyboard acknowledges a write step. Write-all
// clears it before each step and waits for it, for a bounded time. The keyboard acknowledges
// every set command, so a step of several commands (the seven preset colours) waits for as many
// acknowledgements: none of them is left over to be taken for the next step's.

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
    // True as soon as `count` acknowledgements arrived since the last clear(); false when the time
    // runs out first.
    bool waitFor(std::chrono::milliseconds timeout, int count = 1);

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    int pending_ = 0;  // since the last clear()
    long count_ = 0;
};

} // namespace quenlar
