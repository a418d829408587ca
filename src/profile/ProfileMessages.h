#pragma once
// The texts the profile store shows, in both interface languages. The caption of every one is
// "Profile" / "配置管理".

#include "model/Language.h"

#include <string>

namespace quenlar {

enum class ProfileMessage {
    SixProfiles,      // New with six profiles
    SelectToSave,
    SelectToOpen,
    SelectToCopy,
    KeepOne,          // Delete with one profile
    SelectToDelete,
    ConfirmDelete,    // asked with OK and Cancel
    NameLeavesFolder, // a typed name with "/", "\" or ".."
    NameEmpty,
    NameTaken,        // a file of the new name exists outside the list
    CannotWrite,
    CannotRead,
    CannotDelete,
    CannotRename,
};

std::string profileMessage(ProfileMessage message, Language language);
std::string profileCaption(Language language);

} // namespace quenlar
