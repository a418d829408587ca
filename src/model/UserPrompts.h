#pragma once
// What the data logic (macro library, profiles) asks of the user. A dialog implements it
// with message boxes and file choosers; tests implement it with scripted answers.
// Texts arrive already in the interface language.

#include <filesystem>
#include <optional>
#include <string>

namespace quenlar {

class UserPrompts {
public:
    virtual ~UserPrompts() = default;
    // A yes/no (or OK/Cancel) question; true for yes/OK.
    virtual bool confirm(const std::string &text, const std::string &caption) = 0;
    // A notice with an OK button.
    virtual void inform(const std::string &text, const std::string &caption) = 0;
    // File choosers; nullopt when the user cancels. filter is e.g. "Profile (*.bin)".
    virtual std::optional<std::filesystem::path> chooseFileToOpen(const std::string &filter) = 0;
    virtual std::optional<std::filesystem::path> chooseFileToSave(const std::string &suggestedName,
                                                                  const std::string &filter) = 0;
};

} // namespace quenlar
