#include "device/HidLink.h"

#include "device/InterfaceMatching.h"

namespace quenlar {

HidLink::HidLink(HidTransport &transport, Sleeper &sleeper, ReportTrace &trace, LinkTimeouts timeouts)
    : transport_(transport), sleeper_(sleeper), trace_(trace), timeouts_(timeouts), listener_(ack_, trace, static_cast<int>(timeouts.listenerPoll.count())) {}

HidLink::~HidLink() {
    waitForReadAllWorker();
    closeLink();
}

bool HidLink::openInterface(bool config) {
    const auto interfaces = transport_.enumerate();
    const auto found = config ? findConfigInterface(interfaces) : findEventInterface(interfaces);
    if (!found)
        return false;
    auto handle = transport_.open(found->path);
    if (!handle)
        return false;
    std::lock_guard lock(mutex_);
    devicePath_ = found->path;
    (config ? configHandle_ : eventHandle_) = std::move(handle);
    return true;
}

bool HidLink::openConfig() { return configOpen() || openInterface(true); }

bool HidLink::openEvent() { return eventOpen() || openInterface(false); }

bool HidLink::configOpen() const {
    std::lock_guard lock(mutex_);
    return configHandle_ != nullptr;
}

bool HidLink::eventOpen() const {
    std::lock_guard lock(mutex_);
    return eventHandle_ != nullptr;
}

std::string HidLink::devicePath() const {
    std::lock_guard lock(mutex_);
    return devicePath_;
}

bool HidLink::open(KeyEventListener::HostActionHandler onHostAction) {
    const bool config = openConfig();
    const bool event = openEvent();
    if (event)
        startListener(std::move(onHostAction));
    return config && event;
}

void HidLink::startListener(KeyEventListener::HostActionHandler onHostAction) {
    std::lock_guard lock(mutex_);
    if (eventHandle_ && !listener_.running())
        listener_.start(*eventHandle_, std::move(onHostAction));
}

void HidLink::closeLink() {
    listener_.stop();
    std::lock_guard lock(mutex_);
    configHandle_.reset();
    eventHandle_.reset();
}

ReadAllOutcome HidLink::readAll(const KeyboardState &start) {
    ReadAllOutcome outcome{LinkResult::success(), start, {}};
    std::lock_guard lock(mutex_);
    if (!configHandle_) {
        outcome.result = LinkResult::fail(LinkFailure::NoKeyboard, "GetVersion");
        return outcome;
    }
    ConfigInterface config(*configHandle_, sleeper_, trace_, timeouts_);
    outcome.result = readAllWorkerSequence(config, outcome.state, outcome.device.version, outcome.device.versionCopy);
    return outcome;
}

void HidLink::startReadAllWorker(const KeyboardState &start, std::function<void(ReadAllOutcome)> done) {
    waitForReadAllWorker();
    readAllWorker_ = std::thread([this, start, done = std::move(done)] { done(readAll(start)); });
}

void HidLink::waitForReadAllWorker() {
    if (readAllWorker_.joinable())
        readAllWorker_.join();
}

// Runs a read sequence under the lock into a copy of `state`, which takes the copy on success.
template <typename Sequence>
LinkResult HidLink::runOnCopy(KeyboardState &state, const char *step, Sequence sequence) {
    std::lock_guard lock(mutex_);
    if (!configHandle_)
        return LinkResult::fail(LinkFailure::NoKeyboard, step);
    ConfigInterface config(*configHandle_, sleeper_, trace_, timeouts_);
    KeyboardState read = state;
    LinkResult result = sequence(config, read);
    if (result)
        state = read;
    return result;
}

LinkResult HidLink::readAllSections(KeyboardState &state) {
    return runOnCopy(state, "SetGameMode",
                     [](ConfigInterface &config, KeyboardState &s) { return quenlar::readAllSections(config, s); });
}

LinkResult HidLink::getReportRate(KeyboardState &state) {
    return runOnCopy(state, "GetReportRate",
                     [](ConfigInterface &config, KeyboardState &s) { return quenlar::getReportRate(config, s); });
}

LinkResult HidLink::getLighting(KeyboardState &state) {
    return runOnCopy(state, "GetLighting",
                     [](ConfigInterface &config, KeyboardState &s) { return quenlar::getLighting(config, s); });
}

WriteAllOutcome HidLink::writeAll(KeyboardImages &images) {
    std::lock_guard lock(mutex_);
    if (!configHandle_ || !eventHandle_ || !listener_.running())
        return {LinkResult::fail(LinkFailure::NoKeyboard, "SetLighting"), false};
    ConfigInterface config(*configHandle_, sleeper_, trace_, timeouts_);
    return quenlar::writeAll(config, images, ack_);
}

LinkResult HidLink::factoryReset(KeyboardState &state) {
    {
        std::lock_guard lock(mutex_);
        if (!configHandle_)
            return LinkResult::fail(LinkFailure::NoKeyboard, "FactoryReset");
        ConfigInterface config(*configHandle_, sleeper_, trace_, timeouts_);
        if (LinkResult reset = factoryResetSequence(config); !reset)
            return reset;
    }
    return readAllSections(state);
}

ArrivalOutcome HidLink::handleArrival(KeyboardState &working, DeviceInfo &device,
                                      KeyEventListener::HostActionHandler onHostAction) {
    ArrivalOutcome outcome;
    trace_.sleep(2000);
    sleeper_.sleepMs(2000);
    if (!configOpen() && openConfig()) {
        std::lock_guard lock(mutex_);
        ConfigInterface config(*configHandle_, sleeper_, trace_, timeouts_);
        KeyboardState read = working;
        DeviceInfo info;
        outcome.readResult = getVersion(config, info.version, info.versionCopy);
        if (outcome.readResult)
            outcome.readResult = quenlar::readAllSections(config, read);
        if (outcome.readResult)
            outcome.readResult = readCustomLayers(config, read);
        if (outcome.readResult) {
            working = read;
            device = info;
        }
        outcome.configReopened = true;
    }
    if (!eventOpen() && openEvent()) {
        startListener(std::move(onHostAction));
        outcome.eventReopened = true;
    }
    return outcome;
}

void HidLink::handleRemoval() { closeLink(); }

} // namespace quenlar
