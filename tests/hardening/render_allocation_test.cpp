// The frame loop's per-frame work, the clock update and the scene's render,
// must not touch the heap: every buffer is made at set-up. Counted over a
// whole show cycle and its restart, in frames on time and after pauses.
#include "allocation_counter.h"
#include "support/show_rig.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

namespace {

TEST(RenderAllocation, TheCounterSeesMallocAndNew)
{
    AllocationCounter counter;
    void* volatile block = std::malloc(64);
    std::free(block);
    void* volatile object = ::operator new(64);
    ::operator delete(object);
    std::string text(200, 'x');
    EXPECT_GE(counter.count(), 3u);
}

TEST(RenderAllocation, FramesAllocateNothing)
{
    ShowRig rig;
    ASSERT_TRUE(rig.scene().ready());

    AllocationCounter counter;
    int drawn = 0;
    // On time through the first seconds, then 0.35 clock units a frame
    // through every title card and past the restart into the next cycle.
    for (int f = 0; f < 300; ++f) {
        rig.frame();
        drawn += rig.lastRenderDrew();
    }
    while (rig.scene().getRestartMark() == 0.0f || rig.showTime() < 30) {
        rig.frame(500);
        drawn += rig.lastRenderDrew();
    }
    const std::size_t allocations = counter.count();

    EXPECT_EQ(allocations, 0u);
    EXPECT_GT(drawn, 500);
}

} // namespace
