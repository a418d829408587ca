#include "dialogs/QtDialogServices.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace quenlar::dialogs {

namespace {
QString q(const std::string &text) { return QString::fromStdString(text); }
std::filesystem::path pathOf(const QString &file) { return std::filesystem::path(file.toStdU16String()); }
} // namespace

std::string applicationCaption() {
    const QString file = QCoreApplication::applicationFilePath();
    const QString name = file.isEmpty() ? QCoreApplication::applicationName() : QFileInfo(file).completeBaseName();
    return name.toStdString();
}

bool QtDialogServices::confirm(const std::string &text, const std::string &caption) {
    return QMessageBox::question(parent_, q(caption), q(text), QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Ok) == QMessageBox::Ok;
}

void QtDialogServices::inform(const std::string &text, const std::string &caption) {
    QMessageBox::information(parent_, q(caption), q(text), QMessageBox::Ok);
}

std::optional<std::filesystem::path> QtDialogServices::chooseFileToOpen(const std::string &filter) {
    const QString file = QFileDialog::getOpenFileName(parent_, QString(), QDir::homePath(), q(filter));
    if (file.isEmpty())
        return std::nullopt;
    return pathOf(file);
}

std::optional<std::filesystem::path> QtDialogServices::chooseFileToSave(const std::string &suggestedName,
                                                                        const std::string &filter) {
    const QString file =
        QFileDialog::getSaveFileName(parent_, QString(), QDir::home().filePath(q(suggestedName)), q(filter));
    if (file.isEmpty())
        return std::nullopt;
    return pathOf(file);
}

std::optional<std::filesystem::path> QtDialogServices::chooseActionFile(const FileChooserSpec &spec) {
    QFileDialog chooser(parent_);
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    chooser.setFileMode(QFileDialog::ExistingFile); // the chosen file must exist
    chooser.setDirectory(QDir::homePath());
    // The description carries its pattern in parentheses, e.g. "mp3 Files(*.mp3)".
    chooser.setNameFilter(q(spec.description));
    chooser.setDefaultSuffix(q(spec.defaultSuffix));
    chooser.selectFile(q(spec.pattern));
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return std::nullopt;
    return pathOf(chooser.selectedFiles().constFirst());
}

std::optional<std::filesystem::path> QtDialogServices::chooseFolder(const std::string &title) {
    QFileDialog chooser(parent_, q(title), QDir::homePath());
    chooser.setFileMode(QFileDialog::Directory);
    chooser.setOption(QFileDialog::ShowDirsOnly, true);
    if (chooser.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = chooser.selectedFiles();
    return chosen.isEmpty() ? std::filesystem::path() : pathOf(chosen.constFirst());
}

} // namespace quenlar::dialogs
