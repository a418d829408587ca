// How much the keyboard link adds to the protocol's own pacing, on the virtual keyboard with
// real sleeping. For each sequence: the measured time divided by the sum of the pauses the
// protocol prescribes for it (counted by running the same sequence with a sleeper that only adds
// them up). Target: every ratio at most 1.05.

#include "device/HidLink.h"
#include "virtual/VirtualKeyboard.h"

#include <algorithm>
#include <cstdlib>
#include <chrono>
#include <cstdio>
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

// Pauses in ms that `sequence` prescribes.
long prescribedPauses(const std::function<void(HidLink &)> &sequence) {
    VirtualKeyboard keyboard;
    SummingSleeper sleeper;
    ReportTrace trace;
    HidLink link(keyboard, sleeper, trace);
    link.open(nullptr);
    sequence(link);
    return sleeper.total;
}

double measuredMs(const std::function<void(HidLink &)> &sequence) {
    VirtualKeyboard keyboard;
    RealSleeper sleeper;
    ReportTrace trace;
    HidLink link(keyboard, sleeper, trace);
    link.open(nullptr);
    const auto start = std::chrono::steady_clock::now();
    sequence(link);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

KeyboardImages readImages(HidLink &link) {
    KeyboardImages images;
    images.working = link.readAll(KeyboardState{}).state;
    images.commit();
    return images;
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

void report(const char *name, const std::function<void(HidLink &)> &sequence, int runs) {
    const long prescribed = prescribedPauses(sequence);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(measuredMs(sequence));
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    std::printf("%-26s prescribed %6ld ms   measured (median of %d) %8.1f ms   ratio %.3f\n", name, prescribed, runs,
                median, median / static_cast<double>(prescribed));
}

} // namespace

int main(int argc, char **argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    report("read-all", [](HidLink &link) { link.readAll(KeyboardState{}); }, runs);

    // For writes, measure write-all alone: read first (untimed), then time the write.
    auto writeOnly = [runs](const char *name, void (*change)(KeyboardState &)) {
        auto prescribedFor = [&] {
            VirtualKeyboard keyboard;
            SummingSleeper sleeper;
            ReportTrace trace;
            HidLink link(keyboard, sleeper, trace);
            link.open(nullptr);
            KeyboardImages images = readImages(link);
            change(images.working);
            const long before = sleeper.total;
            link.writeAll(images);
            return sleeper.total - before;
        };
        const long prescribed = prescribedFor();
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) {
            VirtualKeyboard keyboard;
            RealSleeper sleeper;
            ReportTrace trace;
            HidLink link(keyboard, sleeper, trace);
            link.open(nullptr);
            KeyboardImages images = readImages(link);
            change(images.working);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));  // let the read's acknowledgement settle
            const auto start = std::chrono::steady_clock::now();
            auto outcome = link.writeAll(images);
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            if (!outcome.result) {
                std::printf("%s failed: %s\n", name, outcome.result.message().c_str());
                return;
            }
            times.push_back(ms);
        }
        std::sort(times.begin(), times.end());
        const double median = times[times.size() / 2];
        std::printf("%-26s prescribed %6ld ms   measured (median of %d) %8.1f ms   ratio %.3f\n", name, prescribed,
                    runs, median, median / static_cast<double>(prescribed));
    };
    writeOnly("write-all, every section", everySectionChanged);
    writeOnly("write-all, lighting only", [](KeyboardState &s) { s.lightBrightness = 9; });
    return 0;
}
