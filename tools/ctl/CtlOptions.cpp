#include "CtlOptions.h"

#include <charconv>

namespace quenlar::ctl {

const char *const kOptionsUsage =
    "options (before the command):\n"
    "  --device=hid                 the keyboard on USB (the default)\n"
    "  --device=virtual[:FILE]      the virtual keyboard, remembering its configuration in FILE\n"
    "  --data-dir=DIR               keymap.bin, MacroDefine.bin and Configure/ in DIR\n"
    "  --trace=FILE                 write every report and pause of the link to FILE\n"
    "  --language=english|chinese   the language of messages and basic-function names\n"
    "  --yes                        answer every confirmation with yes\n"
    "faults of the virtual keyboard, for testing:\n"
    "  --fault=drop-acks | --fault=delay-acks=MS | --fault=cut-blocks=N | --fault=wrong-answers\n";

namespace {

std::optional<int> number(const std::string &text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || text.empty() || value < 0)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<CtlOptions> parseCtlOptions(const std::vector<std::string> &args, std::string &error) {
    CtlOptions options;
    std::size_t i = 0;
    for (; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
        const std::string &arg = args[i];
        auto valueOf = [&](std::string_view prefix) { return arg.substr(prefix.size()); };
        if (arg == "--device=hid") {
            options.virtualDevice = false;
            options.stateFile.clear();
        } else if (arg == "--device=virtual") {
            options.virtualDevice = true;
        } else if (arg.rfind("--device=virtual:", 0) == 0) {
            options.virtualDevice = true;
            options.stateFile = valueOf("--device=virtual:");
            if (options.stateFile.empty()) {
                error = "--device=virtual: needs a state file name after the colon";
                return std::nullopt;
            }
        } else if (arg == "--fault=drop-acks") {
            options.faults.dropAcknowledgements = true;
        } else if (arg.rfind("--fault=delay-acks=", 0) == 0) {
            const auto ms = number(valueOf("--fault=delay-acks="));
            if (!ms) {
                error = "--fault=delay-acks= needs a number of milliseconds";
                return std::nullopt;
            }
            options.faults.acknowledgementDelay = std::chrono::milliseconds(*ms);
        } else if (arg.rfind("--fault=cut-blocks=", 0) == 0) {
            const auto blocks = number(valueOf("--fault=cut-blocks="));
            if (!blocks) {
                error = "--fault=cut-blocks= needs a number of blocks";
                return std::nullopt;
            }
            options.faults.blocksBeforeCut = *blocks;
        } else if (arg == "--fault=wrong-answers") {
            options.faults.wrongAnswers = true;
        } else if (arg.rfind("--trace=", 0) == 0 && arg.size() > 8) {
            options.traceFile = valueOf("--trace=");
        } else if (arg.rfind("--data-dir=", 0) == 0 && arg.size() > 11) {
            options.dataDir = valueOf("--data-dir=");
        } else if (arg == "--language=english" || arg == "--language=en") {
            options.language = Language::English;
        } else if (arg == "--language=chinese" || arg == "--language=zh") {
            options.language = Language::Chinese;
        } else if (arg == "--yes") {
            options.yes = true;
        } else {
            error = "unknown option " + arg;
            return std::nullopt;
        }
    }
    if (i == args.size()) {
        error = "no command given";
        return std::nullopt;
    }
    options.command = args[i++];
    for (; i < args.size(); ++i) {
        // --yes is accepted after the command too, where people tend to type it.
        if (args[i] == "--yes")
            options.yes = true;
        else
            options.arguments.push_back(args[i]);
    }
    return options;
}

} // namespace quenlar::ctl
