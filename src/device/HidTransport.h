#pragma once
// The seam between the keyboard protocol and whatever carries its reports: hidapi on a
// real keyboard, or the virtual keyboard built into the program.
//
// Report buffers always include byte 0, the report id:
//   feature reports (commands and their answers) are 9 bytes,
//   output and input reports on the configuration interface (data blocks) are 65 bytes,
//   input reports on the event interface are 4 bytes.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace quenlar {

struct HidInterfaceInfo {
    std::string path;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    int interfaceNumber = -1;           // USB interface number, -1 when unknown
    bool declaresInputReport4 = false;  // the report descriptor declares input report id 4
};

// One open interface. Every call returns the number of bytes moved, 0 for a read that timed
// out, or -1 when the interface failed (for example because the keyboard was unplugged).
class HidHandle {
public:
    virtual ~HidHandle() = default;
    virtual int sendFeatureReport(std::span<const uint8_t> report) = 0;
    // buffer[0] holds the report id to ask for.
    virtual int getFeatureReport(std::span<uint8_t> buffer) = 0;
    virtual int write(std::span<const uint8_t> report) = 0;
    // Waits at most timeoutMs (negative: without limit) for one input report.
    virtual int read(std::span<uint8_t> buffer, int timeoutMs) = 0;
};

class HidTransport {
public:
    virtual ~HidTransport() = default;
    virtual std::vector<HidInterfaceInfo> enumerate() = 0;
    // nullptr when the path cannot be opened.
    virtual std::unique_ptr<HidHandle> open(const std::string &path) = 0;
};

} // namespace quenlar
