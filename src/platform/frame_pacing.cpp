#include "platform/frame_pacing.h"

#include "scene/show_facts.h"

namespace {

// The frame clock moves the show on only once its whole-millisecond tick
// count has passed a period; show::shortestFrameMs reads as that whatever
// the count's phase.
constexpr double shortestFrameMs = show::shortestFrameMs;
constexpr double unreportedRefreshHz = 60.0;
// Leaves room for a rate reported a hair off its true value (59.94 Hz as
// 60): a frame a thousandth too short still counts as long enough.
constexpr double frameLengthTolerance = 0.001;

// The vsync check: presents that wait spend most of each refresh waiting
// (all of it, less the frame's drawing, which takes a millisecond or so).
// If over this many presents they spent less than a quarter of that many
// refreshes, they do not wait: a driver or a virtual machine that ignores
// vsync. A driver that queues a few presents ahead returns its first ones
// at once, which the window is long enough to absorb.
constexpr int checkedPresents = 30;
constexpr double shortestWaitingShare = 0.25;

double reportedOrDefault(double refreshHz)
{
    return refreshHz > 0.0 ? refreshHz : unreportedRefreshHz;
}

} // namespace

int refreshesPerFrame(double refreshHz)
{
    const double refresh = 1000.0 / reportedOrDefault(refreshHz);
    int refreshes = 1;
    while (refreshes * refresh < shortestFrameMs * (1.0 - frameLengthTolerance))
        ++refreshes;
    return refreshes;
}

FramePacer::FramePacer(double refreshHz, bool presentWaitsForRefresh)
    : refreshInterval(1000.0 / reportedOrDefault(refreshHz)),
      refreshes(::refreshesPerFrame(refreshHz)),
      vsync(presentWaitsForRefresh)
{
}

double FramePacer::nextPresentAt(double now)
{
    const double frame = refreshes * refreshInterval;
    if (!started) {
        started = true;
        due = now;
    } else {
        due += frame;
        // After a late present (a sleep that woke late on a busy machine)
        // the next one keeps its distance rather than the cadence's phase:
        // a frame that came sooner would find the clock short of a period,
        // and a clock that waits adds one step for 15 ms and falls behind.
        // The distance runs from the start of the last present, not its
        // end: the clock reads the time after each present returns, so
        // what it sees between two frames is start to start, give or take
        // how much the two presents' costs differ. Counted from the end,
        // a present that costs more than the cadence's spare 0.67 ms (a
        // window scaled to 3x or to the whole screen) would add its cost
        // to every frame: 17.1 ms apart instead of 16.67.
        if (due < lastPresentStart + shortestFrameMs)
            due = lastPresentStart + shortestFrameMs;
        // Fallen behind by more than a frame (a slow frame, a pause): start
        // the cadence again from now rather than rushing frames to catch up.
        if (due < now - frame)
            due = now;
    }
    return due;
}

void FramePacer::presented(double start, double end)
{
    lastPresentStart = start;
    if (vsync)
        checkPresentsWait(start, end);
}

void FramePacer::checkPresentsWait(double start, double end)
{
    windowWaited += end - start;
    if (++windowPresents < checkedPresents)
        return;
    if (windowWaited < shortestWaitingShare * checkedPresents * refreshInterval) {
        vsync = false;
        // The timed cadence starts from this present.
        started = true;
        due = end;
    }
    windowPresents = 0;
    windowWaited = 0.0;
}
