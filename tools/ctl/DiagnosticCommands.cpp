// doctor: is the keyboard there, can this user open it, and if not, what to do.
// report FILE: everything a bug report needs, in one text file.
// udev-rules: the rule file that `cmake --install` installs, for people who install by hand.

#include "Commands.h"
#include "UdevRule.h"

#include "device/InterfaceMatching.h"
#include "model/FileIo.h"
#ifdef QUENLAR_HAVE_HIDAPI
#include <QApplication>
#include <QSystemTrayIcon>
#endif

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <fcntl.h>
#include <sys/utsname.h>
#include <sys/wait.h>
#include <unistd.h>

#ifndef QUENLAR_VERSION
#define QUENLAR_VERSION "unknown"
#endif

namespace fs = std::filesystem;

namespace quenlar::ctl {

namespace {

std::string hex4(uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value);
    return text;
}

std::string installedRule(const std::string &programFolder) {
    std::error_code error;
    for (const auto &location : udevRuleLocations(programFolder))
        if (fs::exists(location, error))
            return location;
    return {};
}

std::string trayAvailability() {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        return "no graphical session here (DISPLAY and WAYLAND_DISPLAY are unset); the window stays shown "
               "instead of hiding in the tray";
#ifdef QUENLAR_HAVE_HIDAPI
    // Asked in a child process: Qt ends the whole process when the display named cannot be reached.
    const pid_t child = ::fork();
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        if (null >= 0)
            ::dup2(null, 2);
        static int argc = 1;
        static char name[] = "quenlar-ctl";
        static char *argv[] = {name, nullptr};
        QApplication application(argc, argv);
        std::_Exit(QSystemTrayIcon::isSystemTrayAvailable() ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child)
        return "unknown (the check could not run)";
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return "available";
    if (WIFEXITED(status) && WEXITSTATUS(status) == 1)
        return "none in this session; the window stays shown instead of hiding in the tray";
    return "the graphical session could not be reached; the window stays shown instead of hiding in the tray";
#else
    return "unknown (this build has no Qt)";
#endif
}

struct Diagnosis {
    std::string text;
    bool keyboardUsable = false;
};

// What doctor prints and report includes.
Diagnosis diagnose(const Context &context, HidTransport &transport) {
    std::ostringstream out;
    const auto interfaces = transport.enumerate();
    std::vector<HidInterfaceInfo> keyboard;
    for (const auto &info : interfaces)
        if (isKeyboardIdentity(info.vendorId, info.productId))
            keyboard.push_back(info);
    const auto config = findConfigInterface(interfaces);
    const auto event = findEventInterface(interfaces);
    const std::string rule = installedRule(context.paths.programFolder);
    Diagnosis result;

    if (keyboard.empty()) {
        out << "keyboard: not found. Plug it in (vendor " << hex4(kKeyboardVendorId) << ", product";
        for (uint16_t product : kKeyboardProductIds)
            out << " " << hex4(product);
        out << "); a keyboard on a USB hub or KVM switch may need a direct port.\n";
    } else {
        out << "keyboard: found, " << keyboard.size() << " HID interface(s):\n";
        for (const auto &info : keyboard)
            out << "  " << info.path << "  " << hex4(info.vendorId) << ":" << hex4(info.productId) << " interface "
                << info.interfaceNumber << (info.declaresInputReport4 ? ", input report 4" : "") << "\n";
    }
    bool denied = false;
    auto check = [&](const char *what, const std::optional<HidInterfaceInfo> &info) {
        if (!info) {
            if (!keyboard.empty())
                out << what << ": not among the keyboard's interfaces\n";
            return false;
        }
        if (transport.open(info->path)) {
            out << what << ": " << info->path << " opens\n";
            return true;
        }
        const bool noAccess = info->path.rfind("/dev/", 0) == 0 && ::access(info->path.c_str(), R_OK | W_OK) != 0;
        denied = denied || noAccess;
        out << what << ": " << info->path << " cannot be opened"
            << (noAccess ? " (no permission for this user)" : " (another program may hold it)") << "\n";
        return false;
    };
    const bool configOk = check("configuration interface", config);
    const bool eventOk = check("event interface", event);
    result.keyboardUsable = configOk && eventOk;

    out << "udev rule: " << (rule.empty() ? "not installed" : "installed at " + rule) << "\n";
    if (denied) {
        if (rule.empty())
            out << "what to do: install the rule (quenlar-ctl udev-rules > " << kUdevRuleFileName
                << "; sudo cp " << kUdevRuleFileName
                << " /etc/udev/rules.d/; sudo udevadm control --reload; sudo udevadm trigger), then unplug the "
                   "keyboard and plug it in again\n";
        else
            out << "what to do: the rule is installed; unplug the keyboard and plug it in again, or log out and "
                   "in again so that the seat gives you the device (a remote session gets no seat access)\n";
    } else if (!keyboard.empty() && !result.keyboardUsable) {
        out << "what to do: close other programs that use the keyboard's configuration, then unplug it and plug "
               "it in again\n";
    }
    out << "system tray: " << trayAvailability() << "\n";
    std::error_code error;
    const std::string skins = context.paths.skinFolder(context.options.language);
    out << "skins: " << skins << (fs::is_directory(skins, error) ? "" : " (missing)") << "\n";
    out << "data folder: " << context.paths.dataFolder << "\n";
    result.text = out.str();
    return result;
}

std::string platformText() {
    std::string text;
    utsname name{};
    if (::uname(&name) == 0)
        text = std::string(name.sysname) + " " + name.release + " " + name.machine;
    std::ifstream release("/etc/os-release");
    for (std::string line; std::getline(release, line);)
        if (line.rfind("PRETTY_NAME=", 0) == 0) {
            std::string pretty = line.substr(12);
            if (pretty.size() >= 2 && pretty.front() == '"')
                pretty = pretty.substr(1, pretty.size() - 2);
            text += ", " + pretty;
        }
    return text;
}

} // namespace

