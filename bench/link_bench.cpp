// How much the keyboard link adds to the protocol's own pacing, on the virtual keyboard with
// real sleeping. For each sequence: the measured time divided by the sum of the pauses the
// protocol prescribes for it (counted by running the same sequence with a sleeper that only adds
// them up). Target: every ratio at most 1.05.

#include "device/HidLink.h"
#include "virtual/VirtualKeyboard.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <thread>
#include <vector>

using namespace quenlar;

namespace {

class SummingSleeper final : public Sleeper {
public:
    void sleepMs(int ms) override { total += ms; }
    long total = 0;
};

struct Sequence {
    const char *name;
    // What the state of the program is before the timed part: the keyboard read, and a change.
    void (*change)(KeyboardState &);  // nullptr: time the read-all itself
};

// Runs one sequence on a fresh virtual keyboard; returns the milliseconds of the timed part.
double runOnce(const Sequence &sequence, Sleeper &sleeper, bool &ok) {
    VirtualKeyboard keyboard;
    ReportTrace trace;
    HidLink link(keyboard, sleeper, trace);
    link.open(nullptr);
    KeyboardImages images;
    if (sequence.change) {
        images.working = link.readAll(KeyboardState{}).state;
        images.commit();
        sequence.change(images.working);
        // Let the read's own acknowledgement arrive before the write starts.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const auto start = std::chrono::steady_clock::now();
    ok = sequence.change ? link.writeAll(images).result.ok() : link.readAll(KeyboardState{}).result.ok();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void everySectionChanged(KeyboardState &s) {
    s.reportRate ^= 1;
    s.responseTime += 1;
    s.lightBrightness = 7;
    s.presetColours[0] ^= 0xFF;
    s.gameMode ^= 1;
    s.keyMatrix[0] ^= 1;
    s.keyEnableMask[4] ^= 1;
    for (auto &b : s.macroSlots)
        b ^= 0x5A;
    for (auto &b : s.customLayers)
        b ^= 0xA5;
}

void lightingOnly(KeyboardState &s) { s.lightBrightness = 9; }

} // namespace

int main(int argc, char **argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const Sequence sequences[] = {
        {"read-all", nullptr},
        {"write-all, every section", everySectionChanged},
        {"write-all, lighting only", lightingOnly},
    };
    for (const auto &sequence : sequences) {
        bool ok = false;
        // The prescribed pauses of the timed part only: a summing sleeper, counted from its start.
        SummingSleeper counted;
        long beforeTimed = 0;
        {
            SummingSleeper untimed;
            if (sequence.change)
                runOnce({sequence.name, nullptr}, untimed, ok);  // the read that precedes a write
            beforeTimed = untimed.total;
        }
        runOnce(sequence, counted, ok);
        const long prescribed = counted.total - (sequence.change ? beforeTimed : 0);
        std::vector<double> times;
        for (int i = 0; i < runs && ok; ++i) {
            RealSleeper real;
            times.push_back(runOnce(sequence, real, ok));
        }
        if (!ok) {
            std::printf("%s: the sequence failed\n", sequence.name);
            return 1;
        }
        std::sort(times.begin(), times.end());
        const double median = times[times.size() / 2];
        std::printf("%-26s prescribed %6ld ms   measured (median of %d) %8.1f ms   ratio %.3f\n", sequence.name,
                    prescribed, runs, median, median / static_cast<double>(prescribed));
    }
    return 0;
}
