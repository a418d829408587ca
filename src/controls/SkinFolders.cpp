#include "controls/SkinFolders.h"

#include <QCoreApplication>

namespace quenlar::controls {

QString languageFolderName(Language language) {
    return language == Language::Chinese ? QStringLiteral("chinese") : QStringLiteral("english");
}

QString skinFolder(const QString &programFolder, Language language, SkinWindow window) {
    QString folder = programFolder + QStringLiteral("png/") + languageFolderName(language) + QLatin1Char('/');
    switch (window) {
    case SkinWindow::Main:
        break;
    case SkinWindow::ProfileManager:
        folder += QStringLiteral("Config/");
        break;
    case SkinWindow::KeyAssignment:
        folder += QStringLiteral("Custom/");
        break;
    case SkinWindow::MacroManager:
        folder += QStringLiteral("MacroManagement/");
        break;
    }
    return folder;
}

QString executableFolder() { return QCoreApplication::applicationDirPath() + QLatin1Char('/'); }

} // namespace quenlar::controls
