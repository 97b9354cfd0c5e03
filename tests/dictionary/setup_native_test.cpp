// Outside Windows there is no setup dialog: the choice is refused, and the
// caller's bytes stay as they were.
#include "zev_fixture.h"

namespace {

class SetupNativeTest : public ZevTest {};

TEST_F(SetupNativeTest, RefusesWithNotOpenOrCancelled) {
    uint8_t level = 0xEE, typeMask = 0xEE;
    EXPECT_EQ(0, zevSetupDic(nullptr, &level, &typeMask));
    EXPECT_EQ(ZEV_ERR_NOT_OPEN, zevGetZevLastError());
    CreateSmall();
    EXPECT_EQ(0, zevSetupDic(nullptr, &level, &typeMask));
    EXPECT_EQ(ZEV_ERR_SETUP_CANCELLED, zevGetZevLastError());
    EXPECT_EQ(0, zevSetupDic(nullptr, nullptr, nullptr));
    EXPECT_EQ(0xEE, level);
    EXPECT_EQ(0xEE, typeMask);
}

}  // namespace
