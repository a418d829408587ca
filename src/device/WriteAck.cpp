#include "device/WriteAck.h"

namespace quenlar {

void WriteAck::clear() {
    std::lock_guard lock(mutex_);
    pending_ = 0;
}

void WriteAck::set() {
    {
        std::lock_guard lock(mutex_);
        ++pending_;
        ++count_;
    }
    changed_.notify_all();
}

bool WriteAck::isSet() const {
    std::lock_guard lock(mutex_);
    return pending_ > 0;
}

long WriteAck::count() const {
    std::lock_guard lock(mutex_);
    return count_;
}

bool WriteAck::waitFor(std::chrono::milliseconds timeout, int count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return pending_ >= count; });
}

} // namespace quenlar
