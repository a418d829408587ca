#include "app/MessageBoxPrompts.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace quenlar {

namespace {
QString q(const std::string &text) { return QString::fromStdString(text); }
} // namespace

bool MessageBoxPrompts::confirm(const std::string &text, const std::string &caption) {
    return QMessageBox::question(owner_, q(caption), q(text), QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Ok) == QMessageBox::Ok;
}

void MessageBoxPrompts::inform(const std::string &text, const std::string &caption) {
    QMessageBox::information(owner_, q(caption), q(text));
}

std::optional<std::filesystem::path> MessageBoxPrompts::chooseFileToOpen(const std::string &filter) {
    const QString file = QFileDialog::getOpenFileName(owner_, {}, QDir::homePath(), q(filter));
    if (file.isEmpty())
        return std::nullopt;
    return std::filesystem::path(file.toStdString());
}

std::optional<std::filesystem::path> MessageBoxPrompts::chooseFileToSave(const std::string &suggestedName,
                                                                         const std::string &filter) {
    const QString file =
        QFileDialog::getSaveFileName(owner_, {}, QDir::home().filePath(q(suggestedName)), q(filter));
    if (file.isEmpty())
        return std::nullopt;
    return std::filesystem::path(file.toStdString());
}

} // namespace quenlar
