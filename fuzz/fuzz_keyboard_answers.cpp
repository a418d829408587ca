// Whatever the keyboard answers and whatever blocks it sends: the read sequences either finish or
// stop with a reason, and the trace writes every report it saw.
#include "device/ConfigInterface.h"
#include "device/Sequences.h"

#include <algorithm>
#include <sstream>

using namespace quenlar;

namespace {

class NoSleep final : public Sleeper {
public:
    void sleepMs(int) override {}
};

// Answers and blocks come from the fuzz input, in order; when it runs out the keyboard is gone.
class FuzzedHandle final : public HidHandle {
public:
    FuzzedHandle(const uint8_t *data, size_t size) : data_(data), size_(size) {}
    int sendFeatureReport(std::span<const uint8_t> r) override { return take(1) ? static_cast<int>(r.size()) : -1; }
    int getFeatureReport(std::span<uint8_t> buffer) override { return fill(buffer); }
    int write(std::span<const uint8_t> r) override { return static_cast<int>(r.size()); }
    int read(std::span<uint8_t> buffer, int) override {
        const uint8_t *choice = take(1);
        if (!choice)
            return -1;
        if (*choice % 17 == 0)
            return 0;  // nothing arrived in time
        return fill(buffer);
    }

private:
    const uint8_t *take(size_t n) {
        if (size_ < n)
            return nullptr;
        const uint8_t *p = data_;
        data_ += n;
        size_ -= n;
        return p;
    }
    int fill(std::span<uint8_t> buffer) {
        const size_t n = std::min(buffer.size(), size_);
        std::copy_n(data_, n, buffer.begin());
        std::fill(buffer.begin() + static_cast<long>(n), buffer.end(), 0);
        take(n);
        return n ? static_cast<int>(buffer.size()) : -1;
    }
    const uint8_t *data_;
    size_t size_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    NoSleep sleeper;
    std::ostringstream text;
    ReportTrace trace(text);
    {
        FuzzedHandle handle(data, size);
        ConfigInterface config(handle, sleeper, trace, {});
        KeyboardState state;
        DeviceVersion version{};
        VersionCopy copy{};
        (void)readAllWorkerSequence(config, state, version, copy);
    }
    {
        FuzzedHandle handle(data, size);
        ConfigInterface config(handle, sleeper, trace, {});
        KeyboardState state;
        (void)readAllSections(config, state);
    }
    return 0;
}
