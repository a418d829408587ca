#pragma once
// The dialogs' questions as the user sees them: message boxes and the platform's file dialogs,
// opened over the given window. File choosers start in the user's home folder.

#include "dialogs/DialogServices.h"

#include <QPointer>
#include <QWidget>

namespace quenlar::dialogs {

class QtDialogServices final : public DialogServices {
public:
    explicit QtDialogServices(QWidget *parent = nullptr) : parent_(parent) {}
    void setParent(QWidget *parent) { parent_ = parent; }

    bool confirm(const std::string &text, const std::string &caption) override;
    void inform(const std::string &text, const std::string &caption) override;
    std::optional<std::filesystem::path> chooseFileToOpen(const std::string &filter) override;
    std::optional<std::filesystem::path> chooseFileToSave(const std::string &suggestedName,
                                                          const std::string &filter) override;
    std::optional<std::filesystem::path> chooseActionFile(const FileChooserSpec &spec) override;
    std::optional<std::filesystem::path> chooseFolder(const std::string &title) override;

private:
    QPointer<QWidget> parent_;
};

} // namespace quenlar::dialogs
