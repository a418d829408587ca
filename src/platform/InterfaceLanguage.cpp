#include "platform/InterfaceLanguage.h"

#include <QLoggingCategory>
#include <QSettings>

namespace quenlar {

namespace {
Q_LOGGING_CATEGORY(startupTrace, "quenlar.startup", QtWarningMsg)
}

Language languageFromSetting(const QString &value) {
    return value == QLatin1String("chinese") ? Language::Chinese : Language::English;
}

Language readInterfaceLanguage() {
#ifdef Q_OS_WIN
    QSettings settings(QStringLiteral("HKEY_CURRENT_USER\\Software\\Mervic"), QSettings::NativeFormat);
#else
    QSettings settings(QSettings::UserScope, QStringLiteral("Mervic"));
#endif
    const QString value = settings.value(QStringLiteral("Language")).toString();
    qCDebug(startupTrace, "%s", qUtf8Printable(value));
    return languageFromSetting(value);
}

} // namespace quenlar
