#include "device/WriteAck.h"

namespace quenlar {

void WriteAck::clear() {
    std::lock_guard lock(mutex_);
    set_ = false;
}

void WriteAck::set() {
    {
        std::lock_guard lock(mutex_);
        set_ = true;
        ++count_;
    }
    changed_.notify_all();
}

bool WriteAck::isSet() const {
    std::lock_guard lock(mutex_);
    return set_;
}

long WriteAck::count() const {
    std::lock_guard lock(mutex_);
    return count_;
}

bool WriteAck::waitFor(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [this] { return set_; });
}

} // namespace quenlar
