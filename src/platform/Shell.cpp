#include "platform/Shell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QString>
#include <QUrl>

namespace quenlar {

namespace {
bool openLocal(const std::string &path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}
} // namespace

bool DesktopShell::openDocument(const std::string &path) { return openLocal(path); }

bool DesktopShell::openFolder(const std::string &path) { return openLocal(path); }

bool DesktopShell::startProgram(const std::string &path, const std::string &workingFolder) {
    return QProcess::startDetached(QString::fromStdString(path), {}, QString::fromStdString(workingFolder));
}

} // namespace quenlar
