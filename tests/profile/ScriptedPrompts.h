#pragma once
// UserPrompts that answer from a script and remember what the user was shown.

#include "model/UserPrompts.h"

#include <optional>
#include <string>
#include <vector>

namespace quenlar::testing {

class ScriptedPrompts : public UserPrompts {
public:
    bool confirm(const std::string &text, const std::string &caption) override {
        questions.push_back(text);
        captions.push_back(caption);
        return confirmAnswer;
    }
    void inform(const std::string &text, const std::string &caption) override {
        notices.push_back(text);
        captions.push_back(caption);
    }
    std::optional<std::filesystem::path> chooseFileToOpen(const std::string &filter) override {
        filters.push_back(filter);
        return openAnswer;
    }
    std::optional<std::filesystem::path> chooseFileToSave(const std::string &suggestedName,
                                                          const std::string &filter) override {
        filters.push_back(filter);
        suggestedNames.push_back(suggestedName);
        return saveAnswer;
    }

    bool confirmAnswer = true;
    std::optional<std::filesystem::path> openAnswer;
    std::optional<std::filesystem::path> saveAnswer;

    std::vector<std::string> questions, notices, captions, filters, suggestedNames;
};

} // namespace quenlar::testing
