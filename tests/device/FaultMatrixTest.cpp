// Every fault the keyboard can show, at every step of write-all and read-all: the sequence ends
// cleanly and says why, nothing is committed, the working image is kept, and once the keyboard
// behaves again (plugged back in) the next apply brings it to exactly the working image.

#include "LinkFixture.h"

#include <functional>

using namespace quenlar;
using namespace quenlar::test;

namespace {

// Short enough for hundreds of cases, long enough that a healthy step on a busy machine (or under a
// sanitizer) is never taken for a fault.
constexpr LinkTimeouts kShortTimeouts{std::chrono::milliseconds(200), std::chrono::milliseconds(200),
                                      std::chrono::milliseconds(10)};

enum class Fault { Unplug, DropAcknowledgement, LateAcknowledgement, CutBlock, DamagedAnswer };

const char *faultName(Fault f) {
    switch (f) {
    case Fault::Unplug: return "unplug";
    case Fault::DropAcknowledgement: return "dropped acknowledgement";
    case Fault::LateAcknowledgement: return "late acknowledgement";
    case Fault::CutBlock: return "block read cut short";
    case Fault::DamagedAnswer: return "damaged answer";
    }
    return "";
}

VirtualKeyboardFaults faultAt(Fault f, int step) {
    VirtualKeyboardFaults faults;
    switch (f) {
    case Fault::Unplug: faults.commandsBeforeUnplug = step; break;
    case Fault::DropAcknowledgement: faults.writeStepsBeforeDrop = step; break;
    case Fault::LateAcknowledgement:
        faults.acknowledgementDelay = std::chrono::milliseconds(400);  // twice the bound
        faults.delayedAcknowledgementAt = step;
        break;
    case Fault::CutBlock:
        faults.blocksBeforeCut = 0;
        faults.cutBlockReadAt = step;
        break;
    case Fault::DamagedAnswer:
        faults.wrongAnswers = true;
        faults.wrongAnswerAt = step;
        break;
    }
    return faults;
}

int stepsOf(Fault f, const VirtualKeyboardCounters &c) {
    switch (f) {
    case Fault::Unplug: return c.commands;
    case Fault::DropAcknowledgement:
    case Fault::LateAcknowledgement: return c.writeSteps;
    case Fault::CutBlock: return c.blockReads;
    case Fault::DamagedAnswer: return c.queries;
    }
    return 0;
}

KeyboardState everySectionChanged(KeyboardState s) {
    s.reportRate = 1;
    s.responseTime = 9;
    s.lightEffect = 13;
    s.lightSpeed = 1;
    s.lightBrightness = 44;
    s.presetColours[7] ^= 0x81;
    s.gameMode = 1;
    s.winLock = 1;
    s.keyMatrix[100] ^= 0x10;
    for (std::size_t i = 0; i < s.macroSlots.size(); i += 97)
        s.macroSlots[i] ^= 0x3C;
    for (std::size_t i = 0; i < s.customLayers.size(); i += 61)
        s.customLayers[i] ^= 0xC3;
    s.applyWinLockToMask();
    return s;
}

// One keyboard and link per case.
struct Bench {
    VirtualKeyboard keyboard;
    CountingSleeper sleeper;
    ReportTrace trace;
    HidLink link{keyboard, sleeper, trace, kShortTimeouts};

    void settle() {
        for (int i = 0; i < 5000 && link.writeAck().count() < keyboard.acknowledgementsSent(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_GE(link.writeAck().count(), keyboard.acknowledgementsSent()) << "acknowledgements still missing";
    }
    KeyboardImages read() {
        EXPECT_TRUE(link.open(nullptr));
        KeyboardImages images;
        auto outcome = link.readAll(KeyboardState{});
        EXPECT_TRUE(outcome.result.ok());
        images.working = outcome.state;
        images.commit();
        settle();
        return images;
    }
    // The keyboard behaves again; after a pulled cable it is plugged back in and the link follows.
    void recover() {
        keyboard.setFaults({});
        if (!keyboard.plugged()) {
            link.handleRemoval();
            keyboard.plug();
            KeyboardState scratch;
            DeviceInfo device;
            auto arrival = link.handleArrival(scratch, device, nullptr);
            EXPECT_TRUE(arrival.readResult.ok());
        }
        settle();
    }
};

TEST(FaultMatrix, WriteAllAtEveryStep) {
    VirtualKeyboardCounters clean;
    {
        Bench bench;
        KeyboardImages images = bench.read();
        images.working = everySectionChanged(images.working);
        bench.keyboard.setFaults({});
        ASSERT_TRUE(bench.link.writeAll(images).result.ok());
        clean = bench.keyboard.counters();
    }
    int cases = 0;
    for (Fault fault : {Fault::Unplug, Fault::DropAcknowledgement, Fault::LateAcknowledgement}) {
        for (int step = 0; step < stepsOf(fault, clean); ++step) {
            SCOPED_TRACE(std::string(faultName(fault)) + " at step " + std::to_string(step));
            Bench bench;
            KeyboardImages images = bench.read();
            images.working = everySectionChanged(images.working);
            const KeyboardImages before = images;
            bench.keyboard.setFaults(faultAt(fault, step));
            auto outcome = bench.link.writeAll(images);
            ASSERT_FALSE(outcome.result.ok());
            EXPECT_FALSE(outcome.result.message().empty());
            EXPECT_EQ(images.synced, before.synced);
            EXPECT_EQ(images.working, before.working);

            bench.recover();
            auto retry = bench.link.writeAll(images);
            ASSERT_TRUE(retry.result.ok()) << retry.result.message();
            EXPECT_EQ(images.synced, images.working);
            expectKeyboardHolds(bench.keyboard.memory(), images.working);
            ++cases;
        }
    }
    EXPECT_GT(cases, 100);
    RecordProperty("writeAllFaultCases", cases);
}

TEST(FaultMatrix, ReadAllAtEveryStep) {
    VirtualKeyboardCounters clean;
    {
        Bench bench;
        ASSERT_TRUE(bench.link.open(nullptr));
        bench.keyboard.setFaults({});
        ASSERT_TRUE(bench.link.readAll(KeyboardState{}).result.ok());
        clean = bench.keyboard.counters();
    }
    int cases = 0;
    for (Fault fault : {Fault::Unplug, Fault::CutBlock, Fault::DamagedAnswer}) {
        for (int step = 0; step < stepsOf(fault, clean); ++step) {
            SCOPED_TRACE(std::string(faultName(fault)) + " at step " + std::to_string(step));
            Bench bench;
            ASSERT_TRUE(bench.link.open(nullptr));
            bench.keyboard.setFaults(faultAt(fault, step));
            KeyboardState start;
            start.lightBrightness = 0xEE;
            auto outcome = bench.link.readAll(start);
            ASSERT_FALSE(outcome.result.ok());
            EXPECT_FALSE(outcome.result.message().empty());

            bench.recover();
            auto again = bench.link.readAll(KeyboardState{});
            ASSERT_TRUE(again.result.ok()) << again.result.message();
            expectKeyboardHolds(bench.keyboard.memory(), again.state);
            ++cases;
        }
    }
    EXPECT_GT(cases, 90);
    RecordProperty("readAllFaultCases", cases);
}

} // namespace
