#include "profile/ProfileStore.h"

#include "keymap/KeymapFile.h"
#include "model/FileIo.h"
#include "profile/ProfileNames.h"

#include <algorithm>
#include <cassert>
#include <system_error>

namespace fs = std::filesystem;

namespace quenlar {

ProfileStore::ProfileStore(fs::path profileFolder, Language language, UserPrompts &prompts, KeyboardState &working,
                           HostKeyRecords &records)
    : folder_(std::move(profileFolder)), language_(language), prompts_(prompts), working_(working),
      records_(records) {}

void ProfileStore::tell(ProfileMessage message, const std::string &detail) {
    std::string text = profileMessage(message, language_);
    if (!detail.empty())
        text += detail + "\n";
    prompts_.inform(text, profileCaption(language_));
}

bool ProfileStore::listed(const std::string &name) const {
    return std::any_of(entries_.begin(), entries_.end(), [&](const ProfileEntry &e) { return e.name == name; });
}

bool ProfileStore::validSelection(int selection) const {
    assert(selection >= kNoSelection && selection < static_cast<int>(entries_.size()));
    return selection >= 0;
}

bool ProfileStore::ensureFolder() {
    std::error_code error;
    fs::create_directories(folder_, error);
    if (error) {
        tell(ProfileMessage::CannotWrite, error.message());
        return false;
    }
    return true;
}

bool ProfileStore::write(const fs::path &file, const std::vector<uint8_t> &bytes) {
    const Result written = writeFileAtomically(file, bytes);
    if (!written)
        tell(ProfileMessage::CannotWrite, written.message());
    return written.ok();
}

void ProfileStore::reload() {
    entries_.clear();
    profileCount_ = 0;
    std::error_code error;
    for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
        const std::string fileName = it->path().filename().string();
        std::error_code typeError;
        if (!fileName.ends_with(".bin") || !it->is_regular_file(typeError))
            continue;
        ++profileCount_;
        if (profileCount_ > kMaxProfiles)
            break;
        entries_.push_back({profileDisplayName(fileName), it->path()});
    }
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const ProfileEntry &a, const ProfileEntry &b) { return a.name < b.name; });
}

std::string ProfileStore::makeProfileName() const {
    return quenlar::makeProfileName([&](const std::string &name) {
        std::error_code error;
        return listed(name) || fs::exists(folder_ / profileFileName(name), error);
    });
}

void ProfileStore::newProfile() {
    if (static_cast<int>(entries_.size()) >= kMaxProfiles) {
        tell(ProfileMessage::SixProfiles);
        return;
    }
    const std::string name = makeProfileName();
    // A new profile holds an all-zero KeyboardState and no records.
    if (ensureFolder())
        write(folder_ / profileFileName(name), std::vector<uint8_t>(kKeyboardStateSize, 0));
    reload();
}

void ProfileStore::copyProfile(int selection) {
    if (!validSelection(selection)) {
        tell(ProfileMessage::SelectToCopy);
        return;
    }
    if (static_cast<int>(entries_.size()) >= kMaxProfiles)
        return;
    const ProfileEntry source = entries_[selection];
    const auto bytes = readConfigurationFile(source.file);
    if (!bytes) {
        tell(ProfileMessage::CannotRead, source.file.filename().string());
        return;
    }
    // The copy is always a whole configuration: what the source lacks is zero.
    std::vector<uint8_t> copy(kKeymapFileSize, 0);
    std::copy_n(bytes->begin(), std::min(bytes->size(), kKeymapFileSize), copy.begin());

    const std::string name = makeCopyName(source.name, language_, [&](const std::string &candidate) {
        std::error_code error;
        return listed(candidate) || fs::exists(folder_ / profileFileName(candidate), error);
    });
    if (ensureFolder())
        write(folder_ / profileFileName(name), copy);
    reload();
}

void ProfileStore::deleteProfile(int selection) {
    if (entries_.size() == 1) {
        tell(ProfileMessage::KeepOne);
        return;
    }
    if (!validSelection(selection)) {
        tell(ProfileMessage::SelectToDelete);
        return;
    }
    if (prompts_.confirm(profileMessage(ProfileMessage::ConfirmDelete, language_), profileCaption(language_))) {
        std::error_code error;
        fs::remove(entries_[selection].file, error);
        if (error)
            tell(ProfileMessage::CannotDelete, error.message());
    }
    reload();
}

void ProfileStore::renameProfile(int index, const std::string &newName) {
    assert(index >= 0 && index < static_cast<int>(entries_.size()));
    switch (checkProfileName(newName)) {
    case ProfileNameProblem::LeavesFolder:
        tell(ProfileMessage::NameLeavesFolder);
        reload();
        return;
    case ProfileNameProblem::Empty:
        tell(ProfileMessage::NameEmpty);
        reload();
        return;
    case ProfileNameProblem::None:
        break;
    }
    const fs::path oldFile = entries_[index].file;
    const fs::path newFile = folder_ / profileFileName(newName);
    const bool isListed = std::any_of(entries_.begin(), entries_.end(),
                                      [&](const ProfileEntry &e) { return e.file == newFile; });
    if (isListed) {
        // The name of a listed profile (or the profile's own): the list shows the old name again.
        reload();
        return;
    }
    std::error_code error;
    if (fs::exists(newFile, error) || error) {
        tell(ProfileMessage::NameTaken);
        reload();
        return;
    }
    fs::rename(oldFile, newFile, error);
    if (error)
        tell(ProfileMessage::CannotRename, error.message());
    reload();
}

void ProfileStore::saveProfile(int selection) {
    if (!validSelection(selection)) {
        tell(ProfileMessage::SelectToSave);
        return;
    }
    const ProfileEntry target = entries_[selection];
    const auto exportFile = prompts_.chooseFileToSave(target.name + ".bin", kFileFilter);
    const std::vector<uint8_t> bytes = keymapFileBytes(working_, records_);
    if (!write(target.file, bytes))
        return;
    if (exportFile)
        write(*exportFile, bytes);
}

void ProfileStore::loadProfile(int selection) {
    if (!validSelection(selection)) {
        tell(ProfileMessage::SelectToOpen);
        return;
    }
    const ProfileEntry target = entries_[selection];
    const auto chosen = prompts_.chooseFileToOpen(kFileFilter);
    if (!chosen)
        return;
    const auto bytes = readConfigurationFile(*chosen);
    if (!bytes) {
        tell(ProfileMessage::CannotRead, chosen->filename().string());
        return;
    }
    takeKeymapFileBytes(*bytes, KeymapLoadMode::Full, working_, records_);
    fillVirtualKeys(records_);
    write(target.file, keymapFileBytes(working_, records_));
}

} // namespace quenlar
