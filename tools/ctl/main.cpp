// quenlar-ctl: the keyboard's configuration from the command line, on a real keyboard or on the
// virtual one, with the same data files as the window. Exit status: 0 done, 1 the keyboard or a
// file failed or the request was refused, 2 the command line was wrong.

#include "Commands.h"
#include "CtlOptions.h"
#include "CtlSupport.h"
#include "keymap/DataLocation.h"

#include <algorithm>
#include <iostream>

using namespace quenlar;
using namespace quenlar::ctl;

namespace {

void printUsage(std::ostream &out) {
    out << "usage: quenlar-ctl [OPTIONS] COMMAND [ARGS...]\n"
           "       quenlar-ctl COMMAND --help\n"
           "commands:\n";
    for (const auto &command : commands()) {
        std::string name = command.name;
        name.resize(12, ' ');
        out << "  " << name << command.summary << "\n";
    }
    out << kOptionsUsage;
}

} // namespace

int main(int argc, char **argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        if (args.size() == 2 && args[0] == "help")
            args = {args[1], "--help"};
        else {
            printUsage(args.empty() ? std::cerr : std::cout);
            return args.empty() ? kUsageError : kDone;
        }
    }
    std::string error;
    auto options = parseCtlOptions(args, error);
    if (!options) {
        std::cerr << "quenlar-ctl: " << error << "\n";
        printUsage(std::cerr);
        return kUsageError;
    }
    const auto &table = commands();
    const auto command = std::find_if(table.begin(), table.end(),
                                      [&](const CommandEntry &c) { return options->command == c.name; });
    if (command == table.end())
        return fail("unknown command " + options->command + " (quenlar-ctl --help lists them)", kUsageError);
    const auto &arguments = options->arguments;
    if (std::find(arguments.begin(), arguments.end(), "--help") != arguments.end() ||
        std::find(arguments.begin(), arguments.end(), "-h") != arguments.end()) {
        std::cout << "usage: quenlar-ctl [OPTIONS] " << command->help;
        return kDone;
    }

    std::vector<const char *> dataArgument;
    const std::string dataOption = "--data-dir=" + options->dataDir;
    if (!options->dataDir.empty())
        dataArgument.push_back(dataOption.c_str());
    std::string dataError;
    Context context{*options, resolveDataPaths(dataArgument, programFolder(), &dataError), std::cout};
    if (!dataError.empty())
        std::cerr << "quenlar-ctl: " << dataError << "\n";
    return command->run(context, arguments);
}
