#include "CtlOptions.h"

#include <cstdlib>

namespace quenlar::ctl {

const char *const kUsage =
    "usage: quenlar-ctl [--device=hid|virtual[:STATE_FILE]] [--trace=FILE] COMMAND\n"
    "commands:\n"
    "  status               read the keyboard and describe its configuration\n"
    "  dump --json          read the keyboard and print every field as JSON\n"
    "  set FIELD=VALUE ...  change settings (lightEffect, lightSpeed, lightBrightness, lightColour,\n"
    "                       lightDirection, gameMode, winLock, responseTime, reportRate) and write them\n"
    "  apply FILE           write the configuration held in a keymap.bin or profile file\n"
    "  reset                restore the keyboard's factory settings\n"
    "  probe                exit 0 when a keyboard is plugged in\n"
    "faults of the virtual keyboard, for testing:\n"
    "  --fault=drop-acks | --fault=delay-acks=MS | --fault=cut-blocks=N | --fault=wrong-answers\n";

std::optional<CtlOptions> parseCtlOptions(const std::vector<std::string> &args, std::string &error) {
    CtlOptions options;
    std::size_t i = 0;
    for (; i < args.size() && args[i].rfind("--", 0) == 0 && args[i] != "--json"; ++i) {
        const std::string &arg = args[i];
        if (arg == "--device=hid") {
            options.virtualDevice = false;
        } else if (arg == "--device=virtual") {
            options.virtualDevice = true;
        } else if (arg.rfind("--device=virtual:", 0) == 0) {
            options.virtualDevice = true;
            options.stateFile = arg.substr(17);
            if (options.stateFile.empty()) {
                error = "--device=virtual: needs a state file name after the colon";
                return std::nullopt;
            }
        } else if (arg == "--fault=drop-acks") {
            options.faults.dropAcknowledgements = true;
        } else if (arg.rfind("--fault=delay-acks=", 0) == 0) {
            options.faults.acknowledgementDelay = std::chrono::milliseconds(std::atoi(arg.c_str() + 19));
        } else if (arg.rfind("--fault=cut-blocks=", 0) == 0) {
            options.faults.blocksBeforeCut = std::atoi(arg.c_str() + 19);
        } else if (arg == "--fault=wrong-answers") {
            options.faults.wrongAnswers = true;
        } else if (arg.rfind("--trace=", 0) == 0 && arg.size() > 8) {
            options.traceFile = arg.substr(8);
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
    options.arguments.assign(args.begin() + static_cast<long>(i), args.end());

    const auto &a = options.arguments;
    const std::string &c = options.command;
    if ((c == "status" || c == "reset" || c == "probe") && !a.empty())
        error = c + " takes no arguments";
    else if (c == "dump" && (a.size() != 1 || a[0] != "--json"))
        error = "dump needs --json";
    else if (c == "set" && a.empty())
        error = "set needs at least one FIELD=VALUE";
    else if (c == "apply" && a.size() != 1)
        error = "apply needs exactly one file";
    else if (c != "status" && c != "reset" && c != "probe" && c != "dump" && c != "set" && c != "apply")
        error = "unknown command " + c;
    if (!error.empty())
        return std::nullopt;
    return options;
}

} // namespace quenlar::ctl
