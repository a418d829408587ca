#include "device/ConfigInterface.h"

namespace quenlar {

namespace {
Command commandOf(const CommandReport &report) { return static_cast<Command>(report[1]); }
} // namespace

void ConfigInterface::pause(int ms) {
    if (ms < 0)
        return;
    trace_.sleep(ms);
    sleeper_.sleepMs(ms);
}

LinkResult ConfigInterface::send(const CommandReport &report, const std::string &step) {
    trace_.featureSent(report);
    if (handle_.sendFeatureReport(report) < 0)
        return LinkResult::fail(LinkFailure::Disconnected, step);
    return LinkResult::success();
}

LinkResult ConfigInterface::set(const CommandReport &report, const std::string &step) {
    if (auto sent = send(report, step); !sent)
        return sent;
    pause(commandPauses(commandOf(report)).afterSend);
    return LinkResult::success();
}

LinkResult ConfigInterface::query(const CommandReport &report, CommandReport &answer, const std::string &step,
                                  Answer use) {
    const CommandPauses pauses = commandPauses(commandOf(report));
    if (auto sent = send(report, step); !sent)
        return sent;
    pause(pauses.afterSend);
    answer.fill(0);
    if (handle_.getFeatureReport(answer) < 0)
        return LinkResult::fail(LinkFailure::Disconnected, step);
    trace_.featureReceived(answer);
    pause(pauses.afterAnswer);
    if (use == Answer::Checked && (!hasValidChecksum(answer) || answer[1] != report[1]))
        return LinkResult::fail(LinkFailure::BadAnswer, step);
    return LinkResult::success();
}

LinkResult ConfigInterface::writeBlock(const DataReport &report, const std::string &step) {
    trace_.outputSent(report);
    if (handle_.write(report) < 0)
        return LinkResult::fail(LinkFailure::Disconnected, step);
    return LinkResult::success();
}

LinkResult ConfigInterface::readBlock(DataReport &report, const std::string &step) {
    report.fill(0);
    const int n = handle_.read(report, static_cast<int>(timeouts_.blockRead.count()));
    if (n < 0)
        return LinkResult::fail(LinkFailure::Disconnected, step);
    if (n == 0)
        return LinkResult::fail(LinkFailure::NoBlockData, step);
    trace_.inputReceived(report);
    return LinkResult::success();
}

} // namespace quenlar
