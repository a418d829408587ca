#pragma once
// Watches the keyboard's event interface on its own thread. The keyboard sends 4-byte input
// reports there:
//
//   byte 0  report id 4
//   byte 1  4 = acknowledgement of a write step; anything else = a key asks the computer to act
//   byte 2  for a request: the action code (the key's virtual-key code)
//   byte 3  unused
//
// Acknowledgements raise WriteAck. Requests are handed over, in the order they arrived and
// without waiting, through the host-action callback (the window posts them to itself). The thread
// wakes at least every 200 ms to notice a stop request.

#include "device/HidTransport.h"
#include "device/ReportTrace.h"
#include "device/WriteAck.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

namespace quenlar {

inline constexpr int kListenerPollMs = 200;
inline constexpr uint8_t kEventReportId = 4;
inline constexpr uint8_t kAcknowledgementType = 4;

class KeyEventListener {
public:
    // Called on the listener thread; must not block.
    using HostActionHandler = std::function<void(uint8_t code)>;

    KeyEventListener(WriteAck &ack, ReportTrace &trace, int pollMs = kListenerPollMs)
        : ack_(ack), trace_(trace), pollMs_(pollMs) {}
    ~KeyEventListener() { stop(); }
    KeyEventListener(const KeyEventListener &) = delete;
    KeyEventListener &operator=(const KeyEventListener &) = delete;

    // Does nothing while a listener already runs.
    void start(HidHandle &eventHandle, HostActionHandler onHostAction);
    // Raises ListenerStop and waits for the thread to end (within one polling interval).
    void stop();
    bool running() const { return thread_.joinable(); }

private:
    void run(HidHandle &eventHandle);

    WriteAck &ack_;
    ReportTrace &trace_;
    int pollMs_;
    HostActionHandler onHostAction_;
    std::atomic<bool> listenerStop_{false};
    std::thread thread_;
};

} // namespace quenlar
