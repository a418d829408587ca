// macro list|show|new|delete|rename|import|export: the macro manager without its window. Each
// change runs in a MacroEditSession opened on MacroDefine.bin and ends like the manager's OK:
// the macro slots are packed into the configuration, then keymap.bin and MacroDefine.bin are
// saved. Nothing is sent to the keyboard; the next apply (quenlar-ctl apply) sends the changed slots.

#include "Commands.h"
#include "MacroText.h"

#include "keymap/KeymapFile.h"
#include "keymap/Utf16.h"
#include "macro/MacroEditSession.h"
#include "macro/MacroLibrary.h"
#include "macro/MacroLibraryFile.h"
#include "macro/MacroSlots.h"
#include "model/FileIo.h"

#include <charconv>
#include <iostream>

namespace quenlar::ctl {

namespace {

// The terminal records nothing: recording needs the window's key capture.
class NoKeyHook final : public MacroKeyHook {
public:
    bool install() override { return false; }
    void remove() override {}
};

// A macro number as typed; nullopt when it is no number.
std::optional<int> macroNumber(const std::string &text) {
    int number = -1;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (ec != std::errc{} || end != text.data() + text.size() || number < 0)
        return std::nullopt;
    return number;
}

// The manager's OK as the main window finishes it.
int saveLikeManagerOk(const Context &context, const MacroTable &table) {
    KeyboardState state;
    auto records = std::make_unique<HostKeyRecords>();
    if (int status = loadWorkingConfiguration(context, state, *records); status != kDone)
        return status;
    PackMacroSlots(table, state);
    if (Result saved = saveKeymapFile(context.paths.keymapFile(), state, *records, context.options.language); !saved)
        return fail(saved.message());
    if (Result saved = SaveMacroLibrary(context.paths.macroLibraryFile(), table, context.options.language); !saved)
        return fail(saved.message());
    return kDone;
}

struct Manager {
    KeyNameTable names;
    NoKeyHook hook;
    TerminalPrompts prompts;
    MacroEditSession session;
    explicit Manager(const Context &context)
        : prompts(context.options.yes),
          session(names, prompts, hook, context.options.language, steadyMacroClock()) {}
};

int importMacro(Context &context, Manager &manager, const std::string &file, const std::optional<std::string> &name) {
    const auto bytes = readWholeFile(file);
    if (!bytes)
        return fail("cannot read " + file);
    std::string error;
    const auto events = parseMacroText(std::string(bytes->begin(), bytes->end()), manager.names, error);
    if (!events)
        return fail(file + ": " + error);
    if (!events->empty() && events->front().delayMs != 0)
        return fail(file + ": the first event of a macro cannot wait");
    std::u16string newName;
    if (name) {
        newName = utf8ToUtf16(*name);
        if (!isValidMacroName(newName))
            return fail(macroMessage(MacroMessageId::BadMacroName, context.options.language).text, kUsageError);
    }

    MacroEditSession &session = manager.session;
    if (!session.newMacro())
        return fail("there are 32 macros already, as many as the keyboard holds");
    bool withDelays = false;
    for (const auto &event : *events)
        withDelays = withDelays || event.delayMs != 0;
    if (withDelays)
        session.toggleDelayMode();
    int used = 0;
    for (std::size_t i = 0; i < events->size(); ++i) {
        const auto &event = (*events)[i];
        const int size = i == 0 || event.delayMs == 0 ? kShortEventSize : eventSizeForDelay(event.delayMs);
        if (used + size > kMacroStreamSize)
            return fail(file + ": " + macroMessage(MacroMessageId::MacroFull, context.options.language).text);
        used = session.InsertMacroToList(event.vk, used, event.delayMs, event.release);
    }
    session.StoreCurrentMacro();
    const int index = *session.selectedMacro();
    if (name && !session.renameMacro(index, newName))
        return fail(manager.prompts.problem());
    if (int status = saveLikeManagerOk(context, session.accept()); status != kDone)
        return status;
    context.out << "Imported as macro " << index << " (" << utf16ToUtf8(session.macroName(index)) << ").\n";
    return kDone;
}

} // namespace

int runMacro(Context &context, const Arguments &args) {
    const std::string sub = args.empty() ? "" : args[0];
    const Arguments rest(args.empty() ? args.end() : args.begin() + 1, args.end());
    auto usage = [&](const std::string &form) { return fail("usage: quenlar-ctl macro " + form, kUsageError); };
    // Arguments first, files afterwards.
    std::optional<std::string> importName;
    Arguments operands;
    for (const auto &arg : rest) {
        if (arg.rfind("--name=", 0) == 0 && sub == "import")
            importName = arg.substr(7);
        else
            operands.push_back(arg);
    }
    const bool numbered = sub == "show" || sub == "delete" || sub == "rename" || sub == "export";
    if (numbered && !operands.empty() && !macroNumber(operands[0]))
        return fail("bad macro number \"" + operands[0] + "\"", kUsageError);
    if (sub == "list" || sub == "new") {
        if (!operands.empty())
            return usage(sub);
    } else if (sub == "show" || sub == "delete") {
        if (operands.size() != 1)
            return usage(sub + " N");
    } else if (sub == "rename") {
        if (operands.size() != 2)
            return usage("rename N NAME");
        if (!isValidMacroName(utf8ToUtf16(operands[1])))
            return fail(macroMessage(MacroMessageId::BadMacroName, context.options.language).text, kUsageError);
    } else if (sub == "import") {
        if (operands.size() != 1)
            return usage("import FILE [--name=NAME]");
    } else if (sub == "export") {
        if (operands.size() != 2)
            return usage("export N FILE");
    } else {
        return fail(sub.empty() ? "macro needs a sub-command: list, show, new, delete, rename, import or export"
                                : "unknown macro sub-command \"" + sub + "\"",
                    kUsageError);
    }

    auto master = std::make_unique<MacroTable>();
    if (int status = loadMacroTable(context, *master, false); status != kDone)
        return status;
    auto manager = std::make_unique<Manager>(context);
    MacroEditSession &session = manager->session;
    session.open(*master);

    std::optional<int> number;
    if (numbered) {
        number = macroNumber(operands[0]);
        if (*number >= session.macroCount())
            return fail("there is no macro " + operands[0] + " (quenlar-ctl macro list)");
        session.selectMacro(*number);
    }

    if (sub == "list") {
        for (int i = 0; i < session.macroCount(); ++i) {
            const MacroRecord &record = session.workingTable()[i];
            MacroEditBuffer buffer;
            fillEditBuffer(buffer, record.deviceEvents, record.hostEvents);
            context.out << i << "\t" << utf16ToUtf8(session.macroName(i)) << "\t" << buildEventLines(buffer, manager->names).size()
                        << " lines, loop " << record.loopCount << ((record.delayFlag & kDelayFlagBit) ? ", delays" : "")
                        << "\n";
        }
        return kDone;
    }
    if (sub == "show") {
        for (const auto &line : session.lines())
            context.out << line.text << "\n";
        return kDone;
    }
    if (sub == "export") {
        const std::string text = macroText(session.buffer(), manager->names);
        const std::vector<uint8_t> bytes(text.begin(), text.end());
        if (Result written = writeFileAtomically(operands[1], bytes); !written)
            return fail("cannot write " + operands[1] + ": " + written.message());
        return kDone;
    }
    if (sub == "import")
        return importMacro(context, *manager, operands[0], importName);

    if (sub == "new") {
        if (!session.newMacro())
            return fail("there are 32 macros already, as many as the keyboard holds");
    } else if (sub == "delete") {
        session.deleteMacro();
        if (!manager->prompts.problem().empty())
            return fail(manager->prompts.problem());
    } else if (sub == "rename") {
        if (!session.renameMacro(*number, utf8ToUtf16(operands[1])))
            return fail(manager->prompts.problem());
    }
    const MacroTable &accepted = session.accept();
    if (int status = saveLikeManagerOk(context, accepted); status != kDone)
        return status;
    if (sub == "new") {
        const int index = *session.selectedMacro();
        context.out << "New macro " << index << " (" << utf16ToUtf8(session.macroName(index)) << ").\n";
    }
    return kDone;
}

} // namespace quenlar::ctl
