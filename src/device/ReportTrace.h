#pragma once
// A line per report and pause of the keyboard link, for people and tools that need to see
// exactly what crossed the wire:
//
//   12.034 > feature 00 08 02 03 06 32 08 01 B1
//   12.051 < feature 00 88 00 03 06 32 08 01 33
//   13.002 > output 00 <64 bytes>
//   13.120 < input 00 <64 bytes>
//   14.500 < event 04 04 00 00
//   14.510 . sleep 10
//
// Times are milliseconds since the trace was started (the link opening); ">" is computer to
// keyboard, "<" keyboard to computer; bytes are upper-case hex of the whole report including
// byte 0. Other programs read this format, so it does not change.

#include <chrono>
#include <cstdint>
#include <fstream>
#include <mutex>
#include <span>
#include <string>
#include <string_view>

namespace quenlar {

class ReportTrace {
public:
    ReportTrace() = default;  // traces nothing
    // Opens (and truncates) the trace file; check isOpen().
    explicit ReportTrace(const std::string &path);
    // Traces into a stream the caller keeps alive.
    explicit ReportTrace(std::ostream &out) : out_(&out) {}

    bool isOpen() const { return out_ != nullptr; }
    void restartClock();

    void featureSent(std::span<const uint8_t> report) { reportLine(">", "feature", report); }
    void featureReceived(std::span<const uint8_t> report) { reportLine("<", "feature", report); }
    void outputSent(std::span<const uint8_t> report) { reportLine(">", "output", report); }
    void inputReceived(std::span<const uint8_t> report) { reportLine("<", "input", report); }
    void eventReceived(std::span<const uint8_t> report) { reportLine("<", "event", report); }
    void sleep(int ms);

    static std::string hex(std::span<const uint8_t> bytes);

private:
    void reportLine(std::string_view direction, std::string_view kind, std::span<const uint8_t> report);
    void writeLine(std::string_view text);

    std::mutex mutex_;
    std::ofstream file_;
    std::ostream *out_ = nullptr;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

} // namespace quenlar
