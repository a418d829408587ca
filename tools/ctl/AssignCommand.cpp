// assign KEY ACTION: what the key assignment dialog does when it closes with OK, then Save.

#include "AssignmentChoice.h"
#include "Commands.h"

#include "keymap/ApplyAssignment.h"
#include "keymap/KeymapFile.h"
#include "keymap/Utf16.h"
#include "macro/MacroSlots.h"
#include "model/KeyTable.h"

#include <iostream>

namespace quenlar::ctl {

namespace {

// The keys the keyboard picture does not let anyone assign.
constexpr int kWindowsKey = 96;

} // namespace

int runAssign(Context &context, const Arguments &args) {
    const Language language = context.options.language;
    if (args.size() < 2)
        return fail("assign needs KEY and ACTION", kUsageError);
    std::string error;
    const auto key = parseKey(args[0], error);
    if (!key)
        return fail(error, kUsageError);
    if (*key == kWindowsKey || *key == kFnKeyIndex)
        return fail("the " + std::string(keyAt(*key).label) + " key cannot be given another function", kUsageError);
    KeyNameTable names;
    const auto choice = parseAssignmentChoice({args.begin() + 1, args.end()}, names, language, error);
    if (!choice)
        return fail(error, kUsageError);

    // Everything that can be refused is refused before a file is written or a report sent.
    auto macros = std::make_unique<MacroTable>();
    if (choice->kind == AssignmentChoice::Kind::Macro) {
        AssignmentRequest draft;
        draft.category = AssignmentCategory::Macro;
        draft.macroIndex = choice->macro;
        if (Result checked = checkAssignment(draft, language); !checked)
            return fail(checked.message());
        if (int status = loadMacroTable(context, *macros, false); status != kDone)
            return status;
        if (choice->macro >= namedMacroCount(*macros))
            return fail("there is no macro " + std::to_string(choice->macro) + " (quenlar-ctl macro list)");
    }
    if (choice->kind == AssignmentChoice::Kind::HostAction) {
        AssignmentRequest draft;
        draft.category = choice->hostAction;
        draft.actionPath = utf8ToUtf16(choice->path);
        if (Result checked = checkAssignment(draft, language); !checked)
            return fail(checked.message());
    }

    KeyboardImages images;
    auto records = std::make_unique<HostKeyRecords>();
    if (int status = loadWorkingConfiguration(context, images.working, *records); status != kDone)
        return status;

    // The window works on what it read from the keyboard; without one, on keymap.bin alone.
    KeyboardSession session(context.options);
    const int opened = session.open(true, nullptr, true);
    if (opened == kUsageError)
        return opened;
    const bool connected = opened == kDone;
    if (connected) {
        auto read = session.link().readAll(images.working);
        if (!read.result)
            return fail(read.result.message(language));
        images.working = read.state;
    }
    images.commit();

    auto request = dialogRequest(*key, *choice, images.working, *records, language, error);
    if (!request)
        return fail(error);
    KeyChangedFlags changed{};
    recomputeKeyChangedFlags(changed, images.working, *records);
    const AssignmentTarget target{images.working, *records, changed};
    const AssignmentEnvironment environment{names, language,
                                            [&](KeyboardState &state) { PackMacroSlots(*macros, state); }};
    if (Result applied = applyConfirmedAssignment(*key, *request, target, environment, context.paths.keymapFile());
        !applied)
        return fail(applied.message());

    if (!connected)
        return fail("saved in " + context.paths.keymapFile().string() +
                    "; the keyboard gets it with the next apply, as no keyboard answered");
    auto written = session.link().writeAll(images);
    if (!written.result)
        return fail(written.result.message(language) + " The change is kept in " +
                    context.paths.keymapFile().string() + ".");
    if (Result saved = saveKeymapFile(context.paths.keymapFile(), images.working, *records, language); !saved)
        return fail(saved.message());
    context.out << "Key " << *key << " (" << keyAt(*key).label << ") assigned"
                << (written.sentAnything ? " and written to the keyboard." : "; the keyboard already held it.") << "\n";
    return kDone;
}

} // namespace quenlar::ctl
