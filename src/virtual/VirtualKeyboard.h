#pragma once
// A keyboard that lives inside the program: a HID transport that answers like the keyboard's
// firmware. The window and quenlar-ctl use it where no keyboard is plugged in, and the tests use
// it everywhere.
//
// It presents two interfaces (configuration: USB interface 3; events: declares input report 4),
// answers every query with a 9-byte frame (byte 1 = command code, checksummed like every frame),
// takes and gives the 64-byte blocks, ignores (and counts) commands whose checksum is wrong, and
// sends the acknowledgement 04 04 00 00 on its event interface after every completed write step (a
// set command, or the last block of a block write). A state file, when named, is loaded at
// construction and rewritten after every completed write, so the keyboard remembers its
// configuration across runs like the real one.
//
// The keyboard's firmware treats game-mode command 0x09 as a setting only between the two
// lighting commands that open and close a write (SetLighting phase 1 and 2); outside a write, the
// read sequences and the factory reset send it to wake the keyboard, and it changes nothing.
//
// For tests it records every report it received and can misbehave on demand: drop acknowledgements
// (a keyboard that completes no write step, since the acknowledgement is its word that it did),
// delay them, cut a block read short, answer queries with wrong bytes, and be unplugged.

#include "device/HidTransport.h"
#include "virtual/VirtualKeyboardMemory.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace quenlar {

// Misbehaviour on demand. Every "at" counts from 0, from the moment the faults were set: the
// write steps the keyboard completes, the commands it receives, the queries it answers, the block
// reads it serves. -1 means every one.
struct VirtualKeyboardFaults {
    // Write steps not completed, hence not acknowledged (the acknowledgement is the keyboard's
    // word that it completed the step): every one, or from step `writeStepsBeforeDrop` on.
    bool dropAcknowledgements = false;
    int writeStepsBeforeDrop = -1;
    // Acknowledgements that arrive late: every one, or only that of write step `delayedAcknowledgementAt`.
    std::chrono::milliseconds acknowledgementDelay{0};
    int delayedAcknowledgementAt = -1;
    // The cable is pulled as command number `commandsBeforeUnplug` arrives (it is not taken).
    int commandsBeforeUnplug = -1;
    // Block reads that deliver only `blocksBeforeCut` blocks: every one, or only read `cutBlockReadAt`.
    int blocksBeforeCut = -1;
    int cutBlockReadAt = -1;
    // Answers garbled on the way (data bytes inverted, checksum no longer matching): every one,
    // or only that of query `wrongAnswerAt`.
    bool wrongAnswers = false;
    int wrongAnswerAt = -1;
};

// What the keyboard did since its faults were last set.
struct VirtualKeyboardCounters {
    int commands = 0;
    int writeSteps = 0;
    int queries = 0;
    int blockReads = 0;
};

struct ReceivedReport {
    enum class Kind { Feature, Output };
    Kind kind;
    std::vector<uint8_t> bytes;
};

class VirtualKeyboard final : public HidTransport {
public:
    static constexpr char kConfigPath[] = "virtual:quenlar/config";
    static constexpr char kEventPath[] = "virtual:quenlar/event";

    // An empty path keeps the configuration in memory only.
    explicit VirtualKeyboard(std::string stateFile = {});
    ~VirtualKeyboard() override;

    std::vector<HidInterfaceInfo> enumerate() override;
    std::unique_ptr<HidHandle> open(const std::string &path) override;

    // --- what a person does to a keyboard ----------------------------------------------------
    // Presses the key with this key-table index. A key whose action is "report to the computer"
    // (kind 10) sends 04 01 vk 00 on the event interface; returns whether it did.
    bool pressKey(int keyIndex);
    // Pulls the cable: every open handle fails from now on, and the interfaces disappear.
    void unplug();
    void plug();
    bool plugged() const;
    // Told of every unplug (false) and plug (true), like the system's device notices.
    void setPlugListener(std::function<void(bool plugged)> listener);

    // --- inspection and faults ---------------------------------------------------------------
    VirtualKeyboardMemory memory() const;
    void setMemory(const VirtualKeyboardMemory &memory);
    VirtualKeyboardFaults faults() const;
    void setFaults(const VirtualKeyboardFaults &faults);
    std::vector<ReceivedReport> received() const;
    void clearReceived();
    int badChecksumCount() const;
    // Acknowledgements on their way or delivered (those lost to a pulled cable are not counted).
    int acknowledgementsSent() const;
    VirtualKeyboardCounters counters() const;
    // Why the state file could not be read or written; empty when all went well.
    std::string stateFileError() const;

    // --- handle side (called by the handles this transport opens) ----------------------------
    enum class Interface { Config, Event };
    int sendFeatureReport(Interface which, unsigned generation, std::span<const uint8_t> report);
    int getFeatureReport(Interface which, unsigned generation, std::span<uint8_t> buffer);
    int write(Interface which, unsigned generation, std::span<const uint8_t> report);
    int read(Interface which, unsigned generation, std::span<uint8_t> buffer, int timeoutMs);

private:
    using Clock = std::chrono::steady_clock;
    struct PendingEvent {
        Clock::time_point availableAt;
        std::array<uint8_t, 4> bytes;
    };
    struct PendingBlockWrite {
        uint8_t *target = nullptr;
        std::size_t size = 0;
        int blocks = 0;
        int received = 0;
        std::vector<uint8_t> data;
    };

    bool handleAlive(unsigned generation) const { return plugged_ && generation == generation_; }
    // Pulls the cable with the lock held; the caller tells the plug listener once it let go.
    bool unplugLocked();
    void tellPlugListener(bool plugged);
    void deliverPendingNotice(std::unique_lock<std::mutex> &lock);
    void handleCommand(const std::array<uint8_t, 9> &command);
    void answer(uint8_t code, std::array<uint8_t, 6> data);
    void answerQuery(uint8_t code, std::array<uint8_t, 6> data);
    void queueBlocks(const uint8_t *source, std::size_t size, int blocks);
    void expectBlocks(uint8_t *target, std::size_t size, int blocks);
    void completedWrite();
    void sendEvent(std::array<uint8_t, 4> bytes, Clock::duration delay);
    void loadStateFile();
    void saveStateFile();

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::string stateFile_;
    std::string stateFileError_;
    VirtualKeyboardMemory memory_;
    VirtualKeyboardFaults faults_;
    bool plugged_ = true;
    unsigned generation_ = 1;
    bool inWrite_ = false;  // between SetLighting phase 1 and phase 2
    bool unplugNoticePending_ = false;
    std::array<uint8_t, 9> answer_{};
    std::deque<std::array<uint8_t, 65>> configInput_;
    std::deque<PendingEvent> eventInput_;
    PendingBlockWrite blockWrite_;
    std::vector<ReceivedReport> received_;
    int badChecksums_ = 0;
    int acknowledgements_ = 0;
    // Counted since the faults were set.
    int stepsSinceFaults_ = 0;
    int commandsSinceFaults_ = 0;
    int queriesSinceFaults_ = 0;
    int blockReadsSinceFaults_ = 0;
    std::function<void(bool)> plugListener_;
};

} // namespace quenlar