int runDoctor(Context &context, const Arguments &args) {
    if (!args.empty())
        return fail("doctor takes no arguments", kUsageError);
    auto transport = makeTransport(context.options);
    if (!transport)
        return fail("this build has no USB support; use --device=virtual");
    const Diagnosis diagnosis = diagnose(context, *transport);
    context.out << diagnosis.text;
    return diagnosis.keyboardUsable ? kDone : kFailed;
}

int runReport(Context &context, const Arguments &args) {
    if (args.size() != 1)
        return fail("report needs exactly one file to write", kUsageError);
    const fs::path file = args[0];
    std::error_code error;
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    if (!fs::is_directory(folder, error))
        return fail("no folder " + folder.string() + " for the report");
    auto transport = makeTransport(context.options);
    if (!transport)
        return fail("this build has no USB support; use --device=virtual");

    std::ostringstream report;
    report << "quenlar-ctl report\n"
           << "program version: " << QUENLAR_VERSION << "\n"
           << "platform: " << platformText() << "\n"
           << "device: " << (context.options.virtualDevice ? "virtual keyboard" : "USB") << "\n";
    report << "\n== devices found\n";
    for (const auto &info : transport->enumerate())
        report << info.path << "  " << hex4(info.vendorId) << ":" << hex4(info.productId) << " interface "
               << info.interfaceNumber << (info.declaresInputReport4 ? ", input report 4" : "") << "\n";
    report << "\n== permission check\n" << diagnose(context, *transport).text;

    std::ostringstream traceText;
    {
        ReportTrace trace(traceText);
        RealSleeper sleeper;
        HidLink link(*transport, sleeper, trace);
        trace.restartClock();
        link.openConfig();
        report << "\n== firmware\n";
        if (!link.configOpen()) {
            report << "not read: " << LinkResult::fail(LinkFailure::NoKeyboard, {}).message() << "\n";
        } else {
            const auto read = link.readAll(KeyboardState{});
            if (!read.result) {
                report << "read-all failed: " << read.result.message() << "\n";
            } else {
                report << "version answer: " << ReportTrace::hex(read.device.version) << "\n"
                       << "firmware version: " << int(read.device.versionCopy[0]) << "."
                       << int(read.device.versionCopy[1]) << "\n";
            }
        }
        link.closeLink();
    }
    report << "\n== report trace of a read-all\n" << traceText.str();
    const std::string text = report.str();
    if (Result written = writeFileAtomically(file, std::vector<uint8_t>(text.begin(), text.end())); !written)
        return fail("cannot write " + file.string() + ": " + written.message());
    context.out << "Report written to " << file.string() << ".\n";
    return kDone;
}

int runUdevRules(Context &context, const Arguments &args) {
    if (!args.empty())
        return fail("udev-rules takes no arguments", kUsageError);
    context.out << udevRuleText();
    return kDone;
}

} // namespace quenlar::ctl
