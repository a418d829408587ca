#include "platform/SingleInstance.h"

#include "platform/ShellTestApplication.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace quenlar;
using namespace quenlar::testing;

TEST(SingleInstance, NameIsMadeSafeForAFileName) {
    EXPECT_EQ(SingleInstance::sanitisedName(QString::fromLatin1(SingleInstance::kInstanceName)),
              QStringLiteral("57D1171D-1a36-0804-8A3A-65ABA2150010"));
}

TEST(SingleInstance, SecondStartAsksTheFirstToShowItself) {
    ShellTestApplication app;
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());

    SingleInstance first(QString::fromLatin1(SingleInstance::kInstanceName), folder.path());
    ASSERT_TRUE(first.isPrimary());
    int shows = 0;
    QObject::connect(&first, &SingleInstance::showRequested, [&] { ++shows; });

    SingleInstance second(QString::fromLatin1(SingleInstance::kInstanceName), folder.path());
    EXPECT_FALSE(second.isPrimary());
    EXPECT_TRUE(second.requestDelivered());
    EXPECT_TRUE(ShellTestApplication::processEventsUntil([&] { return shows == 1; }));

    SingleInstance third(QString::fromLatin1(SingleInstance::kInstanceName), folder.path());
    EXPECT_FALSE(third.isPrimary());
    EXPECT_TRUE(ShellTestApplication::processEventsUntil([&] { return shows == 2; }));
}

TEST(SingleInstance, DifferentNamesAndFoldersDoNotMeet) {
    ShellTestApplication app;
    QTemporaryDir one, two;
    SingleInstance a(QStringLiteral("first program"), one.path());
    SingleInstance b(QStringLiteral("second program"), one.path());
    SingleInstance c(QStringLiteral("first program"), two.path());
    EXPECT_TRUE(a.isPrimary());
    EXPECT_TRUE(b.isPrimary());
    EXPECT_TRUE(c.isPrimary());
}

TEST(SingleInstance, NextStartRunsOnceTheFirstHasEnded) {
    ShellTestApplication app;
    QTemporaryDir folder;
    {
        SingleInstance first(QStringLiteral("quenlar test"), folder.path());
        ASSERT_TRUE(first.isPrimary());
    }
    SingleInstance next(QStringLiteral("quenlar test"), folder.path());
    EXPECT_TRUE(next.isPrimary());
    SingleInstance another(QStringLiteral("quenlar test"), folder.path());
    EXPECT_FALSE(another.isPrimary());
    EXPECT_TRUE(another.requestDelivered()) << "the new copy listens where the old one did";
}

TEST(SingleInstance, LeftoverSocketOfACrashedCopyIsReplaced) {
    ShellTestApplication app;
    QTemporaryDir folder;
    // A crashed copy leaves its socket file behind but no lock holder.
    QFile leftover(folder.filePath(QStringLiteral("quenlar-crashed.socket")));
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    leftover.close();

    SingleInstance first(QStringLiteral("crashed"), folder.path());
    ASSERT_TRUE(first.isPrimary());
    int shows = 0;
    QObject::connect(&first, &SingleInstance::showRequested, [&] { ++shows; });
    SingleInstance second(QStringLiteral("crashed"), folder.path());
    EXPECT_FALSE(second.isPrimary());
    EXPECT_TRUE(ShellTestApplication::processEventsUntil([&] { return shows == 1; }));
}
