#pragma once
// One exchange layer over the keyboard's configuration interface: commands with their fixed
// pauses, their answers, and the 65-byte data reports of block transfers. Every report and
// pause is traced. Failures end the current sequence; nothing is retried.

#include "device/CommandReport.h"
#include "device/HidTransport.h"
#include "device/LinkResult.h"
#include "device/ReportTrace.h"
#include "device/Sleeper.h"

#include <array>
#include <chrono>

namespace quenlar {

// Byte 0 is the report id (0); bytes 1 to 64 carry one 64-byte block of a section.
inline constexpr std::size_t kDataReportSize = 65;
inline constexpr std::size_t kBlockSize = 64;
using DataReport = std::array<uint8_t, kDataReportSize>;

struct LinkTimeouts {
    std::chrono::milliseconds acknowledgement{3000};
    std::chrono::milliseconds blockRead{1000};
    // How often the event listener looks whether it should stop.
    std::chrono::milliseconds listenerPoll{200};
};

class ConfigInterface {
public:
    ConfigInterface(HidHandle &handle, Sleeper &sleeper, ReportTrace &trace, LinkTimeouts timeouts)
        : handle_(handle), sleeper_(sleeper), trace_(trace), timeouts_(timeouts) {}

    // Sends a command and sleeps its pause after the send.
    LinkResult set(const CommandReport &report, const std::string &step);
    // Sends a query, sleeps, reads the 9-byte answer, sleeps the pause after the answer. An answer
    // whose checksum fails or that names another command ends the sequence, unless the caller
    // ignores the answer anyway (block announcements).
    enum class Answer { Checked, Ignored };
    LinkResult query(const CommandReport &report, CommandReport &answer, const std::string &step,
                     Answer use = Answer::Checked);

    LinkResult writeBlock(const DataReport &report, const std::string &step);
    // Waits at most the block-read time-out for one data report.
    LinkResult readBlock(DataReport &report, const std::string &step);

    // -1 = no pause; 0 = a yield.
    void pause(int ms);

    const LinkTimeouts &timeouts() const { return timeouts_; }

private:
    LinkResult send(const CommandReport &report, const std::string &step);

    HidHandle &handle_;
    Sleeper &sleeper_;
    ReportTrace &trace_;
    LinkTimeouts timeouts_;
};

} // namespace quenlar
