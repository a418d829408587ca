#pragma once
// A link to the virtual keyboard that sleeps for no one and keeps every report and pause it made,
// in order, as lines of the report trace without their time stamps.

#include "device/HidLink.h"
#include "device/ReportTrace.h"
#include "device/Sleeper.h"
#include "virtual/VirtualKeyboard.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace quenlar::test {

class CountingSleeper final : public Sleeper {
public:
    void sleepMs(int ms) override { total_ += ms; }
    long total() const { return total_; }

private:
    std::atomic<long> total_{0};
};

inline std::string traceLine(const char *prefix, std::span<const uint8_t> bytes) {
    return std::string(prefix) + ReportTrace::hex(bytes);
}
inline std::string featureOut(const CommandReport &r) { return traceLine("> feature ", r); }
inline std::string sleepLine(int ms) { return ". sleep " + std::to_string(ms); }

// The keyboard holds every section of `state`.
inline void expectKeyboardHolds(const VirtualKeyboardMemory &m, const KeyboardState &s) {
    EXPECT_EQ(m.reportRate, s.reportRate);
    EXPECT_EQ(m.responseTime, s.responseTime);
    EXPECT_EQ(m.lightEffect, s.lightEffect);
    EXPECT_EQ(m.lightWireSpeed, static_cast<uint8_t>(10 - s.lightSpeed));
    EXPECT_EQ(m.lightBrightness, s.lightBrightness);
    EXPECT_EQ(m.lightColour, s.lightColour);
    EXPECT_EQ(m.lightDirection, s.lightDirection);
    EXPECT_EQ(m.presetColours, s.presetColours);
    EXPECT_EQ(m.gameMode, s.gameMode);
    EXPECT_EQ(m.keyEnableMask, s.keyEnableMask);
    EXPECT_EQ(m.keyMatrix, s.keyMatrix);
    EXPECT_EQ(m.macroSlots, s.macroSlots);
    EXPECT_EQ(m.customLayers, s.customLayers);
}

class LinkFixture : public ::testing::Test {
protected:
    explicit LinkFixture(LinkTimeouts timeouts = {std::chrono::milliseconds(1000), std::chrono::milliseconds(1000),
                                                  std::chrono::milliseconds(20)})
        : link(keyboard, sleeper, trace, timeouts) {}

    void openLink() { ASSERT_TRUE(link.open([this](uint8_t code) { takeHostCode(code); })); }
    void takeHostCode(uint8_t code) {
        std::lock_guard lock(hostMutex);
        hostCodes.push_back(code);
    }
    std::vector<uint8_t> receivedHostCodes() {
        std::lock_guard lock(hostMutex);
        return hostCodes;
    }

    // Reads the keyboard into both images, as the program does at start.
    KeyboardImages readKeyboard() {
        auto outcome = link.readAll(KeyboardState{});
        EXPECT_TRUE(outcome.result.ok()) << outcome.result.message();
        KeyboardImages images;
        images.working = outcome.state;
        images.commit();
        settleAcknowledgements();
        return images;
    }

    // Waits until the listener has taken in every acknowledgement the keyboard sent, so that none
    // arrives late into the next sequence.
    void settleAcknowledgements() {
        for (int i = 0; i < 5000 && link.writeAck().count() < keyboard.acknowledgementsSent(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_GE(link.writeAck().count(), keyboard.acknowledgementsSent()) << "acknowledgements still missing";
    }

    void clearTrace() {
        std::lock_guard lock(traceMutex);
        traceText.str({});
    }

    // The trace so far, without time stamps. Event lines come from the listener thread at their
    // own moment, so they are left out unless asked for; the link is closed first so that no line
    // is being written while the text is read.
    std::vector<std::string> traceLines(bool withEvents = false) {
        link.closeLink();
        std::vector<std::string> lines;
        std::istringstream in(traceText.str());
        for (std::string line; std::getline(in, line);) {
            const auto space = line.find(' ');
            std::string body = line.substr(space + 1);
            if (!withEvents && body.rfind("< event", 0) == 0)
                continue;
            lines.push_back(body);
        }
        return lines;
    }

    VirtualKeyboard keyboard;
    CountingSleeper sleeper;
    std::mutex traceMutex;
    std::stringstream traceText;
    ReportTrace trace{traceText};
    HidLink link;
    std::mutex hostMutex;
    std::vector<uint8_t> hostCodes;  // host-action codes the listener handed over
};

} // namespace quenlar::test
