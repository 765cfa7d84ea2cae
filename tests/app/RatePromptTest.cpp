#include "app/RatePrompt.h"

#include "support/TemporaryFolder.h"

#include <QSettings>
#include <gtest/gtest.h>

namespace fw {
namespace {

// The launches at which the prompt is due, out of the first count.
QList<int> dueLaunches(RatePrompt& prompt, int count)
{
    QList<int> due;
    for (int launch = 1; launch <= count; ++launch) {
        if (prompt.countLaunch())
            due.append(launch);
    }
    return due;
}

TEST(RatePrompt, DueEverySeventhLaunchUntilAnsweredForTheRunningVersion)
{
    test::TemporaryFolder folder;
    QSettings store(folder.filePath("settings.ini"), QSettings::IniFormat);
    RatePrompt first(store, "1.0");
    EXPECT_EQ(dueLaunches(first, 14), QList<int>({7, 14}));

    first.answeredYes(false);
    EXPECT_EQ(dueLaunches(first, 7), QList<int>({7})) << "the page did not open";
    first.answeredNo();
    EXPECT_TRUE(dueLaunches(first, 14).isEmpty());

    RatePrompt upgraded(store, "1.1");
    EXPECT_EQ(dueLaunches(upgraded, 7), QList<int>({7}));
}

} // namespace
} // namespace fw
