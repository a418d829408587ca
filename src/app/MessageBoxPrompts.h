#pragma once
// Questions and notices as message boxes owned by the main window.

#include "model/UserPrompts.h"

class QWidget;

namespace quenlar {

class MessageBoxPrompts final : public UserPrompts {
public:
    void setOwner(QWidget *owner) { owner_ = owner; }
    bool confirm(const std::string &text, const std::string &caption) override;
    void inform(const std::string &text, const std::string &caption) override;
    std::optional<std::filesystem::path> chooseFileToOpen(const std::string &filter) override;
    std::optional<std::filesystem::path> chooseFileToSave(const std::string &suggestedName,
                                                          const std::string &filter) override;

private:
    QWidget *owner_ = nullptr;
};

} // namespace quenlar
