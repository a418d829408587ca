#include "device/KeyEventListener.h"

#include <array>
#include <chrono>

namespace quenlar {

void KeyEventListener::start(HidHandle &eventHandle, HostActionHandler onHostAction) {
    if (thread_.joinable())
        return;
    onHostAction_ = std::move(onHostAction);
    listenerStop_ = false;
    thread_ = std::thread([this, &eventHandle] { run(eventHandle); });
}

void KeyEventListener::stop() {
    listenerStop_ = true;
    if (thread_.joinable())
        thread_.join();
}

void KeyEventListener::run(HidHandle &eventHandle) {
    while (!listenerStop_) {
        std::array<uint8_t, 4> report{kEventReportId, 0, 0, 0};
        const int n = eventHandle.read(report, pollMs_);
        if (n == 0)
            continue;
        if (n < 0) {
            // The interface failed (the keyboard went away). Deliver nothing and keep polling at
            // the usual pace until the link is closed, rather than spinning on the error.
            std::this_thread::sleep_for(std::chrono::milliseconds(pollMs_));
            continue;
        }
        trace_.eventReceived(report);
        if (report[1] == kAcknowledgementType)
            ack_.set();
        else if (onHostAction_)
            onHostAction_(report[2]);
    }
}

} // namespace quenlar
