#include "app/shared_state.h"

#include <gtest/gtest.h>

namespace kelvora {
namespace {

TEST(SharedState, StartsAtZero)
{
    const SharedState fresh;
    EXPECT_EQ(fresh.SceneIndex, 0);
    EXPECT_EQ(fresh.LastFrame, 0);
    EXPECT_EQ(fresh.StopFlag, 0);
    EXPECT_EQ(fresh.SceneParam, 0);
    EXPECT_EQ(&Shared(), &Shared());
}

}  // namespace
}  // namespace kelvora
