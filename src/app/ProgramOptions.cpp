#include "app/ProgramOptions.h"

#include <string_view>

namespace quenlar {

ProgramOptions parseProgramOptions(std::span<const char *const> arguments) {
    ProgramOptions options;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--device=hid") {
            options.device = ProgramOptions::Device::Hid;
        } else if (argument == "--device=virtual") {
            options.device = ProgramOptions::Device::Virtual;
            options.stateFile.clear();
        } else if (argument.starts_with("--device=virtual:")) {
            options.device = ProgramOptions::Device::Virtual;
            options.stateFile = std::string(argument.substr(17));
        } else if (argument.starts_with("--trace=")) {
            options.traceFile = std::string(argument.substr(8));
            if (options.traceFile.empty())
                options.error = "--trace needs a file name";
        } else if (argument.starts_with("--data-dir=")) {
            // dataPathsFromArguments
        } else if (argument.starts_with("--")) {
            options.error = "unknown option " + std::string(argument);
        }
    }
    return options;
}

} // namespace quenlar
