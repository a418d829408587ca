#pragma once
// The program's connection to the keyboard: its configuration interface (commands and data
// blocks) and its event interface (acknowledgements and key requests), the listener on the
// event interface, and the sequences that run over them.
//
// Sequences on the configuration interface never interleave: each holds the link's lock from
// its first report to its last. The keyboard's unplugging and return are followed through
// handleRemoval() and handleArrival(), which the window calls on the system's device notices.

#include "device/ConfigInterface.h"
#include "device/HidTransport.h"
#include "device/KeyEventListener.h"
#include "device/ReportTrace.h"
#include "device/Sequences.h"
#include "device/Sleeper.h"
#include "device/WriteAck.h"
#include "model/KeyboardState.h"

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace quenlar {

struct DeviceInfo {
    DeviceVersion version{};
    VersionCopy versionCopy{};  // (major, minor, 0, 0)
};

struct ReadAllOutcome {
    LinkResult result;
    KeyboardState state;  // the image as read; meaningful only when result is ok
    DeviceInfo device;
};

struct ArrivalOutcome {
    bool configReopened = false;  // the configuration interface came back and was read
    bool eventReopened = false;   // the event interface came back (listener running)
    LinkResult readResult;        // how the read after the return went
};

class HidLink {
public:
    HidLink(HidTransport &transport, Sleeper &sleeper, ReportTrace &trace, LinkTimeouts timeouts = {});
    ~HidLink();
    HidLink(const HidLink &) = delete;
    HidLink &operator=(const HidLink &) = delete;

    // --- connection -------------------------------------------------------------------------
    bool openConfig();
    bool openEvent();
    bool configOpen() const;
    bool eventOpen() const;
    // The path of the interface found by the last successful search.
    std::string devicePath() const;
    // Opens both interfaces and starts the listener; true when both are open.
    bool open(KeyEventListener::HostActionHandler onHostAction);
    void startListener(KeyEventListener::HostActionHandler onHostAction);
    bool listenerRunning() const { return listener_.running(); }
    // Stops the listener and closes both interfaces.
    void closeLink();

    // --- sequences ---------------------------------------------------------------------------
    // The whole configuration and the firmware version, read into a copy of `start` (so the bytes
    // the keyboard does not carry survive).
    ReadAllOutcome readAll(const KeyboardState &start);
    // readAll on a worker thread; `done` runs on that thread when the read ended.
    void startReadAllWorker(const KeyboardState &start, std::function<void(ReadAllOutcome)> done);
    void waitForReadAllWorker();

    // The read after a return or a factory reset. `state` is only changed when it succeeded.
    LinkResult readAllSections(KeyboardState &state);
    // Needs both interfaces: write steps are acknowledged on the event interface.
    WriteAllOutcome writeAll(KeyboardImages &images);
    // The refresh's single queries; `state` is changed only on success.
    LinkResult getReportRate(KeyboardState &state);
    LinkResult getLighting(KeyboardState &state);
    // Factory reset, then the read of everything into `state` (changed only on success).
    LinkResult factoryReset(KeyboardState &state);

    // --- device notices ----------------------------------------------------------------------
    // A USB device arrived: after 2 s, reopen what is closed; a reopened configuration interface
    // is read (version, every section, the custom layers once more) into `working` and `device`.
    ArrivalOutcome handleArrival(KeyboardState &working, DeviceInfo &device,
                                 KeyEventListener::HostActionHandler onHostAction);
    // A USB device was removed: stop the listener and close the link.
    void handleRemoval();

    WriteAck &writeAck() { return ack_; }

private:
    bool openInterface(bool config);
    template <typename Sequence> LinkResult runOnCopy(KeyboardState &state, const char *step, Sequence sequence);

    HidTransport &transport_;
    Sleeper &sleeper_;
    ReportTrace &trace_;
    LinkTimeouts timeouts_;

    mutable std::mutex mutex_;  // held for every sequence and every open or close
    std::unique_ptr<HidHandle> configHandle_;
    std::unique_ptr<HidHandle> eventHandle_;
    std::string devicePath_;

    WriteAck ack_;
    KeyEventListener listener_;
    std::thread readAllWorker_;
};

} // namespace quenlar
