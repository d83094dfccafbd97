// The hourglass hook: balanced begin and end, early release, the do-nothing default.
#include <gtest/gtest.h>

#include "platform/WaitCursor.h"

using namespace HalvrennInc;

namespace {
class CountingWaitCursor : public WaitCursor {
public:
    void begin() override { ++iDepth, ++iBegins; }
    void end() override { --iDepth; }
    int iDepth = 0;
    int iBegins = 0;
};
}  // namespace

TEST(WaitCursor, GuardsBalanceBeginAndEndAndReleaseOnlyOnce)
{
    CountingWaitCursor cursor;
    InstallWaitCursor(&cursor);
    {
        WaitCursorGuard outer;
        EXPECT_EQ(cursor.iDepth, 1);
        {
            WaitCursorGuard inner;
            EXPECT_EQ(cursor.iDepth, 2);
            inner.release();
            EXPECT_FALSE(inner.active());
            EXPECT_EQ(cursor.iDepth, 1);
        }  // the released guard does not end a second time
        EXPECT_EQ(cursor.iDepth, 1);
    }
    EXPECT_EQ(cursor.iDepth, 0);
    EXPECT_EQ(cursor.iBegins, 2);

    // A guard ends on the service it began with, even when another is installed meanwhile.
    CountingWaitCursor other;
    {
        WaitCursorGuard guard;
        InstallWaitCursor(&other);
    }
    EXPECT_EQ(cursor.iDepth, 0);
    EXPECT_EQ(other.iDepth, 0);

    InstallWaitCursor(nullptr);
    {
        WaitCursorGuard guard;  // the default does nothing and needs nothing
        EXPECT_TRUE(guard.active());
    }
    EXPECT_EQ(cursor.iBegins, 3);
    EXPECT_EQ(other.iBegins, 0);
}
