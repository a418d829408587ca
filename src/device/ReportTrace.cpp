#include "device/ReportTrace.h"

#include <cstdio>

namespace quenlar {

ReportTrace::ReportTrace(const std::string &path) : file_(path, std::ios::out | std::ios::trunc) {
    if (file_.is_open())
        out_ = &file_;
}

void ReportTrace::restartClock() {
    std::lock_guard lock(mutex_);
    start_ = std::chrono::steady_clock::now();
}

std::string ReportTrace::hex(std::span<const uint8_t> bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 3);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i)
            text += ' ';
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 15];
    }
    return text;
}

void ReportTrace::sleep(int ms) {
    if (!out_)
        return;
    writeLine(". sleep " + std::to_string(ms));
}

void ReportTrace::reportLine(std::string_view direction, std::string_view kind, std::span<const uint8_t> report) {
    if (!out_)
        return;
    std::string text;
    text.append(direction).append(" ").append(kind).append(" ").append(hex(report));
    writeLine(text);
}

void ReportTrace::writeLine(std::string_view text) {
    std::lock_guard lock(mutex_);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_).count();
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%.3f ", ms);
    *out_ << stamp << text << '\n';
    out_->flush();
}

} // namespace quenlar
