#include "CtlSupport.h"

#include "keymap/KeymapFile.h"
#include "model/KeyTable.h"
#include "virtual/VirtualKeyboard.h"
#ifdef QUENLAR_HAVE_HIDAPI
#include "platform/HidapiTransport.h"
#endif

#include <algorithm>
#include <cctype>
#include <charconv>
#include <iostream>

namespace quenlar::ctl {

std::string oneLine(std::string message) {
    while (!message.empty() && (message.back() == '\n' || message.back() == ' '))
        message.pop_back();
    // Inner line breaks join the lines: after a full stop with a blank, otherwise with "; ".
    for (std::size_t at = message.find('\n'); at != std::string::npos; at = message.find('\n', at)) {
        const bool sentenceEnds = at > 0 && (message[at - 1] == '.' || message[at - 1] == '?');
        message.replace(at, 1, sentenceEnds ? " " : "; ");
    }
    return message;
}

int fail(const std::string &message, int status) {
    std::cerr << "quenlar-ctl: " << oneLine(message) << "\n";
    return status;
}

std::unique_ptr<HidTransport> makeTransport(const CtlOptions &options, VirtualKeyboard **virtualKeyboard) {
    if (options.virtualDevice) {
        auto keyboard = std::make_unique<VirtualKeyboard>(options.stateFile);
        if (!keyboard->stateFileError().empty())
            std::cerr << "quenlar-ctl: " << oneLine(keyboard->stateFileError()) << "\n";
        keyboard->setFaults(options.faults);
        if (virtualKeyboard)
            *virtualKeyboard = keyboard.get();
        return keyboard;
    }
#ifdef QUENLAR_HAVE_HIDAPI
    return std::make_unique<HidapiTransport>();
#else
    return nullptr;
#endif
}

KeyboardSession::KeyboardSession(const CtlOptions &options) : options_(options) {}

KeyboardSession::~KeyboardSession() {
    if (link_)
        link_->closeLink();
}

int KeyboardSession::open(bool needEvents, KeyEventListener::HostActionHandler onHostAction, bool quiet) {
    trace_ = options_.traceFile.empty() ? std::make_unique<ReportTrace>()
                                        : std::make_unique<ReportTrace>(options_.traceFile);
    if (!options_.traceFile.empty() && !trace_->isOpen())
        return fail("cannot write the trace file " + options_.traceFile, kUsageError);
    transport_ = makeTransport(options_, &virtual_);
    if (!transport_)
        return fail("this build has no USB support; use --device=virtual");
    link_ = std::make_unique<HidLink>(*transport_, sleeper_, *trace_);
    trace_->restartClock();
    const bool both = link_->open(std::move(onHostAction));
    if (!link_->configOpen() || (needEvents && !both))
        return quiet ? kFailed : fail(LinkResult::fail(LinkFailure::NoKeyboard, {}).message(options_.language) +
                    (options_.virtualDevice ? "" : " (quenlar-ctl doctor tells why)"));
    return kDone;
}

bool TerminalPrompts::confirm(const std::string &text, const std::string &) {
    if (yes_)
        return true;
    refused_ = true;
    refusedQuestion_ = oneLine(text);
    return false;
}

void TerminalPrompts::inform(const std::string &text, const std::string &) { notices_.push_back(oneLine(text)); }

std::optional<std::filesystem::path> TerminalPrompts::chooseFileToOpen(const std::string &) { return fileToOpen; }

std::optional<std::filesystem::path> TerminalPrompts::chooseFileToSave(const std::string &, const std::string &) {
    return fileToSave;
}

std::string TerminalPrompts::problem() const {
    if (!notices_.empty())
        return notices_.front();
    if (refused_)
        return "\"" + refusedQuestion_ + "\" was not confirmed; add --yes to do it";
    return {};
}

std::string trimmedName(std::string_view name) {
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    return std::string(name);
}

namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

std::optional<int> parseNumber(const std::string &text) {
    int value = 0;
    int base = 10;
    std::string_view digits = text;
    if (digits.starts_with("0x") || digits.starts_with("0X")) {
        base = 16;
        digits.remove_prefix(2);
    }
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (digits.empty() || ec != std::errc{} || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

} // namespace

std::optional<int> parseKey(const std::string &text, std::string &error) {
    if (auto index = parseNumber(text)) {
        if (*index >= 0 && *index < kKeyCount)
            return *index;
        error = "no key " + text + " (keys are numbered 0 to " + std::to_string(kKeyCount - 1) + ")";
        return std::nullopt;
    }
    std::vector<int> matches;
    for (int i = 0; i < kKeyCount; ++i)
        if (keyAt(i).label == text)
            matches.push_back(i);
    if (matches.empty())
        for (int i = 0; i < kKeyCount; ++i)
            if (equalsIgnoringCase(keyAt(i).label, text))
                matches.push_back(i);
    if (matches.size() == 1)
        return matches.front();
    if (matches.empty()) {
        error = "no key labelled \"" + text + "\" (give a key label such as F1 or its index 0-112)";
    } else {
        error = "several keys are labelled \"" + text + "\"; give one of their indexes:";
        for (int i : matches)
            error += " " + std::to_string(i);
    }
    return std::nullopt;
}

std::optional<uint8_t> parseVirtualKey(const std::string &text, const KeyNameTable &names, std::string &error) {
    if (auto code = parseNumber(text)) {
        if (*code >= 1 && *code <= 255)
            return static_cast<uint8_t>(*code);
        error = "virtual-key code " + text + " is outside 1..255";
        return std::nullopt;
    }
    for (int vk = 1; vk < 256; ++vk) {
        const std::string name = trimmedName(names.name(static_cast<uint8_t>(vk)));
        if (!name.empty() && equalsIgnoringCase(name, text))
            return static_cast<uint8_t>(vk);
    }
    error = "no key named \"" + text + "\" (give a key name such as F1 or LCtrl, or a virtual-key code)";
    return std::nullopt;
}

int loadWorkingConfiguration(const Context &context, KeyboardState &state, HostKeyRecords &records) {
    if (Result loaded = loadKeymapFile(context.paths.keymapFile(), KeymapLoadMode::Full, state, records,
                                       context.options.language);
        !loaded)
        return fail(loaded.message());
    return kDone;
}

} // namespace quenlar::ctl

#include "macro/MacroLibraryFile.h"

namespace quenlar::ctl {

int loadMacroTable(const Context &context, MacroTable &table, bool create) {
    table = MacroTable{};
    std::error_code error;
    if (!create && !std::filesystem::exists(context.paths.macroLibraryFile(), error))
        return kDone;
    if (Result loaded = LoadMacroLibrary(context.paths.macroLibraryFile(), table, context.options.language); !loaded)
        return fail(loaded.message());
    return kDone;
}

} // namespace quenlar::ctl
