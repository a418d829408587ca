// quenlar-ctl: the keyboard's configuration from the command line, on a real keyboard or on the
// virtual one. Exit status: 0 done, 1 the keyboard or a file failed, 2 the command line was wrong.

#include "CtlOptions.h"
#include "FieldAssignments.h"
#include "StateReport.h"

#include "device/HidLink.h"
#include "model/FileIo.h"
#include "virtual/VirtualKeyboard.h"
#ifdef QUENLAR_HAVE_HIDAPI
#include "platform/HidapiTransport.h"
#endif

#include <cstring>
#include <functional>
#include <iostream>
#include <memory>

using namespace quenlar;
using namespace quenlar::ctl;

namespace {

constexpr int kFailed = 1;
constexpr int kUsageError = 2;

int fail(const std::string &message, int status = kFailed) {
    std::cerr << "quenlar-ctl: " << message << "\n";
    return status;
}

std::unique_ptr<HidTransport> makeTransport(const CtlOptions &options) {
    if (options.virtualDevice) {
        auto keyboard = std::make_unique<VirtualKeyboard>(options.stateFile);
        if (!keyboard->stateFileError().empty())
            std::cerr << "quenlar-ctl: " << keyboard->stateFileError() << "\n";
        keyboard->setFaults(options.faults);
        return keyboard;
    }
#ifdef QUENLAR_HAVE_HIDAPI
    return std::make_unique<HidapiTransport>();
#else
    return nullptr;
#endif
}

// Reads the keyboard, lets `change` edit the working image, and writes back what differs.
int readChangeWrite(HidLink &link, const std::function<void(KeyboardState &)> &change) {
    auto read = link.readAll(KeyboardState{});
    if (!read.result)
        return fail(read.result.message());
    KeyboardImages images;
    images.working = read.state;
    images.commit();
    change(images.working);
    auto written = link.writeAll(images);
    if (!written.result)
        return fail(written.result.message());
    std::cout << (written.sentAnything ? "Written to the keyboard." : "The keyboard already holds this.") << "\n";
    return 0;
}

int run(const CtlOptions &options) {
    // Everything the user gave is checked before the keyboard is touched.
    std::vector<FieldAssignment> assignments;
    std::vector<uint8_t> applied;
    if (options.command == "set") {
        std::string error;
        auto parsed = parseFieldAssignments(options.arguments, error);
        if (!parsed)
            return fail(error, kUsageError);
        assignments = *parsed;
    } else if (options.command == "apply") {
        auto file = readWholeFile(options.arguments[0]);
        if (!file)
            return fail("cannot read " + options.arguments[0]);
        if (file->size() < kKeyboardStateSize)
            return fail(options.arguments[0] + " is too short for a keyboard configuration (" +
                        std::to_string(file->size()) + " of " + std::to_string(kKeyboardStateSize) + " bytes)");
        applied.assign(file->begin(), file->begin() + kKeyboardStateSize);
    }

    auto trace = options.traceFile.empty() ? std::make_unique<ReportTrace>()
                                           : std::make_unique<ReportTrace>(options.traceFile);
    if (!options.traceFile.empty() && !trace->isOpen())
        return fail("cannot write the trace file " + options.traceFile, kUsageError);
    auto transport = makeTransport(options);
    if (!transport)
        return fail("this build has no USB support; use --device=virtual");
    RealSleeper sleeper;
    HidLink link(*transport, sleeper, *trace);
    trace->restartClock();
    const bool opened = link.open(nullptr);
    if (options.command == "probe")
        return link.configOpen() ? 0 : kFailed;
    if (!link.configOpen() || (!opened && options.command != "status" && options.command != "dump"))
        return fail(LinkResult::fail(LinkFailure::NoKeyboard, {}).message());

    if (options.command == "status" || options.command == "dump") {
        auto read = link.readAll(KeyboardState{});
        if (!read.result)
            return fail(read.result.message());
        std::cout << (options.command == "status" ? statusText(read.state, read.device) : stateJson(read.state));
        return 0;
    }
    if (options.command == "set")
        return readChangeWrite(link, [&](KeyboardState &s) { applyFieldAssignments(assignments, s); });
    if (options.command == "apply")
        return readChangeWrite(link, [&](KeyboardState &s) { std::memcpy(&s, applied.data(), applied.size()); });
    // reset
    KeyboardState state;
    if (auto reset = link.factoryReset(state); !reset)
        return fail(reset.message());
    std::cout << "Factory settings restored.\n";
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    std::string error;
    auto options = parseCtlOptions(args, error);
    if (!options) {
        std::cerr << "quenlar-ctl: " << error << "\n" << kUsage;
        return kUsageError;
    }
    return run(*options);
}
