#include "core/DialogQueue.h"

#include "core/SharedFlags.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

TEST(DialogQueueTest, ARequestWhileADialogIsOpenWaitsAndOneNoLongerWantedIsPassedOver)
{
    SharedFlags flags;
    DialogQueue dialogs(flags);
    QStringList opened;
    dialogs.request([&] { return opened.append("panel"), true; });
    dialogs.request([&] { return false; });
    dialogs.request([&] { return opened.append("alert"), true; });
    EXPECT_EQ(opened, QStringList{"panel"});
    EXPECT_TRUE(flags.isSubWindowOpened);

    dialogs.closed();
    EXPECT_EQ(opened, (QStringList{"panel", "alert"}));
    EXPECT_TRUE(flags.isSubWindowOpened);
    dialogs.closed();
    EXPECT_FALSE(flags.isSubWindowOpened);
    EXPECT_FALSE(dialogs.isShowing());
}

} // namespace
} // namespace fw
