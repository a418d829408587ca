#include "platform/InterfaceLanguage.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <optional>

using namespace quenlar;

TEST(InterfaceLanguage, OnlyExactlyChineseGivesChinese) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    // Settings of this test go to a folder of its own, never to the user's.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    struct RestoreUserFolder {
        ~RestoreUserFolder() {
            QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                               QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
        }
    } restore;

    struct Row {
        const char *name;
        std::optional<QString> value;
        Language expected;
    };
    const Row rows[] = {
        {"no setting", std::nullopt, Language::English},
        {"chinese", QStringLiteral("chinese"), Language::Chinese},
        {"capital C", QStringLiteral("Chinese"), Language::English},
        {"blank before", QStringLiteral(" chinese"), Language::English},
        {"english", QStringLiteral("english"), Language::English},
        {"empty", QString(), Language::English},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        {
            QSettings settings(QSettings::UserScope, QStringLiteral("Mervic"));
            if (row.value)
                settings.setValue(QStringLiteral("Language"), *row.value);
            else
                settings.remove(QStringLiteral("Language"));
            settings.sync();
            ASSERT_EQ(settings.status(), QSettings::NoError);
        }
        EXPECT_EQ(readInterfaceLanguage(), row.expected);
    }
}
