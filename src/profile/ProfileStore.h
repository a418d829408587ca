#pragma once
// The profile store: up to six whole configurations (a KeyboardState and the HostKeyRecords,
// laid out like keymap.bin) kept as NAME.bin files in the profile folder.
//
// The store keeps the list the profile manager shows, sorted by name, and carries out its
// commands. Every question and notice goes through UserPrompts in the interface language.
// Profiles never go to the keyboard from here: Load changes the working configuration and
// the keyboard receives it with the next apply.
//
// Each listed profile remembers the file it was read from, so every command acts on exactly
// the file the user sees (old.bin.bin is listed as "old" and stays old.bin.bin). Every write
// goes through a temporary file and a rename; a name the user types never leaves the folder.

#include "keymap/HostKeyRecord.h"
#include "model/KeyboardState.h"
#include "model/Language.h"
#include "model/UserPrompts.h"
#include "profile/ProfileMessages.h"

#include <filesystem>
#include <string>
#include <vector>

namespace quenlar {

struct ProfileEntry {
    std::string name;                 // as listed
    std::filesystem::path file;       // the file it stands for
};

class ProfileStore {
public:
    static constexpr int kMaxProfiles = 6;
    static constexpr int kNoSelection = -1;
    static constexpr const char *kFileFilter = "bin Files(*.bin)";

    // working and records are the working configuration that Save stores and Load replaces.
    ProfileStore(std::filesystem::path profileFolder, Language language, UserPrompts &prompts,
                 KeyboardState &working, HostKeyRecords &records);

    // The profiles in list order.
    const std::vector<ProfileEntry> &profiles() const { return entries_; }
    // How many .bin files the last scan met (at most kMaxProfiles + 1).
    int profileCount() const { return profileCount_; }
    const std::filesystem::path &folder() const { return folder_; }

    // Reload: scan the folder again. The first six .bin files in directory order are listed,
    // sorted by name. A missing folder gives an empty list.
    void reload();

    // The name New gives: the first of Profile_1, Profile_2, ... that is neither listed nor a file.
    std::string makeProfileName() const;

    // The commands of the profile manager. selection is a list index or kNoSelection.
    void newProfile();
    void copyProfile(int selection);
    void deleteProfile(int selection);
    // Rename of the profile at index to the text the user typed. A name that is listed already
    // or names a file that exists brings the old name back; no file changes.
    void renameProfile(int index, const std::string &newName);
    // Stores the working configuration in the selected profile and, if the user chooses a
    // file, exports it there too.
    void saveProfile(int selection);
    // Reads a file the user chooses into the working configuration and stores the result in
    // the selected profile. Cancelling the chooser changes nothing.
    void loadProfile(int selection);

private:
    void tell(ProfileMessage message, const std::string &detail = {});
    bool listed(const std::string &name) const;
    bool validSelection(int selection) const;
    bool ensureFolder();
    bool write(const std::filesystem::path &file, const std::vector<uint8_t> &bytes);

    std::filesystem::path folder_;
    Language language_;
    UserPrompts &prompts_;
    KeyboardState &working_;
    HostKeyRecords &records_;
    std::vector<ProfileEntry> entries_;
    int profileCount_ = 0;
};

} // namespace quenlar
