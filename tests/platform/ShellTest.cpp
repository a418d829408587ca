#include "platform/Shell.h"

#include "platform/ShellTestApplication.h"

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

using namespace quenlar;
using namespace quenlar::testing;

namespace {

// Stands in for the desktop: receives what would go to xdg-open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls.append(url); }
};

} // namespace

TEST(Shell, FilesAndFoldersGoToTheDesktopAsLocalFiles) {
    ShellTestApplication app;
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    DesktopShell shell;

    EXPECT_TRUE(shell.openDocument("/home/ann/Music/song #1.mp3"));
    EXPECT_TRUE(shell.openFolder("/home/ann/\xE9\x9F\xB3\xE4\xB9\x90"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));

    ASSERT_EQ(catcher.urls.size(), 2);
    EXPECT_EQ(catcher.urls[0].toLocalFile(), QStringLiteral("/home/ann/Music/song #1.mp3"));
    EXPECT_EQ(catcher.urls[1].toLocalFile(), QStringLiteral("/home/ann/\u97F3\u4E50"));
}

TEST(Shell, ProgramsStartDetachedInTheirFolder) {
    ShellTestApplication app;
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString script = folder.filePath(QStringLiteral("start me"));
    {
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\npwd > started.txt\n");
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    DesktopShell shell;
    ASSERT_TRUE(shell.startProgram(script.toStdString(), folder.path().toStdString()));

    QFile started(folder.filePath(QStringLiteral("started.txt")));
    EXPECT_TRUE(ShellTestApplication::processEventsUntil([&] { return started.exists() && started.size() > 0; }));
    ASSERT_TRUE(started.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(started.readAll()).trimmed(), folder.path());

    EXPECT_FALSE(shell.startProgram(folder.filePath(QStringLiteral("missing")).toStdString(),
                                    folder.path().toStdString()));
}

#include "ShellTest.moc"
