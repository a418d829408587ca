// profile list|new|copy|delete|rename|save|load: the profile manager without its window. The
// ProfileStore carries out every command with its own rules and messages; the terminal names
// the profile the window would have selected, and the files its choosers would have returned.

#include "Commands.h"

#include "keymap/KeymapFile.h"
#include "profile/ProfileStore.h"

#include <algorithm>
#include <iostream>

namespace quenlar::ctl {

namespace {

int indexOf(const ProfileStore &store, const std::string &name) {
    const auto &list = store.profiles();
    const auto it = std::find_if(list.begin(), list.end(), [&](const ProfileEntry &e) { return e.name == name; });
    return it == list.end() ? ProfileStore::kNoSelection : static_cast<int>(it - list.begin());
}

bool listed(const ProfileStore &store, const std::string &name) { return indexOf(store, name) >= 0; }

std::vector<std::string> names(const ProfileStore &store) {
    std::vector<std::string> result;
    for (const auto &e : store.profiles())
        result.push_back(e.name);
    return result;
}

// The name that appeared in the list, if one did.
std::string addedName(const std::vector<std::string> &before, const ProfileStore &store) {
    for (const auto &e : store.profiles())
        if (std::find(before.begin(), before.end(), e.name) == before.end())
            return e.name;
    return {};
}

} // namespace

int runProfile(Context &context, const Arguments &args) {
    const Language language = context.options.language;
    const std::string sub = args.empty() ? "" : args[0];
    std::optional<std::string> exportFile, fromFile;
    Arguments operands;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (sub == "save" && args[i].rfind("--export=", 0) == 0 && args[i].size() > 9)
            exportFile = args[i].substr(9);
        else if (sub == "load" && args[i].rfind("--from=", 0) == 0 && args[i].size() > 7)
            fromFile = args[i].substr(7);
        else
            operands.push_back(args[i]);
    }
    auto usage = [&](const std::string &form) { return fail("usage: quenlar-ctl profile " + form, kUsageError); };
    if ((sub == "list" || sub == "new") && !operands.empty())
        return usage(sub);
    if ((sub == "copy" || sub == "delete") && operands.size() != 1)
        return usage(sub + " NAME");
    if (sub == "rename" && operands.size() != 2)
        return usage("rename OLD NEW");
    if (sub == "save" && operands.size() != 1)
        return usage("save NAME [--export=FILE]");
    if (sub == "load" && operands.size() != 1)
        return usage("load NAME [--from=FILE]");
    if (sub != "list" && sub != "new" && sub != "copy" && sub != "delete" && sub != "rename" && sub != "save" &&
        sub != "load")
        return fail(sub.empty() ? "profile needs a sub-command: list, new, copy, delete, rename, save or load"
                                : "unknown profile sub-command \"" + sub + "\"",
                    kUsageError);

    // Save and load work on the working configuration, which keymap.bin holds between runs.
    KeyboardState working;
    auto records = std::make_unique<HostKeyRecords>();
    TerminalPrompts prompts(context.options.yes);
    ProfileStore store(context.paths.profileFolder(), language, prompts, working, *records);
    store.reload();
    int selection = ProfileStore::kNoSelection;
    if (sub != "list" && sub != "new") {
        selection = indexOf(store, operands[0]);
        if (selection < 0)
            return fail("there is no profile called \"" + operands[0] + "\" (quenlar-ctl profile list)");
    }
    if (sub == "save" || sub == "load") {
        std::error_code error;
        if (fromFile && !std::filesystem::is_regular_file(*fromFile, error))
            return fail(profileMessage(ProfileMessage::CannotRead, language) + *fromFile);
        if (int status = loadWorkingConfiguration(context, working, *records); status != kDone)
            return status;
    }
    const auto before = names(store);

    if (sub == "list") {
        for (const auto &name : before)
            context.out << name << "\n";
        return kDone;
    }
    if (sub == "new") {
        store.newProfile();
        if (!prompts.problem().empty())
            return fail(prompts.problem());
        const std::string added = addedName(before, store);
        if (added.empty())
            return fail("no profile was created in " + store.folder().string());
        context.out << added << "\n";
        return kDone;
    }
    if (sub == "copy") {
        // With six profiles the store copies nothing and says nothing; the terminal says why.
        if (static_cast<int>(before.size()) >= ProfileStore::kMaxProfiles)
            return fail(profileMessage(ProfileMessage::SixProfiles, language));
        store.copyProfile(selection);
        if (!prompts.problem().empty())
            return fail(prompts.problem());
        const std::string added = addedName(before, store);
        if (added.empty())
            return fail("the copy was not made");
        context.out << added << "\n";
        return kDone;
    }
    if (sub == "delete") {
        store.deleteProfile(selection);
        if (!prompts.problem().empty())
            return fail(prompts.problem());
        if (listed(store, operands[0]))
            return fail("profile \"" + operands[0] + "\" was not deleted");
        return kDone;
    }
    if (sub == "rename") {
        const std::string &newName = operands[1];
        if (newName == operands[0])
            return kDone;
        store.renameProfile(selection, newName);
        if (!prompts.problem().empty())
            return fail(prompts.problem());
        if (listed(store, operands[0]))
            return fail("a profile called \"" + newName + "\" exists already");
        return kDone;
    }
    if (sub == "save") {
        prompts.fileToSave = exportFile;
        store.saveProfile(selection);
        if (!prompts.problem().empty())
            return fail(prompts.problem());
        return kDone;
    }
    // load: the chosen file (by default the profile's own) becomes the working configuration
    // and is stored in the profile; the window's refresh then saves keymap.bin.
    prompts.fileToOpen = fromFile ? std::filesystem::path(*fromFile) : store.profiles()[selection].file;
    store.loadProfile(selection);
    if (!prompts.problem().empty())
        return fail(prompts.problem());
    if (Result saved = saveKeymapFile(context.paths.keymapFile(), working, *records, language); !saved)
        return fail(saved.message());
    context.out << "Loaded into " << context.paths.keymapFile().string()
                << "; quenlar-ctl apply sends it to the keyboard.\n";
    return kDone;
}

} // namespace quenlar::ctl
