#include "virtual/VirtualKeyboard.h"

#include "model/FileIo.h"
#include "model/KeyTable.h"

#include <algorithm>
#include <cstring>

namespace quenlar {

namespace {

constexpr uint8_t kHostActionKind = 10;
constexpr uint8_t kKeyReportType = 1;

// State file: "QVKB", a format number, then the memory record byte for byte.
constexpr char kStateMagic[4] = {'Q', 'V', 'K', 'B'};
constexpr uint8_t kStateFormat = 1;
constexpr std::size_t kStateHeaderSize = sizeof kStateMagic + 1;

uint8_t checksumOf(const std::array<uint8_t, 9> &frame) {
    unsigned sum = 0;
    for (int i = 1; i <= 7; ++i)
        sum += frame[i];
    return static_cast<uint8_t>(0xFF - sum);
}

template <typename F> struct OnScopeExit {
    explicit OnScopeExit(F f) : f_(std::move(f)) {}
    ~OnScopeExit() { f_(); }
    F f_;
};

class VirtualHandle final : public HidHandle {
public:
    VirtualHandle(VirtualKeyboard &keyboard, VirtualKeyboard::Interface which, unsigned generation)
        : keyboard_(keyboard), which_(which), generation_(generation) {}
    int sendFeatureReport(std::span<const uint8_t> report) override {
        return keyboard_.sendFeatureReport(which_, generation_, report);
    }
    int getFeatureReport(std::span<uint8_t> buffer) override {
        return keyboard_.getFeatureReport(which_, generation_, buffer);
    }
    int write(std::span<const uint8_t> report) override { return keyboard_.write(which_, generation_, report); }
    int read(std::span<uint8_t> buffer, int timeoutMs) override {
        return keyboard_.read(which_, generation_, buffer, timeoutMs);
    }

private:
    VirtualKeyboard &keyboard_;
    VirtualKeyboard::Interface which_;
    unsigned generation_;
};

} // namespace

VirtualKeyboard::VirtualKeyboard(std::string stateFile) : stateFile_(std::move(stateFile)), memory_(factoryMemory()) {
    loadStateFile();
}

VirtualKeyboard::~VirtualKeyboard() = default;

std::vector<HidInterfaceInfo> VirtualKeyboard::enumerate() {
    std::lock_guard lock(mutex_);
    if (!plugged_)
        return {};
    return {
        {kEventPath, 0x04D9, 0xA131, 1, true},
        {kConfigPath, 0x04D9, 0xA131, 3, false},
    };
}

std::unique_ptr<HidHandle> VirtualKeyboard::open(const std::string &path) {
    std::lock_guard lock(mutex_);
    if (!plugged_)
        return nullptr;
    if (path == kConfigPath)
        return std::make_unique<VirtualHandle>(*this, Interface::Config, generation_);
    if (path == kEventPath)
        return std::make_unique<VirtualHandle>(*this, Interface::Event, generation_);
    return nullptr;
}

// --- handle side ------------------------------------------------------------------------------

int VirtualKeyboard::sendFeatureReport(Interface which, unsigned generation, std::span<const uint8_t> report) {
    std::unique_lock lock(mutex_);
    if (!handleAlive(generation))
        return -1;
    OnScopeExit notice([&] { deliverPendingNotice(lock); });
    received_.push_back({ReceivedReport::Kind::Feature, {report.begin(), report.end()}});
    if (which != Interface::Config || report.size() < 9)
        return static_cast<int>(report.size());
    std::array<uint8_t, 9> command{};
    std::copy_n(report.begin(), 9, command.begin());
    if (faults_.commandsBeforeUnplug >= 0 && commandsSinceFaults_ >= faults_.commandsBeforeUnplug) {
        unplugNoticePending_ = unplugLocked();
        return -1;
    }
    ++commandsSinceFaults_;
    if (command[8] != checksumOf(command))
        ++badChecksums_;
    else
        handleCommand(command);
    return static_cast<int>(report.size());
}

int VirtualKeyboard::getFeatureReport(Interface which, unsigned generation, std::span<uint8_t> buffer) {
    std::lock_guard lock(mutex_);
    if (!handleAlive(generation))
        return -1;
    if (which != Interface::Config)
        return -1;
    const std::size_t n = std::min(buffer.size(), answer_.size());
    std::copy_n(answer_.begin(), n, buffer.begin());
    return static_cast<int>(n);
}

int VirtualKeyboard::write(Interface which, unsigned generation, std::span<const uint8_t> report) {
    std::lock_guard lock(mutex_);
    if (!handleAlive(generation))
        return -1;
    received_.push_back({ReceivedReport::Kind::Output, {report.begin(), report.end()}});
    if (which != Interface::Config || !blockWrite_.target || report.size() < 65)
        return static_cast<int>(report.size());
    blockWrite_.data.insert(blockWrite_.data.end(), report.begin() + 1, report.begin() + 65);
    if (++blockWrite_.received == blockWrite_.blocks) {
        std::memcpy(blockWrite_.target, blockWrite_.data.data(), blockWrite_.size);
        blockWrite_ = {};
        completedWrite();
    }
    return static_cast<int>(report.size());
}

int VirtualKeyboard::read(Interface which, unsigned generation, std::span<uint8_t> buffer, int timeoutMs) {
    std::unique_lock lock(mutex_);
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    for (;;) {
        if (!handleAlive(generation))
            return -1;
        if (which == Interface::Config && !configInput_.empty()) {
            const auto report = configInput_.front();
            configInput_.pop_front();
            const std::size_t n = std::min(buffer.size(), report.size());
            std::copy_n(report.begin(), n, buffer.begin());
            return static_cast<int>(n);
        }
        auto wakeAt = deadline;
        if (which == Interface::Event && !eventInput_.empty()) {
            const auto &event = eventInput_.front();
            if (event.availableAt <= Clock::now()) {
                const std::size_t n = std::min(buffer.size(), event.bytes.size());
                std::copy_n(event.bytes.begin(), n, buffer.begin());
                eventInput_.pop_front();
                return static_cast<int>(n);
            }
            wakeAt = std::min(wakeAt, event.availableAt);
        }
        if (timeoutMs >= 0 && Clock::now() >= deadline)
            return 0;
        if (timeoutMs < 0 && wakeAt == deadline)
            changed_.wait(lock);
        else
            changed_.wait_until(lock, wakeAt);
    }
}

// --- firmware -----------------------------------------------------------------------------------

void VirtualKeyboard::answer(uint8_t code, std::array<uint8_t, 6> data) {
    answer_ = {0, code, data[0], data[1], data[2], data[3], data[4], data[5], 0};
    answer_[8] = checksumOf(answer_);
}

void VirtualKeyboard::answerQuery(uint8_t code, std::array<uint8_t, 6> data) {
    answer(code, data);
    const int query = queriesSinceFaults_++;
    if (faults_.wrongAnswers && (faults_.wrongAnswerAt < 0 || faults_.wrongAnswerAt == query))
        for (int i = 2; i <= 7; ++i)
            answer_[i] = static_cast<uint8_t>(~answer_[i]);
}

void VirtualKeyboard::queueBlocks(const uint8_t *source, std::size_t size, int blocks) {
    const int read = blockReadsSinceFaults_++;
    const bool cut = faults_.blocksBeforeCut >= 0 && (faults_.cutBlockReadAt < 0 || faults_.cutBlockReadAt == read);
    const int delivered = cut ? std::min(blocks, faults_.blocksBeforeCut) : blocks;
    for (int i = 0; i < delivered; ++i) {
        std::array<uint8_t, 65> report{};
        const std::size_t from = static_cast<std::size_t>(i) * 64;
        std::memcpy(report.data() + 1, source + from, std::min<std::size_t>(64, size - from));
        configInput_.push_back(report);
    }
    changed_.notify_all();
}

void VirtualKeyboard::expectBlocks(uint8_t *target, std::size_t size, int blocks) {
    blockWrite_ = {target, size, blocks, 0, {}};
}

void VirtualKeyboard::handleCommand(const std::array<uint8_t, 9> &c) {
    const uint8_t code = c[1];
    VirtualKeyboardMemory &m = memory_;
    // A new command abandons a block write that did not get all its blocks.
    blockWrite_ = {};
    answer(code, {});
    // The acknowledgement is the keyboard's word that it completed a write step. A keyboard that
    // drops acknowledgements is one that does not complete writes: it still answers queries.
    const bool dropping = faults_.dropAcknowledgements ||
                          (faults_.writeStepsBeforeDrop >= 0 && stepsSinceFaults_ >= faults_.writeStepsBeforeDrop);
    if (dropping && code < 0x80)
        return;
    switch (code) {
    case 0x80:
        answerQuery(code, m.version);
        break;
    case 0x01:
        m.reportRate = c[2];
        completedWrite();
        break;
    case 0x81:
        answerQuery(code, {m.reportRate});
        break;
    case 0x04:
        m.responseTime = c[2];
        completedWrite();
        break;
    case 0x84:
        answerQuery(code, {m.responseTime});
        break;
    case 0x08:
        if (c[2] == 2) {
            m.lightEffect = c[3];
            m.lightWireSpeed = c[4];
            m.lightBrightness = c[5];
            m.lightColour = c[6];
            m.lightDirection = c[7];
        }
        inWrite_ = c[2] == 1;
        completedWrite();
        break;
    case 0x88:
        answerQuery(code, {0, m.lightEffect, m.lightWireSpeed, m.lightBrightness, m.lightColour, m.lightDirection});
        break;
    case 0x09:
        if (inWrite_)
            m.gameMode = c[2];
        completedWrite();
        break;
    case 0x89:
        answerQuery(code, {m.gameMode});
        break;
    case 0x13:
        if (c[2] == 0xFF) {
            m = factoryMemory();
            inWrite_ = false;
            completedWrite();
        }
        break;
    case 0x14:
        if (c[3] < kPresetColourCount) {
            std::memcpy(m.presetColours.data() + 3 * c[3], &c[4], 3);
            completedWrite();
        }
        break;
    case 0x94:
        if (c[3] < kPresetColourCount) {
            const uint8_t *colour = m.presetColours.data() + 3 * c[3];
            answerQuery(code, {0, c[3], colour[0], colour[1], colour[2], 0});
        }
        break;
    case 0x0D:
        expectBlocks(m.keyMatrix.data(), m.keyMatrix.size(), 8);
        break;
    case 0x8D:
        queueBlocks(m.keyMatrix.data(), m.keyMatrix.size(), 8);
        break;
    case 0x0E:
        expectBlocks(m.keyEnableMask.data(), m.keyEnableMask.size(), 1);
        break;
    case 0x8E: {
        // The keyboard reports its Windows-key lock in bit 8, a position no key uses: set while
        // the Windows key (bit 1) is enabled.
        auto reported = m.keyEnableMask;
        reported[1] = static_cast<uint8_t>((reported[1] & ~1u) | ((reported[0] >> 1) & 1u));
        queueBlocks(reported.data(), reported.size(), 1);
        break;
    }
    case 0x11:
        if (c[3] < kMacroSlotCount)
            expectBlocks(m.macroSlots.data() + kMacroSlotSize * c[3], kMacroSlotSize, 3);
        break;
    case 0x91:
        if (c[3] < kMacroSlotCount)
            queueBlocks(m.macroSlots.data() + kMacroSlotSize * c[3], kMacroSlotSize, 3);
        break;
    case 0x12:
        if (c[3] < kCustomLayerCount)
            expectBlocks(m.customLayers.data() + kCustomLayerSize * c[3], kCustomLayerSize, 8);
        break;
    case 0x92:
        if (c[3] < kCustomLayerCount)
            queueBlocks(m.customLayers.data() + kCustomLayerSize * c[3], kCustomLayerSize, 8);
        break;
    default:
        break;
    }
}

void VirtualKeyboard::completedWrite() {
    saveStateFile();
    ++acknowledgements_;
    const int step = stepsSinceFaults_++;
    const bool late = faults_.delayedAcknowledgementAt < 0 || faults_.delayedAcknowledgementAt == step;
    sendEvent({4, 4, 0, 0}, late ? faults_.acknowledgementDelay : Clock::duration::zero());
}

void VirtualKeyboard::sendEvent(std::array<uint8_t, 4> bytes, Clock::duration delay) {
    eventInput_.push_back({Clock::now() + delay, bytes});
    changed_.notify_all();
}

// --- what a person does ---------------------------------------------------------------------------

bool VirtualKeyboard::pressKey(int keyIndex) {
    const KeyTableEntry &key = keyAt(keyIndex);
    std::lock_guard lock(mutex_);
    if (!plugged_)
        return false;
    const uint8_t *action = memory_.keyMatrix.data() + 4 * key.matrixSlot();
    if (action[0] != kHostActionKind)
        return false;
    sendEvent({4, kKeyReportType, action[2], 0}, Clock::duration::zero());
    return true;
}

bool VirtualKeyboard::unplugLocked() {
    if (!plugged_)
        return false;
    plugged_ = false;
    ++generation_;
    configInput_.clear();
    // Acknowledgements still waiting in the keyboard never reach the computer.
    for (const auto &event : eventInput_)
        if (event.bytes[1] == 4)
            --acknowledgements_;
    eventInput_.clear();
    blockWrite_ = {};
    inWrite_ = false;
    changed_.notify_all();
    return true;
}

void VirtualKeyboard::deliverPendingNotice(std::unique_lock<std::mutex> &lock) {
    if (!unplugNoticePending_)
        return;
    unplugNoticePending_ = false;
    lock.unlock();
    tellPlugListener(false);
}

void VirtualKeyboard::tellPlugListener(bool plugged) {
    std::function<void(bool)> listener;
    {
        std::lock_guard lock(mutex_);
        listener = plugListener_;
    }
    if (listener)
        listener(plugged);
}

void VirtualKeyboard::unplug() {
    bool pulled;
    {
        std::lock_guard lock(mutex_);
        pulled = unplugLocked();
    }
    if (pulled)
        tellPlugListener(false);
}

void VirtualKeyboard::plug() {
    {
        std::lock_guard lock(mutex_);
        if (plugged_)
            return;
        plugged_ = true;
    }
    tellPlugListener(true);
}

bool VirtualKeyboard::plugged() const {
    std::lock_guard lock(mutex_);
    return plugged_;
}

void VirtualKeyboard::setPlugListener(std::function<void(bool)> listener) {
    std::lock_guard lock(mutex_);
    plugListener_ = std::move(listener);
}

// --- inspection ---------------------------------------------------------------------------------

VirtualKeyboardMemory VirtualKeyboard::memory() const {
    std::lock_guard lock(mutex_);
    return memory_;
}

void VirtualKeyboard::setMemory(const VirtualKeyboardMemory &memory) {
    std::lock_guard lock(mutex_);
    memory_ = memory;
    saveStateFile();
}

VirtualKeyboardFaults VirtualKeyboard::faults() const {
    std::lock_guard lock(mutex_);
    return faults_;
}

void VirtualKeyboard::setFaults(const VirtualKeyboardFaults &faults) {
    std::lock_guard lock(mutex_);
    faults_ = faults;
    stepsSinceFaults_ = commandsSinceFaults_ = queriesSinceFaults_ = blockReadsSinceFaults_ = 0;
}

std::vector<ReceivedReport> VirtualKeyboard::received() const {
    std::lock_guard lock(mutex_);
    return received_;
}

void VirtualKeyboard::clearReceived() {
    std::lock_guard lock(mutex_);
    received_.clear();
}

int VirtualKeyboard::badChecksumCount() const {
    std::lock_guard lock(mutex_);
    return badChecksums_;
}

int VirtualKeyboard::acknowledgementsSent() const {
    std::lock_guard lock(mutex_);
    return acknowledgements_;
}

VirtualKeyboardCounters VirtualKeyboard::counters() const {
    std::lock_guard lock(mutex_);
    return {commandsSinceFaults_, stepsSinceFaults_, queriesSinceFaults_, blockReadsSinceFaults_};
}

std::string VirtualKeyboard::stateFileError() const {
    std::lock_guard lock(mutex_);
    return stateFileError_;
}

// --- state file -----------------------------------------------------------------------------------

void VirtualKeyboard::loadStateFile() {
    if (stateFile_.empty())
        return;
    const auto bytes = readWholeFile(stateFile_);
    if (!bytes)
        return;  // first run: the keyboard starts from its factory configuration
    if (bytes->size() != kStateHeaderSize + sizeof(VirtualKeyboardMemory) ||
        !std::equal(std::begin(kStateMagic), std::end(kStateMagic), bytes->begin()) ||
        (*bytes)[sizeof kStateMagic] != kStateFormat) {
        stateFileError_ = "The virtual keyboard's state file " + stateFile_ +
                          " is not a virtual keyboard state; starting from the factory configuration.";
        return;
    }
    std::memcpy(&memory_, bytes->data() + kStateHeaderSize, sizeof memory_);
}

void VirtualKeyboard::saveStateFile() {
    if (stateFile_.empty())
        return;
    std::vector<uint8_t> bytes(std::begin(kStateMagic), std::end(kStateMagic));
    bytes.push_back(kStateFormat);
    const auto *raw = reinterpret_cast<const uint8_t *>(&memory_);
    bytes.insert(bytes.end(), raw, raw + sizeof memory_);
    if (Result written = writeFileAtomically(stateFile_, bytes); !written)
        stateFileError_ = written.message();
}

} // namespace quenlar
