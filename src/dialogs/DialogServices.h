#pragma once
// What the dialogs ask of the user beyond the data logic's questions: the Advance page's file
// choosers and folder browser. The program answers with message boxes and the platform's file
// dialogs (QtDialogServices); tests answer from a script.

#include "model/UserPrompts.h"

#include <filesystem>
#include <optional>
#include <string>

namespace quenlar::dialogs {

// An open-file chooser: description "mp3 Files(*.mp3)", pattern "*.mp3", default suffix "mp3".
// The chosen file must exist.
struct FileChooserSpec {
    std::string description;
    std::string pattern;
    std::string defaultSuffix;
};

class DialogServices : public UserPrompts {
public:
    // nullopt on cancel.
    virtual std::optional<std::filesystem::path> chooseActionFile(const FileChooserSpec &spec) = 0;
    // A folder browser with this title and a field to type the folder in. nullopt on cancel; an
    // empty path when the user confirmed without a folder.
    virtual std::optional<std::filesystem::path> chooseFolder(const std::string &title) = 0;
};

// The caption of the key assignment dialog's messages: the executable's name without extension.
std::string applicationCaption();

} // namespace quenlar::dialogs
